#pragma once
// Identifier maps give integer properties readable values in form text (clBtnFace for a colour,
// crHandPoint for a cursor). Names compare without regard to case, as identifiers do.

#include <cstddef>

#include "rtl/Types.h"

struct TIdentMapEntry {
  Integer Value;
  const char* Name;
};

struct TIdentMap {
  const TIdentMapEntry* Entries;
  size_t Count;
};

bool IdentToInt(const String& ident, Integer& value, const TIdentMap& map);
// The first entry with the value wins, so a map lists the preferred name of a value first.
bool IntToIdent(Integer value, String& ident, const TIdentMap& map);
