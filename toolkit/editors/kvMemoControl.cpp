// The memo editor: keys, container-drawn scroll bars over the inner memo, sizing by lines, and
// text replaced and deleted through the inner memo.

#include "controls/Edit.h"
#include "gdi/SysMetrics.h"
#include "rtl/Variants.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvMemo.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "vcl/ControlsMessages.h"

namespace {

// Sets a flag for a scope and puts its old value back, also when the scope is left by an exception.
class TMemoFlagScope {
 public:
  TMemoFlagScope(bool& Flag, bool Value) : FFlag(Flag), FOld(Flag) { Flag = Value; }
  ~TMemoFlagScope() { FFlag = FOld; }

 private:
  bool& FFlag;
  bool FOld;
};

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomMemo)

TkvCustomMemo::TkvCustomMemo(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomTextEdit(AOwner, AInplace, APropertiesClass, TkvCustomInnerMemo::ClassInfo()) {
  SetWidth(185);
  SetHeight(89);
}

TStrings* TkvCustomMemo::GetLines() { return InnerMemo()->GetLines(); }

void TkvCustomMemo::ReadState(TReader* Reader) {
  TkvCustomTextEdit::ReadState(Reader);
  if (!InnerMemo() || GetLines()->GetCount() == 0) return;
  // A memo streamed with lines starts with them as its value.
  Variant value;
  ConvertDisplayToEditValue(Variant(GetText()), value, PrefersEditFormat());
  KeepEditValue(value);
}

void TkvCustomMemo::WndProc(TMessage& Message) {
  TWeakRef<TkvCustomMemo> self(this);
  TkvCustomTextEdit::WndProc(Message);
  if (!self) return;
  if (Message.Msg == WM_WINDOWPOSCHANGED || Message.Msg == WM_NCCALCSIZE || Message.Msg == CM_WININICHANGE)
    PostRefresh();
  // The inner memo scrolled itself: the container's bars follow.
  if (Message.Msg == WM_COMMAND && (HIWORD(Message.WParam) == EN_HSCROLL || HIWORD(Message.WParam) == EN_VSCROLL))
    UpdateInnerScrollBars(false);
}

void TkvCustomMemo::CreateParams(TCreateParams& Params) {
  TkvCustomTextEdit::CreateParams(Params);
  Params.WindowClass.style &= ~CS_VREDRAW;
  if (!MemoProperties()->WrapsLines()) Params.WindowClass.style &= ~CS_HREDRAW;
}

bool TkvCustomMemo::ScrollsWithoutBars(TkvDirection Direction) { return Direction == dirUp || Direction == dirDown; }

bool TkvCustomMemo::UsesScrollBars() {
  return FScrollBarsApplied && GetProperties() && MemoProperties()->GetScrollBars() != ssNone;
}

void TkvCustomMemo::ScrollContent(TScrollBarKind Kind, TScrollCode Code, Integer& Position) {
  TkvCustomInnerMemo* memo = InnerMemo();
  if (!memo || !memo->HandleAllocated()) return;
  const bool vertical = Kind == sbVertical;
  if (vertical && (Code == scLineUp || Code == scLineDown)) {
    SendMessage(memo->GetHandle(), EM_LINESCROLL, 0, Code == scLineUp ? -1 : 1);
  } else {
    TkvControlScrollBar* bar = vertical ? GetVScrollBar() : GetHScrollBar();
    HWND sender = bar && bar->HandleAllocated() ? bar->GetHandle() : nullptr;
    memo->GetHelper()->DefaultWindowProc(vertical ? WM_VSCROLL : WM_HSCROLL,
                                         MAKEWPARAM(static_cast<WORD>(Code), static_cast<WORD>(Position)),
                                         reinterpret_cast<LPARAM>(sender));
  }
  Position = GetScrollPos(memo->GetHandle(), vertical ? SB_VERT : SB_HORZ);
  UpdateInnerScrollBars(false);
}

void TkvCustomMemo::UpdateInnerScrollBars(bool OnlyParams) {
  if (GetProperties()) TkvCustomTextEdit::UpdateInnerScrollBars(OnlyParams);
}

void TkvCustomMemo::PlaceInnerEdit() {
  TkvCustomInnerMemo* memo = InnerMemo();
  if (!memo || FPlacingMemo) return;
  TMemoFlagScope placing(FPlacingMemo, true);
  // Our inner memo has no native frame to hide: it fills the client rectangle, inside the
  // editor's border.
  const TRect& bounds = GetEditViewInfo()->ClientRect;
  if (memo->GetBoundsRect() != bounds) memo->SetBoundsRect(bounds);
  Realign();
}

bool TkvCustomMemo::AutoSizeAllowed() { return !IsInplace() && MemoProperties()->GetVisibleLineCount() >= 1; }

bool TkvCustomMemo::IsMemoKey(Word Key, TShiftState Shift, bool ForceTab) {
  if (Key == VK_RETURN) return MemoProperties()->GetWantReturns() || Shift.Contains(ssCtrl);
  if (Key == VK_TAB) return ForceTab || MemoProperties()->GetWantTabs();
  return false;
}

bool TkvCustomMemo::IsModifyingKey(Word Key, TShiftState Shift) {
  return TkvCustomTextEdit::IsModifyingKey(Key, Shift) || IsMemoKey(Key, Shift, false);
}

void TkvCustomMemo::HandleInnerEditChange() {
  TWeakRef<TkvCustomMemo> self(this);
  TkvCustomTextEdit::HandleInnerEditChange();
  if (self) PostRefresh();
}

void TkvCustomMemo::HandleKeyDown(Word& Key, TShiftState Shift) {
  TWeakRef<TkvCustomMemo> self(this);
  TkvCustomTextEdit::HandleKeyDown(Key, Shift);
  if (!self) return;
  if ((Key == 'A' || Key == 'a') && Shift == TShiftState{ssCtrl} && GetLines()->GetCount() > 0) {
    InnerMemo()->SelectAll();
    GetOnKeyDown()(this, Key, Shift);
    Key = 0;
  }
}

void TkvCustomMemo::KeyDown(Word& Key, TShiftState Shift) {
  // In place, Enter types a line break or posts by WantReturns and Ctrl, before anything else
  // sees it.
  if (IsInplace() && Key == VK_RETURN && Shift.Contains(ssCtrl) != MemoProperties()->GetWantReturns()) {
    HandleKeyDown(Key, Shift);
    return;
  }
  TkvCustomTextEdit::KeyDown(Key, Shift);
}

void TkvCustomMemo::InitViewData(TkvCustomEditViewData* ViewData) {
  TkvCustomTextEdit::InitViewData(ViewData);
  // The bars are the container's own, over the inner memo: no room is kept for them.
  ViewData->HasHorzScrollBar = false;
  ViewData->HasVertScrollBar = false;
}

void TkvCustomMemo::ApplyPropertiesChange(TObject* Properties) {
  if (InnerEditMissing()) return;
  TkvCustomMemoProperties* properties = MemoProperties();
  TkvCustomInnerMemo* memo = InnerMemo();
  if (memo->GetScrollBars() != properties->GetScrollBars()) {
    FScrollBarsApplied = true;
    memo->SetScrollBars(properties->GetScrollBars());
    // New windows of both, and with the editor's the container's bars.
    if (HandleAllocated()) RecreateWnd();
    if (memo->HandleAllocated()) memo->Perform(CM_RECREATEWND, 0, 0);
    RecreateScrollBars();
    AdoptScrollBars();
  }
  memo->SetWantReturns(properties->GetWantReturns());
  memo->SetWantTabs(properties->GetWantTabs());
  memo->SetWordWrap(properties->GetWordWrap());
  TkvCustomTextEdit::ApplyPropertiesChange(Properties);
}

void TkvCustomMemo::ClipboardCut() {
  if (CurrentSelLength() == 0) return;
  InnerMemo()->GetHelper()->CopyToClipboard();
  DeleteSelectedText();
}

void TkvCustomMemo::SyncInnerEditLook() {
  TkvCustomInnerMemo* memo = InnerMemo();
  if (!memo || GetControlState().Contains(csCreating)) return;
  memo->GetHelper()->FreezeBounds(true);
  try {
    TkvCustomTextEditViewInfo* info = GetTextViewInfo();
    memo->SetColor(info->BackgroundColor);
    AssignFontInColor(memo->GetFont(), GetEditStyle()->GetEffectiveFont(), info->TextColor);
  } catch (...) {
    memo->GetHelper()->FreezeBounds(false);
    throw;
  }
  memo->GetHelper()->FreezeBounds(false);
}

void TkvCustomMemo::SetDisplayTextAsUser(const String& Text) {
  String text = Text;
  Integer limit = MemoProperties()->GetMaxLength();
  if (Focused() && limit > 0) {
    // The room is what the text around the selection leaves, in wide characters.
    Integer room = limit - (WideCharCount(GetText()) - WideCharCount(SelectedText()));
    if (room <= 0) return;
    text = WideCharHead(text, room);
  }
  if (Focused() && !RequestEdit()) return;
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(Focused());
  TWeakRef<TkvCustomMemo> self(this);
  try {
    InnerMemo()->SetSelText(text);
  } catch (...) {
    if (self) SetKeyboardAction(keyboard);
    throw;
  }
  if (!self) return;
  SyncValueAfterDeletion();
  SetKeyboardAction(keyboard);
}

void TkvCustomMemo::DeleteSelectedText() {
  if (CurrentSelLength() == 0) return;
  if (Focused() && !RequestEdit()) return;
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(Focused());
  TWeakRef<TkvCustomMemo> self(this);
  try {
    TMemoFlagScope deleting(FDeletingSelection, true);
    InnerMemo()->GetHelper()->ClearSelection();
  } catch (...) {
    if (self) SetKeyboardAction(keyboard);
    throw;
  }
  if (!self) return;
  SyncValueAfterDeletion();
  SetKeyboardAction(keyboard);
}

void TkvCustomMemo::SyncValueAfterDeletion() {
  if (IsKeyboardAction()) return;
  ResetCompletion();
  UpdateEditValueFromDisplay();
  SetModifiedFlag(false);
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvMemo, PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Lines, GetLines, SetLines),
                            PROPERTY_AS(Properties, GetMemoProperties, SetMemoProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot), PROPERTY(OnEditing))
