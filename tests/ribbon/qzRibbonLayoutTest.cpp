#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "RibbonFixture.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "RibbonTestSupport.h"
#include "gdi/DeviceContexts.h"
#include "rtl/Math.h"
#include "user/Rects.h"

namespace {

// A scheme that records which of its operations drew, with the state and rectangle.
class TRecordingSkin : public TqzCustomRibbonSkin {
  TAVREN_CLASS(TRecordingSkin, TqzCustomRibbonSkin)
 public:
  TRecordingSkin() : TqzCustomRibbonSkin("Recording") {}
  String SchemeName() override { return "Recording"; }
  GpBitmap* LoadSchemeImage() override { return LoadRibbonAtlas("RIBBONBLUE"); }
  GpBitmap* LoadFormImage() override { return LoadRibbonAtlas("FORMBLUE"); }
  void DrawSmallButton(HDC, const TRect& R, Integer State) override { Log("SmallButton", R, State); }
  void DrawLargeButton(HDC, const TRect& R, Integer State) override { Log("LargeButton", R, State); }
  void DrawProgressFill(HDC, const TRect& R) override { Log("ProgressFill", R, -1); }
  void DrawBarPart53(HDC, const TRect& R, Integer State, Integer Kind) override {
    Log("Part53/" + std::to_string(Kind), R, State);
  }
  void DrawQuickAccessMark(HDC, const TRect& R, Integer State) override { Log("QuickAccessMark", R, State); }
  void DrawMenuBorder(HDC, const TRect& R) override { Log("MenuBorder", R, -1); }
  void DrawGroupSeparator(HDC, const TRect& R, Integer State) override { Log("GroupSeparator", R, State); }
  void DrawCollapsedGroupButton(HDC, const TRect& R, Integer State) override { Log("CollapsedGroup", R, State); }
  void DrawCollapsedGroupGlyphFrame(HDC, const TRect& R, Integer State) override { Log("GlyphFrame", R, State); }
  void DrawGroupBackground(HDC, const TRect& R, Integer State) override { Log("GroupBody", R, State); }
  void DrawGroupCaptionBand(HDC, const TRect& R, Integer State) override { Log("GroupBand", R, State); }
  void DrawFormBorderButton(HDC, const TRect& R, Integer State, bool, bool, bool) override {
    Log("FormBorderButton", R, State);
  }

  struct Entry {
    String op;
    TRect r;
    Integer state;
  };
  std::vector<Entry> log;

 private:
  void Log(const String& AOp, const TRect& R, Integer AState) { log.push_back({AOp, R, AState}); }
};
TAVREN_CLASS_IMPL(TRecordingSkin)

class RibbonSkinFace : public RibbonOnForm {
 protected:
  void SetUp() override {
    RibbonOnForm::SetUp();
    auto skin = NewRibbonSkin<TRecordingSkin>();
    recording = skin.get();
    ASSERT_GE(BarSkinManagerInstance()->AddSkin(skin.release()), 0);
    ribbon->SetColorSchemeName("Recording");
  }
  void TearDown() override {
    ribbon->SetColorSchemeName("Blue");
    BarSkinManagerInstance()->RemoveSkin(recording);
    RibbonOnForm::TearDown();
  }
  TRecordingSkin* recording = nullptr;
};

TEST_F(RibbonSkinFace, NumberedPartsReachTheirSchemeOperations) {
  struct Case {
    Integer part;
    const char* op;
  };
  const Case kCases[] = {{3, "SmallButton"},       {6, "LargeButton"},     {30, "ProgressFill"},
                         {53, "Part53/0"},         {55, "Part53/2"},       {336, "QuickAccessMark"},
                         {450, "MenuBorder"},      {460, "GroupSeparator"}, {520, "FormBorderButton"},
                         {1000, "CollapsedGroup"}, {1001, "GlyphFrame"},   {9999, nullptr}};
  RibbonSurface surface(40, 40, clWhite);
  const TRect r{1, 2, 30, 20};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.part);
    recording->log.clear();
    ribbon->DrawBackground(surface.DC(), r, c.part, 4);
    if (!c.op) {
      EXPECT_TRUE(recording->log.empty());
      continue;
    }
    ASSERT_EQ(recording->log.size(), 1u);
    EXPECT_EQ(recording->log[0].op, c.op);
    EXPECT_EQ(recording->log[0].r, r);
    if (recording->log[0].state >= 0) {
      EXPECT_EQ(recording->log[0].state, 4);
    }
  }
}

