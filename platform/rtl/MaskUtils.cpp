#include "rtl/MaskUtils.h"

#include "rtl/FormatSettings.h"
#include "rtl/WideText.h"

namespace {
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c > 0x7F; }
char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }
char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }
bool IsMaskChar(char16_t c) {
  return c == u'L' || c == u'l' || c == u'A' || c == u'a' || c == u'C' || c == u'c' || c == u'0' || c == u'9' ||
         c == u'#';
}
}  // namespace

TEditMask::TEditMask(const String& Mask) {
  WideString text = UTF8Decode(Mask);
  // The last two ";"-separated fields are the literal flag and the blank, when present.
  WideString body = text;
  size_t last = text.rfind(u';');
  if (last != WideString::npos && last > 0) {
    size_t previous = text.rfind(u';', last - 1);
    if (previous != WideString::npos && (previous == 0 || text[previous - 1] != u'\\')) {
      WideString flag = text.substr(previous + 1, last - previous - 1);
      WideString blank = text.substr(last + 1);
      FSaveLiterals = flag != u"0";
      if (!blank.empty()) FBlank = blank[0];
      body = text.substr(0, previous);
    } else if (text[last - 1] != u'\\') {
      FSaveLiterals = text.substr(last + 1) != u"0";
      body = text.substr(0, last);
    }
  }
  const char16_t timeSep = char16_t(FormatSettings.TimeSeparator), dateSep = char16_t(FormatSettings.DateSeparator);
  int caseRule = 0;
  for (size_t i = 0; i < body.size(); ++i) {
    char16_t c = body[i];
    if (c == u'!') {
      FRightJustify = true;
    } else if (c == u'>') {
      if (i + 1 < body.size() && body[i + 1] == u'<') {
        caseRule = 0;
        ++i;
      } else {
        caseRule = 1;
      }
    } else if (c == u'<') {
      caseRule = -1;
    } else if (c == u'\\' && i + 1 < body.size()) {
      FPositions.push_back({true, body[++i], 0});
    } else if (IsMaskChar(c)) {
      FPositions.push_back({false, c, caseRule});
    } else if (c == u':') {
      FPositions.push_back({true, timeSep, 0});
    } else if (c == u'/') {
      FPositions.push_back({true, dateSep, 0});
    } else if (c == u'_') {
      FPositions.push_back({true, u' ', 0});
    } else {
      FPositions.push_back({true, c, 0});
    }
  }
}

bool TEditMask::Required(Integer Pos) const {
  const Place& p = FPositions[size_t(Pos)];
  return !p.Literal && (p.Ch == u'L' || p.Ch == u'A' || p.Ch == u'C' || p.Ch == u'0');
}

bool TEditMask::Accepts(Integer Pos, char16_t& Ch) const {
  const Place& p = FPositions[size_t(Pos)];
  if (p.Literal) return Ch == p.Ch;
  bool ok = false;
  switch (p.Ch) {
    case u'L':
    case u'l': ok = IsLetter(Ch); break;
    case u'A':
    case u'a': ok = IsLetter(Ch) || IsDigit(Ch); break;
    case u'C':
    case u'c': ok = Ch >= 0x20; break;
    case u'0':
    case u'9': ok = IsDigit(Ch); break;
    case u'#': ok = IsDigit(Ch) || Ch == u'+' || Ch == u'-'; break;
  }
  if (ok && p.Case > 0) Ch = Upper(Ch);
  if (ok && p.Case < 0) Ch = Lower(Ch);
  return ok;
}

WideString TEditMask::EditTextFor(const WideString& Value) const {
  WideString out;
  std::vector<Integer> places;
  for (Integer i = 0; i < Length(); ++i) {
    const Place& p = FPositions[size_t(i)];
    out += p.Literal ? p.Ch : FBlank;
    if (!p.Literal) places.push_back(i);
  }
  auto put = [&](Integer at, char16_t c) {
    if (c == u' ' || c == FBlank) return;
    if (Accepts(at, c)) out[size_t(at)] = c;
  };
  if (FSaveLiterals) {
    for (Integer i = 0; i < Length() && size_t(i) < Value.size(); ++i)
      if (!IsLiteral(i)) put(i, Value[size_t(i)]);
  } else {
    size_t skip = FRightJustify && Value.size() < places.size() ? places.size() - Value.size() : 0;
    for (size_t k = 0; k < Value.size() && k + skip < places.size(); ++k) put(places[k + skip], Value[k]);
  }
  return out;
}

WideString TEditMask::ValueOf(const WideString& EditText) const {
  WideString out;
  for (Integer i = 0; i < Length(); ++i) {
    char16_t c = size_t(i) < EditText.size() ? EditText[size_t(i)] : FBlank;
    if (IsLiteral(i) && !FSaveLiterals) continue;
    out += c == FBlank && !IsLiteral(i) ? u' ' : c;
  }
  return out;
}

Integer TEditMask::FirstInvalid(const WideString& EditText) const {
  for (Integer i = 0; i < Length(); ++i) {
    if (IsLiteral(i)) continue;
    char16_t c = size_t(i) < EditText.size() ? EditText[size_t(i)] : FBlank;
    const bool blank = c == FBlank || c == u' ';
    if (blank ? Required(i) : !Accepts(i, c)) return i;
  }
  return -1;
}

String FormatMaskText(const String& EditMask, const String& Value) {
  TEditMask mask(EditMask);
  if (mask.Empty()) return Value;
  WideString text = mask.EditTextFor(UTF8Decode(Value));
  for (Integer i = 0; i < mask.Length(); ++i)
    if (!mask.IsLiteral(i) && text[size_t(i)] == mask.Blank()) text[size_t(i)] = u' ';
  return UTF8Encode(text);
}
