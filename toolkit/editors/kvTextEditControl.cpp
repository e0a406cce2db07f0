// The text editor: the edit value's link with the inner edit's text, lookup with incremental
// search and completion, the item index, clipboard and selection operations, and the keys.

#include <algorithm>
#include <exception>

#include "rtl/SysUtils.h"
#include "rtl/Variants.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvTextEdit.h"
#include "user/Clipboard.h"
#include "user/VirtualKeys.h"
#include "vcl/ControlsMessages.h"

namespace {

// The clipboard's text; empty when it holds none.
bool ReadClipboardText(String& Text) {
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(nullptr)) return false;
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (text) Text = text;
  if (data) GlobalUnlock(data);
  CloseClipboard();
  return text != nullptr;
}

// Change events wait for a scope and are replayed when it ends.
class TDeferredChangeEvents {
 public:
  explicit TDeferredChangeEvents(TkvCustomEdit* Edit) : FEdit(Edit) { Edit->LockChangeEvents(true); }
  ~TDeferredChangeEvents() noexcept(false) {
    if (!FEdit) return;
    if (std::uncaught_exceptions() == 0) {
      FEdit->LockChangeEvents(false);
      return;
    }
    try {
      FEdit->LockChangeEvents(false);
    } catch (...) {
    }
  }

 private:
  TWeakRef<TkvCustomEdit> FEdit;
};

// Sets a flag for a scope and puts its old value back, also when the scope is left by an exception.
class TFlagScope {
 public:
  TFlagScope(bool& Flag, bool Value) : FFlag(Flag), FOld(Flag) { Flag = Value; }
  ~TFlagScope() { FFlag = FOld; }

 private:
  bool& FFlag;
  bool FOld;
};

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomTextEdit)

TAVREN_MESSAGE_TABLE(TkvCustomTextEdit, MESSAGE_HANDLER(WM_GETTEXT, WMGetText),
                     MESSAGE_HANDLER(WM_GETTEXTLENGTH, WMGetTextLength), MESSAGE_HANDLER(WM_SETTEXT, WMSetText),
                     MESSAGE_HANDLER(WM_CLEAR, WMClear))

// ---- Life ---------------------------------------------------------------------------------------

TkvCustomTextEdit::TkvCustomTextEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
                                     TClassOf<TWinControl> AInnerEditClass)
    : TkvCustomEdit(AOwner, AInplace, APropertiesClass, AInnerEditClass) {
  // The framework's set-up ran in the base constructor; the text editor's follows.
  if (TCustomEdit* inner = InnerTextControl()) inner->SetColor(clWindow);
  if (IkvInnerTextEdit* inner = InnerTextEdit())
    inner->SetSelectionChangedHandler(MakeEvent<&TkvCustomTextEdit::SelectionChangedHook>(this));
  SetWidth(121);
  SetHeight(21);
  if (TClassOf<TkvCustomTextEditLookupData> lookup = TextProperties()->LookupDataClass()) {
    FLookupData.reset(lookup.Create(this));
    FLookupData->SetOnItemPicked(MakeEvent<&TkvCustomTextEdit::ApplyLookupSelection>(this));
  }
  if (TkvFormatController* controller = TheFormatController()) controller->AddListener(this);
}

TkvCustomTextEdit::~TkvCustomTextEdit() {
  // A late WM_GETTEXT still answers the text.
  FSavedText = TextForMessage();
  if (TkvFormatController* controller = TheFormatController()) controller->RemoveListener(this);
  FLookupData.reset();
}

void TkvCustomTextEdit::Loaded() {
  TkvCustomEdit::Loaded();
  RefreshViewInfo(false);
}

// ---- Value model --------------------------------------------------------------------------------

void TkvCustomTextEdit::ReadDisplayText(String& Text) {
  Text.clear();
  if (!GetInnerEdit()) return;
  Variant value;
  GetInnerEdit()->ReadInnerValue(value);
  Text = VarToStr(value);
}

String TkvCustomTextEdit::GetText() {
  String text;
  ReadDisplayText(text);
  return text;
}

void TkvCustomTextEdit::SetText(const String& Value) { TrySetDisplayText(Value); }

void TkvCustomTextEdit::EditingValueToEditValue(Variant& Value) { Value = GetText(); }

void TkvCustomTextEdit::SetDisplayValue(const Variant& Value) {
  if (IkvCustomInnerEdit* inner = GetInnerEdit()) inner->WriteInnerValue(Value);
}

void TkvCustomTextEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) { Value = Display; }

