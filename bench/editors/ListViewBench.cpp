// A report TkvListView with OwnerData, 4 columns and 100,000 rows from OnData: a full repaint and
// a page-down with its repaint, against the lower bound of drawing the same visible cells with
// DrawText into one surface (goal: at most 4 times), and against the same list of 100 rows (goal:
// at most 1.2 times).

#include "ListViewBench.h"

#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "BenchScreen.h"
#include "gdi/DcSurface.h"
#include "gdi/Gdi.h"
#include "toolkit/editors/kvListView.h"
#include "user/Painting.h"
#include "vcl/Forms.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kColumnWidth = 150;

String CellText(Integer Row, Integer Column) {
  switch (Column) {
    case 0: return "clip_" + std::to_string(Row) + ".avi";
    case 1: return "00:" + std::to_string(10 + Row % 50) + ":" + std::to_string(10 + Row % 49);
    case 2: return "00:0" + std::to_string(Row % 10) + ":30";
    default: return "clip_" + std::to_string(Row) + ".wmv";
  }
}

class TRowSource : public TObject {
 public:
  void Data(TObject*, TListItem* Item) {
    const Integer row = Item->GetIndex();
    Item->SetCaption(CellText(row, 0));
    for (Integer c = 1; c < 4; ++c) Item->GetSubItems()->Add(CellText(row, c));
  }
};

TkvListView* MakeList(TForm* Form, TRowSource* Source, Integer Rows) {
  auto* list = new TkvListView(Form);
  list->SetParent(Form);
  list->SetBounds(0, 0, kWidth, kHeight);
  list->SetViewStyle(vsReport);
  list->SetOwnerData(true);
  for (const char* caption : {"Source video", "Original Length", "Trimmed Length", "Destination File"}) {
    TListColumn* column = list->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(kColumnWidth);
  }
  list->SetOnData(MakeEvent<&TRowSource::Data>(Source));
  list->GetItems()->SetCount(Rows);
  return list;
}

double FullRepaint(TkvListView* List) {
  return Best(20, [&] {
    RedrawWindow(List->GetInnerListView()->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    UpdateAllWindows();
  });
}

// The same visible cells drawn straight into a surface: what no list can beat.
double DrawTextBound(Integer VisibleRows, Integer RowHeight) {
  std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight, 0xFFFFFFFF);
  HDC dc = CreateSurfaceDC(MakeSurface32(pixels.data(), kWidth, kHeight, kWidth * 4), POINT{0, 0}, nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const double best = Best(20, [&] {
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (Integer row = 0; row < VisibleRows; ++row)
      for (Integer c = 0; c < 4; ++c) {
        const String text = CellText(row, c);
        RECT r{c * kColumnWidth + 6, row * RowHeight, (c + 1) * kColumnWidth - 6, (row + 1) * RowHeight};
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
      }
  });
  SelectObject(dc, old);
  DeleteDC(dc);
  return best;
}

}  // namespace

void RunListViewBench() {
  BenchScreen units;
  {
    TRowSource source;
    auto* form = new TForm(nullptr, 0);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, kWidth, kHeight);
    form->Show();
    TkvListView* big = MakeList(form, &source, 100000);
    UpdateAllWindows();
    HWND inner = big->GetInnerListView()->GetHandle();
    const double full = FullRepaint(big);
    SetFocus(inner);
    double pageDown = Best(20, [&] {
      SendMessage(inner, WM_KEYDOWN, VK_NEXT, 0);
      UpdateAllWindows();
    });
    const Integer visible = static_cast<Integer>(SendMessage(inner, LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessage(inner, LVM_GETITEMRECT, static_cast<WPARAM>(SendMessage(inner, LVM_GETTOPINDEX, 0, 0)),
                reinterpret_cast<LPARAM>(&row));
    const double bound = DrawTextBound(visible, row.Bottom - row.Top);
    delete big;
    TkvListView* small = MakeList(form, &source, 100);
    UpdateAllWindows();
    const double fullSmall = FullRepaint(small);
    std::printf("editors: list view of 100,000 owner-data rows, %d visible: full repaint %.3f ms, page down %.3f ms, "
                "DrawText of the cells %.3f ms: ratios %.2f and %.2f (goal <= 4)\n",
                visible, full, pageDown, bound, full / bound, pageDown / bound);
    std::printf("editors: the same list of 100 rows: full repaint %.3f ms, ratio %.2f (goal <= 1.2)\n", fullSmall,
                full / fullSmall);
    delete form;
  }
}
