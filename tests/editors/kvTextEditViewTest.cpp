#include <memory>

#include "EditorsTestSupport.h"
#include "toolkit/editors/kvTextEdit.h"

namespace {

// Text Properties whose editing style a test chooses.
class ViewTextProperties : public TkvTextEditProperties {
  TAVREN_CLASS(ViewTextProperties, TkvTextEditProperties)
 public:
  using TkvTextEditProperties::TkvTextEditProperties;
  Byte EditingStyleCode() override { return style; }
  Byte style = kvEditingFreeText;
};
TAVREN_CLASS_IMPL(ViewTextProperties)

class ViewTextEdit : public TkvCustomEdit {
  TAVREN_CLASS(ViewTextEdit, TkvCustomEdit)
 public:
  explicit ViewTextEdit(TComponent* AOwner) : TkvCustomEdit(AOwner, false, ViewTextProperties::ClassInfo()) {}
  ViewTextProperties* Props() { return static_cast<ViewTextProperties*>(GetProperties()); }
  TkvContainerStyleValues GetHiddenStyleValues() override { return {}; }
};
TAVREN_CLASS_IMPL(ViewTextEdit)

class TextEditView : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    edit = new ViewTextEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 120, 21);
    canvas = edit->GetKvCanvas();
  }
  TkvCustomTextEditViewData* Data() { return static_cast<TkvCustomTextEditViewData*>(data.get()); }
  void Compute(const TRect& Bounds, const String& Text = String()) {
    data.reset(edit->MakeViewData());
    ASSERT_NE(dynamic_cast<TkvCustomTextEditViewData*>(data.get()), nullptr);
    data->ComputeViewInfo(canvas, Bounds, TPoint{-1, -1}, 0, TShiftState{}, &info, false);
    data->LoadDisplayValue(canvas, Variant(Text), &info);
  }
  Integer LineHeight() { return TextHeightInFont(edit->GetEditStyle()->GetEffectiveFont(), "Zg"); }
  ViewTextEdit* edit = nullptr;
  TkvCanvas* canvas = nullptr;
  std::unique_ptr<TkvCustomEditViewData> data;
  TkvCustomTextEditViewInfo info;
};

TEST_F(TextEditView, TextRectangleIsOneLineAtLeastButNeverPastTheClientArea) {
  Integer line = LineHeight();
  Compute(TRect(0, 0, 120, line + 10));
  EXPECT_GE(info.TextRect.Height(), line);
  EXPECT_EQ(info.TextRect.Top, info.ClientRect.Top + 1);
  // A client area lower than a line: the text rectangle reaches the client's bottom only.
  Compute(TRect(0, 0, 120, line - 2));
  EXPECT_LT(info.ClientRect.Height(), line);
  EXPECT_EQ(info.TextRect.Bottom, info.ClientRect.Bottom);
  EXPECT_EQ(info.TextRect.Top, info.ClientRect.Top + 1);
}

TEST_F(TextEditView, ListStylesMoveTheTextOnePixelInFromItsEdge) {
  edit->Props()->GetAlignment()->SetHorz(taRightJustify);
  Compute(TRect(0, 0, 120, 21));
  TRect free = info.TextRect;
  edit->Props()->style = kvEditingStrictList;
  Compute(TRect(0, 0, 120, 21));
  EXPECT_EQ(info.TextRect.Right, free.Right - 1);
  EXPECT_EQ(info.TextRect.Left, free.Left);
  EXPECT_EQ(info.TextRect.Top, free.Top + 1);
  EXPECT_EQ(info.TextFlags & kvtfHorzMask, kvtfRight);
  EXPECT_TRUE(info.TextFlags & kvtfSingleLine);
}

