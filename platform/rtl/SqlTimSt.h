#pragma once
// SQL time stamps (a 16-byte record of date and time fields, Fractions in milliseconds) and the
// variant kind that holds them.

#include "rtl/DateUtils.h"
#include "rtl/Variants.h"

#pragma pack(push, 1)
struct TSQLTimeStamp {
  SmallInt Year = 0;
  Word Month = 0;
  Word Day = 0;
  Word Hour = 0;
  Word Minute = 0;
  Word Second = 0;
  LongWord Fractions = 0;
};
#pragma pack(pop)
static_assert(sizeof(TSQLTimeStamp) == 16);

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value);
// Raises EConvertError for a record that is no valid date and time.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& stamp);

// The SQL time-stamp variant kind, registered on first use. It meets other kinds as a date.
TVarType VarSQLTimeStamp();
Variant VarSQLTimeStampCreate(const TSQLTimeStamp& stamp);
Variant VarSQLTimeStampCreate(TDateTime value);
bool VarIsSQLTimeStamp(const Variant& value);
TSQLTimeStamp VarToSQLTimeStamp(const Variant& value);
