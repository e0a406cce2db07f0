// The inspector's data, layout, painting, scrolling and reactions to item changes.

#include "toolkit/inspector/JyInspector.h"

#include <algorithm>

#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyInspectorCommon.h"
#include "toolkit/inspector/JyThemesSupport.h"
#include "user/Rects.h"
#include "user/User.h"

TAVREN_MESSAGE_TABLE(TJyCustomInspector,
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(WM_VSCROLL, WMVScroll),
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus))

TJyCustomInspector::TJyCustomInspector(TComponent* AOwner)
    : TJyScrollControl(AOwner),
      FCollapseGlyph(std::make_unique<TBitmap>()),
      FExpandGlyph(std::make_unique<TBitmap>()) {
  FHintHideTimer = new TTimer(this);
  FHintHideTimer->SetEnabled(false);
  FHintHideTimer->SetInterval(static_cast<Cardinal>(Application()->GetHintHidePause()));
  FHintHideTimer->SetOnTimer(MakeEvent<&TJyCustomInspector::HintHideTick>(this));
  FHintShowTimer = new TTimer(this);
  FHintShowTimer->SetEnabled(false);
  FHintShowTimer->SetInterval(static_cast<Cardinal>(Application()->GetHintPause()));
  FHintShowTimer->SetOnTimer(MakeEvent<&TJyCustomInspector::HintShowTick>(this));
  FHintWindow = new TItemHintWindow(this);
  FHintWindow->SetColor(clInfoBk);
  FItems = new TJyPropertyItems(this);
  FItems->SetOnItemChange(MakeEvent<&TJyCustomInspector::ItemChange>(this));
  FItems->SetOnChange(MakeEvent<&TJyCustomInspector::ItemsChange>(this));
  SetParentColor(false);
  SetColor(clWindow);
  SetBounds(GetLeft(), GetTop(), 245, 200);
  GetVertScrollBar()->SetLargeChange(4);
}

void TJyCustomInspector::BeforeDestruction() {
  // The items go while the control is whole; none of their notices need answering any more.
  FItems->SetOnItemChange(nullptr);
  FItems->SetOnChange(nullptr);
  FEditingItem = FSuffixEditingItem = FSelectedItem = FHotItem = nullptr;
  FHintWindow->Item = nullptr;
  FItems->Clear();
  inherited::BeforeDestruction();
}

TJyCustomInspector::~TJyCustomInspector() = default;

void TJyCustomInspector::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (FBorderStyle == bsSingle)
    Params.ExStyle |= WS_EX_STATICEDGE;
  else
    Params.ExStyle &= ~WS_EX_STATICEDGE;
  Params.WindowClass.style &= ~CS_VREDRAW;
}

void TJyCustomInspector::CreateWnd() {
  inherited::CreateWnd();
  ShowScrollBar(GetHandle(), SB_HORZ, FALSE);
  ShowScrollBar(GetHandle(), SB_VERT, FALSE);
  FVertScrollArea = GetClientRect();
  GetVertScrollBar()->SetLargeChange(4);
  UpdateScrollBar();
}

// ---- Layout -------------------------------------------------------------------------------------

Integer TJyCustomInspector::VisibleRowCount() {
  Integer count = 0;
  for (TJyPropertyItem* item : FItems->Active())
    if (!item->Hidden()) ++count;
  return count;
}

bool TJyCustomInspector::IsLaidOut(TJyPropertyItem* Item) {
  return Item && !Item->Hidden() && Item->GetVisible() && !(FHideTopLevel && Item->IsTopLevel()) &&
         Item->Collection() == FItems;
}

std::vector<TJyPropertyItem*> TJyCustomInspector::LaidOutRows() {
  std::vector<TJyPropertyItem*> rows;
  for (TJyPropertyItem* item : FItems->Active())
    if (IsLaidOut(item)) rows.push_back(item);
  return rows;
}

Integer TJyCustomInspector::RowOrdinal(TJyPropertyItem* Item) {
  if (!IsLaidOut(Item)) return -1;
  Integer ordinal = 0;
  for (TJyPropertyItem* item : FItems->Active()) {
    if (item == Item) return ordinal;
    if (IsLaidOut(item)) ++ordinal;
  }
  return -1;
}

