#pragma once
// UTF-16 text (WideString) to and from the system's UTF-8 text. Damaged input never fails: a
// malformed UTF-8 byte or an unpaired surrogate becomes U+FFFD.

#include "rtl/Types.h"

WideString UTF8Decode(const String& s);
String UTF8Encode(const WideString& s);
