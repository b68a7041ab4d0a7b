#include "engine/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

std::int32_t NameCodePage = 0;

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

unsigned char ByteAt(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

// Length of the valid UTF-8 sequence at `at`, 1 for a byte that begins none
// (overlong forms, surrogates, values above U+10FFFF, truncated sequences).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const unsigned char lead = ByteAt(text, at);
  if (lead < 0x80U) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80U;
  unsigned char high = 0xBFU;
  if (lead >= 0xC2U && lead <= 0xDFU) {
    length = 2;
  } else if (lead >= 0xE0U && lead <= 0xEFU) {
    length = 3;
    if (lead == 0xE0U) low = 0xA0U;
    if (lead == 0xEDU) high = 0x9FU;
  } else if (lead >= 0xF0U && lead <= 0xF4U) {
    length = 4;
    if (lead == 0xF0U) low = 0x90U;
    if (lead == 0xF4U) high = 0x8FU;
  } else {
    return 1;
  }
  if (text.size() - at < length) return 1;
  const unsigned char second = ByteAt(text, at + 1);
  if (second < low || second > high) return 1;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(ByteAt(text, at + i))) return 1;
  }
  return length;
}

// Code point of a valid sequence of `length` bytes at `at`.
char32_t DecodeAt(std::string_view text, std::size_t at, std::size_t length) {
  static constexpr unsigned char kLeadMask[] = {0, 0x7FU, 0x1FU, 0x0FU, 0x07U};
  char32_t code = ByteAt(text, at) & kLeadMask[length];
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (ByteAt(text, at + i) & 0x3FU);
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (code < 0x80U) {
    put(code);
  } else if (code < 0x800U) {
    put(0xC0U | (code >> 6));
    put(0x80U | (code & 0x3FU));
  } else if (code < 0x10000U) {
    put(0xE0U | (code >> 12));
    put(0x80U | ((code >> 6) & 0x3FU));
    put(0x80U | (code & 0x3FU));
  } else {
    put(0xF0U | (code >> 18));
    put(0x80U | ((code >> 12) & 0x3FU));
    put(0x80U | ((code >> 6) & 0x3FU));
    put(0x80U | (code & 0x3FU));
  }
}

// Whether a walk by characters that starts at `floor` steps on `at`. Only a
// continuation byte can lie inside a character, and only inside one whose
// lead byte is at most three bytes before it.
bool IsCharStart(std::string_view text, std::size_t floor, std::size_t at) {
  if (!IsContinuation(ByteAt(text, at))) return true;
  for (std::size_t back = 1; back <= 3 && at - floor >= back; ++back) {
    if (SequenceLength(text, at - back) > back) return false;
  }
  return true;
}

// Byte offset after the first `count` characters (the end when fewer).
std::size_t SkipChars(std::string_view text, std::size_t count) {
  std::size_t at = 0;
  for (; count > 0 && at < text.size(); --count) at += SequenceLength(text, at);
  return at;
}

std::size_t CountChars(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += SequenceLength(text, at)) ++count;
  return count;
}

}  // namespace

std::size_t CharLengthAt(std::string_view text, std::size_t at) {
  return at < text.size() ? SequenceLength(text, at) : 0;
}

// No name is treated specially: the extension is the tail from the last "."
// whatever comes before it, so ".bashrc" is all extension.
std::string ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string NameWithoutExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return std::string(name.substr(0, dot));
}

std::string DeleteLeftChars(std::string_view text, std::int32_t count) {
  if (count <= 0) return std::string(text);
  return std::string(text.substr(SkipChars(text, static_cast<std::size_t>(count))));
}

std::string DeleteRightChars(std::string_view text, std::int32_t count) {
  if (count <= 0) return std::string(text);
  const std::size_t total = CountChars(text);
  const auto drop = static_cast<std::size_t>(count);
  if (drop >= total) return std::string();
  return std::string(text.substr(0, SkipChars(text, total - drop)));
}

std::u16string ToUtf16(std::string_view text) {
  std::u16string units;
  units.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = SequenceLength(text, at);
    if (length == 1 && ByteAt(text, at) >= 0x80U) {
      units.push_back(static_cast<char16_t>(0xDC00U + ByteAt(text, at)));
    } else {
      const char32_t code = DecodeAt(text, at, length);
      if (code == 0) break;
      if (code < 0x10000U) {
        units.push_back(static_cast<char16_t>(code));
      } else {
        units.push_back(static_cast<char16_t>(0xD800U + ((code - 0x10000U) >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00U + (code & 0x3FFU)));
      }
    }
    at += length;
  }
  return units;
}

