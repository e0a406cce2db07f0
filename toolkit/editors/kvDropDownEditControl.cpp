// The drop-down editor: the popup's life cycle (opening through a posted show message, keys and
// clicks while it is open, closing with a reason, posting), and what the popup asks of its editor.

#include <algorithm>

#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvVariants.h"
#include "toolkit/foundation/kvControls.h"
#include "user/Input.h"
#include "user/Rects.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL(TkvCustomDropDownEdit)

TAVREN_MESSAGE_TABLE(TkvCustomDropDownEdit, MESSAGE_HANDLER(CM_HINTSHOW, CMHintShow),
                     MESSAGE_HANDLER(CM_BIDIMODECHANGED, CMBiDiModeChanged),
                     MESSAGE_HANDLER(KVM_SYNCLOOKUP, KVMSyncLookup))

namespace {

// Change events wait for the length of a scope; the editor may be freed meanwhile.
class TChangeEventsHold {
 public:
  explicit TChangeEventsHold(TkvCustomEdit* Edit) : FEdit(Edit) { Edit->LockChangeEvents(true); }
  ~TChangeEventsHold() noexcept(false) {
    if (!FEdit) return;
    if (std::uncaught_exceptions() == FExceptions) {
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
  int FExceptions = std::uncaught_exceptions();
};

}  // namespace

TkvCustomDropDownEdit::TkvCustomDropDownEdit(TComponent* AOwner, bool AInplace,
                                             TkvCustomEditPropertiesClass APropertiesClass,
                                             TClassOf<TWinControl> AInnerEditClass)
    : TkvCustomMaskEdit(AOwner, AInplace, APropertiesClass, AInnerEditClass) {
  if (!GetComponentState().Contains(csDesigning)) MakePopupWindow();
  FPopupControlsLookAndFeel = std::make_unique<TkvEditPopupControlLookAndFeel>(this);
  FPopupControlsLookAndFeel->SetOnChanged(MakeEvent<&TkvCustomDropDownEdit::PopupControlsLookAndFeelChanged>(this));
}

void TkvCustomDropDownEdit::BeforeDestruction() {
  CancelPendingPopup();
  if (IkvTextEditLookupData* lookup = GetLookupDataIntf()) lookup->EditorDestroying();
  if (FPopupWindow) {
    // The editor is going: the popup tells it nothing more, and its hosted controls go back.
    FPopupWindow->SetOnClosed({});
    FPopupWindow->SetOnClosing({});
    FPopupWindow->SetOnShown({});
    FPopupWindow->SetOnShowing({});
    FPopupWindow->SetOnCloseQuery({});
    FPopupWindow->Dismiss();
    // A parent frees its children: what the popup shows (the lookup's list) belongs elsewhere.
    while (FPopupWindow->GetControlCount() > 0) FPopupWindow->GetControls(0)->SetParent(nullptr);
    // Freed while the editor is whole: the popup's window asks its owner things as it goes.
    FPopupWindow.reset();
  }
  TkvCustomMaskEdit::BeforeDestruction();
}

TkvCustomDropDownEdit::~TkvCustomDropDownEdit() { FPopupControlsLookAndFeel.reset(); }

void TkvCustomDropDownEdit::MakePopupWindow() {
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  FPopupWindow.reset(properties->PopupWindowClass().Create(this));
  FPopupWindow->SetCaptureFocus(properties->PopupTakesFocus());
  FPopupWindow->SetTopmostRequest(!IsInplace());
  FPopupWindow->GetStyle()->GetLookAndFeel()->AttachToMaster(GetStyle()->GetLookAndFeel());
  FPopupWindow->SetBiDiMode(GetBiDiMode());
  FPopupWindow->SetOnClosed(MakeEvent<&TkvCustomDropDownEdit::AfterPopupClose>(this));
  FPopupWindow->SetOnCloseQuery(MakeEvent<&TkvCustomDropDownEdit::AskCloseQuery>(this));
  FPopupWindow->SetOnClosing(MakeEvent<&TkvCustomDropDownEdit::BeforePopupClosing>(this));
  FPopupWindow->SetOnShowing(MakeEvent<&TkvCustomDropDownEdit::BeforePopupShowing>(this));
  FPopupWindow->SetOnShown(MakeEvent<&TkvCustomDropDownEdit::AfterPopupShow>(this));
}

// ---- What the popup asks ---------------------------------------------------------------------

TRect TkvCustomDropDownEdit::PopupOwnerBounds() { return GetBoundsRect(); }

void TkvCustomDropDownEdit::MeasurePopupContent(Integer& Width, Integer& Height) {
  Width = 0;
  Height = 0;
}

void TkvCustomDropDownEdit::PositionPopupContent(const TRect& R) {
  if (IkvTextEditLookupData* lookup = PopupLookup()) lookup->PlaceList(R);
}

TkvLookAndFeelKind TkvCustomDropDownEdit::PopupControlsLookAndFeelKind() {
  return FPopupControlsLookAndFeel ? FPopupControlsLookAndFeel->EffectiveKind() : lfStandard;
}

TkvCustomLookAndFeelPainterClass TkvCustomDropDownEdit::PopupSkinPainter() {
  return FPopupWindow ? FPopupWindow->GetStyle()->GetLookAndFeel()->EffectiveSkinPainter() : nullptr;
}

IkvTextEditLookupData* TkvCustomDropDownEdit::PopupLookup() {
  return DropDownProperties()->ShowsLookupInPopup() ? GetLookupDataIntf() : nullptr;
}

bool TkvCustomDropDownEdit::PopupShowsLookupList() { return PopupLookup() != nullptr; }

bool TkvCustomDropDownEdit::PopupListResizable(TSize&, const TSize&) {
  IkvTextEditLookupData* lookup = PopupLookup();
  return lookup && lookup->ListResizable();
}

void TkvCustomDropDownEdit::PopupSizeChangedByUser() {
  FPopupSizeChanged = true;
  FPopupSizeChangedByMouse = true;
}

// ---- State -----------------------------------------------------------------------------------

bool TkvCustomDropDownEdit::IsPopupOpen() { return FPopupWindow && IsVisiblePopup(FPopupWindow.get()); }

bool TkvCustomDropDownEdit::Focused() { return TkvCustomMaskEdit::Focused() || IsPopupOpen(); }

TkvCustomEditViewData* TkvCustomDropDownEdit::MakeViewData() {
  TkvCustomEditViewData* data = TkvCustomMaskEdit::MakeViewData();
  if (auto* dropDown = dynamic_cast<TkvCustomDropDownEditViewData*>(data)) {
    dropDown->HasPopupWindow = IsPopupOpen();
    dropDown->IsHotAndPopup = FHotAndOpen;
  }
  return data;
}

TkvContainerStyleValues TkvCustomDropDownEdit::GetHiddenStyleValues() {
  TkvContainerStyleValues values = TkvCustomMaskEdit::GetHiddenStyleValues();
  // The drop-down editors use the button and popup values.
  for (TkvContainerStyleValue v = svButtonStyle; v <= svGradientButtons; ++v) values.Exclude(v);
  return values;
}

void TkvCustomDropDownEdit::ApplyStyle(TObject* Style) {
  if (HandleAllocated() && FPopupControlsLookAndFeel) FPopupControlsLookAndFeel->Recheck();
  TkvCustomMaskEdit::ApplyStyle(Style);
}

void TkvCustomDropDownEdit::UpdateHotAndOpen() {
  FHotAndOpen = IsPopupOpen() && GetViewInfo()->ContainerState.Contains(csHot);
}

bool TkvCustomDropDownEdit::CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift,
                                                bool IsMouseEvent) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  bool result = TkvCustomMaskEdit::CalculateViewInfoAt(P, Button, Shift, IsMouseEvent);
  if (!self) return result;
  if (IsPopupOpen() && IsMouseEvent && Shift.Contains(ssLeft) && GetEditViewInfo()->PressedButton == -1) {
    EndPopup(pcrNone);
    if (!self) return result;
  }
  if (IsMouseEvent && !Shift.Contains(ssRight)) UpdateHotAndOpen();
  if (FPopupControlsLookAndFeel) FPopupControlsLookAndFeel->Recheck();
  return result;
}

