// A form of the test binary with a recent-items edit, an image combo box, a calc edit, radio groups in
// several caption places and column counts, a lone radio button, a button edit, a currency edit, a
// hyperlink edit, blob edits of three kinds and an image editor: read from its resource, driven by
// keys and the mouse, written and read back equal; and pictures of it in each look for a person to
// look at (saved under $TAVREN_TEST_OUTPUT).

#include <sys/stat.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <tuple>

#include "EditTestFixture.h"
#include "gdi/UxTheme.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvBlobEdit.h"
#include "toolkit/editors/kvButtonEdit.h"
#include "toolkit/editors/kvCalc.h"
#include "toolkit/editors/kvCurrencyEdit.h"
#include "toolkit/editors/kvHyperLinkEdit.h"
#include "toolkit/editors/kvImage.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/editors/kvMRUEdit.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "user/VirtualKeys.h"
#include "vcl/Clipbrd.h"

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
  TkvButtonEdit* beClip = nullptr;
  TkvCurrencyEdit* cePrice = nullptr;
  TkvHyperLinkEdit* hlSite = nullptr;
  TkvBlobEdit* beNotes = nullptr;
  TkvBlobEdit* bePoster = nullptr;
  TkvBlobEdit* beRaw = nullptr;
  TkvImage* imPhoto = nullptr;
};
TAVREN_CLASS_IMPL_PUBLISHED(TFurtherEditorsForm, FIELD(mruFolder), FIELD(rgKeep), FIELD(rgQuality), FIELD(rgSide),
                            FIELD(rgFormat), FIELD(rbAlone), FIELD(icbProfile), FIELD(ceTotal), FIELD(beClip),
                            FIELD(cePrice), FIELD(hlSite), FIELD(beNotes), FIELD(bePoster), FIELD(beRaw),
                            FIELD(imPhoto))

namespace {

String ValueText(TkvCustomEdit* Edit) {
  Variant v;
  Edit->GetEditValue(v);
  return VarIsNull(v) ? String("null") : VarToStr(v);
}

// A landscape of W x H: sky darkening upwards, a sun, two green hills.
std::unique_ptr<TBitmap> Landscape(Integer W, Integer H) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(W, H);
  TCanvas* canvas = bitmap->GetCanvas();
  for (Integer y = 0; y < H; ++y) {
    const Integer t = y * 255 / H;
    canvas->GetPen()->SetColor(RGB(70 + t * 120 / 255, 130 + t * 90 / 255, 220 + t * 30 / 255));
    canvas->MoveTo(0, y);
    canvas->LineTo(W, y);
  }
  canvas->GetPen()->SetColor(RGB(250, 200, 60));
  canvas->GetBrush()->SetColor(RGB(255, 214, 80));
  canvas->Ellipse(W * 3 / 4 - H / 8, H / 6, W * 3 / 4 + H / 8, H / 6 + H / 4);
  for (const auto& [left, right, top, colour] :
       {std::tuple{-W / 4, W * 3 / 4, H / 2, RGB(90, 170, 70)}, std::tuple{W / 3, W * 5 / 4, H * 3 / 5, RGB(50, 130, 50)}}) {
    canvas->GetPen()->SetColor(colour);
    canvas->GetBrush()->SetColor(colour);
    canvas->Ellipse(left, top, right, H + (H - top));
  }
  // Drawn without alpha: an opaque picture.
  bitmap->SetPixelFormat(pf24bit);
  return bitmap;
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
  EXPECT_EQ(loaded->beClip->GetText(), "clip01.avi");
  EXPECT_EQ(loaded->cePrice->GetValue(), 19.99);
  EXPECT_EQ(loaded->hlSite->GetText(), "http://example.com");
  EXPECT_EQ(loaded->beNotes->GetBlobText(), "Converted for the trip\r\nsecond line");
  EXPECT_EQ(loaded->beNotes->GetEditViewInfo()->ClassName(), "TkvBlobEditViewInfo");
  EXPECT_EQ(static_cast<TkvBlobEditViewInfo*>(loaded->beNotes->GetEditViewInfo())->Text, "Converted for the trip");
  EXPECT_EQ(loaded->bePoster->GetBlobEditProperties()->GetBlobEditKind(), bekPict);
  EXPECT_EQ(loaded->beRaw->GetBlobEditProperties()->GetPictureGraphicClassName(), "");
  EXPECT_EQ(static_cast<TkvBlobEditViewInfo*>(loaded->beRaw->GetEditViewInfo())->IconIndex, 0);
  EXPECT_EQ(loaded->imPhoto->GetImageEditProperties()->GetGraphicClassName(), "TqzPNGImage");

