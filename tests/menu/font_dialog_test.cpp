// The font and colour command against real GDI, real settings files and, once,
// the real system font dialog driven from a timer.
#include "menu/font_dialog.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "storage/settings_file.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::Rgb;

constexpr std::int32_t kRed = 0x000000FF;   // as a colour value, 0x00BBGGRR
constexpr std::int32_t kBlue = 0x00FF0000;
constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000008u);

class ScriptedChooser final : public FontChooser {
 public:
  // Changes the dialog as the user would and returns true for OK.
  std::function<bool(CommonDialog&)> answer = [](CommonDialog&) { return true; };
  std::vector<CommonDialog> shown;

  bool ShowFont(CommonDialog& Dialog, HWND) override {
    shown.push_back(Dialog);
    CommonDialog edited = Dialog;
    if (!answer(edited)) return false;
    Dialog = edited;
    return true;
  }
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SettingsText(const std::string& foreColor, const std::string& name, int size, int charset, bool bold) {
  std::ostringstream text;
  text << "[fwMain]\r\nForeColor=" << foreColor << "\r\n[Font]\r\nName=" << name << "\r\nSize=" << size
       << "\r\nCharset=" << charset << "\r\nBold=" << (bold ? 1 : 0) << "\r\nWeight=" << (bold ? 700 : 400)
       << "\r\nItalic=0\r\nUnder=0\r\nStrike=0\r\n";
  return text.str();
}

// Where the label's pixels (those of one colour, not transparent) lie on the installed cursor.
struct PixelBox {
  int count = 0;
  int top = 1 << 20;
  int bottom = -1;
};

PixelBox PixelsOfColor(HCURSOR cursor, std::uint32_t rgb) {
  const testing::IconPlanes planes = testing::ReadIcon(cursor);
  PixelBox box;
  for (int y = 0; y < planes.color.height; ++y) {
    for (int x = 0; x < planes.color.width; ++x) {
      if (planes.mask.at(x, y) != 0 || planes.color.at(x, y) != rgb) continue;
      ++box.count;
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

class FontCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "corvane-font-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
    settings = folder_ + "\\Corvane.dat";
    desktop.PointAt({10, 20}, nullptr, 0, reinterpret_cast<HKL>(0x04090409));
  }

  void TearDown() override {
    SetFileAttributesA(settings.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(settings.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  // Activation as the program does it: the label font and colour on element 0,
  // then the surfaces, then the first tick draws EN.
  void Activate(const FontRecord& font, std::int32_t color) {
    indicator.pbCursor[0].SetFont(font);
    indicator.pbCursor[0].SetForeColor(color);
    indicator.PrepareSurfaces();
    indicator.toLang_Timer();
    ASSERT_EQ(desktop.installs.size(), 1u);
  }

  bool RunCommand() { return SetFontAndColor(indicator, settings, nullptr, chooser); }

  static FontRecord Font(const std::string& name, int size, std::int16_t charset, bool bold = false) {
    FontRecord font;
    font.name = name;
    font.size = Fixed::Whole(size);
    font.charset = charset;
    font.setBold(bold);
    return font;
  }

  const FontRecord& LabelFont() { return indicator.pbCursor[1].Font(); }

  testing::ScriptedDesktop desktop;
  Indicator indicator{desktop};
  ScriptedChooser chooser;
  std::string settings;

 private:
  std::string folder_;
};

TEST_F(FontCommand, OkWithNothingChangedWritesNothingAndBuildsNoCursor) {
  FontRecord font = Font("MS Sans Serif", 8, 0, true);
  font.underline = true;
  Activate(font, kRed);
  EXPECT_FALSE(RunCommand());
  ASSERT_EQ(chooser.shown.size(), 1u);
  EXPECT_EQ(chooser.shown[0].Flags, 0x10103u);
  EXPECT_EQ(chooser.shown[0].Color, kRed);
  EXPECT_EQ(FontFromDialog(chooser.shown[0]), font);
  EXPECT_FALSE(FileExists(settings));
  EXPECT_EQ(desktop.installs.size(), 1u);

  // An existing file is not touched either, its last-write time included.
  { std::ofstream(settings, std::ios::binary) << "[fwMain]\r\nForeColor=7\r\n"; }
  FILETIME before{};
  FILETIME after{};
  HANDLE file = CreateFileA(settings.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(file, nullptr, nullptr, &before);
  CloseHandle(file);
  Sleep(20);
  EXPECT_FALSE(RunCommand());
  file = CreateFileA(settings.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(file, nullptr, nullptr, &after);
  CloseHandle(file);
  EXPECT_EQ(CompareFileTime(&before, &after), 0);
  EXPECT_EQ(ReadFile(settings), "[fwMain]\r\nForeColor=7\r\n");
  EXPECT_EQ(desktop.installs.size(), 1u);
}

TEST_F(FontCommand, OkOnTheCyrillicDefaultReappliesTheFreshCharsetSavesAndRedraws) {
  Activate(Font("Small Fonts", 6, 204), kWindowText);
  EXPECT_TRUE(RunCommand());
  EXPECT_EQ(LabelFont().charset, 0);
  EXPECT_EQ(LabelFont().name, "Small Fonts");
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kWindowText);
  EXPECT_EQ(indicator.pbCursor[0].Font().charset, 204) << "the template is not touched";
  EXPECT_EQ(ReadFile(settings), SettingsText("-2147483640", "Small Fonts", 6, 0, false));
  ASSERT_EQ(desktop.installs.size(), 2u);
  EXPECT_EQ(desktop.installs[1].id, 32513u);

  // The font is now what the dialog gives back: a second OK changes nothing.
  EXPECT_FALSE(RunCommand());
  EXPECT_EQ(desktop.installs.size(), 2u);
}

// The user's Cancel must not change their settings, whatever the label's
// character set or weight.
TEST_F(FontCommand, CancelAppliesSavesAndRedrawsNothing) {
  FontRecord font = Font("Small Fonts", 6, 204);
  font.setWeight(300);
  Activate(font, kWindowText);
  chooser.answer = [](CommonDialog& dialog) {
    dialog.Color = kBlue;
    dialog.FontSize = Fixed::Whole(20);
    return false;
  };
  EXPECT_FALSE(RunCommand());
  EXPECT_EQ(LabelFont(), font);
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kWindowText);
  EXPECT_FALSE(FileExists(settings));
  EXPECT_EQ(desktop.installs.size(), 1u);
}

TEST_F(FontCommand, OnlyTheColourChangedSavesBothAndRedrawsInTheNewColour) {
  Activate(Font("MS Sans Serif", 10, 0), kRed);
  { std::ofstream(settings, std::ios::binary) << SettingsText("255", "MS Sans Serif", 10, 0, false); }
  const HCURSOR redCursor = desktop.InstalledCursor();
  EXPECT_GT(PixelsOfColor(redCursor, Rgb(RGB(255, 0, 0))).count, 0);
  EXPECT_EQ(PixelsOfColor(redCursor, Rgb(RGB(0, 0, 255))).count, 0);

  chooser.answer = [](CommonDialog& dialog) {
    dialog.Color = kBlue;
    return true;
  };
  EXPECT_TRUE(RunCommand());
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kBlue);
  EXPECT_EQ(ReadFile(settings), SettingsText("16711680", "MS Sans Serif", 10, 0, false));
  ASSERT_EQ(desktop.installs.size(), 2u);
  const HCURSOR blueCursor = desktop.InstalledCursor();
  EXPECT_GT(PixelsOfColor(blueCursor, Rgb(RGB(0, 0, 255))).count, 0);
  EXPECT_EQ(PixelsOfColor(blueCursor, Rgb(RGB(255, 0, 0))).count, 0);
}

TEST_F(FontCommand, OnlyTheSizeChangedSavesTheColourTooAndDrawsALargerLabel) {
  Activate(Font("MS Sans Serif", 8, 0), kRed);
  const PixelBox small = PixelsOfColor(desktop.InstalledCursor(), Rgb(RGB(255, 0, 0)));
  chooser.answer = [](CommonDialog& dialog) {
    dialog.FontSize = Fixed::Whole(14);
    return true;
  };
  EXPECT_TRUE(RunCommand());
  EXPECT_EQ(LabelFont().size, Fixed::Whole(14));
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kRed);
  EXPECT_EQ(ReadFile(settings), SettingsText("255", "MS Sans Serif", 14, 0, false));
  ASSERT_EQ(desktop.installs.size(), 2u);
  const PixelBox large = PixelsOfColor(desktop.InstalledCursor(), Rgb(RGB(255, 0, 0)));
  EXPECT_GT(large.count, small.count);
  EXPECT_GT(large.bottom - large.top, small.bottom - small.top);
}

TEST_F(FontCommand, ANameDifferingOnlyInLetterCaseIsAChange) {
  Activate(Font("MS Sans Serif", 8, 0, true), kRed);
  chooser.answer = [](CommonDialog& dialog) {
    dialog.FontName = "MS SANS SERIF";
    return true;
  };
  EXPECT_TRUE(RunCommand());
  EXPECT_EQ(LabelFont().name, "MS SANS SERIF");
  EXPECT_EQ(ReadFile(settings), SettingsText("255", "MS SANS SERIF", 8, 0, true));
  EXPECT_EQ(desktop.installs.size(), 2u);
}

// The system dialog, opened for real and answered from a thread timer: each
// step runs once the dialog has been up for a few ticks.
struct DialogDriver {
  std::function<void(HWND)> act;
  HWND dialog = nullptr;
  int ticks = 0;
  bool done = false;
};
DialogDriver* driver = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16]{};
  GetClassNameA(window, name, sizeof name);
  if (IsWindowVisible(window) && std::string(name) == "#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR, DWORD) {
  if (!driver || driver->done) return;
  if (!driver->dialog) EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&driver->dialog));
  if (!driver->dialog || ++driver->ticks < 5) return;
  driver->done = true;
  driver->act(driver->dialog);
}

