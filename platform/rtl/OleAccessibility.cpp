#include "rtl/OleAccessibility.h"

const String& TOwnedBSTR::Text() const {
  static const String kNone;
  return FText ? *FText : kNone;
}
