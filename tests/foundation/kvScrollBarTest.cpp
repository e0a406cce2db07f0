#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "gdi/ImageFiles.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/foundation/kvScrollBar.h"
#include "user/Backend.h"
#include "user/Clock.h"
#include "user/InputEvents.h"
#include "user/Painting.h"
#include "vcl/Forms.h"

namespace {

struct ScrollCall {
  TScrollCode Code;
  Integer Pos;
  bool operator==(const ScrollCall&) const = default;
};

struct PaintCall {
  TkvScrollBarPart Part;
  TkvButtonState State;
  TRect R;
};

// Keeps what a scroll bar reports and what it asks the painter to draw.
class TRecordingScrollBar : public TkvScrollBar {
  TAVREN_CLASS(TRecordingScrollBar, TkvScrollBar)
 public:
  explicit TRecordingScrollBar(TComponent* AOwner) : TkvScrollBar(AOwner) {
    SetOnScroll(MakeEvent<&TRecordingScrollBar::Scrolled>(this));
    SetOnChange(MakeEvent<&TRecordingScrollBar::CountChange>(this));
  }
  std::vector<ScrollCall> Scrolls;
  std::vector<PaintCall> Paints;
  Integer Changes = 0;
  // When set, OnScroll answers this position.
  Integer ForcedPos = -1;

  void DrawPart(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, TkvScrollBarPart Part) override {
    Paints.push_back({Part, State, R});
    inherited::DrawPart(Canvas, R, State, Part);
  }
  const PaintCall* Painted(TkvScrollBarPart Part) const {
    for (const PaintCall& call : Paints)
      if (call.Part == Part) return &call;
    return nullptr;
  }

 private:
  void Scrolled(TObject*, TScrollCode Code, Integer& Pos) {
    if (ForcedPos >= 0) Pos = ForcedPos;
    Scrolls.push_back({Code, Pos});
  }
  void CountChange(TObject*) { ++Changes; }
};
TAVREN_CLASS_IMPL(TRecordingScrollBar)

FakeClock& TestClock() { return dynamic_cast<FakeClock&>(CurrentClock()); }

class ScrollBarTest : public testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr, 0);
    form->SetBounds(100, 100, 400, 300);
    form->Show();
    bar = NewBar(sbHorizontal, Bounds(10, 10, 200, 16));
  }
  void TearDown() override {
    delete form;
    Pump();
  }

  TRecordingScrollBar* NewBar(TScrollBarKind Kind, const TRect& R) {
    auto* result = new TRecordingScrollBar(form);
    result->SetKind(Kind);
    result->SetBoundsRect(R);
    result->SetParent(form);
    return result;
  }

  static void Pump() {
    Application()->ProcessMessages();
    UpdateAllWindows();
  }
  // Moves the fake clock on and lets due timers fire.
  static void Advance(uint64_t Milliseconds) {
    TestClock().Advance(Milliseconds);
    Pump();
  }
  POINT Screen(TPoint P) const { return bar->ClientToScreen(P); }
  void MoveTo(TPoint P) {
    InputMouseMove(Screen(P));
    Pump();
  }
  void Press(TPoint P) {
    InputMouseMove(Screen(P));
    InputMouseButton(Screen(P), MouseButton::Left, true);
    Pump();
  }
  void Release(TPoint P) {
    InputMouseButton(Screen(P), MouseButton::Left, false);
    Pump();
  }
  static TPoint Center(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

  TForm* form = nullptr;
  TRecordingScrollBar* bar = nullptr;
};

// ---- Rectangles -----------------------------------------------------------------------------

