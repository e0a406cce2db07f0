#pragma once
// Skinned windows. A TqzSkinController on a form sets the skin of the root look-and-feel and
// decides, per form, whether and with which skin painter the form is skinned. A call hook of the
// user-interface thread sees every window created; a hidden attach window finishes the attachment
// once creation is over, and a window controller then takes over that window's messages (through
// the control's WindowProc, or the raw window procedure for windows of no framework control).

#include <memory>
#include <vector>

#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"
#include "vcl/Forms.h"

class TqzSkinController;
class TCustomForm;

using TqzSkinFormEvent =
    TEvent<void(TObject* Sender, TCustomForm* Form, bool& UseSkin, TqzSkinName& SkinName)>;
using TqzSkinControlEvent = TEvent<void(TObject* Sender, TWinControl* Control, bool& UseSkin)>;

class TqzSkinController : public TkvLookAndFeelController {
  TAVREN_CLASS(TqzSkinController, TkvLookAndFeelController)
 public:
  explicit TqzSkinController(TComponent* AOwner);
  ~TqzSkinController() override;

  // Whether OnSkinControl lets Control be skinned (false for nil).
  virtual bool AcceptsControl(TWinControl* Control);
  // The skin painter this controller gives Form: nil when the form refuses skins, the switch is
  // off, or the skin name names no skin painter.
  virtual TqzSkinLookAndFeelPainter* FormPainter(TCustomForm* Form);
  virtual TqzSkinLookAndFeelPainter* ChoosePainter(TCustomForm* Form, TqzSkinName& SkinName, bool& UseSkin);

  void Loaded() override;
  void MasterValuesChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TkvLookAndFeel* Sender) override;

  // The process-wide skin switch.
  bool GetUseSkins() const;
  void SetUseSkins(bool Value);
  TqzSkinFormEvent GetOnSkinForm() const { return FOnSkinForm; }
  void SetOnSkinForm(TqzSkinFormEvent Value) { FOnSkinForm = Value; }
  TqzSkinControlEvent GetOnSkinControl() const { return FOnSkinControl; }
  void SetOnSkinControl(TqzSkinControlEvent Value) { FOnSkinControl = Value; }

 private:
  TqzSkinFormEvent FOnSkinForm;
  TqzSkinControlEvent FOnSkinControl;
};

// One subclassed window. Lives from the attachment after its window's creation to the window's
// destruction (or unit end); freed only once no message of its window is being dispatched.
class TqzSkinWinController : public TkvIUnknownObject, public IkvMouseTrackingCaller {
  TAVREN_CLASS(TqzSkinWinController, TkvIUnknownObject)
 public:
  TqzSkinWinController() = default;
  ~TqzSkinWinController() override;

  // Unsubclasses, takes the window (0: none) and its framework control, and refreshes.
  void Bind(HWND AWindow);
  HWND Handle() const noexcept { return FHandle; }
  TWinControl* Control() const noexcept { return FControl; }
  TqzSkinWinController* ParentController() const noexcept { return FParentController; }
  void SetParentController(TqzSkinWinController* Value) { FParentController = Value; }
  TqzSkinLookAndFeelPainter* Painter() const noexcept { return FPainter; }
  void SetPainter(TqzSkinLookAndFeelPainter* Value) { FPainter = Value; }
  // The painter in effect: its own, else its parent controller's.
  TqzSkinLookAndFeelPainter* ActivePainter() const;

  virtual bool IsSkinned();
  virtual TqzSkinWinController* ParentControllerFor(HWND Window);
  // Whether a skin controller accepts the control (false for windows of no framework control).
  virtual bool UpdatePainter();
  virtual void Subclass();
  virtual void InitPainter() {}
  virtual void Unsubclass();
  virtual void WindowProc(TMessage& Message);
  // Always false and false here: there are no MDI windows.
  virtual bool IsMDIChild(HWND Window);
  virtual bool IsMDIClient(HWND Window);
  virtual bool IsMessageForm(HWND Window);
  virtual void FrameChanged();
  // Subclass, frame recalculated, the whole window with its frame redrawn.
  virtual void Refresh();

