#include "checks/http_client.h"

#include <algorithm>

#include "checks/http_transport.h"
#include "checks/probe_url.h"

namespace checks {
namespace {

// A status line carries three digits; anything else is no status.
std::int32_t validStatus(std::int32_t status) { return status >= 100 && status <= 999 ? status : 0; }

}  // namespace

std::int64_t probeWaitMilliseconds(std::int32_t waitSeconds) {
  if (waitSeconds <= 0) return std::int64_t{kDefaultProbeWaitSeconds} * 1000;
  return std::int64_t{std::min(waitSeconds, kMaxProbeWaitSeconds)} * 1000;
}

HttpClient::HttpClient() : transport_(makePlatformTransport()) {}

HttpClient::~HttpClient() = default;

void HttpClient::cancel() {
  cancelled_ = true;
  if (transport_) transport_->cancel();
}

std::int32_t HttpClient::probeStatus(const base::TextValue& url, std::int32_t waitSeconds) {
  if (!transport_ || cancelled_) return 0;
  const std::optional<ProbeTarget> target = parseProbeTarget(normaliseProbeUrl(url));
  if (!target) return 0;
  ProbeRequest request;
  request.target = *target;
  request.waitMilliseconds = probeWaitMilliseconds(waitSeconds);
  return validStatus(transport_->fetchStatus(request));
}

}  // namespace checks
