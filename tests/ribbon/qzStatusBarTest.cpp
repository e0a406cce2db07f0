#include <gtest/gtest.h>

#include <cstring>

#include "RibbonTestSupport.h"
#include "StatusBarFixture.h"
#include "rtl/ClassRegistry.h"
#include "user/Input.h"
#include "vcl/ExtCtrls.h"

namespace {

void SetToggled(int Key, bool On) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[Key] = On ? 1 : 0;
  SetKeyboardState(keys);
}

struct ToggleReset {
  ~ToggleReset() {
    for (int key : {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_INSERT}) SetToggled(key, false);
  }
};

TEST(StatusBarPanelStyles, TheFourStylesAreRegisteredUnderTheirNames) {
  TkvRegisteredClasses* styles = RegisteredStatusBarPanelStyles();
  ASSERT_EQ(styles->Count(), 4);
  const std::pair<TClass, const char*> expected[] = {
      {TqzStatusBarTextPanelStyle::ClassInfo(), "Text Panel"},
      {TqzStatusBarContainerPanelStyle::ClassInfo(), "Container Panel"},
      {TqzStatusBarKeyboardStatePanelStyle::ClassInfo(), "Keyboard State Panel"},
      {TqzStatusBarStateIndicatorPanelStyle::ClassInfo(), "State Indicator Panel"}};
  for (Integer i = 0; i < 4; ++i) {
    EXPECT_EQ(styles->ClassAt(i), expected[i].first);
    EXPECT_EQ(styles->DescriptionAt(i), expected[i].second);
  }
  EXPECT_TRUE(static_cast<bool>(GetClass("TqzStatusBarContainerControl")));
}

TEST(StatusBarPanelStyles, IndicatorPanelsAreAsWideAsTheirVisibleLamps) {
  TTestStatusBar bar(nullptr);
  auto* style = bar.AddPanel<TqzStatusBarStateIndicatorPanelStyle>();
  EXPECT_EQ(style->GetMinWidth(), 20);  // no items
  TqzStatusBarStateIndicatorItem* first = style->GetIndicators()->Add();
  TqzStatusBarStateIndicatorItem* second = style->GetIndicators()->Add();
  ASSERT_EQ(first->GetIndicatorBitmap()->GetWidth(), 17);
  EXPECT_EQ(first->GetIndicatorBitmap()->GetHeight(), 8);
  EXPECT_EQ(style->GetMinWidth(), 4 + 2 * (17 + 4));
  first->SetVisible(false);
  second->SetVisible(false);
  EXPECT_EQ(style->GetMinWidth(), 4);  // all hidden: the spacing alone
  second->SetVisible(true);
  second->SetIndicatorType(sitGreen);
  style->SetSpacing(6);
  EXPECT_EQ(style->GetMinWidth(), 6 + 17 + 6);
  EXPECT_FALSE(style->AllowsFreeWidth());

  // Drawn: the green lamp where the hidden one would have been, its corners transparent.
  bar.canvasBitmap.GetkvCanvas()->FillWithColor(TRect{0, 0, 200, 30}, clWhite);
  style->DrawContent(bar.StatusBarCanvas(), TRect{0, 0, 60, 20}, &bar.painter);
  HDC dc = bar.canvasBitmap.GetCanvas()->GetHandle();
  EXPECT_EQ(GetPixel(dc, 6 + 8, 10), RGB(0, 0xFF, 0));  // body
  EXPECT_EQ(GetPixel(dc, 6, 6), ColorToRGB(clBtnFace));  // transparent corner: the panel shows
}

