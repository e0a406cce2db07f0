#include <functional>
#include <memory>

#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/editors/kvButtons.h"
#include "vcl/ControlsMessages.h"

namespace {

// A menu that records where it was asked to open instead of running its loop.
class TRecordingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  std::vector<TPoint> popups;
  void Popup(Integer X, Integer Y) override { popups.push_back(TPoint(X, Y)); }
};

struct Counter : TObject {
  int clicks = 0;
  int menuRequests = 0;
  void Click(TObject*) { ++clicks; }
  void MenuRequested(TObject*, TPopupMenu*&, bool& Handled) {
    ++menuRequests;
    Handled = true;
  }
};

class Buttons : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    form->Show();
    Pump();
  }
  TkvButton* NewButton(Integer Left, Integer Top, const char* Caption = "Button") {
    auto* button = new TkvButton(form);
    button->SetParent(form);
    button->SetBounds(Left, Top, 90, 26);
    button->SetCaption(Caption);
    button->GetLookAndFeel()->SetKind(lfUltraFlat);
    return button;
  }
  TPoint Screen(TControl* Control, Integer X, Integer Y) { return Control->ClientToScreen(TPoint(X, Y)); }
  // A glyph strip of 16 x 16 images, each a square of its own colour on the transparent colour.
  static std::unique_ptr<TBitmap> Strip(Integer Width, Integer Height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Width, Height);
    bitmap->GetCanvas()->GetBrush()->SetColor(clFuchsia);
    bitmap->GetCanvas()->FillRect(TRect(0, 0, Width, Height));
    for (Integer x = 0; x < Width; x += 16) {
      bitmap->GetCanvas()->GetBrush()->SetColor(static_cast<TColor>(0x202020 * (x / 16 + 1)));
      bitmap->GetCanvas()->FillRect(TRect(x + 2, 2, x + 14, Height - 2));
    }
    return bitmap;
  }
  Counter counter;
};

TEST_F(Buttons, StateFollowsEnabledPressedHotDefaultAndSpeedMode) {
  struct Case {
    const char* name;
    std::function<void(TkvButton*)> setUp;
    TkvButtonState state;
  };
  const Case kCases[] = {
      {"plain", [](TkvButton*) {}, kvbsNormal},
      {"disabled", [](TkvButton* b) { b->SetEnabled(false); }, kvbsDisabled},
      {"focused draws as the default button", [](TkvButton* b) { b->SetFocus(); }, kvbsDefault},
      {"down in a group", [](TkvButton* b) { b->SetGroupIndex(1), b->SetDown(true); }, kvbsPressed},
      {"the form's default button", [](TkvButton* b) { b->SetDefault(true); }, kvbsDefault},
      {"speed mode has no default look", [](TkvButton* b) { b->SetCanBeFocused(false), b->SetDefault(true); },
       kvbsNormal},
      {"hot under the mouse", [this](TkvButton* b) { ScriptMouseMove(Screen(b, 20, 10)); }, kvbsHot},
      {"disabled wins over down", [](TkvButton* b) { b->SetGroupIndex(1), b->SetDown(true), b->SetEnabled(false); },
       kvbsDisabled},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ScriptMouseMove(TPoint(5, 5));
    TkvButton* button = NewButton(10, 10);
    Pump();
    c.setUp(button);
    Pump();
    EXPECT_EQ(button->ButtonState(), c.state);
    delete button;
    Pump();
  }
}

TEST_F(Buttons, StateColoursFallBackOnNormalAndDefault) {
  TkvButton* button = NewButton(10, 10);
  TkvButtonColors* colors = button->GetColors();
  colors->SetNormal(clRed);
  EXPECT_EQ(colors->FaceColorFor(kvbsHot), clRed);
  EXPECT_EQ(colors->FaceColorFor(kvbsPressed), clRed);
  EXPECT_EQ(colors->FaceColorFor(kvbsNormal), clRed);
  EXPECT_EQ(colors->TextColorFor(kvbsHot), clDefault);
  colors->SetNormal(clNone);
  EXPECT_FALSE(colors->GetAssignedColors().Contains(kvbcNormal));
  colors->SetDefault(clLime);
  EXPECT_EQ(colors->FaceColorFor(kvbsNormal), clLime);
  EXPECT_EQ(colors->FaceColorFor(kvbsHot), clDefault);
  // The set of assigned colours is the designer's: at run time setting it does nothing.
  colors->SetAssignedColors({});
  EXPECT_TRUE(colors->GetAssignedColors().Contains(kvbcDefault));
}

