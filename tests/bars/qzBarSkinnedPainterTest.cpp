#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "BarControlTestSupport.h"
#include "BarsTestSupport.h"
#include "PainterTestSupport.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarSkinnedPainter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Clock.h"
#include "user/Painting.h"
#include "user/Rects.h"

namespace {

// A skin source that records what it is asked to draw and answers fixed metrics.
class TRecordingSkin : public TObject, public IqzSkin {
  TAVREN_CLASS(TRecordingSkin, TObject)
 public:
  struct TCall {
    TRect rect;
    Integer part, state;
  };
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  void DrawBackground(HDC, const TRect& R, Integer APart, Integer AState) override {
    calls.push_back({R, APart, AState});
  }
  void DrawCaption(HDC, const String& AText, const TRect& R, Integer, Integer) override {
    captions.push_back(AText);
    captionRect = R;
  }
  TRect GetCaptionRect(const TRect& R, Integer) override { return TRect(R.Left, R.Top, R.Right, R.Top + 15); }
  TRect GetContentOffsets(Integer) override { return offsets; }
  String GetSkinName() override { return ""; }
  TColor GetPartColor(Integer APart, Integer AState) override { return static_cast<TColor>(APart * 16 + AState); }
  Integer GetPartOffset(Integer) override { return 1; }
  // The calls for one part id.
  std::vector<TCall> Of(Integer APart) const {
    std::vector<TCall> found;
    for (const TCall& c : calls)
      if (c.part == APart) found.push_back(c);
    return found;
  }
  std::vector<TCall> calls;
  std::vector<String> captions;
  TRect captionRect;
  TRect offsets{3, 3, 3, 3};
};
TAVREN_CLASS_IMPL(TRecordingSkin)

// The skinned painter with a text size of its own at ratio 1, so ratios are easy to make.
class TTestSkinnedPainter : public TqzBarSkinnedPainter {
  TAVREN_CLASS(TTestSkinnedPainter, TqzBarSkinnedPainter)
  QZ_BAR_PAINTER_CLASS(TTestSkinnedPainter)
 public:
  using TqzBarSkinnedPainter::TqzBarSkinnedPainter;
  Integer ReferenceTextSize() override { return 20; }
};
TAVREN_CLASS_IMPL(TTestSkinnedPainter)

class SkinnedPainter : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(0, 0, 300, 200);
    menu = new TqzBarSubItem(form);
    window = new TTestBarControl(manager);
    window->SetOwnPainter(&painter);
    window->SetParent(form);
    window->SetBounds(20, 20, 250, 150);
    window->SetVisible(true);
    form->Show();
    bitmap.SetSize(250, 150);
    canvas = std::make_unique<TkvCanvas>(bitmap.GetCanvas());
  }
  void TearDown() override {
    delete window;
    BarManagerOnForm::TearDown();
  }
  TqzBarButtonControl* AddButton(const char* ACaption, TqzBarButtonStyle AStyle) {
    return AddButtonControl(form, menu, window, ACaption, AStyle, canvas.get());
  }

  TRecordingSkin skin;
  TTestSkinnedPainter painter{&skin};
  TqzBarSubItem* menu = nullptr;
  TTestBarControl* window = nullptr;
  TBitmap bitmap;
  std::unique_ptr<TkvCanvas> canvas;
};

TEST(SkinStates, FlagsGiveStateCodesByRule) {
  struct Case {
    const char* name;
    bool selectable, selected, enabled, customizing, pressed, down, open, keyboard, dropDown, button;
    Integer hot, part, generic, buttonState;
  } cases[] = {
      {"idle", true, false, true, false, false, false, false, false, false, true, -1, 0, 0, 0},
      {"disabled", true, false, false, false, false, false, false, false, false, true, -1, 0, 1, 1},
      {"hot part", true, true, true, false, false, false, false, false, false, true, 0, 0, 2, 2},
      {"other part hot", true, false, true, false, false, false, false, false, true, true, 1, 0, 3, 3},
      {"disabled selected", true, true, false, false, false, false, false, false, false, true, -1, 0, 8, 8},
      {"pressed", true, true, true, false, true, false, false, false, false, true, 0, 0, 2, 4},
      {"down", true, false, true, false, false, true, false, false, false, true, -1, 0, 0, 6},
      {"down and hot", true, true, true, false, false, true, false, false, false, true, 0, 0, 2, 7},
      {"down by keyboard", true, true, true, false, false, true, false, true, false, true, -1, 0, 3, 7},
      {"down and open", true, true, true, false, false, true, true, false, true, true, -1, 0, 3, 3},
      {"open split", true, true, true, false, false, false, true, false, true, true, -1, 0, 3, 3},
      {"open sub-item", true, true, true, false, false, false, true, false, true, false, -1, 0, 3, 5},
      {"open arrow part", true, true, true, false, false, false, true, false, true, true, -1, 1, 3, 5},
      {"down arrow part", true, false, true, false, false, true, false, false, true, true, -1, 1, 0, 6},
      {"customizing down", true, false, true, true, false, true, false, false, false, true, -1, 0, 0, 6},
      {"customizing open", true, false, true, true, false, false, true, false, false, true, -1, 0, 0, 5},
      {"customizing", true, true, true, true, false, false, false, false, false, true, 0, 0, 2, 0},
      {"other part index", true, true, true, false, false, false, false, false, false, true, -1, 2, 3, 0},
  };
  for (const Case& c : cases) {
    TqzBarButtonLikeControlDrawParams params(nullptr);
    params.SelectableLook = c.selectable;
    params.SelectedLook = c.selected;
    params.EnabledLook = c.enabled;
    params.CustomizingLook = c.customizing;
    params.PressedLook = c.pressed;
    params.DownLook = c.down;
    params.DropDownOpen = c.open;
    params.KeyboardSelection = c.keyboard;
    params.HasDropDownPart = c.dropDown;
    params.ButtonLook = c.button;
    params.HotPartIndex = c.hot;
    EXPECT_EQ(SkinGenericState(&params, c.part), c.generic) << c.name;
    EXPECT_EQ(SkinButtonState(&params, c.part), c.buttonState) << c.name;
  }
}

