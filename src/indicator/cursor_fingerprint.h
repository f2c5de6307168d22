// What the I-beam check compares: a cursor's size, hot spot and planes, read
// without a heap allocation so that the polling tick can afford it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/handles.h"

namespace corvane {

// The size and hot spot, and a 64-bit FNV-1a hash of the AND and colour
// planes as GetIconInfo hands them out (read as 32-bit pixels). Two different
// cursors hash alike with a chance of about 2^-64; an unreadable cursor is all zero.
struct CursorFingerprint {
  LONG width = 0;
  LONG height = 0;
  DWORD hotX = 0;
  DWORD hotY = 0;
  std::uint64_t planes = 0;
  friend bool operator==(const CursorFingerprint&, const CursorFingerprint&) = default;
};

class CursorReader {
 public:
  // The buffer and the device context are made here, once; planes of any size
  // are read through them a band of rows at a time.
  CursorReader();
  CursorFingerprint Read(HCURSOR cursor);

 private:
  // Hashes `rows` rows of `bitmap`, `width` pixels each, into `hash`.
  bool HashRows(HBITMAP bitmap, LONG width, LONG rows, std::uint64_t& hash);

  // 256 x 16 pixels: one GetDIBits call for the planes of a 32 x 32 cursor,
  // sixteen for a 256 x 256 one.
  static constexpr LONG kBufferPixels = 4096;
  std::unique_ptr<std::uint32_t[]> buffer_;
  platform::MemoryDc dc_;
};

}  // namespace corvane
