// The probe's transport on POSIX systems: libcurl, one easy handle per client, driven through a
// multi handle of its own so that another thread can wake it and end the transfer.

#include <curl/curl.h>

#include <atomic>
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

// The longest a transfer waits for its sockets between two looks; a cancel wakes it earlier, and
// curl's own timeouts shorten it where they are due sooner.
constexpr int kPollMilliseconds = 1000;

class CurlTransport final : public HttpTransport {
 public:
  CurlTransport() {
    if (!library_.ready()) return;
    easy_.reset(curl_easy_init());
    multi_.reset(curl_multi_init());
  }

  bool ready() const { return easy_ != nullptr && multi_ != nullptr; }

  void cancel() override {
    cancelled_ = true;
    curl_multi_wakeup(multi_.get());  // callable from any thread
  }

  std::int32_t fetchStatus(const ProbeRequest& request) override {
    if (cancelled_) return 0;
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
    // The transfer ends in an error once the callbacks stop it; the status tells.
    if (curl_multi_add_handle(multi_.get(), easy) != CURLM_OK) return 0;
    int running = 1;
    while (!cancelled_ && curl_multi_perform(multi_.get(), &running) == CURLM_OK && running > 0) {
      curl_multi_poll(multi_.get(), nullptr, 0, kPollMilliseconds, nullptr);
    }
    curl_multi_remove_handle(multi_.get(), easy);
    return cancelled_ ? 0 : static_cast<std::int32_t>(exchange.status);
  }

 private:
  posix::CurlLibrary library_;
  posix::UniqueCurlEasy easy_;
  posix::UniqueCurlMulti multi_;
  std::atomic<bool> cancelled_{false};
};

}  // namespace

std::unique_ptr<HttpTransport> makePlatformTransport() {
  auto transport = std::make_unique<CurlTransport>();
  if (!transport->ready()) return nullptr;
  return transport;
}

}  // namespace checks
