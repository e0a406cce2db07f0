// The blob editor: its text, the popup's content (a memo or an image editor) with the OK and
// Cancel buttons, the closing keys, and taking the value over when the popup has closed.

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "rtl/Math.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvBlobEdit.h"
#include "toolkit/editors/kvEditUtils.h"
#include "user/MessageQueue.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL(TkvPopupMemo)
TAVREN_CLASS_IMPL(TkvPopupImage)
TAVREN_CLASS_IMPL(TkvBlobEditPopupWindow)
TAVREN_CLASS_IMPL(TkvCustomBlobEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvBlobEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(PopupMenu, GetKvPopupMenu, SetKvPopupMenu),
                            PROPERTY_AS(Properties, GetBlobEditProperties, SetBlobEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetBlobText, SetBlobText), PROPERTY(OnEditing))

namespace {

// F4 without Alt and Alt+Up/Down: the drop-down keys.
bool IsDropDownKey(Word Key, TShiftState Shift) {
  return (Key == VK_F4 && !Shift.Contains(ssAlt)) || ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt));
}

// What a key closes the popup with: the drop-down keys save or drop by AlwaysSaveData, Esc
// cancels, Enter accepts unless it makes lines (then Ctrl+Enter does); mrNone for other keys.
TModalResult ClosingResult(TkvCustomBlobEdit* Edit, Word Key, TShiftState Shift, bool EnterMakesLines) {
  if (IsDropDownKey(Key, Shift)) return Edit->BlobProperties()->GetAlwaysSaveData() ? mrOk : mrCancel;
  if (Key == VK_ESCAPE) return mrCancel;
  if (Key == VK_RETURN && (!EnterMakesLines || Shift.Contains(ssCtrl))) return mrOk;
  return mrNone;
}

}  // namespace

// ---- Contents and window -------------------------------------------------------------------------

