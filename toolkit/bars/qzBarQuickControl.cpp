// The quick control: construction for the parent toolbar, its size and place beside the mark, its
// fixed frame and the close timer that hands the mark back.

#include "toolkit/bars/qzBarQuickControl.h"

#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/foundation/kvControls.h"
#include "user/Messages.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzBarQuickControl)

namespace {
constexpr Cardinal kCloseDelay = 200;
// One quick control is open at a time, whatever its toolbar.
TqzBarQuickControl* gOpenQuickControl = nullptr;
}  // namespace

TqzBarQuickControl* OpenQuickControl() { return gOpenQuickControl; }

TqzBarControl* NewQuickControl(TqzBarControl* AParent, TqzBar* ABar) { return new TqzBarQuickControl(AParent, ABar); }

TqzBarQuickControl::TqzBarQuickControl(TqzBarControl* AParent, TqzBar* ABar)
    : TqzBarControl(AParent, ABar, TqzChildBar{}) {
  TRect owner;
  GetParentOpenerRect(owner);
  SetOwnerBounds(owner, AParent);
  FCloseTimer = std::make_unique<TkvTimer>(nullptr);
  FCloseTimer->SetEnabled(false);
  FCloseTimer->SetInterval(kCloseDelay);
  FCloseTimer->SetOnTimer(MakeEvent<&TqzBarQuickControl::CloseTimerTick>(this));
}

TqzBarQuickControl::~TqzBarQuickControl() {
  if (gOpenQuickControl == this) gOpenQuickControl = nullptr;
  FCloseTimer.reset();
}

TqzBarControl* TqzBarQuickControl::GetParentBar() const { return dynamic_cast<TqzBarControl*>(GetOpenerBar()); }

void TqzBarQuickControl::StartCloseTimer() { FCloseTimer->SetEnabled(true); }

bool TqzBarQuickControl::IsCloseTimerRunning() const { return FCloseTimer->GetEnabled(); }

void TqzBarQuickControl::CloseTimerTick(TObject*) {
  FCloseTimer->SetEnabled(false);
  TqzBarItemControl* selected = GetControlBarManager()->GetSelectedItemControl();
  if (!selected || selected->GetParent() == this) return;
  try {
    ResetParentMark();
  } catch (const Exception&) {
    // The mark is left as it is: the popup closes with its parent at the latest.
  }
}

void TqzBarQuickControl::PopupSize(TSize& ASize) {
  CalcSize(dsNone, GetBar()->GetFloatClientWidth(), ASize);
  TRect border = BorderSizes(dsNone);
  ASize.cx += border.Left + border.Right;
  ASize.cy += border.Top + border.Bottom;
}

HBRUSH TqzBarQuickControl::BackgroundBrush() { return Painter()->ClassRef()->QuickBarBrush(this); }

TCustomForm* TqzBarQuickControl::GetOwnerForm() {
  TqzBarControl* parent = GetParentBar();
  return parent ? parent->GetOwnerForm() : TqzBarControl::GetOwnerForm();
}

void TqzBarQuickControl::ShowAsPopup(const TRect& AOwnerRect) {
  TqzBarControl* parent = GetParentBar();
  bool leftAligned = parent && parent->IsFloating() && Painter()->ClassRef()->QuickItemCheckWidth() != 0;
  PlaceAsPopup(AOwnerRect, leftAligned);
}

void TqzBarQuickControl::DrawFrameOn(HDC DC) {
  TqzBarControl::DrawFrameOn(DC);
  Painter()->ClassRef()->DrawQuickFrame(this, DC);
}

void TqzBarQuickControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: {
      // The frame neither moves nor sizes the window.
      TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
      TRect client = GetClientRect();
      if (!PtInRect(&client, p)) {
        Message.Result = HTBORDER;
        return;
      }
      break;
    }
    case WM_RBUTTONDOWN:
      // No context popup over the quick control.
      DefaultHandler(Message);
      return;
    default:
      break;
  }
  TqzBarControl::WndProc(Message);
}

TqzBarControl* ShowQuickControl(TqzBarControl* AToolbar, const TRect& AMarkRect) {
  TqzBarControl* popup = AToolbar->QuickControlClass()(AToolbar, AToolbar->GetBar());
  gOpenQuickControl = dynamic_cast<TqzBarQuickControl*>(popup);
  popup->SetOwnPainter(AToolbar->Painter());
  AToolbar->FillHiddenLinks(popup->GetItemLinks());
  popup->ShowAsPopup(AMarkRect);
  PlayBarSound(bskMenuPopup);
  return popup;
}
