// Pictures for a person to look at: every row kind in each inspector style and the output-format
// settings inspector with a list open, saved under $TAVREN_TEST_OUTPUT.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "InspectorTestSupport.h"
#include "OutputFormatForm.h"
#include "TestTheme.h"
#include "backend/HeadlessBackend.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyInspector.h"
#include "user/User.h"

namespace {

// A 16 x 16 picture on a magenta key (the bottom-left pixel marks what is transparent).
std::unique_ptr<TBitmap> Icon(TColor Fill, TColor Edge, bool Round) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(16, 16);
  TCanvas* c = bitmap->GetCanvas();
  c->GetBrush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 16, 16));
  c->GetBrush()->SetColor(Fill);
  c->GetPen()->SetColor(Edge);
  if (Round)
    c->Ellipse(2, 2, 14, 14);
  else
    c->RoundRect(2, 3, 14, 13, 4, 4);
  return bitmap;
}

// A toolbar glyph: a letter in the style it stands for.
std::unique_ptr<TBitmap> Letter(const char* Text, TFontStyle Style) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(12, 12);
  TCanvas* c = bitmap->GetCanvas();
  c->GetBrush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 12, 12));
  c->GetFont()->SetName("Tahoma");
  c->GetFont()->SetHeight(-11);
  TFontStyles styles;
  styles.Include(Style);
  c->GetFont()->SetStyle(styles);
  c->GetFont()->SetColor(RGB(20, 30, 60));
  c->GetBrush()->SetStyle(bsClear);
  c->TextOut((12 - c->TextWidth(Text)) / 2, (12 - c->TextHeight(Text)) / 2, Text);
  return bitmap;
}

class Sample {
 public:
  Sample(TForm* Form, TImageList* Images, TPropertiesStyle Style, bool VisualStyles, TRect Bounds) {
    inspector = new TJyInspector(Form);
    inspector->SetParent(Form);
    inspector->SetBoundsRect(Bounds);
    inspector->SetStyle(Style);
    inspector->SetEnableVisualStyles(VisualStyles);
    inspector->SetImages(Images);
    inspector->SetSplitterPosition(96);
    TJyPropertyItem* look = Add<TJyTextItem>(nullptr, "Appearance");
    look->SetReadOnly(true);
    Add<TJyTextItem>(look, "Name")->SetValue("Holiday clip");
    Add<TJyTextItem>(look, "Title")->SetEmptyValue("(none)");
    auto* password = Add<TJyTextItem>(look, "Password");
    password->SetPasswordChar('*');
    password->SetValue("secret");
    auto* width = Add<TJyTextItem>(look, "Width");
    width->SetDefaultValue("320");
    width->SetOptions(TItemOptions{itoBoldNonDefault});
    width->SetValue("640");
    auto* locked = Add<TJyTextItem>(look, "Locked");
    locked->SetValue("Yes");
    locked->SetEnabled(false);
    auto* id = Add<TJyTextItem>(look, "Id");
    id->SetValue("4711");
    id->SetReadOnly(true);
    auto* colour = Add<TJyTextItem>(look, "Colour");
    colour->SetShowPreview(true);
    colour->SetValue("clSkyBlue");
    auto* margin = Add<TJyTextItem>(look, "Margin");
    margin->SetShowSuffix(true);
    margin->SetValue("12");
    margin->SetSuffixValue("px");
    Add<TJyPopupItem>(look, "File")->SetValue("holiday.avi");
    auto* quality = Add<TJyComboBoxItem>(look, "Quality");
    for (const char* line : {"Draft", "Normal", "High", "Best"}) quality->GetLines()->Add(line);
    quality->SetItemIndex(2);
    style = Add<TJyToolbarItem>(look, "Style");
    style->SetShowText(true);
    for (auto [text, fontStyle] : {std::pair{"B", fsBold}, {"I", fsItalic}, {"", fsBold}, {"U", fsUnderline}}) {
      TJyToolbarItemButton* button = style->GetButtons()->AddButton();
      if (!*text) {
        button->SetDivider(true);
        continue;
      }
      button->SetText(String(text) == "B" ? "Bold" : String(text) == "I" ? "Italic" : "Underline");
      button->SetGlyph(Letter(text, fontStyle).get());
    }
    style->SetValue("Bold");
    auto* align = Add<TJyToolbarItem>(look, "Align");
    align->SetAlignment(baRightJustify);
    align->SetDrawBackground(true);
    for (Integer i = 0; i < 3; ++i) {
      TJyToolbarItemButton* button = align->GetButtons()->AddButton();
      button->SetText(i == 0 ? "Left" : i == 1 ? "Centre" : "Right");
      button->SetGlyph(Icon(i == 1 ? RGB(120, 170, 230) : RGB(200, 210, 225), RGB(60, 80, 120), false).get());
    }
    align->SetGrouped(true);
    align->SetValue("Centre");

    TJyPropertyItem* behaviour = Add<TJyTextItem>(nullptr, "Behaviour");
    behaviour->SetReadOnly(true);
    Add<TJyTextItem>(behaviour, "Loop")->SetValue("No");
    behaviour->SetExpanded(false);
    TJyPropertyItem* media = Add<TJyTextItem>(nullptr, "Media");
    media->SetReadOnly(true);
    media->SetImageIndex(0);
    auto* video = Add<TJyTextItem>(media, "Video");
    video->SetImageIndex(1);
    video->SetValue("WMV 8");
    auto* audio = Add<TJyTextItem>(media, "Audio");
    audio->SetImageIndex(2);
    audio->SetValue("WMA 2");
  }

