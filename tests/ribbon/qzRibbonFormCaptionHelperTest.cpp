#include <gtest/gtest.h>

#include "RibbonTestSupport.h"
#include "backend/HeadlessBackend.h"
#include "gdi/Regions.h"
#include "gdi/SysMetrics.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonForm.h"
#include "user/VirtualKeys.h"
#include <cstdlib>
#include <string>
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

}  // namespace
