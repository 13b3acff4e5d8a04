#include "tests/checks/loopback_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <utility>

namespace checks_testing {
namespace {

SOCKET native(std::intptr_t handle) { return static_cast<SOCKET>(handle); }

bool readable(SOCKET socket, int timeoutMs) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(socket, &set);
  timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  return ::select(0, &set, nullptr, nullptr, &timeout) == 1;
}

}  // namespace

SocketLibrary::SocketLibrary() {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
}

SocketLibrary::~SocketLibrary() { ::WSACleanup(); }

LoopbackSocket::~LoopbackSocket() { close(); }

LoopbackSocket::LoopbackSocket(LoopbackSocket&& other) noexcept
    : handle_(std::exchange(other.handle_, kInvalid)) {}

LoopbackSocket& LoopbackSocket::operator=(LoopbackSocket&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

void LoopbackSocket::close() {
  if (valid()) ::closesocket(native(std::exchange(handle_, kInvalid)));
}

LoopbackSocket LoopbackSocket::bound(bool listen) {
  const SOCKET created = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  LoopbackSocket socket(created == INVALID_SOCKET ? kInvalid : static_cast<std::intptr_t>(created));
  if (!socket.valid()) return socket;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(created, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      (listen && ::listen(created, 16) != 0)) {
    socket.close();
  }
  return socket;
}

LoopbackSocket LoopbackSocket::listening() { return bound(true); }
LoopbackSocket LoopbackSocket::boundOnly() { return bound(false); }

std::uint16_t LoopbackSocket::port() const {
  sockaddr_in address{};
  int size = sizeof address;
  if (::getsockname(native(handle_), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
  return ntohs(address.sin_port);
}

LoopbackSocket LoopbackSocket::accept(int timeoutMs) const {
  if (!readable(native(handle_), timeoutMs)) return LoopbackSocket();
  const SOCKET accepted = ::accept(native(handle_), nullptr, nullptr);
  return LoopbackSocket(accepted == INVALID_SOCKET ? kInvalid : static_cast<std::intptr_t>(accepted));
}

int LoopbackSocket::receive(char* buffer, int size, int timeoutMs) const {
  if (!readable(native(handle_), timeoutMs)) return kTimedOut;
  const int received = ::recv(native(handle_), buffer, size, 0);
  return received > 0 ? received : kClosed;
}

bool LoopbackSocket::send(std::string_view bytes) const {
  while (!bytes.empty()) {
    const int sent = ::send(native(handle_), bytes.data(), static_cast<int>(bytes.size()), 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

}  // namespace checks_testing
