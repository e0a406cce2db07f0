#include "core/Exception.h"

#include "rtl/SysUtils.h"

void RaiseInvalidIndex(Integer Index) { throw EInvalideIndex(Format("List index out of bounds (%d)", Index)); }
