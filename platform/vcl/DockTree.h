#pragma once
// Docking's layout: a dock site with a dock manager keeps its docked clients in zones, one per
// client, side by side along the first side a client was docked to (stacked for top and bottom
// or none, in a row for left and right), each zone with a grabber strip the manager paints.
// Custom dock managers derive from TDockTree and change the grabber and its painting.
// TCustomDockForm is the small tool window a control floats in.

#include <vector>

#include "vcl/Forms.h"

class TDockTree : public TObject {
  TAVREN_CLASS(TDockTree, TObject)
 public:
  explicit TDockTree(TWinControl* DockSite);
  ~TDockTree() override;

  TWinControl* GetDockSite() const { return FDockSite; }
  const std::vector<TControl*>& GetClients() const { return FClients; }
  Integer GetGrabberSize() const { return FGrabberSize; }
  void SetGrabberSize(Integer Value) { FGrabberSize = Value; }

  virtual void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl);
  virtual void RemoveControl(TControl* Control);
  // Lays the clients out in the site's client area again.
  virtual void ResetBounds(bool Force);
  // The zone less the grabber: the client's own rectangle.
  virtual void AdjustDockRect(TControl* Control, TRect& ARect);
  // The zone a client has, grabber included; empty when it is not docked here.
  virtual void GetControlBounds(TControl* Control, TRect& CtlBounds);
  // The grabber of one zone: two etched bars and a close button.
  virtual void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect);
  // Paints every zone's frame onto the site.
  virtual void PaintSite(HDC DC);
  // The close button of a zone's grabber, in site coordinates.
  virtual TRect CloseButtonRect(const TRect& Zone);
  // A press on a grabber's close button hides that client; true when the press was one.
  virtual bool ClickAt(TPoint Pos);

 protected:
  Integer FGrabberSize = 12;

 private:
  TWinControl* FDockSite;
  std::vector<TControl*> FClients;
  bool FInRow = false;  // zones side by side rather than stacked
};

class TCustomDockForm : public TCustomForm {
  TAVREN_CLASS(TCustomDockForm, TCustomForm)
  TAVREN_MESSAGES()
 public:
  explicit TCustomDockForm(TComponent* AOwner);

 private:
  // The form goes when its last client leaves.
  void CMControlListChange(TMessage& Message);
};
