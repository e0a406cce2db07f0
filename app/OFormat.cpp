#include "app/OFormat.h"

#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"

TFrameOFormat::TFrameOFormat(TComponent* AOwner) : TFrame(AOwner) {}

HRESULT TFrameOFormat::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

namespace {

template <class List, class Text>
void Refill(TJyComboBoxItem* Row, const List& Items, Text TextOf) {
  TStrings* lines = Row->GetLines();
  lines->BeginUpdate();
  lines->Clear();
  for (Integer i = 0; i < Items.GetCount(); ++i) lines->Add(TextOf(Items.GetItems(i)));
  lines->EndUpdate();
}

String NameOf(const auto& Element) { return Element.GetName(); }
String NumberText(Integer Value) { return IntToStr(Value); }

// A row's choice, or the stored index when the row shows none: an index outside the row's lines
// never reaches the selection.
Integer ChoiceOf(TJyComboBoxItem* Row, Integer Stored) {
  const Integer index = Row->GetItemIndex();
  return index >= 0 && index < Row->GetLines()->GetCount() ? index : Stored;
}

}  // namespace

void TFrameOFormat::FillFormat(Integer FormatIndex) {
  const TXMLFormatType format = FFormats->GetRoot().GetItems(FormatIndex);
  const TXMLVideoType video = format.GetVideo();
  const TXMLAudioType audio = format.GetAudio();

  Refill(VCodec, video.GetCodec(), NameOf<TXMLCodecType>);
  // The audio-only formats name a video codec with ID 0.
  const bool hasVideo = video.GetCodec().GetCount() > 0 && video.GetCodec().GetItems(0).GetID() != 0;
  for (TJyComboBoxItem* row : {VCodec, Size, Fps, Aspect, VBitRate}) row->SetEnabled(hasVideo);

  Refill(Size, video.GetSize(), NameOf<TXMLSizeType>);
  Refill(Fps, video.GetFps(), NameOf<TXMLFpsType>);
  Refill(Aspect, video.GetAspect(), NameOf<TXMLAspectType>);
  Refill(VBitRate, video.GetBitRate(), NumberText);

  ACodec->GetLines()->Clear();
  ACodec->GetLines()->Add(audio.GetCodec().GetName());
  ACodec->SetItemIndex(0);

  Refill(Sample, audio.GetSampleRate(), NumberText);
  Refill(Channels, audio.GetChannels(), NameOf<TXMLChannelsType>);
  Refill(ABitRate, audio.GetBitRate(), NumberText);

  VCodec->SetItemIndex(0);
  Size->SetItemIndex(video.GetDefSize());
  Fps->SetItemIndex(video.GetDefFps());
  Aspect->SetItemIndex(video.GetDefAspect());
  VBitRate->SetItemIndex(video.GetDefBitRate());
  Sample->SetItemIndex(audio.GetDefSampleRate());
  Channels->SetItemIndex(audio.GetDefChannels());
  ABitRate->SetItemIndex(audio.GetDefBitRate());
}

void TFrameOFormat::Update() {
  if (!FFormats) return;
  const TFormatSelection selection = FFormats->GetSelection();
  FillFormat(selection.Format);
  VCodec->SetItemIndex(selection.VCodec);
  Size->SetItemIndex(selection.Size);
  Fps->SetItemIndex(selection.Fps);
  Aspect->SetItemIndex(selection.Aspect);
  VBitRate->SetItemIndex(selection.VBitrate);
  Sample->SetItemIndex(selection.SampleRate);
  Channels->SetItemIndex(selection.Channels);
  ABitRate->SetItemIndex(selection.ABitrate);
}

void TFrameOFormat::ApplyToSelection() {
  TFormatSelection selection = FFormats->GetSelection();
  selection.VCodec = ChoiceOf(VCodec, selection.VCodec);
  selection.VBitrate = ChoiceOf(VBitRate, selection.VBitrate);
  selection.Size = ChoiceOf(Size, selection.Size);
  selection.Fps = ChoiceOf(Fps, selection.Fps);
  selection.Aspect = ChoiceOf(Aspect, selection.Aspect);
  selection.ABitrate = ChoiceOf(ABitRate, selection.ABitrate);
  selection.SampleRate = ChoiceOf(Sample, selection.SampleRate);
  selection.Channels = ChoiceOf(Channels, selection.Channels);
  FFormats->SetSelection(selection);
}

void TFrameOFormat::RestoreDefaults() { FFormats->ApplyDefaults(); }

TAVREN_CLASS_IMPL_PUBLISHED(TFrameOFormat,
    FIELD(OFormat), FIELD(Video), FIELD(VCodec), FIELD(Size), FIELD(Fps), FIELD(Aspect), FIELD(VBitRate),
    FIELD(Audio), FIELD(ACodec), FIELD(Sample), FIELD(Channels), FIELD(ABitRate))

void OFormatStart() { RegisterClasses({TFrameOFormat::ClassInfo()}); }
