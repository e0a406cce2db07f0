#include "engine/EngineUnits.h"

#include "engine/EngineLog.h"
#include "engine/MediaConv.h"
#include "engine/MediaInfo.h"

void EngineStart() { EngineLogStart(); }

void EngineEnd() {
  MediaConvEnd();
  MediaInfo_Close();
  EngineLogEnd();
}
