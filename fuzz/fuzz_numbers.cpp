// TextToNumber, TruncateToInt, IntToText and the extension of a name on
// arbitrary bytes: no undefined behaviour, integers survive the way through
// their text, and stem and extension give the name back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>

#include "fuzz/fuzz_support.h"

namespace {

// "-12" in full-width forms: U+FF0D, U+FF11, U+FF12.
std::string FullWidth(const std::string& ascii) {
  std::string wide;
  for (const char c : ascii) {
    const auto code = static_cast<unsigned>(0xFF01 + (c - '!'));
    wide += static_cast<char>(0xE0 | (code >> 12));
    wide += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    wide += static_cast<char>(0x80 | (code & 0x3F));
  }
  return wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto integer = input.ConsumeIntegral<std::int32_t>();
  const std::string text = AsText(input.ConsumeRemainingBytesAsString());

  const double number = TextToNumber(text);
  Require(!std::isnan(number), "a field text never reads as NaN");
  TruncateToInt(number);
  Require(TruncateToInt(TextToNumber(IntToText(integer))) == integer,
          "an integer survives its text");
  Require(TruncateToInt(TextToNumber(FullWidth(IntToText(integer)))) == integer,
          "an integer survives its full-width text");

  const std::string extension = ExtensionOf(text);
  Require(NameWithoutExtension(text) + extension == text, "stem and extension give the name back");
  Require(extension.empty() || (extension[0] == '.' && extension.find('.', 1) == std::string::npos),
          "the extension begins at the last dot");
  return 0;
}
