#pragma once
// TPersistent: objects that can be assigned to one another and streamed.

#include "rtl/Interfaces.h"
#include "rtl/Object.h"

class TFiler;  // the streaming layer's filer

class TPersistent : public TObject {
  TAVREN_CLASS(TPersistent, TObject)
 public:
  // Copies Source into this object. Source's AssignTo gets the chance a class of this one does not
  // take; unhandled, EConvertError "Cannot assign a <Source class> to a <this class>".
  virtual void Assign(TPersistent* Source);
  // The owner in the streaming sense (the component of a sub-object, the collection of an item).
  virtual TPersistent* GetOwner();
  // "Form1.Button1.Font": the owner's path and this object's name in it.
  virtual String GetNamePath();

 protected:
  virtual void AssignTo(TPersistent* Dest);
  // Properties that are streamed without being published: the class calls Filer->DefineProperty.
  virtual void DefineProperties(TFiler* Filer);

  [[noreturn]] void AssignError(TPersistent* Source);

  friend class TReader;
  friend class TWriter;
  friend class TFiler;
};

using TPersistentClass = TClassOf<TPersistent>;

// A persistent object that implements interfaces without being reference counted by them. When
// its owner is interface counted, the count of the owner is used instead, as the object lives as
// long as its owner does.
class TInterfacedPersistent : public TPersistent, public virtual IInterface {
  TAVREN_CLASS(TInterfacedPersistent, TPersistent)
 public:
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override;
  Integer _Release() override;
};
