// The file list's part of ScreenPoints.h (the list view's literals stay apart from the bars').

#include "ScreenPoints.h"

#include "app/VideoListVw.h"
#include "toolkit/editors/kvListView.h"

POINT FileRowPoint(TFrameFileList* AFrame, Integer ARow) {
  TkvListView* list = AFrame->FileList;
  const TRect bounds = list->GetItems()->GetItem(ARow)->DisplayRect(drBounds);
  return ToScreen(list->GetInnerListView(), bounds.Left + 20, (bounds.Top + bounds.Bottom) / 2);
}

String FileRowText(TFrameFileList* AFrame, Integer ARow, Integer AColumn) {
  TListItem* row = AFrame->FileList->GetItems()->GetItem(ARow);
  return AColumn == 0 ? row->GetCaption() : row->GetSubItems()->GetStrings(AColumn - 1);
}
