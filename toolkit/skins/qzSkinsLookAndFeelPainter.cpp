#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

TAVREN_CLASS_IMPL(TqzSkinLookAndFeelPainter)

namespace {

TkvExtendedStylePainters* registry = nullptr;

}  // namespace

TqzSkinLookAndFeelPainterInfo* TqzSkinLookAndFeelPainter::PainterInfo() {
  TObject* info = nullptr;
  if (!registry || !registry->InfoOfPainter(this, info)) return nullptr;
  return dynamic_cast<TqzSkinLookAndFeelPainterInfo*>(info);
}

bool TqzSkinLookAndFeelPainter::PaintEditButtonElement(TkvCanvas* Canvas, const TRect& R, bool IsClose,
                                                       TqzSkinElementState State) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinElement* element = info ? info->Element(IsClose ? seEditorsCloseButton : seEditorsEditorButton) : nullptr;
  if (!element) return false;
  element->Draw(Canvas->DCHandle(), R, 0, State);
  return true;
}

String TqzSkinLookAndFeelPainter::PainterUnitName() { return "qzSkinsLookAndFeelPainter"; }

void qzSkinsLookAndFeelPainterStart() { registry = ExtendedStylePaintersInstance(); }

void qzSkinsLookAndFeelPainterEnd() { registry = nullptr; }
