#include "StreamingFixtures.h"

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "rtl/Reader.h"
#include "rtl/Streams.h"
#include "rtl/Writer.h"

TAVREN_CLASS_IMPL_PUBLISHED(TTestFont,
    PROPERTY(Size).Default(8),
    PROPERTY(Style).Default(TTestFontStyles{}),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clWindowText))

TAVREN_CLASS_IMPL_PUBLISHED(TTestColumn,
    PROPERTY(Caption),
    PROPERTY(Width).Default(50))

TAVREN_CLASS_IMPL_PUBLISHED(TTestControl,
    PROPERTY(Left),
    PROPERTY(Top),
    PROPERTY(Width).Default(100),
    PROPERTY_AS(Caption, GetCaption, SetCaptionChecked),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(Visible).Default(true),
    PROPERTY(Kind).Default(tkdNormal),
    PROPERTY(Ratio),
    PROPERTY(Big).Default(0),
    PROPERTY_READ(Font),
    PROPERTY(Buddy),
    PROPERTY_READ(Columns),
    PROPERTY(Value),
    PROPERTY(OnClick))

TAVREN_CLASS_IMPL_PUBLISHED(TTestForm,
    FIELD(Button1),
    METHOD(Button1Click),
    METHOD(Other))

TAVREN_CLASS_IMPL(TTestFrame)
TAVREN_CLASS_IMPL(TTestInheritedForm)

std::vector<String>& LoadedLog() {
  static std::vector<String> log;
  return log;
}

TTestControl::TTestControl(TComponent* AOwner)
    : TComponent(AOwner),
      FColor(clBtnFace),
      FFont(std::make_unique<TTestFont>()),
      FColumns(std::make_unique<TOwnedCollection>(this, TTestColumn::ClassInfo())) {
  FFont->SetColor(clWindowText);
}

TTestControl::~TTestControl() {
  if (FParent) std::erase(FParent->FControls, this);
  for (TTestControl* child : FControls) child->FParent = nullptr;
}

void TTestControl::SetCaptionChecked(const String& v) {
  TComponentState state = GetComponentState();
  LoadingWhenRead = state.Contains(csLoading) && state.Contains(csReading);
  FCaption = v;
}

void TTestControl::SetParentComponent(TComponent* Value) {
  if (FParent) std::erase(FParent->FControls, this);
  FParent = dynamic_cast<TTestControl*>(Value);
  if (FParent) FParent->FControls.push_back(this);
}

void TTestControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TTestControl* child : FControls)
    if (child->GetOwner() == Root) Proc(child);
}

void TTestControl::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "Numbers",
      [this](TReader* reader) {
        Numbers.clear();
        reader->ReadListBegin();
        while (!reader->EndOfList()) Numbers.push_back(reader->ReadInteger());
        reader->ReadListEnd();
      },
      [this](TWriter* writer) {
        writer->WriteListBegin();
        for (Integer n : Numbers) writer->WriteInteger(n);
        writer->WriteListEnd();
      },
      !Numbers.empty());
  Filer->DefineBinaryProperty(
      "Data",
      [this](TStream* stream) {
        Data.resize(static_cast<size_t>(stream->GetSize()));
        stream->ReadBuffer(Data.data(), static_cast<Integer>(Data.size()));
      },
      [this](TStream* stream) { stream->WriteBuffer(Data.data(), static_cast<Integer>(Data.size())); },
      !Data.empty());
}

void TTestControl::Loaded() {
  inherited::Loaded();
  ++LoadedCalls;
  LoadedLog().push_back(FBuddy ? GetName() + "->" + FBuddy->GetName() : GetName());
}

void TTestForm::Button1Click(TObject*) { ++Clicks; }

void TTestForm::Other(TObject*, Integer) {}

const char* const TTestFrame::kText =
    "object TestFrame: TTestFrame\n"
    "  Width = 300\n"
    "  Caption = 'frame'\n"
    "  object Label1: TTestControl\n"
    "    Left = 1\n"
    "    Top = 2\n"
    "    Caption = 'label'\n"
    "  end\n"
    "  object Edit1: TTestControl\n"
    "    Left = 3\n"
    "    Top = 4\n"
    "    Buddy = Label1\n"
    "  end\n"
    "end\n";

TTestFrame::TTestFrame(TComponent* AOwner) : TTestControl(AOwner) { ReadComponentFromText(kText, this); }

void RegisterStreamingFixtures() {
  RegisterClasses({TTestControl::ClassInfo(), TTestForm::ClassInfo(), TTestFrame::ClassInfo()});
}
