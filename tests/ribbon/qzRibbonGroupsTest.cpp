#include <gtest/gtest.h>

#include <cstdlib>

#include "MainWindowRibbon.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "user/Input.h"
#include "user/InputEvents.h"
#include "user/Painting.h"
#include "vcl/ImgList.h"

namespace {

TEST_F(MainWindowRibbon, EveryGroupShowsItsButtonsInOneRowInGroupOrder) {
  Integer right = -1;
  for (TqzBar* bar : bars) {
    TqzBarControl* window = bar->GetBarControl();
    ASSERT_NE(window, nullptr) << bar->GetCaption();
    EXPECT_EQ(window->GetParent(), static_cast<TWinControl*>(tab->GetDockControl()));
    EXPECT_TRUE(IsWindowVisible(window->GetHandle()));
    EXPECT_GT(window->GetLeft(), right) << bar->GetCaption() << " stands right of the group before it";
    EXPECT_EQ(window->GetTop(), 0);
    right = window->GetLeft() + window->GetWidth();
    for (Integer i = 0; i < bar->GetItemLinks()->GetVisibleLinkCount(); ++i)
      EXPECT_NE(bar->GetItemLinks()->GetVisibleLink(i)->GetControl(), nullptr) << bar->GetCaption() << " " << i;
  }
  SavePicture("ribbon-main-groups");
}

TEST_F(MainWindowRibbon, TheGroupsFitToThePixelAndAPixelLessReducesTheLastGroupOnly) {
  FitTo(2000);
  const std::vector<Integer> full = Widths();
  const Integer gap = ribbon->GetGroupsPainter()->DockedBarSpacing();
  EXPECT_EQ(gap, 2);
  const Integer total = full[0] + full[1] + full[2] + 2 * gap;
  EXPECT_EQ(Fit()->TotalWidth(), total);

  FitTo(total);
  EXPECT_EQ(Widths(), full) << "the trailing gap does not count";
  EXPECT_FALSE(Fit()->ShowsRightScrollButton());

  FitTo(total - 1);
  const std::vector<Integer> reduced = Widths();
  EXPECT_EQ(reduced[0], full[0]);
  EXPECT_EQ(reduced[1], full[1]);
  EXPECT_LT(reduced[2], full[2]);
  EXPECT_FALSE(Group(2)->GetCollapsed()) << "a reduction step was enough";
  EXPECT_LE(Fit()->TotalWidth(), total - 1);
}

struct TGroupEvents : TObject {
  std::vector<String> Log;
  void Collapsed(TqzCustomRibbon*, TqzRibbonTab*, TqzRibbonTabGroup* AGroup) {
    Log.push_back("collapsed " + AGroup->GetToolBar()->GetCaption());
  }
  void Expanded(TqzCustomRibbon*, TqzRibbonTab*, TqzRibbonTabGroup* AGroup) {
    Log.push_back("expanded " + AGroup->GetToolBar()->GetCaption());
  }
};

// From the full width down to a sliver: the groups are reduced from the right and collapsed (each
// reported once) only when no group can be reduced further; widening undoes it all.
TEST_F(MainWindowRibbon, NarrowingReducesThenCollapsesAndWideningExpands) {
  TGroupEvents events;
  ribbon->SetOnTabGroupCollapsed(MakeEvent<&TGroupEvents::Collapsed>(&events));
  ribbon->SetOnTabGroupExpanded(MakeEvent<&TGroupEvents::Expanded>(&events));
  FitTo(2000);
  const std::vector<Integer> full = Widths();
  const Integer total = Fit()->TotalWidth();
  std::vector<Integer> before = full;
  for (Integer width = total; width >= 40; width -= 3) {
    SCOPED_TRACE(width);
    const size_t seen = events.Log.size();
    FitTo(width);
    if (events.Log.size() > seen && seen == 0) {
      EXPECT_EQ(events.Log[0], "collapsed Help");
      for (Integer i = 0; i < 2; ++i) EXPECT_LT(before[i], full[i]) << "every group was reduced before any collapsed";
    }
    EXPECT_TRUE(Fit()->TotalWidth() <= width || Fit()->ShowsRightScrollButton());
    before = Widths();
  }
  EXPECT_EQ(events.Log, (std::vector<String>{"collapsed Help", "collapsed Edit", "collapsed File"}));
  for (Integer i = 0; i < 3; ++i) EXPECT_TRUE(Group(i)->GetCollapsed());
  EXPECT_TRUE(Fit()->ShowsRightScrollButton()) << "at 40 pixels even the collapsed row does not fit";

  events.Log.clear();
  FitTo(2000);
  EXPECT_EQ(events.Log, (std::vector<String>{"expanded File", "expanded Edit", "expanded Help"}));
  EXPECT_EQ(Widths(), full);
  EXPECT_FALSE(Fit()->ShowsLeftScrollButton());
  EXPECT_FALSE(Fit()->ShowsRightScrollButton());
  EXPECT_EQ(Fit()->GetScrollOffset(), 0);
}

// Groups that may not collapse are scrolled once they are reduced as far as they go: each step
// of the right button moves the row 10 pixels until its right end shows, never further; the
// left button shows as soon as the row has moved.
TEST_F(MainWindowRibbon, GroupsThatMayNotCollapseAreScrolledInStepsOfTen) {
  KeepButtonsLarge();
  for (Integer i = 0; i < 3; ++i) tab->GetGroups()->GetGroup(i)->SetCanCollapse(false);
  form->SetBounds(0, 0, 330, 300);
  Pump();
  TqzRibbonGroupsDockControl* dock = tab->GetDockControl();
  const Integer width = dock->AvailableWidth(), row = Fit()->TotalWidth();
  ASSERT_GT(row, width);
  EXPECT_TRUE(Fit()->ShowsRightScrollButton());
  EXPECT_FALSE(Fit()->ShowsLeftScrollButton());
  EXPECT_EQ(Fit()->GetScrollOffset(), 0);
  EXPECT_LE(dock->GetLeft() + dock->GetWidth(), ribbon->GetClientWidth() - 10) << "room for the right button";
  Integer expected = 0;
  for (Integer step = 0; expected > width - row || step < 2; ++step) {
    Fit()->ScrollStep(true, width);
    expected = std::max(expected - 10, width - row);
    ASSERT_EQ(Fit()->GetScrollOffset(), expected) << "step " << step;
    EXPECT_TRUE(Fit()->ShowsLeftScrollButton());
    EXPECT_EQ(Fit()->ShowsRightScrollButton(), expected > width - row);
  }
  SavePicture("ribbon-main-scrolled");
  Fit()->ScrollStep(false, width);
  EXPECT_EQ(Fit()->GetScrollOffset(), width - row + 10);
  EXPECT_TRUE(Fit()->ShowsRightScrollButton());
  // Widening until the right end shows keeps the row at the right edge with the left button only.
  Fit()->UpdateScrollButtons(row - 5);
  EXPECT_TRUE(Fit()->ShowsLeftScrollButton());
  EXPECT_FALSE(Fit()->ShowsRightScrollButton());
  EXPECT_EQ(Fit()->GetScrollOffset(), -5);
}

TEST_F(MainWindowRibbon, PicturesOfTheRibbonNarrowed) {
  const struct {
    Integer Width;
    bool Large;
    const char* Name;
  } kShots[] = {{560, false, "ribbon-main-reduced"}, {330, false, "ribbon-main-reduced-more"},
                {400, true, "ribbon-main-collapsed"}};
  for (const auto& shot : kShots) {
    if (shot.Large) KeepButtonsLarge();
    form->SetBounds(0, 0, shot.Width, 300);
    Pump();
    EXPECT_LE(tab->GetDockControl()->GetLeft() + tab->GetDockControl()->GetWidth(), ribbon->GetClientWidth());
    SavePicture(shot.Name);
  }
  EXPECT_TRUE(Group(2)->GetCollapsed());
}

}  // namespace