Integer TJyCustomInspector::ScrollRange() {
  // Counted in laid-out rows, like the scroll position: rows HideTopLevel hides take no room.
  return static_cast<Integer>(LaidOutRows().size()) - GetClientHeight() / Pitch();
}

Integer TJyCustomInspector::RowsFromTop() {
  const std::vector<TJyPropertyItem*> rows = LaidOutRows();
  const Integer position = GetVertScrollBar()->GetPosition();
  Integer count = 0, height = 0;
  for (Integer i = position; i < static_cast<Integer>(rows.size()); ++i) {
    ++count;
    height += Pitch();
    if (height > GetClientHeight()) break;
  }
  return count;
}

TJyPropertyItem* TJyCustomInspector::ItemAtPos(Integer, Integer Y) {
  if (Y < 0) return nullptr;
  const std::vector<TJyPropertyItem*> rows = LaidOutRows();
  const Integer index = Y / Pitch() + GetVertScrollBar()->GetPosition();
  return index >= 0 && index < static_cast<Integer>(rows.size()) ? rows[index] : nullptr;
}

Integer TJyCustomInspector::RowTopOf(TJyPropertyItem* Item) {
  if (Item && Item == FPaintingItem) return FPaintingTop;
  const Integer ordinal = RowOrdinal(Item);
  if (ordinal < 0) return -1;
  return (ordinal - GetVertScrollBar()->GetPosition()) * Pitch();
}

TRect TJyCustomInspector::SuffixRect(TJyPropertyItem* Item) {
  const Integer width = GetClientWidth(), top = RowTopOf(Item);
  return Rect(width - FSuffixWidth, top, width, top + FRowHeight);
}

TRect TJyCustomInspector::RowArea(TJyPropertyItem* Item, Integer Area) {
  const Integer top = RowTopOf(Item), bottom = top + FRowHeight, s = FSplitterPosition, w = GetClientWidth();
  const bool text = dynamic_cast<TJyCustomTextualItem*>(Item) != nullptr;
  switch (Area) {
    case raWholeRow:
      return Rect(0, top, w, bottom);
    case raNoMargin:
      return Rect(14, top, w, bottom);
    case raCaption:
      return Rect(14, top, Item->IsTopLevel() ? w : s, bottom);
    case raExpand:
      return Rect(0, top, Item->Indent() + 14, bottom);
    case raPreview:
      return text && Item->GetShowPreview() ? Rect(s + 1, top, s + 30, bottom) : TRect{};
    case raSplitter:
      return Rect(s, top, s + 1, bottom);
    case raSuffix:
      return Item->GetShowSuffix() ? Rect(w - FSuffixWidth, top, w, bottom) : TRect{};
    case raValueText:
      if (!text) return TRect{};
      return Rect(Item->GetShowPreview() ? s + 30 : s + 1, top, Item->GetShowSuffix() ? w - FSuffixWidth : w, bottom);
    case raValueColumn:
      return Item->IsTopLevel() ? TRect{} : Rect(s + 1, top, w, bottom);
    default:
      return TRect{};
  }
}

void TJyCustomInspector::RefreshItem(TJyPropertyItem* Item, Integer Area) {
  if (!Item || !HandleAllocated() || !IsLaidOut(Item)) return;
  const Integer top = RowTopOf(Item), bottom = top + FRowHeight;
  TRect r;
  switch (Area) {
    case raWholeRow:
      r = Rect(0, top, GetClientWidth(), bottom);
      break;
    case raCaption:
      r = Rect(14, top, FSplitterPosition, bottom);
      break;
    case raValueColumn:
      r = Rect(FSplitterPosition + 1, top, GetClientWidth(), bottom);
      break;
    default:
      return;
  }
  InvalidateRect(GetHandle(), &r, FALSE);
}

void TJyCustomInspector::RefreshToolbarButton(TJyPropertyItem* Item, Integer Index) {
  auto* toolbar = dynamic_cast<TJyToolbarItem*>(Item);
  if (!toolbar || !HandleAllocated() || !IsLaidOut(Item)) return;
  const Integer n = toolbar->GetButtons()->GetCount(), bw = toolbar->GetButtonWidth(), top = RowTopOf(Item);
  const Integer x = toolbar->GetAlignment() == baLeftJustify ? FSplitterPosition + 1 + Index * bw
                                                             : GetClientWidth() - bw - (n - Index - 1) * bw;
  const TRect r = Rect(x, top, x + bw, top + FRowHeight);
  InvalidateRect(GetHandle(), &r, FALSE);
}

