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

#include "toolkit/editors/kvMaskEdit.h"

// Sent by the editor to hand a typed character on to a focus-taking popup.
constexpr UINT KVM_POPUPREPLAYCHAR = 0x8096;
// Posted to the editor: the lookup follows a text change (a paste) once the popup is open.
constexpr UINT KVM_SYNCLOOKUP = 0x8097;

// Why a drop-down editor's popup closed last.
enum TkvPopupCloseReason : Byte { pcrNone, pcrTab, pcrToggle, pcrCancel, pcrAccept };

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
  using TCreateArg = TControl*;
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
  // A press on the editor marks the popup, so that the press that closed it does not open it again.
  bool HandlesOwnerClick(HWND Window, UINT Message, const TPoint& MousePoint, TShiftState Shift) override;

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
  // The editor's window goes: the popup's goes with it and is made again on the next showing.
  void DestroyPopupHandle() { DestroyHandle(); }

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
  void RefreshOwnerBounds();
  // The look-and-feel kind and skin painter of the editor's popup.
  void TakeOwnerLooks();
  TRect BorderMarginsRect();

 private:
  void SetCloseButtonState(Byte State);
  void SizeTo(Integer X, Integer Y);
  void FinishSizing();
  // Ends a resize that lost its capture: no size is applied.
  void AbandonSizing();

  // The owner as an editor, resolved once: layout asks for it at every step. Nil once the owner
  // control has gone.
  IkvEditPopupOwner* FOwnerEditor;
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
  using TCreateArg = TControl*;
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

// ---- Drop-down editor ----------------------------------------------------------------------

class TkvCustomDropDownEdit;

class TkvCustomDropDownEditProperties : public TkvCustomMaskEditProperties {
  TAVREN_CLASS(TkvCustomDropDownEditProperties, TkvCustomMaskEditProperties)
 public:
  explicit TkvCustomDropDownEditProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClass GetEditorClass() override;
  void NotifyChanged() override;
  bool ShowsLookupInPopup() override { return true; }

  // Virtual operations, in the order descendants know them.
  virtual Integer DropDownButtonIndex() { return 0; }
  virtual bool OpensOnTextClick() { return false; }
  // Whether ImmediatePost posts after the popup has hidden (else before).
  virtual bool PostsAfterClose() { return false; }
  virtual TClassOf<TkvCustomEditPopupWindow> PopupWindowClass();
  virtual bool PopupFitsWorkArea() { return true; }
  // Whether the popup takes the focus and the characters typed while it is open.
  virtual bool PopupTakesFocus() { return false; }

  // The glyph of button GlyphButtonNumber (nil without that button); a usable glyph makes it a
  // glyph button, none a drop-down button again.
  TBitmap* GetButtonGlyph();
  void SetButtonGlyph(TBitmap* Value);
  bool IsButtonGlyphStored();
  void MoveGlyphToButton(Integer Index);
  Integer GetGlyphButtonNumber() const { return FGlyphButtonNumber; }

