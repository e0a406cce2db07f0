#include "app/AppUnits.h"

#include "app/About.h"
#include "app/FormatsAdvance.h"
#include "app/Log.h"
#include "app/Main.h"
#include "app/OFormat.h"
#include "app/Progress.h"
#include "app/RangeSlider.h"
#include "app/VideoEdit.h"
#include "app/VideoListVw.h"

void AppStart() {
  RangeSliderStart();
  OFormatStart();
  FormatsAdvanceStart();
  VideoEditStart();
  VideoListVwStart();
  ProgressStart();
  AboutStart();
  LogStart();
  MainStart();
}

void AppEnd() {}
