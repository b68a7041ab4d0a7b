// What the fuzz targets share: texts cut out of the fuzzer's bytes, and the
// character walk from the start of a text, by which every property is
// judged.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text.h"

// Texts hold no zero bytes; the fuzzer's bytes may.
inline std::string AsText(std::string bytes) {
  std::erase(bytes, '\0');
  return bytes;
}

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// The offsets at which a walk by characters from the start steps, the end
// included.
inline std::vector<std::size_t> Boundaries(std::string_view text) {
  std::vector<std::size_t> boundaries;
  std::size_t at = 0;
  for (; at < text.size(); at += CharLengthAt(text, at)) boundaries.push_back(at);
  boundaries.push_back(at);
  return boundaries;
}

inline bool IsBoundary(std::string_view text, std::size_t offset) {
  for (const std::size_t at : Boundaries(text)) {
    if (at == offset) return true;
  }
  return false;
}

// The bytes that begin no valid character, in order.
inline std::string InvalidBytes(std::string_view text) {
  std::string invalid;
  for (std::size_t at = 0; at < text.size(); at += CharLengthAt(text, at)) {
    if (CharLengthAt(text, at) == 1 && static_cast<unsigned char>(text[at]) >= 0x80) invalid += text[at];
  }
  return invalid;
}

// The replacement as the walk defines it: at each character start either
// the find text matches and is replaced, or one character is copied. The
// kept stretches between matches are returned too.
struct Replaced {
  std::string text;
  std::vector<std::string> kept;
};

inline Replaced ReferenceReplace(std::string_view text, std::string_view find,
                                 std::string_view replacement) {
  Replaced out{.text = {}, .kept = {{}}};
  if (text.empty() || find.empty()) return {std::string(text), {std::string(text)}};
  std::size_t at = 0;
  while (at < text.size()) {
    if (text.substr(at).starts_with(find)) {
      out.text += replacement;
      out.kept.emplace_back();
      at += find.size();
    } else {
      const std::size_t length = CharLengthAt(text, at);
      out.text += text.substr(at, length);
      out.kept.back() += text.substr(at, length);
      at += length;
    }
  }
  return out;
}
