#pragma once
// How the wrappers make one engine call (shared by the sources of the Convert unit).

#include "core/Convert.h"

// A non-zero code becomes EMediaException.
inline void CheckMedia(Byte Code) {
  if (Code != 0) throw EMediaException(Code);
}

// Runs Call and turns every failure into EWrap: the engine's message for an engine code, else
// "Unknown exception".
template <class EWrap, class Call>
void WrapEngineCall(Call&& call) {
  try {
    CheckMedia(call());
  } catch (const EMediaException& e) {
    throw EWrap(e.Message());
  } catch (...) {
    throw EWrap("Unknown exception");
  }
}
