#include "indicator/ibeam_check.h"

namespace corvane {

bool IBeamCheck::Tick() {
  ++ticks_;
  if (!Active() || ++sinceLook_ < kPeriodTicks) return false;
  sinceLook_ = 0;
  return true;
}

bool IBeamCheck::MayReinstall() {
  if (reinstallCount_ >= kReinstallLimit && ticks_ - reinstalls_[next_] < kWindowTicks) {
    waiting_ = true;
    return false;
  }
  reinstalls_[next_] = ticks_;
  next_ = (next_ + 1) % kReinstallLimit;
  if (reinstallCount_ < kReinstallLimit) ++reinstallCount_;
  return true;
}

}  // namespace corvane
