#include "app/RangeSlider.h"

#include "rtl/ClassRegistry.h"
#include "rtl/Math.h"
#include "rtl/TypInfo.h"

TframSeekBar::TframSeekBar(TComponent* AOwner) : TFrame(AOwner) {}

// ---- Values and pixels --------------------------------------------------------------------------

Double TframSeekBar::TrackLeft() const { return imgBackground->GetLeft() + 7; }
Double TframSeekBar::TrackWidth() const { return imgBackground->GetWidth() - 14; }
Double TframSeekBar::TrackRight() const { return imgBackground->GetLeft() + imgBackground->GetWidth() - 7; }

// The value scale starts at 0 at the track's left end; Min only bounds SetStart.
Double TframSeekBar::ValueOf(Double X) const {
  const Double width = TrackWidth();
  return width > 0 ? (FMax - FMin) * (X - TrackLeft()) / width : 0;
}

Double TframSeekBar::PixelOf(Double Value) const { return TrackLeft() + Value / (FMax - FMin) * TrackWidth(); }

// ---- Placing from values ------------------------------------------------------------------------

void TframSeekBar::FitBand() {
  imgSel->SetLeft(imgStart->GetLeft() + imgStart->GetWidth());
  imgSel->SetWidth(std::max<Integer>(imgEnd->GetLeft() - imgSel->GetLeft(), 0));
}

void TframSeekBar::PlaceStart() {
  imgStart->SetLeft(Integer(Round(PixelOf(FStart) - imgStart->GetWidth())));
  FitBand();
}

void TframSeekBar::PlaceEnd() {
  imgEnd->SetLeft(Integer(Round(PixelOf(FEnd))));
  FitBand();
}

void TframSeekBar::PlacePosition() {
  imgPosition->SetLeft(Integer(Round(PixelOf(FPosition) - imgPosition->GetWidth() / 2.0)));
}

void TframSeekBar::CentreOnTrack(TImage* Handle) {
  Handle->SetTop(
      Integer(Round(imgBackground->GetTop() - (Handle->GetHeight() - imgBackground->GetHeight()) / 2.0)));
  Handle->BringToFront();
}

void TframSeekBar::SetAll(Int64 Min, Int64 Max, Int64 Start, Int64 End, Int64 Position) {
  FMin = Double(Min);
  FMax = Max > Min ? Double(Max) : Double(Min) + 1;
  FStart = Double(Start);
  FEnd = Double(End);
  FPosition = Double(Position);
  PlaceStart();
  CentreOnTrack(imgStart);
  PlaceEnd();
  CentreOnTrack(imgEnd);
  FitBand();
  PlacePosition();
  imgPosition->BringToFront();
}

void TframSeekBar::SetPosition(Double X) {
  if (X < FStart || X > FEnd) return;
  FPosition = X;
  PlacePosition();
}

void TframSeekBar::SetStart(Double X) {
  if (X == FStart || X < FMin || X > FEnd) return;
  FStart = X;
  PlaceStart();
  if (FStart > FPosition) {
    FPosition = FStart;
    PlacePosition();
  }
}

void TframSeekBar::SetEnd(Double X) {
  if (X == FEnd || X < FStart || X > FMax) return;
  FEnd = X;
  PlaceEnd();
  if (FPosition > FEnd) {
    FPosition = FEnd;
    PlacePosition();
  }
}

void TframSeekBar::SetActive(bool Enabled) {
  SetEnabled(Enabled);
  for (TImage* image : {imgBackground, imgStart, imgEnd, imgPosition, imgSel}) image->SetEnabled(Enabled);
}

// ---- Dragging -----------------------------------------------------------------------------------

void TframSeekBar::DragHandle(TGrip Grip, Integer X) {
  const Integer delta = X - GrabOffset;
  switch (Grip) {
    case gStart: {
      Integer l = imgStart->GetLeft() + delta;
      bool touching = false;
      if (l + imgStart->GetWidth() < TrackLeft()) {
        l = Integer(Round(TrackLeft() - imgStart->GetWidth()));
      } else if (l + imgStart->GetWidth() >= imgEnd->GetLeft()) {
        l = imgEnd->GetLeft() - imgStart->GetWidth();
        touching = true;
      }
      imgStart->SetLeft(l);
      FitBand();
      imgPosition->SetLeft(
          Integer(Round(imgStart->GetLeft() + imgStart->GetWidth() - imgPosition->GetWidth() / 2.0)));
      ReadStart();
      ReadPosition();
      // Touching the end handle, the start takes the end's own value rather than its pixel's, so
      // an empty selection reads as one.
      if (touching) FStart = FPosition = FEnd;
      break;
    }
    case gSelection: {
      const Integer l = imgSel->GetLeft() + delta;
      // Against an end the band stops where it is rather than sliding up to the end.
      if (l < TrackLeft() || l + imgSel->GetWidth() > TrackRight()) return;
      imgSel->SetLeft(l);
      imgPosition->SetLeft(imgPosition->GetLeft() + delta);
      imgStart->SetLeft(l - imgStart->GetWidth());
      imgEnd->SetLeft(l + imgSel->GetWidth());
      ReadPosition();
      ReadEnd();
      ReadStart();
      break;
    }
    case gEnd: {
      Integer l = imgEnd->GetLeft() + delta;
      bool touching = false;
      if (l > TrackRight()) {
        l = Integer(Round(TrackRight()));
      } else if (l <= imgStart->GetLeft() + imgStart->GetWidth()) {
        l = imgStart->GetLeft() + imgStart->GetWidth();
        touching = true;
      }
      imgEnd->SetLeft(l);
      FitBand();
      imgPosition->SetLeft(Integer(Round(imgEnd->GetLeft() - imgPosition->GetWidth() / 2.0)));
      ReadEnd();
      ReadPosition();
      if (touching) FEnd = FPosition = FStart;
      break;
    }
    case gPosition: {
      const Integer l = imgPosition->GetLeft() + delta;
      const Double c = l + imgPosition->GetWidth() / 2.0;
      if (c < imgStart->GetLeft() + imgStart->GetWidth() || c > imgEnd->GetLeft()) return;
      imgPosition->SetLeft(l);
      ReadPosition();
      break;
    }
  }
}

