#pragma once
// The window a drop-down editor opens beside itself, and what it asks of that editor:
//  - IkvEditPopupOwner: the editor's side (owner rectangle, content size and placement, closing,
//    the looks the popup takes, the list that the user's resizing snaps to);
//  - TkvCustomEditPopupWindowViewInfo: the frame in one of four styles, the shadow, the system
//    panel band with its size grip and close button, and the sizing hit test;
//  - TkvCustomEditPopupWindow: size and position rules, the grip corner away from the editor,
//    resizing with the mouse, the close button and the window region;
//  - TkvPopupEditPopupWindow: the popup editor's window, whose 3-D frame always has the client-edge look.
//
// Sources: kvDropDownEditPopupLayout.cpp (view info layout and hit test), kvDropDownEditPopupPaint.cpp
// (frames, grip and close button), kvDropDownEditPopupWindow.cpp (the window, its sizing and region).

#include <memory>

#include "toolkit/editors/kvContainer.h"

enum TkvEditPopupBorderStyle { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
TAVREN_ENUM_INFO(TkvEditPopupBorderStyle, epbsDefault, epbsSingle, epbsFrame3D, epbsFlat);

// Sent by the editor to hand a typed character on to a focus-taking popup.
constexpr UINT KVM_POPUPREPLAYCHAR = 0x8096;

// Close reasons the popup reports to its editor.
constexpr Integer kvcrNone = 0;
constexpr Integer kvcrCancel = 3;
constexpr Integer kvcrAccept = 4;

// The shadow the popup casts at its right and bottom.
constexpr Integer kvEditPopupShadowSize = 3;

// What an edit popup asks of the drop-down editor that owns it. The popup copies nothing of its
// own: the editor configures it before each showing and hears back every user action.
class IkvEditPopupOwner : public virtual IInterface {
  TAVREN_INTERFACE(IkvEditPopupOwner)
 public:
  // The rectangle the popup opens against, in the client coordinates of the editor's parent.
  virtual TRect PopupOwnerBounds() = 0;
  virtual void MeasurePopupContent(Integer& Width, Integer& Height) = 0;
  virtual void PositionPopupContent(const TRect& R) = 0;
  virtual void EndPopup(Integer Reason) = 0;
  virtual void ReleasePopup() = 0;
  virtual bool PopupUsesNativeTheme() = 0;
  // The kind of the look-and-feel of the controls inside the popup.
  virtual TkvLookAndFeelKind PopupControlsLookAndFeelKind() = 0;
  // The skin painter of the popup's own style; nullptr when it is not skinned.
  virtual TkvCustomLookAndFeelPainterClass PopupSkinPainter() = 0;
  virtual bool PopupClampsToWorkArea() = 0;
  // Whether the popup shows the editor's lookup list, whose rows a user's resizing snaps to, and
  // the list's answer to a proposed content size (which it may correct).
  virtual bool PopupShowsLookupList() = 0;
  virtual bool PopupListResizable(TSize& ContentSize, const TSize& MaxContentSize) = 0;
  // The user changed the popup's size with the mouse.
  virtual void PopupSizeChangedByUser() = 0;
};

// ---- View info -----------------------------------------------------------------------------

class TkvCustomEditPopupWindowViewInfo : public TkvContainerViewInfo {
  TAVREN_CLASS(TkvCustomEditPopupWindowViewInfo, TkvContainerViewInfo)
 public:
  TkvCustomEditPopupWindowViewInfo() = default;

  void Draw(TkvCanvas* Canvas) override;

  // Virtual operations, in the order descendants know them.
  virtual void Calculate();
  // Paints the frame into R and shrinks R to the inside of it.
  virtual void DrawFrame(TkvCanvas* Canvas, TRect& R);
  virtual void ClientMargins(TRect& Margins);
  virtual void BorderMargins(TRect& Margins) { ClientMargins(Margins); }
  virtual Integer SysPanelHeightNeeded();
  // Whether a window point answers to sizing, with the direction pair (-1, 0 or +1 on each axis).
  virtual bool SizingPointAt(Integer X, Integer Y, TPoint& Direction);

  // Width of the frame alone, and of the client edge inside it.
  Integer FrameWidth();
  Integer ClientEdgeWidth();
  // Whether a line parts the system panel from the client area.
  bool HasPanelSeparator();
  // Whether the system panel lies at the top (the grip is at a top corner).
  bool PanelAtTop() const { return GripCorner < 2; }
  bool GripAtLeft() const { return GripCorner == 0 || GripCorner == 2; }
  // Sizes of the grip cell and of the close button (0 without one) in the system panel.
  TSize GripCellSize();
  TSize CloseButtonSize();

  bool ClientEdge = false;
  bool Sizeable = false;
  bool SysPanelStyle = false;
  bool ShowCloseButton = false;
  TkvEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  TkvLookAndFeelKind LookAndFeelKind = lfStandard;
  TkvCustomLookAndFeelPainterClass SkinPainter = nullptr;
  Byte CloseButtonState = 1;
  Integer CloseButtonThemeState = 0;
  Integer SysPanelMinHeight = 0;
  Byte GripCorner = 3;
  TRect InnerRect;
  TRect GripCellRect;
  TRect GripRect;
  TRect CloseButtonRect;
  Integer SysPanelHeight = 0;
  Integer SizingZone = 0;

