#pragma once
// The quick control: the small popup toolbar a toolbar's mark opens, with the links the toolbar had
// no room for. It cannot be moved or sized, and it goes when the selection moves to a control of
// another bar window for 200 ms.

#include <memory>

#include "toolkit/bars/qzBarToolbarControl.h"

class TkvTimer;

class TqzBarQuickControl : public TqzBarControl {
  TAVREN_CLASS(TqzBarQuickControl, TqzBarControl)
 public:
  // Opened by AParent's mark; ABar is AParent's bar.
  TqzBarQuickControl(TqzBarControl* AParent, TqzBar* ABar);
  ~TqzBarQuickControl() override;

  TqzBarControl* GetParentBar() const;
  // The parent's mark returns to normal 200 ms later unless this window took the selection back.
  void StartCloseTimer();
  bool IsCloseTimerRunning() const;

  void PopupSize(TSize& ASize) override;
  HBRUSH BackgroundBrush() override;
  TCustomForm* GetOwnerForm() override;
  TWinControl* OwnerControl() override { return GetParentBar(); }
  bool IsQuickCustomizingBar() override { return true; }
  bool HasFloatingCaption() override { return false; }
  bool BlocksOtherBars() override { return false; }
  Integer BarKind() override { return 1; }
  // Below a horizontal parent it ends at the mark's right edge, unless the parent floats and the
  // painter gives the entries a check column: then it starts at the mark's left edge.
  void ShowAsPopup(const TRect& AOwnerRect) override;
  void DrawFrameOn(HDC DC) override;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void CloseTimerTick(TObject* Sender);

  std::unique_ptr<TkvTimer> FCloseTimer;
};

// The quick control class of a plain toolbar.
TqzBarControl* NewQuickControl(TqzBarControl* AParent, TqzBar* ABar);

// Opens the quick control of AToolbar's class beside its mark (screen coordinates): it gets the
// toolbar's painter and the toolbar's hidden links, and shows. It stays the open quick control
// until it goes.
TqzBarControl* ShowQuickControl(TqzBarControl* AToolbar, const TRect& AMarkRect);
// The quick control open now, of any toolbar; nil for none.
TqzBarQuickControl* OpenQuickControl();
