#pragma once
// The desktop shell: handing an address to the programs the user chose for it. Callers make sure
// what they hand over is safe to open (links/safe_target.h); the shell passes it on as it is.

#include <memory>

#include "base/text_value.h"

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a web address (GBK text) in the default browser, with a normally shown window. False
  // when the shell could not be asked.
  virtual bool openWebAddress(const base::TextValue& address) = 0;
  // Starts the file manager in a new window on an FTP address (GBK text), passed as one argument,
  // and waits at most a second for it to be ready for input. False when it could not be started.
  virtual bool openInFileManager(const base::TextValue& ftpAddress) = 0;
};

// The platform's own shell: the Windows shell and file manager; elsewhere one that opens nothing.
std::unique_ptr<Shell> makeNativeShell();

}  // namespace platform
