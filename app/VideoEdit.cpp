#include "app/VideoEdit.h"

#include <algorithm>
#include <cmath>

#include "core/GlobalFun.h"
#include "engine/SelRect.h"
#include "gdi/Modules.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"

namespace {

// Milliseconds to 100-ns ticks, in 64 bits: past 214.7 s the product leaves 32 bits.
Int64 Ticks(Int64 Milliseconds) { return Milliseconds * 10000; }

}  // namespace

// ---- Creation and opening -----------------------------------------------------------------------

void TFormVideoEdit::FormCreate(TObject*) {
  RangeSlider->SetDoubleBuffered(true);
  RangeSlider->OnPositionDown = MakeEvent<&TFormVideoEdit::RangePositionDown>(this);
  RangeSlider->OnPositionUp = MakeEvent<&TFormVideoEdit::RangePositionUp>(this);
  RangeSlider->OnHandleDown = MakeEvent<&TFormVideoEdit::RangeHandleDown>(this);
  RangeSlider->OnHandleMove = MakeEvent<&TFormVideoEdit::RangeHandleMove>(this);
  RangeSlider->OnHandleUp = MakeEvent<&TFormVideoEdit::RangeHandleUp>(this);
  RangeSlider->OnSelectionDown = MakeEvent<&TFormVideoEdit::RangeSelectionDown>(this);
  RangeSlider->OnSelectionMove = MakeEvent<&TFormVideoEdit::RangeSelectionMove>(this);
  RangeSlider->OnSelectionUp = MakeEvent<&TFormVideoEdit::RangeSelectionUp>(this);
  RangeSlider->SetAll(0, 1000, 0, 1000, 0);
  RangeSlider->SetActive(true);
  RangeSlider->DragEnabled = true;
}

void TFormVideoEdit::Open(TMediaPlayer* Player, TPlayContext* Context) {
  FPlayer = Player;
  FContext = Context;
  TTaskInfo* task = Context->Task;

  // The editor serves every file in turn: what the last one left is put back first.
  TimerUpdatePos->SetEnabled(false);
  DropCropWindow();
  ShowCropSurface(false);
  cbLetterBox->SetItemIndex(task->LetterboxMode);

  FPlayer->Play(Context->Path, PanelPlay->GetHandle(), MakeEvent<&TFormVideoEdit::OnPlayerState>(this));
  FPlayer->Seek(task->StartTime, task->EndTime - task->StartTime);

  trbVolume->SetPosition(task->Volume);
  trbBrightness->SetPosition(task->Brightness);
  trbContrast->SetPosition(task->Contrast);
  // A bar left where the last file had it reports no change, yet the new preview starts without
  // effects: they are handed on either way.
  trbVolumeChange(this);
  trbBrightnessChange(this);
  trbContrastChange(this);

  edtStart->SetText(FormatTicks(true, task->StartTime));
  edtEnd->SetText(FormatTicks(true, task->EndTime));
  edtLength->SetText(FormatTicks(true, task->EndTime - task->StartTime));

  // A duration of 0 still gives the bar a range to convert pixels with.
  RangeSlider->SetAll(0, std::max<Int64>(Round(Context->Duration / 10000.0), 1), Round(task->StartTime / 10000.0),
                      Round(task->EndTime / 10000.0), Round(task->StartTime / 10000.0));

  if (Context->HasVideo) {
    SetUpCrop();
    for (TWbTabSheet* page : {tshVideo, tshTrim, tshCrop}) page->SetEnabled(true);
  } else {
    SetCropSpins(task->Crop, task->Crop.Right, task->Crop.Bottom);
    tshVideo->SetEnabled(false);
    tshCrop->SetEnabled(false);
    tshTrim->SetEnabled(true);
  }
}

void TFormVideoEdit::OnPlayerState(Integer State) {
  if (State == 0) {
    TimerUpdatePos->SetEnabled(true);
    ImagePlay->SetVisible(false);
    ImagePause->SetVisible(true);
  } else if (State == 1) {
    TimerUpdatePos->SetEnabled(false);
    ImagePlay->SetVisible(true);
    ImagePause->SetVisible(false);
  }
}

void TFormVideoEdit::ImagePlayClick(TObject*) { FPlayer->Resume(); }

void TFormVideoEdit::ImagePauseClick(TObject*) { FPlayer->Pause(); }

// ---- Pages --------------------------------------------------------------------------------------

void TFormVideoEdit::SelectPage(TWbTabSheet* Page) {
  // Chosen by code, the crop page switches its surface as a click on its tab does.
  if (FContext && FContext->HasVideo) ShowCropSurface(Page == tshCrop);
  pgcClip->SetActivePage(Page);
}

