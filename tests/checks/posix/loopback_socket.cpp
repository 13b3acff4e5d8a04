#include "tests/checks/loopback_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

namespace checks_testing {
namespace {

int fd(std::intptr_t handle) { return static_cast<int>(handle); }

bool waitFor(int socket, short events, int timeoutMs) {
  pollfd entry{socket, events, 0};
  return ::poll(&entry, 1, timeoutMs) == 1;
}

}  // namespace

SocketLibrary::SocketLibrary() = default;
SocketLibrary::~SocketLibrary() = default;

LoopbackSocket::~LoopbackSocket() { close(); }

LoopbackSocket::LoopbackSocket(LoopbackSocket&& other) noexcept
    : handle_(std::exchange(other.handle_, kInvalid)) {}

LoopbackSocket& LoopbackSocket::operator=(LoopbackSocket&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

void LoopbackSocket::close() {
  if (valid()) ::close(fd(std::exchange(handle_, kInvalid)));
}

LoopbackSocket LoopbackSocket::bound(bool listen) {
  LoopbackSocket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!socket.valid()) return socket;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(fd(socket.handle_), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      (listen && ::listen(fd(socket.handle_), 16) != 0)) {
    socket.close();
  }
  return socket;
}

LoopbackSocket LoopbackSocket::listening() { return bound(true); }
LoopbackSocket LoopbackSocket::boundOnly() { return bound(false); }

std::uint16_t LoopbackSocket::port() const {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  if (::getsockname(fd(handle_), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
  return ntohs(address.sin_port);
}

LoopbackSocket LoopbackSocket::accept(int timeoutMs) const {
  if (!waitFor(fd(handle_), POLLIN, timeoutMs)) return LoopbackSocket();
  return LoopbackSocket(::accept4(fd(handle_), nullptr, nullptr, SOCK_CLOEXEC));
}

int LoopbackSocket::receive(char* buffer, int size, int timeoutMs) const {
  if (!waitFor(fd(handle_), POLLIN, timeoutMs)) return kTimedOut;
  const ssize_t received = ::recv(fd(handle_), buffer, static_cast<std::size_t>(size), 0);
  return received > 0 ? static_cast<int>(received) : kClosed;
}

bool LoopbackSocket::send(std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd(handle_), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

}  // namespace checks_testing
