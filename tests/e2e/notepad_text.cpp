// Prints the text of Notepad's edit box in UTF-8, so that the end-to-end test
// sees exactly what reached Notepad.
#include <windows.h>

#include <cstdio>

int main() {
  wchar_t text[4096] = {};
  char utf8[3 * 4096] = {};
  SendMessageW(FindWindowExA(FindWindowA("Notepad", nullptr), nullptr, "Edit", nullptr), WM_GETTEXT, 4096,
               reinterpret_cast<LPARAM>(text));
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return std::fputs(utf8, stdout) < 0;
}