TEST_F(Buttons, SpeedButtonsOfAGroupStayDownLikeRadioButtons) {
  TkvButton* first = NewButton(10, 10, "One");
  TkvButton* second = NewButton(110, 10, "Two");
  for (TkvButton* b : {first, second}) b->SetGroupIndex(1);
  ScriptClick(Screen(first, 20, 10));
  Pump();
  EXPECT_TRUE(first->GetDown());
  ScriptClick(Screen(second, 20, 10));
  Pump();
  EXPECT_FALSE(first->GetDown());
  EXPECT_TRUE(second->GetDown());
  // A down button is released only by another button of its group, unless all may be up.
  ScriptClick(Screen(second, 20, 10));
  Pump();
  EXPECT_TRUE(second->GetDown());
  second->SetAllowAllUp(true);
  EXPECT_TRUE(first->GetAllowAllUp());
  ScriptClick(Screen(second, 20, 10));
  Pump();
  EXPECT_FALSE(second->GetDown());
}

TEST_F(Buttons, ASplitButtonOpensItsMenuOnlyFromItsArrowPart) {
  TkvButton* button = NewButton(10, 10);
  button->SetKind(kvbkDropDownButton);
  button->SetOnClick(MakeEvent<&Counter::Click>(&counter));
  button->SetOnDropDownMenuPopup(MakeEvent<&Counter::MenuRequested>(&counter));
  Pump();
  struct Case {
    Integer x;
    bool menu;
  };
  const Case kCases[] = {{20, false}, {90 - 16, false}, {90 - 15, true}, {90 - 1, true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.x);
    counter.clicks = counter.menuRequests = 0;
    ScriptClick(Screen(button, c.x, 10));
    Pump();
    EXPECT_EQ(counter.menuRequests, c.menu ? 1 : 0);
    // The main part clicks (the arrow part's release belongs to the menu's own loop).
    if (!c.menu) {
      EXPECT_EQ(counter.clicks, 1);
    }
  }
}

TEST_F(Buttons, ADropDownButtonNearTheBottomOpensItsMenuAbove) {
  auto* menu = new TRecordingMenu(form);
  for (int i = 0; i < 3; ++i) {
    auto* item = new TMenuItem(menu);
    item->SetCaption("Item");
    menu->GetItems()->Add(item);
  }
  const Integer height = PopupMenuHeight(menu);
  TRect area = NearestMonitorWorkArea(TPoint(0, 0));
  for (bool nearBottom : {false, true}) {
    SCOPED_TRACE(nearBottom);
    form->SetTop(nearBottom ? area.Bottom - 60 : 100);
    TkvButton* button = NewButton(10, 10);
    button->SetKind(kvbkDropDown);
    button->SetDropDownMenu(menu);
    Pump();
    PostMessage(button->GetHandle(), KVM_DROPDOWNMENU, 0, 0);
    Pump();
    ASSERT_EQ(menu->popups.size(), 1u);
    TPoint below = Screen(button, 0, button->GetHeight());
    EXPECT_EQ(menu->popups[0].Y, nearBottom ? below.Y - height - button->GetHeight() - 2 : below.Y);
    EXPECT_FALSE(button->IsMenuOpen());
    menu->popups.clear();
    delete button;
  }
}

TEST_F(Buttons, MarginBelowMinusOneIsIgnoredAndTheAcceleratorClicks) {
  TkvButton* button = NewButton(10, 10, "&Go");
  button->SetMargin(3);
  button->SetMargin(-2);
  EXPECT_EQ(button->GetMargin(), 3);
  button->SetOnClick(MakeEvent<&Counter::Click>(&counter));
  EXPECT_EQ(button->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  EXPECT_EQ(counter.clicks, 1);
  EXPECT_EQ(button->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  EXPECT_EQ(counter.clicks, 1);
}

TEST_F(Buttons, GlyphStripsGiveTheirImageCount) {
  struct Case {
    Integer width;
    Integer numGlyphs;
  };
  const Case kCases[] = {{64, 4}, {48, 3}, {80, 1}, {20, 1}, {16, 1}, {0, 1}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.width);
    TkvButtonGlyph glyph;
    auto strip = Strip(c.width, 16);
    glyph.SetGlyph(strip.get());
    EXPECT_EQ(glyph.GetNumGlyphs(), c.numGlyphs);
    // A picture 0 pixels wide has no image to prepare.
    EXPECT_EQ(glyph.ImageIndexForState(kvbsNormal) >= 0, c.width > 0);
  }
}

TEST_F(Buttons, ThePressedImageIsTheThirdOfAStrip) {
  for (Integer count : {2, 3}) {
    SCOPED_TRACE(count);
    TkvButtonGlyph glyph;
    auto strip = Strip(16 * count, 16);
    glyph.SetGlyph(strip.get());
    Integer up = glyph.ImageIndexForState(kvbsNormal);
    Integer pressed = glyph.ImageIndexForState(kvbsPressed);
    EXPECT_EQ(pressed == up, count < 3);
    // The pressed image shows the strip's own third picture.
    auto image = std::make_unique<TBitmap>();
    image->SetSize(16, 16);
    glyph.GetGlyphList()->GetImageAt(pressed, image.get(), nullptr);
    EXPECT_EQ(image->GetCanvas()->GetPixel(8, 8), count < 3 ? 0x202020 : 0x606060);
  }
}

TEST_F(Buttons, FreeMarginAndSpacingSplitTheWidthInThree) {
  TkvButtonGlyph glyph;
  auto strip = Strip(16, 16);
  glyph.SetGlyph(strip.get());
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(200, 40);
  TkvCanvas canvas(bitmap->GetCanvas());
  TRect client(10, 5, 160, 35);
  TPoint glyphPos;
  TRect textRect;
  glyph.ComputeLayout(&canvas, client, TPoint(0, 0), "Open", blGlyphLeft, -1, -1, kvbsNormal, 0, false, glyphPos,
                      textRect);
  const Integer textWidth = textRect.Width();
  const Integer third = (150 - 16 - textWidth) / 3;
  EXPECT_EQ(glyphPos, TPoint(10 + third, 5 + (30 - 16) / 2));
  EXPECT_EQ(textRect.Left, 10 + third + 16 + third);
  EXPECT_NEAR(150 - (textRect.Right - 10), third, 2);
}

TEST_F(Buttons, GlyphsOfOneSizeShareAListFreedWithTheLast) {
  auto strip = Strip(16, 16);
  auto first = std::make_unique<TkvButtonGlyph>();
  auto second = std::make_unique<TkvButtonGlyph>();
  first->SetGlyph(strip.get());
  second->SetGlyph(strip.get());
  EXPECT_NE(first->ImageIndexForState(kvbsNormal), second->ImageIndexForState(kvbsNormal));
  ASSERT_NE(first->GetGlyphList(), nullptr);
  EXPECT_EQ(first->GetGlyphList(), second->GetGlyphList());
  EXPECT_EQ(GlyphCacheInstance()->ListCount(), 1);
  first.reset();
  EXPECT_EQ(GlyphCacheInstance()->ListCount(), 1);
  second.reset();
  EXPECT_EQ(GlyphCacheInstance(), nullptr);
}

}  // namespace