void TFormVideoEdit::ShowEffectPage() { SelectPage(FContext && !FContext->HasVideo ? tshTrim : tshVideo); }

void TFormVideoEdit::ShowTrimPage() { SelectPage(tshTrim); }

void TFormVideoEdit::ShowCropPage() { SelectPage(FContext && FContext->HasVideo ? tshCrop : tshTrim); }

void TFormVideoEdit::pgcClipChanging(TObject*, Integer NewIndex, bool&) {
  if (!FContext || !FContext->HasVideo) return;
  if (NewIndex == tshCrop->GetPageIndex())
    ShowCropSurface(true);
  else if (pgcClip->GetActivePage() == tshCrop)
    ShowCropSurface(false);
}

void TFormVideoEdit::ShowCropSurface(bool Crop) {
  const bool crop = Crop && CropReady();
  PanelPlay->SetVisible(!crop);
  PanelCrop->SetVisible(crop);
  tmrUpdateCrop->SetEnabled(crop);
}

// ---- Effects ------------------------------------------------------------------------------------

void TFormVideoEdit::trbVolumeChange(TObject*) {
  lblVolume->SetCaption(Format("%d%%", trbVolume->GetPosition()));
  if (FPlayer) FPlayer->SetVolume(trbVolume->GetPosition());
}

void TFormVideoEdit::trbBrightnessChange(TObject*) {
  lblBrightness->SetCaption(Format("%d%%", trbBrightness->GetPosition()));
  if (FPlayer) FPlayer->SetBrightness(trbBrightness->GetPosition());
}

void TFormVideoEdit::trbContrastChange(TObject*) {
  lblContrast->SetCaption(Format("%d%%", trbContrast->GetPosition()));
  if (FPlayer) FPlayer->SetContrast(trbContrast->GetPosition());
}

void TFormVideoEdit::btnResetEffectClick(TObject*) {
  trbBrightness->SetPosition(0);
  trbContrast->SetPosition(0);
  trbVolume->SetPosition(100);
}

// ---- Trim ---------------------------------------------------------------------------------------

void TFormVideoEdit::btnStartEndApplyClick(TObject*) {
  const Int64 s = ParseTimeText(edtStart->GetText());
  const Int64 e = ParseTimeText(edtEnd->GetText());
  edtLength->SetText(FormatMilliseconds(true, e - s));
  RangeSlider->SetStart(Double(s));
  RangeSlider->SetEnd(Double(e));
  FPlayer->Seek(Ticks(s), Ticks(e - s));
}

void TFormVideoEdit::btnResetTrimClick(TObject*) {
  edtStart->SetText("00:00:00.000");
  edtEnd->SetText(FormatTicks(true, FContext->Duration));
  edtLength->SetText(FormatTicks(true, FContext->Duration));
  RangeSlider->SetStart(0);
  RangeSlider->SetEnd(FContext->Duration / 10000.0);
  FPlayer->Seek(0, FContext->Duration);
}

void TFormVideoEdit::edtStartValidateError(TObject*, String& ErrorMsg) {
  ErrorMsg = "Invalid input time, xx:xx:xx.xxx";
  edtStart->Undo();
}

void TFormVideoEdit::TimerUpdatePosTimer(TObject*) {
  try {
    const Int64 pos = FPlayer->Position();
    RangeSlider->SetPosition(pos / 10000.0);
    if (pos >= Ticks(ParseTimeText(edtEnd->GetText()))) btnStartEndApplyClick(this);
  } catch (...) {
    // Off first, so that a failing player does not raise again on every tick.
    TimerUpdatePos->SetEnabled(false);
    throw;
  }
}

void TFormVideoEdit::ShowRangeTexts(Double Start, Double End) {
  const Int64 s = Int64(std::trunc(Start)), e = Int64(std::trunc(End));
  edtStart->SetText(FormatMilliseconds(true, s));
  edtEnd->SetText(FormatMilliseconds(true, e));
  edtLength->SetText(FormatMilliseconds(true, e - s));
}

void TFormVideoEdit::SeekRange(Double Start, Double End) {
  FPlayer->Seek(Round(Start * 10000), Round((End - Start) * 10000));
  TimerUpdatePos->SetEnabled(true);
  ShowRangeTexts(Start, End);
}

void TFormVideoEdit::SelectTrimPage() {
  TimerUpdatePos->SetEnabled(false);
  if (pgcClip->GetActivePage() != tshTrim) ShowTrimPage();
}

void TFormVideoEdit::RangePositionDown(TObject*, Double) { TimerUpdatePos->SetEnabled(false); }