 protected:
  // The panel height the system metrics and the theme ask for, without SysPanelMinHeight.
  Integer BasePanelHeight();
  void PaintParts(TkvCanvas* Canvas);
  void CalculateGripCell();
  void CalculateCloseButton();
  // Whether the close button takes the visual style's look.
  bool ThemedCloseButton();
  void PaintSizeGrip(TkvCanvas* Canvas);
  void PaintCloseButton(TkvCanvas* Canvas);
  void FillContent(TkvCanvas* Canvas, const TRect& R);
};

// The popup editor's view info: its 3-D frame always has the client-edge look.
class TkvPopupEditPopupWindowViewInfo : public TkvCustomEditPopupWindowViewInfo {
  TAVREN_CLASS(TkvPopupEditPopupWindowViewInfo, TkvCustomEditPopupWindowViewInfo)
 public:
  void DrawFrame(TkvCanvas* Canvas, TRect& R) override;
};

// ---- Window --------------------------------------------------------------------------------

class TkvCustomEditPopupWindow : public TkvCustomPopupWindow {
  TAVREN_CLASS(TkvCustomEditPopupWindow, TkvCustomPopupWindow)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomEditPopupWindow(TControl* OwnerControl)
      : TkvCustomEditPopupWindow(OwnerControl, TkvCustomEditPopupWindowViewInfo::ClassInfo()) {}
  ~TkvCustomEditPopupWindow() override;

  bool CanResize(Integer& NewWidth, Integer& NewHeight) override;
  void AdjustClientRect(TRect& Rect) override;
  void ComputePosition(TPoint& Point) override;
  void AdjustToChildren() override;
  bool ClipsToWorkArea() override;
  void FireClosed() override;
  void FireClosing() override;
  void FireShown() override;
  void CloseForModalResult() override;
  void Present(TWinControl* FocusControl) override;

  // Virtual operations, in the order descendants know them.
  virtual void UpdateLayoutInfo();
  virtual void ReplayChar(Char Ch);
  virtual TSize MinimumSize();

  // The owner editor's side; nullptr once the owner is gone.
  IkvEditPopupOwner* GetOwnerEditor();
  TkvCustomEditPopupWindowViewInfo* GetEditViewInfo() const;
  void InvalidateArea(const TRect& R);
  void Relayout();
  void ShowSizeFrame(const TRect& R);
  TSize MaxContentSize();
  void UpdateWindowRegion();
  TkvSizeFrame* GetSizeFrame() const { return FSizeFrame.get(); }

  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  bool GetClientEdge() const { return FClientEdge; }
  void SetClientEdge(bool Value);
  Integer GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(Integer Value) { FMinHeight = Value; }
  Integer GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value) { FMinWidth = Value; }
  Integer GetPopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(Integer Value) { FPopupHeight = Value; }
  Integer GetPopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(Integer Value) { FPopupWidth = Value; }
  bool GetSizeable() const { return FSizeable; }
  void SetSizeable(bool Value);
  bool GetSysPanelStyle() const { return FSysPanelStyle; }
  void SetSysPanelStyle(bool Value);
  bool GetShowCloseButton() const { return FShowCloseButton; }
  void SetShowCloseButton(bool Value);
  TkvEditPopupBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TkvEditPopupBorderStyle Value);
  bool GetNativeStyle() const { return FNativeStyle; }
  void SetNativeStyle(bool Value);
  bool GetShadow() const { return FShadow; }
  void SetShadow(bool Value);
  bool GetCalculating() const { return FCalculating; }
  void SetCalculating(bool Value) { FCalculating = Value; }

 protected:
  // Descendants name their view info class here: a constructor cannot ask its own virtuals.
  TkvCustomEditPopupWindow(TControl* OwnerControl, TkvContainerViewInfoClass ViewInfoClass);
  void CreateParams(TCreateParams& Params) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Resize() override;
  void MouseLeaveHook(TControl* Control) override;
  void KVMPopupReplayChar(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMCancelMode(TMessage& Message);

 private:
  void RefreshOwnerBounds();
  // The look-and-feel kind and skin painter of the editor's popup.
  void TakeOwnerLooks();
  void SetCloseButtonState(Byte State);
  void SizeTo(Integer X, Integer Y);
  void FinishSizing();
  // Ends a resize that lost its capture: no size is applied.
  void AbandonSizing();
  TRect BorderMarginsRect();

  bool FAutoSize = false;
  bool FClientEdge = false;
  Integer FMinHeight = 0;
  Integer FMinWidth = 0;
  Integer FPopupHeight = 0;
  Integer FPopupWidth = 0;
  bool FSizeable = false;
  bool FSysPanelStyle = false;
  bool FShowCloseButton = false;
  TkvEditPopupBorderStyle FBorderStyle = epbsDefault;
  bool FNativeStyle = false;
  bool FShadow = false;
  bool FCalculating = false;
  std::unique_ptr<TkvSizeFrame> FSizeFrame;
};

// The popup editor's window.
class TkvPopupEditPopupWindow : public TkvCustomEditPopupWindow {
  TAVREN_CLASS(TkvPopupEditPopupWindow, TkvCustomEditPopupWindow)
 public:
  explicit TkvPopupEditPopupWindow(TControl* OwnerControl)
      : TkvCustomEditPopupWindow(OwnerControl, TkvPopupEditPopupWindowViewInfo::ClassInfo()) {}
};

// Border and client-edge widths of each popup border style.
Integer EditPopupBorderWidth(TkvEditPopupBorderStyle Style);
Integer EditPopupClientEdgeWidth(TkvEditPopupBorderStyle Style);
// The sizing cursor of a direction pair.
TCursor EditPopupSizingCursor(const TPoint& Direction);
// Whether an edit popup is being resized with the mouse now (one at a time).
bool EditPopupSizing();
