// The ribbon group layout: placing items in columns of rows and reducing them from the right.

#include "toolkit/ribbon/qzRibbonGroupLayoutCalculator.h"

#include <algorithm>
#include <limits>

TAVREN_CLASS_IMPL(TqzRibbonGroupLayoutCalculator)

namespace {

bool IsStartOfGroupOrNone(Byte APlace) {
  return APlace == qzGroupPlaceNone || APlace == qzGroupPlaceFirst || APlace == qzGroupPlaceSingle;
}

bool IsEndOfGroup(Byte APlace) { return APlace == qzGroupPlaceLast || APlace == qzGroupPlaceSingle; }

bool IsInsideGroup(Byte APlace) {
  return APlace == qzGroupPlaceFirst || APlace == qzGroupPlaceMiddle || APlace == qzGroupPlaceLast;
}

void OffsetHorizontally(TRect& R, Integer ADelta) {
  R.Left += ADelta;
  R.Right += ADelta;
}

}  // namespace

// Holds the site and its items for the length of one public call.
class TqzRibbonGroupLayoutCalculator::TItemsScope {
 public:
  TItemsScope(TqzRibbonGroupLayoutCalculator* ACalculator, IqzRibbonGroupLayoutSite* ASite)
      : FCalculator(ACalculator) {
    FCalculator->FSite = ASite;
    Integer count = ASite->ItemCount();
    FCalculator->FItems.reserve(std::max(count, 0));
    for (Integer i = 0; i < count; ++i) FCalculator->FItems.push_back(ASite->GetItem(i));
  }
  ~TItemsScope() {
    FCalculator->FItems.clear();
    FCalculator->FSite = nullptr;
  }
  TItemsScope(const TItemsScope&) = delete;
  TItemsScope& operator=(const TItemsScope&) = delete;

 private:
  TqzRibbonGroupLayoutCalculator* FCalculator;
};

// A row count below one would leave no row to place anything in (and divide by zero).
TqzRibbonGroupLayoutCalculator::TqzRibbonGroupLayoutCalculator(Integer AGroupRowHeight, Integer ARowCount)
    : FRowCount(std::max(ARowCount, 1)), FRowHeight(AGroupRowHeight) {}

// ---- Item terms ---------------------------------------------------------------------------------

Integer TqzRibbonGroupLayoutCalculator::ItemWidth(Integer AIndex) {
  const TItem& item = FItems[AIndex];
  return item->GetWidth(item->GetViewLevel());
}

bool TqzRibbonGroupLayoutCalculator::IsExpandedColumned(Integer AIndex) {
  TInterfacePtr<IqzBarColumnedItemViewInfo> columned;
  return FItems[AIndex]->IsColumnedItem(true, columned);
}

bool TqzRibbonGroupLayoutCalculator::IsWholeHeightNow(Integer AIndex) {
  return IsExpandedColumned(AIndex) || FItems[AIndex]->GetViewLevel() == ivlLargeIconWithText;
}

bool TqzRibbonGroupLayoutCalculator::IsAlwaysWholeHeight(Integer AIndex) {
  return IsExpandedColumned(AIndex) ||
         FItems[AIndex]->GetPermittedLevels() == TqzBarItemViewLevels{ivlLargeIconWithText};
}

bool TqzRibbonGroupLayoutCalculator::StartsColumn(Integer AIndex) {
  const TItem& item = FItems[AIndex];
  return item->GetBeginGroup() ||
         (item->GetPosition() == ipBeginsNewColumn && IsStartOfGroupOrNone(item->GetActualGroupPlace()));
}

bool TqzRibbonGroupLayoutCalculator::SharesRow(Integer AIndex) {
  const TItem& item = FItems[AIndex];
  if (IsInsideGroup(item->GetActualGroupPlace())) return true;
  Integer next = AIndex + 1;
  if (next < static_cast<Integer>(FItems.size()) && !StartsColumn(next) &&
      FItems[next]->GetPosition() == ipContinuesRow)
    return true;
  return item->GetPosition() == ipContinuesRow && AIndex > 0 && !StartsColumn(AIndex);
}

