#pragma once
// A ribbon group for the layout calculator's tests: a site holding item view infos whose widths
// come from a table per level and which refuse a level they do not permit, as real item controls do.

#include <array>
#include <vector>

#include "rtl/Exceptions.h"
#include "toolkit/ribbon/qzRibbonLayoutInterfaces.h"

class TFakeItemViewInfo : public TInterfacedObject, public IqzBarItemControlViewInfo {
 public:
  // Widths at ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly.
  std::array<Integer, 4> Widths{40, 60, 22, 16};
  TqzBarItemViewLevels Permitted = qzAllBarItemViewLevels;
  TqzBarItemAlign Align = iaLeft;
  TqzBarItemPosition Position = ipBeginsNewRow;
  TqzBarButtonGroupPosition ButtonGroup = bgpNone;
  TqzBarItemViewLevel ButtonGroupLevel = ivlSmallIcon;
  bool BeginGroup = false;

  TRect Bounds;
  Integer LayoutValueA = 0;
  Integer LayoutValueB = 0;
  Byte GroupPlace = 0;
  TqzBarItemViewLevel Level = ivlLargeIconWithText;
  Integer CalculateCount = 0;

  void Calculate() override { ++CalculateCount; }
  TqzBarItemAlign GetAlign() override { return Align; }
  TqzBarItemViewLevels GetPermittedLevels() override { return Permitted; }
  TRect GetBounds() override { return Bounds; }
  Integer GetLayoutValueA() override { return LayoutValueA; }
  TqzBarItemPosition GetPosition() override { return Position; }
  TqzBarButtonGroupPosition GetButtonGroupPosition() override { return ButtonGroup; }
  Byte GetActualGroupPlace() override { return GroupPlace; }
  Integer GetLayoutValueB() override { return LayoutValueB; }
  TqzBarItemViewLevel GetViewLevel() override { return Level; }
  TqzBarItemViewLevel GetButtonGroupLevel() override { return ButtonGroupLevel; }
  Integer GetWidth(TqzBarItemViewLevel ALevel) override {
    if (!Permitted.Contains(ALevel)) throw Exception("Testing! The level is not allowed");
    return Widths[ALevel];
  }
  bool GetBeginGroup() override { return BeginGroup; }
  bool IsColumnedItem(bool, TInterfacePtr<IqzBarColumnedItemViewInfo>& AColumnedItem) override {
    AColumnedItem = nullptr;
    return false;
  }
  void SetBounds(const TRect& ABounds) override { Bounds = ABounds; }
  void SetLayoutValueA(Integer AValue) override { LayoutValueA = AValue; }
  void SetActualGroupPlace(Byte AValue) override { GroupPlace = AValue; }
  void SetLayoutValueB(Integer AValue) override { LayoutValueB = AValue; }
  void SetViewLevel(TqzBarItemViewLevel AValue) override { Level = AValue; }
};

// An item of columns ColumnWidth wide each, while it is expanded; collapsed it is a plain item.
class TFakeColumnedItem : public TFakeItemViewInfo, public IqzBarColumnedItemViewInfo {
 public:
  Integer ColumnWidth = 30;
  Integer MinColumns = 1;
  Integer MaxColumns = 3;
  bool Collapsible = true;
  bool Collapsed = true;
  Integer Columns = 0;

  Integer GetWidth(TqzBarItemViewLevel ALevel) override {
    return Collapsed ? TFakeItemViewInfo::GetWidth(ALevel) : GetWidthForColumns(Columns);
  }
  bool IsColumnedItem(bool ACheckCollapsed, TInterfacePtr<IqzBarColumnedItemViewInfo>& AColumnedItem) override {
    AColumnedItem = this;
    return !(ACheckCollapsed && Collapsed);
  }
  bool CanCollapse() override { return Collapsible; }
  bool GetCollapsed() override { return Collapsed; }
  Integer GetColumnCount() override { return Columns; }
  Integer GetMaxColumnCount() override { return MaxColumns; }
  Integer GetMinColumnCount() override { return MinColumns; }
  Integer GetWidthForColumns(Integer AColumnCount) override { return AColumnCount * ColumnWidth; }
  void SetCollapsed(bool AValue) override { Collapsed = AValue; }
  void SetColumnCount(Integer AValue) override { Columns = AValue; }
};

class TFakeLayoutSite : public TInterfacedObject, public IqzRibbonGroupLayoutSite {
 public:
  std::vector<TInterfacePtr<TFakeItemViewInfo>> Items;
  std::vector<TqzRibbonGroupSeparatorInfo> Separators;
  TSize ContentSize;
  Integer MinWidth = 0;
  TqzRibbonGroupIndents Indents{3, 2, 2};

  TFakeItemViewInfo* Add(TFakeItemViewInfo* AItem) {
    Items.emplace_back(AItem);
    return AItem;
  }
  TFakeItemViewInfo& operator[](size_t AIndex) { return *Items[AIndex].Get(); }

  void AddSeparator(const TqzRibbonGroupSeparatorInfo& AInfo) override { Separators.push_back(AInfo); }
  void ClearSeparators() override { Separators.clear(); }
  TSize GetContentSize() override { return ContentSize; }
  Integer ItemCount() override { return static_cast<Integer>(Items.size()); }
  TInterfacePtr<IqzBarItemControlViewInfo> GetItem(Integer AIndex) override { return Items.at(AIndex).Get(); }
  Integer GetMinWidth() override { return MinWidth; }
  TqzRibbonGroupIndents GetIndents() override { return Indents; }
  Integer SeparatorCount() override { return static_cast<Integer>(Separators.size()); }
  TqzRibbonGroupSeparatorInfo GetSeparator(Integer AIndex) override { return Separators.at(AIndex); }
  void SetContentSize(const TSize& ASize) override { ContentSize = ASize; }
  void SetSeparator(Integer AIndex, const TqzRibbonGroupSeparatorInfo& AInfo) override {
    Separators.at(AIndex) = AInfo;
  }
};
