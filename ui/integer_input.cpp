#include "ui/integer_input.h"

#include <cstdint>
#include <limits>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string NormaliseIntegerText(std::string_view text) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  // Past the 32-bit range further digits cannot change the clamped result,
  // so accumulation stops there and the value never overflows.
  std::int64_t magnitude = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    if (magnitude <= kMax + 1) magnitude = magnitude * 10 + (text[at] - '0');
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > kMax) value = kMax;
  if (value < kMin) value = kMin;
  return value == 0 ? std::string() : std::to_string(value);
}

bool AcceptsTypedCharacter(char32_t character) {
  if (character < 0x20 || (character >= 0x7F && character <= 0x9F)) return true;
  return (character >= U'0' && character <= U'9') || character == U'-';
}
