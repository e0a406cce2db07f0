#pragma once
// A form that gives its caption strip to its ribbon: it tells the ribbon's caption helper how its
// frame looks, routes its caption's hit tests and presses to the helper and leaves the caption's
// painting to the ribbon.

#include "toolkit/ribbon/qzRibbonFormCaptionHelper.h"
#include "vcl/Forms.h"

class TqzRibbonForm : public TForm {
  TAVREN_CLASS(TqzRibbonForm, TForm)
  TAVREN_MESSAGES()
 public:
  // The ribbon hears every key first: the form previews them.
  explicit TqzRibbonForm(TComponent* AOwner) : TForm(AOwner) { SetKeyPreview(true); }
  TqzRibbonForm(TComponent* AOwner, Integer Dummy) : TForm(AOwner, Dummy) { SetKeyPreview(true); }

  // The ribbon's helper, or nullptr to draw the standard caption again.
  void SetCaptionHelper(TqzRibbonFormCaptionHelper* AHelper);
  TqzRibbonFormCaptionHelper* GetCaptionHelper() const noexcept { return FCaptionHelper; }
  bool GetRibbonCaption() const noexcept { return FRibbonCaption; }
  // Describes the frame to the helper.
  void UpdateFrameInfo();
  void UpdateBorderIcons();
  // Extends the desktop composition's frame down to ATop rows.
  void ExtendGlassFrame(Integer ATop);
  bool GetNoGlassFrame() const noexcept { return FNoGlassFrame; }
  void SetNoGlassFrame(bool Value) { FNoGlassFrame = Value; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WMNCCalcSize(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMNCLButtonUp(TMessage& Message);
  void WMNCRButtonUp(TMessage& Message);
  void WMFrameChanged(TMessage& Message);

 private:
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  TqzCustomRibbon* Ribbon() const;

  TqzRibbonFormCaptionHelper* FCaptionHelper = nullptr;
  bool FRibbonCaption = false;
  Integer FGlassFrameTop = -1;
  bool FNoGlassFrame = false;
  bool FFillGlassFromLeft = false;
};
