#include "app/AppUnits.h"

#include "app/FormatsAdvance.h"
#include "app/OFormat.h"
#include "app/RangeSlider.h"
#include "app/VideoEdit.h"

void AppStart() {
  RangeSliderStart();
  OFormatStart();
  FormatsAdvanceStart();
  VideoEditStart();
}

void AppEnd() {}