  bool GetImmediateDropDown() const { return FImmediateDropDown; }
  void SetImmediateDropDown(bool Value) { FImmediateDropDown = Value; }
  bool GetImmediatePopup() const { return FImmediatePopup; }
  void SetImmediatePopup(bool Value) { FImmediatePopup = Value; }
  bool GetArrowButtonDownWhileOpen() const { return FArrowButtonDownWhileOpen; }
  void SetArrowButtonDownWhileOpen(bool Value) { Store(FArrowButtonDownWhileOpen, Value); }
  bool GetPopupAutoSize() const { return FPopupAutoSize; }
  void SetPopupAutoSize(bool Value) { FPopupAutoSize = Value; }
  bool GetPopupClientEdge() const { return FPopupClientEdge; }
  void SetPopupClientEdge(bool Value) { Store(FPopupClientEdge, Value); }
  Byte GetPopupOpenDirection() const { return FPopupOpenDirection; }
  void SetPopupOpenDirection(Byte Value) { FPopupOpenDirection = Value; }
  Integer GetPopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(Integer Value);
  Byte GetPopupHorzPlacement() const { return FPopupHorzPlacement; }
  void SetPopupHorzPlacement(Byte Value) { FPopupHorzPlacement = Value; }
  TAlignment GetPopupAlignment() const;
  void SetPopupAlignment(TAlignment Value);
  Integer GetPopupMinHeight() const { return FPopupMinHeight; }
  void SetPopupMinHeight(Integer Value);
  Integer GetPopupMinWidth() const { return FPopupMinWidth; }
  void SetPopupMinWidth(Integer Value);
  bool GetPopupSizeable() const { return FPopupSizeable; }
  void SetPopupSizeable(bool Value) { Store(FPopupSizeable, Value); }
  bool GetPopupSysPanelStyle() const { return FPopupSysPanelStyle; }
  void SetPopupSysPanelStyle(bool Value) { Store(FPopupSysPanelStyle, Value); }
  Byte GetPopupVertPlacement() const { return FPopupVertPlacement; }
  void SetPopupVertPlacement(Byte Value) { FPopupVertPlacement = Value; }
  Integer GetPopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(Integer Value);
  bool GetPostPopupValueOnTab() const { return FPostPopupValueOnTab; }
  void SetPostPopupValueOnTab(bool Value) { FPostPopupValueOnTab = Value; }

  TCloseQueryEvent GetOnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent Value) { FOnCloseQuery = Value; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
  TNotifyEvent GetOnPopupReleased() const { return FOnPopupReleased; }
  void SetOnPopupReleased(TNotifyEvent Value) { FOnPopupReleased = Value; }
  TNotifyEvent GetOnInitPopup() const { return FOnInitPopup; }
  void SetOnInitPopup(TNotifyEvent Value) { FOnInitPopup = Value; }
  TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }

 private:
  TkvEditButton* GlyphButton();

  Integer FGlyphButtonNumber = 0;
  bool FImmediateDropDown = true;
  bool FImmediatePopup = false;
  bool FArrowButtonDownWhileOpen = false;
  bool FPopupAutoSize = true;
  bool FPopupClientEdge = false;
  Byte FPopupOpenDirection = 1;
  Integer FPopupHeight = 0;
  Byte FPopupHorzPlacement = 0;
  Integer FPopupMinHeight = 0;
  Integer FPopupMinWidth = 0;
  bool FPopupSizeable = false;
  bool FPopupSysPanelStyle = false;
  Byte FPopupVertPlacement = 2;
  Integer FPopupWidth = 0;
  bool FPostPopupValueOnTab = false;
  bool FNotifying = false;
  TCloseQueryEvent FOnCloseQuery;
  TNotifyEvent FOnCloseUp;
  TNotifyEvent FOnPopupReleased;
  TNotifyEvent FOnInitPopup;
  TNotifyEvent FOnPopup;
};

// What an in-place drop-down editor keeps between activations: the size the user gave its popup.
class TkvCustomDropDownEditData : public TkvCustomEditData {
  TAVREN_CLASS(TkvCustomDropDownEditData, TkvCustomEditData)
 public:
  using TkvCustomEditData::TkvCustomEditData;
  bool PopupSizeChanged = false;
  Integer PopupWidth = 0;
  Integer PopupHeight = 0;
};

// The layout of a drop-down editor: its button stays pressed while the popup is open, and the
// strict-list style shows its text as a selection bar while focused and closed.
class TkvCustomDropDownEditViewData : public TkvCustomTextEditViewData {
  TAVREN_CLASS(TkvCustomDropDownEditViewData, TkvCustomTextEditViewData)
 public:
  using TkvCustomTextEditViewData::TkvCustomTextEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  bool IsButtonPressed(TkvCustomEditViewInfo* ViewInfo, Integer Index) override;
  Integer GetNativeState() override;
  TkvCustomDropDownEditProperties* GetDropDownProperties() {
    return static_cast<TkvCustomDropDownEditProperties*>(Properties);
  }
  // Whether the drop-down button shows its own state (not while the popup is open under the mouse).
  bool ButtonShowsState(Integer Index);

