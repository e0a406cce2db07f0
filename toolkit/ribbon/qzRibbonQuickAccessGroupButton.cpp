// The quick access toolbar's group button, its control and the group's popup.

#include "toolkit/ribbon/qzRibbonQuickAccessGroupButton.h"

#include <utility>

#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonStrs.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonQuickAccessGroupButton,
    PROPERTY(Toolbar))
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessGroupButtonControl)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessGroupButtonPopupBarControl)

namespace {

// The ribbon whose groups dock control holds the toolbar; nil when it is no group.
TqzCustomRibbon* RibbonOfGroup(TqzBar* AToolbar) {
  auto* dock = dynamic_cast<TqzRibbonGroupsDockControl*>(AToolbar->GetDockControl());
  return dock && dock->GetTab() ? dock->GetTab()->GetRibbon() : nullptr;
}

// The bar shows quick access windows: the toolbar itself or its mark's popup.
bool IsQuickAccessBar(TqzBar* ABar) {
  return ABar && (dynamic_cast<TqzRibbonQuickAccessBarControl*>(ABar->GetBarControl()) ||
                  dynamic_cast<TqzRibbonQuickAccessDockControl*>(ABar->GetDockControl()));
}

}  // namespace

TqzRibbonQuickAccessGroupButton* FindGroupButton(TqzBarItemLinks* ALinks, TqzBar* AToolbar, TqzBarItem* AExcept) {
  for (Integer i = 0; ALinks && AToolbar && i < ALinks->GetCount(); ++i) {
    auto* button = dynamic_cast<TqzRibbonQuickAccessGroupButton*>(ALinks->GetLink(i)->GetItem());
    if (button && button != AExcept && button->GetToolbar() == AToolbar) return button;
  }
  return nullptr;
}

// ---- Item ------------------------------------------------------------------------------------

TqzRibbonQuickAccessGroupButton::~TqzRibbonQuickAccessGroupButton() {
  if (FToolbar) FToolbar->RemoveFreeNotification(this);
}

bool TqzRibbonQuickAccessGroupButton::CanBePlacedOn(Integer APlaceKind, TqzBar* ABar, String& AMessage) {
  AMessage.clear();
  TqzBarManager* manager = GetBarManager();
  if (manager && manager->IsLoading()) return true;
  if (APlaceKind != 0 || !IsQuickAccessBar(ABar)) {
    AMessage = ResourceStringText(sqzRibbonGroupButtonOnlyOnQuickAccess);
    return false;
  }
  if (!FToolbar) return true;
  TqzCustomRibbon* ribbon = RibbonOfGroup(FToolbar);
  if (!ribbon || ribbon->GetBarManager() != ABar->GetBarManager()) {
    AMessage = ResourceStringText(sqzRibbonGroupButtonToolbarNotInRibbon);
    return false;
  }
  if (FindGroupButton(ABar->GetItemLinks(), FToolbar, this)) {
    AMessage = ResourceStringText(sqzRibbonGroupButtonDuplicate);
    return false;
  }
  return true;
}

String TqzRibbonQuickAccessGroupButton::GetCaption() const {
  return FToolbar ? FToolbar->GetCaption() : ResourceStringText(sqzRibbonGroupButtonCaption);
}

bool TqzRibbonQuickAccessGroupButton::AcceptsToolbar(TqzBar* AToolbar) {
  TqzBarManager* manager = GetBarManager();
  if ((manager && manager->IsLoading()) || !AToolbar || GetLinkCount() == 0) return true;
  TqzCustomRibbon* ribbon = RibbonOfGroup(AToolbar);
  TqzBar* quick = ribbon ? ribbon->GetQuickAccessToolbar()->GetToolbar() : nullptr;
  if (!quick || GetLink(0)->GetLinks() != quick->GetItemLinks()) return false;
  return !FindGroupButton(quick->GetItemLinks(), AToolbar, this);
}

