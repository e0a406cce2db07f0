#include <gtest/gtest.h>

#include "VclTestSupport.h"

namespace {

// Controls that fill themselves with one colour through their canvas.
class TFilledGraphic : public TGraphicControl {
 public:
  TFilledGraphic(TComponent* AOwner, TColor Fill) : TGraphicControl(AOwner), FFill(Fill) {}

 protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(FFill);
    GetCanvas()->FillRect(GetClientRect());
  }

 private:
  TColor FFill;
};

class TFilledControl : public TCustomControl {
 public:
  TFilledControl(TComponent* AOwner, TColor Fill) : TCustomControl(AOwner), FFill(Fill) {}

 protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(FFill);
    GetCanvas()->FillRect(GetClientRect());
  }

 private:
  TColor FFill;
};

using PaintingTest = VclTest;

TEST_F(PaintingTest, ParentPaintsItselfThenItsWindowlessChildrenWithOrWithoutABuffer) {
  for (bool buffered : {false, true}) {
    SCOPED_TRACE(buffered ? "double buffered" : "direct");
    TForm* form = NewForm(100, 100, 200, 100);
    form->SetBorderStyle(bsNone);
    form->SetColor(clWhite);
    form->SetDoubleBuffered(buffered);
    auto* graphic = new TFilledGraphic(form, clRed);
    graphic->SetParent(form);
    graphic->SetBounds(10, 10, 40, 20);
    auto* control = new TFilledControl(form, clBlue);
    control->SetParent(form);
    control->SetBounds(60, 10, 40, 20);
    form->Show();
    UpdateAllWindows();
    HDC dc = GetDC(form->GetHandle());
    EXPECT_EQ(GetPixel(dc, 20, 15), ColorToRGB(clRed));
    EXPECT_EQ(GetPixel(dc, 5, 5), ColorToRGB(clWhite));
    EXPECT_EQ(GetPixel(dc, 55, 15), ColorToRGB(clWhite));
    ReleaseDC(form->GetHandle(), dc);
    // The child window paints its own part.
    dc = GetDC(control->GetHandle());
    EXPECT_EQ(GetPixel(dc, 10, 10), ColorToRGB(clBlue));
    ReleaseDC(control->GetHandle(), dc);

    // PaintTo draws the same picture anywhere.
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(220, 120, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    form->PaintTo(memory, 10, 10);
    EXPECT_EQ(GetPixel(memory, 30, 25), ColorToRGB(clRed));
    EXPECT_EQ(GetPixel(memory, 80, 25), ColorToRGB(clBlue));
    EXPECT_EQ(GetPixel(memory, 15, 15), ColorToRGB(clWhite));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }
}

TEST_F(PaintingTest, HiddenWindowlessChildLeavesItsPlaceToTheParent) {
  TForm* form = NewForm(100, 100, 200, 100);
  form->SetBorderStyle(bsNone);
  form->SetColor(clWhite);
  auto* graphic = new TFilledGraphic(form, clRed);
  graphic->SetParent(form);
  graphic->SetBounds(10, 10, 40, 20);
  form->Show();
  UpdateAllWindows();
  graphic->Hide();
  UpdateAllWindows();
  HDC dc = GetDC(form->GetHandle());
  EXPECT_EQ(GetPixel(dc, 20, 15), ColorToRGB(clWhite));
  graphic->SetBounds(100, 50, 40, 20);
  graphic->Show();
  UpdateAllWindows();
  EXPECT_EQ(GetPixel(dc, 110, 55), ColorToRGB(clRed));
  ReleaseDC(form->GetHandle(), dc);
}

}  // namespace
