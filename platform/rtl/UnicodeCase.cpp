#include "rtl/UnicodeCase.h"

namespace {

// Pairs inside a block where upper and lower case alternate.
bool InAlternatingBlock(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }

char32_t ToUpper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c < 0x80) return c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if ((InAlternatingBlock(c, 0x100, 0x137) || InAlternatingBlock(c, 0x14A, 0x177)) && (c & 1)) return c - 1;
  if ((InAlternatingBlock(c, 0x139, 0x148) || InAlternatingBlock(c, 0x179, 0x17E)) && !(c & 1)) return c - 1;
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;
  if (c == 0x3C2) return 0x3A3;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if ((InAlternatingBlock(c, 0x460, 0x481) || InAlternatingBlock(c, 0x48A, 0x4BF) ||
       InAlternatingBlock(c, 0x4D0, 0x4FF)) && (c & 1))
    return c - 1;
  return c;
}

char32_t ToLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0x80) return c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if ((InAlternatingBlock(c, 0x100, 0x137) || InAlternatingBlock(c, 0x14A, 0x177)) && !(c & 1)) return c + 1;
  if ((InAlternatingBlock(c, 0x139, 0x148) || InAlternatingBlock(c, 0x179, 0x17E)) && (c & 1)) return c + 1;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if ((InAlternatingBlock(c, 0x460, 0x481) || InAlternatingBlock(c, 0x48A, 0x4BF) ||
       InAlternatingBlock(c, 0x4D0, 0x4FF)) && !(c & 1))
    return c + 1;
  return c;
}

size_t EncodedLength(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

void Encode(char32_t c, String& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

template <typename Map>
String MapCase(std::string_view s, Map map) {
  String out;
  out.reserve(s.size());
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t start = pos;
    const char32_t c = Utf8Decode(s, pos);
    const char32_t mapped = map(c);
    // Malformed bytes and mappings that would change the length stay as they are.
    if (mapped == c || pos - start != EncodedLength(c) || EncodedLength(mapped) != EncodedLength(c))
      out.append(s.substr(start, pos - start));
    else
      Encode(mapped, out);
  }
  return out;
}

}  // namespace

char32_t Utf8Decode(std::string_view s, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  size_t length = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
  }
  if (length == 0 || pos + length > s.size()) {
    ++pos;
    return lead;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return lead;
    }
    c = (c << 6) | (byte(pos + i) & 0x3F);
  }
  // Overlong forms, surrogates and values beyond the code space are not well formed.
  if ((length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) || (length == 4 && (c < 0x10000 || c > 0x10FFFF))) {
    ++pos;
    return lead;
  }
  pos += length;
  return c;
}

String Utf8UpperCase(std::string_view s) { return MapCase(s, ToUpper); }

String Utf8LowerCase(std::string_view s) { return MapCase(s, ToLower); }

String Utf8Encode(char32_t c) {
  String out;
  Encode(c, out);
  return out;
}
