// The skin painter on a probe skin: every element picture is one flat colour per image and state,
// so a pixel tells which element drew, with which image and in which state. Without a skin the
// same operations must draw what the Office-11 painter draws.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../foundation/PainterTestSupport.h"
#include "SkinsTestSupport.h"
#include "rtl/DateUtils.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"
#include "toolkit/skins/qzSkinsStrs.h"

// A skin painter class of its own, registered by the tests under "Probe".
class TProbeSkinPainter : public TqzSkinLookAndFeelPainter {
  TAVREN_CLASS(TProbeSkinPainter, TqzSkinLookAndFeelPainter)
};
TAVREN_CLASS_IMPL(TProbeSkinPainter)

namespace {

constexpr Integer kFrame = 8;
constexpr Integer kImages = 9;
constexpr Integer kStateCount = 4;
constexpr TqzSkinElementState kStates[kStateCount] = {esNormal, esHot, esPressed, esDisabled};
constexpr TColor kBack = kUntouched;
constexpr Integer kBackground = -1;
const TRect R = Rect(4, 4, 28, 28);

COLORREF Code(Integer Element, Integer Index, TqzSkinElementState State) {
  return RGB(Element & 0xFF, 0x10 * Index + State, 0x40 + (Element >> 8));
}
COLORREF GlyphCode(Integer Element) { return RGB(Element & 0xFF, 0xF0, 0xC0); }
TColor ElementColor(Integer Element) { return static_cast<TColor>(RGB(Element & 0xFF, 0xE0, 0x11)); }
TColor TextColor(Integer Element) { return static_cast<TColor>(RGB(Element & 0xFF, 0xE1, 0x22)); }
uint32_t Rgb(COLORREF C) { return (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C); }

TkvCustomLookAndFeelPainter* Office11() { return PainterClassOf<TkvOffice11LookAndFeelPainter>(); }
TqzSkinLookAndFeelPainter* Probe() { return PainterClassOf<TProbeSkinPainter>(); }

using Surface = PainterSurface;

std::vector<COLORREF> Pixels(Surface& S) {
  std::vector<COLORREF> all;
  for (Integer y = 0; y < 40; ++y)
    for (Integer x = 0; x < 40; ++x) all.push_back(S.At(x, y));
  return all;
}

using Draw = std::function<void(TkvCustomLookAndFeelPainter* Painter, TkvCanvas* Canvas)>;

struct DrawRow {
  const char* name;
  Draw draw;
  TPoint probe;
  Integer element;  // kBackground: the probe keeps the background
  Integer index = 0;
  TqzSkinElementState state = esNormal;
  bool glyph = false;   // the element's glyph, not its image
  // Drawn the skin's way with or without a skin, or through an operation that is (the text of
  // headers and footer cells, the footer frame's colour).
  bool always = false;
};

const TkvDrawBackgroundEvent kNoBackground;

std::vector<DrawRow> DrawRows() {
  using P = TkvCustomLookAndFeelPainter;
  using C = TkvCanvas;
  const TPoint mid{16, 16};
  return {
      {"check box checked, hot", [](P* p, C* c) { p->PaintCheckBox(c, R, kvbsHot, cbsChecked); }, mid,
       seEditorsCheckbox, 1, esHot},
      {"check box grayed, disabled", [](P* p, C* c) { p->PaintCheckBox(c, R, kvbsDisabled, cbsGrayed); }, mid,
       seEditorsCheckbox, 2, esDisabled},
      {"radio checked, pressed",
       [](P* p, C* c) { p->PaintRadioButton(c, 4, 4, kvbsPressed, true, false, clDefault, false); }, {8, 8},
       seEditorsRadioButton, 1, esPressed},
      {"expand button, expanded", [](P* p, C* c) { p->PaintExpandButton(c, R, true, clBlack); }, mid,
       seGridPlusMinus, 1, esNormal},
      {"small expand button", [](P* p, C* c) { p->PaintSmallExpandButton(c, R, false, clBlack, clWhite); }, mid,
       seGridPlusMinus, 0, esNormal},
      {"button, default", [](P* p, C* c) { p->PaintButton(c, R, "", kvbsDefault, true, clBtnFace, clDefault, false); },
       mid, seCommonButton, 0, esNormal},
      {"header, special, hot",
       [](P* p, C* c) {
         p->PaintHeader(c, R, R, {}, kvAllBorders, kvbsHot, taLeftJustify, vaTop, false, false, "", nullptr, clBlack,
                        clWhite, kNoBackground, false, 1);
       },
       mid, seCommonHeaderSpecial, 0, esHot, false, true},
      {"header simple, pressed",
       [](P* p, C* c) {
         p->PaintHeaderSimple(c, R, R, {}, kvAllBorders, kvbsPressed, taLeftJustify, vaTop, false, false, "", nullptr,
                              clBlack, clWhite, kNoBackground);
       },
       mid, seCommonHeader, 0, esPressed, false, true},
      {"background area", [](P* p, C* c) { p->PaintBackgroundArea(c, R, false, clWhite, nullptr); }, mid,
       seGridGridGroupPanel, 0, esNormal},
      {"footer cell",
       [](P* p, C* c) {
         p->PaintFooterCell(c, R, taLeftJustify, vaTop, false, "", nullptr, clBlack, clWhite, kNoBackground);
       },
       mid, seGridFooterCell, 0, esNormal, false, true},
      {"footer frame, right of the clipped part", [](P* p, C* c) { p->PaintFooterFrame(c, R); }, {26, 10},
       seGridFooterPanel, 0, esNormal, false, true},
      {"footer frame, clipped inside", [](P* p, C* c) { p->PaintFooterFrame(c, R); }, mid, kBackground, 0, esNormal, false,
       true},
      {"footer content", [](P* p, C* c) { p->PaintFooterContent(c, R, TkvViewParams{}); }, mid, seGridFooterPanel, 0,
       esNormal},
      {"filter close button, hot", [](P* p, C* c) { p->PaintFilterCloseButton(c, R, kvbsHot); }, mid,
       seEditorsCloseButton, 0, esHot},
      {"filter drop-down, active", [](P* p, C* c) { p->PaintFilterDropDownButton(c, R, kvbsPressed, true); }, mid,
       seGridFilterButtonActive, 0, esPressed},
      {"filter drop-down", [](P* p, C* c) { p->PaintFilterDropDownButton(c, R, kvbsNormal, false); }, mid,
       seGridFilterButton, 0, esNormal},
      {"filter panel", [](P* p, C* c) { p->PaintFilterPanel(c, R, false, clWhite, nullptr); }, mid,
       seGridGridFilterPanel, 0, esNormal},
      {"indicator customize mark", [](P* p, C* c) { p->PaintIndicatorCustomizeMark(c, R, clBlack); }, mid,
       seGridIndicatorImages, 2, esNormal},
      {"indicator glyph 6", [](P* p, C* c) { p->PaintIndicatorGlyph(c, R, 6); }, mid, seGridIndicatorImages, 8,
       esNormal},
      {"indicator glyph 4", [](P* p, C* c) { p->PaintIndicatorGlyph(c, R, 4); }, mid, seGridIndicatorImages, 0,
       esNormal},
      {"indicator glyph 0", [](P* p, C* c) { p->PaintIndicatorGlyph(c, R, 0); }, mid, kBackground},
      {"scroll bar thumb, horizontal, hot",
       [](P* p, C* c) { p->PaintScrollBarPart(c, true, R, sbpThumbnail, kvbsHot); }, mid, seCommonScrollThumbHorz, 0,
       esHot},
      {"size grip", [](P* p, C* c) { p->PaintSizeGrip(c, R, clWhite); }, mid, seCommonSizeGrip, 0, esNormal},
      {"progress chunk, vertical", [](P* p, C* c) { p->PaintProgressChunk(c, R, true); }, mid,
       seEditorsProgressChunkVert, 0, esNormal},
      {"progress frame", [](P* p, C* c) { p->PaintProgressFrame(c, R, false); }, mid, seEditorsProgressBorder, 0,
       esNormal},
      {"scheduler progress, chunk",
       [](P* p, C* c) { p->PaintSchedulerEventProgress(c, R, Rect(8, 8, 20, 20), TkvViewParams{}, false); }, mid,
       seEditorsProgressChunk, 0, esNormal},
      {"scheduler progress, border",
       [](P* p, C* c) { p->PaintSchedulerEventProgress(c, R, Rect(8, 8, 20, 20), TkvViewParams{}, false); }, {5, 5},
       seEditorsProgressBorder, 0, esNormal},
      {"group box background", [](P* p, C* c) { p->PaintGroupBoxBackground(c, R, R); }, mid,
       seCommonGroupPanelNoBorder, 0, esNormal},
      {"group box caption, left", [](P* p, C* c) { p->PaintGroupBoxCaption(c, R, 2); }, mid,
       seCommonGroupPanelCaptionLeft, 0, esNormal},
      {"group box content, inside", [](P* p, C* c) { p->PaintGroupBoxContent(c, R, 0); }, mid,
       seCommonGroupPanelNoBorder, 0, esNormal},
      {"group box content, frame", [](P* p, C* c) { p->PaintGroupBoxContent(c, R, 0); }, {4, 4},
       seCommonGroupPanelTop, 0, esNormal},
      {"panel frame, edge", [](P* p, C* c) { p->PaintPanelFrame(c, R); }, {5, 5}, seCommonGroupPanel, 0, esNormal},
      {"panel frame, inside", [](P* p, C* c) { p->PaintPanelFrame(c, R); }, mid, kBackground},
      {"panel background hook", [](P* p, C* c) { p->PanelHook198(c, R, false); }, mid, seCommonGroupPanelNoBorder, 0,
       esNormal},
      {"track, second part",
       [](P* p, C* c) { p->PanelHook201(c, Rect(4, 4, 16, 28), Rect(16, 4, 28, 28), true, false, true); }, {20, 16},
       seEditorsTrackBarTrack, 3, esNormal},
      {"track, vertical, first part",
       [](P* p, C* c) { p->PanelHook201(c, Rect(4, 4, 16, 28), Rect(16, 4, 28, 28), false, true, false); }, {8, 16},
       seEditorsTrackBarTrackVert, 0, esNormal},
      {"thumb, vertical, both ticks, hot", [](P* p, C* c) { p->PaintTrackBarThumb(c, R, kvbsHot, false, 2); }, mid,
       seEditorsTrackBarThumbVertBoth, 0, esHot},
      {"thumb, ticks up", [](P* p, C* c) { p->PaintTrackBarThumb(c, R, kvbsNormal, true, 0); }, mid,
       seEditorsTrackBarThumbUp, 0, esNormal},
      {"splitter, horizontal, highlighted", [](P* p, C* c) { p->PaintSplitter(c, R, true, false, true); }, mid,
       seCommonSplitterHorz, 1, esNormal},
      {"navigator glyph of the second list",
       [](P* p, C* c) { p->PaintNavigatorGlyph(c, nullptr, kImages + 1, 0, TPoint{4, 4}, true, 0); }, {8, 8},
       seEditorsNavigatorVert, 1, esNormal},
      {"scheduler nav button, next, hot",
       [](P* p, C* c) { p->PaintSchedulerNavButtonFace(c, R, Rect(20, 20, 24, 24), true, kvbsHot); }, mid,
       seSchedulerNavButtonNext, 0, esHot},
      {"scheduler nav button arrow",
       [](P* p, C* c) { p->PaintSchedulerNavButtonFace(c, R, Rect(20, 20, 24, 24), true, kvbsHot); }, {22, 22},
       seSchedulerNavButtonNextArrow, 0, esHot},
      {"edit button 0: close", [](P* p, C* c) { p->PaintEditButton(c, R, 0, kvbsHot); }, mid, seEditorsCloseButton, 0,
       esHot},
      {"edit button 1: combo glyph", [](P* p, C* c) { p->PaintEditButton(c, R, 1, kvbsPressed); }, mid,
       seEditorsComboButtonGlyph, 0, esNormal, true},
      {"edit button 1: button under the glyph", [](P* p, C* c) { p->PaintEditButton(c, R, 1, kvbsPressed); }, {4, 4},
       seEditorsEditorButton, 0, esPressed},
      {"edit button 2: its own glyph", [](P* p, C* c) { p->PaintEditButton(c, R, 2, kvbsNormal); }, mid,
       seEditorsEditorButton, 0, esNormal, true},
      {"edit button 3: between the dots, the button's own glyph",
       [](P* p, C* c) { p->PaintEditButton(c, R, 3, kvbsHot); }, {14, 16}, seEditorsEditorButton, 0, esHot, true},
      {"edit button 4: spin up", [](P* p, C* c) { p->PaintEditButton(c, R, 4, kvbsNormal); }, mid,
       seEditorsSpinUpGlyph, 0, esNormal, true},
      {"edit button 5: spin down", [](P* p, C* c) { p->PaintEditButton(c, R, 5, kvbsNormal); }, mid,
       seEditorsSpinDownGlyph, 0, esNormal, true},
      {"edit button 6: spin left", [](P* p, C* c) { p->PaintEditButton(c, R, 6, kvbsNormal); }, mid,
       seEditorsSpinLeftGlyph, 0, esNormal, true},
      {"edit button 7: spin right", [](P* p, C* c) { p->PaintEditButton(c, R, 7, kvbsDisabled); }, mid,
       seEditorsSpinRightGlyph, 0, esNormal, true},
      {"group button", [](P* p, C* c) { p->PaintGroupButton(c, R, kvbsNormal, 1, 0, clNone); }, {4, 4},
       seEditorsEditorButton, 0, esNormal, false, true},
      {"scheduler navigator button", [](P* p, C* c) { p->PaintSchedulerNavigatorButton(c, R, kvbsPressed); }, {4, 4},
       seEditorsEditorButton, 0, esPressed, false, true},
      {"month header",
       [](P* p, C* c) { p->PaintMonthHeader(c, R, "", {}, TkvViewParams{}, 0, 0, kNoBackground); }, mid,
       seCommonHeader, 0, esNormal, false, true},
      {"indicator item", [](P* p, C* c) { p->PaintIndicatorItem(c, R, 0, clWhite, kNoBackground); }, mid,
       seCommonHeader, 0, esNormal, false, true},
  };
}

// Every element of the probe skin drawn in its code colours, 8 x 8 frames, nine images of four
// states; the edit-button glyphs in their own colour. The skin is registered as "Probe".
class ProbeSkin : public testing::Test {
 protected:
  void SetUp() override {
    skin = new TqzSkin("Probe", false, nullptr);
    info = new TqzSkinLookAndFeelPainterInfo(skin);
    for (Integer e = 0; e < kqzSkinElementCount; ++e) {
      TqzSkinElement* element = info->Element(static_cast<TqzSkinElementId>(e));
      if (element) Paint(element, e, e == seEditorsNavigator ? 4 : kFrame);
    }
    for (TqzSkinElementId id : {seEditorsComboButtonGlyph, seEditorsEditorButton, seEditorsSpinUpGlyph,
                                seEditorsSpinDownGlyph, seEditorsSpinLeftGlyph, seEditorsSpinRightGlyph}) {
      TqzSkinImage* glyph = info->Element(id)->GetGlyph();
      glyph->SetStates({esNormal, esHot, esPressed, esDisabled});
      SetPicture(glyph, kFrame * kImages * kStateCount, kFrame, [id](Integer, Integer) { return Rgb(GlyphCode(id)); });
    }
    info->Element(seGridFooterPanel)->GetContentOffset()->AssignRect(Rect(2, 0, 3, 4));
    info->Element(seCommonGroupPanel)->GetContentOffset()->AssignRect(Rect(2, 2, 2, 2));
    info->Element(seEditorsEditorButton)->SetTextColor(clLime);
    // The edit button's own glyph lies inside its content offset, the button shows around it.
    info->Element(seEditorsEditorButton)->GetContentOffset()->AssignRect(Rect(3, 3, 3, 3));
    ASSERT_TRUE(ExtendedStylePaintersInstance()->AddPainter("Probe", Probe(), info));
  }
  void TearDown() override { ExtendedStylePaintersInstance()->RemovePainter("Probe"); }

