// The inspector's selection, in-place editors, keys, mouse, splitter drag and row hints.

#include <algorithm>

#include "controls/ScrollBars.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyInspector.h"
#include "user/Rects.h"
#include "user/User.h"
#include "user/VirtualKeys.h"

// ---- Selection ----------------------------------------------------------------------------------

void TJyCustomInspector::SelectRow(TJyPropertyItem* Item) {
  TJyPropertyItem* old = FSelectedItem;
  FSelectedItem = Item;
  if (old != Item) RefreshItem(old, raWholeRow);
  ScrollIntoView(RowOrdinal(Item));
  if (old != Item) {
    RefreshItem(Item, raWholeRow);
    FOnSelectItem(this, Item);
  }
  OpenEditor(Item);
  OpenSuffixEditor(Item);
}

void TJyCustomInspector::ScrollIntoView(Integer Ordinal) {
  if (Ordinal < 0 || !HandleAllocated()) return;
  const Integer position = GetVertScrollBar()->GetPosition(), shown = RowsFromTop();
  if (Ordinal >= position + shown)
    ScrollLines(Ordinal - position - shown + 1);
  else if (Ordinal < position)
    ScrollLines(Ordinal - position);
  const std::vector<TJyPropertyItem*> rows = LaidOutRows();
  if (Ordinal < static_cast<Integer>(rows.size()) &&
      RowTopOf(rows[Ordinal]) + FRowHeight + GridWidth() > GetClientHeight())
    ScrollLines(1);
}

TJyPropertyItem* TJyCustomInspector::NextVisibleItem(TJyPropertyItem* Item) {
  const auto& active = FItems->Active();
  const Integer at = Item ? Item->GetNodeIndex() : -1;
  for (Integer i = at + 1; i < static_cast<Integer>(active.size()); ++i)
    if (IsLaidOut(active[i])) return active[i];
  return nullptr;
}

TJyPropertyItem* TJyCustomInspector::PrevVisibleItem(TJyPropertyItem* Item) {
  const auto& active = FItems->Active();
  const Integer at = Item ? Item->GetNodeIndex() : 0;
  for (Integer i = at - 1; i >= 0; --i)
    if (IsLaidOut(active[i])) return active[i];
  return nullptr;
}

// ---- Editors ------------------------------------------------------------------------------------

