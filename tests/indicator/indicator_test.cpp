// The indicator on a scripted desktop, judged by the cursors it installs: their
// planes, and how the system draws them over a black and over a white screen.
#include "indicator/indicator.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "indicator/bitmap_to_icon.h"
#include "indicator/label.h"
#include "platform/dpi.h"
#include "support/files.h"
#include "support/font.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::Count, testing::IBeam, testing::IconPlanes, testing::Image, testing::ReadBitmap, testing::ReadIcon;

constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000008u);
constexpr std::int32_t kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

// An indicator whose surfaces were prepared over a stand-in for the user's
// I-beam, with `color` as the label's.
struct Station {
  explicit Station(IBeam kind = IBeam::kPlain, std::int32_t color = kWindowText, int size = 32)
      : iBeam(testing::MakeIBeam(kind, size)) {
    desktop.stockIBeam = iBeam.get();
    indicator.pbCursor[0].SetForeColor(color);
    indicator.PrepareSurfaces();
  }
  // A tick over the editor, whose thread uses `layout`, with Caps Lock on or off; the installed cursor.
  IconPlanes Tick(std::uint32_t layout, bool capsLock = false) {
    desktop.PointAt({100, 200}, reinterpret_cast<HWND>(0x1001), 77, reinterpret_cast<HKL>(layout));
    desktop.keyStates[VK_CAPITAL] = capsLock;
    indicator.toLang_Timer();
    return ReadIcon(desktop.InstalledCursor());
  }
  // The editor's input method answers that it is open, in `conversion` mode.
  void AnswerIme(DWORD_PTR conversion) {
    desktop.imeWindows[reinterpret_cast<HWND>(0x1001)] = reinterpret_cast<HWND>(0x2001);
    desktop.imeAnswers = {{IMC_GETOPENSTATUS, {ERROR_SUCCESS, 1}},
                          {IMC_GETCONVERSIONMODE, {ERROR_SUCCESS, conversion}}};
  }

  platform::Icon iBeam;
  testing::ScriptedDesktop desktop;
  int menuOpenings = 0;
  Indicator indicator{desktop, [this] { ++menuOpenings; }};
};

struct IndicatorTest : ::testing::Test, Station {};

TEST_F(IndicatorTest, EachTickOpensTheMenuOnTheGestureOrRedrawsAChangedLayout) {
  // The surfaces were prepared with the user's own I-beam: the cursors reloaded first.
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"ReloadSystemCursors", "StockIBeam"}));
  const SHORT held = static_cast<SHORT>(0xFF81), toggled = 1;  // as the system reports them
  const struct { std::map<int, SHORT> keys; int layouts; DWORD layout; int menus; size_t installs; } ticks[] = {
      {{}, 2, 0x04090409, 0, 1}, {{}, 2, 0x04090409, 0, 1},
      {{}, 2, 0xF0010409, 0, 2},  // the same language on another layout
      {{{VK_LSHIFT, held}, {VK_MBUTTON, held}}, 1, 0x04190419, 1, 2},
      {{{VK_LSHIFT, held}, {VK_MBUTTON, held}}, 2, 0x04190419, 2, 2},
      {{{VK_RSHIFT, held}, {VK_SHIFT, held}, {VK_MBUTTON, held}}, 2, 0x04190419, 2, 3},
      {{{VK_LSHIFT, toggled}, {VK_MBUTTON, held}}, 2, 0x04220422, 2, 4},
      {{{VK_LSHIFT, held}}, 2, 0x04090409, 2, 5}, {{}, 1, 0x04190419, 2, 5},
      {{}, 0, 0x04190419, 2, 5}};  // the count failed
  for (const auto& tick : ticks) {
    desktop.keyStates = tick.keys;
    desktop.layoutCount = tick.layouts;
    Tick(tick.layout);
    EXPECT_EQ(std::pair(menuOpenings, desktop.installs.size()), std::pair(tick.menus, tick.installs)) << tick.layout;
  }
  EXPECT_EQ(std::pair(indicator.LastLayout(), desktop.installs.back()), std::pair(0x04090409ul, 32513ul));
  // In raw input only a middle press with left Shift down is the gesture:
  // left Shift + a left click extends a selection, and right Shift is not it.
  std::string gestures;
  for (int shift : {VK_LSHIFT, VK_RSHIFT})
    for (USHORT press : {RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_DOWN, RI_MOUSE_BUTTON_4_DOWN,
                         RI_MOUSE_BUTTON_5_DOWN, RI_MOUSE_MIDDLE_BUTTON_UP, RI_MOUSE_MIDDLE_BUTTON_DOWN}) {
      desktop.keyStates = {{shift, held}, {VK_SHIFT, held}};
      RAWINPUT report{{RIM_TYPEMOUSE, 0, nullptr, 0}, {}};
      report.data.mouse.usButtonFlags = press;
      gestures += indicator.IsGestureClick(report) ? '1' : '0';
    }
  EXPECT_EQ(gestures, "000001" "000000");
}

