#include "platform/version_record.h"

#include <cstdio>
#include <vector>

namespace corvane::platform {
namespace {

// The whole version resource of the module's file; empty when there is none.
std::vector<char> LoadRecordA(HMODULE module) {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return {};
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path, 0, size, data.data())) return {};
  return data;
}

std::vector<char> LoadRecordW(HMODULE module) {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return {};
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(path, 0, size, data.data())) return {};
  return data;
}

// The record's first language and code page, as the string table's name.
template <class Char, class Query>
std::basic_string<Char> TranslationBlock(void* data, Query query, const Char* translationPath) {
  void* value = nullptr;
  UINT size = 0;
  if (!query(data, translationPath, &value, &size) || size < 4) return {};
  const auto* pair = static_cast<const WORD*>(value);
  char block[9];
  std::snprintf(block, sizeof block, "%04X%04X", pair[0], pair[1]);
  return std::basic_string<Char>(block, block + 8);
}

std::string FieldA(std::vector<char>& data, const std::string& block, const char* name) {
  if (block.empty()) return {};
  const std::string path = "\\StringFileInfo\\" + block + "\\" + name;
  void* value = nullptr;
  UINT size = 0;
  // The size counts characters including the terminator; the text stops at it.
  if (!VerQueryValueA(data.data(), path.c_str(), &value, &size) || size == 0) return {};
  return std::string(static_cast<const char*>(value));
}

}  // namespace

VersionRecord ReadVersionRecord(HMODULE module) {
  VersionRecord record;
  std::vector<char> data = LoadRecordA(module);
  if (data.empty()) return record;

  const std::string block = TranslationBlock<char>(
      data.data(), [](void* d, const char* p, void** v, UINT* s) { return VerQueryValueA(d, p, v, s); },
      "\\VarFileInfo\\Translation");
  record.CompanyName = FieldA(data, block, "CompanyName");
  record.ProductName = FieldA(data, block, "ProductName");
  record.FileDescription = FieldA(data, block, "FileDescription");
  record.LegalCopyright = FieldA(data, block, "LegalCopyright");
  record.LegalTrademarks = FieldA(data, block, "LegalTrademarks");
  record.Comments = FieldA(data, block, "Comments");
  record.InternalName = FieldA(data, block, "InternalName");

  void* value = nullptr;
  UINT size = 0;
  if (VerQueryValueA(data.data(), "\\", &value, &size) && size >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    record.Major = HIWORD(fixed->dwFileVersionMS);
    record.Minor = LOWORD(fixed->dwFileVersionMS);
    record.Revision = LOWORD(fixed->dwFileVersionLS);
  }
  return record;
}

std::wstring ReadVersionFieldW(const std::wstring& name, HMODULE module) {
  std::vector<char> data = LoadRecordW(module);
  if (data.empty()) return {};
  const std::wstring block = TranslationBlock<wchar_t>(
      data.data(), [](void* d, const wchar_t* p, void** v, UINT* s) { return VerQueryValueW(d, p, v, s); },
      L"\\VarFileInfo\\Translation");
  if (block.empty()) return {};
  const std::wstring path = L"\\StringFileInfo\\" + block + L"\\" + name;
  void* value = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(data.data(), path.c_str(), &value, &size) || size == 0) return {};
  return std::wstring(static_cast<const wchar_t*>(value));
}

}  // namespace corvane::platform