void TJyCustomInspector::OpenEditor(TJyPropertyItem* Item) {
  if (Item == FEditingItem && Item) return;
  if (FEditingItem) {
    TJyPropertyItem* previous = FEditingItem;
    previous->HideEditor();
    if (TJyCustomEdit* editor = previous->Editor()) {
      editor->SetOnKeyDown(nullptr);
      editor->SetOnChange(nullptr);
    }
    FEditingItem = nullptr;
    RefreshItem(previous, raValueColumn);
  }
  TJyCustomEdit* editor = Item ? Item->Editor() : nullptr;
  if (editor && Item->GetEnabled() && Item->GetVisible() && !Item->GetReadOnly() && Item->HasEditor() &&
      Item->AllAncestorsExpanded() && IsLaidOut(Item)) {
    FEditingItem = Item;
    FHintWindow->ReleaseHandle();
    Integer width = GetClientWidth() - FSplitterPosition - 1;
    if (Item->GetShowSuffix()) width -= FSuffixWidth;
    editor->SetParent(this);
    editor->SetBorderStyle(bsNone);
    Item->PrepareEditor();
    editor->Hide();
    editor->SetBounds(FSplitterPosition + 1, Item->RowTop(), width, FRowHeight);
    SetWindowPos(editor->GetHandle(), nullptr, FSplitterPosition + 1, Item->RowTop(), width, FRowHeight,
                 SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
    editor->Show();
    editor->SetOnKeyDown(MakeEvent<&TJyCustomInspector::EditorKeyDown>(this));
    editor->SetOnChange(MakeEvent<&TJyCustomInspector::EditorChange>(this));
    if (editor->CanFocus()) editor->SetFocus();
    return;
  }
  if (CanFocus() && HandleAllocated() && IsWindowVisible(GetHandle())) SetFocus();
}

void TJyCustomInspector::OpenSuffixEditor(TJyPropertyItem* Item) {
  if (FSuffixEditingItem) {
    if (FSuffixEditingItem == Item) return;
    FSuffixEditingItem->SuffixEditor()->SetOnChange(nullptr);
    FSuffixEditingItem->HideSuffixEditor();
    FSuffixEditingItem = nullptr;
  }
  if (!Item || !Item->GetShowSuffix() || !IsLaidOut(Item)) return;
  FSuffixEditingItem = Item;
  TJyComboBox* suffix = Item->SuffixEditor();
  suffix->SetParent(this);
  suffix->SetInplace(true);
  suffix->SetHideFocus(true);
  suffix->SetStyle(Item->GetSuffixStyle() == ssDropDown ? dsDropDown : dsDropDownList);
  const TRect r = SuffixRect(Item);
  suffix->SetBounds(r.Left + 1, Item->RowTop(), GetClientWidth() - r.Left - 1, FRowHeight);
  suffix->SetText(Item->GetSuffixValue());
  suffix->SetOnChange(MakeEvent<&TJyCustomInspector::SuffixEditorChange>(this));
  Item->ShowSuffixEditor();
}

void TJyCustomInspector::SuffixEditorChange(TObject*) {
  if (FSuffixEditingItem) FSuffixEditingItem->SetSuffixValue(FSuffixEditingItem->SuffixEditor()->GetText());
}

void TJyCustomInspector::CloseEditors() {
  if (TJyPropertyItem* item = FEditingItem) {
    // Forgotten first: hiding the editor moves the focus, which must not apply twice.
    FEditingItem = nullptr;
    if (TJyCustomEdit* editor = item->Editor()) {
      const bool focused = editor->HandleAllocated() && GetFocus() == editor->GetHandle();
      editor->SetOnKeyDown(nullptr);
      editor->SetOnChange(nullptr);
      item->HideEditor();
      if (focused && HandleAllocated() && CanFocus()) SetFocus();
    }
    RefreshItem(item, raValueColumn);
  }
  if (TJyPropertyItem* item = FSuffixEditingItem) {
    FSuffixEditingItem = nullptr;
    item->SuffixEditor()->SetOnChange(nullptr);
    item->HideSuffixEditor();
  }
}

void TJyCustomInspector::PlaceEditor() {
  if (!FEditingItem) return;
  TJyCustomEdit* editor = FEditingItem->Editor();
  const Integer right = FEditingItem->GetShowSuffix() ? SuffixRect(FEditingItem).Left : GetClientWidth();
  editor->SetBounds(FSplitterPosition + 1, FEditingItem->RowTop(), right - FSplitterPosition - 1, FRowHeight);
}

void TJyCustomInspector::ApplyEditing(bool Close) {
  if (FSuffixEditingItem) FSuffixEditingItem->SetSuffixValue(FSuffixEditingItem->SuffixEditor()->GetText());
  TJyPropertyItem* item = FEditingItem;
  if (!item) return;
  TJyCustomEdit* editor = item->Editor();
  const String text = editor->GetText();
  if (text != item->GetAsString()) {
    bool accept = true;
    FOnEdit(this, item, text, accept);
    if (accept) {
      item->SetValue(text);
    } else {
      FMouseDown = false;
      editor->SetText(item->GetValue());
      if (Close) CloseEditors();
    }
  }
  if (FEditingItem && !Close) FEditingItem->Editor()->SelectAll();
}

void TJyCustomInspector::EditorChange(TObject*) {
  TJyPropertyItem* item = FEditingItem;
  if (!item) return;
  const String text = item->Editor()->GetText();
  if (item->GetOptions().Contains(itoAutoApply)) item->SetValue(text);
  // The handler is told; what it answers changes nothing while typing.
  bool accept = true;
  if (FEditingItem) FOnEdit(this, item, text, accept);
}

void TJyCustomInspector::EditorKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
  // Alt+Up and Alt+Down open and close a drop-down, and an open list takes the arrows and
  // Return: those keys belong to the editor, not to row navigation.
  auto* popup = dynamic_cast<TJyPopupEdit*>(Sender);
  if (Shift.Contains(ssAlt) || (popup && popup->GetDroppedDown())) return;
  switch (Key) {
    case VK_RETURN: {
      const bool next = FOptions.Contains(poEnterSelectNext);
      ApplyEditing(next);
      if (next && FSelectedItem)
        if (TJyPropertyItem* following = NextVisibleItem(FSelectedItem)) SelectRow(following);
      Key = 0;
      break;
    }
    case VK_ESCAPE:
      CloseEditors();
      Key = 0;
      break;
    case VK_HOME:
    case VK_END:
      break;
    default:
      KeyDown(Key, Shift);
      break;
  }
}

