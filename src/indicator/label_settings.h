// The label's options in the settings file beyond its font and colour: the
// labels and colours of the section "Layouts", and "CapsLock" in "fwMain".
// They are read at activation and again whenever the file has changed since,
// which costs one look at the file per change of the label and nothing on an
// idle tick.
#pragma once

#include <cstdint>
#include <string>

#include "indicator/label_style.h"

namespace corvane {

class LabelSettings {
 public:
  // Reads the options from FileName now; an empty name gives none.
  void Open(const std::string& FileName);

  // Reads the options again when the file's last-write time or size differs
  // from the last look, a file that came or went included. True when it did.
  bool Refresh();

  const LayoutLabels& Layouts() const { return layouts_; }
  // "CapsLock=1": the label shows whether Caps Lock is on.
  bool CapsLock() const { return capsLock_; }

 private:
  struct Stamp {
    bool exists = false;
    std::uint64_t written = 0;
    std::uint64_t size = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };
  static Stamp Look(const std::string& FileName);
  void Read();

  std::string fileName_;
  Stamp seen_;
  LayoutLabels layouts_;
  bool capsLock_ = false;
};

}  // namespace corvane
