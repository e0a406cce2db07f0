// The editor control's value model, validation, keys and focus.

#include <exception>
#include <memory>

#include "rtl/Reader.h"
#include "rtl/TypInfo.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvVariants.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/WindowEffects.h"
#include "vcl/ControlsMessages.h"

namespace {

// Holds a weak link for the length of a scope: handlers and pending messages may free the editor.
class TAliveGuard {
 public:
  explicit TAliveGuard(TObject* Object) : FLink(LinkToObject(Object)) {}
  ~TAliveGuard() { ReleaseObjectLink(FLink); }
  bool Alive() const { return FLink->Ref != nullptr; }

 private:
  TkvObjectLink* FLink;
};

}  // namespace

TkvChangeEventsLock::TkvChangeEventsLock(TkvCustomEdit* Edit, bool Replay)
    : FEdit(Edit), FReplay(Replay), FExceptions(std::uncaught_exceptions()) {
  Edit->LockChangeEvents(true);
}

TkvChangeEventsLock::~TkvChangeEventsLock() noexcept(false) {
  if (!FEdit) return;
  if (std::uncaught_exceptions() == FExceptions) {
    FEdit->LockChangeEvents(false, FReplay);
    return;
  }
  try {
    FEdit->LockChangeEvents(false, FReplay);
  } catch (...) {
  }
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomEdit, PROPERTY(Height).Stored(false), PROPERTY(Width).Stored(false),
                            PROPERTY(RepositoryItem), PROPERTY(PropertiesEvents), PROPERTY(OnFocusChanged))

TAVREN_MESSAGE_TABLE(TkvCustomEdit, MESSAGE_HANDLER(WM_CUT, WMCut), MESSAGE_HANDLER(WM_COPY, WMCopy),
                     MESSAGE_HANDLER(WM_PASTE, WMPaste), MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
                     MESSAGE_HANDLER(CM_HINTSHOW, CMHintShow), MESSAGE_HANDLER(CM_SHOWINGCHANGED, CMShowingChanged))

// ---- Life ----------------------------------------------------------------------------------

TkvCustomEdit::TkvCustomEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
                             TClassOf<TWinControl> AInnerEditClass)
    : TkvContainer(AOwner, [] {
        TClasses classes;
        classes.Style = TkvEditStyle::ClassInfo();
        classes.ViewInfo = TkvCustomEditViewInfo::ClassInfo();
        return classes;
      }()),
      FInplace(AInplace),
      FInnerEditClass(AInnerEditClass) {
  InitEditor(APropertiesClass);
  if (HandleAllocated()) RefreshViewInfo(false);
}

void TkvCustomEdit::InitEditor(TkvCustomEditPropertiesClass APropertiesClass) {
  FChangeEventsCatcher = std::make_unique<TkvEditChangeEventsCatcher>(this);
  FProperties.reset(APropertiesClass.Create(this));
  // The kind's own style (its text look, its defaults) serves the editor.
  UseStyleClass(FProperties->GetStyleClass());
  RecreateViewInfo();
  {
    std::unique_ptr<TkvCustomEditViewData> data(
        FProperties->MakeViewData(static_cast<TkvCustomEditStyle*>(GetActiveStyle()), IsInplace(), false));
    FContentParams = data->ContentParams;
    FContentParamsInitialized = true;
  }
  SetControlStyle(GetControlStyle() + TControlStyle{csCaptureMouse, csSetCaption, csReplicatable});
  SetTabStop(true);
  CreateInnerEdit(FInnerEdit);
  if (FInnerEdit) {
    SetupInnerEdit();
    FInnerEditControl = FInnerEdit->InnerControl();
    SetInnerControl(FInnerEditControl);
  }
  FDataBinding.reset(GetDataBindingClass().Create(this));
  SetAutoSize(!FInplace);
  FEditValue = Null();
  FValidationLockCount = 0;
  InstallPropertiesHandler(true);
  if (FInplace) StoreKeys(GetKeys() + TkvControlKeys{kArrows, kChars});
  FDoubleClickTimer = std::make_unique<TkvTimer>(nullptr);
  FDoubleClickTimer->SetEnabled(false);
  FDoubleClickTimer->SetInterval(GetDoubleClickTime());
  FDoubleClickTimer->SetOnTimer(MakeEvent<&TkvCustomEdit::DoubleClickTimerTick>(this));
  if (!FInplace) FProperties->AttachDefaultValuesProvider(FDataBinding->GetDefaultValuesProvider());
  GetEditViewInfo()->Edit = this;
  FJustCreated = true;
}

TkvContainerViewInfoClass TkvCustomEdit::ViewInfoClass() {
  return FProperties ? TkvContainerViewInfoClass(FProperties->GetViewInfoClass()) : TkvContainer::ViewInfoClass();
}

