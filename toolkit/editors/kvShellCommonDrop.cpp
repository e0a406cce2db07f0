// The drag steps of a shell view that takes drops, around the shell target the view finds.

#include "toolkit/editors/kvShellCommon.h"

namespace {

// The window's registration: each call goes to the site.
class TkvDropSiteTarget : public TInterfacedObject, public IDropTarget {
 public:
  explicit TkvDropSiteTarget(TkvShellDropSite* ASite) : FSite(ASite) {}
  HRESULT DragEnter(IDataObject* Data, DWORD KeyState, POINT Point, DWORD* Effect) override {
    return FSite->DropDragEnter(Data, KeyState, Point, Effect);
  }
  HRESULT DragOver(DWORD KeyState, POINT Point, DWORD* Effect) override {
    return FSite->DropDragOver(KeyState, Point, Effect);
  }
  HRESULT DragLeave() override { return FSite->DropDragLeave(); }
  HRESULT Drop(IDataObject* Data, DWORD KeyState, POINT Point, DWORD* Effect) override {
    return FSite->DropDrop(Data, KeyState, Point, Effect);
  }

 private:
  TkvShellDropSite* FSite;
};

}  // namespace

void TkvShellDropSite::RegisterDrops(HWND Window) {
  FRegisteredTarget = TInterfacePtr<IDropTarget>(new TkvDropSiteTarget(this));
  RegisterDragDrop(Window, FRegisteredTarget.Get());
}

void TkvShellDropSite::RevokeDrops(HWND Window) {
  RevokeDragDrop(Window);
  FRegisteredTarget = nullptr;
}

void TkvShellDropSite::DropLeave() {
  if (FDropTarget) FDropTarget->DragLeave();
  FDropTarget = nullptr;
  ClearDropHighlight();
}

HRESULT TkvShellDropSite::DropDragEnter(IDataObject* Data, DWORD KeyState, POINT Point, DWORD* Effect) {
  FDragData = TInterfacePtr<IDataObject>(Data);
  DropHover(TPoint(Point.X, Point.Y));
  if (!FDropTarget) {
    *Effect = DROPEFFECT_NONE;
    return S_OK;
  }
  *Effect = GetDragDropSettings()->GetDefaultEffect();
  return FDropTarget->DragEnter(Data, KeyState, Point, Effect);
}

HRESULT TkvShellDropSite::DropDragOver(DWORD KeyState, POINT Point, DWORD* Effect) {
  const bool changed = DropHover(TPoint(Point.X, Point.Y));
  if (!FDropTarget) {
    *Effect = DROPEFFECT_NONE;
    return S_OK;
  }
  // A new target under the pointer is entered before it is passed over.
  if (changed) {
    DWORD entered = *Effect;
    const HRESULT result = FDropTarget->DragEnter(FDragData.Get(), KeyState, Point, &entered);
    if (result != S_OK) return result;
  }
  return FDropTarget->DragOver(KeyState, Point, Effect);
}

HRESULT TkvShellDropSite::DropDragLeave() {
  FDragData = nullptr;
  DropLeave();
  return S_OK;
}

HRESULT TkvShellDropSite::DropDrop(IDataObject* Data, DWORD KeyState, POINT Point, DWORD* Effect) {
  const bool changed = DropHover(TPoint(Point.X, Point.Y));
  HRESULT result = S_OK;
  if (FDropTarget) {
    DWORD entered = *Effect;
    if (changed) result = FDropTarget->DragEnter(Data, KeyState, Point, &entered);
    if (result == S_OK) result = FDropTarget->Drop(Data, KeyState, Point, Effect);
  } else {
    *Effect = DROPEFFECT_NONE;
  }
  if (*Effect != DROPEFFECT_NONE) Dropped();
  FDragData = nullptr;
  DropLeave();
  return result;
}
