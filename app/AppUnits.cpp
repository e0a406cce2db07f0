#include "app/AppUnits.h"

#include "app/RangeSlider.h"

void AppStart() { RangeSliderStart(); }

void AppEnd() {}
