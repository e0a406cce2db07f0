#include "toolkit/controls/WbUnits.h"

#include "rtl/ClassRegistry.h"
#include "toolkit/controls/WbBmpBtn.h"
#include "toolkit/controls/WbColorNames.h"
#include "toolkit/controls/WbCommon.h"
#include "toolkit/controls/WbCommonFrameController.h"
#include "toolkit/controls/WbEdit.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/controls/WbRadChk.h"
#include "toolkit/controls/WbSpnEdt.h"
#include "toolkit/controls/WbTabs.h"
#include "toolkit/controls/WbTrkBar.h"

void WbControlsStart() {
  WbCommonStart();
  WbColorNamesStart();
  RegisterClasses({TWbFrameController::ClassInfo(), TWbRegIniFile::ClassInfo()});
  WbRadChkStart();
  WbPanelStart();
  WbBmpBtnStart();
  WbTrkBarStart();
  WbEditStart();
  WbSpnEdtStart();
  WbTabsStart();
}

void WbControlsEnd() { WbColorNamesEnd(); }