TkvCustomEdit::~TkvCustomEdit() {
  Destroying();
  FDoubleClickTimer.reset();
  UnhookInnerEdit();
  if (FInnerEdit) {
    // The inner edit goes first: it calls its editor back while its window goes.
    TWinControl* inner = FInnerEditControl;
    FInnerEdit = nullptr;
    FInnerEditControl = nullptr;
    delete inner;
  }
  if (FRepositoryItem) FRepositoryItem->RemoveListener(this);
  InstallPropertiesHandler(false);
  if (!FInplace) FProperties->AttachDefaultValuesProvider(nullptr);
  FDataBinding.reset();
  FModifiedStack.clear();
  FProperties.reset();
  FChangeEventsCatcher.reset();
}

void TkvCustomEdit::InstallPropertiesHandler(bool Install) {
  FProperties->SetOnPropertiesChanged(Install ? MakeEvent<&TkvCustomEdit::ApplyPropertiesChange>(this)
                                              : TNotifyEvent());
}

bool TkvCustomEdit::IsLoadingOrDestroying() {
  return GetComponentState().Contains(csLoading) || IsBeingDestroyed();
}

void TkvCustomEdit::ReadState(TReader* Reader) {
  InstallPropertiesHandler(false);
  TkvContainer::ReadState(Reader);
}

void TkvCustomEdit::Loaded() {
  TkvContainer::Loaded();
  TkvChangeEventsLock lock(this, false);
  LockClick(true);
  FDataBinding->RefreshDataLink();
  RefreshView();
  if (!FRepositoryItem) InstallPropertiesHandler(true);
  ApplyPropertiesChange(GetEffectiveProperties());
  GetViewInfo()->Shadow = false;
  LockClick(false);
}

void TkvCustomEdit::SetParent(TWinControl* AParent) {
  if (FJustCreated && AParent) {
    FJustCreated = false;
    FDataBinding->RefreshDataLink();
    ApplyPropertiesChange(FProperties.get());
    FDataBinding->UpdateDisplayValue();
  }
  TkvContainer::SetParent(AParent);
}

void TkvCustomEdit::SetName(const String& Value) {
  TkvContainer::SetName(Value);
  FDataBinding->RefreshDataLink();
}

void TkvCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  // The inner edit tells of its going from its last destructor, when the interface it lent is gone
  // already: it is known by its control, never asked.
  if (Operation == opRemove && FInnerEditControl && AComponent == FInnerEditControl) {
    FInnerEdit = nullptr;
    FInnerEditControl = nullptr;
  }
  TkvContainer::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FRepositoryItem) SetRepositoryItem(nullptr);
}

// ---- Repository item -----------------------------------------------------------------------

void TkvCustomEdit::ItemRemoved(TkvEditRepositoryItem* Sender) {
  if (Sender != FRepositoryItem) return;
  Sender->RemoveListener(this);
  FRepositoryItem = nullptr;
}

void TkvCustomEdit::ItemPropertiesChanged(TkvEditRepositoryItem* Sender) {
  if (IsLoadingOrDestroying()) return;
  ApplyPropertiesChange(Sender->GetProperties());
}

bool TkvCustomEdit::CanUseRepositoryItem(TkvEditRepositoryItem* Item) {
  return !Item || Item->GetProperties()->InheritsFrom(FProperties->ClassType());
}

void TkvCustomEdit::SetRepositoryItem(TkvEditRepositoryItem* Value) {
  if (Value == FRepositoryItem) return;
  if (!CanUseRepositoryItem(Value)) throw EkvEditError(ResourceStringText(skvEditRepositoryItemNotAcceptable));
  BeforeRepositoryItemChange();
  if (FRepositoryItem) {
    FRepositoryItem->RemoveListener(this);
    FRepositoryItem->RemoveFreeNotification(this);
  }
  FRepositoryItem = Value;
  if (FRepositoryItem) {
    FRepositoryItem->AddListener(this);
    FRepositoryItem->FreeNotification(this);
    FProperties->AttachDefaultValuesProvider(nullptr);
    InstallPropertiesHandler(false);
    if (!IsLoadingOrDestroying()) ApplyPropertiesChange(FRepositoryItem->GetProperties());
  } else {
    if (!IsLoadingOrDestroying()) InstallPropertiesHandler(true);
    FProperties->AttachDefaultValuesProvider(FDataBinding->GetDefaultValuesProvider());
  }
  AfterRepositoryItemChange();
}

TkvCustomEditProperties* TkvCustomEdit::GetEffectiveProperties() {
  if (!FRepositoryItem) return FProperties.get();
  TkvCustomEditProperties* properties = FRepositoryItem->GetProperties();
  properties->StoreDefaultValuesProvider(FDataBinding->GetDefaultValuesProvider());
  return properties;
}

// ---- Modified state ------------------------------------------------------------------------

void TkvCustomEdit::PopModifiedState() {
  if (FModifiedStack.empty()) return;
  FValueModified = FModifiedStack.back().first;
  FUserEdited = FModifiedStack.back().second;
  FModifiedStack.pop_back();
}

void TkvCustomEdit::SetModifiedFlag(bool Value) {
  FValueModified = Value;
  if (!Value) FUserEdited = false;
}

