// Mouse moves over a form of 50 editors with two buttons each: one move (the view recomputed and
// what it invalidated painted) against one full repaint of the form (goal: at most a tenth).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "EditMouseBench.h"

#include "BenchScreen.h"
#include "BenchTiming.h"
#include "toolkit/editors/kvEdit.h"
#include "user/Painting.h"
#include "vcl/Forms.h"

void RunEditMouseBench() {
  BenchScreen units;
  {
    auto* form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 900, 700);
    form->Show();
    std::vector<TkvCustomEdit*> edits;
    for (int i = 0; i < 50; ++i) {
      auto* edit = new TkvCustomEdit(form);
      // The base kind measures no content: the editors keep the size given them.
      edit->SetAutoSize(false);
      edit->SetParent(form);
      edit->SetBounds(10 + (i % 5) * 175, 10 + (i / 5) * 32, 165, 24);
      edit->GetProperties()->GetButtons()->AddButton()->SetKind(bkEllipsis);
      edit->GetProperties()->GetButtons()->AddButton();
      edits.push_back(edit);
    }
    UpdateAllWindows();
    // One move: the hot state goes from one button of an editor to the other.
    int step = 0;
    double move = Best(200, [&] {
      TkvCustomEdit* edit = edits[(step / 2) % edits.size()];
      TkvCustomEditViewInfo* info = edit->GetEditViewInfo();
      const TRect& b = info->Buttons[step % 2]->Bounds;
      edit->CalculateViewInfoAt(TPoint{(b.Left + b.Right) / 2, 12}, 0, TShiftState{}, true);
      UpdateAllWindows();
      ++step;
    });
    double full = Best(20, [&] {
      RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      UpdateAllWindows();
    });
    std::printf("editors: mouse move over 50 editors %.3f ms, full repaint %.3f ms, ratio %.3f (goal <= 0.1)\n", move,
                full, move / full);
    delete form;
  }
}
