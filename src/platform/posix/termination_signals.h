// SIGTERM, SIGINT and SIGHUP as a request to end the run cleanly: instead of
// killing the program, each makes a file descriptor readable that the
// desktop's message wait watches, so the show stops through its usual path
// and its teardown runs.
#pragma once

namespace showsaver {

// One per process, made before anything else starts threads (so every thread
// inherits the handlers' effect, whichever of them the signal lands on).
class TerminationSignals {
 public:
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // Readable from the first signal on, and stays readable: a request to end
  // is never taken back.  -1 when the handlers could not be installed.
  int fd() const { return read_fd_; }
  // The first signal received, 0 while none has arrived.
  int received() const;

 private:
  int read_fd_ = -1;
};

// True when `fd` (a TerminationSignals::fd(), or -1) has been made readable.
bool end_requested(int fd);

}  // namespace showsaver