void TkvCustomEdit::MarkModifiedByUser(bool Value) {
  FUserEdited = Value;
  if (!Value) return;
  FValidated = false;
  FValueModified = true;
}

// ---- Value ---------------------------------------------------------------------------------

void TkvCustomEdit::GetCurrentValue(Variant& Value) {
  if (FFocused && !FValidated && FUserEdited)
    EditingValueToEditValue(Value);
  else
    GetEditValue(Value);
}

void TkvCustomEdit::StoreEditValue(const Variant& Value) {
  if (FKeyboardAction && !RequestEdit()) return;
  TkvCustomEditProperties* properties = GetEffectiveProperties();
  bool changed = properties->CanCompareEditValues() && !EditValuesEqual(Value, FEditValue);
  FEditValue = Value;
  UpdateDisplayFromEditValue();
  if (FKeyboardAction)
    MarkModifiedByUser(true);
  else
    SetModifiedFlag(false);
  if (!changed) return;
  TAliveGuard guard(this);
  RaiseEditValueChanged();
  if (guard.Alive() && !GetEffectiveProperties()->InnerEditReportsChanges()) RaiseChange();
}

void TkvCustomEdit::SetEditValue(const Variant& Value) {
  if (FEditValueChangingLockCount > 0) return;
  LockClick(true);
  try {
    if (!FKeyboardAction || RequestEdit()) StoreEditValue(Value);
  } catch (...) {
    LockClick(false);
    throw;
  }
  LockClick(false);
}

void TkvCustomEdit::AssignResetValue(const Variant& Value) {
  if (FEditValueChangingLockCount == 0 && (!FKeyboardAction || RequestEdit())) StoreEditValue(Value);
}

void TkvCustomEdit::ApplyDisplayValue(const Variant& Value) {
  TAliveGuard guard(this);
  PushModifiedState();
  PutDisplayValue(Value);
  if (guard.Alive()) PopModifiedState();
}

void TkvCustomEdit::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused) {
  GetEffectiveProperties()->MakeDisplayValue(EditValue, DisplayValue, Focused);
}

void TkvCustomEdit::ClearValue() {
  Variant empty;
  GetEmptyValue(empty);
  SetEditValue(empty);
}

void TkvCustomEdit::ResetEditValue() {
  if (!FUserEdited || !GetEffectiveProperties()->RestoresValueOnEscape()) return;
  TkvChangeEventsLock lock(this);
  FUserEdited = false;
  Variant value = FPreviousEditValue;
  if (IsDataStorageBound()) FDataBinding->GetStoredValue(value);
  AssignResetValue(value);
  SetModifiedFlag(true);
  SelectWholeText();
  if (GetEffectiveProperties()->GetImmediatePost() && CanPostValue()) CommitEditValue(false);
}

// ---- Change events -------------------------------------------------------------------------

bool TkvCustomEdit::HasChangeHandler() {
  return FProperties->GetOnChange() || GetEffectiveProperties()->GetOnChange();
}

bool TkvCustomEdit::HasEditValueChangedHandler() {
  return FProperties->GetOnEditValueChanged() || GetEffectiveProperties()->GetOnEditValueChanged();
}

bool TkvCustomEdit::HasValidateHandler() {
  return FProperties->GetOnValidate() || GetEffectiveProperties()->GetOnValidate();
}

void TkvCustomEdit::FireChange() {
  TAliveGuard guard(this);
  FProperties->GetOnChange()(this);
  if (guard.Alive() && FRepositoryItem) FRepositoryItem->GetProperties()->GetOnChange()(this);
}

void TkvCustomEdit::FireEditValueChanged() {
  TAliveGuard guard(this);
  FProperties->GetOnEditValueChanged()(this);
  if (guard.Alive() && FRepositoryItem) FRepositoryItem->GetProperties()->GetOnEditValueChanged()(this);
}

void TkvCustomEdit::FireClosePopup(TkvEditCloseUpReason Reason) {
  TAliveGuard guard(this);
  FProperties->GetOnPopupClosed()(this, Reason);
  if (guard.Alive() && FRepositoryItem) FRepositoryItem->GetProperties()->GetOnPopupClosed()(this, Reason);
}

void TkvCustomEdit::FirePreservingModified(void (TkvCustomEdit::*Fire)()) {
  if (!FInplace) return (this->*Fire)();
  PushModifiedState();
  FValueModified = FUserEdited = true;
  TAliveGuard guard(this);
  try {
    (this->*Fire)();
  } catch (...) {
    if (guard.Alive()) PopModifiedState();
    throw;
  }
  if (guard.Alive()) PopModifiedState();
}

void TkvCustomEdit::RaiseChange() {
  if (IsLoadingOrDestroying()) return;
  TAliveGuard guard(this);
  if (HasChangeHandler()) {
    if (FChangeEventsCatcher->IsLocked())
      FChangeEventsCatcher->PendingChange = true;
    else
      FirePreservingModified(&TkvCustomEdit::FireChange);
  }
  if (!guard.Alive()) return;
  TkvCustomEditProperties* properties = GetEffectiveProperties();
  if (!properties->InnerEditReportsChanges() && !properties->CanCompareEditValues()) RaiseEditValueChanged();
}