// ---- Keys ---------------------------------------------------------------------------------------

void TJyCustomInspector::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  const auto& tree = FItems->TreeList();
  switch (Key) {
    case VK_RETURN:
      ApplyEditing(true);
      if (FOptions.Contains(poEnterSelectNext) && FSelectedItem)
        if (TJyPropertyItem* next = NextVisibleItem(FSelectedItem)) SelectRow(next);
      break;
    case VK_END:
      if (!tree.empty()) SelectRow(tree.back());
      break;
    case VK_HOME:
      if (!tree.empty()) SelectRow(tree.front());
      break;
    case VK_UP: {
      if (!FSelectedItem) break;
      TJyPropertyItem* previous = PrevVisibleItem(FSelectedItem);
      if (!previous) break;
      // Applied before scrolling: a scroll closes the editor, which would drop what was typed.
      ApplyEditing(true);
      if (previous->RowTop() < 0) ScrollLines(-1);
      SelectRow(previous);
      Key = 0;
      break;
    }
    case VK_DOWN: {
      if (!FSelectedItem) break;
      TJyPropertyItem* next = NextVisibleItem(FSelectedItem);
      if (!next) break;
      ApplyEditing(true);
      if (next->RowTop() + FRowHeight + GridWidth() > GetClientHeight()) ScrollLines(1);
      SelectRow(next);
      Key = 0;
      break;
    }
    case 187:
      if (FSelectedItem) FSelectedItem->SetExpanded(true);
      break;
    case 189:
      if (FSelectedItem) FSelectedItem->SetExpanded(false);
      break;
    default:
      if (FSelectedItem && FSelectedItem->GetEnabled() && !FSelectedItem->GetReadOnly())
        FSelectedItem->Display()->KeyDown(Key, Shift);
      break;
  }
}

// ---- Mouse --------------------------------------------------------------------------------------

bool TJyCustomInspector::InValueArea(TJyPropertyItem* Item, Integer X, Integer Y) {
  const Integer top = Item->RowTop();
  return top >= 0 && X > FSplitterPosition && X < GetClientWidth() && Y >= top && Y < top + FRowHeight;
}

void TJyCustomInspector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbMiddle) FMouseDown = true;
  FHintWindow->ReleaseHandle();
  if (FOptions.Contains(poSplitterMoving) && InSplitterZone(X)) {
    FSplitterDrag = true;
    return;
  }
  ApplyEditing(true);
  TJyPropertyItem* item = ItemAtPos(X, Y);
  if (!item) return;
  if (item->HasChildren() && Button == mbLeft && X > item->Indent() && X < item->Indent() + 14)
    item->SetExpanded(!item->GetExpanded());
  if (!item->GetEnabled()) return;
  SelectRow(item);
  if (!FSelectedItem || FSelectedItem->GetReadOnly()) return;
  if (InValueArea(item, X, Y) && item->GetEnabled() && !item->GetReadOnly()) {
    TJyItemDisplay* display = item->Display();
    PrepareDisplay(display, item);
    display->PaintRect = RowArea(item, raValueColumn);
    display->MouseDown(Button, Shift, X - FSplitterPosition - 1, Y - item->RowTop());
  }
}

