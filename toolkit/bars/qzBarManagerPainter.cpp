// The manager's default painter: the painter class of the style in force.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarOffice11Painter.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarStandardPainter.h"
#include "toolkit/bars/qzBarXPPainter.h"

TClass TqzBarManager::PainterClassForStyle() const {
  switch (GetPainterKind()) {
    case 0:
    // A skin painter of the look-and-feel takes the skinned-look class, which stays the Standard
    // painter while no skinned-look unit replaces it.
    case 5:
      return TqzBarStandardPainter::ClassInfo();
    case 2:
      return TqzBarFlatPainter::ClassInfo();
    case 3:
      return TqzBarXPPainter::ClassInfo();
    case 4:
      return TqzBarOffice11Painter::ClassInfo();
    default:
      return TqzBarEnhancedPainter::ClassInfo();
  }
}

TqzBarPainter* TqzBarManager::GetDefaultPainter() {
  TClass wanted = PainterClassForStyle();
  if (!FDefaultPainter || FDefaultPainter->ClassType() != wanted)
    FDefaultPainter.reset(static_cast<TqzBarPainter*>(wanted->Factory(nullptr)));
  return FDefaultPainter.get();
}

void TqzBarManager::SetStyle(TqzBarManagerStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  FDefaultPainter.reset();
  StyleChanged();
}

void TqzBarManager::StyleChanged() {
  RefreshBarControlsOf(this);
  auto redraw = [this](TqzDockControl* ASite) {
    if (!ASite || ASite->GetBarManager() != this) return;
    ASite->ClearBackgroundCache();
    ASite->Invalidate();
  };
  if (FBars)
    for (TqzBarDockingStyle style : {dsLeft, dsTop, dsRight, dsBottom}) redraw(FBars->GetDockControl(style));
  if (TComponent* form = GetOwner())
    for (Integer i = 0; i < form->GetComponentCount(); ++i) redraw(dynamic_cast<TqzDockControl*>(form->GetComponents(i)));
}