TEST_F(ScrollBarTest, ThumbFollowsRangePageAndPosition) {
  // A vertical bar 16 x 200: arrows of 16, a track of 168 from 16 to 184; the painters' least
  // thumb is 8 and the system thumb 16.
  struct Case {
    const char* name;
    Integer min, max, page, pos, height;
    TRect thumb;  // empty: no thumb
  };
  const Case kCases[] = {
      {"no page, first position", 0, 100, 0, 0, 200, Rect(0, 16, 16, 32)},
      {"no page, last position", 0, 100, 0, 100, 200, Rect(0, 168, 16, 184)},
      {"no page, middle rounds half up", 0, 100, 0, 50, 200, Rect(0, 92, 16, 108)},
      {"page of half the range", 0, 99, 50, 25, 200, Rect(0, 58, 16, 142)},
      {"page beyond the range: as long as the track", 50, 100, 80, 60, 200, Rect(0, 16, 16, 184)},
      {"page exactly the range: no distance to move", 1, 10, 10, 5, 200, Rect(0, 16, 16, 184)},
      {"min equals max with a page: no thumb", 5, 5, 1, 5, 200, TRect()},
      {"track shorter than the least thumb: arrows only", 0, 100, 10, 0, 38, TRect()},
      {"track shorter than the system thumb: arrows only", 0, 100, 0, 0, 46, TRect()},
  };
  TRecordingScrollBar* v = NewBar(sbVertical, Bounds(250, 10, 16, 200));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    v->SetHeight(c.height);
    v->SetRangeAndPosition(c.min, c.max, c.pos, c.page, false);
    const TkvScrollBarViewInfo* info = v->GetViewInfo();
    EXPECT_EQ(info->TopLeftArrow, Rect(0, 0, 16, std::min(16, c.height / 2)));
    EXPECT_EQ(info->Thumb, c.thumb);
    if (info->HasThumb()) {
      EXPECT_EQ(info->PageUp, Rect(0, info->TopLeftArrow.Bottom, 16, c.thumb.Top));
      EXPECT_EQ(info->PageDown, Rect(0, c.thumb.Bottom, 16, info->BottomRightArrow.Top));
      // Reading the thumb back never leaves the range, even where the thumb cannot move.
      Integer back = info->PositionFromThumb();
      EXPECT_GE(back, c.min);
      EXPECT_LE(back, c.max);
    } else {
      EXPECT_EQ(info->PageUp, TRect());
      EXPECT_EQ(info->HitTest({8, c.height / 2}), sbpNone);
    }
  }
}

TEST_F(ScrollBarTest, HorizontalBarSwapsTheAxesAndHitTestsEachPart) {
  const TkvScrollBarViewInfo* info = bar->GetViewInfo();
  bar->SetRangeAndPosition(0, 100, 50, 0, false);
  EXPECT_EQ(info->TopLeftArrow, Rect(0, 0, 16, 16));
  EXPECT_EQ(info->BottomRightArrow, Rect(184, 0, 200, 16));
  EXPECT_EQ(info->Thumb, Rect(92, 0, 108, 16));
  struct Case {
    TPoint p;
    TkvScrollBarPart part;
  };
  const Case kCases[] = {{{5, 8}, sbpLineUp},     {{190, 8}, sbpLineDown}, {{100, 8}, sbpThumbnail},
                         {{50, 8}, sbpPageUp},    {{150, 8}, sbpPageDown}, {{-1, 8}, sbpNone},
                         {{200, 8}, sbpNone},     {{100, 16}, sbpNone}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.p.X << "," << c.p.Y);
    EXPECT_EQ(info->HitTest(c.p), c.part);
  }
  bar->SetEnabled(false);
  EXPECT_FALSE(info->HasThumb());
  EXPECT_EQ(info->HitTest({100, 8}), sbpNone);
}

// ---- Range and position ---------------------------------------------------------------------

TEST_F(ScrollBarTest, InconsistentRangeRaisesBeforeAnythingIsStored) {
  bar->SetRangeAndPosition(0, 100, 40, 10, true);
  for (auto [min, max, page] : {std::tuple{10, 5, 0}, std::tuple{0, 5, 6}}) {
    try {
      bar->SetRangeAndPosition(min, max, 3, page, true);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(String(e.Message()), "Scrollbar property out of range");
    }
    EXPECT_EQ(bar->GetMin(), 0);
    EXPECT_EQ(bar->GetMax(), 100);
    EXPECT_EQ(bar->GetPageSize(), 10);
    EXPECT_EQ(bar->GetPosition(), 40);
  }
  EXPECT_THROW(bar->SetMax(-1), EInvalidOperation);
}

