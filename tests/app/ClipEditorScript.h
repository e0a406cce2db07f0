#pragma once
// The clip editor's range and crop set as a person sets them, as steps of a modal script for the
// editor the main window opens: on the Trim page the start and the end typed, each applied with
// its button; on the Crop page (chosen by its tab) the four spins stepped and the selection
// rectangle dragged over the still; then OK.

#include "ModalScript.h"
#include "rtl/Types.h"

struct TClipEdit {
  String Start, End;        // as typed, "hh:mm:ss.zzz"
  TRect Stepped;            // the crop the spins are stepped to (source pixels, tens from the whole picture)
  TPoint Drag;              // how far the selection is dragged (screen pixels)
  // What the editor showed when OK was clicked.
  String ShownStart, ShownEnd;
  TRect SteppedShown, Chosen;
  Double Scale = 0;
};

std::vector<TModalScript::TStep> ClipEditSteps(FakeClock& AClock, TClipEdit& AEdit);
