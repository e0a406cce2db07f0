#include "app/Main.h"

#include "app/About.h"
#include "app/Progress.h"
#include "app/VideoEdit.h"
#include "app/AppWindows.h"
#include "app/FormatsAdvance.h"
#include "app/MainCommands.h"
#include "app/MainUpdater.h"
#include "core/Formats.h"
#include "core/Global.h"
#include "core/GlobalFun.h"
#include "user/Shell.h"
#include "user/SystemInfo.h"
#include "user/WindowPos.h"

TFormMain* FormMain = nullptr;

TFormMain::~TFormMain() = default;

void TFormMain::FormCreate(TObject*) {
  Application()->SetTitle(ProductName);
  FSettings = new TFormOSetting(this);
  FSettings->AfterConstruction();
  FillProfiles();
  // The pane centres its knob on the bar.
  FPreview = std::make_unique<TPreviewPane>(
      GlobalMediaPlayer, TPreviewControls{PanelPlay, ImagePlayerBG, ImageBar, ImagePos, ImagePlay, ImagePause, lblName,
                                          lblLength, lblSize, TimerUpdatePos});
  LoadCommandImages();
  FrameFileList->SetVideoList(GlobalVideoList);
  GlobalVideoList->Attach(FrameFileList);
  GlobalVideoList->Attach(this);
  FSettings->FrameOFormat->SetFormats(GlobalFormats);
  GlobalFormats->Attach(FSettings->FrameOFormat);
  LaunchUpdater(GetHandle(), ExecutableFolder());
}

void TFormMain::FormShow(TObject*) {
  if (FWidened) return;
  FWidened = true;
  WidenForNewerSystems();
}

void TFormMain::FormClose(TObject*, TCloseAction&) {
  GlobalMediaPlayer->Stop();
  TimerUpdatePos->SetEnabled(false);
}

void TFormMain::FormDestroy(TObject*) {
  // At the program's end the services have gone before the windows.
  if (GlobalVideoList) {
    GlobalVideoList->Detach(this);
    GlobalVideoList->Detach(FrameFileList);
  }
  if (GlobalFormats && FSettings) GlobalFormats->Detach(FSettings->FrameOFormat);
  delete FSettings;
  FSettings = nullptr;
}

void TFormMain::AddVideo(TObject*) { AddVideoFiles(*GlobalVideoList, *GlobalMediaInfo, Application()->GetTitle()); }

void TFormMain::DeleteVideo(TObject*) { DeleteSelectedFile(*GlobalVideoList, FrameFileList->GetSelectedRow()); }

void TFormMain::ClearVideo(TObject*) { GlobalVideoList->Clear(); }

void TFormMain::ShowEffectEdit(TObject*) {
  EditSelected([](TFormMain*) { FormVideoEdit->ShowEffectPage(); });
}

void TFormMain::ShowTrimEdit(TObject*) {
  EditSelected([](TFormMain*) { FormVideoEdit->ShowTrimPage(); });
}

void TFormMain::ShowCropEdit(TObject*) {
  EditSelected([](TFormMain*) { FormVideoEdit->ShowCropPage(); });
}

void TFormMain::EditSelected(void (*ShowPage)(TFormMain*)) {
  const Integer row = FrameFileList->GetSelectedRow();
  if (row < 0) return;
  TPlayContext context;
  FPreview->OnPlayerState(2);
  FillPlayContext(*GlobalVideoList, row, context);
  FormVideoEdit->Open(GlobalMediaPlayer, &context);
  ShowPage(this);
  if (FormVideoEdit->ShowModal() != mrOk) return;
  const TTaskInfo* task = context.Task;
  FrameFileList->SetTrimmedLength(row, FormatTicks(true, task->TrimmedLength()));
}

void TFormMain::HelpClick(TObject*) {
  ShellExecuteA(GetHandle(), "open", (ExecutableFolder() + "help.chm").c_str(), nullptr, nullptr, SW_SHOW);
}

void TFormMain::ShowAbout(TObject*) { FormAbout->ShowModal(); }

void TFormMain::ShowAdvance(TObject*) { FSettings->ShowModal(); }

void TFormMain::ConvertVideo(TObject*) {
  if (GlobalVideoList->GetCount() == 0) return;
  GlobalMediaPlayer->Stop();
  // The knob would otherwise go on asking a stopped player for its position.
  TimerUpdatePos->SetEnabled(false);
  QueueConversion(*GlobalVideoList, *FormProgress);
  FormProgress->ShowModal();
}

void TFormMain::FrameFileListFileListDblClick(TObject*) {
  const Integer row = FrameFileList->GetSelectedRow();
  if (row < 0) return;
  const TVideoInfo* info = GlobalVideoList->GetInfo(row);
  FPreview->Play(GlobalVideoList->GetPath(row), info->Duration, info->Width, info->Height);
}

void TFormMain::TimerUpdatePosTimer(TObject*) { FPreview->UpdatePosition(); }

void TFormMain::ImagePosMouseDown(TObject*, TMouseButton, TShiftState, Integer, Integer) { FPreview->KnobDown(); }

void TFormMain::ImagePosMouseMove(TObject*, TShiftState, Integer X, Integer) { FPreview->KnobMove(X); }

void TFormMain::ImagePosMouseUp(TObject*, TMouseButton, TShiftState, Integer, Integer) { FPreview->KnobUp(); }

void TFormMain::ImagePlayClick(TObject*) { FPreview->PlayClick(); }

void TFormMain::ImagePauseClick(TObject*) { FPreview->PauseClick(); }