TEST_F(ScrollBarTest, PositionIsClampedToTheRangeAndAChangeEnablesTheBar) {
  bar->SetPageSize(10);
  bar->SetPosition(500);
  EXPECT_EQ(bar->GetPosition(), 100);  // to Max, not to Max - PageSize + 1
  EXPECT_EQ(bar->Changes, 1);
  bar->SetPosition(100);
  EXPECT_EQ(bar->Changes, 1);

  bar->SetEnabled(false);
  bar->SetPosition(100);
  EXPECT_FALSE(bar->GetEnabled());
  bar->SetPosition(-5);
  EXPECT_EQ(bar->GetPosition(), 0);
  EXPECT_TRUE(bar->GetEnabled());
  EXPECT_EQ(bar->Changes, 2);
}

TEST_F(ScrollBarTest, ScrollCodesMoveThePositionAndOnScrollHasTheLastWord) {
  struct Case {
    TScrollCode code;
    Integer start;
    Integer forced;  // -1: OnScroll leaves the position
    Integer expected;
    Integer changes;
  };
  const Case kCases[] = {
      {scLineUp, 50, -1, 49, 1},    {scLineDown, 50, -1, 51, 1}, {scPageUp, 50, -1, 40, 1},
      {scPageDown, 50, -1, 60, 1},  {scTop, 50, -1, 0, 1},       {scBottom, 50, -1, 100, 1},
      {scPosition, 50, -1, 50, 0},  {scEndScroll, 50, -1, 50, 0}, {scLineUp, 0, -1, 0, 0},
      {scPageDown, 95, -1, 100, 1}, {scLineDown, 50, 1000, 100, 1}, {scTrack, 50, 70, 70, 0},
  };
  bar->SetLargeChange(10);
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << " from " << c.start);
    bar->SetPosition(c.start);
    bar->Scrolls.clear();
    bar->Changes = 0;
    bar->ForcedPos = c.forced;
    bar->Perform(CN_HSCROLL, c.code, 0);
    EXPECT_EQ(bar->GetPosition(), c.expected);
    EXPECT_EQ(bar->Changes, c.changes);
    ASSERT_EQ(bar->Scrolls.size(), 1u);
    EXPECT_EQ(bar->Scrolls[0].Code, c.code);
  }
  bar->Scrolls.clear();
  bar->Perform(CN_VSCROLL, 77, 0);  // no such code
  EXPECT_TRUE(bar->Scrolls.empty());
}

// ---- Mouse ----------------------------------------------------------------------------------

TEST_F(ScrollBarTest, HeldArrowRepeatsAfter400ThenEvery60WhileTheMouseIsOverIt) {
  TPoint arrow = Center(bar->GetViewInfo()->BottomRightArrow);
  Press(arrow);
  EXPECT_EQ(bar->GetPosition(), 1);
  EXPECT_EQ(bar->GetState(), sbpLineDown);
  Advance(399);
  EXPECT_EQ(bar->GetPosition(), 1);
  Advance(1);
  EXPECT_EQ(bar->GetPosition(), 2);
  Advance(59);
  EXPECT_EQ(bar->GetPosition(), 2);
  Advance(1);
  EXPECT_EQ(bar->GetPosition(), 3);
  Advance(60);
  EXPECT_EQ(bar->GetPosition(), 4);

  MoveTo({arrow.X, arrow.Y + 40});  // off the arrow: paused
  Advance(300);
  EXPECT_EQ(bar->GetPosition(), 4);
  MoveTo(arrow);  // back: resumes at the quick pace
  Advance(60);
  EXPECT_EQ(bar->GetPosition(), 5);

  bar->Scrolls.clear();
  Release(arrow);
  EXPECT_EQ(bar->GetState(), sbpNone);
  EXPECT_EQ(bar->Scrolls, (std::vector<ScrollCall>{{scEndScroll, 5}}));
  Advance(500);
  EXPECT_EQ(bar->GetPosition(), 5);
}

TEST_F(ScrollBarTest, PagePressRepeatsUntilTheThumbReachesTheMouse) {
  bar->SetLargeChange(10);
  Press({150, 8});  // page-down area
  EXPECT_EQ(bar->GetPosition(), 10);
  Advance(400);
  for (int i = 0; i < 20; ++i) Advance(60);
  // Once the thumb lies under the mouse the part there is no longer the page area.
  EXPECT_GT(bar->GetPosition(), 50);
  EXPECT_LT(bar->GetPosition(), 100);
  EXPECT_EQ(bar->GetViewInfo()->HitTest({150, 8}), sbpThumbnail);
  Release({150, 8});
}