  bool HasPopupWindow = false;
  bool IsHotAndPopup = false;
  bool ButtonStaysPressed = false;
};

// The inner edit of drop-down editors: no hint while the popup is open.
class TkvCustomDropDownInnerEdit : public TkvCustomInnerTextEdit {
  TAVREN_CLASS(TkvCustomDropDownInnerEdit, TkvCustomInnerTextEdit)
  TAVREN_MESSAGES()
 public:
  using TkvCustomInnerTextEdit::TkvCustomInnerTextEdit;

 protected:
  void CMHintShow(TMessage& Message);
};

// The look-and-feel the controls inside the popup take: the editor's kind, native style and skin.
class TkvEditPopupControlLookAndFeel : public TkvLookAndFeel {
  TAVREN_CLASS(TkvEditPopupControlLookAndFeel, TkvLookAndFeel)
 public:
  explicit TkvEditPopupControlLookAndFeel(TkvCustomDropDownEdit* AEdit);
  TkvLookAndFeelKind EffectiveKind() override;
  bool EffectiveNativeStyle() override;
  TqzSkinName EffectiveSkinName() override;
  // Compares the values it reported last with the editor's and tells its listeners what changed.
  void Recheck();

 private:
  TkvCustomDropDownEdit* FEdit;
  TkvLookAndFeelKind FReportedKind = lfStandard;
  bool FReportedNativeStyle = false;
  TqzSkinName FReportedSkinName;
};

// The masked text editor with a drop-down button and a popup window: when the popup opens, how it
// is prepared, sized, placed and shown, where the keys go meanwhile, why it closes and what is
// posted then.
class TkvCustomDropDownEdit : public TkvCustomMaskEdit, public IkvEditPopupOwner {
  TAVREN_CLASS(TkvCustomDropDownEdit, TkvCustomMaskEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomDropDownEdit(TComponent* AOwner)
      : TkvCustomDropDownEdit(AOwner, false, TkvCustomDropDownEditProperties::ClassInfo()) {}
  ~TkvCustomDropDownEdit() override;
  void BeforeDestruction() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomDropDownEditProperties::ClassInfo(); }

  // The popup's side.
  TRect PopupOwnerBounds() override;
  void MeasurePopupContent(Integer& Width, Integer& Height) override;
  void PositionPopupContent(const TRect& R) override;
  void EndPopup(Integer Reason) override;
  void ReleasePopup() override;
  bool PopupUsesNativeTheme() override { return UsesNativeTheme(); }
  TkvLookAndFeelKind PopupControlsLookAndFeelKind() override;
  TkvCustomLookAndFeelPainterClass PopupSkinPainter() override;
  bool PopupClampsToWorkArea() override { return DropDownProperties()->PopupFitsWorkArea(); }
  bool PopupShowsLookupList() override;
  bool PopupListResizable(TSize& ContentSize, const TSize& MaxContentSize) override;
  void PopupSizeChangedByUser() override;

