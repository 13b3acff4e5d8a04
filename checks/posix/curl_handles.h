#pragma once
// Owners of libcurl's library use, of an easy handle and of a multi handle.

#include <curl/curl.h>

#include <memory>

namespace checks::posix {

// libcurl's process-wide set-up, counted by the library: held by every object that uses libcurl.
// Clients are made on several threads at once; libcurl allows that where it reports
// CURL_VERSION_THREADSAFE (7.84 and later, built with atomics, as the distributions ship it).
class CurlLibrary {
 public:
  CurlLibrary() : ready_(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}
  ~CurlLibrary() {
    if (ready_) curl_global_cleanup();
  }
  CurlLibrary(const CurlLibrary&) = delete;
  CurlLibrary& operator=(const CurlLibrary&) = delete;

  bool ready() const { return ready_; }

 private:
  bool ready_;
};

struct CurlEasyCleanup {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using UniqueCurlEasy = std::unique_ptr<CURL, CurlEasyCleanup>;

struct CurlMultiCleanup {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using UniqueCurlMulti = std::unique_ptr<CURLM, CurlMultiCleanup>;

}  // namespace checks::posix