namespace {

// A menu whose item handler frees the button that opened it, or the menu itself.
class TFreeingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  TComponent* victim = nullptr;
  void Popup(Integer, Integer) override { delete victim; }
};

TEST_F(Buttons, AMenuThatFreesItsButtonOrItselfLeavesNothingBehind) {
  for (bool freeMenu : {false, true}) {
    SCOPED_TRACE(freeMenu ? "menu freed" : "button freed");
    auto* menu = new TFreeingMenu(form);
    TkvButton* button = NewButton(10, 10);
    button->SetKind(kvbkDropDown);
    button->SetDropDownMenu(menu);
    menu->victim = freeMenu ? static_cast<TComponent*>(menu) : button;
    Pump();
    PostMessage(button->GetHandle(), KVM_DROPDOWNMENU, 0, 0);
    Pump();
    if (freeMenu) {
      EXPECT_EQ(button->GetDropDownMenu(), nullptr);
      EXPECT_FALSE(button->IsMenuOpen());
      delete button;
    } else {
      delete menu;
    }
  }
}

}  // namespace

namespace {

// The rows holding dark ink in a column band of a picture read through Pixel.
std::pair<Integer, Integer> InkRows(const std::function<TColor(Integer, Integer)>& Pixel, Integer Left, Integer Top,
                                    Integer Right, Integer Bottom) {
  Integer first = -1, last = -1;
  for (Integer y = Top; y < Bottom; ++y)
    for (Integer x = Left; x < Right; ++x) {
      TColor c = Pixel(x, y);
      if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 0x60) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  return {first, last};
}

}  // namespace

TEST_F(Buttons, ACaptionShowsWholeAndCentredUpAndDown) {
  for (TkvLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11}) {
    SCOPED_TRACE(kind);
    TkvButton* button = NewButton(20, 20, "Hdg");
    button->GetLookAndFeel()->SetKind(kind);
    button->SetBounds(20, 20, 90, 25);
    Pump();
    // The same text drawn plainly in the button's font is the measure of its ink.
    auto plain = std::make_unique<TBitmap>();
    plain->SetSize(90, 40);
    plain->GetCanvas()->GetBrush()->SetColor(clWhite);
    plain->GetCanvas()->FillRect(TRect(0, 0, 90, 40));
    plain->GetCanvas()->SetFont(button->GetFont());
    plain->GetCanvas()->GetFont()->SetColor(clBlack);
    plain->GetCanvas()->TextOut(10, 10, "Hdg");
    auto expected =
        InkRows([&](Integer x, Integer y) { return plain->GetCanvas()->GetPixel(x, y); }, 0, 0, 90, 40);
    ASSERT_GE(expected.first, 0);
    // Inside the frame: the caption stands between columns 30 and 60.
    auto shown = InkRows([&](Integer x, Integer y) { return FormPixel(x, y); }, 20 + 30, 20 + 3, 20 + 60, 20 + 22);
    EXPECT_EQ(shown.second - shown.first, expected.second - expected.first);
    const Integer above = shown.first - 20, below = 20 + 25 - 1 - shown.second;
    EXPECT_LE(std::abs(above - below), 3) << above << " above, " << below << " below";
    delete button;
  }
}
