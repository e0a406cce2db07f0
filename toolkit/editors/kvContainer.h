#pragma once
// The styled container every editor stands on, and what the editor units share with it:
//  - TkvContainerStyle / TkvContainerStyles / TkvStyleController: four state styles whose ten
//    values resolve own value -> controller's style of the same state -> built-in fallback;
//  - TkvContainerViewInfo and TkvContainer: a TkvControl that paints its border, shadow and
//    background from the active style, hosts one native inner control on its client area,
//    forwards keys to it, mirrors its native scroll bars and shapes its window with a region;
//  - the unit routines: border widths, rectangle bands, window and region helpers, message
//    draining, the framework-access class and buffered painting.
//
//  - TkvCustomInnerListBox, the native list box containers host;
//  - TkvCustomPopupWindow, the drop-down window, with the shown list and the thread hooks.
//
// Sources: kvContainerStyles.cpp (styles and controller), kvContainerControl.cpp (view info and
// container), kvContainerListBox.cpp (inner list box), kvContainerPopups.cpp (popups and hooks),
// kvContainerRoutines.cpp (routines, unit start and end).

#include <memory>
#include <vector>

#include "controls/ScrollBars.h"
#include "rtl/Interfaces.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/foundation/kvScrollBar.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"

class TkvContainer;
class TkvContainerStyle;
class TkvStyleController;

TAVREN_ENUM_INFO(TkvBorder, bLeft, bTop, bRight, bBottom);

// Private messages of the container.
constexpr UINT KVM_CONTAINERCREATED = 0x807F;        // first view computation once the window exists
constexpr UINT KVM_UPDATEINNERSCROLLBARS = 0x8080;   // mirror the inner control's bars again
constexpr UINT KVM_BUFFEREDREPAINT = 0x8081;         // repaint buffered (on a glass frame)

// Container state bits.
enum TkvContainerStateItem { csNormal, csActive, csDisabled, csHot };
using TkvContainerState = TSet<TkvContainerStateItem, 4>;

enum TkvContainerBorderStyle { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };
TAVREN_ENUM_INFO(TkvContainerBorderStyle, cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11);

// Style values 0..31: the container style defines 0..9, the edit styles go on from 10.
using TkvContainerStyleValue = Integer;
using TkvContainerStyleValues = TSet<TkvContainerStyleValue, 32>;
constexpr TkvContainerStyleValue svBorderColor = 0;
constexpr TkvContainerStyleValue svBorderStyle = 1;
constexpr TkvContainerStyleValue svColor = 2;
constexpr TkvContainerStyleValue svEdges = 3;
constexpr TkvContainerStyleValue svFont = 4;
constexpr TkvContainerStyleValue svHotTrack = 5;
constexpr TkvContainerStyleValue svShadow = 6;
constexpr TkvContainerStyleValue svTextColor = 7;
constexpr TkvContainerStyleValue svTextStyle = 8;
constexpr TkvContainerStyleValue svTransparentBorder = 9;

// State of a style: its index in the style set.
constexpr Byte kvcsNormal = 0;
constexpr Byte kvcsFocused = 1;
constexpr Byte kvcsDisabled = 2;
constexpr Byte kvcsHot = 3;

// ---- Styles --------------------------------------------------------------------------------

// The constructor arguments of a style, so that a style class reference can create one.
class TkvContainerStyleArgs : public TObject {
  TAVREN_CLASS(TkvContainerStyleArgs, TObject)
 public:
  TkvContainerStyleArgs(TPersistent* AOwner, Byte AState, TkvContainerStyle* AParentStyle, bool ADirectAccess)
      : Owner(AOwner), State(AState), ParentStyle(AParentStyle), DirectAccess(ADirectAccess) {}
  TPersistent* Owner;
  Byte State;
  TkvContainerStyle* ParentStyle;
  bool DirectAccess;
};

class TkvContainerStyle : public TkvInterfacedPersistent {
  TAVREN_CLASS(TkvContainerStyle, TkvInterfacedPersistent)
 public:
  using TCreateArg = TkvContainerStyleArgs*;
  explicit TkvContainerStyle(TkvContainerStyleArgs* Args);
  ~TkvContainerStyle() override;
  void Assign(TPersistent* Source) override;

  void LockChanges() { ++FUpdateCount; }
  void UnlockChanges();

  // Published values.
  TkvContainerStyleValues GetAssignedValues() const;
  void SetAssignedValues(TkvContainerStyleValues Value);
  TColor GetBorderColor();
  void SetBorderColor(TColor Value);
  TkvContainerBorderStyle GetBorderStyle();
  void SetBorderStyle(TkvContainerBorderStyle Value);
  void SetColor(TColor Value);
  TkvBorders GetEdges();
  void SetEdges(TkvBorders Value);
  TFont* GetFont();
  void SetFont(TFont* Value);
  bool GetHotTrack();
  void SetHotTrack(bool Value);
  TkvLookAndFeel* GetLookAndFeel();
  void SetLookAndFeel(TkvLookAndFeel* Value);
  bool GetShadow();
  void SetShadow(bool Value);
  TkvStyleController* GetStyleController();
  void SetStyleController(TkvStyleController* Value);
  void SetTextColor(TColor Value);
  void SetTextStyle(TFontStyles Value);
  bool GetTransparentBorder();
  void SetTransparentBorder(bool Value);
  // The Color and TextColor / TextStyle getters: resolved through the chain.
  TColor GetColor() { return ResolveColor(); }
  TColor GetTextColor() { return ResolveTextColor(); }
  TFontStyles GetTextStyle() { return ResolveTextStyle(); }

