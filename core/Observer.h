#pragma once
// Change notification of the task list and the format catalogue: the windows that show them attach
// an IObserver and read the subject again on every Update.

#include <vector>

#include "rtl/Interfaces.h"

class IObserver : public virtual IInterface {
  TAVREN_INTERFACE(IObserver)
 public:
  virtual void Update() = 0;
};

class ISubject : public virtual IInterface {
  TAVREN_INTERFACE(ISubject)
 public:
  virtual void Attach(IObserver* Observer) = 0;
  virtual void Detach(IObserver* Observer) = 0;
};

// The subjects are created and freed explicitly by the start-up service, never through their
// interface. Observers are held as plain pointers: the window that attached one keeps it alive
// while it is attached.
class TSubject : public TInterfacedObject, public ISubject {
  TAVREN_CLASS(TSubject, TInterfacedObject)
 public:
  // Appends Observer (again, when it is already attached) and notifies every observer at once.
  void Attach(IObserver* Observer) override;
  // Removes the first entry that is Observer; EListError when there is none. Nobody is notified.
  void Detach(IObserver* Observer) override;
  // Calls Update on the observers in the order they were attached.
  void Notify();

 private:
  std::vector<IObserver*> FObservers;
};
