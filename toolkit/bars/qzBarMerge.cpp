// Merging toolbars: one bar's links shown in another while the merged bar hides, undone around
// customizing.

#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarCustForm.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/foundation/kvClasses.h"

TAVREN_CLASS_IMPL(TqzBarMergeData)

TqzBarMergeData::TqzBarMergeData() : FFreeNotificator(std::make_unique<TkvFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(MakeEvent<&TqzBarMergeData::SavedBarFreed>(this));
}

TqzBarMergeData::~TqzBarMergeData() = default;

void TqzBarMergeData::SaveMergedBars() {
  SavedMergedBars = MergedBars;
  for (TqzBar* bar : SavedMergedBars) FFreeNotificator->Watch(bar);
}

void TqzBarMergeData::ForgetSaved(TqzBar* ABar) {
  SavedMergedBars.erase(std::remove(SavedMergedBars.begin(), SavedMergedBars.end(), ABar), SavedMergedBars.end());
}

void TqzBarMergeData::SavedBarFreed(TComponent* AComponent) { ForgetSaved(static_cast<TqzBar*>(AComponent)); }

namespace {

[[noreturn]] void MergeError(Integer AIdent) { throw Exception(ResourceStringText(AIdent)); }

template <class... Args>
[[noreturn]] void MergeError(Integer AIdent, const Args&... AArgs) {
  throw Exception(Format(ResourceStringText(AIdent), AArgs...));
}

// Changing a bar's visibility because of merging; an MDI child's recorded bounds would be kept
// around the change, but this platform has no MDI.
void SetMergedVisibility(TqzBar* ABar, bool AVisible) {
  if (ABar->GetVisible() != AVisible) ABar->SetVisible(AVisible);
}

}  // namespace

void TqzBar::MergeBar(TqzBar* ABar, bool ASaveVisibility) {
  if (FMergeData->MergedWith) MergeError(sqzBarCantMergeWithMergedBar);
  if (!ABar || ABar == this) MergeError(sqzBarCantMergeBar);
  TqzBarMergeData* source = ABar->GetMergeData();
  if (source->MergedWith == this) MergeError(sqzBarBarAlreadyMerged, ABar->GetCaption(), FCaption);
  if (!source->MergedBars.empty()) MergeError(sqzBarBarHasMergedBars, ABar->GetCaption());
  bool wasMerged = source->MergedWith != nullptr;
  if (wasMerged) source->MergedWith->UnMergeBar(ABar, false);
  source->MergedWith = this;
  FMergeData->MergedBars.push_back(ABar);
  if (FItemLinks && ABar->GetItemLinks()) {
    TqzBarManager* manager = GetBarManager();
    SetBarBeingMerged(ABar);
    manager->BeginUpdate();
    try {
      FItemLinks->MergeFrom(ABar->GetItemLinks());
    } catch (...) {
      manager->EndUpdate();
      SetBarBeingMerged(nullptr);
      throw;
    }
    manager->EndUpdate();
    SetBarBeingMerged(nullptr);
  }
  if (!wasMerged && ASaveVisibility) source->VisibleBeforeMerging = ABar->GetVisible();
  SetMergedVisibility(ABar, false);
}

void TqzBar::UnMergeBar(TqzBar* ABar, bool ARestoreVisibility) {
  if (ABar == this) MergeError(sqzBarCantUnmergeBar);
  if (ABar) {
    TqzBar* target = ABar->GetMergeData()->MergedWith;
    if (!target) return;
    if (target != this) MergeError(sqzBarBarNotMerged, ABar->GetCaption(), FCaption);
  }
  if (FMergeData->MergedBars.empty()) return;
  std::vector<TqzBar*> bars = ABar ? std::vector<TqzBar*>{ABar} : FMergeData->MergedBars;
  if (FItemLinks) {
    TqzBarManager* manager = GetBarManager();
    manager->BeginUpdate();
    try {
      FItemLinks->Unmerge(ABar);
    } catch (...) {
      manager->EndUpdate();
      throw;
    }
    manager->EndUpdate();
  }
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    TqzBar* bar = *it;
    bar->GetMergeData()->MergedWith = nullptr;
    auto& merged = FMergeData->MergedBars;
    merged.erase(std::remove(merged.begin(), merged.end(), bar), merged.end());
    if (ARestoreVisibility) SetMergedVisibility(bar, bar->GetMergeData()->VisibleBeforeMerging);
  }
}

void TqzBarManager::UnmergeAllForCustomizing() {
  for (Integer i = 0; i < FBars->GetCount(); ++i) {
    TqzBar* bar = FBars->GetBar(i);
    bar->GetMergeData()->SaveMergedBars();
    bar->UnMergeBar(nullptr, false);
  }
  // Bars of this manager show again; other managers' bars (child menus) stay hidden.
  for (Integer i = 0; i < FBars->GetCount(); ++i) {
    TqzBar* bar = FBars->GetBar(i);
    for (TqzBar* merged : bar->GetMergeData()->SavedMergedBars)
      if (merged->GetBarManager() == this) SetMergedVisibility(merged, merged->GetMergeData()->VisibleBeforeMerging);
  }
}

void TqzBarManager::RestoreMergesAfterCustomizing() {
  for (Integer i = 0; i < FBars->GetCount(); ++i) {
    TqzBar* bar = FBars->GetBar(i);
    std::vector<TqzBar*> saved = std::move(bar->GetMergeData()->SavedMergedBars);
    bar->GetMergeData()->SavedMergedBars.clear();
    for (TqzBar* merged : saved) bar->MergeBar(merged, merged->GetBarManager() == this);
  }
}

void TqzBarManager::SetIsCustomizing(bool Value) {
  if (FIsCustomizing == Value || (Value && ActiveCustomizingForm())) return;
  FIsCustomizing = Value;
  // Items shown only while customizing come and go.
  for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->GetItemLinks()->RebuildLinkLists();
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (TqzBarItemLinks* links = GetItem(i)->GetItemLinks()) links->RebuildLinkLists();
  if (Value) {
    UnmergeAllForCustomizing();
    ShowCustomizingForm(this, true);
  } else {
    ShowCustomizingForm(this, false);
    RestoreMergesAfterCustomizing();
  }
}
