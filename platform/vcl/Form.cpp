// TCustomForm: creation from the form resource, the window's styles after BorderStyle,
// BorderIcons and FormStyle, showing and placing it, layering, painting, and its end.

#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "vcl/Forms.h"

TAVREN_MESSAGE_TABLE(TCustomForm,
    MESSAGE_HANDLER(WM_PAINT, WMPaint),
    MESSAGE_HANDLER(WM_CLOSE, WMClose),
    MESSAGE_HANDLER(WM_ACTIVATE, WMActivate),
    MESSAGE_HANDLER(WM_SYSCOMMAND, WMSysCommand),
    MESSAGE_HANDLER(WM_GETMINMAXINFO, WMGetMinMaxInfo),
    MESSAGE_HANDLER(WM_SYSCOLORCHANGE, WMSysColorChange),
    MESSAGE_HANDLER(CM_SHOWINGCHANGED, CMShowingChanged),
    MESSAGE_HANDLER(CM_ACTIVATE, CMActivate),
    MESSAGE_HANDLER(CM_DEACTIVATE, CMDeactivate),
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey),
    MESSAGE_HANDLER(CM_RELEASE, CMRelease),
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged),
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged),
    MESSAGE_HANDLER(CM_ACTIONEXECUTE, CMActionExecute),
    MESSAGE_HANDLER(CM_ACTIONUPDATE, CMActionUpdate))

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FCanvas->SetControl(this);
  if (Screen()) Screen()->AddForm(this);
}

TCustomForm::TCustomForm(TComponent* AOwner, Integer) : TCustomForm(AOwner) { FCreatedNew = true; }

TCustomForm::~TCustomForm() {
  if (Screen()) Screen()->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
  inherited::AfterConstruction();
  if (!FCreatedNew && ClassType() != TForm::ClassInfo() && ClassType() != TCustomForm::ClassInfo()) {
    FFormState.Include(fsCreating);
    try {
      if (!InitInheritedComponent(this, TForm::ClassInfo()))
        throw EResNotFound(Format("Resource %s not found", ClassName()));
    } catch (...) {
      FFormState.Exclude(fsCreating);
      throw;
    }
    FFormState.Exclude(fsCreating);
  }
  DoCreate();
}

void TCustomForm::DoCreate() {
  // An exception in OnCreate is the application's to report; the form is made all the same.
  try {
    FOnCreate(this);
  } catch (...) {
    if (!Application()) throw;
    Application()->HandleException(this);
  }
  if (FFormState.Contains(fsVisible)) SetVisible(true);
}

void TCustomForm::DoDestroy() {
  try {
    FOnDestroy(this);
  } catch (...) {
    if (Application()) Application()->HandleException(this);
  }
}

void TCustomForm::BeforeDestruction() {
  // The form is whole here: handlers of OnHide and OnDestroy still see its controls.
  Destroying();
  try {
    SetVisible(false);
  } catch (...) {
    if (Application()) Application()->HandleException(this);
  }
  DoDestroy();
  if (Screen()) Screen()->RemoveForm(this);
  inherited::BeforeDestruction();
  FCanvas->FreeHandle();
}

void TCustomForm::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  // Written by the designer for scaling; the system runs at one resolution and reads it only.
  Filer->DefineProperty("TextHeight", MakeEvent<&TCustomForm::ReadTextHeight>(this), nullptr, false);
}

void TCustomForm::ReadTextHeight(TReader* Reader) { Reader->ReadInteger(); }

void TCustomForm::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  if (Root == this)
    for (Integer i = 0; i < GetComponentCount(); ++i) {
      TComponent* component = GetComponents(i);
      if (!dynamic_cast<TControl*>(component) && !component->HasParent()) Proc(component);
    }
  TScrollingWinControl::GetChildren(Proc, Root);
}

void TCustomForm::Loaded() {
  inherited::Loaded();
  if (FActiveControl && !FActiveControl->CanFocus()) FActiveControl = nullptr;
}

