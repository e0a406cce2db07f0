#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "EditTestFixture.h"
#include "controls/ListBox.h"
#include "gdi/SysMetrics.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "user/VirtualKeys.h"

namespace {

// A list of Count images of Size pixels, each filled in a colour of its own.
std::unique_ptr<TCustomImageList> MakeImages(Integer Count, Integer Size) {
  auto images = std::make_unique<TCustomImageList>(nullptr, Size, Size);
  const TColor colours[] = {clRed, clGreen, clBlue, clYellow, clFuchsia, clAqua};
  for (Integer i = 0; i < Count; ++i) {
    TBitmap bitmap;
    bitmap.SetSize(Size, Size);
    bitmap.GetCanvas()->GetBrush()->SetColor(colours[i % 6]);
    bitmap.GetCanvas()->FillRect(TRect(0, 0, Size, Size));
    images->Add(&bitmap, nullptr);
  }
  return images;
}

class ImageComboBox : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    edit = new TkvImageComboBox(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 160, 21);
    edit->SetOnClick(MakeEvent<&ClickCount::Clicked>(&clicks));
    Pump();
  }
  struct ClickCount : TObject {
    Integer count = 0;
    void Clicked(TObject*) { ++count; }
  };
  TkvImageComboBoxProperties* Props() { return edit->GetImageComboBoxProperties(); }
  TkvImageComboBoxItems* Items() { return Props()->GetImageItems(); }
  TkvImageComboBox* edit = nullptr;
  ClickCount clicks;
};

TEST_F(ImageComboBox, NewItemsTakeConsecutiveImagesWhileTheListHoldsOneForEach) {
  auto images = MakeImages(3, 16);
  Props()->SetImages(images.get());
  for (Integer i = 0; i < 5; ++i) Items()->Add();
  for (Integer i = 0; i < 5; ++i) EXPECT_EQ(Items()->GetItem(i)->GetImageIndex(), i < 3 ? i : -1) << i;
  // Without images a new item has none.
  Props()->SetImages(nullptr);
  EXPECT_EQ(static_cast<TkvImageComboBoxItem*>(Items()->Add())->GetImageIndex(), -1);
}

TEST_F(ImageComboBox, AssignCopiesTheImageSettingsAndTheImageListsChangesAreHeard) {
  auto small = MakeImages(2, 16), large = MakeImages(2, 32);
  TkvImageComboBoxProperties source(nullptr);
  source.SetImages(small.get());
  source.SetLargeImages(large.get());
  source.GetImageItems()->AddItem("A", Variant(1))->SetTag(5);
  source.SetDefaultDescription("none");
  source.SetDefaultImageIndex(1);
  source.SetImageAlign(TkvImageAlign::iaRight);
  source.SetMultiLineText(true);
  source.SetShowDescriptions(false);
  Props()->Assign(&source);
  EXPECT_EQ(Props()->GetImages(), small.get());
  EXPECT_EQ(Props()->GetLargeImages(), large.get());
  ASSERT_EQ(Items()->GetCount(), 1);
  EXPECT_EQ(Items()->GetItem(0)->GetImageIndex(), 0);
  EXPECT_EQ(Items()->GetItem(0)->GetTag(), 5);
  EXPECT_EQ(Props()->GetDefaultDescription(), "none");
  EXPECT_EQ(Props()->GetDefaultImageIndex(), 1);
  EXPECT_EQ(Props()->GetImageAlign(), TkvImageAlign::iaRight);
  EXPECT_TRUE(Props()->GetMultiLineText());
  EXPECT_FALSE(Props()->GetShowDescriptions());
  // A change of a list in use reaches both Properties through their own links.
  struct Count : TObject {
    Integer changes = 0;
    void Changed(TObject*) { ++changes; }
  } count;
  Props()->SetOnPropertiesChanged(MakeEvent<&Count::Changed>(&count));
  small->Clear();
  EXPECT_GE(count.changes, 1);
  // One list freed while both Properties hold it leaves neither dangling.
  small.reset();
  EXPECT_EQ(Props()->GetImages(), nullptr);
  EXPECT_EQ(source.GetImages(), nullptr);
  // The counter goes before the large list, whose freeing notifies the Properties again.
  Props()->SetOnPropertiesChanged(TNotifyEvent());
}

