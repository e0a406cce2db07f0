#pragma once
// Upper and lower case of UTF-8 text for the Latin, Greek and Cyrillic letters. Only mappings that
// keep the byte length are made, so a position found in the mapped text is a position in the
// original (StringReplace with rfIgnoreCase relies on that).

#include <string_view>

#include "rtl/Types.h"

String Utf8UpperCase(std::string_view s);
String Utf8LowerCase(std::string_view s);

// The next code point of s at pos, advancing pos; a byte that does not start a well-formed
// sequence is answered as itself (0x80..0xFF) and consumes one byte.
char32_t Utf8Decode(std::string_view s, size_t& pos);
// The UTF-8 bytes of one code point.
String Utf8Encode(char32_t c);
