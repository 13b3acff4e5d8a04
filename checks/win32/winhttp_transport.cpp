// The probe's transport on Windows: WinHTTP's C functions in asynchronous mode, one session per
// client, followed by a bounded wait for the response headers.

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "checks/http_transport.h"
#include "checks/win32/internet_handle.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace checks {
namespace {

using win32::InternetHandle;

// The outcome of one request, shared by the probe and WinHTTP's callbacks. The callbacks may still
// come after the probe has stopped waiting, up to the request's closing callback, so the callbacks
// hold a reference of their own until then.
class Exchange {
 public:
  Exchange() : done_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

  bool ready() const { return done_.valid(); }

  // The first outcome counts.
  void finish(DWORD status) {
    DWORD pending = kPending;
    status_.compare_exchange_strong(pending, status);
    ::SetEvent(done_.get());
  }

  // Waits at most `milliseconds` for the outcome; 0 when none came.
  DWORD wait(DWORD milliseconds) const {
    ::WaitForSingleObject(done_.get(), milliseconds);
    const DWORD status = status_.load();
    return status == kPending ? 0 : status;
  }

 private:
  static constexpr DWORD kPending = ~DWORD{0};
  platform::win32::UniqueHandle done_;
  std::atomic<DWORD> status_{kPending};
};

using ExchangeRef = std::shared_ptr<Exchange>;

constexpr DWORD kNotifications = WINHTTP_CALLBACK_FLAG_SENDREQUEST_COMPLETE | WINHTTP_CALLBACK_FLAG_HEADERS_AVAILABLE |
                                 WINHTTP_CALLBACK_FLAG_REQUEST_ERROR | WINHTTP_CALLBACK_FLAG_HANDLES;

DWORD statusCode(HINTERNET request) {
  DWORD code = 0;
  DWORD size = sizeof code;
  if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &code, &size, WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return code;
}

// Runs on WinHTTP's threads. `context` is the callbacks' reference to the request's Exchange (0 for
// the session and connection handles).
void CALLBACK onRequestStatus(HINTERNET request, DWORD_PTR context, DWORD code, LPVOID, DWORD) {
  if (context == 0) return;
  auto* reference = reinterpret_cast<ExchangeRef*>(context);
  Exchange& exchange = **reference;
  switch (code) {
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
      if (!::WinHttpReceiveResponse(request, nullptr)) exchange.finish(0);
      break;
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
      exchange.finish(statusCode(request));  // the body is not read
      break;
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
      exchange.finish(0);
      break;
    case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING:  // the request's last callback
      exchange.finish(0);
      delete reference;
      break;
    default:
      break;
  }
}

bool disableRedirects(HINTERNET request) {
  DWORD feature = WINHTTP_DISABLE_REDIRECTS;
  if (::WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &feature, sizeof feature)) return true;
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
  return ::WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
}

// Hands a reference to `exchange` to the request's callbacks; false (and no reference handed)
// when the request does not take it.
bool attachExchange(HINTERNET request, const ExchangeRef& exchange, DWORD_PTR& context) {
  auto reference = std::make_unique<ExchangeRef>(exchange);
  context = reinterpret_cast<DWORD_PTR>(reference.get());
  if (!::WinHttpSetOption(request, WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof context)) return false;
  reference.release();  // deleted by the closing callback
  return true;
}

class WinHttpTransport final : public HttpTransport {
 public:
  WinHttpTransport()
      : session_(::WinHttpOpen(platform::win32::wideFromUtf8(kProbeUserAgent).c_str(),
                               WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS,
                               WINHTTP_FLAG_ASYNC)) {
    if (session_ && ::WinHttpSetStatusCallback(session_.get(), onRequestStatus, kNotifications, 0) ==
                        WINHTTP_INVALID_STATUS_CALLBACK) {
      session_ = InternetHandle();
    }
  }

  bool ready() const { return static_cast<bool>(session_); }

  void cancel() override {
    const std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
    if (inFlight_) inFlight_->finish(0);  // the wait returns; leaving it closes the request
  }

  std::int32_t fetchStatus(const ProbeRequest& probe) override {
    auto exchange = std::make_shared<Exchange>();
    if (!exchange->ready() || !startExchange(exchange)) return 0;
    const std::int32_t status = fetchWith(probe, exchange);
    const std::lock_guard<std::mutex> lock(mutex_);
    inFlight_.reset();
    return cancelled_ ? 0 : status;
  }

 private:
  // Makes `exchange` the one a cancel finishes; false once cancelled.
  bool startExchange(const ExchangeRef& exchange) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_) return false;
    inFlight_ = exchange;
    return true;
  }

  std::int32_t fetchWith(const ProbeRequest& probe, const ExchangeRef& exchange) {
    const ProbeTarget& target = probe.target;
    InternetHandle connection(::WinHttpConnect(session_.get(), platform::win32::wideFromUtf8(target.host).c_str(),
                                               target.port, 0));
    if (!connection) return 0;
    InternetHandle request(::WinHttpOpenRequest(connection.get(), L"GET",
                                                platform::win32::wideFromUtf8(target.path).c_str(), nullptr,
                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                target.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request || !disableRedirects(request.get())) return 0;
    const ProbeTimeouts& t = probe.timeouts;
    if (!::WinHttpSetTimeouts(request.get(), t.resolve, t.connect, t.send, t.receive)) return 0;

    DWORD_PTR context = 0;
    if (!attachExchange(request.get(), exchange, context)) return 0;
    if (!::WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                              context)) {
      return 0;
    }
    const auto waitMs = static_cast<DWORD>(std::clamp<std::int64_t>(probe.waitMilliseconds, 0, INFINITE - 1));
    // Leaving closes the request handle, which cancels a request still in flight.
    return static_cast<std::int32_t>(exchange->wait(waitMs));
  }

  InternetHandle session_;
  std::mutex mutex_;
  bool cancelled_ = false;  // guarded by mutex_
  ExchangeRef inFlight_;    // guarded by mutex_
};

}  // namespace

std::unique_ptr<HttpTransport> makePlatformTransport() {
  auto transport = std::make_unique<WinHttpTransport>();
  if (!transport->ready()) return nullptr;
  return transport;
}

}  // namespace checks