// Whose layout the label shows: per window (or when the scope cannot be read)
// the thread's under the pointer; for the session the thread's with the focus
// in front, never this program's own. No layout, no foreground window: the
// label stays. (That the session's tick makes no pointer queries, the
// benchmark's ratio against its bare calls shows.)
TEST_F(IndicatorTest, TheLabelShowsTheLanguageTheUserWillTypeIn) {
  const auto window = [](int id) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id)); };
  const HWND editor = window(11), browser = window(12), console = window(13), menu = window(1), gone = window(99);
  constexpr DWORD ru = 0x04190419, en = 0x04090409, de = 0x04070407;
  desktop.windowThreads = {{editor, 11}, {browser, 12}, {console, 13}, {menu, 1}};
  // Thread 13 is a console window's client program, without a layout; thread 0 is this program's.
  desktop.threadLayouts = {{11, reinterpret_cast<HKL>(ru)}, {12, reinterpret_cast<HKL>(en)},
                           {1, reinterpret_cast<HKL>(de)}, {0, reinterpret_cast<HKL>(de)}};
  const std::optional<BOOL> perWindow = TRUE, session = FALSE, failed;
  const struct { std::optional<BOOL> scope; HWND under, focus, active; DWORD shown; } rows[] = {
      {perWindow, browser, editor, editor, en}, {failed, editor, browser, browser, ru},
      {failed, nullptr, editor, editor, de},    {perWindow, console, editor, editor, de},
      {session, browser, editor, editor, ru},   {session, nullptr, nullptr, browser, en},
      {session, editor, console, console, en},  {session, editor, menu, menu, en},
      {session, editor, nullptr, nullptr, en},  {session, editor, gone, gone, en},
      {session, browser, editor, browser, ru}};
  for (const auto& row : rows) {
    desktop.perWindowInput = row.scope;
    indicator.ReadInputScope();
    desktop.windows = {{{desktop.pointer.x, desktop.pointer.y}, row.under}};
    desktop.foreground = GUITHREADINFO{sizeof(GUITHREADINFO), 0, row.active, row.focus};
    indicator.toLang_Timer();
    EXPECT_EQ(indicator.LastLayout(), row.shown) << &row - rows;
  }
  // The scope is read again on the kScopeReadTicks-th tick, not before.
  indicator.ReadInputScope();
  desktop.perWindowInput = TRUE;
  for (int i = 1; i < Indicator::kScopeReadTicks; ++i) indicator.toLang_Timer();
  EXPECT_EQ(indicator.Scope(), Indicator::InputScope::kSession);
  indicator.toLang_Timer();
  EXPECT_EQ(indicator.Scope(), Indicator::InputScope::kPerWindow);
}