void TkvCustomTextEdit::UpdateDisplayFromEditValue() {
  TkvCustomTextEditProperties* properties = TextProperties();
  Variant value;
  GetEditValue(value);
  Variant display;
  if (properties->CanValidate()) {
    bool accepted = properties->AcceptsEditValue(value);
    if (accepted) {
      MakeDisplayValue(value, display, PrefersEditFormat());
    } else if (Focused()) {
      display = properties->EmptyDisplayValue();
    } else if (VarType(value) == varDate) {
      display = DateTimeToStr(VarToDateTime(value));
    } else {
      try {
        display = VarToStr(value);
      } catch (const EVariantError&) {
        display = String();
      }
    }
  } else {
    MakeDisplayValue(value, display, PrefersEditFormat());
  }
  PushModifiedState();
  {
    TFlagScope synchronising(FDisplaySynchronising, true);
    try {
      GetDataBinding()->SetDisplayValue(display);
    } catch (...) {
      PopModifiedState();
      throw;
    }
  }
  PopModifiedState();
  ResetCompletion();
  RefreshDisplayText();
}

void TkvCustomTextEdit::UpdateEditValueFromDisplay() {
  TkvCustomTextEditProperties* properties = TextProperties();
  bool compares = properties->CanCompareEditValues();
  Variant old;
  if (compares) GetEditValue(old);
  Variant value;
  ConvertDisplayToEditValue(Variant(GetText()), value, PrefersEditFormat());
  KeepEditValue(value);
  bool changed = compares && !VarSameTypeAndValue(old, value);
  if (IsKeyboardAction())
    MarkModifiedByUser(true);
  else
    SetModifiedFlag(false);
  if (!changed) return;
  TWeakRef<TkvCustomTextEdit> guard(this);
  RaiseEditValueChanged();
  // Text kinds raise OnChange from the text change itself.
  if (guard && !properties->InnerEditReportsChanges()) RaiseChange();
}

void TkvCustomTextEdit::PutDisplayValue(const Variant& Value) {
  TWeakRef<TkvCustomTextEdit> self(this);
  GetDataBinding()->SetDisplayValue(Value);
  if (!self || IsKeyboardAction()) return;
  ResetCompletion();
  UpdateEditValueFromDisplay();
  // OnEditValueChanged may have freed the editor.
  if (self) SetModifiedFlag(false);
}

void TkvCustomTextEdit::ApplyDisplayValue(const Variant& Value) {
  if (TextProperties()->EditingStyleCode() == kvEditingFreeText && FLookupData &&
      !FLookupData->ContainsText(VarToStr(Value)))
    FireNewLookupDisplayText(VarToStr(Value));
  TkvCustomEdit::ApplyDisplayValue(Value);
}

bool TkvCustomTextEdit::TrySetDisplayText(const String& Text) {
  Variant value(Text);
  if (!TextProperties()->AcceptsTextValue(value, PrefersEditFormat())) return false;
  if (IsKeyboardAction() && !RequestEdit()) return false;
  PutDisplayValue(value);
  return true;
}

void TkvCustomTextEdit::ResyncDisplay() {
  if (InnerEditMissing()) return;
  Byte style = TextProperties()->EditingStyleCode();
  if (style == kvEditingFreeText || style == kvEditingNoTyping) {
    if (!GetValueModified()) GetDataBinding()->UpdateDisplayValue();
    return;
  }
  if ((GetValueModified() && !IsValidated()) || NeedsFullSynchronize()) {
    Variant text(GetText());
    if (!TextProperties()->AcceptsTextValue(text, true)) {
      PushModifiedState();
      try {
        SetDisplayValue(Variant(TextProperties()->EmptyDisplayValue()));
      } catch (...) {
        PopModifiedState();
        throw;
      }
      PopModifiedState();
    }
    if (!GetValueModified()) UpdateEditValueFromDisplay();
  } else {
    UpdateDisplayFromEditValue();
  }
}

bool TkvCustomTextEdit::NeedsFullSynchronize() { return !IsInplace() && !IsDataStorageBound(); }

void TkvCustomTextEdit::RefreshDisplayText() {
  std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
  auto* textData = static_cast<TkvCustomTextEditViewData*>(data.get());
  TkvCustomTextEditViewInfo* info = GetTextViewInfo();
  Variant text(GetText());
  textData->SetViewInfoText(text, info);
  if (!HandleAllocated()) return;
  RecalcAtCursor();
  // The list styles show their selection themselves while the inner edit is hidden.
  Byte style = info->EditingStyle;
  info->SelStart = 0;
  info->SelLength = 0;
  if ((style == kvEditingStrictList || style == kvEditingNoTyping) && style != kvEditingNoTyping &&
      FCompletionPending && TextProperties()->GetKeepCompletionSelected()) {
    Integer length = static_cast<Integer>(info->Text.size());
    if (info->SelectionBarShown) {
      info->SelStart = 0;
      info->SelLength = length - CurrentSelLength();
      info->SelTextColor = clHighlight;
      info->SelBackgroundColor = clHighlightText;
    } else {
      info->SelStart = CurrentSelStart();
      info->SelLength = CurrentSelLength();
      info->SelTextColor = clHighlightText;
      info->SelBackgroundColor = clHighlight;
    }
  }
  info->TextOut.Initialized = false;
  TRect all(0, 0, GetWidth(), GetHeight());
  InvalidateRect(GetHandle(), &all, FALSE);
}