TEST_F(RibbonSkinFace, AGroupIsABodyOverACaptionBand) {
  RibbonSurface surface(100, 100, clWhite);
  ribbon->DrawBackground(surface.DC(), TRect{0, 0, 80, 90}, 1, 2);
  ASSERT_EQ(recording->log.size(), 2u);
  const Integer band = ribbon->GroupsCaptionHeight() + 3;
  EXPECT_EQ(recording->log[0].op, "GroupBody");
  EXPECT_EQ(recording->log[0].r, (TRect{0, 0, 80, 90 - band}));
  EXPECT_EQ(recording->log[1].op, "GroupBand");
  EXPECT_EQ(recording->log[1].r, (TRect{0, 90 - band, 80, 90}));
  EXPECT_EQ(ribbon->GetCaptionRect(TRect{0, 0, 80, 90}, 1),
            (TRect{2, 87 - ribbon->GroupsCaptionHeight(), 77, 87}));
  const TRect other = ribbon->GetCaptionRect(TRect{0, 0, 80, 90}, 3);
  EXPECT_TRUE(IsRectEmpty(&other));
}

TEST_F(RibbonSkinFace, ContentOffsetsAndGapsOfTheParts) {
  const Integer caption = ribbon->GroupsCaptionHeight();
  struct Case {
    Integer part;
    TRect offsets;
    Integer gap;
  };
  const Case kCases[] = {{1, {2, 2, 3, caption + 4}, 2}, {3, {3, 3, 3, 3}, 0},   {520, {3, 3, 3, 3}, 0},
                         {1000, {2, 2, 2, 2}, 0},       {1001, {7, 4, 7, 11}, 0}, {460, {}, 3},
                         {6, {}, 0}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.part);
    EXPECT_EQ(ribbon->GetContentOffsets(c.part), c.offsets);
    EXPECT_EQ(ribbon->GetPartOffset(c.part), c.gap);
  }
  TqzCustomRibbonSkin* blue = RibbonSkin("Blue");
  EXPECT_EQ(ribbon->GetPartColor(10065, 0), recording->GetPartColor(10065, 0));
  EXPECT_NE(blue, nullptr);
  IqzSkin* skin = nullptr;
  ASSERT_EQ(ribbon->QueryInterface(IqzSkin::IID, reinterpret_cast<void**>(&skin)), S_OK);
  EXPECT_EQ(skin->GetSkinName(), "");
}

// ---- The tab row -----------------------------------------------------------------------------

class RibbonTabRow : public RibbonOnForm {
 protected:
  // Lays the tab headers out in a row of the width.
  void LayOut(Integer AWidth) { TabRow()->Calculate(TRect{8, 0, 8 + AWidth, 24}); }
  Integer OptimalSum() {
    Integer sum = 0;
    for (Integer i = 0; i < TabRow()->GetCount(); ++i) sum += TabRow()->GetItem(i)->GetOptimalWidth();
    return sum;
  }
  Integer Width(Integer Index) { return TabRow()->GetItem(Index)->GetWidth(); }
};

// A header's look: normal, hot, active, active and hot; selected by the keyboard its own (4), or
// the hot look while the ribbon is minimized.
TEST_F(RibbonTabRow, AHeaderSelectedByTheKeyboardHasALookOfItsOwn) {
  TqzRibbonTab* home = AddTab("Home");
  TqzRibbonTab* insert = AddTab("Insert");
  Pump();
  auto state = [&](Integer AIndex) { return TabRow()->GetItem(AIndex)->GetState(); };
  EXPECT_EQ(state(0), 2);
  EXPECT_EQ(state(1), 0);
  ribbon->SetHotObject(insert);
  EXPECT_EQ(state(1), 1);
  ribbon->SetHotObject(home);
  EXPECT_EQ(state(0), 3);
  ribbon->SetHotObject(nullptr);

  TqzBarNavigationController* controller = NavigationControllerInstance();
  ribbon->SetShowTabGroups(false);
  Pump();
  controller->MoveSelection(false, BarHelperRef(insert->GetAccessibilityHelper()));
  EXPECT_EQ(ribbon->GetActiveTab(), home) << "a minimized ribbon keeps its active tab";
  EXPECT_EQ(state(1), 1);
  controller->EndKeyboardNavigation();
  ribbon->SetShowTabGroups(true);
  Pump();
  controller->MoveSelection(false, BarHelperRef(insert->GetAccessibilityHelper()));
  EXPECT_EQ(ribbon->GetActiveTab(), insert);
  EXPECT_EQ(state(1), 4);
  EXPECT_EQ(TabRow()->GetItem(1)->GetFontState(), 3);
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    ribbon->SetColorSchemeName("Blue");
    Pump();
    UpdateAllWindows();
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), std::string(root) + "/ribbon-tab-keyboard-selected.png"));
  }
  controller->EndKeyboardNavigation();
  EXPECT_EQ(state(1), 2);
}

