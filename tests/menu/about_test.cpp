// The About box: its parameters captured on the way to the real box.
#include "menu/about.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "menu/version_text.h"
#include "platform/handles.h"

namespace corvane {
namespace {

std::string Ansi(const std::wstring& text) {
  char buffer[512] = {};
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

// A helper thread finds the real box by its caption, reads its texts and
// icon, and presses OK.
TEST(ShowAbout, ProgramsRecordGivesTheFullBoxShownForReal) {
  const platform::VersionRecord record = platform::ReadVersionRecord();
  const auto comma = record.Comments.find(", ");
  ASSERT_NE(comma, std::string::npos);
  const platform::Window owner(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  const std::string caption = Ansi(L"About Tirella\u2122");
  std::atomic<bool> found{false};
  std::string shownText;
  bool hasIcon = false;
  std::thread closer([&] {
    for (int tries = 0; tries < 200 && !found; ++tries) {
      Sleep(50);
      HWND shown = FindWindowA("#32770", caption.c_str());
      if (!shown || !IsWindowVisible(shown)) continue;
      for (HWND child = GetWindow(shown, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        shownText += text;
        hasIcon = hasIcon || SendMessageA(child, STM_GETICON, 0, 0);
      }
      found = true;
      PostMessageA(shown, WM_COMMAND, IDOK, 0);
    }
  });
  // The parameters on their way, the texts copied out.
  MSGBOXPARAMSA sent{};
  std::string sentCaption, sentText;
  int result = 0;
  ShowAbout(owner.get(), record, kAboutNote, [&](const MSGBOXPARAMSA& params) {
    sent = params;
    sentCaption = params.lpszCaption;
    sentText = params.lpszText;
    return result = SystemMessageBox(params);
  });
  closer.join();

  EXPECT_EQ(sent.cbSize, 40u);
  EXPECT_EQ(sent.hwndOwner, owner.get());
  EXPECT_EQ(sent.hInstance, GetModuleHandleA(nullptr));
  EXPECT_EQ(sent.dwStyle, static_cast<DWORD>(MB_OK | MB_USERICON));
  EXPECT_EQ(sent.lpszIcon, MAKEINTRESOURCEA(1));
  EXPECT_EQ(sent.dwLanguageId, 0u);
  EXPECT_EQ(sentCaption, caption);
  EXPECT_EQ(sentText, record.FileDescription + "\r\nVersion 0.15\r\n(Shows the language bar near the system cursor.)\r\n" +
                          std::string(60, ' ') + "\r\n" + Ansi(L"Copyright \u00A9 2026 Halvorn. All rights reserved.") +
                          "\r\n" + record.Comments.substr(0, comma) + "\r\n" + record.Comments.substr(comma + 2) + "\r\n");
  ASSERT_TRUE(found) << "no box titled " << caption;
  EXPECT_EQ(result, IDOK);
  EXPECT_NE(shownText.find("Version 0.15\r\n(Shows the language bar"), std::string::npos) << shownText;
  EXPECT_TRUE(hasIcon);
}

// Distinct version numbers, two sentences and no Comments: every field lands
// in its place and the text ends after the copyright.
TEST(ShowAbout, EmptyCommentsEndTheTextAfterTheCopyright) {
  // Description, copyright and trademarks; version 1.2.3.
  const platform::VersionRecord record{"", "", "First. Second", "(c)", "T", "", "", 1, 2, 3};
  std::string shown;
  ShowAbout(nullptr, record, "", [&](const MSGBOXPARAMSA& params) {
    shown = std::string(params.lpszCaption) + "|" + params.lpszText;
    return IDOK;
  });
  EXPECT_EQ(shown, "About T|First.\r\nSecond\r\nVersion 1.02.0003\r\n" + std::string(60, ' ') + "\r\n(c)\r\n");
}

}  // namespace
}  // namespace corvane