  // The hook saw the window's WM_DESTROY: the controller goes once the message has been handled.
  void MarkDestroyed() { FDestroyed = true; }
  bool Destroyed() const noexcept { return FDestroyed; }
  bool Dispatching() const noexcept { return FDispatchDepth > 0; }

  // IkvMouseTrackingCaller
  void MouseLeave() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;

 protected:
  // The message to the procedure that was there before.
  void CallSavedProc(TMessage& Message);

 private:
  friend LRESULT SkinRawWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  void Dispatch(TMessage& Message);

  HWND FHandle = nullptr;
  TWinControl* FControl = nullptr;
  TWndMethod FSavedMethod;
  WNDPROC FSavedProc = nullptr;
  TqzSkinWinController* FParentController = nullptr;
  TqzSkinLookAndFeelPainter* FPainter = nullptr;
  Integer FDispatchDepth = 0;
  bool FDestroyed = false;
};

// Caption buttons of a skinned frame.
enum TqzSkinFormButton : Byte { fbIcon, fbHelp, fbMinimize, fbMaximize, fbRestore, fbClose };
constexpr Integer kqzSkinFormButtonCount = 6;
using TqzSkinFormButtons = TSet<TqzSkinFormButton, 8>;
constexpr Integer kqzNoButton = -1;

class TqzSkinFormController;

// The geometry and states of a skinned frame, in window coordinates.
class TqzSkinFormNonClientAreaInfo : public TObject {
  TAVREN_CLASS(TqzSkinFormNonClientAreaInfo, TObject)
 public:
  explicit TqzSkinFormNonClientAreaInfo(TqzSkinFormController* AController);
  ~TqzSkinFormNonClientAreaInfo() override;

  // Everything again from the window, its styles and the skin.
  void Calculate();
  // The button states from Active, the hot and the pressed button; true when one changed.
  bool CalculateButtonStates();
  // The caption button at P, kqzNoButton when none.
  Integer ButtonAt(const TPoint& P) const;
  // The hit-test code of P, or HTNOWHERE where the default window procedure is to decide.
  LRESULT HitTest(const TPoint& P) const;
  // The client rectangle for the window rectangle R (both in the same coordinates); never inverted.
  TRect ClientFor(const TRect& R) const;

  bool IsToolWindow() const { return (FInfo.dwExStyle & WS_EX_TOOLWINDOW) != 0; }
  bool IsMaximized() const { return (FInfo.dwStyle & WS_MAXIMIZE) != 0; }
  bool IsMinimized() const { return (FInfo.dwStyle & WS_MINIMIZE) != 0; }
  bool HasCaption() const { return (FInfo.dwStyle & WS_CAPTION) == WS_CAPTION; }
  bool HasBorder() const { return (FInfo.dwStyle & WS_BORDER) != 0; }
  bool HasSizingFrame() const { return (FInfo.dwStyle & WS_THICKFRAME) != 0; }
  bool SystemFrame() const { return FHasMenuBar || FIsMDIClient; }