TEST(StatusBarPanelStyles, KeyboardCellsReadTheToggleStatesAndMeasureTheirCaptions) {
  ToggleReset reset;
  TTestStatusBar bar(nullptr);
  auto* style = bar.AddPanel<TqzStatusBarKeyboardStatePanelStyle>();
  TkvCanvas* canvas = bar.StatusBarCanvas();
  canvas->AssignFont(style->GetFont());
  auto cell = [&](TqzStatusBarKeyboardState s) { return style->GetAppearance(s)->CellWidth(canvas); };
  EXPECT_EQ(cell(qzksInsert), std::max(canvas->TextWidthOf("OVR"), canvas->TextWidthOf("INS")) + 4);
  const Integer framed = cell(qzksCapsLock) + cell(qzksNumLock) + cell(qzksScrollLock) + cell(qzksInsert) + 4 * 2 + 3 * 3;
  EXPECT_EQ(style->GetMinWidth(), framed);
  EXPECT_TRUE(style->DrawsItemFrames());

  // Frames: each cell 2 pixels wider than its caption, 3 pixels apart.
  style->DrawContent(canvas, TRect{0, 0, 200, 20}, &bar.painter);
  ASSERT_EQ(bar.painter.frames.size(), 4u);
  EXPECT_EQ(bar.painter.frames[0], (TRect{0, 0, cell(qzksCapsLock) + 2, 20}));
  EXPECT_EQ(bar.painter.frames[1].Left, cell(qzksCapsLock) + 2 + 3);

  // FullRect: exact cells, no frames, and every panel is reported changed.
  style->SetFullRect(true);
  EXPECT_FALSE(style->DrawsItemFrames());
  EXPECT_EQ(style->GetMinWidth(), framed - 4 * 2);
  bar.painter.frames.clear();
  style->DrawContent(canvas, TRect{0, 0, 200, 20}, &bar.painter);
  EXPECT_TRUE(bar.painter.frames.empty());

  style->SetKeyboardStates(TqzStatusBarKeyboardStates{});
  EXPECT_EQ(style->GetMinWidth(), 50);
}

TEST(StatusBarPanelStyles, InsertReadsOvrInTheActiveColourWhenToggledOn) {
  ToggleReset reset;
  TTestStatusBar bar(nullptr);
  auto* style = bar.AddPanel<TqzStatusBarKeyboardStatePanelStyle>();
  style->SetKeyboardStates(TqzStatusBarKeyboardStates{qzksInsert});
  style->SetFullRect(true);
  style->GetInsertKeyAppearance()->SetActiveFontColor(clRed);
  TkvCanvas* canvas = bar.StatusBarCanvas();
  struct Case {
    bool on;
    COLORREF ink;
    Integer width;
  };
  canvas->AssignFont(style->GetFont());
  const Case cases[] = {{true, RGB(0xFF, 0, 0), canvas->TextWidthOf("OVR")},
                        {false, ColorToRGB(clBtnShadow), canvas->TextWidthOf("INS")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.on);
    SetToggled(VK_INSERT, c.on);
    canvas->FillWithColor(TRect{0, 0, 200, 30}, clWhite);
    style->DrawContent(canvas, TRect{0, 0, 60, 20}, &bar.painter);
    // The caption's ink is the chosen colour, and its inked columns span the caption's width.
    HDC dc = bar.canvasBitmap.GetCanvas()->GetHandle();
    Integer left = 1000, right = -1;
    bool inkFound = false;
    for (Integer y = 0; y < 20; ++y)
      for (Integer x = 0; x < 60; ++x) {
        const COLORREF p = GetPixel(dc, x, y);
        if (p == ColorToRGB(clBtnFace) || p == ColorToRGB(clWhite)) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        inkFound = inkFound || p == c.ink;
      }
    EXPECT_TRUE(inkFound);
    EXPECT_NEAR(right - left + 1, c.width, 2);
  }
}

TEST(StatusBarPanelStyles, TheNotifierPollsToggleChangesAndKeepsItsKeysInOrder) {
  ToggleReset reset;
  TTestStatusBar bar(nullptr);
  auto* style = bar.AddPanel<TqzStatusBarKeyboardStatePanelStyle>();
  TqzStatusBarKeyboardStateNotifier* notifier = style->GetNotifier();
  ASSERT_EQ(notifier->KeyCount(), 4);
  notifier->Poll(nullptr);
  EXPECT_EQ(bar.refreshes, 0);
  SetToggled(VK_NUMLOCK, true);
  notifier->Poll(nullptr);
  notifier->Poll(nullptr);
  EXPECT_EQ(bar.refreshes, 1);  // one change, one refresh
  notifier->RemoveKey(VK_NUMLOCK);
  notifier->AddKey(VK_CAPITAL);  // re-added at the end
  ASSERT_EQ(notifier->KeyCount(), 3);
  EXPECT_EQ(notifier->KeyCodeAt(0), VK_SCROLL);
  EXPECT_EQ(notifier->KeyCodeAt(1), VK_INSERT);
  EXPECT_EQ(notifier->KeyCodeAt(2), VK_CAPITAL);
}

