#include "app/AppUnits.h"

#include "app/FormatsAdvance.h"
#include "app/OFormat.h"
#include "app/RangeSlider.h"

void AppStart() {
  RangeSliderStart();
  OFormatStart();
  FormatsAdvanceStart();
}

void AppEnd() {}
