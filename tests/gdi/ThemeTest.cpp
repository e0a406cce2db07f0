#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/DwmApi.h"
#include "gdi/Modules.h"
#include "gdi/UxTheme.h"
#include "rtl/Resources.h"

namespace {

TEST(ThemeStandIn, AnswersThatVisualStylesAndCompositionAreOff) {
  EXPECT_FALSE(IsThemeActive());
  EXPECT_FALSE(IsAppThemed());
  EXPECT_EQ(OpenThemeData(nullptr, u"Button"), nullptr);
  RECT rect{0, 0, 10, 10};
  EXPECT_EQ(DrawThemeBackground(nullptr, nullptr, 1, 1, &rect, nullptr), E_NOTIMPL);
  HDC paintDc = reinterpret_cast<HDC>(1);
  EXPECT_EQ(BeginBufferedPaint(nullptr, &rect, 0, nullptr, &paintDc), nullptr);
  EXPECT_EQ(paintDc, nullptr);
  BOOL composition = TRUE;
  EXPECT_EQ(DwmIsCompositionEnabled(&composition), S_OK);
  EXPECT_FALSE(composition);
  MARGINS margins;
  EXPECT_EQ(DwmExtendFrameIntoClientArea(nullptr, &margins), DWM_E_COMPOSITIONDISABLED);
}

// A buffer over part of a 32-bit target: drawing lands in it at the target's coordinates, the
// alpha is set where asked, and the target changes only when the buffer ends with an update.
TEST(ThemeStandIn, BufferedPaintDrawsOffScreenAndCopiesOnlyWhenAsked) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 40;
  info.bmiHeader.biHeight = -30;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HDC target = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(target, bitmap);
  auto pixel = [&](int x, int y) { return static_cast<const uint32_t*>(bits)[y * 40 + x]; };
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
  HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
  RECT all{0, 0, 40, 30};
  FillRect(target, &all, blue);

  RECT rect{10, 5, 30, 25};
  HDC paint = nullptr;
  HPAINTBUFFER buffer = BeginBufferedPaint(target, &rect, 0, nullptr, &paint);
  ASSERT_NE(buffer, nullptr);
  ASSERT_NE(paint, nullptr);
  FillRect(paint, &rect, red);
  RECT leftHalf{0, 0, 20, 30};
  EXPECT_EQ(BufferedPaintSetAlpha(buffer, &leftHalf, 255), S_OK);
  EXPECT_EQ(pixel(15, 10), 0x000000C8u) << "nothing reaches the target before the end";
  EXPECT_EQ(EndBufferedPaint(buffer, TRUE), S_OK);
  EXPECT_EQ(pixel(15, 10), 0xFFC80000u);
  EXPECT_EQ(pixel(25, 10), 0x00C80000u);
  EXPECT_EQ(pixel(5, 10), 0x000000C8u);
  EXPECT_EQ(pixel(15, 27), 0x000000C8u);
  EXPECT_EQ(EndBufferedPaint(buffer, TRUE), E_INVALIDARG) << "an ended buffer is gone";

  buffer = BeginBufferedPaint(target, &rect, 0, nullptr, &paint);
  ASSERT_NE(buffer, nullptr);
  FillRect(paint, &rect, blue);
  EXPECT_EQ(EndBufferedPaint(buffer, FALSE), S_OK);
  EXPECT_EQ(pixel(15, 10), 0xFFC80000u) << "ended without an update, the target keeps its pixels";
  RECT empty{5, 5, 5, 9};
  EXPECT_EQ(BeginBufferedPaint(target, &empty, 0, nullptr, &paint), nullptr);

  SelectObject(target, old);
  DeleteDC(target);
  DeleteObject(bitmap);
  DeleteObject(blue);
  DeleteObject(red);
}

