#pragma once
// Item controls that edit in place: the base of every control that hosts a real child window over
// part of its item (it subclasses the window, moves the focus in and out, turns Enter, Tab and Esc
// into commit, move-on and cancel and hands the menu keys to the bars), the edit layout (glyph,
// caption and edit parts, the width the user drags while customizing) and the edit control over
// the platform's "EDIT" window.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemControl.h"

class TqzBarEditLikeControlDrawParams : public TqzBarItemControlDrawParams {
  TAVREN_CLASS(TqzBarEditLikeControlDrawParams, TqzBarItemControlDrawParams)
 public:
  using TqzBarItemControlDrawParams::TqzBarItemControlDrawParams;
  bool InPlaceActiveLook = false;
  bool FramesWholeItemLook = false;
};

// Posted to a hosted window that a bar window painting with alpha answered colours for: the window
// repaints itself through an off-screen buffer.
constexpr UINT qzRedrawBufferedMessage = WM_APP + 0x81;

// The part indexes of an edit item: the edit (the hosted window), the glyph and the caption.
constexpr Integer qzEditPart = 0;
constexpr Integer qzEditGlyphPart = 1;
constexpr Integer qzEditCaptionPart = 2;

class TqzBarWinControl : public TqzBarItemControl {
  TAVREN_CLASS(TqzBarWinControl, TqzBarItemControl)
 public:
  using TqzBarItemControl::TqzBarItemControl;
  ~TqzBarWinControl() override;

  bool GetInPlaceActive() const noexcept { return FInPlaceActive; }
  bool GetInternalUpdate() const noexcept { return FInternalUpdate; }
  // Where the hosted window stands (parent client coordinates); empty while the control is
  // disabled or the item hides its editor.
  TRect GetInnerRect();
  // Stores the place and moves a visible hosted window there.
  void SetInnerRect(const TRect& R);
  TqzBarWindowItem* GetWindowItem() const;
  // The item hides its editor (a combo without ShowEditor).
  bool EditorHidden() const;
  // The hosted window takes the item's text; no change of the user's is reported.
  void ReloadText();
  // The bar window paints with alpha (taken when editing starts): the hosted window paints
  // through an off-screen buffer, made opaque, so its pixels are not see-through.
  bool GetBufferedPaint() const noexcept { return FBufferedPaint; }
  // The bar window answered the hosted window's colours while painting with alpha: the window is
  // repainted through the buffer once, when the message posted now arrives.
  void RequestBufferedRedraw();

  // Operations in slot order.
  virtual void HookWindow();
  virtual void UnhookWindow();
  // A mouse press outside the edit part is handed to the hosted window at the cursor.
  virtual void ForwardPress(bool AByMouse);
  virtual HWND GetInnerWindow() = 0;
  virtual void GetInnerText(String& AText);
  virtual void CommitText(bool AApply) = 0;
  virtual void AfterInnerPlaced() {}
  virtual void LoadText();
  virtual void SetInPlaceActive(bool AFlag);
  virtual void SetInnerText(const String& AText);
  virtual void PrepareInPlace();
  virtual void StoreText();
  virtual void FilterMenuKeyDown(Word& AKey, TShiftState AShift);
  virtual void FilterMenuKeyUp(Word& AKey);
  virtual void InnerWndProc(TMessage& Message);

  // Overrides of the item control.
  void EnabledChanged() override;
  bool ClickFiresItem() override;
  bool CanSelect() override;
  void Deactivate(bool AFlag) override;
  void UserActivate(bool AByMouse) override;
  bool CountsUse() override { return false; }
  bool HostsWindow() override { return true; }
  bool OwnsWindow(HWND AWnd) override;
  TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass() override;

 protected:
  // The hosted window's own procedure for a message the control leaves to it.
  void PassToPrevWndProc(TMessage& Message);
  // Key handlers of the hosted window's keys; a key that becomes 0 is consumed.
  virtual void EditorKeyDown(Word& AKey, TShiftState AShift);
  virtual void EditorKeyPress(Char& AKey);
  virtual void EditorKeyUp(Word& AKey, TShiftState AShift);
  // The focus left the hosted window for AFocused.
  virtual void CloseUp(HWND) {}
  // The hosted window's buffered painting: on WM_PAINT, and for the redraw message once asked.
  // Both false without buffered paint: the window paints as usual.
  bool PaintBuffered(TMessage& Message);

 private:
  static LRESULT HookedWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam);
  void KillFocus(TMessage& Message);
  void MouseMessage(TMessage& Message);

  bool FInPlaceActive = false;
  bool FInternalUpdate = false;
  bool FBufferedPaint = false;
  bool FRedrawPending = false;
  Integer FMenuKeyCount = 0;
  HWND FHookedWindow = nullptr;
  WNDPROC FPrevWndProc = nullptr;
  HWND FPrevFocus = nullptr;
  TRect FInnerRect;
};

