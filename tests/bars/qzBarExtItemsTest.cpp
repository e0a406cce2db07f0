#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarControlTestSupport.h"
#include "BarsTestSupport.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Messages.h"
#include "vcl/ImgList.h"

namespace {

// A square image of one colour on a fuchsia (transparent) border.
void PaintSquare(TBitmap& ABitmap, Integer ASize, TColor AColor) {
  ABitmap.SetSize(ASize, ASize);
  TCanvas* canvas = ABitmap.GetCanvas();
  canvas->GetBrush()->SetColor(clFuchsia);
  canvas->FillRect(TRect(0, 0, ASize, ASize));
  canvas->GetBrush()->SetColor(AColor);
  canvas->FillRect(TRect(2, 2, ASize - 2, ASize - 2));
}

TImageList* NewImageList(TComponent* AOwner, Integer ASize, Integer ACount) {
  auto* list = new TImageList(AOwner);
  list->SetWidth(ASize);
  list->SetHeight(ASize);
  const TColor colours[] = {clNavy, clMaroon, clGreen, clTeal, clOlive, clPurple, clBlue, clRed, clGray};
  for (Integer i = 0; i < ACount; ++i) {
    TBitmap image;
    PaintSquare(image, ASize, colours[i % 9]);
    list->AddMasked(&image, clFuchsia);
  }
  return list;
}

class LargeButtons : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(0, 0, 320, 300);
    form->SetColor(clBtnFace);
    large = NewImageList(form, 32, 9);
    hot = NewImageList(form, 32, 3);
    manager->SetLargeImages(large);
    manager->SetHotImages(hot);
    menu = new TqzBarSubItem(form);
    links = menu->GetItemLinks();
    window = new TTestBarControl(manager);
    window->SetParent(form);
    window->SetBounds(10, 10, 300, 260);
    window->SetVisible(true);
    form->Show();
  }
  void TearDown() override {
    delete window;
    BarManagerOnForm::TearDown();
  }
  TqzBarLargeButton* Add(const char* ACaption, Integer ALargeIndex) {
    auto* button = new TqzBarLargeButton(form);
    button->SetCaption(ACaption);
    button->SetLargeImageIndex(ALargeIndex);
    links->AddLinkForItem(button);
    return button;
  }
  void ShowLinks() {
    window->SetItemLinks(links);
    window->Refresh(false);
  }
  TqzBarLargeButtonControl* Control(Integer AIndex) {
    return dynamic_cast<TqzBarLargeButtonControl*>(links->GetVisibleLink(AIndex)->GetControl());
  }

  TImageList* large = nullptr;
  TImageList* hot = nullptr;
  TqzBarSubItem* menu = nullptr;
  TqzBarItemLinks* links = nullptr;
  TTestBarControl* window = nullptr;
};

TEST_F(LargeButtons, TheUnitRegistersTheKindWithItsControl) {
  EXPECT_EQ(ItemClassListInstance()->ControlClassOf(TqzBarLargeButton::ClassInfo()), TqzBarLargeButtonControl::ClassInfo());
  EXPECT_EQ(ItemClassListInstance()->ControlClassOf(TqzBarStatic::ClassInfo()), TqzBarStaticControl::ClassInfo());
  EXPECT_NE(FindClass("TqzBarLargeButton"), nullptr);
  // A second start and its end leave the registration as it was.
  qzBarExtItemsStart();
  qzBarExtItemsEnd();
  EXPECT_EQ(ItemClassListInstance()->ControlClassOf(TqzBarLargeButton::ClassInfo()), TqzBarLargeButtonControl::ClassInfo());
}

