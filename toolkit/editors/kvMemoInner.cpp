// The memo's inner edit: the platform memo, its traffic handed to the memo editor, and its helper.

#include "controls/Edit.h"
#include "controls/ScrollBars.h"
#include "rtl/Variants.h"
#include "toolkit/editors/kvMemo.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "vcl/ControlsMessages.h"

namespace {

// The owner's clipboard flag for a scope, cleared also when the operation fails.
class TMemoClipboardScope {
 public:
  explicit TMemoClipboardScope(TkvCustomEdit* Edit) : FEdit(Edit) { FEdit->SetClipboardOperation(true); }
  ~TMemoClipboardScope() {
    if (FEdit) FEdit->SetClipboardOperation(false);
  }

 private:
  TWeakRef<TkvCustomEdit> FEdit;
};

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomInnerMemo)

TAVREN_MESSAGE_TABLE(TkvCustomInnerMemo, MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown),
                     MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode), MESSAGE_HANDLER(WM_CUT, WMCut),
                     MESSAGE_HANDLER(WM_PASTE, WMPaste), MESSAGE_HANDLER(WM_CLEAR, WMClear),
                     MESSAGE_HANDLER(WM_SETTEXT, WMSetText), MESSAGE_HANDLER(EM_REPLACESEL, EMReplaceSel),
                     MESSAGE_HANDLER(EM_SETSEL, EMSetSel), MESSAGE_HANDLER(WM_SETFONT, WMSetFont),
                     MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus), MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus),
                     MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                     MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint))

// ---- Life ---------------------------------------------------------------------------------------

TkvCustomInnerMemo::TkvCustomInnerMemo(TComponent* AOwner) : TMemo(AOwner) {
  FOwner = dynamic_cast<TkvCustomEdit*>(AOwner);
  FHelper = std::make_unique<TkvCustomInnerMemoHelper>(this);
  SetAutoSize(false);
  SetParentColor(true);
  SetParentFont(true);
  if (!GetComponentState().Contains(csDesigning)) SetCursor(crIBeam);
  FCreating = false;
}

TkvCustomInnerMemo::~TkvCustomInnerMemo() { FHelper.reset(); }

HRESULT TkvCustomInnerMemo::QueryInterface(const TInterfaceId& IID, void** Obj) {
  if (GetInterface(this, IID, Obj) || (FHelper && GetInterface(FHelper.get(), IID, Obj))) return S_OK;
  return E_NOINTERFACE;
}

TkvContainer* TkvCustomInnerMemo::HostContainer() { return FOwner; }

TkvCustomEdit* TkvCustomInnerMemo::Owner() const { return FOwner; }

TkvCustomMemo* TkvCustomInnerMemo::GetOwnerMemo() const { return dynamic_cast<TkvCustomMemo*>(FOwner); }

bool TkvCustomInnerMemo::IsDestroying() const {
  return GetComponentState().Contains(csDestroying) || (GetOwnerMemo() && GetOwnerMemo()->IsBeingDestroyed());
}

void TkvCustomInnerMemo::CreateParams(TCreateParams& Params) {
  TMemo::CreateParams(Params);
  Params.WindowClass.style &= ~CS_VREDRAW;
  if (GetScrollBars() == ssHorizontal || GetScrollBars() == ssBoth || !GetWordWrap())
    Params.WindowClass.style &= ~CS_HREDRAW;
  Params.Style &= ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TkvCustomInnerMemo::CreateWindowHandle(const TCreateParams& Params) {
  ++FTextSettingCount;
  try {
    TMemo::CreateWindowHandle(Params);
  } catch (...) {
    --FTextSettingCount;
    throw;
  }
  --FTextSettingCount;
  if (GetOwnerMemo()) GetOwnerMemo()->UpdateInnerScrollBars(false);
}

void TkvCustomInnerMemo::CreateHandle() {
  if (GetOwnerMemo() && !GetOwnerMemo()->HandleAllocated() && GetOwnerMemo()->GetParent()) GetOwnerMemo()->HandleNeeded();
  TMemo::CreateHandle();
}

void TkvCustomInnerMemo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (FCreating || FBoundsHoldCount > 0) return;
  TMemo::SetBounds(ALeft, ATop, AWidth, AHeight);
}