TEST_F(SkinnedPainter, ButtonSizesComeFromTheFaceOffsetsAndStayEven) {
  struct Case {
    TRect offsets;
    Integer image, height;
  } cases[] = {{TRect(3, 3, 3, 3), 16, 22}, {TRect(3, 3, 3, 3), 13, 22}, {TRect(3, 2, 3, 3), 16, 22},
               {TRect(3, 4, 3, 4), 20, 28}};
  for (const Case& c : cases) {
    skin.offsets = c.offsets;
    EXPECT_EQ(painter.ButtonHeightFor(c.image), c.height) << c.image;
  }
  // Without a skin source nothing is drawn and the sizes hold no frame.
  TqzBarSkinnedPainter bare(nullptr);
  EXPECT_EQ(bare.ButtonHeightFor(16), 16);
}

TEST_F(SkinnedPainter, GroupedButtonsDrawTheirEndPiecesAndJoints) {
  // A plain button alone in a group: both end pieces and a face 2 pixels narrower.
  TqzBarButtonControl* plain = AddButton("Cut", bsDefault);
  auto* params = plain->ButtonParams();
  params->GroupPositionCopy = 4;
  TRect r = plain->GetPartRects()[0];
  skin.calls.clear();
  painter.DrawButtonItem(params, r);
  ASSERT_EQ(skin.Of(qzSkinPartGroupedButton).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartGroupedButton)[0].rect, TRect(r.Left + 1, r.Top, r.Right - 1, r.Bottom));
  EXPECT_EQ(skin.Of(qzSkinPartButtonGroupStart).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartButtonGroupEnd).size(), 1u);
  EXPECT_TRUE(skin.Of(qzSkinPartButtonGroupSeparator).empty());

  // The last small split button: its main part has no group piece; its arrow part has the end
  // piece at the right and the joint across its left edge.
  TqzBarButtonControl* split = AddButton("Paste", bsDropDown);
  params = split->ButtonParams();
  ASSERT_TRUE(params->HasDropDownPart);
  split->CalcPartRects();
  params->GroupPositionCopy = 3;
  ASSERT_EQ(split->GetPartRects().size(), 2u);
  TRect arrow = split->GetPartRects()[1];
  skin.calls.clear();
  painter.DrawButtonItem(params, split->GetItemRect());
  EXPECT_EQ(skin.Of(qzSkinPartGroupedButton).size(), 2u);
  ASSERT_EQ(skin.Of(qzSkinPartButtonGroupEnd).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartButtonGroupEnd)[0].rect, TRect(arrow.Right - 2, arrow.Top, arrow.Right, arrow.Bottom));
  ASSERT_EQ(skin.Of(qzSkinPartButtonGroupSplitJoint).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartButtonGroupSplitJoint)[0].rect,
            TRect(arrow.Left - 1, arrow.Top, arrow.Left + 1, arrow.Bottom));
  EXPECT_TRUE(skin.Of(qzSkinPartButtonGroupStart).empty());
  EXPECT_TRUE(skin.Of(qzSkinPartButtonGroupSeparator).empty());
  // Outside a group a split button draws its two small parts.
  params->GroupPositionCopy = 0;
  skin.calls.clear();
  painter.DrawButtonItem(params, split->GetItemRect());
  EXPECT_EQ(skin.Of(qzSkinPartSmallSplitMain).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartSmallSplitArrow).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartDropDownArrow).size(), 1u);
}

TEST_F(SkinnedPainter, MenuArrowsScaleWithTheWindowRatio) {
  window->fixedTextSize = 30;  // ratio 1.5 against the painter's 20
  TqzBarButtonControl* control = AddButton("Recent", bsDropDown);
  window->CalcMetrics();
  ASSERT_DOUBLE_EQ(window->GetRatio(), 1.5);
  auto* params = control->ButtonParams();
  params->PaintKind = qzPaintMenu;
  skin.calls.clear();
  painter.DrawButtonArrow(params, TRect(0, 0, 200, 30));
  ASSERT_EQ(skin.Of(qzSkinPartArrowRight).size(), 1u);
  TRect arrow = skin.Of(qzSkinPartArrowRight)[0].rect;
  EXPECT_EQ(TSize(arrow.Width(), arrow.Height()), TSize(6, 10));
}

