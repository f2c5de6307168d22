// The running program under strain, in this process: fwMain with the keyboard,
// pointer and cursor services scripted, and real GDI, registry and files.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/fw_main.h"
#include "storage/file_support.h"
#include "storage/settings_file.h"
#include "support/files.h"
#include "support/font.h"
#include "support/gdi.h"
#include "support/registry.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::ReadBytes, testing::TempFolder, testing::WriteBytes;

constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000008u);

class ScriptedChooser final : public FontChooser {
 public:
  CommonDialog answer;
  bool ShowFont(CommonDialog& Dialog, HWND) override {
    Dialog = answer;
    return true;
  }
};

HKL Layout(DWORD value) { return reinterpret_cast<HKL>(static_cast<UINT_PTR>(value)); }

// Pixels of the installed cursor in the label's colour, transparent ones aside.
int LabelPixels(HCURSOR cursor, std::int32_t color) {
  const testing::IconPlanes planes = testing::ReadIcon(cursor);
  int count = 0;
  for (size_t i = 0; i < planes.color.pixels.size(); ++i) {
    count += planes.mask.pixels[i] == 0 && planes.color.pixels[i] == testing::Rgb(Surface::Resolve(color));
  }
  return count;
}

// What the font command saves for MS Sans Serif at `size` points in `color`.
std::string Saved(const char* color, int size) {
  return std::string("[fwMain]\r\nForeColor=") + color + "\r\n[Font]\r\nName=MS Sans Serif\r\nSize=" +
         std::to_string(size) + "\r\nCharset=0\r\nBold=0\r\nWeight=400\r\nItalic=0\r\nUnder=0\r\nStrike=0\r\n";
}

class Resilience : public ::testing::Test {
 protected:
  testing::ScriptedDesktop desktop;
  ScriptedChooser chooser;

  void SetUp() override { testing::ForgetProgram(); }

  void TearDown() override {
    main_.reset();
    testing::ForgetProgram();
  }

  // Starts the program from `folder` with consent given there: it activates at once.
  fwMain& Start(const std::string& folder) { return Start(folder, desktop); }
  fwMain& Start(const std::string& folder, testing::ScriptedDesktop& services_desktop) {
    testing::WriteHklm(testing::kAppKey, "", folder);
    const std::string exe = folder + "\\Corvane.exe";
    Services services{.desktop = services_desktop, .fontChooser = chooser};
    main_ = std::make_unique<fwMain>(GetModuleHandleA(nullptr), Launch{"\"" + exe + "\"", exe, false}, services);
    main_->Load();
    return *main_;
  }

  // The program is running: its window is hidden, the settings path is set and a
  // layout change installs a cursor with the label in its colour.
  void ExpectActiveAndDrawing(fwMain& window, const std::string& settings) {
    ASSERT_NE(window.hWnd(), nullptr);
    EXPECT_FALSE(IsWindowVisible(window.hWnd()));
    EXPECT_EQ(window.Tag(), settings);
    const size_t installs = desktop.installs.size();
    desktop.PointAt({5, 5}, nullptr, 0, Layout(window.indicator().LastLayout() == 0x04190419 ? 0x04090409 : 0x04190419));
    window.toLang_Timer();
    ASSERT_EQ(desktop.installs.size(), installs + 1);
    EXPECT_EQ(desktop.InstalledCursor(), desktop.installs.back().cursor);
    EXPECT_GT(LabelPixels(desktop.InstalledCursor(), window.indicator().pbCursor[1].ForeColor()), 0);
  }

  // The user picks MS Sans Serif at `size` points in `color` in the font dialog.
  void Choose(fwMain& window, int size, std::int32_t color) {
    chooser.answer.FontName = "MS Sans Serif";
    chooser.answer.FontSize = Fixed::Whole(size);
    chooser.answer.Color = color;
    window.mPopupFont_Click();
  }

  std::unique_ptr<fwMain> main_;
};

