#pragma once
// Cross-fading of a visual object between its normal and its hot look when the mouse enters or
// leaves it. The object hands over both looks as bitmaps and draws whatever frame it is given; a
// fader blends the frames on a timer per object, for at most six objects at a time.

#include <memory>

#include "rtl/Interfaces.h"
#include "rtl/Lists.h"
#include "vcl/GraphicClasses.h"
#include "vcl/Timers.h"

class IqzFadingObject : public virtual IInterface {
  TAVREN_INTERFACE(IqzFadingObject)
 public:
  // Whether the object wants to be faded now.
  virtual bool CanFade() = 0;
  // Draws the image as the object's current look.
  virtual void DrawFadeImage(TBitmap* AImage) = 0;
  // Hands over both looks (the caller owns them afterwards) and may change the frame counts and
  // intervals, which arrive with their defaults.
  virtual void GetFadingParams(std::unique_ptr<TBitmap>& ANormalImage, std::unique_ptr<TBitmap>& AHotImage,
                               Integer& AFadeInFrameCount, Integer& AFadeInFrameDelay, Integer& AFadeOutFrameCount,
                               Integer& AFadeOutFrameDelay) = 0;
};

// Towards the hot look, or back to the normal one.
enum TqzFadingDirection { fdFadeIn, fdFadeOut };

class TqzFadingList;

// One running animation; it removes itself from the fader's list when freed.
class TqzFadingElement : public TObject {
  TAVREN_CLASS(TqzFadingElement, TObject)
 public:
  static constexpr Integer DefaultFrameCount = 12;
  static constexpr Integer DefaultFrameDelay = 20;
  static constexpr Integer MaxFrameCount = 32;
  static constexpr Integer MinFrameDelay = 10;
  static constexpr Integer MaxFrameDelay = 300;

  TqzFadingElement(TqzFadingList* AList, TqzFadingDirection ADirection, TObject* AObject);
  ~TqzFadingElement() override;

  // Draws the final look (hot after fading in, normal after fading out) and frees the element.
  void Finish();
  void Tick(TObject* Sender);
  void Reverse(TqzFadingDirection ADirection);
  Byte Alpha() const;
  void DrawBlendedFrame(Byte AAlpha);

  TObject* GetObject() const noexcept { return FObject; }
  TqzFadingDirection GetDirection() const noexcept { return FDirection; }
  Integer GetFrame() const noexcept { return FFrame; }
  Integer GetFrameCount(TqzFadingDirection ADirection) const noexcept;
  Integer GetFrameDelay(TqzFadingDirection ADirection) const noexcept;
  Cardinal GetTimerInterval() const { return FTimer->GetInterval(); }
  // Both looks arrived: an element without them has nothing to blend.
  bool HasImages() const noexcept { return FNormalImage && FHotImage; }

 private:
  void ReadFadingParams();

  std::unique_ptr<TTimer> FTimer;
  std::unique_ptr<TBitmap> FNormalImage;
  std::unique_ptr<TBitmap> FHotImage;
  TInterfacePtr<IqzFadingObject> FFadingObject;
  TObject* FObject;
  TqzFadingList* FList;
  Integer FFrame = 0;
  Integer FFadeInFrameCount = DefaultFrameCount;
  Integer FFadeInFrameDelay = DefaultFrameDelay;
  Integer FFadeOutFrameCount = DefaultFrameCount;
  Integer FFadeOutFrameDelay = DefaultFrameDelay;
  TqzFadingDirection FDirection;
};

// The running elements, owned.
class TqzFadingList : public TList {
  TAVREN_CLASS(TqzFadingList, TList)
 public:
  ~TqzFadingList() override;
  // Frees every element without drawing it.
  void Clear() override;
  bool IsClearing() const noexcept { return FClearing; }
  TqzFadingElement* GetElement(Integer AIndex) const { return static_cast<TqzFadingElement*>(GetItems(AIndex)); }

 private:
  bool FClearing = false;
};

class TqzFader : public TObject {
  TAVREN_CLASS(TqzFader, TObject)
 public:
  static constexpr Integer MaxAnimationCount = 6;

  TqzFader();
  ~TqzFader() override;

  void FadeIn(TObject* AObject) { Fade(AObject, fdFadeIn); }
  void FadeOut(TObject* AObject) { Fade(AObject, fdFadeOut); }
  // Every element draws its final look and goes.
  void FinishAll();
  // With ADiscard the object's element goes without drawing, else it draws its final look.
  void RemoveElementOf(TObject* AObject, bool ADiscard);

  TqzFadingElement* FindElement(TObject* AObject) const;
  Integer ElementCount() const { return FList->GetCount(); }

 private:
  void Fade(TObject* AObject, TqzFadingDirection ADirection);

  std::unique_ptr<TqzFadingList> FList;
};
