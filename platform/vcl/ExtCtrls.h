#pragma once
// The framework's extra controls: panels (a window with bevels and a centred caption), bevels
// (lines and frames painted on the parent) and images (a picture painted on the parent, stretched,
// centred or kept in proportion).

#include <memory>

#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
TAVREN_ENUM_INFO(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace);
using TBevelWidth = Integer;
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
TAVREN_ENUM_INFO(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);
enum TBevelStyle { bsLowered, bsRaised };
TAVREN_ENUM_INFO(TBevelStyle, bsLowered, bsRaised);

// Draws Width nested frames with TopColor on the top and left edges and BottomColor on the others,
// and leaves Rect inside them.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

class TCustomPanel : public TCustomControl {
  TAVREN_CLASS(TCustomPanel, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomPanel(TComponent* AOwner);
  // Inside the border and the bevels.
  void AdjustClientRect(TRect& Rect) override;

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelWidth GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth Value);
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void CMTextChanged(TMessage& Message);

 private:
  // The bevels' total width on each side.
  Integer BevelSize() const;
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  TBevelWidth FBevelWidth = 1;
  TFormBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
  TAVREN_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
};

class TBevel : public TGraphicControl {
  TAVREN_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TImage : public TGraphicControl {
  TAVREN_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value);
  bool GetProportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  void SetAutoSize(bool Value) override;
  // Where the picture is drawn in the client area.
  TRect DestRect();

 protected:
  void Paint() override;
  bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;

 private:
  void PictureChanged(TObject* Sender);
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
};

// Registers the unit's classes for form reading.
void ExtCtrlsStart();
