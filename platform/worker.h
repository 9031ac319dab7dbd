// One job at a time on a thread of its own, so that a blocking call (the
// rule database download) does not freeze the windows. The job must not
// touch models or windows of the user-interface thread: it hands its result
// back through memory it owns, which the caller reads once Busy() is false.
#pragma once
#include <functional>

namespace zt {

class Worker {
 public:
  virtual ~Worker() = default;
  // Starts the job. False when an earlier job is still running or no thread
  // can be made; the job is then not run at all. Exceptions thrown by the
  // job end it and go no further.
  virtual bool Start(std::function<void()> job) = 0;
  // True while a started job has not ended. Once it reports false, all that
  // the job wrote is visible to the caller.
  virtual bool Busy() = 0;
  // Waits up to ms milliseconds for the running job; true when none runs.
  virtual bool Wait(unsigned ms) = 0;
  // Stops waiting for the running job: it ends on its own, and the caller
  // no longer reads what it writes. Busy() is false afterwards, so the next
  // job can start at once.
  virtual void Abandon() = 0;
};

}  // namespace zt
