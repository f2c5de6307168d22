// Runs a clean-up step when the scope ends, however it ends.
#pragma once

#include <utility>

namespace corvane::platform {

template <class F>
class ScopeExit {
 public:
  explicit ScopeExit(F onExit) noexcept : onExit_(std::move(onExit)) {}
  ~ScopeExit() { onExit_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F onExit_;
};

}  // namespace corvane::platform
