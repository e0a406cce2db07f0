#include "ClipEditorScript.h"

#include <gtest/gtest.h>

#include "ScreenPoints.h"

#include "app/AppWindows.h"
#include "app/VideoEdit.h"
#include "backend/ScriptedInput.h"
#include "rtl/SysUtils.h"
#include "user/Rects.h"
#include "user/Input.h"

namespace {

// A click long after the last one, so that it never makes a double click.
void Click(FakeClock& AClock, POINT AAt) {
  AClock.Advance(1000);
  ScriptClick(AAt);
}

// Clicks into the edit, selects all it holds and types the text over it.
void TypeInto(FakeClock& AClock, TControl* AEdit, const String& AText) {
  Click(AClock, ControlPoint(AEdit));
  ScriptKeyPress(VK_HOME);
  ScriptKeyPress(VK_END, kShift);
  ScriptTypeText(AText);
}

// The middle of the page's tab, found by asking the page control what lies under its points.
POINT TabOf(TWbPageControl* APages, TWbTabSheet* APage) {
  for (Integer y = 1; y < 40; y += 2)
    for (Integer x = 1; x < APages->GetWidth(); x += 4)
      if (APages->TabAtPoint(x, y) == APage->GetPageIndex()) return ToScreen(APages, x + 8, y + 4);
  ADD_FAILURE() << "no tab for the page";
  return {0, 0};
}

// Clicks into the spin and steps it from one value to another by tens (the values differ by a
// multiple of ten).
void StepTo(FakeClock& AClock, TControl* ASpin, Integer AFrom, Integer ATo) {
  Click(AClock, ControlPoint(ASpin));
  for (Integer v = AFrom; v != ATo; v += v < ATo ? 10 : -10) ScriptKeyPress(v < ATo ? VK_PRIOR : VK_NEXT);
}

TRect Spins(TFormVideoEdit* AEditor) {
  return {Integer(AEditor->speLeft->GetValue()), Integer(AEditor->speTop->GetValue()),
          Integer(AEditor->speRight->GetValue()), Integer(AEditor->speBottom->GetValue())};
}

}  // namespace

std::vector<TModalScript::TStep> ClipEditSteps(FakeClock& AClock, TClipEdit& AEdit) {
  TFormVideoEdit* editor = FormVideoEdit;
  FakeClock* clock = &AClock;
  TClipEdit* edit = &AEdit;
  return {
      [=] {
        if (!editor->GetVisible() || editor->pgcClip->GetActivePage() != editor->tshTrim) return false;
        TypeInto(*clock, editor->edtStart, edit->Start);
        Click(*clock, ControlPoint(editor->btnStartApply));
        TypeInto(*clock, editor->edtEnd, edit->End);
        Click(*clock, ControlPoint(editor->btnEndApply));
        return true;
      },
      [=] {
        edit->ShownStart = editor->edtStart->GetText();
        edit->ShownEnd = editor->edtEnd->GetText();
        Click(*clock, TabOf(editor->pgcClip, editor->tshCrop));
        return true;
      },
      [=] {
        // The still is on the page once the selection window stands over it.
        const TRect window = editor->GetCropWindowRect();
        if (editor->pgcClip->GetActivePage() != editor->tshCrop || IsRectEmpty(&window)) return false;
        // The spins take no typing: each is stepped there by tens with Page Up and Page Down.
        const TRect now = Spins(editor);
        StepTo(*clock, editor->speLeft, now.Left, edit->Stepped.Left);
        StepTo(*clock, editor->speTop, now.Top, edit->Stepped.Top);
        StepTo(*clock, editor->speRight, now.Right, edit->Stepped.Right);
        StepTo(*clock, editor->speBottom, now.Bottom, edit->Stepped.Bottom);
        return true;
      },
      [=] {
        edit->SteppedShown = Spins(editor);
        edit->Scale = editor->GetCropScale();
        const TRect window = editor->GetCropWindowRect();
        const TRect& t = edit->SteppedShown;
        const POINT from = ToScreen(editor->PanelCrop, window.Left + Integer((t.Left + t.Right) / 2 * edit->Scale),
                              window.Top + Integer((t.Top + t.Bottom) / 2 * edit->Scale));
        clock->Advance(1000);
        ScriptDrag(from, {from.X + edit->Drag.X, from.Y + edit->Drag.Y});
        return true;
      },
      [=] {
        edit->Chosen = Spins(editor);
        Click(*clock, ControlPoint(editor->ButtonOK));
        return true;
      },
  };
}