  static void Paint(TqzSkinElement* Element, Integer Id, Integer FrameSize = kFrame) {
    Element->SetImageCount(kImages);
    TqzSkinImage* image = Element->GetImage();
    image->GetMargins()->AssignRect(Rect(0, 0, 0, 0));
    image->SetStretch(smStretch);
    image->SetStates({esNormal, esHot, esPressed, esDisabled});
    Element->GetContentOffset()->AssignRect(Rect(0, 0, 0, 0));
    Element->SetColor(ElementColor(Id));
    Element->SetTextColor(TextColor(Id));
    SetPicture(image, FrameSize * kImages * kStateCount, FrameSize, [Id, FrameSize](Integer X, Integer) {
      const Integer frame = X / FrameSize;
      return Rgb(Code(Id, frame / kStateCount, kStates[frame % kStateCount]));
    });
  }

  TqzSkinColor* AddColorProperty(TqzSkinPersistent* Owner, Integer Name, TColor Value) {
    auto* color = static_cast<TqzSkinColor*>(Owner->AddProperty(SkinStr(Name), TqzSkinColor::ClassInfo()));
    color->SetValue(Value);
    return color;
  }

  TqzSkin* skin = nullptr;
  TqzSkinLookAndFeelPainterInfo* info = nullptr;  // owned by the registry
};

std::string Str(Integer V) { return std::to_string(V); }
std::string Str(const TSize& S) { return Str(S.cx) + "x" + Str(S.cy); }
std::string Str(const TPoint& P) { return Str(P.X) + "," + Str(P.Y); }
std::string Str(const TRect& Q) { return Str(Q.Left) + "," + Str(Q.Top) + "," + Str(Q.Right) + "," + Str(Q.Bottom); }

// The ellipsis dots: where they are, and that the pixels beside them are not.
void ExpectDots(Surface& S, std::initializer_list<TPoint> Dots, TPoint Gap) {
  for (const TPoint& p : Dots) EXPECT_EQ(S.At(p.X, p.Y), ColorToRGB(clLime)) << Str(p);
  EXPECT_NE(S.At(Gap.X, Gap.Y), ColorToRGB(clLime)) << Str(Gap);
}

}  // namespace

