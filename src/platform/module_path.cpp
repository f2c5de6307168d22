#include "platform/module_path.h"

#include <optional>
#include <tuple>

#include "platform/handles.h"

namespace corvane::platform {
namespace {

// `text` in the ANSI code page, or nothing when a character has no place in it.
std::optional<std::string> ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  // A UTF-8 code page spells everything and takes neither the flag nor the
  // question about default characters.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* const lossyOut = utf8 ? nullptr : &lossy;
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, lossyOut);
  if (length <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

// The volume and the file's index on it: the same for every name of the file.
std::optional<std::tuple<DWORD, DWORD, DWORD>> FileIdentity(const std::string& path) {
  // No access asked, only attributes; backup semantics lets a folder open too.
  HANDLE opened = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const Owned<HANDLE, &CloseHandle> file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return std::tuple(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
}

std::string LongForm(const std::string& path) {
  std::string full(MAX_PATH, '\0');
  const DWORD length = GetLongPathNameA(path.c_str(), full.data(), static_cast<DWORD>(full.size()));
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return full;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  const auto identityA = FileIdentity(a);
  const auto identityB = FileIdentity(b);
  if (identityA && identityB) return *identityA == *identityB;
  const std::string longA = LongForm(a);
  const std::string longB = LongForm(b);
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, longA.c_str(), static_cast<int>(longA.size()),
                        longB.c_str(), static_cast<int>(longB.size())) == CSTR_EQUAL;
}

std::wstring WideModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    // A full buffer may have cut the path short: try again with more room.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string AnsiPath(const std::wstring& path) {
  if (auto ansi = ToAnsi(path)) return *ansi;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed > 0) {
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (length > 0 && length < needed) {
      shortPath.resize(length);
      if (auto ansi = ToAnsi(shortPath)) return *ansi;
    }
  }
  std::string rendered(path.size() * 2 + 1, '\0');
  const int length = WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), rendered.data(),
                                         static_cast<int>(rendered.size()), nullptr, nullptr);
  rendered.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return rendered;
}

}  // namespace corvane::platform