  template <class T>
  T* Add(TJyPropertyItem* Parent, const char* Caption) {
    auto* item = new T(inspector->GetOwner());
    item->AfterConstruction();
    inspector->GetItems()->AddItem(Parent, item, true);
    item->SetCaption(Caption);
    return item;
  }

  TJyInspector* inspector;
  TJyToolbarItem* style = nullptr;
};

class TScreenshotForm : public TForm {
  TAVREN_CLASS(TScreenshotForm, TForm)
 public:
  using TForm::TForm;
};

}  // namespace

TAVREN_CLASS_IMPL(TScreenshotForm)

using InspectorScreenshot = InspectorTest;

TEST_F(InspectorScreenshot, EveryRowKindInEachStyle) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  HeadlessBackend screen({1280, 800});
  SetDisplayBackend(&screen);
  TestTheme theme;
  {
    auto* form = new TScreenshotForm(nullptr, 0);
    forms.push_back(form);
    form->SetBounds(10, 10, 1010, 760);
    form->SetCaption("Property inspector");
    auto* images = new TImageList(form);
    images->SetWidth(16);
    images->SetHeight(16);
    images->AddMasked(Icon(RGB(250, 200, 90), RGB(150, 100, 20), false).get(), clFuchsia);
    images->AddMasked(Icon(RGB(120, 170, 230), RGB(40, 80, 140), false).get(), clFuchsia);
    images->AddMasked(Icon(RGB(140, 210, 140), RGB(40, 120, 40), true).get(), clFuchsia);
    const struct {
      TPropertiesStyle style;
      bool visual;
    } kinds[] = {{psDefault, false}, {psOffice2003, false}, {psWhidbey, false}, {psDefault, true}};
    std::vector<std::unique_ptr<Sample>> samples;
    for (Integer i = 0; i < 4; ++i)
      samples.push_back(std::make_unique<Sample>(form, images, kinds[i].style, kinds[i].visual,
                                                 Bounds(8 + i * 248, 8, 240, 360)));
    // The same four with a row selected and the list of the combo row open in the first.
    for (Integer i = 0; i < 4; ++i)
      samples.push_back(std::make_unique<Sample>(form, images, kinds[i].style, kinds[i].visual,
                                                 Bounds(8 + i * 248, 376, 240, 350)));
    ThemeScope scope(&theme);
    form->Show();
    Pump();
    for (Integer i = 7; i >= 4; --i) {
      TJyInspector* inspector = samples[i]->inspector;
      TJyPropertyItems* items = inspector->GetItems();
      inspector->SelectRow(items->GetItem(i == 4 ? 10 : 2));
      Pump();
    }
    // Hover over the toolbar's Italic button of the first picture.
    TJyInspector* first = samples[0]->inspector;
    MoveTo(first, first->GetSplitterPosition() + 1 + 17 + 6, samples[0]->style->RowTop() + 8);
    auto* combo = static_cast<TJyComboBox*>(samples[4]->inspector->GetEditingItem()->Editor());
    combo->SetDroppedDown(true);
    Pump();
    EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/inspector-styles.png"));
    combo->SetDroppedDown(false);

    // A text row being edited beside its suffix, and a popup row's button, in the second style.
    TJyInspector* office = samples[5]->inspector;
    TJyPropertyItems* items = office->GetItems();
    office->SelectRow(items->GetItem(8));
    Pump();
    office->GetEditingItem()->Editor()->SetText("16");
    Pump();
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/inspector-editing.png"));
  }
  bool themedRebar = false;
  for (const auto& d : theme.drawn) themedRebar |= d.themeClass == "rebar";
  EXPECT_TRUE(themedRebar);
  for (TForm* form : forms) delete form;
  forms.clear();
  Pump();

  {
    RegisterOutputFormatForm();
    auto* form = TClassOf<TOutputFormatForm>(TOutputFormatForm::ClassInfo()).Create(nullptr);
    forms.push_back(form);
    form->Show();
    Pump();
    TJyInspector* inspector = form->OFormat;
    TJyComboBoxItem* fps = form->Fps;
    static_cast<TJyComboBoxItem*>(form->FindComponent("VCodec"))->SetItemIndex(1);
    static_cast<TJyComboBoxItem*>(form->FindComponent("Size"))->SetItemIndex(1);
    static_cast<TJyComboBoxItem*>(form->FindComponent("Aspect"))->SetItemIndex(0);
    static_cast<TJyComboBoxItem*>(form->FindComponent("VBitRate"))->SetItemIndex(2);
    static_cast<TJyComboBoxItem*>(form->FindComponent("ACodec"))->SetItemIndex(0);
    static_cast<TJyComboBoxItem*>(form->FindComponent("Sample"))->SetItemIndex(2);
    static_cast<TJyComboBoxItem*>(form->FindComponent("Channels"))->SetItemIndex(1);
    static_cast<TJyComboBoxItem*>(form->FindComponent("ABitRate"))->SetItemIndex(3);
    fps->SetItemIndex(1);
    Click(inspector, inspector->GetSplitterPosition() + 20, fps->RowTop() + 5);
    auto* combo = static_cast<TJyComboBox*>(fps->Editor());
    Click(combo, 10, 5);
    MoveTo(combo->GetPopupList(), 30, 2 + 2 * 16 + 6);
    EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/inspector-output-format.png"));
    combo->SetDroppedDown(false);
  }
  for (TForm* form : forms) delete form;
  forms.clear();
  Pump();
  SetDisplayBackend(nullptr);
}
