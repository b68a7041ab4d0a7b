// DeleteLeftChars, DeleteRightChars and the UTF-16 form on arbitrary bytes:
// a deletion keeps a suffix or a prefix of the text, cut where a character
// begins, exactly the count of characters shorter; the UTF-16 form gives
// every byte back.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto count = input.ConsumeIntegral<std::int32_t>();
  const std::string text = AsText(input.ConsumeRemainingBytesAsString());
  const std::vector<std::size_t> boundaries = Boundaries(text);
  const std::size_t characters = boundaries.size() - 1;
  const std::size_t kept =
      count <= 0 ? characters : characters - std::min(characters, static_cast<std::size_t>(count));

  const std::string left = DeleteLeftChars(text, count);
  Require(left.size() <= text.size(), "DeleteLeftChars never grows a text");
  Require(text.substr(text.size() - left.size()) == left, "DeleteLeftChars keeps a suffix");
  Require(text.size() - left.size() == boundaries[characters - kept],
          "DeleteLeftChars cuts after exactly the count of characters");

  const std::string right = DeleteRightChars(text, count);
  Require(right.size() <= text.size(), "DeleteRightChars never grows a text");
  Require(text.substr(0, right.size()) == right, "DeleteRightChars keeps a prefix");
  Require(right.size() == boundaries[kept], "DeleteRightChars cuts before exactly the count of characters");

  Require(FromUtf16(ToUtf16(text)) == text, "the UTF-16 form gives every byte back");
  Require(ToUtf16(text).size() >= characters, "every character has at least one unit");
  return 0;
}