void TqzRibbonQuickAccessGroupButton::SetToolbar(TqzBar* Value) {
  if (Value == FToolbar || !AcceptsToolbar(Value)) return;
  if (FToolbar) FToolbar->RemoveFreeNotification(this);
  FToolbar = Value;
  if (FToolbar) FToolbar->FreeNotification(this);
  RepaintControls();
}

void TqzRibbonQuickAccessGroupButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == FToolbar) {
    FToolbar = nullptr;
    RepaintControls();
  }
}

// ---- Control ---------------------------------------------------------------------------------

TqzRibbonQuickAccessGroupButtonControl::~TqzRibbonQuickAccessGroupButtonControl() {
  if (TqzRibbonQuickAccessGroupButtonPopupBarControl* popup = std::exchange(FPopup, nullptr)) {
    popup->FControl = nullptr;
    delete popup;
  }
}

TqzRibbonQuickAccessGroupButton* TqzRibbonQuickAccessGroupButtonControl::GroupButton() const {
  return dynamic_cast<TqzRibbonQuickAccessGroupButton*>(GetItem());
}

bool TqzRibbonQuickAccessGroupButtonControl::IsEnabled() {
  TqzRibbonQuickAccessGroupButton* button = GroupButton();
  TqzBarManager* manager = GetBarManager();
  return inherited::IsEnabled() && button && (button->GetToolbar() || (manager && manager->IsDesigning()));
}

void TqzRibbonQuickAccessGroupButtonControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  ButtonParams()->DropDownOpen = IsDroppedDown();
}

bool TqzRibbonQuickAccessGroupButtonControl::IsActionable() {
  TqzBarManager* manager = GetBarManager();
  return !(manager && manager->IsDesigning()) && inherited::IsActionable();
}

void TqzRibbonQuickAccessGroupButtonControl::UserActivate(bool AByMouse) {
  inherited::UserActivate(AByMouse);
  if (!IsDroppedDown()) OpenDropDown(AByMouse);
}

void TqzRibbonQuickAccessGroupButtonControl::ActivateByKey(bool AFlag) {
  inherited::ActivateByKey(AFlag);
  PressAt(mbLeft, TShiftState());
}

void TqzRibbonQuickAccessGroupButtonControl::OpenDropDown(bool AByMouse) {
  TqzRibbonQuickAccessGroupButton* button = GroupButton();
  TqzBar* group = button ? button->GetToolbar() : nullptr;
  TCustomqzBarControl* parent = GetParent();
  if (FPopup || !group || !IsEnabled() || !parent || !parent->HandleAllocated()) return;
  FPopup = new TqzRibbonQuickAccessGroupButtonPopupBarControl(this, group);
  TRect owner;
  FPopup->GetParentOpenerRect(owner);
  FPopup->ShowAsPopup(owner);
  if (FPopup && !AByMouse && NavigationControllerInstance()->InNavigationMode())
    SelectFirstInBar(FPopup->GetAccessibilityHelper());
  Repaint();
}

void TqzRibbonQuickAccessGroupButtonControl::CloseUp(bool AClose) {
  inherited::CloseUp(AClose);
  // The popup is no menu window of the button-like control's kind: it goes here in any case.
  delete std::exchange(FPopup, nullptr);
  Repaint();
}

Integer TqzRibbonQuickAccessGroupButtonControl::GetWidth() {
  auto* painter = dynamic_cast<TqzRibbonQuickAccessPainter*>(Painter());
  TqzCustomRibbon* ribbon = painter ? painter->GetRibbon() : nullptr;
  return ribbon ? ribbon->GroupRowHeight() : inherited::GetHeight();
}

void TqzRibbonQuickAccessGroupButtonControl::DrawInRect(const TRect& R, Byte) {
  if (auto* painter = dynamic_cast<TqzRibbonQuickAccessPainter*>(Painter())) painter->DrawGroupButton(GetDrawParams(), R);
}

