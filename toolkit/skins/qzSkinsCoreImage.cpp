#include "toolkit/skins/qzSkinsCore.h"

TAVREN_CLASS_IMPL(TqzSkinImage)

TqzSkinImage::TqzSkinImage(TqzSkinElement* AOwner)
    : FOwner(AOwner), FMargins(this) {
  FMargins->SetOnChange(MakeEvent<&TqzSkinImage::MarginsChanged>(this));
}

TqzSkinImage::~TqzSkinImage() = default;

TPersistent* TqzSkinImage::GetOwner() { return FOwner; }

void TqzSkinImage::Changed() {
  FDirty = true;
  if (FOnChange) FOnChange(this);
}

void TqzSkinImage::MarginsChanged(TObject*) { Changed(); }

void TqzSkinImage::DecodePicture() {
  if (FDecoded || FEncoded.empty()) return;
  FDecoded = true;
  TMemoryStream stream;
  stream.WriteBuffer(FEncoded.data(), static_cast<Integer>(FEncoded.size()));
  stream.SetPosition(0);
  FPicture = std::make_unique<TqzPNGImage>();
  try {
    FPicture->LoadFromStream(&stream);
  } catch (const Exception&) {
    // The header was sound but the pixels are not: the picture stays empty and draws nothing.
    FPicture->ReplaceGPImage(nullptr);
  }
  FDirty = true;
}

TqzPNGImage* TqzSkinImage::Picture() {
  DecodePicture();
  if (!FPicture) FPicture = std::make_unique<TqzPNGImage>();
  return FPicture.get();
}

void TqzSkinImage::SetPicture(TqzPNGImage* APicture) {
  FEncoded.clear();
  if (!FPicture) FPicture = std::make_unique<TqzPNGImage>();
  FPicture->Assign(APicture);
  Changed();
}

TSize TqzSkinImage::PictureSize() {
  if (!FEncoded.empty()) return FEncodedSize;
  return FPicture ? FPicture->GetSize() : TSize{};
}

bool TqzSkinImage::Empty() const { return FEncoded.empty() && (!FPicture || FPicture->GetEmpty()); }

void TqzSkinImage::Clear() {
  FEncoded.clear();
  FPicture.reset();
  FSourceName.clear();
  Changed();
}

String TqzSkinImage::SourceName() const {
  if (!FSourceName.empty() || Empty() || !FOwner) return FSourceName;
  return FOwner->Path() + FOwner->GetImageName(const_cast<TqzSkinImage*>(this));
}

void TqzSkinImage::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzSkinImage*>(Source);
  if (!source) return;  // any other source is ignored
  if (source->Empty()) {
    Clear();
  } else {
    FEncoded = source->FEncoded;
    FEncodedSize = source->FEncodedSize;
    FDecoded = false;
    FPicture.reset();
    if (FEncoded.empty() && source->FPicture) {
      FPicture = std::make_unique<TqzPNGImage>();
      FPicture->Assign(source->FPicture.get());
    }
    FSourceName = source->SourceName();
    FDirty = true;
  }
  SetGradientBeginColor(source->FGradientBeginColor);
  SetGradientEndColor(source->FGradientEndColor);
  SetGradient(source->FGradient);
  SetImageLayout(source->FImageLayout);
  FMargins->Assign(source->FMargins.get());
  SetStates(source->FStates);
  SetStretch(source->FStretch);
}

bool TqzSkinImage::Compare(TqzSkinImage* AImage) {
  if (FImageLayout != AImage->FImageLayout || Empty() != AImage->Empty() || !(FStates == AImage->FStates) ||
      FGradient != AImage->FGradient || FGradientBeginColor != AImage->FGradientBeginColor ||
      FGradientEndColor != AImage->FGradientEndColor || FStretch != AImage->FStretch ||
      !(Size() == AImage->Size()) || !FMargins->EqualsRectObject(AImage->FMargins.get()))
    return false;
  if (!FEncoded.empty() && FEncoded == AImage->FEncoded) return true;
  return Picture()->IsEqualImage(AImage->Picture());
}

void TqzSkinImage::SetGradient(TqzSkinGradientMode AValue) {
  if (AValue == FGradient) return;
  FGradient = AValue;
  Changed();
}

void TqzSkinImage::SetGradientBeginColor(TColor AValue) {
  if (AValue == FGradientBeginColor) return;
  FGradientBeginColor = AValue;
  Changed();
}

void TqzSkinImage::SetGradientEndColor(TColor AValue) {
  if (AValue == FGradientEndColor) return;
  FGradientEndColor = AValue;
  Changed();
}

void TqzSkinImage::SetImageLayout(TqzSkinImageLayout AValue) {
  if (AValue == FImageLayout) return;
  FImageLayout = AValue;
  Changed();
}

void TqzSkinImage::SetStates(const TqzSkinElementStates& AValue) {
  if (AValue == FStates) return;
  FStates = AValue;
  Changed();
}

void TqzSkinImage::SetStretch(TqzSkinStretchMode AValue) {
  if (AValue == FStretch) return;
  FStretch = AValue;
  Changed();
}