TEST_F(ScrollBarTest, ThumbDragTracksWithoutOnChangeAndEndsWithPositionAndEndScroll) {
  TPoint thumb = Center(bar->GetViewInfo()->Thumb);  // position 0
  Press(thumb);
  EXPECT_EQ(bar->GetState(), sbpThumbnail);
  MoveTo({thumb.X + 42, thumb.Y});
  MoveTo({thumb.X + 84, thumb.Y + 30});  // still inside the tracking area across the bar
  Release({thumb.X + 84, thumb.Y + 30});
  // The track's free length is 152: 84 pixels stand for 55 of 100.
  EXPECT_EQ(bar->GetPosition(), 55);
  EXPECT_EQ(bar->Changes, 0);
  EXPECT_EQ(bar->Scrolls,
            (std::vector<ScrollCall>{{scTrack, 0}, {scTrack, 28}, {scTrack, 55}, {scPosition, 55}, {scEndScroll, 55}}));
  EXPECT_EQ(bar->GetState(), sbpNone);
}

TEST_F(ScrollBarTest, ThumbDraggedBeyondTheTrackingAreaSnapsBack) {
  bar->SetPosition(37);
  TPoint thumb = Center(bar->GetViewInfo()->Thumb);
  TRect thumbAtStart = bar->GetViewInfo()->Thumb;
  bar->Changes = 0;
  Press(thumb);
  MoveTo({thumb.X + 50, thumb.Y});
  EXPECT_NE(bar->GetPosition(), 37);
  MoveTo({thumb.X + 50, 16 + 136});  // 136 pixels below the bar: beyond the tracking area
  EXPECT_EQ(bar->GetPosition(), 37);
  EXPECT_EQ(bar->GetViewInfo()->Thumb, thumbAtStart);
  Release({thumb.X + 50, 16 + 136});
  EXPECT_EQ(bar->GetPosition(), 37);
  ASSERT_GE(bar->Scrolls.size(), 2u);
  EXPECT_EQ(bar->Scrolls[bar->Scrolls.size() - 2], (ScrollCall{scPosition, 37}));

  // With unlimited tracking the thumb follows wherever the mouse goes.
  bar->SetUnlimitedTracking(true);
  Press(thumb);
  MoveTo({thumb.X + 50, thumb.Y + 400});
  Release({thumb.X + 50, thumb.Y + 400});
  EXPECT_GT(bar->GetPosition(), 60);
}

TEST_F(ScrollBarTest, CancelModeAndDisablingEndAPress) {
  Press(Center(bar->GetViewInfo()->BottomRightArrow));
  bar->Scrolls.clear();
  bar->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(bar->GetState(), sbpNone);
  EXPECT_EQ(bar->Scrolls, (std::vector<ScrollCall>{{scEndScroll, 1}}));
  Advance(1000);
  EXPECT_EQ(bar->GetPosition(), 1);

  Press(Center(bar->GetViewInfo()->BottomRightArrow));
  bar->SetEnabled(false);
  EXPECT_EQ(bar->GetState(), sbpNone);
  Advance(1000);
  EXPECT_EQ(bar->GetPosition(), 2);
  Release(Center(bar->GetViewInfo()->BottomRightArrow));
}

TEST_F(ScrollBarTest, BarFreedByItsOwnOnScrollDuringAPressIsSafe) {
  struct Freer : TObject {
    void Scroll(TObject* Sender, TScrollCode, Integer&) { delete Sender; }
  } freer;
  TWeakRef<TkvScrollBar> weak(bar);
  bar->SetOnScroll(MakeEvent<&Freer::Scroll>(&freer));
  POINT arrow = Screen(Center(bar->GetViewInfo()->BottomRightArrow));
  InputMouseButton(arrow, MouseButton::Left, true);
  Pump();
  EXPECT_FALSE(weak);
  Advance(1000);
  InputMouseButton(arrow, MouseButton::Left, false);
  Pump();
}

// ---- Painting -------------------------------------------------------------------------------