void TkvCustomEdit::RaiseEditValueChanged() {
  if (IsLoadingOrDestroying() || !HasEditValueChangedHandler()) return;
  if (FChangeEventsCatcher->IsLocked()) {
    FChangeEventsCatcher->PendingEditValueChanged = true;
    return;
  }
  FirePreservingModified(&TkvCustomEdit::FireEditValueChanged);
}

void TkvCustomEdit::NotifyUserChange() {
  MarkModifiedByUser(true);
  if (FClickLockCount == 0) Click();
}

void TkvCustomEdit::Click() {
  if (IsBeingDestroyed() || FClickLockCount > 0) return;
  if (GetComponentState().Contains(csLoading) && !ClicksWhileLoading()) return;
  TkvContainer::Click();
}

bool TkvCustomEdit::ExecuteAction(TBasicAction* Action) {
  return TkvContainer::ExecuteAction(Action) || FDataBinding->ExecuteAction(Action);
}

bool TkvCustomEdit::UpdateAction(TBasicAction* Action) {
  return TkvContainer::UpdateAction(Action) || FDataBinding->UpdateAction(Action);
}

void TkvCustomEdit::HandleInnerEditChange() {
  if (FFocused)
    MarkModifiedByUser(true);
  else if (!GetEffectiveProperties()->IsNotifyingChange())
    FDataBinding->SetModified();
  RaiseChange();
}

// ---- Editing and validation ----------------------------------------------------------------

bool TkvCustomEdit::ModificationAllowed() {
  TkvCustomEditProperties* properties = GetEffectiveProperties();
  if (FInplace) return properties->CanModify();
  if (properties->IsReadOnlyStored()) return !properties->GetReadOnly();
  IkvEditDefaultValuesProvider* provider = FDataBinding->GetDefaultValuesProvider();
  return provider->ProvidedCanModify() && provider->CanEnterEditMode();
}

bool TkvCustomEdit::RequestEdit() {
  if (!EditingAllowed()) return false;
  if (FDataBinding->IsEditing()) return true;
  bool allowed = ModificationAllowed();
  if (!allowed) return false;
  TAliveGuard guard(this);
  // Cleared on the way out only while the editor lives: OnEditing may free it.
  struct TFlag {
    bool& flag;
    const TAliveGuard& alive;
    TFlag(bool& f, const TAliveGuard& a) : flag(f), alive(a) { flag = true; }
    ~TFlag() {
      if (alive.Alive()) flag = false;
    }
  } requesting(FRequestingEdit, guard);
  auto fireEditing = [&] {
    LockEditValueChanging(true);
    try {
      FOnEditing(this, allowed);
    } catch (...) {
      if (guard.Alive()) LockEditValueChanging(false);
      throw;
    }
    if (guard.Alive()) LockEditValueChanging(false);
  };
  if (FInplace) {
    fireEditing();
    return allowed && guard.Alive();
  }
  if (!FDataBinding->IsModified()) {
    fireEditing();
    if (!guard.Alive() || !allowed) return false;
    LockEditValueChanging(true);
    allowed = FDataBinding->SetEditMode();
    LockEditValueChanging(false);
    return allowed;
  }
  fireEditing();
  if (guard.Alive() && allowed) FDataBinding->SetModified();
  return allowed && guard.Alive();
}

void TkvCustomEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                TkvCustomEdit* Editor) {
  if (!CanValidate()) return;
  if (ErrorText.empty()) ErrorText = DefaultValidationErrorText(0);
  bool changed = false;
  RunOnValidate(DisplayValue, ErrorText, changed, Editor, Error);
}

void TkvCustomEditProperties::RunOnValidate(Variant& DisplayValue, String& ErrorText, bool& Changed,
                                            TkvCustomEdit* Editor, bool& Error) {
  Changed = false;
  if (!Editor->HasValidateHandler()) return;
  Variant saved = DisplayValue;
  TAliveGuard guard(Editor);
  Editor->GetProperties()->GetOnValidate()(Editor, DisplayValue, ErrorText, Error);
  if (!guard.Alive()) return;
  if (TkvEditRepositoryItem* item = Editor->GetRepositoryItem())
    item->GetProperties()->GetOnValidate()(Editor, DisplayValue, ErrorText, Error);
  if (!guard.Alive() || !Error) return;
  Changed = VarToStr(DisplayValue) != VarToStr(saved);
  if (Changed) return;
  String text;
  Editor->ReadDisplayText(text);
  DisplayValue = text;
}

