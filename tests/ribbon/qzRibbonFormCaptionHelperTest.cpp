#include <gtest/gtest.h>

#include "RibbonTestSupport.h"
#include "backend/HeadlessBackend.h"
#include "gdi/DwmApi.h"
#include "gdi/Regions.h"
#include "gdi/SysMetrics.h"
#include "gdi/UxTheme.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/ribbon/qzRibbonForm.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "user/VirtualKeys.h"
#include <cstdlib>
#include <string>
#include <vector>
#include "user/Input.h"
#include "user/Messages.h"
#include "user/PopupMenus.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "vcl/Forms.h"

void MenuHandlesStart();

namespace {

// A helper that counts its layouts.
class TCountingHelper : public TqzRibbonFormCaptionHelper {
  TAVREN_CLASS(TCountingHelper, TqzRibbonFormCaptionHelper)
 public:
  using TqzRibbonFormCaptionHelper::TqzRibbonFormCaptionHelper;
  void CalculateBorderIconRects() override {
    ++layouts;
    TqzRibbonFormCaptionHelper::CalculateBorderIconRects();
  }
  Integer layouts = 0;
};
TAVREN_CLASS_IMPL(TCountingHelper)

// A ribbon whose form gives it a caption strip 30 pixels high, as a ribbon form would.
class TCaptionRibbon : public TqzCustomRibbon {
  TAVREN_CLASS(TCaptionRibbon, TqzCustomRibbon)
 public:
  explicit TCaptionRibbon(TComponent* AOwner) : TqzCustomRibbon(AOwner, ClassInfo()) {}
  Integer GetFormCaptionHeight() override { return 30; }

 protected:
  TqzRibbonFormCaptionHelper* CreateFormCaptionHelper() override { return new TCountingHelper(this); }
};
TAVREN_CLASS_IMPL(TCaptionRibbon)

class RibbonCaptionHelper : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 500, 400);
    ribbon = new TCaptionRibbon(form);
    ribbon->SetParent(form);
    form->Show();
    ribbon->SetSupportNonClientDrawing(true);
    helper = static_cast<TCountingHelper*>(ribbon->GetFormCaptionHelper());
    Describe(bsSizeable, 0);
    helper->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  void Describe(TFormBorderStyle AStyle, Byte ASizeState) {
    TqzFormFrameInfo info;
    info.IsActive = true;
    info.Wnd = form->GetHandle();
    TRect r;
    GetWindowRect(form->GetHandle(), &r);
    info.WindowRect = TRect{0, 0, r.Width(), r.Height()};
    info.FormBorderStyle = AStyle;
    info.SizeState = ASizeState;
    helper->SetFrameInfo(info);
  }
  TPoint Screen(const TRect& R) { return ribbon->ClientToScreen(TPoint(R.Left + 2, R.Top + 2)); }
  LRESULT HitTest(const TPoint& AScreen) {
    TMessage message{WM_NCHITTEST, 0, MAKELPARAM(AScreen.X, AScreen.Y), 0};
    helper->NCHitTest(message);
    return message.Result;
  }
  // The system command the form was sent last, 0 for none.
  WPARAM PostedCommand() {
    MSG msg;
    WPARAM command = 0;
    while (PeekMessage(&msg, form->GetHandle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) command = msg.wParam;
    return command;
  }
  void Click(TBorderIcon APress, TBorderIcon ARelease) {
    helper->CaptionMouseDown(Screen(helper->GetBorderIconRect(APress)), mbLeft);
    helper->CaptionMouseUp(Screen(helper->GetBorderIconRect(ARelease)), mbLeft);
  }

  HeadlessBackend screen;
  TForm* form = nullptr;
  TCaptionRibbon* ribbon = nullptr;
  TCountingHelper* helper = nullptr;
};

