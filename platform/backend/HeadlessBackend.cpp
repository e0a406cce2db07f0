#include "backend/HeadlessBackend.h"

#include <algorithm>
#include <fstream>

#include "gdi/RegionObject.h"
#include "gdi/SysColors.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000;

// A COLORREF (0x00BBGGRR) as a surface pixel's colour bits (0x00RRGGBB).
uint32_t PixelColour(COLORREF colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

uint32_t Mix(uint32_t source, uint32_t dest, uint32_t sourceWeight) {
  uint32_t result = kOpaque;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t s = (source >> shift) & 0xFF;
    uint32_t d = (dest >> shift) & 0xFF;
    result |= ((s * sourceWeight + d * (255 - sourceWeight) + 127) / 255) << shift;
  }
  return result;
}

// Premultiplied source over an opaque destination, the whole scaled by a constant alpha.
uint32_t Over(uint32_t source, uint32_t dest, uint32_t constant) {
  uint32_t a = (source >> 24) * constant / 255;
  uint32_t result = kOpaque;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t s = ((source >> shift) & 0xFF) * constant / 255;
    uint32_t d = (dest >> shift) & 0xFF;
    result |= std::min<uint32_t>(255, s + d * (255 - a) / 255) << shift;
  }
  return result;
}

bool WritePng(const PixelImage& image, const String& fileName) {
  std::vector<uint8_t> bytes;
  if (image.pixels.empty() || !EncodePng(image, bytes)) return false;
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

HeadlessBackend::HeadlessBackend(SIZE screen) : FScreen(screen) {}

void HeadlessBackend::CreateNativeWindow(HWND window, const RECT& rect, bool, bool topmost) {
  Native& native = FWindows[window];
  native.rect = rect;
  native.topmost = topmost;
  if (std::find(FOrder.begin(), FOrder.end(), window) == FOrder.end()) FOrder.insert(FOrder.begin(), window);
}

void HeadlessBackend::DestroyNativeWindow(HWND window) {
  FWindows.erase(window);
  std::erase(FOrder, window);
}

void HeadlessBackend::ShowNativeWindow(HWND window, bool visible, bool) {
  auto it = FWindows.find(window);
  if (it != FWindows.end()) it->second.visible = visible;
}

void HeadlessBackend::MoveNativeWindow(HWND window, const RECT& rect) {
  auto it = FWindows.find(window);
  if (it != FWindows.end()) it->second.rect = rect;
}

void HeadlessBackend::RestackNativeWindows(const HWND* topFirst, size_t count) {
  FOrder.assign(topFirst, topFirst + count);
}

void HeadlessBackend::SetNativeWindowLayering(HWND window, BYTE alpha, COLORREF colorKey, bool perPixelAlpha, bool) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return;
  it->second.alpha = alpha;
  it->second.colorKey = colorKey;
  it->second.perPixelAlpha = perPixelAlpha;
}

void HeadlessBackend::SetNativeWindowRegion(HWND window, HRGN region) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return;
  Region* shape = region ? LookupRegion(region) : nullptr;
  it->second.region = shape ? std::make_unique<Region>(*shape) : nullptr;
}

void HeadlessBackend::ShowCursorShape(HCURSOR cursor, int, bool shown) {
  FCursor = cursor;
  FCursorShown = shown;
}

bool HeadlessBackend::NativeWindowVisible(HWND window) const {
  auto it = FWindows.find(window);
  return it != FWindows.end() && it->second.visible;
}

void HeadlessBackend::ComposeWindow(HWND window, const Native& native, PixelImage& screen) const {
  PixelSurface surface;
  if (!GetWindowSurface(window, &surface)) return;
  Region area(RECT{0, 0, surface.width, surface.height});
  if (native.region) area.Intersect(*native.region);
  area.Translate(native.rect.Left, native.rect.Top);
  area.Intersect(RECT{0, 0, screen.width, screen.height});
  bool keyed = native.colorKey != 0xFFFFFFFF;
  uint32_t key = PixelColour(native.colorKey);
  for (const pixman_box32_t& box : area.Rects()) {
    for (int y = box.y1; y < box.y2; ++y) {
      const uint32_t* source = surface.Row32(y - native.rect.Top);
      uint32_t* dest = screen.pixels.data() + static_cast<size_t>(y) * screen.width;
      for (int x = box.x1; x < box.x2; ++x) {
        uint32_t pixel = source[x - native.rect.Left];
        if (keyed && (pixel & 0x00FFFFFF) == key) continue;
        if (native.perPixelAlpha) dest[x] = Over(pixel, dest[x], native.alpha);
        else if (native.alpha == 255) dest[x] = pixel | kOpaque;
        else dest[x] = Mix(pixel, dest[x], native.alpha);
      }
    }
  }
}

PixelImage HeadlessBackend::ComposeScreen() const {
  PixelImage screen;
  screen.width = FScreen.cx;
  screen.height = FScreen.cy;
  screen.pixels.assign(static_cast<size_t>(screen.width) * screen.height,
                       PixelColour(GetSysColor(COLOR_BACKGROUND)) | kOpaque);
  for (auto it = FOrder.rbegin(); it != FOrder.rend(); ++it) {
    auto native = FWindows.find(*it);
    if (native == FWindows.end() || !native->second.visible) continue;
    ComposeWindow(*it, native->second, screen);
  }
  return screen;
}

PixelImage HeadlessBackend::WindowImage(HWND window) const {
  PixelImage image;
  PixelSurface surface;
  if (!GetWindowSurface(window, &surface)) return image;
  image.width = surface.width;
  image.height = surface.height;
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < surface.height; ++y) {
    const uint32_t* row = surface.Row32(y);
    for (int x = 0; x < surface.width; ++x) image.pixels[static_cast<size_t>(y) * image.width + x] = row[x] | kOpaque;
  }
  return image;
}

bool HeadlessBackend::SaveScreenPng(const String& fileName) const { return WritePng(ComposeScreen(), fileName); }

bool HeadlessBackend::SaveWindowPng(HWND window, const String& fileName) const {
  return WritePng(WindowImage(window), fileName);
}
