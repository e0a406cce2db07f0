// The button edit, the popup edit and the combo box.

#include <algorithm>

#include "gdi/Gdi.h"
#include "toolkit/inspector/JyEdit.h"
#include "user/User.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TJySmallButton)
TAVREN_CLASS_IMPL(TJyExecuteButton)
TAVREN_CLASS_IMPL(TDropDownButton)

// ---- The button edit ----------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TJyCustomButtonEdit, MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged))

TJyCustomButtonEdit::TJyCustomButtonEdit(TComponent* AOwner) : TJyEdit(AOwner) {}

// Either may go first with its parent window (a form frees its child windows before its
// components), so the edit forgets them when they do.
void TJyCustomButtonEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopup) FPopup = nullptr;
  if (AComponent == FButton) FButton = nullptr;
}

void TJyCustomButtonEdit::AfterConstruction() {
  inherited::AfterConstruction();
  if (FButton) return;
  FButton = ButtonClass().Create(this);
  FButton->SetVisible(false);
  FButton->SetParent(this);
  FButton->SetOnPress(MakeEvent<&TJyCustomButtonEdit::ButtonPressed>(this));
  FButton->SetOnRelease(MakeEvent<&TJyCustomButtonEdit::DoButtonClick>(this));
  FPopup = PopupClass().Create(this);
  FPopup->SetVisible(false);
  FPopup->SetOnCloseUp(MakeEvent<&TJyCustomButtonEdit::PopupCloseUp>(this));
  FPopup->SetOnSelect(MakeEvent<&TJyCustomButtonEdit::PopupSelect>(this));
  PlaceButton();
}

void TJyCustomButtonEdit::BeforeDestruction() {
  if (FPopup) {
    FPopup->SetOnCloseUp(nullptr);
    FPopup->SetOnSelect(nullptr);
    delete FPopup;
    FPopup = nullptr;
  }
  delete FButton;
  FButton = nullptr;
  inherited::BeforeDestruction();
}

TClassOf<TJySmallButton> TJyCustomButtonEdit::ButtonClass() { return TJyExecuteButton::ClassInfo(); }

TClassOf<TJyPopupControl> TJyCustomButtonEdit::PopupClass() { return TJyPopupControl::ClassInfo(); }

TRect TJyCustomButtonEdit::GetEditRect() {
  TRect r = inherited::GetEditRect();
  if (FButton) r.Right -= FButton->GetWidth();
  return r;
}

void TJyCustomButtonEdit::PlaceButton() {
  if (!FButton) return;
  Invalidate();
  FButton->SetBounds(GetClientWidth() - FButton->GetWidth(), 0, FButton->GetWidth(), GetClientHeight());
  FButton->SetVisible(true);
  FButton->Invalidate();
}

void TJyCustomButtonEdit::Resize() {
  inherited::Resize();
  PlaceButton();
}

void TJyCustomButtonEdit::WMWindowPosChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (FButton && FButton->HandleAllocated()) FButton->Invalidate();
}

void TJyCustomButtonEdit::MouseEnter() {
  inherited::MouseEnter();
  if (FButton) FButton->SetHot(true);
}

void TJyCustomButtonEdit::MouseLeave() {
  inherited::MouseLeave();
  if (FButton) FButton->SetHot(false);
}

void TJyCustomButtonEdit::ButtonPressed(TObject*) {}

void TJyCustomButtonEdit::PopupSelect(TObject*, const String& Text) {
  FPopup->ClosePopup();
  SetTextFromPopup(Text);
  FButton->SetHot(false);
  FButton->SetDown(false);
}

void TJyCustomButtonEdit::PopupCloseUp(TObject*) {
  if (FButton) FButton->SetDown(false);
}

// ---- The popup edit -----------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TJyPopupEdit,
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged),
    MESSAGE_HANDLER(WM_SHOWWINDOW, WMShowWindow))

TClassOf<TJySmallButton> TJyPopupEdit::ButtonClass() { return TDropDownButton::ClassInfo(); }

void TJyPopupEdit::SetStyle(TDropDownStyle Value) {
  FStyle = Value;
  SetReadOnly(Value == dsDropDownList);
  SetCursor(Value == dsDropDownList ? crArrow : crDefault);
  UpdateEditRect();
  Invalidate();
}

TRect TJyPopupEdit::GetEditRect() {
  if (FStyle == dsDropDownList) return TRect{};
  return inherited::GetEditRect();
}