// Layout changes and font and colour changes, over and over: every object the
// program makes is gone once it ends, and each cursor it installs is usable.
TEST_F(Resilience, TwentyThousandLayoutChangesLeaveNoGdiObjectBehind) {
  const TempFolder folder("corvane-resilience-gdi");
  const DWORD layouts[] = {0x04090409, 0x04190419, 0x04220422, 0x04070407, 0x040C040C,
                           0x04110411, 0x04750475, 0x7FFF7FFF, 0xF0010419, 0x08090809};
  const char* faces[] = {"Small Fonts", "MS Sans Serif", "Courier New", "Liberation Sans", "No Such Face"};
  const std::int32_t colors[] = {kWindowText, 0x000000FF, 0x00FF0000, 0x00008000, 0x00FFFFFF};
  int change = 0;
  // One run of the program: `renders` layout changes, a font and colour change every 100.
  const auto run = [&](int renders) {
    testing::ScriptedDesktop runDesktop;
    fwMain& window = Start(folder.path, runDesktop);
    for (int i = 0; i < renders; ++i) {
      if (i % 100 == 0) {
        chooser.answer = {.Color = colors[change % std::size(colors)], .FontName = faces[change % std::size(faces)],
                          .FontSize = Fixed::Whole(5 + change % 20), .FontBold = change % 2 == 1,
                          .FontItalic = change % 3 == 1, .FontUnderline = change % 5 == 1,
                          .FontStrikethru = change % 7 == 1};
        window.mPopupFont_Click();
        ++change;
      }
      runDesktop.PointAt({i % 640, i % 480}, nullptr, 0, Layout(layouts[i % std::size(layouts)]));
      window.toLang_Timer();
    }
    EXPECT_EQ(runDesktop.installs.size(), static_cast<size_t>(renders + (renders + 99) / 100));
    for (const auto& install : runDesktop.installs) ASSERT_NE(install.cursor, nullptr);
    main_.reset();
  };
  // A first run lets the system make what it keeps after first use (font caches, window classes).
  run(300);
  const auto before = testing::NextGdiSlots();
  run(20000);
  EXPECT_EQ(change, 3 + 200);
  // Wine remakes an object of its own now and then in whichever slot is free,
  // so a slot may trade places from run to run; a leak of one object per font
  // change would take 200 slots, one per layout change all 64.
  const auto after = testing::NextGdiSlots();
  EXPECT_LE(testing::SlotsTaken(before, after), 2u)
      << ::testing::PrintToString(before) << "\n" << ::testing::PrintToString(after);
}

struct HostileFile {
  const char* what;
  std::string bytes;
  std::optional<FontRecord> font = std::nullopt;  // where the file's values are known to mean something
  std::optional<std::int32_t> color = std::nullopt;
};

// Whatever the settings file holds, the program starts and draws its label
// with a font and colour it can use; values with a meaning keep it, the others
// fall back to the designed ones.
TEST_F(Resilience, HostileSettingsFilesStillActivateWithSaneValues) {
  std::mt19937 random(20261207);
  std::string garbage(4096, '\0');
  for (char& c : garbage) c = static_cast<char>(random() & 0xFF);
  const HostileFile files[] = {
      {"binary garbage", garbage},
      {"binary garbage in the sections", "[fwMain]\r\nForeColor=" + garbage.substr(0, 300) + "\r\n[Font]\r\nName=" +
                                             garbage.substr(300, 300) + "\r\nSize=" + garbage.substr(600, 50) + "\r\n"},
      {"huge numbers",
       "[fwMain]\r\nForeColor=99999999999999999999999\r\n[Font]\r\nSize=1E300\r\nWeight=123456789012\r\n"
       "Charset=-99999999999\r\nBold=1E30\r\nItalic=-1E30\r\n",
       testing::MakeFont("Small Fonts", 6, 204), kWindowText},
      {"a 1 MB line", "[fwMain]\r\nForeColor=" + std::string(1 << 20, '7') + "\r\n[Font]\r\nName=" +
                          std::string(1 << 20, 'A') + "\r\nSize=" + std::string(1 << 20, '9') + "\r\n"},
      {"an unknown charset", "[Font]\r\nName=MS Sans Serif\r\nSize=8\r\nCharset=77\r\n"},
      // Red, so that the label drawn in a substitute face shows apart from the I-beam.
      {"a font that does not exist", "[fwMain]\r\nForeColor=255\r\n[Font]\r\nName=No Such Face Anywhere\r\nSize=8\r\n",
       testing::MakeFont("No Such Face Anywhere", 8, 204), 0x000000FF},
      {"a colour out of range", "[fwMain]\r\nForeColor=4294967296\r\n[Font]\r\nSize=-8\r\nWeight=-400\r\n"},
      {"a system colour beyond the table", "[fwMain]\r\nForeColor=-2147483495\r\n"},
      {"hexadecimal and octal", "[fwMain]\r\nForeColor=&HFF\r\n[Font]\r\nSize=0x10\r\nCharset=&O7\r\n"},
  };
  const TempFolder folder("corvane-resilience-hostile");
  const std::string settings = folder.File("Corvane.dat");
  for (const HostileFile& file : files) {
    SCOPED_TRACE(file.what);
    WriteBytes(settings, file.bytes);
    fwMain& window = Start(folder.path);
    ExpectActiveAndDrawing(window, settings);
    const Surface& label = window.indicator().pbCursor[1];
    const FontRecord& font = label.Font();
    EXPECT_FALSE(font.name.empty());
    EXPECT_TRUE(font.size.units > 0 && font.size.units <= Fixed::Whole(1638).units) << font.size.units;
    EXPECT_TRUE(font.weight() == 400 || font.weight() == 700);
    EXPECT_TRUE(font.charset >= 0 && font.charset <= 255) << font.charset;
    const std::int32_t color = label.ForeColor();
    EXPECT_TRUE(color == kWindowText || (color >= 0 && color <= 0x00FFFFFF) ||
                (color < 0 && (static_cast<std::uint32_t>(color) & 0x7FFFFF00u) == 0))
        << std::hex << color;
    if (file.font) { EXPECT_EQ(font, *file.font); }
    if (file.color) { EXPECT_EQ(color, *file.color); }
    EXPECT_EQ(window.indicator().pbCursor[0].Width(), 32);
    main_.reset();
  }
}

