// The font and colour command against real GDI, real settings files and, once,
// the real system font dialog driven from a timer.
#include "menu/font_dialog.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "storage/file_support.h"
#include "storage/settings_file.h"
#include "support/files.h"
#include "support/font.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::MakeFont, testing::ReadBytes, testing::Rgb;

constexpr std::int32_t kRed = 0x000000FF;  // as a colour value, 0x00BBGGRR
constexpr std::int32_t kBlue = 0x00FF0000;
constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000008u);

// The user at the dialog: changes what `edit` changes, then presses OK or Cancel.
struct ScriptedChooser final : FontChooser {
  std::function<void(CommonDialog&)> edit = [](CommonDialog&) {};
  bool ok = true;
  std::vector<CommonDialog> shown;

  bool ShowFont(CommonDialog& Dialog, HWND) override {
    shown.push_back(Dialog);
    if (ok) edit(Dialog);
    return ok;
  }
};

std::string SettingsText(const std::string& foreColor, const std::string& name, int size, int charset, bool bold,
                         bool underline = false) {
  std::ostringstream text;
  text << "[fwMain]\r\nForeColor=" << foreColor << "\r\n[Font]\r\nName=" << name << "\r\nSize=" << size
       << "\r\nCharset=" << charset << "\r\nBold=" << bold << "\r\nWeight=" << (bold ? 700 : 400)
       << "\r\nItalic=0\r\nUnder=" << underline << "\r\nStrike=0\r\n";
  return text.str();
}

// Where the label's pixels (those of one colour, not transparent) lie on the installed cursor.
struct PixelBox {
  int count = 0, top = 1 << 20, bottom = -1;
};

