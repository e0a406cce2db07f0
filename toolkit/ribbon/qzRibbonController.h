#pragma once
// Turns the ribbon window's mouse, keyboard and wheel input into actions on the ribbon area:
// hot tracking, tab switching, the groups popup of a minimized ribbon, scrolling the tab row and
// the groups, the help and MDI buttons, and hints through the bar manager's hint window.

#include <memory>

#include "toolkit/bars/qzBar.h"
#include "toolkit/ribbon/qzRibbonViewInfo.h"
#include "vcl/Timers.h"

class TqzCustomRibbon;

class TqzRibbonController : public TObject, public virtual IqzBarHintProvider {
  TAVREN_CLASS(TqzRibbonController, TObject)
 public:
  explicit TqzRibbonController(TqzCustomRibbon* ARibbon);
  ~TqzRibbonController() override;

  // The ribbon owns the controller: no reference counting.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  virtual void CancelMode();
  virtual void HideHint();
  virtual bool HasHint(TqzRibbonHitKind AKind);
  virtual bool CanHaveHint(TqzRibbonHitKind AKind);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseLeave();
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // True when a tab was activated.
  virtual bool WheelDown(TShiftState Shift, const TPoint& P);
  virtual bool WheelUp(TShiftState Shift, const TPoint& P);
  virtual bool IsTrackingBlocked();

  // Forgets the hint element and hides the hint.
  void DropHintElement();
  void InvalidateElement(TqzRibbonHitKind AKind);

  // IqzBarHintProvider.
  bool GetHintTexts(bool& AFlag, String& AHint, String& AShortCut) override;
  TqzBarCustomHintViewInfo* CreateHintViewInfo(const String& AHint, const String& AShortCut) override;
  bool IsEnabled() override { return true; }
  void GetHintPosition(const TPoint& ACursorPos, Integer AWindowHeight, TPoint& APos) override;

  TqzRibbonHitKind GetHotElement() const noexcept { return FHotElement; }
  TqzRibbonHitKind GetPressedElement() const noexcept { return FPressedElement; }
  void SetPressedElement(TqzRibbonHitKind AKind);
  TqzRibbonHitKind GetScrollingElement() const noexcept { return FScrollingElement; }
  TqzRibbonHitKind GetHintElement() const noexcept { return FHintElement; }
  TTimer* GetScrollTimer() const noexcept { return FScrollTimer.get(); }

 private:
  void SetHotElement(TqzRibbonHitKind AKind);
  void UpdateHint(const TqzRibbonHitInfo& AHit);
  void TabMouseDown(TqzRibbonTab* ATab, TMouseButton Button, TShiftState Shift);
  void ClickAt(Integer X, Integer Y);
  void StartScrolling(TqzRibbonHitKind AKind);
  void StopScrolling();
  void ScrollStep(bool ARepeat);
  void ScrollTimerTick(TObject* Sender);
  bool ActivateNeighbourTab(Integer ADirection);

  TqzCustomRibbon* FRibbon;
  TqzRibbonHitKind FHotElement = rhkNone;
  TqzRibbonHitKind FPressedElement = rhkNone;
  TqzRibbonHitKind FScrollingElement = rhkNone;
  std::unique_ptr<TTimer> FScrollTimer;
  TqzRibbonHitKind FHintElement = rhkNone;
  TqzRibbonTab* FHintTab = nullptr;
};