void TJyCustomInspector::RefreshToolbarText(TJyPropertyItem* Item) {
  auto* toolbar = dynamic_cast<TJyToolbarItem*>(Item);
  if (!toolbar || !toolbar->GetShowText() || !HandleAllocated() || !IsLaidOut(Item)) return;
  // The text stands after the buttons (left-aligned bar) or before them: the value column holds both.
  const Integer top = RowTopOf(Item);
  const TRect r = Rect(FSplitterPosition + 1, top, GetClientWidth(), top + FRowHeight);
  InvalidateRect(GetHandle(), &r, FALSE);
}

// ---- Painting -----------------------------------------------------------------------------------

void TJyCustomInspector::UpdateScrollBar() {
  const Integer range = ScrollRange();
  GetVertScrollBar()->SetMax(range);
  if (HandleAllocated()) ShowScrollBar(GetHandle(), SB_VERT, range > 0);
}

void TJyCustomInspector::Paint() {
  inherited::Paint();
  if (GetComponentState().Contains(csReading)) return;
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  UpdateScrollBar();
  const Integer width = GetClientWidth();
  const TRect clip = canvas->GetClipRect();
  const std::vector<TJyPropertyItem*> rows = LaidOutRows();
  Integer y = -Pitch() * GetVertScrollBar()->GetPosition();
  for (TJyPropertyItem* item : rows) {
    if (y >= clip.Bottom) {
      // The rest lies below what is being painted.
      y += Pitch() * static_cast<Integer>(rows.end() - std::find(rows.begin(), rows.end(), item));
      break;
    }
    // Rows know their top during the paint without counting the rows above them again.
    FPaintingItem = item;
    FPaintingTop = y;
    PaintItem(item);
    FPaintingItem = nullptr;
    y += FRowHeight;
    if (FOptions.Contains(poGrid)) {
      canvas->GetPen()->SetColor(FMarginColor);
      canvas->MoveTo(0, y);
      canvas->LineTo(14, y);
      canvas->GetPen()->SetColor(FGridColor);
      canvas->LineTo(width, y);
      y += 1;
    }
  }
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(Rect(0, y, width, GetClientHeight()));
}

void TJyCustomInspector::PrepareDisplay(TJyItemDisplay* Display, TJyPropertyItem* Item) {
  Display->BiDiMode = GetBiDiMode();
  Display->SelectionColor = FSelectionColor;
  Display->CategoriesColor = FCategoriesColor;
  Display->MarginColor = FMarginColor;
  Display->GridColor = FGridColor;
  Display->VisualStyles = IsThemed() && FEnableVisualStyles;
  Display->Selected = Item == FSelectedItem;
  Display->Canvas = GetCanvas();
  Display->Images = FImages;
  Display->Style = FStyle;
  Display->Window = HandleAllocated() ? GetHandle() : nullptr;
  Display->ButtonsStyle = FButtonsStyle;
  Display->ExpandGlyph = FExpandGlyph.get();
  Display->CollapseGlyph = FCollapseGlyph.get();
}

bool TJyCustomInspector::PaintItem(TJyPropertyItem* Item) {
  TCanvas* canvas = GetCanvas();
  const Integer top = RowTopOf(Item), width = GetClientWidth(), s = FSplitterPosition;
  const TRect row = Rect(0, top, width, top + FRowHeight);
  const TRect clip = canvas->GetClipRect();
  if (row.Bottom <= clip.Top || row.Top >= clip.Bottom) return true;
  SetClipRect(canvas, row);
  canvas->GetBrush()->SetColor(FGridColor);
  canvas->FillRect(Rect(s, top, s + 1, row.Bottom));
  canvas->GetBrush()->SetColor(FMarginColor);
  canvas->FillRect(Rect(0, top, 14, row.Bottom));
  TJyItemDisplay* display = Item->Display();
  PrepareDisplay(display, Item);
  display->PaintRect = Rect(14, top, Item->IsTopLevel() ? width : s, row.Bottom);
  display->PaintCaption();
  if (Item->HasChildren()) display->PaintExpandButton();
  TRect value = Rect(s + 1, top, width, row.Bottom);
  if (Item->GetShowSuffix()) {
    value.Right = width - FSuffixWidth;
    display->PaintRect = SuffixRect(Item);
    display->PaintSuffix();
  }
  if (Item != FEditingItem) {
    display->PaintRect = value;
    display->PaintValue();
  }
  FOnRowPainted(this, Item, display->PaintRect);
  SetClipRect(canvas, GetClientRect());
  return true;
}

