// Pure operations on name texts. A text is a byte string in the name
// encoding, UTF-8: a character is one valid UTF-8 sequence, and any byte that
// does not begin one is a character by itself. No operation ever drops or
// replaces a byte, so names in legacy encodings survive byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t kUtf8CodePage = 65001;

// The encoding of names; set once at startup.
extern std::int32_t NameCodePage;

// The tail of the name from its last ".", or the empty text.
std::string ExtensionOf(std::string_view name);
// The name up to the "." that begins its extension.
std::string NameWithoutExtension(std::string_view name);

// Counts characters; a count of zero or less keeps the text, a count at
// least as long as the text empties it.
std::string DeleteLeftChars(std::string_view text, std::int32_t count);
std::string DeleteRightChars(std::string_view text, std::int32_t count);

// UTF-16 form of a text. A byte that is not part of a valid sequence becomes
// the lone surrogate U+DC80..U+DCFF, so FromUtf16(ToUtf16(t)) == t always.
std::u16string ToUtf16(std::string_view text);
std::string FromUtf16(std::u16string_view units);

// Every occurrence of `find` replaced, left to right, matches starting only
// where a character starts. An empty text or find text returns the text.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// Reads the leading decimal number of a field text (full-width forms folded
// to ASCII first); 0 when there is none.
double TextToNumber(std::string_view text);
// Truncates toward zero, saturating outside the 32-bit range; NaN gives 0.
std::int32_t TruncateToInt(double number);
std::string IntToText(std::int32_t value);

// Length in bytes of the character that starts at text[at] (1 for a byte
// that does not begin a valid sequence).
std::size_t CharLengthAt(std::string_view text, std::size_t at);
