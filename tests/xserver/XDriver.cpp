#include "XDriver.h"

#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "gdi/ImageFiles.h"

namespace {

// UTF-8 to code points (a broken byte stands for itself).
std::vector<uint32_t> CodePoints(const std::string& text) {
  std::vector<uint32_t> result;
  for (size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    uint32_t c = extra ? lead & (0x3F >> extra) : lead;
    for (int k = 0; k < extra && i < text.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    result.push_back(c);
  }
  return result;
}

bool KeyFor(Display* display, KeySym key, KeyCode* code, bool* shift) {
  *code = XKeysymToKeycode(display, key);
  if (!*code) return false;
  *shift = XkbKeycodeToKeysym(display, *code, 0, 0) != key && XkbKeycodeToKeysym(display, *code, 0, 1) == key;
  return true;
}

KeySym KeySymOf(uint32_t c) {
  if (c == '\n' || c == '\r') return XK_Return;
  if (c == '\t') return XK_Tab;
  if (c == '\b') return XK_BackSpace;
  return c < 0x100 ? c : 0x01000000 | c;
}

}  // namespace

void EnableXThreads() {
  XInitThreads();
  XSetErrorHandler([](Display*, XErrorEvent* error) {
    // A window that went between two questions about it is no fault.
    if (error->error_code != BadWindow && error->error_code != BadDrawable && error->error_code != BadMatch)
      std::fprintf(stderr, "X error %d (request %d)\n", error->error_code, error->request_code);
    return 0;
  });
}

XDriver::XDriver(const std::string& display) : FDisplay(XOpenDisplay(display.c_str())) {}

XDriver::~XDriver() {
  if (FDisplay) XCloseDisplay(FDisplay);
}

void XDriver::MoveTo(POINT p) {
  XTestFakeMotionEvent(FDisplay, DefaultScreen(FDisplay), p.X, p.Y, CurrentTime);
  XFlush(FDisplay);
}

void XDriver::Button(int button, bool down) {
  XTestFakeButtonEvent(FDisplay, static_cast<unsigned>(button), down, CurrentTime);
  XFlush(FDisplay);
}

void XDriver::Click(POINT p, int button) {
  MoveTo(p);
  Button(button, true);
  Button(button, false);
}

bool XDriver::Drag(POINT from, POINT to, const std::function<bool()>& started) {
  MoveTo(from);
  Button(1, true);
  // A window manager may take a first press for itself (to focus); the user presses again.
  bool ok = !started || WaitFor(started, 3000);
  for (int attempt = 0; !ok && attempt < 3; ++attempt) {
    Button(1, false);
    Button(1, true);
    ok = WaitFor(started, 3000);
  }
  constexpr int kSteps = 8;
  for (int i = 1; i <= kSteps; ++i)
    MoveTo({from.X + (to.X - from.X) * i / kSteps, from.Y + (to.Y - from.Y) * i / kSteps});
  XSync(FDisplay, False);
  Button(1, false);
  return ok;
}

void XDriver::MapKeys(const std::string& text) {
  int first = 0, last = 0;
  XDisplayKeycodes(FDisplay, &first, &last);
  for (uint32_t c : CodePoints(text)) {
    KeySym key = KeySymOf(c);
    if (XKeysymToKeycode(FDisplay, key)) continue;
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(FDisplay, static_cast<KeyCode>(first), last - first + 1, &perCode);
    for (int code = last; code >= first; --code) {
      bool spare = true;
      for (int k = 0; k < perCode; ++k) spare = spare && map[(code - first) * perCode + k] == NoSymbol;
      if (!spare) continue;
      KeySym both[2] = {key, key};
      XChangeKeyboardMapping(FDisplay, code, 2, both, 1);
      break;
    }
    XFree(map);
    XSync(FDisplay, False);
  }
}

void XDriver::Key(const char* name) { PressKey(XStringToKeysym(name)); }

void XDriver::PressKey(unsigned long key) {
  KeyCode code = 0;
  bool shift = false;
  if (!KeyFor(FDisplay, key, &code, &shift)) return;
  KeyCode shiftCode = XKeysymToKeycode(FDisplay, XK_Shift_L);
  if (shift) XTestFakeKeyEvent(FDisplay, shiftCode, True, CurrentTime);
  XTestFakeKeyEvent(FDisplay, code, True, CurrentTime);
  XTestFakeKeyEvent(FDisplay, code, False, CurrentTime);
  if (shift) XTestFakeKeyEvent(FDisplay, shiftCode, False, CurrentTime);
  XFlush(FDisplay);
}

void XDriver::Type(const std::string& text) {
  MapKeys(text);
  for (uint32_t c : CodePoints(text)) PressKey(KeySymOf(c));
  XSync(FDisplay, False);
}

bool XDriver::WaitFor(const std::function<bool()>& done, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::string XDriver::Title(XWindow window) {
  Atom name = XInternAtom(FDisplay, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(FDisplay, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(FDisplay, window, name, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data && type == utf8) {
    title.assign(reinterpret_cast<char*>(data), count);
  } else {
    char* plain = nullptr;
    if (XFetchName(FDisplay, window, &plain) && plain) title = plain;
    if (plain) XFree(plain);
  }
  if (data) XFree(data);
  return title;
}

XWindow XDriver::FindWindow(const std::string& title) {
  std::vector<Window> pending{DefaultRootWindow(FDisplay)};
  while (!pending.empty()) {
    Window window = pending.back();
    pending.pop_back();
    XWindowAttributes attributes;
    if (window != DefaultRootWindow(FDisplay) &&
        (!XGetWindowAttributes(FDisplay, window, &attributes) || attributes.map_state != IsViewable))
      continue;
    if (window != DefaultRootWindow(FDisplay) && Title(window) == title) return window;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(FDisplay, window, &root, &parent, &children, &count)) {
      pending.insert(pending.end(), children, children + count);
      if (children) XFree(children);
    }
  }
  return None;
}

RECT XDriver::Geometry(XWindow window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(FDisplay, window, &attributes)) return {};
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(FDisplay, window, DefaultRootWindow(FDisplay), 0, 0, &x, &y, &child);
  return {x, y, x + attributes.width, y + attributes.height};
}

std::vector<XWindow> XDriver::TopWindows() {
  std::vector<XWindow> result;
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(FDisplay, DefaultRootWindow(FDisplay), &root, &parent, &children, &count)) return result;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(FDisplay, children[i], &attributes) && attributes.map_state == IsViewable)
      result.push_back(children[i]);
  }
  if (children) XFree(children);
  return result;
}

