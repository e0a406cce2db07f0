#pragma once
// The framework's controls unit: TControl (a rectangle on a parent, painted by it when it has no
// window of its own), TWinControl (a control with a window of the window manager, which holds
// other controls), TCustomControl and TGraphicControl (the two kinds with a canvas and Paint),
// TControlCanvas, drag objects and the Mouse object.
//
// Messages reach a control through its WindowProc (WndProc by default, replaceable), which ends in
// Dispatch: the message methods of vcl/MessageMap.h, then DefaultHandler. A parent gives mouse
// messages over a windowless child to that child first, and reflects the WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_CTLCOLOR... messages about a child window back to it as CN_ messages.

#include <memory>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Events.h"
#include "rtl/Sets.h"
#include "rtl/TypInfo.h"
#include "user/User.h"
#include "vcl/ActnList.h"
#include "vcl/ControlsMessages.h"
#include "vcl/Graphics.h"
#include "vcl/ImeTypes.h"
#include "vcl/MessageMap.h"

class TWinControl;
class TControl;
class TCustomForm;
class TDragObject;
class TDragDockObject;
class TDockTree;
class TDragImageList;
class TPopupMenu;  // vcl/Menus.h

// ---- Enumerations and sets ----------------------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
TAVREN_ENUM_INFO(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
using TAlignSet = TSet<TAlign, 7>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
TAVREN_ENUM_INFO(TAnchorKind, akLeft, akTop, akRight, akBottom);
using TAnchors = TSet<TAnchorKind, 4>;

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground,
};
using TControlStyle = TSet<TControlStyleItem, 32>;

// What ChangeScale scales; ScaleBy scales everything, a form being read at another density only
// what the form says.
enum TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont, sfDesignSize };
using TScalingFlags = TSet<TScalingFlag, 6>;

enum TControlStateItem {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
};
using TControlState = TSet<TControlStateItem, 32>;

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, 8>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TDragMode { dmManual, dmAutomatic };
TAVREN_ENUM_INFO(TDragMode, dmManual, dmAutomatic);
enum TDragKind { dkDrag, dkDock };
TAVREN_ENUM_INFO(TDragKind, dkDrag, dkDock);
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
TAVREN_ENUM_INFO(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);

using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;
// Names of the cursors in form text (crDefault ...).
extern const TIdentMap CursorIdentMap;

using TModalResult = Integer;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCaption = String;
using TTabOrder = SmallInt;
using TBorderWidth = Integer;
using TConstraintSize = Integer;

// ---- Events -------------------------------------------------------------------------------------

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, Char& Key)>;
using TMouseWheelEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = TEvent<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = TEvent<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragOverEvent =
    TEvent<void(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TStartDockEvent = TEvent<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockDropEvent = TEvent<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y)>;
using TDockOverEvent =
    TEvent<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TGetSiteInfoEvent =
    TEvent<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
using TUnDockEvent = TEvent<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
using TCanResizeEvent = TEvent<void(TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize)>;
using TAlignInsertBeforeEvent = TEvent<bool(TWinControl* Sender, TControl* C1, TControl* C2)>;

// The anchors an alignment implies (alTop: left, top and right ...).
TAnchors AnchorAlign(TAlign Align);

