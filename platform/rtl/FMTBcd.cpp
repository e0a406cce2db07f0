#include "rtl/FMTBcd.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "rtl/FormatSettings.h"

namespace {

constexpr int kMaxDigits = 64;
constexpr int kMaxPlaces = 63;

// A decimal as its parts: digits without leading zeros in the integer part (empty for 0).
struct Decimal {
  bool negative = false;
  std::string digits;  // integer and fraction digits
  int places = 0;      // how many of them follow the point
};

Decimal Unpack(const TBcd& bcd) {
  Decimal d;
  int precision = std::min<int>(bcd.Precision, kMaxDigits);
  d.negative = (bcd.SignSpecialPlaces & 0x80) != 0;
  d.places = std::min(bcd.SignSpecialPlaces & 0x3F, precision);
  for (int i = 0; i < precision; ++i) {
    Byte b = bcd.Fraction[i / 2];
    int digit = i % 2 == 0 ? b >> 4 : b & 0x0F;
    d.digits.push_back(static_cast<char>('0' + std::min(digit, 9)));
  }
  return d;
}

// Drops leading integer zeros and trailing fraction zeros; a zero loses its sign.
void Normalise(Decimal& d) {
  size_t lead = 0;
  while (lead < d.digits.size() - static_cast<size_t>(d.places) && d.digits[lead] == '0') ++lead;
  d.digits.erase(0, lead);
  while (d.places > 0 && d.digits.back() == '0') {
    d.digits.pop_back();
    --d.places;
  }
  if (d.digits.empty()) d.negative = false;
}

TBcd Pack(Decimal d) {
  Normalise(d);
  if (static_cast<int>(d.digits.size()) - d.places > kMaxDigits) throw EBcdOverflowException("BCD overflow");
  // Fraction digits beyond what 64 digits hold are cut off.
  int excess = static_cast<int>(d.digits.size()) - kMaxDigits;
  if (d.places > kMaxPlaces) excess = std::max(excess, d.places - kMaxPlaces);
  if (excess > 0) {
    d.digits.resize(d.digits.size() - static_cast<size_t>(excess));
    d.places -= excess;
  }
  TBcd bcd;
  if (d.digits.empty()) return bcd;  // 0: precision 1, one zero digit
  bcd.Precision = static_cast<Byte>(d.digits.size());
  bcd.SignSpecialPlaces = static_cast<Byte>((d.negative ? 0x80 : 0) | d.places);
  for (size_t i = 0; i < d.digits.size(); ++i) {
    int digit = d.digits[i] - '0';
    bcd.Fraction[i / 2] |= static_cast<Byte>(i % 2 == 0 ? digit << 4 : digit);
  }
  return bcd;
}

bool Parse(const String& text, Decimal& d) {
  char separator = FormatSettings.DecimalSeparator;
  size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;
  if (i < n && (text[i] == '-' || text[i] == '+')) d.negative = text[i++] == '-';
  bool point = false, any = false;
  for (; i < n; ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      d.digits.push_back(c);
      if (point) ++d.places;
      any = true;
    } else if ((c == separator || c == '.') && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return any;
}

String Text(const Decimal& d) {
  if (d.digits.empty()) return "0";
  std::string whole = d.digits.substr(0, d.digits.size() - static_cast<size_t>(d.places));
  std::string result = d.negative ? "-" : "";
  result += whole.empty() ? "0" : whole;
  if (d.places > 0) {
    result += FormatSettings.DecimalSeparator;
    result += d.digits.substr(whole.size());
  }
  return result;
}

class TFMTBcdVariantType : public TCustomVariantType {
 public:
  String Name() const override { return "FMTBcd"; }
  Variant CastTo(const Variant& source, TVarType kind) const override {
    TBcd bcd = Record(source);
    if (kind == varString || kind == varOleStr) return VarAsType(Variant(BcdToStr(bcd)), kind);
    return VarAsType(Variant(BcdToDouble(bcd)), kind);
  }
  Variant CastFrom(const Variant& source) const override {
    TVarType kind = source.VType();
    if (kind == varString || kind == varOleStr) return VarFMTBcdCreate(StrToBcd(VarToStr(source)));
    if (kind == varCurrency) {
      Decimal d;
      Currency c = source.AsCurrency();
      d.negative = c < 0;
      d.digits = std::to_string(c < 0 ? -static_cast<UInt64>(c) : static_cast<UInt64>(c));
      d.digits.insert(0, std::string(d.digits.size() < 5 ? 5 - d.digits.size() : 0, '0'));
      d.places = 4;
      return VarFMTBcdCreate(Pack(d));
    }
    if (VarIsOrdinal(source) || kind == varEmpty) {
      Int64 i = source.AsInt64();
      Decimal d;
      d.negative = i < 0;
      d.digits = std::to_string(i < 0 ? -static_cast<UInt64>(i) : static_cast<UInt64>(i));
      return VarFMTBcdCreate(Pack(d));
    }
    return VarFMTBcdCreate(DoubleToBcd(source.AsDouble()));
  }
  int Compare(const Variant& a, const Variant& b) const override { return BcdCompare(Record(a), Record(b)); }
  TVarType NaturalKind() const override { return varDouble; }

  static TBcd Record(const Variant& v) {
    TBcd bcd;
    if (v.RecordBytes().size() == sizeof(TBcd)) std::memcpy(&bcd, v.RecordBytes().data(), sizeof(TBcd));
    return bcd;
  }
};

const TFMTBcdVariantType& BcdType() {
  static TFMTBcdVariantType type;
  return type;
}

}  // namespace

bool TryStrToBcd(const String& text, TBcd& bcd) {
  Decimal d;
  if (!Parse(text, d)) return false;
  try {
    bcd = Pack(d);
  } catch (const EBcdOverflowException&) {
    return false;
  }
  return true;
}

TBcd StrToBcd(const String& text) {
  Decimal d;
  if (!Parse(text, d)) throw EBcdException(Format("'%s' is not a valid BCD value", text));
  return Pack(d);
}

String BcdToStr(const TBcd& bcd) {
  Decimal d = Unpack(bcd);
  Normalise(d);
  return Text(d);
}

TBcd DoubleToBcd(Double value) {
  if (!std::isfinite(value)) throw EBcdOverflowException("BCD overflow");
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::scientific);
  std::string text(buffer, end);
  // d.ddddde±x: the digits, then the point moved by the exponent.
  size_t e = text.find('e');
  int exponent = std::stoi(text.substr(e + 1));
  Decimal d;
  d.negative = text[0] == '-';
  for (char c : text.substr(0, e)) {
    if (c >= '0' && c <= '9') d.digits.push_back(c);
  }
  int integerDigits = exponent + 1;
  if (integerDigits >= static_cast<int>(d.digits.size())) {
    d.digits.append(static_cast<size_t>(integerDigits) - d.digits.size(), '0');
  } else if (integerDigits <= 0) {
    d.digits.insert(0, static_cast<size_t>(-integerDigits), '0');
    d.places = static_cast<int>(d.digits.size());
  } else {
    d.places = static_cast<int>(d.digits.size()) - integerDigits;
  }
  return Pack(d);
}

