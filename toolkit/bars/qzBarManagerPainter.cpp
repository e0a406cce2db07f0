// The manager's default painter: the painter class of the style in force.

#include "toolkit/bars/qzBarPainter.h"

#include "toolkit/bars/qzBar.h"

namespace {

// Only the default look is built so far: every style draws with it until its painter class comes.
TClass PainterClassForStyle(TqzBarManagerStyle) { return TqzBarPainter::ClassInfo(); }

}  // namespace

TqzBarPainter* TqzBarManager::GetDefaultPainter() {
  TClass wanted = PainterClassForStyle(GetEffectiveStyle());
  if (!FDefaultPainter || FDefaultPainter->ClassType() != wanted)
    FDefaultPainter.reset(static_cast<TqzBarPainter*>(wanted->Factory(nullptr)));
  return FDefaultPainter.get();
}