TEST_F(ScrollBarTest, PartsArePaintedInTheirStates) {
  bar->SetRangeAndPosition(0, 100, 50, 0, false);
  bar->GetLookAndFeel()->SetKind(lfUltraFlat);  // a hot-tracking look
  bar->Paints.clear();
  bar->Repaint();
  ASSERT_EQ(bar->Paints.size(), 5u);
  EXPECT_EQ(bar->Paints[0].Part, sbpThumbnail);
  EXPECT_EQ(bar->Paints[1].Part, sbpLineUp);
  EXPECT_EQ(bar->Paints[2].Part, sbpLineDown);
  for (const PaintCall& call : bar->Paints) EXPECT_EQ(call.State, kvbsNormal);

  TPoint arrow = Center(bar->GetViewInfo()->TopLeftArrow);
  MoveTo(arrow);
  ASSERT_EQ(bar->GetHotPart(), sbpLineUp);
  bar->Paints.clear();
  bar->Repaint();
  EXPECT_EQ(bar->Painted(sbpLineUp)->State, kvbsHot);
  EXPECT_EQ(bar->Painted(sbpThumbnail)->State, kvbsNormal);

  Press(arrow);
  bar->Paints.clear();
  bar->Repaint();
  EXPECT_EQ(bar->Painted(sbpLineUp)->State, kvbsPressed);
  MoveTo({arrow.X + 60, arrow.Y});  // pressed but no longer under the mouse
  bar->Paints.clear();
  bar->Repaint();
  EXPECT_EQ(bar->Painted(sbpLineUp)->State, kvbsNormal);
  EXPECT_EQ(bar->Painted(sbpPageUp)->State, kvbsNormal);
  Release({arrow.X + 60, arrow.Y});

  bar->SetEnabled(false);
  bar->Paints.clear();
  bar->Repaint();
  // Disabled: no thumb, so the whole bar is one page area under the two arrows.
  ASSERT_EQ(bar->Paints.size(), 3u);
  EXPECT_EQ(bar->Paints[0].Part, sbpPageUp);
  EXPECT_EQ(bar->Paints[0].R, bar->GetClientRect());
  EXPECT_EQ(bar->Paints[1].State, kvbsDisabled);
}

