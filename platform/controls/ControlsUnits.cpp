#include "controls/ControlsUnits.h"

#include "controls/Edit.h"
#include "controls/ListBox.h"
#include "controls/ScrollBars.h"

void ControlsStart() {
  ScrollBarsStart();
  EditStart();
  ListBoxRegister();
}

void ControlsEnd() {
  EditEnd();
  ScrollBarsEnd();
}