// The form text of a manager holding one large button with the given lines.
String FormWithButton(const String& ALines) {
  return "object Form1: TForm\n"
         "  object BarManager1: TqzBarManager\n"
         "    Categories.Strings = (\n"
         "      'Default')\n"
         "    Categories.ItemsVisibles = (\n"
         "      2)\n"
         "    Categories.Visibles = (\n"
         "      True)\n"
         "    object Convert: TqzBarLargeButton\n"
         "      Caption = 'Convert'\n"
         "      Category = 0\n" +
         ALines +
         "    end\n"
         "  end\n"
         "end\n";
}

TEST_F(LargeButtons, ImageIndexesLoadAndStoreInStep) {
  struct Case {
    const char* lines;
    Integer large, small;
    bool sync;
    const char* storedSmall;  // the "ImageIndex" line written back, or nullptr for none
  } cases[] = {
      {"      LargeImageIndex = 3\n", 3, 3, true, nullptr},
      {"      LargeImageIndex = 3\n      SyncImageIndex = False\n      ImageIndex = 5\n", 3, 5, false, "ImageIndex = 5"},
      // A form that names only the small index: it becomes the large one too.
      {"      ImageIndex = 4\n", 4, 4, true, nullptr},
      {"      LargeImageIndex = 2\n      SyncImageIndex = False\n", 2, 2, false, "ImageIndex = 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    auto* copy = new TForm(nullptr, 0);
    ReadComponentFromText(FormWithButton(c.lines), copy);
    auto* button = dynamic_cast<TqzBarLargeButton*>(copy->FindComponent("Convert"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetLargeImageIndex(), c.large);
    EXPECT_EQ(button->GetImageIndex(), c.small);
    EXPECT_EQ(button->GetSyncImageIndex(), c.sync);
    String text = WriteComponentToText(copy);
    if (c.storedSmall)
      EXPECT_NE(text.find(c.storedSmall), String::npos) << text;
    else
      EXPECT_EQ(text.find(" ImageIndex ="), String::npos) << text;
    // And the text written reads back to the same values.
    auto* again = new TForm(nullptr, 0);
    ReadComponentFromText(text, again);
    auto* reread = static_cast<TqzBarLargeButton*>(again->FindComponent("Convert"));
    EXPECT_EQ(reread->GetLargeImageIndex(), c.large);
    EXPECT_EQ(reread->GetImageIndex(), c.small);
    EXPECT_EQ(reread->GetSyncImageIndex(), c.sync);
    delete again;
    delete copy;
  }
}

TEST_F(LargeButtons, SmallIndexSetAtRunTimeEndsTheSync) {
  TqzBarLargeButton* button = Add("Open", 3);
  EXPECT_EQ(button->GetImageIndex(), 3);
  button->SetLargeImageIndex(6);
  EXPECT_EQ(button->GetImageIndex(), 6) << "the small index follows";
  button->SetImageIndex(1);
  EXPECT_FALSE(button->GetSyncImageIndex());
  button->SetLargeImageIndex(7);
  EXPECT_EQ(button->GetImageIndex(), 1) << "no longer follows";
  button->SetSyncImageIndex(true);
  EXPECT_EQ(button->GetImageIndex(), 7);
  // Actions read and write the large index.
  button->WriteImageIndex(2);
  EXPECT_EQ(button->ReadImageIndex(), 2);
  EXPECT_EQ(button->GetImageIndex(), 2);
}

TEST_F(LargeButtons, HotImageWhileHotLargeImageOtherwise) {
  TqzBarLargeButton* button = Add("Open", 4);
  ShowLinks();
  struct Case {
    Integer hotIndex;
    bool hotGlyph, asHot;
    TCustomImageList* list;
    Integer index;
    bool glyph;
  } cases[] = {
      {-1, false, true, large, 4, false},  // nothing hot: the large image also while hot
      {2, false, true, hot, 2, false},
      {2, false, false, large, 4, false},
      {7, false, true, large, 4, false},  // beyond the hot list
      {2, true, true, nullptr, -1, true},  // a hot glyph comes first
  };
  TBitmap glyph;
  PaintSquare(glyph, 32, clYellow);
  TBitmap none;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hotIndex << c.hotGlyph << c.asHot);
    button->SetHotImageIndex(c.hotIndex);
    button->SetHotGlyph(c.hotGlyph ? &glyph : &none);
    Integer index = -2;
    TCustomImageList* list = nullptr;
    TBitmap* bitmap = nullptr;
    EXPECT_TRUE(Control(0)->GetImageSource(qzGlyphLarge, c.asHot ? qzImageSourceHot : 0, index, list, bitmap));
    EXPECT_EQ(list, c.list);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(bitmap != nullptr, c.glyph);
  }
  EXPECT_TRUE(button->HasHotImage());
  // Without any image the large list is still answered, for its size.
  button->SetLargeImageIndex(-1);
  button->SetHotImageIndex(-1);
  button->SetHotGlyph(&none);
  Integer index;
  TCustomImageList* list;
  TBitmap* bitmap;
  EXPECT_FALSE(Control(0)->GetImageSource(qzGlyphLarge, 0, index, list, bitmap));
  EXPECT_EQ(list, large);
  EXPECT_FALSE(button->HasImage());
}

