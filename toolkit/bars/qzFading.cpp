// The fader: one timer per running element, blending the two looks frame by frame.

#include "toolkit/bars/qzFading.h"

#include <algorithm>

#include "toolkit/foundation/kvGraphics.h"

TAVREN_CLASS_IMPL(TqzFadingElement)
TAVREN_CLASS_IMPL(TqzFadingList)
TAVREN_CLASS_IMPL(TqzFader)

// ---- TqzFadingElement -------------------------------------------------------------------------

TqzFadingElement::TqzFadingElement(TqzFadingList* AList, TqzFadingDirection ADirection, TObject* AObject)
    : FObject(AObject), FList(AList), FDirection(ADirection) {
  Supports<IqzFadingObject>(AObject, FFadingObject);
  ReadFadingParams();
  FTimer = std::make_unique<TTimer>(nullptr);
  FTimer->SetInterval(FFadeInFrameDelay);
  FTimer->SetOnTimer(MakeEvent<&TqzFadingElement::Tick>(this));
}

TqzFadingElement::~TqzFadingElement() {
  FTimer.reset();
  if (FList && !FList->IsClearing()) FList->Remove(this);
}

void TqzFadingElement::ReadFadingParams() {
  if (!FFadingObject) return;
  FFadingObject->GetFadingParams(FNormalImage, FHotImage, FFadeInFrameCount, FFadeInFrameDelay, FFadeOutFrameCount,
                                 FFadeOutFrameDelay);
  auto checkFrames = [](Integer& AValue) {
    if (AValue < 0) AValue = DefaultFrameCount;
    AValue = std::min(AValue, MaxFrameCount);
  };
  auto checkDelay = [](Integer& AValue) {
    if (AValue < MinFrameDelay) AValue = DefaultFrameDelay;
    AValue = std::min(AValue, MaxFrameDelay);
  };
  checkFrames(FFadeInFrameCount);
  checkFrames(FFadeOutFrameCount);
  checkDelay(FFadeInFrameDelay);
  checkDelay(FFadeOutFrameDelay);
}

Integer TqzFadingElement::GetFrameCount(TqzFadingDirection ADirection) const noexcept {
  return ADirection == fdFadeIn ? FFadeInFrameCount : FFadeOutFrameCount;
}

Integer TqzFadingElement::GetFrameDelay(TqzFadingDirection ADirection) const noexcept {
  return ADirection == fdFadeIn ? FFadeInFrameDelay : FFadeOutFrameDelay;
}

// The last frame of a direction is still a blend (252 of 255 with twelve frames); the next tick
// shows the final look itself.
Byte TqzFadingElement::Alpha() const {
  Integer frames = GetFrameCount(FDirection);
  bool blending = frames > 0 && FFrame <= frames;
  if (FDirection == fdFadeIn) return blending ? static_cast<Byte>(std::min(255, FFrame * (256 / frames))) : 255;
  return blending ? static_cast<Byte>(std::max(0, 255 - FFrame * (256 / frames))) : 0;
}

void TqzFadingElement::Tick(TObject*) {
  if (FFrame >= GetFrameCount(FDirection)) {
    Finish();
    return;
  }
  ++FFrame;
  DrawBlendedFrame(Alpha());
}

void TqzFadingElement::DrawBlendedFrame(Byte AAlpha) {
  if (!HasImages() || !FFadingObject) return;
  auto frame = std::make_unique<TBitmap>();
  frame->SetPixelFormat(pf32bit);
  frame->SetSize(FNormalImage->GetWidth(), FNormalImage->GetHeight());
  BlendGraphicOnto(frame.get(), FNormalImage.get(), FHotImage.get(), AAlpha);
  FFadingObject->DrawFadeImage(frame.get());
}

void TqzFadingElement::Finish() {
  // The element goes also when drawing fails: a fader finishing all would otherwise never end.
  std::unique_ptr<TqzFadingElement> self(this);
  TBitmap* last = FDirection == fdFadeIn ? FHotImage.get() : FNormalImage.get();
  if (last && FFadingObject) FFadingObject->DrawFadeImage(last);
}

void TqzFadingElement::Reverse(TqzFadingDirection ADirection) {
  if (ADirection == FDirection) return;
  Integer alpha = Alpha();
  Integer frames = GetFrameCount(ADirection);
  FFrame = std::min(frames, alpha / (256 / (frames + 1)));
  FDirection = ADirection;
  FTimer->SetEnabled(false);
  FTimer->SetInterval(GetFrameDelay(ADirection));
  FTimer->SetEnabled(true);
}

// ---- TqzFadingList ------------------------------------------------------------------------------

TqzFadingList::~TqzFadingList() {
  try {
    Clear();
  } catch (...) {
  }
}

void TqzFadingList::Clear() {
  FClearing = true;
  try {
    for (Integer i = 0; i < GetCount(); ++i) delete GetElement(i);
  } catch (...) {
    FClearing = false;
    TList::Clear();
    throw;
  }
  FClearing = false;
  TList::Clear();
}

// ---- TqzFader -----------------------------------------------------------------------------------

TqzFader::TqzFader() : FList(std::make_unique<TqzFadingList>()) {}

TqzFader::~TqzFader() {
  // A destructor never throws: an object failing its last draw must not keep the others alive.
  try {
    FinishAll();
  } catch (...) {
  }
}

TqzFadingElement* TqzFader::FindElement(TObject* AObject) const {
  for (Integer i = 0; i < FList->GetCount(); ++i)
    if (FList->GetElement(i)->GetObject() == AObject) return FList->GetElement(i);
  return nullptr;
}

void TqzFader::Fade(TObject* AObject, TqzFadingDirection ADirection) {
  TInterfacePtr<IqzFadingObject> fading;
  if (!Supports<IqzFadingObject>(AObject, fading) || !fading->CanFade()) return;
  if (TqzFadingElement* running = FindElement(AObject)) {
    running->Reverse(ADirection);
    return;
  }
  auto element = std::make_unique<TqzFadingElement>(FList.get(), ADirection, AObject);
  // An object that handed over no looks has nothing to fade.
  if (!element->HasImages()) return;
  FList->Add(element.release());
  while (FList->GetCount() > MaxAnimationCount) FList->GetElement(0)->Finish();
}

void TqzFader::FinishAll() {
  while (FList->GetCount() > 0) FList->GetElement(0)->Finish();
}

void TqzFader::RemoveElementOf(TObject* AObject, bool ADiscard) {
  TqzFadingElement* element = FindElement(AObject);
  if (!element) return;
  if (ADiscard)
    delete element;
  else
    element->Finish();
}