  const String text = WriteComponentToText(loaded);
  SCOPED_TRACE(text);
  EXPECT_EQ(text.find("TkvCustomRadioGroupButton"), String::npos);
  EXPECT_NE(text.find("Properties.IsPictureGraphicClassNameEmpty = True"), String::npos);
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
  EXPECT_EQ(copy->beNotes->GetBlobText(), "Converted for the trip\r\nsecond line");
  EXPECT_EQ(copy->beRaw->GetBlobEditProperties()->GetPictureGraphicClassName(), "");
  EXPECT_EQ(copy->cePrice->GetValue(), 19.99);
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
  // 2 0 0 + 5 % = in the calculator: 210.
  Key(VK_F4);
  Type("200+5%=");
  Key(VK_RETURN);
  Key(VK_RETURN);
  EXPECT_EQ(loaded->ceTotal->GetValue(), 210);
  // A picture pasted into the image editor becomes its value.
  TqzPNGImage pasted;
  pasted.Assign(Landscape(60, 40).get());
  Clipboard()->Assign(&pasted);
  loaded->imPhoto->SetFocus();
  Pump();
  Key('V', kCtrl);
  ASSERT_NE(loaded->imPhoto->GetPicture()->GetGraphic(), nullptr);
  EXPECT_EQ(loaded->imPhoto->GetPicture()->GetWidth(), 60);
  Clipboard()->Clear();
  // Esc in the memo leaves the notes as they were; Ctrl+Enter takes an edit.
  auto drop = [&](TkvBlobEdit* Blob, const std::function<void()>& InPopup) {
    Blob->SetFocus();
    Pump();
    ScriptedSteps steps;
    steps.Add(50, InPopup);
    ScriptKeyPress(VK_F4);
    Pump();
  };
  drop(loaded->beNotes, [] {
    ScriptTypeText("lost");
    ScriptKeyPress(VK_ESCAPE);
  });
  EXPECT_EQ(loaded->beNotes->GetBlobText(), "Converted for the trip\r\nsecond line");
  drop(loaded->beNotes, [] {
    ScriptKeyPress(VK_HOME, kCtrl);
    ScriptTypeText("Done. ");
    ScriptKeyPress(VK_RETURN, kCtrl);
  });
  EXPECT_EQ(loaded->beNotes->GetBlobText(), "Done. Converted for the trip\r\nsecond line");
  // Typed into the currency edit, committed by Enter.
  loaded->cePrice->SetFocus();
  Pump();
  loaded->cePrice->SelectWholeText();
  Type("7.5");
  Key(VK_RETURN);
  EXPECT_EQ(loaded->cePrice->GetValue(), 7.5);
  const String text = WriteComponentToText(loaded);
  auto* copy = new TFurtherEditorsForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  EXPECT_EQ(copy->ceTotal->GetValue(), 210);
  EXPECT_EQ(copy->beNotes->GetBlobText(), "Done. Converted for the trip\r\nsecond line");
  EXPECT_EQ(copy->cePrice->GetValue(), 7.5);
  EXPECT_EQ(copy->imPhoto->GetPicture()->GetWidth(), 60);
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
  TkvCustomEdit* editors[] = {loaded->mruFolder, loaded->rgKeep,  loaded->rgQuality, loaded->rgSide,
                              loaded->rgFormat,  loaded->icbProfile, loaded->ceTotal, loaded->beClip,
                              loaded->cePrice,   loaded->hlSite,  loaded->beNotes,   loaded->bePoster,
                              loaded->beRaw,     loaded->imPhoto};
  // The poster's and the photo's picture: a landscape, as a PNG image.
  TqzPNGImage poster;
  poster.Assign(Landscape(200, 130).get());
  loaded->imPhoto->GetPicture()->SetGraphic(&poster);
  TPicture posterPicture;
  posterPicture.SetGraphic(&poster);
  loaded->bePoster->SetEditValue(Variant(SavePictureToValue(&posterPicture)));
  // The profiles' images: one colour each.
  auto fillImages = [](TForm* Form) {
  for (const char* name : {"ilProfiles", "ilProfilesLarge"}) {
    auto* images = static_cast<TCustomImageList*>(Form->FindComponent(name));
    for (TColor colour : {clGray, clTeal, clNavy, clMaroon}) {
      TBitmap bitmap;
      bitmap.SetSize(images->GetWidth(), images->GetHeight());
      bitmap.GetCanvas()->GetBrush()->SetColor(colour);
      bitmap.GetCanvas()->FillRect(TRect(0, 0, images->GetWidth(), images->GetHeight()));
      images->Add(&bitmap, nullptr);
    }
  }
  };
  fillImages(loaded);
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
    // Both blob popups, and the image editor's menu, while their own loops run.
    const String prefix = String(output) + "/editors-further-form-" + look.file;
    for (const auto& [blob, name] : {std::pair{loaded->beNotes, "-blob-memo.png"}, std::pair{loaded->bePoster, "-blob-picture.png"}}) {
      blob->SetFocus();
      Pump();
      bool shot = false;
      ScriptedSteps steps;
      steps.Add(50, [&, blob = blob, name = name] {
        shot = blob->GetDroppedDown() && screen.SaveScreenPng(prefix + name);
        ScriptKeyPress(VK_ESCAPE);
      });
      ScriptKeyPress(VK_F4);
      Pump();
      EXPECT_TRUE(shot) << name;
    }
    loaded->imPhoto->SetFocus();
    Pump();
    {
      bool shot = false;
      ScriptedSteps steps;
      steps.Add(50, [&] {
        shot = screen.SaveScreenPng(prefix + "-image-menu.png");
        ScriptKeyPress(VK_ESCAPE);
      });
      loaded->imPhoto->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(loaded->imPhoto->GetHandle()),
                               MAKELPARAM(-1, -1));
      Pump();
      EXPECT_TRUE(shot);
    }
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
  // Another copy of the form under a built-in skin: the group boxes' captions in their non-client
  // bands.
  auto* skinned = new TFurtherEditorsForm(nullptr);
  skinned->AfterConstruction();
  for (Integer i = 0; i < skinned->GetComponentCount(); ++i)
    if (auto* editor = dynamic_cast<TkvCustomEdit*>(skinned->GetComponents(i)))
      editor->GetStyle()->GetLookAndFeel()->SetSkinName("Skin02");
  skinned->rbAlone->GetLookAndFeel()->SetSkinName("Skin02");
  skinned->imPhoto->GetPicture()->SetGraphic(&poster);
  skinned->bePoster->SetEditValue(Variant(SavePictureToValue(&posterPicture)));
  fillImages(skinned);
  skinned->Show();
  Pump();
  skinned->rgKeep->RadioButton(0)->SetFocus();
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(skinned->GetHandle(), String(output) + "/editors-further-form-skin.png"));
  delete skinned;
}

}  // namespace