bool TkvCustomInnerMemo::CanFocus() { return GetOwnerMemo() ? GetOwnerMemo()->CanFocus() : TMemo::CanFocus(); }

void TkvCustomInnerMemo::DefaultHandler(TMessage& Message) {
  if (GetOwnerMemo() && GetOwnerMemo()->PreviewInnerMessage(Message)) return;
  TMemo::DefaultHandler(Message);
}

void TkvCustomInnerMemo::WndProc(TMessage& Message) {
  if (GetOwnerMemo() && GetOwnerMemo()->HandleInnerCNKey(Message)) return;
  if (GetOwnerMemo() && (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) &&
      GetOwnerMemo()->GetDragMode() == dmAutomatic && !GetOwnerMemo()->IsDesignTime()) {
    GetOwnerMemo()->BeginAutoDrag();
    return;
  }
  TMemo::WndProc(Message);
}

void TkvCustomInnerMemo::DoEnter() {
  TMemo::DoEnter();
  if (GetAutoSelect()) SelectAll();
}

// ---- Traffic handed to the owner ----------------------------------------------------------------

void TkvCustomInnerMemo::KeyDown(Word& Key, TShiftState Shift) {
  FKeyHandledByOwner = false;
  TWeakRef<TkvCustomInnerMemo> self(this);
  if (GetOwnerMemo()) Owner()->KeyDown(Key, Shift);
  if (!self) return;
  if (Key == 0) FKeyHandledByOwner = true;
  if (Key != 0) TMemo::KeyDown(Key, Shift);
}

void TkvCustomInnerMemo::KeyPress(Char& Key) {
  FKeyHandledByOwner = false;
  // A Tab the memo does not want moves the focus; it is typed only with WantTabs.
  if (Key == '\t' && !(GetOwnerMemo() && GetOwnerMemo()->MemoProperties()->GetWantTabs())) Key = 0;
  if (Key == 0) return;
  TWeakRef<TkvCustomInnerMemo> self(this);
  if (GetOwnerMemo()) Owner()->KeyPress(Key);
  if (!self) return;
  if (Key == 0) {
    FKeyHandledByOwner = true;
    return;
  }
  TMemo::KeyPress(Key);
}

void TkvCustomInnerMemo::KeyUp(Word& Key, TShiftState Shift) {
  FKeyHandledByOwner = false;
  if (Key == VK_TAB && !(GetOwnerMemo() && GetOwnerMemo()->MemoProperties()->GetWantTabs())) Key = 0;
  if (Key == 0) return;
  TWeakRef<TkvCustomInnerMemo> self(this);
  if (GetOwnerMemo()) Owner()->KeyUp(Key, Shift);
  if (!self) return;
  if (Key == 0) {
    FKeyHandledByOwner = true;
    return;
  }
  TMemo::KeyUp(Key, Shift);
}

void TkvCustomInnerMemo::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  TMemo::MouseDown(Button, Shift, X, Y);
  if (!self || !GetOwnerMemo()) return;
  TWeakRef<TkvCustomEdit> owner(FOwner);
  GetOwnerMemo()->SetInnerMouseDown(true);
  try {
    Owner()->MouseDown(Button, Shift, X + GetLeft(), Y + GetTop());
  } catch (...) {
    if (owner) owner->SetInnerMouseDown(false);
    throw;
  }
  if (owner) owner->SetInnerMouseDown(false);
}

