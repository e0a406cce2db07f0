#pragma once
// The ribbon's interfaces between a group window and the calculator that lays out its items in
// columns of rows. They belong to the ribbon unit's declarations; the calculator lives in
// qzRibbonGroupLayoutCalculator.

#include "rtl/Interfaces.h"
#include "rtl/Types.h"
#include "toolkit/bars/qzBarItemViewInfo.h"

// A separator between the columns of a group; the calculator adds only vertical ones.
struct TqzRibbonGroupSeparatorInfo {
  TRect Bounds;
  bool IsVertical = false;
};

struct TqzRibbonGroupIndents {
  Integer ButtonGroupGap = 0;  // kept between a button group and its neighbours
  Integer LeftIndent = 0;
  Integer RightIndent = 0;
};

// One group as its layout calculator reads and writes it.
class IqzRibbonGroupLayoutSite : public virtual IInterface {
  TAVREN_INTERFACE(IqzRibbonGroupLayoutSite)
 public:
  virtual void AddSeparator(const TqzRibbonGroupSeparatorInfo& AInfo) = 0;
  virtual void ClearSeparators() = 0;
  virtual TSize GetContentSize() = 0;
  virtual Integer ItemCount() = 0;
  virtual TInterfacePtr<IqzBarItemControlViewInfo> GetItem(Integer AIndex) = 0;
  // The width the group's caption needs.
  virtual Integer GetMinWidth() = 0;
  virtual TqzRibbonGroupIndents GetIndents() = 0;
  virtual Integer SeparatorCount() = 0;
  virtual TqzRibbonGroupSeparatorInfo GetSeparator(Integer AIndex) = 0;
  virtual void SetContentSize(const TSize& ASize) = 0;
  virtual void SetSeparator(Integer AIndex, const TqzRibbonGroupSeparatorInfo& AInfo) = 0;
};

// Lays out one group's items and makes them narrower step by step when the ribbon lacks width.
// Every operation that answers True has already arranged the items again.
class IqzRibbonGroupLayoutCalculator : public virtual IInterface {
  TAVREN_INTERFACE(IqzRibbonGroupLayoutCalculator)
 public:
  // Once after the group's item list was built: button-group places and starting levels.
  virtual void PrepareItems(IqzRibbonGroupLayoutSite* ASite) = 0;
  virtual void ArrangeItems(IqzRibbonGroupLayoutSite* ASite) = 0;
  virtual bool FoldColumnedItem(IqzRibbonGroupLayoutSite* ASite) = 0;
  virtual bool NarrowColumnedItem(IqzRibbonGroupLayoutSite* ASite) = 0;
  // AUpToViewLevel is ivlSmallIconWithText, ivlSmallIcon or ivlControlOnly.
  virtual bool ReduceStep(IqzRibbonGroupLayoutSite* ASite, TqzBarItemViewLevel AUpToViewLevel) = 0;
  // Once before the first reduction step of a fit.
  virtual void PrepareReduction(IqzRibbonGroupLayoutSite* ASite) = 0;
};
