// A skinned 741 x 436 form against the same form with the platform's frame: one full repaint with
// warm element caches, and one live-resize step (new size, frame recalculated, caches rendered
// again, client repainted).

#include "FormsBench.h"

#include <chrono>
#include <cstdio>

#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace {

using Timing = std::chrono::steady_clock;
constexpr int kRounds = 30;

// A form that keeps the platform's frame.
class TPlatformFrameForm : public TForm {
  TAVREN_CLASS(TPlatformFrameForm, TForm)
 public:
  using TForm::TForm;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == KVM_SKINFORMMESSAGE) {
      Message.Result = 1;
      return;
    }
    inherited::WndProc(Message);
  }
};
TAVREN_CLASS_IMPL(TPlatformFrameForm)

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

// The main window's size with a row of buttons and a panel.
template <class F>
F* NewForm() {
  auto* form = new F(nullptr, 0);
  form->SetBounds(40, 40, 741, 436);
  for (Integer i = 0; i < 6; ++i) {
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(12 + i * 84, 360, 76, 25);
    button->SetCaption("Button");
  }
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(12, 12, 300, 120);
  panel->SetCaption("Panel");
  form->Show();
  Pump();
  return form;
}

template <class W>
double BestMilliseconds(W Work) {
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const Timing::time_point start = Timing::now();
    Work(round);
    best = std::min(best, std::chrono::duration<double, std::milli>(Timing::now() - start).count());
  }
  return best;
}

double Repaint(TForm* Form) {
  return BestMilliseconds([&](int) {
    RedrawWindow(Form->GetHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
}

double ResizeStep(TForm* Form) {
  return BestMilliseconds([&](int Round) {
    const int grow = Round % 2 ? 0 : 12;
    SetWindowPos(Form->GetHandle(), nullptr, 0, 0, 741 + grow, 436 + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(Form->GetHandle());
  });
}

}  // namespace

void BenchSkinnedForm() {
  auto* controller = new TqzSkinController(nullptr);
  controller->SetSkinName("Skin13");
  TForm* skinned = NewForm<TForm>();
  TForm* plain = NewForm<TPlatformFrameForm>();
  TqzSkinWinController* c = SkinWinControllerOf(skinned->GetHandle());
  if (!c || !c->IsSkinned() || SkinWinControllerOf(plain->GetHandle())->IsSkinned()) {
    std::printf("the forms are not set up as measured\n");
    return;
  }
  const double repaintSkinned = Repaint(skinned), repaintPlain = Repaint(plain);
  const double resizeSkinned = ResizeStep(skinned), resizePlain = ResizeStep(plain);
  std::printf("skinned 741 x 436 form, Skin13:\n");
  std::printf("  full repaint     %7.3f ms, platform frame %7.3f ms: %.2fx (goal 1.5x, 8 ms)\n", repaintSkinned,
              repaintPlain, repaintSkinned / repaintPlain);
  std::printf("  live-resize step %7.3f ms, platform frame %7.3f ms: %.2fx (goal 1.5x, 8 ms)\n", resizeSkinned,
              resizePlain, resizeSkinned / resizePlain);
  delete skinned;
  delete plain;
  delete controller;
  Pump();
}