void TkvCustomInnerMemo::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  TMemo::MouseMove(Shift, X, Y);
  if (self && GetOwnerMemo()) Owner()->MouseMove(Shift, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerMemo::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  TMemo::MouseUp(Button, Shift, X, Y);
  if (self && GetOwnerMemo()) Owner()->MouseUp(Button, Shift, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerMemo::Click() {
  TWeakRef<TkvCustomInnerMemo> self(this);
  TMemo::Click();
  if (self && GetOwnerMemo()) GetOwnerMemo()->Click();
}

void TkvCustomInnerMemo::DblClick() {
  TWeakRef<TkvCustomInnerMemo> self(this);
  TMemo::DblClick();
  if (self && GetOwnerMemo()) GetOwnerMemo()->DblClick();
}

// ---- Messages -----------------------------------------------------------------------------------

void TkvCustomInnerMemo::WMKeyDown(TMessage& Message) {
  Integer start = GetSelStart(), length = GetSelLength();
  FKeyHandledByOwner = false;
  TWeakRef<TkvCustomInnerMemo> self(this);
  InheritedMessage(Message);
  if (!self || !GetOwnerMemo()) return;
  GetOwnerMemo()->PostRefresh();
  Word key = static_cast<Word>(Message.WParam);
  bool unchanged = GetSelStart() == start && GetSelLength() == length;
  if (key != 0 && key != VK_UP && key != VK_DOWN && !FKeyHandledByOwner && unchanged)
    GetOwnerMemo()->FireKeyDownUnhandled(key, KeyDataToShiftState(Message.LParam));
}

void TkvCustomInnerMemo::WMGetDlgCode(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetOwnerMemo()) return;
  if (GetOwnerMemo()->MemoProperties()->GetWantTabs() && GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
  // Esc is the form's (a dialog's Cancel), not the memo's.
  if (GetKeyState(VK_ESCAPE) < 0) Message.Result &= ~DLGC_WANTALLKEYS;
}

void TkvCustomInnerMemo::WMCut(TMessage& Message) {
  if (!GetOwnerMemo()) return InheritedMessage(Message);
  TMemoClipboardScope scope(FOwner);
  if (GetReadOnly())
    GetOwnerMemo()->ClipboardCopy();
  else
    GetOwnerMemo()->ClipboardCut();
}

void TkvCustomInnerMemo::WMPaste(TMessage& Message) {
  if (GetReadOnly()) return;
  if (!GetOwnerMemo()) return InheritedMessage(Message);
  TMemoClipboardScope scope(FOwner);
  GetOwnerMemo()->ClipboardPaste();
}

void TkvCustomInnerMemo::WMClear(TMessage& Message) {
  if (GetOwnerMemo() && GetOwnerMemo()->IsDeletingSelection()) return InheritedMessage(Message);
  if (GetReadOnly()) return;
  if (!GetOwnerMemo()) return InheritedMessage(Message);
  TMemoClipboardScope scope(FOwner);
  GetOwnerMemo()->DeleteSelectedText();
}

void TkvCustomInnerMemo::WMSetText(TMessage& Message) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  InheritedMessage(Message);
  if (!self || FTextSettingCount > 0 || !GetOwnerMemo()) return;
  ++FTextSettingCount;
  try {
    GetOwnerMemo()->AssignResetValue(Variant(GetText()));
  } catch (...) {
    if (self) --FTextSettingCount;
    throw;
  }
  if (self) --FTextSettingCount;
}

void TkvCustomInnerMemo::EMReplaceSel(TMessage& Message) {
  const char* text = reinterpret_cast<const char*>(Message.LParam);
  String normalised = NormalizeMemoLineBreaks(text ? String(text) : String());
  Message.LParam = reinterpret_cast<LPARAM>(normalised.c_str());
  TWeakRef<TkvCustomInnerMemo> self(this);
  InheritedMessage(Message);
  if (self && GetOwnerMemo()) GetOwnerMemo()->UpdateEditValueFromDisplay();
}

void TkvCustomInnerMemo::EMSetSel(TMessage& Message) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  InheritedMessage(Message);
  if (self) FOnSelectionChanged(this);
}