// ---- Window styles ------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  bool topLevel = !FParent && !GetParentWindow();
  if (topLevel) {
    Params.WndParent = Application() && !MeasuringFrame() ? Application()->GetHandle() : nullptr;
    Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
  }
  Params.WindowClass.style = CS_DBLCLKS;
  TBorderIcons icons = FBorderIcons;
  switch (FBorderStyle) {
    case bsNone:
      if (topLevel) Params.Style |= WS_POPUP;
      icons = {};
      break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      icons = icons * TBorderIcons{biSystemMenu, biHelp};
      Params.WindowClass.style |= CS_SAVEBITS;
      break;
  }
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) {
    Params.ExStyle = WS_EX_TOOLWINDOW;
    icons = icons * TBorderIcons{biSystemMenu};
  }
  if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable || FBorderStyle == bsNone) {
    if (icons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    if (FWindowState == wsMinimized)
      Params.Style |= WS_MINIMIZE;
    else if (FWindowState == wsMaximized)
      Params.Style |= WS_MAXIMIZE;
  } else {
    FWindowState = wsNormal;
  }
  if (icons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
  if (icons.Contains(biHelp)) Params.ExStyle |= WS_EX_CONTEXTHELP;
  if (topLevel && FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (topLevel && (FAlphaBlend || FTransparentColor)) Params.ExStyle |= WS_EX_LAYERED;
}

void TCustomForm::CreateWnd() {
  inherited::CreateWnd();
  ApplyLayering();
}

void TCustomForm::ApplyLayering() {
  if (!HandleAllocated() || FParent) return;
  LONG exStyle = GetWindowLong(FHandle, GWL_EXSTYLE);
  if (FAlphaBlend || FTransparentColor) {
    SetWindowLong(FHandle, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    DWORD flags = (FAlphaBlend ? LWA_ALPHA : 0) | (FTransparentColor ? LWA_COLORKEY : 0);
    SetLayeredWindowAttributes(FHandle, ColorToRGB(FTransparentColorValue), FAlphaBlend ? FAlphaBlendValue : 255, flags);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLong(FHandle, GWL_EXSTYLE, exStyle & ~static_cast<LONG>(WS_EX_LAYERED));
  }
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (FAlphaBlend == Value) return;
  FAlphaBlend = Value;
  ApplyLayering();
}

void TCustomForm::SetAlphaBlendValue(Byte Value) {
  if (FAlphaBlendValue == Value) return;
  FAlphaBlendValue = Value;
  ApplyLayering();
}

void TCustomForm::SetTransparentColor(bool Value) {
  if (FTransparentColor == Value) return;
  FTransparentColor = Value;
  ApplyLayering();
}

void TCustomForm::SetTransparentColorValue(TColor Value) {
  if (FTransparentColorValue == Value) return;
  FTransparentColorValue = Value;
  ApplyLayering();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  if (Value == fsMDIChild || Value == fsMDIForm) throw EInvalidOperation("Multiple document forms are not supported");
  FFormStyle = Value;
  if (HandleAllocated() && !FParent)
    SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetPosition(TPosition Value) {
  FPosition = Value;
  FPositioned = false;
}

TWindowState TCustomForm::GetWindowState() {
  if (HandleAllocated() && FShowing) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (HandleAllocated() && FShowing)
    ShowWindow(FHandle, Value == wsMinimized ? SW_MINIMIZE : Value == wsMaximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
}

TRect TCustomForm::GetClientRect() {
  // A minimized window keeps its restored client size.
  if (HandleAllocated() && IsIconic(FHandle)) return ClientRectFromStyles();
  return inherited::GetClientRect();
}

// ---- Showing ------------------------------------------------------------------------------------

void TCustomForm::SetVisible(bool Value) {
  if (FFormState.Contains(fsCreating)) {
    if (Value)
      FFormState.Include(fsVisible);
    else
      FFormState.Exclude(fsVisible);
    return;
  }
  inherited::SetVisible(Value);
}

void TCustomForm::UpdateShowing() {
  if (FFormState.Contains(fsCreating)) return;
  inherited::UpdateShowing();
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
  if (HandleAllocated() && !FParent) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::ApplyPosition() {
  if (FPositioned || FParent) return;
  FPositioned = true;
  TRect area = Screen() ? Screen()->GetWorkAreaRect() : TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  auto centreOn = [&](const TRect& r) {
    Integer x = r.Left + (r.Width() - FWidth) / 2;
    Integer y = r.Top + (r.Height() - FHeight) / 2;
    // Kept on the screen, its caption first.
    x = std::max(area.Left, std::min(x, area.Right - FWidth));
    y = std::max(area.Top, std::min(y, area.Bottom - FHeight));
    SetBounds(x, y, FWidth, FHeight);
  };
  TForm* mainForm = Application() ? Application()->GetMainForm() : nullptr;
  switch (FPosition) {
    case poScreenCenter: centreOn(area); break;
    case poDesktopCenter: centreOn(Screen() ? Screen()->GetDesktopRect() : area); break;
    case poMainFormCenter:
      if (mainForm && mainForm != this)
        centreOn(mainForm->GetBoundsRect());
      else
        centreOn(area);
      break;
    case poOwnerFormCenter:
      if (auto* owner = dynamic_cast<TCustomForm*>(GetOwner()); owner && owner != this)
        centreOn(owner->GetBoundsRect());
      else if (mainForm && mainForm != this)
        centreOn(mainForm->GetBoundsRect());
      else
        centreOn(area);
      break;
    default: break;
  }
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (FFormState.Contains(fsShowing)) throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
  FFormState.Include(fsShowing);
  try {
    if (FShowing) {
      try {
        DoShow();
      } catch (...) {
        if (Application()) Application()->HandleException(this);
      }
      ApplyPosition();
      if (FParent) {
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
      } else {
        int command = FWindowState == wsMaximized ? SW_SHOWMAXIMIZED
                      : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                    : SW_SHOWNORMAL;
        ShowWindow(FHandle, command);
      }
    } else {
      try {
        DoHide();
      } catch (...) {
        if (Application()) Application()->HandleException(this);
      }
      if (FFormState.Contains(fsModal) || FParent)
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      else
        ShowWindow(FHandle, SW_HIDE);
    }
  } catch (...) {
    FFormState.Exclude(fsShowing);
    throw;
  }
  FFormState.Exclude(fsShowing);
}

// ---- Painting -----------------------------------------------------------------------------------

void TCustomForm::WMPaint(TMessage& Message) {
  FControlState.Include(csCustomPaint);
  try {
    InheritedMessage(Message);
  } catch (...) {
    FControlState.Exclude(csCustomPaint);
    throw;
  }
  FControlState.Exclude(csCustomPaint);
}

void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomForm::CMTextChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (Application() && Application()->GetMainForm() == this && Application()->GetTitle().empty())
    Application()->SetTitle(GetText());
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
  DefaultHandler(Message);
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  TSizeConstraints* c = GetConstraints();
  if (c->GetMinWidth() > 0) info->ptMinTrackSize.X = c->GetMinWidth();
  if (c->GetMinHeight() > 0) info->ptMinTrackSize.Y = c->GetMinHeight();
  if (c->GetMaxWidth() > 0) info->ptMaxTrackSize.X = c->GetMaxWidth();
  if (c->GetMaxHeight() > 0) info->ptMaxTrackSize.Y = c->GetMaxHeight();
}

// The colour scheme changed: every control of the form makes its brushes again.
void TCustomForm::WMSysColorChange(TMessage& Message) {
  DefaultHandler(Message);
  Perform(CM_SYSCOLORCHANGE, 0, 0);
}

void TCustomForm::WMSysCommand(TMessage& Message) {
  // The main form's minimize button minimizes the application, as the framework does.
  if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application() && Application()->GetMainForm() == this) {
    Application()->Minimize();
    return;
  }
  DefaultHandler(Message);
}