TEST_F(SkinnedPainter, InPlaceSubItemsTakeTheScaledArrowsAndTheGlyphColumnPart) {
  window->fixedTextSize = 30;  // ratio 1.5 against the painter's 20
  auto* item = new TqzBarInPlaceSubItem(form);
  item->SetCaption("Recent files");
  menu->GetItemLinks()->AddLinkForItem(item);
  window->SetItemLinks(menu->GetItemLinks());
  window->Refresh(true);
  window->CalcMetrics();
  TqzBarItemControl* control = menu->GetItemLinks()->GetLink(0)->GetControl();
  control->FillDrawParams(true);
  auto* params = dynamic_cast<TqzBarButtonLikeControlDrawParams*>(control->GetDrawParams());
  ASSERT_NE(params, nullptr);
  params->TargetCanvas = canvas.get();
  params->PaintKind = qzPaintMenu;
  params->ButtonSize = TSize(20, 7);
  EXPECT_EQ(painter.InPlaceSubItemTextStart(params), 20);
  // Collapsed it points right, expanded down; each centred in the arrow part at the right end.
  struct Case {
    Integer direction, part;
    TSize size;
  } cases[] = {{3, qzSkinPartArrowRight, TSize(6, 10)}, {1, qzSkinPartArrowDown, TSize(10, 6)}};
  const TRect row(0, 0, 200, 30);
  for (const Case& c : cases) {
    skin.calls.clear();
    painter.DrawInPlaceSubItemArrow(params, c.direction, row);
    ASSERT_EQ(skin.Of(c.part).size(), 1u) << c.direction;
    TRect arrow = skin.Of(c.part)[0].rect;
    EXPECT_EQ(TSize(arrow.Width(), arrow.Height()), c.size) << c.direction;
    EXPECT_EQ(arrow.Left + arrow.Right, 2 * row.Right - 20) << c.direction;
  }
  // The face: the glyph column's part, the menu's selection band while selected.
  params->SelectedLook = false;
  skin.calls.clear();
  painter.DrawInPlaceSubItemFace(params, row);
  ASSERT_EQ(skin.calls.size(), 1u);
  EXPECT_EQ(skin.calls[0].part, qzSkinPartMenuGlyphColumn);
  EXPECT_EQ(skin.calls[0].rect, row);
  params->SelectedLook = true;
  params->SelectableLook = true;
  params->EnabledLook = true;
  skin.calls.clear();
  painter.DrawInPlaceSubItemFace(params, row);
  EXPECT_TRUE(skin.Of(qzSkinPartMenuGlyphColumn).empty());
  EXPECT_EQ(skin.Of(qzSkinPartSmallButton).size(), 1u);
}

TEST_F(SkinnedPainter, CheckedMenuItemsShowTheirCheckParts) {
  TqzBarButtonControl* control = AddButton("Bold", bsChecked);
  auto* params = control->ButtonParams();
  params->PaintKind = qzPaintMenu;
  params->DownLook = true;
  struct Case {
    bool absent, enabled;
    Integer part, state;
  } cases[] = {{true, true, qzSkinPartMenuCheckMark, 0}, {false, true, qzSkinPartMenuCheckFrame, 0},
               {true, false, qzSkinPartMenuCheckMark, 1}};
  for (const Case& c : cases) {
    control->GetItem()->SetEnabled(c.enabled);
    skin.calls.clear();
    painter.PaintItemGlyph(params, canvas->DCHandle(), c.absent, TRect(3, 3, 19, 19), TRect(0, 0, 24, 22));
    ASSERT_EQ(skin.calls.size(), 1u);
    EXPECT_EQ(skin.calls[0].part, c.part);
    EXPECT_EQ(skin.calls[0].state, c.state);
    // A square of the area's smaller side, centred and one pixel in.
    EXPECT_EQ(skin.calls[0].rect, TRect(2, 1, 22, 21));
  }
}

TEST_F(SkinnedPainter, LargeSplitButtonsShowTheirArrowAfterTheCaption) {
  TqzBarButtonControl* control = AddButton("Paste", bsDropDown);
  auto* params = control->ButtonParams();
  params->GlyphSizeKind = qzGlyphLarge;
  params->PaintKind = qzPaintHorizontal;
  params->HasDropDownPart = true;
  params->ButtonLook = true;
  Integer line = canvas->TextHeightOf("Wg");
  const TRect caption(10, 10, 60, 10 + 2 * line);
  // A caption that fits on one line: the arrow stands centred on the empty second line.
  params->CaptionText = "Paste";
  skin.calls.clear();
  painter.DrawItemCaption(params, caption, DT_SINGLELINE, 1);
  ASSERT_EQ(skin.Of(qzSkinPartDropDownArrow).size(), 1u);
  TRect arrow = skin.Of(qzSkinPartDropDownArrow)[0].rect;
  EXPECT_EQ(TSize(arrow.Width(), arrow.Height()), TSize(5, 4));
  EXPECT_LE(std::abs((arrow.Left + arrow.Right) - (caption.Left + caption.Right)), 1);
  EXPECT_GE(arrow.Top, caption.Top + line);
  // A caption that wraps: the arrow follows the text of the second line.
  params->CaptionText = "Paste Special";
  TRect narrow(10, 10, 10 + canvas->TextWidthOf("Special") + 12, 10 + 2 * line);
  skin.calls.clear();
  painter.DrawItemCaption(params, narrow, DT_SINGLELINE, 1);
  ASSERT_EQ(skin.Of(qzSkinPartDropDownArrow).size(), 1u);
  arrow = skin.Of(qzSkinPartDropDownArrow)[0].rect;
  EXPECT_GE(arrow.Top, narrow.Top + line);
  EXPECT_GT(arrow.Left, (narrow.Left + narrow.Right) / 2);
  // The extent holds two rows; the part boundary of a large split button lies above them.
  TRect extent;
  painter.GetCaptionExtent(params, extent);
  EXPECT_EQ(extent.Height(), 2 * line);
  std::vector<TRect> parts(2, TRect(0, 0, 40, 66));
  painter.CalcButtonPartRects(params, TRect(0, 0, 40, 66), parts);
  EXPECT_EQ(parts[0].Bottom, 66 - (2 * line + 2));
  EXPECT_EQ(parts[1].Top, parts[0].Bottom);
}