bool TkvCustomEdit::RunValidation(bool Raise) {
  if (!FUserEdited || FValidated || FValidationLockCount != 0) return true;
  TAliveGuard guard(this);
  FValidating = true;
  String text;
  ReadDisplayText(text);
  Variant displayValue = text;
  String errorText;
  bool error = false;
  try {
    TkvCustomEditProperties* properties = GetEffectiveProperties();
    if (properties->CanValidate()) properties->CheckDisplayValue(displayValue, errorText, error, this);
    if (!guard.Alive()) return false;
    if (error) {
      auto reloadText = [&] {
        String current;
        ReadDisplayText(current);
        if (current == VarToStr(displayValue)) return;
        SetDisplayValue(displayValue);
        if (!GetVisible()) return;
        SelectWholeText();
        if (!InnerEditDisplaysValue()) RefreshDisplayText();
      };
      if (Raise) {
        try {
          HandleValidationError(errorText, true);
          if (guard.Alive()) Application()->ProcessMessages();
        } catch (...) {
          if (guard.Alive()) {
            reloadText();
            FValidating = false;
          }
          throw;
        }
      }
      if (!guard.Alive()) return false;
      reloadText();
    } else if (FKeyboardAction && !RequestEdit()) {
      if (guard.Alive()) FValidating = false;
      return true;
    } else if (guard.Alive()) {
      ApplyDisplayValue(displayValue);
      if (!guard.Alive()) return true;
      if (!FInplace && !FFocused) MarkModifiedByUser(false);
      FValidated = true;
    }
  } catch (...) {
    if (guard.Alive()) FValidating = false;
    throw;
  }
  if (guard.Alive()) FValidating = false;
  return !error;
}

void TkvCustomEdit::HandleValidationError(const String& ErrorText, bool Abort) {
  if (!CanFocus()) {
    FValidated = true;
  } else if (GetVisible()) {
    if (!Focused()) {
      FValidationErrorProcessing = true;
      TAliveGuard guard(this);
      try {
        InnerOrSelf()->SetFocus();
      } catch (...) {
        if (guard.Alive()) FValidationErrorProcessing = false;
        throw;
      }
      if (!guard.Alive()) return;
      FValidationErrorProcessing = false;
    }
    SelectWholeText();
  }
  if (GetEffectiveProperties()->GetBeepOnError()) MessageBeep(0);
  if (!ErrorText.empty()) throw EkvEditValidationError(ErrorText);
  if (Abort) throw EAbort("");
}

bool TkvCustomEdit::CanPostValue() {
  return !GetComponentState().Contains(csDesigning) && FDataBinding->IsEditing();
}

void TkvCustomEdit::CommitEditValue(bool ValidateFirst) {
  if (ValidateFirst) {
    bool keyboard = FKeyboardAction;
    FKeyboardAction = false;
    bool valid;
    try {
      valid = RunValidation(true);
    } catch (...) {
      FKeyboardAction = keyboard;
      throw;
    }
    FKeyboardAction = keyboard;
    if (!valid) return;
  }
  TAliveGuard guard(this);
  BeginPosting();
  try {
    if (FInplace) {
      FOnPostValue(this);
      if (guard.Alive()) SetModifiedFlag(false);
    } else if (FDataBinding->IsEditing()) {
      Variant value;
      GetEditValue(value);
      FDataBinding->SetStoredValue(value);
    }
  } catch (Exception& error) {
    if (!guard.Alive()) throw;
    EndPosting();
    // The value did not reach its host: keep it marked as the user's, and say why.
    if (FInplace) {
      FValueModified = FUserEdited = true;
      return HandleValidationError(error.Message(), false);
    }
    HandleValidationError(String(), false);
    throw;
  }
  if (guard.Alive()) EndPosting();
}

bool TkvCustomEdit::ValidateForPost() {
  FDoubleClickTimer->SetEnabled(false);
  FKeyboardAction = false;
  bool valid = RunValidation(true);
  if (valid) {
    UpdateDisplayFromEditValue();
    FValidated = true;
  }
  return valid;
}

void TkvCustomEdit::ApplyPropertiesChange(TObject*) {
  FValidated = false;
  if (FInnerEdit && !InnerEditMissing()) FInnerEdit->SetInnerReadOnly(IsEffectivelyReadOnly());
  if (FUserEdited && IsEffectivelyReadOnly()) MarkModifiedByUser(false);
  if (GetEffectiveProperties()->GetTransparent()) SetTransparent(true);
  RefreshView();
}

bool TkvCustomEdit::IsEffectivelyReadOnly() {
  return GetEffectiveProperties()->GetReadOnly() || !FDataBinding->HasData();
}

void TkvCustomEdit::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  RefreshView();
  Invalidate();
}

bool TkvCustomEdit::CanResetValue() {
  return IsDataStorageBound() || GetEffectiveProperties()->RestoresValueOnEscape();
}

bool TkvCustomEdit::PrefersEditFormat() {
  return !GetEffectiveProperties()->UsesDisplayFormatOutsideFocus() || Focused();
}

bool TkvCustomEdit::MouseWheelAllowed(TShiftState Shift) {
  return !FInplace || GetEffectiveProperties()->GetMouseWheelInPlace() || Shift.Contains(ssCtrl);
}

TkvContainerStyleValues TkvCustomEdit::GetHiddenStyleValues() {
  return TkvContainerStyleValues{10, 11, 12, 13, 14, 15};
}