  // The controller in effect, the default one included.
  TkvStyleController* EffectiveStyleController();
  TkvContainerStyle* RootStyle() { return FParentStyle ? FParentStyle : this; }
  bool IsRootStyle() const { return FParentStyle == nullptr; }
  TkvContainer* OwningContainer();
  Byte GetState() const { return FState; }
  bool GetDirectAccess() const { return FDirectAccess; }
  TFont* GetEffectiveFont();
  bool FindStyleValue(const String& Name, TkvContainerStyleValue& Value);
  bool PublishesStyleProperty(const String& Name);
  void SyncFont();
  // Clears the value's bit directly, without a change notice.
  void DropAssignedValue(TkvContainerStyleValue Value) { FAssignedValues.Exclude(Value); }
  bool IsDestroying() const { return FDestroying; }
  TNotifyEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(TNotifyEvent Value) { FOnChanged = Value; }

  // Virtual operations, in the order descendants know them.
  virtual void NotifyChange();
  virtual void ControllerChanged(TkvStyleController* Controller);
  virtual void ControllerFreed(TkvStyleController* Controller);
  virtual TColor FallbackBorderColor();
  virtual TkvContainerBorderStyle FallbackBorderStyle();
  virtual TColor FallbackColor();
  virtual TkvBorders FallbackEdges() { return kvAllBorders; }
  virtual bool FallbackHotTrack() { return true; }
  virtual bool FallbackShadow() { return false; }
  virtual TColor FallbackTextColor();
  virtual TFontStyles FallbackTextStyle();
  virtual bool FallbackTransparentBorder() { return true; }
  virtual void OwnFontModified(TObject* Sender);
  virtual TColor ResolveColor();
  virtual TkvStyleController* DefaultStyleController();
  virtual TColor ControlColor();
  virtual TColor ResolveTextColor();
  virtual TFontStyles ResolveTextStyle();
  virtual TkvContainerStyleValues BaseOnlyStyleValues();
  virtual Integer StyleValueCount() { return 10; }
  virtual bool StyleValueName(TkvContainerStyleValue Value, String& Name);
  virtual bool ShowsBorder() { return FParentStyle ? FParentStyle->ShowsBorder() : true; }
  virtual bool IsValueAssigned(TkvContainerStyleValue Value);
  virtual void ResetValues();

  // Direct-access mode: the style data handed in by painting code that has no control.
  void SetDirectData(TColor Color, TFont* Font, TColor TextColor);

  // Stored tests of the published values.
  bool IsBorderColorStored() { return IsValueStored(svBorderColor); }
  bool IsBorderStyleStored() { return IsValueStored(svBorderStyle); }
  bool IsColorStored() { return IsValueStored(svColor); }
  bool IsEdgesStored() { return IsValueStored(svEdges); }
  bool IsFontStored() { return IsValueStored(svFont); }
  bool IsHotTrackStored() { return IsValueStored(svHotTrack); }
  bool IsShadowStored() { return IsValueStored(svShadow); }
  bool IsTextColorStored() { return IsValueStored(svTextColor); }
  bool IsTextStyleStored() { return IsValueStored(svTextStyle); }
  bool IsTransparentBorderStored() { return IsValueStored(svTransparentBorder); }
  bool IsStyleControllerStored() { return FState == kvcsNormal && GetStyleController() != nullptr; }

 protected:
  void DefineProperties(TFiler* Filer) override;
  // The assigned-value lookup: this style, then the controller's style of the same state.
  TkvContainerStyle* FindAssignedStyle(TkvContainerStyleValue Value);
  bool IsValueStored(TkvContainerStyleValue Value);
  bool IsBaseOnly(TkvContainerStyleValue Value) { return BaseOnlyStyleValues().Contains(Value); }
  void MarkAssigned(TkvContainerStyleValue Value) { FAssignedValues.Include(Value); }
  void CheckChanges();
  bool DefaultsToParentColor();

  TkvContainerStyleValues FAssignedValues;

 private:
  void LookAndFeelChanged(TkvLookAndFeel*, TkvLookAndFeelValues) { NotifyChange(); }
  void ResetFont();

