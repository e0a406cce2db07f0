// The quick access toolbar's settings: the toolbar docked in the ribbon's quick access site, its
// position above or below the ribbon and whether it shows.

#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonQuickAccessGroupButton.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonQuickAccessToolbar,
    PROPERTY(Position).Default(qtpAboveRibbon),
    PROPERTY(Toolbar),
    PROPERTY(Visible).Default(true))

TqzRibbonQuickAccessToolbar::TqzRibbonQuickAccessToolbar(TqzCustomRibbon* ARibbon) : FRibbon(ARibbon) {}

TqzRibbonQuickAccessToolbar::~TqzRibbonQuickAccessToolbar() = default;

TPersistent* TqzRibbonQuickAccessToolbar::GetOwner() { return FRibbon; }

TqzRibbonQuickAccessDockControl* TqzRibbonQuickAccessToolbar::CreateDockControl() {
  return new TqzRibbonQuickAccessDockControl(FRibbon);
}

TqzRibbonQuickAccessDockControl* TqzRibbonQuickAccessToolbar::GetDockControl() {
  if (!FDockControl) {
    FDockControl.reset(CreateDockControl());
    if (FRibbon->IsBarManagerValid()) FDockControl->SetBarManager(FRibbon->GetBarManager());
  }
  return FDockControl.get();
}

void TqzRibbonQuickAccessToolbar::UpdateBars() {
  if (FVisible && FDockControl && FDockControl->GetVisible()) FDockControl->UpdateBars();
}

TqzRibbonPopupMenuItems TqzRibbonQuickAccessToolbar::ContextMenuItems() {
  TqzRibbonPopupMenuItems items = FRibbon->GetPopupMenuItems();
  items.Exclude(rpmiQATAddRemoveItem);
  return items;
}

bool TqzRibbonQuickAccessToolbar::ContainsLink(TqzBarItemLink* ALink) {
  if (!FToolbar || !ALink) return false;
  TqzBarItemLink* source = ALink->GetSourceLink();
  TqzBarItemLinks* links = FToolbar->GetItemLinks();
  for (Integer i = 0; i < links->GetCount(); ++i)
    if (links->GetLink(i) == source) return true;
  return false;
}

void TqzRibbonQuickAccessToolbar::RemoveFromTabGroups(TqzBar* AToolbar) {
  TqzRibbonTabCollection* tabs = FRibbon->GetTabs();
  for (Integer t = 0; t < tabs->GetCount(); ++t) {
    TqzRibbonTabGroups* groups = tabs->GetTab(t)->GetGroups();
    for (Integer g = groups->GetCount() - 1; g >= 0; --g)
      if (groups->GetGroup(g)->GetToolBar() == AToolbar) groups->GetGroup(g)->SetToolBar(nullptr);
  }
}

bool TqzRibbonQuickAccessToolbar::HasGroupButton(TqzBar* AToolbar) {
  return FToolbar && FindGroupButton(FToolbar->GetItemLinks(), AToolbar);
}

void TqzRibbonQuickAccessToolbar::GroupToolbarChanged(TqzBar* AToolbar, bool ADetach) {
  TqzRibbonQuickAccessGroupButton* button = FToolbar ? FindGroupButton(FToolbar->GetItemLinks(), AToolbar) : nullptr;
  if (!button) return;
  if (ADetach)
    button->SetToolbar(nullptr);
  else
    button->RepaintControls();
}

void TqzRibbonQuickAccessToolbar::FreeGroupButtons(TqzBar* AToolbar) {
  TqzBarItemLinks* links = AToolbar->GetItemLinks();
  for (Integer i = links->GetCount() - 1; i >= 0; --i)
    if (i < links->GetCount())
      if (auto* button = dynamic_cast<TqzRibbonQuickAccessGroupButton*>(links->GetLink(i)->GetItem())) delete button;
}

void TqzRibbonQuickAccessToolbar::RelayoutRibbon() {
  if (FRibbon->GetComponentState().Contains(csDestroying)) return;
  FRibbon->SetRedraw(false);
  // The ribbon draws again and the form shows the new layout also when the layout fails.
  struct TRedraw {
    TqzCustomRibbon* Ribbon;
    ~TRedraw() {
      Ribbon->SetRedraw(true);
      RedrawControl(::GetParentForm(Ribbon), true, true);
      Ribbon->Invalidate();
    }
  } redraw{FRibbon};
  FRibbon->Changed();
}

void TqzRibbonQuickAccessToolbar::SetPosition(TqzQuickAccessToolbarPosition Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  RelayoutRibbon();
}

void TqzRibbonQuickAccessToolbar::SetToolbar(TqzBar* Value) {
  if (Value == FToolbar) return;
  FRibbon->BeginUpdate();
  try {
    if (FToolbar && !FToolbar->GetComponentState().Contains(csDestroying)) {
      FToolbar->RemoveFreeNotification(FRibbon);
      FreeGroupButtons(FToolbar);
      UndockBar(FToolbar);
    }
    FToolbar = Value;
    if (FToolbar) {
      RemoveFromTabGroups(FToolbar);
      FToolbar->FreeNotification(FRibbon);
      if (FToolbar->GetDockControl() != GetDockControl()) DockBarTo(FToolbar, GetDockControl());
    } else if (FDockControl) {
      FDockControl->SetVisible(false);
    }
  } catch (...) {
    FRibbon->EndUpdate();
    throw;
  }
  FRibbon->EndUpdate();
  RelayoutRibbon();
}

void TqzRibbonQuickAccessToolbar::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  RelayoutRibbon();
}

void TqzRibbonQuickAccessToolbar::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzRibbonQuickAccessToolbar*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FRibbon->BeginUpdate();
  try {
    SetPosition(source->GetPosition());
    SetToolbar(source->GetToolbar());
    SetVisible(source->GetVisible());
  } catch (...) {
    FRibbon->EndUpdate();
    throw;
  }
  FRibbon->EndUpdate();
}
