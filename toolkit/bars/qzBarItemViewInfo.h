#pragma once
// How an item link is placed and how compact it may be drawn, and the interfaces through which a
// layout owner (a ribbon group) reads and sets an item control's view level and bounds. The item
// controls implement them; the layout owners only see these declarations. Also the interface of
// the objects a bar hint is shown for.

#include "rtl/Interfaces.h"
#include "rtl/Sets.h"
#include "rtl/TypInfo.h"
#include "rtl/Types.h"

// From the widest to the most compact; ivlDefault is the item kind's own choice of parts.
enum TqzBarItemViewLevel { ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly, ivlDefault };
TAVREN_ENUM_INFO(TqzBarItemViewLevel, ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly,
                 ivlDefault);
// The four real levels (a link's ViewLevels holds only these; ivlDefault is never a member).
using TqzBarItemRealViewLevel = TqzBarItemViewLevel;
using TqzBarItemViewLevels = TSet<TqzBarItemRealViewLevel, 4>;
inline constexpr TqzBarItemViewLevels qzAllBarItemViewLevels{ivlLargeIconWithText, ivlSmallIconWithText,
                                                             ivlSmallIcon, ivlControlOnly};

enum TqzBarItemAlign { iaLeft, iaCenter, iaRight, iaClient };
TAVREN_ENUM_INFO(TqzBarItemAlign, iaLeft, iaCenter, iaRight, iaClient);
enum TqzBarItemPosition { ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow };
TAVREN_ENUM_INFO(TqzBarItemPosition, ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow);
enum TqzBarButtonGroupPosition { bgpNone, bgpStart, bgpMember };
TAVREN_ENUM_INFO(TqzBarButtonGroupPosition, bgpNone, bgpStart, bgpMember);

// The first member of the set (ivlDefault when it is empty), and the first member after ALevel
// (ivlDefault when there is none).
TqzBarItemViewLevel FirstViewLevel(TqzBarItemViewLevels ALevels);
TqzBarItemViewLevel NextViewLevel(TqzBarItemViewLevels ALevels, TqzBarItemViewLevel ALevel);

// An item that shows its content in several columns and can collapse to a single button.
class IqzBarColumnedItemViewInfo : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarColumnedItemViewInfo)
 public:
  virtual bool CanCollapse() = 0;
  virtual bool GetCollapsed() = 0;
  virtual Integer GetColumnCount() = 0;
  virtual Integer GetMaxColumnCount() = 0;
  virtual Integer GetMinColumnCount() = 0;
  virtual Integer GetWidthForColumns(Integer AColumnCount) = 0;
  virtual void SetCollapsed(bool AValue) = 0;
  virtual void SetColumnCount(Integer AValue) = 0;
};

// Button-group places stored by a layout owner: none, first of a group that continues, middle,
// last, alone.
constexpr Byte qzGroupPlaceNone = 0;
constexpr Byte qzGroupPlaceFirst = 1;
constexpr Byte qzGroupPlaceMiddle = 2;
constexpr Byte qzGroupPlaceLast = 3;
constexpr Byte qzGroupPlaceSingle = 4;

// An item control as a layout owner sees it. Layout values A and B are kept for the owner and
// never interpreted by the control.
class IqzBarItemControlViewInfo : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarItemControlViewInfo)
 public:
  virtual void Calculate() = 0;
  virtual TqzBarItemAlign GetAlign() = 0;
  virtual TqzBarItemViewLevels GetPermittedLevels() = 0;
  virtual TRect GetBounds() = 0;
  virtual Integer GetLayoutValueA() = 0;
  virtual TqzBarItemPosition GetPosition() = 0;
  // bgpNone when the control cannot join button groups.
  virtual TqzBarButtonGroupPosition GetButtonGroupPosition() = 0;
  virtual Byte GetActualGroupPlace() = 0;
  virtual Integer GetLayoutValueB() = 0;
  virtual TqzBarItemViewLevel GetViewLevel() = 0;
  virtual TqzBarItemViewLevel GetButtonGroupLevel() = 0;
  // Raises for a level the item does not permit (unless it is an expanded columned item).
  virtual Integer GetWidth(TqzBarItemViewLevel ALevel) = 0;
  virtual bool GetBeginGroup() = 0;
  // Whether the item has columns (with ACheckCollapsed: and is not collapsed); AColumnedItem
  // receives the columned interface when it has.
  virtual bool IsColumnedItem(bool ACheckCollapsed, TInterfacePtr<IqzBarColumnedItemViewInfo>& AColumnedItem) = 0;
  virtual void SetBounds(const TRect& ABounds) = 0;
  virtual void SetLayoutValueA(Integer AValue) = 0;
  virtual void SetActualGroupPlace(Byte AValue) = 0;
  virtual void SetLayoutValueB(Integer AValue) = 0;
  virtual void SetViewLevel(TqzBarItemViewLevel AValue) = 0;
};

class TqzBarCustomHintViewInfo;

// Implemented by the objects a hint is shown for (item controls, caption buttons, the ribbon).
class IqzBarHintProvider : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarHintProvider)
 public:
  virtual bool GetHintTexts(bool& AFlag, String& AHint, String& AShortCut) = 0;
  virtual TqzBarCustomHintViewInfo* CreateHintViewInfo(const String& AHint, const String& AShortCut) = 0;
  virtual bool IsEnabled() = 0;
  virtual void GetHintPosition(const TPoint& ACursorPos, Integer AWindowHeight, TPoint& APos) = 0;
};