TEST_F(RibbonTabRow, ATabThatFitsIsItsCaptionAndPaddingWideWithoutSeparator) {
  AddTab("Home");
  TqzRibbonTabViewInfo* info = TabRow()->GetItem(0);
  EXPECT_EQ(info->GetWidth(), info->GetTextWidth() + 27);
  EXPECT_EQ(TabRow()->GetSeparatorAlpha(), 0);
  EXPECT_TRUE(IsRectEmpty(&info->GetSeparatorRect()));
  EXPECT_FALSE(TabRow()->GetTruncated());
}

TEST_F(RibbonTabRow, ACompressedRowGivesUpPaddingFirstThenCaptionPixelsFromTheLeft) {
  AddTab("Insert");
  AddTab("Insert");
  const Integer optimal = TabRow()->GetItem(0)->GetOptimalWidth();
  struct Case {
    Integer excess;
    Integer first, second;
    Byte alpha;
    bool truncated;
  };
  const Case kCases[] = {{3, optimal - 1, optimal - 2, static_cast<Byte>(MulDiv(3, 255, 34)), false},
                         {34, optimal - 17, optimal - 17, 255, false},
                         {35, optimal - 18, optimal - 17, 255, true},
                         {36, optimal - 18, optimal - 18, 255, true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.excess);
    LayOut(OptimalSum() - c.excess);
    EXPECT_EQ(Width(0), c.first);
    EXPECT_EQ(Width(1), c.second);
    EXPECT_EQ(TabRow()->GetSeparatorAlpha(), c.alpha);
    EXPECT_EQ(TabRow()->GetTruncated(), c.truncated);
    EXPECT_EQ(TabRow()->GetScrollButtons(), 0);
  }
}

TEST_F(RibbonTabRow, ARowNarrowerThanTheMinimumScrollsWithButtonsAtTheOpenEnds) {
  form->SetBounds(0, 0, 320, 400);
  for (Integer i = 0; i < 12; ++i) AddTab("Tab number " + std::to_string(i + 1));
  const TRect row = TabRow()->GetBounds();
  EXPECT_EQ(TabRow()->GetScrollButtons(), 2) << "at offset 0 only the right button";
  EXPECT_TRUE(TabRow()->GetTruncated());
  const Integer buttonWidth = std::abs(ribbon->GetFonts()->GetTabHeader()->GetHeight()) + 2;
  EXPECT_EQ(TabRow()->GetScrollButtonRight(), (TRect{row.Right - buttonWidth, row.Top, row.Right, row.Bottom}));
  TabRow()->SetScrollOffset(10'000);
  EXPECT_EQ(TabRow()->GetScrollButtons(), 1) << "at the end only the left one";
  EXPECT_EQ(TabRow()->GetScrollOffset(), TabRow()->GetMaxScrollOffset());
  TabRow()->SetScrollOffset(TabRow()->GetMaxScrollOffset() / 2);
  EXPECT_EQ(TabRow()->GetScrollButtons(), 3);
  // A tab brought into view clears the scroll button beside it.
  TabRow()->SetScrollOffset(TabRow()->GetMaxScrollOffset());
  TqzRibbonTab* second = ribbon->GetTabs()->GetTab(1);
  TabRow()->MakeTabVisible(second);
  EXPECT_EQ(TabRow()->Find(second)->GetBounds().Left, row.Left + buttonWidth);
  TabRow()->SetScrollOffset(0);
  TqzRibbonTab* tenth = ribbon->GetTabs()->GetTab(9);
  TabRow()->MakeTabVisible(tenth);
  EXPECT_EQ(TabRow()->Find(tenth)->GetBounds().Right, row.Right - buttonWidth);
  TqzRibbonTab* last = ribbon->GetTabs()->GetTab(11);
  last->SetActive(true);
  EXPECT_EQ(TabRow()->GetScrollOffset(), TabRow()->GetMaxScrollOffset()) << "the active tab scrolls into view";
}

TEST_F(RibbonTabRow, WithoutHeadersTheRibbonIsAsHighAsItsGroups) {
  AddTab("Home");
  const Integer groups = 3 * ribbon->GroupRowHeight() + 2 + ribbon->GroupsCaptionHeight() + 4 + 3 + 4;
  const Integer tabs = 2 * std::abs(ribbon->GetFonts()->GetTabHeader()->GetHeight()) + 2;
  EXPECT_EQ(ribbon->GetHeight(), tabs - 1 + groups);
  ribbon->SetShowTabHeaders(false);
  EXPECT_EQ(ribbon->GetHeight(), groups);
  EXPECT_EQ(ribbon->GetGroupsSite()->GetBoundsRect(), (TRect{0, 0, ribbon->GetWidth(), groups}));
  ribbon->SetShowTabGroups(false);
  EXPECT_EQ(ribbon->GetHeight(), 1) << "a minimized ribbon without headers keeps one line";
}

}  // namespace

