#include "vcl/ExtDlgs.h"

#include "vcl/GraphicClasses.h"

TAVREN_CLASS_IMPL(TOpenPictureDialog)
TAVREN_CLASS_IMPL(TSavePictureDialog)

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {
  SetFilter(GraphicFilter(TGraphic::ClassInfo()));
}

TSavePictureDialog::TSavePictureDialog(TComponent* AOwner) : TSaveDialog(AOwner) {
  SetFilter(GraphicFilter(TGraphic::ClassInfo()));
}