PixelBox PixelsOfColor(HCURSOR cursor, std::int32_t color) {
  const testing::IconPlanes planes = testing::ReadIcon(cursor);
  const std::uint32_t rgb = Rgb(Surface::Resolve(color));
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

// The indicator as activation leaves it: the label's font and colour on
// element 0, the surfaces made, and EN drawn by the first tick.
struct Program {
  Program(const FontRecord& font, std::int32_t color) {
    desktop.PointAt({10, 20}, nullptr, 0, reinterpret_cast<HKL>(0x04090409));
    indicator.pbCursor[0].SetFont(font);
    indicator.pbCursor[0].SetForeColor(color);
    indicator.PrepareSurfaces();
    indicator.toLang_Timer();
    EXPECT_EQ(desktop.installs.size(), 1u);
  }
  const Surface& label() const { return indicator.pbCursor[1]; }

  testing::ScriptedDesktop desktop;
  Indicator indicator{desktop};
};

struct Answer {
  const char* what;
  FontRecord font;   // the label's before the command
  std::int32_t color;
  std::string file;  // the settings file before, empty for none
  std::function<void(CommonDialog&)> edit;  // what the user changes in the dialog
  bool ok;                                  // and whether they press OK
  FontRecord newFont;  // and after
  std::int32_t newColor;
  std::string newFile;
};

TEST(FontCommand, AppliesSavesAndRedrawsOnlyAnOkThatChangesSomething) {
  const testing::TempFolder folder("corvane-font-answers");
  FontRecord boldUnderlined = MakeFont("MS Sans Serif", 8, 0, true);
  boldUnderlined.underline = true;
  FontRecord light = MakeFont("Small Fonts", 6, 204);
  light.setWeight(300);
  const FontRecord sans10 = MakeFont("MS Sans Serif", 10, 0);
  const auto none = [](CommonDialog&) {};
  const std::string seven = "[fwMain]\r\nForeColor=7\r\n";
  const Answer answers[] = {
      {"OK, nothing changed", boldUnderlined, kRed, "", none, true, boldUnderlined, kRed, ""},
      {"OK, nothing changed, a file", boldUnderlined, kRed, seven, none, true, boldUnderlined, kRed, seven},
      // The user's Cancel must not change their settings, whatever the label's character set or weight.
      {"Cancel", light, kWindowText, "",
       [](CommonDialog& dialog) {
         dialog.Color = kBlue;
         dialog.FontSize = Fixed::Whole(20);
       },
       false, light, kWindowText, ""},
      {"OK on the Cyrillic default: the fresh charset", MakeFont("Small Fonts", 6, 204), kWindowText, "", none,
       true, MakeFont("Small Fonts", 6, 0), kWindowText, SettingsText("-2147483640", "Small Fonts", 6, 0, false)},
      {"only the colour", sans10, kRed, SettingsText("255", "MS Sans Serif", 10, 0, false),
       [](CommonDialog& dialog) { dialog.Color = kBlue; }, true, sans10, kBlue,
       SettingsText("16711680", "MS Sans Serif", 10, 0, false)},
      {"only the size", MakeFont("MS Sans Serif", 8, 0), kRed, "",
       [](CommonDialog& dialog) { dialog.FontSize = Fixed::Whole(14); }, true, MakeFont("MS Sans Serif", 14, 0), kRed,
       SettingsText("255", "MS Sans Serif", 14, 0, false)},
      {"a name differing only in case", MakeFont("MS Sans Serif", 8, 0, true), kRed, "",
       [](CommonDialog& dialog) { dialog.FontName = "MS SANS SERIF"; }, true, MakeFont("MS SANS SERIF", 8, 0, true),
       kRed, SettingsText("255", "MS SANS SERIF", 8, 0, true)},
  };
  int n = 0;
  for (const Answer& c : answers) {
    SCOPED_TRACE(c.what);
    // A file of its own per case: the system's profile cache may outlive a deleted file.
    const std::string settings = folder.File("case" + std::to_string(++n) + ".dat");
    std::filesystem::file_time_type aged{};
    if (!c.file.empty()) {
      testing::WriteBytes(settings, c.file);
      testing::AgeFile(settings);
      aged = testing::LastWriteTime(settings);
    }
    Program program(c.font, c.color);
    const PixelBox old = PixelsOfColor(program.desktop.InstalledCursor(), c.color);
    ASSERT_GT(old.count, 0);
    ScriptedChooser chooser;
    chooser.ok = c.ok;
    chooser.edit = c.edit;
    const bool applies = !(c.newFont == c.font) || c.newColor != c.color;
    EXPECT_EQ(SetFontAndColor(program.indicator, settings, nullptr, chooser), applies);

    // The label's font and colour fill the dialog: a mismatch would read as a change on OK.
    ASSERT_EQ(chooser.shown.size(), 1u);
    EXPECT_EQ(chooser.shown[0].Flags, 0x10103u);
    EXPECT_EQ(program.label().Font(), c.newFont);
    EXPECT_EQ(program.label().ForeColor(), c.newColor);
    EXPECT_EQ(program.indicator.pbCursor[0].Font(), c.font) << "the template is not touched";
    EXPECT_EQ(FileExists(settings), !c.newFile.empty());
    EXPECT_EQ(ReadBytes(settings), c.newFile);
    if (!applies && !c.file.empty()) { EXPECT_EQ(testing::LastWriteTime(settings), aged) << "rewritten"; }
    ASSERT_EQ(program.desktop.installs.size(), applies ? 2u : 1u);
    if (!applies) continue;

    EXPECT_EQ(program.desktop.installs[1].id, 32513u);
    const PixelBox now = PixelsOfColor(program.desktop.InstalledCursor(), c.newColor);
    EXPECT_GT(now.count, 0);
    if (c.newColor != c.color) { EXPECT_EQ(PixelsOfColor(program.desktop.InstalledCursor(), c.color).count, 0); }
    if (c.newFont.size.units > c.font.size.units) {
      EXPECT_GT(now.count, old.count);
      EXPECT_GT(now.bottom - now.top, old.bottom - old.top);
    }
    // What the dialog gave back is now the label's: the same answer again is no change.
    EXPECT_FALSE(SetFontAndColor(program.indicator, settings, nullptr, chooser));
    EXPECT_EQ(program.desktop.installs.size(), 2u);
  }
}

// The system dialog, opened for real and answered from a thread timer once it
// has been up for a few ticks.
std::function<void(HWND)> pendingAnswer;
int ticksShown = 0;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindWindowA("#32770", nullptr);
  if (!dialog || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return;
  if (pendingAnswer && ++ticksShown >= 5) std::exchange(pendingAnswer, nullptr)(dialog);
}

// Runs the command with the system dialog, `answer` answering it.
bool RunWithSystemDialog(Indicator& indicator, const std::string& settings, std::function<void(HWND)> answer,
                         HWND owner = nullptr) {
  pendingAnswer = std::move(answer);
  ticksShown = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, DriveDialog);
  const bool changed = SetFontAndColor(indicator, settings, owner);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(pendingAnswer) << "the dialog was never seen";
  pendingAnswer = nullptr;
  return changed;
}

// A TrueType face the system dialog lists (Wine lists the host's fonts, not its own).
int CALLBACK TakeFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM taken) {
  std::string& face = *reinterpret_cast<std::string*>(taken);
  const std::string name = font->lfFaceName;
  if ((type & TRUETYPE_FONTTYPE) && name[0] != '@' && (face.empty() || name == "Liberation Sans" || name == "Arial")) {
    face = name;
  }
  return 1;
}

std::string ListedFace() {
  std::string face;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  platform::WindowDc screen;
  EnumFontFamiliesExA(screen.get(), &all, TakeFace, reinterpret_cast<LPARAM>(&face), 0);
  return face;
}

