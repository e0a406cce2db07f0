// An item control's view info: the levels it may take, the width per level (cached) and the
// values a layout owner keeps on it.

#include "toolkit/bars/qzBarControl.h"

TAVREN_CLASS_IMPL(TqzBarItemControlViewInfo)

namespace {

TqzBarItemViewLevel MostCompactOf(TqzBarItemViewLevels ALevels) {
  for (Integer level = ivlControlOnly; level >= ivlLargeIconWithText; --level)
    if (ALevels.Contains(static_cast<TqzBarItemViewLevel>(level))) return static_cast<TqzBarItemViewLevel>(level);
  return ivlDefault;
}

}  // namespace

TqzBarItemControlViewInfo::TqzBarItemControlViewInfo(TqzBarItemControl* AControl) : FControl(AControl) {
  TqzBarItemViewLevels possible = AControl->GetPossibleViewLevels();
  FPermittedLevels = AControl->PermittedLevels();
  FMostCompactLevel = MostCompactOf(possible);
  TqzBarItemViewLevel compactPermitted = MostCompactOf(FPermittedLevels);
  FButtonGroupLevel = compactPermitted == ivlLargeIconWithText ? FMostCompactLevel : compactPermitted;
  ResetLevelWidths();
}

HRESULT TqzBarItemControlViewInfo::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TqzBarItemControlViewInfo::ResetLevelWidths() {
  for (TLevelWidth& entry : FLevelWidthCache) entry.Valid = false;
}

TqzBarItemAlign TqzBarItemControlViewInfo::GetAlign() {
  TqzBarItem* item = FControl->GetItem();
  return item ? item->GetAlign() : iaLeft;
}

TqzBarItemPosition TqzBarItemControlViewInfo::GetPosition() {
  TqzBarItemLink* link = FControl->GetLink();
  return link ? link->GetPosition() : ipBeginsNewRow;
}

TqzBarButtonGroupPosition TqzBarItemControlViewInfo::GetButtonGroupPosition() {
  TqzBarItemLink* link = FControl->GetLink();
  return link && FControl->CanJoinButtonGroup() ? link->GetButtonGroup() : bgpNone;
}

bool TqzBarItemControlViewInfo::GetBeginGroup() {
  TqzBarItemLink* link = FControl->GetLink();
  return link && link->GetBeginGroup();
}

bool TqzBarItemControlViewInfo::IsColumnedItem(bool ACheckCollapsed,
                                               TInterfacePtr<IqzBarColumnedItemViewInfo>& AColumnedItem) {
  IqzBarColumnedItemViewInfo* columned = nullptr;
  if (QueryInterface(IqzBarColumnedItemViewInfo::IID, reinterpret_cast<void**>(&columned)) != S_OK) return false;
  AColumnedItem = columned;
  return !(ACheckCollapsed && columned->GetCollapsed());
}

Integer TqzBarItemControlViewInfo::GetWidth(TqzBarItemViewLevel ALevel) {
  TInterfacePtr<IqzBarColumnedItemViewInfo> columned;
  if (IsColumnedItem(true, columned)) return columned->GetWidthForColumns(columned->GetColumnCount());
  // ivlDefault stands for the kind's own parts: measured every time, never refused.
  if (ALevel == ivlDefault) {
    TqzBarItemViewLevel previous = FCurrentLevel;
    FCurrentLevel = ivlDefault;
    struct TRestore {
      TqzBarItemControlViewInfo* Info;
      TqzBarItemViewLevel Level;
      ~TRestore() { Info->FCurrentLevel = Level; }
    } restore{this, previous};
    return FControl->CalcWidth();
  }
  if (ALevel > ivlDefault || !FPermittedLevels.Contains(ALevel)) throw Exception("Testing! The level is not allowed");
  TLevelWidth& entry = FLevelWidthCache[ALevel];
  if (!entry.Valid) {
    TqzBarItemViewLevel previous = FCurrentLevel;
    FCurrentLevel = ALevel;
    struct TRestore {
      TqzBarItemControlViewInfo* Info;
      TqzBarItemViewLevel Level;
      ~TRestore() { Info->FCurrentLevel = Level; }
    } restore{this, previous};
    entry.Width = FControl->CalcWidth();
    entry.Valid = true;
  }
  return entry.Width;
}