void TkvCustomDropDownEdit::CMHintShow(TMessage& Message) {
  if (IsPopupOpen()) {
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TkvCustomDropDownEdit::CMBiDiModeChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (FPopupWindow) FPopupWindow->SetBiDiMode(GetBiDiMode());
}

// ---- Window ----------------------------------------------------------------------------------

void TkvCustomDropDownEdit::CreateHandle() {
  TkvCustomMaskEdit::CreateHandle();
  InitLookupVisualArea();
}

void TkvCustomDropDownEdit::DestroyWnd() {
  if (FPopupWindow) {
    TWeakRef<TkvCustomDropDownEdit> self(this);
    EndPopup(pcrNone);
    if (!self) return;
    ReleasePopup();
    if (!self) return;
    if (FPopupWindow->HandleAllocated()) FPopupWindow->DestroyPopupHandle();
  }
  TkvCustomMaskEdit::DestroyWnd();
}

void TkvCustomDropDownEdit::InitLookupVisualArea() {
  if (GetComponentState().Contains(csDesigning) || !FPopupWindow) return;
  if (IkvTextEditLookupData* lookup = PopupLookup()) lookup->PrepareList(FPopupWindow.get());
}

// ---- Opening ---------------------------------------------------------------------------------

bool TkvCustomDropDownEdit::HasShowMessageQueued() {
  if (!FPopupWindow || !FPopupWindow->HandleAllocated()) return false;
  MSG msg;
  return PeekMessage(&msg, FPopupWindow->GetHandle(), KVM_POPUPPRESENT, KVM_POPUPPRESENT, PM_NOREMOVE);
}

void TkvCustomDropDownEdit::SetPopupOpen(bool Open) {
  if (!Open) {
    EndPopup(pcrNone);
    return;
  }
  if (IsPopupOpen() || HasShowMessageQueued()) return;
  OpenPopup();
}

void TkvCustomDropDownEdit::FirePropertiesEvent(TNotifyEvent (TkvCustomDropDownEditProperties::*Getter)() const) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  (static_cast<TkvCustomDropDownEditProperties*>(GetProperties())->*Getter)()(this);
  if (self && GetRepositoryItem()) (DropDownProperties()->*Getter)()(this);
}