// ---- Change events ------------------------------------------------------------------------------

void TkvCustomTextEdit::HandleInnerEditChange() {
  TWeakRef<TkvCustomTextEdit> self(this);
  {
    // Change events wait while the text is refreshed and regrouped.
    TDeferredChangeEvents lock(this);
    TkvCustomEdit::HandleInnerEditChange();
  }
  // A change handler may have freed the editor.
  if (!self) return;
  if (!GetTextViewInfo()->InnerEditShown) RefreshDisplayText();
  if (Focused() && TextProperties()->IsValueNumeric() &&
      TextProperties()->UsesThousandSeparators(FDisplaySynchronising))
    ReformatThousands();
}

void TkvCustomTextEdit::ReformatThousands() {
  IkvInnerTextEdit* inner = InnerTextEdit();
  if (!inner) return;
  String text = GetText();
  const TFormatSettings& settings = FormatSettings;
  String grouped = InsertThousandSeparators(text, settings);
  Extended number;
  if (grouped == text || !TryStrToFloat(StripThousandSeparators(grouped, settings), number)) return;
  // The caret stays after as many characters that are no separators as before.
  Integer caret = inner->GetSelStart();
  Integer kept = 0;
  for (Integer i = 0; i < caret && i < static_cast<Integer>(text.size()); ++i)
    if (text[i] != settings.ThousandSeparator) ++kept;
  inner->WriteInnerValue(Variant(grouped));
  if (caret == 0) return;
  Integer at = 0;
  for (Integer seen = 0; at < static_cast<Integer>(grouped.size()) && seen < kept; ++at)
    if (grouped[at] != settings.ThousandSeparator) ++seen;
  inner->SetSelStart(at);
}

void TkvCustomTextEdit::PropertiesFormatsChanged() {
  TextProperties()->NotifyChanged();
  UpdateDisplayFromEditValue();
}

// ---- Typing -------------------------------------------------------------------------------------

TkvTextChange TkvCustomTextEdit::PrepareTextChange(const String& NewPart) {
  TkvTextChange change;
  TkvCustomTextEditProperties* properties = TextProperties();
  Byte style = properties->EditingStyleCode();
  if (IsKeyboardAction() && style == kvEditingNoTyping) return change;
  if (style == kvEditingStrictList || style == kvEditingNoTyping) SelectWholeText();
  String text = GetText();
  Integer start = std::min<Integer>(CurrentSelStart(), static_cast<Integer>(text.size()));
  Integer length = std::min<Integer>(CurrentSelLength(), static_cast<Integer>(text.size()) - start);
  Integer limit = properties->GetMaxLength();
  if (IsKeyboardAction() && style == kvEditingFreeText && limit > 0) {
    String head = WideCharHead(text.substr(0, start) + NewPart, limit);
    change.Caret = static_cast<Integer>(head.size());
    if (change.Caret < start) return change;
    change.Text = WideCharHead(head + text.substr(start + length), limit);
  } else if (style == kvEditingStrictList) {
    change.Text = NewPart;
    change.Caret = static_cast<Integer>(NewPart.size());
  } else {
    change.Text = text.substr(0, start) + NewPart + text.substr(start + length);
    change.Caret = start + static_cast<Integer>(NewPart.size());
  }
  Variant value(change.Text);
  if (!properties->AcceptsTextValue(value, PrefersEditFormat())) return change;
  if (IsKeyboardAction() && !RequestEdit()) return change;
  change.Text = VarToStr(value);
  change.Accepted = true;
  return change;
}

void TkvCustomTextEdit::SetDisplayTextAsUser(const String& Text) {
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(Focused());
  TWeakRef<TkvCustomTextEdit> guard(this);
  try {
    TkvTextChange change = PrepareTextChange(Text);
    if (change.Accepted) {
      PutDisplayValue(Variant(change.Text));
      if (guard) PlaceCaret(change.Caret);
    }
  } catch (...) {
    if (guard) SetKeyboardAction(keyboard);
    throw;
  }
  if (guard) SetKeyboardAction(keyboard);
}

void TkvCustomTextEdit::SetTextAsUser(const String& Text) {
  if (!RequestEdit()) return;
  SetText(Text);
  MarkModifiedByUser(true);
}

void TkvCustomTextEdit::DeleteSelectedText() {
  if (CurrentSelLength() == 0) return;
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(Focused());
  TWeakRef<TkvCustomTextEdit> guard(this);
  try {
    String text = GetText();
    Integer start = CurrentSelStart();
    text.erase(static_cast<size_t>(start), static_cast<size_t>(CurrentSelLength()));
    if (TrySetDisplayText(text) && guard) PlaceCaret(start);
  } catch (...) {
    if (guard) SetKeyboardAction(keyboard);
    throw;
  }
  if (guard) SetKeyboardAction(keyboard);
}

