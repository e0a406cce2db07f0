// The owner-drawn list behind lookup and popup lists.

#include <algorithm>

#include "controls/ListBox.h"
#include "gdi/SysMetrics.h"
#include "gdi/Text.h"
#include "toolkit/editors/kvTextEdit.h"
#include "user/MessageNumbers.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL(TkvCustomEditListBox)

TAVREN_MESSAGE_TABLE(TkvCustomEditListBox, MESSAGE_HANDLER(CM_SHOWINGCHANGED, CMShowingChanged),
                     MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))

TkvCustomEditListBox::TkvCustomEditListBox(TComponent* AOwner) : TkvCustomInnerListBox(AOwner) {
  SetStyle(lbOwnerDrawFixed);
  SetBorderStyle(bsNone);
}

void TkvCustomEditListBox::CreateParams(TCreateParams& Params) {
  TkvCustomInnerListBox::CreateParams(Params);
  Params.Style &= ~WS_BORDER;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

TkvCustomEdit* TkvCustomEditListBox::GetOwnerEdit() { return dynamic_cast<TkvCustomEdit*>(GetOwner()); }

Integer TkvCustomEditListBox::RowHeight() { return TextHeightInFont(GetFont(), "Wg"); }

Integer TkvCustomEditListBox::RowTextWidth(Integer Index) {
  return TextWidthInFont(GetFont(), RowText(Index));
}

bool TkvCustomEditListBox::IsVisible() { return HandleAllocated() && IsWindowVisible(GetHandle()); }

void TkvCustomEditListBox::SetRowCount(Integer Count) {
  TStrings* items = GetItems();
  if (items->GetCount() == Count) return;
  items->BeginUpdate();
  try {
    while (items->GetCount() < Count) items->Add(String());
    while (items->GetCount() > std::max(Count, 0)) items->Delete(items->GetCount() - 1);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TkvCustomEditListBox::SetItemIndex(Integer Value) {
  TCustomListBox::SetItemIndex(Value);
  FireSelectionChanged();
}

void TkvCustomEditListBox::Click() {
  TkvCustomInnerListBox::Click();
  FireSelectionChanged();
}

void TkvCustomEditListBox::FireSelectionChanged() {
  SelectionChanged();
  FOnSelectionChanged(this);
}

bool TkvCustomEditListBox::UsesStrictStyle() {
  TkvCustomEdit* edit = GetOwnerEdit();
  auto* properties = edit ? dynamic_cast<TkvCustomTextEditProperties*>(edit->GetEffectiveProperties()) : nullptr;
  if (!properties) return false;
  Byte style = properties->EditingStyleCode();
  return style == kvEditingStrictList || style == kvEditingNoTyping;
}

void TkvCustomEditListBox::MeasureItem(Integer, Integer& Height) { Height = RowHeight(); }

void TkvCustomEditListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  if (GetOnDrawItem() || DrawsItemItself(Index, Rect, State)) {
    TkvCustomInnerListBox::DrawItem(Index, Rect, State);
    return;
  }
  TCanvas* canvas = GetCanvas();
  // The list window has laid the list's own brush under the rows it paints: only the highlight of
  // a selected row is filled here.
  if (State.Contains(odSelected)) canvas->FillRect(Rect);
  if (Index < 0 || Index >= GetItems()->GetCount()) return;
  String text = RowText(Index);
  bool rightToLeft = GetBiDiMode() != bdLeftToRight;
  TRect r = Rect;
  if (rightToLeft)
    r.Right -= 2;
  else
    r.Left += 2;
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
  // The row's font and colour go into the device context before the text is drawn through it.
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SetBkMode(canvas->GetHandle(), TRANSPARENT);
  DrawText(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &r, format);
}

void TkvCustomEditListBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TkvCustomInnerListBox::MouseMove(Shift, X, Y);
  if (!FHotTrack || GetCaptureControl() == this) return;
  Integer row = ItemAtPos(TPoint{X, Y}, true);
  if (row != -1 && row != GetItemIndex()) SetItemIndex(row);
}

bool TkvCustomEditListBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (TkvCustomInnerListBox::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  Integer rowHeight = std::max(1, GetItemHeight());
  Integer shown = std::max(1, GetClientHeight() / rowHeight);
  // A page setting, or more lines than the list shows, scrolls one page instead.
  if (lines == WHEEL_PAGESCROLL || static_cast<Integer>(lines) > shown) {
    Perform(WM_VSCROLL, WheelDelta > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    return true;
  }
  for (UINT i = 0; i < lines; ++i) Perform(WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  return true;
}

void TkvCustomEditListBox::WMEraseBkgnd(TMessage& Message) {
  // The list window fills what it paints with the list's brush: erasing first would fill it twice.
  Message.Result = 1;
}

void TkvCustomEditListBox::CMShowingChanged(TMessage& Message) {
  InheritedMessage(Message);
  // The window acts as focused for its selection look; the keyboard focus stays where it is.
  if (HandleAllocated()) CallWindowProc(FDefWndProc, GetHandle(), WM_SETFOCUS, 0, 0);
}
