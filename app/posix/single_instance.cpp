#include "app/single_instance.h"

namespace app {

// Outside Windows the program runs only headless (in tests): there is no other copy to find.
bool findRunningCopy(const base::TextValue& /*windowClass*/) { return false; }

}  // namespace app