// Runs the command with the system dialog, `act` answering it.
bool RunWithSystemDialog(Indicator& indicator, const std::string& settings, std::function<void(HWND)> act,
                         HWND owner = nullptr) {
  DialogDriver script{std::move(act)};
  driver = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, DriveDialog);
  const bool changed = SetFontAndColor(indicator, settings, owner);
  KillTimer(nullptr, timer);
  driver = nullptr;
  EXPECT_TRUE(script.done) << "the dialog was never seen";
  return changed;
}

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM faces) {
  if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != '@') {
    reinterpret_cast<std::vector<std::string>*>(faces)->push_back(font->lfFaceName);
  }
  return 1;
}

// A TrueType face the system dialog lists (Wine lists the host's fonts, not its own).
std::string ListedFace() {
  std::vector<std::string> faces;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  platform::WindowDc screen;
  EnumFontFamiliesExA(screen.get(), &all, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  for (const auto& face : faces) {
    if (face == "Liberation Sans" || face == "Arial") return face;
  }
  return faces.empty() ? std::string() : faces.front();
}

std::string ItemText(HWND dialog, int id) {
  char text[64]{};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

COLORREF SelectedColor(HWND dialog) {
  const LRESULT index = SendDlgItemMessageA(dialog, cmb4, CB_GETCURSEL, 0, 0);
  return static_cast<COLORREF>(SendDlgItemMessageA(dialog, cmb4, CB_GETITEMDATA, index, 0));
}

void SelectColor(HWND dialog, COLORREF color) {
  const LRESULT count = SendDlgItemMessageA(dialog, cmb4, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (static_cast<COLORREF>(SendDlgItemMessageA(dialog, cmb4, CB_GETITEMDATA, i, 0)) != color) continue;
    SendDlgItemMessageA(dialog, cmb4, CB_SETCURSEL, i, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb4)));
  }
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The screen as a 24-bit BMP, so the dialog can be looked at.
void SaveScreenshot(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  platform::WindowDc screen;
  platform::Bitmap shot(CreateCompatibleBitmap(screen.get(), width, height));
  {
    auto dc = platform::CreateMemoryDc(screen.get());
    platform::SelectionScope selection(dc.get(), shot.get());
    BitBlt(dc.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  }
  testing::IconPlanes planes;
  planes.color = testing::ReadBitmap(shot.get());
  planes.mask = planes.color;
  for (auto& pixel : planes.mask.pixels) pixel = 0;
  testing::WriteCursorImage(path, planes);
}

TEST_F(FontCommand, SystemDialogOpensPrefilledAndOkWithNothingChangedWritesNothing) {
  const std::string listed = ListedFace();
  ASSERT_FALSE(listed.empty());
  FontRecord font = Font(listed, 10, 0, true);
  font.italic = true;
  font.underline = true;
  Activate(font, kRed);
  std::string face, size;
  bool underline = false, strikeOut = true;
  COLORREF color = 0;
  EXPECT_FALSE(RunWithSystemDialog(indicator, settings, [&](HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot("font_dialog.bmp");
    face = ItemText(dialog, cmb1);
    size = ItemText(dialog, cmb3);
    underline = IsDlgButtonChecked(dialog, chx2) == BST_CHECKED;
    strikeOut = IsDlgButtonChecked(dialog, chx1) == BST_CHECKED;
    color = SelectedColor(dialog);
    Press(dialog, IDOK);
  }));
  EXPECT_EQ(face, listed);
  EXPECT_EQ(size.find_first_not_of(' '), size.find("10"));
  EXPECT_TRUE(underline);
  EXPECT_FALSE(strikeOut);
  EXPECT_EQ(color, RGB(255, 0, 0));
  EXPECT_EQ(LabelFont(), font);
  EXPECT_FALSE(FileExists(settings));
  EXPECT_EQ(desktop.installs.size(), 1u);
}

TEST_F(FontCommand, SystemDialogKeepsASystemColourTheUserLeftAlone) {
  Activate(Font(ListedFace(), 9, 0), kWindowText);
  EXPECT_FALSE(RunWithSystemDialog(indicator, settings, [](HWND dialog) { Press(dialog, IDOK); }));
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kWindowText);
  EXPECT_FALSE(FileExists(settings));
}

TEST_F(FontCommand, SystemDialogChangesAreAppliedOnOkOnly) {
  const std::string listed = ListedFace();
  Activate(Font(listed, 10, 0), kRed);
  const auto changeColourAndUnderline = [](HWND dialog) {
    SelectColor(dialog, RGB(0, 0, 255));
    CheckDlgButton(dialog, chx2, BST_CHECKED);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(chx2, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, chx2)));
  };
  EXPECT_FALSE(RunWithSystemDialog(indicator, settings, [&](HWND dialog) {
    changeColourAndUnderline(dialog);
    Press(dialog, IDCANCEL);
  }));
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kRed);
  EXPECT_FALSE(LabelFont().underline);
  EXPECT_FALSE(FileExists(settings));

  EXPECT_TRUE(RunWithSystemDialog(indicator, settings, [&](HWND dialog) {
    changeColourAndUnderline(dialog);
    Press(dialog, IDOK);
  }));
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kBlue);
  EXPECT_TRUE(LabelFont().underline);
  EXPECT_EQ(LabelFont().name, listed);
  EXPECT_EQ(LabelFont().size, Fixed::Whole(10));
  EXPECT_EQ(ReadFile(settings), "[fwMain]\r\nForeColor=16711680\r\n[Font]\r\nName=" + listed +
                                    "\r\nSize=10\r\nCharset=0\r\nBold=0\r\nWeight=400\r\nItalic=0\r\nUnder=1\r\nStrike=0\r\n");
  EXPECT_EQ(desktop.installs.size(), 2u);
}

