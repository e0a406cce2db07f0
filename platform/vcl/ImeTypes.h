#pragma once
// The input-method settings a control keeps and hands on. No input method runs here: the values
// are stored and passed to the controls that are given them.

#include "rtl/TypInfo.h"
#include "rtl/Types.h"

enum TImeMode {
  imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel,
  imHanguel
};
TAVREN_ENUM_INFO(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata,
                 imChinese, imSHanguel, imHanguel);

// The name of an input method; empty for the system's choice.
using TImeName = String;
