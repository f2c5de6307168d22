// Prints the text of Notepad's edit box as UTF-16 code units in hexadecimal,
// so that the end-to-end test sees exactly what reached Notepad.
#include <windows.h>

#include <cstdio>

int main() {
  wchar_t text[4096] = {};
  SendMessageW(FindWindowExA(FindWindowA("Notepad", nullptr), nullptr, "Edit", nullptr), WM_GETTEXT, 4096,
               reinterpret_cast<LPARAM>(text));
  for (const wchar_t* unit = text; *unit; ++unit) std::printf("%04x ", static_cast<unsigned>(*unit));
}