TEST_F(LargeButtons, LargeViewSizesFollowTheLayout) {
  TqzBarLargeButton* button = Add("Convert", 0);
  ShowLinks();
  TqzBarLargeButtonControl* control = Control(0);
  EXPECT_EQ(control->GetDrawParams()->GlyphSizeKind, qzGlyphLarge);
  EXPECT_TRUE(control->GetPossibleViewLevels().Contains(ivlLargeIconWithText));
  Integer text = control->CaptionWidth();
  Integer sample = control->TextHeightOfSample();
  struct Case {
    TqzBarGlyphLayout layout;
    bool caption;
    Integer width, height;
  } cases[] = {
      {glLeft, true, 32 + text + 16, std::max(32, sample) + 6},
      {glRight, true, 32 + text + 16, std::max(32, sample) + 6},
      {glTop, true, std::max(32, text + 6) + 10, 32 + sample + 7},
      {glBottom, true, std::max(32, text + 6) + 10, 32 + sample + 7},
      {glLeft, false, 42, 38},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.layout << c.caption);
    button->SetGlyphLayout(c.layout);
    button->SetShowCaption(c.caption);
    control = Control(0);
    EXPECT_EQ(control->CalcWidth(), c.width);
    EXPECT_EQ(control->CalcHeight(), c.height);
  }
  // Fixed sizes replace the computed ones; a negative height is ignored.
  button->SetWidth(90);
  button->SetHeight(60);
  button->SetHeight(-4);
  EXPECT_EQ(button->GetHeight(), 60);
  EXPECT_EQ(Control(0)->CalcWidth(), 90);
  EXPECT_EQ(Control(0)->CalcHeight(), 60);
}

TEST_F(LargeButtons, WithoutCaptionOnAToolbarNoAccelerator) {
  auto* bar = manager->GetBars()->AddBar();
  TqzBarLargeButton* button = new TqzBarLargeButton(form);
  button->SetCaption("&Play");
  button->SetPaintStyle(psCaptionGlyph);
  TqzBarItemLink* link = bar->GetItemLinks()->AddLinkForItem(button);
  EXPECT_TRUE(button->AccelUsableFor(link));
  button->SetShowCaption(false);
  EXPECT_FALSE(button->AccelUsableFor(link));
  // In a menu the caption shows anyway.
  EXPECT_TRUE(button->AccelUsableFor(links->AddLinkForItem(button)));
  EXPECT_EQ(button->EditOperations() & 0x20, 0);
}

TEST_F(LargeButtons, GreyUntilHighlighted) {
  TqzBarLargeButton* button = Add("Open", 1);
  ShowLinks();
  EXPECT_TRUE(Control(0)->DrawsGlyphGray());
  window->ChangeActive(true);
  window->SetSelectedControl(Control(0));
  EXPECT_FALSE(Control(0)->DrawsGlyphGray());
  window->ChangeActive(false);
  button->SetAutoGrayScale(false);
  EXPECT_FALSE(Control(0)->DrawsGlyphGray());
}