  TPersistent* FOwner;
  Byte FState;
  TkvContainerStyle* FParentStyle;
  bool FDirectAccess;
  TColor FBorderColor = clWindowFrame;
  TkvContainerBorderStyle FBorderStyle = cbsNone;
  TkvBorders FEdges = kvAllBorders;
  bool FHotTrack = true;
  bool FShadow = false;
  bool FTransparentBorder = true;
  TFontStyles FTextStyle;
  TColor FColor = clWindow;
  TFont* FFont = nullptr;  // owned by the base style unless in direct-access mode
  TColor FTextColor = clWindowText;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  TkvStyleController* FStyleController = nullptr;
  std::unique_ptr<TFont> FVisibleFont;
  bool FModified = false;
  Integer FUpdateCount = 0;
  Integer FFontAssignedLock = 0;
  bool FDestroying = false;
  TNotifyEvent FOnChanged;
};
using TkvContainerStyleClass = TClassOf<TkvContainerStyle>;

// The four styles of a control: normal, focused, disabled, hot.
class TkvContainerStylesArgs : public TObject {
  TAVREN_CLASS(TkvContainerStylesArgs, TObject)
 public:
  TkvContainerStylesArgs(TPersistent* AOwner, TkvContainerStyleClass AStyleClass)
      : Owner(AOwner), StyleClass(AStyleClass) {}
  TPersistent* Owner;
  TkvContainerStyleClass StyleClass;
};

class TkvContainerStyles : public TObject {
  TAVREN_CLASS(TkvContainerStyles, TObject)
 public:
  using TCreateArg = TkvContainerStylesArgs*;
  explicit TkvContainerStyles(TkvContainerStylesArgs* Args);
  ~TkvContainerStyles() override;

  TkvContainerStyle* StyleOfState(Byte State) const { return FStyles[State & 3].get(); }
  TkvContainerStyle* GetNormalStyle() const { return StyleOfState(kvcsNormal); }
  TkvContainerStyle* GetFocusedStyle() const { return StyleOfState(kvcsFocused); }
  TkvContainerStyle* GetDisabledStyle() const { return StyleOfState(kvcsDisabled); }
  TkvContainerStyle* GetHotStyle() const { return StyleOfState(kvcsHot); }
  void AssignStyleOfState(Byte State, TkvContainerStyle* Style) { StyleOfState(State)->Assign(Style); }
  void SetNormalStyle(TkvContainerStyle* Style) { AssignStyleOfState(kvcsNormal, Style); }
  void SetFocusedStyle(TkvContainerStyle* Style) { AssignStyleOfState(kvcsFocused, Style); }
  void SetDisabledStyle(TkvContainerStyle* Style) { AssignStyleOfState(kvcsDisabled, Style); }
  void SetHotStyle(TkvContainerStyle* Style) { AssignStyleOfState(kvcsHot, Style); }
  void BindOnChanged(TNotifyEvent Handler);

 private:
  std::unique_ptr<TkvContainerStyle> FStyles[4];
};
using TkvContainerStylesClass = TClassOf<TkvContainerStyles>;

// Holds four styles whose values many controls share.
class TkvStyleController : public TComponent {
  TAVREN_CLASS(TkvStyleController, TComponent)
 public:
  explicit TkvStyleController(TComponent* AOwner)
      : TkvStyleController(AOwner, TkvContainerStyle::ClassInfo(), TkvContainerStyles::ClassInfo()) {}
  ~TkvStyleController() override;

  virtual void AttachStyle(TkvContainerStyle* Style);
  virtual TkvContainerStyleClass StyleClass() { return FStyleClass; }
  virtual TkvContainerStylesClass StyleSetClass() { return FStyleSetClass; }
  virtual void DetachStyle(TkvContainerStyle* Style);

  void NotifyStyles();
  TkvContainerStyle* GetNormalStyle() const { return FStyles->GetNormalStyle(); }
  TkvContainerStyle* GetStateStyle(Byte State) const { return FStyles->StyleOfState(State); }
  TkvContainerStyles* GetStyles() const { return FStyles.get(); }
  bool InDestruction() const { return FDestroying; }
  // Scales the font at most once in the controller's life.
  void Scale(Integer M, Integer D);
  TkvStyleController* GetFakeStyleController() { return GetNormalStyle()->GetStyleController(); }
  void SetFakeStyleController(TkvStyleController*) {}
  TNotifyEvent GetOnStyleChanged() const { return FOnStyleChanged; }
  void SetOnStyleChanged(TNotifyEvent Value) { FOnStyleChanged = Value; }
  const std::vector<TkvContainerStyle*>& Listeners() const { return FListeners; }

 protected:
  // Descendants name their style classes here: a constructor cannot ask its own virtuals.
  TkvStyleController(TComponent* AOwner, TkvContainerStyleClass AStyleClass, TkvContainerStylesClass AStyleSetClass);
  void Loaded() override;

 private:
  void StylesChanged(TObject*) { NotifyStyles(); }
  TkvContainerStyleClass FStyleClass;
  TkvContainerStylesClass FStyleSetClass;
  std::vector<TkvContainerStyle*> FListeners;
  std::unique_ptr<TkvContainerStyles> FStyles;
  bool FDestroying = false;
  bool FScaled = false;
  TNotifyEvent FOnStyleChanged;
};

// ---- View info -----------------------------------------------------------------------------

class TkvContainerViewInfo : public TObject {
  TAVREN_CLASS(TkvContainerViewInfo, TObject)
 public:
  TkvContainerViewInfo() = default;

