#include "platform/local_time.h"

namespace platform::native {

void toLocalTime(std::time_t moment, std::tm& parts) { localtime_r(&moment, &parts); }

}  // namespace platform::native
