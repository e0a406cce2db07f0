#pragma once
// The output-format frame: the parameters of the chosen output profile as drop-down rows of a
// property inspector, filled from the format catalogue and refilled whenever its selection
// changes.

#include "core/Formats.h"
#include "toolkit/inspector/JyInspector.h"
#include "vcl/Forms.h"

class TFrameOFormat : public TFrame, public IObserver {
  TAVREN_CLASS(TFrameOFormat, TFrame)
 public:
  explicit TFrameOFormat(TComponent* AOwner);

  // The catalogue the rows come from (not owned).
  void SetFormats(TFormats* Formats) { FFormats = Formats; }
  // Refills every row for the catalogue's selection.
  void Update() override;
  // Fills every row for one format and shows its defaults.
  void FillFormat(Integer FormatIndex);
  // Writes the rows' choices into the catalogue's selection, keeping its format.
  void ApplyToSelection();
  void RestoreDefaults();

  // A frame is owned by its form, not counted through its interfaces.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  TJyInspector* OFormat = nullptr;
  TJyTextItem* Video = nullptr;
  TJyComboBoxItem* VCodec = nullptr;
  TJyComboBoxItem* Size = nullptr;
  TJyComboBoxItem* Fps = nullptr;
  TJyComboBoxItem* Aspect = nullptr;
  TJyComboBoxItem* VBitRate = nullptr;
  TJyTextItem* Audio = nullptr;
  TJyComboBoxItem* ACodec = nullptr;
  TJyComboBoxItem* Sample = nullptr;
  TJyComboBoxItem* Channels = nullptr;
  TJyComboBoxItem* ABitRate = nullptr;

 private:
  TFormats* FFormats = nullptr;
};

void OFormatStart();
