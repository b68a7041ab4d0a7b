#include "platform/name_display.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <string>

#include "engine/text.h"

namespace {

// ToUtf16 turns each byte outside a valid sequence into U+DC80..U+DCFF.
bool IsStrayByte(char16_t unit) { return unit >= 0xDC80U && unit <= 0xDCFFU; }

bool HasStrayBytes(const std::u16string& units) {
  for (const char16_t unit : units) {
    if (IsStrayByte(unit)) return true;
  }
  return false;
}

// The decoder may substitute silently, so only a decoding that encodes back
// to the very same bytes counts.
bool DecodeWhole(std::string_view text, QString& decoded) {
  QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
  QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
  if (!decoder.isValid() || !encoder.isValid()) return false;
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  decoded = decoder(bytes);
  if (decoder.hasError()) return false;
  const QByteArray back = encoder(decoded);
  return !encoder.hasError() && QByteArrayView(back) == bytes;
}

QString EscapeStrayBytes(const std::u16string& units) {
  QString shown;
  shown.reserve(static_cast<qsizetype>(units.size()));
  for (const char16_t unit : units) {
    if (IsStrayByte(unit)) {
      shown += QString::asprintf("\\x%02X", static_cast<unsigned>(unit - 0xDC00U));
    } else {
      shown += QChar(unit);
    }
  }
  return shown;
}

// The length of the GB18030 character that begins at `at`.
std::size_t Gb18030LengthAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80 || at + 1 >= text.size()) return 1;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  return second >= 0x30 && second <= 0x39 ? std::min<std::size_t>(4, text.size() - at) : 2;
}

// How many UTF-16 units one character of the text takes when shown.
qsizetype ShownLength(std::string_view character, bool gb18030) {
  if (gb18030) {
    QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    const QString shown =
        decoder(QByteArrayView(character.data(), static_cast<qsizetype>(character.size())));
    return shown.size();
  }
  const std::u16string units = ToUtf16(character);
  return HasStrayBytes(units) ? 4 : static_cast<qsizetype>(units.size());  // "\xNN"
}

}  // namespace

bool ShownAsRendering(std::string_view text) { return HasStrayBytes(ToUtf16(text)); }

std::string BytesShownAt(std::string_view text, qsizetype from, qsizetype to) {
  QString decoded;
  const bool gb18030 = ShownAsRendering(text) && DecodeWhole(text, decoded);
  std::string bytes;
  qsizetype shownAt = 0;
  for (std::size_t at = 0; at < text.size() && shownAt < to;) {
    const std::size_t length = gb18030 ? Gb18030LengthAt(text, at) : CharLengthAt(text, at);
    const std::string_view character = text.substr(at, length);
    const qsizetype shown = ShownLength(character, gb18030);
    if (shownAt + shown > from) bytes += character;
    shownAt += shown;
    at += length;
  }
  return bytes;
}

QString DisplayText(std::string_view text) {
  const std::u16string units = ToUtf16(text);
  if (!HasStrayBytes(units)) {
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
  }
  QString decoded;
  if (DecodeWhole(text, decoded)) return decoded;
  return EscapeStrayBytes(units);
}
