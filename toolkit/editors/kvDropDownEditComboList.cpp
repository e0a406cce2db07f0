// The combo box's list: its rows, the size it asks for, the whole rows a user's resizing ends on,
// and the popup window sized by it.

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "gdi/Text.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TkvCustomComboBoxListBox)
TAVREN_CLASS_IMPL(TkvComboBoxListBox)
TAVREN_CLASS_IMPL(TkvComboBoxLookupData)
TAVREN_CLASS_IMPL(TkvComboBoxPopupWindow)

// ---- List ------------------------------------------------------------------------------------

TkvCustomComboBoxListBox::TkvCustomComboBoxListBox(TComponent* AOwner) : TkvCustomEditListBox(AOwner) {
  SetStyle(lbOwnerDrawVariable);
}

TkvCustomComboBox* TkvCustomComboBoxListBox::GetCombo() { return dynamic_cast<TkvCustomComboBox*>(GetOwnerEdit()); }

void TkvCustomComboBoxListBox::CreateParams(TCreateParams& Params) {
  TkvCustomEditListBox::CreateParams(Params);
  // A handler's drawing may depend on the row's width.
  if (TkvCustomComboBox* combo = GetCombo(); combo && combo->HasDrawItemHandler())
    Params.WindowClass.style |= CS_HREDRAW;
}

Integer TkvCustomComboBoxListBox::ItemRowHeight(Integer Index) {
  TkvCustomComboBox* combo = GetCombo();
  const Integer itemHeight = combo ? combo->ComboProperties()->GetItemHeight() : 0;
  Integer height = itemHeight > 0 ? itemHeight : TkvCustomEditListBox::RowHeight();
  if (combo && Index >= 0) {
    TkvCanvas canvas(GetCanvas());
    combo->DoMeasureItem(Index, &canvas, height);
  }
  return height;
}

Integer TkvCustomComboBoxListBox::SumRowHeights(Integer Count) {
  // Without a measuring handler every row is as high as the first.
  if (TkvCustomComboBox* combo = GetCombo(); !combo || !combo->HasMeasureItemHandler())
    return std::max<Integer>(Count, 0) * ItemRowHeight(-1);
  Integer total = 0;
  for (Integer i = 0; i < Count; ++i) total += ItemRowHeight(i);
  return total;
}

void TkvCustomComboBoxListBox::PrepareForShowing() {
  TkvCustomComboBox* combo = GetCombo();
  const bool measured = combo && combo->HasMeasureItemHandler();
  SetItemHeight(ItemRowHeight(-1));
  SetStyle(measured ? lbOwnerDrawVariable : lbOwnerDrawFixed);
}

String TkvCustomComboBoxListBox::RowText(Integer Index) {
  TkvCustomComboBox* combo = GetCombo();
  TkvComboBoxLookupData* lookup = combo ? combo->GetComboLookupData() : nullptr;
  return lookup ? lookup->KeyText(Index) : TkvCustomEditListBox::RowText(Index);
}

void TkvCustomComboBoxListBox::MeasureItem(Integer Index, Integer& Height) { Height = ItemRowHeight(Index); }

bool TkvCustomComboBoxListBox::DrawsItemItself(Integer Index, const TRect& Rect, TOwnerDrawState State) {
  TkvCustomComboBox* combo = GetCombo();
  if (!combo || !combo->HasDrawItemHandler()) return false;
  TkvCanvas canvas(GetCanvas());
  combo->DoDrawItem(&canvas, Index, Rect, State);
  return true;
}

void TkvCustomComboBoxListBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  // The row under a pointer that has not moved since the list showed does not become hot.
  if (TkvCustomComboBox* combo = GetCombo(); combo && combo->GetPopupMouseMoveLocked()) {
    combo->SetPopupMouseMoveLocked(false);
    return;
  }
  TkvCustomEditListBox::MouseMove(Shift, X, Y);
}

void TkvCustomComboBoxListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomComboBoxListBox> self(this);
  TkvCustomEditListBox::MouseUp(Button, Shift, X, Y);
  if (!self || Button != mbLeft) return;
  const Integer row = ItemAtPos(TPoint{X, Y}, true);
  TkvCustomComboBox* combo = GetCombo();
  if (row == -1 || !combo) return;
  SetCaptureControl(nullptr);
  if (!self) return;
  SetItemIndex(row);
  combo->EndPopup(pcrAccept);
}

// ---- Lookup data -----------------------------------------------------------------------------

void TkvComboBoxLookupData::PrepareList(TWinControl* Parent) {
  TkvCustomTextEditLookupData::PrepareList(Parent);
  auto* combo = dynamic_cast<TkvCustomDropDownEdit*>(GetOwnerEdit());
  if (ComboList() && combo && combo->GetPopupControlsLookAndFeel())
    ComboList()->GetLookAndFeel()->AttachToMaster(combo->GetPopupControlsLookAndFeel());
}

TSize TkvComboBoxLookupData::MeasureList(Integer MaxHeight, Integer AvailableWidth) {
  TkvCustomComboBoxListBox* list = ComboList();
  auto* combo = dynamic_cast<TkvCustomComboBox*>(GetOwnerEdit());
  if (!list || !combo) return TSize{0, 0};
  const Integer count = ItemCount();
  const Integer rows = combo->ComboProperties()->GetDropDownRows();
  TSize size{0, list->SumRowHeights(std::min(rows, count))};
  size.cx = WidestItemWidth(list->GetFont()) + 4;
  list->SetScrollWidth(size.cx);
  if (count > rows || (MaxHeight > 0 && size.cy > MaxHeight)) size.cx += GetSystemMetrics(SM_CXVSCROLL);
  if (AvailableWidth > 0 && size.cx > AvailableWidth) size.cy += GetSystemMetrics(SM_CYHSCROLL);
  return size;
}

