#pragma once
// The address a probe requests: how the text a user typed becomes a URL, and how that URL is taken
// apart into what goes on the wire. Done here once, so that every platform's HTTP client requests
// exactly the same thing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_value.h"

namespace checks {

// Empty stays empty; "http://" goes in front unless the text begins with "http://" or "https://"
// (in any letter case); everything from the first "#" on is cut off. GBK in and out.
base::TextValue normaliseProbeUrl(std::string_view url);

// Where a GET goes. Every part is ASCII.
struct ProbeTarget {
  bool secure = false;     // https
  std::string host;        // a name, an IPv4 address or a bracketed IPv6 address
  std::uint16_t port = 0;  // 80 or 443 unless the URL names one
  std::string path;        // the request target: begins with "/", the query included

  bool operator==(const ProbeTarget&) const = default;
};

// Takes a normalised URL (GBK) apart. The path is sent as UTF-8 with blanks, control characters,
// characters beyond ASCII and the characters a request line must not hold percent-encoded; a user
// name and password before "@" are dropped. Nothing (no request is made) for a scheme other than
// http or https, an empty or malformed host, or a port outside 1..65535.
std::optional<ProbeTarget> parseProbeTarget(std::string_view normalisedUrl);

// The target as one URL again: "http://host:port/path".
std::string targetUrl(const ProbeTarget& target);

}  // namespace checks