  // Framework operations.
  bool IsPopupOpen() override;
  TkvCustomEditViewData* MakeViewData() override;
  void AfterButtonDown(Integer Index) override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void HandleKeyPress(Char& Character) override;
  void BeforeTabNavigation(TShiftState Shift) override;
  TClassOf<TkvCustomEditData> GetEditDataClass() override { return TkvCustomDropDownEditData::ClassInfo(); }
  void InitFromEditData() override;
  bool RefiresKeyDownEvent(Word Key, TShiftState Shift) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  bool ReplaysActivationChar(Char Ch) override;
  void BeginInplaceEdit(TkvCustomEditData*& Data) override;
  void BeginInplaceEditWithKey(Char Key, TkvCustomEditData*& Data) override;
  void BeginInplaceEditByMouse(TShiftState Shift, Integer X, Integer Y, TkvCustomEditData*& Data) override;
  void ClipboardPaste() override;
  bool LookupKeysScroll(bool ByWheel) override;
  bool CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) override;
  TkvContainerStyleValues GetHiddenStyleValues() override;
  void ApplyStyle(TObject* Style) override;
  void FireFocusChanged() override;
  bool Focused() override;

  // New operations, in the order descendants know them.
  virtual bool CanOpenPopup() { return false; }
  virtual void FireCloseUp();
  virtual void PreparePopup();
  virtual void FirePopup();
  virtual void OpenPopup();
  virtual TWinControl* GetPopupFocusControl();
  virtual void InitLookupVisualArea();
  virtual void ConfigurePopupWindow();
  virtual void PopupControlsLookAndFeelChanged(TkvLookAndFeel*, TkvLookAndFeelValues) {}
  virtual void DisplayPopup();
  // Ends the in-place editing: the popup closes and a pending opening is dropped.
  virtual void EndInplaceEdit();

  // Events of the popup window.
  virtual void AfterPopupClose(TObject* Sender);
  virtual void AskCloseQuery(TObject* Sender, bool& CanClose);
  virtual void BeforePopupClosing(TObject*) {}
  virtual void BeforePopupShowing(TObject*) {}
  virtual void AfterPopupShow(TObject* Sender);

  bool GetDroppedDown() { return IsPopupOpen(); }
  void SetDroppedDown(bool Value) { SetPopupOpen(Value); }
  void SetPopupOpen(bool Open);
  // A queued show message is dropped and taken for a closing.
  void CancelPendingPopup();
  void UpdateHotAndOpen();
  TkvCustomEditPopupWindow* GetPopupWindow() const { return FPopupWindow.get(); }
  TkvPopupCloseReason GetCloseUpReason() const { return FCloseUpReason; }
  void SetCloseUpReason(TkvPopupCloseReason Value) { FCloseUpReason = Value; }
  bool GetPopupSizeChanged() const { return FPopupSizeChanged; }
  bool IsPopupPrepared() const { return FPopupPrepared; }
  bool GetHotAndOpen() const { return FHotAndOpen; }
  TkvEditPopupControlLookAndFeel* GetPopupControlsLookAndFeel() const { return FPopupControlsLookAndFeel.get(); }
  TkvCustomDropDownEditProperties* DropDownProperties() {
    return static_cast<TkvCustomDropDownEditProperties*>(GetEffectiveProperties());
  }

 protected:
  TkvCustomDropDownEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
                        TClassOf<TWinControl> AInnerEditClass = TkvCustomDropDownInnerEdit::ClassInfo());
  void CreateHandle() override;
  void DestroyWnd() override;
  void DoExit() override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMHintShow(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void KVMSyncLookup(TMessage& Message);
  // The lookup follows the editor's text while the popup is open (a paste).
  void SyncLookupAfterTextChange();
  bool HasShowMessageQueued();
  IkvTextEditLookupData* PopupLookup();
  // Fires a handler of the own Properties, then of the repository item's; stops when freed.
  void FirePropertiesEvent(TNotifyEvent (TkvCustomDropDownEditProperties::*Getter)() const);

  bool FActivatingByMouse = false;
  bool FPopupSizeChangedByMouse = false;

 private:
  void MakePopupWindow();
  void PostReplayChar(Char Ch);

  std::unique_ptr<TkvCustomEditPopupWindow> FPopupWindow;
  std::unique_ptr<TkvEditPopupControlLookAndFeel> FPopupControlsLookAndFeel;
  TkvPopupCloseReason FCloseUpReason = pcrNone;
  bool FPopupPrepared = false;
  bool FHotAndOpen = false;
  bool FPopupSizeChanged = false;
  // Set while EndPopup closes the popup, so that a focus change it causes does not close again.
  bool FClosing = false;
};

// ---- Combo box -----------------------------------------------------------------------------

class TkvCustomComboBox;

