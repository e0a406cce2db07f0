// Popup-menu links and the one context-menu hook their controls share.

#include "toolkit/bars/qzBarPopupMenuLinks.h"

#include <algorithm>
#include <map>
#include <memory>

#include "toolkit/bars/qzBarPopupMenu.h"
#include "user/Messages.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarPopupMenuLink,
    PROPERTY(Control),
    PROPERTY(PopupMenu),
    PROPERTY(ProcessChildren).Default(true),
    PROPERTY(OnAction))
TAVREN_CLASS_IMPL(TqzBarPopupMenuLinks)

namespace {

// The hook of one control's window procedure, shared by every link on that control. While links
// are attached it offers WM_CONTEXTMENU to them through the control's OnContextPopup; once the
// last link leaves, or the control goes, it puts the control's procedure back. When another hook
// has been chained on top of it meanwhile it cannot: it stays as a pass-through, also while the
// going control's window still gets its last messages, and is freed later (an orphan).
class TqzBarContextMenuHook : public TComponent {
 public:
  explicit TqzBarContextMenuHook(TControl* AControl);
  ~TqzBarContextMenuHook() override;

  static void Attach(TqzBarPopupMenuLink* ALink, TControl* AControl);
  static void Detach(TqzBarPopupMenuLink* ALink, TControl* AControl);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void HookWindowProc(TMessage& Message);
  void ContextPopupHandler(TObject* Sender, TPoint MousePos, bool& Handled);
  bool IsOnTop() const;
  void ReleaseIfUnused();

  TControl* FControl;
  TWndMethod FSavedWindowProc;
  TContextPopupEvent FSavedContextPopup;
  std::vector<TqzBarPopupMenuLink*> FLinks;
};

std::map<TControl*, TqzBarContextMenuHook*>& Hooks() {
  static std::map<TControl*, TqzBarContextMenuHook*> hooks;
  return hooks;
}

// Pass-through hooks of controls that went while another hook sat on top of them.
std::vector<std::unique_ptr<TqzBarContextMenuHook>>& Orphans() {
  static std::vector<std::unique_ptr<TqzBarContextMenuHook>> orphans;
  return orphans;
}

TqzBarContextMenuHook::TqzBarContextMenuHook(TControl* AControl) : TComponent(nullptr), FControl(AControl) {
  FSavedWindowProc = AControl->GetWindowProc();
  AControl->SetWindowProc(MakeEvent<&TqzBarContextMenuHook::HookWindowProc>(this));
  AControl->FreeNotification(this);
  Hooks()[AControl] = this;
}

TqzBarContextMenuHook::~TqzBarContextMenuHook() {
  if (FControl) Hooks().erase(FControl);
}

bool TqzBarContextMenuHook::IsOnTop() const {
  return FControl->GetWindowProc() == MakeEvent<&TqzBarContextMenuHook::HookWindowProc>(
                                          const_cast<TqzBarContextMenuHook*>(this));
}

void TqzBarContextMenuHook::Attach(TqzBarPopupMenuLink* ALink, TControl* AControl) {
  // The controls the orphans served are gone by now: nothing calls them any more.
  Orphans().clear();
  auto found = Hooks().find(AControl);
  TqzBarContextMenuHook* hook = found != Hooks().end() ? found->second : new TqzBarContextMenuHook(AControl);
  hook->FLinks.push_back(ALink);
}

void TqzBarContextMenuHook::Detach(TqzBarPopupMenuLink* ALink, TControl* AControl) {
  auto found = Hooks().find(AControl);
  if (found == Hooks().end()) return;
  std::erase(found->second->FLinks, ALink);
  found->second->ReleaseIfUnused();
}

void TqzBarContextMenuHook::ReleaseIfUnused() {
  if (!FLinks.empty() || !IsOnTop()) return;
  FControl->SetWindowProc(FSavedWindowProc);
  FControl->RemoveFreeNotification(this);
  delete this;
}

void TqzBarContextMenuHook::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent != FControl) return;
  // The links hear of the control's going from their collections.
  FLinks.clear();
  if (IsOnTop()) {
    FControl->SetWindowProc(FSavedWindowProc);
    delete this;
    return;
  }
  Hooks().erase(FControl);
  FControl = nullptr;
  Orphans().emplace_back(this);
}