TEST_F(ImageComboBox, ValuesMatchLooselyAndUnmatchedOnesShowTheDefaults) {
  Items()->AddItem("One", Variant(1));
  Items()->AddItem("Text", Variant(String("x")));
  Items()->AddItem("Nothing");
  Items()->AddItem("Yes", Variant(true));
  Items()->AddItem("Half", Variant(0.5));
  for (Integer i = 0; i < Items()->GetCount(); ++i) Items()->GetItem(i)->SetImageIndex(i);
  Props()->SetDefaultDescription("(none)");
  Props()->SetDefaultImageIndex(7);
  struct Case {
    Variant value;
    const char* text;
    Integer image;
  };
  const Case cases[] = {
      {Variant(1), "One", 0},
      {Variant(String("1")), "One", 0},
      {Variant(1.0), "One", 0},
      {Variant(String("x")), "Text", 1},
      {Variant(String("X")), "(none)", 7},
      {Null(), "Nothing", 2},
      {Variant(true), "Yes", 3},
      {Variant(String("True")), "Yes", 3},
      {Variant(0.5), "Half", 4},
      {Variant(5), "(none)", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(VarToStr(c.value));
    EXPECT_EQ(Props()->EditValueToDisplayText(c.value, false), c.text);
    String text;
    Integer image = -2;
    Props()->GetDescriptionAndImage(Props()->FindItemByValue(c.value), false, text, image);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(image, c.image);
  }
}

TEST_F(ImageComboBox, WithoutDescriptionsOnlyTheForcedTextNamesTheItem) {
  Items()->AddItem("One", Variant(1));
  Props()->SetShowDescriptions(false);
  String text;
  Integer image = 0;
  Props()->GetDescriptionAndImage(Props()->FindItemByValue(Variant(1)), false, text, image);
  EXPECT_EQ(text, "");
  EXPECT_EQ(Props()->EditValueToDisplayText(Variant(1), false), "One");
  // Descriptions are no lookup texts then.
  EXPECT_EQ(Props()->FindItemByDescription("one"), nullptr);
  Props()->SetShowDescriptions(true);
  EXPECT_EQ(Props()->FindItemByDescription("one"), Items()->GetItem(0));
  EXPECT_TRUE(Props()->LookupContainsText("ONE"));
  EXPECT_FALSE(Props()->LookupContainsText("On"));
}

TEST_F(ImageComboBox, EqualDescriptionsDifferOnlyByTheirImagesAndOnlyWithImages) {
  Items()->AddItem("Same", Variant(1))->SetImageIndex(0);
  Items()->AddItem("Same", Variant(2))->SetImageIndex(1);
  Items()->AddItem("Other", Variant(3))->SetImageIndex(0);
  EXPECT_TRUE(Props()->DisplayValuesEqual(Variant(1), Variant(2)));
  EXPECT_FALSE(Props()->DisplayValuesEqual(Variant(1), Variant(3)));
  auto images = MakeImages(2, 16);
  Props()->SetImages(images.get());
  EXPECT_FALSE(Props()->DisplayValuesEqual(Variant(1), Variant(2)));
  EXPECT_TRUE(Props()->DisplayValuesEqual(Variant(1), Variant(String("1"))));
}

TEST_F(ImageComboBox, TheEditValueIsTheChosenItemsValueAndFollowsItBack) {
  Items()->AddItem("Low", Variant(10));
  Items()->AddItem("High", Variant(String("h")));
  Items()->AddItem("None");
  Props()->SetDefaultDescription("?");
  Pump();
  edit->SetItemIndex(1);
  EXPECT_TRUE(VarSameTypeAndValue(edit->GetEditValueProp(), Variant(String("h"))));
  EXPECT_EQ(edit->GetText(), "High");
  EXPECT_EQ(clicks.count, 1);
  // A value set from code moves the choice without a click.
  edit->SetEditValue(Variant(String("10")));
  EXPECT_EQ(edit->GetItemIndex(), 0);
  EXPECT_EQ(edit->GetText(), "Low");
  edit->SetEditValue(Variant(99));
  EXPECT_EQ(edit->GetItemIndex(), -1);
  EXPECT_EQ(edit->GetText(), "?");
  EXPECT_EQ(clicks.count, 1);
  // The item without a value holds Null.
  edit->SetItemIndex(2);
  EXPECT_TRUE(VarIsNull(edit->GetEditValueProp()));
  edit->SetItemIndex(-1);
  EXPECT_TRUE(VarIsNull(edit->GetEditValueProp()));
}

TEST_F(ImageComboBox, KeysAndTypingChooseItemsAndReportEachChangeOnce) {
  struct Counts : TObject {
    Integer changes = 0, valueChanges = 0;
    void Changed(TObject*) { ++changes; }
    void ValueChanged(TObject*) { ++valueChanges; }
  } counts;
  Props()->SetOnChange(MakeEvent<&Counts::Changed>(&counts));
  Props()->SetOnEditValueChanged(MakeEvent<&Counts::ValueChanged>(&counts));
  Items()->AddItem("Low", Variant(10));
  Items()->AddItem("High", Variant(20));
  Items()->AddItem("Highest", Variant(30));
  edit->SetFocus();
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(edit->GetItemIndex(), 0);
  EXPECT_TRUE(VarSameTypeAndValue(edit->GetEditValueProp(), Variant(10)));
  Key(VK_DOWN);
  EXPECT_TRUE(VarSameTypeAndValue(edit->GetEditValueProp(), Variant(20)));
  EXPECT_EQ(counts.changes, 2);
  EXPECT_EQ(counts.valueChanges, 2);
  // Typing looks the descriptions up ignoring case and drops the list; Enter takes the item.
  Type("hIGHE");
  EXPECT_EQ(edit->GetText(), "Highest");
  EXPECT_TRUE(edit->GetDroppedDown());
  Key(VK_RETURN);
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_TRUE(VarSameTypeAndValue(edit->GetEditValueProp(), Variant(30)));
  EXPECT_EQ(counts.valueChanges, 3);
  // The list picks with Enter.
  Key(VK_F4);
  ASSERT_TRUE(edit->GetDroppedDown());
  Key(VK_UP);
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_TRUE(VarSameTypeAndValue(edit->GetEditValueProp(), Variant(10)));
  EXPECT_EQ(edit->GetText(), "Low");
  EXPECT_EQ(counts.valueChanges, 4);
  EXPECT_EQ(counts.changes, 4);
}

TEST_F(ImageComboBox, ControlCharactersAreRefused) {
  for (Char c : {Char(1), Char(9), Char(27), Char(31)}) EXPECT_FALSE(edit->IsCharAllowed(c)) << Integer(c);
  for (Char c : {Char(' '), Char('a'), Char('~')}) EXPECT_TRUE(edit->IsCharAllowed(c)) << c;
}

TEST_F(ImageComboBox, MultiLineRowsAreAsHighAsTheirTextButNeverLowerThanTheImage) {
  auto* list = new TkvImageComboBoxListBox(edit);
  list->SetParent(form);
  list->SetBounds(0, 100, 200, 100);
  const Integer line = TextHeightInFont(list->GetFont(), "Wg");
  ASSERT_GT(line, 8);
  const char* texts[] = {"one", "one\ntwo", "one\ntwo\nthree", "one\ntwo\nthree\nfour"};
  for (const char* text : texts) Items()->AddItem(text);
  Props()->SetMultiLineText(true);
  for (Integer size : {16, 32}) {
    auto images = MakeImages(1, size);
    Props()->SetImages(images.get());
    for (Integer i = 0; i < 4; ++i) {
      SCOPED_TRACE(testing::Message() << size << " px, " << i + 1 << " lines");
      EXPECT_EQ(list->MeasureRow(i, 200), std::max((i + 1) * line + 2, size + 2));
    }
    Props()->SetImages(nullptr);
  }
  // A long line wraps in a narrow row; one line is all without MultiLineText.
  Items()->GetItem(0)->SetDescription("a rather long description that wraps");
  EXPECT_GT(list->MeasureRow(0, 80), 2 * line);
  Props()->SetMultiLineText(false);
  EXPECT_EQ(list->MeasureRow(3, 200), line + 2);
}

TEST_F(ImageComboBox, LargeImagesDecideTheListRowsAndTheEditorKeepsTheSmallOnes) {
  auto* list = new TkvImageComboBoxListBox(edit);
  list->SetParent(form);
  auto small = MakeImages(2, 16), large = MakeImages(2, 32);
  Props()->SetImages(small.get());
  Props()->SetLargeImages(large.get());
  Items()->AddItem("A");
  EXPECT_EQ(Props()->ListImages(), large.get());
  EXPECT_EQ(list->MeasureRow(0, 0), 34);
  large.reset();
  // The freed list is forgotten: the small images serve the list again.
  EXPECT_EQ(Props()->GetLargeImages(), nullptr);
  EXPECT_EQ(list->MeasureRow(0, 0), std::max(TextHeightInFont(list->GetFont(), "Wg") + 2, 18));
  small.reset();
  EXPECT_EQ(Props()->GetImages(), nullptr);
  Pump();
}

TEST_F(ImageComboBox, ThePopupWidthCoversTheImageTheWidestTextAndAScrollBarWhenRowsAreHidden) {
  auto* list = new TkvImageComboBoxListBox(edit);
  list->SetParent(form);
  auto images = MakeImages(1, 16);
  Items()->AddItem("Short");
  Items()->AddItem("The widest description");
  const Integer widest = TextWidthInFont(list->GetFont(), "The widest description");
  EXPECT_EQ(list->PopupWidth(), 4 + widest);
  Props()->SetImages(images.get());
  EXPECT_EQ(list->PopupWidth(), 16 + 8 + widest);
  Props()->SetDropDownRows(1);
  EXPECT_EQ(list->PopupWidth(), 16 + 8 + widest + GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ImageComboBox, TheOpenPopupIsAsWideAsTheItemsAskOrKeepsTheEditorsWidthWithWrappedRows) {
  auto images = MakeImages(2, 16);
  Props()->SetImages(images.get());
  Items()->AddItem("A description much wider than the editor it drops from");
  Items()->AddItem("Short");
  edit->SetFocus();
  for (bool multiLine : {false, true}) {
    SCOPED_TRACE(multiLine);
    Props()->SetMultiLineText(multiLine);
    edit->SetDroppedDown(true);
    Pump();
    ASSERT_TRUE(edit->GetDroppedDown());
    auto* list = static_cast<TkvImageComboBoxListBox*>(edit->GetComboLookupData()->GetList());
    if (multiLine) {
      EXPECT_EQ(edit->GetPopupWindow()->GetWidth(), edit->GetWidth());
      // The long row wraps and is as high as its lines.
      EXPECT_GT(list->ItemRowHeight(0), list->ItemRowHeight(1));
      EXPECT_EQ(SendMessage(list->GetHandle(), LB_GETITEMHEIGHT, 0, 0), list->ItemRowHeight(0));
    } else {
      EXPECT_GE(list->GetClientWidth(), list->PopupWidth());
      EXPECT_GT(edit->GetPopupWindow()->GetWidth(), edit->GetWidth());
    }
    edit->SetDroppedDown(false);
    Pump();
  }
}

TEST_F(ImageComboBox, TheDrawItemHandlerTakesOverTheListRows) {
  struct Drawn : TObject {
    std::vector<Integer> rows;
    void Draw(TkvCustomComboBox*, TkvCanvas*, Integer Index, const TRect&, TOwnerDrawState) { rows.push_back(Index); }
  } drawn;
  Items()->AddItem("A");
  Items()->AddItem("B");
  Props()->SetOnDrawItem(MakeEvent<&Drawn::Draw>(&drawn));
  edit->SetFocus();
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(edit->GetDroppedDown());
  EXPECT_NE(std::find(drawn.rows.begin(), drawn.rows.end(), 1), drawn.rows.end());
  edit->SetDroppedDown(false);
  Pump();
}

TEST_F(ImageComboBox, TheEditorPlacesTheImageAtItsSideOrCentredWithoutDescriptions) {
  auto images = MakeImages(1, 16);
  Props()->SetImages(images.get());
  Items()->AddItem("Red", Variant(1));
  edit->SetEditValue(Variant(1));
  Pump();
  auto* info = static_cast<TkvImageComboBoxViewInfo*>(edit->GetEditViewInfo());
  const TRect area = info->BorderRect;
  struct Case {
    TkvImageAlign align;
    bool descriptions;
  };
  for (const Case& c : {Case{TkvImageAlign::iaLeft, true}, Case{TkvImageAlign::iaRight, true},
                        Case{TkvImageAlign::iaLeft, false}}) {
    SCOPED_TRACE(testing::Message() << (c.align == TkvImageAlign::iaRight ? "right" : "left") << c.descriptions);
    Props()->SetImageAlign(c.align);
    Props()->SetShowDescriptions(c.descriptions);
    Pump();
    info = static_cast<TkvImageComboBoxViewInfo*>(edit->GetEditViewInfo());
    const TRect image = info->ImageRect;
    EXPECT_EQ(image.Width(), 16);
    EXPECT_EQ(image.Height(), 16);
    EXPECT_EQ(info->ImageIndex, 0);
    if (!c.descriptions) {
      EXPECT_EQ(info->Text, "");
      EXPECT_LE(std::abs((image.Left - area.Left) - (area.Right - 0 - image.Right)), 40);
    } else if (c.align == TkvImageAlign::iaRight) {
      EXPECT_EQ(info->TextRect.Right, image.Left - 2 - 2);
    } else {
      EXPECT_EQ(info->TextRect.Left, image.Right + 2 + 2);
      EXPECT_EQ(info->Text, "Red");
    }
    // The image is painted where it was placed.
    const TPoint centre =
        form->ScreenToClient(edit->ClientToScreen(TPoint{(image.Left + image.Right) / 2, (image.Top + image.Bottom) / 2}));
    EXPECT_EQ(ColorToRGB(FormPixel(centre.X, centre.Y)), ColorToRGB(clRed));
  }
  // An image list freed while in use leaves an editor without an image that still paints.
  images.reset();
  Pump();
  EXPECT_EQ(static_cast<TkvImageComboBoxViewInfo*>(edit->GetEditViewInfo())->Images, nullptr);
}

TEST_F(ImageComboBox, AnOpenListWithWrappedDescriptionsIsPictured) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  auto small = MakeImages(4, 16), large = MakeImages(4, 32);
  const char* texts[] = {"Red", "Green: a description long enough to wrap onto a second line",
                         "Blue\tafter a tab", "Yellow, the last of the four colours offered here"};
  auto fill = [&](TkvImageComboBox* combo) {
    for (Integer i = 0; i < 4; ++i) {
      combo->GetImageComboBoxProperties()->GetImageItems()->AddItem(texts[i], Variant(i))->SetImageIndex(i);
    }
    combo->GetImageComboBoxProperties()->SetImages(small.get());
  };
  struct Look {
    TkvImageAlign align;
    bool descriptions;
    bool enabled;
  };
  const Look looks[] = {{TkvImageAlign::iaLeft, true, true},
                        {TkvImageAlign::iaRight, true, true},
                        {TkvImageAlign::iaLeft, false, true},
                        {TkvImageAlign::iaLeft, true, false}};
  Integer top = 20;
  for (const Look& look : looks) {
    auto* combo = new TkvImageComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(220, top, 160, 21);
    fill(combo);
    combo->GetImageComboBoxProperties()->SetImageAlign(look.align);
    combo->GetImageComboBoxProperties()->SetShowDescriptions(look.descriptions);
    combo->SetEditValue(Variant(top / 30 % 4));
    combo->SetEnabled(look.enabled);
    top += 30;
  }
  fill(edit);
  Props()->SetLargeImages(large.get());
  Props()->SetMultiLineText(true);
  edit->SetEditValue(Variant(1));
  edit->SetFocus();
  Pump();
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(edit->GetDroppedDown());
  EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/editors-image-combo-open.png"));
  edit->SetDroppedDown(false);
  Pump();
}

TEST_F(ImageComboBox, TheImageWidensTheEditorAndACellShowsItsItemsImageAndText) {
  Items()->AddItem("One", Variant(1))->SetImageIndex(1);
  auto measure = [&] {
    std::unique_ptr<TkvCustomEditViewData> data(edit->MakeViewData());
    TkvEditSizeRequest request;
    edit->GetSizeRequest(request);
    TSize size;
    data->GetEditSize(ScreenCanvasInstance(), edit->GetEditValueProp(), size, request);
    return size;
  };
  const TSize plain = measure();
  auto small = MakeImages(2, 16), tall = MakeImages(2, 40);
  Props()->SetImages(small.get());
  EXPECT_EQ(measure().cx - plain.cx, 16 + 5 - 1);
  Props()->SetImages(tall.get());
  const TSize withImage = measure();
  EXPECT_GT(withImage.cy, plain.cy);
  // Without descriptions the editor keeps the size the image asks for.
  Props()->SetShowDescriptions(false);
  EXPECT_EQ(measure().cx, withImage.cx);
  Props()->SetShowDescriptions(true);
  // A cell shows the unforced description and the item's image; no item: the defaults.
  std::unique_ptr<TkvCustomEditViewData> data(
      Props()->MakeViewData(edit->GetEditStyle(), true, false));
  TkvImageComboBoxViewInfo info;
  data->LoadDisplayValue(ScreenCanvasInstance(), Variant(String("1")), &info);
  EXPECT_EQ(info.ImageIndex, 1);
  EXPECT_EQ(info.Text, "One");
  Props()->SetShowDescriptions(false);
  Props()->SetDefaultImageIndex(0);
  data.reset(Props()->MakeViewData(edit->GetEditStyle(), true, false));
  data->LoadDisplayValue(ScreenCanvasInstance(), Variant(2), &info);
  EXPECT_EQ(info.ImageIndex, 0);
  EXPECT_EQ(info.Text, "");
}

TEST_F(ImageComboBox, TheFilterRowEditsWithAnImageComboShowingDescriptions) {
  TkvFilterEditHelperClass helper = TheFilterEditsController()->FindHelper(TkvImageComboBoxProperties::ClassInfo());
  ASSERT_EQ(helper, FilterEditHelperOf<TkvFilterImageComboBoxHelper>());
  EXPECT_EQ(helper->FilterEditorClass(), TkvImageComboBox::ClassInfo());
  TkvImageComboBoxProperties filter(nullptr);
  filter.SetShowDescriptions(false);
  filter.SetImmediateDropDown(false);
  filter.SetDropDownListStyle(lsEditList);
  helper->InitFilterProperties(&filter, Props(), true);
  EXPECT_TRUE(filter.GetShowDescriptions());
  EXPECT_TRUE(filter.GetImmediateDropDown());
  EXPECT_EQ(filter.GetDropDownListStyle(), lsFixedList);
  for (bool extended : {false, true}) {
    const TkvFilterOperators operators = helper->FilterOperatorSet(nullptr, extended);
    TkvFilterOperators expected;
    for (Integer code : {1, 2, 9, 10}) expected.set(code);
    if (extended) expected.set(13).set(14);
    EXPECT_EQ(operators, expected) << extended;
  }
}

TEST(ImageComboBoxForms, ItemsAndSettingsStreamAndReadBackEqual) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* images = new TCustomImageList(root, 16, 16);
  images->SetName("smallImages");
  auto* edit = new TkvImageComboBox(root);
  edit->SetName("kind");
  edit->SetParent(root);
  TkvImageComboBoxProperties* p = edit->GetImageComboBoxProperties();
  p->SetImages(images);
  p->SetImageAlign(TkvImageAlign::iaRight);
  p->SetMultiLineText(true);
  p->GetImageItems()->AddItem("Null");
  p->GetImageItems()->AddItem("Integer", Variant(3))->SetImageIndex(2);
  p->GetImageItems()->AddItem("Float", Variant(2.5))->SetTag(7);
  p->GetImageItems()->AddItem("String", Variant(String("s")));
  edit->SetEditValue(Variant(2.5));
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("iaRight"), String::npos);
  EXPECT_EQ(text.find("DropDownListStyle"), String::npos);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvImageComboBox*>(copy->FindComponent("kind"));
  ASSERT_NE(read, nullptr);
  TkvImageComboBoxProperties* r = read->GetImageComboBoxProperties();
  EXPECT_EQ(r->GetImages(), copy->FindComponent("smallImages"));
  EXPECT_EQ(r->GetImageAlign(), TkvImageAlign::iaRight);
  ASSERT_EQ(r->GetImageItems()->GetCount(), 4);
  EXPECT_TRUE(VarIsNull(r->GetImageItems()->GetItem(0)->GetValue()));
  EXPECT_TRUE(VarSameTypeAndValue(r->GetImageItems()->GetItem(1)->GetValue(), Variant(3)));
  EXPECT_EQ(r->GetImageItems()->GetItem(1)->GetImageIndex(), 2);
  EXPECT_EQ(r->GetImageItems()->GetItem(2)->GetTag(), 7);
  EXPECT_EQ(read->GetItemIndex(), 2);
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

TEST(ImageComboBoxUnit, StartEndAndStartAgainRegisterOnce) {
  kvImageComboBoxEnd();
  EXPECT_EQ(GetClass("TkvImageComboBox"), nullptr);
  EXPECT_NE(TheFilterEditsController()->FindHelper(TkvImageComboBoxProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterImageComboBoxHelper>());
  kvImageComboBoxStart();
  kvImageComboBoxStart();
  kvImageComboBoxEnd();
  EXPECT_NE(GetClass("TkvImageComboBox"), nullptr);
  const Integer index = EditPropertiesRegistry()->IndexOfClass(TkvImageComboBoxProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index),
            "ImageComboBox|Represents an editor displaying the list of images and text strings within the dropdown "
            "window");
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvImageComboBoxProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterImageComboBoxHelper>());
}

}  // namespace
