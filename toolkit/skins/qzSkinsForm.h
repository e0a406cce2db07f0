#pragma once
// Skinned windows. A TqzSkinController on a form sets the skin of the root look-and-feel and
// decides, per form, whether and with which skin painter the form is skinned. A call hook of the
// user-interface thread sees every window created; a hidden attach window finishes the attachment
// once creation is over, and a window controller then takes over that window's messages (through
// the control's WindowProc, or the raw window procedure for windows of no framework control).

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

// Skinned forms: their painter comes from the skin controllers.
class TqzSkinFormController : public TqzSkinWinController {
  TAVREN_CLASS(TqzSkinFormController, TqzSkinWinController)
 public:
  void InitPainter() override;
  void WindowProc(TMessage& Message) override;
  // The form's painter chosen again by the skin controllers, last first.
  void ChooseFormPainter();
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

// Unit start: the hook, the attach window, the messages, the scroll-bar wrappers. End: every
// window procedure restored, all of it gone.
void qzSkinsFormStart();
void qzSkinsFormEnd();