void TkvPopupMemo::HandleKeyDown(Word& Key, TShiftState Shift) {
  TkvCustomBlobEdit* edit = BlobEdit;
  const bool enterMakesLines = edit && edit->BlobProperties()->GetMemoWantReturns();
  const TModalResult result = edit && Key != 0 ? ClosingResult(edit, Key, Shift, enterMakesLines) : mrNone;
  if (result == mrNone) return TkvMemo::HandleKeyDown(Key, Shift);
  // The key's character must not reach the memo once it has closed the popup.
  MSG pending;
  if (TWinControl* inner = GetInnerControl(); inner && inner->HandleAllocated())
    while (PeekMessage(&pending, inner->GetHandle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
    }
  Key = 0;
  edit->CloseFromContent(result);
}

void TkvPopupImage::HandleKeyDown(Word& Key, TShiftState Shift) {
  TkvCustomBlobEdit* edit = BlobEdit;
  const TModalResult result = edit && Key != 0 ? ClosingResult(edit, Key, Shift, false) : mrNone;
  if (result == mrNone) return TkvImage::HandleKeyDown(Key, Shift);
  Key = 0;
  edit->CloseFromContent(result);
}

void TkvBlobEditPopupWindow::ReplayChar(Char Ch) {
  auto* edit = dynamic_cast<TkvCustomBlobEdit*>(GetOwnerControl());
  auto* memo = edit ? dynamic_cast<TkvPopupMemo*>(edit->GetContent()) : nullptr;
  if (!memo || !edit->BlobProperties()->GetMemoAutoReplace() || memo->IsEffectivelyReadOnly())
    return TkvPopupEditPopupWindow::ReplayChar(Ch);
  memo->SetTextAsUser(String(1, Ch));
  memo->PlaceCaret(1);
}

// ---- Editor ------------------------------------------------------------------------------------

TkvCustomBlobEdit::TkvCustomBlobEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomPopupEdit(AOwner, AInplace, APropertiesClass) {
  SetControlStyle(GetControlStyle() - TControlStyle{csSetCaption});
  SetTabStop(true);
}

void TkvCustomBlobEdit::PlaceInnerEdit() {
  // The one line is painted, an icon or a text, never the value in an edit: the inner edit keeps
  // the focus and the keys, but no room.
  TWinControl* inner = GetInnerControl();
  const TRect& client = GetEditViewInfo()->ClientRect;
  if (inner && inner->GetBoundsRect() != TRect(client.Left, client.Top, client.Left, client.Top))
    inner->SetBounds(client.Left, client.Top, 0, 0);
}

TkvCustomBlobEdit::~TkvCustomBlobEdit() = default;

void TkvCustomBlobEdit::BeforeDestruction() {
  TkvCustomPopupEdit::BeforeDestruction();
  DestroyContent();
}

String TkvCustomBlobEdit::GetBlobText() {
  Variant value;
  if (GetComponentState().Contains(csDesigning)) {
    GetEditValue(value);
    return VarToStr(value);
  }
  if (BlobProperties()->ResolvedKind() != bekMemo) return {};
  if (IsPopupOpen() && FContent) return static_cast<TkvPopupMemo*>(FContent.get())->GetText();
  GetEditValue(value);
  return VarIsStr(value) ? VarToStr(value) : String();
}

void TkvCustomBlobEdit::SetBlobText(const String& Value) {
  if (!GetComponentState().Contains(csDesigning) && BlobProperties()->ResolvedKind() != bekMemo) return;
  if (IsPopupOpen() && FContent)
    static_cast<TkvPopupMemo*>(FContent.get())->SetTextAsUser(Value);
  else
    SetEditValue(Variant(Value));
}

void TkvCustomBlobEdit::ReadDisplayText(String& Text) {
  if (BlobProperties()->ResolvedKind() == bekMemo && FContent && IsPopupOpen()) {
    Text = static_cast<TkvPopupMemo*>(FContent.get())->GetText();
    return;
  }
  TkvCustomPopupEdit::ReadDisplayText(Text);
}

void TkvCustomBlobEdit::GetCurrentValue(Variant& Value) {
  if (IsPopupOpen() && FContent) {
    if (auto* memo = dynamic_cast<TkvPopupMemo*>(FContent.get()))
      Value = Variant(memo->GetText());
    else
      FContent->GetEditValue(Value);
    return;
  }
  GetEditValue(Value);
}

void TkvCustomBlobEdit::PutDisplayValue(const Variant& Value) {
  TkvCustomPopupEdit::PutDisplayValue(Value);
  if (BlobProperties()->ResolvedKind() == bekMemo && FContent)
    static_cast<TkvPopupMemo*>(FContent.get())->SetText(VarToStr(Value));
}

void TkvCustomBlobEdit::ResyncDisplay() { RefreshViewInfo(false); }

void TkvCustomBlobEdit::UpdateEditValueFromDisplay() {
  // The value changes only by being taken over from the popup: a cancelled memo's text, which
  // the display shows while the popup is open, never reaches it.
}

void TkvCustomBlobEdit::SetTextAsUser(const String& Text) {
  if (BlobProperties()->ResolvedKind() == bekMemo) TkvCustomPopupEdit::SetTextAsUser(Text);
}

void TkvCustomBlobEdit::ApplyPropertiesChange(TObject* Properties) {
  if (IsBeingDestroyed()) return;
  TkvCustomPopupEdit::ApplyPropertiesChange(Properties);
  RefreshViewInfo(false);
  if (!IsPopupOpen() || !FContent) return;
  TkvCustomBlobEditProperties* properties = BlobProperties();
  if (auto* image = dynamic_cast<TkvPopupImage*>(FContent.get()))
    image->GetImageEditProperties()->SetGraphicClassRef(properties->GetPictureGraphicClassRef());
  else if (auto* memo = dynamic_cast<TkvPopupMemo*>(FContent.get())) {
    memo->GetMemoProperties()->SetImeMode(properties->GetImeMode());
    memo->GetMemoProperties()->SetImeName(properties->GetImeName());
  }
}

bool TkvCustomBlobEdit::CanOpenPopup() { return FContent && TkvCustomPopupEdit::CanOpenPopup(); }

TGraphicClass TkvCustomBlobEdit::GetGraphicClass(bool APastingFromClipboard) {
  TkvCustomBlobEditProperties* properties = BlobProperties();
  TGraphicClass result = properties->GetPictureGraphicClassRef();
  if (!result && APastingFromClipboard) result = TBitmap::ClassInfo();
  if (IsInplace())
    properties->GetOnGetGraphicClass()(this, -1, APastingFromClipboard, result);
  else
    FOnGetGraphicClass(this, APastingFromClipboard, result);
  return result;
}

void TkvCustomBlobEdit::ContentGraphicClass(TObject*, bool APastingFromClipboard, TGraphicClass& AGraphicClass) {
  AGraphicClass = GetGraphicClass(APastingFromClipboard);
}

void TkvCustomBlobEdit::ContentEditing(TObject*, bool& CanEdit) {
  CanEdit = !IsEffectivelyReadOnly() && ModificationAllowed();
}

void TkvCustomBlobEdit::ContentChanged(TObject*) {
  if (FOKButton) {
    FOKButton->SetEnabled(true);
    FOKButton->SetDefault(true);
  }
}

void TkvCustomBlobEdit::ContentPopupClosed(TObject*, TkvEditCloseUpReason Reason) {
  // A picture loaded into the open popup is taken over when the popup closes.
  if (IsPopupOpen()) return;
  TWeakRef<TkvCustomBlobEdit> self(this);
  if (Reason == crEnter) TakeValueOver();
  if (self) FireClosePopup(Reason);
}

void TkvCustomBlobEdit::PrepareContent() {
  TkvCustomBlobEditProperties* properties = BlobProperties();
  const TkvBlobEditKind kind = properties->ResolvedKind();
  auto ensure = [this](TkvCustomEdit* Made) {
    FContent.reset(Made);
    FContent->SetOnEditing(MakeEvent<&TkvCustomBlobEdit::ContentEditing>(this));
    FContent->GetEditStyle()->SetBorderStyle(ebsNone);
    FContent->GetProperties()->SetOnChange(MakeEvent<&TkvCustomBlobEdit::ContentChanged>(this));
  };
  if (kind == bekMemo) {
    if (!dynamic_cast<TkvPopupMemo*>(FContent.get())) {
      DestroyContent();
      ensure(new TkvPopupMemo(nullptr));
    }
    auto* memo = static_cast<TkvPopupMemo*>(FContent.get());
    memo->BlobEdit = this;
    TkvMemoProperties* p = memo->GetMemoProperties();
    p->SetCharCase(properties->GetMemoCharCase());
    p->SetImeMode(properties->GetImeMode());
    p->SetImeName(properties->GetImeName());
    p->SetMaxLength(properties->GetMemoMaxLength());
    p->SetOEMConvert(properties->GetMemoOEMConvert());
    p->SetScrollBars(properties->GetMemoScrollBars());
    p->SetWantReturns(properties->GetMemoWantReturns());
    p->SetWantTabs(properties->GetMemoWantTabs());
    p->SetWordWrap(properties->GetMemoWordWrap());
    properties->SetPopupAutoSize(false);
    Variant value;
    GetEditValue(value);
    memo->SetEditValue(value);
    memo->GetEditStyle()->SetFont(ActiveStyle()->GetEffectiveFont());
    memo->GetEditStyle()->SetColor(ActiveStyle()->GetColor());
  } else if (kind == bekPict) {
    if (!dynamic_cast<TkvPopupImage*>(FContent.get())) {
      DestroyContent();
      ensure(new TkvPopupImage(nullptr));
    }
    auto* image = static_cast<TkvPopupImage*>(FContent.get());
    image->BlobEdit = this;
    TkvImageProperties* p = image->GetImageEditProperties();
    p->SetShowFocusRect(false);
    p->SetStretch(true);
    p->SetCustomFilter(properties->GetPictureFilter());
    p->SetGraphicTransparency(properties->GetPictureTransparency());
    p->SetOnPopupClosed(MakeEvent<&TkvCustomBlobEdit::ContentPopupClosed>(this));
    p->SetGraphicClassRef(properties->GetPictureGraphicClassRef());
    TkvPopupMenuItems items = TkvPopupMenuLayout::kDefaultItems;
    if (!properties->GetShowPicturePopup()) items = TkvPopupMenuItems{};
    else if (!properties->GetShowExPopupItems()) items = items - TkvPopupMenuItems{pmiLoad, pmiSave};
    p->GetPopupMenuLayout()->SetMenuItems(items);
    image->SetOnGetGraphicClass(MakeEvent<&TkvCustomBlobEdit::ContentGraphicClass>(this));
    Variant value;
    GetEditValue(value);
    image->SetEditValue(value);
    image->SetModifiedFlag(false);
    properties->SetPopupAutoSize(properties->GetPictureAutoSize());
  } else {
    return;
  }
  FContent->GetStyle()->GetLookAndFeel()->AttachToMaster(GetPopupControlsLookAndFeel());
  MakeButtons();
  FContent->GetProperties()->SetReadOnly(IsEffectivelyReadOnly() || !ModificationAllowed());
  properties->SetPopupControl(FContent.get());
  properties->SetPopupSysPanelStyle(true);
  if (TkvCustomEditPopupWindow* popup = GetPopupWindow()) FContent->SetParent(popup);
}

void TkvCustomBlobEdit::MakeButtons() {
  const bool editable = !IsEffectivelyReadOnly() && ModificationAllowed();
  TFont* font = ActiveStyle()->GetEffectiveFont();
  const String second = ResourceStringText(editable && GetDataBinding()->HasData() ? skvEditMenuCancel : skvEditMenuClose);
  const String ok = ResourceStringText(skvEditMenuOK);
  FButtonWidth = std::max(TextWidthInFont(font, ok + "00"), TextWidthInFont(font, second + "00"));
  FButtonHeight = MulDiv(TextHeightInFont(font, "Wg"), 20, 13);
  auto make = [&](std::unique_ptr<TkvButton>& Button, const String& Caption, TModalResult Result) {
    if (!Button) {
      Button = std::make_unique<TkvButton>(nullptr);
      Button->SetUseSystemPaint(false);
    }
    Button->SetCaption(Caption);
    Button->SetModalResult(Result);
    Button->GetFont()->Assign(font);
    Button->GetLookAndFeel()->AttachToMaster(GetPopupControlsLookAndFeel());
    Button->SetBounds(0, 0, FButtonWidth, FButtonHeight);
    if (TkvCustomEditPopupWindow* popup = GetPopupWindow()) Button->SetParent(popup);
  };
  make(FCancelButton, second, mrCancel);
  FCancelButton->SetCancel(true);
  if (editable) {
    make(FOKButton, ok, mrOk);
    // Enabled once the content changes.
    FOKButton->SetEnabled(false);
  } else {
    FOKButton.reset();
  }
  const Integer h = FButtonHeight;
  BlobProperties()->SetPopupMinWidth(GetSystemMetrics(SM_CXVSCROLL) + (h / 3 + FButtonWidth) * (FOKButton ? 2 : 1) +
                                     h / 2);
}

void TkvCustomBlobEdit::PreparePopup() {
  TWeakRef<TkvCustomBlobEdit> self(this);
  TkvCustomPopupEdit::PreparePopup();
  if (self) PrepareContent();
}

TWinControl* TkvCustomBlobEdit::GetPopupFocusControl() { return FContent.get(); }

void TkvCustomBlobEdit::MeasurePopupContent(Integer& Width, Integer& Height) {
  TkvCustomBlobEditProperties* properties = BlobProperties();
  auto* image = dynamic_cast<TkvPopupImage*>(FContent.get());
  if (image && properties->GetPictureAutoSize()) {
    Width = image->GetPicture()->GetWidth() + 4;
    Height = image->GetPicture()->GetHeight() + 4;
    return;
  }
  TkvCustomPopupEdit::MeasurePopupContent(Width, Height);
}

void TkvCustomBlobEdit::DisplayPopup() {
  TkvCustomEditPopupWindow* popup = GetPopupWindow();
  if (FCancelButton) GetEditStyle()->SetShowPopupCloseButton(false);
  if (popup) popup->GetEditViewInfo()->SysPanelMinHeight = FButtonHeight + FButtonHeight / 3;
  TWeakRef<TkvCustomBlobEdit> self(this);
  TkvCustomPopupEdit::DisplayPopup();
  if (self && FCancelButton) PlaceButtons();
}

void TkvCustomBlobEdit::PlaceButtons() {
  TkvCustomEditPopupWindow* popup = GetPopupWindow();
  if (!popup) return;
  TkvCustomEditPopupWindowViewInfo* info = popup->GetEditViewInfo();
  const Integer h = FButtonHeight, w = FButtonWidth;
  const TRect& grip = info->GripRect;
  const Integer panel = info->SysPanelHeight;
  const Integer width = popup->GetWidth();
  Integer right = !info->GripAtLeft() ? grip.Left - h / 6 : std::min(width - 2 * (h / 6), width - grip.Left);
  Integer top;
  TAnchors anchors;
  if (info->PanelAtTop()) {
    top = grip.Top + (panel - h) / 2 - 2;
    anchors = TAnchors{akTop, akRight};
  } else {
    top = grip.Bottom - (panel - h) / 2 - h + 2;
    anchors = TAnchors{akRight, akBottom};
  }
  FCancelButton->SetBounds(right - w, top, w, h);
  FCancelButton->SetAnchors(anchors);
  if (FOKButton) {
    FOKButton->SetBounds(right - w - (h / 3 + w), top, w, h);
    FOKButton->SetAnchors(anchors);
  }
}

void TkvCustomBlobEdit::CloseFromContent(TModalResult Result) {
  if (TkvCustomEditPopupWindow* popup = GetPopupWindow()) popup->SetModalResult(Result);
}

bool TkvCustomBlobEdit::TakeValueOver() {
  if (!FContent) return false;
  TkvCustomEditPopupWindow* popup = GetPopupWindow();
  const TModalResult result = popup ? popup->GetModalResult() : mrNone;
  const bool accepted = result == mrOk || (result != mrCancel && BlobProperties()->GetAlwaysSaveData());
  if (!FContent->GetValueModified() || !accepted || !RequestEdit()) return false;
  TWeakRef<TkvCustomBlobEdit> self(this);
  TkvChangeEventsLock lock(this);
  if (auto* memo = dynamic_cast<TkvPopupMemo*>(FContent.get())) {
    SetEditValue(Variant(memo->GetText()));
    if (self) MarkModifiedByUser(true);
    return true;
  }
  auto* image = static_cast<TkvPopupImage*>(FContent.get());
  TGraphic* graphic = image->GetPicture()->GetGraphic();
  FLastGraphicClass = graphic ? TGraphicClass(graphic->ClassType()) : TGraphicClass();
  Variant value;
  image->GetEditValue(value);
  SetEditValue(value);
  if (!self) return true;
  MarkModifiedByUser(true);
  LockEditValueChanging(true);
  try {
    for (TkvCustomEditProperties* owner :
         {static_cast<TkvCustomEditProperties*>(GetProperties()),
          GetRepositoryItem() ? GetRepositoryItem()->GetProperties() : nullptr}) {
      if (auto* blob = dynamic_cast<TkvCustomBlobEditProperties*>(owner))
        blob->GetOnAssignPicture()(this, image->GetPicture());
      if (!self) return true;
    }
  } catch (...) {
    if (self) LockEditValueChanging(false);
    throw;
  }
  LockEditValueChanging(false);
  PushModifiedState();
  SetModifiedFlag(false);
  RequestEdit();
  if (self) PopModifiedState();
  if (self && GetEffectiveProperties()->GetImmediatePost() && CanPostValue() && RunValidation(false))
    CommitEditValue(false);
  return true;
}

void TkvCustomBlobEdit::AfterPopupClose(TObject* Sender) {
  TWeakRef<TkvCustomBlobEdit> self(this);
  // What was not taken over is dropped: the memo shows the value again, so that its text, which
  // the editor's display reads, never differs from the value.
  if (!TakeValueOver() && self)
    if (auto* memo = dynamic_cast<TkvPopupMemo*>(FContent.get())) {
      Variant value;
      GetEditValue(value);
      memo->SetEditValue(value);
    }
  if (self) TkvCustomPopupEdit::AfterPopupClose(Sender);
  // The open popup counted as the editor's focus: the focus is known again once it has gone.
  if (self) FireFocusChanged();
  if (self) RefreshViewInfo(false);
}

void TkvCustomBlobEdit::DestroyContent() {
  if (BlobProperties()->GetPopupControl() == FContent.get()) BlobProperties()->SetPopupControl(nullptr);
  FOKButton.reset();
  FCancelButton.reset();
  FContent.reset();
}
