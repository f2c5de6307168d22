// The version number and About box texts built from the version record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// "Major.MM", plus ".RRRR" when Revision is above 0: the minor number with at
// least two digits, the revision with at least four (0.15; 1.2.3 -> 1.02.0003).
std::string VersionText(unsigned Major, unsigned Minor, unsigned Revision);

// Text cut at every Separator (exact match); an empty Text gives no pieces.
std::vector<std::string> SplitText(std::string_view Text, std::string_view Separator);

// The note the About box shows under the version line.
inline constexpr std::string_view kAboutNote = "(Shows the language bar near the system cursor.)";

// "About " followed by the legal-trademarks text.
std::string AboutCaption(std::string_view LegalTrademarks);

struct AboutFields {
  std::string FileDescription;
  std::string LegalCopyright;
  std::string Comments;  // contact pieces separated by ", "
  unsigned Major = 0;
  unsigned Minor = 0;
  unsigned Revision = 0;
};

// The About box text, every line ending in CR LF: the description with each
// ". " starting a new line, "Version " and the version, the note (when not
// empty), 60 blanks, the copyright, then the first and second pieces of
// Comments (those present).
std::string AboutText(const AboutFields& Fields, std::string_view Note);

}  // namespace corvane