void TqzBarContextMenuHook::HookWindowProc(TMessage& Message) {
  // Hold the procedure to call in a local: a handler may take the last link away (and this hook).
  TWndMethod saved = FSavedWindowProc;
  if (Message.Msg != WM_CONTEXTMENU || FLinks.empty() || !FControl ||
      FControl->GetComponentState().Contains(csDesigning)) {
    saved(Message);
    return;
  }
  TControl* control = FControl;
  TContextPopupEvent own = MakeEvent<&TqzBarContextMenuHook::ContextPopupHandler>(this);
  if (control->GetOnContextPopup() == own) {
    saved(Message);
    return;
  }
  FSavedContextPopup = control->GetOnContextPopup();
  TContextPopupEvent previous = FSavedContextPopup;
  control->SetOnContextPopup(own);
  try {
    saved(Message);
  } catch (...) {
    control->SetOnContextPopup(previous);
    throw;
  }
  control->SetOnContextPopup(previous);
}

// The control's own handler first; then the links, the one attached last first, until one
// shows its menu.
void TqzBarContextMenuHook::ContextPopupHandler(TObject* Sender, TPoint MousePos, bool& Handled) {
  TContextPopupEvent previous = FSavedContextPopup;
  previous(Sender, MousePos, Handled);
  std::vector<TqzBarPopupMenuLink*> links(FLinks.rbegin(), FLinks.rend());
  TkvObjectLink* self = LinkToObject(this);
  for (TqzBarPopupMenuLink* link : links) {
    if (Handled || !self->Ref) break;
    if (std::find(FLinks.begin(), FLinks.end(), link) == FLinks.end()) continue;
    link->ContextPopup(MousePos, Handled);
  }
  ReleaseObjectLink(self);
}

}  // namespace

// ---- TqzBarPopupMenuLink ------------------------------------------------------------------

TqzBarPopupMenuLink::TqzBarPopupMenuLink(TCollection* Collection) : TCollectionItem(Collection) {}

TqzBarPopupMenuLink::~TqzBarPopupMenuLink() { SetControl(nullptr); }

TqzBarManager* TqzBarPopupMenuLink::Manager() const {
  auto* links = static_cast<TqzBarPopupMenuLinks*>(GetCollection());
  return links ? links->GetBarManager() : nullptr;
}

void TqzBarPopupMenuLink::SetControl(TControl* Value) {
  TqzBarManager* manager = Manager();
  if (Value && (!manager || !ManagerOwnsControl(manager, Value))) Value = nullptr;
  if (FControl == Value) return;
  if (FControl) TqzBarContextMenuHook::Detach(this, FControl);
  FControl = Value;
  if (!FControl) return;
  static_cast<TqzBarPopupMenuLinks*>(GetCollection())->Watch(FControl);
  TqzBarContextMenuHook::Attach(this, FControl);
}

void TqzBarPopupMenuLink::SetPopupMenu(TqzBarPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  FPopupMenu = Value;
  if (FPopupMenu && GetCollection()) static_cast<TqzBarPopupMenuLinks*>(GetCollection())->Watch(FPopupMenu);
}

TWinControl* TqzBarPopupMenuLink::WinControl() const { return dynamic_cast<TWinControl*>(FControl); }

void TqzBarPopupMenuLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarPopupMenuLink*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  // The components of this manager's form that have the source's names.
  TComponent* form = Manager() ? Manager()->GetOwner() : nullptr;
  auto named = [&](TComponent* AComponent) -> TComponent* {
    return form && AComponent ? form->FindComponent(AComponent->GetName()) : nullptr;
  };
  TComponent* control = named(source->FControl);
  TComponent* menu = named(source->FPopupMenu);
  if (control && !dynamic_cast<TWinControl*>(control)) throw EInvalidCast("Invalid class typecast");
  if (menu && !dynamic_cast<TqzBarPopupMenu*>(menu)) throw EInvalidCast("Invalid class typecast");
  SetControl(static_cast<TWinControl*>(control));
  SetPopupMenu(static_cast<TqzBarPopupMenu*>(menu));
  FProcessChildren = source->FProcessChildren;
}

bool TqzBarPopupMenuLink::ShowPopupAt(const TPoint& P) {
  Integer x = P.X, y = P.Y;
  bool allow = FPopupMenu != nullptr;
  FOnAction(this, x, y, !(P.X == -1 && P.Y == -1), allow);
  if (allow && FPopupMenu && FControl) {
    TPoint screen = FControl->ClientToScreen(TPoint(x, y));
    FPopupMenu->PopupAt(screen.X, screen.Y);
  }
  return allow;
}

bool TqzBarPopupMenuLink::ExecuteShortCut(TShortCut AShortCut) {
  bool allow = FPopupMenu != nullptr;
  Integer x = -1, y = -1;
  FOnAction(this, x, y, false, allow);
  return allow && FPopupMenu && FPopupMenu->GetItemLinks()->ExecuteShortCut(AShortCut);
}

void TqzBarPopupMenuLink::ContextPopup(const TPoint& P, bool& AHandled) {
  if (AHandled) return;
  bool onChild = false;
  if (!FProcessChildren)
    if (TWinControl* control = WinControl()) onChild = control->ControlAtPos(P, true, true) != nullptr;
  if (FProcessChildren || !onChild) AHandled = ShowPopupAt(P);
}

// ---- TqzBarPopupMenuLinks -----------------------------------------------------------------

TqzBarPopupMenuLinks::TqzBarPopupMenuLinks(TqzBarManager* AManager)
    : TCollection(TqzBarPopupMenuLink::ClassInfo()),
      FBarManager(AManager),
      FFreeNotificator(std::make_unique<TkvFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(MakeEvent<&TqzBarPopupMenuLinks::ComponentFreed>(this));
}

// The links let go of their controls while the collection still knows its manager.
TqzBarPopupMenuLinks::~TqzBarPopupMenuLinks() { Clear(); }

TPersistent* TqzBarPopupMenuLinks::GetOwner() { return FBarManager; }

void TqzBarPopupMenuLinks::Watch(TComponent* AComponent) { FFreeNotificator->Watch(AComponent); }

void TqzBarPopupMenuLinks::ComponentFreed(TComponent* AComponent) {
  for (Integer i = 0; i < GetCount(); ++i) {
    TqzBarPopupMenuLink* link = GetLink(i);
    if (link->GetControl() == AComponent) link->SetControl(nullptr);
    if (link->GetPopupMenu() == AComponent) link->SetPopupMenu(nullptr);
  }
}

bool TqzBarPopupMenuLinks::ExecuteShortCut(TControl* AControl, TShortCut AShortCut) {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetLink(i)->GetControl() == AControl && GetLink(i)->ExecuteShortCut(AShortCut)) return true;
  for (Integer i = 0; i < GetCount(); ++i) {
    TqzBarPopupMenuLink* link = GetLink(i);
    if (link->GetProcessChildren() && link->WinControl() && link->GetControl() != AControl &&
        IsControlInside(link->WinControl(), AControl) &&
        link->ExecuteShortCut(AShortCut))
      return true;
  }
  TqzBarManager* parent = FBarManager->GetParentWindowManager();
  return parent && parent != FBarManager && parent->GetPopupMenuLinks()->ExecuteShortCut(AControl, AShortCut);
}
