#pragma once
// The seek bar: a track with a selected band between a start and an end handle and a position
// marker inside the band, made of six pictures. The user drags either handle, the band or the
// marker; the bar turns pixels into values and reports them through its nine events.

#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"

// Kind 1 is the start handle, 2 the end handle.
using TSeekHandleEvent = TEvent<void(TObject* Sender, Integer Kind, TMouseButton Button, Double Start, Double End)>;
using TSeekHandleMoveEvent = TEvent<void(TObject* Sender, Integer Kind, Double Start, Double End)>;
using TSeekSelectionEvent = TEvent<void(TObject* Sender, Double Start, Double End, Double Position)>;
using TSeekPositionEvent = TEvent<void(TObject* Sender, Double Position)>;

class TframSeekBar : public TFrame {
  TAVREN_CLASS(TframSeekBar, TFrame)
 public:
  explicit TframSeekBar(TComponent* AOwner);

  // The five values as given, in this order; every grip is placed. A range that is empty or
  // reversed becomes one unit wide, so the pixel conversions never divide by zero.
  void SetAll(Int64 Min, Int64 Max, Int64 Start, Int64 End, Int64 Position);
  // Each is ignored when it would leave Start <= Position <= End within Min..Max.
  void SetPosition(Double X);
  void SetStart(Double X);
  void SetEnd(Double X);
  void SetActive(bool Enabled);

  Double GetMin() const { return FMin; }
  Double GetMax() const { return FMax; }
  Double GetStart() const { return FStart; }
  Double GetEnd() const { return FEnd; }
  Double GetPosition() const { return FPosition; }

  // While false every mouse event of the bar is ignored.
  bool DragEnabled = false;

  TSeekHandleEvent OnHandleDown;
  TSeekHandleMoveEvent OnHandleMove;
  TSeekHandleEvent OnHandleUp;
  TSeekSelectionEvent OnSelectionDown;
  TSeekSelectionEvent OnSelectionMove;
  TSeekSelectionEvent OnSelectionUp;
  TSeekPositionEvent OnPositionDown;
  TSeekPositionEvent OnPositionMove;
  TSeekPositionEvent OnPositionUp;

  TImage* imgClient = nullptr;
  TImage* imgBackground = nullptr;
  TImage* imgStart = nullptr;
  TImage* imgEnd = nullptr;
  TImage* imgSel = nullptr;
  TImage* imgPosition = nullptr;

  // The images' mouse handlers, bound by the form.
  void imgStartMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void imgStartMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void imgStartMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void imgEndMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void imgEndMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void imgEndMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void imgSelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void imgSelMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void imgSelMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void imgPositionMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void imgPositionMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void imgPositionMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

 private:
  enum TGrip { gStart, gSelection, gEnd, gPosition };

  // Track geometry, read from the track image at the time of use.
  Double TrackLeft() const;
  Double TrackWidth() const;
  Double TrackRight() const;
  Double ValueOf(Double X) const;
  Double PixelOf(Double Value) const;

  void PlaceStart();
  void PlaceEnd();
  void PlacePosition();
  void FitBand();
  void CentreOnTrack(TImage* Handle);
  void DragHandle(TGrip Grip, Integer X);
  void ReadStart() { FStart = ValueOf(imgStart->GetLeft() + imgStart->GetWidth()); }
  void ReadEnd() { FEnd = ValueOf(imgEnd->GetLeft()); }
  void ReadPosition() { FPosition = ValueOf(imgPosition->GetLeft() + imgPosition->GetWidth() / 2.0); }
  bool DraggingOtherThan(TGrip Grip) const;

  Double FMin = 0, FMax = 1000, FStart = 0, FEnd = 1000, FPosition = 0;
  bool FDragging[4] = {false, false, false, false};
  Integer GrabOffset = 0;
};

// Registers the unit's classes for form reading.
void RangeSliderStart();
