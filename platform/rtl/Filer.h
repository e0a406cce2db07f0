#pragma once
// TFiler: what TReader and TWriter share, and what a class sees in DefineProperties. A class
// streams values that are not published properties by defining them:
//
//   void TMyList::DefineProperties(TFiler* Filer) {
//     inherited::DefineProperties(Filer);
//     Filer->DefineProperty("ImageIndexes", [this](TReader* R) { ReadIndexes(R); },
//                           [this](TWriter* W) { WriteIndexes(W); }, !FIndexes.empty());
//     Filer->DefineBinaryProperty("Data", [this](TStream* S) { ReadData(S); },
//                                 [this](TStream* S) { WriteData(S); }, !Empty());
//   }
//
// A reader calls the read procedure of the property it meets in the text; a writer calls the
// write procedure of every property whose HasData is true.

#include <functional>

#include "rtl/Object.h"

class TComponent;
class TPersistent;
class TReader;
class TWriter;
class TStream;

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

class TFiler : public TObject {
  TAVREN_CLASS(TFiler, TObject)
 public:
  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;

  // The component whose form is being streamed.
  TComponent* GetRoot() const noexcept { return FRoot; }
  // The component that names in the text are relative to (the root, or an inline frame).
  TComponent* GetLookupRoot() const noexcept { return FLookupRoot; }
  // The ancestor a writer compares against (inherited forms); nullptr when there is none, which
  // is always the case in this system: it never writes inherited forms.
  TPersistent* GetAncestor() const noexcept { return FAncestor; }
  void SetAncestor(TPersistent* Value) noexcept { FAncestor = Value; }

 protected:
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
};