  virtual void DrawBorder(TkvCanvas* Canvas, const TRect& R);
  virtual TkvContainerBorderStyle EffectiveBorderStyle() { return BorderStyle; }
  virtual void PaintContent(TkvCanvas* Canvas);
  virtual void AssignBackgroundColor(TColor Color) { BackgroundColor = Color; }
  virtual void CopyFrom(TkvContainerViewInfo* Other);
  virtual TkvRegion* ChangedArea(TkvContainerViewInfo* Older);
  virtual void MoveBy(Integer DX, Integer DY);
  virtual void Draw(TkvCanvas* Canvas) { PaintContent(Canvas); }

  TColor BackgroundColor = clWindow;
  TColor BorderColor = clWindowFrame;
  TRect BorderRect;
  TRect Bounds;
  TRect ClientRect;
  TkvContainerBorderStyle BorderStyle = cbsNone;
  Integer BorderWidth = 0;
  TkvContainerState ContainerState{csNormal};
  TkvBorders Edges = kvAllBorders;
  Byte HotTrack = 0;
  Integer NativePart = 0;
  Integer NativeState = 0;
  bool NativeStyle = false;
  Integer ThemedObjectType = 0;
  TkvCustomLookAndFeelPainterClass Painter = nullptr;
  bool Shadow = false;
};
using TkvContainerViewInfoClass = TClassOf<TkvContainerViewInfo>;

// ---- Inner control -------------------------------------------------------------------------

class IkvContainerInnerControl : public virtual IInterface {
  TAVREN_INTERFACE(IkvContainerInnerControl)
 public:
  virtual TWinControl* InnerControl() = 0;
  virtual TkvContainer* HostContainer() = 0;
};

// The window region an inner control gets when the container's client rectangle cuts it.
struct TkvInnerControlClip {
  bool FullyVisible = true;
  TRect VisibleRect;
};

// ---- Container -----------------------------------------------------------------------------

class TkvContainer : public TkvControl {
  TAVREN_CLASS(TkvContainer, TkvControl)
  TAVREN_MESSAGES()
  // The inner list box hands its keys, mouse and drag traffic to the container's handlers.
  friend class TkvCustomInnerListBox;
  template <class>
  friend class TkvInnerControlRelay;

 public:
  // The classes a descendant makes its styles, style set and view info of.
  struct TClasses {
    TkvContainerStyleClass Style = TkvContainerStyle::ClassInfo();
    TkvContainerStylesClass StyleSet = TkvContainerStyles::ClassInfo();
    TkvContainerViewInfoClass ViewInfo = TkvContainerViewInfo::ClassInfo();
  };
  explicit TkvContainer(TComponent* AOwner) : TkvContainer(AOwner, TClasses{}) {}
  TkvContainer(TComponent* AOwner, const TClasses& Classes);
  ~TkvContainer() override;

  bool RefreshViewInfo(bool IsMouseEvent);
  void EnsureViewInfo();
  void PostRefresh();
  bool IsBeingDestroyed() const;
  void SetInnerControl(TWinControl* Control);
  TWinControl* GetInnerControl() const { return FInnerControl; }
  TWinControl* InnerOrSelf() { return FInnerControl ? FInnerControl : this; }
  void LockAlignControls(bool Lock);
  bool IsStylePropertyStored(const String& Name, bool ForStateStyle);
  TkvContainerViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  TkvContainerStyles* GetStyles() const { return FStyles.get(); }
  TkvContainerStyle* ActiveStyle() { return CurrentStateStyle(); }

  TkvContainerStyle* GetStyle() const { return FStyles->GetNormalStyle(); }
  void SetStyle(TkvContainerStyle* Value) { FStyles->SetNormalStyle(Value); }
  TkvContainerStyle* GetStyleDisabled() const { return FStyles->GetDisabledStyle(); }
  void SetStyleDisabled(TkvContainerStyle* Value) { FStyles->SetDisabledStyle(Value); }
  TkvContainerStyle* GetStyleFocused() const { return FStyles->GetFocusedStyle(); }
  void SetStyleFocused(TkvContainerStyle* Value) { FStyles->SetFocusedStyle(Value); }
  TkvContainerStyle* GetStyleHot() const { return FStyles->GetHotStyle(); }
  void SetStyleHot(TkvContainerStyle* Value) { FStyles->SetHotStyle(Value); }
  TkvStyleController* GetFakeStyleController() const { return GetStyle()->GetStyleController(); }
  void SetFakeStyleController(TkvStyleController*) {}
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragMode(TDragMode Value) override;
  bool GetInnerMouseDown() const { return FInnerMouseDown; }
  void SetInnerMouseDown(bool Value) { FInnerMouseDown = Value; }
  bool GetOnGlass() const { return FOnGlass; }
  void SetOnGlass(bool Value) { FOnGlass = Value; }
  WNDPROC GetSavedInnerWndProc() const { return FSavedInnerWndProc; }
  void SetSavedInnerWndProc(WNDPROC Value) { FSavedInnerWndProc = Value; }
  void RaisePopupMenuLock(bool Lock) { FPopupMenuLockCount += Lock ? 1 : -1; }
  // Whether the mirrored scroll bars are being placed right now.
  bool ScrollBarsCalculating() const { return FScrollBarsCalculating; }

