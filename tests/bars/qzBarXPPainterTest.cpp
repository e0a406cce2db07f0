#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarControlTestSupport.h"
#include "BarsTestSupport.h"
#include "PainterTestSupport.h"
#include "gdi/SysColors.h"
#include "gdi/UxTheme.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarStandardPainter.h"
#include "toolkit/bars/qzBarXPPainter.h"
#include "user/Messages.h"

namespace {

// Visual styles whose classes record every part they are asked to draw.
class TRecordingTheme : public ThemeProvider {
 public:
  struct TCall {
    std::u16string themeClass;
    int part, state;
    TRect rect;
  };
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t* AClassList) override {
    classes.emplace_back(AClassList);
    return reinterpret_cast<HTHEME>(static_cast<intptr_t>(classes.size()));
  }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT DrawThemeBackground(HTHEME ATheme, HDC, int APart, int AState, const RECT* ARect, const RECT*) override {
    calls.push_back({classes[reinterpret_cast<intptr_t>(ATheme) - 1], APart, AState, TRect(*ARect)});
    return S_OK;
  }
  HRESULT GetThemePartSize(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE* ASize) override {
    *ASize = SIZE{7, 9};
    return S_OK;
  }
  HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT* ABounds, RECT* AContent) override {
    *AContent = RECT{ABounds->Left + 3, ABounds->Top + 3, ABounds->Right - 3, ABounds->Bottom - 3};
    return S_OK;
  }
  std::vector<std::u16string> classes;
  std::vector<TCall> calls;
};

void SwitchTheme(ThemeProvider* AProvider) {
  SetThemeProvider(AProvider);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

// A bar window that is the main menu.
class TMainMenuBarControl : public TTestBarControl {
  TAVREN_CLASS(TMainMenuBarControl, TTestBarControl)
 public:
  using TTestBarControl::TTestBarControl;
  bool IsMainMenu() override { return mainMenu; }
  bool mainMenu = false;
};
TAVREN_CLASS_IMPL(TMainMenuBarControl)

class XPPainter : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    SwitchTheme(&theme);
    form->SetBounds(0, 0, 300, 200);
    manager->SetStyle(bmsXP);
    menu = new TqzBarSubItem(form);
    window = new TMainMenuBarControl(manager);
    window->SetParent(form);
    window->SetBounds(20, 20, 250, 150);
    window->SetVisible(true);
    form->Show();
    bitmap.SetSize(60, 60);
    canvas = std::make_unique<TkvCanvas>(bitmap.GetCanvas());
  }
  void TearDown() override {
    delete window;
    SwitchTheme(nullptr);
    BarManagerOnForm::TearDown();
  }
  TqzBarButtonControl* AddButton(const char* ACaption, TqzBarButtonStyle AStyle) {
    return AddButtonControl(form, menu, window, ACaption, AStyle, canvas.get());
  }
  TqzBarPainter* Painter() { return manager->GetDefaultPainter(); }
  // The one call drawn since the last clear.
  TRecordingTheme::TCall Only() {
    EXPECT_EQ(theme.calls.size(), 1u);
    return theme.calls.empty() ? TRecordingTheme::TCall{} : theme.calls.back();
  }

  TRecordingTheme theme;
  TqzBarSubItem* menu = nullptr;
  TMainMenuBarControl* window = nullptr;
  TBitmap bitmap;
  std::unique_ptr<TkvCanvas> canvas;
};

TEST_F(XPPainter, TheManagerPicksTheThemedPainterOnlyWithVisualStyles) {
  EXPECT_EQ(Painter()->ClassType(), TqzBarXPPainter::ClassInfo());
  // The metrics come from the theme.
  EXPECT_EQ(Painter()->SeparatorThickness(), 7);
  EXPECT_EQ(Painter()->ButtonHeightExtra(), 6);
  TRect borders;
  Painter()->GetEditBorders(qzPaintHorizontal, borders);
  EXPECT_EQ(borders, TRect(3, 3, 3, 3));
  SwitchTheme(nullptr);
  EXPECT_EQ(Painter()->ClassType(), TqzBarEnhancedPainter::ClassInfo());
  SwitchTheme(&theme);
  EXPECT_EQ(Painter()->ClassType(), TqzBarXPPainter::ClassInfo());
}