TEST_F(RibbonCaptionHelper, IconsTakeSlotsFromTheRightWithoutGaps) {
  TRect client;
  GetClientRect(form->GetHandle(), &client);
  const Integer bw = GetSystemMetrics(SM_CXSIZE);
  const Integer bh = GetSystemMetrics(SM_CYSIZE);
  const Integer top = (30 - bh) - (30 - bh) / 2;
  struct Case {
    TBorderIcons icons;
    TBorderIcon rightmost;
    Integer slots;
  };
  const Case kCases[] = {{TBorderIcons{biSystemMenu, biMinimize, biMaximize}, biSystemMenu, 3},
                         {TBorderIcons{biMinimize, biMaximize}, biMaximize, 2},
                         {TBorderIcons{biSystemMenu, biHelp}, biSystemMenu, 2}};
  for (const Case& c : kCases) {
    helper->SetBorderIcons(c.icons);
    EXPECT_EQ(helper->GetBorderIconRect(c.rightmost), (TRect{client.Right - bw, top, client.Right, top + bh}));
    EXPECT_EQ(helper->GetBorderIconsArea(), (TRect{client.Right - c.slots * bw, top, client.Right, top + bh}));
    EXPECT_EQ(helper->GetCaptionTextRect().Right, client.Right - c.slots * bw);
  }
  EXPECT_TRUE(IsRectEmpty(&helper->GetBorderIconRect(biMinimize)));
  helper->SetBorderIcons(TBorderIcons{});
  EXPECT_EQ(helper->GetBorderIconsArea(), (TRect{client.Right - bw, top, client.Right, top + bh}));
  EXPECT_EQ(helper->GetCaptionTextRect().Right, client.Right) << "the caption runs to the client's right edge";
  Describe(bsToolWindow, 0);
  helper->SetBorderIcons(TBorderIcons{biSystemMenu});
  EXPECT_EQ(helper->GetBorderIconRect(biSystemMenu).Width(), GetSystemMetrics(SM_CXSMSIZE));
}

TEST_F(RibbonCaptionHelper, AnUnchangedFrameInfoLaysNothingOut) {
  const Integer before = helper->layouts;
  TqzFormFrameInfo same = helper->GetFrameInfo();
  helper->SetFrameInfo(same);
  EXPECT_EQ(helper->layouts, before);
  same.IsActive = false;
  helper->SetFrameInfo(same);
  EXPECT_EQ(helper->layouts, before + 1);
}

TEST_F(RibbonCaptionHelper, HitTestsAnswerForIconsSystemIconAndCaption) {
  EXPECT_EQ(HitTest(Screen(helper->GetBorderIconRect(biSystemMenu))), HTNOWHERE);
  EXPECT_EQ(helper->GetHotIcon(), TqzRibbonFormCaptionHelper::iiClose);
  EXPECT_TRUE(helper->HasMouseLeaveTimer());
  EXPECT_EQ(HitTest(ribbon->ClientToScreen(TPoint(200, 10))), HTCAPTION);
  EXPECT_EQ(helper->GetHotIcon(), TqzRibbonFormCaptionHelper::iiNone);
  ASSERT_FALSE(IsRectEmpty(&helper->GetSystemIconRect()));
  EXPECT_EQ(HitTest(Screen(helper->GetSystemIconRect())), HTSYSMENU);
  // Where help would stand if the form had it: the area ends before it.
  const TRect area = helper->GetBorderIconsArea();
  EXPECT_NE(HitTest(ribbon->ClientToScreen(TPoint(area.Left - 5, area.Top + 2))), HTNOWHERE);
}

TEST_F(RibbonCaptionHelper, IconClicksPostTheirSystemCommands) {
  Click(biSystemMenu, biSystemMenu);
  EXPECT_EQ(PostedCommand(), static_cast<WPARAM>(SC_CLOSE));
  Click(biMinimize, biMinimize);
  EXPECT_EQ(PostedCommand(), static_cast<WPARAM>(SC_MINIMIZE));
  Click(biMaximize, biMaximize);
  EXPECT_EQ(PostedCommand(), static_cast<WPARAM>(SC_MAXIMIZE));
  Click(biMaximize, biSystemMenu);
  EXPECT_EQ(PostedCommand(), 0u) << "released over another icon";
  EXPECT_EQ(helper->GetPressedIcon(), TqzRibbonFormCaptionHelper::iiNone);
  Describe(bsSizeable, 2);
  Click(biMaximize, biMaximize);
  EXPECT_EQ(PostedCommand(), static_cast<WPARAM>(SC_RESTORE)) << "maximize on a maximized form restores";
  EXPECT_FALSE(helper->CaptionMouseUp(Screen(helper->GetBorderIconRect(biSystemMenu)), mbRight));
}

