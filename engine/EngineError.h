#pragma once
// Failures inside the engine travel as EEngineError carrying the result code; each entry point
// turns them into its code in one place, EngineCall.


#include "engine/EngineLog.h"
#include "engine/EngineResult.h"
#include "rtl/Exceptions.h"

class EEngineError : public Exception {
 public:
  EEngineError(TEngineResult code, String message) : Exception(std::move(message)), FCode(code) {}
  TEngineResult Code() const noexcept { return FCode; }
  const char* ClassName() const noexcept override { return "EEngineError"; }

 private:
  TEngineResult FCode;
};

[[noreturn]] void RaiseEngineError(TEngineResult code, const String& message);

// FFmpeg's text for one of its negative error numbers.
String AvErrorText(int error);

// Runs `body` of the entry point `name`; a failure is logged and answered with its code. An
// unexpected failure (out of memory) has no code of its own and is reported as an unsupported
// format, so that no exception ever crosses the C boundary.
template <class Body>
TEngineResult EngineCall(const char* name, Body&& body) noexcept {
  try {
    body();
    return erSuccess;
  } catch (const EEngineError& e) {
    EngineLog(TLogKind::Error, "%s: %s (code %d)", name, e.Message().c_str(), int(e.Code()));
    return e.Code();
  } catch (const std::exception& e) {
    EngineLog(TLogKind::Error, "%s: %s", name, e.what());
    return erUnsupportedFormat;
  }
}
