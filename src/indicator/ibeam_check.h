// When the polling tick looks whether the system's I-beam is still the
// labelled one Corvane installed, and when it may install it again. Windows
// puts the scheme's cursors back on every SPI_SETCURSORS, often unannounced;
// a system whose installs change nothing (Wine) or another program that keeps
// putting its own I-beam back must not get a reinstall every second.
#pragma once

#include <array>
#include <cstdint>

namespace corvane {

class IBeamCheck {
 public:
  // A look about once a second (in 100 ms ticks).
  static constexpr int kPeriodTicks = 10;
  // Installs in a row that left the scheme's I-beam in place: the system
  // ignores them, and the check stops until one sticks. More than one, so
  // that a reload landing between an install and its read-back does not
  // switch the check off.
  static constexpr int kUnstuckLimit = 3;
  // At most this many reinstalls by the check within kWindowTicks (ten seconds).
  static constexpr int kReinstallLimit = 3;
  static constexpr int kWindowTicks = 100;

  // An idle tick with a label drawn: true when a look is due.
  bool Tick();
  // The next idle tick looks (a session change, a resume).
  void Soon() { sinceLook_ = kPeriodTicks; }
  // An install was read back: `stuck` when the system's I-beam became the new cursor.
  void Installed(bool stuck) { unstuck_ = stuck ? 0 : unstuck_ + 1; }
  bool LastInstallStuck() const { return unstuck_ == 0; }
  // The look found another I-beam: true, and counted, when a reinstall is
  // allowed now; otherwise the check waits for Resume().
  bool MayReinstall();
  // A layout change or an announced reload: a check that waited goes on.
  void Resume() { waiting_ = false; }
  bool Active() const { return unstuck_ < kUnstuckLimit && !waiting_; }

 private:
  std::uint32_t ticks_ = 0;
  int sinceLook_ = 0;
  int unstuck_ = 0;
  bool waiting_ = false;
  // The ticks of the last kReinstallLimit reinstalls, oldest at next_ once full.
  std::array<std::uint32_t, kReinstallLimit> reinstalls_{};
  int reinstallCount_ = 0;
  int next_ = 0;
};

}  // namespace corvane
