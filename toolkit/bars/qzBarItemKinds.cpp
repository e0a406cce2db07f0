// The item kinds: label, separator, button, the window items and the edits.

#include "rtl/Reader.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarStrs.h"

TAVREN_CLASS_IMPL(TqzBarLabel)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarSeparator,
    PROPERTY(ShowCaption).Default(true))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarButton,
    PROPERTY(AllowAllUp).Default(false),
    PROPERTY(ButtonStyle).Default(bsDefault),
    PROPERTY(CloseSubMenuOnClick).Default(true),
    PROPERTY(DropDownEnabled).Default(true),
    PROPERTY(DropDownMenu),
    PROPERTY(GroupIndex).Default(0),
    PROPERTY(Down).Default(false).Stored<&TqzBarButton::IsDownStored>(),
    PROPERTY(Glyph),
    PROPERTY(ImageIndex).Default(-1).Stored<&TqzBarItem::IsImageIndexStored>(),
    PROPERTY(LargeGlyph),
    PROPERTY(LargeImageIndex).Default(-1),
    PROPERTY(Lowered).Default(false),
    PROPERTY(PaintStyle).Default(psStandard),
    PROPERTY(ShortCut).Default(0).Stored<&TqzBarItem::IsShortCutStored>(),
    PROPERTY(UnclickAfterDoing).Default(true),
    PROPERTY(OnClick).Stored<&TqzBarItem::IsOnClickStored>())
TAVREN_CLASS_IMPL(TqzBarApplicationMenuButtonItem)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarWindowItem,
    PROPERTY(OnChange),
    PROPERTY(OnCurChange),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp))
TAVREN_CLASS_IMPL_PUBLISHED(TqzCustomBarEdit,
    PROPERTY(Glyph),
    PROPERTY(ImageIndex).Default(-1).Stored<&TqzBarItem::IsImageIndexStored>(),
    PROPERTY(ShowCaption).Default(false),
    PROPERTY(Width),
    PROPERTY(OnClick).Stored<&TqzBarItem::IsOnClickStored>())
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarEdit,
    PROPERTY(MaxLength).Default(0),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(StyleEdit),
    PROPERTY(Text))

// ---- Separator -----------------------------------------------------------------------------

bool TqzBarSeparator::CanBePlacedOn(Integer APlaceKind, TqzBar*, String& AMessage) {
  if (APlaceKind == 1) {
    AMessage.clear();
    return true;
  }
  AMessage = ResourceStringText(sqzBarCantPlaceSeparator);
  return false;
}

String TqzBarSeparator::DefaultCaption() const { return ResourceStringText(sqzBarNewSeparatorCaption); }

// ---- Button --------------------------------------------------------------------------------

Integer TqzBarButton::EditOperations() {
  Integer result = TqzBarItem::EditOperations() | 0x20;
  if (GetComponentState().Contains(csDesigning)) result |= 0x100;
  return result;
}

void TqzBarButton::SetDropDownMenu(TqzBarPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (Value) {
    TqzBarItemLinks* links = Value->GetItemLinks();
    for (Integer i = 0; links && i < links->GetCount(); ++i)
      if (links->GetLink(i)->GetItem() == this) throw Exception(ResourceStringText(sqzBarRecursiveMenus));
  }
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TqzBarButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TqzBarButton::DropDown(TqzBarItemControl* AControl, Integer X, Integer Y, bool AByMouse) {
  TCustomqzBarControl* window = AControl->GetParent();
  if (!FDropDownMenu || !window) return;
  TRect r = AControl->GetItemRect();
  TPoint topLeft = window->ClientToScreen(TPoint(r.Left, r.Top));
  TRect owner(topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height());
  bool beside = AControl->GetPaintType() == qzPaintMenu || window->IsVertical();
  FDropDownMenu->PopupForOwner(X, Y, beside ? r.Width() : 0, beside ? 0 : r.Height(), true, &owner, false,
                               window);
  TqzBarSubMenuControl* menu = FDropDownMenu->GetMenuControl();
  if (!menu) return;
  menu->SetOpenerControl(AControl);
  menu->SetOpenerBar(window);
  if (!AByMouse)
    if (TqzBarItemLink* first = menu->GetItemLinks() ? menu->GetItemLinks()->FirstSelectableLink() : nullptr;
        first && first->GetControl())
      menu->SetSelectedControl(first->GetControl());
}

String TqzBarButton::DefaultCaption() const { return ResourceStringText(sqzBarNewButtonCaption); }

TqzBarButtonStyle TqzBarButton::GetButtonStyle() const {
  static const TqzBarButtonStyle kStyles[] = {bsDefault, bsChecked, bsDropDown, bsCheckedDropDown};
  return kStyles[FButtonStyleState];
}

void TqzBarButton::SetButtonStyle(TqzBarButtonStyle Value) {
  if (GetButtonStyle() == Value) return;
  static const Integer kStates[] = {0, 1, 2, 3};
  FButtonStyleState = kStates[Value];
  FDown = false;
  NotifyChanged(false);
}

template <class F>
void TqzBarButton::ForEachGroupButton(F AApply) {
  TqzBarManager* manager = GetBarManager();
  if (!manager || FGroupIndex == 0) return;
  for (Integer i = 0; i < manager->GetItemCount(); ++i) {
    auto* button = dynamic_cast<TqzBarButton*>(manager->GetItem(i));
    if (button && button != this && button->IsCheckedStyle() && button->FGroupIndex == FGroupIndex) AApply(button);
  }
}

void TqzBarButton::SetDown(bool Value) {
  if (FDown == Value) return;
  if (Value && !IsCheckedStyle()) return;
  TqzBarButton* released = nullptr;
  if (IsCheckedStyle() && FGroupIndex != 0 && !IsLoading()) {
    if (Value) {
      ForEachGroupButton([&](TqzBarButton* AButton) {
        if (!released && AButton->FDown) released = AButton;
      });
    } else {
      bool otherDown = false;
      ForEachGroupButton([&](TqzBarButton* AButton) { otherDown = otherDown || AButton->FDown; });
      // The last button of a group stays down unless the group may be all up.
      if (!FAllowAllUp && !otherDown) return;
    }
  }
  FDown = Value;
  if (IsLoading()) return;
  if (released) released->SetDown(false);
}

bool TqzBarButton::IsDownStored() {
  TqzBarItemActionLink* link = GetActionLink();
  return !link || !link->IsCheckedLinked();
}

void TqzBarButton::SetGroupIndex(Integer Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = IsCheckedStyle() ? Value : 0;
  SetDown(false);
}

void TqzBarButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  ForEachGroupButton([Value](TqzBarButton* AButton) { AButton->FAllowAllUp = Value; });
}