TEST_F(LargeButtons, AFormWithLargeButtonsShowsThemOnAToolbarInEveryStyle) {
  manager->SetName("BarManager1");
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetCaption("Commands");
  const char* names[] = {"Add", "Delete", "Play", "Convert"};
  for (Integer i = 0; i < 4; ++i) {
    auto* button = new TqzBarLargeButton(form);
    button->SetName(names[i]);
    button->SetCaption(names[i]);
    button->SetHint(names[i]);
    button->SetCategory(0);
    button->SetLargeImageIndex(i);
    button->SetGlyphLayout(i == 3 ? glTop : glLeft);
    bar->GetItemLinks()->AddLinkForItem(button);
  }
  bar->SetDockingStyle(dsTop);
  String text = WriteComponentToText(form);
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  copy->SetBounds(0, 0, 420, 160);
  copy->SetColor(clBtnFace);
  auto* read = static_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
  ASSERT_NE(read, nullptr) << text;
  read->SetLargeImages(large);
  TqzBar* shown = read->GetBars()->GetBar(0);
  shown->SetVisible(true);
  copy->Show();
  ASSERT_NE(shown->GetBarControl(), nullptr);
  ASSERT_EQ(shown->GetItemLinks()->GetVisibleLinkCount(), 4);
  auto* control = dynamic_cast<TqzBarLargeButtonControl*>(shown->GetItemLinks()->GetVisibleLink(0)->GetControl());
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->GetDrawParams()->GlyphSizeKind, qzGlyphLarge);
  EXPECT_EQ(control->GetDropArrowWidth(), read->GetLargeButtonArrowWidth());
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  // The arrow part of a large button is a pixel narrower in the flat looks.
  struct Sheet {
    TqzBarManagerStyle style;
    const char* name;
    Integer arrow;
  } sheets[] = {{bmsStandard, "standard", 13}, {bmsEnhanced, "enhanced", 13}, {bmsFlat, "flat", 12},
                {bmsOffice11, "office11", 12}};
  for (const Sheet& sheet : sheets) {
    read->SetStyle(sheet.style);
    UpdateWindow(copy->GetHandle());
    UpdateAllWindows();
    auto* button = dynamic_cast<TqzBarLargeButtonControl*>(shown->GetItemLinks()->GetVisibleLink(0)->GetControl());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetDropArrowWidth(), sheet.arrow) << sheet.name;
    EXPECT_TRUE(screen.SaveWindowPng(copy->GetHandle(), folder + "/large-buttons-" + sheet.name + ".png"));
  }
  delete copy;
}

// ---- Static items -----------------------------------------------------------------------------

struct TClicks : TObject {
  Integer count = 0;
  void Clicked(TObject*) { ++count; }
};

class StaticItems : public LargeButtons {
 protected:
  TqzBarStatic* AddStatic(const char* ACaption) {
    auto* item = new TqzBarStatic(form);
    item->SetCaption(ACaption);
    item->SetOnClick(MakeEvent<&TClicks::Clicked>(&clicks));
    links->AddLinkForItem(item);
    return item;
  }
  TqzBarStaticControl* StaticControl(Integer AIndex) {
    return dynamic_cast<TqzBarStaticControl*>(links->GetVisibleLink(AIndex)->GetControl());
  }
  TClicks clicks;
};