enum TkvEditDropDownListStyle { lsEditFixedList, lsEditList, lsFixedList };
TAVREN_ENUM_INFO(TkvEditDropDownListStyle, lsEditFixedList, lsEditList, lsFixedList);

using TkvEditDrawItemEvent = TEvent<void(TkvCustomComboBox* AControl, TkvCanvas* ACanvas, Integer AIndex,
                                         const TRect& ARect, TOwnerDrawState AState)>;
using TkvEditMeasureItemEvent =
    TEvent<void(TkvCustomComboBox* AControl, Integer AIndex, TkvCanvas* ACanvas, Integer& AHeight)>;

class TkvCustomComboBoxProperties : public TkvCustomDropDownEditProperties {
  TAVREN_CLASS(TkvCustomComboBoxProperties, TkvCustomDropDownEditProperties)
 public:
  using TkvCustomDropDownEditProperties::TkvCustomDropDownEditProperties;
  void Assign(TPersistent* Source) override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  Integer LookupPageRows() override { return FDropDownRows; }
  Byte EditingStyleCode() override;
  // The list is the combo's content, mask or not.
  TClassOf<TkvCustomTextEditLookupData> LookupDataClass() override;
  bool OpensOnTextClick() override { return FDropDownListStyle == lsFixedList; }
  TClassOf<TkvCustomEditPopupWindow> PopupWindowClass() override;

  TkvEditDropDownListStyle GetDropDownListStyle() const { return FDropDownListStyle; }
  void SetDropDownListStyle(TkvEditDropDownListStyle Value) { Store(FDropDownListStyle, Value); }
  Integer GetDropDownRows() const { return FDropDownRows; }
  // Only positive counts are taken.
  void SetDropDownRows(Integer Value);
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value) { Store(FItemHeight, Value); }
  bool GetRevertable() const { return FRevertable; }
  void SetRevertable(bool Value) { FRevertable = Value; }
  TStrings* GetItems() const { return GetLookupItems(); }
  void SetItems(TStrings* Value) { SetLookupItems(Value); }
  bool GetSorted() const { return GetLookupItemsSorted(); }
  void SetSorted(bool Value) { SetLookupItemsSorted(Value); }
  bool GetDropDownAutoWidth() const { return GetPopupAutoSize(); }
  void SetDropDownAutoWidth(bool Value) { SetPopupAutoSize(Value); }
  bool GetDropDownSizeable() const { return GetPopupSizeable(); }
  void SetDropDownSizeable(bool Value) { SetPopupSizeable(Value); }
  Integer GetDropDownWidth() const { return GetPopupWidth(); }
  void SetDropDownWidth(Integer Value) { SetPopupWidth(Value); }
  TkvEditDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TkvEditDrawItemEvent Value) { FOnDrawItem = Value; }
  TkvEditMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TkvEditMeasureItemEvent Value) { FOnMeasureItem = Value; }

 private:
  TkvEditDropDownListStyle FDropDownListStyle = lsEditList;
  Integer FDropDownRows = 8;
  Integer FItemHeight = 0;
  bool FRevertable = false;
  TkvEditDrawItemEvent FOnDrawItem;
  TkvEditMeasureItemEvent FOnMeasureItem;
};