bool TqzRibbonGroupLayoutCalculator::ContinuesPreviousRow(Integer AIndex) {
  const TItem& item = FItems[AIndex];
  return !StartsColumn(AIndex) &&
         !(item->GetPosition() == ipBeginsNewRow && IsStartOfGroupOrNone(item->GetActualGroupPlace()));
}

Integer TqzRibbonGroupLayoutCalculator::RowRunEnd(Integer AIndex, bool& AHasWholeHeight) {
  Integer count = static_cast<Integer>(FItems.size());
  AHasWholeHeight = IsWholeHeightNow(AIndex);
  Integer end = AIndex + 1;
  while (end < count && ContinuesPreviousRow(end)) {
    AHasWholeHeight = AHasWholeHeight || IsWholeHeightNow(end);
    ++end;
  }
  return end;
}

Integer TqzRibbonGroupLayoutCalculator::FreeRows(Integer AUnits) const {
  return (FRowCount - AUnits % FRowCount) % FRowCount;
}

// Turning the entry's item into a one-row item needs no column beyond those of its neighbours.
bool TqzRibbonGroupLayoutCalculator::Fits(const TSequenceForWholeGroupHeightReducingItem& AEntry) const {
  return FreeRows(AEntry.Before) + FreeRows(AEntry.After) >= FreeRows(AEntry.Before + AEntry.After + 1);
}

// ---- Preparing ----------------------------------------------------------------------------------

void TqzRibbonGroupLayoutCalculator::ComputeGroupPlaces() {
  Integer count = static_cast<Integer>(FItems.size());
  auto effectiveGroup = [&](Integer i) {
    return IsAlwaysWholeHeight(i) ? bgpNone : FItems[i]->GetButtonGroupPosition();
  };
  auto nextIsMember = [&](Integer i) {
    return i + 1 < count && effectiveGroup(i + 1) == bgpMember && !FItems[i + 1]->GetBeginGroup();
  };
  for (Integer i = 0; i < count; ++i) {
    Byte place = qzGroupPlaceNone;
    switch (effectiveGroup(i)) {
      case bgpStart:
        place = nextIsMember(i) ? qzGroupPlaceFirst : qzGroupPlaceSingle;
        break;
      case bgpMember:
        if (!FItems[i]->GetBeginGroup() && i > 0) {
          Byte previous = FItems[i - 1]->GetActualGroupPlace();
          if (previous == qzGroupPlaceFirst || previous == qzGroupPlaceMiddle)
            place = nextIsMember(i) ? qzGroupPlaceMiddle : qzGroupPlaceLast;
        }
        break;
      case bgpNone:
        break;
    }
    FItems[i]->SetActualGroupPlace(place);
  }
}

void TqzRibbonGroupLayoutCalculator::PrepareItems(IqzRibbonGroupLayoutSite* ASite) {
  TItemsScope scope(this, ASite);
  ComputeGroupPlaces();
  for (const TItem& item : FItems) {
    item->SetBounds(TRect());
    if (item->GetActualGroupPlace() != qzGroupPlaceNone)
      item->SetViewLevel(item->GetButtonGroupLevel());
    else
      item->SetViewLevel(FirstViewLevel(item->GetPermittedLevels()));
    TInterfacePtr<IqzBarColumnedItemViewInfo> columned;
    if (item->IsColumnedItem(false, columned)) {
      columned->SetCollapsed(false);
      columned->SetColumnCount(columned->GetMaxColumnCount());
    }
  }
}

// ---- Arranging ----------------------------------------------------------------------------------

void TqzRibbonGroupLayoutCalculator::ArrangeItems(IqzRibbonGroupLayoutSite* ASite) {
  TItemsScope scope(this, ASite);
  DoArrangeItems();
}