TEST_F(StaticItems, ExtentsFollowCaptionBorderIndentsAndFixedSizes) {
  TqzBarStatic* item = AddStatic("Ready");
  ShowLinks();
  TqzBarStaticControl* control = StaticControl(0);
  ASSERT_NE(control, nullptr);
  Integer text = control->GetSizeBase();
  Integer caption = control->CaptionWidth();
  struct Case {
    TqzBarStaticBorderStyle border;
    Integer left, right;
    Integer width, height;
  } cases[] = {
      {sbsNone, 0, 0, caption + text / 2, text - 3},
      {sbsLowered, 0, 0, caption + text / 2 + 2, text - 3 + 2},
      {sbsBump, 3, 5, caption + text / 2 + 4 + 8, text - 3 + 4},
      {sbsEtched, 0, 0, caption + text / 2 + 4, text - 3 + 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.border << " " << c.left << " " << c.right);
    item->SetBorderStyle(c.border);
    item->SetSize(1, c.left);
    item->SetSize(2, c.right);
    EXPECT_EQ(StaticControl(0)->CalcWidth(), c.width);
    EXPECT_EQ(StaticControl(0)->CalcHeight(), c.height);
  }
  // A fixed width with a computed height; a negative width is stored as 0.
  item->SetWidth(40);
  EXPECT_EQ(StaticControl(0)->CalcWidth(), 40);
  EXPECT_EQ(StaticControl(0)->CalcHeight(), text - 3 + 2 + 2);
  item->SetWidth(-5);
  EXPECT_EQ(item->GetWidth(), 0);
  item->SetSize(4, -1);
  EXPECT_EQ(item->GetHeight(), 0);
}

TEST_F(StaticItems, BorderChangeRepaintsAFixedSizeElseRebuilds) {
  TqzBarStatic* item = AddStatic("Status");
  ShowLinks();
  item->SetWidth(60);
  item->SetSize(4, 20);
  // A mark on the control's view info tells whether the control was made anew.
  StaticControl(0)->GetViewInfo()->SetLayoutValueA(4711);
  window->repaints = 0;
  item->SetBorderStyle(sbsRaised);
  EXPECT_EQ(StaticControl(0)->GetViewInfo()->GetLayoutValueA(), 4711) << "no rebuild";
  EXPECT_GT(window->repaints, 0);
  item->SetSize(4, 0);
  StaticControl(0)->GetViewInfo()->SetLayoutValueA(4711);
  item->SetBorderStyle(sbsLowered);
  EXPECT_NE(StaticControl(0)->GetViewInfo()->GetLayoutValueA(), 4711) << "the bar was laid out again";
}

TEST_F(StaticItems, ClicksOnlyWhenAllowed) {
  TqzBarStatic* item = AddStatic("Info");
  item->SetShortCut(ShortCut('I', TShiftState{ssCtrl}));
  ShowLinks();
  EXPECT_FALSE(item->AccelUsableFor(links->GetLink(0)));
  for (bool allow : {false, true}) {
    SCOPED_TRACE(allow);
    item->SetAllowClick(allow);
    clicks.count = 0;
    Integer uses = links->GetLink(0)->GetUseCount();
    StaticControl(0)->PressAt(mbLeft, TShiftState());
    EXPECT_EQ(clicks.count, allow ? 1 : 0);
    EXPECT_EQ(links->GetLink(0)->GetUseCount() > uses, allow) << "a use is recorded only for a click";
    EXPECT_EQ(item->ProcessShortCut(ShortCut('I', TShiftState{ssCtrl})), allow);
    EXPECT_EQ(clicks.count, allow ? 2 : 0);
  }
}

TEST_F(StaticItems, ScreenshotOfBordersAndAlignments) {
  const struct {
    const char* caption;
    TqzBarStaticBorderStyle border;
    TAlignment alignment;
  } rows[] = {{"Plain", sbsNone, taCenter},        {"Lowered", sbsLowered, taLeftJustify},
              {"Raised", sbsRaised, taRightJustify}, {"Etched", sbsEtched, taCenter},
              {"Bump", sbsBump, taLeftJustify}};
  for (const auto& row : rows) {
    TqzBarStatic* item = AddStatic(row.caption);
    item->SetBorderStyle(row.border);
    item->SetAlignment(row.alignment);
    item->SetWidth(160);
    item->SetSize(4, 24);
    item->SetSize(1, 4);
  }
  auto* progress = new TqzBarProgressItem(form);
  progress->SetCaption("Converting");
  progress->SetPosition(45);
  links->AddLinkForItem(progress);
  ShowLinks();
  UpdateWindow(form->GetHandle());
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), folder + "/static-items.png"));
}