void TJyPopupEdit::SetHideFocus(bool Value) {
  FHideFocus = Value;
  Invalidate();
}

void TJyPopupEdit::OpenPopup() {
  TJyPopupControl* popup = GetPopup();
  if (!popup) return;
  const TPoint point = ClientToScreen(Point(-1, GetClientHeight()));
  popup->SetFont(GetFont());
  popup->SetWidth(GetWidth());
  popup->SetText(GetText());
  PreparePopup(point);
  FDroppedDown = true;
  popup->Popup(point.X, point.Y);
}

void TJyPopupEdit::ButtonPressed(TObject*) {
  if (FDroppedDown) return;
  OpenPopup();
}

void TJyPopupEdit::SetDroppedDown(bool Value) {
  if (Value == FDroppedDown) return;
  if (Value) {
    OpenPopup();
    return;
  }
  FDroppedDown = false;
  TJyPopupControl* popup = GetPopup();
  if (!popup) return;
  if (popup->HandleAllocated() && GetCapture() == popup->GetHandle()) ReleaseCapture();
  popup->SetClosed(true);
  if (popup->HandleAllocated()) ShowWindow(popup->GetHandle(), SW_HIDE);
  popup->SetVisible(false);
  if (GetButton()) GetButton()->SetDown(false);
  DoCloseUp();
}

void TJyPopupEdit::CloseOpenPopup() {
  if (FDroppedDown && GetPopup()) GetPopup()->ClosePopup();
}

void TJyPopupEdit::PopupSelect(TObject* Sender, const String& Text) {
  DoSelect();
  inherited::PopupSelect(Sender, Text);
}

void TJyPopupEdit::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
    if (FDroppedDown)
      GetPopup()->ClosePopup();
    else
      SetDroppedDown(true);
    Key = 0;
  } else if (Key == VK_RETURN && FDroppedDown) {
    GetPopup()->ClosePopup();
  }
}

void TJyPopupEdit::KeyPress(Char& Key) {
  if (Key == '\x1b' && FDroppedDown) {
    GetPopup()->ClosePopup();
    Key = '\0';
  }
  inherited::KeyPress(Key);
}

void TJyPopupEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && FStyle == dsDropDownList && !FDroppedDown) {
    if (GetButton()) GetButton()->SetDown(true);
    ButtonPressed(this);
  }
}

void TJyPopupEdit::VisibleChanging() {
  inherited::VisibleChanging();
  CloseOpenPopup();
}

void TJyPopupEdit::CMVisibleChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetVisible()) CloseOpenPopup();
}

void TJyPopupEdit::WMShowWindow(TMessage& Message) {
  InheritedMessage(Message);
  if (Message.WParam == 0) CloseOpenPopup();
}

void TJyPopupEdit::DoEnter() {
  inherited::DoEnter();
  Invalidate();
}

void TJyPopupEdit::DoExit() {
  inherited::DoExit();
  Invalidate();
}

void TJyPopupEdit::PaintContent() {
  TControlCanvas* canvas = GetCanvas();
  const Integer buttonWidth = GetButton() ? GetButton()->GetWidth() : 0;
  const TRect r = Rect(0, 0, GetClientWidth() - buttonWidth, GetClientHeight());
  canvas->GetFont()->Assign(GetFont());
  canvas->GetPen()->SetColor(GetInplace() ? clHighlight : GetColor());
  if (Focused()) {
    canvas->GetBrush()->SetColor(clHighlight);
    canvas->GetFont()->SetColor(clHighlightText);
    canvas->Rectangle(r);
    if (!FHideFocus) {
      TRect focus = r;
      focus.Left += 1;
      focus.Top += 1;
      focus.Right -= 1;
      focus.Bottom -= 1;
      TGraphicsProvider::DrawFocus(canvas, focus, false);
    }
  } else {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(r);
  }
  TRect text = r;
  text.Left += GetInnerMargins()->GetLeft();
  text.Top += GetInnerMargins()->GetTop();
  text.Right -= GetInnerMargins()->GetRight();
  text.Bottom -= GetInnerMargins()->GetBottom();
  if (GetBorderStyle() == bsSingle) {
    const Integer inset = GetBorderWidth() + 1;
    text.Left += inset;
    text.Top += inset;
    text.Right -= inset;
    text.Bottom -= inset;
  }
  if (GetShowPreview()) text.Left += 27;
  if (!GetEnabled()) canvas->GetFont()->SetColor(clGrayText);
  canvas->GetBrush()->SetStyle(bsClear);
  TGraphicsProvider::DrawTextRectEx(canvas, text, GetBiDiMode(), GetText(), false, GetVerticalAlignment(),
                                    GetAlignment());
  canvas->GetBrush()->SetStyle(bsSolid);
}