void TkvCustomInnerMemo::WMSetFont(TMessage& Message) {
  InheritedMessage(Message);
  if (HandleAllocated()) CallWindowProc(FDefWndProc, GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void TkvCustomInnerMemo::WMSetFocus(TMessage& Message) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  InheritedMessage(Message);
  if (!self || IsDestroying() || !GetOwnerMemo()) return;
  HWND from = reinterpret_cast<HWND>(Message.WParam);
  if (!(GetOwnerMemo()->HandleAllocated() && from == GetOwnerMemo()->GetHandle())) GetOwnerMemo()->FireFocusChanged();
}

void TkvCustomInnerMemo::WMKillFocus(TMessage& Message) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  InheritedMessage(Message);
  if (self && !IsDestroying() && GetOwnerMemo()) GetOwnerMemo()->FireFocusChanged();
}

void TkvCustomInnerMemo::WMWindowPosChanged(TMessage& Message) {
  TWeakRef<TkvCustomInnerMemo> self(this);
  InheritedMessage(Message);
  if (self && GetOwnerMemo()) GetOwnerMemo()->UpdateInnerScrollBars(false);
}

void TkvCustomInnerMemo::WMNCPaint(TMessage& Message) {
  if (!ScrollBarInfoAvailable || !HandleAllocated()) return InheritedMessage(Message);
  // The container draws the bars: the frame is painted without them, then they come back.
  const LONG style = GetWindowLong(GetHandle(), GWL_STYLE);
  SetWindowLong(GetHandle(), GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
  try {
    InheritedMessage(Message);
  } catch (...) {
    SetWindowLong(GetHandle(), GWL_STYLE, style);
    throw;
  }
  LONG bars = 0;
  TScrollStyle scrollBars = GetScrollBars();
  if (scrollBars == ssHorizontal || scrollBars == ssBoth) bars |= WS_HSCROLL;
  if (scrollBars == ssVertical || scrollBars == ssBoth) bars |= WS_VSCROLL;
  SetWindowLong(GetHandle(), GWL_STYLE, (style & ~(WS_HSCROLL | WS_VSCROLL)) | bars);
  if (scrollBars == ssBoth) PaintBarCorner();
}

void TkvCustomInnerMemo::PaintBarCorner() {
  SCROLLBARINFO vertical{}, horizontal{};
  vertical.cbSize = horizontal.cbSize = sizeof(SCROLLBARINFO);
  if (!GetScrollBarInfo(GetHandle(), OBJID_VSCROLL, &vertical) ||
      !GetScrollBarInfo(GetHandle(), OBJID_HSCROLL, &horizontal))
    return;
  const DWORD hidden = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
  if ((vertical.rgstate[0] & hidden) || (horizontal.rgstate[0] & hidden)) return;
  RECT window;
  GetWindowRect(GetHandle(), &window);
  RECT corner{vertical.rcScrollBar.Left - window.Left, horizontal.rcScrollBar.Top - window.Top,
              vertical.rcScrollBar.Right - window.Left, horizontal.rcScrollBar.Bottom - window.Top};
  TkvCustomLookAndFeelPainterClass painter = GetOwnerMemo() ? GetOwnerMemo()->GetLookAndFeel()->ActivePainter() : nullptr;
  HDC dc = GetWindowDC(GetHandle());
  HBRUSH brush = CreateSolidBrush(ColorToRGB(painter ? painter->DefaultColor32() : clBtnFace));
  FillRect(dc, &corner, brush);
  DeleteObject(brush);
  ReleaseDC(GetHandle(), dc);
}

// ---- Helper -------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomInnerMemoHelper)

TkvCustomInnerMemoHelper::TkvCustomInnerMemoHelper(TkvCustomInnerMemo* AMemo)
    : TkvInterfacedPersistent(nullptr), FMemo(AMemo) {}

TWinControl* TkvCustomInnerMemoHelper::InnerControl() { return FMemo; }
TkvContainer* TkvCustomInnerMemoHelper::HostContainer() { return FMemo->HostContainer(); }

LRESULT TkvCustomInnerMemoHelper::DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return CallWindowProc(FMemo->FDefWndProc, FMemo->GetHandle(), Msg, WParam, LParam);
}

