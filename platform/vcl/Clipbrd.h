#pragma once
// The framework's clipboard object: text and pictures through the clipboard of user/. Pictures stay
// in this process (the desktop's clipboard carries text only). A graphic goes there in the format
// its class writes (CF_BITMAP for bitmaps, JPEG and PNG images; nothing for icons and metafiles)
// and, under each format registered with TPicture for its own class that it did not write, as its
// stream image: a PNG image is there as CF_BITMAP and as its own bytes under CF_PICTURE, so its
// alpha survives a paste into a picture.

#include "rtl/Persistent.h"
#include "rtl/WinTypes.h"
#include "vcl/GraphicClasses.h"

// The picture format of this framework, registered at unit start.
extern UINT CF_PICTURE;

class TClipboard : public TPersistent {
  TAVREN_CLASS(TClipboard, TPersistent)
 public:
  // Nested: the clipboard is opened by the first Open and closed by the last Close. EOutOfResources
  // "Cannot open clipboard" when another window holds it.
  void Open();
  void Close();
  void Clear();
  bool HasFormat(Word Format);
  String GetAsText();
  void SetAsText(const String& Value);
  // The handle stays the clipboard's; nullptr when the format is not there.
  HANDLE GetAsHandle(Word Format);
  // The clipboard takes the handle over and drops what it held.
  void SetAsHandle(Word Format, HANDLE Value);
  // A TPicture or TGraphic replaces the clipboard's content.
  void Assign(TPersistent* Source) override;

 protected:
  // Into a TPicture: the first format registered with TPicture that is there, the latest
  // registration first. Into a graphic: a format registered for its class, else CF_BITMAP.
  // EInvalidGraphic when none is there.
  void AssignTo(TPersistent* Dest) override;

 private:
  void AssignGraphic(TGraphic* Graphic);
  Integer FOpenRefCount = 0;
};

// The one clipboard object, made on first use.
TClipboard* Clipboard();

// Unit start: registers CF_PICTURE. End: frees the clipboard object.
void ClipbrdStart();
void ClipbrdEnd();