// The framework's menu tracker is replaced for a test by one that answers as the user would.
class ScopedMenuTracker {
 public:
  explicit ScopedMenuTracker(UINT AChoice) {
    SetPopupMenuTracker([this, AChoice](HMENU AMenu, POINT) {
      ++shown;
      items = GetMenuItemCount(AMenu);
      return AChoice;
    });
  }
  ~ScopedMenuTracker() { MenuHandlesStart(); }
  int shown = 0;
  int items = 0;
};

TEST_F(RibbonCaptionHelper, RightClickOnTheCaptionShowsTheSystemMenu) {
  const TPoint caption = ribbon->ClientToScreen(TPoint(200, 10));
  {
    ScopedMenuTracker tracker(SC_MOVE);
    EXPECT_TRUE(helper->CaptionMouseUp(caption, mbRight));
    EXPECT_EQ(tracker.shown, 1);
    EXPECT_EQ(tracker.items, 7);
    EXPECT_EQ(PostedCommand(), static_cast<WPARAM>(SC_MOVE));
  }
  {
    ScopedMenuTracker tracker(0);
    EXPECT_TRUE(helper->CaptionMouseUp(caption, mbRight));
    EXPECT_EQ(PostedCommand(), 0u) << "a dismissed menu posts nothing";
    EXPECT_FALSE(helper->CaptionMouseUp(Screen(helper->GetBorderIconRect(biMinimize)), mbRight));
    EXPECT_EQ(tracker.shown, 1) << "not over the border icons";
  }
}

TEST_F(RibbonCaptionHelper, ALaterReleaseLeavesSomeoneElsesCaptureAlone) {
  Click(biSystemMenu, biSystemMenu);
  EXPECT_EQ(GetCapture(), nullptr);
  SetCapture(ribbon->GetHandle());
  helper->CaptionMouseUp(ribbon->ClientToScreen(TPoint(200, 10)), mbLeft);
  EXPECT_EQ(GetCapture(), ribbon->GetHandle());
  ReleaseCapture();
}

TEST_F(RibbonCaptionHelper, SizeableFormsAreRoundAtEveryCornerFixedOnesAtTheTop) {
  TRect r;
  GetWindowRect(form->GetHandle(), &r);
  const Integer w = r.Width(), h = r.Height();
  struct Case {
    TFormBorderStyle style;
    bool bottomRound;
  };
  for (const Case& c : {Case{bsSizeable, true}, Case{bsDialog, false}}) {
    Describe(c.style, 0);
    HRGN region = helper->CreateWindowRegion();
    ASSERT_NE(region, nullptr);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, w / 2, h / 2));
    EXPECT_EQ(!PtInRegion(region, 0, h - 1), c.bottomRound);
    DeleteObject(region);
  }
}

TEST_F(RibbonCaptionHelper, DrawsTheCaptionWithItsIconsThroughTheScheme) {
  // The ribbon below the caption is as high as its groups, as on a ribbon form.
  ribbon->SetBarManager(new TqzBarManager(form));
  ribbon->GetTabs()->Add();
  HitTest(Screen(helper->GetBorderIconRect(biMaximize)));
  RibbonSurface surface(ribbon->GetWidth(), 30, clFuchsia);
  helper->DrawCaptionArea(surface.bitmap.GetCanvas());
  const TRect close = helper->GetBorderIconRect(biSystemMenu);
  EXPECT_NE(surface.At(close.Left + close.Width() / 2, close.Top + close.Height() / 2), surface.At(200, 2));
  EXPECT_NE(surface.At(200, 2), static_cast<COLORREF>(ColorToRGB(clFuchsia)));
  SaveRibbonPicture(surface, "ribbon-form-caption");
}