TEST_F(TextEditView, SelectionColoursComeFromTheRequestOrTheSystem) {
  struct Case {
    TColor text, background, style;
    TColor wantText, wantBackground;
  };
  // Inverses are taken of RGB values, system colours and clDefault resolved first.
  const TColor highlight = static_cast<TColor>(ColorToRGB(clHighlight));
  const Case cases[] = {
      {clDefault, clDefault, clWindow, clHighlightText, clHighlight},
      {clDefault, clDefault, clHighlight, clWhite, clBlack},
      {clRed, clDefault, clWindow, clRed, static_cast<TColor>(0xFFFF00)},
      {clDefault, clHighlight, clWindow, static_cast<TColor>(highlight ^ 0xFFFFFF), clHighlight},
      {clBlue, clYellow, clWindow, clBlue, clYellow},
  };
  for (const Case& c : cases) {
    edit->GetEditStyle()->SetColor(c.style);
    data.reset(edit->MakeViewData());
    auto* text = Data();
    text->SelStart = 1;
    text->SelLength = 2;
    text->SelTextColor = c.text;
    text->SelBackgroundColor = c.background;
    text->SelectionData(&info);
    EXPECT_EQ(info.SelTextColor, c.wantText) << Integer(c.text) << " " << Integer(c.background);
    EXPECT_EQ(info.SelBackgroundColor, c.wantBackground) << Integer(c.text) << " " << Integer(c.background);
  }
}

TEST_F(TextEditView, MeasuredTextSizeByWidthAndLineCount) {
  data.reset(edit->MakeViewData());
  canvas->AssignFont(edit->GetEditStyle()->GetEffectiveFont());
  Integer line = LineHeight();
  const String text = "one two three four five six seven eight";
  Integer oneLine = TextWidthInFont(edit->GetEditStyle()->GetEffectiveFont(), text);
  struct Case {
    Integer width, lineCount, requestLines;
    const char* text;
    Integer wantWidth, wantHeight;  // -1: more than one line, narrower than asked
  };
  const Case cases[] = {
      {-1, 0, 1, "", 0, line},               // no width: one line, as wide as the text
      {-1, 0, 1, text.c_str(), oneLine, line},
      {60, 0, 0, text.c_str(), 60, -1},      // a width wraps the words
      {60, 0, 2, text.c_str(), 60, 2 * line},  // at most the asked lines
      {60, 3, 0, text.c_str(), 60, 3 * line},  // a line count fixes the height
      {0, 0, 0, text.c_str(), 0, line},      // no room to wrap in
  };
  for (const Case& c : cases) {
    TkvEditSizeRequest request;
    request.Width = c.width;
    request.LineCount = c.requestLines;
    TSize size;
    MeasureEditText(canvas, Data(), c.text, size, Data()->TextFlags(), c.lineCount, request, false);
    EXPECT_EQ(size.cx, c.wantWidth) << c.width << " " << c.text;
    if (c.wantHeight >= 0)
      EXPECT_EQ(size.cy, c.wantHeight) << c.width << " " << c.text;
    else
      EXPECT_GT(size.cy, 2 * line) << c.width << " " << c.text;
  }
}

TEST_F(TextEditView, OnlyACutTextAnswersATruncatedTextHint) {
  Compute(TRect(0, 0, 120, 21), "Short");
  String hint;
  TRect rect;
  bool multi = true;
  TPoint inside{info.TextRect.Left + 2, info.TextRect.Top + 2};
  EXPECT_FALSE(info.TruncatedTextHint(inside, hint, rect, multi, TRect()));
  Compute(TRect(0, 0, 120, 21), "A text far too long to be shown whole in this editor");
  ASSERT_TRUE(info.TruncatedTextHint(inside, hint, rect, multi, TRect()));
  EXPECT_EQ(hint, "A text far too long to be shown whole in this editor");
  EXPECT_EQ(rect, info.TextRect);
  EXPECT_FALSE(multi);
  EXPECT_FALSE(info.TruncatedTextHint(TPoint{-5, -5}, hint, rect, multi, TRect()));
}

TEST_F(TextEditView, ViewShowsTheShapedTextWhenNoInnerEditDoes) {
  edit->Props()->SetEchoMode(eemPassword);
  Compute(TRect(0, 0, 120, 21), "abc");
  EXPECT_EQ(info.Text, "***");
  EXPECT_FALSE(info.InnerEditShown);
  form->Show();
  edit->SetEditValue(Variant("abc"));
  Pump();
  // Something darker than the window colour is drawn in the text rectangle.
  auto* view = static_cast<TkvCustomTextEditViewInfo*>(edit->GetEditViewInfo());
  ASSERT_NE(view, nullptr);
  bool inked = false;
  for (Integer x = view->TextRect.Left; x < view->TextRect.Right && !inked; ++x)
    for (Integer y = view->TextRect.Top; y < view->TextRect.Bottom && !inked; ++y)
      inked = FormPixel(x, y) == clBlack;
  EXPECT_TRUE(inked);
}

}  // namespace