bool TqzRibbonQuickAccessGroupButtonControl::GetImageSource(Byte, Integer, Integer& AIndex, TCustomImageList*& AList,
                                                           TBitmap*& AGlyph) {
  TqzRibbonQuickAccessGroupButton* button = GroupButton();
  TqzBar* group = button ? button->GetToolbar() : nullptr;
  AIndex = -1;
  AList = nullptr;
  AGlyph = group && !group->GetGlyph()->GetEmpty() ? group->GetGlyph() : nullptr;
  return AGlyph != nullptr;
}

String TqzRibbonQuickAccessGroupButtonControl::GetHint() { return GetLink() ? GetLink()->GetCaption() : String(); }

TClassOf<TqzBarAccessibilityHelper> TqzRibbonQuickAccessGroupButtonControl::AccessibilityHelperClass() {
  return TqzRibbonQuickAccessGroupButtonControlAccessibilityHelper::ClassInfo();
}

// ---- Popup -----------------------------------------------------------------------------------

TqzRibbonQuickAccessGroupButtonPopupBarControl::TqzRibbonQuickAccessGroupButtonPopupBarControl(
    TqzRibbonQuickAccessGroupButtonControl* AControl, TqzBar* AGroupBar)
    : TqzRibbonCollapsedGroupPopupBarControl(static_cast<TqzRibbonCustomBarControl*>(AControl->GetParent()), AGroupBar),
      FControl(AControl) {
  TqzBarItemLinks* group = AGroupBar->GetItemLinks();
  TqzBarItemLinks* links = GetItemLinks();
  for (Integer i = 0; i < group->GetCount(); ++i) {
    TqzBarItemLink* copy = links->AddLink();
    copy->Assign(group->GetLink(i));
    copy->SetSourceLink(group->GetLink(i));
  }
}

TqzRibbonQuickAccessGroupButtonPopupBarControl::~TqzRibbonQuickAccessGroupButtonPopupBarControl() {
  if (!FControl) return;
  if (FControl->FPopup == this) FControl->FPopup = nullptr;
  // The press that closes the popup on its own button must not open it again.
  if (FControl->IsPressedUnderMouse())
    if (TCustomqzBarControl* toolbar = FControl->GetParent()) toolbar->SetSkipNextClick(true);
  FControl->Repaint();
}

void TqzRibbonQuickAccessGroupButtonPopupBarControl::GetParentOpenerRect(TRect& R) {
  R = TRect();
  TCustomqzBarControl* toolbar = FControl ? FControl->GetParent() : nullptr;
  if (!toolbar || !toolbar->HandleAllocated()) return;
  const TRect item = FControl->GetItemRect();
  const TPoint topLeft = toolbar->ClientToScreen(item.TopLeft());
  R = TRect(topLeft.X, topLeft.Y, topLeft.X + item.Width(), topLeft.Y + item.Height());
}

void TqzRibbonQuickAccessGroupButtonPopupBarControl::ResetParentMark() {
  if (FControl) FControl->CloseUp(true);
}

void TqzRibbonQuickAccessGroupButtonPopupBarControl::PressItemControl(TqzBarItemControl* AControl) {
  if (!AControl) {
    inherited::PressItemControl(AControl);
    return;
  }
  TWeakRef<TqzRibbonQuickAccessGroupButtonPopupBarControl> self(this);
  FPressingItem = true;
  try {
    inherited::PressItemControl(AControl);
  } catch (...) {
    if (self) FPressingItem = false;
    throw;
  }
  if (self) FPressingItem = false;
}

void TqzRibbonQuickAccessGroupButtonPopupBarControl::CloseOnEscape() {
  TqzBarHelperRef button = FControl ? BarHelperRef(FControl->GetAccessibilityHelper()) : nullptr;
  inherited::CloseOnEscape();
  TqzBarNavigationController* controller = NavigationControllerInstance();
  if (button && controller->InNavigationMode()) controller->MoveSelection(false, button);
}
