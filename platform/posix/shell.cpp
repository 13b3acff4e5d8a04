// Outside Windows the program runs headless (tests, tools): there is no desktop to hand addresses
// to, and every request says so.

#include "platform/shell.h"

namespace platform {
namespace {

class NoDesktopShell final : public Shell {
 public:
  bool openWebAddress(const base::TextValue&) override { return false; }
  bool openInFileManager(const base::TextValue&) override { return false; }
};

}  // namespace

std::unique_ptr<Shell> makeNativeShell() { return std::make_unique<NoDesktopShell>(); }

}  // namespace platform
