#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarPainter.h"

namespace {

struct TChangeCounter : TObject {
  Integer calls = 0;
  void Changed(TObject*) { ++calls; }
};

class ScreenTips : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    repository = new TqzBarScreenTipRepository(form);
    repository->SetName("Tips");
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  HeadlessBackend screen;
  TForm* form = nullptr;
  TqzBarScreenTipRepository* repository = nullptr;
};

TEST_F(ScreenTips, NewTipsAreNamedAfterTheRepositoryAndHeadersFollowRenames) {
  TqzBarScreenTip* first = repository->GetItems()->Add();
  TqzBarScreenTip* second = repository->GetItems()->Add();
  EXPECT_EQ(first->GetName(), "TipsScreenTip1");
  EXPECT_EQ(second->GetName(), "TipsScreenTip2");
  EXPECT_EQ(first->GetRepository(), repository);
  EXPECT_EQ(first->GetOwner(), form);
  first->GetHeader()->SetText("TipsScreenTip1");
  first->SetName("OpenTip");
  EXPECT_EQ(first->GetHeader()->GetText(), "OpenTip");
  second->GetHeader()->SetText("Save");
  second->SetName("SaveTip");
  EXPECT_EQ(second->GetHeader()->GetText(), "Save");
  EXPECT_EQ(second->GetDisplayName(), "SaveTip - 'Save'");
}

TEST_F(ScreenTips, WidthBandsAndFonts) {
  TqzBarScreenTip* tip = repository->GetItems()->Add();
  EXPECT_EQ(tip->GetEffectiveWidth(), 210);
  tip->GetDescription()->GetGlyph()->SetSize(200, 100);
  EXPECT_EQ(tip->GetEffectiveWidth(), 318);
  tip->SetWidth(150);
  EXPECT_EQ(tip->GetEffectiveWidth(), 150);

  TChangeCounter counter;
  tip->GetFooter()->SetOnChange(MakeEvent<&TChangeCounter::Changed>(&counter));
  tip->GetFooter()->SetText("Press F1");
  tip->GetFooter()->SetText("Press F1");
  tip->GetFooter()->SetTextAlign(stbtaLeft);
  EXPECT_EQ(counter.calls, 2);
  EXPECT_EQ(tip->BandInUse(2), tip->GetFooter());
  tip->SetUseStandardFooter(true);
  EXPECT_EQ(tip->BandInUse(2), repository->GetStandardFooter());
  EXPECT_FALSE(repository->GetStandardFooter()->HasContent());

  // Unassigned fonts come from the hint font in grey, bold except for the description.
  TFont* header = repository->GetFont(stbHeader);
  EXPECT_EQ(header->GetColor(), static_cast<TColor>(0x4C4C4C));
  EXPECT_TRUE(header->GetStyle().Contains(fsBold));
  EXPECT_FALSE(repository->GetFont(stbDescription)->GetStyle().Contains(fsBold));
  EXPECT_NE(repository->GetFont(stbHeader), repository->GetHeaderFont());
  repository->GetHeaderFont()->SetSize(14);
  EXPECT_EQ(repository->GetAssignedFonts(), TqzScreenTipRepositoryFonts{stbHeader});
  EXPECT_EQ(repository->GetFont(stbHeader), repository->GetHeaderFont());
}

TEST_F(ScreenTips, RepositoriesStreamTheirTipsAndAssignedFonts) {
  TqzBarScreenTip* tip = repository->GetItems()->Add();
  tip->GetHeader()->SetText("Convert");
  tip->GetDescription()->SetText("Converts the checked videos.");
  tip->SetUseHintAsHeader(true);
  repository->GetHeaderFont()->SetSize(12);
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("HeaderFont.Height"), String::npos) << text;
  EXPECT_EQ(text.find("FooterFont"), String::npos) << text;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TqzBarScreenTipRepository*>(copy->FindComponent("Tips"));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->GetItems()->ItemCount(), 1);
  TqzBarScreenTip* readTip = read->GetItems()->GetItem(0);
  EXPECT_EQ(readTip->GetHeader()->GetText(), "Convert");
  EXPECT_EQ(readTip->GetDescription()->GetText(), "Converts the checked videos.");
  EXPECT_TRUE(readTip->GetUseHintAsHeader());
  EXPECT_EQ(read->GetAssignedFonts(), TqzScreenTipRepositoryFonts{stbHeader});
  EXPECT_EQ(read->GetHeaderFont()->GetSize(), 12);
  delete copy;
}

// ---- Laying tips out ---------------------------------------------------------------------------

