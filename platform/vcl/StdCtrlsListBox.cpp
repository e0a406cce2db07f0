// TCustomListBox: the LISTBOX window class, its items as strings, selection and owner drawing.

#include <algorithm>

#include "controls/ListBox.h"
#include "controls/OwnerDraw.h"
#include "rtl/Lists.h"
#include "vcl/StdCtrls.h"

// The items of a list box: the window's while it has one, the saved list otherwise.
class TListBoxStrings : public TControlStrings {
  TAVREN_CLASS(TListBoxStrings, TControlStrings)
 public:
  explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}

  Integer GetCount() override {
    if (!Window()) return FListBox->FSaveItems->GetCount();
    return static_cast<Integer>(SendMessage(Window(), LB_GETCOUNT, 0, 0));
  }
  String GetStrings(Integer Index) override {
    if (!Window()) return FListBox->FSaveItems->GetStrings(Index);
    LRESULT length = SendMessage(Window(), LB_GETTEXTLEN, static_cast<WPARAM>(Index), 0);
    if (length == LB_ERR) ListIndexError(Index);
    String text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = SendMessage(Window(), LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
  }
  TObject* GetObjects(Integer Index) override {
    if (!Window()) return FListBox->FSaveItems->GetObjects(Index);
    LRESULT data = SendMessage(Window(), LB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
    if (data == LB_ERR) ListIndexError(Index);
    return reinterpret_cast<TObject*>(data);
  }
  void SetObjects(Integer Index, TObject* AObject) override {
    if (!Window()) return FListBox->FSaveItems->SetObjects(Index, AObject);
    if (SendMessage(Window(), LB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject)) == LB_ERR)
      ListIndexError(Index);
  }
  void SetStrings(Integer Index, const String& S) override {
    Integer selected = FListBox->GetItemIndex();
    TObject* object = GetObjects(Index);
    Delete(Index);
    InsertObject(Index, S, object);
    FListBox->SetItemIndex(selected);
  }
  Integer Add(const String& S) override {
    if (!Window()) return FListBox->FSaveItems->Add(S);
    LRESULT index = SendMessage(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (index < 0) throw EOutOfResources("Insufficient memory for the list box");
    return static_cast<Integer>(index);
  }
  void Insert(Integer Index, const String& S) override {
    if (Index < 0 || Index > GetCount()) ListIndexError(Index);
    if (!Window()) {
      // A sorted list places the string itself.
      if (FListBox->FSaveItems->GetSorted())
        FListBox->FSaveItems->Add(S);
      else
        FListBox->FSaveItems->Insert(Index, S);
      return;
    }
    if (SendMessage(Window(), LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
      throw EOutOfResources("Insufficient memory for the list box");
  }
  void Delete(Integer Index) override {
    if (!Window()) return FListBox->FSaveItems->Delete(Index);
    if (SendMessage(Window(), LB_DELETESTRING, static_cast<WPARAM>(Index), 0) == LB_ERR) ListIndexError(Index);
  }
  void Clear() override { FListBox->Clear(); }

 protected:
  void SetUpdateState(bool Updating) override {
    if (!Window()) return;
    SendMessage(Window(), WM_SETREDRAW, !Updating, 0);
    if (!Updating) FListBox->Refresh();
  }

 private:
  HWND Window() const { return FListBox->HandleAllocated() ? FListBox->GetHandle() : nullptr; }
  TCustomListBox* FListBox;
};

TAVREN_CLASS_IMPL(TListBoxStrings)

TAVREN_MESSAGE_TABLE(TCustomListBox,
    MESSAGE_HANDLER(CN_COMMAND, CNCommand),
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem),
    MESSAGE_HANDLER(CN_MEASUREITEM, CNMeasureItem))

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TListBoxStrings>(this)),
      FSaveItems(std::make_unique<TStringList>()),
      FCanvas(std::make_unique<TCanvas>()) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  FParentColor = false;
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, WC_LISTBOX);
  // A virtual list draws its items itself, asking OnData for their text.
  static constexpr DWORD kStyles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_OWNERDRAWFIXED,
                                      LBS_OWNERDRAWFIXED};
  Params.Style |= WS_VSCROLL | (IsVirtual() ? LBS_NODATA : LBS_HASSTRINGS) | LBS_NOTIFY | kStyles[FStyle];
  if (FSorted) Params.Style |= LBS_SORT;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FBorderStyle == bsSingle) {
    if (GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomListBox::CreateWnd() {
  inherited::CreateWnd();
  // The fixed height is asked while the window is made, before it can name this control.
  if (FStyle == lbOwnerDrawFixed || IsVirtual()) SendMessage(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  if (IsVirtual()) SendMessage(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FVirtualCount), 0);
  if (FSaveItems->GetCount() > 0) {
    std::unique_ptr<TStringList> saved = std::move(FSaveItems);
    FSaveItems = std::make_unique<TStringList>();
    for (Integer i = 0; i < saved->GetCount(); ++i) FItems->AddObject(saved->GetStrings(i), saved->GetObjects(i));
  }
  if (FScrollWidth > 0) SendMessage(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
  SendMessage(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FSaveTopIndex), 0);
  if (FSaveItemIndex >= 0) SetItemIndex(FSaveItemIndex);
}

void TCustomListBox::DestroyWnd() {
  if (IsVirtual()) {
    FVirtualCount = GetCount();
    FSaveItemIndex = GetItemIndex();
    FSaveTopIndex = GetTopIndex();
    inherited::DestroyWnd();
    return;
  }
  // The items outlive the window.
  auto saved = std::make_unique<TStringList>();
  for (Integer i = 0; i < FItems->GetCount(); ++i) saved->AddObject(FItems->GetStrings(i), FItems->GetObjects(i));
  FSaveItemIndex = GetItemIndex();
  FSaveTopIndex = GetTopIndex();
  inherited::DestroyWnd();
  saved->SetSorted(FSorted);
  FSaveItems = std::move(saved);
}

void TCustomListBox::Clear() {
  if (HandleAllocated())
    SendMessage(FHandle, LB_RESETCONTENT, 0, 0);
  else
    FSaveItems->Clear();
  FSaveItemIndex = -1;
}

void TCustomListBox::ClearSelection() {
  if (FMultiSelect) {
    for (Integer i = 0; i < GetCount(); ++i) SetSelected(i, false);
  } else {
    SetItemIndex(-1);
  }
}

void TCustomListBox::SelectAll() {
  if (FMultiSelect)
    for (Integer i = 0; i < GetCount(); ++i) SetSelected(i, true);
}

void TCustomListBox::DeleteSelected() {
  if (FMultiSelect) {
    for (Integer i = GetCount() - 1; i >= 0; --i)
      if (GetSelected(i)) FItems->Delete(i);
  } else if (Integer index = GetItemIndex(); index >= 0) {
    FItems->Delete(index);
  }
}

Integer TCustomListBox::GetCount() {
  if (!IsVirtual()) return FItems->GetCount();
  if (!HandleAllocated()) return FVirtualCount;
  return static_cast<Integer>(SendMessage(FHandle, LB_GETCOUNT, 0, 0));
}

void TCustomListBox::SetCount(Integer Value) {
  if (!IsVirtual()) throw EListError("Setting the count requires a virtual list box style");
  FVirtualCount = Value < 0 ? 0 : Value;
  if (HandleAllocated()) SendMessage(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FVirtualCount), 0);
}

Integer TCustomListBox::GetItemIndex() {
  if (!HandleAllocated()) return FSaveItemIndex;
  if (FMultiSelect) return static_cast<Integer>(SendMessage(FHandle, LB_GETCARETINDEX, 0, 0));
  return static_cast<Integer>(SendMessage(FHandle, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= GetCount()) Value = -1;
  if (!HandleAllocated()) {
    FSaveItemIndex = Value;
    return;
  }
  if (GetItemIndex() == Value && !FMultiSelect) return;
  if (FMultiSelect)
    SendMessage(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(Value), 0);
  else
    SendMessage(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

bool TCustomListBox::GetSelected(Integer Index) {
  LRESULT result = SendMessage(GetHandle(), LB_GETSEL, static_cast<WPARAM>(Index), 0);
  if (result < 0) ListIndexError(Index);
  return result != 0;
}

void TCustomListBox::SetSelected(Integer Index, bool Value) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  if (FMultiSelect) {
    SendMessage(GetHandle(), LB_SETSEL, Value, Index);
  } else if (Value) {
    SetItemIndex(Index);
  } else if (GetItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

Integer TCustomListBox::GetSelCount() {
  if (!FMultiSelect) return GetItemIndex() >= 0 ? 1 : 0;
  return static_cast<Integer>(SendMessage(GetHandle(), LB_GETSELCOUNT, 0, 0));
}

Integer TCustomListBox::GetTopIndex() {
  return HandleAllocated() ? static_cast<Integer>(SendMessage(FHandle, LB_GETTOPINDEX, 0, 0)) : FSaveTopIndex;
}

void TCustomListBox::SetTopIndex(Integer Value) {
  if (HandleAllocated())
    SendMessage(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
  else
    FSaveTopIndex = std::max(Value, 0);
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (FExtendedSelect == Value) return;
  FExtendedSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FSaveItems->SetSorted(Value);
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

Integer TCustomListBox::GetItemHeight() {
  if (HandleAllocated() && FStyle == lbStandard)
    return static_cast<Integer>(SendMessage(FHandle, LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(Integer Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (FIntegralHeight == Value) return;
  FIntegralHeight = Value;
  RecreateWnd();
}

Integer TCustomListBox::GetScrollWidth() {
  if (HandleAllocated()) FScrollWidth = static_cast<Integer>(SendMessage(FHandle, LB_GETHORIZONTALEXTENT, 0, 0));
  return FScrollWidth;
}

void TCustomListBox::SetScrollWidth(Integer Value) {
  Value = std::max(Value, 0);
  if (GetScrollWidth() == Value) return;
  FScrollWidth = Value;
  if (HandleAllocated()) SendMessage(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

Integer TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) {
  Integer count = GetCount();
  if (HandleAllocated()) {
    for (Integer i = GetTopIndex(); i < count; ++i) {
      TRect r = ItemRect(i);
      if (r.Top > GetClientHeight()) break;
      if (Pos.X >= r.Left && Pos.X < r.Right && Pos.Y >= r.Top && Pos.Y < r.Bottom) return i;
    }
  }
  return Existing ? -1 : count;
}

TRect TCustomListBox::ItemRect(Integer Index) {
  RECT r{0, 0, 0, 0};
  if (Index >= 0 && Index < GetCount() &&
      SendMessage(GetHandle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    return r;
  if (Index == GetCount() && HandleAllocated()) {
    // Just after the last item: where the next one would go.
    Integer height = GetItemHeight();
    Integer top = (Index - GetTopIndex()) * height;
    return TRect{0, top, GetClientWidth(), top + height};
  }
  return TRect{};
}

void TCustomListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  if (FOnDrawItem) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index < 0 || Index >= GetCount()) return;
  String text;
  if (IsVirtual())
    FOnData(this, Index, text);
  else
    text = FItems->GetStrings(Index);
  FCanvas->TextOut(Rect.Left + 2, Rect.Top, text);
}

void TCustomListBox::MeasureItem(Integer Index, Integer& Height) { FOnMeasureItem(this, Index, Height); }

void TCustomListBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state;
  if (item->itemState & ODS_SELECTED) state.Include(odSelected);
  if (item->itemState & ODS_GRAYED) state.Include(odGrayed);
  if (item->itemState & ODS_DISABLED) state.Include(odDisabled);
  if (item->itemState & ODS_CHECKED) state.Include(odChecked);
  if (item->itemState & ODS_FOCUS) state.Include(odFocused);
  FCanvas->SetHandle(item->hDC);
  FCanvas->SetFont(GetFont());
  FCanvas->SetBrush(GetBrush());
  if (state.Contains(odSelected)) {
    FCanvas->GetBrush()->SetColor(clHighlight);
    FCanvas->GetFont()->SetColor(clHighlightText);
  }
  TRect rect = item->rcItem;
  if (static_cast<int>(item->itemID) >= 0)
    DrawItem(static_cast<Integer>(item->itemID), rect, state);
  else
    FCanvas->FillRect(rect);
  if (state.Contains(odFocused)) FCanvas->DrawFocusRect(rect);
  FCanvas->SetHandle(nullptr);
  Message.Result = TRUE;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  Integer height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<Integer>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(std::max(height, 1));
  Message.Result = TRUE;
}
