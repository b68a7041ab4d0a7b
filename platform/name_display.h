// How a byte-string text is shown on a widget. Names keep their own bytes in
// the model; only the rendering decodes them.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// UTF-8 when the text is valid UTF-8; else GB18030 when that decodes every
// byte (legacy Windows archives); else UTF-8 with each byte that begins no
// valid sequence shown as \xNN.
QString DisplayText(std::string_view text);

// Whether the text is shown by a rendering rather than as it is (it is not
// valid UTF-8).
bool ShownAsRendering(std::string_view text);

// The bytes of the text whose rendering covers the units [from, to) of
// DisplayText(text): a character counts when any of it is covered.
std::string BytesShownAt(std::string_view text, qsizetype from, qsizetype to);

// The clipboard format that carries a copied piece of a name with its own
// bytes, beside its rendering as plain text.
inline constexpr char kNameBytesFormat[] = "application/x-batch-renamer-name-bytes";