TEST_F(SkinnedPainter, MenuAndItemMetricsAndParts) {
  EXPECT_EQ(painter.ScrollArrowSize(20), 2);
  EXPECT_EQ(painter.MenuItemTextSize(canvas.get()), canvas->TextHeightOf("Wg") + 9);
  EXPECT_EQ(painter.SpinButtonWidth(qzPaintHorizontal, TRect(0, 0, 40, 20)), 17);
  EXPECT_EQ(painter.ComboArrowWidthFor(window, 7), 15);
  TSize arrow;
  painter.GetSpinArrowSize(20, arrow);
  EXPECT_EQ(arrow, TSize(5, 3));
  // A selected split menu item: the main part and the arrow part, hot while its menu is open.
  TqzBarButtonControl* control = AddButton("Recent", bsDropDown);
  control->CalcPartRects();
  auto* params = control->ButtonParams();
  params->PaintKind = qzPaintMenu;
  params->SelectedLook = true;
  params->SelectableLook = true;
  params->EnabledLook = true;
  params->DropDownOpen = true;
  skin.calls.clear();
  painter.DrawMenuItemBand(params, control->GetItemRect());
  ASSERT_EQ(skin.calls.size(), 2u);
  EXPECT_EQ(skin.calls[0].part, qzSkinPartSmallSplitMain);
  EXPECT_EQ(skin.calls[0].state, qzSkinStateHot);
  EXPECT_EQ(skin.calls[1].part, qzSkinPartSmallSplitArrow);
  EXPECT_EQ(skin.calls[1].state, qzSkinStateHot);
  params->SelectedLook = false;
  skin.calls.clear();
  painter.DrawMenuItemBand(params, control->GetItemRect());
  EXPECT_TRUE(skin.calls.empty());
  // Borders, separators and screen tips are parts of the skin.
  skin.calls.clear();
  painter.DrawDropDownListBorder(canvas->DCHandle(), clNone, TRect(0, 0, 50, 80));
  painter.DrawMenuSeparatorLine(canvas.get(), TRect(0, 0, 50, 3));
  painter.DrawScreenTipBackground(canvas.get(), TRect(0, 0, 120, 60));
  ASSERT_EQ(skin.calls.size(), 3u);
  EXPECT_EQ(skin.calls[0].part, qzSkinPartMenuBorder);
  EXPECT_EQ(skin.calls[1].part, qzSkinPartMenuSeparator);
  EXPECT_EQ(skin.calls[2].part, qzSkinPartScreenTip);
  bitmap.GetCanvas()->GetBrush()->SetColor(clBtnFace);
  bitmap.GetCanvas()->FillRect(TRect(0, 0, 60, 60));
  painter.DrawScreenTipFooterLine(canvas.get(), TRect(0, 10, 60, 13));
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(5, 10), static_cast<TColor>(qzSkinPartScreenTipFooterLine * 16));
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(5, 11), static_cast<TColor>(0xFFFFFF));
}

TEST_F(SkinnedPainter, StaticItemsAndCaptionedSeparatorsTakeTheSkinsColours) {
  auto* label = new TqzBarStatic(form);
  label->SetCaption("Files");
  menu->GetItemLinks()->AddLinkForItem(label);
  window->SetItemLinks(menu->GetItemLinks());
  window->Refresh(true);
  TqzBarItemControl* control = menu->GetItemLinks()->GetLink(0)->GetControl();
  control->FillDrawParams(true);
  auto* params = dynamic_cast<TqzBarStaticLikeControlDrawParams*>(control->GetDrawParams());
  ASSERT_NE(params, nullptr);
  params->TargetCanvas = canvas.get();
  TCanvas* pixels = bitmap.GetCanvas();
  const TColor border = static_cast<TColor>(qzSkinPartEditBorder * 16);
  // No border draws nothing and keeps the rectangle; any other draws the skin's frame inside it.
  struct Case {
    TqzBarStaticBorderStyle style;
    TRect after;
    TColor corner;
  } cases[] = {{sbsNone, TRect(10, 10, 60, 30), clWhite},
               {sbsLowered, TRect(11, 11, 59, 29), border},
               {sbsBump, TRect(11, 11, 59, 29), border}};
  for (const Case& c : cases) {
    pixels->GetBrush()->SetColor(clWhite);
    pixels->FillRect(TRect(0, 0, 100, 40));
    params->BorderStyle = c.style;
    TRect r(10, 10, 60, 30);
    painter.DrawStaticBorder(params, r);
    EXPECT_EQ(r, c.after) << c.style;
    EXPECT_EQ(pixels->GetPixel(10, 10), c.corner) << c.style;
    EXPECT_EQ(pixels->GetPixel(59, 29), c.corner) << c.style;
    EXPECT_EQ(pixels->GetPixel(11, 11), clWhite) << c.style;
  }
  EXPECT_FALSE(painter.IsStaticSelected(params));
  // A captioned separator: the band in the separator colour, the caption after the left margin.
  const TColor band = static_cast<TColor>(qzSkinPartSeparatorBackground * 16);
  params->ContentParts = qzContentText;
  params->EnabledLook = true;
  params->Alignment = taLeftJustify;
  const TRect row(0, 40, 120, 60);
  painter.DrawSeparatorCaption(params, row);
  TRect margins;
  painter.GetSeparatorMargins(params, margins);
  Integer textLeft = row.Right;
  for (Integer y = row.Top; y < row.Bottom; ++y)
    for (Integer x = row.Left; x < row.Right; ++x)
      if (pixels->GetPixel(x, y) != band) textLeft = std::min(textLeft, x);
  EXPECT_EQ(pixels->GetPixel(row.Right - 1, row.Top), band);
  EXPECT_LT(textLeft, row.Left + margins.Left + 4);
  EXPECT_GE(textLeft, row.Left + margins.Left);
}