void TqzRibbonGroupLayoutCalculator::DoArrangeItems() {
  Integer count = static_cast<Integer>(FItems.size());
  FSite->ClearSeparators();
  FIndents = FSite->GetIndents();
  FLastColumn = -1;
  FContentWidth = 0;
  FItemColumns.assign(count, -1);
  FItemSeparators.assign(count, -1);

  Integer i = 0;
  while (i < count) {
    Integer j = i;
    while (j < count && !IsWholeHeightNow(j) && (j == i || !StartsColumn(j))) ++j;
    if (j > i) {
      OpenColumn(i - 1);
      PlaceOneRowBlock(i, j);
    }
    while (j < count && IsWholeHeightNow(j)) {
      OpenColumn(j - 1);
      PlaceWholeHeightItem(j);
      ++j;
    }
    i = j;
  }
  FinishColumn(count - 1);

  MoveItems(0, count - 1, FIndents.LeftIndent);
  FContentWidth += FIndents.LeftIndent + FIndents.RightIndent;
  Integer minWidth = std::max(FSite->GetMinWidth(), 30);
  if (FContentWidth < minWidth) {
    if (FContentWidth != 0) MoveItems(0, count - 1, (minWidth - FContentWidth) / 2);
    FContentWidth = minWidth;
  }
  FSite->SetContentSize(TSize(FContentWidth, FRowHeight * FRowCount));
  for (const TItem& item : FItems) item->Calculate();
}

void TqzRibbonGroupLayoutCalculator::OpenColumn(Integer ALastPlaced) {
  FinishColumn(ALastPlaced);
  ++FLastColumn;
}

// Keeps button groups at the column's left edge apart from the previous column.
void TqzRibbonGroupLayoutCalculator::FinishColumn(Integer ALast) {
  if (FLastColumn < 1 || ALast < 0) return;
  Integer first = ALast;
  while (first > 0 && FItemColumns[first - 1] == FLastColumn) --first;
  if (FItems[first]->GetBeginGroup()) return;

  Integer previousRight = 0;  // placed items never lie left of 0
  Integer previousGroupEnd = -1;
  for (Integer k = first - 1; k >= 0 && FItemColumns[k] == FLastColumn - 1; --k) {
    TRect bounds = FItems[k]->GetBounds();
    previousRight = std::max(previousRight, bounds.Right);
    if (IsEndOfGroup(FItems[k]->GetActualGroupPlace())) previousGroupEnd = std::max(previousGroupEnd, bounds.Right);
  }
  Integer left = FItems[first]->GetBounds().Left;
  constexpr Integer kNoGroupStart = std::numeric_limits<Integer>::max();
  Integer groupStart = kNoGroupStart;
  for (Integer k = first; k <= ALast; ++k) {
    Byte place = FItems[k]->GetActualGroupPlace();
    if (place == qzGroupPlaceFirst || place == qzGroupPlaceSingle)
      groupStart = std::min(groupStart, FItems[k]->GetBounds().Left);
  }
  Integer gap = FIndents.ButtonGroupGap;
  Integer a = previousGroupEnd != -1 && left - previousGroupEnd < gap ? gap - (left - previousGroupEnd) : 0;
  Integer b = groupStart != kNoGroupStart && groupStart - previousRight < gap ? gap - (groupStart - previousRight) : 0;
  Integer delta = std::max(a, b);
  if (delta != 0) {
    MoveItems(first, ALast, delta);
    FContentWidth += delta;
  }
}

void TqzRibbonGroupLayoutCalculator::AddSeparatorBefore(Integer AIndex) {
  TqzRibbonGroupSeparatorInfo info;
  info.Bounds = TRect(FContentWidth, 5, FContentWidth + 8, FRowHeight * FRowCount - 6);
  info.IsVertical = true;
  FSite->AddSeparator(info);
  FContentWidth += 8;
  FItemSeparators[AIndex] = FSite->SeparatorCount() - 1;
}

void TqzRibbonGroupLayoutCalculator::MoveItems(Integer AFirst, Integer ALast, Integer ADelta) {
  if (ADelta == 0) return;
  for (Integer k = AFirst; k <= ALast; ++k) {
    TRect bounds = FItems[k]->GetBounds();
    OffsetHorizontally(bounds, ADelta);
    FItems[k]->SetBounds(bounds);
    if (FItemSeparators[k] >= 0) {
      TqzRibbonGroupSeparatorInfo separator = FSite->GetSeparator(FItemSeparators[k]);
      OffsetHorizontally(separator.Bounds, ADelta);
      FSite->SetSeparator(FItemSeparators[k], separator);
    }
  }
}

