#pragma once
// The drop shadow of menus and floating bar windows: thin top-level strips along the right and
// bottom edges, one outline for a menu and the element it is drawn joined to. On screens of more
// than 256 colours the strips are 4 pixels wide and fade out with per-pixel alpha (layered
// windows); otherwise they are 2 pixels of solid button shadow. Clicks fall through them.

#include <memory>
#include <vector>

#include "rtl/Object.h"
#include "rtl/Types.h"
#include "vcl/Controls.h"

class TqzBarShadow;

// The faded ends of a strip.
constexpr Byte qzShadowFadeLeft = 1;
constexpr Byte qzShadowFadeRight = 2;
constexpr Byte qzShadowFadeTop = 4;

// One strip: kind 0 lies under an edge, kind 1 right of an edge.
class TqzBarShadowPart : public TCustomControl {
  TAVREN_CLASS(TqzBarShadowPart, TCustomControl)
 public:
  TqzBarShadowPart(TqzBarShadow* AOwnerShadow, Byte AStripKind, Byte AFadedEnds);
  Byte GetStripKind() const noexcept { return FStripKind; }
  Byte GetFadedEnds() const noexcept { return FFadedEnds; }
  // A strip with faded ends needs the shadow's size both ways to carry them.
  bool IsUsable();
  // The strip's pixels, alpha in the top byte, black premultiplied (layered shadows only).
  const std::vector<uint32_t>& GetAlphaImage() const noexcept { return FAlphaImage; }
  void Place(const TRect& R);
  void ShowPart();
  void HidePart();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  void BuildAlphaImage();

  TqzBarShadow* FOwnerShadow;
  Byte FStripKind;
  Byte FFadedEnds;
  std::vector<uint32_t> FAlphaImage;
};

class TqzBarShadow : public TObject {
  TAVREN_CLASS(TqzBarShadow, TObject)
 public:
  explicit TqzBarShadow(TWinControl* ACastingWindow);
  ~TqzBarShadow() override;

  // Screen rectangles; the opener's is empty unless the window is drawn joined to it.
  void SetRects(const TRect& AOpener, const TRect& AWindow);
  bool GetVisible() const noexcept { return FShown; }
  void SetVisible(bool Value);
  void Rebuild();
  TWinControl* GetCastingWindow() const noexcept { return FCastingWindow; }
  Integer PartCount() const { return static_cast<Integer>(FPartWindows.size()); }
  TqzBarShadowPart* GetPart(Integer AIndex) const { return FPartWindows[AIndex].get(); }

  // Layered shadows: more than 8 bits per pixel on the screen.
  static bool UsesLayeredShadows();
  // 4 pixels with layered shadows, else 2.
  static Integer ShadowSize();

 private:
  void AddPart(Byte AKind, Byte AEnds, const TRect& R);
  void BuildHorizontal();
  void BuildVertical();

  TWinControl* FCastingWindow;
  std::vector<std::unique_ptr<TqzBarShadowPart>> FPartWindows;
  bool FShown = false;
  bool FOneAbove = true;
  TRect FUpperOrLeftRect;
  TRect FLowerOrRightRect;
};
