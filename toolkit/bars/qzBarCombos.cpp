// Combo items: which keys reach the drop-down, where it opens, and the list's text and index.

#include "controls/ListBox.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "user/Input.h"
#include "user/Monitors.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"
#include "vcl/StdCtrls.h"

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

TqzBarItemLink* TCustomqzBarCombo::GetActiveLink() const {
  for (Integer i = 0; i < GetLinkCount(); ++i) {
    TqzBarItemLink* link = GetLink(i);
    auto* control = link ? dynamic_cast<TqzBarWinControl*>(link->GetControl()) : nullptr;
    if (control && (control->GetInPlaceActive() || control->IsDroppedDown())) return link;
  }
  return nullptr;
}

void TCustomqzBarCombo::OpenDropDownAt(Integer X, Integer Y) {
  GetOnDropDown()(this);
  HWND window = GetDropDownHandle();
  if (!window) return;
  PrepareDropDown();
  TqzBarItemLink* link = GetActiveLink();
  RECT size{};
  GetWindowRect(window, &size);
  TRect item = link ? link->GetItemRect() : TRect();
  TCustomqzBarControl* bar = link ? link->GetBarControl() : nullptr;
  bool besides = bar && (bar->GetItemPaintKind() == qzPaintMenu || bar->IsVertical());
  TRect work;
  WorkAreaAtPoint(TPoint(X, Y), work);
  PlaceDropDownIn(work, TSize(item.Width(), item.Height()), TSize(size.Width(), size.Height()), besides, X, Y);
  SetWindowPos(window, nullptr, X, Y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
               SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  AfterDropDown();
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

void TqzBarStreamedStrings::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  DefineStringsProperty(this, Filer);
}

TAVREN_CLASS_IMPL(TqzBarStreamedStrings)

TqzBarCustomCombo::TqzBarCustomCombo(TComponent* AOwner)
    : TCustomqzBarCombo(AOwner), FItems(std::make_unique<TqzBarStreamedStrings>()) {
  FItems->SetOnChange(MakeEvent<&TqzBarCustomCombo::ItemsChanged>(this));
}

TqzBarCustomCombo::~TqzBarCustomCombo() {
  FItems->SetOnChange(TNotifyEvent());
  delete FListBox;
}

HWND TqzBarCustomCombo::GetDropDownHandle() {
  if (HWND window = TCustomqzBarCombo::GetDropDownHandle()) return window;
  if (!FListBox) FListBox = new TqzBarDropDownListBox(this);
  return FListBox->GetHandle();
}

void TqzBarCustomCombo::PrepareDropDown() {
  if (!FListBox) return;
  TqzBarItemLink* link = GetActiveLink();
  auto* control = link ? dynamic_cast<TqzBarCustomEditControl*>(link->GetControl()) : nullptr;
  if (control) {
    // The list looks like the editor it drops from.
    TColor text, back;
    control->Painter()->GetEditColors(control, text, back);
    FListBox->GetFont()->Assign(control->GetParent()->GetEditFont());
    FListBox->GetFont()->SetColor(text);
    FListBox->SetColor(back);
  }
  FListBox->GetCanvas()->GetFont()->Assign(FListBox->GetFont());
  FListBox->GetItems()->Assign(FItems.get());
  // The list's measuring questions go to its owner, the bar window, which does not know the list:
  // the rows take their heights from the item here.
  Integer height = 4;
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    Integer row = MeasureItemHeight(i);
    SendMessage(FListBox->GetHandle(), LB_SETITEMHEIGHT, static_cast<WPARAM>(i), MAKELPARAM(row, 0));
    if (i < FDropDownCount) height += row;
  }
  SetWindowPos(FListBox->GetHandle(), nullptr, 0, 0, GetDropDownListWidth(), height,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

void TqzBarCustomCombo::AfterDropDown() {
  if (!FListBox) return;
  // A list opened by a press still held tracks that press until it moves into the list.
  bool pressed = GetKeyState(VK_LBUTTON) < 0;
  if (pressed) SetCapture(FListBox->GetHandle());
  FListBox->SetPressPending(pressed);
}

void TqzBarCustomCombo::FireCloseUp() {
  TCustomqzBarCombo::FireCloseUp();
  if (FListBox) FListBox->LoseOwner();
}

void TqzBarCustomCombo::OpenDropDownAt(Integer X, Integer Y) {
  // The list belongs to the bar window it drops from: it is made anew for it.
  if (FListBox) FListBox->LoseOwner();
  TCustomqzBarCombo::OpenDropDownAt(X, Y);
  SyncListIndex();
}

void TqzBarCustomCombo::SyncListIndex() {
  TqzBarItemLink* link = GetActiveLink();
  auto* control = link ? dynamic_cast<TqzBarComboControl*>(link->GetControl()) : nullptr;
  if (!control) return;
  String text;
  control->GetInnerText(text);
  Integer index = control->GetPreviewIndex();
  if (index < 0 || index >= FItems->GetCount() || FItems->GetStrings(index) != text) index = FindItemByPrefix(text);
  if (!control->IsDroppedDown() || !FListBox || !FListBox->HandleAllocated()) return;
  if (index >= 0 && AnsiCompareText(FItems->GetStrings(index), text) == 0) {
    FListBox->SetItemIndex(index);
  } else {
    FListBox->SetItemIndex(-1);
    if (index >= 0) FListBox->SetTopIndex(index);
  }
}

void TqzBarCustomCombo::DrawEditArea(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  auto* control = dynamic_cast<TqzBarComboControl*>(AControl);
  Integer index = control && control->GetInPlaceActive() ? control->GetPreviewIndex() : FItemIndex;
  FPaintCanvas = ACanvas->GetCanvas();
  try {
    PaintListItem(AControl->Painter(), index, TOwnerDrawState(), R);
  } catch (...) {
    FPaintCanvas = nullptr;
    throw;
  }
  FPaintCanvas = nullptr;
}

void TqzBarCustomCombo::PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState, const TRect& R) {
  if (FOnDrawItem) {
    FOnDrawItem(this, AIndex, R, AState);
  } else {
    APainter->DrawEditDropDownItem(this, ListItemCanvas(AState), R, AIndex);
  }
  if (AState.Contains(odFocused)) GetListCanvas()->DrawFocusRect(R);
}

TCanvas* TqzBarCustomCombo::ListItemCanvas(TOwnerDrawState AState) {
  TCanvas* canvas = GetListCanvas();
  if (!FPaintCanvas && FListBox) {
    bool selected = AState.Contains(odSelected);
    canvas->GetBrush()->SetColor(selected ? clHighlight : FListBox->GetColor());
    canvas->GetFont()->SetColor(selected ? clHighlightText : FListBox->GetFont()->GetColor());
  }
  return canvas;
}

TCanvas* TqzBarCustomCombo::GetListCanvas() {
  if (FPaintCanvas) return FPaintCanvas;
  if (!FListBox) FListBox = new TqzBarDropDownListBox(this);
  if (FListBox->GetCanvas()->HandleAllocated()) return FListBox->GetCanvas();
  // Between paints the list measures on a canvas of its own in the list's font.
  if (!FMeasureBitmap) {
    FMeasureBitmap = std::make_unique<TBitmap>();
    FMeasureBitmap->SetSize(1, 1);
  }
  FMeasureBitmap->GetCanvas()->SetFont(FListBox->GetFont());
  return FMeasureBitmap->GetCanvas();
}

Integer TqzBarCustomCombo::GetDropDownListWidth() {
  Integer scrollBar = FItems->GetCount() > FDropDownCount ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  Integer width = FDropDownWidth;
  if (width <= 0) {
    TqzBarItemLink* link = GetActiveLink();
    auto* control = link ? dynamic_cast<TqzBarCustomEditControl*>(link->GetControl()) : nullptr;
    TRect edit;
    if (control) control->GetEditAreaRect(edit);
    width = (control ? edit.Width() - 4 : 0) - scrollBar;
    for (Integer i = 0; i < FItems->GetCount(); ++i) width = std::max(width, MeasureItemWidth(i));
  }
  return width + 4 + scrollBar;
}

Integer TqzBarCustomCombo::MeasureItemHeight(Integer AIndex) {
  Integer height = FItemHeight > 0 ? FItemHeight : GetListCanvas()->TextHeight("Qq");
  FOnMeasureItem(this, AIndex, height);
  return height;
}

Integer TqzBarCustomCombo::MeasureItemWidth(Integer AIndex) {
  return GetListCanvas()->TextWidth(ItemText(AIndex)) + 2;
}

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
