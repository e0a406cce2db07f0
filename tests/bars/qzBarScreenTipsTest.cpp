#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"

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

}  // namespace