void TkvCustomDropDownEdit::PreparePopup() {
  if (!FPopupPrepared) {
    FPopupPrepared = true;
    TWeakRef<TkvCustomDropDownEdit> self(this);
    try {
      FirePropertiesEvent(&TkvCustomDropDownEditProperties::GetOnInitPopup);
    } catch (...) {
      if (self) FPopupPrepared = false;
      throw;
    }
    if (!self) return;
  }
  if (IkvTextEditLookupData* lookup = PopupLookup()) lookup->BeforeListShown();
}

void TkvCustomDropDownEdit::OpenPopup() {
  if (!FPopupWindow || !HandleAllocated() || !IsWindowVisible(GetHandle())) return;
  TWeakRef<TkvCustomDropDownEdit> self(this);
  PreparePopup();
  if (!self) return;
  // A handler may have closed the form or opened the popup meanwhile.
  if (!FPopupPrepared || IsPopupOpen() || !HandleAllocated() || !IsWindowVisible(GetHandle())) return;
  if (!CanOpenPopup()) {
    ReleasePopup();
    return;
  }
  DisplayPopup();
  if (!self || !FPopupWindow) return;
  TkvCustomEditPopupWindow* popup = FPopupWindow.get();
  popup->HandleNeeded();
  // The show message carries the focus control the popup hands the focus to.
  popup->SetRememberedFocusControl(GetPopupFocusControl());
  PostMessage(popup->GetHandle(), KVM_POPUPPRESENT, 0, 0);
}

TWinControl* TkvCustomDropDownEdit::GetPopupFocusControl() {
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  if (properties->ShowsLookupInPopup() && properties->PopupTakesFocus())
    if (IkvTextEditLookupData* lookup = GetLookupDataIntf())
      if (TWinControl* list = lookup->ListControl()) return list;
  return GetInnerControl();
}