TEST_F(SkinnedPainter, ProgressBarsFillTheSkinsTroughWithItsParts) {
  TqzBarButtonControl* control = AddButton("Busy", bsDefault);
  TqzBarProgressControlDrawParams params(control);
  params.TargetCanvas = canvas.get();
  const TRect bounds(0, 0, 100, 12);
  struct Case {
    Integer min, max, position;
    bool smooth;
    std::vector<TRect> fills;  // inside the trough's 2-pixel inset: (2, 2, 98, 10)
  } cases[] = {
      {0, 100, 50, true, {TRect(2, 2, 50, 10)}},
      {0, 100, 50, false, {TRect(2, 2, 7, 10), TRect(9, 2, 14, 10), TRect(16, 2, 21, 10), TRect(23, 2, 28, 10),
                           TRect(30, 2, 35, 10), TRect(37, 2, 42, 10), TRect(44, 2, 49, 10)}},
      {0, 100, 0, false, {}},
      {0, 100, 100, true, {TRect(2, 2, 98, 10)}},
      {5, 5, 5, true, {}},  // an empty range draws the trough only
  };
  for (const Case& c : cases) {
    params.Min = c.min;
    params.Max = c.max;
    params.Position = c.position;
    params.Smooth = c.smooth;
    skin.calls.clear();
    painter.DrawProgressBar(&params, bounds, clHighlight);
    ASSERT_EQ(skin.Of(qzSkinPartProgressBackground).size(), 1u) << c.position;
    EXPECT_EQ(skin.Of(qzSkinPartProgressBackground)[0].rect, bounds) << c.position;
    std::vector<TRect> fills;
    for (const auto& call : skin.Of(c.smooth ? qzSkinPartProgressSolid : qzSkinPartProgressChunk)) fills.push_back(call.rect);
    EXPECT_EQ(fills, c.fills) << c.position;
    EXPECT_TRUE(skin.Of(c.smooth ? qzSkinPartProgressChunk : qzSkinPartProgressSolid).empty()) << c.position;
  }
}

TEST_F(SkinnedPainter, AToolbarWindowLeavesItsWholeFrameToTheSkin) {
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetCaption("Clipboard");
  bar->GetItemLinks()->AddLinkForItem(new TqzBarButton(form));
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  TqzBarControl* toolbar = bar->GetBarControl();
  ASSERT_NE(toolbar, nullptr);
  toolbar->SetOwnPainter(&painter);
  TRect borders;
  painter.GetBarBorderSizes(bar, dsTop, borders, false);
  EXPECT_EQ(borders, skin.offsets);
  skin.calls.clear();
  toolbar->DrawFrameOn(canvas->DCHandle());
  ASSERT_EQ(skin.Of(qzSkinPartToolbar).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartToolbar)[0].rect, TRect(0, 0, toolbar->GetWidth(), toolbar->GetHeight()));
  ASSERT_EQ(skin.captions.size(), 1u);
  EXPECT_EQ(skin.captions[0], "Clipboard");
  EXPECT_EQ(skin.captionRect, TRect(0, 0, toolbar->GetWidth(), 15));
  toolbar->SetOwnPainter(nullptr);
}

TEST_F(SkinnedPainter, CaptionColoursComeFromTheSkin) {
  TqzBarButtonControl* control = AddButton("Open", bsDefault);
  auto* params = control->ButtonParams();
  params->EnabledLook = true;
  params->SelectableLook = true;
  params->SelectedLook = false;
  params->HotPartIndex = -1;
  EXPECT_EQ(painter.ItemTextColor(control, false, false), static_cast<TColor>(qzSkinPartToolbarText * 16));
  params->PaintKind = qzPaintMenu;
  params->EnabledLook = false;
  TColor text, shadow;
  painter.DisabledCaptionColors(control, false, false, shadow, text);
  EXPECT_EQ(text, static_cast<TColor>(qzSkinPartMenuText * 16 + 1));
  EXPECT_EQ(shadow, text);
}

TEST_F(SkinnedPainter, MenusTakeTheirColumnsBorderAndSeparatorsFromTheSkin) {
  auto* item = new TqzBarButton(form);
  item->SetCaption("Open");
  menu->GetItemLinks()->AddLinkForItem(item);
  auto* popup = new TqzBarSubMenuControl(manager);
  popup->SetOwnPainter(&painter);
  popup->SetItemLinks(menu->GetItemLinks());
  popup->Popup(TPoint(100, 100));
  HDC DC = canvas->DCHandle();
  TRect client = popup->GetClientRect();
  Integer start = painter.MenuTextStart(popup);
  EXPECT_EQ(start, 2 + popup->GetIconAreaSizeValue() - 2);
  skin.calls.clear();
  painter.FillMenuBackground(popup, DC, clNone, nullptr, client);
  ASSERT_EQ(skin.calls.size(), 3u);
  EXPECT_EQ(skin.calls[0].part, 380);
  EXPECT_EQ(skin.calls[0].rect, TRect(0, 0, start, client.Bottom));
  EXPECT_EQ(skin.calls[1].part, 410);
  EXPECT_EQ(skin.calls[1].rect, TRect(start, 0, start + 2, client.Bottom));
  EXPECT_EQ(skin.calls[2].part, 390);
  EXPECT_EQ(skin.calls[2].rect, TRect(start + 2, 0, client.Right, client.Bottom));
  // Large items: one content part for the column and its strip as well.
  menu->GetItemLinks()->GetItemOptions()->SetSize(misLarge);
  skin.calls.clear();
  painter.FillMenuBackground(popup, DC, clNone, nullptr, client);
  ASSERT_EQ(skin.calls.size(), 3u);
  for (const auto& call : skin.calls) EXPECT_EQ(call.part, 390);
  menu->GetItemLinks()->GetItemOptions()->SetSize(misNormal);

  skin.calls.clear();
  painter.DrawMenuBorder(popup, DC, TRect(0, 0, 80, 40));
  ASSERT_EQ(skin.Of(450).size(), 1u);
  EXPECT_EQ(skin.Of(450)[0].rect, TRect(0, 0, 80, 40));
  skin.calls.clear();
  painter.DrawMenuSeparatorItem(popup, popup->GetItemLinks()->GetLink(0)->GetControl(), TRect(0, 20, 80, 23),
                                canvas.get());
  ASSERT_EQ(skin.Of(400).size(), 1u);
  EXPECT_EQ(skin.Of(400)[0].rect, TRect(painter.MenuTextIndent(popup) + 7, 23 - painter.SeparatorLineHeight(), 80, 23));
  popup->Dismiss();
}

