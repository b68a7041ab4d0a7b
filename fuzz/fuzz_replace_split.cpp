// ReplaceAll and SplitText on arbitrary bytes, judged by the character walk
// from the start of the text: matches begin only where a character begins,
// the bytes between matches are kept byte for byte, an empty replacement
// leaves no occurrence inside what it keeps, and the pieces of a split
// joined with the separator give the text back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "fuzz/fuzz_support.h"

namespace {

// Whether `find` occurs in `stretch` at one of its character starts.
bool OccursAtABoundary(std::string_view stretch, std::string_view find) {
  for (const std::size_t at : Boundaries(stretch)) {
    if (stretch.substr(at).starts_with(find)) return true;
  }
  return false;
}

std::string Joined(const std::vector<std::string>& pieces, std::string_view separator) {
  std::string joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) joined += separator;
    joined += pieces[i];
  }
  return joined;
}

void CheckReplace(const std::string& text, const std::string& find, const std::string& replacement) {
  Require(ReplaceAll(text, find, replacement) == ReferenceReplace(text, find, replacement).text,
          "ReplaceAll replaces at character starts and keeps every other byte");
  const Replaced removed = ReferenceReplace(text, find, "");
  Require(ReplaceAll(text, find, "") == removed.text, "an empty replacement removes the matches");
  if (find.empty()) return;
  for (const std::string& stretch : removed.kept) {
    Require(!OccursAtABoundary(stretch, find), "an empty replacement leaves no occurrence");
  }
}

void CheckSplit(const std::string& text, const std::string& separator) {
  const std::vector<std::string> pieces = SplitText(text, separator);
  if (text.empty()) return Require(pieces.empty(), "the empty text has no pieces");
  if (separator.empty()) return Require(pieces == std::vector{text}, "no separator, one piece");
  const std::string joined = Joined(pieces, separator);
  Require(joined == text || joined + separator == text,
          "the pieces joined give the text, up to a trailing separator");
  std::vector<std::string> expected = ReferenceReplace(text, separator, "").kept;
  if (expected.back().empty()) expected.pop_back();
  Require(pieces == expected, "the text is cut where the separator begins a character");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string find = AsText(input.ConsumeRandomLengthString(16));
  const std::string replacement = AsText(input.ConsumeRandomLengthString(16));
  const std::string text = AsText(input.ConsumeRemainingBytesAsString());
  CheckReplace(text, find, replacement);
  CheckSplit(text, find);
  return 0;
}