// ---- Scrolling and resizing ---------------------------------------------------------------------

void TJyCustomInspector::ScrollLines(Integer Lines) {
  for (Integer i = 0; i < std::abs(Lines); ++i)
    SendMessage(GetHandle(), WM_VSCROLL, Lines > 0 ? SB_LINEDOWN : SB_LINEUP, 0);
}

void TJyCustomInspector::WMVScroll(TMessage& Message) {
  CloseEditors();
  InheritedMessage(Message);
}

bool TJyCustomInspector::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  inherited::DoMouseWheelDown(Shift, MousePos);
  CloseEditors();
  SendMessage(GetHandle(), WM_VSCROLL, Shift.Contains(ssCtrl) ? SB_PAGEDOWN : SB_LINEDOWN, 0);
  return true;
}

bool TJyCustomInspector::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  inherited::DoMouseWheelUp(Shift, MousePos);
  CloseEditors();
  SendMessage(GetHandle(), WM_VSCROLL, Shift.Contains(ssCtrl) ? SB_PAGEUP : SB_LINEUP, 0);
  return true;
}

void TJyCustomInspector::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  const Integer width = GetClientWidth(), height = GetClientHeight();
  if (height != FLastClientHeight) {
    const TRect r = Rect(0, std::min(FLastClientHeight, height), width, height);
    InvalidateRect(GetHandle(), &r, FALSE);
    FLastClientHeight = height;
  }
  if (width != FLastClientWidth) {
    const TRect r = Rect(std::min(FLastClientWidth, width), 0, width, height);
    InvalidateRect(GetHandle(), &r, FALSE);
    FLastClientWidth = width;
  }
  PlaceEditor();
  UpdateScrollBar();
  FVertScrollArea = GetClientRect();
}

// ---- Item changes -------------------------------------------------------------------------------

void TJyCustomInspector::ForgetItem(TJyPropertyItem* Item) {
  if (FEditingItem == Item) {
    // The editor goes with the item: the keyboard comes back here first.
    TJyCustomEdit* editor = Item->Editor();
    const bool focused = editor && editor->HandleAllocated() && GetFocus() == editor->GetHandle();
    if (editor) {
      editor->SetOnKeyDown(nullptr);
      editor->SetOnChange(nullptr);
    }
    FEditingItem = nullptr;
    if (focused && CanFocus()) SetFocus();
  }
  if (FSuffixEditingItem == Item) {
    Item->SuffixEditor()->SetOnChange(nullptr);
    FSuffixEditingItem = nullptr;
  }
  if (FSelectedItem == Item) FSelectedItem = nullptr;
  if (FHotItem == Item) FHotItem = nullptr;
  if (FHintWindow->Item == Item) {
    FHintWindow->Item = nullptr;
    CancelHint();
  }
}

void TJyCustomInspector::ItemsChange(TObject*) {
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::ItemChange(TObject*, TJyPropertyItem* Item, Integer Index, Integer Kind) {
  if (Kind == ickDeleted) ForgetItem(Item);
  if (Kind == ickOptions || Kind == ickRepaintValue || Kind == ickValue || Kind == ickToolbarText)
    RefreshItem(Item, raValueColumn);
  if (Kind == ickToolbarClick || Kind == ickToolbarButton) RefreshToolbarButton(Item, Index);
  if (Kind == ickRepaint || Kind == ickEnabled) RefreshItem(Item, raWholeRow);
  if (Kind == ickEnabled) CloseEditors();
  if (Kind == ickCollapsed || Kind == ickExpanded) {
    CloseEditors();
    FOnExpand(this, Item);
    ExpandChanged(Item, Kind == ickCollapsed);
  }
  if (Kind == ickVisibility) {
    if (Item == FEditingItem) CloseEditors();
    PlaceEditor();
    if (HandleAllocated()) Invalidate();
  }
  if (Kind == ickValue) {
    const String value = Item->GetValue();
    FOnChange(this, Item, value);
    if (Item == FEditingItem && Item->Editor()) Item->Editor()->SetText(value);
    ValueChanged(Item, value);
  }
  if (Kind == ickToolbarClick) {
    RefreshToolbarText(Item);
    FOnToolbarClick(this, Item, Index);
  }
  if (Kind == ickSuffixValue) FOnSuffixEdit(this, Item, Item->GetSuffixValue());
  if (Kind == ickAdded && HandleAllocated() && IsLaidOut(Item)) {
    // The rows below make room for the new one; only the uncovered band repaints.
    const Integer top = RowTopOf(Item);
    const TRect below = Rect(0, top, GetClientWidth(), GetClientHeight());
    if (top < GetClientHeight())
      ScrollWindowEx(GetHandle(), 0, Pitch(), &below, &below, nullptr, nullptr, SW_INVALIDATE);
  }
}

// ---- Properties ---------------------------------------------------------------------------------

void TJyCustomInspector::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FAssociate) FAssociate = nullptr;
}

