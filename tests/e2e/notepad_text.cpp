// Prints the text of Notepad's edit box in UTF-8, so that the end-to-end test
// sees exactly what reached Notepad.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  const HWND edit = FindWindowExA(FindWindowA("Notepad", nullptr), nullptr, "Edit", nullptr);
  if (!edit) return 1;
  std::wstring text(static_cast<std::size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  std::string utf8(text.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                                  static_cast<int>(utf8.size()), nullptr, nullptr));
  std::fputs(utf8.c_str(), stdout);
}
