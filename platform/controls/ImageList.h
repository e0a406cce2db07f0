#pragma once
// Image lists: equally sized images, each with an optional monochrome mask, drawn transparently,
// blended with a highlight colour, or through their per-pixel alpha (32-bit lists). Images keep
// straight alpha, as bitmaps handed to a 32-bit list hold it; drawing composites it. A list holds
// its images in memory and hands out strips (one row of images) as bitmaps on request.

#include "gdi/GdiTypes.h"
#include "rtl/Streams.h"

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
// Bits 8..11 of a drawing style name an overlay (1..15) drawn over the image; 0 draws none.
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT INDEXTOOVERLAYMASK(UINT overlay) { return overlay << 8; }

constexpr UINT ILCF_MOVE = 0x0000;
constexpr UINT ILCF_SWAP = 0x0001;

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

struct IMAGEINFO {
  HBITMAP hbmImage = nullptr;  // the list's strip; owned by the list, valid until it changes
  HBITMAP hbmMask = nullptr;   // null for lists without masks
  int Unused1 = 0;
  int Unused2 = 0;
  RECT rcImage;                // the image's place in the strip
};

// flags: ILC_COLOR* depth | ILC_MASK. null for sizes below 1.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
COLORREF ImageList_GetBkColor(HIMAGELIST list);

// The image is cut into as many images as its width holds; answers the first new index, -1 on
// failure. A mask's 1 bits are transparent.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// Pixels of colour `mask` become transparent (and black in the image).
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// index -1 appends. Answers the index, -1 on failure.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
// index -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST list, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST list) { return ImageList_Remove(list, -1); }
// Within one list: ILCF_MOVE copies source over destination, ILCF_SWAP exchanges them.
BOOL ImageList_Copy(HIMAGELIST dest, int destIndex, HIMAGELIST source, int sourceIndex, UINT flags);
// Makes overlay 1..15 stand for image `image` of the list (-1: no image). Overlays name images by
// index and follow no later insertion or removal.
BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);

// ILD_TRANSPARENT, or a background of CLR_NONE, leaves masked pixels alone; otherwise they take
// the background (CLR_DEFAULT: the list's). ILD_BLEND25/50 mix the image with the foreground
// (CLR_DEFAULT: the highlight colour). width/height 0 draw the whole image, otherwise its top-left
// part. The overlay the style names (ILD_OVERLAYMASK) is drawn over the image, transparently and
// blended alike; an overlay without an image, or naming one the list no longer has, draws nothing.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height, COLORREF background,
                      COLORREF foreground, UINT style);

// The list's whole state in a format of our own; Read answers a new list, null for data it cannot read.
BOOL ImageList_Write(HIMAGELIST list, IStream* stream);
HIMAGELIST ImageList_Read(IStream* stream);