void TqzRibbonGroupLayoutCalculator::PlaceOneRowBlock(Integer AFirst, Integer AEnd) {
  if (FItems[AFirst]->GetBeginGroup()) AddSeparatorBefore(AFirst);
  Integer row = 0;
  Integer x = FContentWidth;
  Integer columnRight = FContentWidth;
  Integer columnFirst = AFirst;
  for (Integer n = AFirst; n < AEnd; ++n) {
    const TItem& item = FItems[n];
    Byte place = item->GetActualGroupPlace();
    if (n > AFirst && item->GetPosition() == ipBeginsNewRow && IsStartOfGroupOrNone(place)) {
      ++row;
      if (row < FRowCount) {
        x = FContentWidth;
      } else {
        AlignColumn(columnFirst, n - 1, columnRight - FContentWidth);
        columnFirst = n;
        row = 0;
        FContentWidth = columnRight;
        OpenColumn(n - 1);
        x = columnRight = FContentWidth;
      }
    }
    Integer width = ItemWidth(n);
    FItemColumns[n] = FLastColumn;
    item->SetLayoutValueB(row);
    if (n > AFirst && IsStartOfGroupOrNone(place) && FItemColumns[n - 1] == FLastColumn &&
        FItems[n - 1]->GetLayoutValueB() == row) {
      Byte previous = FItems[n - 1]->GetActualGroupPlace();
      if (place != qzGroupPlaceNone || IsEndOfGroup(previous)) x += FIndents.ButtonGroupGap;
    }
    item->SetBounds(TRect(x, FRowHeight * row, x + width, FRowHeight * (row + 1)));
    x += width;
    columnRight = std::max(columnRight, x);
  }
  AlignColumn(columnFirst, AEnd - 1, columnRight - FContentWidth);
  FContentWidth = columnRight;
  CenterColumnsVertically(AFirst, AEnd);
}

// Rows of several items keep their places; a single item takes its Align within the column.
void TqzRibbonGroupLayoutCalculator::AlignColumn(Integer AFirst, Integer ALast, Integer AWidth) {
  Integer k = AFirst;
  while (k <= ALast) {
    Integer row = FItems[k]->GetLayoutValueB();
    Integer rowEnd = k;
    while (rowEnd < ALast && FItems[rowEnd + 1]->GetLayoutValueB() == row) ++rowEnd;
    if (rowEnd == k) {
      const TItem& item = FItems[k];
      TRect bounds = item->GetBounds();
      switch (item->GetAlign()) {
        case iaLeft:
          break;
        case iaCenter:
          OffsetHorizontally(bounds, (AWidth - bounds.Width()) / 2);
          break;
        case iaRight:
          OffsetHorizontally(bounds, AWidth - bounds.Width());
          break;
        case iaClient:
          bounds.Right = bounds.Left + AWidth;
          break;
      }
      item->SetBounds(bounds);
    }
    k = rowEnd + 1;
  }
}

// Spreads the rows of a column that is not full with equal gaps; the remainder goes to the top.
void TqzRibbonGroupLayoutCalculator::CenterColumnsVertically(Integer AFirst, Integer AEnd) {
  Integer height = FRowHeight * FRowCount;
  Integer columnFirst = AFirst;
  while (columnFirst < AEnd) {
    Integer columnLast = columnFirst;
    while (columnLast + 1 < AEnd && FItemColumns[columnLast + 1] == FItemColumns[columnFirst]) ++columnLast;
    Integer rows = FItems[columnLast]->GetLayoutValueB() + 1;
    for (Integer k = columnFirst; k <= columnLast; ++k) {
      const TItem& item = FItems[k];
      if (rows < FRowCount) {
        Integer row = item->GetLayoutValueB();
        TRect bounds = item->GetBounds();
        bounds.Top = height - (rows - row) * ((height - FRowHeight * rows) / (rows + 1) + FRowHeight);
        bounds.Bottom = bounds.Top + FRowHeight;
        item->SetBounds(bounds);
      }
      item->SetLayoutValueA(rows);
    }
    columnFirst = columnLast + 1;
  }
}

void TqzRibbonGroupLayoutCalculator::PlaceWholeHeightItem(Integer AIndex) {
  if (FItems[AIndex]->GetBeginGroup()) AddSeparatorBefore(AIndex);
  Integer width = ItemWidth(AIndex);
  FItems[AIndex]->SetBounds(TRect(FContentWidth, 0, FContentWidth + width, FRowHeight * FRowCount));
  FItemColumns[AIndex] = FLastColumn;
  FItems[AIndex]->SetLayoutValueB(0);
  FContentWidth += width;
}

