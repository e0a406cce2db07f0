#include "backend/SdlBackend.h"

#include <algorithm>
#include <vector>

#include "backend/SdlKeys.h"
#include "backend/X11ErrorFilter.h"
#include "gdi/SysMetrics.h"
#include "user/Focus.h"
#include "user/InputEvents.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "user/WindowStyles.h"
#include "user/WindowTree.h"

namespace {

SDL_HitTestResult HitTest(SDL_Window* window, const SDL_Point* area, void* data) {
  auto handle = static_cast<HWND>(data);
  int x = 0, y = 0;
  SDL_GetWindowPosition(window, &x, &y);
  LRESULT hit = SendMessage(handle, WM_NCHITTEST, 0,
                            MAKELPARAM(static_cast<WORD>(x + area->x), static_cast<WORD>(y + area->y)));
  switch (hit) {
    case HTCAPTION: return SDL_HITTEST_DRAGGABLE;
    case HTLEFT: return SDL_HITTEST_RESIZE_LEFT;
    case HTRIGHT: return SDL_HITTEST_RESIZE_RIGHT;
    case HTTOP: return SDL_HITTEST_RESIZE_TOP;
    case HTBOTTOM: return SDL_HITTEST_RESIZE_BOTTOM;
    case HTTOPLEFT: return SDL_HITTEST_RESIZE_TOPLEFT;
    case HTTOPRIGHT: return SDL_HITTEST_RESIZE_TOPRIGHT;
    case HTBOTTOMLEFT: return SDL_HITTEST_RESIZE_BOTTOMLEFT;
    case HTBOTTOMRIGHT: return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    default: return SDL_HITTEST_NORMAL;
  }
}

MouseButton ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

// The code points of UTF-8 text (U+FFFD for a broken sequence).
std::vector<uint32_t> CodePoints(const char* text) {
  std::vector<uint32_t> result;
  for (auto p = reinterpret_cast<const unsigned char*>(text); *p;) {
    unsigned char lead = *p++;
    int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0) {
      result.push_back(0xFFFD);
      continue;
    }
    uint32_t c = extra ? lead & (0x3F >> extra) : lead;
    for (int k = 0; k < extra && (*p & 0xC0) == 0x80; ++k) c = (c << 6) | (*p++ & 0x3F);
    result.push_back(c);
  }
  return result;
}

// Keys whose characters are controls (Enter, Tab, Backspace, Escape, Ctrl with a letter): SDL
// never reports them as text, so the window manager's layout answers for them.
bool TypesControlCharacter(UINT vk, Uint16 modifiers) {
  return vk == VK_RETURN || vk == VK_TAB || vk == VK_BACK || vk == VK_ESCAPE || (modifiers & KMOD_CTRL);
}