  // Virtual operations, in the order descendants know them.
  virtual bool IsFocusedNow() { return Focused(); }
  virtual void SyncInnerControlLook();
  virtual void ComputeViewInfo(const TPoint& P, bool HotAllowed);
  virtual bool MovesFocusOnTab() { return true; }
  virtual bool IsBorderCustomDrawn();
  virtual bool AcceptsContextPopupAt(const TPoint&) { return true; }
  virtual void ApplyStyle(TObject* Style);
  virtual void SpareHookA() {}
  virtual void RefreshView() { RefreshViewInfo(false); }
  virtual bool DefaultParentColor() { return false; }
  // Called by the mouse-leave watch when the mouse has left the tracking bounds.
  virtual void MouseTrackingLeave();
  virtual TkvContainerStyle* CurrentStateStyle();
  virtual void BorderExtension(TRect& Margins);
  virtual void ComputeInnerControlClip(const TRect& ClientRect, TControl* Control, TkvInnerControlClip& Clip);
  virtual void GetOuterBounds(TRect& R);
  virtual TkvContainerStyleClass StyleClass() { return FClasses.Style; }
  // Makes the four styles anew of another class; only while the control is being made, before
  // anything reads or sets them.
  void UseStyleClass(TkvContainerStyleClass AStyleClass);
  virtual TkvContainerStylesClass StyleSetClass() { return FClasses.StyleSet; }
  virtual TkvContainerViewInfoClass ViewInfoClass() { return FClasses.ViewInfo; }
  // A new view info of ViewInfoClass, for descendants whose class is known after construction.
  void RecreateViewInfo() { FViewInfo.reset(ViewInfoClass().Create()); }
  virtual bool DrawsShadow();
  virtual void PassToInnerWndProc(TMessage& Message);
  virtual TkvContainerStyle* SelectStateStyle();
  virtual TkvContainerStyleValues GetHiddenStyleValues() { return {}; }
  virtual bool HostsChildControls() { return false; }
  virtual bool IsReadOnlyLook() { return false; }
  virtual bool DependsOnParentBackground() { return false; }
  virtual bool CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent);
  virtual void UpdateWindowRegion();
  virtual void AlignInnerControl();
  virtual void ClipToWindowRegion();
  virtual void SpareHookB() {}
  virtual void PlaceScrollBarFromInner(TkvControlScrollBar* Bar);
  virtual Integer NativeThemeKind() { return 3; }
  virtual Integer ThemePartId();
  virtual Integer ThemeStateId();
  virtual void ScrollBarClientRect(const TRect& ScreenRect, TRect& R);
  virtual bool ScrollBarEnabled(TkvControlScrollBar* Bar, const SCROLLBARINFO& Info);
  virtual bool GetInnerScrollBarInfo(SCROLLBARINFO& Info, TScrollBarKind Kind);
  virtual bool InnerScrollBarVisible(const SCROLLBARINFO& Info);
  virtual bool UsesNativeTheme();
  virtual void FocusInnerControl();
  virtual void SetDragKind(TDragKind Value);
  virtual void ShowScrollBar(TkvControlScrollBar* Bar, bool Visible);
  virtual void ResetInnerControlBounds() { FInnerClipEmpty = true; }
  virtual void GetMouseTrackingBounds(TRect& R);
  virtual bool IsPopupOpen() { return false; }
  virtual bool PreviewInnerMessage(TMessage& Message);
  virtual bool HandleInnerCNKey(TMessage& Message);
  virtual bool IsInplace() { return false; }
  virtual void UpdateInnerScrollBars(bool OnlyParams);

  // Overrides of the framework and the base control.
  bool Focused() override;
  void SetFocus() override;
  void Invalidate() override;
  void Update() override;
  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void GetTabOrderList(std::vector<TWinControl*>& List) override;
  TDragImageList* GetDragImages() override;
  bool AllowsDesignDragAt(Integer, Integer, TShiftState) override { return false; }
  bool WantsFocusOnClick() override;
  bool FocusOnScrollBarClick(TkvControlScrollBar*) override { return false; }
  TRect ClientArea() override { return FViewInfo->ClientRect; }
  TkvLookAndFeel* GetLookAndFeel() override { return GetStyle()->GetLookAndFeel(); }
  bool UsesScrollBars() override { return false; }
  void AfterColorChange() override;
  void RememberCursor() override;
  void FireFocusChanged() override;
  void FireMouseEnter(TControl* AControl) override;
  void FireMouseLeave(TControl* AControl) override;
  // The dynamic focus-on-click permission.
  bool FocusOnMouseDownAt(Integer X, Integer Y) override;

  // What the mouse-leave watch calls back.
  IkvMouseTrackingCaller* TrackingCaller() const;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // For descendants that compute their view themselves: painting then uses it as it stands.
  void MarkViewInfoCalculated() { FViewInfoCalculated = true; }
  void WndProc(TMessage& Message) override;
  void CreateHandle() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void Paint() override;
  void ChangeScale(Integer M, Integer D) override;
  void DragCanceled() override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Resize() override;
  // The enabled-changed hook.
  virtual void AfterEnabledChange();

  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMWindowPosChanging(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMNCPaint(TMessage& Message) { Message.Result = 0; }
  void CMParentColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void KVMContainerCreated(TMessage&) { RefreshViewInfo(false); }
  void KVMUpdateInnerScrollBars(TMessage&) { UpdateInnerScrollBars(false); }

 private:
  void ApplyClip(TControl* Control, const TkvInnerControlClip& Clip);
  void UpdateSizeGrip();
  void BorderColorAndBackground();

  std::unique_ptr<class TkvContainerTrackingCaller> FTrackingCaller;
  TClasses FClasses;
  TkvContainerState FActiveStyleState{csNormal};
  TkvContainerStyle* FActiveStyle = nullptr;
  TWinControl* FInnerControl = nullptr;
  bool FInnerClipEmpty = true;
  TkvInnerControlClip FInnerClip;
  bool FInnerMouseDown = false;
  bool FInnerRepaintPending = false;
  bool FRepaintOnGlassPending = false;
  bool FOnGlass = false;
  WNDPROC FSavedInnerWndProc = nullptr;
  bool FDestroying = false;
  bool FRefreshLocked = false;
  bool FViewInfoCalculated = false;
  bool FRefreshing = false;
  bool FScrollBarsCalculating = false;
  bool FInternalSetting = false;
  bool FCreating = false;
  Integer FAlignControlsLock = 0;
  Integer FPopupMenuLockCount = 0;
  TRect FSizeGripRect;
  bool FSizeGripVisible = false;
  TDragKind FDragKind = dkDrag;
  std::unique_ptr<TkvContainerStyles> FStyles;
  std::unique_ptr<TkvContainerViewInfo> FViewInfo;
};