// U+DC80..U+DCFF on its own is the byte it stands for. Other unpaired
// surrogates, which ToUtf16 never yields, are written in the generalised
// three-byte form (ED A0..BF xx) so that no unit is silently lost.
std::string FromUtf16(std::u16string_view units) {
  std::string text;
  text.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    if (unit == 0) break;
    const bool high = unit >= 0xD800U && unit <= 0xDBFFU;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00U && units[i + 1] <= 0xDFFFU) {
      AppendUtf8(text, 0x10000U + ((unit - 0xD800U) << 10) + (units[i + 1] - 0xDC00U));
      ++i;
    } else if (unit >= 0xDC80U && unit <= 0xDCFFU) {
      text.push_back(static_cast<char>(unit - 0xDC00U));
    } else {
      AppendUtf8(text, unit);
    }
  }
  return text;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  std::size_t hit = find.empty() ? std::string_view::npos : text.find(find);
  if (hit == std::string_view::npos) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t copied = 0;  // also where the character walk restarts after a match
  while (hit != std::string_view::npos) {
    std::size_t next = hit + 1;
    if (IsCharStart(text, copied, hit)) {
      result.append(text.substr(copied, hit - copied));
      result.append(replacement);
      copied = next = hit + find.size();
    }
    hit = text.find(find, next);
  }
  result.append(text.substr(copied));
  return result;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t start = 0;
  for (std::size_t hit = text.find(separator); hit != std::string_view::npos;) {
    std::size_t next = hit + 1;
    if (IsCharStart(text, start, hit)) {
      pieces.emplace_back(text.substr(start, hit - start));
      start = next = hit + separator.size();
    }
    hit = text.find(separator, next);
  }
  if (start < text.size()) pieces.emplace_back(text.substr(start));
  return pieces;
}

namespace {

// The ASCII character a full-width form stands for, or 0 for none.
char FoldFullWidth(char32_t code) {
  if (code >= 0xFF01U && code <= 0xFF5DU && code != 0xFF04U) return static_cast<char>(code - 0xFEE0U);
  switch (code) {
    case 0xFFE5U: return '$';
    case 0xFFE3U:
    case 0xFF5EU: return '~';
    case 0x3000U: return ' ';
    case 0x2605U:
    case 0x2606U: return '*';
    default: return 0;
  }
}

std::string FoldFullWidthForms(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = SequenceLength(text, at);
    const char ascii = length == 3 ? FoldFullWidth(DecodeAt(text, at, length)) : '\0';
    if (ascii != '\0') {
      folded.push_back(ascii);
    } else {
      folded.append(text.substr(at, length));
    }
    at += length;
  }
  return folded;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// For a number that from_chars finds out of range: whether its magnitude is
// above 1 (it overflows) rather than below (it underflows).
bool IsHuge(std::string_view mantissa, std::string_view exponent) {
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return false;
  const std::int64_t power = first < point ? static_cast<std::int64_t>(point - first)
                        : -static_cast<std::int64_t>(first - point);
  std::int64_t scale = 0;
  const bool negative = !exponent.empty() && exponent[0] == '-';
  for (const char c : exponent) {
    if (IsDigit(c) && scale < std::int64_t{1} << 40) scale = scale * 10 + (c - '0');
  }
  return power + (negative ? -scale : scale) > 0;
}

}  // namespace

double TextToNumber(std::string_view field) {
  const std::string folded = FoldFullWidthForms(field);
  const std::string_view text = folded;
  std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
  if (at == std::string_view::npos) return 0.0;
  const bool negative = text[at] == '-';
  if (text[at] == '+' || negative) ++at;
  const std::size_t begin = at;
  at = SkipDigits(text, at);
  std::size_t digits = at - begin;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fraction = at + 1;
    at = SkipDigits(text, fraction);
    digits += at - fraction;
  }
  if (digits == 0) return 0.0;
  const std::string_view mantissa = text.substr(begin, at - begin);
  std::string_view exponent;
  if (at < text.size() && std::string_view("eEdD").find(text[at]) != std::string_view::npos) {
    std::size_t end = at + 1;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    const std::size_t exponentDigits = end;
    end = SkipDigits(text, end);
    if (end > exponentDigits) exponent = text.substr(at + 1, end - at - 1);
  }
  std::string number(mantissa);
  if (!exponent.empty()) number.append("e").append(exponent);
  double value = 0.0;
  const auto [ignored, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) value = IsHuge(mantissa, exponent) ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

std::int32_t TruncateToInt(double number) {
  if (std::isnan(number)) return 0;
  if (number >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (number <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(number);
}

std::string IntToText(std::int32_t value) {
  char digits[12];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, end);
}
