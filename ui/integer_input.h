// The two integer input boxes: which typed characters they take, and the
// text they are left with when they lose the focus.
#pragma once

#include <string>
#include <string_view>

// Reads the text as a signed decimal (leading white space, one optional
// sign, digits up to the first non-digit; none reads as 0), clamps it to the
// 32-bit range and writes it back in decimal, with 0 as the empty text.
std::string NormaliseIntegerText(std::string_view text);

// Digits and "-" are taken; other printable characters are dropped, control
// characters pass so that editing keys keep working.
bool AcceptsTypedCharacter(char32_t character);
