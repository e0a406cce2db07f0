#include "core/Convert.h"

#include <cstring>

#include "core/ConvertCall.h"
#include "core/EngineApi.h"

TAVREN_CLASS_IMPL(TMediaInfo)
TAVREN_CLASS_IMPL(TTaskInfo)

// ---- Errors ----------------------------------------------------------------------------------

String MediaErrorText(Integer Code) {
  switch (Code) {
    case 1: return "Cannot find input file";
    case 2: return "Cannot create output file";
    case 3: return "Cannot support file format";
    case 4: return "Cannot find/open decoder";
    case 5: return "Cannot find/open encoder";
    case 6: return "Cannot support output parameters in this format";
    default: return "Unknown media error " + std::to_string(Code);
  }
}

EMediaException::EMediaException(Integer Code) : Exception(MediaErrorText(Code)) {}
EPlayException::EPlayException(const String& Inner) : Exception("Playback occured exception\r\n" + Inner) {}
EConvertException::EConvertException(const String& Inner)
    : Exception("Converting occured exception\r\n" + Inner) {}

// ---- Probe -----------------------------------------------------------------------------------

namespace {
Integer ReadLittleEndian(const Byte* p) {
  return static_cast<Integer>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
}  // namespace

Integer TStreamRecord::Width() const { return ReadLittleEndian(Data + 16); }
Integer TStreamRecord::Height() const { return ReadLittleEndian(Data + 20); }

TMediaInfo::~TMediaInfo() {
  try {
    Close();
  } catch (const Exception& e) {
    LogCoreError("Closing the probed file failed: " + e.Message());
  }
}

void TMediaInfo::Open(const String& Path) { CheckMedia(Engine().MediaInfo.OpenFile(Path.c_str())); }

Int64 TMediaInfo::Duration() {
  Int64 duration = 0;
  CheckMedia(Engine().MediaInfo.GetDur(&duration));
  return duration;
}

Integer TMediaInfo::StreamCount() {
  Integer count = 0;
  CheckMedia(Engine().MediaInfo.GetStreamCount(&count));
  return count;
}

void TMediaInfo::StreamInfo(Integer Index, TStreamRecord& Record) {
  std::memset(Record.Data, 0, sizeof Record.Data);
  CheckMedia(Engine().MediaInfo.GetInfo(Index, Record.Data));
}

Integer TMediaInfo::StreamType(Integer Index) {
  Integer type = 0;
  CheckMedia(Engine().MediaInfo.GetType(Index, &type));
  return type & 0xFF;
}

void TMediaInfo::Close() { CheckMedia(Engine().MediaInfo.Close()); }

// ---- Job settings ----------------------------------------------------------------------------

Int64 TTaskInfo::TrimmedLength() const { return EndTime > StartTime ? EndTime - StartTime : 0; }
