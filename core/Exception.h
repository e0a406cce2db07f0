#pragma once
// The conversion core's plain error classes; the engine's are in core/Convert.h.

#include "rtl/Exceptions.h"

// A task list index out of range: "List index out of bounds (%d)".
TAVREN_DECLARE_EXCEPTION(EInvalideIndex, Exception);
// A failure that ends the program's start.
TAVREN_DECLARE_EXCEPTION(FinalException, Exception);

// Raises EInvalideIndex for Index.
[[noreturn]] void RaiseInvalidIndex(Integer Index);
