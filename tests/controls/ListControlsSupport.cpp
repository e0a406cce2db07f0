#include "ListControlsSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/user/WindowManagerState.h"
#include "gdi/ImageFiles.h"

ListControlsTest* ListControlsTest::current = nullptr;

namespace {

LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ListControlsTest* test = ListControlsTest::current;
  if (test) {
    if (message == WM_COMMAND && lParam) test->events.push_back({message, HIWORD(wParam)});
    if (message == WM_NOTIFY) test->events.push_back({message, reinterpret_cast<NMHDR*>(lParam)->code});
    if (message == WM_MEASUREITEM) test->events.push_back({message, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemID});
    if (message == WM_DRAWITEM) test->events.push_back({message, reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->itemID});
    if (test->answer) {
      LRESULT result = 0;
      if (test->answer(message, wParam, lParam, &result)) return result;
    }
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

void ListControlsTest::SetUp() {
  current = this;
  previousClock_ = &CurrentClock();
  SetClock(&clock);
  WNDCLASS c;
  if (!GetClassInfo(nullptr, "ListTestParent", &c)) {
    c.lpfnWndProc = ParentProc;
    c.hbrBackground = SysColorClassBrush(COLOR_BTNFACE);
    c.lpszClassName = "ListTestParent";
    RegisterClass(&c);
  }
  parent = CreateWindowEx(0, "ListTestParent", "Lists", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50, 400, 300,
                          nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(parent);
  Pump();
}

void ListControlsTest::TearDown() {
  answer = nullptr;
  ResetWindowManager();
  current = nullptr;
  SetClock(previousClock_);
}

HWND ListControlsTest::Child(const char* className, DWORD style, const RECT& bounds, int id, DWORD exStyle) {
  return CreateWindowEx(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, bounds.Left, bounds.Top, bounds.Width(),
                        bounds.Height(), parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

void ListControlsTest::Pump() {
  DispatchQueued();
  UpdateAllWindows();
}

void ListControlsTest::Click(HWND window, int x, int y, WPARAM keys, bool doubleClick) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  if (keys & MK_SHIFT) InputKey(VK_SHIFT, true);
  if (keys & MK_CONTROL) InputKey(VK_CONTROL, true);
  InputMouseMove(p);
  for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
    InputMouseButton(p, MouseButton::Left, true);
    InputMouseButton(p, MouseButton::Left, false);
  }
  if (keys & MK_CONTROL) InputKey(VK_CONTROL, false);
  if (keys & MK_SHIFT) InputKey(VK_SHIFT, false);
  Pump();
  if (!doubleClick) clock.Advance(1000);  // the next click is not a double click
}

void ListControlsTest::Key(UINT vk, uint32_t character) {
  InputKey(vk, true, character);
  InputKey(vk, false, character);
  Pump();
}

void ListControlsTest::KeyWith(UINT modifier, UINT vk) {
  InputKey(modifier, true);
  Key(vk);
  InputKey(modifier, false);
  Pump();
}

void ListControlsTest::Type(const std::string& text) {
  for (char c : text) {
    const UINT vk = (c >= 'a' && c <= 'z') ? static_cast<UINT>(c - 'a' + 'A') : static_cast<UINT>(c);
    Key(vk, static_cast<uint32_t>(c));
  }
}

std::vector<UINT> ListControlsTest::Codes(UINT message) const {
  std::vector<UINT> out;
  for (const ParentEvent& e : events)
    if (e.message == message) out.push_back(e.code);
  return out;
}

void ListControlsTest::SaveScreenshot(HWND topLevel, const std::string& name) {
  UpdateAllWindows();
  PixelSurface surface;
  ASSERT_TRUE(GetWindowSurface(topLevel, &surface));
  PixelImage image;
  image.width = surface.width;
  image.height = surface.height;
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.pixels[y * image.width + x] = surface.Row32(y)[x] | 0xFF000000u;
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(image, png, false));
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  std::filesystem::path folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / (name + ".png"), std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

HIMAGELIST SquareImages(std::initializer_list<uint32_t> colours) {
  HIMAGELIST images = ImageList_Create(12, 12, ILC_COLOR32, static_cast<int>(colours.size()), 1);
  for (uint32_t colour : colours) {
    PixelImage image;
    image.width = image.height = 12;
    image.pixels.assign(144, colour);
    image.hasAlpha = true;
    HBITMAP bitmap = BitmapFromImage(image);
    ImageList_Add(images, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  return images;
}

HIMAGELIST ImagesWithOverlay() {
  HIMAGELIST images = SquareImages({0xFF2050D0u});
  PixelImage mark;
  mark.width = mark.height = 12;
  mark.pixels.assign(144, 0);
  for (int y = 8; y < 12; ++y)
    for (int x = 0; x < 4; ++x) mark.pixels[y * 12 + x] = 0xFFE02020u;
  mark.hasAlpha = true;
  HBITMAP bitmap = BitmapFromImage(mark);
  ImageList_Add(images, bitmap, nullptr);
  DeleteObject(bitmap);
  ImageList_SetOverlayImage(images, 1, 2);
  return images;
}

COLORREF PrintedPixel(HWND control, int x, int y) {
  RECT client;
  GetClientRect(control, &client);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP buffer = CreateCompatibleBitmap(screen, client.Right, client.Bottom);
  HGDIOBJ old = SelectObject(memory, buffer);
  SendMessage(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  const COLORREF pixel = GetPixel(memory, x, y);
  SelectObject(memory, old);
  DeleteObject(buffer);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixel;
}
