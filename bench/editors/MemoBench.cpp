// The log window's case: a read-only memo given 20,000 lines (about 1 MB) through Lines, then
// its first paint, Ctrl+End and one character typed at the end; the editor's memo against the
// platform's TMemo with the same text in the same run (goal: at most twice the platform's time).

#include "MemoBench.h"

#include <cstdio>
#include <memory>

#include "BenchScreen.h"
#include "BenchTiming.h"
#include "backend/ScriptedInput.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvMemo.h"
#include "user/Painting.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

namespace {

constexpr int kLines = 20000;

TStringList* LogLines() {
  auto* lines = new TStringList();
  for (int i = 0; i < kLines; ++i)
    lines->Add("12:" + IntToStr(10 + i % 50) + ":" + IntToStr(10 + i % 49) + " clip" + IntToStr(i) +
               ".avi converted to clip" + IntToStr(i) + ".wmv");
  return lines;
}

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  UpdateAllWindows();
}

// One pass of the case on a fresh control: set the lines, paint, Ctrl+End, type a character.
template <class Make>
double Pass(TForm* form, TStringList* lines, Make make) {
  return Best(5, [&] {
    TWinControl* control = nullptr;
    TStrings* target = make(control);
    control->SetParent(form);
    control->SetBounds(10, 10, 600, 400);
    target->Assign(lines);
    Pump();
    control->SetFocus();
    ScriptKeyPress(VK_END, kCtrl);
    ScriptTypeText("x");
    Pump();
    delete control;
  });
}

}  // namespace

void RunMemoBench() {
  BenchScreen units;
  {
    auto* form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 640, 480);
    form->Show();
    std::unique_ptr<TStringList> lines(LogLines());
    double editor = Pass(form, lines.get(), [&](TWinControl*& control) {
      auto* memo = new TkvMemo(form);
      memo->GetMemoProperties()->SetReadOnly(true);
      memo->GetMemoProperties()->SetScrollBars(ssBoth);
      control = memo;
      return memo->GetLines();
    });
    double platform = Pass(form, lines.get(), [&](TWinControl*& control) {
      auto* memo = new TMemo(form);
      memo->SetReadOnly(true);
      memo->SetScrollBars(ssBoth);
      control = memo;
      return memo->GetLines();
    });
    std::printf("editors: read-only memo of %d lines (set, paint, Ctrl+End, a key): memo %.1f ms, platform memo %.1f ms, "
                "ratio %.2f (goal <= 2)\n",
                kLines, editor, platform, editor / platform);
    delete form;
  }
}