bool TkvCustomEdit::IsChildWindowHandle(HWND Window) { return BelongsToPopupsOf(this, Window); }

// ---- Buttons and keys ----------------------------------------------------------------------

Integer TkvCustomEdit::DefaultButtonIndex() {
  TkvEditButtons* buttons = GetEffectiveProperties()->GetButtons();
  Integer visible = 0;
  for (Integer i = 0; i < buttons->GetCount(); ++i) {
    TkvEditButton* button = buttons->GetButton(i);
    if (!button->GetVisible()) continue;
    if (button->GetDefault()) return visible;
    ++visible;
  }
  return -1;
}

void TkvCustomEdit::ClickDefaultButton() {
  Integer index = DefaultButtonIndex();
  if (index >= 0) ButtonClick(index);
}

void TkvCustomEdit::ButtonClick(Integer VisibleIndex) {
  TkvEditButtons* buttons = GetEffectiveProperties()->GetButtons();
  Integer collectionIndex = -1;
  for (Integer i = 0, visible = 0; i < buttons->GetCount(); ++i) {
    if (!buttons->GetButton(i)->GetVisible()) continue;
    if (visible++ == VisibleIndex) {
      collectionIndex = i;
      break;
    }
  }
  if (collectionIndex < 0) return;
  TAliveGuard guard(this);
  FProperties->GetOnButtonClick()(this, collectionIndex);
  if (guard.Alive() && FRepositoryItem) FRepositoryItem->GetProperties()->GetOnButtonClick()(this, collectionIndex);
}

bool TkvCustomEdit::IsClickKey(Word Key, TShiftState Shift) {
  return DefaultButtonIndex() >= 0 && ShortCut(Key, Shift) == GetEffectiveProperties()->GetClickKey();
}

bool TkvCustomEdit::IsClearOrClickKey(Word Key, TShiftState Shift) {
  return ShortCut(Key, Shift) == GetEffectiveProperties()->GetClearKey() || IsClickKey(Key, Shift);
}

bool TkvCustomEdit::IsCharAllowed(Char Character) {
  IkvEditDefaultValuesProvider* provider = GetEffectiveProperties()->GetDefaultValuesProvider();
  return !provider || provider->IsValidChar(Character) || provider->HasSetTextHandler();
}

bool TkvCustomEdit::CanProcessKey(Word Key, TShiftState Shift) {
  return FDataBinding->IsEditing() || !IsModifyingKey(Key, Shift) || RequestEdit();
}

bool TkvCustomEdit::CheckCharForEdit(Char& Character) {
  if (static_cast<unsigned char>(Character) >= 32 && !IsCharAllowed(Character)) {
    Character = 0;
    MessageBeep(0);
  } else if (!FDataBinding->IsEditing() && IsModifyingChar(Character) && !RequestEdit()) {
    Character = 0;
  }
  return Character != 0;
}

void TkvCustomEdit::FireKeyDownUnhandled(Word& Key, TShiftState Shift) { FOnKeyDownUnhandled(this, Key, Shift); }

void TkvCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  FValueResetting = false;
  TAliveGuard guard(this);
  if (!IsClickKey(Key, Shift)) TkvContainer::KeyDown(Key, Shift);
  if (!guard.Alive() || Key == 0) return;
  HandleKeyDown(Key, Shift);
  if (guard.Alive() && Key != 0 && RefiresKeyDownEvent(Key, Shift)) FireKeyDownUnhandled(Key, Shift);
}

void TkvCustomEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
  if (Key == 0) return;
  TkvCustomEditProperties* properties = GetEffectiveProperties();
  TShortCut shortcut = ShortCut(Key, Shift);
  TAliveGuard guard(this);
  if (properties->GetClearKey() != 0 && shortcut == properties->GetClearKey()) {
    {
      TkvChangeEventsLock lock(this);
      bool keyboard = FKeyboardAction;
      FKeyboardAction = true;
      Variant empty;
      GetEmptyValue(empty);
      try {
        AssignResetValue(empty);
      } catch (...) {
        if (guard.Alive()) FKeyboardAction = keyboard;
        throw;
      }
      FKeyboardAction = keyboard;
      FValidated = true;
    }
    Key = 0;
    return;
  }
  if (DefaultButtonIndex() >= 0 && shortcut == properties->GetClickKey()) {
    MSG pending;
    // The key's character goes to the window with the focus: the inner edit when there is one.
    if (HandleAllocated() && InnerOrSelf()->HandleAllocated())
      PeekMessage(&pending, InnerOrSelf()->GetHandle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    ClickDefaultButton();
    Key = 0;
    return;
  }
  if (!CanProcessKey(Key, Shift)) {
    if (guard.Alive()) FireKeyDownUnhandled(Key, Shift);
    Key = 0;
    return;
  }
  if (!guard.Alive()) return;
  switch (Key) {
    case VK_TAB:
      // The inner edit holds the focus of an editor that has one.
      if (HasFocusWithin() && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl) && !properties->WantsTabKey()) {
        BeforeTabNavigation(Shift);
        FireKeyDownUnhandled(Key, Shift);
        if (!guard.Alive() || Key == 0) return;
        Key = 0;
        // The tab order holds the inner edit in the editor's place while it has the focus, or the
        // editor's own control that has it (a radio group's checked button).
        TWinControl* current = InnerOrSelf();
        if (TWinControl* focused = FindControl(GetFocus()); focused && focused != this && ContainsControl(focused))
          current = focused;
        if (TCustomForm* form = GetParentForm()) form->SelectNext(current, !Shift.Contains(ssShift), true);
        if (guard.Alive() && HandleAllocated() && GetFocus() == GetHandle() && InnerOrSelf() != this)
          InnerOrSelf()->SetFocus();
      }
      return;
    case VK_RETURN:
      if (!properties->GetValidateOnEnter()) break;
      Key = 0;
      {
        TkvChangeEventsLock lock(this);
        if (RunValidation(true) && guard.Alive() && CanPostValue()) CommitEditValue(false);
      }
      return;
    case VK_ESCAPE:
      if (!FUserEdited || !CanResetValue()) break;
      {
        TkvChangeEventsLock lock(this);
        FDataBinding->Reset();
        if (guard.Alive()) SetModifiedFlag(true);
      }
      if (!guard.Alive()) return;
      FValueResetting = true;
      Key = 0;
      return;
    default:
      break;
  }
  if (!KeepsNavigationKeys() && Key >= VK_PRIOR && Key <= VK_DOWN) {
    FireKeyDownUnhandled(Key, Shift);
    Key = 0;
  }
}

