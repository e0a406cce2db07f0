// A form of the test binary with a recent-items edit, an image combo box, a calc edit, radio groups in
// several caption places and column counts and a lone radio button: read from its resource, driven by
// keys and the mouse, written and read back equal; and pictures of it in each look for a person to look
// at (saved under $TAVREN_TEST_OUTPUT).

#include <sys/stat.h>

#include <cstdlib>

#include "EditTestFixture.h"
#include "gdi/UxTheme.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvCalc.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/editors/kvMRUEdit.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "user/VirtualKeys.h"

class TFurtherEditorsForm : public TForm {
  TAVREN_CLASS(TFurtherEditorsForm, TForm)
 public:
  using TForm::TForm;
  TkvMRUEdit* mruFolder = nullptr;
  TkvRadioGroup* rgKeep = nullptr;
  TkvRadioGroup* rgQuality = nullptr;
  TkvRadioGroup* rgSide = nullptr;
  TkvRadioGroup* rgFormat = nullptr;
  TkvRadioButton* rbAlone = nullptr;
  TkvImageComboBox* icbProfile = nullptr;
  TkvCalcEdit* ceTotal = nullptr;
};
TAVREN_CLASS_IMPL_PUBLISHED(TFurtherEditorsForm, FIELD(mruFolder), FIELD(rgKeep), FIELD(rgQuality), FIELD(rgSide),
                            FIELD(rgFormat), FIELD(rbAlone), FIELD(icbProfile), FIELD(ceTotal))

namespace {

String ValueText(TkvCustomEdit* Edit) {
  Variant v;
  Edit->GetEditValue(v);
  return VarIsNull(v) ? String("null") : VarToStr(v);
}

class FurtherEditorsForm : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    RegisterClass(TFurtherEditorsForm::ClassInfo());
    loaded = new TFurtherEditorsForm(nullptr);
    loaded->AfterConstruction();
    loaded->Show();
    Pump();
  }
  void TearDown() override {
    delete loaded;
    EditEventsTest::TearDown();
  }
  TFurtherEditorsForm* loaded = nullptr;
};

TEST_F(FurtherEditorsForm, ReadsItsEditorsAppliesTheStoredIndexesAndStreamsNoChildButton) {
  ASSERT_NE(loaded->rgKeep, nullptr);
  EXPECT_EQ(loaded->rgKeep->GetItemIndex(), 0);
  EXPECT_EQ(ValueText(loaded->rgKeep), "1");
  EXPECT_EQ(loaded->rgQuality->GetItemIndex(), 2);
  EXPECT_EQ(ValueText(loaded->rgQuality), "best");
  EXPECT_EQ(loaded->rgQuality->GetAlignment(), alBottomCenter);
  EXPECT_EQ(loaded->rgQuality->ButtonControlCount(), 4);
  // Nothing stored: the default value, and the item it names.
  EXPECT_EQ(ValueText(loaded->rgFormat), "WMV");
  EXPECT_EQ(loaded->rgFormat->GetItemIndex(), 0);
  EXPECT_EQ(loaded->rgSide->GetItemIndex(), -1);
  EXPECT_EQ(loaded->mruFolder->GetMRUEditProperties()->GetMaxItemCount(), 3);
  EXPECT_EQ(loaded->rbAlone->GetCaption(), "Shut down when done");
  // The image combo's stored value chooses its item; both image lists are the form's.
  ASSERT_NE(loaded->icbProfile, nullptr);
  TkvImageComboBoxProperties* profile = loaded->icbProfile->GetImageComboBoxProperties();
  EXPECT_EQ(loaded->icbProfile->GetItemIndex(), 1);
  EXPECT_EQ(loaded->icbProfile->GetText(), "Phone");
  EXPECT_EQ(profile->GetImages(), loaded->FindComponent("ilProfiles"));
  EXPECT_EQ(profile->GetLargeImages(), loaded->FindComponent("ilProfilesLarge"));
  EXPECT_TRUE(VarIsNull(profile->GetImageItems()->GetItem(0)->GetValue()));
  ASSERT_NE(loaded->ceTotal, nullptr);
  EXPECT_EQ(loaded->ceTotal->GetValue(), 12.5);
  EXPECT_EQ(loaded->ceTotal->GetCalcEditProperties()->GetPrecision(), 6);

  const String text = WriteComponentToText(loaded);
  SCOPED_TRACE(text);
  EXPECT_EQ(text.find("TkvCustomRadioGroupButton"), String::npos);
  EXPECT_NE(text.find("Value = 0.25"), String::npos);
  EXPECT_NE(text.find("Value = 'best'"), String::npos);
  EXPECT_NE(text.find("ItemIndex = 2"), String::npos);
  EXPECT_NE(text.find("Value = 4.5"), String::npos);
  EXPECT_NE(text.find("Value = 'zune'"), String::npos);
  auto* copy = new TFurtherEditorsForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  EXPECT_EQ(copy->rgQuality->GetItemIndex(), 2);
  EXPECT_EQ(copy->rgKeep->GetItemIndex(), 0);
  EXPECT_EQ(ValueText(copy->rgQuality), "best");
  EXPECT_EQ(copy->icbProfile->GetItemIndex(), 1);
  EXPECT_EQ(ValueText(copy->icbProfile), "2");
  // What the copy writes reads back equal.
  const String again = WriteComponentToText(copy);
  auto* second = new TFurtherEditorsForm(nullptr, 0);
  ReadComponentFromText(again, second);
  EXPECT_EQ(WriteComponentToText(second), again);
  delete second;
  delete copy;
}

