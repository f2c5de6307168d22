// Another program telling every top-level window that the cursors were
// reloaded, as SystemParametersInfo with SPIF_SENDCHANGE does.
#include <windows.h>

int main() {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETCURSORS, 0, SMTO_ABORTIFHUNG, 5000, &result) ? 0
                                                                                                                   : 1;
}
