#pragma once
// The Wb panel: an outer and an inner frame style on chosen sides, a plain or gradient face, an
// optional grid, an aligned caption, transparency over the parent, and the Enabled state handed
// down to its children (each child's own state comes back afterwards). The group box derives from
// it and draws one of six group looks with the caption set into the frame.

#include <utility>
#include <vector>

#include "toolkit/controls/WbCommonFrameController.h"
#include "vcl/DockTree.h"
#include "vcl/ExtCtrls.h"

enum TWbGridStyle { gsDots, gsDottedLines, gsSolidLines };
TAVREN_ENUM_INFO(TWbGridStyle, gsDots, gsDottedLines, gsSolidLines);
enum TWbGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };
TAVREN_ENUM_INFO(TWbGroupBoxStyle, gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline);

class TWbCustomPanel : public TCustomPanel, public IWbFramingClient {
  TAVREN_CLASS(TWbCustomPanel, TCustomPanel)
  TAVREN_MESSAGES()
 public:
  explicit TWbCustomPanel(TComponent* AOwner);
  ~TWbCustomPanel() override;

  void PullFrameControllerValues() override { DoPullFrameControllerValues(); }
  void AdjustClientRect(TRect& Rect) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  TAlignmentVertical GetAlignmentVertical() const { return FAlignmentVertical; }
  virtual void SetAlignmentVertical(TAlignmentVertical Value);
  TColor GetBorderColor() const { return FBorderColor; }
  virtual void SetBorderColor(TColor Value);
  TFrameStyleEx GetBorderInner() const { return FBorderInner; }
  virtual void SetBorderInner(TFrameStyleEx Value);
  TFrameStyleEx GetBorderOuter() const { return FBorderOuter; }
  virtual void SetBorderOuter(TFrameStyleEx Value);
  TSides GetBorderSides() const { return FBorderSides; }
  virtual void SetBorderSides(TSides Value);
  TColor GetBorderHighlight() const { return FBorderHighlight; }
  virtual void SetBorderHighlight(TColor Value);
  TColor GetBorderShadow() const { return FBorderShadow; }
  virtual void SetBorderShadow(TColor Value);
  TColor GetFlatColor() const { return FFlatColor; }
  virtual void SetFlatColor(TColor Value);
  Integer GetFlatColorAdjustment() const { return FFlatColorAdjustment; }
  virtual void SetFlatColorAdjustment(Integer Value);
  TWbFrameController* GetFrameController() const { return FFrameController; }
  virtual void SetFrameController(TWbFrameController* Value);
  TWbFrameControllerNotifications GetFrameControllerNotifications() const { return FFrameControllerNotifications; }
  void SetFrameControllerNotifications(TWbFrameControllerNotifications Value) { FFrameControllerNotifications = Value; }
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  TWbGradientColorStyle GetGradientColorStyle() const { return FGradientColorStyle; }
  virtual void SetGradientColorStyle(TWbGradientColorStyle Value);
  TColor GetGradientColorStart() const { return FGradientColorStart; }
  virtual void SetGradientColorStart(TColor Value);
  TColor GetGradientColorStop() const { return FGradientColorStop; }
  virtual void SetGradientColorStop(TColor Value);
  TGradientDirection GetGradientDirection() const { return FGradientDirection; }
  virtual void SetGradientDirection(TGradientDirection Value);
  TColor GetGridColor() const { return FGridColor; }
  virtual void SetGridColor(TColor Value);
  TWbGridStyle GetGridStyle() const { return FGridStyle; }
  virtual void SetGridStyle(TWbGridStyle Value);
  Word GetGridXSize() const { return FGridXSize; }
  virtual void SetGridXSize(Word Value);
  Word GetGridYSize() const { return FGridYSize; }
  virtual void SetGridYSize(Word Value);
  bool GetLocked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }
  bool GetShowDockClientCaptions() const { return FShowDockClientCaptions; }
  void SetShowDockClientCaptions(bool Value) { FShowDockClientCaptions = Value; }
  bool GetShowGrid() const { return FShowGrid; }
  virtual void SetShowGrid(bool Value);
  Integer GetTextMargin() const { return FTextMargin; }
  virtual void SetTextMargin(Integer Value);
  bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  TWbVisualStyle GetVisualStyle() const { return FVisualStyle; }
  virtual void SetVisualStyle(TWbVisualStyle Value);
  bool GetWordWrap() const { return FWordWrap; }
  virtual void SetWordWrap(bool Value);
  TNotifyEvent GetOnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = Value; }

  // Rect less the frames on the chosen sides (and BorderWidth when asked).
  virtual TRect AdjustBorderRect(TRect Rect, bool IncludeBorderWidth);
  virtual void GetGradientColors(TColor& Start, TColor& Stop);
  // Which children the panel found enabled when it was disabled.
  const std::vector<std::pair<bool, TControl*>>& GetEnabledStates() const { return FEnabledStates; }

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void DefineProperties(TFiler* Filer) override;
  // A Wb panel lays docked clients out with caption bars (TWbPanelDockManager).
  std::unique_ptr<TDockTree> CreateDockManager() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual TPoint CursorPosition();
  virtual TRect PaintBounds() { return {0, 0, GetWidth(), GetHeight()}; }
  virtual void DrawPanelCaption(TRect Rect);
  virtual void DrawGrid(const TRect& Rect);
  virtual void DoPullFrameControllerValues();
  // Fills the face and draws grid and caption (the panel look, also used by a custom group box).
  void PaintPanel();
  void Changed(bool Realign);

 private:
  void WMEraseBkgnd(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMThemeChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMControlChange(TMessage& Message);

  TAlignmentVertical FAlignmentVertical = avCenter;
  TColor FBorderColor = clBtnFace;
  TFrameStyleEx FBorderInner = fsNone;
  TFrameStyleEx FBorderOuter = fsRaised;
  TSides FBorderSides = AllSides;
  TColor FBorderHighlight = clBtnHighlight;
  TColor FBorderShadow = clBtnShadow;
  TColor FFlatColor = clBtnShadow;
  Integer FFlatColorAdjustment = 30;
  TWbFrameController* FFrameController = nullptr;
  TWbFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
  bool FFullRepaint = true;
  TWbGradientColorStyle FGradientColorStyle = gcsSystem;
  TColor FGradientColorStart = clWhite;
  TColor FGradientColorStop = clBtnFace;
  TGradientDirection FGradientDirection = gdHorizontalEnd;
  TColor FGridColor = clBtnShadow;
  TWbGridStyle FGridStyle = gsDots;
  Word FGridXSize = 8;
  Word FGridYSize = 8;
  bool FLocked = false;
  bool FShowDockClientCaptions = true;
  bool FShowGrid = false;
  Integer FTextMargin = 0;
  bool FTransparent = false;
  TWbVisualStyle FVisualStyle = vsWinXP;
  bool FWordWrap = true;
  TNotifyEvent FOnPaint;
  std::vector<std::pair<bool, TControl*>> FEnabledStates;
};