Integer TkvCustomTextEdit::TextLength() { return static_cast<Integer>(GetText().size()); }

bool TkvCustomTextEdit::IsCharAllowed(Char Character) {
  return TkvCustomEdit::IsCharAllowed(Character) ||
         TextProperties()->GetAcceptedChars().test(static_cast<unsigned char>(Character));
}

bool TkvCustomTextEdit::IsModifyingChar(Char Character) {
  auto c = static_cast<unsigned char>(Character);
  return c == 8 || c == 22 || c == 24 || c >= 32;
}

bool TkvCustomTextEdit::IsModifyingKey(Word Key, TShiftState Shift) {
  bool modifying = TkvCustomEdit::IsModifyingKey(Key, Shift) || Key == VK_DELETE;
  if (!UsesLookup() || !LookupKeysScroll(false)) return modifying;
  bool popupOpen = IsPopupOpen();
  switch (Key) {
    case VK_PRIOR:
    case VK_NEXT: return !popupOpen;
    case VK_UP:
    case VK_DOWN: return !Shift.Contains(ssAlt) && !popupOpen;
    default: return modifying;
  }
}

bool TkvCustomTextEdit::EditingAllowed() { return TextProperties()->EditingStyleCode() != kvEditingNoTyping; }

// ---- Selection ----------------------------------------------------------------------------------

Integer TkvCustomTextEdit::CurrentSelStart() {
  Byte style = TextProperties()->EditingStyleCode();
  if (style == kvEditingNoTyping || (style == kvEditingStrictList && !FCompletionPending)) return 0;
  IkvInnerTextEdit* inner = InnerTextEdit();
  return inner ? inner->GetSelStart() : 0;
}

Integer TkvCustomTextEdit::CurrentSelLength() {
  Byte style = TextProperties()->EditingStyleCode();
  if (style == kvEditingNoTyping || (style == kvEditingStrictList && !FCompletionPending)) return 0;
  IkvInnerTextEdit* inner = InnerTextEdit();
  return inner ? inner->GetSelLength() : 0;
}

void TkvCustomTextEdit::PlaceCaret(Integer Position) {
  if (TextProperties()->EditingStyleCode() == kvEditingNoTyping) return;
  if (IkvInnerTextEdit* inner = InnerTextEdit()) inner->SetSelStart(Position);
}

void TkvCustomTextEdit::SetSelectionLength(Integer Length) {
  if (TextProperties()->EditingStyleCode() == kvEditingNoTyping) return;
  if (IkvInnerTextEdit* inner = InnerTextEdit()) inner->SetSelLength(Length);
}

void TkvCustomTextEdit::SelectRange(Integer Start, Integer Length) {
  PlaceCaret(Start);
  SetSelectionLength(Length);
}

String TkvCustomTextEdit::SelectedText() {
  IkvInnerTextEdit* inner = InnerTextEdit();
  return inner ? inner->GetSelText() : String();
}

void TkvCustomTextEdit::SelectWholeText() {
  if (IkvInnerTextEdit* inner = InnerTextEdit()) inner->SelectAll();
}

Integer TkvCustomTextEdit::CaretIndex() {
  auto* inner = dynamic_cast<TkvCustomInnerTextEdit*>(GetInnerControl());
  return inner ? inner->CaretCharIndex() : 0;
}

void TkvCustomTextEdit::SetCompletionPending(bool Value) {
  if (!HandleAllocated() || Value == FCompletionPending || FCompletionLock) return;
  FCompletionPending = Value;
  RecalcAtCursor();
  RefreshDisplayText();
}

void TkvCustomTextEdit::ResetCompletion() {
  if (FLookupData) SetCompletionPending(false);
}

// ---- Clipboard ----------------------------------------------------------------------------------

void TkvCustomTextEdit::ClipboardCopy() {
  Byte style = TextProperties()->EditingStyleCode();
  if (style == kvEditingStrictList || style == kvEditingNoTyping) SelectWholeText();
  if (CurrentSelLength() > 0 || style == kvEditingStrictList || style == kvEditingNoTyping)
    if (IkvInnerTextEdit* inner = InnerTextEdit()) inner->CopyToClipboard();
}

void TkvCustomTextEdit::ClipboardCut() {
  if (CurrentSelLength() == 0) return;
  if (!Focused()) {
    ClipboardCopy();
    SetDisplayTextAsUser(String());
    return;
  }
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  TWeakRef<TkvCustomTextEdit> guard(this);
  try {
    if (PrepareTextChange(String()).Accepted) InnerTextEdit()->DefaultWindowProc(WM_CUT, 0, 0);
  } catch (...) {
    if (guard) SetKeyboardAction(keyboard);
    throw;
  }
  if (guard) SetKeyboardAction(keyboard);
}

