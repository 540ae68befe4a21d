// A function run on a stack of its own, which it leaves at each suspend()
// for the caller's resume() to continue it: natively a ucontext, in
// WebAssembly one of emscripten's fibers (which need -sASYNCIFY).  The
// headless player plays a show on one to hand out one frame per call.
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>

namespace showsaver {

class Fiber {
 public:
#ifdef __EMSCRIPTEN__
  static constexpr std::size_t kDefaultStackSize = std::size_t{1} << 20;
#else
  static constexpr std::size_t kDefaultStackSize = std::size_t{8} << 20;
#endif
  // The stack is a thread's natively (8 MiB, taken from the system as it is
  // used) and 1 MiB of the module's memory in WebAssembly.
  explicit Fiber(std::function<void()> body, std::size_t stack_size = kDefaultStackSize);
  ~Fiber();
  Fiber(const Fiber&) = delete;
  Fiber& operator=(const Fiber&) = delete;

  // From the caller: runs the body until it suspends or returns.  An
  // exception the body let out is thrown here, and the body is finished.
  void resume();
  // From the body: back to the caller's resume().
  void suspend();
  bool finished() const {
    return finished_;
  }

 private:
  struct Context;
  static void enter(Fiber& fiber);
  // Leaves the body's stack for the caller's; for good when the body is done.
  void switch_to_caller();

  std::function<void()> body_;
  std::unique_ptr<Context> context_;
  std::exception_ptr failure_;
  bool finished_ = false;
};

}  // namespace showsaver