// The settings the combo box publishes.
class TkvComboBoxProperties : public TkvCustomComboBoxProperties {
  TAVREN_CLASS(TkvComboBoxProperties, TkvCustomComboBoxProperties)
 public:
  using TkvCustomComboBoxProperties::TkvCustomComboBoxProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// The list in a combo box's popup: owner-drawn rows of the lookup items, whose heights the combo
// may measure and whose drawing it may take over.
class TkvCustomComboBoxListBox : public TkvCustomEditListBox {
  TAVREN_CLASS(TkvCustomComboBoxListBox, TkvCustomEditListBox)
 public:
  explicit TkvCustomComboBoxListBox(TComponent* AOwner);
  TkvCustomComboBox* GetCombo();
  // The height of row Index (-1: the row height the list is made with).
  virtual Integer ItemRowHeight(Integer Index);
  // The height of the first Count rows.
  Integer SumRowHeights(Integer Count);
  Integer RowHeight() override { return ItemRowHeight(-1); }
  // The combo's lookup item: the list itself holds empty rows.
  String RowText(Integer Index) override;
  void PrepareForShowing() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void MeasureItem(Integer Index, Integer& Height) override;
  bool DrawsItemItself(Integer Index, const TRect& Rect, TOwnerDrawState State) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
};

class TkvComboBoxListBox : public TkvCustomComboBoxListBox {
  TAVREN_CLASS(TkvComboBoxListBox, TkvCustomComboBoxListBox)
 public:
  using TkvCustomComboBoxListBox::TkvCustomComboBoxListBox;
};

// The lookup behind a combo box, which shows its items in the popup's list.
class TkvComboBoxLookupData : public TkvCustomTextEditLookupData {
  TAVREN_CLASS(TkvComboBoxLookupData, TkvCustomTextEditLookupData)
 public:
  using TkvCustomTextEditLookupData::TkvCustomTextEditLookupData;
  TkvCustomEditListBoxClass ListBoxClass() override { return TkvComboBoxListBox::ClassInfo(); }
  void PrepareList(TWinControl* Parent) override;
  TkvCustomComboBoxListBox* ComboList() { return static_cast<TkvCustomComboBoxListBox*>(GetList()); }
  // The size the list asks for: DropDownRows rows (MaxHeight > 0 limits them) and the widest item;
  // scroll bars are counted where they show.
  TSize MeasureList(Integer MaxHeight, Integer AvailableWidth);
  // Corrects a proposed content size to whole rows within the limits (0: unlimited).
  bool ResizeList(TSize& Size, Integer MaxHeight, Integer MaxWidth);
  void ItemListChanged() override;

 private:
  // The widest item's text width in Font. Every item is measured once, then again only after
  // the items or the font change: a list of thousands opens without measuring them each time.
  Integer WidestItemWidth(TFont* Font);
  struct TWidestItem {
    bool Valid = false;
    Integer Count = 0;
    String FontName;
    Integer FontHeight = 0;
    TFontStyles FontStyle;
    Integer Width = 0;
  } FWidest;
};

// The combo's popup: the list's rows decide its size.
class TkvComboBoxPopupWindow : public TkvCustomEditPopupWindow {
  TAVREN_CLASS(TkvComboBoxPopupWindow, TkvCustomEditPopupWindow)
 public:
  using TCreateArg = TControl*;
  explicit TkvComboBoxPopupWindow(TControl* OwnerControl) : TkvCustomEditPopupWindow(OwnerControl) {}
  void AdjustToChildren() override;
};

// The edit area of a strict-list combo with a draw handler: the chosen item drawn by the handler.
class TkvCustomComboBoxViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvCustomComboBoxViewInfo, TkvCustomTextEditViewInfo)
 public:
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void DrawEditItem(TkvCustomTextEditViewInfo* Sender, TkvCanvas* Canvas, const TRect& R);
  // Binds or unbinds the item drawing by ItemIndex.
  void UpdateOwnerDrawing();

  Integer ItemIndex = -1;
  TkvCustomComboBoxProperties* ComboProperties = nullptr;
};

class TkvCustomComboBoxViewData : public TkvCustomDropDownEditViewData {
  TAVREN_CLASS(TkvCustomComboBoxViewData, TkvCustomDropDownEditViewData)
 public:
  using TkvCustomDropDownEditViewData::TkvCustomDropDownEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  bool UsesNativeTextLook() override { return true; }
};

class TkvCustomComboBoxInnerEdit : public TkvCustomDropDownInnerEdit {
  TAVREN_CLASS(TkvCustomComboBoxInnerEdit, TkvCustomDropDownInnerEdit)
  TAVREN_MESSAGES()
 public:
  using TkvCustomDropDownInnerEdit::TkvCustomDropDownInnerEdit;

