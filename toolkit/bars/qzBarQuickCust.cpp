// Quick customization: the "Add or Remove Buttons" entry, its menu and its check entries.

#include "toolkit/bars/qzBarQuickCust.h"

#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarToolbarControl.h"

TAVREN_CLASS_IMPL(TqzBarQuickAccessItem)
TAVREN_CLASS_IMPL(TqzBarQuickAccessSubControl)
TAVREN_CLASS_IMPL(TqzBarQuickAccessItemControl)
TAVREN_CLASS_IMPL(TqzBarQuickCustItem)
TAVREN_CLASS_IMPL(TqzBarQuickCustExtButton)
TAVREN_CLASS_IMPL(TqzCustomQuickCustItemControl)
TAVREN_CLASS_IMPL(TqzBarQuickCustItemControl)
TAVREN_CLASS_IMPL(TqzBarQuickCustExtButtonControl)

// ---- The sub item and its menu -------------------------------------------------------------------

TqzBarQuickAccessItem::TqzBarQuickAccessItem(TComponent* AOwner) : TqzBarSubItem(AOwner) { SetInternalLinks(true); }

TqzBarControl* TqzBarQuickAccessItem::GetToolbar() const { return FToolbar.Get(); }

void TqzBarQuickAccessItem::SetToolbar(TqzBarControl* Value) { FToolbar = Value; }

void TqzBarQuickAccessItem::FillEntries() {
  TqzBarDesignController::FreeLinkItems(GetItemLinks());
  if (TqzBarControl* toolbar = FToolbar.Get()) toolbar->FillQuickCustomizeList(GetItemLinks());
}

TqzBarSubMenuControl* TqzBarQuickAccessItemControl::CreateSubMenu() {
  if (auto* item = dynamic_cast<TqzBarQuickAccessItem*>(GetItem())) item->FillEntries();
  return new TqzBarQuickAccessSubControl(GetBarManager());
}

// ---- Entries -------------------------------------------------------------------------------------

TqzBarQuickCustItem::TqzBarQuickCustItem(TComponent* AOwner) : TqzBarButton(AOwner) { SetCloseSubMenuOnClick(false); }

TqzBarItemLink* TqzBarQuickCustItem::AddRepresentingLink(TqzBarItemLinks* ALinks, TqzBarItemLink* ASource) {
  TqzBarItemLink* link = ALinks->AddLinkForItem(this);
  link->SetData(static_cast<intptr_t>(FRepresented.size()));
  FRepresented.emplace_back(ASource);
  return link;
}

TqzBarItemLink* TqzBarQuickCustItem::RepresentedLink(TqzBarItemLink* AEntry) const {
  intptr_t index = AEntry ? AEntry->GetData() : -1;
  if (index < 0 || index >= static_cast<intptr_t>(FRepresented.size())) return nullptr;
  return FRepresented[static_cast<size_t>(index)].Get();
}

Integer TqzCustomQuickCustItemControl::GetWidth() {
  return TqzBarButtonControl::GetWidth() + GetParent()->ItemHeightFor(this);
}

void TqzCustomQuickCustItemControl::DrawInRect(const TRect& R, Byte AState) {
  TqzBarPainter* painter = Painter();
  TRect square = R;
  Integer right = R.Left;
  painter->ClassRef()->SetQuickItemRect(right, square);
  TqzBarButtonControl::DrawInRect(TRect(right, R.Top, R.Right, R.Bottom), AState);
  HDC DC = GetCanvas()->DCHandle();
  bool checked = IsChecked();
  painter->DrawCheckMarkCentred(this, DC, checked, qzPaintMenu, square);
  painter->ClassRef()->DrawQuickItemCheck(this, DC, checked ? 1 : 0, square);
}

TqzBarItemLink* TqzBarQuickCustItemControl::RepresentedLink() {
  auto* item = dynamic_cast<TqzBarQuickCustItem*>(GetItem());
  return item ? item->RepresentedLink(GetLink()) : nullptr;
}

String TqzBarQuickCustItemControl::GetCaption() {
  TqzBarItemLink* link = RepresentedLink();
  return link ? link->GetCaption() : String();
}

TBitmap* TqzBarQuickCustItemControl::LinkGlyph() {
  TqzBarItemLink* link = RepresentedLink();
  return link ? link->GetGlyph() : nullptr;
}

Integer TqzBarQuickCustItemControl::ImageIndexOf() {
  TqzBarItemLink* link = RepresentedLink();
  return link && link->GetItem() ? link->GetItem()->GetImageIndex() : -1;
}

String TqzBarQuickCustItemControl::GetHint() {
  TqzBarItemLink* link = RepresentedLink();
  return link && link->GetItem() ? link->GetItem()->GetHint() : String();
}

TBitmap* TqzBarQuickCustItemControl::LargeGlyphOf() {
  TqzBarItemLink* link = RepresentedLink();
  return link && link->GetItem() ? link->GetItem()->GetLargeGlyph() : nullptr;
}

Integer TqzBarQuickCustItemControl::LargeImageIndexOf() {
  TqzBarItemLink* link = RepresentedLink();
  return link && link->GetItem() ? link->GetItem()->GetLargeImageIndex() : -1;
}

TShortCut TqzBarQuickCustItemControl::ShortCutOf() {
  TqzBarItemLink* link = RepresentedLink();
  return link && link->GetItem() ? link->GetItem()->GetShortCut() : 0;
}

bool TqzBarQuickCustItemControl::IsChecked() {
  TqzBarItemLink* link = RepresentedLink();
  return link && link->GetVisible();
}

void TqzBarQuickCustItemControl::DoClick() {
  // The toolbar re-lays itself out when the link changes, which may rebuild this menu too.
  TWeakRef<TqzBarItemLink> represented = RepresentedLink();
  TkvObjectLink* self = LinkToObject(this);
  TqzBarButtonControl::DoClick();
  if (TqzBarItemLink* link = represented.Get()) link->SetVisible(!link->GetVisible());
  if (self->Ref && GetParent()) GetParent()->RepaintControl(this);
  ReleaseObjectLink(self);
}
