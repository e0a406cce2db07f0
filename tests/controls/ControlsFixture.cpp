#include "ControlsFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "gdi/ImageFiles.h"

ControlsTest* ControlsTest::current = nullptr;

namespace {

constexpr char kParentClass[] = "ControlsTestParent";

LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlsTest* test = ControlsTest::current;
  if (test && window == test->parent) {
    switch (message) {
      case WM_COMMAND: case WM_VSCROLL: case WM_HSCROLL: case WM_DRAWITEM: case WM_CTLCOLOREDIT:
      case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLORSCROLLBAR:
        test->notices.push_back({message, wParam, lParam});
        break;
      default:
        break;
    }
    LRESULT result = 0;
    if (test->answer && test->answer(message, wParam, lParam, &result)) return result;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

UINT VirtualKeyOf(const std::string& name) {
  static const std::pair<const char*, UINT> kKeys[] = {
      {"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Up", VK_UP}, {"Down", VK_DOWN}, {"Home", VK_HOME},
      {"End", VK_END}, {"Back", VK_BACK}, {"Del", VK_DELETE}, {"Ins", VK_INSERT}, {"Enter", VK_RETURN},
      {"Tab", VK_TAB}, {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT}, {"Space", VK_SPACE}};
  for (const auto& [key, vk] : kKeys) {
    if (name == key) return vk;
  }
  if (name.size() == 1) return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
  ADD_FAILURE() << "unknown key " << name;
  return 0;
}

}  // namespace

void ControlsTest::SetUp() {
  current = this;
  WNDCLASS c;
  if (!GetClassInfo(nullptr, kParentClass, &c)) {
    c.lpfnWndProc = ParentProc;
    c.hbrBackground = SysColorClassBrush(COLOR_BTNFACE);
    c.lpszClassName = kParentClass;
    RegisterClass(&c);
  }
  parent = CreateWindowEx(0, kParentClass, "controls", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 420, 320,
                          nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(parent);
  Pump();
}

void ControlsTest::TearDown() {
  if (GetCapture()) ReleaseCapture();
  DestroyWindow(parent);
  Pump();
  BYTE keys[256] = {};
  SetKeyboardState(keys);
  current = nullptr;
}

HWND ControlsTest::Child(const char* className, const char* text, DWORD style, RECT bounds, int id, DWORD exStyle) {
  HWND child = CreateWindowEx(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, bounds.Left, bounds.Top,
                              bounds.Width(), bounds.Height(), parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                              nullptr, nullptr);
  EXPECT_TRUE(child) << className;
  return child;
}

void ControlsTest::Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

void ControlsTest::Key(UINT virtualKey, bool shift, bool ctrl) {
  if (shift) InputKey(VK_SHIFT, true);
  if (ctrl) InputKey(VK_CONTROL, true);
  InputKey(virtualKey, true);
  InputKey(virtualKey, false);
  if (ctrl) InputKey(VK_CONTROL, false);
  if (shift) InputKey(VK_SHIFT, false);
  Pump();
}

void ControlsTest::Type(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    size_t pos = i;
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    uint32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (pos = i + 1; pos < i + length && pos < text.size(); ++pos) c = (c << 6) | (static_cast<unsigned char>(text[pos]) & 0x3F);
    UINT vk = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : VK_OEM_1;
    if (c == ' ') vk = VK_SPACE;
    InputKey(vk, true, c);
    InputKey(vk, false);
    i = pos;
  }
  Pump();
}

void ControlsTest::Play(const std::string& script) {
  for (size_t i = 0; i < script.size();) {
    if (script[i] != '{') {
      size_t next = script.find('{', i);
      Type(script.substr(i, next == std::string::npos ? std::string::npos : next - i));
      i = next == std::string::npos ? script.size() : next;
      continue;
    }
    size_t close = script.find('}', i);
    std::string token = script.substr(i + 1, close - i - 1);
    bool shift = false, ctrl = false;
    size_t dash = token.find('-');
    if (dash != std::string::npos && dash > 0) {
      std::string mods = token.substr(0, dash);
      shift = mods.find('S') != std::string::npos;
      ctrl = mods.find('C') != std::string::npos;
      token = token.substr(dash + 1);
    }
    Key(VirtualKeyOf(token), shift, ctrl);
    i = close + 1;
  }
}

void ControlsTest::Click(HWND window, int x, int y, bool shift) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  if (shift) InputKey(VK_SHIFT, true);
  InputMouseMove(p);
  InputMouseButton(p, MouseButton::Left, true);
  InputMouseButton(p, MouseButton::Left, false);
  if (shift) InputKey(VK_SHIFT, false);
  Pump();
}

void ControlsTest::DoubleClick(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  InputMouseMove(p);
  for (int i = 0; i < 2; ++i) {
    InputMouseButton(p, MouseButton::Left, true);
    InputMouseButton(p, MouseButton::Left, false);
  }
  Pump();
}

void ControlsTest::Drag(HWND window, POINT from, POINT to) {
  ClientToScreen(window, &from);
  ClientToScreen(window, &to);
  InputMouseMove(from);
  InputMouseButton(from, MouseButton::Left, true);
  InputMouseMove({(from.X + to.X) / 2, (from.Y + to.Y) / 2});
  InputMouseMove(to);
  InputMouseButton(to, MouseButton::Left, false);
  Pump();
}

std::string ControlsTest::Text(HWND window) {
  int length = static_cast<int>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = static_cast<int>(SendMessage(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(got));
  return text;
}

std::vector<WORD> ControlsTest::Commands(HWND control) const {
  std::vector<WORD> codes;
  for (const Notice& n : notices) {
    if (n.message == WM_COMMAND && reinterpret_cast<HWND>(n.lParam) == control) codes.push_back(HIWORD(n.wParam));
  }
  return codes;
}

std::vector<Notice> ControlsTest::Received(UINT message) const {
  std::vector<Notice> out;
  for (const Notice& n : notices) {
    if (n.message == message) out.push_back(n);
  }
  return out;
}

void ControlsTest::Screenshot(HWND window, const std::string& name) {
  const char* root = std::getenv("TAVREN_TEST_OUTPUT");
  if (!root) return;
  RECT r;
  GetWindowRect(window, &r);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = r.Width();
  info.bmiHeader.biHeight = -r.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessage(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  PixelImage image;
  image.width = r.Width();
  image.height = r.Height();
  image.pixels.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + image.width * image.height);
  for (uint32_t& p : image.pixels) p |= 0xFF000000u;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(image, png, false));
  std::filesystem::path folder = std::filesystem::path(root) / "controls";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / (name + ".png"), std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                                   static_cast<std::streamsize>(png.size()));
}
