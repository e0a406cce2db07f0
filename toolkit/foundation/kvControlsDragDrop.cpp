// Dragging in a TkvControl: the hooks into the framework's drag-and-drop (drag objects, copy
// cursor, drag images painted by the control) and the internal drag-and-drop state machine.

#include "toolkit/foundation/kvControls.h"

TAVREN_CLASS_IMPL(TkvDragAndDropObject)
TAVREN_CLASS_IMPL(TkvDragControlObject)
TAVREN_CLASS_IMPL(TkvDragImageList)

// ---- Drag objects --------------------------------------------------------------------------

TkvDragAndDropObject::TkvDragAndDropObject(TkvControl* AControl)
    : CurMousePos{-1, -1}, PrevMousePos{-1, -1}, FControl(AControl), FCanvas(AControl ? AControl->GetKvCanvas() : nullptr) {}

void TkvDragAndDropObject::SetDirty(bool Value) {
  if (FDirty == Value) return;
  FDirty = Value;
  DirtyChanged();
}

void TkvDragAndDropObject::DragAndDrop(const TPoint&, bool& Accepted) {
  SetDirty(false);
  if (Screen()) Screen()->SetCursor(GetDragAndDropCursor(Accepted));
}

TCursor TkvDragControlObject::GetDragCursor(bool Accepted, Integer X, Integer Y) {
  auto* control = dynamic_cast<TkvControl*>(GetControl());
  if (Accepted && control && control->CopyModifierDown()) return crkvDragCopy;
  return inherited::GetDragCursor(Accepted, X, Y);
}

// ---- Framework drag-and-drop ---------------------------------------------------------------

TDragImageList* TkvControl::GetDragImages() {
  if (!UsesDragImages()) return nullptr;
  if (!FDragImages) {
    FDragImages.reset(static_cast<TkvDragImageList*>(DragImageListClass()->Create(nullptr)));
    BuildDragImages(FDragImages.get());
  }
  return FDragImages->GetCount() > 0 ? FDragImages.get() : nullptr;
}

void TkvControl::BuildDragImages(TkvDragImageList* ImageList) {
  TSize extent = DragImageExtent();
  ImageList->SetWidth(extent.cx);
  ImageList->SetHeight(extent.cy);
  if (extent.cx == 0 || extent.cy == 0) return;
  TBitmap bitmap;
  bitmap.SetWidth(extent.cx);
  bitmap.SetHeight(extent.cy);
  TkvCanvas canvas(bitmap.GetCanvas());
  PaintDragImage(&canvas, TRect(0, 0, extent.cx, extent.cy));
  ImageList->AddMasked(&bitmap, bitmap.GetTransparentColor());
}

void TkvControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  auto* drag = dynamic_cast<TDragObject*>(Source);
  if (drag) FActiveDragObject = State == dsDragLeave ? nullptr : drag;
  inherited::DragOver(Source, X, Y, State, Accept);
}

void TkvControl::DoStartDrag(TDragObject*& DragObject) {
  Update();
  inherited::DoStartDrag(DragObject);
  if (!DragObject) DragObject = DragControlObjectClass().Create(this);
  if (!AcceptsDragObject(DragObject)) {
    delete DragObject;
    DragObject = nullptr;
    CancelDrag();
  }
}

void TkvControl::DoEndDrag(TObject* Target, Integer X, Integer Y) {
  inherited::DoEndDrag(Target, X, Y);
  FActiveDragObject = nullptr;
  FDragImages.reset();
}

// ---- Internal drag-and-drop ----------------------------------------------------------------

TkvDragAndDropObjectClass TkvControl::DragAndDropObjectClass() {
  return FDragAndDropObjectClass ? FDragAndDropObjectClass : TkvDragAndDropObjectClass(TkvDragAndDropObject::ClassInfo());
}

void TkvControl::BeginDragAndDrop() {
  TPoint p = ScreenToClient(CursorPosOrInvalid());
  FDragAndDropObject->CurMousePos = p;
  FDragAndDropObject->PrevMousePos = p;
  FDragAndDropObject->BeginDragAndDrop();
  SetMouseCapture(true);
  FDragAndDropPrevCursor = Screen() ? Screen()->GetCursor() : crDefault;
  SetDragAndDropState(ddsInProcess);
}

void TkvControl::EndDragAndDrop(bool Accepted) {
  if (FFinishingDragAndDrop) return;
  FFinishingDragAndDrop = true;
  try {
    if (FDragAndDropState == ddsInProcess)
      FinishDragAndDrop(Accepted);
    else
      SetDragAndDropState(ddsNone);
  } catch (...) {
    FFinishingDragAndDrop = false;
    FDragAndDropObject.reset();
    throw;
  }
  FFinishingDragAndDrop = false;
  FDragAndDropObject.reset();
}

void TkvControl::FinishDragAndDrop(bool Accepted) {
  SetDragAndDropState(ddsNone);
  if (Screen()) Screen()->SetCursor(FDragAndDropPrevCursor);
  SetMouseCapture(false);
  SetMouseCaptureObject(nullptr);
  if (FDragAndDropObject) {
    FDragAndDropObject->EndDragAndDrop(Accepted);
    FDragAndDropObject->AfterDragAndDrop(Accepted);
  }
}

void TkvControl::DragAndDropMove(const TPoint& P, bool& Accepted) {
  FDragAndDropObject->PrevMousePos = FDragAndDropObject->CurMousePos;
  FDragAndDropObject->CurMousePos = P;
  FDragAndDropObject->DragAndDrop(P, Accepted);
}

void TkvControl::SetDragAndDropState(TkvDragAndDropState Value) {
  if (FDragAndDropState == Value) return;
  FDragAndDropState = Value;
  if (Value == ddsNone && !FFinishingDragAndDrop) ResetMouseState();
}

void TkvControl::SetMouseCaptureObject(TObject* Value) {
  if (FMouseCaptureObject == Value) return;
  if (auto* old = dynamic_cast<IkvMouseCaptureObject*>(FMouseCaptureObject)) old->DoCancelMode();
  FMouseCaptureObject = Value;
  bool hadCapture = GetMouseCapture();
  SetMouseCapture(Value != nullptr);
  if (hadCapture && !Value && FDragAndDropState == ddsStarting && HandleAllocated())
    SendMessage(GetHandle(), WM_CANCELMODE, 0, 0);
}