Double BcdToDouble(const TBcd& bcd) {
  Decimal d = Unpack(bcd);
  size_t whole = d.digits.size() - static_cast<size_t>(d.places);
  std::string text = whole > 0 ? d.digits.substr(0, whole) : "0";
  text += '.';
  text += d.digits.substr(whole);
  text += '0';
  Double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return d.negative ? -value : value;
}

int BcdCompare(const TBcd& a, const TBcd& b) {
  Decimal x = Unpack(a), y = Unpack(b);
  Normalise(x);
  Normalise(y);
  if (x.negative != y.negative) return x.negative ? -1 : 1;
  int sign = x.negative ? -1 : 1;
  int wholeX = static_cast<int>(x.digits.size()) - x.places, wholeY = static_cast<int>(y.digits.size()) - y.places;
  if (wholeX != wholeY) return wholeX < wholeY ? -sign : sign;
  // Same number of integer digits: the digit strings compare left to right, the shorter padded.
  size_t n = std::max(x.digits.size(), y.digits.size());
  x.digits.resize(n, '0');
  y.digits.resize(n, '0');
  int c = x.digits.compare(y.digits);
  return c == 0 ? 0 : (c < 0 ? -sign : sign);
}

String BcdToStrF(const TBcd& bcd, TFloatFormat format, Integer precision, Integer digits) {
  if (format != ffGeneral) return FloatToStrF(BcdToDouble(bcd), format, precision, digits);
  Decimal d = Unpack(bcd);
  Normalise(d);
  size_t significantStart = d.digits.find_first_not_of('0');
  if (precision > 0 && significantStart != std::string::npos &&
      d.digits.size() - significantStart > static_cast<size_t>(precision)) {
    // Round half away from zero at the last kept digit, then drop the rest of the fraction.
    size_t keep = significantStart + static_cast<size_t>(precision);
    bool up = d.digits[keep] >= '5';
    size_t wholeDigits = d.digits.size() - static_cast<size_t>(d.places);
    std::string kept = d.digits.substr(0, keep);
    if (keep < wholeDigits) kept.append(wholeDigits - keep, '0');
    int places = static_cast<int>(kept.size()) - static_cast<int>(wholeDigits);
    if (up) {
      size_t i = keep;
      while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
      if (i == 0) kept.insert(0, "1");
      else ++kept[i - 1];
    }
    d.digits = kept;
    d.places = std::max(places, 0);
    Normalise(d);
  }
  return Text(d);
}

TVarType VarFMTBcd() { return BcdType().VarType(); }

Variant VarFMTBcdCreate(const TBcd& bcd) { return Variant::FromRecord(VarFMTBcd(), &bcd, sizeof(TBcd)); }

bool VarIsFMTBcd(const Variant& value) { return value.VType() == VarFMTBcd(); }

TBcd VarToBcd(const Variant& value) {
  return TFMTBcdVariantType::Record(VarIsFMTBcd(value) ? value : VarAsType(value, VarFMTBcd()));
}
