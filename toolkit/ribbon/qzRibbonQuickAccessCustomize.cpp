// The quick access toolbar's customize entry, its menu and check items, and how the toolbar's
// window fills them each time its mark opens the popup.

#include "toolkit/ribbon/qzRibbonQuickAccessCustomize.h"

#include "rtl/SysUtils.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonQuickAccessPopup.h"
#include "toolkit/ribbon/qzRibbonStrs.h"

TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPopupSubMenuControl)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPopupSubItem)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPopupSubItemControl)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPopupSubItemButton)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPopupSubItemButtonControl)

// ---- Menu ------------------------------------------------------------------------------------

TqzRibbonQuickAccessPopupSubMenuControl::TqzRibbonQuickAccessPopupSubMenuControl(
    TComponent* AOwner, TqzRibbonQuickAccessBarControl* AToolbar)
    : TqzBarSubMenuControl(AOwner), FToolbar(AToolbar) {}

void TqzRibbonQuickAccessPopupSubMenuControl::HideBar() {
  const bool byEsc = GetClosedByEsc();
  TkvObjectLink* toolbar = LinkToObject(FToolbar);
  try {
    inherited::HideBar();
  } catch (...) {
    ReleaseObjectLink(toolbar);
    throw;
  }
  auto* window = static_cast<TqzRibbonQuickAccessBarControl*>(toolbar->Ref);
  ReleaseObjectLink(toolbar);
  if (byEsc && window && !window->GetLinksHidden()) window->ChangeMarkState(0);
}

// ---- Entry -----------------------------------------------------------------------------------

namespace {

TqzRibbonQuickAccessPopupPainter* PopupPainterOf(TqzBarItemControl* AControl) {
  return dynamic_cast<TqzRibbonQuickAccessPopupPainter*>(AControl->Painter());
}

}  // namespace

Integer TqzRibbonQuickAccessPopupSubItemControl::GetWidth() {
  TqzRibbonQuickAccessPopupPainter* painter = PopupPainterOf(this);
  return painter ? painter->MarkWidth() : inherited::GetWidth();
}

void TqzRibbonQuickAccessPopupSubItemControl::DrawInRect(const TRect& R, Byte) {
  TqzRibbonQuickAccessPopupPainter* painter = PopupPainterOf(this);
  if (!painter) return;
  // The entry's face leaves the popup's background around the arrow to show.
  HDC dc = GetCanvas()->DCHandle();
  if (TCustomqzBarControl* popup = GetParent()) painter->FillToolbarBackground(popup, dc, clNone, nullptr, R, R);
  painter->DrawCustomizeButton(dc, R, IsDroppedDown() ? 4 : IsDrawnSelected() ? 3 : 0);
}

TqzBarSubMenuControl* TqzRibbonQuickAccessPopupSubItemControl::CreateSubMenu() {
  auto* popup = dynamic_cast<TCustomqzBarControl*>(GetParent());
  auto* toolbar = popup ? dynamic_cast<TqzRibbonQuickAccessBarControl*>(popup->GetOpenerBar()) : nullptr;
  return new TqzRibbonQuickAccessPopupSubMenuControl(GetBarManager(), toolbar);
}

void TqzRibbonQuickAccessPopupSubItemButton::Click() {
  inherited::Click();
  if (auto* link = reinterpret_cast<TqzBarItemLink*>(GetTag())) link->SetVisible(GetDown());
}

// ---- Filling ---------------------------------------------------------------------------------


TqzBarItem* TqzRibbonQuickAccessBarControl::AddPopupItem(TqzBarItemLinks* ALinks, TClassOf<TqzBarItem> AItemClass) {
  TqzBarManager* manager = GetControlBarManager();
  TqzBarItem* item = ALinks->AddNewItemOfClass(AItemClass, manager)->GetItem();
  // The window's own: kept out of the manager's lists and freed with the next filling.
  manager->UnregisterItem(item);
  FPopupItems->Add(item);
  return item;
}

void TqzRibbonQuickAccessBarControl::AddQuickCustomizeEntry(TqzBarItemLinks* ALinks) {
  TqzCustomRibbon* ribbon = Ribbon();
  if (!ribbon || !GetControlBarManager()) return;
  FPopupItems->Clear();
  auto* entry = static_cast<TqzRibbonQuickAccessPopupSubItem*>(AddPopupItem(ALinks, TqzRibbonQuickAccessPopupSubItem::ClassInfo()));
  TqzBarItemLinks* menu = entry->GetItemLinks();
  TqzBarItemLinks* links = GetItemLinks();
  if (links && links->GetCount() > 0) {
    AddPopupItem(menu, TqzBarSeparator::ClassInfo())->SetCaption(ResourceStringText(sqzRibbonCustomizeQuickAccess));
    for (Integer i = 0; i < links->GetCount(); ++i) {
      TqzBarItemLink* link = links->GetLink(i);
      auto* check = static_cast<TqzRibbonQuickAccessPopupSubItemButton*>(
          AddPopupItem(menu, TqzRibbonQuickAccessPopupSubItemButton::ClassInfo()));
      check->SetButtonStyle(bsChecked);
      check->SetDown(link->GetVisible());
      check->SetCaption(link->GetCaption());
      check->SetTag(reinterpret_cast<intptr_t>(link));
    }
  }
  ribbon->AddContextItems(menu, ribbon->GetQuickAccessToolbar()->ContextMenuItems());
}
