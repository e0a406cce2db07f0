#include "rtl/Mbcs.h"

#include <cstring>
#include <string_view>

#include "rtl/UnicodeCase.h"

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed sequence starting at pos, or 1 when there is none.
size_t SequenceLength(std::string_view s, size_t pos) {
  size_t next = pos;
  Utf8Decode(s, next);
  return next - pos;
}

TMbcsByteType TypeAt(std::string_view s, size_t pos) {
  if (pos >= s.size()) return mbSingleByte;
  const auto b = static_cast<unsigned char>(s[pos]);
  if (!IsContinuation(b)) return SequenceLength(s, pos) > 1 ? mbLeadByte : mbSingleByte;
  // A continuation byte is a trail byte when a lead byte up to three bytes back covers it.
  for (size_t back = 1; back <= 3 && back <= pos; ++back) {
    const auto candidate = static_cast<unsigned char>(s[pos - back]);
    if (IsContinuation(candidate)) continue;
    return SequenceLength(s, pos - back) > back ? mbTrailByte : mbSingleByte;
  }
  return mbSingleByte;
}

}  // namespace

TMbcsByteType ByteType(const String& s, Integer index) {
  if (index < 1) return mbSingleByte;
  return TypeAt(s, static_cast<size_t>(index - 1));
}

TMbcsByteType StrByteType(const char* str, Cardinal index) {
  if (!str) return mbSingleByte;
  // The sequence covering index can reach at most three bytes past it.
  const size_t length = strnlen(str, static_cast<size_t>(index) + 4);
  return TypeAt(std::string_view(str, length), index);
}

bool IsLeadByte(Byte b) { return b >= 0xC2 && b <= 0xF4; }

Integer CharLength(const String& s, Integer index) {
  if (index < 1 || static_cast<size_t>(index) > s.size()) return 1;
  return static_cast<Integer>(SequenceLength(s, static_cast<size_t>(index - 1)));
}

const char* CharNext(const char* p) {
  if (!p || *p == '\0') return p;
  return p + SequenceLength(std::string_view(p, strnlen(p, 4)), 0);
}

char* CharNext(char* p) { return const_cast<char*>(CharNext(static_cast<const char*>(p))); }

const char* CharPrev(const char* start, const char* p) {
  if (!start || !p || p <= start) return start;
  const std::string_view s(start, static_cast<size_t>(p - start));
  size_t pos = s.size() - 1;
  // Step back over trail bytes to the lead byte that covers them.
  while (pos > 0 && TypeAt(s, pos) == mbTrailByte) --pos;
  return start + pos;
}

char* CharPrev(char* start, char* p) {
  return const_cast<char*>(CharPrev(static_cast<const char*>(start), static_cast<const char*>(p)));
}
