// Real files for the settings-file tests: a fresh folder per test, raw bytes and last-write times.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace corvane::testing {

// A new empty folder named after the running test, so no cached copy of another test's file can answer.
inline std::string FreshFolder() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path folder =
      std::filesystem::absolute(std::string("storage_files_") + test->test_suite_name() + "_" + test->name());
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(folder, missing))  // marks left by an earlier run
    SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove_all(folder, missing);
  std::filesystem::create_directory(folder);
  return folder.string();
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::filesystem::file_time_type LastWriteTime(const std::string& path) {
  return std::filesystem::last_write_time(path);
}

// Puts the file's last-write time years back, so any later write shows.
inline void AgeFile(const std::string& path) {
  std::filesystem::last_write_time(path, LastWriteTime(path) - std::chrono::hours(24 * 365 * 20));
}

}  // namespace corvane::testing
