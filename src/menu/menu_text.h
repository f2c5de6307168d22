// Text rules of the menu captions.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

enum class CompareMode {
  Binary,  // byte for byte
  Text,    // ASCII letters match regardless of case
};

// The part of Text before the first occurrence of Delimiter. An empty Delimiter
// gives Text; when Delimiter does not occur the result is empty if
// EmptyIfAbsent, else the whole Text.
std::string TextBefore(std::string_view Text, std::string_view Delimiter, bool EmptyIfAbsent = false,
                       CompareMode Compare = CompareMode::Binary);

// Caption with the text after its first tab (the menu's accelerator column)
// replaced by Text; an empty Text removes the tab and what followed it.
std::string CaptionWithTabText(std::string_view Caption, std::string_view Text);

// The key a caption underlines: the letter or digit after its first single
// "&" ("&&" shows an ampersand), as an upper-case ASCII character, which is
// also the key's virtual-key code; 0 when there is none or it is neither an
// ASCII letter nor a digit.
char AccessKey(std::string_view Caption);

}  // namespace corvane