void SelectColor(HWND dialog, COLORREF color) {
  const HWND list = GetDlgItem(dialog, cmb4);
  for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
    if (static_cast<COLORREF>(SendMessageA(list, CB_GETITEMDATA, i, 0)) != color) continue;
    SendMessageA(list, CB_SETCURSEL, i, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
}

void ChangeColourAndUnderline(HWND dialog) {
  SelectColor(dialog, RGB(0, 0, 255));
  CheckDlgButton(dialog, chx2, BST_CHECKED);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(chx2, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, chx2)));
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
  planes.mask = {width, height, std::vector<std::uint32_t>(planes.color.pixels.size())};  // all opaque
  testing::WriteCursorImage(path, planes);
}

TEST(FontCommand, SystemDialogOpensPrefilledAndOkWithNothingChangedWritesNothing) {
  const std::string listed = ListedFace();
  ASSERT_FALSE(listed.empty());
  FontRecord font = MakeFont(listed, 10, 0, true);
  font.italic = true;
  font.underline = true;
  Program program(font, kRed);
  const testing::TempFolder folder("corvane-font-dialog");
  const std::string settings = folder.File("Corvane.dat");
  EXPECT_FALSE(RunWithSystemDialog(program.indicator, settings, [&](HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot("font_dialog.bmp");
    char text[64]{};
    GetDlgItemTextA(dialog, cmb1, text, sizeof text);
    EXPECT_EQ(text, listed);
    GetDlgItemTextA(dialog, cmb3, text, sizeof text);
    EXPECT_EQ(std::string(text).find_first_not_of(' '), std::string(text).find("10")) << text;
    EXPECT_EQ(IsDlgButtonChecked(dialog, chx2), BST_CHECKED) << "underline";
    EXPECT_EQ(IsDlgButtonChecked(dialog, chx1), BST_UNCHECKED) << "strikeout";
    const LRESULT selected = SendDlgItemMessageA(dialog, cmb4, CB_GETCURSEL, 0, 0);
    EXPECT_EQ(SendDlgItemMessageA(dialog, cmb4, CB_GETITEMDATA, selected, 0), RGB(255, 0, 0));
    Press(dialog, IDOK);
  }));
  EXPECT_EQ(program.label().Font(), font);
  EXPECT_FALSE(FileExists(settings));
  EXPECT_EQ(program.desktop.installs.size(), 1u);
}

TEST(FontCommand, SystemDialogAppliesOnlyAChangeConfirmedWithOk) {
  const std::string listed = ListedFace();
  Program program(MakeFont(listed, 10, 0), kWindowText);
  const testing::TempFolder folder("corvane-font-dialog-answers");
  const std::string settings = folder.File("Corvane.dat");
  const auto run = [&](std::function<void(HWND)> act, HWND owner = nullptr) {
    return RunWithSystemDialog(program.indicator, settings, std::move(act), owner);
  };
  // The dialog can show a system colour only resolved; left alone, it is no change.
  EXPECT_FALSE(run([](HWND dialog) { Press(dialog, IDOK); }));
  EXPECT_EQ(program.label().ForeColor(), kWindowText);
  EXPECT_FALSE(FileExists(settings));

  EXPECT_FALSE(run([](HWND dialog) {
    ChangeColourAndUnderline(dialog);
    Press(dialog, IDCANCEL);
  }));
  EXPECT_EQ(program.label().ForeColor(), kWindowText);
  EXPECT_FALSE(program.label().Font().underline);
  EXPECT_FALSE(FileExists(settings));
  EXPECT_EQ(program.desktop.installs.size(), 1u);

  EXPECT_TRUE(run([](HWND dialog) {
    ChangeColourAndUnderline(dialog);
    Press(dialog, IDOK);
  }));
  FontRecord underlined = MakeFont(listed, 10, 0);
  underlined.underline = true;
  EXPECT_EQ(program.label().Font(), underlined);
  EXPECT_EQ(program.label().ForeColor(), kBlue);
  const std::string saved = SettingsText("16711680", listed, 10, 0, false, true);
  EXPECT_EQ(ReadBytes(settings), saved);
  EXPECT_EQ(program.desktop.installs.size(), 2u);

  // Quit stays reachable from the control menu while the dialog is open: the
  // dialog goes with its owner, and the command must not take it for an answer.
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(run(
      [&](HWND dialog) {
        SelectColor(dialog, RGB(255, 0, 0));
        DestroyWindow(owner);
      },
      owner));
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_EQ(program.label().ForeColor(), kBlue);
  EXPECT_EQ(ReadBytes(settings), saved);
  EXPECT_EQ(program.desktop.installs.size(), 2u);
}

}  // namespace
}  // namespace corvane
