// Dragging: BeginDrag captures the mouse into a hidden window, follows it over the controls
// (CM_DRAG with dmDragEnter / dmDragMove / dmDragLeave to each target, which answers whether it
// accepts), and on release drops on the target that accepts (dmDragDrop) or cancels; the source
// hears of the end through DoEndDrag. A docking drag (DragKind dkDock) looks for dock sites
// instead, asks them through DockOver, and on release docks the control into the site or floats
// it where it was let go; the source hears through OnEndDock.

#include <cstdlib>
#include <memory>

#include "vcl/AllocateHWnd.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"

TDragImageHooks DragImageHooks;

TAVREN_CLASS_IMPL(TDragObject)
TAVREN_CLASS_IMPL(TBaseDragControlObject)
TAVREN_CLASS_IMPL(TDragControlObject)
TAVREN_CLASS_IMPL(TDragDockObject)

TCursor TDragControlObject::GetDragCursor(bool Accepted, Integer, Integer) {
  return Accepted ? GetControl()->GetDragCursor() : crNoDrop;
}

// What CM_DRAG carries in LParam.
struct TDragRec {
  TPoint Pos;  // screen coordinates
  TDragObject* Source;
  TControl* Target;
};

namespace {

class TDragSession : public TObject {
 public:
  TDragObject* Object = nullptr;
  TControl* Control = nullptr;
  TPoint StartPos;
  Integer Threshold = 0;
  bool Active = false;
  TControl* Target = nullptr;
  HWND Capture = nullptr;

  void WndProc(TMessage& Message);
};

TDragSession* gDrag = nullptr;

}  // namespace

// The drag loop's steps; a friend of the drag objects and controls whose state it moves.
class TDragDriver {
 public:
  // The dock site under Pos that would take the dragged control (docking drags).
  static TWinControl* FindDockSite(const TPoint& Pos);
  static TControl* FindTarget(const TPoint& Pos);
  static bool DoDragOver(TDragMessage Kind);
  static void DragTo(const TPoint& Pos);
  static void DragDone(bool Drop);
};

namespace {

// Sends a drag message to the target; answers its verdict (accepts / the control found).
LRESULT SendDragMessage(TControl* Target, TDragMessage Kind, TDragObject* Source, const TPoint& Pos) {
  TDragRec rec{Pos, Source, Target};
  return Target->Perform(CM_DRAG, Kind, reinterpret_cast<LPARAM>(&rec));
}

}  // namespace

TWinControl* TDragDriver::FindDockSite(const TPoint& Pos) {
  TControl* dragged = gDrag->Control;
  for (TControl* c = FindDragTarget(Pos, false); c; c = c->GetParent()) {
    auto* site = dynamic_cast<TWinControl*>(c);
    if (!site || !site->GetDockSite() || site == dragged) continue;
    bool inside = false;  // a site inside the dragged control cannot take it
    for (TControl* p = site; p; p = p->GetParent()) inside = inside || p == dragged;
    if (inside) continue;
    TRect influence;
    bool canDock = true;
    site->GetSiteInfo(dragged, influence, Pos, canDock);
    if (canDock && Pos.X >= influence.Left && Pos.X < influence.Right && Pos.Y >= influence.Top &&
        Pos.Y < influence.Bottom)
      return site;
  }
  return nullptr;
}

TControl* TDragDriver::FindTarget(const TPoint& Pos) {
  if (dynamic_cast<TDragDockObject*>(gDrag->Object)) return FindDockSite(Pos);
  TControl* target = FindDragTarget(Pos, false);
  // A container answers for the child under the point that takes part in dragging.
  if (target) {
    TDragRec rec{Pos, gDrag->Object, target};
    if (auto* found = reinterpret_cast<TControl*>(target->Perform(CM_DRAG, dmFindTarget, reinterpret_cast<LPARAM>(&rec))))
      target = found;
  }
  return target;
}

