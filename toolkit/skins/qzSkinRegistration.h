#pragma once
// What every skin unit does with its skin: read it from the resources once the graphics library
// has started, register it with its painter class, and at unit end remove what it registered.

#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

class TqzSkinRegistration {
 public:
  TqzSkinRegistration(String ASkinName, String ARegisteredName, TkvCustomLookAndFeelPainterClass APainter,
                      bool AUserSkin);

  // A skin that cannot be read is reported on the error stream and left out: the other skins
  // still start. A name the registry already holds keeps its painter; this skin is then freed.
  void Load();
  // Removes the name only when this registration added it.
  void Unload();
  // The information object while registered, else nil.
  TqzSkinLookAndFeelPainterInfo* Info() const noexcept { return FInfo; }

 private:
  String FSkinName;
  String FRegisteredName;
  TkvCustomLookAndFeelPainterClass FPainter;
  bool FUserSkin;
  TqzSkinLookAndFeelPainterInfo* FInfo = nullptr;
};
