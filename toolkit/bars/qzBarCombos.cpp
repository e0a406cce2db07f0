// Combo items: which keys reach the drop-down, where it opens, and the list's text and index.

#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL_PUBLISHED(TCustomqzBarCombo,
    PROPERTY(ShowEditor).Default(true),
    PROPERTY(OnCheckKeyForDropDownWindow),
    PROPERTY(OnCloseUp),
    PROPERTY(OnDropDown),
    PROPERTY(OnGetDropDownWindow))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarCustomCombo,
    PROPERTY(DropDownCount).Default(8),
    PROPERTY(DropDownWidth).Default(0),
    PROPERTY(OnDrawItem),
    PROPERTY(OnMeasureItem))
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarCombo,
    PROPERTY(ItemHeight).Default(0),
    PROPERTY(Items),
    PROPERTY(Sorted).Default(false),
    PROPERTY(ItemIndex))

// ---- Combo base ----------------------------------------------------------------------------

bool TCustomqzBarCombo::KeyGoesToDropDown(Word AKey, TShiftState AShift) {
  bool accept = AKey != VK_TAB && AKey != VK_RETURN && AKey != VK_ESCAPE;
  FOnCheckKey(this, AKey, AShift, accept);
  return accept;
}

HWND TCustomqzBarCombo::GetDropDownHandle() {
  HWND window = nullptr;
  FOnGetDropDownWindow(this, window);
  return window;
}

void TCustomqzBarCombo::FireCloseUp() {
  if (HWND window = GetDropDownHandle()) ShowWindow(window, SW_HIDE);
  FOnCloseUp(this);
}

void TCustomqzBarCombo::PlaceDropDownIn(const TRect& AWorkArea, const TSize& AItemSize, const TSize& ADropDownSize,
                                        bool AInMenuOrVertical, Integer& X, Integer& Y) {
  if (AInMenuOrVertical) {
    if (X + ADropDownSize.cx > AWorkArea.Right && AWorkArea.Right - X < X - AItemSize.cx - AWorkArea.Left)
      X -= ADropDownSize.cx + AItemSize.cx;
    if (Y + ADropDownSize.cy > AWorkArea.Bottom) Y = AWorkArea.Bottom - ADropDownSize.cy;
  } else {
    if (X + ADropDownSize.cx > AWorkArea.Right) X = AWorkArea.Right - ADropDownSize.cx;
    if (Y + ADropDownSize.cy > AWorkArea.Bottom && AWorkArea.Bottom - Y < Y - AItemSize.cy - AWorkArea.Top)
      Y -= AItemSize.cy + ADropDownSize.cy;
  }
  X = std::max(X, static_cast<Integer>(AWorkArea.Left));
  Y = std::max(Y, static_cast<Integer>(AWorkArea.Top));
}

// ---- Combo with a list ---------------------------------------------------------------------

TqzBarCustomCombo::TqzBarCustomCombo(TComponent* AOwner)
    : TCustomqzBarCombo(AOwner), FItems(std::make_unique<TStringList>()) {
  FItems->SetOnChange(MakeEvent<&TqzBarCustomCombo::ItemsChanged>(this));
}

TqzBarCustomCombo::~TqzBarCustomCombo() { FItems->SetOnChange(TNotifyEvent()); }

String TqzBarCustomCombo::ItemText(Integer AIndex) const {
  return AIndex >= 0 && AIndex < FItems->GetCount() ? FItems->GetStrings(AIndex) : String();
}

void TqzBarCustomCombo::ItemsChanged(TObject*) {
  if (FItemIndex >= FItems->GetCount()) SetItemIndex(-1);
}

void TqzBarCustomCombo::SetItemIndex(Integer Value) {
  if (FItemIndex == Value) return;
  FItemIndex = Value < 0 || Value >= FItems->GetCount() ? -1 : Value;
  String text = ItemText(FItemIndex);
  if (text != GetText())
    SetText(text);
  else
    FireChange();
}

void TqzBarCustomCombo::SetText(const String& Value) {
  if (FItemIndex == -1 || ItemText(FItemIndex) != Value) FItemIndex = FItems->IndexOf(Value);
  TCustomqzBarCombo::SetText(Value);
}

void TqzBarCustomCombo::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FItems->SetSorted(Value);
  FItemIndex = FItems->IndexOf(GetText());
}

bool TqzBarCustomCombo::KeyGoesToDropDown(Word AKey, TShiftState AShift) {
  if (!AShift.Empty()) return false;
  return AKey == VK_PRIOR || AKey == VK_NEXT || AKey == VK_UP || AKey == VK_DOWN;
}

Integer TqzBarCustomCombo::FindItemByPrefix(const String& AText) {
  String text = AnsiUpperCase(AText);
  size_t best = 0;
  Integer result = -1;
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    String item = AnsiUpperCase(FItems->GetStrings(i));
    if (item.compare(0, best, text, 0, best) != 0 || item.size() < best) continue;
    size_t length = best;
    while (length < text.size() && length < item.size() && item[length] == text[length]) ++length;
    if (length > best) {
      best = length;
      result = i;
    }
    if (best == text.size() && result >= 0) return result;
  }
  return result;
}