TEST_F(FurtherEditorsForm, KeysAndTheMouseDriveTheEditorsAndTheChangesStream) {
  // The recent-items edit takes a new folder at the top.
  loaded->mruFolder->SetFocus();
  Pump();
  loaded->mruFolder->SelectWholeText();
  Type("E:\\Out");
  Key(VK_RETURN);
  EXPECT_EQ(loaded->mruFolder->GetMRUEditProperties()->GetLookupItems()->GetCommaText(), "E:\\Out,C:\\Video,D:\\Clips");
  // Tab goes on to the checked button of the first group; Down checks the next one.
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), loaded->rgKeep->RadioButton(0)->GetHandle());
  Key(VK_DOWN);
  EXPECT_EQ(ValueText(loaded->rgKeep), "0");
  // A click on an item of a group with nothing checked checks it.
  TkvCustomRadioGroupButton* right = loaded->rgSide->RadioButton(1);
  const TPoint p = right->ClientToScreen(TPoint(6, right->GetHeight() / 2));
  ScriptClick(POINT{p.X, p.Y});
  Pump();
  EXPECT_EQ(loaded->rgSide->GetItemIndex(), 1);
  EXPECT_EQ(ValueText(loaded->rgSide), "Right");
  // The image combo steps to the next profile with Down.
  loaded->icbProfile->SetFocus();
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(ValueText(loaded->icbProfile), "4.5");
  EXPECT_EQ(loaded->icbProfile->GetText(), "Television");
  // The calc edit's calculator doubles the amount; Enter closes it and Enter again commits.
  loaded->ceTotal->SetFocus();
  Pump();
  Key(VK_F4);
  ASSERT_TRUE(loaded->ceTotal->GetDroppedDown());
  Type("*2");
  Key(VK_RETURN);
  EXPECT_FALSE(loaded->ceTotal->GetDroppedDown());
  EXPECT_EQ(loaded->ceTotal->GetText(), "25");
  Key(VK_RETURN);
  EXPECT_EQ(loaded->ceTotal->GetValue(), 25);
  const String text = WriteComponentToText(loaded);
  auto* copy = new TFurtherEditorsForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  EXPECT_EQ(copy->ceTotal->GetValue(), 25);
  EXPECT_EQ(copy->rgKeep->GetItemIndex(), 1);
  EXPECT_EQ(copy->rgSide->GetItemIndex(), 1);
  EXPECT_EQ(copy->mruFolder->GetMRUEditProperties()->GetLookupItems()->GetCount(), 3);
  EXPECT_EQ(copy->icbProfile->GetText(), "Television");
  delete copy;
}

