#pragma once
// The PING run: the addresses of every row probed over HTTP by worker threads, at most five at a
// time, while the UI thread keeps handling events. Workers only probe: a row's addresses are copied
// out on the UI thread before its worker starts, and each result comes back through a locked queue
// that the UI thread drains and applies. Only the UI thread touches the grid and the database.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "base/text_value.h"

namespace checks {

// What the UI thread and the workers share; one for the whole program.
struct PingState {
  std::atomic<bool> pingRunning{false};  // a run is going
  std::atomic<bool> pingStop{false};     // start no more workers; a worker ends after its field
  std::atomic<int> pingThreads{0};       // workers started and not yet ended
  std::mutex pingLock;                   // guards the queue of results
};

inline constexpr int kMaxPingWorkers = 5;
inline constexpr int kPingPollMilliseconds = 10;
inline constexpr std::int32_t kPingWaitSeconds = 10;

// One PING field of a row: its field number and the address (the linked field's cell text).
struct PingProbe {
  int field = 0;
  base::TextValue address;
};

// A row's work, read on the UI thread before its worker starts.
struct PingJob {
  int row = 0;  // grid row, from 1
  std::int32_t recordId = 0;
  std::vector<PingProbe> probes;
};

// The outcome of one finished probe.
struct PingResult {
  int row = 0;
  std::int32_t recordId = 0;
  int field = 0;
  base::TextValue text;
  bool operator==(const PingResult&) const = default;
};

enum class PingEnd {
  Finished,   // every row was probed
  Stopped,    // pingStop: no further rows; the probes in flight finished and were applied
  Cancelled,  // the events asked the run to end: the probes in flight were cancelled, not applied
  NoThread,   // a worker's thread could not be started: no further rows, that row untouched; the
              // probes in flight finished and were applied
};

// Starts a thread that runs `work`; throws std::system_error when the system starts no thread.
using ThreadStarter = std::function<std::thread(std::function<void()> work)>;

// std::thread's own start.
std::thread startSystemThread(std::function<void()> work);

struct PingRunContext {
  PingState& state;
  int rowCount = 0;
  std::function<PingJob(int row)> jobForRow;
  std::function<void(const PingResult&)> applyResult;
  // Lets the waiting UI events run; false when they ask the run to end at once (the program is
  // closing).
  std::function<bool()> letEventsRun;
  ThreadStarter startThread = startSystemThread;  // each worker's thread
};

// The address as probed: "http://" goes in front unless its first four bytes are "http" in any
// letter case.
base::TextValue pingAddress(const base::TextValue& address);

// durationText of the elapsed milliseconds + "(状态码:" + status + ")".
base::TextValue pingResultText(std::int64_t elapsedMilliseconds, std::int32_t status);

// The driver, on the UI thread: starts a worker for every row that has probes (none while five run,
// none once pingStop is set or a thread could not be started), waits with the events running until
// every worker has ended, and applies every result as it arrives. Returns when the run is over.
PingEnd runPing(const PingRunContext& context);

}  // namespace checks