bool TDragDriver::DoDragOver(TDragMessage Kind) {
  if (!gDrag->Target) return false;
  if (auto* dock = dynamic_cast<TDragDockObject*>(gDrag->Object)) {
    // A dock site answers through DockOver; it takes the control unless its handler says no.
    auto* site = static_cast<TWinControl*>(gDrag->Target);
    TPoint at = site->ScreenToClient(dock->FDragPos);
    bool accept = true;
    if (Kind != dmDragDrop) site->DockOver(dock, at.X, at.Y, static_cast<TDragState>(Kind), accept);
    return accept;
  }
  return SendDragMessage(gDrag->Target, Kind, gDrag->Object, gDrag->Object->FDragPos) != 0;
}

void TDragDriver::DragTo(const TPoint& Pos) {
  if (!gDrag->Active && (std::abs(Pos.X - gDrag->StartPos.X) >= gDrag->Threshold ||
                         std::abs(Pos.Y - gDrag->StartPos.Y) >= gDrag->Threshold))
    gDrag->Active = true;
  if (!gDrag->Active) return;
  TControl* target = FindTarget(Pos);
  gDrag->Object->FDragPos = Pos;
  if (target != gDrag->Target) {
    DoDragOver(dmDragLeave);
    if (!gDrag) return;  // a handler ended the drag
    gDrag->Target = target;
    gDrag->Object->FDragTarget = target;
    DoDragOver(dmDragEnter);
    if (!gDrag) return;
  }
  if (target) gDrag->Object->FDragTargetPos = target->ScreenToClient(Pos);
  bool accepted = DoDragOver(dmDragMove);
  if (!gDrag) return;
  TCursor cursor = gDrag->Object->GetDragCursor(accepted, Pos.X, Pos.Y);
  if (Screen()) ::SetCursor(Screen()->GetCursors(cursor));
  if (TDragImageList* images = gDrag->Object->GetDragImages(); images && DragImageHooks.MoveDragImage)
    DragImageHooks.MoveDragImage(images, Pos.X, Pos.Y);
}

void TDragDriver::DragDone(bool Drop) {
  if (!gDrag || gDrag->Object->FCancelling) return;
  std::unique_ptr<TDragSession> session(gDrag);
  TDragObject* object = session->Object;
  object->FCancelling = true;
  object->FDropped = Drop;
  object->HideDragImage();
  if (TDragImageList* images = object->GetDragImages(); images && DragImageHooks.HideDragImage)
    DragImageHooks.HideDragImage(images);
  HWND capture = session->Capture;
  session->Capture = nullptr;
  bool accepted = false;
  TPoint targetPos = session->Target ? object->FDragTargetPos : object->FDragPos;
  auto* dock = dynamic_cast<TDragDockObject*>(object);
  if (session->Target && session->Active) {
    accepted = Drop && DoDragOver(dmDragLeave);
    if (!Drop) DoDragOver(dmDragLeave);
    if (accepted && !dock) SendDragMessage(session->Target, dmDragDrop, object, object->FDragPos);
  }
  gDrag = nullptr;
  if (GetCapture() == capture) ReleaseCapture();
  DeallocateHWnd(capture);
  if (dock && Drop && session->Active && session->Control) {
    // Into the site that accepted it, or floating where it was let go.
    TControl* control = session->Control;
    if (accepted) {
      control->ManualDock(static_cast<TWinControl*>(session->Target), nullptr, dock->GetDropAlign());
    } else {
      const TPoint at = object->FDragPos;
      accepted = control->ManualFloat({at.X, at.Y, at.X + control->GetWidth(), at.Y + control->GetHeight()});
    }
  }
  if (!accepted) targetPos = {0, 0};
  if (!accepted && session->Control) session->Control->DragCanceled();
  object->Finished(accepted ? session->Target : nullptr, targetPos.X, targetPos.Y, accepted);
  if (session->Control) {
    if (dock)
      session->Control->FOnEndDock(session->Control, accepted ? session->Target : nullptr, targetPos.X, targetPos.Y);
    else
      session->Control->DoEndDrag(accepted ? session->Target : nullptr, targetPos.X, targetPos.Y);
  }
  if (object->GetAutoRelease()) delete object;
}

void TDragSession::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      POINT p;
      GetCursorPos(&p);
      TDragDriver::DragTo(p);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: TDragDriver::DragDone(true); break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(Message.LParam) != Capture) TDragDriver::DragDone(false);
      break;
    case WM_KEYDOWN:
      if (Message.WParam == VK_ESCAPE) TDragDriver::DragDone(false);
      break;
    default: Message.Result = DefWindowProc(Capture, Message.Msg, Message.WParam, Message.LParam);
  }
}

