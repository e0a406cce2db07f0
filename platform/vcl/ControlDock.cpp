// Docking: a control moves into a dock site (CM_DOCKCLIENT to the site, which hands it to its dock
// manager) or floats in a tool window of its own; the site it leaves hears CM_UNDOCKCLIENT.

#include <algorithm>

#include "vcl/Controls.h"
#include "vcl/DockTree.h"
#include "vcl/Forms.h"

bool TControl::GetFloating() {
  return FHostDockSite && dynamic_cast<TCustomDockForm*>(FHostDockSite) != nullptr;
}

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide) {
  if (!NewDockSite) {
    TPoint origin = FParent ? FParent->ClientToScreen({FLeft, FTop}) : TPoint{FLeft, FTop};
    return ManualFloat({origin.X, origin.Y, origin.X + FWidth, origin.Y + FHeight});
  }
  if (NewDockSite == FHostDockSite) return true;
  if (FHostDockSite && !FHostDockSite->Perform(CM_UNDOCKCLIENT, reinterpret_cast<WPARAM>(NewDockSite),
                                               reinterpret_cast<LPARAM>(this)))
    return false;
  TDragDockObject dock(this);
  dock.SetDropAlign(ControlSide);
  dock.SetDockRect(NewDockSite->GetClientRect());
  (void)DropControl;
  NewDockSite->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(&dock), 0);
  return FHostDockSite == NewDockSite;
}

bool TControl::ManualFloat(const TRect& ScreenPos) {
  if (FHostDockSite && !FHostDockSite->Perform(CM_UNDOCKCLIENT, 0, reinterpret_cast<LPARAM>(this))) return false;
  if (auto* form = dynamic_cast<TCustomForm*>(this)) {
    form->SetParent(nullptr);
    form->SetBoundsRect(ScreenPos);
    return true;
  }
  // A tool window the size of the control, holding it; it goes when the control leaves.
  auto* host = new TCustomDockForm(Application());
  host->SetBounds(ScreenPos.Left, ScreenPos.Top, ScreenPos.Width(), ScreenPos.Height());
  host->SetClientWidth(ScreenPos.Width());
  host->SetClientHeight(ScreenPos.Height());
  TDragDockObject dock(this);
  dock.SetDockRect(host->GetClientRect());
  host->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(&dock), 0);
  SetAlign(alClient);
  host->Show();
  return true;
}

void TWinControl::SetDockManager(std::unique_ptr<TDockTree> Value) { FDockManager = std::move(Value); }

std::unique_ptr<TDockTree> TWinControl::CreateDockManager() { return std::make_unique<TDockTree>(this); }

void TWinControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) {
  TPoint origin = ClientToScreen({0, 0});
  InfluenceRect = {origin.X - 10, origin.Y - 10, origin.X + GetWidth() + 10, origin.Y + GetHeight() + 10};
  FOnGetSiteInfo(this, Client, InfluenceRect, MousePos, CanDock);
}

void TWinControl::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  FOnDockOver(this, Source, X, Y, State, Accept);
}

void TWinControl::DockDrop(TDragDockObject* Source, Integer X, Integer Y) {
  TControl* control = Source->GetControl();
  if (FDockSite && FUseDockManager && !FDockManager) FDockManager = CreateDockManager();
  control->SetAlign(alNone);
  if (control->GetParent() != this) control->SetParent(this);
  if (std::find(FDockClients.begin(), FDockClients.end(), control) == FDockClients.end())
    FDockClients.push_back(control);
  control->SetHostDockSite(this);
  if (FDockManager) {
    FDockManager->InsertControl(control, Source->GetDropAlign(), nullptr);
  } else {
    TRect r = Source->GetDockRect();
    control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
  FOnDockDrop(this, Source, X, Y);
}

void TWinControl::CMDockClient(TMessage& Message) {
  auto* source = reinterpret_cast<TDragDockObject*>(Message.WParam);
  TPoint at = ScreenToClient(source->GetDragPos());
  DockDrop(source, at.X, at.Y);
  Message.Result = 1;
}

void TWinControl::CMUnDockClient(TMessage& Message) {
  auto* client = reinterpret_cast<TControl*>(Message.LParam);
  bool allow = true;
  FOnUnDock(this, client, reinterpret_cast<TWinControl*>(Message.WParam), allow);
  Message.Result = allow;
  if (!allow) return;
  ForgetDockClient(client);
}

void TWinControl::ForgetDockClient(TControl* Control) {
  auto it = std::find(FDockClients.begin(), FDockClients.end(), Control);
  if (it == FDockClients.end()) return;
  FDockClients.erase(it);
  if (Control->GetHostDockSite() == this) Control->SetHostDockSite(nullptr);
  if (FDockManager) FDockManager->RemoveControl(Control);
}