void TkvCustomDropDownEdit::ConfigurePopupWindow() {
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  TkvCustomEditPopupWindow* popup = FPopupWindow.get();
  popup->SetOwnerParent(GetParent());
  popup->SetDirection(properties->GetPopupOpenDirection());
  popup->SetAlignHorz(properties->GetPopupHorzPlacement());
  popup->SetAlignVert(properties->GetPopupVertPlacement());
  popup->SetClientEdge(properties->GetPopupClientEdge());
  popup->SetMinHeight(properties->GetPopupMinHeight());
  popup->SetMinWidth(properties->GetPopupMinWidth());
  popup->SetAutoSize(properties->GetPopupAutoSize());
  popup->SetSizeable(properties->GetPopupSizeable());
  popup->SetSysPanelStyle(properties->GetPopupSysPanelStyle());
  auto* data = dynamic_cast<TkvCustomDropDownEditData*>(GetEditData());
  if (IsInplace() && data && properties->GetPopupSizeable()) {
    popup->SetPopupWidth(data->PopupWidth);
    popup->SetPopupHeight(data->PopupHeight);
  } else {
    popup->SetPopupWidth(properties->GetPopupWidth());
    popup->SetPopupHeight(properties->GetPopupHeight());
  }
  popup->SetShowCloseButton(GetEditStyle()->GetShowPopupCloseButton());
  TkvCustomEditViewInfo* info = GetEditViewInfo();
  popup->SetBorderStyle(info->PopupBorderStyle);
  popup->SetNativeStyle(info->NativeStyle);
  popup->SetShadow(info->Shadow);
}

void TkvCustomDropDownEdit::DisplayPopup() {
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  TWeakRef<TkvCustomDropDownEdit> self(this);
  FPopupWindow->SetCaptureFocus(properties->PopupTakesFocus());
  if (!self) return;
  InitLookupVisualArea();
  ConfigurePopupWindow();
  TkvCustomEditPopupWindow* popup = FPopupWindow.get();
  TPoint p;
  {
    const bool calculating = popup->GetCalculating();
    popup->SetCalculating(true);
    try {
      popup->AdjustToChildren();
      popup->ComputePosition(p);
      popup->FitToWorkArea(p);
    } catch (...) {
      popup->SetCalculating(calculating);
      throw;
    }
    popup->SetCalculating(calculating);
  }
  popup->SetBounds(p.X, p.Y, popup->GetWidth(), popup->GetHeight());
  popup->Relayout();
  PositionPopupContent(popup->GetEditViewInfo()->ClientRect);
  popup->UpdateWindowRegion();
  if (IsWinXPOrLater) {
    if (TCustomForm* form = GetParentForm()) {
      popup->SetAlphaBlend(form->GetAlphaBlend());
      popup->SetAlphaBlendValue(form->GetAlphaBlendValue());
      popup->SetTransparentColor(form->GetTransparentColor());
      popup->SetTransparentColorValue(form->GetTransparentColorValue());
    }
  }
}

void TkvCustomDropDownEdit::AfterPopupShow(TObject*) {
  // The popup has laid out its content just before telling us, and the editor's look for the open
  // state is computed once, after the handlers, by RefreshDisplayText.
  TWeakRef<TkvCustomDropDownEdit> self(this);
  FirePopup();
  if (!self) return;
  RefreshDisplayText();
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  if (IkvTextEditLookupData* lookup = PopupLookup();
      lookup && IsCompletionPending() && properties->GetImmediateDropDown() && properties->PopupTakesFocus())
    lookup->AfterListShown();
  FPopupSizeChangedByMouse = false;
}

void TkvCustomDropDownEdit::FirePopup() {
  FCloseUpReason = pcrNone;
  FirePropertiesEvent(&TkvCustomDropDownEditProperties::GetOnPopup);
}

// ---- Closing ---------------------------------------------------------------------------------

void TkvCustomDropDownEdit::EndPopup(Integer Reason) {
  // Re-entered while closing (a focus change the closing causes, a handler): one closing only.
  if (!IsPopupOpen() || FClosing) return;
  TWeakRef<TkvCustomDropDownEdit> self(this);
  FClosing = true;
  try {
    {
      TChangeEventsHold hold(this);
      if (Reason == pcrTab || Reason == pcrToggle || Reason == pcrAccept) {
        if (IkvTextEditLookupData* lookup = PopupLookup()) {
          const Variant before = lookup->GetCurrentKey();
          LockClick(true);
          try {
            lookup->PickHighlightedRow();
          } catch (...) {
            if (self) LockClick(false);
            throw;
          }
          if (!self) return;
          LockClick(false);
          if (GetValueModified() && !VarEqualsLoose(before, lookup->GetCurrentKey())) NotifyUserChange();
          if (!self) return;
        }
        if (!DropDownProperties()->PostsAfterClose() && GetEffectiveProperties()->GetImmediatePost() &&
            CanPostValue())
          CommitEditValue(true);
        if (!self) return;
      }
    }
    if (!self) return;
    FCloseUpReason = static_cast<TkvPopupCloseReason>(Reason);
    if (FPopupWindow) FPopupWindow->Dismiss();
  } catch (...) {
    if (self) FClosing = false;
    throw;
  }
  if (self) FClosing = false;
}