TEST_F(RibbonCaptionHelper, APlainFormGivesTheRibbonNoCaptionStrip) {
  auto* plain = new TForm(nullptr, 0);
  auto* other = new TqzRibbon(plain);
  other->SetParent(plain);
  plain->Show();
  const Integer height = other->GetHeight();
  other->SetSupportNonClientDrawing(true);
  EXPECT_NE(other->GetFormCaptionHelper(), nullptr);
  EXPECT_EQ(other->GetFormCaptionHeight(), 0);
  EXPECT_EQ(other->GetHeight(), height);
  other->SetSupportNonClientDrawing(false);
  EXPECT_EQ(other->GetFormCaptionHelper(), nullptr);
  delete plain;
}

}  // namespace

// ---- On a ribbon form ------------------------------------------------------------------------

namespace {

class RibbonOnRibbonForm : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TqzRibbonForm(nullptr, 0);
    form->SetBounds(0, 0, 520, 320);
    form->SetCaption("Video Converter");
    auto* manager = new TqzBarManager(form);
    ribbon = new TqzRibbon(form);
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
    ribbon->GetTabs()->Add()->SetCaption("Home");
    ribbon->GetTabs()->Add()->SetCaption("View");
    form->Show();
    ribbon->SetSupportNonClientDrawing(true);
    Pump();
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  HeadlessBackend screen;
  TqzRibbonForm* form = nullptr;
  TqzRibbon* ribbon = nullptr;
};

TEST_F(RibbonOnRibbonForm, TheRibbonDrawsTheCaptionStripAboveItsTabs) {
  TqzRibbonFormCaptionHelper* helper = ribbon->GetFormCaptionHelper();
  ASSERT_EQ(form->GetCaptionHelper(), helper);
  EXPECT_EQ(helper->GetFrameInfo().Wnd, form->GetHandle());
  const Integer caption = ribbon->GetFormCaptionHeight();
  EXPECT_GE(caption, std::max(GetSystemMetrics(SM_CYCAPTION) - 1, GetSystemMetrics(SM_CYSIZE)) + 6);
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, caption);
  EXPECT_FALSE(IsRectEmpty(&ribbon->GetViewInfo()->GetCaptionBounds()));
  TRect client;
  GetClientRect(form->GetHandle(), &client);
  EXPECT_EQ(helper->GetBorderIconRect(biSystemMenu).Right, client.Right);
  const char* root = std::getenv("TAVREN_TEST_OUTPUT");
  if (root && *root) {
    ribbon->SetDocumentName("clip.avi");
    Pump();
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), std::string(root) + "/ribbon-form.png"));
  }
  ribbon->SetSupportNonClientDrawing(false);
  EXPECT_EQ(form->GetCaptionHelper(), nullptr);
  EXPECT_EQ(ribbon->GetFormCaptionHeight(), 0);
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, 0);
}

TEST_F(RibbonOnRibbonForm, TheFormAnswersItsCaptionThroughTheHelper) {
  TqzRibbonFormCaptionHelper* helper = ribbon->GetFormCaptionHelper();
  const TRect close = helper->GetBorderIconRect(biSystemMenu);
  const TPoint onClose = ribbon->ClientToScreen(TPoint(close.Left + 3, close.Top + 3));
  EXPECT_EQ(SendMessage(ribbon->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(onClose.X, onClose.Y)), HTTRANSPARENT);
  EXPECT_EQ(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(onClose.X, onClose.Y)), HTNOWHERE);
  const TPoint onCaption = ribbon->ClientToScreen(TPoint(250, 8));
  EXPECT_EQ(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(onCaption.X, onCaption.Y)), HTCAPTION);
  SendMessage(form->GetHandle(), WM_NCLBUTTONDOWN, HTNOWHERE, MAKELPARAM(onClose.X, onClose.Y));
  SendMessage(form->GetHandle(), WM_NCLBUTTONUP, HTNOWHERE, MAKELPARAM(onClose.X, onClose.Y));
  Pump();
  EXPECT_FALSE(form->GetVisible()) << "the close icon's command closed the form";
}