// A main menu in the skinned look with Edit (four buttons, two used often, so that its menu shows
// the expand mark) and Tools (a detachable sub-item: its menu shows the detach caption).
class SkinnedMenus : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    manager->SetMostRecentItemsPercents(50);
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Menu");
    edit = Sub("&Edit");
    for (const char* caption : {"Undo", "Cut", "Copy", "Paste"}) Button(caption, edit);
    for (Integer i : {1, 0}) {
      edit->GetItemLinks()->GetLink(i)->SetUseCount(10);
      edit->GetItemLinks()->GetLink(i)->SetRecentIndex(0);
    }
    tools = Sub("&Tools");
    for (const char* caption : {"Spell", "Count"}) Button(caption, tools);
    TqzBar* detached = manager->GetBars()->AddBar();
    detached->SetCaption("Tools");
    tools->SetDetachable(true);
    tools->SetDetachingBar(detached->PositionInCollection());
    bar->SetIsMainMenu(true);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    // Menus take the painter of the bar that opened them.
    bar->GetBarControl()->SetOwnPainter(&painter);
    UpdateAllWindows();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
  void TearDown() override {
    if (TCustomqzBarControl* head = ActiveBarControl()) head->CloseOnce();
    bar->GetBarControl()->SetOwnPainter(nullptr);
    BarManagerOnForm::TearDown();
  }
  TqzBarSubItem* Sub(const char* ACaption) {
    auto* item = new TqzBarSubItem(form);
    item->SetCaption(ACaption);
    bar->GetItemLinks()->AddLinkForItem(item);
    return item;
  }
  void Button(const char* ACaption, TqzBarSubItem* AParent) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    AParent->GetItemLinks()->AddLinkForItem(item);
  }
  TqzBarSubMenuControl* Open(TqzBarSubItem* AItem) {
    for (Integer i = 0; i < bar->GetItemLinks()->GetCount(); ++i) {
      auto* entry = dynamic_cast<TqzBarSubItemControl*>(bar->GetItemLinks()->GetLink(i)->GetControl());
      if (!entry || entry->GetItem() != AItem) continue;
      entry->OpenSubMenu(true);
      UpdateAllWindows();
      return entry->GetSubMenu();
    }
    return nullptr;
  }

  TRecordingSkin skin;
  TTestSkinnedPainter painter{&skin};
  TqzBar* bar = nullptr;
  TqzBarSubItem* edit = nullptr;
  TqzBarSubItem* tools = nullptr;
};

TEST_F(SkinnedMenus, TheDetachCaptionIsItsSkinPartAndLightsUpUnderTheMouse) {
  skin.calls.clear();
  TqzBarSubMenuControl* menu = Open(tools);
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->HasDetachCaption());
  // The base room above the items: the caption and 3 pixels.
  EXPECT_EQ(menu->GetDetachAreaSize(), menu->GetDetachCaptionHeight() + 3);
  TRect caption;
  menu->GetDetachCaptionRect(caption);
  EXPECT_EQ(caption.Height(), menu->GetDetachCaptionHeight());
  ASSERT_FALSE(skin.Of(qzSkinPartMenuDetachCaption).empty());
  EXPECT_EQ(skin.Of(qzSkinPartMenuDetachCaption).back().rect, caption);
  EXPECT_EQ(skin.Of(qzSkinPartMenuDetachCaption).back().state, 0);
  // Drawn after the border, which is not drawn over it.
  ASSERT_FALSE(skin.Of(qzSkinPartMenuBorder).empty());
  skin.calls.clear();
  menu->SetDetachCaptionHot(true);
  ASSERT_EQ(skin.Of(qzSkinPartMenuDetachCaption).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartMenuDetachCaption)[0].rect, caption);
  EXPECT_EQ(skin.Of(qzSkinPartMenuDetachCaption)[0].state, qzSkinStateHot);
  // A menu of a sub-item that is not detachable has none.
  menu->CloseOnce();
  tools->SetDetachable(false);
  skin.calls.clear();
  menu = Open(tools);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->HasDetachCaption());
  EXPECT_TRUE(skin.Of(qzSkinPartMenuDetachCaption).empty());
}

TEST_F(SkinnedMenus, TheExpandMarkShowsTheSkinsChevronsAndItsHotFace) {
  skin.calls.clear();
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->ShowsMark());
  TRect mark;
  menu->MarkRect(mark);
  // The chevrons: a square of the mark's height less 2, centred in it; no hot face while cold.
  Integer side = mark.Height() - 2;
  TRect square(mark.Left + (mark.Width() - side) / 2, mark.Top + 1, mark.Left + (mark.Width() - side) / 2 + side,
               mark.Top + 1 + side);
  ASSERT_EQ(skin.Of(qzSkinPartMenuExpandChevrons).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartMenuExpandChevrons)[0].rect, square);
  for (const auto& call : skin.Of(qzSkinPartSmallButton)) {
    EXPECT_NE(call.rect, mark);
  }
  // Hot: the small button face in the hot state over the whole mark, the chevrons over it.
  skin.calls.clear();
  menu->ChangeMarkState(1);
  UpdateAllWindows();
  ASSERT_EQ(skin.Of(qzSkinPartSmallButton).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartSmallButton)[0].rect, mark);
  EXPECT_EQ(skin.Of(qzSkinPartSmallButton)[0].state, qzSkinStateHot);
  ASSERT_EQ(skin.Of(qzSkinPartMenuExpandChevrons).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartMenuExpandChevrons)[0].rect, square);
  bool faceFirst = false;
  for (const auto& call : skin.calls) {
    if (call.part == qzSkinPartSmallButton) faceFirst = true;
    if (call.part == qzSkinPartMenuExpandChevrons) {
      EXPECT_TRUE(faceFirst);
    }
  }
}

