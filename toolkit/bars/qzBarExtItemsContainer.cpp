// The control container item: a window control of the program placed into toolbars and menus
// through a borderless form that the bar window holds as a child at the item's rectangle.

#include "rtl/Resources.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/foundation/kvGraphics.h"
#include "user/Rects.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL(TPlaceForm)
TAVREN_MESSAGE_TABLE(TPlaceForm, MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarControlContainerItem, PROPERTY(Control))
TAVREN_CLASS_IMPL(TqzBarControlContainerControl)

namespace {

// The colour a brush handle or a system-colour brush code fills with.
TColor BrushColor(HBRUSH ABrush) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(ABrush);
  if (value >= 1 && value <= SYS_COLOR_COUNT) return static_cast<TColor>(GetSysColor(static_cast<int>(value - 1)));
  LOGBRUSH brush{};
  return ReadLogBrush(ABrush, brush) ? static_cast<TColor>(brush.lbColor) : clBtnFace;
}

}  // namespace

// ---- Place form ----------------------------------------------------------------------------------

TPlaceForm::TPlaceForm(TComponent* AOwner) : TCustomForm(AOwner, 0) { SetBorderStyle(bsNone); }

void TPlaceForm::WMEraseBkgnd(TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (FBarItemControl) {
    // The form's client origin is the item's corner in the bar window: shifted so, the painter
    // fills exactly the part of the bar's background the form covers.
    TRect item = FBarItemControl->GetItemRect();
    POINT origin;
    GetWindowOrgEx(DC, &origin);
    SetWindowOrgEx(DC, origin.X + item.Left, origin.Y + item.Top, nullptr);
    TqzBarCanvas* canvas = BarCanvasInstance();
    canvas->PushPaintDC(DC);
    try {
      FBarItemControl->Painter()->FillPlaceBackground(FBarItemControl, canvas, DC, item);
    } catch (...) {
      canvas->PopPaintState();
      SetWindowOrgEx(DC, origin.X, origin.Y, nullptr);
      throw;
    }
    canvas->PopPaintState();
    SetWindowOrgEx(DC, origin.X, origin.Y, nullptr);
  } else {
    RECT r = GetClientRect();
    FillRect(DC, &r, GetBrush()->GetHandle());
  }
  Message.Result = 1;
}

// ---- Item ----------------------------------------------------------------------------------------

TqzBarControlContainerItem::TqzBarControlContainerItem(TComponent* AOwner)
    : TqzBarItem(AOwner), FPlaceForm(std::make_unique<TPlaceForm>(nullptr)) {}

TqzBarControlContainerItem::~TqzBarControlContainerItem() {
  SetControl(nullptr);
  // The links' controls go before the form they may have placed.
  DeleteLinks();
}

bool TqzBarControlContainerItem::AccelUsableFor(TqzBarItemLink* ALink) {
  TqzBarItemControl* control = ALink ? ALink->GetControl() : nullptr;
  return control && control->GetParent() && control->GetParent()->BarKind() == 1;
}

void TqzBarControlContainerItem::HideHostedWindow(TqzBarItemControl* AControl) {
  if (AControl && FPlaceForm->GetBarItemControl() == AControl) DetachPlaceForm();
}

void TqzBarControlContainerItem::DetachPlaceForm() {
  FPlaceForm->SetBarItemControl(nullptr);
  FPlaceForm->Hide();
  // Without a parent window the form's handle goes, the control's window with it: both come back
  // at the next place, the control's state kept by its own destruction of the window.
  FPlaceForm->SetParentWindow(nullptr);
}