class ScreenTipLayout : public ScreenTips {
 protected:
  void SetUp() override {
    ScreenTips::SetUp();
    manager = new TqzBarManager(form);
    tip = repository->GetItems()->Add();
    tip->GetHeader()->SetText("Convert");
    tip->GetDescription()->SetText("Converts every checked video with the chosen profile.");
    tip->GetFooter()->SetText("Press F1 for help.");
    canvasBitmap.SetSize(10, 10);
  }
  std::unique_ptr<TqzBarCustomHintViewInfo> Calculated(const String& AHint, const String& AShortCut) {
    std::unique_ptr<TqzBarCustomHintViewInfo> info(
        CreateHintViewInfo(manager, AHint, AShortCut, manager->GetDefaultPainter(), tip));
    info->Calculate(canvasBitmap.GetCanvas());
    return info;
  }
  TqzBarManager* manager = nullptr;
  TqzBarScreenTip* tip = nullptr;
  TBitmap canvasBitmap;
};

TEST_F(ScreenTipLayout, BandsStackInTheTipsWidthWithTheirPicturesInTheirColumn) {
  tip->GetDescription()->GetGlyph()->SetSize(200, 100);
  auto info = Calculated("", "");
  auto* full = dynamic_cast<TqzBarScreenTipViewInfo*>(info.get());
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(full->GetBounds().Width(), 318);
  ASSERT_EQ(full->GetBandCount(), 3);
  TqzBarScreenTipBandViewInfo* header = full->GetBandViewInfo(0);
  TqzBarScreenTipBandViewInfo* description = full->GetBandViewInfo(1);
  TqzBarScreenTipBandViewInfo* footer = full->GetBandViewInfo(2);
  // A picture wider than the description's column is scaled into it.
  EXPECT_EQ(description->GetGlyphBounds(), TRect(14, description->GetGlyphBounds().Top, 108, description->GetGlyphBounds().Top + 47));
  EXPECT_EQ(description->GetTextBounds().Left, 14 + 94 + 14);
  EXPECT_EQ(description->GetTextBounds().Right, 318 - 14);
  EXPECT_EQ(header->GetTextBounds().Left, 6);
  EXPECT_EQ(header->GetTextBounds().Top, 6);
  // Bands follow each other; the footer's text sits below its separator line.
  EXPECT_GT(description->GetGlyphBounds().Top, header->GetTextBounds().Bottom);
  EXPECT_GE(footer->GetTextBounds().Top, description->GetGlyphBounds().Bottom + 6 + 6);
  EXPECT_EQ(full->GetBounds().Bottom,
            footer->GetTextBounds().Bottom + 6 + manager->GetDefaultPainter()->ScreenTipFooterLineHeight());
  // Text on the left puts the picture at the right edge.
  tip->GetDescription()->SetTextAlign(stbtaLeft);
  info = Calculated("", "");
  description = static_cast<TqzBarScreenTipViewInfo*>(info.get())->GetBandViewInfo(1);
  EXPECT_EQ(description->GetGlyphBounds().Right, 318 - 14);
  EXPECT_EQ(description->GetTextBounds().Left, 14);
}

TEST_F(ScreenTipLayout, HeadersHintsAndWhatARepositoryHides) {
  struct Case {
    const char* name;
    const char* header;
    bool useHint;
    bool showDescription;
    bool fullTip;
    const char* firstText;
  };
  const Case kCases[] = {
      {"own header", "Convert", false, true, true, "Convert (Ctrl+R)"},
      {"hint as header", "", true, true, true, "Convert all (Ctrl+R)"},
      {"hint replaces a header", "Convert", true, true, true, "Convert all (Ctrl+R)"},
      {"descriptions hidden: the tip's header", "Convert", false, false, false, "Convert (Ctrl+R)"},
      {"descriptions hidden: the hint", "Convert", true, false, false, "Convert all (Ctrl+R)"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    tip->GetHeader()->SetText(c.header);
    tip->SetUseHintAsHeader(c.useHint);
    repository->SetShowDescription(c.showDescription);
    auto info = Calculated("Convert all", " (Ctrl+R)");
    EXPECT_TRUE(info->IsScreenTip());
    if (c.fullTip) {
      auto* full = dynamic_cast<TqzBarScreenTipViewInfo*>(info.get());
      ASSERT_NE(full, nullptr);
      EXPECT_EQ(full->GetBandViewInfo(0)->GetText(), c.firstText);
    } else {
      auto* like = dynamic_cast<TqzBarLikeHintScreenTipViewInfo*>(info.get());
      ASSERT_NE(like, nullptr);
      EXPECT_EQ(like->GetText(), c.firstText);
    }
  }
  // Bands without text or picture take no room.
  repository->SetShowDescription(true);
  tip->SetUseHintAsHeader(false);
  tip->GetFooter()->SetText("");
  EXPECT_EQ(static_cast<TqzBarScreenTipViewInfo*>(Calculated("", "").get())->GetBandCount(), 2);
}

}  // namespace
