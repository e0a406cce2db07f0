#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "PainterTestSupport.h"
#include "gdi/UxTheme.h"
#include "rtl/WideText.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"

namespace {

// An active theme that opens every class but the missing ones, draws nothing and records what
// the painters ask of it.
class PainterTheme : public ThemeProvider {
 public:
  struct Drawn {
    String themeClass;
    int part, state;
    TRect rect, clip;
  };
  struct Text {
    String themeClass;
    int part, state;
    String text;
    DWORD flags;
    TRect rect;
  };

  BOOL IsThemeActive() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t* classList) override {
    const String name = UTF8Encode(classList);
    if (Missing.count(name)) return nullptr;
    Classes.push_back(name);
    return reinterpret_cast<HTHEME>(static_cast<uintptr_t>(Classes.size()));
  }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT DrawThemeBackground(HTHEME theme, HDC, int part, int state, const RECT* rect, const RECT* clip) override {
    Backgrounds.push_back({ClassOf(theme), part, state, *rect, clip ? *clip : Rect(0, 0, 0, 0)});
    return S_OK;
  }
  HRESULT DrawThemeText(HTHEME theme, HDC, int part, int state, const char16_t* text, int count, DWORD flags, DWORD,
                        const RECT* rect) override {
    const std::u16string s = count < 0 ? std::u16string(text) : std::u16string(text, count);
    Texts.push_back({ClassOf(theme), part, state, UTF8Encode(s.c_str()), flags, *rect});
    return S_OK;
  }
  HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT* bounds, RECT* content) override {
    *content = RectInflated(*bounds, -3, -3);
    return S_OK;
  }
  HRESULT GetThemePartSize(HTHEME theme, HDC, int part, int, const RECT*, THEMESIZE kind, SIZE* size) override {
    auto found = Sizes.find({ClassOf(theme) + "/" + std::to_string(part), kind});
    if (found == Sizes.end()) return E_NOTIMPL;
    *size = found->second;
    return S_OK;
  }
  HRESULT GetThemeColor(HTHEME, int, int, int property, COLORREF* colour) override {
    *colour = property == TMT_BORDERCOLOR ? 0x00112233 : 0x00445566;
    return S_OK;
  }
  HRESULT GetCurrentThemeName(char16_t* file, int, char16_t* color, int, char16_t*, int) override {
    std::u16string f = UTF8Decode(FileName), c = UTF8Decode(ColorName);
    std::copy(f.begin(), f.end(), file);
    file[f.size()] = 0;
    std::copy(c.begin(), c.end(), color);
    color[c.size()] = 0;
    return S_OK;
  }

  String ClassOf(HTHEME theme) const { return Classes.at(reinterpret_cast<uintptr_t>(theme) - 1); }

  std::set<String> Missing;
  std::vector<String> Classes;
  std::vector<Drawn> Backgrounds;
  std::vector<Text> Texts;
  std::map<std::pair<String, THEMESIZE>, SIZE> Sizes;
  String FileName = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
  String ColorName = "Metallic";
};

class ThemedPainterTest : public testing::Test {
 protected:
  void SetUp() override {
    SetThemeProvider(&theme);
    Switch();
  }
  void TearDown() override {
    SetThemeProvider(nullptr);
    Switch();
  }
  // What the desktop tells every window when the user picks another theme; the Office-11 table
  // follows the colour scheme.
  void Switch() {
    SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
    Office11ColorsReload();
  }
  // The one background drawn since the last call.
  PainterTheme::Drawn Last() {
    EXPECT_EQ(theme.Backgrounds.size(), 1u);
    PainterTheme::Drawn d = theme.Backgrounds.empty() ? PainterTheme::Drawn{} : theme.Backgrounds.back();
    theme.Backgrounds.clear();
    return d;
  }

  PainterTheme theme;
  PainterSurface surface;
  TkvCustomLookAndFeelPainter* painter = ThemedPainter();
};

}  // namespace

