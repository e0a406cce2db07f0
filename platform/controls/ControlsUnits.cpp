#include "controls/ControlsUnits.h"

#include "controls/Button.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Header.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/ScrollBars.h"
#include "controls/Static.h"
#include "controls/SystemImageList.h"
#include "controls/TreeView.h"

void ControlsStart() {
  ScrollBarsStart();
  EditStart();
  ButtonStart();
  StaticStart();
  ListBoxRegister();
  HeaderRegister();
  ListViewRegister();
  ComboBoxRegister();
  TreeViewRegister();
}

void ControlsEnd() {
  SystemImageListsEnd();
  StaticEnd();
  ButtonEnd();
  EditEnd();
  ScrollBarsEnd();
}