TEST_F(RibbonOnRibbonForm, CtrlF1OnTheFormMinimizesTheRibbon) {
  SendMessage(form->GetHandle(), WM_KEYDOWN, VK_F1, 0);
  EXPECT_TRUE(ribbon->GetShowTabGroups());
}

// A status bar that draws into its form's bottom border; a component, not reference counted.
class TBorderStatusBar : public TObject, public virtual IqzRibbonStatusBarPainter {
  TAVREN_CLASS(TBorderStatusBar, TObject)
 public:
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  bool ServesForm(TCustomForm* AForm) override { return AForm == form; }
  Integer GetStatusBarHeight() override { return 22; }
  Integer GetCornerState(bool ALeft) override { return ALeft ? 1 : 0; }
  TCustomForm* form = nullptr;
};
TAVREN_CLASS_IMPL(TBorderStatusBar)

TEST_F(RibbonOnRibbonForm, AStatusBarOfTheFormTakesTheBottomBorderAndItsCorners) {
  TRect window;
  GetWindowRect(form->GetHandle(), &window);
  TqzFormFrameInfo info = ribbon->GetFormCaptionHelper()->GetFrameInfo();
  info.IsActive = true;
  auto borders = [&] {
    RibbonSurface surface(window.Width(), window.Height(), clFuchsia);
    ribbon->DrawNonClientBorders(surface.bitmap.GetCanvas(), ribbon->GetBorderWidths(), info);
    return std::pair(surface.At(1, window.Height() - 10), surface.At(window.Width() - 2, window.Height() - 10));
  };
  const auto plain = borders();
  EXPECT_EQ(ribbon->GetBorderWidths().Bottom, 4);

  TBorderStatusBar other, mine;
  other.form = new TForm(form, 0);
  mine.form = form;
  TObject unrelated;
  EXPECT_EQ(ribbon->AddStatusBarPainter(&unrelated), 0);
  EXPECT_EQ(ribbon->AddStatusBarPainter(&other), 1);
  EXPECT_FALSE(ribbon->HasStatusBarInBorder()) << "neither serves this form";
  EXPECT_EQ(ribbon->AddStatusBarPainter(&mine), 2);
  EXPECT_EQ(ribbon->AddStatusBarPainter(&mine), 2) << "listed once";
  EXPECT_TRUE(ribbon->HasStatusBarInBorder());
  EXPECT_EQ(ribbon->GetBorderWidths().Bottom, 1);
  const auto corners = borders();
  EXPECT_NE(corners.first, plain.first) << "the left corner takes the status bar's look";
  EXPECT_NE(corners.second, plain.second);

  ribbon->RemoveStatusBarPainter(&mine);
  EXPECT_FALSE(ribbon->HasStatusBarInBorder());
  ribbon->SetSupportNonClientDrawing(false);
  ribbon->AddStatusBarPainter(&mine);
  EXPECT_FALSE(ribbon->HasStatusBarInBorder()) << "only while the ribbon draws the frame";
  ribbon->RemoveStatusBarPainter(&mine);
  ribbon->RemoveStatusBarPainter(&other);
  ribbon->RemoveStatusBarPainter(&unrelated);
}

TEST_F(RibbonOnRibbonForm, TheDocumentNameLeadsTheCaptionInItsOwnColour) {
  ribbon->GetFonts()->SetDocumentNameColor(clRed);
  const TqzFormFrameInfo info = ribbon->GetFormCaptionHelper()->GetFrameInfo();
  auto redColumns = [&] {
    RibbonSurface surface(ribbon->GetWidth(), ribbon->GetFormCaptionHeight(), clFuchsia);
    ribbon->GetPainter()->DrawFormCaption(surface.bitmap.GetCanvas(), surface.bitmap.GetCanvas()->GetClipRect(), info);
    const TRect text = ribbon->GetViewInfo()->GetCaptionBounds();
    std::pair<Integer, Integer> span{-1, -1};
    for (Integer x = text.Left; x < text.Right; ++x)
      for (Integer y = text.Top; y < text.Bottom; ++y)
        if (surface.At(x, y) == ColorToRGB(clRed)) {
          if (span.first < 0) span.first = x;
          span.second = x;
        }
    return span;
  };
  EXPECT_EQ(redColumns().first, -1) << "no document name";
  ribbon->SetDocumentName("clip.avi");
  EXPECT_EQ(ribbon->GetFormCaptionText(), "clip.avi - Video Converter");
  const auto span = redColumns();
  ASSERT_GE(span.first, 0);
  const TRect text = ribbon->GetViewInfo()->GetCaptionBounds();
  EXPECT_LT(span.first - text.Left, 3) << "the name leads";
  EXPECT_LT(span.second - span.first, ribbon->GetCanvas()->TextWidth("clip.avi - V")) << "only the name is red";
}

