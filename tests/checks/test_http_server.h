#pragma once
// A small HTTP server for the probe's tests, on 127.0.0.1 only. It answers by path:
//   /status/NNN     status NNN
//   /redirect/301   a redirect to /status/200 (also /redirect/302)
//   /trickle/head   a 200 whose status line and headers come one byte at a time
//   /trickle/body   a 200 whose headers come at once and whose body trickles for ten seconds
//   /silent         never answers, and holds the connection until the client gives up
//   /delay/NNN      a 200 after NNN milliseconds
//   anything else   200
// It serves each connection on a thread of its own and stops, closing every connection, when it
// goes out of scope (or after five minutes).

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/checks/loopback_socket.h"

namespace checks_testing {

class TestHttpServer {
 public:
  TestHttpServer();
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  std::uint16_t port() const { return port_; }
  // "127.0.0.1:PORT" + path: an address without a scheme.
  std::string address(std::string_view path) const;
  // "http://127.0.0.1:PORT" + path.
  std::string url(std::string_view path) const;

  // The request lines received so far, without the protocol version ("GET /status/200"), in order.
  std::vector<std::string> requests() const;
  // True once a connection began with a TLS handshake rather than an HTTP request.
  bool sawTlsHandshake() const;
  // The most requests that were being answered at one time (from the request's head in to the
  // answer out).
  int mostRequestsAtOnce() const;

 private:
  void acceptConnections();
  void serve(const LoopbackSocket& connection);
  // A request counts as being answered from its head in until just before its answer goes out:
  // the client may send its next request as soon as it has the answer.
  class Answering {
   public:
    explicit Answering(TestHttpServer& server) : server_(server) {}
    ~Answering() { stop(); }
    Answering(const Answering&) = delete;
    Answering& operator=(const Answering&) = delete;
    void stop();

   private:
    TestHttpServer& server_;
    bool counted_ = true;
  };

  void answer(const LoopbackSocket& connection, const std::string& target, Answering& answering);
  void trickle(const LoopbackSocket& connection, std::string_view bytes, int pauseMs);
  void holdUntilClosed(const LoopbackSocket& connection);
  void pause(int milliseconds) const;
  bool readRequestHead(const LoopbackSocket& connection, std::string& head);

  SocketLibrary library_;
  LoopbackSocket listener_;
  std::uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;    // guarded by mutex_
  bool tlsHandshake_ = false;            // guarded by mutex_
  int answering_ = 0;                    // guarded by mutex_
  int mostAnswering_ = 0;                // guarded by mutex_
  std::vector<std::thread> connections_;  // guarded by mutex_
  std::thread acceptor_;
};

}  // namespace checks_testing