void TJyCustomInspector::SetAssociate(TComponent* Value) {
  FAssociate = Value;
  if (!Value) return;
  for (TJyPropertyItem* item : FItems->TreeList())
    if (!item->GetMapProperty().empty() && item->GetEnabled()) item->ReadFromAssociate();
  Value->FreeNotification(this);
}

void TJyCustomInspector::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

namespace {
template <class T>
void Store(TJyCustomInspector* Self, T& Field, T Value) {
  Field = Value;
  if (Self->HandleAllocated()) Self->Invalidate();
}
}  // namespace

void TJyCustomInspector::SetButtonsStyle(TButtonsStyle Value) { Store(this, FButtonsStyle, Value); }
void TJyCustomInspector::SetCategoriesColor(TColor Value) { Store(this, FCategoriesColor, Value); }
void TJyCustomInspector::SetEnableVisualStyles(bool Value) { Store(this, FEnableVisualStyles, Value); }
void TJyCustomInspector::SetGridColor(TColor Value) { Store(this, FGridColor, Value); }
void TJyCustomInspector::SetHideTopLevel(bool Value) { Store(this, FHideTopLevel, Value); }
void TJyCustomInspector::SetMarginColor(TColor Value) { Store(this, FMarginColor, Value); }
void TJyCustomInspector::SetStyle(TPropertiesStyle Value) { Store(this, FStyle, Value); }

void TJyCustomInspector::SetCollapseGlyph(TBitmap* Value) {
  FCollapseGlyph->Assign(Value);
  if (!FCollapseGlyph->GetEmpty()) {
    FCollapseGlyph->SetTransparentColor(FCollapseGlyph->GetCanvas()->GetPixel(0, FCollapseGlyph->GetHeight() - 1));
    FCollapseGlyph->SetTransparent(true);
  }
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::SetExpandGlyph(TBitmap* Value) {
  FExpandGlyph->Assign(Value);
  if (!FExpandGlyph->GetEmpty()) {
    FExpandGlyph->SetTransparentColor(FExpandGlyph->GetCanvas()->GetPixel(0, FExpandGlyph->GetHeight() - 1));
    FExpandGlyph->SetTransparent(true);
  }
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::SetItemsArrange(TItemsArrange Value) {
  FItemsArrange = Value;
  FItems->SetArrange(Value);
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::SetOptions(TInspectorPropertyOptions Value) {
  FOptions = Value;
  CloseEditors();
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::SetRowHeight(Integer Value) {
  FRowHeight = Value;
  CloseEditors();
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::SetSuffixWidth(Integer Value) {
  FSuffixWidth = Value;
  CloseEditors();
  if (HandleAllocated()) Invalidate();
}

void TJyCustomInspector::SetSplitterPosition(Integer Value) {
  if (Value < 15) Value = 14;
  const bool changed = Value != FSplitterPosition;
  FSplitterPosition = Value;
  PlaceEditor();
  if (changed && HandleAllocated()) Invalidate();
}

// ---- Streaming ----------------------------------------------------------------------------------

void TJyCustomInspector::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  inherited::GetChildren(Proc, Root);
  for (TJyPropertyItem* item : FItems->TreeList())
    if (item->IsTopLevel()) Proc(item);
}
