#include "engine/EngineError.h"

extern "C" {
#include <libavutil/error.h>
}

void RaiseEngineError(TEngineResult code, const String& message) {
  throw EEngineError(code, message);
}

String AvErrorText(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return text;
}
