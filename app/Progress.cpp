#include "app/Progress.h"

#include "core/Global.h"
#include "core/GlobalFun.h"
#include "gdi/Gdi.h"
#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvLabel.h"
#include "toolkit/editors/kvProgressBar.h"
#include "user/MessageBox.h"
#include "vcl/Graphics.h"

TFormProgress::~TFormProgress() = default;

void TFormProgress::FormCreate(TObject*) {
  FRun = std::make_unique<TProgressRun>(GlobalMediaConverter, GlobalFormats);
  FRun->OnState = MakeEvent<&TFormProgress::OnEngineState>(this);
}

void TFormProgress::AddTask(const String& Source, TTaskInfo* Task) { FRun->AddTask(Source, Task); }

void TFormProgress::ClearTasks() { FRun->ClearTasks(); }

void TFormProgress::SetOutDir(const String& Folder) { FRun->SetOutDir(Folder); }

void TFormProgress::SetTimers(bool On) {
  UpdateProgress->SetEnabled(On);
  UpdatePreview->SetEnabled(On);
}

void TFormProgress::OnEngineState(Integer State) {
  switch (State) {
    case 0:
      btnPause->SetCaption("Resume");
      btnPause->SetEnabled(true);
      btnCancel->SetCaption("Cancel");
      btnCancel->SetEnabled(true);
      SetTimers(false);
      break;
    case 1:
    case 2:
      btnPause->SetCaption("Pause");
      btnPause->SetEnabled(true);
      btnCancel->SetCaption("Cancel");
      btnCancel->SetEnabled(true);
      SetTimers(true);
      break;
    case 3:
      btnPause->SetCaption("Pause");
      btnPause->SetEnabled(false);
      btnCancel->SetCaption("Close");
      btnCancel->SetEnabled(true);
      SetTimers(false);
      // The last file's figures, without waiting for a poll that will not come.
      ShowFigures();
      break;
    default: break;
  }
}

void TFormProgress::FormShow(TObject*) {
  TBitmap* picture = ImageReview->GetPicture()->GetBitmap();
  picture->SetSize(ImageReview->GetWidth(), ImageReview->GetHeight());
  picture->GetCanvas()->GetBrush()->SetColor(clBlack);
  picture->GetCanvas()->FillRect(TRect{0, 0, ImageReview->GetWidth(), ImageReview->GetHeight()});
  pbCurr->SetPosition(0);
  pbTatal->SetPosition(0);
  lblTotal->SetCaption("");
  lblFile->SetCaption("");
  FRun->Start();
}

void TFormProgress::ShowFigures() {
  const TProgressFigures& figures = FRun->GetFigures();
  pbCurr->SetPosition(figures.Current);
  pbTatal->SetPosition(figures.Total);
  lblTotal->SetCaption(figures.Counter);
  lblFile->SetCaption(figures.FileName);
}

void TFormProgress::UpdateProgressTimer(TObject*) {
  try {
    FRun->Poll();
    ShowFigures();
  } catch (...) {
    // The application's handler reports the failure once, not at every tick.
    SetTimers(false);
    throw;
  }
}

void TFormProgress::UpdatePreviewTimer(TObject*) {
  if (!cbPreview->GetChecked()) return;
  try {
    Byte* pixels = nullptr;
    Integer width = 0, height = 0;
    const Integer size = GlobalMediaConverter->GetSnapshot(pixels, width, height);
    if (size <= 0) return;
    TBitmap still;
    if (!BitmapFromPixels(&still, pixels, size, width, height, 32)) return;
    TBitmap* picture = ImageReview->GetPicture()->GetBitmap();
    HDC target = picture->GetCanvas()->GetHandle();
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, picture->GetWidth(), picture->GetHeight(), still.GetCanvas()->GetHandle(), 0, 0, width,
               height, SRCCOPY);
    ImageReview->Invalidate();
  } catch (...) {
    SetTimers(false);
    throw;
  }
}

void TFormProgress::btnPauseClick(TObject*) {
  if (btnPause->GetCaption() == "Pause")
    FRun->Pause();
  else
    FRun->Resume();
}

void TFormProgress::btnCancelClick(TObject*) { Close(); }

bool TFormProgress::CanClose() {
  if (btnCancel->GetCaption() != "Cancel") return true;
  if (Application()->MessageBox("Cancel conversion?", "Information", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
    return false;
  // Nothing is pressed twice while the engine stops.
  btnPause->SetEnabled(false);
  btnCancel->SetEnabled(false);
  SetTimers(false);
  FRun->Cancel();
  btnPause->SetEnabled(true);
  btnCancel->SetEnabled(true);
  return true;
}

void TFormProgress::FormCloseQuery(TObject*, bool& Allowed) { Allowed = CanClose(); }

void TFormProgress::FormClose(TObject*, TCloseAction&) { ClearTasks(); }

TAVREN_CLASS_IMPL_PUBLISHED(TFormProgress,
    FIELD(Panel1), FIELD(ImageReview), FIELD(kvLabel1), FIELD(lblTotal), FIELD(kvLabel3), FIELD(lblFile),
    FIELD(cbPreview), FIELD(pbCurr), FIELD(pbTatal), FIELD(btnPause), FIELD(btnCancel), FIELD(UpdateProgress),
    FIELD(UpdatePreview), METHOD(FormCreate), METHOD(FormShow), METHOD(FormCloseQuery), METHOD(FormClose),
    METHOD(UpdateProgressTimer), METHOD(UpdatePreviewTimer), METHOD(btnPauseClick), METHOD(btnCancelClick))

void ProgressStart() { RegisterClasses({TFormProgress::ClassInfo()}); }
