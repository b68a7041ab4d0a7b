// How a byte-string text is shown on a widget. Names keep their own bytes in
// the model; only the rendering decodes them.
#pragma once

#include <QString>
#include <string_view>

// UTF-8 when the text is valid UTF-8; else GB18030 when that decodes every
// byte (legacy Windows archives); else UTF-8 with each byte that begins no
// valid sequence shown as \xNN.
QString DisplayText(std::string_view text);
