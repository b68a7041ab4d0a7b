#include "engine/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
const double kInf = std::numeric_limits<double>::infinity();

// 照片 in GBK. As UTF-8 the two 0xD5 are invalid bytes, while 0xC6 0xAC
// happens to be a valid two-byte sequence (U+01AC): three characters.
const std::string kGbkPhoto = "\xd5\xd5\xc6\xac";

TEST(CharLengthAt, AcceptsOnlyValidSequences) {
  struct Case {
    const char* name;
    std::string text;
    std::size_t length;
  };
  const std::vector<Case> cases = {
      {"ascii", "a", 1},
      {"two_bytes", "\xc3\xa9", 2},
      {"three_bytes", "照", 3},
      {"four_bytes", "😀", 4},
      {"last_before_surrogates", "\xed\x9f\xbf", 3},
      {"first_after_surrogates", "\xee\x80\x80", 3},
      {"highest_code_point", "\xf4\x8f\xbf\xbf", 4},
      {"overlong_two_bytes", "\xc0\xaf", 1},
      {"overlong_three_bytes", "\xe0\x80\xaf", 1},
      {"overlong_four_bytes", "\xf0\x80\x80\xaf", 1},
      {"surrogate", "\xed\xa0\x80", 1},
      {"above_10ffff", "\xf4\x90\x80\x80", 1},
      {"f5_lead", "\xf5\x80\x80\x80", 1},
      {"truncated", "\xe7\x85", 1},
      {"lone_continuation", "\x85", 1},
      {"gbk_lead_then_gbk_lead", "\xd5\xd5", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CharLengthAt(c.text, 0), c.length);
  }
  EXPECT_EQ(CharLengthAt("ab", 2), 0U);
}

TEST(Extension, LastDotSplitsNameAndExtension) {
  struct Case {
    const char* name;
    std::string file;
    std::string extension;
    std::string stem;
  };
  const std::vector<Case> cases = {
      {"two_dots", "a.tar.gz", ".gz", "a.tar"},
      {"no_dot", "README", "", "README"},
      {"trailing_dot", "name.", ".", "name"},
      {"leading_dot_only", ".bashrc", ".bashrc", ""},
      {"space_in_name", "my photo.jpg", ".jpg", "my photo"},
      {"empty", "", "", ""},
      {"chinese", "照片.JPG", ".JPG", "照片"},
      {"gbk_stem_kept", kGbkPhoto + ".jpg", ".jpg", kGbkPhoto},
      {"gbk_extension_kept", "a." + kGbkPhoto, "." + kGbkPhoto, "a"},
      {"lone_invalid_byte", "\xff", "", "\xff"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExtensionOf(c.file), c.extension);
    EXPECT_EQ(NameWithoutExtension(c.file), c.stem);
  }
}