TEST_F(XPPainter, ButtonStatesComeFromTheDrawFlags) {
  TqzBarButtonControl* control = AddButton("Open", bsDropDown);
  auto* params = control->ButtonParams();
  params->PaintKind = qzPaintHorizontal;
  struct Case {
    const char* name;
    bool enabled, pressed, down, open, hot, split;
    int part, state;
  } cases[] = {
      {"normal", true, false, false, false, false, false, 1, 1},
      {"hot", true, false, false, false, true, false, 1, 2},
      {"pressed", true, true, false, false, true, false, 1, 3},
      {"down", true, false, true, false, false, false, 1, 5},
      {"open without split", true, false, false, true, false, false, 1, 5},
      {"open split", true, false, false, true, false, true, 3, 1},
      {"disabled", false, true, true, false, true, false, 1, 4},
  };
  for (const Case& c : cases) {
    control->GetItem()->SetEnabled(c.enabled);
    params->PushedLook = c.pressed;
    params->DownLook = c.down;
    params->DropDownOpen = c.open;
    params->SelectedLook = c.hot;
    params->ButtonLook = c.split;
    params->HasDropDownPart = c.split;
    theme.calls.clear();
    Painter()->DrawImageFrame(params, canvas->DCHandle(), TRect(0, 0, 22, 22), false, true,
                              control->GetBackgroundBrush());
    TRecordingTheme::TCall call = Only();
    EXPECT_EQ(call.themeClass, u"ToolBar") << c.name;
    EXPECT_EQ(call.part, c.part) << c.name;
    EXPECT_EQ(call.state, c.state) << c.name;
  }
}

TEST_F(XPPainter, SpinButtonsAreThemedPartsInTheButtonsState) {
  TqzBarButtonControl* control = AddButton("Count", bsDefault);
  TqzBarSpinEditDrawParams spin(control);
  spin.TargetCanvas = canvas.get();
  struct Case {
    const char* name;
    bool enabled;
    Integer hot, pressed, part;
    int themePart, state;
  } cases[] = {
      {"up normal", true, qzNoHotPart, -1, qzSpinUpPart, 1, 1},
      {"down hot", true, qzSpinDownPart, -1, qzSpinDownPart, 2, 2},
      {"up beside the hot one", true, qzSpinDownPart, -1, qzSpinUpPart, 1, 1},
      {"up pressed", true, qzSpinUpPart, qzSpinUpPart, qzSpinUpPart, 1, 3},
      {"disabled", false, qzSpinUpPart, qzSpinUpPart, qzSpinUpPart, 1, 4},
  };
  for (const Case& c : cases) {
    spin.EnabledLook = c.enabled;
    spin.HotPartIndex = c.hot;
    spin.PressedPart = c.pressed;
    theme.calls.clear();
    Painter()->DrawSpinButton(&spin, TRect(2, 3, 19, 13), c.part);
    TRecordingTheme::TCall call = Only();
    EXPECT_EQ(call.themeClass, u"Spin") << c.name;
    EXPECT_EQ(call.part, c.themePart) << c.name;
    EXPECT_EQ(call.state, c.state) << c.name;
    EXPECT_EQ(call.rect, TRect(2, 3, 19, 13)) << c.name;
  }
}

TEST_F(XPPainter, SplitPartsSeparatorsMdiButtonsAndGrips) {
  TqzBarButtonControl* control = AddButton("Paste", bsDropDown);
  auto* params = control->ButtonParams();
  params->PaintKind = qzPaintHorizontal;
  params->EnabledLook = true;
  params->DropDownEnabledLook = true;
  params->DropDownOpen = true;
  theme.calls.clear();
  Painter()->DrawArrowPartBackground(params, TRect(20, 0, 33, 22), control->GetBackgroundBrush());
  EXPECT_EQ(Only().part, 4);  // the split button's drop-down part
  EXPECT_EQ(Only().state, 3);
  params->DropDownEnabledLook = false;
  theme.calls.clear();
  Painter()->DrawArrowPartBackground(params, TRect(20, 0, 33, 22), control->GetBackgroundBrush());
  EXPECT_EQ(Only().state, 4);

  HDC DC = canvas->DCHandle();
  theme.calls.clear();
  Painter()->DrawBarSeparator(window, DC, true, window->BackgroundBrush(), TRect(0, 0, 60, 7));
  EXPECT_EQ(Only().part, 6);
  theme.calls.clear();
  Painter()->DrawBarSeparator(window, DC, false, window->BackgroundBrush(), TRect(0, 0, 7, 22));
  EXPECT_EQ(Only().part, 5);

  // An inactive child's buttons are drawn disabled.
  struct Case {
    Integer button, state;
    int part, themeState;
  } cases[] = {{0, 1, 16, 4}, {1, 2, 22, 2}, {2, 4, 20, 3}, {2, 0, 20, 1}};
  for (const Case& c : cases) {
    theme.calls.clear();
    Painter()->DrawMDIButton(window, c.button, TRect(0, 0, 16, 14), DC, c.state);
    TRecordingTheme::TCall call = Only();
    EXPECT_EQ(call.themeClass, u"Window");
    EXPECT_EQ(call.part, c.part);
    EXPECT_EQ(call.state, c.themeState);
  }

  theme.calls.clear();
  Painter()->DrawSizeGrip(window, DC, nullptr, TRect(40, 40, 60, 60));
  EXPECT_EQ(Only().themeClass, u"Status");
  EXPECT_EQ(Only().part, 3);
  TSize grip;
  Painter()->GetSizeGripSize(manager, grip);
  EXPECT_EQ(grip, TSize(7, 9));
}