class TqzBarCustomEditControl : public TqzBarWinControl {
  TAVREN_CLASS(TqzBarCustomEditControl, TqzBarWinControl)
 public:
  using TqzBarWinControl::TqzBarWinControl;
  ~TqzBarCustomEditControl() override;
  TqzBarEdit* GetEdit() const { return dynamic_cast<TqzBarEdit*>(GetItem()); }
  TqzBarEditLikeControlDrawParams* EditParams() const {
    return static_cast<TqzBarEditLikeControlDrawParams*>(GetDrawParams());
  }
  Integer GetEditFontHeight() const noexcept { return FEditFontHeight; }
  Integer GetDragWidth() const noexcept { return FDragWidth; }

  // Operations in slot order.
  virtual void AdjustFrameRect(TRect&) {}
  virtual void ExcludeEditFrame();
  virtual void PaintEditArea() = 0;
  virtual void GetEditAreaRect(TRect& R);
  virtual Integer MinEditWidth() = 0;
  virtual bool ShowsCaption();
  virtual void RefreshForEditing() = 0;
  virtual HBRUSH GetEditBrush();

  // Sizing the edit while customizing: 7-pixel strips at either edge take the drag.
  bool IsEditSizingPoint(const TPoint& P);
  void BeginEditSizing(const TPoint& P);
  void TrackEditSizing(const TPoint& P);
  void EndEditSizing(bool AApply);

  // Overrides of the item control.
  bool IsDrawnSelected() override;
  TqzBarItemViewLevels GetPossibleViewLevels() override;
  Byte GetContentKind() override;
  Integer GetPartCount() override { return inherited::GetPartCount() + 2; }
  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  void FillDrawParams(bool ARefresh) override;
  void CalcPartRects() override;
  void UpdateBrushes() override;
  void DrawInRect(const TRect& R, Byte AState) override;
  void GetTextMargins(Byte AKind, TRect& AMargins) override;
  Integer TextPartWidth() override;
  Integer ExtraWidth() override;
  Integer GlyphPartWidth() override;
  Integer GetHeight() override;
  Integer GetWidth() override { return NormalWidth(); }
  Integer MinimumWidth() override { return TextPartWidth() + MinEditWidth(); }
  bool IsClickable() override;

 protected:
  // The edit font: the item's StyleEdit font when it has one, else the bar window's edit font.
  TFont* EditFont();

 private:
  // Inverts the 2-pixel sizing frame of the width on the screen; drawn twice it is gone.
  void InvertSizingFrame(Integer AWidth);

  std::unique_ptr<TBrush> FEditBrush;
  Integer FEditFontHeight = 0;
  Integer FDragWidth = 0;
  bool FDragsRightEdge = false;
};

class TqzBarEditControl : public TqzBarCustomEditControl {
  TAVREN_CLASS(TqzBarEditControl, TqzBarCustomEditControl)
 public:
  explicit TqzBarEditControl(TqzBarItemLink* ALink);
  ~TqzBarEditControl() override;
  HWND GetEditWindow() const noexcept { return FEditWindow; }

  // True unless the hosted window shows the text (in place and enabled).
  virtual bool PaintsText();

  void UserActivate(bool AByMouse) override;
  bool GetExcludeRect(TRect& R) override;
  void HookWindow() override;
  void UnhookWindow() override;
  HWND GetInnerWindow() override { return FEditWindow; }
  void CommitText(bool AApply) override;
  void AfterInnerPlaced() override;
  void SetInPlaceActive(bool AFlag) override;
  void SetInnerText(const String& AText) override;
  void PrepareInPlace() override;
  void InnerWndProc(TMessage& Message) override;
  void PaintEditArea() override;
  Integer MinEditWidth() override { return 20; }
  void RefreshForEditing() override { FillDrawParams(true); }

 private:
  void CreateEditWindow();

  HWND FEditWindow = nullptr;
};

// The part indexes a spin edit adds: the up and the down button.
constexpr Integer qzSpinUpPart = 3;
constexpr Integer qzSpinDownPart = 4;

// What a spin edit draws by: the pressed button part (-1 none) and its arrows' size.
class TqzBarSpinEditDrawParams : public TqzBarEditLikeControlDrawParams {
  TAVREN_CLASS(TqzBarSpinEditDrawParams, TqzBarEditLikeControlDrawParams)
 public:
  using TqzBarEditLikeControlDrawParams::TqzBarEditLikeControlDrawParams;
  Integer PressedPart = -1;
  TSize ArrowSize;
};