// ---- Inner list box --------------------------------------------------------------------------

// The native list box that containers and popups host: it hands its keys, mouse, drag and
// context menu to its container, searches its items as the user types, and lays painter-drawn
// scroll bars exactly over its native ones.
class TkvCustomInnerListBox : public TCustomListBox {
  TAVREN_CLASS(TkvCustomInnerListBox, TCustomListBox)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomInnerListBox(TComponent* AOwner);
  ~TkvCustomInnerListBox() override;

  // Virtual operations, in the order descendants know them.
  virtual void IncrementalSearchKey(Char& Key);
  virtual void LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues);
  virtual bool DrawsFocusRect() { return !GetOnDrawItem(); }
  virtual void UpdateScrollBars();

  void DefaultHandler(TMessage& Message) override;
  TkvContainer* GetContainer() const { return FContainer; }
  void SetContainer(TkvContainer* Value) { FContainer = Value; }
  Cardinal GetAutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(Cardinal Value) { FAutoCompleteDelay = Value; }
  const String& SearchText() const { return FFilter; }
  TkvCanvas* GetKvCanvas() const { return FKvCanvas.get(); }
  TkvScrollBar* GetHScrollBar() const { return FHScrollBar; }
  TkvScrollBar* GetVScrollBar() const { return FVScrollBar; }
  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  // The corner between the two shown bars in window coordinates (empty when either is hidden).
  TRect SizeGripRect();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void DestroyWindowHandle() override;
  void Click() override;
  void DblClick() override;
  void DragDrop(TObject* Source, Integer X, Integer Y) override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  TPopupMenu* GetPopupMenuForContext() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  virtual void MouseEnterHook(TControl*) {}
  virtual void MouseLeaveHook(TControl*);

  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMSetRedraw(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMPrint(TMessage& Message);
  void WMPrintClient(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

 private:
  void HScroll(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos);
  void VScroll(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos);
  void PlaceScrollBar(TkvScrollBar* Bar);
  void PaintSizeGrip(HDC DC);
  LRESULT CallDefault(UINT Message, WPARAM WParam, LPARAM LParam);
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }

  TkvContainer* FContainer = nullptr;
  Cardinal FAutoCompleteDelay = 500;
  String FFilter;
  DWORD FLastKeyTime = 0;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  TkvScrollBar* FHScrollBar = nullptr;
  TkvScrollBar* FVScrollBar = nullptr;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  bool FRedrawLocked = false;
  bool FScrollBarsCalculating = false;
  Integer FScrollBarLockCount = 0;
};

// ---- Custom popup window -------------------------------------------------------------------

// Private messages of the popup: close it (posted), present it again.
constexpr UINT KVM_POPUPCLOSE = 0x807D;
constexpr UINT KVM_POPUPPRESENT = 0x807E;