TEST(ThemeStandIn, LibrariesBindByName) {
  HMODULE theme = LoadLibrary("UxTheme.dll");
  ASSERT_NE(theme, nullptr);
  EXPECT_GT(reinterpret_cast<uintptr_t>(theme), 32u);
  using IsThemeActiveProc = BOOL (*)();
  auto isActive = reinterpret_cast<IsThemeActiveProc>(GetProcAddress(theme, "IsThemeActive"));
  ASSERT_NE(isActive, nullptr);
  EXPECT_FALSE(isActive());
  EXPECT_EQ(GetProcAddress(theme, "isthemeactive"), nullptr);  // entry point names keep their case
  EXPECT_EQ(GetProcAddress(theme, "NoSuchEntry"), nullptr);
  // A loaded library is found by name without another load; the program's own module by no name.
  EXPECT_EQ(GetModuleHandleA("uxtheme"), theme);
  EXPECT_EQ(GetModuleHandleA(""), HInstance);
  EXPECT_EQ(GetModuleHandleA(nullptr), HInstance);
  EXPECT_TRUE(FreeLibrary(theme));
  EXPECT_EQ(GetModuleHandleA("UxTheme.dll"), nullptr);

  // Every name the system binds is there, for each library.
  const std::vector<std::pair<const char*, std::vector<const char*>>> kLibraries = {
      {"dwmapi.dll",
       {"DwmDefWindowProc", "DwmEnableBlurBehindWindow", "DwmEnableComposition", "DwmEnableMMCSS",
        "DwmExtendFrameIntoClientArea", "DwmGetColorizationColor", "DwmGetWindowAttribute", "DwmIsCompositionEnabled",
        "DwmSetWindowAttribute"}},
      {"MSIMG32", {"AlphaBlend", "GradientFill", "TransparentBlt"}},
      {"uxtheme", {"CloseThemeData", "GetThemeSysSize", "BufferedPaintSetAlpha", "DrawThemeTextEx"}},
  };
  for (const auto& [library, names] : kLibraries) {
    SCOPED_TRACE(library);
    HMODULE module = LoadLibrary(library);
    ASSERT_NE(module, nullptr);
    for (const char* name : names) EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
    FreeLibrary(module);
  }
  EXPECT_EQ(LoadLibrary("nosuchlibrary.dll"), nullptr);
}

// A theme that says yes and writes down what it was asked to draw.
class RecordingTheme : public ThemeProvider {
 public:
  std::vector<std::string> calls;
  BOOL IsThemeActive() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t* classList) override {
    calls.push_back("open " + std::string(classList, classList + std::char_traits<char16_t>::length(classList)));
    return reinterpret_cast<HTHEME>(0x100);
  }
  HRESULT DrawThemeBackground(HTHEME, HDC, int part, int state, const RECT* rect, const RECT*) override {
    calls.push_back("background " + std::to_string(part) + "/" + std::to_string(state) + " " +
                    std::to_string(rect->Width()) + "x" + std::to_string(rect->Height()));
    return S_OK;
  }
  HRESULT GetThemeColor(HTHEME, int, int, int property, COLORREF* colour) override {
    *colour = property == TMT_TEXTCOLOR ? RGB(1, 2, 3) : RGB(4, 5, 6);
    return S_OK;
  }
};

TEST(ThemeStandIn, ARecordingProviderStandsInForTheTheme) {
  RecordingTheme theme;
  SetThemeProvider(&theme);
  EXPECT_TRUE(IsThemeActive());
  HTHEME handle = OpenThemeData(nullptr, u"ToolBar");
  RECT rect{0, 0, 23, 22};
  EXPECT_EQ(DrawThemeBackground(handle, nullptr, 1, 2, &rect, nullptr), S_OK);
  COLORREF colour = 0;
  EXPECT_EQ(GetThemeColor(handle, 1, 1, TMT_TEXTCOLOR, &colour), S_OK);
  EXPECT_EQ(colour, RGB(1, 2, 3));
  // Calls the provider does not answer keep the platform's answers.
  EXPECT_EQ(GetThemePartSize(handle, nullptr, 1, 1, nullptr, TS_TRUE, nullptr), E_NOTIMPL);
  SetThemeProvider(nullptr);
  EXPECT_FALSE(IsThemeActive());
  EXPECT_EQ(theme.calls, (std::vector<std::string>{"open ToolBar", "background 1/2 23x22"}));
}

}  // namespace