void TkvCustomEdit::KeyPress(Char& Key) {
  if (Key == 27 && FValueResetting) {
    FValueResetting = false;
    Key = 0;
    return;
  }
  TAliveGuard guard(this);
  TkvContainer::KeyPress(Key);
  if (guard.Alive() && Key != 0) HandleKeyPress(Key);
}

void TkvCustomEdit::HandleKeyPress(Char& Character) { CheckCharForEdit(Character); }

void TkvCustomEdit::KeyUp(Word& Key, TShiftState Shift) {
  TAliveGuard guard(this);
  TkvContainer::KeyUp(Key, Shift);
  if (guard.Alive() && Key != 0) HandleKeyUp(Key, Shift);
}

void TkvCustomEdit::CMDialogChar(TMessage& Message) {
  TkvEditButtons* buttons = GetEffectiveProperties()->GetButtons();
  for (Integer i = 0, visible = 0; i < buttons->GetCount(); ++i) {
    TkvEditButton* button = buttons->GetButton(i);
    if (!button->GetVisible()) continue;
    if (button->GetEnabled() && IsAccel(static_cast<Word>(Message.WParam), button->GetCaption())) {
      ButtonClick(visible);
      Message.Result = 1;
      return;
    }
    ++visible;
  }
  TkvContainer::DefaultHandler(Message);
}

void TkvCustomEdit::WMCopy(TMessage&) { ClipboardCopy(); }

void TkvCustomEdit::WMCut(TMessage&) {
  bool keyboard = FKeyboardAction;
  FKeyboardAction = true;
  TAliveGuard guard(this);
  try {
    if (IsEffectivelyReadOnly())
      ClipboardCopy();
    else
      ClipboardCut();
  } catch (...) {
    if (guard.Alive()) FKeyboardAction = keyboard;
    throw;
  }
  if (guard.Alive()) FKeyboardAction = keyboard;
}

void TkvCustomEdit::WMPaste(TMessage&) {
  if (IsEffectivelyReadOnly()) return;
  bool keyboard = FKeyboardAction;
  FKeyboardAction = true;
  TAliveGuard guard(this);
  try {
    ClipboardPaste();
  } catch (...) {
    if (guard.Alive()) FKeyboardAction = keyboard;
    throw;
  }
  if (guard.Alive()) FKeyboardAction = keyboard;
}

void TkvCustomEdit::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_CONTEXTMENU && FInplace) return;
  TkvContainer::DefaultHandler(Message);
}

void TkvCustomEdit::GetTabOrderList(std::vector<TWinControl*>& List) {
  TkvContainer::GetTabOrderList(List);
  // The inner edit takes the focus through its editor: Tab moves past both. While it has the
  // focus it stands in the editor's place, so that Tab finds where to go on from.
  const bool standsIn = std::find(List.begin(), List.end(), static_cast<TWinControl*>(this)) == List.end();
  if (TWinControl* inner = GetInnerControl(); inner && !standsIn) std::erase(List, inner);
  if (FInplace && GetVisible()) std::erase(List, GetParent());
}

// ---- Focus ---------------------------------------------------------------------------------

bool TkvCustomEdit::HasFocusWithin() {
  if (Focused()) return true;
  TCustomForm* form = GetParentForm();
  return form && (form->GetActiveControl() == this || form->GetActiveControl() == InnerOrSelf());
}

void TkvCustomEdit::DoEnter() {
  if (IsBeingDestroyed()) return;
  if (!FValidationErrorProcessing) HandleEnter();
  RefreshView();
}

