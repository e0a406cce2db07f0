#pragma once
// The page control and its tab sheets, apart from the rest of the common controls so that units
// whose names meet the list view's enumerations can use them.

#include <vector>

#include "vcl/Controls.h"

// ---- Page control ---------------------------------------------------------------------------------

class TPageControl;

// One page of a page control: the control's TTabSheet children, in the order they joined it. A
// sheet whose tab is hidden stays a page but shows no tab (only code shows it).
class TTabSheet : public TWinControl {
  TAVREN_CLASS(TTabSheet, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TTabSheet(TComponent* AOwner);
  TPageControl* GetPageControl() const;
  void SetPageControl(TPageControl* Value);
  Integer GetPageIndex() const;
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);

 protected:
  void CMTextChanged(TMessage& Message);

 private:
  bool FTabVisible = true;
};

// Classic tabs along the top over a raised frame; the sheet of the active tab fills the frame.
class TPageControl : public TWinControl {
  TAVREN_CLASS(TPageControl, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  // Inside the frame, below the tabs.
  void AdjustClientRect(TRect& Rect) override;

  Integer GetPageCount() const { return static_cast<Integer>(FPages.size()); }
  // nil out of range.
  TTabSheet* GetPages(Integer Index) const;
  Integer IndexOfPage(const TTabSheet* APage) const;
  TTabSheet* GetActivePage() const noexcept { return FActivePage; }
  // Shows the page and hides the others; nil hides them all.
  void SetActivePage(TTabSheet* Value);
  Integer GetActivePageIndex() const { return IndexOfPage(FActivePage); }
  void SetActivePageIndex(Integer Value);
  // The tab rectangle of a page, empty when its tab is hidden.
  TRect TabRect(const TTabSheet* APage);
  // The page whose tab holds the client point; nil.
  TTabSheet* PageAtPoint(const TPoint& P);
  Integer TabHeight();
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(HDC DC) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void CMControlChange(TMessage& Message);

 private:
  friend class TTabSheet;
  void TabsChanged();
  // In the order the sheets joined; the z-order changes as pages are shown.
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TNotifyEvent FOnChange;
};

