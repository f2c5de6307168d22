#include "platform/version_record.h"

#include <cstdio>
#include <vector>

namespace corvane::platform {
namespace {

// The whole version resource of the module's file, texts in the ANSI code
// page; empty when the module has no record.
std::vector<char> LoadRecordA(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  DWORD ignored = 0;
  const DWORD size = (length == 0 || length >= MAX_PATH) ? 0 : GetFileVersionInfoSizeA(path, &ignored);
  std::vector<char> data(size);
  if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data())) data.clear();
  return data;
}

// "\StringFileInfo\llllcccc\" for the record's first translation (language and
// code page); empty when the record names none.
std::string StringTablePath(std::vector<char>& data) {
  void* value = nullptr;
  UINT size = 0;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &size) || size < 2 * sizeof(WORD)) return {};
  const auto* translation = static_cast<const WORD*>(value);
  char path[40];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
  return path;
}

std::string FieldA(std::vector<char>& data, const std::string& table, const char* name) {
  void* value = nullptr;
  UINT size = 0;
  if (table.empty() || !VerQueryValueA(data.data(), (table + name).c_str(), &value, &size) || size == 0) return {};
  return static_cast<const char*>(value);
}

}  // namespace

VersionRecord ReadVersionRecord(HMODULE module) {
  VersionRecord record;
  std::vector<char> data = LoadRecordA(module);
  if (data.empty()) return record;

  const std::string table = StringTablePath(data);
  record.CompanyName = FieldA(data, table, "CompanyName");
  record.ProductName = FieldA(data, table, "ProductName");
  record.FileDescription = FieldA(data, table, "FileDescription");
  record.LegalCopyright = FieldA(data, table, "LegalCopyright");
  record.LegalTrademarks = FieldA(data, table, "LegalTrademarks");
  record.Comments = FieldA(data, table, "Comments");
  record.InternalName = FieldA(data, table, "InternalName");

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

}  // namespace corvane::platform
