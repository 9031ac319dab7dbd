// Stand-in worker.
#include "platform/sim/sim_worker.h"

#include <utility>

namespace zt {

bool SimWorker::Start(std::function<void()> job) {
  if (Busy() || refuse) return false;
  ++starts;
  if (deferred) {
    pending_ = std::move(job);
    return true;
  }
  Run(job);
  return true;
}

void SimWorker::RunPending() {
  if (!pending_) return;
  std::function<void()> job = std::move(pending_);
  pending_ = nullptr;
  Run(job);
}

void SimWorker::Abandon() {
  if (pending_) abandoned.push_back(std::move(pending_));
  pending_ = nullptr;
}

void SimWorker::Run(const std::function<void()>& job) {
  // As on a real thread, an exception ends the job and goes no further.
  running_ = true;
  try {
    job();
  } catch (...) {
  }
  running_ = false;
}

}  // namespace zt
