#pragma once
// The framework's image lists over the platform's (controls/ImageList.h): a component holding
// equally sized images, drawn normal, blended, or greyed when disabled, that tells the controls
// using it about changes through change links.

#include <vector>

#include "controls/ImageList.h"
#include "rtl/Component.h"
#include "vcl/Graphics.h"

class TCustomImageList;

// A control's registration with an image list: OnChange runs whenever the list changes.
class TChangeLink : public TObject {
  TAVREN_CLASS(TChangeLink, TObject)
 public:
  ~TChangeLink() override;
  TCustomImageList* GetSender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  virtual void Change();

 private:
  TCustomImageList* FSender = nullptr;
  TNotifyEvent FOnChange;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
TAVREN_ENUM_INFO(TDrawingStyle, dsFocus, dsSelected, dsNormal, dsTransparent);
enum TImageType { itImage, itMask };
TAVREN_ENUM_INFO(TImageType, itImage, itMask);

class TCustomImageList : public TComponent {
  TAVREN_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner);
  // A list of images of the given size.
  TCustomImageList(TComponent* AOwner, Integer AWidth, Integer AHeight);
  ~TCustomImageList() override;
  void Assign(TPersistent* Source) override;

  // Each bitmap may hold several images side by side. Answer the first new index, -1 on failure.
  Integer Add(TBitmap* Image, TBitmap* Mask);
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  Integer AddIcon(TIcon* Image);
  void Replace(Integer Index, TBitmap* Image, TBitmap* Mask);
  void Delete(Integer Index);
  void Clear();
  Integer GetCount();

  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TDrawingStyle ADrawingStyle,
            TImageType AImageType, bool Enabled = true);
  // The image over the list's background colour (white when it has none).
  void GetBitmap(Integer Index, TBitmap* Image);
  void GetIcon(Integer Index, TIcon* Image);

  HIMAGELIST GetHandle();
  // Takes the list (and, unless ShareImages, its ownership).
  void SetHandle(HIMAGELIST Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value);
  Integer GetAllocBy() const { return FAllocBy; }
  void SetAllocBy(Integer Value) { FAllocBy = Value; }
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TColor GetBlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value) { FBlendColor = Value; }
  TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType GetImageType() const { return FImageType; }
  void SetImageType(TImageType Value);
  bool GetMasked() const { return FMasked; }
  void SetMasked(bool Value);
  bool GetShareImages() const { return FShareImages; }
  void SetShareImages(bool Value) { FShareImages = Value; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

 protected:
  virtual void Change();
  // Draws through the platform list: Style is ILD_* flags; disabled images are embossed in the
  // highlight and shadow colours.
  virtual void DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y, UINT Style, bool Enabled);
  // Form data "Bitmap": the platform list's stream.
  void DefineProperties(TFiler* Filer) override;

 private:
  void Recreate();
  void FreeHandle();
  void ReadList(TStream* Stream);
  void WriteList(TStream* Stream);

  HIMAGELIST FHandle = nullptr;
  Integer FWidth = 16;
  Integer FHeight = 16;
  Integer FAllocBy = 4;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
  bool FMasked = true;
  bool FShareImages = false;
  TNotifyEvent FOnChange;
  std::vector<TChangeLink*> FClients;
};

class TImageList : public TCustomImageList {
  TAVREN_CLASS(TImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
};

// An image list that can show one of its images as a translucent window following the pointer
// while something is dragged. Points are screen coordinates; the hot spot is the point of the
// image that stays under the pointer.
class TDragImageList : public TCustomImageList {
  TAVREN_CLASS(TDragImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
  ~TDragImageList() override;

  // Which image is dragged; false for an index outside the list.
  bool SetDragImage(Integer Index, Integer HotSpotX, Integer HotSpotY);
  TPoint GetHotSpot() const { return FHotSpot; }
  void SetHotSpot(TPoint Value) { FHotSpot = Value; }
  bool GetDragging() const { return FDragWindow != nullptr; }
  // The window (usually the one holding the drag's capture) is remembered as the drag's owner.
  bool BeginDrag(HWND Window, Integer X, Integer Y);
  bool DragMove(Integer X, Integer Y);
  bool EndDrag();
  void ShowDragImage();
  void HideDragImage();
  // The drag window while a drag runs (nullptr otherwise), for tests and screenshots.
  HWND GetDragWindow() const { return FDragWindow; }

 private:
  friend LRESULT DragImageWindowProc(HWND, UINT, WPARAM, LPARAM);
  Integer FDragIndex = 0;
  TPoint FHotSpot;
  HWND FDragWindow = nullptr;
};

// Unit start: the drag image window class and the controls' drag image hooks. End: both go.
void ImgListStart();
void ImgListEnd();

// The platform colour of a list colour: clNone and clDefault become CLR_NONE and CLR_DEFAULT.
COLORREF ImageListColor(TColor Color);
