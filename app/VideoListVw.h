#pragma once
// The file-list frame: the task list as a four-column report (source, its length, the length of
// the chosen range, the destination name), rebuilt after every change of the list. A click in the
// destination column opens an editor over that cell whose every keystroke renames the file's
// output.

#include "core/VideoList.h"
#include "vcl/Forms.h"

// The editors' units are included by the source only (see FormatsAdvance.h).
class TkvListView;
class TkvTextEdit;
class TListItem;

class TFrameFileList : public TFrame, public IObserver {
  TAVREN_CLASS(TFrameFileList, TFrame)
 public:
  explicit TFrameFileList(TComponent* AOwner);
  void AfterConstruction() override;

  // The task list shown (not owned); set before the frame is attached to it.
  void SetVideoList(TVideoList* List) { FVideoList = List; }
  // Rebuilds every row and selects the last one.
  void Update() override;

  // A frame is owned by its form, not counted through its interfaces.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  // The task-list index whose destination the editor edits, and the row selected when the user
  // last clicked below the rows (-1: none).
  Integer GetEditRow() const { return FEditRow; }
  Integer GetLastSelected() const { return FLastSelected; }
  // The task-list index of the selected row, -1 without one.
  Integer GetSelectedRow() const;
  // Shows Text as the length of Row's chosen range.
  void SetTrimmedLength(Integer Row, const String& Text);

  TkvListView* FileList = nullptr;
  TkvTextEdit* Edit = nullptr;

  void FileListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void FileListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void EditChange(TObject* Sender);

 private:
  void FileListSelectItem(TObject* Sender, TListItem* Item, bool Selected);

  TVideoList* FVideoList = nullptr;
  Integer FEditRow = -1;
  Integer FLastSelected = -1;
  Integer FSelectedRow = -1;
};

void VideoListVwStart();
