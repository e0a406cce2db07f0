#include "controls/ControlsUnits.h"

#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Header.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/ScrollBars.h"

void ControlsStart() {
  ScrollBarsStart();
  EditStart();
  ListBoxRegister();
  HeaderRegister();
  ListViewRegister();
  ComboBoxRegister();
}

void ControlsEnd() {
  EditEnd();
  ScrollBarsEnd();
}
