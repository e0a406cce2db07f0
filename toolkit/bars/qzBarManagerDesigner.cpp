// The manager's bridge to its designer (the run-time selection while the customizing form is
// open) and the item control selected in its bar windows.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"

bool TqzBarManager::CanDeleteComponent(TComponent* AComponent) {
  return !FDesigner || FDesigner->CanDeleteComponent(AComponent);
}

Integer TqzBarManager::GetSelectionStatus(TPersistent* AObject) {
  return FDesigner && FDesigner->QuerySelectionState(AObject) ? 1 : 0;
}

void TqzBarManager::SelectComponent(TPersistent* AObject, Integer AMode) {
  if (FDesigner) FDesigner->SelectDesignComponent(AObject, AMode);
}

void TqzBarManager::SetSelection(TList* AList) {
  if (FDesigner) FDesigner->SetSelection(AList);
}

void TqzBarManager::CollectDesignerSelection(TList* AList) {
  if (FDesigner) FDesigner->GetSelection(AList);
}

void TqzBarManager::CollectSelectedObjects(TList* AList) {
  TList all;
  CollectDesignerSelection(&all);
  for (Integer i = 0; i < all.GetCount(); ++i) {
    auto* object = static_cast<TPersistent*>(all.GetItems(i));
    if (GetSelectionStatus(object) == 1) AList->Add(object);
  }
}

TqzBarItemLink* TqzBarManager::GetSelectedLink() {
  TqzBarDesignController* controller = ExistingDesignController();
  IqzBarSelectableItem* last = controller ? controller->GetLastSelectedItem() : nullptr;
  auto* link = last ? dynamic_cast<TqzBarItemLink*>(last->GetInstance()) : nullptr;
  return link && link->GetBarManager() == this ? link : nullptr;
}

void TqzBarManager::ChangeSelectedItemControl(TqzBarItemControl* AControl) {
  TqzBarItemControl* old = FSelectedItemControl;
  if (old == AControl) return;
  // A control of a menu the old control opened keeps that menu (and its opener) open.
  if (IsCustomizingOrDesigning() && old &&
      (!AControl || (AControl->GetParent() != old->GetParent() && !old->GetParent()->IsAncestorOf(AControl->GetParent()))))
    if (auto* toolbar = dynamic_cast<TqzBarControl*>(old->GetParent())) toolbar->SetHotControl(nullptr);
  FSelectedItemControl = AControl;
}

void TqzBarManager::DisableBarWindows() {
  FDisabledBarWindows.clear();
  for (Integer i = 0; i < FBars->GetCount(); ++i) {
    TqzBar* bar = FBars->GetBar(i);
    TqzBarControl* window = bar->GetBarControl();
    if (!window || bar->GetDockingStyle() != dsNone || !window->HandleAllocated()) continue;
    if (IsWindowEnabled(window->GetHandle())) {
      EnableWindow(window->GetHandle(), FALSE);
      FDisabledBarWindows.push_back(window->GetHandle());
    }
  }
}

void TqzBarManager::EnableBarWindows() {
  for (HWND wnd : FDisabledBarWindows)
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
  FDisabledBarWindows.clear();
}
