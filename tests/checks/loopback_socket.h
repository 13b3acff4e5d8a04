#pragma once
// Just enough TCP for a test server: sockets on the loopback address 127.0.0.1 only, every wait
// bounded. POSIX sockets in posix/, Winsock in win32/.

#include <cstdint>
#include <string_view>

namespace checks_testing {

// The socket library's set-up (Winsock's start and end), held by everything that uses sockets.
class SocketLibrary {
 public:
  SocketLibrary();
  ~SocketLibrary();
  SocketLibrary(const SocketLibrary&) = delete;
  SocketLibrary& operator=(const SocketLibrary&) = delete;
};

class LoopbackSocket {
 public:
  LoopbackSocket() = default;
  ~LoopbackSocket();
  LoopbackSocket(LoopbackSocket&& other) noexcept;
  LoopbackSocket& operator=(LoopbackSocket&& other) noexcept;
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;

  // A socket bound to 127.0.0.1 on a port the system picks, listening for connections.
  static LoopbackSocket listening();
  // A socket bound to 127.0.0.1 that does not listen: while it is held, connections to its port
  // are refused and no other socket takes the port.
  static LoopbackSocket boundOnly();

  bool valid() const { return handle_ != kInvalid; }
  std::uint16_t port() const;

  // Waits at most `timeoutMs` for a connection; an invalid socket when none came.
  LoopbackSocket accept(int timeoutMs) const;

  enum : int { kClosed = 0, kTimedOut = -1 };
  // Waits at most `timeoutMs` for bytes: how many were received, kClosed when the peer closed the
  // connection or it failed, kTimedOut when nothing came in time.
  int receive(char* buffer, int size, int timeoutMs) const;

  // Sends all bytes; false when the connection is gone.
  bool send(std::string_view bytes) const;

 private:
  static constexpr std::intptr_t kInvalid = -1;
  explicit LoopbackSocket(std::intptr_t handle) : handle_(handle) {}
  static LoopbackSocket bound(bool listen);
  void close();

  std::intptr_t handle_ = kInvalid;
};

}  // namespace checks_testing
