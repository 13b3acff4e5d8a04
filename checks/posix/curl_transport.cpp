// The probe's transport on POSIX systems: libcurl, one easy handle per client.

#include <curl/curl.h>

#include <string>
#include <string_view>

#include "checks/http_transport.h"
#include "checks/posix/curl_handles.h"

namespace checks {
namespace {

// What one exchange learns; the callbacks end the transfer as soon as the headers of the final
// response are in, so the body is never read.
struct Exchange {
  CURL* easy = nullptr;
  long status = 0;
};

long responseCode(CURL* easy) {
  long code = 0;
  if (curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK) return 0;
  return code;
}

std::size_t onHeaderLine(char* data, std::size_t size, std::size_t count, void* user) {
  auto* exchange = static_cast<Exchange*>(user);
  const std::size_t length = size * count;
  const std::string_view line(data, length);
  if (line == "\r\n" || line == "\n") {
    // The end of a header block; an interim (1xx) response is followed by the real one.
    const long code = responseCode(exchange->easy);
    if (code >= 200) {
      exchange->status = code;
      return 0;  // stops the transfer
    }
  }
  return length;
}

std::size_t onBody(char*, std::size_t, std::size_t, void* user) {
  auto* exchange = static_cast<Exchange*>(user);
  exchange->status = responseCode(exchange->easy);
  return 0;  // stops the transfer
}

// curl cannot time the name lookup apart from the connection: the two share one limit, their sum.
// Sending a GET takes no measurable time; the wait bounds it with everything else.
void applyTimeouts(CURL* easy, const ProbeRequest& request) {
  const ProbeTimeouts& t = request.timeouts;
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(t.resolve) + t.connect);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(request.waitMilliseconds));
  // Less than one byte a second over the receive timeout: nothing arrived for that long.
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>((t.receive + 999) / 1000));
}

class CurlTransport final : public HttpTransport {
 public:
  CurlTransport() {
    if (library_.ready()) easy_.reset(curl_easy_init());
  }

  bool ready() const { return easy_ != nullptr; }

  std::int32_t fetchStatus(const ProbeRequest& request) override {
    CURL* easy = easy_.get();
    curl_easy_reset(easy);  // keeps the connection cache
    Exchange exchange{easy};
    const std::string url = targetUrl(request.target);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);  // the path goes out as given
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kProbeUserAgent);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);  // other threads probe too
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeaderLine);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &exchange);
    applyTimeouts(easy, request);
    curl_easy_perform(easy);  // ends in an error once the callbacks stop it; the status tells
    return static_cast<std::int32_t>(exchange.status);
  }

 private:
  posix::CurlLibrary library_;
  posix::UniqueCurlEasy easy_;
};

}  // namespace

std::unique_ptr<HttpTransport> makePlatformTransport() {
  auto transport = std::make_unique<CurlTransport>();
  if (!transport->ready()) return nullptr;
  return transport;
}

}  // namespace checks
