// The popup editor: a control of the form hosted in the popup while it is open.

#include "rtl/Resources.h"
#include "toolkit/editors/kvDropDownEdit.h"

TAVREN_CLASS_IMPL(TkvCustomPopupEditProperties)
TAVREN_CLASS_IMPL(TkvCustomPopupEdit)

// ---- Properties ------------------------------------------------------------------------------

TkvCustomPopupEditProperties::TkvCustomPopupEditProperties(TPersistent* AOwner)
    : TkvCustomDropDownEditProperties(AOwner) {
  SetPopupAutoSize(true);
  SetPopupMinHeight(100);
  SetPopupMinWidth(100);
  SetPopupHeight(200);
  SetPopupWidth(250);
  SetPopupSizeable(true);
}

TkvCustomPopupEditProperties::~TkvCustomPopupEditProperties() {
  if (FPopupControl) GetFreeNotificator()->Unwatch(FPopupControl);
}

void TkvCustomPopupEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomPopupEditProperties*>(Source);
  if (!source) return TkvCustomDropDownEditProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomDropDownEditProperties::Assign(Source);
    SetPopupControl(source->FPopupControl);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomPopupEditProperties::ComponentFreed(TComponent* Component) {
  TkvCustomDropDownEditProperties::ComponentFreed(Component);
  if (Component == FPopupControl) FPopupControl = nullptr;
}

TClass TkvCustomPopupEditProperties::GetEditorClass() { return TkvPopupEdit::ClassInfo(); }

TClassOf<TkvCustomEditPopupWindow> TkvCustomPopupEditProperties::PopupWindowClass() {
  return TkvPopupEditPopupWindow::ClassInfo();
}

void TkvCustomPopupEditProperties::SetPopupControl(TControl* Value) {
  if (FPopupControl == Value) return;
  if (FPopupControl) GetFreeNotificator()->Unwatch(FPopupControl);
  FPopupControl = Value;
  if (FPopupControl) GetFreeNotificator()->Watch(FPopupControl);
}

TkvPopupEditProperties::TkvPopupEditProperties(TPersistent* AOwner) : TkvCustomPopupEditProperties(AOwner) {
  SetImmediateDropDown(true);
  SetImmediatePopup(true);
}

// ---- Editor ----------------------------------------------------------------------------------

void TkvCustomPopupEdit::BeforeDestruction() {
  // The hosted control goes back before the popup, its parent meanwhile, goes.
  if (IsPopupOpen()) RestorePopupControl();
  TkvCustomDropDownEdit::BeforeDestruction();
}

void TkvCustomPopupEdit::PreparePopup() {
  TControl* control = PopupEditProperties()->GetPopupControl();
  bool circular = control && control == GetPopupWindow();
  for (TControl* c = this; c && !circular; c = c->GetParent()) circular = c == control;
  if (circular) throw EkvEditError(ResourceStringText(skvEditCircularReferencing));
  TkvCustomDropDownEdit::PreparePopup();
}

TWinControl* TkvCustomPopupEdit::GetPopupFocusControl() {
  return dynamic_cast<TWinControl*>(PopupEditProperties()->GetPopupControl());
}

void TkvCustomPopupEdit::MeasurePopupContent(Integer& Width, Integer& Height) {
  TControl* control = PopupEditProperties()->GetPopupControl();
  Width = control ? control->GetWidth() : 0;
  Height = control ? control->GetHeight() : 0;
}

void TkvCustomPopupEdit::PositionPopupContent(const TRect& R) {
  if (TControl* control = PopupEditProperties()->GetPopupControl(); control && control == FHostedControl)
    control->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TkvCustomPopupEdit::SavePopupControlPlacement() {
  TControl* control = PopupEditProperties()->GetPopupControl();
  FHostedControl = control;
  FPlacement.Align = control->GetAlign();
  if (auto* form = dynamic_cast<TCustomForm*>(control)) {
    FPlacement.BorderStyle = form->GetBorderStyle();
    form->SetBorderStyle(bsNone);
  }
  FPlacement.Bounds = control->GetBoundsRect();
  FPlacement.Parent = control->GetParent();
  FPlacement.Visible = control->GetVisible();
}

void TkvCustomPopupEdit::RestorePopupControl() {
  TControl* control = FHostedControl;
  if (!control || control != PopupEditProperties()->GetPopupControl()) {
    FHostedControl = nullptr;
    return;
  }
  FHostedControl = nullptr;
  control->SetVisible(false);
  // The focus leaves the control before it moves.
  if (TkvCustomEditPopupWindow* popup = GetPopupWindow(); popup && popup->HandleAllocated() && popup->GetVisible())
    ::SetFocus(popup->GetHandle());
  control->SetParent(FPlacement.Parent);
  control->SetAlign(FPlacement.Align);
  control->SetBoundsRect(FPlacement.Bounds);
  control->SetVisible(FPlacement.Visible);
  if (auto* form = dynamic_cast<TCustomForm*>(control)) form->SetBorderStyle(FPlacement.BorderStyle);
}

void TkvCustomPopupEdit::DisplayPopup() {
  TControl* control = PopupEditProperties()->GetPopupControl();
  TkvCustomEditPopupWindow* popup = GetPopupWindow();
  if (!control || !popup) return;
  if (FHostedControl != control) {
    SavePopupControlPlacement();
    control->SetParent(popup);
    control->SetVisible(true);
  }
  TWeakRef<TkvCustomPopupEdit> self(this);
  TkvCustomDropDownEdit::DisplayPopup();
  if (self && FHostedControl == control) control->SetAlign(alClient);
}

void TkvCustomPopupEdit::AfterPopupClose(TObject* Sender) {
  TWeakRef<TkvCustomPopupEdit> self(this);
  RestorePopupControl();
  if (self) TkvCustomDropDownEdit::AfterPopupClose(Sender);
}

void TkvCustomPopupEdit::PostClosePopup(TkvPopupCloseReason Reason) {
  SetCloseUpReason(Reason);
  if (TkvCustomEditPopupWindow* popup = GetPopupWindow()) popup->PostClose();
}
