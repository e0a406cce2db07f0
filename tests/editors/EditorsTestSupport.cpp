#include "EditorsTestSupport.h"

#include <cstring>

#include "user/Clipboard.h"
#include "user/GlobalMemory.h"

#include "gdi/Regions.h"
#include "rtl/TypInfo.h"
#include "user/Painting.h"

TAVREN_CLASS_IMPL_PUBLISHED(TTestContainer, PROPERTY(Style), PROPERTY(StyleDisabled), PROPERTY(StyleFocused),
                            PROPERTY(StyleHot))

void EditorsTest::SetUp() {
  SetDisplayBackend(&screen);
  form = new TForm(nullptr, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 400, 300);
  form->SetColor(clBtnFace);
}

void EditorsTest::TearDown() {
  delete form;
  form = nullptr;
  Pump();
  SetDisplayBackend(nullptr);
}

FakeClock& EditorsTest::Clock() { return static_cast<FakeClock&>(CurrentClock()); }

void EditorsTest::Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  UpdateAllWindows();
}

void EditorsTest::PassTime(uint64_t Milliseconds) {
  for (uint64_t t = 0; t < Milliseconds; t += 10) {
    Clock().Advance(10);
    Pump();
  }
}

TColor EditorsTest::FormPixel(Integer X, Integer Y) {
  PixelImage image = screen.WindowImage(form->GetHandle());
  if (X < 0 || Y < 0 || X >= image.width || Y >= image.height) return clNone;
  uint32_t p = image.pixels[static_cast<size_t>(Y) * image.width + X];
  return static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

bool EditorsTest::InWindowRegion(HWND Window, Integer X, Integer Y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(Window, region);
  bool inside = kind == ERROR || kind == NULLREGION ? true : PtInRegion(region, X, Y) != FALSE;
  DeleteObject(region);
  return inside;
}

void SetClipboardText(const String& Text) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, Text.size() + 1);
  std::memcpy(GlobalLock(memory), Text.c_str(), Text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}