// ---- Columned items -------------------------------------------------------------------------------

bool TqzRibbonGroupLayoutCalculator::NarrowColumnedItem(IqzRibbonGroupLayoutSite* ASite) {
  TItemsScope scope(this, ASite);
  for (Integer i = static_cast<Integer>(FItems.size()) - 1; i >= 0; --i) {
    TInterfacePtr<IqzBarColumnedItemViewInfo> columned;
    if (FItems[i]->IsColumnedItem(true, columned) && columned->GetColumnCount() > columned->GetMinColumnCount()) {
      columned->SetColumnCount(columned->GetColumnCount() - 1);
      DoArrangeItems();
      return true;
    }
  }
  return false;
}

bool TqzRibbonGroupLayoutCalculator::FoldColumnedItem(IqzRibbonGroupLayoutSite* ASite) {
  TItemsScope scope(this, ASite);
  for (Integer i = static_cast<Integer>(FItems.size()) - 1; i >= 0; --i) {
    TInterfacePtr<IqzBarColumnedItemViewInfo> columned;
    if (FItems[i]->IsColumnedItem(true, columned) && columned->CanCollapse()) {
      columned->SetCollapsed(true);
      DoArrangeItems();
      return true;
    }
  }
  return false;
}

// ---- Reduction ------------------------------------------------------------------------------------

void TqzRibbonGroupLayoutCalculator::PrepareReduction(IqzRibbonGroupLayoutSite* ASite) {
  TItemsScope scope(this, ASite);
  FSequences.clear();
  Integer pos = 0;
  for (;;) {
    TSequenceForWholeGroupHeightReducing sequence = BuildSequence(pos);
    if (sequence.empty()) break;
    FSequences.push_back(std::move(sequence));
  }
  FLastSequence = static_cast<Integer>(FSequences.size()) - 1;
  FNextReduceIndex = static_cast<Integer>(FItems.size()) - 1;
}

// One sequence of whole-height items that may turn into one-row items, with the one-row units
// around each; APos moves past what was read.
TSequenceForWholeGroupHeightReducing TqzRibbonGroupLayoutCalculator::BuildSequence(Integer& APos) {
  Integer count = static_cast<Integer>(FItems.size());
  TSequenceForWholeGroupHeightReducing sequence;
  while (sequence.empty() && APos < count) {
    Integer units = 0;
    // Skip to the first unit.
    while (APos < count) {
      if (IsAlwaysWholeHeight(APos)) {
        ++APos;
        continue;
      }
      if (SharesRow(APos)) {
        bool hasWholeHeight;
        APos = RowRunEnd(APos, hasWholeHeight);
        if (hasWholeHeight) continue;
        units = 1;
        break;
      }
      if (!IsWholeHeightNow(APos)) {
        units = 1;
        ++APos;
      }
      break;
    }
    if (APos >= count) break;
    if (IsWholeHeightNow(APos) && !IsAlwaysWholeHeight(APos)) {
      sequence.push_back({FItems[APos], units, 0});
      units = 0;
      ++APos;
    }
    while (APos < count) {
      if (IsAlwaysWholeHeight(APos) || StartsColumn(APos)) break;
      if (SharesRow(APos)) {
        bool hasWholeHeight;
        APos = RowRunEnd(APos, hasWholeHeight);
        if (hasWholeHeight) break;
        ++units;
      } else if (!IsWholeHeightNow(APos)) {
        ++units;
        ++APos;
      } else {
        if (!sequence.empty()) sequence.back().After = units;
        sequence.push_back({FItems[APos], units, 0});
        units = 0;
        ++APos;
      }
    }
    if (!sequence.empty() && units > 0) sequence.back().After = units;
  }
  return sequence;
}

void TqzRibbonGroupLayoutCalculator::ReduceEntry(const TSequenceForWholeGroupHeightReducingItem& AEntry) {
  AEntry.ViewInfo->SetViewLevel(NextViewLevel(AEntry.ViewInfo->GetPermittedLevels(), ivlLargeIconWithText));
}

