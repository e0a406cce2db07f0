#pragma once
// Brightness and contrast, applied to the luma plane of a picture through one table: the same
// for the converter and the preview player.

#include <cstdint>

#include "rtl/Types.h"

class LumaAdjust {
 public:
  // Both from -127 to 127 (clamped); 0 and 0 change nothing.
  LumaAdjust(Integer brightness, Integer contrast);

  bool Identity() const { return FIdentity; }
  void Apply(uint8_t* plane, int lineSize, int width, int height) const;

 private:
  uint8_t FTable[256];
  bool FIdentity;
};
