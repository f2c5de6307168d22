#include "menu/menu_text.h"

#include <algorithm>

namespace corvane {
namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view::size_type Find(std::string_view text, std::string_view delimiter, CompareMode compare) {
  if (compare == CompareMode::Binary) return text.find(delimiter);
  const auto hit = std::search(text.begin(), text.end(), delimiter.begin(), delimiter.end(),
                               [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
  return hit == text.end() ? std::string_view::npos : static_cast<std::string_view::size_type>(hit - text.begin());
}

}  // namespace

std::string TextBefore(std::string_view Text, std::string_view Delimiter, bool EmptyIfAbsent, CompareMode Compare) {
  if (Delimiter.empty()) return std::string(Text);
  const auto at = Find(Text, Delimiter, Compare);
  if (at == std::string_view::npos) return EmptyIfAbsent ? std::string() : std::string(Text);
  return std::string(Text.substr(0, at));
}

std::string CaptionWithTabText(std::string_view Caption, std::string_view Text) {
  std::string caption = TextBefore(Caption, "\t", false);
  if (!Text.empty()) {
    caption += '\t';
    caption += Text;
  }
  return caption;
}

char AccessKey(std::string_view Caption) {
  for (auto at = Caption.find('&'); at != std::string_view::npos && at + 1 < Caption.size();
       at = Caption.find('&', at + 2)) {
    const char key = FoldAscii(Caption[at + 1]);
    if (key == '&') continue;
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') ? key : 0;
  }
  return 0;
}

}  // namespace corvane
