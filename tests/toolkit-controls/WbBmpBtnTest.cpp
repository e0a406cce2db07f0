// The bitmap button: size rule, image inside the border, groups, layout and key clicks.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/controls/WbBmpBtn.h"
#include "user/VirtualKeys.h"

namespace {

struct Clicks : TObject {
  int Count = 0;
  void Click(TObject*) { ++Count; }
};

// 56 x 24, red with olive (transparent) corners.
void UpBitmap(TBitmap& Bitmap, TColor Face = clRed) {
  FillBitmap(Bitmap, 56, 24, Face);
  for (TPoint p : {TPoint{0, 0}, TPoint{55, 0}, TPoint{0, 23}, TPoint{55, 23}})
    Bitmap.GetCanvas()->SetPixel(p.X, p.Y, clOlive);
}

class WbBmpButtonTest : public VclTest {
 protected:
  TWbBmpButton* NewButton(TForm* form, Integer Left = 10) {
    auto* button = new TWbBmpButton(form);
    button->SetParent(form);
    button->SetLeft(Left);
    button->SetTop(10);
    TBitmap up;
    UpBitmap(up);
    button->GetBitmaps()->SetUp(&up);
    return button;
  }
};

}  // namespace

TEST_F(WbBmpButtonTest, SizeRuleFollowsBorderAndStyle) {
  struct Case {
    TButtonBorder Border;
    TButtonStyle Style;
    Integer Width, Height;
  };
  const Case kCases[] = {{bbButton, bsNew, 60, 28},     {bbButton, bsWin31, 62, 30}, {bbButton, bsAutoDetect, 60, 28},
                         {bbSingle, bsWin31, 58, 26},   {bbNone, bsNew, 56, 24}};
  TForm* form = NewForm();
  for (const auto& c : kCases) {
    TWbBmpButton* button = NewButton(form);
    button->SetButtonBorder(c.Border);
    button->SetButtonStyle(c.Style);
    EXPECT_EQ(button->GetWidth(), c.Width);
    EXPECT_EQ(button->GetHeight(), c.Height);
    button->SetBounds(0, 0, 100, 100);  // snaps back
    EXPECT_EQ(button->GetWidth(), c.Width);
    delete button;
  }
}

TEST_F(WbBmpButtonTest, BorderedImageStaysInsideTheBorder) {
  TForm* form = NewForm();
  TWbBmpButton* button = NewButton(form);
  button->SetButtonBorder(bbSingle);
  ASSERT_EQ(button->GetWidth(), 58);
  form->Show();
  Settle();
  TBitmap shot;
  FillBitmap(shot, 58, 26, clWhite);
  button->PaintTo(shot.GetCanvas()->GetHandle(), 0, 0);
  EXPECT_EQ(PixelAt(shot, 0, 0), 0u);       // the border
  EXPECT_EQ(PixelAt(shot, 57, 25), 0u);
  EXPECT_EQ(PixelAt(shot, 2, 2), 0x0000FFu);  // the image, one pixel in
  EXPECT_EQ(PixelAt(shot, 55, 23), 0x0000FFu);
  EXPECT_EQ(PixelAt(shot, 56, 24), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(shot, 1, 1), ColorToRGB(clBtnFace));  // a transparent corner shows the face
}

TEST_F(WbBmpButtonTest, GroupedButtonsStickAndReleaseEachOther) {
  TForm* form = NewForm(100, 100, 300, 100);
  form->SetBorderStyle(bsNone);
  TWbBmpButton* first = NewButton(form, 10);
  TWbBmpButton* second = NewButton(form, 100);
  TWbBmpButton* loose = NewButton(form, 200);
  first->SetGroupIndex(1);
  second->SetGroupIndex(1);
  loose->SetDown(true);
  EXPECT_FALSE(loose->GetDown());  // no group, no sticking
  first->SetDown(true);
  EXPECT_EQ(first->GetState(), bsExclusive);
  form->Show();
  Settle();
  ScriptClick({100 + 120, 100 + 20});
  Settle();
  EXPECT_TRUE(second->GetDown());
  EXPECT_FALSE(first->GetDown());
  ScriptClick({100 + 120, 100 + 20});  // a down button stays down without AllowAllUp
  Settle();
  EXPECT_TRUE(second->GetDown());
  second->SetAllowAllUp(true);
  EXPECT_TRUE(first->GetAllowAllUp());
  ScriptClick({100 + 120, 100 + 20});
  Settle();
  EXPECT_FALSE(second->GetDown());
}

TEST_F(WbBmpButtonTest, GlyphBesideTheCaptionSplitsTheFreeSpaceInThree) {
  TForm* form = NewForm();
  TWbBmpButton* button = NewButton(form);
  button->SetButtonSize(bszNeither);
  button->SetBounds(0, 0, 200, 30);
  button->SetCaption("Apply");
  button->SetMargin(-1);
  button->SetSpacing(-1);
  TRect caption, glyph;
  TBitmap image;
  FillBitmap(image, 20, 16, clRed);
  button->CalcLayout({0, 0, 200, 30}, &image, caption, glyph);
  const Integer gap1 = glyph.Left, gap2 = caption.Left - glyph.Right, gap3 = 200 - caption.Right;
  EXPECT_EQ(gap1, gap2);
  EXPECT_LE(std::abs(gap3 - gap1), 2);
  EXPECT_EQ(glyph.Top, 7);
  // Covering the face, the image takes no part and the caption is centred.
  button->SetButtonSize(bszButtonToBitmap);
  button->CalcLayout({0, 0, 200, 30}, &image, caption, glyph);
  EXPECT_EQ(glyph, TRect());
  EXPECT_LE(std::abs((caption.Left + caption.Right) / 2 - 100), 1);
}

TEST_F(WbBmpButtonTest, OnlyTheSpaceThatPressedItClicks) {
  TForm* form = NewForm(100, 100, 300, 100);
  form->SetBorderStyle(bsNone);
  TWbBmpButton* button = NewButton(form);
  Clicks clicks;
  button->SetOnClick(MakeEvent<&Clicks::Click>(&clicks));
  form->Show();
  button->SetFocus();
  Settle();
  InputKey(VK_SPACE, true, ' ');
  InputKey(VK_SHIFT, true);
  InputKey(VK_SHIFT, false);
  Settle();
  EXPECT_EQ(clicks.Count, 0);
  EXPECT_EQ(button->GetState(), bsDown);
  InputKey(VK_SPACE, false);
  Settle();
  EXPECT_EQ(clicks.Count, 1);
  // A mouse press is ended by the mouse, not by a key.
  InputMouseButton({100 + 20, 100 + 20}, MouseButton::Left, true);
  ScriptKeyPress(VK_SPACE);
  Settle();
  EXPECT_EQ(clicks.Count, 1);
  InputMouseButton({100 + 20, 100 + 20}, MouseButton::Left, false);
  Settle();
  EXPECT_EQ(clicks.Count, 2);
  InputKey(VK_RETURN, true, '\r');
  Settle();
  EXPECT_EQ(clicks.Count, 3);  // on key down
  InputKey(VK_RETURN, false);
  Settle();
}
