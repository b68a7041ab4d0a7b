#include "platform/name_display.h"

#include <QStringDecoder>
#include <QStringEncoder>
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

}  // namespace

QString DisplayText(std::string_view text) {
  const std::u16string units = ToUtf16(text);
  if (!HasStrayBytes(units)) {
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
  }
  QString decoded;
  if (DecodeWhole(text, decoded)) return decoded;
  return EscapeStrayBytes(units);
}
