// The inner text edit: the native EDIT inside a text editor, handing its traffic to its owner.

#include "controls/Edit.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvTextEdit.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "user/Caret.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL(TkvCustomInnerTextEdit)
TAVREN_CLASS_IMPL(TkvInnerTextEdit)

TAVREN_MESSAGE_TABLE(TkvCustomInnerTextEdit, MESSAGE_HANDLER(WM_CHAR, WMChar), MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown),
                     MESSAGE_HANDLER(WM_IME_CHAR, WMImeChar), MESSAGE_HANDLER(WM_IME_COMPOSITION, WMImeComposition),
                     MESSAGE_HANDLER(WM_CUT, WMCut), MESSAGE_HANDLER(WM_PASTE, WMPaste),
                     MESSAGE_HANDLER(WM_CLEAR, WMClear), MESSAGE_HANDLER(WM_UNDO, WMUndo),
                     MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode), MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
                     MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint), MESSAGE_HANDLER(WM_PAINT, WMPaint),
                     MESSAGE_HANDLER(WM_SIZE, WMSize), MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus),
                     MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus), MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown),
                     MESSAGE_HANDLER(WM_LBUTTONDBLCLK, WMLButtonDblClk), MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
                     MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave), MESSAGE_HANDLER(EM_SETSEL, EMSetSel))

// ---- Life ----------------------------------------------------------------------------------

TkvCustomInnerTextEdit::TkvCustomInnerTextEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FOwnerEdit = dynamic_cast<TkvCustomEdit*>(AOwner);
  FDoubleClickTimer = std::make_unique<TkvTimer>(nullptr);
  FDoubleClickTimer->SetEnabled(false);
  FDoubleClickTimer->SetInterval(GetDoubleClickTime());
  FDoubleClickTimer->SetOnTimer(MakeEvent<&TkvCustomInnerTextEdit::DoubleClickTimerTick>(this));
  FHelper = std::make_unique<TkvCustomInnerTextEditHelper>(this);
  FControlStyle = FControlStyle + TControlStyle{csDoubleClicks};
  // The editor places it on its client rectangle.
  SetAutoSize(false);
  SetParentColor(true);
  SetParentFont(false);
  FAlignment = FShownAlignment = kvEditDefaultHorzAlignment;
  FEchoMode = eemNormal;
  FCreating = false;
}

TkvCustomInnerTextEdit::~TkvCustomInnerTextEdit() {
  FHelper.reset();
  FDoubleClickTimer.reset();
}

HRESULT TkvCustomInnerTextEdit::QueryInterface(const TInterfaceId& IID, void** Obj) {
  // The inner-edit interfaces are the helper's.
  if (GetInterface(this, IID, Obj) || (FHelper && GetInterface(FHelper.get(), IID, Obj))) return S_OK;
  return E_NOINTERFACE;
}

IkvInnerTextEditOwner* TkvCustomInnerTextEdit::OwnerExtras() { return dynamic_cast<IkvInnerTextEditOwner*>(FOwnerEdit); }

bool TkvCustomInnerTextEdit::IsDestroying() const {
  return GetComponentState().Contains(csDestroying) || (FOwnerEdit && FOwnerEdit->IsBeingDestroyed());
}

// ---- Window ------------------------------------------------------------------------------

void TkvCustomInnerTextEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style = (Params.Style & ~(ES_LEFT | ES_RIGHT | ES_CENTER | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) |
                 alignments[FShownAlignment] | ES_AUTOHSCROLL;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TkvCustomInnerTextEdit::CreateWindowHandle(const TCreateParams& Params) {
  // Made without a caption; the text follows through the native procedure, so that the window's
  // birth is no change.
  TCreateParams params = Params;
  params.Caption.clear();
  TCustomEdit::CreateWindowHandle(params);
  if (!HandleAllocated()) return;
  CallWindowProc(FDefWndProc, GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Params.Caption.c_str()));
  SetMargins();
}