TEST(StatusBarPanelStyles, AutoHintIsOnInOneTextPanelAtMost) {
  TTestStatusBar bar(nullptr);
  auto* first = bar.AddPanel<TqzStatusBarTextPanelStyle>();
  auto* second = bar.AddPanel<TqzStatusBarTextPanelStyle>();
  bar.AddPanel<TqzStatusBarStateIndicatorPanelStyle>();
  first->SetAutoHint(true);
  second->SetAutoHint(true);
  EXPECT_FALSE(first->GetAutoHint());
  EXPECT_TRUE(second->GetAutoHint());
  // Copying a style copies its settings, the hint flag through the same rule.
  first->SetEllipsisType(qzetSmartPath);
  first->SetColor(clRed);
  second->Assign(first);
  EXPECT_EQ(second->GetEllipsisType(), qzetSmartPath);
  EXPECT_EQ(second->GetColor(), clRed);
  EXPECT_FALSE(second->GetAutoHint());
  EXPECT_EQ(first->GetImageIndex(), -1);
}

TEST(StatusBarPanelStyles, ParentFontFollowsTheStatusBarUntilTheStyleGetsItsOwn) {
  TTestStatusBar bar(nullptr);
  bar.font.SetSize(11);
  auto* style = bar.AddPanel<TqzStatusBarTextPanelStyle>();
  EXPECT_TRUE(style->GetParentFont());
  EXPECT_EQ(style->GetFont()->GetSize(), 11);
  style->GetFont()->SetSize(14);
  EXPECT_FALSE(style->GetParentFont());
  EXPECT_TRUE(style->IsFontStored());
  style->SetParentFont(true);
  EXPECT_EQ(style->GetFont()->GetSize(), 11);
  EXPECT_EQ(style->GetColor(), clBtnFace);  // unassigned: the status bar's
  EXPECT_FALSE(style->IsColorStored());
}

TEST(StatusBarPanelStyles, AContainerMadeWhileLoadingIsLinkedByTheLoadedValue) {
  TComponent owner(nullptr);
  auto* bar = new TTestStatusBar(&owner);
  bar->updating = true;
  auto* style = bar->AddPanel<TqzStatusBarContainerPanelStyle>();
  EXPECT_EQ(style->GetContainer(), nullptr);
  auto* loaded = new TqzStatusBarContainerControl(&owner);
  loaded->SetName("StatusBarContainer0");
  style->SetContainer(FindContainerControl(bar, "StatusBarContainer0"));
  bar->updating = false;
  ASSERT_EQ(style->GetContainer(), loaded);
  EXPECT_EQ(loaded->GetPanelStyle(), style);

  // The last panel of a status bar with a size grip gives its control less room.
  loaded->SetParent(bar);
  bar->sizeGrip = true;
  style->DrawContent(bar->StatusBarCanvas(), TRect{10, 2, 110, 22}, &bar->painter);
  EXPECT_EQ(loaded->GetWidth(), 100 - 13);
  // A control placed on the container fills it.
  auto* child = new TPanel(&owner);
  child->SetParent(loaded);
  style->DrawContent(bar->StatusBarCanvas(), TRect{10, 2, 110, 22}, &bar->painter);
  EXPECT_EQ(child->GetWidth(), 87);
  EXPECT_EQ(child->GetHeight(), 20);

  // Freeing the control takes the panel's style away.
  delete loaded;
  EXPECT_EQ(bar->Panel(0)->GetPanelStyle(), nullptr);
}

TEST(StatusBarPanelStyles, AContainerStyleMakesItsControlAndFreesItWithTheStyle) {
  TComponent owner(nullptr);
  auto* bar = new TTestStatusBar(&owner);
  auto* style = bar->AddPanel<TqzStatusBarContainerPanelStyle>();
  TqzStatusBarContainerControl* container = style->GetContainer();
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->GetParent(), bar);
  EXPECT_EQ(container->GetOwner(), &owner);
  EXPECT_TRUE(style->CanBeRemoved());
  ChangePanelStyleClass(bar->Panel(0), TqzStatusBarContainerPanelStyle::ClassInfo());  // the same class: kept
  EXPECT_EQ(bar->Panel(0)->GetPanelStyle(), style);
  const Integer components = owner.GetComponentCount();
  ChangePanelStyleClass(bar->Panel(0), TqzStatusBarTextPanelStyle::ClassInfo());
  EXPECT_EQ(owner.GetComponentCount(), components - 1);
}

}  // namespace