// The panel's dock manager: every docked client gets a caption bar (on its left when the panel is
// aligned to the top or bottom, else on top) with the client's text and a close cross, in the
// active caption colours when the client has the focus or has no window.
class TWbPanelDockManager : public TDockTree {
  TAVREN_CLASS(TWbPanelDockManager, TDockTree)
 public:
  explicit TWbPanelDockManager(TWbCustomPanel* Panel);
  ~TWbPanelDockManager() override;

  void AdjustDockRect(TControl* Control, TRect& ARect) override;
  void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect) override;
  TRect CloseButtonRect(const TRect& Zone) override;
  bool GrabberOnTop() const;

 private:
  // In front of the panel's window procedure: commands and activation repaint the captions.
  void PanelWndProc(TMessage& Message);

  TWbCustomPanel* FPanel;
  std::unique_ptr<TFont> FCaptionFont;
  TWndMethod FPreviousWndProc;
};

class TWbPanel : public TWbCustomPanel {
  TAVREN_CLASS(TWbPanel, TWbCustomPanel)
 public:
  using TWbCustomPanel::TWbCustomPanel;
};

class TWbCustomGroupBox : public TWbCustomPanel {
  TAVREN_CLASS(TWbCustomGroupBox, TWbCustomPanel)
  TAVREN_MESSAGES()
 public:
  explicit TWbCustomGroupBox(TComponent* AOwner);
  void AdjustClientRect(TRect& Rect) override;

  TWbGroupBoxStyle GetGroupStyle() const { return FGroupStyle; }
  virtual void SetGroupStyle(TWbGroupBoxStyle Value);
  // Where the caption sits; empty without a caption or in gsCustom.
  TRect CaptionRect();

 protected:
  void Paint() override;
  void DoPullFrameControllerValues() override;

 private:
  void CMDialogChar(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  Integer TextHeightOf(const char* Sample);

  TWbGroupBoxStyle FGroupStyle = gsFlat;
};

class TWbGroupBox : public TWbCustomGroupBox {
  TAVREN_CLASS(TWbGroupBox, TWbCustomGroupBox)
 public:
  using TWbCustomGroupBox::TWbCustomGroupBox;
};

void WbPanelStart();
