// Character counts and cuts of UTF-8 editing texts.

#include "rtl/Mbcs.h"
#include "toolkit/editors/kvTextEdit.h"

namespace {

// Walks Text a character at a time while Take(bytes, wide units) agrees; answers the bytes taken.
template <class F>
size_t TakeChars(const String& Text, F Take) {
  size_t at = 0;
  while (at < Text.size()) {
    auto bytes = static_cast<size_t>(CharLength(Text, static_cast<Integer>(at) + 1));
    if (!Take(bytes, bytes == 4 ? 2 : 1)) break;
    at += bytes;
  }
  return at;
}

}  // namespace

Integer WideCharCount(const String& Text) {
  Integer count = 0;
  TakeChars(Text, [&](size_t, Integer units) {
    count += units;
    return true;
  });
  return count;
}

String WideCharHead(const String& Text, Integer Count) {
  Integer left = Count;
  return Text.substr(0, TakeChars(Text, [&](size_t, Integer units) {
                       if (units > left) return false;
                       left -= units;
                       return true;
                     }));
}

String WholeCharHead(const String& Text, size_t Bytes) {
  size_t left = Bytes;
  return Text.substr(0, TakeChars(Text, [&](size_t bytes, Integer) {
                       if (bytes > left) return false;
                       left -= bytes;
                       return true;
                     }));
}

String DropLastChar(const String& Text) {
  if (Text.empty()) return Text;
  const char* start = Text.c_str();
  return Text.substr(0, static_cast<size_t>(CharPrev(start, start + Text.size()) - start));
}