bool TframSeekBar::DraggingOtherThan(TGrip Grip) const {
  for (int g = gStart; g <= gPosition; ++g)
    if (g != Grip && FDragging[g]) return true;
  return false;
}

// ---- Mouse --------------------------------------------------------------------------------------

void TframSeekBar::imgStartMouseDown(TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
  if (!DragEnabled) return;
  FDragging[gStart] = true;
  GrabOffset = 0;
  OnHandleDown(this, 1, Button, FStart, FEnd);
}

void TframSeekBar::imgStartMouseMove(TObject*, TShiftState, Integer X, Integer) {
  if (!DragEnabled || !FDragging[gStart] || DraggingOtherThan(gStart)) return;
  DragHandle(gStart, X);
  OnHandleMove(this, 1, FStart, FEnd);
}

void TframSeekBar::imgStartMouseUp(TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
  if (!DragEnabled) return;
  FDragging[gStart] = false;
  GrabOffset = 0;
  OnHandleUp(this, 1, Button, FStart, FEnd);
}

void TframSeekBar::imgEndMouseDown(TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
  if (!DragEnabled) return;
  FDragging[gEnd] = true;
  GrabOffset = 0;
  OnHandleDown(this, 2, Button, FStart, FEnd);
}

void TframSeekBar::imgEndMouseMove(TObject*, TShiftState, Integer X, Integer) {
  if (!DragEnabled || !FDragging[gEnd] || DraggingOtherThan(gEnd)) return;
  DragHandle(gEnd, X);
  OnHandleMove(this, 2, FStart, FEnd);
}

void TframSeekBar::imgEndMouseUp(TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
  if (!DragEnabled) return;
  FDragging[gEnd] = false;
  GrabOffset = 0;
  OnHandleUp(this, 2, Button, FStart, FEnd);
}

void TframSeekBar::imgSelMouseDown(TObject*, TMouseButton, TShiftState, Integer X, Integer) {
  if (!DragEnabled) return;
  FDragging[gSelection] = true;
  GrabOffset = X;
  OnSelectionDown(this, FStart, FEnd, FPosition);
}

void TframSeekBar::imgSelMouseMove(TObject*, TShiftState, Integer X, Integer) {
  if (!DragEnabled || !FDragging[gSelection]) return;
  DragHandle(gSelection, X);
  OnSelectionMove(this, FStart, FEnd, FPosition);
}

void TframSeekBar::imgSelMouseUp(TObject*, TMouseButton, TShiftState, Integer, Integer) {
  if (!DragEnabled) return;
  FDragging[gSelection] = false;
  GrabOffset = 0;
  OnSelectionUp(this, FStart, FEnd, FPosition);
}

void TframSeekBar::imgPositionMouseDown(TObject*, TMouseButton, TShiftState, Integer X, Integer) {
  if (!DragEnabled) return;
  FDragging[gPosition] = true;
  GrabOffset = X;
  OnPositionDown(this, FPosition);
}

void TframSeekBar::imgPositionMouseMove(TObject*, TShiftState, Integer X, Integer) {
  if (!DragEnabled || !FDragging[gPosition] || DraggingOtherThan(gPosition)) return;
  DragHandle(gPosition, X);
  OnPositionMove(this, FPosition);
}

void TframSeekBar::imgPositionMouseUp(TObject*, TMouseButton, TShiftState, Integer, Integer) {
  if (!DragEnabled) return;
  FDragging[gPosition] = false;
  GrabOffset = 0;
  OnPositionUp(this, FPosition);
}

TAVREN_CLASS_IMPL_PUBLISHED(TframSeekBar,
    FIELD(imgClient), FIELD(imgBackground), FIELD(imgStart), FIELD(imgEnd), FIELD(imgSel), FIELD(imgPosition),
    METHOD(imgStartMouseDown), METHOD(imgStartMouseMove), METHOD(imgStartMouseUp),
    METHOD(imgEndMouseDown), METHOD(imgEndMouseMove), METHOD(imgEndMouseUp),
    METHOD(imgSelMouseDown), METHOD(imgSelMouseMove), METHOD(imgSelMouseUp),
    METHOD(imgPositionMouseDown), METHOD(imgPositionMouseMove), METHOD(imgPositionMouseUp))

void RangeSliderStart() { RegisterClasses({TframSeekBar::ClassInfo()}); }