namespace {

// Draws the status bar through a ribbon scheme: its background, panels and separators.
class TSkinnedStatusBarPainter : public TTestStatusBarPainter {
 public:
  explicit TSkinnedStatusBarPainter(TqzCustomRibbonSkin* ASkin) : skin(ASkin) {}
  void DrawPanel(IqzStatusBarSite*, TqzStatusBarPanel* Panel, TkvCanvas* Canvas, const TRect& R) override {
    skin->DrawStatusBarPanel(Canvas->DCHandle(), R, Panel->GetIndex() == 0);
    if (Panel->GetIndex() > 0) skin->DrawStatusBarSeparator(Canvas->DCHandle(), TRect{R.Left, R.Top, R.Left + 3, R.Bottom});
  }
  void DrawCellFrame(IqzStatusBarSite*, Integer, const TRect& R, TkvCanvas* Canvas) override {
    skin->DrawStatusBarSeparator2(Canvas->DCHandle(), TRect{R.Right - 2, R.Top, R.Right, R.Bottom});
  }
  void DrawBackground(IqzStatusBarSite*, TkvCanvas* Canvas, const TRect& R) override {
    skin->DrawStatusBarBackground(Canvas->DCHandle(), R);
  }
  TqzCustomRibbonSkin* skin;
};

TEST(StatusBarPanelStyles, PictureOfTheStylesOnEachScheme) {
  ToggleReset reset;
  SetToggled(VK_NUMLOCK, true);
  SetToggled(VK_INSERT, true);
  RibbonSurface sheet(520, 3 * 30, clWhite);
  Integer y = 4;
  for (const char* scheme : {"Blue", "Black", "Silver"}) {
    TqzCustomRibbonSkin* skin = RibbonSkin(scheme);
    TTestStatusBar bar(nullptr);
    bar.font.SetName("Tahoma");
    // Group text reads well on the light bars; the dark one takes white.
    bar.font.SetColor(std::string(scheme) == "Black" ? clWhite : skin->GetPartColor(10133, 0));
    TSkinnedStatusBarPainter painter(skin);
    auto* text = bar.AddPanel<TqzStatusBarTextPanelStyle>();
    bar.Panel(0)->text = "Converting clip 3 of 7: holiday-video.mp4";
    text->SetEllipsisType(qzetTruncate);
    auto* lamps = bar.AddPanel<TqzStatusBarStateIndicatorPanelStyle>();
    for (TqzStatusBarStateIndicatorType type : {sitGreen, sitYellow, sitRed, sitOff})
      lamps->GetIndicators()->Add()->SetIndicatorType(type);
    auto* keys = bar.AddPanel<TqzStatusBarKeyboardStatePanelStyle>();
    TkvCanvas* canvas = sheet.bitmap.GetkvCanvas();
    const TRect all{4, y, 516, y + 22};
    painter.DrawBackground(&bar, canvas, all);
    const TRect whole{all.Left, all.Top, all.Right - 14, all.Bottom};  // room for the size grip
    const Integer keysWidth = keys->GetMinWidth() + 4, lampsWidth = lamps->GetMinWidth() + 3;
    text->DrawContent(canvas, TRect{whole.Left, y, whole.Right - keysWidth - lampsWidth, y + 22}, &painter);
    lamps->DrawContent(canvas, TRect{whole.Right - keysWidth - lampsWidth, y, whole.Right - keysWidth, y + 22},
                       &painter);
    keys->DrawContent(canvas, TRect{whole.Right - keysWidth, y, whole.Right, y + 22}, &painter);
    skin->DrawStatusBarSizeGrip(sheet.DC(), TRect{all.Right - 12, y + 8, all.Right, y + 20});
    y += 30;
  }
  SaveRibbonPicture(sheet, "ribbon-statusbar-styles");
}

}  // namespace
