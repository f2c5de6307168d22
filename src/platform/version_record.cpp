#include "platform/version_record.h"

#include <cstdio>
#include <vector>

#include "platform/module_path.h"
#include "platform/system_library.h"

namespace corvane::platform {
namespace {

// The version functions, from the system's version.dll loaded at run time:
// imported, that library would be looked for beside the program first.
struct VersionApi {
  Library library = LoadSystemLibrary("version.dll");
  decltype(&GetFileVersionInfoSizeW) infoSize = Find<decltype(&GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
  decltype(&GetFileVersionInfoW) info = Find<decltype(&GetFileVersionInfoW)>("GetFileVersionInfoW");
  decltype(&VerQueryValueA) query = Find<decltype(&VerQueryValueA)>("VerQueryValueA");

  template <class Fn>
  Fn Find(const char* name) const {
    return LibraryFunction<Fn>(library, name);
  }
  bool Complete() const { return infoSize && info && query; }
};

// The whole version resource of the module's file, texts in the ANSI code
// page; empty when the module has no record. The file is named by its wide
// path, which holds in any folder.
std::vector<char> LoadRecordA(const VersionApi& api, HMODULE module) {
  const std::wstring path = WideModulePath(module);
  DWORD ignored = 0;
  const DWORD size = path.empty() ? 0 : api.infoSize(path.c_str(), &ignored);
  std::vector<char> data(size);
  if (size == 0 || !api.info(path.c_str(), 0, size, data.data())) data.clear();
  return data;
}

// "\StringFileInfo\llllcccc\" for the record's first translation (language and
// code page); empty when the record names none.
std::string StringTablePath(const VersionApi& api, std::vector<char>& data) {
  void* value = nullptr;
  UINT size = 0;
  if (!api.query(data.data(), "\\VarFileInfo\\Translation", &value, &size) || size < 2 * sizeof(WORD)) return {};
  const auto* translation = static_cast<const WORD*>(value);
  char path[40];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
  return path;
}

std::string FieldA(const VersionApi& api, std::vector<char>& data, const std::string& table, const char* name) {
  void* value = nullptr;
  UINT size = 0;
  if (table.empty() || !api.query(data.data(), (table + name).c_str(), &value, &size) || size == 0) return {};
  return static_cast<const char*>(value);
}

}  // namespace

VersionRecord ReadVersionRecord(HMODULE module) {
  VersionRecord record;
  const VersionApi api;
  if (!api.Complete()) return record;
  std::vector<char> data = LoadRecordA(api, module);
  if (data.empty()) return record;

  const std::string table = StringTablePath(api, data);
  record.CompanyName = FieldA(api, data, table, "CompanyName");
  record.ProductName = FieldA(api, data, table, "ProductName");
  record.FileDescription = FieldA(api, data, table, "FileDescription");
  record.LegalCopyright = FieldA(api, data, table, "LegalCopyright");
  record.LegalTrademarks = FieldA(api, data, table, "LegalTrademarks");
  record.Comments = FieldA(api, data, table, "Comments");
  record.InternalName = FieldA(api, data, table, "InternalName");

  void* value = nullptr;
  UINT size = 0;
  if (api.query(data.data(), "\\", &value, &size) && size >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    record.Major = HIWORD(fixed->dwFileVersionMS);
    record.Minor = LOWORD(fixed->dwFileVersionMS);
    record.Revision = LOWORD(fixed->dwFileVersionLS);
  }
  return record;
}

}  // namespace corvane::platform