// A Japanese or Korean layout's mode, asked of the window whose layout shows
// only when it can have changed: a new window or layout, or input (then on two
// ticks). A time-out keeps the mode shown and leaves the window alone for a
// while; a definite failure shows the layout's own label. Other layouts ask nothing.
TEST_F(IndicatorTest, TheInputMethodIsAskedForItsModeOnlyWhenItCanHaveChanged) {
  constexpr DWORD en = 0x04090409, ja = 0x04110411, ko = 0x04120412, ok = ERROR_SUCCESS, kNoImeWindow = ~0u;
  constexpr DWORD_PTR hira = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, kata = hira | IME_CMODE_KATAKANA;
  using enum InputMode;
  const HWND editor = reinterpret_cast<HWND>(0x1001), ime = reinterpret_cast<HWND>(0x2001);
  const struct { DWORD layout, input, openError; DWORD_PTR open, mode; int repeat, asked; InputMode shown; } ticks[] = {
      {en, 0, ok, 1, hira, 1, 0, kNone},          {ja, 0, ok, 1, hira, 1, 2, kHiragana},
      {ja, 0, ok, 1, kata, 1, 0, kHiragana},      {ja, 5, ok, 1, kata, 2, 4, kKatakana},
      {ja, 5, ok, 0, kata, 1, 0, kKatakana},      {ja, 6, ERROR_TIMEOUT, 0, 0, 1, 1, kKatakana},
      {ja, 7, ok, 1, hira, InputModeReader::kQuietTicks - 1, 0, kKatakana},
      {ja, 7, ok, 1, hira, 1, 2, kHiragana},      {ja, 8, ERROR_ACCESS_DENIED, 0, 0, 1, 1, kNone},
      {ko, 8, ok, 1, IME_CMODE_HANGUL, 1, 2, kHangul}, {ko, 9, ok, 0, 0, 1, 1, kAlphanumeric},
      {ko, 10, kNoImeWindow, 1, 1, 1, 0, kNone},  {en, 11, ok, 1, hira, 3, 0, kNone}};
  for (const auto& tick : ticks) {
    desktop.imeWindows = {{editor, tick.openError == kNoImeWindow ? nullptr : ime}};
    desktop.imeAnswers = {{IMC_GETOPENSTATUS, {tick.openError, tick.open}}, {IMC_GETCONVERSIONMODE, {ok, tick.mode}}};
    desktop.lastInput = tick.input;
    desktop.calls.clear();
    for (int i = 0; i < tick.repeat; ++i) Tick(tick.layout);
    EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "ImeControl"), tick.asked) << &tick - ticks;
    EXPECT_EQ(indicator.LastMode(), tick.shown) << &tick - ticks;
    EXPECT_TRUE(tick.layout != en || std::count(desktop.calls.begin(), desktop.calls.end(), "LastInput") == 0);
  }
  // The window asked: the one under the pointer per window, the focus in front for the session.
  EXPECT_EQ(std::count(desktop.imeAsked.begin(), desktop.imeAsked.end(), editor), std::ssize(desktop.imeAsked));
  const HWND focus = reinterpret_cast<HWND>(0x1002);
  desktop.windowThreads[focus] = 78;
  desktop.threadLayouts[78] = reinterpret_cast<HKL>(ja);
  desktop.foreground = GUITHREADINFO{sizeof(GUITHREADINFO), 0, focus, focus};
  desktop.perWindowInput = FALSE;
  indicator.ReadInputScope();
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.imeAsked.back(), focus);
}

// The face the system gives for `face` in `charset`.
std::string MappedFace(const char* face, BYTE charset) {
  const platform::Font font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, charset, 0, 0, 0, 0, face));
  const auto dc = platform::CreateMemoryDc();
  const platform::SelectionScope selection(dc.get(), font.get());
  char name[LF_FACESIZE] = {};
  GetTextFaceA(dc.get(), LF_FACESIZE, name);
  return name;
}