void TkvCustomInnerMemoHelper::ReadInnerValue(Variant& Value) { Value = FMemo->GetLines()->GetText(); }

TNotifyEvent TkvCustomInnerMemoHelper::GetChangeHandler() { return FMemo->GetOnChange(); }
bool TkvCustomInnerMemoHelper::IsInnerReadOnly() { return FMemo->GetReadOnly(); }

void TkvCustomInnerMemoHelper::FreezeBounds(bool Freeze) {
  if (Freeze)
    ++FMemo->FBoundsHoldCount;
  else if (FMemo->FBoundsHoldCount > 0)
    --FMemo->FBoundsHoldCount;
}

void TkvCustomInnerMemoHelper::SetFocusSafely() {
  const bool autoSelect = FMemo->GetAutoSelect();
  FMemo->SetAutoSelect(false);
  try {
    if (FMemo->CanFocus()) FMemo->SetFocus();
  } catch (...) {
    FMemo->SetAutoSelect(autoSelect);
    throw;
  }
  FMemo->SetAutoSelect(autoSelect);
}

void TkvCustomInnerMemoHelper::WriteInnerValue(const Variant& Value) {
  const String text = VarToStr(Value);
  // The same text again would only lay the whole memo out once more.
  if (text == FMemo->GetText()) return;
  if (!FMemo->HandleAllocated()) {
    FMemo->SetText(text);
    return;
  }
  TkvCustomMemo* owner = FMemo->GetOwnerMemo();
  ++FMemo->FTextSettingCount;
  if (owner) owner->LockChangeEvents(true);
  try {
    if (owner && owner->IsInplace() && FMemo->GetWordWrap()) FMemo->GetLines()->Clear();
    FMemo->GetLines()->SetText(text);
  } catch (...) {
    --FMemo->FTextSettingCount;
    if (owner) owner->LockChangeEvents(false, false);
    throw;
  }
  --FMemo->FTextSettingCount;
  // The change the setting reported is the caller's to report, not a change of its own.
  if (owner) owner->LockChangeEvents(false, false);
}

void TkvCustomInnerMemoHelper::SetEditorParent(TWinControl* Editor) { FMemo->SetParent(Editor); }
void TkvCustomInnerMemoHelper::SetChangeHandler(TNotifyEvent Handler) { FMemo->SetOnChange(Handler); }
void TkvCustomInnerMemoHelper::SetInnerReadOnly(bool Value) { FMemo->SetReadOnly(Value); }
void TkvCustomInnerMemoHelper::ClearSelection() { FMemo->Perform(WM_CLEAR, 0, 0); }
void TkvCustomInnerMemoHelper::CopyToClipboard() { FMemo->Perform(WM_COPY, 0, 0); }
TAlignment TkvCustomInnerMemoHelper::GetAlignment() { return FMemo->GetAlignment(); }
bool TkvCustomInnerMemoHelper::GetAutoSelect() { return FMemo->GetAutoSelect(); }
TEditCharCase TkvCustomInnerMemoHelper::GetCharCase() { return FMemo->GetCharCase(); }
bool TkvCustomInnerMemoHelper::GetHideSelection() { return FMemo->GetHideSelection(); }
TImeMode TkvCustomInnerMemoHelper::GetImeMode() { return FMemo->GetImeMode(); }
TImeName TkvCustomInnerMemoHelper::GetImeName() { return FMemo->GetImeName(); }
bool TkvCustomInnerMemoHelper::GetKeyHandledByOwner() { return FMemo->FKeyHandledByOwner; }
Integer TkvCustomInnerMemoHelper::GetMaxLength() { return FMemo->GetMaxLength(); }
bool TkvCustomInnerMemoHelper::GetOEMConvert() { return FMemo->GetOEMConvert(); }
TNotifyEvent TkvCustomInnerMemoHelper::GetSelectionChangedHandler() { return FMemo->GetOnSelectionChanged(); }
Integer TkvCustomInnerMemoHelper::GetSelLength() { return FMemo->GetSelLength(); }
Integer TkvCustomInnerMemoHelper::GetSelStart() { return FMemo->GetSelStart(); }
String TkvCustomInnerMemoHelper::GetSelText() { return FMemo->GetSelText(); }