void TkvCustomTextEdit::ClipboardPaste() {
  String text;
  if (!ReadClipboardText(text)) return;
  if (!Focused()) {
    SetDisplayTextAsUser(text);
    return;
  }
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  TWeakRef<TkvCustomTextEdit> guard(this);
  try {
    if (PrepareTextChange(text).Accepted) InnerTextEdit()->DefaultWindowProc(WM_PASTE, 0, 0);
  } catch (...) {
    if (guard) SetKeyboardAction(keyboard);
    throw;
  }
  if (guard) SetKeyboardAction(keyboard);
}

// ---- Keys ---------------------------------------------------------------------------------------

void TkvCustomTextEdit::StepLookup(TkvLookupStep Direction) {
  Integer before = FLookupData->GetCurrentIndex();
  TWeakRef<TkvCustomTextEdit> guard(this);
  {
    TDeferredChangeEvents lock(this);
    TFlagScope scrolling(FLookupScrolling, true);
    LockClick(true);
    try {
      FLookupData->Step(Direction, false);
    } catch (...) {
      if (guard) LockClick(false);
      throw;
    }
    if (!guard) return;
    LockClick(false);
    if (FLookupData->GetCurrentIndex() != before) {
      NotifyUserChange();
      if (guard && CanPostValue() && GetEffectiveProperties()->GetImmediatePost() && RunValidation(true) &&
          guard)
        CommitEditValue(false);
    }
  }
}

void TkvCustomTextEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
  TkvCustomTextEditProperties* properties = TextProperties();
  Byte style = properties->EditingStyleCode();
  if (style == kvEditingStrictList && !IsClearOrClickKey(Key, Shift) &&
      (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DELETE)) {
    SetCompletionPending(false);
    FireKeyDownUnhandled(Key, Shift);
    Key = 0;
    return;
  }
  IkvInnerTextEdit* inner = InnerTextEdit();
  if (inner) inner->SetKeyHandledByOwner(true);
  bool enter = Key == VK_RETURN;
  bool pending = FCompletionPending;
  TWeakRef<TkvCustomTextEdit> guard(this);
  TkvCustomEdit::HandleKeyDown(Key, Shift);
  if (!guard) return;
  if (enter && pending) SelectWholeText();
  if (Key >= VK_PRIOR && Key <= VK_DELETE) {
    switch (Key) {
      case VK_LEFT:
      case VK_RIGHT:
        if (!Shift.Contains(ssShift) && CurrentSelLength() > 0) {
          Integer start = CurrentSelStart();
          PlaceCaret(Key == VK_LEFT ? start : start + CurrentSelLength());
          SetSelectionLength(0);
          Key = 0;
        }
        SetCompletionPending(false);
        break;
      case VK_DELETE:
        if (style == kvEditingListText) {
          FireKeyDownUnhandled(Key, Shift);
          Key = 0;
        } else {
          SetCompletionPending(false);
        }
        break;
      case VK_PRIOR:
      case VK_NEXT:
      case VK_UP:
      case VK_DOWN:
      case VK_HOME:
      case VK_END: {
        bool homeEnd = Key == VK_HOME || Key == VK_END;
        if (homeEnd && style != kvEditingStrictList) break;
        if (UsesLookup() && LookupKeysScroll(false)) {
          bool ctrl = Shift.Contains(ssCtrl);
          TkvLookupStep step = lsNext;
          switch (Key) {
            case VK_PRIOR: step = ctrl ? lsFirst : lsPageUp; break;
            case VK_NEXT: step = ctrl ? lsLast : lsPageDown; break;
            case VK_END: step = lsLast; break;
            case VK_HOME: step = lsFirst; break;
            case VK_UP: step = lsPrevious; break;
            default: step = lsNext; break;
          }
          StepLookup(step);
          Key = 0;
        } else if (!homeEnd && !(inner && inner->IsMultiLineControl())) {
          FireKeyDownUnhandled(Key, Shift);
          Key = 0;
        }
        break;
      }
      default: break;
    }
  }
  if (!guard) return;
  if (Key == VK_END && CurrentSelLength() == 0 && style != kvEditingStrictList) SetCompletionPending(false);
  if (Key != 0 && inner) inner->SetKeyHandledByOwner(false);
}

bool TkvCustomTextEdit::SearchAllowed() {
  // Nothing to search without items (a memo's lookup has none).
  if (!UsesLookup()) return false;
  Byte style = TextProperties()->EditingStyleCode();
  return (style == kvEditingFreeText && TextProperties()->GetIncrementalSearch()) || style == kvEditingListText ||
         style == kvEditingStrictList;
}