// Over a plain I-beam the cursor is the label drawn alone where it belongs
// over the I-beam's picture: transparent, and black in its colour plane,
// exactly where that picture is white. Tahoma lacks the kana and hanzi of the
// input methods' modes, which the code page 1252 cannot spell either: they are
// the glyphs of the face the system takes for Tahoma in their script, not boxes.
TEST_F(IndicatorTest, TheLabelSitsInTheBottomRightCornerOverTheIBeam) {
  Surface& work = indicator.pbCursor[1];
  work.SetForeColor(kRed);
  work.SetFont(testing::MakeFont("Tahoma", 8, 0));
  const Image beam = ReadBitmap(indicator.pbCursor[0].Picture());
  AnswerIme(IME_CMODE_NATIVE);
  constexpr BYTE latin = ANSI_CHARSET;
  for (auto [layout, label, charset] : {std::tuple{0x04750475u, L"HAW", latin}, {0x04090409u, L"EN", latin},
                                        {0x04190419u, L"RU", latin}, {0x04110411u, L"\u3042", BYTE{SHIFTJIS_CHARSET}},
                                        {0x08040804u, L"\u4E2D", BYTE{GB2312_CHARSET}}}) {
    const IconPlanes cursor = Tick(layout);
    Surface alone;
    alone.CopySettingsFrom(work);
    alone.SetFont(testing::MakeFont(MappedFace("Tahoma", charset), 8, 0));
    const SIZE extent = alone.MeasureText(label, DEFAULT_CHARSET);
    alone.PrintText(32 - extent.cx - 2, 32 - extent.cy, label, kRed, DEFAULT_CHARSET);
    alone.SetPictureFromImageOf(alone);
    const Image drawn = ReadBitmap(alone.Picture());
    EXPECT_GT(Count(drawn, [&](int x, int y) { return drawn.at(x, y) == 0xFF0000; }), 10) << label;
    EXPECT_EQ(Count(drawn, [&](int x, int y) {
                const uint32_t expected = drawn.at(x, y) != 0xFFFFFF ? drawn.at(x, y) : beam.at(x, y);
                return cursor.opaque(x, y) != (expected != 0xFFFFFF) ||
                       cursor.color.at(x, y) != (expected == 0xFFFFFF ? 0 : expected);
              }), 0) << label;
  }
}

// An I-beam whose picture covers the corner and holds a pixel one step off
// white; the system cursor size changes after the surfaces were made, and the
// labelled cursor keeps the I-beam's own size.
TEST_F(IndicatorTest, AnIBeamCoveringTheCornerKeepsItsSizeWhateverTheMetric) {
  Image picture{32, 32, std::vector<uint32_t>(32 * 32, 0xFFFFFF)};
  for (int i = 0; i < 16; ++i) picture.at(i % 4, i / 4) = 0;
  for (int y = 2; y < 20; ++y) picture.at(8, y) = 0x0000FF;
  picture.at(20, 4) = 0xFEFFFF;
  const platform::Bitmap bitmap(testing::MakeBitmap(picture));
  const platform::Icon covering(BitmapToIcon(bitmap.get(), RGB(255, 255, 255), 0, 0, 8, 10, true, desktop));
  desktop.stockIBeam = covering.get();
  indicator.PrepareSurfaces();
  desktop.cursorWidth = 48;
  desktop.cursorHeight = 40;
  const IconPlanes cursor = Tick(0x04190419);
  EXPECT_EQ(std::tuple(cursor.color.width, cursor.color.height, cursor.hotX, cursor.hotY),
            std::tuple(32, 32, DWORD{8}, DWORD{10}));
  EXPECT_TRUE(cursor.opaque(0, 0) && cursor.opaque(20, 4) && cursor.color.at(8, 4) == 0x0000FF);
  EXPECT_FALSE(cursor.opaque(13, 4) || cursor.opaque(31, 0));
  // BitmapToIcon alone: the system cursor size, stretched (three halves across,
  // five quarters down); no hot spot asked for gives the centre; a key colour other than white.
  const platform::Icon keyed(BitmapToIcon(bitmap.get(), RGB(0, 0, 255), 0, 0, -1, -1, true, desktop));
  const IconPlanes centred = testing::ReadIcon(keyed.get());
  EXPECT_EQ(std::tuple(centred.color.width, centred.color.height, centred.hotX, centred.hotY, centred.opaque(12, 6),
                       centred.opaque(47, 0)),
            std::tuple(48, 40, DWORD{23}, DWORD{19}, false, true));
}

