// The fixed-width edit mask: parsing, the empty text and value, fitting a text and completeness.

#include "toolkit/editors/kvStandardMask.h"

#include "rtl/FormatSettings.h"
#include "rtl/Mbcs.h"

std::vector<String> kvSplitChars(const String& Text) {
  std::vector<String> chars;
  for (Integer i = 1; i <= Integer(Text.size());) {
    const Integer n = CharLength(Text, i);
    chars.push_back(Text.substr(size_t(i - 1), size_t(n)));
    i += n;
  }
  return chars;
}

namespace {

// A byte that is not part of a well-formed sequence is no character.
bool IsDamaged(const String& c) { return c.size() == 1 && Byte(c[0]) >= 0x80; }

bool IsDigit(const String& c) { return c.size() == 1 && c[0] >= '0' && c[0] <= '9'; }
bool IsAlpha(const String& c) { return c.size() == 1 && ((c[0] >= 'a' && c[0] <= 'z') || (c[0] >= 'A' && c[0] <= 'Z')); }

String Join(const std::vector<String>& chars) {
  String s;
  for (const String& c : chars) s += c;
  return s;
}

}  // namespace

bool TkvStandardMaskManyItem::Accepts(String& Ch) const {
  const bool accepted = !IsDamaged(Ch) && AcceptsChar(Ch);
  if (Ch.size() == 1) {
    if (FCase == smcUpper && Ch[0] >= 'a' && Ch[0] <= 'z') Ch[0] = char(Ch[0] - 'a' + 'A');
    if (FCase == smcLower && Ch[0] >= 'A' && Ch[0] <= 'Z') Ch[0] = char(Ch[0] - 'A' + 'a');
  }
  return accepted;
}

bool TkvStandardMaskAlphaItem::AcceptsChar(const String& Ch) const { return IsAlpha(Ch); }
bool TkvStandardMaskAlphaNumericItem::AcceptsChar(const String& Ch) const { return IsAlpha(Ch) || IsDigit(Ch); }
bool TkvStandardMaskNumericItem::AcceptsChar(const String& Ch) const { return IsDigit(Ch); }
bool TkvStandardMaskNumericSymbolItem::AcceptsChar(const String& Ch) const {
  return IsDigit(Ch) || Ch == "+" || Ch == "-";
}

void TkvStandardMask::Clear() {
  FMaskText.clear();
  FFillFromEnd = false;
  FKeepsLiterals = true;
  FBlankChar = String(1, '_');
  FItems.clear();
}

void TkvStandardMask::Parse(const String& Mask) {
  Clear();
  FMaskText = Mask;
  std::vector<String> chars = kvSplitChars(Mask);
  std::erase_if(chars, IsDamaged);
  size_t begin = 0, end = chars.size();
  if (end > 0 && chars[0] == "!") {
    FFillFromEnd = true;
    begin = 1;
  }
  auto keeps = [](const String& c) { return c == "0" || c == "1"; };
  if (end - begin >= 4 && chars[end - 4] == ";" && keeps(chars[end - 3]) && chars[end - 2] == ";") {
    FKeepsLiterals = chars[end - 3] == "1";
    FBlankChar = chars[end - 1];
    end -= 4;
  } else if (end - begin >= 2 && chars[end - 2] == ";" && keeps(chars[end - 1])) {
    FKeepsLiterals = chars[end - 1] == "1";
    end -= 2;
  }
  TkvStandardMaskCase caseControl = smcUnchanged;
  auto literal = [&](String c) { FItems.push_back(std::make_unique<TkvStandardMaskLiteralItem>(std::move(c))); };
  for (size_t i = begin; i < end; ++i) {
    const String& c = chars[i];
    if (c == "<" && i + 1 < end && chars[i + 1] == ">") {
      caseControl = smcUnchanged;
      ++i;
    } else if (c == ">") {
      caseControl = smcUpper;
    } else if (c == "<") {
      caseControl = smcLower;
    } else if (c == "L" || c == "l") {
      FItems.push_back(std::make_unique<TkvStandardMaskAlphaItem>(caseControl, c == "l"));
    } else if (c == "A" || c == "a") {
      FItems.push_back(std::make_unique<TkvStandardMaskAlphaNumericItem>(caseControl, c == "a"));
    } else if (c == "C" || c == "c") {
      FItems.push_back(std::make_unique<TkvStandardMaskASCIIItem>(caseControl, c == "c"));
    } else if (c == "0" || c == "9") {
      FItems.push_back(std::make_unique<TkvStandardMaskNumericItem>(caseControl, c == "9"));
    } else if (c == "#") {
      FItems.push_back(std::make_unique<TkvStandardMaskNumericSymbolItem>(caseControl));
    } else if (c == ":") {
      literal(String(1, FormatSettings.TimeSeparator));
    } else if (c == "/") {
      literal(String(1, FormatSettings.DateSeparator));
    } else if (c == "\\") {
      if (++i < end) literal(chars[i]);
    } else {
      literal(c);
    }
  }
}

String TkvStandardMask::EmptyText() const {
  String s;
  for (const auto& item : FItems)
    s += item->IsLiteral() ? static_cast<const TkvStandardMaskLiteralItem&>(*item).Char() : FBlankChar;
  return s;
}

String TkvStandardMask::EmptyValue() const {
  String s;
  for (const auto& item : FItems) {
    if (!item->IsLiteral()) s += " ";
    else if (FKeepsLiterals) s += static_cast<const TkvStandardMaskLiteralItem&>(*item).Char();
  }
  return s;
}

void TkvStandardMask::ApplyText(String& Text, bool UseConvertedChars, bool TextHasLiterals) const {
  std::vector<String> result = kvSplitChars(EmptyText());
  const std::vector<String> text = kvSplitChars(Text);
  const Integer count = Count();
  const Integer d = FFillFromEnd ? -1 : 1;
  Integer p = FFillFromEnd ? count - 1 : 0;
  const Integer n = Integer(text.size());
  for (Integer k = 0; k < n; ++k) {
    const String& t = text[size_t(FFillFromEnd ? n - 1 - k : k)];
    String c = t;
    for (Integer q = p; q >= 0 && q < count; q += d) {
      const TkvStandardMaskCustomItem& item = *FItems[size_t(q)];
      if (!FKeepsLiterals && !TextHasLiterals && item.IsLiteral()) continue;
      if (item.Accepts(c)) {
        result[size_t(q)] = UseConvertedChars ? c : t;
        p = q + d;
        break;
      }
      if (IsBlank(t) && !item.IsLiteral()) {
        p = q + d;
        break;
      }
    }
  }
  Text = Join(result);
}

void TkvStandardMask::ExtractValue(String& Text) const {
  const std::vector<String> text = kvSplitChars(Text);
  const size_t n = std::min(text.size(), FItems.size());
  String value;
  for (size_t i = 0; i < n; ++i) {
    if (FItems[i]->IsLiteral()) {
      if (FKeepsLiterals) value += text[i];
    } else {
      value += text[i] == FBlankChar ? String(" ") : text[i];
    }
  }
  Text = value;
}

bool TkvStandardMask::IsComplete(String& Text) const {
  std::vector<String> text = kvSplitChars(Text);
  if (text.size() != FItems.size()) return false;
  bool complete = true;
  for (size_t i = 0; i < text.size() && complete; ++i) {
    const TkvStandardMaskCustomItem& item = *FItems[i];
    const String typed = text[i];
    if (item.Accepts(text[i])) continue;
    complete = IsBlank(typed) && !item.IsLiteral() && item.IsOptional();
  }
  Text = Join(text);
  return complete;
}
