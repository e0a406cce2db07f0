#pragma once
// The layout of a ribbon group: items in columns of RowCount rows, whole-height items in columns
// of their own, and the steps that make a group narrower when the tab lacks width (from the right:
// fewer columns, folded columned items, whole-height items made one row high, smaller levels).

#include <vector>

#include "rtl/Interfaces.h"
#include "toolkit/ribbon/qzRibbonLayoutInterfaces.h"

struct TSequenceForWholeGroupHeightReducingItem {
  TInterfacePtr<IqzBarItemControlViewInfo> ViewInfo;
  // One-row units between the previous whole-height item of the sequence (or its start) and this
  // item; and after it up to the next one (kept current for the last entry only).
  Integer Before = 0;
  Integer After = 0;
};
using TSequenceForWholeGroupHeightReducing = std::vector<TSequenceForWholeGroupHeightReducingItem>;
using TSequencesForWholeGroupHeightReducing = std::vector<TSequenceForWholeGroupHeightReducing>;

class TqzRibbonGroupLayoutCalculator : public TInterfacedObject, public IqzRibbonGroupLayoutCalculator {
  TAVREN_CLASS(TqzRibbonGroupLayoutCalculator, TInterfacedObject)
 public:
  TqzRibbonGroupLayoutCalculator(Integer AGroupRowHeight, Integer ARowCount);

  void PrepareItems(IqzRibbonGroupLayoutSite* ASite) override;
  void ArrangeItems(IqzRibbonGroupLayoutSite* ASite) override;
  bool FoldColumnedItem(IqzRibbonGroupLayoutSite* ASite) override;
  bool NarrowColumnedItem(IqzRibbonGroupLayoutSite* ASite) override;
  bool ReduceStep(IqzRibbonGroupLayoutSite* ASite, TqzBarItemViewLevel AUpToViewLevel) override;
  void PrepareReduction(IqzRibbonGroupLayoutSite* ASite) override;

 private:
  using TItem = TInterfacePtr<IqzBarItemControlViewInfo>;

  // The site's items, fetched once per call.
  class TItemsScope;

  // Item terms of the layout.
  Integer ItemWidth(Integer AIndex);
  bool IsExpandedColumned(Integer AIndex);
  bool IsWholeHeightNow(Integer AIndex);
  bool IsAlwaysWholeHeight(Integer AIndex);
  bool StartsColumn(Integer AIndex);
  bool SharesRow(Integer AIndex);
  // Whether the item stays on the row of the one before it.
  bool ContinuesPreviousRow(Integer AIndex);
  // The end (exclusive) of the run of row-sharing items from AIndex, and whether it holds an item
  // that is whole-height now.
  Integer RowRunEnd(Integer AIndex, bool& AHasWholeHeight);
  Integer FreeRows(Integer AUnits) const;
  bool Fits(const TSequenceForWholeGroupHeightReducingItem& AEntry) const;

  void ComputeGroupPlaces();
  void DoArrangeItems();
  void OpenColumn(Integer ALastPlaced);
  void FinishColumn(Integer ALast);
  void AddSeparatorBefore(Integer AIndex);
  void MoveItems(Integer AFirst, Integer ALast, Integer ADelta);
  void PlaceOneRowBlock(Integer AFirst, Integer AEnd);
  void AlignColumn(Integer AFirst, Integer ALast, Integer AWidth);
  void CenterColumnsVertically(Integer AFirst, Integer AEnd);
  void PlaceWholeHeightItem(Integer AIndex);

  TSequenceForWholeGroupHeightReducing BuildSequence(Integer& APos);
  bool ReduceSequence(TSequenceForWholeGroupHeightReducing& ASequence);
  void ReduceEntry(const TSequenceForWholeGroupHeightReducingItem& AEntry);
  bool ReduceWholeHeightItems();
  bool ReduceColumns(TqzBarItemViewLevel ALevel);

  Integer FRowCount;
  Integer FRowHeight;
  Integer FLastColumn = -1;
  std::vector<Integer> FItemColumns;
  std::vector<Integer> FItemSeparators;
  Integer FContentWidth = 0;
  Integer FNextReduceIndex = -1;
  TSequencesForWholeGroupHeightReducing FSequences;
  Integer FLastSequence = -1;

  IqzRibbonGroupLayoutSite* FSite = nullptr;
  std::vector<TItem> FItems;
  TqzRibbonGroupIndents FIndents;
};
