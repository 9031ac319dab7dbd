// Stand-in worker: runs the job at once on the calling thread, or, when
// told to defer, holds it until the test lets it run, so that tests can act
// while a download is "in progress".
#pragma once
#include <functional>
#include <vector>

#include "platform/worker.h"

namespace zt {

class SimWorker : public Worker {
 public:
  bool Start(std::function<void()> job) override;
  bool Busy() override { return static_cast<bool>(pending_) || running_; }
  // A held job stays held: only RunPending ends it.
  bool Wait(unsigned) override { return !Busy(); }

  // Runs the held job, if any.
  void RunPending();
  // The held job is dropped (a thread that ends on its own, unseen); it is
  // kept in `abandoned`, so that a test can still run it.
  void Abandon() override;
  std::vector<std::function<void()>> abandoned;

  bool deferred = false;  // hold jobs until RunPending
  bool refuse = false;    // no thread can be made
  int starts = 0;         // jobs accepted

 private:
  void Run(const std::function<void()>& job);
  std::function<void()> pending_;
  bool running_ = false;
};

}  // namespace zt