void TqzBarControlContainerItem::SetName(const String& NewName) {
  inherited::SetName(NewName);
  // The place holder shows the name.
  if (!FControl && !IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarControlContainerItem::SetControl(TControl* Value) {
  if (Value && Value != FControl) {
    if (TqzBarManager* manager = GetBarManager()) {
      for (Integer i = 0; i < manager->GetItemCount(); ++i) {
        auto* other = dynamic_cast<TqzBarControlContainerItem*>(manager->GetItem(i));
        if (other && other != this && other->FControl == Value)
          throw Exception(ResourceStringText(sqzBarContainerControlTaken));
      }
    }
  }
  if (FControl == Value) return;
  if (FControl) {
    FControl->SetWindowProc(FPrevWndProc);
    FControl->RemoveFreeNotification(this);
    if (!FControl->GetComponentState().Contains(csDestroying)) FControl->SetParent(nullptr);
  }
  FControl = Value;
  if (FControl) {
    FControl->FreeNotification(this);
    FPrevWndProc = FControl->GetWindowProc();
    FControl->SetWindowProc(MakeEvent<&TqzBarControlContainerItem::ControlWndProc>(this));
    RememberControlSize();
  }
  RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarControlContainerItem::SetHostVisible(bool AVisible) {
  if (FPlaceForm->GetVisible() != AVisible) FPlaceForm->SetVisible(AVisible);
}

bool TqzBarControlContainerItem::IsPlacing() const {
  for (Integer i = 0; i < GetLinkCount(); ++i) {
    auto* control = dynamic_cast<TqzBarControlContainerControl*>(GetLink(i)->GetControl());
    if (control && control->GetPlacing()) return true;
  }
  return false;
}

void TqzBarControlContainerItem::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FControl) SetControl(nullptr);
}

void TqzBarControlContainerItem::RememberControlSize() {
  FControlWidth = FControl->GetWidth();
  FControlHeight = FControl->GetHeight();
}

void TqzBarControlContainerItem::ControlWndProc(TMessage& Message) {
  if (Message.Msg == CM_RECREATEWND) {
    // The control's own procedure re-creates the window: without the hook meanwhile.
    TControl* control = FControl;
    control->SetWindowProc(FPrevWndProc);
    struct TRehook {
      TqzBarControlContainerItem* Item;
      TControl* Control;
      ~TRehook() {
        if (Item->FControl == Control) Control->SetWindowProc(MakeEvent<&TqzBarControlContainerItem::ControlWndProc>(Item));
      }
    } rehook{this, control};
    FPrevWndProc(Message);
    return;
  }
  FPrevWndProc(Message);
  if (!FControl || IsPlacing()) return;
  bool sized = Message.Msg == WM_SIZE ||
               (Message.Msg == WM_WINDOWPOSCHANGED && Message.LParam == 0);
  if (sized && (FControl->GetWidth() != FControlWidth || FControl->GetHeight() != FControlHeight)) {
    RememberControlSize();
    RebuildBarsOfKinds(qzAllBarKinds);
  }
}

// ---- Control -------------------------------------------------------------------------------------

TqzBarControlContainerControl::~TqzBarControlContainerControl() {
  if (TqzBarItem* item = GetItem()) item->HideHostedWindow(this);
}

TControl* TqzBarControlContainerControl::GetHostedControl() {
  TqzBarControlContainerItem* item = GetContainerItem();
  return item ? item->GetControl() : nullptr;
}

bool TqzBarControlContainerControl::IsHosting() { return GetParent()->BarKind() != 1 && GetHostedControl(); }

bool TqzBarControlContainerControl::IsPlacedHere() {
  TqzBarControlContainerItem* item = GetContainerItem();
  return item && item->GetControl() && GetParent()->HandleAllocated() &&
         item->GetPlaceForm()->GetParentWindow() == GetParent()->GetHandle();
}

void TqzBarControlContainerControl::ReleaseHostedWindow() {
  inherited::ReleaseHostedWindow();
  if (IsPlacedHere()) GetContainerItem()->DetachPlaceForm();
}

void TqzBarControlContainerControl::CalcPartRects() {
  inherited::CalcPartRects();
  TqzBarControlContainerItem* item = GetContainerItem();
  if (item && IsRectEmpty(&GetPartRects()[0])) item->HideHostedWindow(this);
}

Integer TqzBarControlContainerControl::GetThicknessInBar() {
  if (IsHosting()) return GetHostedControl()->GetHeight();
  Integer text = GetSizeBase();
  if (GetPaintType() == qzPaintMenu) return text;
  return std::max(text, RotatedExtent().cy);
}

Integer TqzBarControlContainerControl::GetLengthInBar() {
  if (IsHosting()) return GetHostedControl()->GetWidth();
  Integer name = TextExtent(StripAccelChars(GetItem()->GetName())).cx;
  if (GetPaintType() == qzPaintMenu)
    return name + 2 * GetSizeBase() + Painter()->ClassRef()->ContainerExtraWidth() + 6;
  return name + GetParent()->GetFont()->GetSize();
}

void TqzBarControlContainerControl::DrawInRect(const TRect& R, Byte) {
  if (IsHosting()) {
    PlaceControl();
    GetHostedControl()->Invalidate();
    return;
  }
  DrawPlaceHolder(R);
}

void TqzBarControlContainerControl::DrawPlaceHolder(const TRect& R) {
  TkvCanvas* canvas = GetCanvas();
  HDC DC = canvas->DCHandle();
  Painter()->FillPlaceBackground(this, canvas, DC, R);
  RECT frame = R;
  InflateRect(&frame, -1, -1);
  FrameRect(DC, &frame, SysColorBrushCode(COLOR_BTNSHADOW));
  InflateRect(&frame, -1, -1);
  // The hatch lies over the bar's own background, gradients included.
  HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, ColorToRGB(clBtnShadow));
  Integer oldMode = SetBkMode(DC, TRANSPARENT);
  FillRect(DC, &frame, hatch);
  SetBkMode(DC, oldMode);
  DeleteObject(hatch);
  // The name is measured in the canvas font; the DC holds it only once the canvas realises it.
  canvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  Painter()->DrawCaptionText(this, DC, DT_SINGLELINE | DT_NOPREFIX, false, true, GetPaintType() == qzPaintRotated,
                             false, true, 1, R, GetItem()->GetName());
}

void TqzBarControlContainerControl::PlaceControl() {
  TqzBarControlContainerItem* item = GetContainerItem();
  if (!IsHosting() || FPlacing || item->IsPlacing()) return;
  FPlacing = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } clear{FPlacing};
  TRect R = GetItemRect();
  TPlaceForm* form = item->GetPlaceForm();
  TCustomqzBarControl* bar = GetParent();
  bool empty = IsRectEmpty(&R);
  bool placedHere = IsPlacedHere();
  if (!empty || item->GetLinkCount() == 1) form->SetParentWindow(bar->GetHandle());
  if (!empty || placedHere) form->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  TControl* control = item->GetControl();
  control->SetParent(form);
  if (!empty) {
    TRect client = form->GetClientRect();
    control->SetBounds(client.Left, client.Top, client.Width(), client.Height());
    control->Show();
  }
  form->SetColor(BrushColor(bar->BackgroundBrush()));
  form->SetBarItemControl(this);
  form->Show();
}
