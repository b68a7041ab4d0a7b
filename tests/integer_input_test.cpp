#include "ui/integer_input.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NormaliseCase {
  const char* name;
  std::string text;
  std::string expected;
};

TEST(NormaliseIntegerText, Table) {
  const NormaliseCase cases[] = {
      {"leading zeros go", "007", "7"},
      {"zero is empty", "0", ""},
      {"minus zero is empty", "-0", ""},
      {"lone minus is empty", "-", ""},
      {"empty stays empty", "", ""},
      {"stops at the first non-digit", "5-3", "5"},
      {"clamps high", "99999999999", "2147483647"},
      {"clamps low", "-99999999999", "-2147483648"},
      {"range edge high", "2147483647", "2147483647"},
      {"range edge low", "-2147483648", "-2147483648"},
      {"one past the edge", "2147483648", "2147483647"},
      {"plain number unchanged", "12", "12"},
      {"negative number unchanged", "-12", "-12"},
      {"pasted digits then letters", "3abc", "3"},
      {"pasted letters", "abc", ""},
      {"leading white space skipped", " \t 42", "42"},
      {"plus sign dropped", "+8", "8"},
      {"two signs read nothing", "--5", ""},
      {"white space after the sign ends it", "- 5", ""},
      {"full-width digit is no digit", "\xEF\xBC\x95", ""},
      {"more than 18 digits, after 19 digits of zeros", std::string(19, '0') + "5", "5"},
  };
  for (const NormaliseCase& c : cases) {
    EXPECT_EQ(NormaliseIntegerText(c.text), c.expected) << c.name;
  }
}

TEST(NormaliseIntegerText, LongDigitRunsClampWithoutOverflow) {
  // Guards against a value accumulated past 64 bits wrapping to a small or
  // negative number.
  EXPECT_EQ(NormaliseIntegerText(std::string(10000, '9')), "2147483647");
  EXPECT_EQ(NormaliseIntegerText("-" + std::string(10000, '9')), "-2147483648");
  EXPECT_EQ(NormaliseIntegerText("18446744073709551617"), "2147483647");
  EXPECT_EQ(NormaliseIntegerText(std::string(10000, 'x')), "");
}

TEST(AcceptsTypedCharacter, DigitsMinusAndControlCharactersOnly) {
  for (char32_t c = U'0'; c <= U'9'; ++c) EXPECT_TRUE(AcceptsTypedCharacter(c));
  const char32_t taken[] = {U'-', U'\b', U'\x03', U'\x16', U'\x7F', U'\r'};
  for (char32_t c : taken) EXPECT_TRUE(AcceptsTypedCharacter(c)) << static_cast<unsigned>(c);
  const char32_t dropped[] = {U'a', U'Z', U' ', U'.', U'+', U',', U'\u00A0', U'\uFF15', U'中',
                              U'\U0001F600'};
  for (char32_t c : dropped) EXPECT_FALSE(AcceptsTypedCharacter(c)) << static_cast<unsigned>(c);
}

}  // namespace