// The drop-down window of the editors: a borderless form tied to an owner control that either
// takes the focus and runs its own loop, or floats without activating. While any is shown the
// unit's thread hooks close popups on clicks elsewhere, application switches, the owner hiding,
// moving or closing, and swallow system keys a non-modal popup must not pass to menus.
class TkvCustomPopupWindow : public TkvPopupWindow {
  TAVREN_CLASS(TkvCustomPopupWindow, TkvPopupWindow)
  TAVREN_MESSAGES()
 public:
  struct TClasses {
    TkvContainerStyleClass Style = TkvContainerStyle::ClassInfo();
    TkvContainerViewInfoClass ViewInfo = TkvContainerViewInfo::ClassInfo();
  };
  explicit TkvCustomPopupWindow(TControl* OwnerControl) : TkvCustomPopupWindow(OwnerControl, TClasses{}) {}
  TkvCustomPopupWindow(TControl* OwnerControl, const TClasses& Classes);
  ~TkvCustomPopupWindow() override;
  void BeforeDestruction() override;

  // Virtual operations, in the order descendants know them.
  virtual bool ClipsToWorkArea() { return false; }
  virtual void FireClosed() { FOnClosed(this); }
  virtual void FireClosing() { FOnClosing(this); }
  virtual void FireShown() { FOnShown(this); }
  virtual void FireShowing() { FOnShowing(this); }
  virtual bool ErasesBackground() { return false; }
  virtual bool AcceptsSystemKey(Word Key);
  virtual void CloseForModalResult() { Dismiss(); }
  virtual bool HandlesOwnerClick(HWND, UINT, const TPoint&, TShiftState) { return false; }
  virtual void StyleChanged(TObject*) {}
  virtual void FitToWorkArea(TPoint& Point);
  virtual TkvContainerStyleClass StyleClass() { return FClasses.Style; }
  virtual TkvContainerViewInfoClass ViewInfoClass() { return FClasses.ViewInfo; }
  virtual void Present(TWinControl* FocusControl);

  // Hides the popup when it is shown (its ClosePopup).
  void Dismiss();
  void ClosePopup() override { Dismiss(); }
  TRect OwnerScreenBounds() override;
  void PostClose();
  void Lock(bool ALock) { FLockCount += ALock ? 1 : -1; }
  bool IsLocked() const { return FLockCount != 0; }
  bool HasMouseCapture();
  bool OwnerShown();
  bool TakeOwnerClick();
  void MarkOwnerClick() { FOwnerClick = true; }

  TControl* GetOwnerControl() const { return FOwnerControl; }
  bool GetCaptureFocus() const { return FCaptureFocus; }
  void SetCaptureFocus(bool Value);
  bool GetTopmostRequest() const { return FTopmostRequest; }
  void SetTopmostRequest(bool Value);
  // Whether Present runs a message loop of its own while a focus-taking popup shows.
  bool GetOwnLoop() const { return FOwnLoop; }
  void SetOwnLoop(bool Value) { FOwnLoop = Value; }
  bool GetTerminateOnDestroy() const { return FTerminateOnDestroy; }
  TWinControl* GetRememberedFocusControl() const { return FFocusControl; }
  // The control the next presentation through the show message focuses.
  void SetRememberedFocusControl(TWinControl* Control);
  TkvContainerStyle* GetStyle() const { return FStyle.get(); }
  TkvContainerViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  TNotifyEvent GetOnClosed() const { return FOnClosed; }
  void SetOnClosed(TNotifyEvent Value) { FOnClosed = Value; }
  TNotifyEvent GetOnClosing() const { return FOnClosing; }
  void SetOnClosing(TNotifyEvent Value) { FOnClosing = Value; }
  TNotifyEvent GetOnShown() const { return FOnShown; }
  void SetOnShown(TNotifyEvent Value) { FOnShown = Value; }
  TNotifyEvent GetOnShowing() const { return FOnShowing; }
  void SetOnShowing(TNotifyEvent Value) { FOnShowing = Value; }