 protected:
  void WMLButtonUp(TMessage& Message);
};

// The drop-down editor whose popup lists the lookup items: picked with the mouse or the keys,
// searched as the user types, stepped through by double clicks, and in the strict-list style
// drawn in the edit area by the draw handler.
class TkvCustomComboBox : public TkvCustomDropDownEdit {
  TAVREN_CLASS(TkvCustomComboBox, TkvCustomDropDownEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomComboBox(TComponent* AOwner)
      : TkvCustomComboBox(AOwner, false, TkvCustomComboBoxProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomComboBoxProperties::ClassInfo(); }

  void HandleInnerEditChange() override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void BeginInplaceEdit(TkvCustomEditData*& Data) override;
  bool CanOpenPopup() override;
  void MeasurePopupContent(Integer& Width, Integer& Height) override;
  void ConfigurePopupWindow() override;
  void DisplayPopup() override;
  void AfterPopupShow(TObject* Sender) override;
  bool PopupListResizable(TSize& ContentSize, const TSize& MaxContentSize) override;
  void DblClick() override;

  bool ShouldSyncLookup();
  void SyncLookupText();
  void DoDrawItem(TkvCanvas* ACanvas, Integer AIndex, const TRect& ARect, TOwnerDrawState AState);
  void DoMeasureItem(Integer AIndex, TkvCanvas* ACanvas, Integer& AHeight);
  bool HasDrawItemHandler();
  bool HasMeasureItemHandler();
  TkvComboBoxLookupData* GetComboLookupData() { return static_cast<TkvComboBoxLookupData*>(GetLookupData()); }
  TkvCustomComboBoxProperties* ComboProperties() {
    return static_cast<TkvCustomComboBoxProperties*>(GetEffectiveProperties());
  }
  bool GetPopupMouseMoveLocked() const { return FPopupMouseMoveLocked; }
  void SetPopupMouseMoveLocked(bool Value) { FPopupMouseMoveLocked = Value; }

 protected:
  TkvCustomComboBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void DoExit() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void WMLButtonUp(TMessage& Message);

 private:
  bool FPopupMouseMoveLocked = false;
};

class TkvComboBox : public TkvCustomComboBox {
  TAVREN_CLASS(TkvComboBox, TkvCustomComboBox)
 public:
  explicit TkvComboBox(TComponent* AOwner) : TkvCustomComboBox(AOwner, false, TkvComboBoxProperties::ClassInfo()) {}
  TkvComboBox(TComponent* AOwner, bool AInplace)
      : TkvCustomComboBox(AOwner, AInplace, TkvComboBoxProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvComboBoxProperties::ClassInfo(); }
  TkvComboBoxProperties* GetComboBoxProperties() const {
    return static_cast<TkvComboBoxProperties*>(GetProperties());
  }
  void SetComboBoxProperties(TkvComboBoxProperties* Value) { SetProperties(Value); }
  TkvComboBoxProperties* GetActiveComboBoxProperties() {
    return static_cast<TkvComboBoxProperties*>(GetEffectiveProperties());
  }
};

// ---- Filter rows ---------------------------------------------------------------------------

// Drop-down editors keep their button in filter rows.
class TkvFilterDropDownEditHelper : public TkvFilterMaskEditHelper {
  TAVREN_CLASS(TkvFilterDropDownEditHelper, TkvFilterMaskEditHelper)
 public:
  bool KeepsButtons() override { return true; }
};

class TkvFilterComboBoxHelper : public TkvFilterDropDownEditHelper {
  TAVREN_CLASS(TkvFilterComboBoxHelper, TkvFilterDropDownEditHelper)
 public:
  TClass FilterEditorClass() override { return TkvComboBox::ClassInfo(); }
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
};

// ---- Popup editor --------------------------------------------------------------------------

constexpr Integer skvEditCircularReferencing = 64412;

// The settings of editors whose popup hosts a control of the form.
class TkvCustomPopupEditProperties : public TkvCustomDropDownEditProperties {
  TAVREN_CLASS(TkvCustomPopupEditProperties, TkvCustomDropDownEditProperties)
 public:
  explicit TkvCustomPopupEditProperties(TPersistent* AOwner);
  ~TkvCustomPopupEditProperties() override;
  void Assign(TPersistent* Source) override;
  void ComponentFreed(TComponent* Component) override;
  TClass GetEditorClass() override;
  bool ShowsLookupInPopup() override { return false; }
  TClassOf<TkvCustomEditPopupWindow> PopupWindowClass() override;
  bool PopupTakesFocus() override { return true; }

