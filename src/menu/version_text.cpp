#include "menu/version_text.h"

namespace corvane {
namespace {

// Decimal with leading zeros up to `width` digits; wider numbers keep all their
// digits rather than losing the leading ones.
std::string Padded(unsigned value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string VersionText(unsigned Major, unsigned Minor, unsigned Revision) {
  std::string text = std::to_string(Major);
  text += '.';
  text += Padded(Minor, 2);
  if (Revision > 0) {
    text += '.';
    text += Padded(Revision, 4);
  }
  return text;
}

std::vector<std::string> SplitText(std::string_view Text, std::string_view Separator) {
  std::vector<std::string> pieces;
  if (Text.empty()) return pieces;
  if (Separator.empty()) return {std::string(Text)};
  std::string_view::size_type start = 0;
  for (auto at = Text.find(Separator); at != std::string_view::npos; at = Text.find(Separator, start)) {
    pieces.emplace_back(Text.substr(start, at - start));
    start = at + Separator.size();
  }
  pieces.emplace_back(Text.substr(start));
  return pieces;
}

std::string AboutCaption(std::string_view LegalTrademarks) { return "About " + std::string(LegalTrademarks); }

std::string AboutText(const AboutFields& Fields, std::string_view Note) {
  constexpr std::string_view kLineBreak = "\r\n";
  std::string description = Fields.FileDescription;
  ReplaceAll(description, ". ", ".\r\n");

  std::string text = description;
  text += kLineBreak;
  text += "Version " + VersionText(Fields.Major, Fields.Minor, Fields.Revision);
  text += kLineBreak;
  if (!Note.empty()) {
    text += Note;
    text += kLineBreak;
  }
  text += std::string(60, ' ');
  text += kLineBreak;
  text += Fields.LegalCopyright;
  text += kLineBreak;
  // Only the web address and the mail address are shown; an empty field shows
  // no contact line at all.
  const std::vector<std::string> pieces = SplitText(Fields.Comments, ", ");
  for (std::size_t i = 0; i < pieces.size() && i < 2; ++i) {
    text += pieces[i];
    text += kLineBreak;
  }
  return text;
}

}  // namespace corvane