// A click on each button runs its command once; no point of a group's frame or caption strip
// answers anything but client area, so a group is never dragged or floated.
TEST_F(MainWindowRibbon, AClickOnEachButtonRunsItsCommandAndNoPointMovesAGroup) {
  std::vector<String> captions;
  for (TqzBarLargeButton* button : buttons) {
    TqzBarItemLink* link = button->GetLink(0);
    TCustomqzBarControl* window = link->GetBarControl();
    const TRect& r = link->GetItemRect();
    const TPoint centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    static_cast<FakeClock&>(CurrentClock()).Advance(1000);
    SendMouse(window->GetHandle(), WM_MOUSEMOVE, centre);
    SendMouse(window->GetHandle(), WM_LBUTTONDOWN, centre, MK_LBUTTON);
    SendMouse(window->GetHandle(), WM_LBUTTONUP, centre);
    Pump();
    captions.push_back(button->GetCaption());
  }
  EXPECT_EQ(clicks.Names, captions);

  TqzRibbonGroupBarControl* group = Group(0);
  TRect window;
  GetWindowRect(group->GetHandle(), &window);
  const TPoint points[] = {{window.Left + 1, window.Top + 1},
                           {(window.Left + window.Right) / 2, window.Bottom - 4},
                           {window.Right - 2, (window.Top + window.Bottom) / 2}};
  for (const TPoint& p : points)
    EXPECT_EQ(SendMessage(group->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y)), HTCLIENT) << p.X << "," << p.Y;
}