// Visual styles that record the glowing texts they are asked for.
class TGlowTheme : public ThemeProvider {
 public:
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t*) override { return reinterpret_cast<HTHEME>(1); }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT DrawThemeTextEx(HTHEME, HDC, int, int, const char16_t* AText, int, DWORD AFlags, RECT* ARect,
                          const DTTOPTS* AOptions) override {
    text = AText;
    flags = AFlags;
    rect = *ARect;
    options = *AOptions;
    return S_OK;
  }
  std::u16string text;
  DWORD flags = 0;
  TRect rect;
  DTTOPTS options;
};

TEST_F(RibbonOnRibbonForm, OverTheCompositionFrameTheCaptionGlowsUnlessMaximized) {
  TGlowTheme theme;
  SetThemeProvider(&theme);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
  RibbonSurface surface(400, 30, clBlack);
  TCanvas* canvas = surface.bitmap.GetCanvas();
  canvas->GetFont()->SetColor(clNavy);
  const Integer width = canvas->TextWidth("Video Converter");
  ribbon->GetPainter()->DrawGlowingCaptionText(canvas, TRect{10, 0, 400, 30}, "Video Converter", false);
  EXPECT_EQ(theme.text, u"Video Converter");
  EXPECT_EQ(theme.flags, 34853u);
  EXPECT_EQ(theme.rect, TRect(0, 0, width + 20, 30)) << "narrowed to the text and its glow";
  EXPECT_EQ(theme.options.iGlowSize, 10);
  EXPECT_EQ(theme.options.crText, ColorToRGB(clNavy));
  EXPECT_EQ(theme.options.dwFlags, DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED);
  // Too narrow: the text ends in an ellipsis within the width less the glow's room.
  ribbon->GetPainter()->DrawGlowingCaptionText(canvas, TRect{0, 0, width / 2 + 20, 30}, "Video Converter", false);
  EXPECT_EQ(theme.text.substr(theme.text.size() - 3), u"...");
  EXPECT_LE(theme.rect.Width(), width / 2 + 20);
  // Maximized: plain white text, no theme.
  theme.text.clear();
  ribbon->GetPainter()->DrawGlowingCaptionText(canvas, TRect{0, 0, 400, 30}, "Video Converter", true);
  EXPECT_TRUE(theme.text.empty());
  bool white = false;
  for (Integer x = 0; x < width && !white; ++x)
    for (Integer y = 0; y < 30 && !white; ++y) white = surface.At(x, y) == ColorToRGB(clWhite);
  EXPECT_TRUE(white);
  SetThemeProvider(nullptr);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

// A desktop that composes: it records how far each window's frame reaches into its client area
// and reports where it puts the caption buttons.
class TComposingDwm : public DwmProvider {
 public:
  HRESULT DwmIsCompositionEnabled(BOOL* AEnabled) override {
    *AEnabled = TRUE;
    return S_OK;
  }
  HRESULT DwmExtendFrameIntoClientArea(HWND, const MARGINS* AMargins) override {
    tops.push_back(AMargins->cyTopHeight);
    return S_OK;
  }
  HRESULT DwmGetWindowAttribute(HWND, DWORD AAttribute, void* AValue, DWORD ASize) override {
    if (AAttribute != DWMWA_CAPTION_BUTTON_BOUNDS || ASize != sizeof(RECT)) return E_FAIL;
    *static_cast<RECT*>(AValue) = buttons;
    return S_OK;
  }
  std::vector<int> tops;
  RECT buttons{400, 0, 500, 20};
};

// Composition on for as long as it lives, whatever version the platform reports.
struct ComposingDesktop {
  ComposingDesktop() {
    SetDwmProvider(&dwm);
    kvDWMApiBind();
  }
  ~ComposingDesktop() {
    kvDWMApiEnd();
    SetDwmProvider(nullptr);
  }
  TComposingDwm dwm;
};

TEST(RibbonSkins, OnGlassTheQuickAccessToolbarTakesTheGlassPiecesInEveryState) {
  TqzCustomRibbonSkin* skin = RibbonSkin("Blue");
  // The toolbar in the caption (flag A) beside the application button, active or not.
  auto draw = [&](bool ANoGlass, bool AActive) {
    RibbonSurface surface(120, 30, clBlack);
    skin->DrawQuickAccessToolbar(surface.DC(), TRect{0, 0, 120, 26}, ANoGlass, AActive, true, true, false);
    std::vector<COLORREF> pixels;
    for (Integer y = 0; y < 30; ++y)
      for (Integer x = 0; x < 120; ++x) pixels.push_back(surface.At(x, y));
    return pixels;
  };
  const auto plainActive = draw(false, true);
  const auto plainInactive = draw(false, false);
  EXPECT_NE(plainActive, plainInactive) << "without composition the caption's pieces follow the active state";
  std::vector<COLORREF> glassActive, glassInactive, refusedActive;
  {
    ComposingDesktop desktop;
    glassActive = draw(false, true);
    glassInactive = draw(false, false);
    refusedActive = draw(true, true);
  }
  EXPECT_NE(glassActive, plainActive);
  EXPECT_EQ(glassActive, glassInactive) << "the glass pieces have one look";
  EXPECT_EQ(refusedActive, plainActive) << "a form that wants no glass keeps the caption's pieces";
}

TEST_F(RibbonOnRibbonForm, OverTheCompositionFrameTheCaptionStripIsGlass) {
  auto* quick = ribbon->GetBarManager()->GetBars()->AddBar();
  auto* button = new TqzBarButton(form);
  button->SetCaption("Save");
  quick->GetItemLinks()->AddLinkForItem(button);
  quick->SetVisible(true);
  ribbon->GetQuickAccessToolbar()->SetToolbar(quick);
  Pump();
  ASSERT_TRUE(ribbon->GetViewInfo()->IsQuickAccessToolbarInCaption(false));
  ComposingDesktop desktop;
  TComposingDwm& dwm = desktop.dwm;
  // Composition came on: the next size of the form lays the caption out for it.
  form->SetWidth(form->GetWidth() + 20);
  Pump();
  TqzRibbonFormCaptionHelper* helper = ribbon->GetFormCaptionHelper();
  EXPECT_TRUE(UsesGlassFrame(helper->GetFrameInfo()));
  EXPECT_TRUE(ribbon->GetViewInfo()->GetUseCompositionFrame());
  const Integer caption = ribbon->GetFormCaptionHeight();
  EXPECT_GE(caption, GetFormFrameInsets(form->GetHandle()).Top + GetSystemMetrics(SM_CYCAPTION));
  ASSERT_FALSE(dwm.tops.empty());
  EXPECT_EQ(dwm.tops.back(), caption) << "the glass reaches down over the caption strip";
  EXPECT_EQ(helper->GetBorderIconsArea(), TRect(dwm.buttons)) << "the desktop's own caption buttons";
  // The desktop's buttons take the presses, not the helper.
  TRect window;
  GetWindowRect(ribbon->GetHandle(), &window);
  EXPECT_FALSE(helper->CaptionMouseDown(TPoint(window.Left + 450, window.Top + 10), mbLeft));
  // Leaving the caption gives the glass back.
  ribbon->SetSupportNonClientDrawing(false);
  EXPECT_EQ(dwm.tops.back(), 0);
}

}  // namespace