void TkvCustomDropDownEdit::AfterPopupClose(TObject*) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  if (properties->GetPopupSizeable() && FPopupSizeChangedByMouse && FPopupWindow) {
    auto* data = dynamic_cast<TkvCustomDropDownEditData*>(GetEditData());
    if (IsInplace() && data) {
      data->PopupSizeChanged = true;
      data->PopupWidth = FPopupWindow->GetWidth();
      data->PopupHeight = FPopupWindow->GetHeight();
    } else {
      properties->SetPopupWidth(FPopupWindow->GetWidth());
      properties->SetPopupHeight(FPopupWindow->GetHeight());
    }
  }
  ReleasePopup();
  if (!self) return;
  if (TextProperties()->EditingStyleCode() == kvEditingStrictList) RefreshViewInfo(false);
  if (!self) return;
  FireCloseUp();
  if (!self) return;
  {
    TChangeEventsHold hold(this);
    if (DropDownProperties()->PostsAfterClose() && GetEffectiveProperties()->GetImmediatePost() && CanPostValue() &&
        RunValidation(true) && self)
      CommitEditValue(false);
  }
  if (!self) return;
  RefreshViewInfo(false);
  if (self && !HandleAllocated()) UpdateHotAndOpen();
}

void TkvCustomDropDownEdit::ReleasePopup() {
  if (!FPopupPrepared) return;
  FPopupPrepared = false;
  TWeakRef<TkvCustomDropDownEdit> self(this);
  if (IkvTextEditLookupData* lookup = PopupLookup()) lookup->RehighlightCurrentKey();
  FirePropertiesEvent(&TkvCustomDropDownEditProperties::GetOnPopupReleased);
}

void TkvCustomDropDownEdit::FireCloseUp() {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  FireClosePopup(static_cast<TkvEditCloseUpReason>(FCloseUpReason));
  if (self) FirePropertiesEvent(&TkvCustomDropDownEditProperties::GetOnCloseUp);
}

void TkvCustomDropDownEdit::AskCloseQuery(TObject*, bool& CanClose) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  static_cast<TkvCustomDropDownEditProperties*>(GetProperties())->GetOnCloseQuery()(this, CanClose);
  if (self && GetRepositoryItem()) DropDownProperties()->GetOnCloseQuery()(this, CanClose);
}

void TkvCustomDropDownEdit::CancelPendingPopup() {
  if (!FPopupWindow || !FPopupWindow->HandleAllocated()) return;
  if (DrainMessages(FPopupWindow->GetHandle(), KVM_POPUPPRESENT, KVM_POPUPPRESENT, true)) AfterPopupClose(this);
}

void TkvCustomDropDownEdit::EndInplaceEdit() {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  EndPopup(pcrNone);
  if (!self) return;
  if (auto* data = dynamic_cast<TkvCustomDropDownEditData*>(GetEditData())) data->PopupSizeChanged = FPopupSizeChanged;
  CancelPendingPopup();
}

// ---- Keyboard --------------------------------------------------------------------------------

void TkvCustomDropDownEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  TWeakRef<TkvCustomDropDownEdit> self(this);
  if ((alt && (Key == VK_UP || Key == VK_DOWN)) || (Key == VK_F4 && !alt)) {
    if (IsPopupOpen())
      EndPopup(pcrToggle);
    else
      SetDroppedDown(true);
    Key = 0;
    return;
  }
  if ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt && IsPopupOpen()) {
    SetPopupJustClosed(true);
    const bool keyboard = IsKeyboardAction();
    SetKeyboardAction(true);
    try {
      EndPopup(Key == VK_RETURN && RequestEdit() ? pcrAccept : pcrCancel);
    } catch (...) {
      if (self) SetKeyboardAction(keyboard);
      throw;
    }
    if (!self) return;
    SetKeyboardAction(keyboard);
    if (!IsPopupOpen()) {
      if (Key == VK_ESCAPE) SetCaptureControl(nullptr);
      Key = 0;
    }
    return;
  }
  TkvCustomMaskEdit::HandleKeyDown(Key, Shift);
}

void TkvCustomDropDownEdit::PostReplayChar(Char Ch) {
  if (FPopupWindow && FPopupWindow->HandleAllocated())
    PostMessage(FPopupWindow->GetHandle(), KVM_POPUPREPLAYCHAR, static_cast<Byte>(Ch), 0);
}

