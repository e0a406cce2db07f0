#pragma once
// The windows that show key tips over the ribbon while keyboard navigation waits for a typed key:
// tiny top-most tool windows that never take the mouse (a click goes to what lies below) and
// show a disabled key tip translucent. The ribbon's key-tip windows manager makes, places, shows
// and frees them for the bars' navigation controller.

#include <memory>
#include <vector>

#include "toolkit/bars/qzBarNavigation.h"
#include "vcl/Controls.h"

class TqzCustomRibbon;
class TqzCustomRibbonSkin;

class TqzRibbonKeyTipWindow : public TCustomControl {
  TAVREN_CLASS(TqzRibbonKeyTipWindow, TCustomControl)
 public:
  explicit TqzRibbonKeyTipWindow(TqzCustomRibbonSkin* AColorScheme);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  // A change of Enabled makes the window anew (translucent or not); a new text sizes it; every
  // hit test answers transparent.
  void WndProc(TMessage& Message) override;

 private:
  void SizeToText();

  TqzCustomRibbonSkin* FColorScheme;
};

class TqzRibbonKeyTipWindows : public TInterfacedObject, public IqzBarKeyTipWindowsManager {
  TAVREN_CLASS(TqzRibbonKeyTipWindows, TInterfacedObject)
 public:
  explicit TqzRibbonKeyTipWindows(TqzCustomRibbon* ARibbon) : FRibbon(ARibbon) {}
  ~TqzRibbonKeyTipWindows() override;

  // Horizontal placement 0 ends the window at the anchor, 1 starts it there, 2 centres it; the
  // vertical placement likewise from top to bottom.
  void AddKeyTipWindow(const String& AText, const TPoint& AAnchor, Byte AHorzAlign, Byte AVertAlign, bool AEnabled,
                       TObject*& AWindow) override;
  // A window that is not in the list is refused (an exception without a message).
  void RemoveKeyTipWindow(TObject* AWindow) override;
  // Every window shows at its place, owned by the program's main window, with rounded corners.
  void ShowKeyTipWindows() override;

  Integer WindowCount() const { return static_cast<Integer>(FWindows.size()); }
  TqzRibbonKeyTipWindow* Window(Integer AIndex) const { return FWindows[AIndex].get(); }

 private:
  TqzCustomRibbon* FRibbon;
  std::vector<std::unique_ptr<TqzRibbonKeyTipWindow>> FWindows;
};