TEST_F(MainWindowRibbon, PicturesInTheBlackAndSilverSchemes) {
  for (const char* scheme : {"Black", "Silver"}) {
    ribbon->SetColorSchemeName(scheme);
    Pump();
    EXPECT_EQ(ribbon->GetColorSchemeName(), scheme);
    SavePicture((std::string("ribbon-main-groups-") + scheme).c_str());
  }
}

// Pointing at a group and its first button shows both hot; leaving brings the normal look back
// over the whole button, whose place is taller than one row.
TEST_F(MainWindowRibbon, PointingAtAGroupShowsItsHotLook) {
  TqzRibbonGroupBarControl* edit = Group(1);
  const TPoint body(4, 4);  // the top of the first button's place, above its row
  auto pixel = [&](TqzRibbonGroupBarControl* AGroup) {
    Pump();
    UpdateAllWindows();
    const PixelImage shot = screen.WindowImage(form->GetHandle());
    const TPoint p = AGroup->ClientToScreen(body);
    TRect window;
    GetWindowRect(form->GetHandle(), &window);
    return shot.pixels[size_t(p.Y - window.Top) * shot.width + size_t(p.X - window.Left)];
  };
  const uint32_t normal = pixel(edit);
  EXPECT_EQ(pixel(Group(0)), normal) << "groups look alike";
  InputMouseMove(edit->ClientToScreen(body));
  PassTime(500);  // the fade to the hot look
  EXPECT_EQ(edit->GetViewState(), 1);
  EXPECT_NE(pixel(edit), normal);
  InputMouseMove(form->ClientToScreen(TPoint(10, form->GetClientHeight() - 10)));
  PassTime(500);
  EXPECT_EQ(pixel(edit), normal);
}

TEST_F(MainWindowRibbon, AGroupFontTheUserSetsReachesTheGroupWindowsAndWidensThem) {
  form->SetWidth(1400);  // room for the larger groups at full size
  Pump();
  const std::vector<Integer> before = Widths();
  ribbon->GetFonts()->GetGroup()->SetSize(16);
  Pump();
  EXPECT_TRUE(ribbon->GetFonts()->GetAssignedFonts().Contains(afGroup));
  for (size_t i = 0; i < bars.size(); ++i) {
    EXPECT_EQ(Group(i)->GetFont()->GetSize(), 16) << i;
    EXPECT_GT(Widths()[i], before[i]) << "the captions beside the glyphs are wider, group " << i;
  }
  // Given back, the font follows the manager's again, and so do the windows.
  const std::vector<Integer> widened = Widths();
  ribbon->GetFonts()->SetAssignedFonts(TqzRibbonAssignedFonts());
  Pump();
  for (size_t i = 0; i < bars.size(); ++i) {
    EXPECT_EQ(Group(i)->GetFont()->GetSize(), manager->GetFont()->GetSize()) << i;
    EXPECT_LT(Widths()[i], widened[i]) << i;
  }
}

