// The About box: its parameters captured, and once shown for real.
#include "menu/about.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "menu/version_text.h"

namespace corvane {
namespace {

std::string Ansi(const std::wstring& text) {
  char buffer[512] = {};
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

// The parameters as the box would see them, with the texts copied out.
struct Captured {
  int calls = 0;
  MSGBOXPARAMSA params{};
  std::string text;
  std::string caption;
};

MessageBoxSender Capture(Captured& into, int result = IDOK) {
  return [&into, result](const MSGBOXPARAMSA& params) {
    ++into.calls;
    into.params = params;
    into.text = params.lpszText ? params.lpszText : "";
    into.caption = params.lpszCaption ? params.lpszCaption : "";
    return result;
  };
}

TEST(ShowAbout, ProgramsRecordGivesTheFullBox) {
  const platform::VersionRecord record = platform::ReadVersionRecord();
  HWND owner = reinterpret_cast<HWND>(0x1234);
  Captured box;
  ShowAbout(owner, record, kAboutNote, Capture(box));

  ASSERT_EQ(box.calls, 1);
  EXPECT_EQ(box.params.cbSize, 40u);
  EXPECT_EQ(box.params.hwndOwner, owner);
  EXPECT_EQ(box.params.hInstance, GetModuleHandleA(nullptr));
  EXPECT_EQ(box.params.dwStyle, static_cast<DWORD>(MB_OK | MB_USERICON));
  EXPECT_EQ(box.params.lpszIcon, MAKEINTRESOURCEA(1));
  EXPECT_EQ(box.params.dwContextHelpId, 0u);
  EXPECT_EQ(box.params.lpfnMsgBoxCallback, nullptr);
  EXPECT_EQ(box.params.dwLanguageId, 0u);

  EXPECT_EQ(box.caption, Ansi(L"About Tirella\u2122"));
  const std::string copyright = Ansi(L"Copyright \u00A9 2026 Halvorn. All rights reserved.");
  const auto comma = record.Comments.find(", ");
  ASSERT_NE(comma, std::string::npos);
  EXPECT_EQ(box.text, record.FileDescription + "\r\nVersion 0.15\r\n(Shows the language bar near the system cursor.)\r\n" +
                          std::string(60, ' ') + "\r\n" + copyright + "\r\n" + record.Comments.substr(0, comma) +
                          "\r\n" + record.Comments.substr(comma + 2) + "\r\n");
}

TEST(ShowAbout, EmptyCommentsEndTheTextAfterTheCopyright) {
  platform::VersionRecord record;
  record.FileDescription = "First. Second";
  record.LegalCopyright = "(c)";
  record.LegalTrademarks = "T";
  record.Major = 1;
  record.Minor = 2;
  record.Revision = 3;
  Captured box;
  ShowAbout(nullptr, record, "", Capture(box));
  ASSERT_EQ(box.calls, 1);
  EXPECT_EQ(box.caption, "About T");
  const std::string blanks(60, ' ');
  EXPECT_EQ(box.text, "First.\r\nSecond\r\nVersion 1.02.0003\r\n" + blanks + "\r\n(c)\r\n");
}

TEST(AppMessageBox, IconOnlyWhenGivenAndTheResultPassedOn) {
  Captured box;
  EXPECT_EQ(AppMessageBox(nullptr, "t", MB_YESNO, "c", std::nullopt, 0x0409, Capture(box, IDNO)), IDNO);
  EXPECT_EQ(box.params.dwStyle, static_cast<DWORD>(MB_YESNO));
  EXPECT_EQ(box.params.lpszIcon, nullptr);
  EXPECT_EQ(box.params.dwLanguageId, 0x0409u);
}

// The real MessageBoxIndirectA: a helper thread finds the box by its caption,
// reads its texts and icon, and presses OK.
TEST(ShowAbout, RealBoxShowsTheTextAndTheProgramsIcon) {
  const platform::VersionRecord record = platform::ReadVersionRecord();
  const std::string caption = AboutCaption(record.LegalTrademarks);
  std::atomic<bool> found{false};
  std::string shownText;
  bool hasIcon = false;
  int result = 0;

  std::thread closer([&] {
    for (int tries = 0; tries < 200 && !found; ++tries) {
      Sleep(50);
      HWND box = FindWindowA("#32770", caption.c_str());
      if (!box || !IsWindowVisible(box)) continue;
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::string(text).find("Version ") != std::string::npos) shownText = text;
        if (SendMessageA(child, STM_GETICON, 0, 0)) hasIcon = true;
      }
      found = true;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  });
  ShowAbout(nullptr, record, kAboutNote, [&](const MSGBOXPARAMSA& params) {
    result = SystemMessageBox(params);
    return result;
  });
  closer.join();

  ASSERT_TRUE(found) << "no box titled " << caption;
  EXPECT_EQ(result, IDOK);
  EXPECT_NE(shownText.find("Version 0.15\r\n(Shows the language bar"), std::string::npos) << shownText;
  EXPECT_TRUE(hasIcon);
}

}  // namespace
}  // namespace corvane
