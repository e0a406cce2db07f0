#pragma once
// Combo controls: an edit control with a drop button whose drop-down the item supplies, the
// control of a combo with a list of strings (it previews entries in its editor as the user steps
// through them), and the popup list box such a combo drops down.

#include "toolkit/bars/qzBarItemControlEdits.h"
#include "vcl/StdCtrls.h"

// The drop button's part index.
constexpr Integer qzComboButtonPart = 3;

class TCustomqzBarComboControl : public TqzBarEditControl {
  TAVREN_CLASS(TCustomqzBarComboControl, TqzBarEditControl)
 public:
  using TqzBarEditControl::TqzBarEditControl;
  ~TCustomqzBarComboControl() override;
  TCustomqzBarCombo* GetCombo() const { return dynamic_cast<TCustomqzBarCombo*>(GetItem()); }

  virtual void SetDroppedDown(bool AFlag);

  void EnabledChanged() override;
  void Deactivate(bool AFlag) override;
  Integer GetPartCount() override { return inherited::GetPartCount() + 1; }
  void FillDrawParams(bool ARefresh) override;
  void CalcPartRects() override;
  bool OwnsWindow(HWND AWnd) override;
  bool IsDroppedDown() override { return FComboDroppedDown; }
  void FilterMenuKeyDown(Word& AKey, TShiftState AShift) override;
  void FilterMenuKeyUp(Word& AKey) override;
  void InnerWndProc(TMessage& Message) override;
  void AdjustFrameRect(TRect& R) override;
  void PaintEditArea() override;
  bool PaintsText() override;

 private:
  bool FWasDroppedOnPress = false;
  bool FComboDroppedDown = false;
};

class TqzBarComboControl : public TCustomqzBarComboControl {
  TAVREN_CLASS(TqzBarComboControl, TCustomqzBarComboControl)
 public:
  using TCustomqzBarComboControl::TCustomqzBarComboControl;
  TqzBarCustomCombo* GetListCombo() const { return dynamic_cast<TqzBarCustomCombo*>(GetItem()); }
  Integer GetPreviewIndex() const noexcept { return FPreviewIndex; }
  // The editor shows the entry; the item's ItemIndex stays until the choice is committed.
  void SetPreviewIndex(Integer AIndex);

  void LoadText() override;
  void SetInPlaceActive(bool AFlag) override;
  void InnerWndProc(TMessage& Message) override;

 private:
  // The preview as an entry of the list: -1 when it names none (the list may have shrunk).
  Integer ValidPreviewIndex() const;

  Integer FPreviewIndex = -1;
};

class TqzBarDropDownListBox : public TCustomListBox {
  TAVREN_CLASS(TqzBarDropDownListBox, TCustomListBox)
 public:
  using TCreateArg = TqzBarCustomCombo*;
  explicit TqzBarDropDownListBox(TqzBarCustomCombo* ACombo);
  TqzBarCustomCombo* GetCombo() const noexcept { return FCombo; }
  bool GetPressPending() const noexcept { return FPressPending; }
  void SetPressPending(bool Value) { FPressPending = Value; }
  // The bar window of the combo's active control, whose painter frames the list.
  TCustomqzBarControl* OwnerBar() const;
  // The list's window belongs to the bar window it dropped from: it goes when the list closes.
  void LoseOwner() {
    if (HandleAllocated()) DestroyHandle();
  }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) override;
  void MeasureItem(Integer Index, Integer& Height) override;
  // The entry clicked or tracked shows in the combo's editor.
  void Click() override;

 private:
  void ReleaseOverEntry();
  void PaintFrame();

  TqzBarCustomCombo* FCombo;
  bool FPressPending = false;
};