SDL_SystemCursor SdlCursorOf(int systemId) {
  switch (systemId) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace

std::unique_ptr<SdlBackend> SdlBackend::Create() {
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // We draw every frame ourselves: without this SDL sets up a software OpenGL path per window
  // to present it, which costs start-up time, threads and idle CPU.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Whether the program ends when its last window closes is its own decision.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && SDL_strcmp(driver, "x11") == 0) FilterStaleWakeupErrors();
  std::unique_ptr<SdlBackend> backend(new SdlBackend());
  backend->FWakeEvent = SDL_RegisterEvents(1);
  if (backend->FWakeEvent == static_cast<Uint32>(-1)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  SDL_StartTextInput();
  return backend;
}

SdlBackend::~SdlBackend() {
  for (auto& [handle, native] : FWindows) SDL_DestroyWindow(native.window);
  for (auto& [id, cursor] : FCursors) SDL_FreeCursor(cursor);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SIZE SdlBackend::DisplaySize() const {
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(0, &bounds) != 0) return {1280, 1024};
  return {bounds.w, bounds.h};
}

RECT SdlBackend::WorkArea() const {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return DisplayBackend::WorkArea();
  return Bounds(usable.x, usable.y, usable.w, usable.h);
}

void SdlBackend::CreateNativeWindow(HWND handle, const RECT& rect, bool popup, bool topmost) {
  Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
  if (popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
  if (topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  // Windows with a sizing frame are sized by their borders; dialogs and the rest keep their size.
  bool resizable = !popup && (GetWindowLong(handle, GWL_STYLE) & WS_THICKFRAME);
  if (resizable) flags |= SDL_WINDOW_RESIZABLE;
  SDL_Window* window = SDL_CreateWindow("", rect.Left, rect.Top, std::max(rect.Width(), 1), std::max(rect.Height(), 1), flags);
  if (!window) return;
  SDL_SetWindowData(window, "hwnd", handle);
  if (!popup) SDL_SetWindowHitTest(window, HitTest, handle);
  Native& native = FWindows[handle] = {window, rect, popup, resizable};
  ApplySizeLimits(handle, native);
}

// The desktop sizes the window within the track sizes the window asks for.
void SdlBackend::ApplySizeLimits(HWND handle, const Native& native) {
  if (!native.resizable) return;
  MINMAXINFO info{};
  info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  SendMessage(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  int minWidth = std::max<int>(info.ptMinTrackSize.X, 1), minHeight = std::max<int>(info.ptMinTrackSize.Y, 1);
  SDL_SetWindowMinimumSize(native.window, minWidth, minHeight);
  SDL_SetWindowMaximumSize(native.window, std::max<int>(info.ptMaxTrackSize.X, minWidth),
                           std::max<int>(info.ptMaxTrackSize.Y, minHeight));
}

void SdlBackend::SetNativeWindowTitle(HWND handle, const String& title) {
  auto it = FWindows.find(handle);
  if (it != FWindows.end()) SDL_SetWindowTitle(it->second.window, title.c_str());
}

void SdlBackend::DestroyNativeWindow(HWND handle) {
  auto it = FWindows.find(handle);
  if (it == FWindows.end()) return;
  if (FFocusWindow == handle) FFocusWindow = nullptr;
  if (FFocusReturning == handle) FFocusReturning = nullptr;
  if (SDL_GetKeyboardFocus() == it->second.window) FFocusHandBack = true;
  SDL_DestroyWindow(it->second.window);
  FWindows.erase(it);
}

void SdlBackend::ShowNativeWindow(HWND handle, bool visible, bool activate) {
  auto it = FWindows.find(handle);
  if (it == FWindows.end()) return;
  if (!visible) {
    if (SDL_GetKeyboardFocus() == it->second.window) FFocusHandBack = true;
    SDL_HideWindow(it->second.window);
    return;
  }
  ApplySizeLimits(handle, it->second);
  SDL_ShowWindow(it->second.window);
  if (activate && !it->second.popup) SDL_RaiseWindow(it->second.window);
}

void SdlBackend::MoveNativeWindow(HWND handle, const RECT& rect) {
  auto it = FWindows.find(handle);
  if (it == FWindows.end()) return;
  it->second.rect = rect;
  // Each change waits for the X server: ask only for what differs.
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowPosition(it->second.window, &x, &y);
  SDL_GetWindowSize(it->second.window, &width, &height);
  if (x != rect.Left || y != rect.Top) SDL_SetWindowPosition(it->second.window, rect.Left, rect.Top);
  if (width != std::max(rect.Width(), 1) || height != std::max(rect.Height(), 1))
    SDL_SetWindowSize(it->second.window, std::max(rect.Width(), 1), std::max(rect.Height(), 1));
}

void SdlBackend::RestackNativeWindows(const HWND*, size_t) {
  // SDL2 can only raise a window, and raising takes the focus: the desktop keeps its own order
  // and topmost windows were made always on top.
}

bool SdlBackend::FocusNative(HWND handle) {
  auto it = FWindows.find(handle);
  return it != FWindows.end() && (SDL_GetWindowFlags(it->second.window) & SDL_WINDOW_SHOWN) &&
         SDL_SetWindowInputFocus(it->second.window) == 0;
}

void SdlBackend::ActivateNativeWindow(HWND handle) {
  auto it = FWindows.find(handle);
  if (it != FWindows.end() && !it->second.popup) SDL_RaiseWindow(it->second.window);
}

void SdlBackend::SetNativeWindowLayering(HWND handle, BYTE alpha, COLORREF, bool, bool) {
  auto it = FWindows.find(handle);
  if (it != FWindows.end()) SDL_SetWindowOpacity(it->second.window, alpha / 255.0f);
}

void SdlBackend::Present(HWND handle, const PixelSurface& surface, const RECT& dirty) {
  auto it = FWindows.find(handle);
  if (it == FWindows.end()) return;
  SDL_Surface* target = SDL_GetWindowSurface(it->second.window);
  if (!target) return;
  RECT area{std::max(dirty.Left, 0), std::max(dirty.Top, 0), std::min({dirty.Right, surface.width, target->w}),
            std::min({dirty.Bottom, surface.height, target->h})};
  if (area.Right <= area.Left || area.Bottom <= area.Top) return;
  if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
  auto* destination = static_cast<uint8_t*>(target->pixels) + static_cast<ptrdiff_t>(area.Top) * target->pitch +
                      area.Left * target->format->BytesPerPixel;
  SDL_ConvertPixels(area.Width(), area.Height(), SDL_PIXELFORMAT_XRGB8888, surface.Row(area.Top) + area.Left * 4,
                    static_cast<int>(surface.pitch), target->format->format, destination, target->pitch);
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  SDL_Rect changed{area.Left, area.Top, area.Width(), area.Height()};
  SDL_UpdateWindowSurfaceRects(it->second.window, &changed, 1);
}

void SdlBackend::CaptureChanged(HWND captureWindow) { SDL_CaptureMouse(captureWindow ? SDL_TRUE : SDL_FALSE); }

void SdlBackend::CursorPositionSet(POINT p) { SDL_WarpMouseGlobal(p.X, p.Y); }

void SdlBackend::ShowCursorShape(HCURSOR cursor, int systemId, bool shown) {
  SDL_ShowCursor(shown && cursor ? SDL_ENABLE : SDL_DISABLE);
  if (!shown || !cursor) return;
  // Cursors of our own are shown as the arrow.
  SDL_SystemCursor kind = SdlCursorOf(systemId);
  SDL_Cursor*& native = FCursors[kind];
  if (!native) native = SDL_CreateSystemCursor(kind);
  if (native) SDL_SetCursor(native);
}

bool SdlBackend::SetClipboardText(const String& text) { return SDL_SetClipboardText(text.c_str()) == 0; }

bool SdlBackend::GetClipboardText(String* text) {
  char* value = SDL_GetClipboardText();
  *text = value ? value : "";
  SDL_free(value);
  return true;
}

void SdlBackend::Wake() {
  if (FWakePending.exchange(true)) return;
  SDL_Event event{};
  event.type = FWakeEvent;
  SDL_PushEvent(&event);
}

void SdlBackend::WaitEvents(uint64_t timeoutMs) {
  if (timeoutMs == UINT64_MAX) SDL_WaitEvent(nullptr);
  else SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint64_t>(timeoutMs, 0x7FFFFFFF)));
}

void SdlBackend::PumpEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) Handle(event);
  if (FFocusLost) {
    FFocusLost = false;
    bool handBack = FFocusHandBack;
    FFocusHandBack = false;
    if (!SDL_GetKeyboardFocus()) {
      // A window of ours that had the keys went away. Without a desktop window manager the
      // keys go nowhere then: they go to the window that is active now instead.
      HWND active = handBack ? GetActiveWindow() : nullptr;
      if (active && FocusNative(GetAncestor(active, GA_ROOT))) return;
      // Focus went to no window of ours: the application is no longer active.
      InputDeactivateApp();
    }
  }
}

HWND SdlBackend::HandleOf(Uint32 windowId) const {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  return window ? static_cast<HWND>(SDL_GetWindowData(window, "hwnd")) : nullptr;
}

POINT SdlBackend::ToScreen(Uint32 windowId, int x, int y) const {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  int left = 0, top = 0;
  if (window) SDL_GetWindowPosition(window, &left, &top);
  return {left + x, top + y};
}

void SdlBackend::Handle(const SDL_Event& event) {
  if (event.type == FWakeEvent) {
    FWakePending = false;
    return;
  }
  switch (event.type) {
    case SDL_MOUSEMOTION: InputMouseMove(ToScreen(event.motion.windowID, event.motion.x, event.motion.y)); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      InputMouseButton(ToScreen(event.button.windowID, event.button.x, event.button.y), ButtonOf(event.button.button),
                       event.type == SDL_MOUSEBUTTONDOWN);
      break;
    case SDL_MOUSEWHEEL: {
      int x = 0, y = 0;
      SDL_GetGlobalMouseState(&x, &y);
      int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      if (notches) InputMouseWheel({x, y}, notches * 120);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(event.key); break;
    case SDL_TEXTINPUT:
      // Text that no key press took (input methods, composed characters) comes as typed packets.
      for (uint32_t c : CodePoints(event.text.text)) {
        InputKey(0xE7, true, c);
        InputKey(0xE7, false);
      }
      break;
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_QUIT: HandleQuit(); break;
    default: break;
  }
}

// The desktop asks the program to end: every window that owns the others (the program's main
// windows) is closed as by its close button, so the program's close handlers decide.
void SdlBackend::HandleQuit() {
  std::vector<HWND> roots;
  for (auto& [handle, native] : FWindows) {
    if (native.popup) continue;
    HWND root = GetAncestor(handle, GA_ROOTOWNER);
    if (root && std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
  }
  for (HWND root : roots) PostMessage(root, WM_CLOSE, 0, 0);
  // Nothing on the screen to ask: the loop ends.
  if (roots.empty()) PostQuitMessage(0);
}

void SdlBackend::HandleKey(const SDL_KeyboardEvent& event) {
  UINT vk = VirtualKeyOf(event.keysym);
  if (!vk) return;
  uint32_t character = kNoCharacter;
  if (event.type == SDL_KEYDOWN) {
    // The text this press typed directly follows it; it travels with the key, as WM_CHAR does.
    // Text further on belongs to later keys (Shift's press is followed by the letter's).
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 && next.type == SDL_TEXTINPUT) {
      std::vector<uint32_t> typed = CodePoints(next.text.text);
      if (typed.size() == 1) {
        character = typed[0];
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
      }
    } else if (TypesControlCharacter(vk, event.keysym.mod)) {
      character = 0;
    }
  }
  InputKey(vk, event.type == SDL_KEYDOWN, character);
}

void SdlBackend::HandleWindowEvent(const SDL_WindowEvent& event) {
  // Also for a window destroyed meanwhile: where the keys went is settled after the pump.
  if (event.event == SDL_WINDOWEVENT_FOCUS_LOST) FFocusLost = true;
  HWND handle = HandleOf(event.windowID);
  if (!handle) return;
  auto it = FWindows.find(handle);
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: InputCloseWindow(handle); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      FFocusLost = false;
      if (it != FWindows.end() && it->second.popup) {
        // Without a desktop window manager SDL focuses every window it shows. A popup is never
        // activated (a drop-down would close at once); the keys go back to where they were,
        // which activates nothing anew (a modal box may be the active window by now).
        if (FFocusWindow && FocusNative(FFocusWindow)) FFocusReturning = FFocusWindow;
        break;
      }
      FFocusWindow = handle;
      if (FFocusReturning == handle) {
        FFocusReturning = nullptr;
        break;
      }
      InputActivateWindow(handle);
      break;
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      if (it == FWindows.end()) break;
      int x = 0, y = 0, w = 0, h = 0;
      SDL_GetWindowPosition(it->second.window, &x, &y);
      SDL_GetWindowSize(it->second.window, &w, &h);
      RECT rect = Bounds(x, y, w, h);
      if (rect == it->second.rect) break;
      it->second.rect = rect;
      InputWindowMoved(handle, rect);
      break;
    }
    case SDL_WINDOWEVENT_EXPOSED: InputExposeWindow(handle); break;
    default: break;
  }
}
