// An edit that holds a child window still paints its text (the framework then paints it through
// a DC of its own).

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "user/Painting.h"
#include "vcl/StdCtrls.h"

using EditWithChildTest = VclTest;

TEST_F(EditWithChildTest, TextShowsBesideAChildWindow) {
  TForm* form = NewForm(100, 100, 200, 100);
  form->SetBorderStyle(bsNone);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 100, 22);
  edit->GetFont()->SetColor(clBlack);
  edit->SetText("8888");
  auto* child = new TTestPanel(form);
  child->SetParent(edit);
  child->SetBounds(80, 0, 15, 15);
  form->Show();
  Settle();
  HDC dc = GetDC(edit->GetHandle());
  int ink = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 60; ++x) ink += (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
  ReleaseDC(edit->GetHandle(), dc);
  EXPECT_GT(ink, 10);
}