// Quit stays reachable from the control menu while the dialog is open: the
// dialog goes with its owner, and the command must not take it for an answer.
TEST_F(FontCommand, SystemDialogGoneWithItsOwnerChangesNothing) {
  Activate(Font(ListedFace(), 10, 0), kRed);
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(RunWithSystemDialog(
      indicator, settings,
      [&](HWND dialog) {
        SelectColor(dialog, RGB(0, 0, 255));
        DestroyWindow(owner);
      },
      owner));
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kRed);
  EXPECT_FALSE(FileExists(settings));
  EXPECT_EQ(desktop.installs.size(), 1u);
}

TEST_F(FontCommand, ASecondCommandWhileTheDialogIsOpenDoesNothing) {
  Activate(Font("MS Sans Serif", 8, 0), kRed);
  bool nested = true;
  EXPECT_FALSE(RunWithSystemDialog(indicator, settings, [&](HWND dialog) {
    ScriptedChooser inner;
    inner.answer = [](CommonDialog& d) {
      d.Color = kBlue;
      return true;
    };
    nested = SetFontAndColor(indicator, settings, nullptr, inner);
    EXPECT_TRUE(inner.shown.empty());
    Press(dialog, IDCANCEL);
  }));
  EXPECT_FALSE(nested);
  EXPECT_EQ(indicator.pbCursor[1].ForeColor(), kRed);
}

}  // namespace
}  // namespace corvane