// The settings file's layout lines and Caps Lock option, compared with what an
// indicator without one draws for a layout whose own name is the expected text.
TEST_F(IndicatorTest, TheSettingsFileGivesLabelsAndTheCapsLockBoxFromTheNextChangeOn) {
  const auto plain = [](std::uint32_t layout, std::int32_t color) { return Station(IBeam::kPlain, color).Tick(layout); };
  const testing::TempFolder folder{"corvane-label-settings"};
  const std::string file = folder.File("Corvane.dat");
  const auto write = [&](const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, file.c_str());
  };
  indicator.UseSettingsFile(file);
  const IconPlanes russian = Tick(0x04190419);
  EXPECT_EQ(russian, plain(0x04190419, kWindowText));
  write("Layouts", "F0020409", "RU,255");
  write("Layouts", "0409", ",16711680");
  Tick(0x04190419);
  EXPECT_EQ(desktop.installs.size(), 1u) << "an edit alone redraws";
  EXPECT_EQ(Tick(0xF0020409), plain(0x04190419, kRed)) << "the handle's line";
  EXPECT_EQ(Tick(0x04090409), plain(0x04090409, kBlue)) << "the language's colour, the built-in text";

  // Caps Lock boxes the label and redraws once each way, idle ticks draw nothing.
  write("fwMain", "CapsLock", "1");
  EXPECT_EQ(Tick(0x04190419), russian);
  const IconPlanes boxed = Tick(0x04190419, true);
  for (int i = 0; i < 3; ++i) Tick(0x04190419, true);
  EXPECT_EQ(Tick(0x04190419), russian);
  EXPECT_EQ(desktop.installs.size(), 6u);
  // The box covers the label's cell, black with the text in near-white; nothing else changes.
  const SIZE extent = indicator.pbCursor[1].MeasureText(L"RU", SystemCodePageCharset());
  const LabelRect box = CapsLockBox(LabelOrigin(32, 32, extent.cx, extent.cy), extent.cx, extent.cy);
  EXPECT_EQ(Count(boxed.mask, [&](int x, int y) {
              if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) {
                return boxed.mask.at(x, y) != russian.mask.at(x, y) || boxed.color.at(x, y) != russian.color.at(x, y);
              }
              return !boxed.opaque(x, y) || (boxed.color.at(x, y) != 0 && boxed.color.at(x, y) != 0xFEFEFE);
            }), 0);
  EXPECT_GT(Count(boxed.color, [&](int x, int y) { return boxed.color.at(x, y) == 0xFEFEFE; }), 10);
  // An input method's mode label takes the layout's colour, whatever its text.
  write("Layouts", "0411", "JP,255");
  Station red(IBeam::kPlain, kRed);
  for (Station* station : {static_cast<Station*>(this), &red}) station->AnswerIme(IME_CMODE_NATIVE);
  EXPECT_EQ(Tick(0x04110411), red.Tick(0x04110411));
}

