#include "checks/probe_url.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace checks {
namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isAsciiAlphanumeric(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (lowerAscii(c) >= 'a' && lowerAscii(c) <= 'f'); }

bool isValidHostName(std::string_view host) {
  if (host.empty()) return false;
  for (char c : host) {
    if (!isAsciiAlphanumeric(c) && c != '-' && c != '.' && c != '_') return false;
  }
  return true;
}

bool isValidBracketedAddress(std::string_view host) {
  if (host.size() < 3 || host.front() != '[' || host.back() != ']') return false;
  for (char c : host.substr(1, host.size() - 2)) {
    if (!isHexDigit(c) && c != ':' && c != '.') return false;
  }
  return true;
}

// Digits only, 1..65535; an empty port text means the scheme's port.
std::optional<std::uint16_t> parsePort(std::string_view text, std::uint16_t schemePort) {
  if (text.empty()) return schemePort;
  std::uint32_t port = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + static_cast<std::uint32_t>(c - '0');
    if (port > 65535) return std::nullopt;
  }
  if (port == 0) return std::nullopt;
  return static_cast<std::uint16_t>(port);
}

bool mustBeEncoded(unsigned char byte) {
  if (byte <= 0x20 || byte >= 0x7F) return true;
  return std::string_view("\"<>\\^`{|}").find(static_cast<char>(byte)) != std::string_view::npos;
}

std::string percentEncode(std::string_view utf8) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (mustBeEncoded(byte)) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

}  // namespace

base::TextValue normaliseProbeUrl(std::string_view url) {
  if (url.empty()) return {};
  base::TextValue normalised;
  if (!base::startsWithTextIgnoreCase(url, kHttp) && !base::startsWithTextIgnoreCase(url, kHttps)) normalised = kHttp;
  normalised += url;
  const std::size_t fragment = base::findText(normalised, "#");
  if (fragment != base::kNotFound) normalised.erase(fragment);
  return normalised;
}

std::optional<ProbeTarget> parseProbeTarget(std::string_view normalisedUrl) {
  ProbeTarget target;
  std::string_view rest;
  if (base::startsWithTextIgnoreCase(normalisedUrl, kHttps)) {
    target.secure = true;
    rest = normalisedUrl.substr(kHttps.size());
  } else if (base::startsWithTextIgnoreCase(normalisedUrl, kHttp)) {
    rest = normalisedUrl.substr(kHttp.size());
  } else {
    return std::nullopt;
  }

  const std::size_t authorityEnd = std::min(rest.find_first_of("/?"), rest.size());
  std::string_view authority = rest.substr(0, authorityEnd);
  std::string_view path = rest.substr(authorityEnd);
  const std::size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);

  // host[:port], the host of an IPv6 address in brackets
  const bool bracketed = authority.starts_with('[');
  const std::size_t hostEnd = bracketed ? authority.find(']') + 1 : authority.find(':');
  if (bracketed && hostEnd == 0) return std::nullopt;  // no closing bracket
  const std::string_view host = authority.substr(0, hostEnd);
  std::string_view portText = hostEnd < authority.size() ? authority.substr(hostEnd) : std::string_view();
  if (!portText.empty()) {
    if (portText.front() != ':') return std::nullopt;
    portText.remove_prefix(1);
  }
  if (bracketed ? !isValidBracketedAddress(host) : !isValidHostName(host)) return std::nullopt;
  const std::optional<std::uint16_t> port = parsePort(portText, target.secure ? 443 : 80);
  if (!port) return std::nullopt;

  target.host = std::string(host);
  target.port = *port;
  target.path = percentEncode(platform::gbkToUtf8(path));
  if (!target.path.starts_with('/')) target.path.insert(0, "/");
  return target;
}

std::string targetUrl(const ProbeTarget& target) {
  return std::string(target.secure ? kHttps : kHttp) + target.host + ":" + std::to_string(target.port) +
         target.path;
}

}  // namespace checks
