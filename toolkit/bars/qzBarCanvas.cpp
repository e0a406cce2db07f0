// The shared bar canvas and its paint-state stack.

#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL(TqzBarCanvas)
TAVREN_CLASS_IMPL(TqzBarSystemController)

TqzBarCanvas::TqzBarCanvas() : TkvCanvas(nullptr), FOwnCanvas(std::make_unique<TCanvas>()) {
  SetWrappedCanvas(FOwnCanvas.get());
}

TqzBarCanvas::~TqzBarCanvas() {
  // A paint that never popped must not leave the canvas on its device context.
  while (!FStates.empty()) PopPaintState();
}

void TqzBarCanvas::PushPaintDC(HDC DC) {
  TqzBarCanvasState state;
  TCanvas* canvas = GetCanvas();
  if (canvas->HandleAllocated()) {
    PushState();
    state.PrevDC = canvas->GetHandle();
  }
  state.DC = DC;
  state.SavedDC = SaveDC(DC);
  FStates.push_back(state);
  canvas->SetHandle(DC);
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csPenValid, csBrushValid});
}

void TqzBarCanvas::PushPaintCanvas(TCanvas* ACanvas) {
  TqzBarCanvasState state;
  state.PrevCanvas = GetCanvas();
  FStates.push_back(state);
  SetWrappedCanvas(ACanvas);
  PushClip();
  PushState();
}

void TqzBarCanvas::PopPaintState() {
  if (FStates.empty()) return;
  TqzBarCanvasState state = FStates.back();
  FStates.pop_back();
  if (state.PrevCanvas) {
    PopState();
    PopClip();
    SetWrappedCanvas(state.PrevCanvas);
    return;
  }
  GetCanvas()->SetHandle(state.PrevDC);
  RestoreDC(state.DC, state.SavedDC);
  if (GetCanvas()->HandleAllocated()) PopState();
}