// Labels are text of the system's code page, drawn as its characters whatever
// character set the font has: "DÄ" under code page 1252 in the default font
// (Cyrillic), "РУ" under 1251 and "日本" under 932 in a font of the ANSI set
// (as the font dialog stored it before). Where the font has no glyph, the same
// face is taken in the code page's character set, where the system finds one:
// either way the pixels are the intended characters drawn straight in that
// face. The ink (the layer that 32-bit and inverting I-beams key the label
// out by) covers exactly the coloured pixels, fallback face included. The
// test runs once under each code page.
TEST(LabelText, IsDrawnAsTheCharactersOfTheSystemCodePage) {
  const auto drawn = [](const std::string& face, std::int16_t charset, const char* text) {
    Surface surface;
    surface.SetFont(testing::MakeFont(face, 10, charset));
    surface.SetSize(32, 32);
    surface.PrintText(2, 2, CodePageText(text), surface.ForeColor(), SystemCodePageCharset());
    surface.SetPictureFromImageOf(surface);
    const LabelledPicture picture = surface.ReadPicture();
    int ink = 0, stray = 0;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
      ink += picture.ink[i];
      stray += picture.ink[i] != (picture.pixels[i] != 0xFFFFFF);
    }
    EXPECT_GT(ink, 10) << face << charset;
    EXPECT_EQ(stray, 0) << face << charset << ": ink and colour in different glyphs";
    return picture.pixels;
  };
  const auto intended = [](const std::string& face, BYTE charset, const wchar_t* text) {
    platform::Bitmap bitmap(testing::MakeBitmap(Image{32, 32, std::vector<uint32_t>(32 * 32, 0xFFFFFF)}));
    platform::Font font(CreateFontA(FontHeightForPoints(Fixed::Whole(10), platform::ScreenDpi().y), 0, 0, 0, FW_NORMAL,
                                    FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
    {
      auto dc = platform::CreateMemoryDc();
      platform::SelectionScope selection(dc.get(), bitmap.get()), selectedFont(dc.get(), font.get());
      SetBkMode(dc.get(), TRANSPARENT);
      SetTextColor(dc.get(), GetSysColor(COLOR_WINDOWTEXT));
      TextOutW(dc.get(), 2, 2, text, static_cast<int>(wcslen(text)));
    }
    return ReadBitmap(bitmap.get()).pixels;
  };
  const struct {
    UINT codePage; BYTE charset; const char* face; std::int16_t inFont; const char* text; const wchar_t* wide;
  } cases[] = {
      {1252, ANSI_CHARSET, "Small Fonts", 204, "D\xC4", L"D\u00C4"},
      {1251, RUSSIAN_CHARSET, "Tahoma", ANSI_CHARSET, "\xD0\xD3", L"\u0420\u0423"},
      {932, SHIFTJIS_CHARSET, "Tahoma", ANSI_CHARSET, "\x93\xFA\x96\x7B", L"\u65E5\u672C"}};
  const auto c = std::find_if(std::begin(cases), std::end(cases), [](auto& c) { return c.codePage == GetACP(); });
  ASSERT_NE(c, std::end(cases)) << GetACP();
  EXPECT_EQ(SystemCodePageCharset(), c->charset);
  const auto characters = intended(c->face, c->charset, c->wide);
  EXPECT_EQ(drawn(c->face, c->inFont, c->text), characters);
  EXPECT_EQ(drawn(c->face, c->charset, c->text), characters);
}

// The cursor drawn as the system draws it, over a size x size screen of one
// colour (black or white, which read the same as COLORREF and as 0x00RRGGBB).
Image DrawnOver(HCURSOR cursor, COLORREF screen, int size = 32) {
  platform::Bitmap bitmap(testing::MakeBitmap(Image{size, size, std::vector<uint32_t>(size * size, screen)}));
  {
    auto dc = platform::CreateMemoryDc();
    platform::SelectionScope selection(dc.get(), bitmap.get());
    DrawIconEx(dc.get(), 0, 0, cursor, size, size, 0, nullptr, DI_NORMAL);
  }
  return ReadBitmap(bitmap.get());
}

// I-beams of 32, 48 and 64 pixels (a larger pointer, a 150 % or 200 % screen),
// monochrome and 32-bit, on a system whose icon metric stays 32: the labelled
// cursor has the I-beam's size and hot spot, and a click lands on the beam. At
// the screen's DPI (96 here, 144 and 192 in the run at other scales) the
// cursor metric grows with it, the labelled cursor takes the system I-beam's
// own size and hot spot, and the label's points give more pixels.
TEST(LabelledIBeam, TakesTheIBeamsOwnSizeAndHotSpotAtTheScreenDpi) {
  for (IBeam kind : {IBeam::kPlain, IBeam::kInverting, IBeam::kTranslucent})
    for (int size : {32, 48, 64}) {
      Station station(kind, kWindowText, size);
      const IconPlanes cursor = station.Tick(0x04090409);
      const POINT hot{4 * size / 32, 10 * size / 32};
      SCOPED_TRACE(std::to_string(static_cast<int>(kind)) + " " + std::to_string(size));
      EXPECT_EQ(std::tuple(cursor.color.width, cursor.color.height, cursor.hotX, cursor.hotY),
                std::tuple(size, size, DWORD(hot.x), DWORD(hot.y)));
      const Image drawn = DrawnOver(station.desktop.InstalledCursor(), RGB(255, 255, 255), size);
      EXPECT_EQ(std::pair(drawn.at(hot.x, hot.y), drawn.at(hot.x + size / 8, hot.y)), std::pair(0u, 0xFFFFFFu));
    }
  const int dpi = platform::ScreenDpi().y;
  Station station;
  station.desktop.stockIBeam = LoadCursorA(nullptr, IDC_IBEAM);
  station.indicator.pbCursor[0].SetFont(testing::MakeFont("Tahoma", 8, 0));
  station.indicator.PrepareSurfaces();
  const IconPlanes stock = ReadIcon(station.desktop.stockIBeam), cursor = station.Tick(0x04090409);
  EXPECT_EQ(std::tuple(GetSystemMetrics(SM_CXCURSOR), cursor.color.width, cursor.hotX, cursor.hotY),
            std::tuple(MulDiv(32, dpi, 96), stock.mask.width, stock.hotX, stock.hotY));
  EXPECT_GE(station.indicator.pbCursor[1].MeasureText(L"EN", SystemCodePageCharset()).cy, MulDiv(8, dpi, 72));
}

// Over inverting and translucent I-beams, and for a white label, the beam
// (columns 2-7) and the label (the bottom-right corner) stand out from a black
// and from a white screen as the user's own I-beam does; the rest of the
// cursor leaves the screen alone.
TEST(LabelledIBeam, BeamAndLabelStandOutOnDarkAndLightScreens) {
  for (auto [kind, color, onWhite] : {std::tuple{IBeam::kInverting, kWindowText, true}, {IBeam::kInverting, kRed, true},
                                      {IBeam::kTranslucent, kWindowText, true}, {IBeam::kPlain, kWhite, false}}) {
    Station station(kind, color);
    station.Tick(0x04090409);
    for (COLORREF screen : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
      const Image drawn = DrawnOver(station.desktop.InstalledCursor(), screen);
      const auto standing = [&](int left, int top, int right, int bottom) {
        return Count(drawn, [&](int x, int y) {
          return x >= left && x < right && y >= top && y < bottom && drawn.at(x, y) != screen;
        });
      };
      SCOPED_TRACE(std::to_string(static_cast<int>(kind)) + " " + std::to_string(color) + " " + std::to_string(screen));
      EXPECT_GT(standing(2, 2, 8, 22), 20) << "the beam";
      EXPECT_EQ(standing(12, 0, 32, 16), 0) << "elsewhere";
      EXPECT_GT(standing(12, 20, 32, 32), screen == 0 || onWhite ? 12 : -1) << "the label (white on white is lost)";
      const int edge = static_cast<int>(drawn.at(3, 10) & 0xFF);
      EXPECT_TRUE(kind != IBeam::kTranslucent || screen != 0 || (edge > 0x40 && edge < 0xC0)) << "half-transparent edge";
    }
  }
}

// Reloads of the cursors that take the label away. Announced ones reinstall
// at once, on the same I-beam or a changed one, once a label was drawn with two
// layouts; unannounced ones within the check's period. An announcement with
// nothing reloaded leaves the installed label, which is no I-beam to draw on. Where installs change
// nothing (Wine) the check gives up after a few tries, and a program that keeps
// putting its own I-beam back gets at most three reinstalls in ten seconds.
TEST_F(IndicatorTest, ReloadedCursorsGetTheLabelBack) {
  const platform::Icon inverting(testing::MakeIBeam(IBeam::kInverting)), theirs(testing::MakeIBeam(IBeam::kPlain, 48));
  // Installs in `ticks` ticks over `layout`, with another program putting `reapplied` back after each.
  const auto installsAfter = [this](int ticks, HCURSOR reapplied = nullptr, std::uint32_t layout = 0x04190419) {
    const size_t before = desktop.installs.size();
    for (int i = 0; i < ticks; ++i) {
      Tick(layout);
      if (reapplied) desktop.Reload(reapplied);
    }
    return desktop.installs.size() - before;
  };
  desktop.installsStick = true;
  desktop.layoutCount = 1;
  Tick(0x04090409);
  indicator.RefreshIBeam();
  desktop.layoutCount = 2;
  indicator.RefreshIBeam();
  EXPECT_TRUE(desktop.installs.empty()) << "no label drawn yet";
  Tick(0x04090409);
  indicator.RefreshIBeam();
  const IconPlanes russian = Tick(0x04190419);
  EXPECT_EQ(russian, Station().Tick(0x04190419));
  desktop.Reload();
  indicator.RefreshIBeam();
  EXPECT_EQ(std::pair(desktop.installs.size(), ReadIcon(desktop.InstalledCursor())), std::pair(size_t{4}, russian));
  desktop.Reload();
  desktop.stockIBeam = inverting.get();
  indicator.RefreshIBeam();
  EXPECT_EQ(std::pair(desktop.installs.size(), ReadIcon(desktop.InstalledCursor())),
            std::pair(size_t{5}, Station(IBeam::kInverting).Tick(0x04190419)));
  EXPECT_EQ(installsAfter(IBeamCheck::kPeriodTicks), 0u);
  desktop.Reload();
  EXPECT_EQ(installsAfter(IBeamCheck::kPeriodTicks), 1u) << "an unannounced reload";
  EXPECT_EQ(installsAfter(200, theirs.get()), 2u) << "with the one before, three in ten seconds, then none";
  EXPECT_EQ(installsAfter(1, nullptr, 0x04090409), 1u) << "a layout change";
  Station wine;  // installs change nothing: the first, then a few tries
  for (int i = 0; i < 100; ++i) wine.Tick(0x04090409);
  EXPECT_EQ(wine.desktop.installs.size(), size_t{IBeamCheck::kUnstuckLimit});
}

// The one long leak run: every path a rendering takes, BitmapToIcon's included.
TEST(LabelledIBeam, TwentyThousandRendersOnEveryKindOfIBeamLeaveNoGdiObject) {
  const IBeam kinds[] = {IBeam::kPlain, IBeam::kInverting, IBeam::kTranslucent};
  for (IBeam kind : kinds) Station(kind).Tick(0x04090409);
  const unsigned before = testing::GdiObjectsAlive();
  for (IBeam kind : kinds) {
    Station station(kind);
    station.Tick(0x04090409);
    for (int i = 1; i < 6667; ++i) station.indicator.UpdateIndicator();
  }
  EXPECT_EQ(testing::GdiObjectsAlive(), before);
}

}  // namespace
}  // namespace corvane