// ---- Pictures --------------------------------------------------------------------------------

namespace {

// The Blue scheme cut while the screen has 256 colours.
class TLowColourSkin : public TqzCustomRibbonSkin {
  TAVREN_CLASS(TLowColourSkin, TqzCustomRibbonSkin)
 public:
  TLowColourSkin() : TqzCustomRibbonSkin("Low colour") {}
  String SchemeName() override { return "Low colour"; }
  GpBitmap* LoadSchemeImage() override { return LoadRibbonAtlas("RIBBONBLUE"); }
  GpBitmap* LoadFormImage() override { return LoadRibbonAtlas("FORMBLUE"); }
};
TAVREN_CLASS_IMPL(TLowColourSkin)

class RibbonPictures : public RibbonOnForm {
 protected:
  void Save(const std::string& AName) {
    const char* root = std::getenv("TAVREN_TEST_OUTPUT");
    if (!root || !*root) return;
    Pump();
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), std::string(root) + "/" + AName + ".png"));
  }
};

TEST_F(RibbonPictures, TwoTabsInEachSchemeWithHeadersShownAndHidden) {
  SetScreenBitsPerPixel(8);
  auto lowColour = NewRibbonSkin<TLowColourSkin>();
  SetScreenBitsPerPixel(32);
  TqzCustomRibbonSkin* low = lowColour.get();
  ASSERT_GE(BarSkinManagerInstance()->AddSkin(lowColour.release()), 0);
  form->SetBounds(0, 0, 520, 300);
  form->SetCaption("Ribbon");
  AddTab("Home");
  AddTab("View")->SetActive(true);
  struct Case {
    const char* scheme;
    const char* file;
  };
  const Case kCases[] = {{"Blue", "blue"}, {"Black", "black"}, {"Silver", "silver"}, {"Low colour", "low-colour"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.scheme);
    ribbon->SetColorSchemeName(c.scheme);
    ribbon->SetShowTabHeaders(true);
    Save("ribbon-two-tabs-" + std::string(c.file));
    // The active header's lower edge opens onto the groups area: no line between them.
    const TRect header = TabRow()->GetItem(1)->GetBounds();
    const TRect site = ribbon->GetGroupsSite()->GetBoundsRect();
    EXPECT_EQ(site.Top, header.Bottom - 1);
    ribbon->SetShowTabHeaders(false);
    Save("ribbon-headers-hidden-" + std::string(c.file));
  }
  ribbon->SetColorSchemeName("Blue");
  BarSkinManagerInstance()->RemoveSkin(low);
}

TEST_F(RibbonPictures, CompressedAndScrolledTabRows) {
  form->SetBounds(0, 0, 420, 300);
  for (const char* caption : {"Home", "Insert", "Page Layout", "References", "Mailings", "Review"}) AddTab(caption);
  EXPECT_GT(TabRow()->GetSeparatorAlpha(), 0);
  EXPECT_EQ(TabRow()->GetScrollButtons(), 0);
  Save("ribbon-tabs-compressed");
  for (const char* caption : {"Developer", "Add-Ins", "Format", "Design", "Layout", "Data"}) AddTab(caption);
  form->SetBounds(0, 0, 320, 300);
  EXPECT_EQ(TabRow()->GetScrollButtons(), 2);
  Save("ribbon-tabs-scrolled");
}

}  // namespace
