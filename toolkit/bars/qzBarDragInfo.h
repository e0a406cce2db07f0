#pragma once
// Rearranging bars while they are customized: a link dragged from its bar window to another place
// in any bar or menu of the same manager, or a command dragged into a bar. One object per manager
// runs every such drag: it holds the capture, runs its own message loop, finds the drop target
// through the bar window under the cursor, draws the insertion mark there and, on release,
// moves, copies, regroups or removes the link.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItems.h"

class TCustomqzBarControl;
class TqzBarSubItemControl;

// What a release would do.
constexpr Byte qzDragNone = 0;
constexpr Byte qzDragNoDrop = 1;
constexpr Byte qzDragRegroup = 2;
constexpr Byte qzDragCategory = 3;
constexpr Byte qzDragCopy = 4;
constexpr Byte qzDragMove = 5;

class TqzBarDragInfo : public TObject {
  TAVREN_CLASS(TqzBarDragInfo, TObject)
 public:
  explicit TqzBarDragInfo(TqzBarManager* ABarManager) : FBarManager(ABarManager) {}
  ~TqzBarDragInfo() override;

  // Takes the item and link (nil for a command), remembers the press point and the cursor, and
  // captures the mouse.
  void BeginDrag(TqzBarItem* AItem, TqzBarItemLink* ALink);
  // Until release, Esc or lost capture; a release drops.
  void RunDragLoop();
  // Always after BeginDrag: capture, cursor, mark and targets are given back.
  void EndDrag();
  void Drop();

  TqzBarItem* GetDraggedItem() const noexcept { return FItem; }
  TqzBarItemLink* GetDraggedLink() const noexcept { return FLink; }
  Byte GetDragState() const noexcept { return FDragState; }
  TCustomqzBarControl* GetTargetWindow() const;
  TqzBarItemLink* GetTargetLink() const noexcept { return FTargetLink; }
  bool GetMarkVisible() const noexcept { return FMarkVisible; }
  const TRect& GetMarkRect() const noexcept { return FMarkRect; }
  // The drop would leave the dragged link where it is.
  bool IsSamePlace() const;

 private:
  HWND CaptureWindow() const;
  // The bar window of this manager under the screen point that may be customized; nil for none.
  TCustomqzBarControl* WindowAt(const TPoint& P) const;
  void UpdateTarget(const TPoint& P);
  void MouseMoved(const TPoint& P);
  bool HasDropTarget() const;
  bool IsCopyMode() const;
  void SetDragState(Byte AState);
  void BeginDeferred() { ++FLockCount; }
  void EndDeferred();
  void ApplyCursorAndMark();
  void ShowMark(bool AShow);
  void CalcMark();
  void DrawMark();
  void Regroup();
  void Insert(bool ACopy);
  void DeleteDraggedLink();

  TqzBarManager* FBarManager;
  TqzBarItem* FItem = nullptr;
  TqzBarItemLink* FLink = nullptr;
  TPoint FPressPoint;
  TCursor FDefaultCursor = 0;
  HWND FCaptureWindow = nullptr;
  Byte FDragState = qzDragNone;
  Integer FLockCount = 0;
  bool FModified = false;
  // Checked against the live bar windows before each use: a window may go mid-drag.
  TCustomqzBarControl* FTargetWindow = nullptr;
  TCustomqzBarControl* FMarkWindow = nullptr;
  TqzBarItemLink* FTargetLink = nullptr;
  bool FAtSeparator = false;
  bool FBefore = false;
  bool FVertical = false;
  bool FMarkVisible = false;
  TRect FMarkRect;
  bool FMarkAtStart = false;
  bool FMarkVertical = false;
};

// The sub-item's menu may take the item (no menu holds itself).
bool SubItemTakes(TqzBarSubItemControl* AControl, TqzBarItem* AItem);