  // Not owned; forgotten when it is destroyed.
  TControl* GetPopupControl() const { return FPopupControl; }
  void SetPopupControl(TControl* Value);

 private:
  TControl* FPopupControl = nullptr;
};

class TkvPopupEditProperties : public TkvCustomPopupEditProperties {
  TAVREN_CLASS(TkvPopupEditProperties, TkvCustomPopupEditProperties)
 public:
  explicit TkvPopupEditProperties(TPersistent* AOwner);
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// The drop-down editor whose popup shows a control of the form: the control moves into the popup
// while it is open and goes back to its place when it closes.
class TkvCustomPopupEdit : public TkvCustomDropDownEdit {
  TAVREN_CLASS(TkvCustomPopupEdit, TkvCustomDropDownEdit)
 public:
  explicit TkvCustomPopupEdit(TComponent* AOwner)
      : TkvCustomPopupEdit(AOwner, false, TkvCustomPopupEditProperties::ClassInfo()) {}
  void BeforeDestruction() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomPopupEditProperties::ClassInfo(); }

  bool CanOpenPopup() override { return PopupEditProperties()->GetPopupControl() != nullptr; }
  // Raises EkvEditError when the control would hold the editor or is the popup itself.
  void PreparePopup() override;
  TWinControl* GetPopupFocusControl() override;
  void MeasurePopupContent(Integer& Width, Integer& Height) override;
  void PositionPopupContent(const TRect& R) override;
  void DisplayPopup() override;
  void AfterPopupClose(TObject* Sender) override;

  // Closes the popup from a handler of the hosted control (CloseUpReason := Reason).
  virtual void PostClosePopup(TkvPopupCloseReason Reason);
  virtual void RestorePopupControl();
  virtual void SavePopupControlPlacement();

  TkvCustomPopupEditProperties* PopupEditProperties() {
    return static_cast<TkvCustomPopupEditProperties*>(GetEffectiveProperties());
  }

 protected:
  TkvCustomPopupEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
      : TkvCustomDropDownEdit(AOwner, AInplace, APropertiesClass) {}

 private:
  // Where the hosted control was before it moved into the popup.
  struct TPlacement {
    TWinControl* Parent = nullptr;
    TAlign Align = alNone;
    TRect Bounds;
    bool Visible = false;
    TFormBorderStyle BorderStyle = bsNone;
  };
  TControl* FHostedControl = nullptr;
  TPlacement FPlacement;
};

class TkvPopupEdit : public TkvCustomPopupEdit {
  TAVREN_CLASS(TkvPopupEdit, TkvCustomPopupEdit)
 public:
  explicit TkvPopupEdit(TComponent* AOwner) : TkvCustomPopupEdit(AOwner, false, TkvPopupEditProperties::ClassInfo()) {}
  TkvPopupEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomPopupEdit(AOwner, AInplace, TkvPopupEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvPopupEditProperties::ClassInfo(); }
  TkvPopupEditProperties* GetPopupEditProperties() const {
    return static_cast<TkvPopupEditProperties*>(GetProperties());
  }
  void SetPopupEditProperties(TkvPopupEditProperties* Value) { SetProperties(Value); }
};

// ---- Unit ----------------------------------------------------------------------------------

// After kvMaskEditStart: registers the drop-down editors' Properties and the combo's filter helper.
void kvDropDownEditStart();
void kvDropDownEditEnd();
