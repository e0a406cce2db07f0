#include "engine/EngineUnits.h"

#include "engine/EngineLog.h"
#include "engine/MediaConv.h"
#include "engine/MediaInfo.h"
#include "engine/MediaPlayer.h"
#include "engine/SelRect.h"

void EngineStart() { EngineLogStart(); }

void EngineEnd() {
  SelRectEnd();
  MediaPlayerEnd();
  MediaConvEnd();
  MediaInfo_Close();
  EngineLogEnd();
}
