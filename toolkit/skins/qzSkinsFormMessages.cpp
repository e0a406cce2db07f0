// The messages of a skinned form: its non-client area answered and drawn from the skin, caption
// buttons pressed and released, the window region kept rectangular.

#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"

namespace {

constexpr UINT kNcDrawCaption = 0x00AE;
constexpr UINT kNcDrawFrame = 0x00AF;

WPARAM CommandOf(Integer Button) {
  switch (Button) {
    case fbMinimize: return SC_MINIMIZE;
    case fbMaximize: return SC_MAXIMIZE;
    case fbRestore: return SC_RESTORE;
    case fbClose: return SC_CLOSE;
    default: return 0;
  }
}

// The scroll request of a bar part; -1 for the thumb and for no part.
Integer ScrollCodeOf(TkvScrollBarPart Part) {
  switch (Part) {
    case sbpLineUp: return SB_LINEUP;
    case sbpLineDown: return SB_LINEDOWN;
    case sbpPageUp: return SB_PAGEUP;
    case sbpPageDown: return SB_PAGEDOWN;
    default: return -1;
  }
}

}  // namespace

TqzSkinFormController::TqzSkinFormController()
    : FNonClientInfo(std::make_unique<TqzSkinFormNonClientAreaInfo>(this)),
      FFormPainter(std::make_unique<TqzSkinFormPainter>(FNonClientInfo.get())) {}

TqzSkinFormController::~TqzSkinFormController() {
  // Unbound here, while the frame's objects still exist for the last redraw.
  Bind(nullptr);
}

TPoint TqzSkinFormController::WindowPoint(LPARAM LParam) const {
  RECT window{};
  GetWindowRect(Handle(), &window);
  const TPoint screen = MessagePoint(LParam);
  return TPoint{screen.X - window.Left, screen.Y - window.Top};
}

void TqzSkinFormController::Recalculate() {
  if (Handle()) FNonClientInfo->Calculate();
}

void TqzSkinFormController::PaintFrame() {
  if (Handle() && IsSkinned()) FFormPainter->PaintFrame(Handle(), nullptr);
}

void TqzSkinFormController::Refresh() {
  if (Handle()) {
    char text[512] = {};
    GetWindowText(Handle(), text, sizeof text);
    FNonClientInfo->SetCaption(text);
  }
  inherited::Refresh();
  CheckWindowRegion();
}

// A rectangular region, so that nothing of the platform's frame shape shows; none while
// maximized or unskinned.
void TqzSkinFormController::CheckWindowRegion(bool Redraw) {
  HWND window = Handle();
  if (!window || !IsWindow(window)) return;
  auto* form = dynamic_cast<TCustomForm*>(Control());
  const bool wanted =
      IsSkinned() && (!form || form->GetBorderStyle() != bsNone) && !IsZoomed(window);
  if (wanted) {
    RECT r{};
    GetWindowRect(window, &r);
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    const bool same = GetWindowRgn(window, current) != ERROR && GetRgnBox(current, &box) != ERROR &&
                      box.Left == 0 && box.Top == 0 && box.Right == r.Width() && box.Bottom == r.Height();
    DeleteObject(current);
    if (!same) SetWindowRgn(window, CreateRectRgn(0, 0, r.Width(), r.Height()), Redraw);
  } else if (FWindowRegion) {
    SetWindowRgn(window, nullptr, Redraw);
  }
  FWindowRegion = wanted;
}

void TqzSkinFormController::WindowProc(TMessage& Message) {
  if (!IsSkinned()) {
    if (Message.Msg == NonClientChangedMessage) {
      ChooseFormPainter();
      Refresh();
      return;
    }
    CallSavedProc(Message);
    return;
  }
  if (!HandleMessage(Message)) CallSavedProc(Message);
}

void TqzSkinFormController::HandleNcCalcSize(TMessage& Message) {
  TRect* client = Message.WParam ? reinterpret_cast<TRect*>(&reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0])
                                 : reinterpret_cast<TRect*>(Message.LParam);
  const TRect proposed = *client;
  CallSavedProc(Message);
  Recalculate();
  if (FNonClientInfo->HasBorder() && !FNonClientInfo->SystemFrame()) *client = FNonClientInfo->ClientFor(proposed);
  Message.Result = 0;
}

void TqzSkinFormController::HandleNcMouseMove(TMessage& Message) {
  TqzSkinFormNonClientAreaInfo* info = FNonClientInfo.get();
  if (info->PressedButton() != kqzNoButton && GetKeyState(VK_LBUTTON) >= 0) info->SetPressedButton(kqzNoButton);
  info->SetHotButton(info->ButtonAt(WindowPoint(Message.LParam)));
  if (info->CalculateButtonStates()) PaintFrame();
  // The hot button is watched, so that it cools down when the mouse leaves it by any way.
  StopMouseLeaveWatch(this);
  if (info->HotButton() != kqzNoButton) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    StartMouseLeaveWatch(nullptr, RectShifted(info->ButtonRect(info->HotButton()), window.Left, window.Top), this);
  }
  Message.Result = 0;
}

void TqzSkinFormController::MouseLeave() {
  TqzSkinFormNonClientAreaInfo* info = FNonClientInfo.get();
  if (info->PressedButton() != kqzNoButton) return;  // the release decides
  info->SetHotButton(kqzNoButton);
  if (info->CalculateButtonStates()) PaintFrame();
}