// A settings file that cannot be written, or one marked read-only: the choice
// still applies for this run, and nothing fails.
TEST_F(Resilience, SettingsOnAReadOnlyLocation) {
  // Under Wine, drive Z: is the host's root; nothing can create files in /proc,
  // not even root. On Windows the folder with a read-only file serves below.
  fwMain& window = Start("Z:\\proc");
  ExpectActiveAndDrawing(window, "Z:\\proc\\Corvane.dat");
  const size_t installs = desktop.installs.size();
  Choose(window, 9, 0x000000FF);
  EXPECT_FALSE(FileExists("Z:\\proc\\Corvane.dat"));
  EXPECT_EQ(window.indicator().pbCursor[1].ForeColor(), 0x000000FF);
  ASSERT_EQ(desktop.installs.size(), installs + 1);
  EXPECT_GT(LabelPixels(desktop.InstalledCursor(), 0x000000FF), 0);
  window.mPopupFont_Click();
  EXPECT_EQ(desktop.installs.size(), installs + 1) << "the same answer again is no change";

  const TempFolder folder("corvane-resilience-readonly");
  const std::string settings = folder.File("Corvane.dat");
  WriteBytes(settings, "[fwMain]\r\nForeColor=255\r\n");
  SetFileAttributesA(settings.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  fwMain& marked = Start(folder.path);
  EXPECT_EQ(marked.indicator().pbCursor[1].ForeColor(), 0x000000FF);
  Choose(marked, 8, 0x00FF0000);
  EXPECT_EQ(ReadBytes(settings), Saved("16711680", 8));
  // Wine marks every file for archiving; only the marks the program lifts matter.
  const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  EXPECT_EQ(GetFileAttributesA(settings.c_str()) & marks, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
}

// A folder name with letters of the ANSI code page beyond ASCII: consent,
// settings path and settings file all work with it.
TEST_F(Resilience, ExecutableInAFolderWithNonAsciiAnsiLetters) {
  // Letters in every single-byte Windows code page's upper half (Ä Ö Ü é ñ in 1252, А Б В ... in 1251).
  const std::string name = "corvane-\xC4\xD6\xDC\xE9\xF1";
  wchar_t wide[64] = {};
  char back[64] = {};
  BOOL lossy = FALSE;
  ASSERT_GT(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name.c_str(), -1, wide, 64), 0) << "cp " << GetACP();
  WideCharToMultiByte(CP_ACP, 0, wide, -1, back, sizeof back, nullptr, &lossy);
  ASSERT_EQ(std::string(back), name) << "code page " << GetACP();
  ASSERT_FALSE(lossy);

  const TempFolder folder(name);
  const std::string settings = folder.File("Corvane.dat");
  WriteBytes(settings, "[fwMain]\r\nForeColor=255\r\n[Font]\r\nName=MS Sans Serif\r\n");
  fwMain& window = Start(folder.path);
  ExpectActiveAndDrawing(window, settings);
  EXPECT_EQ(window.Paths().folder, folder.path);
  EXPECT_EQ(window.indicator().pbCursor[1].ForeColor(), 0x000000FF) << "the settings file in that folder was read";
  Choose(window, 7, 0x00FF0000);
  EXPECT_EQ(ReadBytes(settings), Saved("16711680", 7));
  EXPECT_EQ(testing::ReadHklmText(testing::kAppPathsKey, "Path"), folder.path) << "the folder's bytes unchanged";
}

}  // namespace
}  // namespace corvane