Integer TkvComboBoxLookupData::WidestItemWidth(TFont* Font) {
  const Integer count = ItemCount();
  if (FWidest.Valid && FWidest.Count == count && FWidest.FontName == Font->GetName() &&
      FWidest.FontHeight == Font->GetHeight() && FWidest.FontStyle == Font->GetStyle())
    return FWidest.Width;
  // The font is chosen once for all the rows.
  Integer widest = 0;
  TkvScreenCanvas* canvas = ScreenCanvasInstance();
  if (!canvas) return 0;
  canvas->CurrentFont()->Assign(Font);
  for (Integer i = 0; i < count; ++i) widest = std::max(widest, canvas->MeasureText(ItemText(i)).cx);
  FWidest = TWidestItem{true, count, Font->GetName(), Font->GetHeight(), Font->GetStyle(), widest};
  return widest;
}

void TkvComboBoxLookupData::ItemListChanged() {
  FWidest.Valid = false;
  TkvCustomTextEditLookupData::ItemListChanged();
}

bool TkvComboBoxLookupData::ResizeList(TSize& Size, Integer MaxHeight, Integer MaxWidth) {
  TkvCustomComboBoxListBox* list = ComboList();
  if (!list) return true;
  if (Size.cx == list->GetWidth() && Size.cy == list->GetHeight()) return true;
  const Integer count = ItemCount();
  const Integer vBar = GetSystemMetrics(SM_CXVSCROLL), hBar = GetSystemMetrics(SM_CYHSCROLL);
  const Integer scrollWidth = list->GetScrollWidth();
  const bool growing = Size.cy >= list->GetHeight();
  // 0 stands for no limit.
  auto over = [](Integer Limit, Integer Value) { return Limit > 0 && Limit < Value; };
  // The height of rows 0..Last with the horizontal bar when the client width needs it.
  auto rowsHeight = [&](Integer Total, bool VerticalBar, bool& HorzBar) {
    const Integer client = Size.cx - (VerticalBar ? vBar : 0);
    HorzBar = client < scrollWidth || over(MaxWidth, client);
    return Total + (HorzBar ? hBar : 0);
  };
  Integer total = 0, h = 0, shown = count;
  bool horzBar = false;
  auto* combo = dynamic_cast<TkvCustomComboBox*>(GetOwnerEdit());
  const Integer uniformHeight = combo && combo->HasMeasureItemHandler() ? 0 : list->ItemRowHeight(-1);
  for (Integer i = 0; i < count; ++i) {
    const Integer rowHeight = uniformHeight > 0 ? uniformHeight : list->ItemRowHeight(i);
    total += rowHeight;
    h = rowsHeight(total, i != count - 1, horzBar);
    if (Size.cy == h && !over(MaxHeight, h)) {
      shown = i + 1;
      break;
    }
    if (Size.cy < h || over(MaxHeight, h)) {
      if (over(MaxHeight, h) || growing) {
        // The partly covered row is left out.
        total -= rowHeight;
        h = rowsHeight(total, true, horzBar);
        shown = i;
      } else {
        shown = i + 1;
      }
      break;
    }
  }
  if (shown == count) h = rowsHeight(list->SumRowHeights(count), false, horzBar);
  Size.cy = h;
  if (shown < count) Size.cx = std::max(Size.cx, vBar + (horzBar ? vBar : 0));
  return true;
}

// ---- Popup window ----------------------------------------------------------------------------

void TkvComboBoxPopupWindow::AdjustToChildren() {
  GetEditViewInfo()->GripCorner = 3;
  RefreshOwnerBounds();
  auto* edit = dynamic_cast<TkvCustomDropDownEdit*>(GetOwnerControl());
  if (!edit) return;
  TakeOwnerLooks();
  const TRect b = BorderMarginsRect();
  const TSize minimum = MinimumSize();
  Integer contentWidth = 0, contentHeight = 0;
  edit->MeasurePopupContent(contentWidth, contentHeight);
  const bool resized = edit->GetPopupSizeChanged() && GetSizeable();
  const Integer ownerWidth = GetOwnerBounds().Width();
  Integer width;
  if (resized || (!GetAutoSize() && GetPopupWidth() > 0))
    width = GetPopupWidth();
  else if (GetAutoSize())
    width = std::max(contentWidth + b.Left + b.Right, ownerWidth);
  else
    width = ownerWidth;
  Integer height;
  if ((resized || GetPopupHeight() != 0) && (GetSizeable() || !GetAutoSize()))
    height = GetPopupHeight();
  else
    height = contentHeight + b.Top + b.Bottom;
  if (GetSizeable()) {
    width = std::max(width, GetMinWidth());
    height = std::max(height, GetMinHeight());
  }
  const bool calculating = GetCalculating();
  SetCalculating(true);
  try {
    SetBounds(GetLeft(), GetTop(), std::max(width, minimum.cx), std::max(height, minimum.cy));
  } catch (...) {
    SetCalculating(calculating);
    throw;
  }
  SetCalculating(calculating);
}
