#include "EditorsTestSupport.h"

#include <algorithm>
#include <cstring>

#include "user/Clipboard.h"
#include "user/GlobalMemory.h"

#include "gdi/Regions.h"
#include "toolkit/foundation/kvGeometry.h"
#include "rtl/TypInfo.h"
#include "user/Painting.h"

TAVREN_CLASS_IMPL_PUBLISHED(TTestContainer, PROPERTY(Style), PROPERTY(StyleDisabled), PROPERTY(StyleFocused),
                            PROPERTY(StyleHot))

HTHEME LoggingTheme::OpenThemeData(HWND, const char16_t* Classes) {
  std::string name;
  for (const char16_t* c = Classes; *c && *c != u';'; ++c) name += static_cast<char>(*c);
  auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) found = names.insert(names.end(), name);
  return reinterpret_cast<HTHEME>(found - names.begin() + 1);
}

HRESULT LoggingTheme::GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT* Bounds, RECT* Content) {
  *Content = RectInflated(*Bounds, -1, -1);
  return S_OK;
}

HRESULT LoggingTheme::DrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT* R, const RECT*) {
  log.push_back(names[reinterpret_cast<intptr_t>(Theme) - 1] + " " + std::to_string(Part) + "," +
                std::to_string(State) + " " + std::to_string(R->Right - R->Left) + "x" +
                std::to_string(R->Bottom - R->Top));
  HBRUSH navy = CreateSolidBrush(0x800000);
  FillRect(DC, R, navy);
  DeleteObject(navy);
  return S_OK;
}

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

String InLocale(const String& Text, const NumberLocale& L) {
  String result = Text;
  for (Char& c : result) {
    if (c == '.') c = L.decimal;
    else if (c == ',') c = L.thousand;
  }
  return result;
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
