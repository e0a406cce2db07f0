#pragma once
// The picture dialogs: the open and save dialogs, starting with the filter of every registered
// picture format (GraphicFilter of TGraphic) as they are made.

#include "vcl/Dialogs.h"

class TOpenPictureDialog : public TOpenDialog {
  TAVREN_CLASS(TOpenPictureDialog, TOpenDialog)
 public:
  explicit TOpenPictureDialog(TComponent* AOwner);
};

class TSavePictureDialog : public TSaveDialog {
  TAVREN_CLASS(TSavePictureDialog, TSaveDialog)
 public:
  explicit TSavePictureDialog(TComponent* AOwner);
};
