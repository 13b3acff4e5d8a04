#include "tests/checks/test_http_server.h"

#include <algorithm>
#include <chrono>

namespace checks_testing {
namespace {

constexpr int kPollMs = 50;
constexpr int kMaxConnections = 500;
constexpr auto kLifetime = std::chrono::minutes(5);
constexpr std::size_t kMaxHeadBytes = 16 * 1024;
constexpr int kHeadReadPolls = 100;  // five seconds for a request head to arrive
constexpr unsigned char kTlsHandshakeRecord = 0x16;

std::string reasonPhrase(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

std::string head(int status, const std::string& moreHeaders, std::size_t bodyLength) {
  return "HTTP/1.1 " + std::to_string(status) + " " + reasonPhrase(status) +
         "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(bodyLength) +
         "\r\nConnection: close\r\n" + moreHeaders + "\r\n";
}

std::string response(int status, const std::string& moreHeaders = {}) {
  return head(status, moreHeaders, 2) + "ok";
}

// The number after `prefix` in `target`, or 0.
int numberAfter(const std::string& target, std::string_view prefix) {
  if (!target.starts_with(prefix)) return 0;
  try {
    return std::stoi(target.substr(prefix.size()));
  } catch (...) {
    return 0;
  }
}

}  // namespace

TestHttpServer::TestHttpServer() : listener_(LoopbackSocket::listening()) {
  if (!listener_.valid()) return;
  port_ = listener_.port();
  acceptor_ = std::thread([this] { acceptConnections(); });
}

TestHttpServer::~TestHttpServer() {
  stopping_ = true;
  if (acceptor_.joinable()) acceptor_.join();
  for (std::thread& connection : connections_) connection.join();  // the acceptor adds no more
}

std::string TestHttpServer::address(std::string_view path) const {
  return "127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::string TestHttpServer::url(std::string_view path) const { return "http://" + address(path); }

std::vector<std::string> TestHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool TestHttpServer::sawTlsHandshake() const {
  std::lock_guard lock(mutex_);
  return tlsHandshake_;
}

int TestHttpServer::mostRequestsAtOnce() const {
  std::lock_guard lock(mutex_);
  return mostAnswering_;
}

void TestHttpServer::acceptConnections() {
  const auto end = std::chrono::steady_clock::now() + kLifetime;
  for (int accepted = 0; accepted < kMaxConnections && !stopping_ && std::chrono::steady_clock::now() < end;) {
    LoopbackSocket connection = listener_.accept(kPollMs);
    if (!connection.valid()) continue;
    ++accepted;
    std::lock_guard lock(mutex_);
    connections_.emplace_back([this, c = std::move(connection)] { serve(c); });
  }
}

bool TestHttpServer::readRequestHead(const LoopbackSocket& connection, std::string& head) {
  char buffer[4096];
  for (int poll = 0; poll < kHeadReadPolls && !stopping_; ++poll) {
    const int received = connection.receive(buffer, sizeof buffer, kPollMs);
    if (received == LoopbackSocket::kClosed) return false;
    if (received == LoopbackSocket::kTimedOut) continue;
    head.append(buffer, static_cast<std::size_t>(received));
    if (static_cast<unsigned char>(head[0]) == kTlsHandshakeRecord) return true;
    if (head.find("\r\n\r\n") != std::string::npos) return true;
    if (head.size() > kMaxHeadBytes) return false;
  }
  return false;
}

void TestHttpServer::serve(const LoopbackSocket& connection) {
  std::string head;
  if (!readRequestHead(connection, head)) return;
  if (static_cast<unsigned char>(head[0]) == kTlsHandshakeRecord) {
    std::lock_guard lock(mutex_);
    tlsHandshake_ = true;
    return;  // closing the connection ends the handshake
  }
  const std::string line = head.substr(0, head.find("\r\n"));           // GET /path HTTP/1.1
  const std::string request = line.substr(0, line.rfind(' '));          // GET /path
  const std::string target = request.substr(request.find(' ') + 1);    // /path
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    mostAnswering_ = std::max(mostAnswering_, ++answering_);
  }
  Answering answering(*this);
  answer(connection, target, answering);
}

void TestHttpServer::Answering::stop() {
  if (!counted_) return;
  counted_ = false;
  std::lock_guard lock(server_.mutex_);
  --server_.answering_;
}

void TestHttpServer::answer(const LoopbackSocket& connection, const std::string& target, Answering& answering) {
  if (target == "/trickle/head") {
    trickle(connection, response(200), 10);
  } else if (target == "/trickle/body") {
    const std::string body(100, 'x');
    if (connection.send(head(200, {}, body.size()))) trickle(connection, body, 100);
  } else if (target == "/silent") {
    holdUntilClosed(connection);
  } else {
    std::string text = response(200);
    if (const int status = numberAfter(target, "/status/")) {
      text = response(status);
    } else if (const int redirect = numberAfter(target, "/redirect/")) {
      text = response(redirect, "Location: " + url("/status/200") + "\r\n");
    } else if (const int delay = numberAfter(target, "/delay/")) {
      pause(delay);
    }
    answering.stop();
    connection.send(text);
  }
}

// Sends one byte after the other, until all are sent, the client has gone or the server stops.
void TestHttpServer::trickle(const LoopbackSocket& connection, std::string_view bytes, int pauseMs) {
  for (std::size_t i = 0; i < bytes.size() && !stopping_; ++i) {
    if (!connection.send(bytes.substr(i, 1))) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
  }
}

// Sleeps in short steps, so that a server going out of scope does not wait for the whole pause.
void TestHttpServer::pause(int milliseconds) const {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!stopping_ && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_until(std::min(end, std::chrono::steady_clock::now() + std::chrono::milliseconds(kPollMs)));
  }
}

void TestHttpServer::holdUntilClosed(const LoopbackSocket& connection) {
  char buffer[256];
  while (!stopping_ && connection.receive(buffer, sizeof buffer, kPollMs) != LoopbackSocket::kClosed) {
  }
}

}  // namespace checks_testing