TEST_F(ThemedPainterTest, ThemeStatesOfEachPart) {
  struct Case {
    const char* name;
    std::function<void(TkvCanvas*)> paint;
    const char* themeClass;
    int part, state;
  };
  const TRect r = Rect(0, 0, 16, 16);
  auto button = [&](TkvButtonState s) { return [=, this](TkvCanvas* c) { painter->PaintButton(c, r, String(), s, true, clDefault, clDefault, false); }; };
  auto check = [&](TkvButtonState s, TkvCheckBoxState k) { return [=, this](TkvCanvas* c) { painter->PaintCheckBox(c, r, s, k); }; };
  auto radio = [&](TkvButtonState s, bool k) { return [=, this](TkvCanvas* c) { painter->PaintRadioButton(c, 2, 3, s, k, false, clDefault, false); }; };
  auto scroll = [&](bool h, TkvScrollBarPart p, TkvButtonState s) { return [=, this](TkvCanvas* c) { painter->PaintScrollBarPart(c, h, r, p, s); }; };
  const Case cases[] = {
      {"default button", button(kvbsDefault), "Button", 1, 5},
      {"hot button", button(kvbsHot), "Button", 1, 2},
      {"disabled button", button(kvbsDisabled), "Button", 1, 4},
      {"grayed check box", check(kvbsNormal, cbsGrayed), "Button", 3, 1},
      {"checked hot box", check(kvbsHot, cbsChecked), "Button", 3, 6},
      {"checked disabled box", check(kvbsDisabled, cbsChecked), "Button", 3, 8},
      {"pressed radio", radio(kvbsPressed, false), "Button", 2, 3},
      {"checked radio", radio(kvbsDefault, true), "Button", 2, 5},
      {"pressed down arrow", scroll(false, sbpLineDown, kvbsPressed), "ScrollBar", 1, 7},
      {"disabled left arrow", scroll(true, sbpLineUp, kvbsDisabled), "ScrollBar", 1, 12},
      {"hot right arrow", scroll(true, sbpLineDown, kvbsHot), "ScrollBar", 1, 14},
      {"vertical page-down track", scroll(false, sbpPageDown, kvbsPressed), "ScrollBar", 7, 3},
      {"horizontal page-up track", scroll(true, sbpPageUp, kvbsNormal), "ScrollBar", 4, 1},
      {"hot filter drop-down", [&](TkvCanvas* c) { painter->PaintFilterDropDownButton(c, r, kvbsHot, true); },
       "ComboBox", 1, 2},
      {"pressed close button", [&](TkvCanvas* c) { painter->PaintFilterCloseButton(c, r, kvbsPressed); }, "Window",
       19, 3},
      {"hot navigator button", [&](TkvCanvas* c) { painter->PaintSchedulerNavigatorButton(c, r, kvbsHot); },
       "ToolBar", 1, 5},
      {"expanded tree glyph", [&](TkvCanvas* c) { painter->PaintExpandButton(c, r, true, clDefault); }, "TreeView",
       2, 2},
      {"hot group expand", [&](TkvCanvas* c) { painter->PaintGroupExpandButton(c, r, false, kvbsHot); },
       "ExplorerBar", 7, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterSurface s;
    c.paint(s.Canvas());
    const PainterTheme::Drawn d = Last();
    EXPECT_EQ(d.themeClass, c.themeClass);
    EXPECT_EQ(d.part, c.part);
    EXPECT_EQ(d.state, c.state);
  }
}

TEST_F(ThemedPainterTest, ThumbIsDrawnEvenWhenDisabledWithItsGripper) {
  painter->PaintScrollBarPart(surface.Canvas(), false, Rect(0, 0, 16, 40), sbpThumbnail, kvbsDisabled);
  ASSERT_EQ(theme.Backgrounds.size(), 2u);
  EXPECT_EQ(theme.Backgrounds[0].part, 3);
  EXPECT_EQ(theme.Backgrounds[0].state, 4);
  EXPECT_EQ(theme.Backgrounds[1].part, 9);
  EXPECT_EQ(theme.Backgrounds[1].state, 0);
  theme.Backgrounds.clear();
  painter->PaintScrollBarPart(surface.Canvas(), true, Rect(0, 0, 0, 16), sbpThumbnail, kvbsNormal);
  EXPECT_TRUE(theme.Backgrounds.empty());
}

TEST_F(ThemedPainterTest, MissingThemeClassesFallBackElementByElement) {
  theme.Missing = {"TreeView", "ScrollBar"};
  Switch();
  // Expand buttons take the Standard look while push buttons stay themed.
  painter->PaintExpandButton(surface.Canvas(), Rect(0, 0, 12, 12), false, clRed);
  EXPECT_TRUE(theme.Backgrounds.empty());
  EXPECT_TRUE(surface.Is(0, 0, clBtnHighlight));
  EXPECT_TRUE(surface.Is(1, 1, clRed));
  EXPECT_EQ(painter->ExpandButtonExtent(), 12);
  painter->PaintButton(surface.Canvas(), Rect(20, 0, 36, 16), "OK", kvbsNormal, true, clDefault, clDefault, false);
  EXPECT_EQ(Last().themeClass, "Button");
  // Scroll bars and the Office-11 painter's scroll bars go classic together.
  PainterSurface s;
  Office11Painter()->PaintScrollBarPart(s.Canvas(), false, Rect(0, 0, 16, 16), sbpThumbnail, kvbsNormal);
  EXPECT_TRUE(theme.Backgrounds.empty());
  EXPECT_TRUE(s.Is(1, 1, clBtnHighlight));
  EXPECT_EQ(painter->ScrollBarMinThumbExtent(true), 8);

  theme.Missing.clear();
  Switch();
  Office11Painter()->PaintScrollBarPart(s.Canvas(), true, Rect(0, 0, 16, 16), sbpPageDown, kvbsHot);
  const PainterTheme::Drawn d = Last();
  EXPECT_EQ(d.themeClass, "ScrollBar");
  EXPECT_EQ(d.part, 5);
  EXPECT_EQ(d.state, 2);
}

TEST_F(ThemedPainterTest, HeadersUseTheRightItemOnlyInTheNormalStateOfTheBlueAndOliveSchemes) {
  struct Case {
    const char* colorName;
    TkvButtonState state;
    bool rightmost;
    int part, themeState;
  };
  const Case cases[] = {
      {"NormalColor", kvbsNormal, true, 3, 1},  {"HomeStead", kvbsNormal, true, 3, 1},
      {"NormalColor", kvbsHot, true, 1, 2},     {"NormalColor", kvbsPressed, true, 1, 3},
      {"Metallic", kvbsNormal, true, 1, 1},     {"NormalColor", kvbsNormal, false, 1, 1},
      {"NormalColor", kvbsDisabled, true, 3, 1},
  };
  const TRect r = Rect(0, 0, 40, 18);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.colorName << " state " << c.state << " rightmost " << c.rightmost);
    theme.ColorName = c.colorName;
    Switch();
    theme.Texts.clear();
    painter->PaintHeader(surface.Canvas(), r, r, {}, kvAllBorders, c.state, taLeftJustify, vaCenter, false, true,
                         "Name", nullptr, clBtnText, clWindow, TkvDrawBackgroundEvent(), c.rightmost, 0);
    const PainterTheme::Drawn d = Last();
    EXPECT_EQ(d.part, c.part);
    EXPECT_EQ(d.state, c.themeState);
    ASSERT_EQ(theme.Texts.size(), 1u);
    // The pressed caption moves a pixel right and down.
    EXPECT_EQ(theme.Texts[0].rect, c.state == kvbsPressed ? RectShifted(r, 1, 1) : r);
    EXPECT_EQ(theme.Texts[0].flags,
              static_cast<DWORD>(DT_LEFT | DT_VCENTER | DT_EDITCONTROL | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX));
  }
}