void TkvCustomEdit::HandleEnter() {
  PushModifiedState();
  TAliveGuard guard(this);
  TkvContainer::DoEnter();
  if (!guard.Alive()) return;
  if (RefreshesDisplayOnFocusChange()) FDataBinding->UpdateDisplayValue();
  if (GetEffectiveProperties()->RestoresValueOnEscape()) GetEditValue(FPreviousEditValue);
  if (RefreshesDisplayOnFocusChange()) UpdateDisplayFromEditValue();
  PopModifiedState();
  FUserEdited = false;
}

void TkvCustomEdit::DoExit() {
  bool keyboard = FKeyboardAction;
  FKeyboardAction = false;
  TAliveGuard guard(this);
  auto restore = [&] {
    if (guard.Alive()) FKeyboardAction = keyboard;
  };
  if (IsBeingDestroyed() || FValidationErrorProcessing) return restore();
  PushModifiedState();
  try {
    bool valid;
    {
      TkvChangeEventsLock lock(this);
      valid = RunValidation(true);
      if (valid && guard.Alive() && !FInplace && CanPostValue()) CommitEditValue(false);
    }
    if (!guard.Alive()) return;
    if (RefreshesDisplayOnFocusChange()) FDataBinding->UpdateDisplayValue();
    RefreshDisplayText();
    RefreshView();
  } catch (...) {
    if (guard.Alive()) {
      PopModifiedState();
      restore();
    }
    throw;
  }
  PopModifiedState();
  try {
    TkvContainer::DoExit();
  } catch (...) {
    if (guard.Alive()) {
      MarkModifiedByUser(false);
      restore();
    }
    throw;
  }
  if (!guard.Alive()) return;
  MarkModifiedByUser(false);
  restore();
}

void TkvCustomEdit::FireFocusChanged() {
  if (IsBeingDestroyed() || FValidationErrorProcessing) return;
  bool focused = Focused() && Application()->GetActive();
  if (focused == FFocused) return;
  FFocused = focused;
  TAliveGuard guard(this);
  TkvContainer::FireFocusChanged();
  if (guard.Alive()) HandleFocusChanged();
}

void TkvCustomEdit::HandleFocusChanged() {
  RefreshDisplayText();
  TCustomForm* form = GetParentForm();
  bool closing = form && !form->GetVisible() && form->GetFormState().Contains(fsModal) &&
                 form->GetModalResult() != mrNone && form->GetModalResult() != mrCancel;
  bool alone = !FFocused && HandleAllocated() && form && GetFocus() &&
               TopLevelAncestorWindow(GetFocus()) == TopLevelAncestorWindow(GetHandle());
  if (closing || alone) RunValidation(false);
}

// ---- Unit routines -------------------------------------------------------------------------

TShiftState MouseButtonShiftBit(TMouseButton Button) {
  switch (Button) {
    case mbLeft:
      return TShiftState{ssLeft};
    case mbRight:
      return TShiftState{ssRight};
    default:
      return TShiftState{ssMiddle};
  }
}

TShiftState ButtonCodeShiftBit(Integer Code) {
  switch (Code) {
    case 1:
      return TShiftState{ssLeft};
    case 2:
      return TShiftState{ssRight};
    case 3:
      return TShiftState{ssMiddle};
    default:
      return TShiftState{};
  }
}

void EnlargeSize(TSize& Size, const TSize& Other) {
  Size.cx = std::max(Size.cx, Other.cx);
  Size.cy = std::max(Size.cy, Other.cy);
}

bool EditValuesEqual(const Variant& A, const Variant& B) {
  bool comparable = (VarIsNumericOrBcd(A) && VarIsNumericOrBcd(B)) || A.VType() == B.VType();
  return comparable && VarEqualsLoose(A, B);
}

bool VarSameTypeAndValue(const Variant& A, const Variant& B) {
  return A.VType() == B.VType() && VarEqualsLoose(A, B);
}

TkvLookAndFeelKind EditLookAndFeelKind(TkvCustomEdit* Edit) {
  if (Edit->IsInplace()) return Edit->GetEditStyle()->GetLookAndFeel()->GetKind();
  TkvCustomEditViewInfo* info = Edit->GetEditViewInfo();
  if (!info || info->ButtonCount() == 0) return lfStandard;
  return KindOfButtonStyle(info->Buttons[0]->ButtonStyle);
}

void SendKeyDownToEdit(TkvCustomEdit* Edit, Word Key) {
  if (Edit->HandleAllocated()) SendMessage(Edit->GetHandle(), WM_KEYDOWN, Key, 0);
}

void SendCharToEdit(TkvCustomEdit* Edit, Char Character) {
  if (Edit->HandleAllocated())
    SendMessage(Edit->GetHandle(), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(Character)), 0);
}

bool IsBlankChar(Char Character) {
  switch (Character) {
    case 0:
    case 9:
    case 10:
    case 12:
    case 13:
    case ' ':
      return true;
    default:
      return false;
  }
}
