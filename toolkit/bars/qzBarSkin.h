#pragma once
// Image skins for bars and the ribbon: TqzSkinnedRect, one picture cut from a PNG atlas and drawn
// at any size by the nine-part rule with a constant alpha; TqzCustomBarSkin, a named list owning
// such pictures; TqzBarSkinManager, the registry of named skins; LoadPngBitmap. Everything is
// drawn through the foundation's 2-D graphics library; without it no skin is accepted.

#include <array>
#include <memory>
#include <vector>

#include "gdi/GdiPlus.h"
#include "rtl/Lists.h"
#include "rtl/Persistent.h"
#include "rtl/Streams.h"
#include "rtl/Types.h"

class TqzSkinnedRect : public TObject {
  TAVREN_CLASS(TqzSkinnedRect, TObject)
 public:
  // Cells and source parts: top-left, top, top-right, left, centre, right, bottom-left, bottom,
  // bottom-right.
  using TCells = std::array<TSize, 9>;
  using TParts = std::array<TRect, 9>;

  explicit TqzSkinnedRect(bool ANoDraw);
  ~TqzSkinnedRect() override;

  // Copies SourceRect of Source as the element's own picture; Margins are the corner sizes
  // (left, top, right, bottom). Failures of the library raise its assertion.
  void LoadFromImage(GpBitmap* Source, const TRect& SourceRect, const TRect& Margins);
  // Stores Alpha; draws the picture stretched into R when R is not empty and is visible on DC.
  void DrawOn(HDC DC, const TRect& R, Byte Alpha);

  virtual void CalcCells(Integer Width, Integer Height);
  virtual void ResetSize();
  virtual void FillPlain(HDC DC, const TRect& R);
  virtual void DrawCached(HDC DC, const TRect& R);
  virtual TRect GetContentRect(const TRect& R);

  Byte GetAlphaValue() const noexcept { return FAlphaValue; }
  TSize GetSize() const noexcept { return FSize; }
  const TCells& GetCells() const noexcept { return FCells; }
  TRect GetMargins() const noexcept { return FMargins; }
  Integer GetID() const noexcept { return FID; }
  void SetID(Integer Value) noexcept { FID = Value; }
  InterpolationMode GetInterpolationMode() const noexcept { return FInterpolationMode; }
  void SetInterpolationMode(InterpolationMode Value) noexcept { FInterpolationMode = Value; }
  GpBitmap* GetImage() const noexcept { return FImage; }
  const String& GetName() const noexcept { return FName; }
  void SetName(const String& Value) { FName = Value; }
  bool GetNoDraw() const noexcept { return FNoDraw; }
  const TParts& GetSourceParts() const noexcept { return FSourceParts; }
  TRect GetContentMargins() const noexcept { return FContentMargins; }
  // The picture rendered at LastSize, made anew only when the element is drawn at another size.
  GpBitmap* GetCacheBitmap() const noexcept { return FCacheBitmap; }
  TSize GetLastSize() const noexcept { return FLastSize; }
  TSize GetMinSize() const noexcept { return FMinSize; }

 protected:
  void SetSize(const TSize& Value);

 private:
  void RenderCache();
  void MarkOpaqueCells();
  void DrawCells(HDC DC, HDC MemoryDC, const TRect& R);

  Byte FAlphaValue = 255;
  TSize FSize{0, 0};
  TCells FCells{};
  TRect FMargins{0, 0, 0, 0};
  Integer FID = -1;
  InterpolationMode FInterpolationMode = InterpolationModeDefault;
  GpBitmap* FImage = nullptr;
  GpBitmap* FCacheBitmap = nullptr;
  // The cache as a platform bitmap, made with it: drawing then only blends.
  HBITMAP FCacheHandle = nullptr;
  std::array<bool, 9> FOpaqueCells{};
  String FName;
  bool FNoDraw;
  TParts FSourceParts{};
  TRect FContentMargins{8, 8, 8, 8};
  TSize FLastSize{0, 0};
  TSize FMinSize{0, 0};
};

// A named list of elements, owned.
class TqzCustomBarSkin : public TList {
  TAVREN_CLASS(TqzCustomBarSkin, TList)
 public:
  explicit TqzCustomBarSkin(const String& AName);
  ~TqzCustomBarSkin() override;

  // Appends the element (the list then owns it) and answers its index; -1 for nil. An ID other
  // than -1 or a non-empty name (letter case aside) already in the list raises, and the element
  // stays the caller's.
  Integer AddElement(TqzSkinnedRect* Element);
  Integer AddPart(GpBitmap* Image, const TRect& SourceRect, InterpolationMode Mode, const String& AName, Integer ID);
  Integer AddPartWithMargins(GpBitmap* Image, const TRect& SourceRect, InterpolationMode Mode, const String& AName,
                             Integer ID, const TRect& Margins);
  Integer AddPartWithTopBottom(GpBitmap* Image, const TRect& SourceRect, InterpolationMode Mode,
                               const String& AName, Integer ID, Integer Top, Integer Bottom);
  TqzSkinnedRect* GetPart(Integer Index) const { return static_cast<TqzSkinnedRect*>(GetItems(Index)); }
  // Frees every element, then empties the list.
  void Clear() override;
  // A permanent skin cannot be removed from the manager.
  virtual bool IsPermanent();

  const String& GetName() const noexcept { return FName; }

 private:
  String FName;
};

// The registry of named skins; it owns what it accepts.
class TqzBarSkinManager : public TPersistent {
  TAVREN_CLASS(TqzBarSkinManager, TPersistent)
 public:
  TqzBarSkinManager() = default;
  ~TqzBarSkinManager() override;

  // The skin's index, or -1 (the skin stays the caller's) without the graphics library, for nil,
  // an empty name or a name already registered (letter case aside).
  Integer AddSkin(TqzCustomBarSkin* Skin);
  bool CanRemoveSkin(TqzCustomBarSkin* Skin);
  // Frees a registered skin that can be removed; answers CanRemoveSkin either way.
  bool RemoveSkin(TqzCustomBarSkin* Skin);
  TqzCustomBarSkin* FindSkin(const String& Name) const;
  TqzCustomBarSkin* GetSkin(Integer Index) const { return FSkins.at(static_cast<size_t>(Index)).get(); }
  Integer GetSkinCount() const noexcept { return static_cast<Integer>(FSkins.size()); }

 protected:
  // Runs after every addition and removal.
  virtual void Changed();

 private:
  std::vector<std::unique_ptr<TqzCustomBarSkin>> FSkins;
};

// The single manager, made on first use; nil once the unit has ended.
TqzBarSkinManager* BarSkinManagerInstance();

// A library bitmap of the PNG bytes from the stream's position to its end (the caller disposes
// it), or nil without the library. Bytes that are no PNG raise the library's assertion.
GpBitmap* LoadPngBitmap(TStream* Stream);

// Unit end: frees the manager and its skins.
void qzBarSkinStart();
void qzBarSkinEnd();
