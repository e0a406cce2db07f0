// The in-place sub-item: a menu entry whose links open right below it in the same menu.

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Messages.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarInPlaceSubItem,
    PROPERTY(Expanded).Default(false),
    PROPERTY(KeepBeginGroupWhileExpanded).Default(false),
    PROPERTY(OnAfterExpand),
    PROPERTY(OnBeforeCollapse))
TAVREN_CLASS_IMPL(TqzBarInPlaceSubItemControl)

// ---- Item ----------------------------------------------------------------------------------------

void TqzBarInPlaceSubItem::ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex,
                                           TqzBarItemLink* AContainerLink, bool AFirstTime) {
  if (FExpanded) inherited::ExpandLinksInto(ATargetLinks, AIndex, AContainerLink, AFirstTime);
}

void TqzBarInPlaceSubItem::SetExpanded(bool Value) {
  if (FExpanded == Value) return;
  if (!Value) {
    for (Integer i = 0; i < GetLinkCount(); ++i) {
      FOnBeforeCollapse(this, GetLink(i));
      ApplyBeginGroup(GetLink(i), false);
    }
  }
  FExpanded = Value;
  if (!IsLoading()) RebuildMenus();
  if (Value) {
    for (Integer i = 0; i < GetLinkCount(); ++i) {
      FOnAfterExpand(this, GetLink(i));
      ApplyBeginGroup(GetLink(i), true);
    }
  }
}

void TqzBarInPlaceSubItem::RebuildMenus() {
  // Gathered first: a rebuild remakes the links' controls.
  std::vector<TCustomqzBarControl*> menus;
  for (Integer i = 0; i < GetLinkCount(); ++i) {
    TCustomqzBarControl* bar = GetLink(i)->GetBarControl();
    if (dynamic_cast<TqzBarSubMenuControl*>(bar) && std::find(menus.begin(), menus.end(), bar) == menus.end())
      menus.push_back(bar);
  }
  for (TCustomqzBarControl* menu : menus)
    if (IsBarControlLive(menu)) menu->Rebuild();
}

void TqzBarInPlaceSubItem::ApplyBeginGroup(TqzBarItemLink* ALink, bool AValue) {
  if (!FKeepBeginGroupWhileExpanded || dynamic_cast<TqzBarControl*>(ALink->GetBarControl())) return;
  TqzBarItemLinks* links = ALink->GetLinks();
  if (!links) return;
  Integer after = ALink->GetIndex() + GetItemLinks()->GetCount() + 1;
  if (after < links->GetCount()) links->GetLink(after)->SetBeginGroup(AValue);
}

// ---- Control -------------------------------------------------------------------------------------

bool TqzBarInPlaceSubItemControl::IsInMenu() { return dynamic_cast<TqzBarSubMenuControl*>(GetParent()) != nullptr; }

TClassOf<TqzBarItemControlDrawParams> TqzBarInPlaceSubItemControl::DrawParamsClass() {
  return TqzBarInPlaceSubItemControlDrawParams::ClassInfo();
}

void TqzBarInPlaceSubItemControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (ARefresh) InPlaceParams()->Expanded = GetInPlaceSubItem()->GetExpanded();
  if (GetPaintType() == qzPaintMenu) InPlaceParams()->ExpandMarkWidth = Painter()->InPlaceSubItemTextStart(GetDrawParams());
}

void TqzBarInPlaceSubItemControl::UserActivate(bool AByMouse) {
  if (!IsInMenu()) {
    inherited::UserActivate(AByMouse);
    return;
  }
  // The toggle rebuilds the menu and this control with it: what is needed afterwards is taken now.
  TCustomqzBarControl* menu = GetParent();
  TqzBarItemLink* link = GetLink();
  Integer position = IsSelected() ? link->GetIndex() : -1;
  TkvObjectLink* source = LinkToObject(link->GetSourceLink());
  TqzBarInPlaceSubItem* item = GetInPlaceSubItem();
  TkvObjectLink* itemRef = LinkToObject(item);
  item->ClickItem();
  if (itemRef->Ref) item->SetExpanded(!item->GetExpanded());
  ReleaseObjectLink(itemRef);
  if (position >= 0 && source->Ref && IsBarControlLive(menu)) {
    TqzBarItemLinks* links = menu->GetItemLinks();
    TqzBarItemLink* again = links && position < links->GetCount() ? links->GetLink(position) : nullptr;
    if (again && again->GetSourceLink() == source->Ref && again->GetControl())
      menu->SetSelectedControl(again->GetControl());
  }
  ReleaseObjectLink(source);
}

bool TqzBarInPlaceSubItemControl::WantsKey(Word AKey) {
  if (!IsInMenu()) return inherited::WantsKey(AKey);
  bool expanded = GetInPlaceSubItem()->GetExpanded();
  return (AKey == VK_LEFT && expanded) || (AKey == VK_RIGHT && !expanded);
}

void TqzBarInPlaceSubItemControl::KeyDown(Word& AKey, TShiftState AShift) {
  if (!IsInMenu()) {
    inherited::KeyDown(AKey, AShift);
    return;
  }
  if (AKey != VK_LEFT && AKey != VK_RIGHT) return;
  AKey = 0;
  UserActivate(false);
}

Integer TqzBarInPlaceSubItemControl::GetHeight() { return inherited::GetHeight() + (IsInMenu() ? 1 : 0); }

Integer TqzBarInPlaceSubItemControl::GetWidth() {
  if (!IsInMenu()) return inherited::GetWidth();
  return Painter()->ClassRef()->InPlaceSubItemArrowGap() + CaptionWidth() + InPlaceParams()->ExpandMarkWidth;
}

void TqzBarInPlaceSubItemControl::DrawInRect(const TRect& R, Byte AState) {
  if (AState == qzPaintMenu)
    Painter()->DrawInPlaceSubItem(GetDrawParams(), R);
  else
    inherited::DrawInRect(R, AState);
}
