// TCustomComboBox: the COMBOBOX window class with its items as strings.

#include <algorithm>

#include "controls/ComboBox.h"
#include "rtl/Lists.h"
#include "vcl/StdCtrls.h"

// The items of a combo box: the window's while it has one, the saved list otherwise.
class TComboBoxStrings : public TControlStrings {
  TAVREN_CLASS(TComboBoxStrings, TControlStrings)
 public:
  explicit TComboBoxStrings(TCustomComboBox* ComboBox) : FComboBox(ComboBox) {}

  Integer GetCount() override {
    if (!Window()) return FComboBox->FSaveItems->GetCount();
    return static_cast<Integer>(SendMessage(Window(), CB_GETCOUNT, 0, 0));
  }
  String GetStrings(Integer Index) override {
    if (!Window()) return FComboBox->FSaveItems->GetStrings(Index);
    LRESULT length = SendMessage(Window(), CB_GETLBTEXTLEN, static_cast<WPARAM>(Index), 0);
    if (length == CB_ERR) ListIndexError(Index);
    String text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied =
        SendMessage(Window(), CB_GETLBTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
  }
  TObject* GetObjects(Integer Index) override {
    if (!Window()) return FComboBox->FSaveItems->GetObjects(Index);
    LRESULT data = SendMessage(Window(), CB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
    if (data == CB_ERR) ListIndexError(Index);
    return reinterpret_cast<TObject*>(data);
  }
  void SetObjects(Integer Index, TObject* AObject) override {
    if (!Window()) return FComboBox->FSaveItems->SetObjects(Index, AObject);
    if (SendMessage(Window(), CB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject)) == CB_ERR)
      ListIndexError(Index);
  }
  Integer Add(const String& S) override {
    if (!Window()) return FComboBox->FSaveItems->Add(S);
    LRESULT index = SendMessage(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (index < 0) throw EOutOfResources("Insufficient memory for the combo box");
    return static_cast<Integer>(index);
  }
  void Insert(Integer Index, const String& S) override {
    if (Index < 0 || Index > GetCount()) ListIndexError(Index);
    if (!Window()) {
      if (FComboBox->FSaveItems->GetSorted())
        FComboBox->FSaveItems->Add(S);
      else
        FComboBox->FSaveItems->Insert(Index, S);
      return;
    }
    if (SendMessage(Window(), CB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
      throw EOutOfResources("Insufficient memory for the combo box");
  }
  void Delete(Integer Index) override {
    if (!Window()) return FComboBox->FSaveItems->Delete(Index);
    if (SendMessage(Window(), CB_DELETESTRING, static_cast<WPARAM>(Index), 0) == CB_ERR) ListIndexError(Index);
  }
  void Clear() override { FComboBox->Clear(); }

 private:
  HWND Window() const { return FComboBox->HandleAllocated() ? FComboBox->GetHandle() : nullptr; }
  TCustomComboBox* FComboBox;
};

TAVREN_CLASS_IMPL(TComboBoxStrings)

TAVREN_MESSAGE_TABLE(TCustomComboBox, MESSAGE_HANDLER(CN_COMMAND, CNCommand))

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TComboBoxStrings>(this)),
      FSaveItems(std::make_unique<TStringList>()) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  FParentColor = false;
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, WC_COMBOBOX);
  static constexpr DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                      CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                      CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | kStyles[FStyle];
  if (FSorted) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  inherited::CreateWnd();
  if (FMaxLength > 0) SendMessage(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FSaveItems->GetCount() > 0) {
    std::unique_ptr<TStringList> saved = std::move(FSaveItems);
    FSaveItems = std::make_unique<TStringList>();
    for (Integer i = 0; i < saved->GetCount(); ++i) FItems->AddObject(saved->GetStrings(i), saved->GetObjects(i));
  }
  if (FSaveItemIndex >= 0) SendMessage(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FSaveItemIndex), 0);
  // The window's height is the dropped list's: DropDownCount items below the field.
  if (FStyle != csSimple) {
    LRESULT itemHeight = SendMessage(FHandle, CB_GETITEMHEIGHT, 0, 0);
    RECT bounds;
    GetWindowRect(FHandle, &bounds);
    Integer dropped = FHeight + static_cast<Integer>(itemHeight) * FDropDownCount + 2;
    SetWindowPos(FHandle, nullptr, 0, 0, bounds.Width(), dropped, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TCustomComboBox::DestroyWnd() {
  auto saved = std::make_unique<TStringList>();
  for (Integer i = 0; i < FItems->GetCount(); ++i) saved->AddObject(FItems->GetStrings(i), FItems->GetObjects(i));
  FSaveItemIndex = GetItemIndex();
  inherited::DestroyWnd();
  saved->SetSorted(FSorted);
  FSaveItems = std::move(saved);
}

void TCustomComboBox::Clear() {
  SetText("");
  if (HandleAllocated())
    SendMessage(FHandle, CB_RESETCONTENT, 0, 0);
  else
    FSaveItems->Clear();
  FSaveItemIndex = -1;
}

Integer TCustomComboBox::GetItemIndex() {
  return HandleAllocated() ? static_cast<Integer>(SendMessage(FHandle, CB_GETCURSEL, 0, 0)) : FSaveItemIndex;
}

void TCustomComboBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  if (!HandleAllocated()) {
    FSaveItemIndex = Value;
    // Without a window the field shows the chosen item all the same.
    FText = Value >= 0 ? FSaveItems->GetStrings(Value) : String();
    return;
  }
  SendMessage(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (Value == csSimple)
    FControlStyle.Exclude(csFixedHeight);
  else
    FControlStyle.Include(csFixedHeight);
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(Integer Value) {
  if (Value < 1 || FDropDownCount == Value) return;
  FDropDownCount = Value;
  RecreateWnd();
}

bool TCustomComboBox::GetDroppedDown() {
  return HandleAllocated() && SendMessage(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) { SendMessage(GetHandle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FSaveItems->SetSorted(Value);
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(Integer Value) {
  FMaxLength = std::max(Value, 0);
  if (HandleAllocated()) SendMessage(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomComboBox::SetItemHeight(Integer Value) {
  if (Value <= 0) return;
  FItemHeight = Value;
  if (HandleAllocated() && (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable))
    SendMessage(FHandle, CB_SETITEMHEIGHT, 0, Value);
}

void TCustomComboBox::Select() {
  // OnSelect answers a choice from the list; a combo without one reports it as a change.
  if (FOnSelect)
    FOnSelect(this);
  else
    Change();
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case CBN_SELCHANGE:
      Click();
      Select();
      break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: FOnDropDown(this); break;
    case CBN_CLOSEUP: FOnCloseUp(this); break;
  }
}