// Shift state from a mouse message's key flags and from the keyboard now.
TShiftState KeysToShiftState(WORD Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState KeyboardStateToShiftState();

// ---- Size constraints ---------------------------------------------------------------------------

class TSizeConstraints : public TPersistent {
  TAVREN_CLASS(TSizeConstraints, TPersistent)
 public:
  explicit TSizeConstraints(TControl* Control);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TConstraintSize GetMaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(TConstraintSize Value) { SetConstraint(FMaxHeight, Value); }
  TConstraintSize GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(TConstraintSize Value) { SetConstraint(FMaxWidth, Value); }
  TConstraintSize GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(TConstraintSize Value) { SetConstraint(FMinHeight, Value); }
  TConstraintSize GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(TConstraintSize Value) { SetConstraint(FMinWidth, Value); }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

  // Width and height clamped into the constraints (0 means no constraint).
  void Apply(Integer& Width, Integer& Height) const;

 private:
  void SetConstraint(TConstraintSize& Field, TConstraintSize Value);
  TControl* FControl;
  TConstraintSize FMaxHeight = 0;
  TConstraintSize FMaxWidth = 0;
  TConstraintSize FMinHeight = 0;
  TConstraintSize FMinWidth = 0;
  TNotifyEvent FOnChange;
};

// ---- TControl -----------------------------------------------------------------------------------

class TControl : public TComponent {
  TAVREN_CLASS(TControl, TComponent)
 public:
  static const TMessageTable* MessageTable();
  virtual const TMessageTable* GetMessageTable() const { return MessageTable(); }

  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  // Messages.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  TWndMethod GetWindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod Value) { FWindowProc = Value; }

  // Geometry. Positions are in the parent's client coordinates.
  Integer GetLeft() const { return FLeft; }
  void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  Integer GetTop() const { return FTop; }
  void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& Rect) { SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }
  virtual TRect GetClientRect();
  Integer GetClientWidth() { return GetClientRect().Right; }
  void SetClientWidth(Integer Value) { SetClientSize({Value, GetClientHeight()}); }
  Integer GetClientHeight() { return GetClientRect().Bottom; }
  void SetClientHeight(Integer Value) { SetClientSize({GetClientWidth(), Value}); }
  // The screen position of the client area's origin.
  virtual TPoint GetClientOrigin();
  TPoint ClientToScreen(const TPoint& Point);
  TPoint ScreenToClient(const TPoint& Point);
  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);

  // Tree.
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() override;
  TComponent* GetParentComponent() override;
  // A control whose caption is its name follows a rename.
  void SetName(const String& Value) override;
  void BringToFront();
  void SendToBack();
  void SetZOrder(bool TopMost);

  // State.
  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TCaption GetCaption() { return GetText(); }
  void SetCaption(const TCaption& Value) { SetText(Value); }
  TCaption GetText();
  void SetText(const TCaption& Value);
  String GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState GetControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool GetMouseCapture();
  void SetMouseCapture(bool Value);
  bool GetIsControl() const { return FIsControl; }
  void SetIsControl(bool Value) { FIsControl = Value; }
  // Whether the control and each parent up to the form are visible.
  virtual bool IsVisibleInParents();

  // Painting.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Paints the control (and its children) into DC at (X, Y) of it.
  void PaintTo(HDC DC, Integer X, Integer Y);

  // Clicks and drags.
  virtual void Click();
  virtual void DblClick();
  void BeginDrag(bool Immediate, Integer Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging();
  TDragMode GetDragMode() const { return FDragMode; }
  virtual void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  // The image list that draws the drag image; none by default.
  virtual TDragImageList* GetDragImages() { return nullptr; }
  virtual void DragDrop(TObject* Source, Integer X, Integer Y);

  // The form that holds the control (nullptr when none does).
  TCustomForm* GetParentForm();

  // Scales position, size and (unless the font comes from the parent) font by M / D.
  void ScaleBy(Integer M, Integer D);

  // The action whose caption, state and OnExecute the control shows (nullptr: none).
  TBasicAction* GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }
  void SetAction(TBasicAction* Value);
  TActionLink* GetActionLink() const { return FActionLink.get(); }

  // Events.
  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }
  TNotifyEvent GetOnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = Value; }
  TMouseEvent GetOnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = Value; }
  TMouseMoveEvent GetOnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent Value) { FOnMouseMove = Value; }
  TMouseEvent GetOnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent Value) { FOnMouseUp = Value; }
  TMouseWheelEvent GetOnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(TMouseWheelEvent Value) { FOnMouseWheel = Value; }
  TMouseWheelUpDownEvent GetOnMouseWheelDown() const { return FOnMouseWheelDown; }
  void SetOnMouseWheelDown(TMouseWheelUpDownEvent Value) { FOnMouseWheelDown = Value; }
  TMouseWheelUpDownEvent GetOnMouseWheelUp() const { return FOnMouseWheelUp; }
  void SetOnMouseWheelUp(TMouseWheelUpDownEvent Value) { FOnMouseWheelUp = Value; }
  TNotifyEvent GetOnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TNotifyEvent Value) { FOnMouseEnter = Value; }
  TNotifyEvent GetOnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(TNotifyEvent Value) { FOnMouseLeave = Value; }
  TNotifyEvent GetOnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent Value) { FOnResize = Value; }
  TCanResizeEvent GetOnCanResize() const { return FOnCanResize; }
  void SetOnCanResize(TCanResizeEvent Value) { FOnCanResize = Value; }
  TContextPopupEvent GetOnContextPopup() const { return FOnContextPopup; }
  void SetOnContextPopup(TContextPopupEvent Value) { FOnContextPopup = Value; }
  TDragOverEvent GetOnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent Value) { FOnDragOver = Value; }
  TDragDropEvent GetOnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent Value) { FOnDragDrop = Value; }
  TStartDragEvent GetOnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent Value) { FOnStartDrag = Value; }
  TEndDragEvent GetOnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent Value) { FOnEndDrag = Value; }
  TStartDockEvent GetOnStartDock() const { return FOnStartDock; }
  void SetOnStartDock(TStartDockEvent Value) { FOnStartDock = Value; }
  TEndDragEvent GetOnEndDock() const { return FOnEndDock; }
  void SetOnEndDock(TEndDragEvent Value) { FOnEndDock = Value; }
  // The dock site that holds the control (docking moves controls between parents that are sites).
  TWinControl* GetHostDockSite() const { return FHostDockSite; }
  void SetHostDockSite(TWinControl* Value) { FHostDockSite = Value; }
  // Docks the control into NewDockSite beside DropControl on ControlSide (the site's dock manager
  // decides); a null site floats it. False when the site or an OnUnDock handler refuses.
  bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr, TAlign ControlSide = alNone);
  // Floats the control in a tool window at ScreenPos (a form floats as itself).
  bool ManualFloat(const TRect& ScreenPos);
  bool GetFloating();

 protected:
  virtual void WndProc(TMessage& Message);
  // Runs Message through the handlers from Table up, then DefaultHandler.
  void DispatchFrom(const TMessageTable* Table, TMessage& Message);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;

  virtual void SetClientSize(const TSize& Value);
  virtual bool CanResize(Integer& NewWidth, Integer& NewHeight);
  virtual bool CanAutoSize(Integer& NewWidth, Integer& NewHeight);
  virtual void ConstrainedResize(Integer& /*MinWidth*/, Integer& /*MinHeight*/, Integer& /*MaxWidth*/,
                                 Integer& /*MaxHeight*/) {}
  virtual void AdjustSize();
  virtual void RequestAlign();
  virtual void Resize();
  virtual void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
  virtual String GetTextBuf();
  virtual void SetTextBuf(const String& Value);
  virtual void VisibleChanging() {}
  virtual void UpdateBoundsRect(const TRect& R);
  // Remembers the distances anchors keep, after a move that the user (not alignment) made.
  void UpdateAnchorRules();

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);
  virtual void MouseEnter() { FOnMouseEnter(this); }
  virtual void MouseLeave() { FOnMouseLeave(this); }

  virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
  virtual void DoDragMsg(TMessage& Message);
  void BeginAutoDrag();
  // The drag this control started ended without a drop.
  virtual void DragCanceled() {}
  virtual void ChangeScale(Integer M, Integer D);

  virtual TPopupMenu* GetPopupMenuForContext() { return FPopupMenu; }
  // Takes the action's properties; with CheckDefaults only where the control still has its own
  // defaults (an action set while the form loads leaves what the form says).
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  virtual TClassOf<TActionLink> GetActionLinkClass();
  void DoActionChange(TObject* Sender);
  bool IsCaptionStored() const;
  bool IsEnabledStored() const;
  bool IsHintStored() const;
  bool IsVisibleStored() const;
  bool IsOnClickStored() const;
  bool IsColorStored() const { return !FParentColor; }
  bool IsFontStored() const { return !FParentFont; }
  bool IsShowHintStored() const { return !FParentShowHint; }
  void FontChanged(TObject* Sender);
  void SendCancelMode(TControl* Sender);

  // Message methods.
  void WMLButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMMButtonDblClk(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMHitTest(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void CMDrag(TMessage& Message);
  void CMBiDiModeChanged(TMessage&) { Invalidate(); }

  TWinControl* FParent = nullptr;
  Integer FLeft = 0;
  Integer FTop = 0;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TControlStyle FControlStyle;
  TControlState FControlState;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FParentColor = true;
  bool FAutoSize = false;
  TColor FColor;
  std::unique_ptr<TFont> FFont;
  String FText;
  TScalingFlags FScalingFlags;

 private:
  friend class TWinControl;
  friend class TApplication;
  friend class TDragObject;
  friend class TDragDriver;
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  void CheckNewSize(Integer& NewWidth, Integer& NewHeight);
  bool IsAnchorsStored() const;

  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  TPoint FAnchorRules;         // distances to the parent's right and bottom edges
  TPoint FOriginalParentSize;  // the parent's client size when the rules were taken
  std::unique_ptr<TSizeConstraints> FConstraints;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FIsControl = false;
  bool FAnchorMove = false;         // alignment is moving the control: keep the anchor rules
  bool FSettingParentFont = false;  // taking the parent's font is no change of our own
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  std::unique_ptr<TActionLink> FActionLink;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = crDrag;
  TWndMethod FWindowProc;

  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TMouseEvent FOnMouseDown;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;
  TMouseWheelEvent FOnMouseWheel;
  TMouseWheelUpDownEvent FOnMouseWheelDown;
  TMouseWheelUpDownEvent FOnMouseWheelUp;
  TNotifyEvent FOnMouseEnter;
  TNotifyEvent FOnMouseLeave;
  TNotifyEvent FOnResize;
  TCanResizeEvent FOnCanResize;
  TContextPopupEvent FOnContextPopup;
  TDragOverEvent FOnDragOver;
  TDragDropEvent FOnDragDrop;
  TStartDragEvent FOnStartDrag;
  TEndDragEvent FOnEndDrag;
  TStartDockEvent FOnStartDock;
  TEndDragEvent FOnEndDock;
  TWinControl* FHostDockSite = nullptr;
};

using TControlClass = TClassOf<TControl>;

// The link of a control to its action: it sets the control's caption, enabled state, hint,
// visibility and OnClick while they still show the action's.
class TControlActionLink : public TActionLink {
  TAVREN_CLASS(TControlActionLink, TActionLink)
 public:
  explicit TControlActionLink(TObject* AClient);
  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHintLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const String& Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(TNotifyEvent Value) override;

 protected:
  TControl* FClient;
};

class TWinControlActionLink : public TControlActionLink {
  TAVREN_CLASS(TWinControlActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
};

// ---- Creation parameters ------------------------------------------------------------------------

struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  Integer X = 0;
  Integer Y = 0;
  Integer Width = 0;
  Integer Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASS WindowClass;
  String WinClassName;  // the class registered for the control (WindowClass's name otherwise)
};

// ---- TWinControl --------------------------------------------------------------------------------

class TWinControl : public TControl {
  TAVREN_CLASS(TWinControl, TControl)
  TAVREN_MESSAGES()
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  // The window, created on first use (with the parents' windows).
  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // A control that lives in two windows by turns (docked as a child, floating as a popup) keeps
  // the one it is not in: SetAsideHandle unbinds the window without destroying it (it answers
  // through its class's default procedure meanwhile, and may be destroyed as it is);
  // TakeBackHandle binds a kept window again and re-reads bounds and visibility from it.
  HWND SetAsideHandle();
  void TakeBackHandle(HWND Handle);
  HWND GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);
  void DefaultHandler(TMessage& Message) override;

  // Children, in the order the parent keeps them (which is their z-order, bottom first).
  Integer GetControlCount() const { return static_cast<Integer>(FControls.size() + FWinControls.size()); }
  TControl* GetControls(Integer Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control);
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  TControl* FindChildControl(const String& ControlName);
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);

  // Alignment.
  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return FAlignLevel != 0; }
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);
  TAlignInsertBeforeEvent GetOnAlignInsertBefore() const { return FOnAlignInsertBefore; }
  void SetOnAlignInsertBefore(TAlignInsertBeforeEvent Value) { FOnAlignInsertBefore = Value; }

  // Focus and tab order.
  virtual bool Focused();
  virtual bool CanFocus();
  virtual void SetFocus();
  TTabOrder GetTabOrder() const;
  void SetTabOrder(TTabOrder Value);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  virtual void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  void SelectFirst();
  bool GetShowing() const { return FShowing; }

  TRect GetClientRect() override;
  TPoint GetClientOrigin() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void PaintTo(HDC DC, Integer X, Integer Y);
  // The windowless children from First (nil: all) onto DC, as the control's own paint does.
  void PaintControls(HDC DC, TControl* First);

  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool GetParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  bool GetParentBackground() const { return FControlStyle.Contains(csParentBackground); }
  virtual void SetParentBackground(bool Value);
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  TBorderWidth GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(TBorderWidth Value);
  TBrush* GetBrush() const { return FBrush.get(); }
  // Whether controls may be docked into this one, and whether a dock manager lays them out.
  bool GetDockSite() const { return FDockSite; }
  void SetDockSite(bool Value) { FDockSite = Value; }
  bool GetUseDockManager() const { return FUseDockManager; }
  void SetUseDockManager(bool Value) { FUseDockManager = Value; }
  // The input method the control asks for; no input method runs here, the values are kept.
  TImeMode GetImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const TImeName& GetImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value) { FImeName = Value; }
  TDockDropEvent GetOnDockDrop() const { return FOnDockDrop; }
  void SetOnDockDrop(TDockDropEvent Value) { FOnDockDrop = Value; }
  TDockOverEvent GetOnDockOver() const { return FOnDockOver; }
  void SetOnDockOver(TDockOverEvent Value) { FOnDockOver = Value; }
  TGetSiteInfoEvent GetOnGetSiteInfo() const { return FOnGetSiteInfo; }
  void SetOnGetSiteInfo(TGetSiteInfoEvent Value) { FOnGetSiteInfo = Value; }
  TUnDockEvent GetOnUnDock() const { return FOnUnDock; }
  void SetOnUnDock(TUnDockEvent Value) { FOnUnDock = Value; }
  // The layout of docked clients; the site owns it. Made on the first dock into a site that has
  // DockSite and UseDockManager.
  TDockTree* GetDockManager() const { return FDockManager.get(); }
  void SetDockManager(std::unique_ptr<TDockTree> Value);
  Integer GetDockClientCount() const { return static_cast<Integer>(FDockClients.size()); }
  TControl* GetDockClients(Integer Index) const { return FDockClients[static_cast<size_t>(Index)]; }
  // Whether Client may dock here with the mouse at MousePos (screen); InfluenceRect is where.
  virtual void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock);
  virtual void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  virtual void DockDrop(TDragDockObject* Source, Integer X, Integer Y);

  TNotifyEvent GetOnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent Value) { FOnEnter = Value; }
  TNotifyEvent GetOnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent Value) { FOnExit = Value; }
  TKeyEvent GetOnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = Value; }
  TKeyPressEvent GetOnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = Value; }
  TKeyEvent GetOnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = Value; }

 protected:
  void WndProc(TMessage& Message) override;
  // The window procedure of every control's window: finds the control and runs WindowProc,
  // sending an exception that escapes a handler to the application.
  void MainWndProc(TMessage& Message);
  virtual void CreateParams(TCreateParams& Params);
  TRect ClientRectFromStyles();
  // True while CreateParams is asked only for the styles (no window is to be made from them).
  static bool MeasuringFrame();
  // Makes Params.WindowClass a copy of a registered class (a standard window class that the
  // control extends), whose procedure becomes the control's default procedure.
  void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void CreateHandle();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void DestroyHandle();
  void RecreateWnd();
  virtual void DefWndProc(TMessage& Message);
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  virtual bool CanAutoSizeChildren() { return false; }
  virtual void ControlsAligned() {}
  virtual bool CustomAlignInsertBefore(TControl* C1, TControl* C2) { return FOnAlignInsertBefore(this, C1, C2); }
  // Where an alCustom child goes; the default leaves it where it is.
  virtual void CustomAlignPosition(TControl* /*Control*/, Integer& /*NewLeft*/, Integer& /*NewTop*/,
                                   Integer& /*NewWidth*/, Integer& /*NewHeight*/, TRect& /*AlignRect*/) {}
  virtual void UpdateShowing();
  void UpdateControlState();
  void ChangeScale(Integer M, Integer D) override;
  virtual void SetChildOrder(TComponent* Child, Integer Order) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  void UpdateBoundsRect(const TRect& R) override;
  void SetZOrderOfChild(TControl* Control, bool TopMost);

  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual void KeyDown(Word& Key, TShiftState Shift) { FOnKeyDown(this, Key, Shift); }
  virtual void KeyPress(Char& Key) { FOnKeyPress(this, Key); }
  virtual void KeyUp(Word& Key, TShiftState Shift) { FOnKeyUp(this, Key, Shift); }
  virtual void DoEnter() { FOnEnter(this); }
  virtual void DoExit() { FOnExit(this); }
  virtual bool IsMenuKey(TMessage& Message);

  // Reflects Message to the control whose window is ControlHandle; false when no control has it.
  static bool DoControlMsg(HWND ControlHandle, TMessage& Message);

  // Message methods.
  // The dock manager a site makes for itself; a TDockTree unless a descendant has its own.
  virtual std::unique_ptr<TDockTree> CreateDockManager();
  void CMDockClient(TMessage& Message);
  void CMUnDockClient(TMessage& Message);
  // A docked client that leaves the site (or is freed) leaves its zone too.
  void ForgetDockClient(TControl* Control);
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotify(TMessage& Message);
  void WMDrawItem(TMessage& Message);
  void WMMeasureItem(TMessage& Message);
  void WMDeleteItem(TMessage& Message);
  void WMCompareItem(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void WMCharToItem(TMessage& Message);
  void WMVKeyToItem(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMSysKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMSysKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNKeyUp(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMParentCtl3DChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMChildKey(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  void CMControlListChange(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  std::unique_ptr<TBrush> FBrush;
  bool FShowing = false;

 private:
  friend class TControl;
  friend class TCustomForm;
  friend LRESULT ControlWindowProcedure(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  void Insert(TControl* AControl);
  void Remove(TControl* AControl);
  void AlignControl(TControl* AControl);
  void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
  void DoPosition(TControl* Control, TAlign AAlign, TRect& Rect);
  bool InsertBefore(TControl* C1, TControl* C2, TAlign AAlign);
  bool IsControlMouseMsg(TMessage& Message);
  void UpdateBounds();
  void FixupTabList();
  void PaintControlsTo(HDC DC, Integer X, Integer Y);

  std::vector<TControl*> FControls;     // windowless children, bottom first
  std::vector<TWinControl*> FWinControls;  // children with windows, bottom first
  std::vector<TWinControl*> FTabList;
  HWND FParentWindow = nullptr;
  Integer FAlignLevel = 0;
  TBorderWidth FBorderWidth = 0;
  bool FTabStop = false;
  TTabOrder FLoadedTabOrder = -1;  // TabOrder as read, applied once the parent is loaded
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FDoubleBuffered = false;
  bool FDockSite = false;
  bool FUseDockManager = false;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
  TDockDropEvent FOnDockDrop;
  TDockOverEvent FOnDockOver;
  TGetSiteInfoEvent FOnGetSiteInfo;
  TUnDockEvent FOnUnDock;
  std::unique_ptr<TDockTree> FDockManager;
  std::vector<TControl*> FDockClients;
  TAlignInsertBeforeEvent FOnAlignInsertBefore;
  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyPressEvent FOnKeyPress;
  TKeyEvent FOnKeyUp;
};

// ---- Canvases and the two painted kinds ---------------------------------------------------------

// A canvas on a control's client area: it takes a DC from the window manager when drawing starts
// (the parent's DC, offset and clipped, for a windowless control) and gives it back on Refresh or
// when the control changes.
class TControlCanvas : public TCanvas {
  TAVREN_CLASS(TControlCanvas, TCanvas)
 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* Value);
  void FreeHandle();
  HWND GetWindowHandle() const { return FWindowHandle; }
  // Runs Paint with the canvas locked and bound to DC for the call only, as a control's or a
  // form's PaintWindow does.
  template <class F>
  void PaintOn(HDC DC, F&& Paint) {
    Lock();
    SetHandle(DC);
    try {
      Paint();
    } catch (...) {
      SetHandle(nullptr);
      Unlock();
      throw;
    }
    SetHandle(nullptr);
    Unlock();
  }

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// Gives back the DCs that control canvases hold on Window, before it is destroyed.
void FreeDeviceContexts(HWND Window);

class TCustomControl : public TWinControl {
  TAVREN_CLASS(TCustomControl, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;
  void WMPaint(TMessage& Message);

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TGraphicControl : public TControl {
  TAVREN_CLASS(TGraphicControl, TControl)
  TAVREN_MESSAGES()
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  void WMPaint(TMessage& Message);

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// ---- Drag objects -------------------------------------------------------------------------------

class TDragObject : public TObject {
  TAVREN_CLASS(TDragObject, TObject)
 public:
  TDragObject() = default;
  virtual TCursor GetDragCursor(bool Accepted, Integer /*X*/, Integer /*Y*/) { return Accepted ? crDrag : crNoDrop; }
  virtual TDragImageList* GetDragImages() { return nullptr; }
  virtual void HideDragImage() {}
  virtual void ShowDragImage() {}
  virtual void Finished(TObject* /*Target*/, Integer /*X*/, Integer /*Y*/, bool /*Accepted*/) {}
  // Whether the drag object goes when the drag ends (made by the framework, not by the control).
  bool GetAutoRelease() const { return FAutoRelease; }
  void SetAutoRelease(bool Value) { FAutoRelease = Value; }
  TPoint GetDragPos() const { return FDragPos; }
  TPoint GetDragTargetPos() const { return FDragTargetPos; }
  TObject* GetDragTarget() const { return FDragTarget; }
  bool GetCancelling() const { return FCancelling; }
  bool GetDropped() const { return FDropped; }
  // The control or object the drop reaches (the control itself for plain drags).
  virtual TObject* GetSource() { return this; }

 private:
  friend class TControl;
  friend class TDragDriver;
  bool FAutoRelease = false;
  bool FCancelling = false;
  bool FDropped = false;
  TPoint FDragPos;
  TPoint FDragTargetPos;
  TObject* FDragTarget = nullptr;
};

class TBaseDragControlObject : public TDragObject {
  TAVREN_CLASS(TBaseDragControlObject, TDragObject)
 public:
  explicit TBaseDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }

 private:
  TControl* FControl;
};

class TDragControlObject : public TBaseDragControlObject {
  TAVREN_CLASS(TDragControlObject, TBaseDragControlObject)
 public:
  using TBaseDragControlObject::TBaseDragControlObject;
  TCursor GetDragCursor(bool Accepted, Integer X, Integer Y) override;
  TDragImageList* GetDragImages() override { return GetControl()->GetDragImages(); }
  TObject* GetSource() override { return GetControl(); }
};

// The drag object of a docking drag: where the control would go and how it would be aligned there.
class TDragDockObject : public TBaseDragControlObject {
  TAVREN_CLASS(TDragDockObject, TBaseDragControlObject)
 public:
  using TBaseDragControlObject::TBaseDragControlObject;
  TObject* GetSource() override { return GetControl(); }
  TRect GetDockRect() const { return FDockRect; }
  void SetDockRect(const TRect& Value) { FDockRect = Value; }
  TAlign GetDropAlign() const { return FDropAlign; }
  void SetDropAlign(TAlign Value) { FDropAlign = Value; }
  TControl* GetDropOnControl() const { return FDropOnControl; }
  void SetDropOnControl(TControl* Value) { FDropOnControl = Value; }
  bool GetFloating() const { return FFloating; }
  void SetFloating(bool Value) { FFloating = Value; }

 private:
  TRect FDockRect;
  TAlign FDropAlign = alNone;
  TControl* FDropOnControl = nullptr;
  bool FFloating = false;
};

// What a TDragImageList does during a drag; the image-list unit fills these in at start.
struct TDragImageHooks {
  void (*ShowDragImage)(TDragImageList* Images, HWND Window, Integer X, Integer Y) = nullptr;
  void (*MoveDragImage)(TDragImageList* Images, Integer X, Integer Y) = nullptr;
  void (*HideDragImage)(TDragImageList* Images) = nullptr;
};
extern TDragImageHooks DragImageHooks;

// What a control needs of a popup menu, filled in by the menu unit at start: the menu as a
// component (for free notification) and showing it at a screen point for a control.
struct TPopupMenuHooks {
  TComponent* (*AsComponent)(TPopupMenu* Menu) = nullptr;
  // False when the menu does not pop up by itself (AutoPopup off).
  bool (*Popup)(TPopupMenu* Menu, TControl* Control, Integer X, Integer Y) = nullptr;
  // Whether a key message is a shortcut of the menu (which then ran the item).
  bool (*IsShortCut)(TPopupMenu* Menu, TMessage& Message) = nullptr;
};
extern TPopupMenuHooks PopupMenuHooks;

// The drag in progress (nullptr when none) and its source control.
TDragObject* DragObject();
// Ends the drag in progress, as if it were dropped (true) or cancelled.
void CancelDrag();

// ---- The mouse ----------------------------------------------------------------------------------

class TMouse : public TObject {
  TAVREN_CLASS(TMouse, TObject)
 public:
  TPoint GetCursorPos() const;
  void SetCursorPos(const TPoint& Value);
  HWND GetCapture() const { return ::GetCapture(); }
  void SetCapture(HWND Value);
  bool GetMousePresent() const { return true; }
  bool GetWheelPresent() const { return true; }
  Integer GetWheelScrollLines() const { return FWheelScrollLines; }
  void SetWheelScrollLines(Integer Value) { FWheelScrollLines = Value; }
  Integer GetDragThreshold() const { return FDragThreshold; }
  void SetDragThreshold(Integer Value) { FDragThreshold = Value; }
  bool GetDragImmediate() const { return FDragImmediate; }
  void SetDragImmediate(bool Value) { FDragImmediate = Value; }
  bool IsDragging() const { return DragObject() != nullptr; }

 private:
  Integer FWheelScrollLines = 3;
  Integer FDragThreshold = 5;
  bool FDragImmediate = true;
};

// The mouse object (nullptr outside VclStart..VclEnd).
TMouse* Mouse();

// ---- Finding controls ---------------------------------------------------------------------------

// The control whose window is Handle; nullptr for windows no control owns.
TWinControl* FindControl(HWND Handle);
// The control under a screen point (windowless ones too); nullptr where no control is.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The windowless control holding the mouse through its parent's capture, or the control whose
// window holds the capture.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The form that holds Control; raises EInvalidOperation "Control '%s' has no parent window"
// when none does.
TCustomForm* GetParentForm(TControl* Control);
TCustomForm* ValidParentForm(TControl* Control);
// The parts of a hint "short|long": the hint window shows the short one, Application.Hint the long
// one; a hint without a bar is both.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
// Whether a window's procedure belongs to a control.
bool IsVclControl(HWND Handle);