// Answers the button and edit themes with plain colours, so that a native look can be seen.
class PlainTheme : public ThemeProvider {
 public:
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t*) override { return reinterpret_cast<HTHEME>(1); }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT DrawThemeBackground(HTHEME, HDC DC, int Part, int State, const RECT* R, const RECT*) override {
    HBRUSH brush = CreateSolidBrush(Part == BP_RADIOBUTTON ? (State >= RBS_CHECKEDNORMAL ? RGB(0, 90, 200)
                                                                                         : RGB(200, 200, 200))
                                                           : RGB(120, 140, 170));
    if (Part == BP_GROUPBOX)
      FrameRect(DC, R, brush);
    else
      FillRect(DC, R, brush);
    DeleteObject(brush);
    return S_OK;
  }
  HRESULT GetThemeColor(HTHEME, int, int, int, COLORREF* Color) override {
    *Color = RGB(0, 60, 130);
    return S_OK;
  }
};

TEST_F(FurtherEditorsForm, Screenshots) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  struct Look {
    const char* file;
    TkvLookAndFeelKind kind;
    bool native;
  };
  const Look looks[] = {{"standard", lfStandard, false}, {"flat", lfFlat, false}, {"ultraflat", lfUltraFlat, false},
                        {"office11", lfOffice11, false}, {"native", lfStandard, true}};
  PlainTheme theme;
  TkvCustomEdit* editors[] = {loaded->mruFolder, loaded->rgKeep,   loaded->rgQuality,
                              loaded->rgSide,    loaded->rgFormat, loaded->icbProfile,
                              loaded->ceTotal};
  // The profiles' images: one colour each.
  for (const char* name : {"ilProfiles", "ilProfilesLarge"}) {
    auto* images = static_cast<TCustomImageList*>(loaded->FindComponent(name));
    for (TColor colour : {clGray, clTeal, clNavy, clMaroon}) {
      TBitmap bitmap;
      bitmap.SetSize(images->GetWidth(), images->GetHeight());
      bitmap.GetCanvas()->GetBrush()->SetColor(colour);
      bitmap.GetCanvas()->FillRect(TRect(0, 0, images->GetWidth(), images->GetHeight()));
      images->Add(&bitmap, nullptr);
    }
  }
  for (const Look& look : looks) {
    SCOPED_TRACE(look.file);
    if (look.native) SetThemeProvider(&theme);
    for (TkvCustomEdit* editor : editors) {
      editor->GetStyle()->GetLookAndFeel()->SetKind(look.kind);
      editor->GetStyle()->GetLookAndFeel()->SetNativeStyle(look.native);
    }
    loaded->rbAlone->GetLookAndFeel()->SetKind(look.kind);
    loaded->rbAlone->GetLookAndFeel()->SetNativeStyle(look.native);
    loaded->rgSide->SetEnabled(true);
    loaded->rgKeep->RadioButton(0)->SetFocus();
    Pump();
    EXPECT_TRUE(screen.SaveWindowPng(loaded->GetHandle(),
                                     String(output) + "/editors-further-form-" + look.file + ".png"));
    // The calculator dropped down, reaching below the form: the screen holds both.
    loaded->ceTotal->SetFocus();
    Pump();
    loaded->ceTotal->SetDroppedDown(true);
    Pump();
    EXPECT_TRUE(loaded->ceTotal->GetDroppedDown());
    EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/editors-further-form-" + look.file + "-calculator.png"));
    loaded->ceTotal->SetDroppedDown(false);
    Pump();
    loaded->rgSide->SetEnabled(false);
    loaded->rbAlone->SetEnabled(false);
    loaded->icbProfile->SetEnabled(false);
    Pump();
    EXPECT_TRUE(screen.SaveWindowPng(loaded->GetHandle(),
                                     String(output) + "/editors-further-form-" + look.file + "-disabled.png"));
    loaded->rbAlone->SetEnabled(true);
    loaded->icbProfile->SetEnabled(true);
    if (look.native) SetThemeProvider(nullptr);
  }
}

}  // namespace
