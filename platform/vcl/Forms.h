#pragma once
// The framework's forms unit: scrolling containers, frames, forms, the hint window, TApplication
// (the message loop, exceptions, hints) and TScreen (forms, cursors, fonts, monitors).

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "vcl/Controls.h"

class TCustomForm;
class TForm;
class THintWindow;
class TMonitor;

// ---- Scrolling containers -----------------------------------------------------------------------

enum TScrollBarKind { sbHorizontal, sbVertical };
using TScrollBarInc = Integer;

// The entry points a form's window scroll bars are set through: SetScrollPos and SetScrollInfo
// until a unit that draws the bars itself puts wrappers in their place (and back at its end).
struct SCROLLINFO;
using TFormSetScrollPosProc = int (*)(HWND Window, int Bar, int Position, BOOL Redraw);
using TFormSetScrollInfoProc = int (*)(HWND Window, int Bar, const SCROLLINFO* Info, BOOL Redraw);
extern TFormSetScrollPosProc FormSetScrollPos;
extern TFormSetScrollInfoProc FormSetScrollInfo;

// One scroll bar of a scrolling container: how far its contents reach and where they are.
class TControlScrollBar : public TPersistent {
  TAVREN_CLASS(TControlScrollBar, TPersistent)
 public:
  TControlScrollBar(class TScrollingWinControl* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}
  void Assign(TPersistent* Source) override;
  TScrollBarKind GetKind() const { return FKind; }
  TScrollBarInc GetIncrement() const { return FIncrement; }
  void SetIncrement(TScrollBarInc Value) { FIncrement = Value; }
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer Value);
  Integer GetRange() const { return FRange; }
  void SetRange(Integer Value);
  bool GetTracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  // Whether the contents reach beyond the container, so that the bar shows.
  bool IsScrollBarVisible() const;

 private:
  class TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  TScrollBarInc FIncrement = 8;
  Integer FPosition = 0;
  Integer FRange = 0;
  bool FTracking = false;
  bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
  TAVREN_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;
  TControlScrollBar* GetHorzScrollBar() const { return FHorzScrollBar.get(); }
  void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
  TControlScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
  void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value) { FAutoScroll = Value; }
  // Moves every child by (DeltaX, DeltaY), as scrolling the contents does.
  void ScrollBy(Integer DeltaX, Integer DeltaY);
  void ScrollInView(TControl* AControl);

 private:
  friend class TControlScrollBar;
  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  bool FAutoScroll = true;
};

// ---- Frames -------------------------------------------------------------------------------------

// A container designed on its own and placed inside forms (and other frames); a frame of a class
// below TFrame reads its own form resource when it is made.
class TCustomFrame : public TScrollingWinControl {
  TAVREN_CLASS(TCustomFrame, TScrollingWinControl)
 public:
  explicit TCustomFrame(TComponent* AOwner);
  void AfterConstruction() override;

 protected:
  // What a form's inline block says about the frame's components is found on the frame.
  TComponent* GetChildOwner() override { return this; }
};

class TFrame : public TCustomFrame {
  TAVREN_CLASS(TFrame, TCustomFrame)
 public:
  using TCustomFrame::TCustomFrame;
};