bool TqzRibbonGroupLayoutCalculator::ReduceSequence(TSequenceForWholeGroupHeightReducing& ASequence) {
  if (ASequence.empty()) return false;
  if (ASequence.size() == 1) {
    if (!Fits(ASequence.front())) return false;
    ReduceEntry(ASequence.front());
    ASequence.clear();
    return true;
  }
  // The last entry goes without a test; each entry before it follows while the ones already
  // reduced filled its free rows exactly and it fits.
  auto reduceLast = [&]() {
    TSequenceForWholeGroupHeightReducingItem last = ASequence.back();
    ReduceEntry(last);
    ASequence.pop_back();
    Integer previousAfter = 0;
    if (!ASequence.empty()) {
      previousAfter = ASequence.back().After;
      ASequence.back().After += last.After + 1;
    }
    return previousAfter;
  };
  Integer previousAfter = reduceLast();
  while (previousAfter == 0 && !ASequence.empty() && Fits(ASequence.back())) previousAfter = reduceLast();
  return true;
}

bool TqzRibbonGroupLayoutCalculator::ReduceWholeHeightItems() {
  while (FLastSequence >= 0) {
    if (ReduceSequence(FSequences[FLastSequence])) {
      DoArrangeItems();
      return true;
    }
    FSequences.erase(FSequences.begin() + FLastSequence);
    --FLastSequence;
  }
  return false;
}

// One column per step, from the right: single items of the column take the smaller level when
// that makes them narrower than the column and the column narrower than they are now.
bool TqzRibbonGroupLayoutCalculator::ReduceColumns(TqzBarItemViewLevel ALevel) {
  Integer count = static_cast<Integer>(FItems.size());
  // The columns are those of the last arrangement; without one there is nothing to reduce yet.
  if (static_cast<Integer>(FItemColumns.size()) != count) DoArrangeItems();
  FNextReduceIndex = std::min(FNextReduceIndex, count - 1);
  for (;;) {
    while (FNextReduceIndex >= 0 && IsWholeHeightNow(FNextReduceIndex)) --FNextReduceIndex;
    if (FNextReduceIndex < 0) return false;
    Integer column = FItemColumns[FNextReduceIndex];
    Integer currentWidth = 0;
    Integer reducedWidth = 0;
    std::vector<Integer> candidates;
    Integer k = FNextReduceIndex;
    while (k >= 0 && FItemColumns[k] == column) {
      const TItem& item = FItems[k];
      if (SharesRow(k)) {
        Integer row = item->GetLayoutValueB();
        Integer rowWidth = 0;
        while (k >= 0 && FItemColumns[k] == column && FItems[k]->GetLayoutValueB() == row) {
          rowWidth += ItemWidth(k);
          --k;
        }
        currentWidth = std::max(currentWidth, rowWidth);
        reducedWidth = std::max(reducedWidth, rowWidth);
        continue;
      }
      Integer width = ItemWidth(k);
      currentWidth = std::max(currentWidth, width);
      if (item->GetViewLevel() < ALevel && item->GetPermittedLevels().Contains(ALevel)) {
        candidates.push_back(k);
        reducedWidth = std::max(reducedWidth, item->GetWidth(ALevel));
      } else {
        reducedWidth = std::max(reducedWidth, width);
      }
      --k;
    }
    FNextReduceIndex = k;
    bool changed = false;
    for (Integer candidate : candidates) {
      const TItem& item = FItems[candidate];
      if (item->GetWidth(ALevel) < currentWidth && ItemWidth(candidate) > reducedWidth) {
        item->SetViewLevel(ALevel);
        changed = true;
      }
    }
    if (changed) {
      DoArrangeItems();
      return true;
    }
  }
}

bool TqzRibbonGroupLayoutCalculator::ReduceStep(IqzRibbonGroupLayoutSite* ASite, TqzBarItemViewLevel AUpToViewLevel) {
  TItemsScope scope(this, ASite);
  if (FItems.empty()) return false;
  if (AUpToViewLevel == ivlSmallIconWithText) return ReduceWholeHeightItems();
  if (AUpToViewLevel != ivlSmallIcon && AUpToViewLevel != ivlControlOnly) return false;
  bool changed = ReduceColumns(AUpToViewLevel);
  if (!changed) FNextReduceIndex = static_cast<Integer>(FItems.size()) - 1;
  return changed;
}