void TkvCustomInnerTextEdit::CreateHandle() {
  if (FOwnerEdit && !FOwnerEdit->HandleAllocated() && FOwnerEdit->GetParent()) FOwnerEdit->HandleNeeded();
  TCustomEdit::CreateHandle();
}

void TkvCustomInnerTextEdit::SetMargins() {
  if (HandleAllocated()) CallWindowProc(FDefWndProc, GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 1));
}

void TkvCustomInnerTextEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (FCreating || FBoundsHoldCount > 0) return;
  TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
}

bool TkvCustomInnerTextEdit::CanFocus() { return FOwnerEdit ? FOwnerEdit->CanFocus() : TCustomEdit::CanFocus(); }

void TkvCustomInnerTextEdit::DefaultHandler(TMessage& Message) {
  if (FOwnerEdit && FOwnerEdit->PreviewInnerMessage(Message)) return;
  TCustomEdit::DefaultHandler(Message);
}

void TkvCustomInnerTextEdit::WndProc(TMessage& Message) {
  if (FOwnerEdit && FOwnerEdit->HandleInnerCNKey(Message)) return;
  TCustomEdit::WndProc(Message);
  // A new font brings margins of its own; the text keeps to the editor's content offsets.
  if (Message.Msg == WM_SETFONT) SetMargins();
}

// ---- Alignment and password ----------------------------------------------------------------

void TkvCustomInnerTextEdit::UpdateShownAlignment() {
  if (IsDestroying() || !FHelper || FHelper->FAlignmentChanging) return;
  const bool left = FHelper->UseLeftAlignmentOnEditing() && FAlignment != taLeftJustify && Focused();
  ApplyShownAlignment(left ? taLeftJustify : FAlignment);
  if (FOwnerEdit) FOwnerEdit->RefreshViewInfo(false);
}

void TkvCustomInnerTextEdit::ApplyShownAlignment(TAlignment Value) {
  if (FShownAlignment == Value) return;
  FShownAlignment = Value;
  if (!HandleAllocated()) return;
  // The native edit takes its alignment when its window is made.
  FHelper->FAlignmentChanging = true;
  try {
    RecreateWnd();
  } catch (...) {
    FHelper->FAlignmentChanging = false;
    throw;
  }
  FHelper->FAlignmentChanging = false;
}

void TkvCustomInnerTextEdit::UpdateNativePasswordChar() {
  Char native = '\0';
  if (FEchoMode == eemPassword) native = FStoredPasswordChar ? FStoredPasswordChar : '*';
  TCustomEdit::SetPasswordChar(native);
}

// ---- Traffic handed to the owner -----------------------------------------------------------

void TkvCustomInnerTextEdit::KeyDown(Word& Key, TShiftState Shift) {
  FDoubleClickTimer->SetEnabled(false);
  FKeyHandledByOwner = false;
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  if (FOwnerEdit) FOwnerEdit->KeyDown(Key, Shift);
  if (!self) return;
  if (Key == 0) FKeyHandledByOwner = true;
  if (Key != 0) TCustomEdit::KeyDown(Key, Shift);
}

void TkvCustomInnerTextEdit::KeyPress(Char& Key) {
  FKeyHandledByOwner = false;
  if (Key == '\t') Key = 0;
  if (Key == 0) return;
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  if (FOwnerEdit) FOwnerEdit->KeyPress(Key);
  if (!self) return;
  if (Key == 0) {
    FKeyHandledByOwner = true;
    return;
  }
  if (Key == '\r' || Key == 27) {
    IkvInnerTextEditOwner* extras = OwnerExtras();
    bool drop = FOwnerEdit && FOwnerEdit->IsInplace();
    if (!drop && extras && extras->TakePopupJustClosed()) drop = true;
    if (!drop && Key == '\r' && extras && !extras->GetBeepOnEnter()) drop = true;
    if (drop) {
      Key = 0;
      return;
    }
  }
  TCustomEdit::KeyPress(Key);
}