std::vector<XWindow> XDriver::ClientList() {
  std::vector<XWindow> result;
  Atom list = XInternAtom(FDisplay, "_NET_CLIENT_LIST", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(FDisplay, DefaultRootWindow(FDisplay), list, 0, 4096, False, XA_WINDOW, &type, &format,
                         &count, &after, &data) == Success &&
      data && format == 32) {
    auto* windows = reinterpret_cast<unsigned long*>(data);
    result.assign(windows, windows + count);
  }
  if (data) XFree(data);
  return result;
}

bool XDriver::KeyboardGrabbed() {
  int result = XGrabKeyboard(FDisplay, DefaultRootWindow(FDisplay), False, GrabModeAsync, GrabModeAsync, CurrentTime);
  if (result == GrabSuccess) XUngrabKeyboard(FDisplay, CurrentTime);
  XSync(FDisplay, False);
  return result == AlreadyGrabbed;
}

uint32_t XDriver::Pixel(POINT p) {
  XImage* image = XGetImage(FDisplay, DefaultRootWindow(FDisplay), p.X, p.Y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0;
  uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

bool XDriver::SaveScreenshot(const std::string& fileName) {
  Window root = DefaultRootWindow(FDisplay);
  XWindowAttributes attributes;
  XGetWindowAttributes(FDisplay, root, &attributes);
  XImage* image = XGetImage(FDisplay, root, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  PixelImage picture;
  picture.width = image->width;
  picture.height = image->height;
  picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x)] =
          0xFF000000u | (static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
  XDestroyImage(image);
  std::vector<uint8_t> png;
  if (!EncodePng(picture, png)) return false;
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

bool XDriver::SizeLimits(XWindow window, SIZE* minimum, SIZE* maximum) {
  XSizeHints hints{};
  long supplied = 0;
  if (!XGetWMNormalHints(FDisplay, window, &hints, &supplied) || !(hints.flags & PMinSize) || !(hints.flags & PMaxSize))
    return false;
  *minimum = {hints.min_width, hints.min_height};
  *maximum = {hints.max_width, hints.max_height};
  return true;
}