void TqzSkinFormController::HandleNcLButtonDown(TMessage& Message) {
  TqzSkinFormNonClientAreaInfo* info = FNonClientInfo.get();
  const Integer button = info->ButtonAt(WindowPoint(Message.LParam));
  if (CommandOf(button) != 0) {
    info->SetPressedButton(button);
    info->SetHotButton(button);
    info->CalculateButtonStates();
    PaintFrame();
    Message.Result = 0;
    return;
  }
  // A press on a skinned scroll bar scrolls by its part here: the default handling would track
  // the platform's bar, which lies elsewhere.
  Integer bar = 0;
  const TkvScrollBarPart part = info->ScrollPartAt(WindowPoint(Message.LParam), bar);
  if (Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL) {
    const Integer code = ScrollCodeOf(part);
    if (code >= 0 && info->ScrollBarEnabled(bar))
      SendMessage(Handle(), bar == 0 ? WM_HSCROLL : WM_VSCROLL, static_cast<WPARAM>(code), 0);
    Message.Result = 0;
    return;
  }
  // The icon, help and everything outside the buttons: moving, sizing, the system menu.
  HWND window = Handle();
  CallSavedProc(Message);
  if (IsWindow(window) && !Destroyed()) PaintFrame();
}

void TqzSkinFormController::HandleNcLButtonUp(TMessage& Message) {
  TqzSkinFormNonClientAreaInfo* info = FNonClientInfo.get();
  const Integer pressed = info->PressedButton();
  const Integer over = info->ButtonAt(WindowPoint(Message.LParam));
  if (pressed == kqzNoButton) {
    CallSavedProc(Message);
    return;
  }
  info->SetPressedButton(kqzNoButton);
  info->SetHotButton(over);
  info->CalculateButtonStates();
  PaintFrame();
  Message.Result = 0;
  if (over == pressed) SendMessage(Handle(), WM_SYSCOMMAND, CommandOf(pressed), Message.LParam);
}

bool TqzSkinFormController::HandleMessage(TMessage& Message) {
  HWND window = Handle();
  const UINT msg = Message.Msg;
  if (msg == WM_NCCALCSIZE) {
    HandleNcCalcSize(Message);
  } else if (msg == WM_NCHITTEST) {
    const TPoint p = WindowPoint(Message.LParam);
    LRESULT hit = FNonClientInfo->HitTest(p);
    if (hit == HTNOWHERE) {
      WINDOWINFO info;
      GetWindowInfo(window, &info);
      const TRect client = Rect(info.rcClient.Left - info.rcWindow.Left, info.rcClient.Top - info.rcWindow.Top,
                                info.rcClient.Right - info.rcWindow.Left, info.rcClient.Bottom - info.rcWindow.Top);
      const bool inClient = p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom;
      hit = inClient ? HTCLIENT : (FNonClientInfo->HasBorder() ? HTBORDER : HTNOWHERE);
    }
    Message.Result = hit;
  } else if (msg == WM_NCPAINT || msg == WM_SYNCPAINT || msg == kNcDrawCaption || msg == kNcDrawFrame) {
    Recalculate();
    PaintFrame();
    Message.Result = 0;
  } else if (msg == WM_NCACTIVATE) {
    FNonClientInfo->SetActive(Message.WParam != 0);
    FNonClientInfo->CalculateButtonStates();
    Message.Result = 1;
    PaintFrame();
  } else if (msg == WM_NCMOUSEMOVE) {
    HandleNcMouseMove(Message);
  } else if (msg == WM_NCLBUTTONDOWN || msg == WM_NCLBUTTONDBLCLK) {
    HandleNcLButtonDown(Message);
  } else if (msg == WM_NCLBUTTONUP) {
    HandleNcLButtonUp(Message);
  } else if (msg == WM_SYSCOMMAND || msg == WM_ACTIVATE) {
    CallSavedProc(Message);
    if (IsWindow(window) && !Destroyed()) {
      Recalculate();
      CheckWindowRegion();
      PaintFrame();
    }
  } else if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
    CallSavedProc(Message);
    if (IsWindow(window)) {
      Recalculate();
      PaintFrame();
    }
  } else if (msg == WM_SIZE) {
    CallSavedProc(Message);
    // The new size is painted anyway.
    if (IsWindow(window)) CheckWindowRegion(false);
  } else if (msg == WM_ERASEBKGND) {
    RECT client{};
    GetClientRect(window, &client);
    FFormPainter->PaintBackground(reinterpret_cast<HDC>(Message.WParam), client);
    Message.Result = 1;
  } else if (msg == WM_SETTEXT) {
    CallSavedProc(Message);
    FNonClientInfo->SetCaption(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
    Recalculate();
    PaintFrame();
  } else if (msg == WM_DESTROY) {
    SetPainter(nullptr);
    CallSavedProc(Message);
    Unsubclass();
  } else if (msg == NonClientChangedMessage) {
    ChooseFormPainter();
    Refresh();
  } else if (msg == WM_POSTREDRAW) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  } else if (msg == WM_POSTCHECKRGN) {
    CheckWindowRegion();
  } else {
    return false;
  }
  return true;
}