void TkvCustomDropDownEdit::HandleKeyPress(Char& Character) {
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  if (static_cast<Byte>(Character) >= 32 && properties->GetImmediateDropDown() && !IsPopupOpen()) {
    TWeakRef<TkvCustomDropDownEdit> self(this);
    SetDroppedDown(true);
    if (!self) return;
    if (properties->PopupTakesFocus() && Character != '\r' && CanOpenPopup() && GetPopupFocusControl()) {
      PostReplayChar(Character);
      Character = 0;
      return;
    }
  }
  TkvCustomMaskEdit::HandleKeyPress(Character);
}

void TkvCustomDropDownEdit::BeforeTabNavigation(TShiftState Shift) {
  if (IsPopupOpen() && DropDownProperties()->GetPostPopupValueOnTab()) EndPopup(pcrTab);
  TkvCustomMaskEdit::BeforeTabNavigation(Shift);
}

bool TkvCustomDropDownEdit::RefiresKeyDownEvent(Word Key, TShiftState Shift) {
  if (TkvCustomMaskEdit::RefiresKeyDownEvent(Key, Shift)) return true;
  if (!IsInplace() || !IsPopupOpen()) return false;
  return Shift.Contains(ssAlt) || Shift.Contains(ssCtrl) || Key < 32 || Key > 255;
}

void TkvCustomDropDownEdit::FireFocusChanged() {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  if (!DropDownProperties()->PopupTakesFocus() && IsPopupOpen()) {
    TWinControl* inner = InnerOrSelf();
    HWND focus = GetFocus();
    const bool innerFocused = inner->HandleAllocated() && focus == inner->GetHandle();
    // Showing the popup passes the focus through it on its way back to the editor.
    const bool inPopup = focus && OwnsWindow(FPopupWindow.get(), focus, true);
    if (!innerFocused && !inPopup) EndPopup(pcrNone);
    if (!self) return;
  }
  TkvCustomMaskEdit::FireFocusChanged();
}

void TkvCustomDropDownEdit::DoExit() {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  EndPopup(pcrNone);
  if (!self) return;
  TkvCustomMaskEdit::DoExit();
}

bool TkvCustomDropDownEdit::ReplaysActivationChar(Char Ch) {
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  return !(properties->GetImmediateDropDown() && properties->PopupTakesFocus() && Ch != '\r');
}

bool TkvCustomDropDownEdit::LookupKeysScroll(bool) {
  // In place the grid's rows take the keys, unless the popup is open.
  return !InnerEditMissing();
}

// ---- Mouse -----------------------------------------------------------------------------------

void TkvCustomDropDownEdit::AfterButtonDown(Integer Index) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  TkvCustomMaskEdit::AfterButtonDown(Index);
  if (!self || Index != DropDownProperties()->DropDownButtonIndex()) return;
  // The press that just closed the popup does not open it again.
  if (FPopupWindow && FPopupWindow->TakeOwnerClick()) return;
  SetDroppedDown(true);
}

void TkvCustomDropDownEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  TkvCustomMaskEdit::MouseDown(Button, Shift, X, Y);
  if (!self || FActivatingByMouse || Button != mbLeft) return;
  const bool justClosed = FPopupWindow && FPopupWindow->TakeOwnerClick();
  if (DropDownProperties()->OpensOnTextClick() && RectHoldsPoint(GetViewInfo()->ClientRect, TPoint(X, Y)) &&
      !IsPopupOpen() && !FHotAndOpen && !justClosed && Focused())
    SetDroppedDown(true);
}

bool TkvCustomDropDownEdit::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (TkvCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  IkvTextEditLookupData* lookup = PopupLookup();
  if (!LookupKeysScroll(true) || !IsPopupOpen() || !lookup || lookup->HasNoItems()) return false;
  if (TWinControl* list = lookup->ListControl())
    _TkvContainerAccess::DoMouseWheel(list, Shift, WheelDelta, MousePos);
  return true;
}

// ---- In place, clipboard, settings -----------------------------------------------------------

void TkvCustomDropDownEdit::InitFromEditData() {
  TkvCustomMaskEdit::InitFromEditData();
  auto* data = dynamic_cast<TkvCustomDropDownEditData*>(GetEditData());
  if (!data || data->Cleared) return;
  FPopupSizeChanged = data->PopupSizeChanged;
}