namespace {

TEST(RibbonCaptionButtonGlyph, TheSquareGrowsByStepsOfTheButtonsSmallerSide) {
  const struct {
    Integer Width, Height, Side;
  } kCases[] = {{16, 16, 12}, {30, 30, 22}, {34, 34, 22}, {46, 46, 44}, {46, 16, 12}, {8, 8, 12}};
  for (const auto& c : kCases) EXPECT_EQ(RibbonCaptionGlyphSide(c.Width, c.Height), c.Side) << c.Width << "x" << c.Height;
}

struct TCaptionClicks : TObject {
  Integer Count = 0;
  void Clicked(TObject*) { ++Count; }
};

// Two caption buttons stand from the right of the caption strip, as high as it, one pixel
// apart; a press and release on one clicks it, a release elsewhere does not.
TEST_F(MainWindowRibbon, CaptionButtonsStandAtTheRightOfTheStripAndClick) {
  TCaptionClicks clicks;
  TqzBarCaptionButtons* buttons = bars[0]->GetCaptionButtons();
  for (Integer i = 0; i < 2; ++i) buttons->AddButton()->SetOnClick(MakeEvent<&TCaptionClicks::Clicked>(&clicks));
  bars[0]->GetBarControl()->Refresh(true);
  Pump();
  TqzRibbonGroupBarControl* group = Group(0);
  const TRect strip = ribbon->GetCaptionRect(TRect(0, 0, group->GetWidth(), group->GetHeight()), qzSkinPartToolbar);
  const Integer h = strip.Height(), right = strip.Right;
  ASSERT_GT(h, 10);
  EXPECT_EQ(buttons->GetButton(0)->GetBounds(), TRect(right - h - 1, strip.Top, right, strip.Bottom));
  EXPECT_EQ(buttons->GetButton(1)->GetBounds(), TRect(right - 2 * h - 2, strip.Top, right - h - 1, strip.Bottom));

  TPoint offset;
  group->ClientOffset(offset);
  const TRect& first = buttons->GetButton(0)->GetBounds();
  const TPoint on((first.Left + first.Right) / 2 - offset.X, (first.Top + first.Bottom) / 2 - offset.Y);
  SendMouse(group->GetHandle(), WM_LBUTTONDOWN, on, MK_LBUTTON);
  EXPECT_EQ(buttons->GetButton(0)->GetState(), 4);
  SendMouse(group->GetHandle(), WM_LBUTTONUP, on);
  EXPECT_EQ(clicks.Count, 1);
  SendMouse(group->GetHandle(), WM_LBUTTONDOWN, on, MK_LBUTTON);
  SendMouse(group->GetHandle(), WM_LBUTTONUP, TPoint(5, 5));
  EXPECT_EQ(clicks.Count, 1) << "released off the button";
  SavePicture("ribbon-group-caption-buttons");
}

TEST_F(MainWindowRibbon, PointingAtAGroupFadesItToItsHotLookAndLeavingFadesItBack) {
  TqzFader* fader = ribbon->GetFader();
  ASSERT_NE(fader, nullptr);
  TqzRibbonGroupBarControl* group = Group(0);
  HDC dc = GetWindowDC(group->GetHandle());
  // A pixel of the group's caption strip, clear of its caption.
  RECT window;
  GetWindowRect(group->GetHandle(), &window);
  const TPoint probe(4, window.Bottom - window.Top - 5);
  const COLORREF normal = GetPixel(dc, probe.X, probe.Y);

  InputMouseMove(group->ClientToScreen(TPoint(group->GetClientWidth() - 3, 3)));
  Pump();
  const TqzFadingElement* in = fader->FindElement(group);
  ASSERT_NE(in, nullptr) << "the group fades in";
  EXPECT_EQ(in->GetDirection(), fdFadeIn);
  EXPECT_TRUE(in->HasImages());
  PassTime(1000);
  EXPECT_EQ(fader->FindElement(group), nullptr);
  EXPECT_NE(GetPixel(dc, probe.X, probe.Y), normal) << "it ends on its hot look";

  InputMouseMove(form->ClientToScreen(TPoint(10, form->GetClientHeight() - 10)));
  PassTime(30);
  const TqzFadingElement* out = fader->FindElement(group);
  ASSERT_NE(out, nullptr) << "leaving fades it back";
  EXPECT_EQ(out->GetDirection(), fdFadeOut);
  PassTime(1000);
  EXPECT_EQ(fader->FindElement(group), nullptr);
  EXPECT_EQ(GetPixel(dc, probe.X, probe.Y), normal) << "it ends on its normal look";
  ReleaseDC(group->GetHandle(), dc);
}

}  // namespace