// ---- Progress items ---------------------------------------------------------------------------

TEST_F(StaticItems, ProgressRangeKeepsThePositionInside) {
  auto* item = new TqzBarProgressItem(form);
  EXPECT_EQ(item->GetBorderStyle(), sbsLowered);
  item->SetPosition(-5);
  EXPECT_EQ(item->GetPosition(), 0);
  item->SetMin(200);
  EXPECT_EQ(item->GetMax(), 200);
  EXPECT_EQ(item->GetPosition(), 200);
  item->SetMax(50);
  EXPECT_EQ(item->GetMin(), 50);
  EXPECT_EQ(item->GetPosition(), 50);
  item->SetStep(3);
  EXPECT_EQ(item->GetPosition(), 50);
}

// Records the chunks a progress bar fills.
class TChunkPainter : public TqzBarPainter {
  TAVREN_CLASS(TChunkPainter, TqzBarPainter)
 public:
  using TqzBarPainter::TqzBarPainter;
  void DrawProgressBackground(TqzBarItemControlDrawParams*, TRect&) override {}
  void FillProgressRect(TqzBarItemControlDrawParams*, const TRect& R, HBRUSH) override { rects.push_back(R); }
  std::vector<TRect> rects;
};
TAVREN_CLASS_IMPL(TChunkPainter)

TEST_F(StaticItems, ProgressBarFillsChunksUpToThePosition) {
  auto* item = new TqzBarProgressItem(form);
  item->SetCaption("Converting");
  links->AddLinkForItem(item);
  ShowLinks();
  auto* control = dynamic_cast<TqzBarProgressControl*>(links->GetVisibleLink(0)->GetControl());
  ASSERT_NE(control, nullptr);
  auto* params = static_cast<TqzBarProgressControlDrawParams*>(control->GetDrawParams());
  TChunkPainter painter(nullptr);
  struct Case {
    Integer position;
    bool smooth;
    std::vector<TRect> rects;
  } cases[] = {
      {50, false, {TRect(0, 0, 8, 12), TRect(10, 0, 18, 12), TRect(20, 0, 28, 12), TRect(30, 0, 38, 12), TRect(40, 0, 48, 12)}},
      {45, false, {TRect(0, 0, 8, 12), TRect(10, 0, 18, 12), TRect(20, 0, 28, 12), TRect(30, 0, 38, 12), TRect(40, 0, 45, 12)}},
      {0, false, {}},
      {100, true, {TRect(0, 0, 100, 12)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    params->Min = 0;
    params->Max = 100;
    params->Position = c.position;
    params->Smooth = c.smooth;
    params->PaintKind = qzPaintHorizontal;
    painter.rects.clear();
    painter.DrawProgressBar(params, TRect(0, 0, 100, 12), clNavy);
    EXPECT_EQ(painter.rects, c.rects);
  }
  // An empty or inverted range draws the background only.
  for (Integer max : {50, 40}) {
    params->Min = 50;
    params->Max = max;
    params->Position = 50;
    painter.rects.clear();
    painter.DrawProgressBar(params, TRect(0, 0, 100, 12), clNavy);
    EXPECT_TRUE(painter.rects.empty()) << max;
  }
  // Without a fixed width the bar is 150 pixels long, after the caption.
  TRect bar = control->BarRect();
  EXPECT_EQ(bar.Width(), 150);
  EXPECT_GT(bar.Left, control->GetItemRect().Left + control->CaptionWidth());
}

}  // namespace
