#pragma once
// HttpClient: probes web addresses for their HTTP status code, for the PING command. Each thread
// that probes owns its own client; a client may run any number of probes, one after the other,
// until it is cancelled (from any thread).

#include <atomic>
#include <cstdint>
#include <memory>

#include "base/text_value.h"

namespace checks {

class HttpTransport;

// How long a probe waits for the answer when the caller passes 0 seconds.
inline constexpr std::int32_t kDefaultProbeWaitSeconds = 25;
// The longest wait a caller can ask for.
inline constexpr std::int32_t kMaxProbeWaitSeconds = 3600;

// The wait of a probe in milliseconds: the caller's seconds, kDefaultProbeWaitSeconds for 0 or a
// negative number, at most kMaxProbeWaitSeconds.
std::int64_t probeWaitMilliseconds(std::int32_t waitSeconds);

class HttpClient {
 public:
  HttpClient();
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // GETs `url` (GBK; normalised as by normaliseProbeUrl) without following redirects and returns
  // the status code of the answer (so a redirect gives 301, 302, ...). 0 when there is none: an
  // empty or unusable address, a failed name lookup or connection, or no answer within the wait.
  std::int32_t probeStatus(const base::TextValue& url, std::int32_t waitSeconds);

  // Ends the probe in flight at once with status 0, and every later probe before it starts. Safe to
  // call from another thread while a probe runs; a client stays cancelled.
  void cancel();
  bool cancelled() const { return cancelled_; }

 private:
  std::unique_ptr<HttpTransport> transport_;  // null when the platform's HTTP stack is missing
  std::atomic<bool> cancelled_{false};
};

}  // namespace checks