  TqzSkinLookAndFeelPainterInfo* PainterInfo() const noexcept { return FPainterInfo; }
  // 0 the tool-window set of frame elements, 1 the normal one.
  Integer FrameIndex() const { return IsToolWindow() ? 0 : 1; }
  const TRect& Margins() const noexcept { return FMargins; }
  const TRect& Border(Integer Side) const { return FBorders[Side]; }
  const TRect& WindowRect() const noexcept { return FWindowRect; }
  const TRect& CaptionTextRect() const noexcept { return FCaptionTextRect; }
  // The window's scroll bars beside the client area (0 horizontal, 1 vertical) and the size box
  // between them; empty when absent.
  const TRect& ScrollBarRect(Integer Bar) const { return FScrollBars[Bar]; }
  const TRect& SizeBoxRect() const noexcept { return FSizeBox; }
  // A part of a bar (TkvScrollBarPart 1 to 5) from the bar's scroll information; empty when the
  // bar cannot scroll (its track is then the page-up part).
  const TRect& ScrollPartRect(Integer Bar, Integer Part) const { return FScrollParts[Bar][Part]; }
  bool ScrollBarEnabled(Integer Bar) const { return FScrollEnabled[Bar]; }
  // The bar part at P (sbpNone when none), and its bar.
  TkvScrollBarPart ScrollPartAt(const TPoint& P, Integer& Bar) const;
  const TRect& ButtonRect(Integer Button) const { return FButtonRects[Button]; }
  TqzSkinElementState ButtonState(Integer Button) const { return FButtonStates[Button]; }
  const TqzSkinFormButtons& Buttons() const noexcept { return FButtons; }
  HICON Icon() const noexcept { return FIcon; }
  TFont* CaptionFont() const noexcept { return FCaptionFont.get(); }
  const String& Caption() const noexcept { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TColor TextColor() const noexcept { return FActive ? FTextColor : FInactiveTextColor; }
  TColor ShadowColor() const noexcept { return FShadowColor; }
  bool Active() const noexcept { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  Integer HotButton() const noexcept { return FHotButton; }
  void SetHotButton(Integer Value) { FHotButton = Value; }
  Integer PressedButton() const noexcept { return FPressedButton; }
  void SetPressedButton(Integer Value) { FPressedButton = Value; }

 private:
  void CalculateMargins();
  void CalculateCaption();
  void CalculateScrollBars();

  TqzSkinFormController* FController;
  std::unique_ptr<TFont> FCaptionFont;
  String FCaption;
  bool FActive = true;
  WINDOWINFO FInfo;
  TSize FFrameSize{4, 4};
  TRect FMargins;
  TRect FBorders[4];
  TRect FWindowRect;
  bool FHasMenuBar = false;
  bool FIsMDIClient = false;
  TqzSkinLookAndFeelPainterInfo* FPainterInfo = nullptr;
  TRect FCaptionTextRect;
  TRect FScrollBars[2];
  TRect FScrollParts[2][6];
  bool FScrollEnabled[2] = {};
  TRect FSizeBox;
  TRect FButtonRects[kqzSkinFormButtonCount];
  TqzSkinFormButtons FButtons;
  TqzSkinElementState FButtonStates[kqzSkinFormButtonCount] = {};
  Integer FHotButton = kqzNoButton;
  Integer FPressedButton = kqzNoButton;
  HICON FIcon = nullptr;
  TColor FTextColor = clCaptionText;
  TColor FInactiveTextColor = clInactiveCaptionText;
  TColor FShadowColor = clBtnShadow;
  // What the caption font was made for (tool window, size delta): it is made again only on a change.
  Integer FFontKey = -1;
  Integer FCaptionTextHeight = 0;
};

// Draws a skinned frame, through element caches so that an unchanged part is not rendered again.
class TqzSkinFormPainter : public TObject {
  TAVREN_CLASS(TqzSkinFormPainter, TObject)
 public:
  explicit TqzSkinFormPainter(TqzSkinFormNonClientAreaInfo* AInfo) : FInfo(AInfo) {}
  ~TqzSkinFormPainter() override;
  // DC 0: the window's own DC.
  void PaintFrame(HWND Window, HDC DC);
  // The skin's form background over R (client coordinates of DC).
  void PaintBackground(HDC DC, const TRect& R);

 private:
  void PaintCaption(HDC DC);
  void PaintBorders(HDC DC);
  // Bar, arrows, track and thumb from the bar's scroll information, through the skin painter.
  void PaintScrollBars(HWND Window, HDC DC);

  TqzSkinFormNonClientAreaInfo* FInfo;
  std::unique_ptr<TkvBitmap> FCaptionBitmap;  // the caption slice is composed here
  TqzSkinElementCache FCaptionCache;
  TqzSkinElementCache FBackgroundCache;
  TqzSkinElementCache FBorderCaches[4];
  TqzSkinElementCache FButtonCaches[kqzSkinFormButtonCount];
};

// Forms: their painter comes from the skin controllers; while skinned they draw their own frame.
class TqzSkinFormController : public TqzSkinWinController {
  TAVREN_CLASS(TqzSkinFormController, TqzSkinWinController)
 public:
  TqzSkinFormController();
  ~TqzSkinFormController() override;
  void InitPainter() override;
  void WindowProc(TMessage& Message) override;
  void Refresh() override;
  // The form's painter chosen again by the skin controllers, last first.
  void ChooseFormPainter();

  TqzSkinFormNonClientAreaInfo* NonClientInfo() const noexcept { return FNonClientInfo.get(); }
  TqzSkinFormPainter* FormPainter() const noexcept { return FFormPainter.get(); }
  bool HasWindowRegion() const noexcept { return FWindowRegion; }
  virtual void Recalculate();
  virtual void PaintFrame();
  // The mouse left the caption button it was over.
  void MouseLeave() override;

 protected:
  // True when the message was taken care of.
  virtual bool HandleMessage(TMessage& Message);

 private:
  void CheckWindowRegion(bool Redraw = true);
  void HandleNcCalcSize(TMessage& Message);
  void HandleNcLButtonDown(TMessage& Message);
  void HandleNcLButtonUp(TMessage& Message);
  void HandleNcMouseMove(TMessage& Message);
  TPoint WindowPoint(LPARAM LParam) const;

  std::unique_ptr<TqzSkinFormNonClientAreaInfo> FNonClientInfo;
  std::unique_ptr<TqzSkinFormPainter> FFormPainter;
  bool FWindowRegion = false;
};

// Plain framework controls inside skinned forms: skinned exactly when their form is and a skin
// controller accepts them; they paint through the form's skin painter.
class TqzSkinCustomController : public TqzSkinWinController {
  TAVREN_CLASS(TqzSkinCustomController, TqzSkinWinController)
 public:
  // The form's controller, when a skin controller accepts the control.
  TqzSkinWinController* ParentControllerFor(HWND Window) override;
  void WindowProc(TMessage& Message) override;
  void Refresh() override;

 protected:
  // Draws the control on DC (window coordinates).
  virtual void Paint(HDC) {}
  // Messages of the kind while skinned, before the saved procedure; true when taken care of.
  virtual bool HandleMessage(TMessage&) { return false; }
  // The control's bounds, moved to 0, 0.
  TRect Bounds() const;
  // WM_PRINTCLIENT painted here (unless only visible windows are asked for and this one is not).
  bool HandlePrintClient(TMessage& Message);

 private:
  bool FPainting = false;
};

class TqzSkinButtonController : public TqzSkinCustomController {
  TAVREN_CLASS(TqzSkinButtonController, TqzSkinCustomController)
 public:
  TkvButtonState State() const noexcept { return FState; }
  void Refresh() override;

 protected:
  void Paint(HDC DC) override;
  bool HandleMessage(TMessage& Message) override;

 private:
  void SetState(TkvButtonState Value);
  void ReadText();
  TkvButtonState FState = kvbsNormal;
  bool FPressed = false;
  String FText;
};

class TqzSkinPanelController : public TqzSkinCustomController {
  TAVREN_CLASS(TqzSkinPanelController, TqzSkinCustomController)
 protected:
  void Paint(HDC DC) override;
  bool HandleMessage(TMessage& Message) override;
};

class TqzSkinFrameController : public TqzSkinCustomController {
  TAVREN_CLASS(TqzSkinFrameController, TqzSkinCustomController)
 protected:
  void Paint(HDC DC) override;
  bool HandleMessage(TMessage& Message) override;
};

// The registered messages (valid after unit start).
extern UINT WM_POSTREDRAW;
extern UINT WM_CHILDCHANGED;
extern UINT WM_POSTCREATE;
extern UINT WM_POSTCHECKRGN;

// The controller class a new window gets; nil for windows left alone.
TClass SkinControllerClassFor(HWND Window);
// The controller of a window, nil when it has none.
TqzSkinWinController* SkinWinControllerOf(HWND Window);
// The live skin controllers, in creation order.
const std::vector<TqzSkinController*>& SkinControllers();
// Every controller's painter chosen again, every window refreshed.
void RefreshSkinnedWindows();

// Unit start: the controller's class registered for forms, the hook, the attach window, the
// messages, the scroll-bar wrappers. End: every window procedure restored, all of it gone.
void qzSkinsFormStart();
void qzSkinsFormEnd();