void TkvCustomDropDownEdit::BeginInplaceEdit(TkvCustomEditData*& Data) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  TkvCustomMaskEdit::BeginInplaceEdit(Data);
  if (!self) return;
  if (auto* data = dynamic_cast<TkvCustomDropDownEditData*>(Data)) {
    if (data->PopupWidth == 0 && data->PopupHeight == 0 && !data->PopupSizeChanged) {
      data->PopupWidth = DropDownProperties()->GetPopupWidth();
      data->PopupHeight = DropDownProperties()->GetPopupHeight();
    }
    FPopupSizeChanged = data->PopupSizeChanged && DropDownProperties()->GetPopupSizeable();
  }
  if (DropDownProperties()->GetImmediatePopup()) SetDroppedDown(true);
}

void TkvCustomDropDownEdit::BeginInplaceEditWithKey(Char Key, TkvCustomEditData*& Data) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  TkvCustomMaskEdit::BeginInplaceEditWithKey(Key, Data);
  if (!self) return;
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  const bool forwarded = ReplaysActivationChar(Key);
  if (static_cast<Byte>(Key) >= 32 && properties->GetImmediateDropDown() && !properties->GetImmediatePopup() &&
      !forwarded) {
    SetDroppedDown(true);
    if (!self) return;
  }
  if (!forwarded && CanOpenPopup() && GetPopupFocusControl()) PostReplayChar(Key);
}

void TkvCustomDropDownEdit::BeginInplaceEditByMouse(TShiftState Shift, Integer X, Integer Y,
                                                    TkvCustomEditData*& Data) {
  TWeakRef<TkvCustomDropDownEdit> self(this);
  FActivatingByMouse = true;
  try {
    TkvCustomMaskEdit::BeginInplaceEditByMouse(Shift, X, Y, Data);
  } catch (...) {
    if (self) FActivatingByMouse = false;
    throw;
  }
  if (self) FActivatingByMouse = false;
}

void TkvCustomDropDownEdit::ApplyPropertiesChange(TObject* Properties) {
  TkvCustomDropDownEditProperties* properties = DropDownProperties();
  if (!properties->GetPopupSizeable()) FPopupSizeChanged = false;
  TWeakRef<TkvCustomDropDownEdit> self(this);
  if (IsPopupOpen()) DisplayPopup();
  if (self) TkvCustomMaskEdit::ApplyPropertiesChange(Properties);
}

void TkvCustomDropDownEdit::ClipboardPaste() {
  if (!Focused()) return TkvCustomMaskEdit::ClipboardPaste();
  TWeakRef<TkvCustomDropDownEdit> self(this);
  const bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  const String before = InnerText();
  try {
    TkvCustomMaskEdit::ClipboardPaste();
  } catch (...) {
    if (self) SetKeyboardAction(keyboard);
    throw;
  }
  if (!self) return;
  SetKeyboardAction(keyboard);
  if (InnerText() == before || !DropDownProperties()->GetImmediateDropDown() || IsPopupOpen()) return;
  SetDroppedDown(true);
  if (self && HandleAllocated() && PopupLookup()) PostMessage(GetHandle(), KVM_SYNCLOOKUP, 0, 0);
}

void TkvCustomDropDownEdit::KVMSyncLookup(TMessage&) { SyncLookupAfterTextChange(); }

void TkvCustomDropDownEdit::SyncLookupAfterTextChange() {
  IkvTextEditLookupData* lookup = PopupLookup();
  if (!lookup || !IsPopupOpen()) return;
  TWeakRef<TkvCustomDropDownEdit> self(this);
  const Variant before = lookup->GetCurrentKey();
  LockClick(true);
  try {
    lookup->EditorTextChanged();
  } catch (...) {
    if (self) LockClick(false);
    throw;
  }
  if (!self) return;
  LockClick(false);
  if (!VarEqualsLoose(before, lookup->GetCurrentKey())) NotifyUserChange();
  if (!self) return;
  const Byte style = TextProperties()->EditingStyleCode();
  if (style == kvEditingFreeText) {
    const String text = InnerText();
    SetCompletionPending(CaretIndex() == static_cast<Integer>(text.size()) && lookup->ContainsText(text));
  } else if (style == kvEditingStrictList) {
    SetCompletionPending(true);
  }
}
