#include "rtl/IdentMap.h"

#include <strings.h>

bool IdentToInt(const String& ident, Integer& value, const TIdentMap& map) {
  for (size_t i = 0; i < map.Count; ++i) {
    if (strcasecmp(map.Entries[i].Name, ident.c_str()) == 0) {
      value = map.Entries[i].Value;
      return true;
    }
  }
  return false;
}

bool IntToIdent(Integer value, String& ident, const TIdentMap& map) {
  for (size_t i = 0; i < map.Count; ++i) {
    if (map.Entries[i].Value == value) {
      ident = map.Entries[i].Name;
      return true;
    }
  }
  return false;
}