TEST_F(ProbeSkin, EveryDrawingOperationDrawsItsElementImageAndState) {
  for (const DrawRow& row : DrawRows()) {
    SCOPED_TRACE(row.name);
    Surface s;
    row.draw(Probe(), s.Canvas());
    const COLORREF expected = row.element == kBackground ? ColorToRGB(kBack)
                              : row.glyph               ? GlyphCode(row.element)
                                                        : Code(row.element, row.index, row.state);
    EXPECT_EQ(s.At(row.probe.X, row.probe.Y), expected);
  }
}

TEST(SkinPainterWithoutSkin, DrawsAsTheOffice11PainterSaveTheSkinsOwnRows) {
  // "Probe" is not registered here: the painter has no information object at all.
  ASSERT_EQ(Probe()->PainterInfo(), nullptr);
  for (const DrawRow& row : DrawRows()) {
    if (row.always) continue;
    SCOPED_TRACE(row.name);
    Surface skinned, office;
    row.draw(Probe(), skinned.Canvas());
    row.draw(Office11(), office.Canvas());
    EXPECT_EQ(Pixels(skinned), Pixels(office));
  }
}

TEST_F(ProbeSkin, ColoursAndMetricsComeFromTheSkinElseFromOffice11) {
  skin->AddColor(SkinStr(sqzSkinNameContentColor), static_cast<TColor>(0x010203));
  skin->AddColor(SkinStr(sqzSkinNameContentEvenColor), clDefault);
  skin->AddColor(SkinStr(sqzSkinNameContentOddColor), static_cast<TColor>(0x020304));
  skin->AddColor(SkinStr(sqzSkinNameContentTextColor), static_cast<TColor>(0x030405));
  skin->AddColor(SkinStr(sqzSkinNameHeaderBackgroundColor), static_cast<TColor>(0x040506));
  skin->AddColor(SkinStr(sqzSkinNameHeaderBackgroundTextColor), static_cast<TColor>(0x050607));
  skin->AddColor(SkinStr(sqzSkinNameSelectionColor), static_cast<TColor>(0x060708));
  skin->AddColor(SkinStr(sqzSkinNameSelectionTextColor), static_cast<TColor>(0x070809));
  skin->AddColor(SkinStr(sqzSkinNameContainerBorderColor), static_cast<TColor>(0x08090A));
  skin->AddColor(SkinStr(sqzSkinNameContainerHighlightBorderColor), static_cast<TColor>(0x090A0B));
  TqzSkinControlGroup* editors = info->Group(sgEditors);
  AddColorProperty(editors, sqzSkinNameBackgroundColor, static_cast<TColor>(0x0A0B0C));
  AddColorProperty(editors, sqzSkinNameBackgroundDisabledColor, static_cast<TColor>(0x0B0C0D));
  AddColorProperty(editors, sqzSkinNameTextColor, static_cast<TColor>(0x0C0D0E));
  AddColorProperty(editors, sqzSkinNameTextDisabledColor, static_cast<TColor>(0x0D0E0F));
  info->Element(seGridFooterCell)->GetContentOffset()->AssignRect(Rect(1, 5, 2, 3));
  info->Element(seEditorsProgressBorderVert)->GetContentOffset()->AssignRect(Rect(1, 2, 3, 4));
  info->Element(seEditorsProgressBorder)->GetContentOffset()->AssignRect(Rect(4, 3, 2, 1));
  info->Element(seCommonGroupPanelCaptionTop)->GetContentOffset()->AssignRect(Rect(0, 6, 0, 1));
  info->Element(seSchedulerNavButtonNext)->GetContentOffset()->AssignRect(Rect(2, 1, 2, 1));
  TqzSkinLookAndFeelPainter* p = Probe();
  TkvCustomLookAndFeelPainter* o = Office11();
  const auto text = [](TqzSkinElementId Id) { return Str(TextColor(Id)); };
  const auto color = [](TqzSkinElementId Id) { return Str(ElementColor(Id)); };
  struct Row {
    const char* name;
    std::function<std::string()> value;
    std::string expected;
  };
  const Row rows[] = {
      {"ContentColor", [&] { return Str(p->ContentColor()); }, Str(0x010203)},
      // clDefault asks the Office-11 operation, which answers the (skin's) content colour.
      {"ContentEvenColor, clDefault", [&] { return Str(p->ContentEvenColor()); }, Str(0x010203)},
      {"ContentOddColor", [&] { return Str(p->ContentOddColor()); }, Str(0x020304)},
      {"ContentTextColor", [&] { return Str(p->ContentTextColor()); }, Str(0x030405)},
      {"EditorBackgroundColor", [&] { return Str(p->EditorBackgroundColor(false)); }, Str(0x0A0B0C)},
      {"EditorBackgroundColor disabled", [&] { return Str(p->EditorBackgroundColor(true)); }, Str(0x0B0C0D)},
      {"EditorTextColor", [&] { return Str(p->EditorTextColor(false)); }, Str(0x0C0D0E)},
      {"EditorTextColor disabled", [&] { return Str(p->EditorTextColor(true)); }, Str(0x0D0E0F)},
      {"FilterBoxTextColor", [&] { return Str(p->FilterBoxTextColor()); }, text(seGridGridFilterPanel)},
      {"FixedSeparatorColor", [&] { return Str(p->FixedSeparatorColor()); }, color(seGridGridFixedLine)},
      {"grid line", [&] { return Str(p->DefaultColor18()); }, color(seGridGridLine)},
      {"FooterFrameColor", [&] { return Str(p->FooterFrameColor()); }, color(seGridGridLine)},
      {"group panel text", [&] { return Str(p->DefaultColor20()); }, text(seGridGridGroupPanel)},
      {"GridDetailsSiteColor", [&] { return Str(p->GridDetailsSiteColor()); }, color(seGridGroupRow)},
      {"group row text", [&] { return Str(p->DefaultColor22()); }, text(seGridGroupRow)},
      {"GroupByBoxColor", [&] { return Str(p->GroupByBoxColor()); }, Str(0x040506)},
      {"GroupByBoxTextColor", [&] { return Str(p->GroupByBoxTextColor()); }, Str(0x050607)},
      {"header colour", [&] { return Str(p->DefaultColor25()); }, color(seCommonHeader)},
      {"GroupTextColor", [&] { return Str(p->GroupTextColor()); }, text(seCommonHeader)},
      {"fixed line", [&] { return Str(p->DefaultColor31()); }, color(seGridGridFixedLine)},
      {"form content", [&] { return Str(p->DefaultColor32()); }, color(seFormFormContent)},
      {"category", [&] { return Str(p->DefaultColor33()); }, color(seVerticalGridCategory)},
      {"category text", [&] { return Str(p->DefaultColor34()); }, text(seVerticalGridCategory)},
      {"vertical grid line", [&] { return Str(p->DefaultColor35()); }, color(seVerticalGridGridLine)},
      {"band border", [&] { return Str(p->DefaultColor36()); }, color(seVerticalGridBandBorder)},
      {"SchedulerBackgroundColor", [&] { return Str(p->SchedulerBackgroundColor()); }, Str(0x010203)},
      {"content colour 43", [&] { return Str(p->DefaultColor43()); }, Str(0x010203)},
      {"navigator colour, absent", [&] { return Str(p->DefaultColor44()); }, Str(o->DefaultColor44())},
      {"appointment text 46", [&] { return Str(p->DefaultColor46(1, 2)); }, text(seSchedulerAppointment)},
      {"appointment text 47", [&] { return Str(p->DefaultColor47()); }, text(seSchedulerAppointment)},
      {"selection", [&] { return Str(p->DefaultColor48()); }, Str(0x060708)},
      {"selection text", [&] { return Str(p->DefaultColor49()); }, Str(0x070809)},
      {"card separator", [&] { return Str(p->DefaultColor50()); }, color(seGridCardSeparator)},
      {"ButtonGlyphColor", [&] { return Str(p->ButtonGlyphColor(kvbsHot, clRed)); }, text(seCommonButton)},
      {"ButtonGlyphColor disabled, no property", [&] { return Str(p->ButtonGlyphColor(kvbsDisabled, clRed)); },
       text(seCommonButton)},
      {"EditButtonCaptionColor", [&] { return Str(p->EditButtonCaptionColor()); }, Str(clLime)},
      {"ContainerFrameColor", [&] { return Str(p->ContainerFrameColor(false)); }, Str(0x08090A)},
      {"ContainerFrameColor highlighted", [&] { return Str(p->ContainerFrameColor(true)); }, Str(0x090A0B)},
      {"GroupBoxCaptionColor 1", [&] { return Str(p->GroupBoxCaptionColor(1)); },
       text(seCommonGroupPanelCaptionBottom)},
      {"GroupBoxCaptionColor 4", [&] { return Str(p->GroupBoxCaptionColor(4)); }, Str(o->GroupBoxCaptionColor(4))},
      {"ButtonFrameWidth", [&] { return Str(p->ButtonFrameWidth(kvbsNormal)); }, "0"},
      {"ButtonGroupFrameWidths", [&] { return Str(p->ButtonGroupFrameWidths(2, 0)); }, "2,2,2,2"},
      {"ExpandButtonExtent", [&] { return Str(p->ExpandButtonExtent()); }, "8"},
      {"CheckBoxExtent", [&] { return Str(p->CheckBoxExtent()); }, "8x8"},
      {"RadioButtonExtent", [&] { return Str(p->RadioButtonExtent()); }, "8x8"},
      {"FooterCellFrameWidth", [&] { return Str(p->FooterCellFrameWidth()); }, "5"},
      {"FilterCloseButtonExtent", [&] { return Str(p->FilterCloseButtonExtent()); }, "8,8"},
      {"ScrollBarMinThumbExtent", [&] { return Str(p->ScrollBarMinThumbExtent(true)); }, "8"},
      {"SizeGripExtent", [&] { return Str(p->SizeGripExtent()); }, "8x8"},
      {"SchedulerEventProgressMargins", [&] { return Str(p->SchedulerEventProgressMargins()); }, "4,3,2,1"},
      {"SchedulerNavButtonMetrics",
       [&] {
         TRect borders;
         TSize arrow;
         p->SchedulerNavButtonMetrics(true, borders, arrow);
         return Str(borders) + " " + Str(arrow);
       },
       "2,1,2,1 8x8"},
      {"EditButtonTextIndent", [&] { return Str(p->EditButtonTextIndent()); }, "1"},
      {"EditButtonExtent", [&] { return Str(p->EditButtonExtent()); }, "8x8"},
      {"NavigatorGlyphExtent", [&] { return Str(p->NavigatorGlyphExtent()); }, "4x4"},
      {"ProgressFrameWidths vertical", [&] { return Str(p->ProgressFrameWidths(true)); }, "1,2,3,4"},
      {"GroupBoxFrameWidths caption top", [&] { return Str(p->GroupBoxFrameWidths(true, 0)); }, "0,6,0,1"},
      {"GroupBoxFrameWidths frame 4", [&] { return Str(p->GroupBoxFrameWidths(false, 4)); }, "2,2,2,2"},
      {"GroupBoxFrameWidths caption 4", [&] { return Str(p->GroupBoxFrameWidths(true, 4)); },
       Str(o->GroupBoxFrameWidths(true, 4))},
      {"TrackBarThumbExtent", [&] { return Str(p->TrackBarThumbExtent(false)); }, "8x8"},
      {"TrackBarTrackWidth", [&] { return Str(p->TrackBarTrackWidth()); }, "8"},
      {"SplitterExtent", [&] { return Str(p->SplitterExtent(true)); }, "8x8"},
      {"HeaderFrameSides without left and top neighbours",
       [&] { return Str(p->HeaderFrameSides({bLeft, bTop}) == (o->HeaderFrameSides({bLeft, bTop}) - TkvBorders{bLeft, bTop})); },
       "1"},
      {"the skin's constant answers",
       [&] {
         return Str(p->HeaderFlag120()) + Str(p->FooterCellsPaintedFirst()) + Str(p->IndicatorItemsPaintedFirst());
       },
       "001"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.value(), row.expected) << row.name;

  AddColorProperty(info->Element(seCommonButton), sqzSkinNameDisabledText, static_cast<TColor>(0x0E0F10));
  EXPECT_EQ(p->ButtonGlyphColor(kvbsDisabled, clRed), static_cast<TColor>(0x0E0F10));
  EXPECT_EQ(p->ButtonGlyphColor(kvbsNormal, clRed), TextColor(seCommonButton));
}

TEST_F(ProbeSkin, ButtonTextSitsOnWholePixels) {
  // The text rectangle inside the content offset: 21 high loses its last row, 16 high moves up.
  TqzSkinElement* button = info->Element(seCommonButton);
  button->GetContentOffset()->AssignRect(Rect(2, 2, 2, 2));
  struct Case {
    TRect bounds;
    TRect text;
    bool evenText;  // each rule shows only with text of one parity
  };
  const Case cases[] = {{Rect(0, 0, 40, 25), Rect(2, 2, 38, 22), false},
                        {Rect(0, 0, 40, 20), Rect(2, 1, 38, 18), true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Str(c.bounds));
    Surface painted, expected;
    Integer size = 7;
    do {
      painted.Canvas()->CurrentFont()->SetSize(++size);
    } while (size < 30 && (painted.Canvas()->TextHeightOf("Wg") % 2 == 0) != c.evenText);
    expected.Canvas()->CurrentFont()->SetSize(size);
    Probe()->PaintButton(painted.Canvas(), c.bounds, "Wg", kvbsNormal, true, clBtnFace, clDefault, false);
    button->Draw(expected.Canvas()->DCHandle(), c.bounds, 0, esNormal);
    expected.Canvas()->CurrentFont()->SetColor(TextColor(seCommonButton));
    expected.Canvas()->CurrentBrush()->SetStyle(bsClear);
    expected.Canvas()->PaintText("Wg", c.text, ktfAlignHCenter | ktfAlignVCenter | ktfShowPrefix | ktfSingleLine);
    EXPECT_EQ(Pixels(painted), Pixels(expected));
  }
}

TEST_F(ProbeSkin, EllipsisDotsGrowFromTwelvePixels) {
  // The button's content offset is 3: an 11-pixel content gets 1 x 1 dots, 12 pixels 2 x 2.
  Surface narrow, wide;
  Probe()->PaintEditButton(narrow.Canvas(), Rect(0, 0, 17, 17), 3, kvbsNormal);
  ExpectDots(narrow, {{5, 8}, {8, 8}, {11, 8}}, {6, 8});
  EXPECT_NE(narrow.At(5, 9), ColorToRGB(clLime));
  Probe()->PaintEditButton(wide.Canvas(), Rect(0, 0, 18, 18), 3, kvbsNormal);
  ExpectDots(wide, {{4, 8}, {5, 9}, {8, 8}, {9, 9}, {12, 8}, {13, 9}}, {6, 8});
}

TEST_F(ProbeSkin, CaptionPositionFourHasNoCaptionElement) {
  Surface skinned, office;
  Probe()->PaintGroupBoxCaption(skinned.Canvas(), R, 4);
  Office11()->PaintGroupBoxCaption(office.Canvas(), R, 4);
  EXPECT_EQ(Pixels(skinned), Pixels(office));
}

TEST_F(ProbeSkin, ClockHandsPointAtTheTime) {
  // The glass draws nothing here, so the hands show over the face.
  TqzSkinElement* glass = info->Element(seEditorsClockGlass);
  glass->GetImage()->Clear();
  glass->SetColor(clNone);
  info->Element(seEditorsClockFace)->SetTextColor(clRed);
  const COLORREF face = Code(seEditorsClockFace, 0, esNormal), hand = ColorToRGB(clRed);
  struct Case {
    Word hour;
    std::vector<TPoint> onHands;
    std::vector<TPoint> offHands;
  };
  // Centre (20, 20), half sizes 18: at 3:00 the hour hand points right and the minute and second
  // hands up; at 12:00 all three point up.
  const Case cases[] = {{3, {{24, 20}, {30, 20}, {20, 12}, {20, 7}}, {{20, 30}, {10, 20}, {30, 30}}},
                        {12, {{20, 12}, {20, 7}}, {{30, 20}, {10, 20}, {20, 30}}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hour);
    Surface s;
    Probe()->PaintClockFace(s.Canvas(), Rect(0, 0, 40, 40), EncodeTime(c.hour, 0, 0, 0), clWhite);
    for (const TPoint& p : c.onHands) EXPECT_EQ(s.At(p.X, p.Y), hand) << Str(p);
    for (const TPoint& p : c.offHands) EXPECT_EQ(s.At(p.X, p.Y), face) << Str(p);
  }
}
