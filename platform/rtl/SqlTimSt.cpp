#include "rtl/SqlTimSt.h"

#include <cmath>
#include <cstring>

#include "rtl/SysUtils.h"

namespace {

TSQLTimeStamp Record(const Variant& v) {
  TSQLTimeStamp stamp;
  if (v.RecordBytes().size() == sizeof(TSQLTimeStamp)) std::memcpy(&stamp, v.RecordBytes().data(), sizeof(stamp));
  return stamp;
}

class TSQLTimeStampVariantType : public TCustomVariantType {
 public:
  String Name() const override { return "SQLTimeStamp"; }
  Variant CastTo(const Variant& source, TVarType kind) const override {
    return VarAsType(VarFromDateTime(SQLTimeStampToDateTime(Record(source))), kind);
  }
  Variant CastFrom(const Variant& source) const override { return VarSQLTimeStampCreate(source.AsDateTime()); }
  int Compare(const Variant& a, const Variant& b) const override {
    TSQLTimeStamp x = Record(a), y = Record(b);
    const Int64 fx[] = {x.Year, x.Month, x.Day, x.Hour, x.Minute, x.Second, x.Fractions};
    const Int64 fy[] = {y.Year, y.Month, y.Day, y.Hour, y.Minute, y.Second, y.Fractions};
    for (int i = 0; i < 7; ++i) {
      if (fx[i] != fy[i]) return fx[i] < fy[i] ? -1 : 1;
    }
    return 0;
  }
  TVarType NaturalKind() const override { return varDate; }
};

const TSQLTimeStampVariantType& StampType() {
  static TSQLTimeStampVariantType type;
  return type;
}

}  // namespace

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value) {
  TSQLTimeStamp stamp;
  Word year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  stamp.Year = static_cast<SmallInt>(year);
  stamp.Month = month;
  stamp.Day = day;
  stamp.Hour = hour;
  stamp.Minute = minute;
  stamp.Second = second;
  stamp.Fractions = msec;
  return stamp;
}

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& stamp) {
  TDateTime date, time;
  if (stamp.Year < 1 || stamp.Fractions > 999 ||
      !TryEncodeDate(static_cast<Word>(stamp.Year), stamp.Month, stamp.Day, date) ||
      !TryEncodeTime(stamp.Hour, stamp.Minute, stamp.Second, static_cast<Word>(stamp.Fractions), time)) {
    throw EConvertError("Invalid SQL time stamp");
  }
  // Before 1899-12-30 the value is negative while the time still counts forward.
  return date < 0 ? date - time : date + time;
}

TVarType VarSQLTimeStamp() { return StampType().VarType(); }

Variant VarSQLTimeStampCreate(const TSQLTimeStamp& stamp) {
  return Variant::FromRecord(VarSQLTimeStamp(), &stamp, sizeof(stamp));
}

Variant VarSQLTimeStampCreate(TDateTime value) { return VarSQLTimeStampCreate(DateTimeToSQLTimeStamp(value)); }

bool VarIsSQLTimeStamp(const Variant& value) { return value.VType() == VarSQLTimeStamp(); }

TSQLTimeStamp VarToSQLTimeStamp(const Variant& value) {
  return VarIsSQLTimeStamp(value) ? Record(value) : DateTimeToSQLTimeStamp(value.AsDateTime());
}
