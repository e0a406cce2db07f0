#pragma once
// The form of the output-format settings inspector, read from the tests' form resource.

#include "rtl/ClassRegistry.h"
#include "toolkit/inspector/JyInspector.h"
#include "vcl/Forms.h"

class TOutputFormatForm : public TForm {
  TAVREN_CLASS(TOutputFormatForm, TForm)
 public:
  using TForm::TForm;
  TJyInspector* OFormat = nullptr;
  TJyTextItem* Video = nullptr;
  TJyComboBoxItem* VCodec = nullptr;
  TJyComboBoxItem* Size = nullptr;
  TJyComboBoxItem* Fps = nullptr;
  TJyTextItem* Audio = nullptr;
  TJyComboBoxItem* Sample = nullptr;
  TJyComboBoxItem* ABitRate = nullptr;
};

inline void RegisterOutputFormatForm() { RegisterClass(TOutputFormatForm::ClassInfo()); }
