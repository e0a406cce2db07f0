#include "app/MainCommands.h"

#include "app/Progress.h"
#include "app/VideoEdit.h"
#include "core/GlobalFun.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"
#include "vcl/Dialogs.h"

const char* const MediaFileFilter =
    "All supported media format|*.avi;*.mp4;*.mpg;*.mpeg;*.3gp;*.wmv;*.asf;*.rm;*.rmvb;*.dat;*.mov;*.flv;*.mp3;"
    "*.wav;*.m4a;*.wma|All files|*.*";

void FillProfileLines(const TFormats& Formats, TStrings* Lines) {
  Lines->BeginUpdate();
  Lines->Clear();
  for (Integer i = 0; i < Formats.GetCount(); ++i) {
    const TXMLFormatType format = Formats.GetRoot().GetItems(i);
    Lines->Add(format.GetName() + " (*." + format.GetGeneral().GetFileExt() + ")");
  }
  Lines->EndUpdate();
}

void ChooseProfile(TFormats& Formats, Integer ItemIndex) {
  if (ItemIndex < 0 || ItemIndex >= Formats.GetCount()) return;
  TFormatSelection selection = Formats.GetSelection();
  selection.Format = ItemIndex;
  Formats.SetSelection(selection);
  Formats.ApplyDefaults();
}

void AddFiles(TVideoList& List, TMediaInfo& Probe, TStrings* Files) {
  for (Integer i = 0; i < Files->GetCount(); ++i) {
    const String path = Files->GetStrings(i);
    try {
      List.AddFile(&Probe, path);
    } catch (const Exception&) {
      ShowInformation(Format("Failed to create decoder, file %s cannot be imported.", ExtractFileName(path).c_str()));
    }
  }
}

void AddVideoFiles(TVideoList& List, TMediaInfo& Probe, const String& Title) {
  TOpenDialog dialog(nullptr);
  dialog.SetOptions(TOpenOptions{ofAllowMultiSelect});
  dialog.SetTitle(Title);
  dialog.SetInitialDir(List.GetInDir());
  dialog.SetFilter(MediaFileFilter);
  if (dialog.Execute()) AddFiles(List, Probe, dialog.GetFiles());
}

void DeleteSelectedFile(TVideoList& List, Integer Index) {
  if (Index < 0)
    ShowInformation("Please select a item");
  else
    List.Delete(Index);
}

bool QueueConversion(const TVideoList& List, TFormProgress& Window) {
  if (List.GetCount() == 0) return false;
  Window.ClearTasks();
  Window.SetOutDir(List.GetOutDir());
  for (Integer i = 0; i < List.GetCount(); ++i) Window.AddTask(List.GetPath(i), List.GetInfo(i)->Task);
  return true;
}

void FillPlayContext(const TVideoList& List, Integer Index, TPlayContext& Context) {
  const TVideoInfo* info = List.GetInfo(Index);
  Context.Path = List.GetPath(Index);
  Context.HasVideo = info->HasVideo;
  Context.Width = info->Width;
  Context.Height = info->Height;
  Context.Duration = info->Duration;
  Context.Task = info->Task;
}