void TFormVideoEdit::RangePositionUp(TObject*, Double Position) {
  const Int64 p = Round(Position);
  FPlayer->Seek(Ticks(p), Ticks(ParseTimeText(edtEnd->GetText()) - p));
  TimerUpdatePos->SetEnabled(true);
}

void TFormVideoEdit::RangeHandleDown(TObject*, Integer, TMouseButton, Double, Double) { SelectTrimPage(); }

void TFormVideoEdit::RangeHandleMove(TObject*, Integer, Double Start, Double End) { ShowRangeTexts(Start, End); }

void TFormVideoEdit::RangeHandleUp(TObject*, Integer, TMouseButton, Double Start, Double End) {
  SeekRange(Start, End);
}

void TFormVideoEdit::RangeSelectionDown(TObject*, Double, Double, Double) { SelectTrimPage(); }

void TFormVideoEdit::RangeSelectionMove(TObject*, Double Start, Double End, Double) { ShowRangeTexts(Start, End); }

void TFormVideoEdit::RangeSelectionUp(TObject*, Double Start, Double End, Double) { SeekRange(Start, End); }

// ---- Crop ---------------------------------------------------------------------------------------

void TFormVideoEdit::SetUpCrop() {
  const Integer w = FContext->Width, h = FContext->Height;
  // A picture without a size gets no crop window, and its crop stays as it is.
  if (w <= 0 || h <= 0) {
    SetCropSpins(FContext->Task->Crop, FContext->Task->Crop.Right, FContext->Task->Crop.Bottom);
    return;
  }
  const Double W = PanelCrop->GetWidth(), H = PanelCrop->GetHeight();
  const Double mx = W / w, my = H / h;
  if (mx > my) {
    const Integer o = Integer(std::abs(Round((W - w * my) / 2)));
    FCropWindowRect = TRect{o, 0, Integer(W) - o, Integer(H)};
    FCropScale = my;
  } else {
    const Integer o = Integer(std::abs(Round((H - h * mx) / 2)));
    FCropWindowRect = TRect{0, o, Integer(W), Integer(H) - o};
    FCropScale = mx;
  }
  FCropWindow = SCCreateSelrectWnd(PanelCrop->GetHandle(), GetModuleHandleA(""), FCropWindowRect.Left,
                                   FCropWindowRect.Top, FCropWindowRect.Width(), FCropWindowRect.Height());
  if (!FCropWindow) return;
  SCSetMSGWnd(GetHandle());
  SCSetMSGRectID(WM_SELRECT);
  SetCropSpins(FContext->Task->Crop, w, h);
  CropChange(this);
}

void TFormVideoEdit::SetCropSpins(const TRect& Crop, Integer Width, Integer Height) {
  speLeft->SetMax(Width);
  speRight->SetMax(Width);
  speTop->SetMax(Height);
  speBottom->SetMax(Height);
  speTop->SetValue(Crop.Top);
  speLeft->SetValue(Crop.Left);
  speRight->SetValue(Crop.Right);
  speBottom->SetValue(Crop.Bottom);
}

void TFormVideoEdit::CropChange(TObject*) {
  if (!CropReady()) return;
  SCSetRect(Integer(Round(speLeft->GetValue() * FCropScale)), Integer(Round(speTop->GetValue() * FCropScale)),
            Integer(Round(speRight->GetValue() * FCropScale)), Integer(Round(speBottom->GetValue() * FCropScale)));
}

void TFormVideoEdit::WMSelRect(TMessage& Message) {
  if (!CropReady() || !Message.WParam) return;
  const auto* rect = reinterpret_cast<const int32_t*>(Message.WParam);
  speLeft->SetValue(rect[0] / FCropScale);
  speTop->SetValue(rect[1] / FCropScale);
  speRight->SetValue(rect[2] / FCropScale);
  speBottom->SetValue(rect[3] / FCropScale);
}

void TFormVideoEdit::btnCropResetClick(TObject*) {
  cbLetterBox->SetItemIndex(lbFullScreen);
  if (!CropReady()) return;
  speLeft->SetValue(0);
  speTop->SetValue(0);
  speRight->SetValue(FContext->Width);
  speBottom->SetValue(FContext->Height);
  CropChange(this);
}

void TFormVideoEdit::tmrUpdateCropTimer(TObject*) {
  try {
    Integer size = Integer(FSnapshot.size()), width = 0, height = 0;
    FPlayer->GetSnapshot(FSnapshot.data(), size, width, height);
    if (size > Integer(FSnapshot.size())) {
      FSnapshot.assign(size_t(size), 0);
      FPlayer->GetSnapshot(FSnapshot.data(), size, width, height);
    }
    // The still goes to the selection window in memory; it stretches it over itself.
    if (width > 0 && height > 0 && Int64(width) * height * 4 <= Int64(FSnapshot.size()))
      SCDrawBackGroundPixels(FSnapshot.data(), width, height);
  } catch (...) {
    tmrUpdateCrop->SetEnabled(false);
    throw;
  }
}

