#pragma once
// The PING command in the program: a list page of `rows` rows whose addresses a server on
// 127.0.0.1 answers after `delayMs` milliseconds, probed through the program's own driver on the
// headless toolkit. Timed from the click on "开始PING" (its question answered OK) until the last
// result is applied; the ideal is ⌈rows / 5⌉ × delayMs.

#include <optional>
#include <string>

namespace bench {

struct PingTiming {
  double milliseconds = 0;
  double idealMilliseconds = 0;
  int mostProbesAtOnce = 0;  // as the server counted them
  int rowsWithResult = 0;
};

// Sets up a run folder under `runFolder` (GBK) with the list and runs PING once; nothing (and
// `error` set) when something could not be set up or not every row got its result.
std::optional<PingTiming> timePing(const std::string& runFolder, int rows, int delayMs, std::string& error);

}  // namespace bench