void TkvCustomInnerMemoHelper::SelectAll() {
  if (FMemo->HandleAllocated()) FMemo->SelectAll();
}

void TkvCustomInnerMemoHelper::SetAlignment(TAlignment Value) { FMemo->SetAlignment(Value); }
void TkvCustomInnerMemoHelper::SetAutoSelect(bool Value) { FMemo->SetAutoSelect(Value); }
void TkvCustomInnerMemoHelper::SetCharCase(TEditCharCase Value) { FMemo->SetCharCase(Value); }
void TkvCustomInnerMemoHelper::SetHideSelection(bool Value) { FMemo->SetHideSelection(Value); }
void TkvCustomInnerMemoHelper::SetKeyHandledByOwner(bool Value) { FMemo->FKeyHandledByOwner = Value; }
void TkvCustomInnerMemoHelper::SetImeMode(TImeMode Value) { FMemo->SetImeMode(Value); }
void TkvCustomInnerMemoHelper::SetImeName(const TImeName& Value) { FMemo->SetImeName(Value); }
void TkvCustomInnerMemoHelper::SetMaxLength(Integer Value) { FMemo->SetMaxLength(Value); }
void TkvCustomInnerMemoHelper::SetOEMConvert(bool Value) { FMemo->SetOEMConvert(Value); }
void TkvCustomInnerMemoHelper::SetSelectionChangedHandler(TNotifyEvent Value) { FMemo->SetOnSelectionChanged(Value); }

void TkvCustomInnerMemoHelper::SetSelLength(Integer Value) {
  if (FMemo->HandleAllocated()) FMemo->SetSelLength(Value);
}

void TkvCustomInnerMemoHelper::SetSelStart(Integer Value) {
  if (FMemo->HandleAllocated()) FMemo->SetSelStart(Value);
}

void TkvCustomInnerMemoHelper::SetSelText(const String& Value) { FMemo->SetSelText(Value); }
TPoint TkvCustomInnerMemoHelper::GetCaretPos() { return FMemo->GetCaretPos(); }
TStrings* TkvCustomInnerMemoHelper::GetLines() { return FMemo->GetLines(); }
TScrollStyle TkvCustomInnerMemoHelper::GetScrollBars() { return FMemo->GetScrollBars(); }
bool TkvCustomInnerMemoHelper::GetWantReturns() { return FMemo->GetWantReturns(); }
bool TkvCustomInnerMemoHelper::GetWantTabs() { return FMemo->GetWantTabs(); }
bool TkvCustomInnerMemoHelper::GetWordWrap() { return FMemo->GetWordWrap(); }
void TkvCustomInnerMemoHelper::SetCaretPos(const TPoint& Value) { FMemo->SetCaretPos(Value); }
void TkvCustomInnerMemoHelper::SetScrollBars(TScrollStyle Value) { FMemo->SetScrollBars(Value); }
void TkvCustomInnerMemoHelper::SetWantReturns(bool Value) { FMemo->SetWantReturns(Value); }
void TkvCustomInnerMemoHelper::SetWantTabs(bool Value) { FMemo->SetWantTabs(Value); }
void TkvCustomInnerMemoHelper::SetWordWrap(bool Value) { FMemo->SetWordWrap(Value); }