  bool Focused() override;
  bool CanFocus() override { return GetVisible(); }
  bool IsShortCut(TMessage& Message) override;
  void AdjustClientRect(TRect& Rect) override;
  bool SetFocusedControl(TWinControl* Control) override;
  virtual void MouseEnterHook(TControl*) {}
  virtual void MouseLeaveHook(TControl*) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Deactivate() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Paint() override;
  void TakeOwnerFont() override {}
  void CreateHandle() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AfterVisibilityChange() override;
  void WMActivateApp(TMessage&) {}
  void WMEraseBkgnd(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void KVMPopupClose(TMessage& Message);
  void KVMPopupPresent(TMessage& Message);

  Byte FDeactivateByte = 0;  // cleared by Deactivate, for descendants

 private:
  // The owner's window (its parent's for a windowless owner); nullptr when there is none.
  HWND OwnerWindow() const;
  void Represent();

  TClasses FClasses;
  TControl* FOwnerControl = nullptr;
  bool FCaptureFocus = true;
  bool FOwnLoop = true;
  bool FTopmostRequest = false;
  Integer FLockCount = 0;
  TWinControl* FFocusControl = nullptr;
  bool FOwnerClick = false;
  bool FTerminateOnDestroy = false;
  TNotifyEvent FOnClosed;
  TNotifyEvent FOnClosing;
  TNotifyEvent FOnShown;
  TNotifyEvent FOnShowing;
  std::unique_ptr<TkvContainerStyle> FStyle;
  std::unique_ptr<TkvContainerViewInfo> FViewInfo;
};

// Whether a popup is moving the focus itself (its activation messages are swallowed meanwhile).
bool PopupFocusChanging();
// The shown popups, in showing order.
bool IsVisiblePopup(TCustomForm* Form);
void AddVisiblePopup(TkvCustomPopupWindow* Popup);
void RemoveVisiblePopup(TkvCustomPopupWindow* Popup);
Integer VisiblePopupCount();
TkvCustomPopupWindow* VisiblePopup(Integer Index);
// Whether a click on Window at the screen point may go on; closes the popups it dismisses.
bool PopupClickDecision(HWND Window, UINT Message, const TPoint& MousePoint);
bool IsWindowInOwnerForm(TControl* Control, HWND Window);
bool IsInMdiFamily(TkvCustomPopupWindow* Popup, HWND Window);
// The window that stands for Window as owner: a popup's owner control's window.
HWND PopupOwnerWindowOf(HWND Window);
// Swallows the one message about to reach Window: its procedure is swapped for a stub that puts
// it back and answers 1.
void BlockNextMessage(HWND Window);
void InstallPopupHooks();
void RemovePopupHooks();

// ---- Unit routines -------------------------------------------------------------------------

extern bool PopupGuardSwitch;
// Whether the platform offers GetScrollBarInfo (looked up at unit start).
extern bool ScrollBarInfoAvailable;
TkvStyleController* UnitDefaultStyleController();
void SetUnitDefaultStyleController(TkvStyleController* Controller);

Integer BorderWidthOf(TkvContainerBorderStyle BorderStyle);
TRect LocalBoundsOf(TControl* Control);
void PaintShadowStrips(TkvCanvas* Canvas, const TRect& R);
void GrowRectOnEdges(TRect& R, Integer Width, TkvBorders Edges);
void ShrinkRectOffEdges(TRect& R, Integer Width, TkvBorders Edges);
void FillRectOutside(TkvCanvas* Canvas, const TRect& R, const TRect& Inner, TColor Color);
void InvalidateRectOutside(HWND Window, const TRect& R, const TRect& Inner, bool Erase);
void InvalidateWindowRect(TWinControl* Control, const TRect& R, bool Erase);
HWND TopLevelAncestorWindow(HWND Window);
bool TextsEqual(const String& A, const String& B, bool CaseSensitive);
void QueryCursorPos(TPoint& P);
TShiftState CurrentShiftState();
Integer MapMouseButton(TMouseButton Button);
void CopyFont(TFont* Dest, TFont* Source);
TkvContainer* ContainerOfControl(TControl* Control);
bool QueryScrollBarInfo(HWND Window, LONG Object, SCROLLBARINFO& Info);
bool NativeThemeOpen(bool NativeStyle, Integer ThemeKind);
void SizeGripScreenRect(TWinControl* InnerControl, TRect& R);
void DisableWindowInto(std::vector<HWND>& List, HWND Window);
void ReenableWindows(const std::vector<HWND>* List);
bool DrainMessages(HWND Window, UINT First, UINT Last, bool All);
bool IsDescendantWindow(TWinControl* Control, HWND Window);
bool OwnsWindow(TWinControl* Control, HWND Window, bool WithDescendants);
bool IsOwnWindow(TWinControl* Control, HWND Window);
bool IsChildOfControlWindow(TWinControl* Control, HWND Window);
bool IsWindowShown(TWinControl* Control);
HRGN BuildContainerRegion(HWND Window, const TRect& R, bool Skip, bool WithShadow, const TRect& Exclude);
void SetWindowRegionIfChanged(HWND Window, const TRect& R, bool Skip, bool WithShadow, const TRect& Exclude);
void ApplyInnerControlRegion(TWinControl* Control, const TkvInnerControlClip& Clip);
void PaintBufferedInto(HDC DC, const TRect& R, HWND Window);
void PaintBufferedWindow(HWND Window);
void PaintBufferedOnPaint(HWND Window);
// Whether Window belongs to the popups and windowed children of Control.
bool BelongsToPopupsOf(TWinControl* Control, HWND Window);

// Calls the framework's protected handlers of a control from other units.
class _TkvContainerAccess {
 public:
  _TkvContainerAccess() = delete;
  static void BeginAutoDrag(TControl* Control);
  static void Click(TControl* Control);
  static void DblClick(TControl* Control);
  static void DragCanceled(TControl* Control);
  static bool DoMouseWheel(TControl* Control, TShiftState Shift, Integer WheelDelta, TPoint MousePos);
  static void DragOver(TControl* Control, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  static void KeyDown(TWinControl* Control, Word& Key, TShiftState Shift);
  static void KeyPress(TWinControl* Control, Char& Key);
  static void KeyUp(TWinControl* Control, Word& Key, TShiftState Shift);
  static void MouseMove(TControl* Control, TShiftState Shift, Integer X, Integer Y);
  static void MouseUp(TControl* Control, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
};

void kvContainerStart();
void kvContainerEnd();
