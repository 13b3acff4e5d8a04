#pragma once
// A shell that opens nothing and remembers what it was asked to open, in order.

#include <vector>

#include "platform/shell.h"

namespace testing_support {

class RecordingShell final : public platform::Shell {
 public:
  enum class Opener { Browser, FileManager };
  struct Request {
    Opener opener;
    base::TextValue target;
    bool operator==(const Request&) const = default;
  };

  bool openWebAddress(const base::TextValue& address) override {
    requests.push_back({Opener::Browser, address});
    return true;
  }
  bool openInFileManager(const base::TextValue& ftpAddress) override {
    requests.push_back({Opener::FileManager, ftpAddress});
    return true;
  }

  std::vector<Request> requests;
};

}  // namespace testing_support
