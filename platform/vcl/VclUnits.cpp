// The framework's global objects and its units' start and end.

#include "vcl/VclUnits.h"

#include "rtl/ClassRegistry.h"
#include "rtl/GlobalComponents.h"
#include "vcl/ActnList.h"
#include "vcl/Clipbrd.h"
#include "vcl/ComCtrls.h"
#include "vcl/Dialogs.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Mask.h"
#include "vcl/Forms.h"
#include "vcl/GraphicClasses.h"
#include "vcl/ImgList.h"
#include "vcl/Jpeg.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timers.h"

namespace {
TMouse* gMouse = nullptr;
TScreen* gScreen = nullptr;
TApplication* gApplication = nullptr;
}  // namespace

TMouse* Mouse() { return gMouse; }
TScreen* Screen() { return gScreen; }
TApplication* Application() { return gApplication; }

void VclStart() {
  GraphicsStart();
  ClipbrdStart();
  MenusStart();
  JpegStart();
  ImgListStart();
  StdCtrlsStart();
  ExtCtrlsStart();
  MaskStart();
  ComCtrlsStart();
  DialogsStart();
  RegisterClasses({TBitmap::ClassInfo(), TIcon::ClassInfo(), TJPEGImage::ClassInfo(), TMenuItem::ClassInfo(),
                   TPopupMenu::ClassInfo(), TImageList::ClassInfo(), TDragImageList::ClassInfo()});
  RegisterClasses({TControl::ClassInfo(), TWinControl::ClassInfo(), TCustomControl::ClassInfo(),
                   TGraphicControl::ClassInfo(), TFrame::ClassInfo(), TForm::ClassInfo(), THintWindow::ClassInfo(),
                   TTimer::ClassInfo(), TAction::ClassInfo(), TActionList::ClassInfo()});
  gMouse = new TMouse;
  gScreen = new TScreen(nullptr);
  gApplication = new TApplication(nullptr);
  RegisterFindGlobalComponentProc(FindGlobalForm);
}

void VclEnd() {
  UnregisterFindGlobalComponentProc(FindGlobalForm);
  // The application's forms may still ask for the screen as they go.
  delete gApplication;
  gApplication = nullptr;
  delete gScreen;
  gScreen = nullptr;
  delete gMouse;
  gMouse = nullptr;
  ImgListEnd();
  ClipbrdEnd();
  GraphicsEnd();
}