void TkvCustomTextEdit::ApplyCompletion(const String& Typed, const String& Tail) {
  PutDisplayValue(Variant(Typed + Tail));
  SelectRange(static_cast<Integer>(Typed.size()), static_cast<Integer>(Tail.size()));
}

bool TkvCustomTextEdit::Search(const String& Text) {
  IkvInnerTextEdit* inner = InnerTextEdit();
  String typed = Text;
  Char lead = inner ? inner->GetPendingLeadByte() : '\0';
  if (lead != '\0') typed += lead;
  bool found = false;
  if (typed.empty()) {
    SetCompletionPending(false);
    if (TextProperties()->EditingStyleCode() != kvEditingStrictList) PutDisplayValue(Variant(String()));
  } else {
    String tail;
    found = FLookupData->SearchText(typed, tail, false);
    if (found) {
      if (lead != '\0') {
        typed.pop_back();
        tail.insert(tail.begin(), lead);
      }
      FCompletionPending = true;
      ApplyCompletion(typed, tail);
    }
  }
  RefreshDisplayText();
  return found;
}

void TkvCustomTextEdit::HandleKeyPress(Char& Character) {
  IkvInnerTextEdit* inner = InnerTextEdit();
  if (inner) inner->SetKeyHandledByOwner(true);
  TWeakRef<TkvCustomTextEdit> guard(this);
  TkvCustomEdit::HandleKeyPress(Character);
  if (!guard || Character == 0) return;
  TkvCustomTextEditProperties* properties = TextProperties();
  Byte style = properties->EditingStyleCode();
  if (FLookupData) FLookupData->SetTextChangeLock(false);
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  if (style == kvEditingStrictList && Character == 8 && !properties->GetKeepCompletionSelected()) {
    Character = 0;
    SetCompletionPending(false);
  }
  Integer keyBefore = FLookupData ? FLookupData->GetCurrentIndex() : -1;
  bool pendingBefore = FCompletionPending;
  LockClick(true);
  bool found = false;
  auto finish = [&] {
    if (!guard) return;
    LockClick(false);
    SetKeyboardAction(keyboard);
  };
  try {
    bool search = SearchAllowed();
    auto c = static_cast<unsigned char>(Character);
    if (c == 8 && search) {
      String text = GetText();
      if (style == kvEditingListText && !text.empty() && !FCompletionPending) {
        Integer start = CurrentSelStart();
        SelectRange(start, static_cast<Integer>(text.size()) - start);
        FCompletionPending = true;
      }
      if (FCompletionPending) {
        found = Search(DropLastChar(GetText().substr(0, static_cast<size_t>(CurrentSelStart()))));
        if (found || style != kvEditingFreeText) Character = 0;
      }
      if (style == kvEditingStrictList) Character = 0;
    } else if (c > 31 && search &&
               (style == kvEditingListText || style == kvEditingStrictList ||
                (CurrentSelStart() == TextLength() && CurrentSelLength() == 0) || FCompletionPending ||
                CurrentSelLength() > 0)) {
      if (FLookupData) FLookupData->SetTextChangeLock(true);
      String text = GetText();
      String candidate;
      bool searched = false;
      if (CurrentSelLength() > 0) {
        candidate = text.substr(0, static_cast<size_t>(CurrentSelStart())) + Character;
      } else if (style != kvEditingStrictList) {
        candidate = text;
        candidate.insert(static_cast<size_t>(CurrentSelStart()), 1, Character);
      } else if (FCompletionPending) {
        candidate = text + Character;
        found = Search(candidate);
        searched = true;
        if (!found) candidate = String(1, Character), searched = false;
      } else {
        candidate = String(1, Character);
      }
      if (!searched) found = Search(candidate);
      if (!found && style == kvEditingStrictList && !properties->GetKeepCompletionSelected() &&
          candidate != String(1, Character))
        found = Search(String(1, Character));
      if (!found && (style == kvEditingListText || style == kvEditingStrictList)) {
        Character = 0;
        if (style == kvEditingListText && !GetText().empty()) SetCompletionPending(true);
        if (style == kvEditingStrictList && properties->GetKeepCompletionSelected() && pendingBefore)
          SetCompletionPending(true);
      }
      if (found) Character = 0;
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (!guard) return;
  if (FLookupData && FLookupData->GetCurrentIndex() != keyBefore) NotifyUserChange();
  if (Character != 0 && inner) inner->SetKeyHandledByOwner(false);
}

void TkvCustomTextEdit::KeyPress(Char& Key) {
  if (Key == 27 && FPopupJustClosed && !IsPopupOpen()) FPopupJustClosed = false;
  TkvCustomEdit::KeyPress(Key);
}

bool TkvCustomTextEdit::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (TkvCustomEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!LookupKeysScroll(true) || IsPopupOpen() || !UsesLookup() || !MouseWheelAllowed(Shift))
    return false;
  if (RequestEdit()) StepLookup(WheelDelta > 0 ? lsPrevious : lsNext);
  return true;
}

void TkvCustomTextEdit::DoExit() {
  TWeakRef<TkvCustomTextEdit> guard(this);
  TkvCustomEdit::DoExit();
  if (guard) SetCompletionPending(false);
}

// ---- Lookup -------------------------------------------------------------------------------------

Integer TkvCustomTextEdit::ItemIndexRead() {
  return FLookupData ? KeyToItemIndex(FLookupData->GetCurrentKey()) : -1;
}

Integer TkvCustomTextEdit::KeyToItemIndex(const Variant& Key) {
  return VarIsNull(Key) || VarIsEmpty(Key) ? -1 : Key.AsInteger();
}

Variant TkvCustomTextEdit::LookupKeyToEditValue(const Variant& Key) {
  Variant value;
  ConvertDisplayToEditValue(Variant(FLookupData->KeyText(Key)), value, PrefersEditFormat());
  return value;
}

TObject* TkvCustomTextEdit::CurrentItemObject() {
  Integer index = ItemIndexRead();
  return index == -1 ? nullptr : TextProperties()->GetLookupItems()->GetObjects(index);
}

void TkvCustomTextEdit::ItemIndexWrite(Integer Index) {
  if (!FLookupData) return;
  Integer before = ItemIndexRead();
  TWeakRef<TkvCustomTextEdit> guard(this);
  LockClick(true);
  try {
    FLookupData->MoveCurrentKey(ItemIndexToKey(Index));
    if (!guard) return;
    Variant value = LookupKeyToEditValue(FLookupData->GetCurrentKey());
    Variant current;
    GetEditValue(current);
    if (!VarSameTypeAndValue(value, current)) SetEditValue(value);
  } catch (...) {
    if (guard) LockClick(false);
    throw;
  }
  if (!guard) return;
  LockClick(false);
  if (ItemIndexRead() == before) return;
  SetModifiedFlag(false);
  Click();
}

void TkvCustomTextEdit::ApplyLookupSelection(TObject*) {
  Variant value = LookupKeyToEditValue(FLookupData->GetCurrentKey());
  Variant current;
  GetEditValue(current);
  bool differs = !VarSameTypeAndValue(value, current);
  if (differs && !RequestEdit()) return;
  PushModifiedState();
  FLookupData->SetTextChangeLock(true);
  TWeakRef<TkvCustomTextEdit> guard(this);
  try {
    AssignResetValue(value);
  } catch (...) {
    if (guard) {
      FLookupData->SetTextChangeLock(false);
      PopModifiedState();
    }
    throw;
  }
  if (!guard) return;
  FLookupData->SetTextChangeLock(false);
  PopModifiedState();
  if (differs) MarkModifiedByUser(true);
  SelectWholeText();
  RefreshViewInfo(false);
}

void TkvCustomTextEdit::FireNewLookupDisplayText(const String& Text) {
  TWeakRef<TkvCustomTextEdit> guard(this);
  static_cast<TkvCustomTextEditProperties*>(GetProperties())->GetOnNewLookupDisplayText()(this, Text);
  if (guard && GetRepositoryItem())
    TextProperties()->GetOnNewLookupDisplayText()(this, Text);
}

// ---- Properties and look ------------------------------------------------------------------------

void TkvCustomTextEdit::ApplyPropertiesChange(TObject* Properties) {
  TkvCustomTextEditProperties* properties = TextProperties();
  IkvInnerTextEdit* inner = InnerTextEdit();
  if (inner) inner->SetAlignment(properties->GetAlignment()->GetHorz());
  if (FLookupData) {
    FLookupData->SettingsChanged();
    if (!FLookupData->GetTextChangeLock()) FLookupData->EditorTextChanged();
  }
  if (inner && !IsInnerEditShown()) RefreshDisplayText();
  if (!inner) return TkvCustomEdit::ApplyPropertiesChange(Properties);
  SetImeMode(properties->GetImeMode());
  SetImeName(properties->GetImeName());
  inner->SetAlignment(properties->GetAlignment()->GetHorz());
  inner->SetAutoSelect(properties->GetAutoSelect() && !IsInplace());
  inner->SetCharCase(properties->GetCharCase());
  inner->SetEchoMode(properties->GetEchoMode());
  inner->SetHideSelection(properties->GetHideSelection());
  inner->SetImeMode(properties->GetImeMode());
  inner->SetImeName(properties->GetImeName());
  inner->SetMaxLength(properties->GetMaxLength());
  inner->SetOEMConvert(properties->GetOEMConvert());
  inner->SetPasswordChar(properties->GetPasswordChar());
  CheckValueBounds();
  if (!IsPosting()) ResyncDisplay();
  RefreshDisplayText();
  TkvCustomEdit::ApplyPropertiesChange(Properties);
  InnerTextControl()->Invalidate();
}

void TkvCustomTextEdit::CheckValueBounds() {
  TkvCustomTextEditProperties* properties = TextProperties();
  if (properties->IsValueNumeric() && !InnerEditMissing() && properties->IsRangeDefined()) ValueBoundsDefined();
}

bool TkvCustomTextEdit::IsInnerEditShown() {
  if (FHideInnerEdit || FShowInnerEdit) return FShowInnerEdit && !FHideInnerEdit;
  Byte style = TextProperties()->EditingStyleCode();
  return style != kvEditingStrictList && style != kvEditingNoTyping && !InnerEditMissing() && !IsDesignTime();
}

void TkvCustomTextEdit::SyncInnerEditLook() {
  TCustomEdit* inner = InnerTextControl();
  if (!inner || GetControlState().Contains(csCreating)) return;
  IkvInnerTextEdit* text = InnerTextEdit();
  text->FreezeBounds(true);
  TkvCustomTextEditViewInfo* info = GetTextViewInfo();
  inner->SetColor(info->BackgroundColor);
  AssignFontInColor(inner->GetFont(), GetEditStyle()->GetEffectiveFont(), info->TextColor);
  text->FreezeBounds(false);
}

Integer TkvCustomTextEdit::InnerEditTextHeight() {
  TCustomEdit* inner = InnerTextControl();
  return inner ? TextHeightInFont(inner->GetFont(), "Wg") : 0;
}

void TkvCustomTextEdit::PlaceInnerEdit() {
  TWinControl* inner = GetInnerControl();
  if (!inner || FPlacing) return;
  TFlagScope placing(FPlacing, true);
  std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
  TRect offsets = static_cast<TkvCustomTextEditViewData*>(data.get())->ContentOffsets();
  const TRect& client = GetEditViewInfo()->ClientRect;
  Integer height = InnerEditTextHeight();
  Integer top = client.Top + offsets.Top;
  switch (TextProperties()->GetAlignment()->GetVert()) {
    case taBottomJustify: top = std::max(top, client.Bottom - height - offsets.Bottom); break;
    case taVCenter: top = std::max(top, top + (client.Height() - offsets.Top - offsets.Bottom - height) / 2); break;
    default: break;
  }
  TRect bounds(client.Left + offsets.Left, top, client.Right - offsets.Right + 1, top + height);
  if (inner->GetBoundsRect() != bounds) inner->SetBoundsRect(bounds);
  Realign();
}

void TkvCustomTextEdit::GetSizeRequest(TkvEditSizeRequest& Request) { Request = TkvEditSizeRequest(); }

void TkvCustomTextEdit::BeginInplaceEdit(TkvCustomEditData*& Data) {
  TkvCustomEdit::BeginInplaceEdit(Data);
  if (!HandleAllocated()) return;
  PlaceCaret(0);
  if (GetEffectiveProperties()->GetAutoSelect()) SelectWholeText();
}

// ---- Messages -----------------------------------------------------------------------------------

String TkvCustomTextEdit::TextForMessage() { return GetText(); }

void TkvCustomTextEdit::WMGetText(TMessage& Message) {
  auto size = static_cast<size_t>(Message.WParam);
  char* buffer = reinterpret_cast<char*>(Message.LParam);
  if (size < 1 || !buffer) {
    Message.Result = 0;
    return;
  }
  String text = WholeCharHead(GetProperties() ? TextForMessage() : FSavedText, size - 1);
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = '\0';
  Message.Result = static_cast<LRESULT>(text.size());
}

void TkvCustomTextEdit::WMGetTextLength(TMessage& Message) {
  Message.Result = static_cast<LRESULT>((GetProperties() ? TextForMessage() : FSavedText).size());
}

void TkvCustomTextEdit::WMSetText(TMessage& Message) {
  if (FInternalTextSetting) {
    InheritedMessage(Message);
    return;
  }
  const char* text = reinterpret_cast<const char*>(Message.LParam);
  // A WM_SETTEXT that the setting itself sends goes to the default handling.
  TFlagScope internal(FInternalTextSetting, true);
  Message.Result = SetTextFromMessage(text ? String(text) : String()) ? 1 : 0;
}

void TkvCustomTextEdit::WMClear(TMessage&) {
  if (TextProperties()->GetReadOnly() || !GetDataBinding()->HasData()) return;
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  TWeakRef<TkvCustomTextEdit> guard(this);
  try {
    DeleteSelectedText();
  } catch (...) {
    if (guard) SetKeyboardAction(keyboard);
    throw;
  }
  if (guard) SetKeyboardAction(keyboard);
}

// ---- The published editor -----------------------------------------------------------------------

TClass TkvCustomTextEditProperties::GetEditorClass() { return TkvTextEdit::ClassInfo(); }

TAVREN_CLASS_IMPL_PUBLISHED(TkvTextEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetTextEditProperties, SetTextEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetText, SetText), PROPERTY(OnEditing))
