#pragma once
// The stock pens, brushes and the 1 x 1 monochrome bitmap every new memory DC holds.

#include "rtl/WinTypes.h"

void CreateStockObjects();
HBITMAP StockBitmap();
