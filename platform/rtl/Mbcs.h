#pragma once
// Multi-byte text: UTF-8 stands in for the multi-byte code page. The lead byte of a well-formed
// sequence is mbLeadByte, its continuation bytes mbTrailByte; ASCII and any byte that is not part of
// a well-formed sequence is mbSingleByte, so a walk over damaged text still advances.

#include "rtl/Types.h"

enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };

// index is 1-based, as the framework counts string positions; outside the text answers mbSingleByte.
TMbcsByteType ByteType(const String& s, Integer index);
// index is 0-based into a zero-terminated text.
TMbcsByteType StrByteType(const char* str, Cardinal index);

// Whether the byte may start a multi-byte character.
bool IsLeadByte(Byte b);

// Bytes of the character that starts at index (1-based); 1 for a single byte or a damaged sequence.
Integer CharLength(const String& s, Integer index);

// The next character of a zero-terminated text (p itself at the terminator), and the start of the
// character before p (start itself when p is at start).
const char* CharNext(const char* p);
char* CharNext(char* p);
const char* CharPrev(const char* start, const char* p);
char* CharPrev(char* start, char* p);