TEST(SkinStates, EditAndSpinFlagsGiveStateCodesByRule) {
  struct Case {
    const char* name;
    bool selected, enabled, customizing, pressed, open, active;
    Integer hot, pressedPart, part, edit, spin;
  } cases[] = {
      {"idle", false, true, false, false, false, false, -1, -1, 0, 0, 0},
      {"disabled", false, false, false, false, false, false, -1, -1, 0, 1, 1},
      {"edit part hot", true, true, false, false, false, false, 0, -1, 0, 2, 2},
      {"open list", true, true, false, false, true, false, -1, -1, 0, 5, 0},
      {"editing", true, true, false, false, false, true, -1, -1, 0, 4, 0},
      {"button pressed", true, true, false, true, false, false, 3, 3, 3, 2, 5},
      {"button of an open list", true, true, false, false, true, false, 0, -1, 3, 5, 3},
      {"button while editing", false, true, false, false, false, true, -1, -1, 3, 2, 0},
      {"other part hot", true, true, false, false, false, false, 0, -1, 3, 3, 3},
      {"selected, nothing hot", true, true, false, false, false, false, -1, -1, 4, 3, 0},
      {"caption hot", true, true, false, false, false, false, 2, -1, 4, 3, 0},
      {"dots pressed", true, true, false, true, false, false, 4, -1, 4, 4, 2},
      {"dots of an open list", true, true, false, false, true, false, -1, -1, 4, 2, 0},
      {"customizing", true, true, true, true, true, true, 3, 3, 3, 0, 0},
      {"other part index", true, true, false, false, true, true, 0, -1, 2, 0, 3},
  };
  for (const Case& c : cases) {
    TqzBarSpinEditDrawParams params(nullptr);
    params.SelectableLook = true;
    params.SelectedLook = c.selected;
    params.EnabledLook = c.enabled;
    params.CustomizingLook = c.customizing;
    params.PressedLook = c.pressed;
    params.DropDownOpen = c.open;
    params.InPlaceActiveLook = c.active;
    params.HotPartIndex = c.hot;
    params.PressedPart = c.pressedPart;
    EXPECT_EQ(SkinEditState(&params, c.part), c.edit) << c.name;
    EXPECT_EQ(SkinSpinState(&params, c.part), c.spin) << c.name;
  }
}

// A combo and a spin edit drawn with the recording skin on a white bitmap.
class SkinnedEdits : public SkinnedPainter {
 protected:
  void SetUp() override {
    SkinnedPainter::SetUp();
    combo = new TqzBarCombo(form);
    combo->SetWidth(120);
    menu->GetItemLinks()->AddLinkForItem(combo);
    auto* spinItem = new TqzBarSpinEdit(form);
    spinItem->SetWidth(120);
    menu->GetItemLinks()->AddLinkForItem(spinItem);
    window->SetItemLinks(menu->GetItemLinks());
    window->Refresh(true);
    comboControl = dynamic_cast<TqzBarComboControl*>(menu->GetItemLinks()->GetLink(0)->GetControl());
    spin = dynamic_cast<TqzBarSpinEditControl*>(menu->GetItemLinks()->GetLink(1)->GetControl());
    ASSERT_NE(comboControl, nullptr);
    ASSERT_NE(spin, nullptr);
    for (TqzBarItemControl* control : {static_cast<TqzBarItemControl*>(comboControl), static_cast<TqzBarItemControl*>(spin)}) {
      control->CalcPartRects();
      control->FillDrawParams(true);
      control->GetDrawParams()->TargetCanvas = canvas.get();
    }
    Clear();
  }
  void Clear() {
    skin.calls.clear();
    bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
    bitmap.GetCanvas()->FillRect(TRect(0, 0, 250, 150));
  }
  TColor Pixel(Integer X, Integer Y) { return bitmap.GetCanvas()->GetPixel(X, Y); }
  static TColor Colour(Integer APart, Integer AState) { return static_cast<TColor>(APart * 16 + AState); }

  TqzBarCombo* combo = nullptr;
  TqzBarComboControl* comboControl = nullptr;
  TqzBarSpinEditControl* spin = nullptr;
};

TEST_F(SkinnedEdits, TheDropButtonIsTheEditButtonFaceFramedOnlyWhenLit) {
  TqzBarItemControlDrawParams* params = comboControl->GetDrawParams();
  const TRect r = comboControl->GetPartRects()[qzComboButtonPart];
  ASSERT_FALSE(IsRectEmpty(&r));
  TRect borders;
  painter.GetEditBorders(params->PaintKind, borders);
  const TRect inner(r.Left + borders.Left, r.Top + borders.Top, r.Right - borders.Right, r.Bottom - borders.Bottom);
  // Idle: the face over the whole button, no frame, the arrow centred.
  painter.ComboDrawDropButton(params, r);
  ASSERT_EQ(skin.Of(qzSkinPartEditButton).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].rect, r);
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].state, 0);
  ASSERT_EQ(skin.Of(qzSkinPartDropDownArrow).size(), 1u);
  TRect arrow = skin.Of(qzSkinPartDropDownArrow)[0].rect;
  EXPECT_EQ(arrow.Width(), 5);
  EXPECT_EQ(arrow.Left, inner.Left + inner.Width() / 2 - 2);
  EXPECT_EQ(Pixel(r.Left, r.Top), clWhite);
  // Pressed on the button: hot, framed in the button border colour, the face inside the frame.
  Clear();
  params->PressedLook = true;
  params->HotPartIndex = qzComboButtonPart;
  painter.ComboDrawDropButton(params, r);
  ASSERT_EQ(skin.Of(qzSkinPartEditButton).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].rect, inner);
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].state, qzSkinStateHot);
  EXPECT_EQ(skin.Of(qzSkinPartDropDownArrow)[0].state, qzSkinStateHot);
  EXPECT_EQ(Pixel(r.Left, r.Top), Colour(qzSkinPartEditButtonBorder, qzSkinStateHot));
  EXPECT_EQ(Pixel(r.Right - 1, r.Bottom - 1), Colour(qzSkinPartEditButtonBorder, qzSkinStateHot));
  params->PressedLook = false;
  params->HotPartIndex = qzNoHotPart;
}

