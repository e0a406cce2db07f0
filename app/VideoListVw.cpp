#include "app/VideoListVw.h"

#include "core/GlobalFun.h"
#include "rtl/ClassRegistry.h"
#include "rtl/FileUtils.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvListView.h"
#include "toolkit/editors/kvTextEdit.h"

TFrameFileList::TFrameFileList(TComponent* AOwner) : TFrame(AOwner) {}

void TFrameFileList::AfterConstruction() {
  TFrame::AfterConstruction();
  // The list's components exist once the frame's resource is read.
  FileList->SetGridLines(true);
  FileList->SetRowSelect(true);
  FileList->SetOnSelectItem(MakeEvent<&TFrameFileList::FileListSelectItem>(this));
}

// The list drops its selection when a button goes down on empty space, before the frame hears of
// the click: the row to restore is the one selected last.
void TFrameFileList::FileListSelectItem(TObject*, TListItem* Item, bool Selected) {
  if (Selected && Item) FSelectedRow = Item->GetIndex();
}

HRESULT TFrameFileList::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TFrameFileList::Update() {
  // The editor belongs to a row that may be gone or hold another file now.
  Edit->Hide();
  TListItems* items = FileList->GetItems();
  items->BeginUpdate();
  FSelectedRow = -1;
  items->Clear();
  const Integer count = FVideoList ? FVideoList->GetCount() : 0;
  for (Integer i = 0; i < count; ++i) {
    const TVideoInfo* info = FVideoList->GetInfo(i);
    TListItem* row = items->Add();
    row->SetCaption(ExtractFileName(FVideoList->GetPath(i)));
    row->GetSubItems()->Add(FormatTicks(true, info->Duration));
    row->GetSubItems()->Add(FormatTicks(true, info->Task->TrimmedLength()));
    row->GetSubItems()->Add(info->Task->OutName);
  }
  items->EndUpdate();
  if (count > 0) items->GetItem(count - 1)->SetSelected(true);
}

// X and Y come in the list control's coordinates; its rows live in those of the inner list view.
void TFrameFileList::FileListMouseDown(TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
  TkvCustomInnerListView* inner = FileList->GetInnerListView();
  const TPoint at = inner->ScreenToClient(FileList->ClientToScreen(TPoint(X, Y)));
  TListItem* row = inner->GetItemAt(at.X, at.Y);
  if (!row) {
    Edit->Hide();
    TListItem* selected = FileList->GetSelected();
    FLastSelected = selected ? selected->GetIndex() : FSelectedRow;
    return;
  }
  const Integer x3 = row->DisplayRect(drBounds).Left + FileList->Column(0)->GetWidth() +
                     FileList->Column(1)->GetWidth() + FileList->Column(2)->GetWidth();
  const Integer width = FileList->Column(3)->GetWidth();
  if (at.X <= x3 || at.X >= x3 + width) return;
  FEditRow = row->GetIndex();
  const TRect cell = row->DisplayRect(drSelectBounds);
  const TPoint place = ScreenToClient(inner->ClientToScreen(TPoint(x3, cell.Top)));
  Edit->SetBounds(place.X, place.Y, width + 1, cell.Height() + 2);
  Edit->SetText(row->GetSubItems()->GetStrings(2));
  Edit->Show();
  Edit->BringToFront();
  Edit->SetFocus();
}

void TFrameFileList::FileListMouseUp(TObject*, TMouseButton, TShiftState, Integer, Integer) {
  TListItems* items = FileList->GetItems();
  if (!FileList->GetSelected() && FLastSelected >= 0 && FLastSelected < items->GetCount())
    items->GetItem(FLastSelected)->SetSelected(true);
}

void TFrameFileList::EditChange(TObject*) {
  const String name = Edit->GetText();
  FVideoList->GetInfo(FEditRow)->Task->OutName = name;
  FileList->GetItems()->GetItem(FEditRow)->GetSubItems()->SetStrings(2, name);
}

TAVREN_CLASS_IMPL_PUBLISHED(TFrameFileList,
    FIELD(FileList), FIELD(Edit), METHOD(FileListMouseDown), METHOD(FileListMouseUp), METHOD(EditChange))

Integer TFrameFileList::GetSelectedRow() const {
  TListItem* row = FileList->GetSelected();
  return row ? row->GetIndex() : -1;
}

void TFrameFileList::SetTrimmedLength(Integer Row, const String& Text) {
  FileList->GetItems()->GetItem(Row)->GetSubItems()->SetStrings(1, Text);
}

void VideoListVwStart() { RegisterClasses({TFrameFileList::ClassInfo()}); }
