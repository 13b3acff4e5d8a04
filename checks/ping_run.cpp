#include "checks/ping_run.h"

#include <chrono>
#include <condition_variable>
#include <list>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "checks/duration_text.h"
#include "checks/http_client.h"

namespace checks {
namespace {

using Clock = std::chrono::steady_clock;

class PingRun {
 public:
  explicit PingRun(const PingRunContext& context) : context_(context), state_(context.state) {}
  ~PingRun() {
    cancelAll();
    for (const auto& worker : workers_) worker->thread.join();
  }
  PingRun(const PingRun&) = delete;
  PingRun& operator=(const PingRun&) = delete;

  PingEnd run();

 private:
  struct Worker {
    explicit Worker(PingJob j) : job(std::move(j)) {}
    PingJob job;
    HttpClient client;  // its own; only cancel() comes from the UI thread
    std::atomic<bool> ended{false};
    std::thread thread;
  };

  // False when its thread could not be started: nothing of it remains.
  bool start(PingJob job);
  void work(Worker& worker);
  // Applies what has arrived and lets the events run, until `busy` is false.
  template <typename Busy>
  void waitWhile(Busy busy);
  void applyArrivedResults();
  void joinEndedWorkers();
  void cancelAll();

  const PingRunContext& context_;
  PingState& state_;
  std::list<std::unique_ptr<Worker>> workers_;  // UI thread only
  std::vector<PingResult> arrived_;             // guarded by state_.pingLock
  std::condition_variable changed_;             // a result arrived or a worker ended
  bool cancelled_ = false;
  bool threadRefused_ = false;
};

PingEnd PingRun::run() {
  state_.pingThreads = 0;
  for (int row = 1; row <= context_.rowCount; ++row) {
    if (state_.pingStop) break;
    waitWhile([this] { return state_.pingThreads >= kMaxPingWorkers; });
    if (state_.pingStop) break;
    PingJob job = context_.jobForRow(row);
    if (!job.probes.empty() && !start(std::move(job))) {
      threadRefused_ = true;
      break;
    }
  }
  waitWhile([this] { return state_.pingThreads > 0; });
  applyArrivedResults();
  joinEndedWorkers();
  if (cancelled_) return PingEnd::Cancelled;
  if (threadRefused_) return PingEnd::NoThread;
  return state_.pingStop ? PingEnd::Stopped : PingEnd::Finished;
}

bool PingRun::start(PingJob job) {
  auto worker = std::make_unique<Worker>(std::move(job));
  Worker& started = *worker;
  ++state_.pingThreads;
  workers_.push_back(std::move(worker));
  try {
    started.thread = context_.startThread([this, &started] { work(started); });
  } catch (const std::system_error&) {
    workers_.pop_back();
    --state_.pingThreads;
    return false;
  }
  return true;
}

// On the worker's thread: nothing here touches the grid or the database.
void PingRun::work(Worker& worker) {
  for (const PingProbe& probe : worker.job.probes) {
    const Clock::time_point start = Clock::now();
    const std::int32_t status = worker.client.probeStatus(pingAddress(probe.address), kPingWaitSeconds);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    // A cancelled probe learned nothing about the server: no result to store.
    if (worker.client.cancelled()) break;
    {
      const std::lock_guard<std::mutex> lock(state_.pingLock);
      arrived_.push_back({worker.job.row, worker.job.recordId, probe.field, pingResultText(elapsed, status)});
    }
    changed_.notify_one();
    if (state_.pingStop) break;
  }
  {
    const std::lock_guard<std::mutex> lock(state_.pingLock);
    worker.ended = true;
    --state_.pingThreads;
  }
  changed_.notify_one();
}

template <typename Busy>
void PingRun::waitWhile(Busy busy) {
  applyArrivedResults();
  joinEndedWorkers();
  while (busy()) {
    {
      // Wakes early when a worker ends or a result arrives; never spins.
      std::unique_lock<std::mutex> lock(state_.pingLock);
      changed_.wait_for(lock, std::chrono::milliseconds(kPingPollMilliseconds),
                        [this, &busy] { return !arrived_.empty() || !busy(); });
    }
    applyArrivedResults();
    joinEndedWorkers();
    if (!context_.letEventsRun() && !cancelled_) {
      cancelled_ = true;
      state_.pingStop = true;
      cancelAll();
    }
  }
}

void PingRun::applyArrivedResults() {
  std::vector<PingResult> results;
  {
    const std::lock_guard<std::mutex> lock(state_.pingLock);
    results.swap(arrived_);
  }
  for (const PingResult& result : results) context_.applyResult(result);
}

void PingRun::joinEndedWorkers() {
  for (auto it = workers_.begin(); it != workers_.end();) {
    if ((*it)->ended) {
      (*it)->thread.join();
      it = workers_.erase(it);
    } else {
      ++it;
    }
  }
}

void PingRun::cancelAll() {
  for (const auto& worker : workers_) worker->client.cancel();
}

}  // namespace

base::TextValue pingAddress(const base::TextValue& address) {
  return base::startsWithTextIgnoreCase(address, "http") ? address : "http://" + address;
}

base::TextValue pingResultText(std::int64_t elapsedMilliseconds, std::int32_t status) {
  return durationText(elapsedMilliseconds) + "(状态码:" + std::to_string(status) + ")";
}

std::thread startSystemThread(std::function<void()> work) { return std::thread(std::move(work)); }

PingEnd runPing(const PingRunContext& context) {
  PingRun run(context);
  return run.run();
}

}  // namespace checks
