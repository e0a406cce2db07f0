// The inspector's painting costs on 300 rows in a 260 x 400 client area: a full repaint, a one-line
// scroll (which moves pixels and repaints only the uncovered band), a changed value (one value
// column) and a row added in the middle (rows below move down).

#include <chrono>
#include <cstdio>
#include <string>

#include "backend/HeadlessBackend.h"
#include "controls/ControlsUnits.h"
#include "controls/ScrollBars.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/inspector/InspectorUnits.h"
#include "toolkit/inspector/JyInspector.h"
#include "user/User.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

namespace {

using Timing = std::chrono::steady_clock;

template <class F>
double MicrosecondsPerRun(int Runs, F&& Body) {
  const auto start = Timing::now();
  for (int i = 0; i < Runs; ++i) Body(i);
  return std::chrono::duration<double, std::micro>(Timing::now() - start).count() / Runs;
}

}  // namespace

int main() {
  RtlStart();
  GdiStart();
  UserStart();
  ControlsStart();
  VclStart();
  InspectorStart();
  HeadlessBackend screen({800, 600});
  SetDisplayBackend(&screen);
  {
    auto* form = new TForm(nullptr, 0);
    form->SetBounds(20, 20, 300, 460);
    auto* inspector = new TJyInspector(form);
    inspector->SetParent(form);
    inspector->SetBorderStyle(bsNone);
    inspector->SetBounds(0, 0, 260, 400);
    TJyPropertyItems* items = inspector->GetItems();
    TJyPropertyItem* firstChild = nullptr;
    for (int c = 0; c < 10; ++c) {
      auto* category = new TJyTextItem(form);
      category->AfterConstruction();
      items->AddItem(nullptr, category, true);
      category->SetCaption("Category " + std::to_string(c));
      for (int r = 0; r < 29; ++r) {
        auto* row = new TJyTextItem(form);
        row->AfterConstruction();
        items->AddItem(category, row, true);
        row->SetCaption("Row " + std::to_string(r));
        row->SetValue("Value " + std::to_string(c * 29 + r));
        if (!firstChild) firstChild = row;
      }
    }
    form->Show();
    UpdateAllWindows();
    HWND window = inspector->GetHandle();

    const double full = MicrosecondsPerRun(200, [&](int) {
      InvalidateRect(window, nullptr, FALSE);
      UpdateWindow(window);
    });
    const double scroll = MicrosecondsPerRun(200, [&](int i) {
      SendMessage(window, WM_VSCROLL, i % 2 ? SB_LINEUP : SB_LINEDOWN, 0);
      UpdateWindow(window);
    });
    const double value = MicrosecondsPerRun(200, [&](int i) {
      firstChild->SetValue("Changed " + std::to_string(i));
      UpdateWindow(window);
    });
    TJyPropertyItem* parent = firstChild->GetParentItem();
    const double added = MicrosecondsPerRun(50, [&](int i) {
      auto* row = new TJyTextItem(form);
      row->AfterConstruction();
      items->AddItem(parent, row, false);
      row->SetCaption("Added " + std::to_string(i));
      UpdateWindow(window);
    });
    std::printf("inspector, 300 rows, 260 x 400:\n");
    std::printf("  full repaint        %8.1f us\n", full);
    std::printf("  one-line scroll     %8.1f us  (%.2f of a full repaint)\n", scroll, scroll / full);
    std::printf("  changed value       %8.1f us  (%.2f of a full repaint)\n", value, value / full);
    std::printf("  row added in middle %8.1f us  (%.2f of a full repaint)\n", added, added / full);
    delete form;
  }
  SetDisplayBackend(nullptr);
  InspectorEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}
