#include "rtl/Filer.h"

TAVREN_CLASS_IMPL(TFiler)