void TkvCustomInnerTextEdit::KeyUp(Word& Key, TShiftState Shift) {
  FKeyHandledByOwner = false;
  if (Key == VK_TAB) Key = 0;
  if (Key == 0) return;
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  if (FOwnerEdit) FOwnerEdit->KeyUp(Key, Shift);
  if (!self) return;
  if (Key == 0) {
    FKeyHandledByOwner = true;
    return;
  }
  TCustomEdit::KeyUp(Key, Shift);
}

void TkvCustomInnerTextEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  TCustomEdit::MouseDown(Button, Shift, X, Y);
  if (!self || !FOwnerEdit) return;
  TWeakRef<TkvCustomEdit> owner(FOwnerEdit);
  FOwnerEdit->SetInnerMouseDown(true);
  try {
    FOwnerEdit->MouseDown(Button, Shift, X + GetLeft(), Y + GetTop());
  } catch (...) {
    if (owner) owner->SetInnerMouseDown(false);
    throw;
  }
  if (owner) owner->SetInnerMouseDown(false);
}

void TkvCustomInnerTextEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  TCustomEdit::MouseMove(Shift, X, Y);
  if (self && FOwnerEdit) FOwnerEdit->MouseMove(Shift, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerTextEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  TCustomEdit::MouseUp(Button, Shift, X, Y);
  if (self && FOwnerEdit) FOwnerEdit->MouseUp(Button, Shift, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerTextEdit::Click() {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  TCustomEdit::Click();
  if (self && FOwnerEdit) FOwnerEdit->Click();
}

void TkvCustomInnerTextEdit::DblClick() {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  TCustomEdit::DblClick();
  if (self && FOwnerEdit) FOwnerEdit->DblClick();
}

void TkvCustomInnerTextEdit::DragDrop(TObject* Source, Integer X, Integer Y) {
  if (FOwnerEdit) FOwnerEdit->DragDrop(Source, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerTextEdit::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  if (FOwnerEdit) FOwnerEdit->DragOver(Source, X + GetLeft(), Y + GetTop(), State, Accept);
}

void TkvCustomInnerTextEdit::InnerMouseLeave(TControl*) {
  if (FOwnerEdit) FOwnerEdit->RefreshViewInfo(true);
}

void TkvCustomInnerTextEdit::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  InnerMouseEnter(control ? control : this);
}

void TkvCustomInnerTextEdit::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  InnerMouseLeave(control ? control : this);
}

// ---- Keys and characters -------------------------------------------------------------------

void TkvCustomInnerTextEdit::WMChar(TMessage& Message) {
  TkvCustomInnerTextEditPrevState state;
  SaveState(state, true);
  FKeyHandledByOwner = false;
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  InheritedMessage(Message);
  if (!self) return;
  IkvInnerTextEditOwner* extras = OwnerExtras();
  if (FImeCount > 0) {
    --FImeCount;
    if (FImeCount == 0 && extras && extras->IsCompletionPending()) FHelper->ApplyImeSelection();
  }
  if (!extras) return;
  extras->ClearLookupTextChangeLock();
  if (!FKeyHandledByOwner && StateChanged(state)) extras->SetCompletionPending(false);
}

void TkvCustomInnerTextEdit::WMKeyDown(TMessage& Message) {
  IkvInnerTextEditOwner* extras = OwnerExtras();
  if (FOwnerEdit && extras && FOwnerEdit->IsPopupOpen()) {
    auto* properties = dynamic_cast<TkvCustomTextEditProperties*>(FOwnerEdit->GetEffectiveProperties());
    TWinControl* list = extras->LookupListControl();
    if (properties && list && list->HandleAllocated() &&
        properties->KeyBelongsToPopup(static_cast<Word>(Message.WParam), KeyDataToShiftState(Message.LParam))) {
      Message.Result = SendMessage(list->GetHandle(), WM_KEYDOWN, Message.WParam, Message.LParam);
      if (Message.Result == 0) return;
    }
  }
  TkvCustomInnerTextEditPrevState state;
  SaveState(state, true);
  FKeyHandledByOwner = false;
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  InheritedMessage(Message);
  if (!self || !FOwnerEdit) return;
  Word key = static_cast<Word>(Message.WParam);
  if (key != 0 && !FKeyHandledByOwner && !StateChanged(state))
    FOwnerEdit->FireKeyDownUnhandled(key, KeyDataToShiftState(Message.LParam));
}

void TkvCustomInnerTextEdit::WMImeChar(TMessage& Message) {
  const WPARAM code = Message.WParam;
  if ((code & 0xFF00) != 0) {
    FImeCount = 2;
    FPendingLeadByte = static_cast<Char>(code & 0xFF);
  } else {
    FImeCount = 1;
  }
  FHelper->SaveImeSelection();
  InheritedMessage(Message);
}

void TkvCustomInnerTextEdit::WMImeComposition(TMessage& Message) {
  if (FOwnerEdit && !FOwnerEdit->RequestEdit()) return;
  InheritedMessage(Message);
}

void TkvCustomInnerTextEdit::WMGetDlgCode(TMessage& Message) {
  InheritedMessage(Message);
  Message.Result |= DLGC_WANTCHARS;
  if (!FOwnerEdit) return;
  if (FOwnerEdit->GetEffectiveProperties()->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0)
    Message.Result |= DLGC_WANTTAB;
  if (FOwnerEdit->IsInplace() || FOwnerEdit->IsPopupOpen()) Message.Result |= DLGC_WANTALLKEYS;
  // With its popup open the editor takes Tab and moves the focus itself, so that the popup closes
  // first (applying its value when the Properties ask for it).
  if (FOwnerEdit->IsPopupOpen() && GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
}

// ---- Clipboard -----------------------------------------------------------------------------

namespace {

// The owner's clipboard flag for a scope, cleared also when the operation fails.
class TClipboardScope {
 public:
  explicit TClipboardScope(TkvCustomEdit* Edit) : FEdit(Edit) { FEdit->SetClipboardOperation(true); }
  ~TClipboardScope() {
    if (FEdit) FEdit->SetClipboardOperation(false);
  }

 private:
  TWeakRef<TkvCustomEdit> FEdit;
};

}  // namespace

void TkvCustomInnerTextEdit::WMCut(TMessage& Message) {
  if (!FOwnerEdit) return InheritedMessage(Message);
  TClipboardScope scope(FOwnerEdit);
  if (GetReadOnly())
    FOwnerEdit->ClipboardCopy();
  else
    FOwnerEdit->ClipboardCut();
}

void TkvCustomInnerTextEdit::WMPaste(TMessage& Message) {
  if (GetReadOnly()) return;
  if (!FOwnerEdit) return InheritedMessage(Message);
  TClipboardScope scope(FOwnerEdit);
  FOwnerEdit->ClipboardPaste();
}

void TkvCustomInnerTextEdit::WMClear(TMessage& Message) {
  if (GetReadOnly()) return;
  IkvInnerTextEditOwner* extras = OwnerExtras();
  if (!FOwnerEdit || !extras) return InheritedMessage(Message);
  TClipboardScope scope(FOwnerEdit);
  extras->DeleteSelectedText();
}

void TkvCustomInnerTextEdit::WMUndo(TMessage& Message) {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  InheritedMessage(Message);
  if (!self) return;
  if (IkvInnerTextEditOwner* extras = OwnerExtras()) extras->UndoHook();
}

// ---- Painting and size ---------------------------------------------------------------------

void TkvCustomInnerTextEdit::WMPaint(TMessage& Message) {
  if (FOwnerEdit && FOwnerEdit->GetOnGlass() && DwmCompositionEnabled() && HandleAllocated()) {
    PaintBufferedWindow(GetHandle());
    Message.Result = 0;
    return;
  }
  InheritedMessage(Message);
}

void TkvCustomInnerTextEdit::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  SetMargins();
}

// ---- Focus and clicks ----------------------------------------------------------------------

void TkvCustomInnerTextEdit::WMSetFocus(TMessage& Message) {
  if (!IsDestroying()) UpdateShownAlignment();
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  InheritedMessage(Message);
  if (!self || IsDestroying() || !FOwnerEdit) return;
  HWND from = reinterpret_cast<HWND>(Message.WParam);
  if (!(FOwnerEdit->HandleAllocated() && from == FOwnerEdit->GetHandle())) FOwnerEdit->FireFocusChanged();
}

void TkvCustomInnerTextEdit::WMKillFocus(TMessage& Message) {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  InheritedMessage(Message);
  if (!self || IsDestroying()) return;
  FDoubleClickTimer->SetEnabled(false);
  UpdateShownAlignment();
  if (self && FOwnerEdit) FOwnerEdit->FireFocusChanged();
}

bool TkvCustomInnerTextEdit::StartedOwnerDrag() {
  if (!FOwnerEdit || FOwnerEdit->GetDragMode() != dmAutomatic || FOwnerEdit->IsDesignTime()) return false;
  FOwnerEdit->BeginAutoDrag();
  return true;
}

void TkvCustomInnerTextEdit::WMLButtonDown(TMessage& Message) {
  if (FHelper->UseLeftAlignmentOnEditing() && FShownAlignment != taLeftJustify && FAlignment != taLeftJustify) {
    // The click switches the alignment, and the window with it: a second click soon after
    // arrives at a new window as a press, and is turned into the double click it is.
    TWeakRef<TkvCustomInnerTextEdit> self(this);
    SetFocus();
    if (!self) return;
    InheritedMessage(Message);
    if (self) FDoubleClickTimer->SetEnabled(true);
    return;
  }
  if (StartedOwnerDrag()) return;
  if (FDoubleClickTimer->GetEnabled()) {
    FDoubleClickTimer->SetEnabled(false);
    FDoubleClickTimer->SetEnabled(true);
    Message.Msg = WM_LBUTTONDBLCLK;
  }
  InheritedMessage(Message);
}

void TkvCustomInnerTextEdit::WMLButtonDblClk(TMessage& Message) {
  if (StartedOwnerDrag() || FDoubleClickTimer->GetEnabled()) return;
  InheritedMessage(Message);
}

void TkvCustomInnerTextEdit::EMSetSel(TMessage& Message) {
  TWeakRef<TkvCustomInnerTextEdit> self(this);
  InheritedMessage(Message);
  if (self) FOnSelectionChanged(this);
}

// ---- State and caret -----------------------------------------------------------------------

void TkvCustomInnerTextEdit::SaveState(TkvCustomInnerTextEditPrevState& State, bool WithText) {
  State.TextSaved = WithText;
  if (WithText) State.Text = GetText();
  State.SelStart = FHelper->GetSelStart();
  State.SelLength = FHelper->GetSelLength();
}

bool TkvCustomInnerTextEdit::StateChanged(const TkvCustomInnerTextEditPrevState& State) {
  if (!HandleAllocated()) return true;
  if (State.SelStart != FHelper->GetSelStart() || State.SelLength != FHelper->GetSelLength()) return true;
  return State.TextSaved && !AnsiSameText(State.Text, GetText());
}

Integer TkvCustomInnerTextEdit::CaretCharIndex() {
  const Integer length = static_cast<Integer>(GetText().size());
  // An empty text has its caret before the first character; never ask for a position at -1.
  if (length == 0 || !HandleAllocated()) return 0;
  POINT caret;
  GetCaretPos(&caret);
  auto xOf = [this](Integer index) {
    return static_cast<Integer>(static_cast<int16_t>(LOWORD(SendMessage(GetHandle(), EM_POSFROMCHAR, index, 0))));
  };
  Integer low = 0, high = length - 1;
  do {
    const Integer middle = (low + high) / 2;
    if (xOf(middle) < caret.X)
      low = middle;
    else
      high = middle;
  } while (high - low >= 2);
  if (xOf(low) == caret.X) return low;
  return xOf(high) == caret.X ? high : high + 1;
}
