// TWinControl's focus, tab order and keys: the CN_ key messages the application loop sends before
// dispatching a key, dialog keys (Tab, arrows, Enter, Esc) handed to the form, and the key events.

#include <algorithm>

#include "vcl/Controls.h"
#include "vcl/Forms.h"

// ---- Focus --------------------------------------------------------------------------------------

bool TWinControl::Focused() { return HandleAllocated() && GetFocus() == FHandle; }

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  for (TWinControl* control = this; control != form; control = control->FParent)
    if (!control->FVisible || !control->GetEnabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm())
    form->FocusControl(this);
  else if (FParentWindow)
    ::SetFocus(GetHandle());
  else
    ValidParentForm(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

// ---- Tab order ----------------------------------------------------------------------------------

TTabOrder TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  auto it = std::find(FParent->FTabList.begin(), FParent->FTabList.end(), this);
  return it == FParent->FTabList.end() ? -1 : static_cast<TTabOrder>(it - FParent->FTabList.begin());
}

void TWinControl::SetTabOrder(TTabOrder Value) {
  if (GetComponentState().Contains(csLoading)) {
    FLoadedTabOrder = Value;
    return;
  }
  TTabOrder current = GetTabOrder();
  if (current < 0) return;
  auto& list = FParent->FTabList;
  Integer target = std::clamp<Integer>(Value, 0, static_cast<Integer>(list.size()) - 1);
  if (target == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + target, this);
}

// Tab orders read from a form apply once all siblings are there; unread ones keep their place
// after the ones that were read.
void TWinControl::FixupTabList() {
  std::stable_sort(FTabList.begin(), FTabList.end(), [](TWinControl* a, TWinControl* b) {
    auto key = [](TWinControl* c) { return c->FLoadedTabOrder < 0 ? Integer{0x7FFF} : Integer{c->FLoadedTabOrder}; };
    return key(a) < key(b);
  });
  for (TWinControl* child : FTabList) child->FLoadedTabOrder = -1;
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (HandleAllocated()) {
    LONG style = GetWindowLong(FHandle, GWL_STYLE);
    SetWindowLong(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG>(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::ChangeScale(Integer M, Integer D) {
  if (M == D) return;
  DisableAlign();
  TScalingFlags flags = FScalingFlags;
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* child = GetControls(i);
    child->FScalingFlags = flags;
    child->ChangeScale(M, D);
    child->FScalingFlags = {};
  }
  TControl::ChangeScale(M, D);
  EnableAlign();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* control : FTabList) {
    List.push_back(control);
    control->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  Integer count = static_cast<Integer>(list.size());
  auto it = std::find(list.begin(), list.end(), CurControl);
  Integer start = it == list.end() ? (GoForward ? count - 1 : 0) : static_cast<Integer>(it - list.begin());
  Integer i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* candidate = list[static_cast<size_t>(i)];
    if (candidate->CanFocus() && (!CheckTabStop || candidate->FTabStop) && (!CheckParent || candidate->FParent == this))
      return candidate;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst() {
  TCustomForm* form = GetParentForm();
  if (!form) return;
  TWinControl* control = FindNextControl(nullptr, true, true, false);
  if (!control) control = FindNextControl(nullptr, true, false, false);
  if (control) form->SetActiveControl(control);
}

// ---- Keys ---------------------------------------------------------------------------------------

bool TWinControl::IsMenuKey(TMessage& Message) {
  if (PopupMenuHooks.IsShortCut) {
    for (TControl* control = this; control; control = control->GetParent())
      if (control->GetPopupMenu() && PopupMenuHooks.IsShortCut(control->GetPopupMenu(), Message)) return true;
  }
  TCustomForm* form = GetParentForm();
  return form && form->IsShortCut(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
  LRESULT mask = 0;
  switch (Message.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    TCustomForm* form = GetParentForm();
    if (form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) {
  switch (Message.WParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: Message.Result = Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam); break;
  }
}

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  TCustomForm* form = GetParentForm();
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 && form &&
      form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
    return;
  Message.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMChildKey(TMessage& Message) {
  if (FParent) Message.Result = FParent->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}

// A key event that sets the key to 0 takes the key: the default procedure never sees it.
bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->GetKeyPreview() && form->DoKeyDown(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Word key = static_cast<Word>(Message.WParam);
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->GetKeyPreview() && form->DoKeyUp(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Word key = static_cast<Word>(Message.WParam);
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->GetKeyPreview() && form->DoKeyPress(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Char ch = static_cast<Char>(Message.WParam);
    KeyPress(ch);
    Message.WParam = static_cast<Byte>(ch);
    if (ch == 0) return true;
  }
  return false;
}

// A key handler may free the control (an editor closed by Esc): the default procedure then runs
// only for a control that is still there.
void TWinControl::WMKeyDown(TMessage& Message) {
  TWeakRef<TWinControl> self(this);
  if (!DoKeyDown(Message) && self) DefaultHandler(Message);
}
void TWinControl::WMSysKeyDown(TMessage& Message) {
  TWeakRef<TWinControl> self(this);
  if (!DoKeyDown(Message) && self) DefaultHandler(Message);
}
void TWinControl::WMKeyUp(TMessage& Message) {
  TWeakRef<TWinControl> self(this);
  if (!DoKeyUp(Message) && self) DefaultHandler(Message);
}
void TWinControl::WMSysKeyUp(TMessage& Message) {
  TWeakRef<TWinControl> self(this);
  if (!DoKeyUp(Message) && self) DefaultHandler(Message);
}
void TWinControl::WMChar(TMessage& Message) {
  TWeakRef<TWinControl> self(this);
  if (!DoKeyPress(Message) && self) DefaultHandler(Message);
}

// ---- Context menu and cursor --------------------------------------------------------------------

void TWinControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint pt = MessagePoint(Message.LParam);
  if (!(pt.X == -1 && pt.Y == -1)) {
    if (TControl* child = ControlAtPos(ScreenToClient(pt), false)) {
      Message.Result = child->Perform(WM_CONTEXTMENU, 0, Message.LParam);
      if (Message.Result != 0) return;
    }
  }
  TControl::WMContextMenu(Message);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle && static_cast<SHORT>(LOWORD(Message.LParam)) == HTCLIENT &&
      Screen()) {
    TCursor cursor = Screen()->GetCursor();
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      if (TControl* control = ControlAtPos(ScreenToClient(p), false)) cursor = control->GetCursor();
      if (cursor == crDefault) cursor = GetCursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen()->GetCursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}