TEST_F(ScrollBarTest, FormWithBarsInEachLookIsSavedForAPerson) {
  const TkvLookAndFeelKind kKinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TRecordingScrollBar*> bars;
  for (int i = 0; i < 4; ++i) {
    TRecordingScrollBar* h = NewBar(sbHorizontal, Bounds(10, 40 + i * 50, 200, 16));
    TRecordingScrollBar* v = NewBar(sbVertical, Bounds(230 + i * 30, 40, 16, 200));
    for (TRecordingScrollBar* b : {h, v}) {
      b->GetLookAndFeel()->SetKind(kKinds[i]);
      b->SetRangeAndPosition(0, 99, 30, 20, true);
      bars.push_back(b);
    }
  }
  bar->SetEnabled(false);
  // The Standard horizontal bar has its page-down area held down while the picture is taken.
  bar = bars[0];
  Press({150, 8});
  PixelSurface surface;
  ASSERT_TRUE(GetWindowSurface(form->GetHandle(), &surface));
  for (TRecordingScrollBar* b : bars) EXPECT_FALSE(b->Paints.empty());
  if (const char* dir = std::getenv("TAVREN_TEST_OUTPUT")) {
    PixelImage image;
    image.width = surface.width;
    image.height = surface.height;
    for (int y = 0; y < surface.height; ++y)
      for (int x = 0; x < surface.width; ++x) image.pixels.push_back(surface.Row32(y)[x] | 0xFF000000u);
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePng(image, png));
    std::filesystem::create_directories(dir);
    std::ofstream(std::string(dir) + "/foundation-scroll-bars.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
  Release({150, 8});
}

TEST_F(ScrollBarTest, SkinTurnsTheWindowsCtl3DOffAndKeepsTheUsersValue) {
  // Any painter will do as the skin's: only its registration under the name matters here.
  ASSERT_TRUE(ExtendedStylePaintersInstance()->AddPainter(
      "ScrollBarTestSkin", PainterClassOf<TkvFlatLookAndFeelPainter>(), nullptr));
  bar->SetCtl3D(true);
  bar->GetLookAndFeel()->SetSkinName("ScrollBarTestSkin");
  EXPECT_FALSE(bar->TWinControl::GetCtl3D());
  EXPECT_TRUE(bar->GetCtl3D());
  bar->GetLookAndFeel()->SetSkinName("");
  EXPECT_TRUE(bar->TWinControl::GetCtl3D());

  // What the user sets while skinned is what comes back without the skin.
  bar->GetLookAndFeel()->SetSkinName("ScrollBarTestSkin");
  bar->SetCtl3D(false);
  bar->GetLookAndFeel()->SetSkinName("");
  EXPECT_FALSE(bar->GetCtl3D());
  EXPECT_TRUE(ExtendedStylePaintersInstance()->RemovePainter("ScrollBarTestSkin"));
}

// ---- Streaming ------------------------------------------------------------------------------

TEST_F(ScrollBarTest, PublishedPropertiesReadFromFormTextAndDefaultsStayUnwritten) {
  auto* root = new TForm(nullptr, 0);
  ReadComponentFromText(
      "object Root: TForm\n"
      "  object Bar: TkvScrollBar\n"
      "    Kind = sbVertical\n"
      "    LargeChange = 7\n"
      "    SmallChange = 2\n"
      "    Min = 5\n"
      "    Max = 60\n"
      "    PageSize = 10\n"
      "    Position = 20\n"
      "    UnlimitedTracking = True\n"
      "    LookAndFeel.Kind = lfOffice11\n"
      "    ParentCtl3D = False\n"
      "    Ctl3D = False\n"
      "  end\n"
      "end\n",
      root);
  auto* read = dynamic_cast<TkvScrollBar*>(root->FindComponent("Bar"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetKind(), sbVertical);
  EXPECT_EQ(read->GetLargeChange(), 7);
  EXPECT_EQ(read->GetSmallChange(), 2);
  EXPECT_EQ(read->GetMin(), 5);
  EXPECT_EQ(read->GetMax(), 60);
  EXPECT_EQ(read->GetPageSize(), 10);
  EXPECT_EQ(read->GetPosition(), 20);
  EXPECT_TRUE(read->GetUnlimitedTracking());
  EXPECT_EQ(read->GetLookAndFeel()->GetKind(), lfOffice11);
  EXPECT_FALSE(read->GetCtl3D());
  String written = WriteComponentToText(root);
  EXPECT_NE(written.find("Ctl3D = False"), String::npos);
  delete root;

  // The range is checked once the whole of it is read, so any order of Min and Max reads back;
  // a range that is wrong as a whole is refused with the control's own message.
  auto* shifted = new TForm(nullptr, 0);
  ReadComponentFromText(
      "object Root: TForm\n  object Bar: TkvScrollBar\n    Min = 200\n    Max = 300\n"
      "    Position = 250\n  end\nend\n",
      shifted);
  auto* shiftedBar = dynamic_cast<TkvScrollBar*>(shifted->FindComponent("Bar"));
  ASSERT_NE(shiftedBar, nullptr);
  EXPECT_EQ(shiftedBar->GetMin(), 200);
  EXPECT_EQ(shiftedBar->GetMax(), 300);
  EXPECT_EQ(shiftedBar->GetPosition(), 250);
  delete shifted;
  auto* broken = new TForm(nullptr, 0);
  EXPECT_THROW(ReadComponentFromText(
                   "object Root: TForm\n  object Bar: TkvScrollBar\n    Min = 10\n    Max = 5\n  end\nend\n",
                   broken),
               Exception);
  delete broken;

  // A new bar writes none of its defaults (its Ctl3D follows the parent and is not stored).
  auto* plain = new TForm(nullptr, 0);
  auto* fresh = new TkvScrollBar(plain);
  fresh->SetName("Fresh");
  String text = WriteComponentToText(plain);
  for (const char* name : {"Kind", "LargeChange", "SmallChange", "Min ", "Max ", "PageSize", "Position",
                           "UnlimitedTracking", "LookAndFeel", "Ctl3D ="}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(text.find(name), String::npos) << text;
  }
  delete plain;
}

}  // namespace