TEST_F(ThemedPainterTest, TabsGrowPastTheirOpenSidesAndSelectedOnesReachDown) {
  struct Case {
    const char* name;
    TkvButtonState state;
    TkvBorders borders;
    TRect drawn, clip, text;
  };
  const TRect r = Rect(10, 5, 50, 25);
  const Case cases[] = {
      {"selected", kvbsPressed, {bLeft, bTop}, Rect(10, 5, 52, 26), r, Rect(10, 5, 52, 24)},
      {"normal", kvbsNormal, kvAllBorders, r, Rect(10, 5, 50, 24), r},
      {"hot, open both sides", kvbsHot, {bTop}, Rect(8, 5, 52, 25), Rect(10, 5, 50, 24), Rect(8, 5, 52, 25)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    theme.Texts.clear();
    painter->PaintTab(surface.Canvas(), r, c.borders, "Tab", c.state, false, nullptr, clBtnText, clBtnFace, true);
    const PainterTheme::Drawn d = Last();
    EXPECT_EQ(d.part, 1);
    EXPECT_EQ(d.rect, c.drawn);
    EXPECT_EQ(d.clip, c.clip);
    ASSERT_EQ(theme.Texts.size(), 1u);
    EXPECT_EQ(theme.Texts[0].rect, c.text);
    EXPECT_EQ(theme.Texts[0].flags & DT_NOPREFIX, 0u);  // the prefix is shown
  }
  // A vertical tab is drawn turned on a bitmap of its own.
  painter->PaintTab(surface.Canvas(), Rect(0, 0, 20, 40), {bLeft}, String(), kvbsNormal, true, nullptr, clBtnText,
                    clBtnFace, false);
  const PainterTheme::Drawn d = Last();
  EXPECT_EQ(d.rect, Rect(-2, 0, 42, 20));
  EXPECT_EQ(d.clip, Rect(0, 0, 40, 19));
}

TEST_F(ThemedPainterTest, MetricsReadFromTheTheme) {
  theme.Sizes[{"ScrollBar/9", TS_MIN}] = SIZE{8, 6};
  theme.Sizes[{"ScrollBar/9", TS_TRUE}] = SIZE{8, 10};
  theme.Sizes[{"ScrollBar/8", TS_MIN}] = SIZE{12, 8};
  theme.Sizes[{"Button/3", TS_TRUE}] = SIZE{13, 14};
  theme.Sizes[{"Button/2", TS_TRUE}] = SIZE{15, 16};
  theme.Sizes[{"Window/19", TS_TRUE}] = SIZE{9, 9};
  theme.Sizes[{"TreeView/2", TS_TRUE}] = SIZE{10, 10};
  // The vertical thumb: the larger of the gripper's least height and its natural one plus 4.
  EXPECT_EQ(painter->ScrollBarMinThumbExtent(true), 14);
  EXPECT_EQ(painter->ScrollBarMinThumbExtent(false), 12);
  theme.Sizes.erase({"ScrollBar/9", TS_MIN});
  EXPECT_EQ(painter->ScrollBarMinThumbExtent(true), 8);

  EXPECT_EQ(painter->CheckBoxExtent(), (TSize{13, 14}));
  EXPECT_EQ(painter->RadioButtonExtent(), (TSize{15, 16}));
  EXPECT_EQ(painter->FilterCloseButtonExtent(), (TPoint{13, 13}));
  EXPECT_EQ(painter->ExpandButtonExtent(), 10);
  EXPECT_EQ(painter->SmallExpandButtonExtent(), 10);
  EXPECT_EQ(painter->GroupExpandButtonExtent(), 15);  // no size for the explorer bar: the plain one
  // Content rectangles are inset by 3 in this theme.
  EXPECT_EQ(painter->ButtonFrameWidth(kvbsNormal), 3);
  EXPECT_EQ(painter->HeaderFrameWidth(), 3);
  EXPECT_EQ(painter->ButtonGroupFrameWidths(2, 0), Rect(3, 3, 3, 3));
  EXPECT_EQ(painter->CheckBoxFrameWidth(), 0);
  EXPECT_EQ(painter->ButtonFaceColor(kvbsNormal), static_cast<TColor>(0x445566));
  EXPECT_EQ(painter->DefaultColor42(), static_cast<TColor>(0x112233));
  EXPECT_TRUE(painter->PaintsTabs(false));

  // With visual styles off the painter is the Standard one in its sizes.
  SetThemeProvider(nullptr);
  Switch();
  EXPECT_EQ(painter->ButtonFrameWidth(kvbsDefault), 2);
  EXPECT_EQ(painter->ExpandButtonExtent(), 12);
  EXPECT_EQ(painter->CheckBoxFrameWidth(), 2);
  EXPECT_EQ(painter->FrameWidth(), 2);
  EXPECT_FALSE(painter->PaintsTabs(false));
  EXPECT_EQ(painter->ScrollBarMinThumbExtent(false), 8);
  EXPECT_NE(painter->RadioButtonExtent().cx, 0);
}

TEST_F(ThemedPainterTest, WithoutVisualStylesTheClassicLookIsDrawn) {
  SetThemeProvider(nullptr);
  Switch();
  PainterSurface s;
  painter->PaintCheckBox(s.Canvas(), Rect(0, 0, 13, 13), kvbsNormal, cbsChecked);
  EXPECT_TRUE(s.Is(0, 0, cl3DDkShadow));
  EXPECT_TRUE(s.Is(2, 2, clWindow));
  s.Clear();
  painter->PaintScrollBarPart(s.Canvas(), false, Rect(0, 0, 16, 16), sbpThumbnail, kvbsDisabled);
  EXPECT_EQ(s.Count(Rect(0, 0, 16, 16), kUntouched), 256);
  s.Clear();
  // The small expand button: no face fill, framed in the border colour.
  painter->PaintSmallExpandButton(s.Canvas(), Rect(0, 0, 9, 9), false, clRed, clBlue);
  EXPECT_TRUE(s.Is(0, 0, clRed));
  EXPECT_TRUE(s.Is(1, 1, kUntouched));
  EXPECT_EQ(s.Count(Rect(0, 0, 9, 9), clBlue), 0);
  s.Clear();
  painter->PaintRadioButton(s.Canvas(), 0, 0, kvbsNormal, true, false, clWindow, false);
  EXPECT_LT(s.Count(Rect(0, 0, 13, 13), kUntouched), 13 * 13);
}