void TJyCustomInspector::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (FItems->GetCount() == 0 || GetRollState().Contains(rsActive)) return;
  SetCursor(FOptions.Contains(poSplitterMoving) && InSplitterZone(X) ? crHSplit : crDefault);
  if (FSplitterDrag) {
    SetSplitterPosition(X);
    return;
  }
  TJyPropertyItem* item = ItemAtPos(X, Y);
  if (FHotItem && (item != FHotItem || X < FSplitterPosition)) FHotItem->Display()->MouseLeave();
  FHotItem = item;
  if (!item) return;
  if (item != FHintWindow->Item) {
    if (!item->GetShowHint() || item->GetHint().empty()) {
      CancelHint();
    } else if (FHintWindow->Item && IsWindowVisible(FHintWindow->GetHandle())) {
      FHintHideTimer->SetEnabled(false);
      FHintWindow->Item = item;
      ShowItemHint(item);
    } else {
      FHintShowTimer->SetEnabled(true);
    }
  }
  if (FMouseDown && !FOptions.Contains(poUniformSelect) && item->GetEnabled()) SelectRow(item);
  if (InValueArea(item, X, Y)) {
    TJyItemDisplay* display = item->Display();
    PrepareDisplay(display, item);
    display->PaintRect = RowArea(item, raValueColumn);
    if (!item->GetReadOnly() && item->GetEnabled())
      display->MouseMove(Shift, X - FSplitterPosition - 1, Y - item->RowTop());
  }
}

void TJyCustomInspector::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  FSplitterDrag = false;
  FMouseDown = false;
  TJyPropertyItem* item = ItemAtPos(X, Y);
  if (item && InValueArea(item, X, Y) && !item->GetReadOnly() && item->GetEnabled()) {
    TJyItemDisplay* display = item->Display();
    PrepareDisplay(display, item);
    display->PaintRect = RowArea(item, raValueColumn);
    display->MouseUp(Button, Shift, X - FSplitterPosition - 1, Y - item->RowTop());
  }
}

void TJyCustomInspector::DblClick() {
  inherited::DblClick();
  const TPoint p = ScreenToClient(Mouse()->GetCursorPos());
  TJyPropertyItem* item = ItemAtPos(p.X, p.Y);
  if (item && item->HasChildren() && p.X > item->Indent() + 14) item->SetExpanded(!item->GetExpanded());
}

void TJyCustomInspector::MouseLeave() {
  inherited::MouseLeave();
  if (FHotItem) FHotItem->Display()->MouseLeave();
  FHotItem = nullptr;
  CancelHint();
}

// ---- Focus --------------------------------------------------------------------------------------

void TJyCustomInspector::DoEnter() {
  inherited::DoEnter();
  RefreshItem(FSelectedItem, raCaption);
}

void TJyCustomInspector::DoExit() {
  inherited::DoExit();
  ApplyEditing(true);
  CloseEditors();
  RefreshItem(FSelectedItem, raCaption);
}

void TJyCustomInspector::WMKillFocus(TMessage& Message) {
  InheritedMessage(Message);
  if (FSelectedItem && IsLaidOut(FSelectedItem)) {
    const Integer top = FSelectedItem->RowTop();
    const TRect r = Rect(14, top, FSplitterPosition, top + FRowHeight);
    InvalidateRect(GetHandle(), &r, FALSE);
  }
  CancelHint();
}

// ---- Hints --------------------------------------------------------------------------------------

void TJyCustomInspector::ShowItemHint(TJyPropertyItem* Item) {
  if (!Item || !Item->GetShowHint() || Item->GetHint().empty()) return;
  FHintShowTimer->SetEnabled(false);
  TRect r = FHintWindow->CalcHintRect(GetClientWidth(), Item->GetHint(), nullptr);
  const TPoint cursor = Mouse()->GetCursorPos();
  OffsetRect(&r, cursor.X, cursor.Y);
  FHintWindow->ActivateHint(r, Item->GetHint());
  FHintHideTimer->SetEnabled(true);
}

void TJyCustomInspector::HintShowTick(TObject*) {
  FHintShowTimer->SetEnabled(false);
  FHintWindow->Item = FHotItem;
  ShowItemHint(FHotItem);
}

void TJyCustomInspector::HintHideTick(TObject*) {
  FHintHideTimer->SetEnabled(false);
  FHintWindow->ReleaseHandle();
}

void TJyCustomInspector::CancelHint() {
  FHintShowTimer->SetEnabled(false);
  FHintHideTimer->SetEnabled(false);
  FHintWindow->Item = nullptr;
  FHintWindow->ReleaseHandle();
}