TEST_F(XPPainter, TheMainMenuHighlightsItsHotItemAndTicksAreFlat) {
  window->mainMenu = true;
  TqzBarButtonControl* control = AddButton("File", bsDefault);
  auto* params = control->ButtonParams();
  params->PaintKind = qzPaintHorizontal;
  params->SelectedLook = true;
  theme.calls.clear();
  bitmap.GetCanvas()->GetBrush()->SetColor(clBtnFace);
  bitmap.GetCanvas()->FillRect(TRect(0, 0, 60, 60));
  Painter()->DrawImageFrame(params, canvas->DCHandle(), TRect(0, 0, 30, 22), false, true,
                            control->GetBackgroundBrush());
  EXPECT_TRUE(theme.calls.empty());
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(15, 11), static_cast<TColor>(ColorToRGB(clHighlight)));
  EXPECT_TRUE(Painter()->SuppressesPressedShift(control));
  // The check mark is the flat look's: one colour, no embossed copy.
  bitmap.GetCanvas()->FillRect(TRect(0, 0, 60, 60));
  Painter()->PaintCheckMark(control, canvas->DCHandle(), 1, 30, 30);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(31, 32), static_cast<TColor>(ColorToRGB(clBlack)));
  EXPECT_NE(bitmap.GetCanvas()->GetPixel(30, 30), static_cast<TColor>(0xC0C0C0));
}

TEST_F(XPPainter, ProgressIsTheThemedBarWithItsContentCutToThePosition) {
  TqzBarButtonControl* control = AddButton("Progress", bsDefault);
  TqzBarProgressControlDrawParams params(control);
  params.TargetCanvas = canvas.get();
  params.PaintKind = qzPaintHorizontal;
  struct Case {
    Integer min, max, position;
    bool smooth;
    size_t calls;   // the bar, then the chunk part
    Integer right;  // of the filled part; the content is (3, 3, 97, 9)
  } cases[] = {{0, 100, 50, false, 2, 50}, {0, 100, 0, false, 1, 0},  {0, 100, 100, false, 2, 97},
               {5, 5, 5, false, 1, 0},     {10, 0, 5, false, 1, 0},   {0, 100, 50, true, 1, 0}};
  for (const Case& c : cases) {
    params.Min = c.min;
    params.Max = c.max;
    params.Position = c.position;
    params.Smooth = c.smooth;
    theme.calls.clear();
    Painter()->DrawProgressBar(&params, TRect(0, 0, 100, 12), clBlue);
    ASSERT_EQ(theme.calls.size(), c.calls) << c.position;
    EXPECT_EQ(theme.calls[0].themeClass, u"Progress");
    EXPECT_EQ(theme.calls[0].part, 1);
    if (c.calls > 1) {
      EXPECT_EQ(theme.calls[1].part, 3);
      EXPECT_EQ(theme.calls[1].rect, TRect(3, 3, c.right, 9)) << c.position;
    }
  }
}

TEST_F(XPPainter, MenusTakeAShadowFrameAndThemedSeparators) {
  auto* links = new TqzBarSubItem(form);
  auto* item = new TqzBarButton(form);
  item->SetCaption("Open");
  links->GetItemLinks()->AddLinkForItem(item);
  auto* popup = new TqzBarSubMenuControl(manager);
  popup->SetItemLinks(links->GetItemLinks());
  popup->Popup(TPoint(100, 100));
  HDC DC = canvas->DCHandle();
  theme.calls.clear();
  Painter()->DrawMenuBorder(popup, DC, TRect(0, 0, 40, 40));
  Painter()->DrawMenuInnerFrame(popup, DC, popup->BackgroundBrush(), TRect(1, 1, 39, 39));
  EXPECT_TRUE(theme.calls.empty());
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(0, 20), static_cast<TColor>(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(1, 20), static_cast<TColor>(ColorToRGB(clMenu)));
  Painter()->DrawMenuSeparatorItem(popup, links->GetItemLinks()->GetLink(0)->GetControl(), TRect(2, 10, 38, 20),
                                   canvas.get());
  TRecordingTheme::TCall call = Only();
  EXPECT_EQ(call.themeClass, u"ToolBar");
  EXPECT_EQ(call.part, 6);
  EXPECT_EQ(call.rect, TRect(2, 10, 38, 20));
  popup->Dismiss();
}

}  // namespace