bool TFormVideoEdit::CropToStore(TRect& Crop) const {
  const Integer w = FContext->Width, h = FContext->Height;
  auto clamp = [](Int64 v, Integer hi) { return Integer(std::clamp<Int64>(v, 0, hi)); };
  const Integer l = clamp(Round(speLeft->GetValue()), w), r = clamp(Round(speRight->GetValue()), w);
  const Integer t = clamp(Round(speTop->GetValue()), h), b = clamp(Round(speBottom->GetValue()), h);
  Crop = TRect{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
  return Crop.Left < Crop.Right && Crop.Top < Crop.Bottom;
}

// ---- OK and closing -----------------------------------------------------------------------------

void TFormVideoEdit::ButtonOKClick(TObject*) {
  const Int64 start = Ticks(ParseTimeText(edtStart->GetText()));
  const Int64 end = Ticks(ParseTimeText(edtEnd->GetText()));
  // An empty range would give the conversion a length of 0 or less; the editor stays open.
  if (end <= start) {
    ShowError("The end time must be after the start time.");
    SetModalResult(mrNone);
    return;
  }
  TRect crop{};
  if (CropReady() && !CropToStore(crop)) {
    ShowError("The crop rectangle is empty.");
    SetModalResult(mrNone);
    return;
  }
  TTaskInfo* task = FContext->Task;
  task->Volume = trbVolume->GetPosition();
  task->Brightness = trbBrightness->GetPosition();
  task->Contrast = trbContrast->GetPosition();
  // Crop and letterbox belong to a picture: a file without one keeps what it has.
  if (CropReady()) {
    task->Crop = crop;
    task->LetterboxMode = cbLetterBox->GetItemIndex();
  }
  task->StartTime = start;
  task->EndTime = end;
}

void TFormVideoEdit::FormClose(TObject*, TCloseAction&) {
  TimerUpdatePos->SetEnabled(false);
  tmrUpdateCrop->SetEnabled(false);
  if (FPlayer) FPlayer->Stop();
  DropCropWindow();
}

void TFormVideoEdit::DropCropWindow() {
  if (CropReady()) SCDestroySelrectWnd();
  FCropWindow = nullptr;
  FCropWindowRect = {};
}

TAVREN_CLASS_IMPL_PUBLISHED(TFormVideoEdit,
    FIELD(pnlBack), FIELD(PanelPlay), FIELD(PanelCrop), FIELD(ImagePlay), FIELD(ImagePause), FIELD(RangeSlider),
    FIELD(pgcClip), FIELD(tshVideo), FIELD(tshTrim), FIELD(tshCrop), FIELD(ButtonOK), FIELD(ButtonCancel),
    FIELD(TimerUpdatePos), FIELD(tmrUpdateCrop), FIELD(WbGroupBox1), FIELD(trbBrightness), FIELD(lblBrightness),
    FIELD(trbContrast), FIELD(lblContrast), FIELD(WbGroupBox2), FIELD(trbVolume), FIELD(lblVolume),
    FIELD(btnResetEffect), FIELD(edtStart), FIELD(edtEnd), FIELD(edtLength), FIELD(btnStartApply),
    FIELD(btnEndApply), FIELD(btnResetTrim), FIELD(cbLetterBox), FIELD(speLeft), FIELD(speTop), FIELD(speRight),
    FIELD(speBottom), FIELD(btnCropReset), METHOD(FormCreate), METHOD(FormClose), METHOD(ImagePlayClick),
    METHOD(ImagePauseClick), METHOD(trbVolumeChange), METHOD(trbBrightnessChange), METHOD(trbContrastChange),
    METHOD(btnResetEffectClick), METHOD(btnStartEndApplyClick), METHOD(btnResetTrimClick),
    METHOD(edtStartValidateError), METHOD(TimerUpdatePosTimer), METHOD(tmrUpdateCropTimer),
    METHOD(pgcClipChanging), METHOD(ButtonOKClick), METHOD(CropChange), METHOD(btnCropResetClick))

TAVREN_MESSAGE_TABLE(TFormVideoEdit, MESSAGE_HANDLER(WM_SELRECT, WMSelRect))

TAVREN_CLASS_IMPL(TPlayContext)

void VideoEditStart() { RegisterClasses({TFormVideoEdit::ClassInfo()}); }