TEST_F(SkinnedEdits, EditColoursBorderAndSelectionComeFromTheSkin) {
  auto* params = static_cast<TqzBarEditLikeControlDrawParams*>(comboControl->GetDrawParams());
  EXPECT_EQ(painter.EditAreaColor(params), Colour(qzSkinPartEditBackground, 0));
  params->EnabledLook = false;
  EXPECT_EQ(painter.EditAreaColor(params), Colour(qzSkinPartEditBackground, 1));
  params->EnabledLook = true;
  // The border: one pixel in the edit border colour, none for a control framing its whole item.
  for (bool whole : {false, true}) {
    Clear();
    params->FramesWholeItemLook = whole;
    TRect r(10, 50, 90, 70);
    painter.DrawEditBorder(params, r);
    EXPECT_EQ(r, TRect(11, 51, 89, 69));
    EXPECT_EQ(Pixel(10, 50), whole ? clWhite : Colour(qzSkinPartEditBorder, 0)) << whole;
  }
  params->FramesWholeItemLook = false;
  EXPECT_FALSE(painter.IsEditLabelSelected(params));
  // The selection: the small button face round the edit box, which stays clear, and a line at
  // the edit area's left in the selected line colour.
  TRect area;
  comboControl->GetEditAreaRect(area);
  for (bool enabled : {true, false}) {
    Clear();
    params->EnabledLook = enabled;
    painter.DrawEditSelection(params, comboControl->GetItemRect());
    Integer state = enabled ? qzSkinStateHighlighted : qzSkinStateDisabledHighlighted;
    ASSERT_EQ(skin.Of(qzSkinPartSmallButton).size(), 1u);
    EXPECT_EQ(skin.Of(qzSkinPartSmallButton)[0].state, state);
    EXPECT_EQ(Pixel(area.Left, area.Top + 1), Colour(qzSkinPartEditSelectedLine, state));
    EXPECT_EQ(Pixel(area.Left, area.Top), clWhite);
  }
  params->EnabledLook = true;
}

TEST_F(SkinnedEdits, SpinButtonsGrowTowardEachOtherUnlessLitAndTheAreaIsFramed) {
  const std::vector<TRect>& parts = spin->GetPartRects();
  ASSERT_EQ(parts.size(), 5u);
  const TRect up = parts[qzSpinUpPart], down = parts[qzSpinDownPart];
  ASSERT_FALSE(IsRectEmpty(&up));
  EXPECT_EQ(parts[qzEditPart].Right, up.Left);
  EXPECT_EQ(up.Bottom, down.Top);
  auto* params = static_cast<TqzBarSpinEditDrawParams*>(spin->GetDrawParams());
  EXPECT_EQ(params->ArrowSize, TSize(5, 3));
  // Neither hot nor pressed: no frame, the face one pixel inside the button grown toward the other.
  painter.DrawSpinButton(params, up, qzSpinUpPart);
  ASSERT_EQ(skin.Of(qzSkinPartEditButton).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].rect, TRect(up.Left + 1, up.Top + 1, up.Right - 1, up.Bottom));
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].state, 0);
  EXPECT_EQ(Pixel(up.Left, up.Top), clWhite);
  // The arrow: the skin's arrow part over the triangle's bounds inside the button.
  ASSERT_EQ(skin.Of(qzSkinPartArrow).size(), 1u);
  TRect arrow = skin.Of(qzSkinPartArrow)[0].rect;
  EXPECT_TRUE(arrow.Left >= up.Left && arrow.Right <= up.Right && arrow.Top >= up.Top && arrow.Bottom <= up.Bottom);
  // Hot: its own size and a frame in the button border colour.
  Clear();
  params->HotPartIndex = qzSpinDownPart;
  painter.DrawSpinButton(params, down, qzSpinDownPart);
  ASSERT_EQ(skin.Of(qzSkinPartEditButton).size(), 1u);
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].rect, TRect(down.Left + 1, down.Top + 1, down.Right - 1, down.Bottom - 1));
  EXPECT_EQ(skin.Of(qzSkinPartEditButton)[0].state, qzSkinStateHot);
  EXPECT_EQ(Pixel(down.Left, down.Top), Colour(qzSkinPartEditButtonBorder, qzSkinStateHot));
  // The area round the buttons: the highlighted button border colour while a part is hot, else
  // the edit background colour.
  struct Case {
    Integer hot;
    bool enabled;
    TColor frame;
  } cases[] = {{qzSpinDownPart, true, Colour(qzSkinPartEditButtonBorder, 3)},
               {qzEditPart, true, Colour(qzSkinPartEditButtonBorder, 3)},
               {qzNoHotPart, true, Colour(qzSkinPartEditBackground, 0)},
               {qzNoHotPart, false, Colour(qzSkinPartEditBackground, 1)}};
  for (const Case& c : cases) {
    Clear();
    params->HotPartIndex = c.hot;
    params->EnabledLook = c.enabled;
    painter.DrawSpinEditArea(params, TRect(20, 60, 40, 80));
    EXPECT_EQ(Pixel(20, 60), c.frame) << c.hot;
    EXPECT_EQ(Pixel(21, 61), clWhite) << c.hot;
  }
  params->HotPartIndex = qzNoHotPart;
  params->EnabledLook = true;
}

}  // namespace