TEST(Delete, CountsCharactersFromEitherEnd) {
  struct Case {
    const char* name;
    std::string text;
    std::int32_t count;
    std::string left;   // DeleteLeftChars
    std::string right;  // DeleteRightChars
  };
  const std::vector<Case> cases = {
      {"chinese_counts_one_each", "照片ab.txt", 2, "ab.txt", "照片ab.t"},
      {"ascii", "abc", 1, "bc", "ab"},
      {"zero_keeps", "abc", 0, "abc", "abc"},
      {"negative_keeps", "abc", -1, "abc", "abc"},
      {"int32_min_keeps_without_overflow", "abc", kMin, "abc", "abc"},
      {"exact_count_empties", "abc", 3, "", ""},
      {"beyond_count_empties", "abc", 4, "", ""},
      {"int32_max_empties_without_overflow", "照片", kMax, "", ""},
      {"empty_text", "", 1, "", ""},
      {"empty_text_int32_min", "", kMin, "", ""},
      {"empty_text_int32_max", "", kMax, "", ""},
      {"emoji_counts_one", "😀ab😀", 1, "ab😀", "😀ab"},
      {"gbk_invalid_bytes_count_one_each", kGbkPhoto + ".jpg", 1, "\xd5\xc6\xac.jpg",
       kGbkPhoto + ".jp"},
      {"gbk_valid_pair_counts_one", kGbkPhoto, 2, "\xc6\xac", "\xd5"},
      {"final_lead_byte_kept", "ab\xd5", 1, "b\xd5", "ab"},
      {"lone_ff_kept", "\xff" "a\xff", 1, "a\xff", "\xff" "a"},
      {"truncated_sequence_is_bytes", "x\xe7\x85", 1, "\xe7\x85", "x\xe7"},
      {"surrogate_bytes_are_bytes", "\xed\xa0\x80", 1, "\xa0\x80", "\xed\xa0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DeleteLeftChars(c.text, c.count), c.left);
    EXPECT_EQ(DeleteRightChars(c.text, c.count), c.right);
  }
}

// Every short byte string over bytes chosen to sit on the edges of the
// UTF-8 rules, so invalid and valid sequences meet in every combination.
std::vector<std::string> EdgeByteStrings() {
  const std::string alphabet =
      "\x01" "a.\x7f\x80\x8f\x90\x9f\xa0\xbf\xc0\xc1\xc2\xdf\xe0\xed\xef\xf0\xf4\xf5\xff";
  std::vector<std::string> strings = {""};
  for (std::size_t begin = 0, length = 1; length <= 4; ++length) {
    const std::size_t end = strings.size();
    for (std::size_t i = begin; i < end; ++i) {
      for (const char byte : alphabet) strings.push_back(strings[i] + byte);
    }
    begin = end;
  }
  return strings;
}

TEST(Delete, BothEndsCutAtTheSameBoundariesAndLoseNothing) {
  for (const std::string& text : EdgeByteStrings()) {
    std::int32_t total = 0;
    while (!DeleteLeftChars(text, total).empty()) ++total;
    for (std::int32_t kept = 0; kept <= total; ++kept) {
      ASSERT_EQ(DeleteRightChars(text, total - kept) + DeleteLeftChars(text, kept), text)
          << "kept " << kept << " of " << total;
    }
  }
}

TEST(Utf16, ConvertsCharactersAndEscapesInvalidBytes) {
  struct Case {
    const char* name;
    std::string text;
    std::u16string units;
  };
  const std::vector<Case> cases = {
      {"empty", "", u""},
      {"ascii_and_chinese", "a照", u"a\u7167"},
      {"outside_bmp_is_a_pair", "😀", u"\xd83d\xde00"},
      {"invalid_bytes_are_low_surrogates", "\xd5\xff\x80", u"\xdcd5\xdcff\xdc80"},
      {"pair_then_escaped_continuation", "😀\x80", u"\xd83d\xde00\xdc80"},
      {"stops_at_zero_byte", std::string("a\0b", 3), u"a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToUtf16(c.text), c.units);
    EXPECT_EQ(FromUtf16(c.units), c.text.substr(0, c.text.find('\0')));
  }
}

TEST(Utf16, RoundTripKeepsEveryByte) {
  for (const std::string& text : EdgeByteStrings()) {
    ASSERT_EQ(FromUtf16(ToUtf16(text)), text);
  }
  EXPECT_EQ(FromUtf16(ToUtf16(kGbkPhoto + ".jpg")), kGbkPhoto + ".jpg");
}

TEST(Utf16, SurrogatesThatToUtf16NeverYieldAreKept) {
  struct Case {
    const char* name;
    std::u16string units;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"unpaired_high", u"\xd800", "\xed\xa0\x80"},
      {"high_before_non_surrogate", u"\xdbff" "a", "\xed\xaf\xbf" "a"},
      {"low_below_escapes", u"\xdc00", "\xed\xb0\x80"},
      {"low_above_escapes", u"\xdd00", "\xed\xb4\x80"},
      {"two_highs_then_low", u"\xd800\xd83d\xde00", "\xed\xa0\x80😀"},
      {"stops_at_zero_unit", std::u16string(u"a\0b", 3), "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FromUtf16(c.units), c.text);
  }
}

TEST(ReplaceAll, ReplacesEveryOccurrenceAtCharacterStarts) {
  struct Case {
    const char* name;
    std::string text;
    std::string find;
    std::string replacement;
    std::string result;
  };
  const std::vector<Case> cases = {
      {"left_to_right_without_overlap", "aaa", "aa", "b", "ba"},
      {"case_counts", "ABC", "b", "x", "ABC"},
      {"empty_find_keeps", "abc", "", "x", "abc"},
      {"empty_text", "", "a", "x", ""},
      {"find_longer_than_text", "ab", "abc", "x", "ab"},
      {"empty_replacement_deletes", "a.b.c", ".", "", "abc"},
      {"replacement_not_searched_again", "abab", "ab", "abab", "abababab"},
      {"placeholder", "[编号]a[编号]", "[编号]", "7", "7a7"},
      {"chinese", "照片照片", "片", "x", "照x照x"},
      {"emoji", "😀.😀", "😀", "x", "x.x"},
      {"continuation_inside_character_no_match", "照", "\x85", "x", "照"},
      {"lone_continuation_matches", "a\x85" "b", "\x85", "x", "axb"},
      {"gbk_whole_name", kGbkPhoto + ".jpg", kGbkPhoto, "photo", "photo.jpg"},
      {"gbk_invalid_bytes_match", kGbkPhoto, "\xd5", "", "\xc6\xac"},
      {"gbk_byte_inside_valid_pair_no_match", kGbkPhoto, "\xac", "x", kGbkPhoto},
      {"gbk_kept_around_match", "a" + kGbkPhoto + "a", "a", "b", "b" + kGbkPhoto + "b"},
      {"final_lead_byte_kept", "a\xff", "a", "", "\xff"},
      {"match_ending_in_lead_byte_restarts_the_walk", "\x80\x80\xe1\x80\x80\xe1",
       "\x80\x80\xe1", "x", "xx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.result);
  }
}

TEST(SplitText, SplitsAtSeparatorsBetweenCharacters) {
  using Pieces = std::vector<std::string>;
  struct Case {
    const char* name;
    std::string text;
    std::string separator;
    Pieces pieces;
  };
  const std::vector<Case> cases = {
      {"no_separator_one_piece", "*.*", "|", {"*.*"}},
      {"empty_text_no_piece", "", "|", {}},
      {"trailing_separator_no_empty_piece", "a|b|", "|", {"a", "b"}},
      {"adjacent_separators_empty_piece", "a||b", "|", {"a", "", "b"}},
      {"separator_only", "|", "|", {""}},
      {"empty_separator_whole_text", "a|b", "", {"a|b"}},
      {"long_separator", "a||b", "||", {"a", "b"}},
      {"continuation_inside_character_no_split", "照片", "\x85", {"照片"}},
      {"gbk_pieces_kept", "\xd5|\xff", "|", {"\xd5", "\xff"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SplitText(c.text, c.separator), c.pieces);
  }
}

TEST(TextToNumber, ReadsTheLeadingDecimalNumber) {
  struct Case {
    const char* name;
    std::string text;
    double number;
  };
  const std::vector<Case> cases = {
      {"digits_then_letters", "12abc", 12},
      {"leading_spaces", "  7", 7},
      {"every_white_space", "\t\n\v\f\r 3", 3},
      {"empty", "", 0},
      {"letters", "abc", 0},
      {"no_hex", "0x1A", 0},
      {"no_inf", "inf", 0},
      {"no_nan", "nan", 0},
      {"exponent_e", "1e3", 1000},
      {"exponent_d", "1d3", 1000},
      {"exponent_upper_d_signed", "1D+3", 1000},
      {"negative_exponent", "25E-1", 2.5},
      {"exponent_without_digit_ignored", "5e", 5},
      {"exponent_sign_without_digit_ignored", "5e-x", 5},
      {"fraction", "2.9", 2.9},
      {"negative_fraction", "-2.9", -2.9},
      {"plus_sign", "+7", 7},
      {"point_first", ".5", 0.5},
      {"point_last", "5.", 5},
      {"point_alone", ".", 0},
      {"sign_alone", "-", 0},
      {"comma_is_no_point", "1,5", 1},
      {"beyond_int32", "99999999999", 99999999999.0},
      {"full_width_digits", "２３", 23},
      {"full_width_minus", "－５", -5},
      {"full_width_twelve", "１２", 12},
      {"full_width_point_and_exponent", "１．５ｅ２", 150},
      {"ideographic_space_skipped", "\u3000４", 4},
      {"invalid_byte_first", "\xff" "12", 0},
      {"overflow_is_infinite", "1e400", kInf},
      {"negative_overflow", "-1e400", -kInf},
      {"four_hundred_digits", std::string(400, '9'), kInf},
      {"huge_exponent_digits", "1e99999999999999999999", kInf},
      {"underflow_is_zero", "1e-400", 0},
      {"long_zero_fraction_underflow", "0.0000000001e-99999999999", 0},
      {"denormal_kept", "4e-320", 4e-320},
      {"zero_with_huge_exponent", "0e99999", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextToNumber(c.text), c.number);
  }
}

TEST(TruncateToInt, TruncatesTowardZeroAndSaturates) {
  struct Case {
    const char* name;
    double number;
    std::int32_t result;
  };
  const std::vector<Case> cases = {
      {"positive_fraction", 2.9, 2},
      {"negative_fraction", -2.9, -2},
      {"half", 0.5, 0},
      {"negative_half", -0.5, 0},
      {"largest", 2147483647.9, kMax},
      {"just_above_range", 2147483648.0, kMax},
      {"far_above_range", 99999999999.0, kMax},
      {"smallest", -2147483648.9, kMin},
      {"just_below_range", -2147483649.0, kMin},
      {"beyond_int64", -1e300, kMin},
      {"infinity", kInf, kMax},
      {"negative_infinity", -kInf, kMin},
      {"nan", std::nan(""), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TruncateToInt(c.number), c.result);
  }
}

TEST(TruncateToInt, CountFieldsReadAsIntegers) {
  struct Case {
    const char* name;
    std::string field;
    std::int32_t count;
  };
  const std::vector<Case> cases = {
      {"letters", "abc", 0},
      {"negative", "-3", -3},
      {"too_large_saturates", "99999999999", kMax},
      {"full_width", "１２", 12},
      {"fraction_truncated", "-2.9", -2},
      {"overflow_saturates", "1e400", kMax},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TruncateToInt(TextToNumber(c.field)), c.count);
  }
}

TEST(IntToText, WritesPlainDecimal) {
  struct Case {
    std::int32_t value;
    std::string text;
  };
  const std::vector<Case> cases = {
      {-5, "-5"}, {0, "0"}, {7, "7"}, {10, "10"}, {kMax, "2147483647"}, {kMin, "-2147483648"},
  };
  for (const Case& c : cases) EXPECT_EQ(IntToText(c.value), c.text);
}

}  // namespace
