#include "headless/fiber.h"

#include <cstdint>
#include <utility>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten/fiber.h>
#else
#include <ucontext.h>
#endif
#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/common_interface_defs.h>
#endif

namespace showsaver {

#ifdef __EMSCRIPTEN__

// Asyncify keeps each side's unwound calls, with their locals, in a buffer
// of its own while the other side runs.
constexpr std::size_t kUnwoundCallsSize = 256 * 1024;

struct Fiber::Context {
  explicit Context(std::size_t size)
      : stack(new char[size]),
        stack_size(size),
        own_calls(kUnwoundCallsSize),
        caller_calls(kUnwoundCallsSize) {}

  std::unique_ptr<char[]> stack;
  std::size_t stack_size;
  std::vector<char> own_calls;
  std::vector<char> caller_calls;
  emscripten_fiber_t own{};
  emscripten_fiber_t caller{};
};

Fiber::Fiber(std::function<void()> body, std::size_t stack_size)
    : body_(std::move(body)), context_(std::make_unique<Context>(stack_size)) {
  emscripten_fiber_init(
      &context_->own, [](void* fiber) { enter(*static_cast<Fiber*>(fiber)); }, this,
      context_->stack.get(), context_->stack_size, context_->own_calls.data(),
      context_->own_calls.size());
}

void Fiber::resume() {
  if (finished_) return;
  emscripten_fiber_init_from_current_context(&context_->caller, context_->caller_calls.data(),
                                             context_->caller_calls.size());
  emscripten_fiber_swap(&context_->caller, &context_->own);
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void Fiber::suspend() {
  emscripten_fiber_swap(&context_->own, &context_->caller);
}

void Fiber::switch_to_caller() {
  suspend();
}

#else

namespace {

// The address sanitizer is told of each switch, so that it checks the stack
// that runs against its own bounds.
void start_switch(void** fake_stack_kept, const void* bottom, std::size_t size) {
#ifdef __SANITIZE_ADDRESS__
  __sanitizer_start_switch_fiber(fake_stack_kept, bottom, size);
#else
  (void)fake_stack_kept, (void)bottom, (void)size;
#endif
}
void finish_switch(void* fake_stack, const void** left_bottom, std::size_t* left_size) {
#ifdef __SANITIZE_ADDRESS__
  __sanitizer_finish_switch_fiber(fake_stack, left_bottom, left_size);
#else
  (void)fake_stack, (void)left_bottom, (void)left_size;
#endif
}

}  // namespace

struct Fiber::Context {
  // The stack's pages are left untouched until the fiber uses them.
  explicit Context(std::size_t size) : stack(new char[size]), stack_size(size) {}

  std::unique_ptr<char[]> stack;
  std::size_t stack_size;
  ucontext_t own{};
  ucontext_t caller{};
  // What the sanitizer keeps of each side's stack while the other runs.
  void* own_fake_stack = nullptr;
  void* caller_fake_stack = nullptr;
  const void* caller_bottom = nullptr;
  std::size_t caller_size = 0;
};

Fiber::Fiber(std::function<void()> body, std::size_t stack_size)
    : body_(std::move(body)), context_(std::make_unique<Context>(stack_size)) {
  getcontext(&context_->own);
  context_->own.uc_stack.ss_sp = context_->stack.get();
  context_->own.uc_stack.ss_size = context_->stack_size;
  context_->own.uc_link = nullptr;
  // makecontext passes int arguments only: the pointer goes in two halves.
  const auto address = reinterpret_cast<std::uintptr_t>(this);
  const auto entry = +[](unsigned high, unsigned low) {
    enter(*reinterpret_cast<Fiber*>(static_cast<std::uintptr_t>(std::uint64_t{high} << 32 | low)));
  };
  makecontext(&context_->own, reinterpret_cast<void (*)()>(entry), 2,
              static_cast<unsigned>(std::uint64_t{address} >> 32),
              static_cast<unsigned>(address & 0xFFFFFFFFu));
}

void Fiber::resume() {
  if (finished_) return;
  start_switch(&context_->caller_fake_stack, context_->stack.get(), context_->stack_size);
  swapcontext(&context_->caller, &context_->own);
  finish_switch(context_->caller_fake_stack, nullptr, nullptr);
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void Fiber::suspend() {
  start_switch(&context_->own_fake_stack, context_->caller_bottom, context_->caller_size);
  swapcontext(&context_->own, &context_->caller);
  finish_switch(context_->own_fake_stack, &context_->caller_bottom, &context_->caller_size);
}

void Fiber::switch_to_caller() {
  start_switch(nullptr, context_->caller_bottom, context_->caller_size);
  setcontext(&context_->caller);
}

#endif

Fiber::~Fiber() = default;

void Fiber::enter(Fiber& fiber) {
#ifndef __EMSCRIPTEN__
  finish_switch(nullptr, &fiber.context_->caller_bottom, &fiber.context_->caller_size);
#endif
  try {
    fiber.body_();
  } catch (...) {
    fiber.failure_ = std::current_exception();
  }
  fiber.finished_ = true;
  // A fiber's first function never returns: its stack has nowhere to go.
  fiber.switch_to_caller();
}

}  // namespace showsaver