// ---- The combo box ------------------------------------------------------------------------------

TJyComboBox::TJyComboBox(TComponent* AOwner) : TJyPopupEdit(AOwner), FItems(std::make_unique<TJyStrings>()) {}

TJyComboBox::~TJyComboBox() = default;

TClassOf<TJyPopupControl> TJyComboBox::PopupClass() { return TJyPopupList::ClassInfo(); }

TJyPopupList* TJyComboBox::GetPopupList() const { return static_cast<TJyPopupList*>(GetPopup()); }

void TJyComboBox::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TJyComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TJyComboBox::SetItemIndex(Integer Value) {
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  if (Value >= 0 && Value < FItems->GetCount())
    SetText(LineDisplayText(FItems->GetStrings(Value), FDisplayMode));
  else
    SetText("");
  if (GetPopupList()) GetPopupList()->SetItemIndex(Value);
  if (GetShowPreview()) InvalidatePreview();
}

void TJyComboBox::PreparePopup(TPoint) {
  TJyPopupList* list = GetPopupList();
  list->SetBackgroundColor(FDropDownColor);
  list->SetHighlightTextColor(FHighlightTextColor);
  list->SetDisplayMode(FDisplayMode);
  list->SetStrings(FItems.get());
  list->SetImages(FImages);
  list->SetShowImages(FImages != nullptr);
  list->SetItemHeight(FItemHeight);
  list->SetSelectionColor(FSelectionColor);
  list->SetWidth(GetWidth());
  list->SetClientHeight(std::min(FDropDownCount, FItems->GetCount()) * FItemHeight + 4);
  list->GetVertScrollBar()->SetMax(list->ScrollRange());
  list->SetItemIndex(FItemIndex);
}

void TJyComboBox::PopupSelect(TObject* Sender, const String& Text) {
  SetItemIndex(GetPopupList()->GetItemIndex());
  inherited::PopupSelect(Sender, Text);
}

void TJyComboBox::TextChanged() {
  inherited::TextChanged();
  if (GetStyle() != dsDropDown || FDisplayMode != dmDefault || FItemIndex < 0) return;
  if (FItems->IndexOf(GetText()) < 0) {
    FItemIndex = -1;
    if (GetPopupList()) GetPopupList()->SetItemIndex(-1);
  }
}

void TJyComboBox::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (Shift.Contains(ssAlt)) return;
  if (Key == VK_UP && FItemIndex > 0) {
    SetItemIndex(FItemIndex - 1);
    Key = 0;
  } else if (Key == VK_DOWN && FItemIndex < FItems->GetCount() - 1) {
    SetItemIndex(FItemIndex + 1);
    Key = 0;
  }
}

bool TJyComboBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  inherited::DoMouseWheelDown(Shift, MousePos);
  if (FItemIndex < FItems->GetCount() - 1) SetItemIndex(FItemIndex + 1);
  return true;
}

bool TJyComboBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  inherited::DoMouseWheelUp(Shift, MousePos);
  if (FItemIndex > 0) SetItemIndex(FItemIndex - 1);
  return true;
}

void TJyComboBox::DrawPreview(const TRect& Rect) {
  inherited::DrawPreview(Rect);
  if (!FImages || FItemIndex < 0) return;
  const Integer x = Rect.Left + (Rect.Width() - FImages->GetWidth()) / 2;
  Integer y = 0;
  switch (GetVerticalAlignment()) {
    case vaTop:
      y = 0;
      break;
    case vaMiddle:
      y = (GetClientHeight() - FImages->GetHeight()) / 2;
      break;
    case vaBottom:
      y = GetClientHeight() - FImages->GetHeight();
      break;
  }
  FImages->Draw(GetCanvas(), x, y, FItemIndex);
}

void TJyComboBox::Loaded() {
  inherited::Loaded();
  if (FItemIndex >= 0 && FItemIndex < FItems->GetCount())
    SetText(FItems->GetStrings(FItemIndex));
  else
    SetText("");
}