TDragObject* DragObject() { return gDrag ? gDrag->Object : nullptr; }

void CancelDrag() { TDragDriver::DragDone(false); }

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  HWND window = WindowFromPoint(Pos);
  TWinControl* control = nullptr;
  for (; window && !(control = FindControl(window)); window = ::GetParent(window)) {
  }
  if (!control) return nullptr;
  if (TControl* child = control->ControlAtPos(control->ScreenToClient(Pos), AllowDisabled)) return child;
  return control;
}

// ---- TControl's side of a drag ------------------------------------------------------------------

bool TControl::Dragging() { return gDrag && gDrag->Control == this; }

void TControl::BeginDrag(bool Immediate, Integer Threshold) {
  if (dynamic_cast<TCustomForm*>(this) && FDragKind != dkDock)
    throw EInvalidOperation("Cannot drag a form");
  if (gDrag) return;
  if (FControlState.Contains(csLButtonDown)) {
    POINT p;
    GetCursorPos(&p);
    Perform(WM_LBUTTONUP, 0, PointToLParam(ScreenToClient(p)));
  }
  if (Threshold < 0) Threshold = Mouse() ? Mouse()->GetDragThreshold() : 5;
  TDragObject* object = nullptr;
  if (FDragKind == dkDock) {
    TDragDockObject* dock = nullptr;
    FOnStartDock(this, dock);
    object = dock;
    if (!object) {
      object = new TDragDockObject(this);
      object->SetAutoRelease(true);
    }
  } else {
    DoStartDrag(object);
  }
  if (!object) {
    object = new TDragControlObject(this);
    object->SetAutoRelease(true);
  }
  auto* session = new TDragSession;
  session->Object = object;
  session->Control = this;
  session->Threshold = Threshold;
  POINT start;
  GetCursorPos(&start);
  session->StartPos = start;
  object->FDragPos = start;
  gDrag = session;
  session->Capture = AllocateHWnd(MakeEvent<&TDragSession::WndProc>(session));
  SetCapture(session->Capture);
  if (TDragImageList* images = object->GetDragImages(); images && DragImageHooks.ShowDragImage)
    DragImageHooks.ShowDragImage(images, session->Capture, start.X, start.Y);
  if (Immediate) {
    session->Active = true;
    TDragDriver::DragTo(start);
  }
}

void TControl::EndDrag(bool Drop) {
  if (Dragging()) TDragDriver::DragDone(Drop);
}

void TControl::BeginAutoDrag() {
  BeginDrag(Mouse() ? Mouse()->GetDragImmediate() : true, Mouse() ? Mouse()->GetDragThreshold() : 5);
}

void TControl::DoStartDrag(TDragObject*& DragObject) { FOnStartDrag(this, DragObject); }

void TControl::DoEndDrag(TObject* Target, Integer X, Integer Y) { FOnEndDrag(this, Target, X, Y); }

void TControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  Accept = FOnDragOver.Assigned();
  if (Accept) FOnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, Integer X, Integer Y) { FOnDragDrop(this, Source, X, Y); }

void TControl::CMDrag(TMessage& Message) {
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  switch (static_cast<TDragMessage>(Message.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove:
    case dmDragDrop:
      if (rec->Target) rec->Target->DoDragMsg(Message);
      break;
    case dmFindTarget: {
      TControl* found = nullptr;
      if (auto* win = dynamic_cast<TWinControl*>(this)) found = win->ControlAtPos(ScreenToClient(rec->Pos), false);
      Message.Result = reinterpret_cast<LRESULT>(found ? found : this);
      break;
    }
    default: break;
  }
}

void TControl::DoDragMsg(TMessage& Message) {
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  TObject* source = rec->Source->GetSource();
  TPoint pos = ScreenToClient(rec->Pos);
  switch (static_cast<TDragMessage>(Message.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      bool accepts = true;
      DragOver(source, pos.X, pos.Y, static_cast<TDragState>(Message.WParam), accepts);
      Message.Result = accepts ? 1 : 0;
      break;
    }
    case dmDragDrop: DragDrop(source, pos.X, pos.Y); break;
    default: break;
  }
}