// ---- Forms --------------------------------------------------------------------------------------

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
TAVREN_ENUM_INFO(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
using TBorderStyle = TFormBorderStyle;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
TAVREN_ENUM_INFO(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = TSet<TBorderIcon, 4>;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
TAVREN_ENUM_INFO(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter,
};
TAVREN_ENUM_INFO(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter);

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
TAVREN_ENUM_INFO(TWindowState, wsNormal, wsMinimized, wsMaximized);

enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
TAVREN_ENUM_INFO(TDefaultMonitor, dmDesktop, dmPrimary, dmMainForm, dmActiveForm);

enum TCloseAction { caNone, caHide, caFree, caMinimize };

enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem, 8>;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = TEvent<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TScrollingWinControl {
  TAVREN_CLASS(TCustomForm, TScrollingWinControl)
  TAVREN_MESSAGES()
 public:
  // A form of a class below TForm reads its form resource when it is made through its class
  // (TApplication::CreateForm, a class reference, or AfterConstruction called after `new`).
  explicit TCustomForm(TComponent* AOwner);
  // A form without a form resource, whatever its class.
  TCustomForm(TComponent* AOwner, Integer Dummy);
  ~TCustomForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  void Show();
  void SetVisible(bool Value) override;
  // Runs a nested loop until ModalResult is set (by a button, Close or code); the other forms
  // of the application are disabled meanwhile. Answers the ModalResult.
  virtual Integer ShowModal();
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages queued now are handled (safe inside its own events).
  void Release();
  void FocusControl(TWinControl* Control);
  virtual bool SetFocusedControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  void SetFocus() override;
  bool CanFocus() override { return FVisible && GetEnabled(); }
  virtual bool IsShortCut(TMessage& Message);
  void SendCancelMode(TControl* Sender);

  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  bool GetActive() const { return FActive; }
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value);
  TDefaultMonitor GetDefaultMonitor() const { return FDefaultMonitor; }
  void SetDefaultMonitor(TDefaultMonitor Value) { FDefaultMonitor = Value; }
  TWindowState GetWindowState();
  void SetWindowState(TWindowState Value);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TFormState GetFormState() const { return FFormState; }
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte Value);
  // The colour that shows as holes in the window (a colour key of the layered window).
  bool GetTransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(bool Value);
  TColor GetTransparentColorValue() const { return FTransparentColorValue; }
  void SetTransparentColorValue(TColor Value);
  Integer GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }
  bool GetScaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  bool GetOldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  // The form's own client size, as forms are streamed.
  Integer GetFormClientWidth() { return GetClientWidth(); }
  void SetFormClientWidth(Integer Value) { SetClientWidth(Value); }
  Integer GetFormClientHeight() { return GetClientHeight(); }
  void SetFormClientHeight(Integer Value) { SetClientHeight(Value); }
  TRect GetClientRect() override;

  TNotifyEvent GetOnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent Value) { FOnActivate = Value; }
  TNotifyEvent GetOnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent Value) { FOnDeactivate = Value; }
  TCloseEvent GetOnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent Value) { FOnClose = Value; }
  TCloseQueryEvent GetOnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent Value) { FOnCloseQuery = Value; }
  TNotifyEvent GetOnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent Value) { FOnCreate = Value; }
  TNotifyEvent GetOnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = Value; }
  TNotifyEvent GetOnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = Value; }
  TNotifyEvent GetOnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent Value) { FOnHide = Value; }
  TNotifyEvent GetOnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = Value; }
  TShortCutEvent GetOnShortCut() const { return FOnShortCut; }
  void SetOnShortCut(TShortCutEvent Value) { FOnShortCut = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DefineProperties(TFiler* Filer) override;
  // The components the form owns that no other component streams (style controllers,
  // repositories, timers), then its controls.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void Loaded() override;
  void PaintWindow(HDC DC) override;
  virtual void Paint() { FOnPaint(this); }
  virtual void Activate() { FOnActivate(this); }
  virtual void Deactivate() { FOnDeactivate(this); }
  virtual void DoClose(TCloseAction& Action) { FOnClose(this, Action); }
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow() { FOnShow(this); }
  virtual void DoHide() { FOnHide(this); }
  void UpdateShowing() override;

  void WMPaint(TMessage& Message);
  void WMClose(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMSysColorChange(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMActivate(TMessage& Message);
  void CMDeactivate(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMRelease(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  // An action looking for a target (LParam): the active control, the form, then every visible
  // control of a showing container; Result 1 when one took it.
  void CMActionExecute(TMessage& Message);
  void CMActionUpdate(TMessage& Message);

 private:
  friend class TApplication;
  friend class TScreen;
  void CloseModal();
  void SetWindowFocus();
  void ApplyPosition();
  void ApplyLayering();
  void ReadTextHeight(TReader* Reader);
  void ActiveChanged() {}

  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  TDefaultMonitor FDefaultMonitor = dmActiveForm;
  TWindowState FWindowState = wsNormal;
  TFormState FFormState;
  TModalResult FModalResult = mrNone;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FAlphaBlend = false;
  Byte FAlphaBlendValue = 255;
  bool FTransparentColor = false;
  TColor FTransparentColorValue = clBlack;
  bool FCreatedNew = false;
  bool FOldCreateOrder = false;
  bool FScaled = true;
  bool FPositioned = false;
  Integer FPixelsPerInch = 96;
  std::unique_ptr<TControlCanvas> FCanvas;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
  TNotifyEvent FOnPaint;
  TShortCutEvent FOnShortCut;
};

class TForm : public TCustomForm {
  TAVREN_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
};

using TFormClass = TClassOf<TForm>;
using TCustomFormClass = TClassOf<TCustomForm>;

// ---- Hints --------------------------------------------------------------------------------------

class THintWindow : public TCustomControl {
  TAVREN_CLASS(THintWindow, TCustomControl)
 public:
  explicit THintWindow(TComponent* AOwner);
  // Shows Hint in Rect (screen coordinates), kept on the screen.
  virtual void ActivateHint(TRect Rect, const String& AHint);
  // The rectangle Hint needs, at most MaxWidth wide.
  virtual TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData);
  // Whether a message ends the hint (keys, clicks, activation).
  virtual bool IsHintMsg(const MSG& Msg);
  void ReleaseHandle() { DestroyHandle(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};

using THintWindowClass = TClassOf<THintWindow>;

// What CM_HINTSHOW carries in LParam: the control may change the text, place and timing.
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass;
  TPoint HintPos;       // screen coordinates
  Integer HintMaxWidth = 0;
  TColor HintColor = 0;
  TRect CursorRect;     // the hint stays while the cursor is in here (client coordinates)
  TPoint CursorPos;     // client coordinates
  Integer ReshowTimeout = 0;
  Integer HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

// ---- The application ----------------------------------------------------------------------------

using TExceptionEvent = TEvent<void(TObject* Sender, Exception* E)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;
using TShowHintEvent = TEvent<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using THelpContext = Integer;
using THelpEvent = TEvent<bool(Word Command, intptr_t Data, bool& CallHelp)>;
constexpr Integer HELP_CONTEXT = 0x0001;

class TApplication : public TComponent {
  TAVREN_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize() {}
  // Makes a form (or another component) of the class, owned by the application; the first form
  // becomes the main form. The reference is set before the form's OnCreate runs, as the
  // framework sets the variable first.
  template <class T>
  void CreateForm(T*& Reference) {
    CreateForm(T::ClassInfo(), [&Reference](TComponent* Instance) { Reference = static_cast<T*>(Instance); });
  }
  void CreateForm(TComponentClass InstanceClass, TComponent*& Reference) {
    CreateForm(InstanceClass, [&Reference](TComponent* Instance) { Reference = Instance; });
  }
  void CreateForm(TComponentClass InstanceClass, const std::function<void(TComponent*)>& Assign);
  // Shows the main form and handles messages until Terminate (or the main form closes).
  void Run();
  void ProcessMessages();
  void HandleMessage();
  void Terminate();
  bool GetTerminated() const { return FTerminate; }
  // Call inside a catch block: sends the exception in flight to OnException, or shows it.
  void HandleException(TObject* Sender);
  void ShowException(Exception* E);
  // Offers an action that has no handler of its own to the active form, then to the main form
  // (Msg CM_ACTIONEXECUTE or CM_ACTIONUPDATE); true when a target took it.
  bool DispatchAction(UINT Msg, TBasicAction* Action);
  Integer MessageBox(const String& Text, const String& Caption, Integer Flags = 0);
  // Help requests go to OnHelp; there is no help viewer, so what OnHelp leaves to it answers false.
  bool HelpContext(THelpContext Context);
  bool HelpCommand(Integer Command, intptr_t Data);
  void BringToFront();
  void Minimize();
  void Restore();

  HWND GetHandle();
  String GetTitle() const { return FTitle; }
  void SetTitle(const String& Value);
  TForm* GetMainForm() const { return FMainForm; }
  String GetExeName() const;
  bool GetActive() const { return FActive; }

  // Hints.
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  Integer GetHintPause() const { return FHintPause; }
  void SetHintPause(Integer Value) { FHintPause = Value; }
  Integer GetHintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(Integer Value) { FHintShortPause = Value; }
  Integer GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
  // Whether hints show the shortcut of their command.
  bool GetHintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool Value) { FHintShortCuts = Value; }
  // Whether a locale change (WM_SETTINGCHANGE "intl") makes the format settings be read again.
  bool GetUpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool Value) { FUpdateFormatSettings = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  String GetHint() const { return FHint; }
  void SetHint(const String& Value);
  void ActivateHint(const TPoint& CursorPos);
  void CancelHint();
  void HideHint();
  void HintMouseMessage(TControl* Control, TMessage& Message);
  THintWindow* GetHintWindow() const { return FHintWindow; }

  TExceptionEvent GetOnException() const { return FOnException; }
  void SetOnException(TExceptionEvent Value) { FOnException = Value; }
  TIdleEvent GetOnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent Value) { FOnIdle = Value; }
  TMessageEvent GetOnMessage() const { return FOnMessage; }
  void SetOnMessage(TMessageEvent Value) { FOnMessage = Value; }
  TNotifyEvent GetOnHint() const { return FOnHint; }
  void SetOnHint(TNotifyEvent Value) { FOnHint = Value; }
  TShowHintEvent GetOnShowHint() const { return FOnShowHint; }
  void SetOnShowHint(TShowHintEvent Value) { FOnShowHint = Value; }
  THelpEvent GetOnHelp() const { return FOnHelp; }
  void SetOnHelp(THelpEvent Value) { FOnHelp = Value; }

  // A control going away: the hint and mouse tracking let go of it.
  void ControlDestroyed(TControl* Control);

 private:
  enum class THintTimerMode { Show, Hide };
  bool ProcessMessage(MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  bool IsHintMsg(MSG& Msg);
  void Idle(const MSG& Msg);
  void DoMouseIdle();
  void StartHintTimer(Integer Value, THintTimerMode Mode);
  void StopHintTimer();
  void HintTimerExpired();
  void WndProc(TMessage& Message);

  HWND FHandle = nullptr;
  String FTitle;
  TForm* FMainForm = nullptr;
  bool FTerminate = false;
  bool FActive = true;
  TColor FHintColor;
  Integer FHintPause = 500;
  Integer FHintShortPause = 50;
  Integer FHintHidePause = 2500;
  bool FHintShortCuts = true;
  bool FUpdateFormatSettings = true;
  bool FShowHint = true;
  String FHint;
  THintWindow* FHintWindow = nullptr;
  TControl* FHintControl = nullptr;
  TRect FHintCursorRect;
  bool FHintActive = false;
  bool FHintTimerRunning = false;
  THintTimerMode FHintTimerMode = THintTimerMode::Show;
  TControl* FMouseControl = nullptr;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;
  TNotifyEvent FOnHint;
  TShowHintEvent FOnShowHint;
  THelpEvent FOnHelp;
};

// ---- The screen ---------------------------------------------------------------------------------

class TMonitor : public TObject {
  TAVREN_CLASS(TMonitor, TObject)
 public:
  TMonitor(Integer Number, TRect Bounds, TRect WorkArea) : FNumber(Number), FBounds(Bounds), FWorkArea(WorkArea) {}
  HANDLE GetHandle() const { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(FNumber + 1)); }
  Integer GetMonitorNum() const { return FNumber; }
  TRect GetBoundsRect() const { return FBounds; }
  TRect GetWorkareaRect() const { return FWorkArea; }
  Integer GetLeft() const { return FBounds.Left; }
  Integer GetTop() const { return FBounds.Top; }
  Integer GetWidth() const { return FBounds.Width(); }
  Integer GetHeight() const { return FBounds.Height(); }
  bool GetPrimary() const { return FNumber == 0; }

 private:
  Integer FNumber;
  TRect FBounds;
  TRect FWorkArea;
};

class TScreen : public TComponent {
  TAVREN_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // The cursor of an id; unknown ids give the arrow. Setting a cursor takes the handle over.
  HCURSOR GetCursors(Integer Index) const;
  void SetCursors(Integer Index, HCURSOR Handle);
  // A cursor for the whole application (crDefault: each control's own).
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);

  TCustomForm* GetActiveCustomForm() const { return FActiveCustomForm; }
  TForm* GetActiveForm() const { return FActiveForm; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  // The forms of class TForm, most recently active first (the custom forms, filtered).
  Integer GetFormCount() const;
  TForm* GetForms(Integer Index) const;
  Integer GetCustomFormCount() const { return static_cast<Integer>(FCustomForms.size()); }
  TCustomForm* GetCustomForms(Integer Index) const;

  Integer GetWidth() const;
  Integer GetHeight() const;
  TRect GetDesktopRect() const;
  Integer GetDesktopWidth() const { return GetDesktopRect().Width(); }
  Integer GetDesktopHeight() const { return GetDesktopRect().Height(); }
  TRect GetWorkAreaRect() const;
  Integer GetWorkAreaWidth() const { return GetWorkAreaRect().Width(); }
  Integer GetWorkAreaHeight() const { return GetWorkAreaRect().Height(); }
  Integer GetMonitorCount() const { return static_cast<Integer>(FMonitors.size()); }
  TMonitor* GetMonitors(Integer Index) const;
  TMonitor* MonitorFromPoint(const TPoint& Point) const;
  TMonitor* MonitorFromRect(const TRect& Rect) const;
  TMonitor* MonitorFromWindow(HWND Handle) const;
  Integer GetPixelsPerInch() const { return 96; }
  TFont* GetMenuFont() const { return FMenuFont.get(); }
  TFont* GetHintFont() const { return FHintFont.get(); }
  TFont* GetIconFont() const { return FIconFont.get(); }

  TNotifyEvent GetOnActiveControlChange() const { return FOnActiveControlChange; }
  void SetOnActiveControlChange(TNotifyEvent Value) { FOnActiveControlChange = Value; }
  TNotifyEvent GetOnActiveFormChange() const { return FOnActiveFormChange; }
  void SetOnActiveFormChange(TNotifyEvent Value) { FOnActiveFormChange = Value; }

 private:
  friend class TCustomForm;
  friend class TApplication;
  void AddForm(TCustomForm* AForm);
  void RemoveForm(TCustomForm* AForm);
  void SetFocusedForm(TCustomForm* Form, TWinControl* Control);
  void LoadSystemCursors();
  void UpdateMonitors();

  std::map<Integer, HCURSOR> FCursors;
  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FCustomForms;  // most recently active first
  std::vector<std::unique_ptr<TMonitor>> FMonitors;
  TCustomForm* FActiveCustomForm = nullptr;
  TForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCustomForm* FFocusedForm = nullptr;
  std::unique_ptr<TFont> FMenuFont;
  std::unique_ptr<TFont> FHintFont;
  std::unique_ptr<TFont> FIconFont;
  TNotifyEvent FOnActiveControlChange;
  TNotifyEvent FOnActiveFormChange;
};

// The application and the screen (nullptr outside VclStart..VclEnd).
TApplication* Application();
TScreen* Screen();
// The form of that name (case-insensitive) among the screen's forms: the framework's finder of
// global components.
TComponent* FindGlobalForm(const String& Name);

// The hint window class the application shows (THintWindow unless a program sets another).
extern THintWindowClass HintWindowClass;