void TqzBarButton::Click() {
  if (GetEnabled() && IsCheckedStyle()) SetDown(!FDown);
  TqzBarItem::Click();
}

bool TqzBarButton::AccelUsableFor(TqzBarItemLink* ALink) {
  if (!GetEnabled()) return false;
  TqzBarItemLinks* links = ALink->GetLinks();
  if (!links || links->IsMenuLinks()) return true;
  // On a toolbar only a button that shows its caption answers its accelerator.
  TqzBarPaintStyle style = ALink->GetPaintStyle();
  return style == psCaption || style == psCaptionGlyph;
}

// ---- Window items --------------------------------------------------------------------------

TClass TqzBarWindowItem::ControlClass(bool AAsButton) {
  if (!AAsButton) return TqzBarItem::ControlClass(false);
  TqzBarItemList* list = ItemClassListInstance();
  return list ? list->ControlClassOf(TqzBarButton::ClassInfo()) : nullptr;
}

void TqzBarWindowItem::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  ShowTextInControls();
  FireChange();
}

void TqzBarWindowItem::FireChange() {
  if (!IsLoading()) FOnChange(this);
}

void TqzBarWindowItem::FireCurChange() { FOnCurChange(this); }

void TqzBarWindowItem::FireEnter() { FOnEnter(this); }

void TqzBarWindowItem::FireExit() { FOnExit(this); }

void TqzBarWindowItem::FireKeyDown(Word& AKey, TShiftState AShift) { FOnKeyDown(this, AKey, AShift); }

void TqzBarWindowItem::FireKeyPress(Char& AKey) { FOnKeyPress(this, AKey); }

void TqzBarWindowItem::FireKeyUp(Word& AKey, TShiftState AShift) { FOnKeyUp(this, AKey, AShift); }

// ---- Edits ---------------------------------------------------------------------------------

TqzCustomBarEdit::TqzCustomBarEdit(TComponent* AOwner) : TqzBarWindowItem(AOwner, 2) { TqzBarItem::SetWidth(100); }

void TqzCustomBarEdit::SetWidth(Integer Value) {
  if (Value > 0) TqzBarItem::SetWidth(Value);
}

void TqzCustomBarEdit::ReadState(TReader* Reader) {
  // A stored glyph replaces the one the edit was made with, once.
  if (!FGlyphLoaded) {
    TBitmap empty;
    GetGlyph()->Assign(&empty);
    FGlyphLoaded = true;
  }
  TqzBarWindowItem::ReadState(Reader);
}

void TqzBarEdit::DrawEditArea(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  AControl->Painter()->DrawEditValue(this, AControl->GetLink(), R, ACanvas);
}

bool TqzCustomBarEdit::AccelUsableFor(TqzBarItemLink* ALink) {
  if (!GetEnabled()) return false;
  TqzBarItemLinks* links = ALink->GetLinks();
  return !links || links->IsMenuLinks() || GetShowCaption();
}
