#pragma once
// The one thing the probe needs from a platform's HTTP stack, behind a narrow interface: WinHTTP on
// Windows (checks/win32/), libcurl elsewhere (checks/posix/). Everything both share (the URL, the
// timeouts, the wait) is decided before a transport sees it.

#include <cstdint>
#include <memory>

#include "checks/probe_url.h"

namespace checks {

// Timeouts of the single steps of a request, in milliseconds.
struct ProbeTimeouts {
  std::int32_t resolve = 5000;
  std::int32_t connect = 5000;
  std::int32_t send = 10000;
  std::int32_t receive = 5000;  // for each wait for bytes of the response
};

// The User-Agent header every probe sends: the one of the Windows request object, so that servers
// answer the probe as they answer the program.
inline constexpr char kProbeUserAgent[] = "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";

struct ProbeRequest {
  ProbeTarget target;
  ProbeTimeouts timeouts;
  std::int64_t waitMilliseconds = 0;  // the whole exchange, from the start until the headers are in
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;

  // Sends a GET without a body, without following redirects, and returns the status code as soon
  // as the response's status line and headers are in (the body is not read). 0 when the request
  // fails or no headers arrived within the wait; the call returns by then.
  virtual std::int32_t fetchStatus(const ProbeRequest& request) = 0;
  // Ends the request in flight at once (its fetchStatus returns 0) and every later one before it
  // starts. The one call that another thread may make while fetchStatus runs.
  virtual void cancel() = 0;
};

// The platform's transport, one per thread that probes. Null when the HTTP stack cannot be set up.
std::unique_ptr<HttpTransport> makePlatformTransport();

}  // namespace checks
