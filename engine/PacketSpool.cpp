#include "engine/PacketSpool.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "engine/EngineError.h"
#include "engine/OutputFile.h"

namespace {

// What a packet is stored as, before its data and side data.
struct TPacketRecord {
  int64_t Pts, Dts, Duration;
  int32_t Flags, Size, SideData;
};

struct TSideDataRecord {
  int32_t Type, Size;
};

int MakeUnnamedFile(const String& folder) {
  int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  // File systems without unnamed files: a hidden name, removed at once.
  String pattern = folder + "/.spool.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) unlink(name.data());
  return fd;
}

}  // namespace

PacketSpool::PacketSpool(const String& folder, AVRational timeBase) : FTimeBase(timeBase) {
  const int fd = MakeUnnamedFile(folder);
  if (fd >= 0) FFile = fdopen(fd, "w+b");
  if (FFile == nullptr) {
    const int error = errno;
    if (fd >= 0) close(fd);
    RaiseEngineError(erCannotCreateOutput, "cannot make a working file in " + folder + ": " + strerror(error));
  }
}

PacketSpool::~PacketSpool() {
  if (FFile) fclose(FFile);
}

void PacketSpool::Check(bool ok, const char* what) {
  if (!ok) RaiseEngineError(erCannotCreateOutput, String("cannot ") + what + " a working file: " + strerror(errno));
}

void PacketSpool::Write(const AVPacket* packet) {
  const TPacketRecord record{packet->pts, packet->dts, packet->duration, packet->flags, packet->size,
                             packet->side_data_elems};
  Check(fwrite(&record, sizeof record, 1, FFile) == 1, "write");
  Check(packet->size == 0 || fwrite(packet->data, size_t(packet->size), 1, FFile) == 1, "write");
  for (int i = 0; i < packet->side_data_elems; ++i) {
    const AVPacketSideData& side = packet->side_data[i];
    const TSideDataRecord head{int32_t(side.type), int32_t(side.size)};
    Check(fwrite(&head, sizeof head, 1, FFile) == 1, "write");
    Check(side.size == 0 || fwrite(side.data, side.size, 1, FFile) == 1, "write");
  }
}

bool PacketSpool::Read(AVPacket* packet) {
  if (!FReading) {
    Check(fflush(FFile) == 0 && fseek(FFile, 0, SEEK_SET) == 0, "read back");
    FReading = true;
  }
  av_packet_unref(packet);
  TPacketRecord record{};
  if (fread(&record, sizeof record, 1, FFile) != 1) {
    Check(!ferror(FFile), "read");
    return false;
  }
  if (av_new_packet(packet, record.Size) < 0) throw std::bad_alloc();
  Check(record.Size == 0 || fread(packet->data, size_t(record.Size), 1, FFile) == 1, "read");
  packet->pts = record.Pts;
  packet->dts = record.Dts;
  packet->duration = record.Duration;
  packet->flags = record.Flags;
  for (int i = 0; i < record.SideData; ++i) {
    TSideDataRecord head{};
    Check(fread(&head, sizeof head, 1, FFile) == 1, "read");
    uint8_t* data = av_packet_new_side_data(packet, AVPacketSideDataType(head.Type), size_t(head.Size));
    if (data == nullptr) throw std::bad_alloc();
    Check(head.Size == 0 || fread(data, size_t(head.Size), 1, FFile) == 1, "read");
  }
  return true;
}

void WriteSpoolsInOrder(const std::vector<PacketSpool*>& video, int videoStream, PacketSpool* audio, int audioStream,
                        OutputFile& output, StageGate& gate) {
  AvPacketPtr picture = NewPacket(), sound = NewPacket();
  size_t part = 0;
  auto nextPicture = [&] {
    for (; part < video.size(); ++part)
      if (video[part]->Read(picture.get())) return true;
    return false;
  };
  bool hasPicture = nextPicture();
  bool hasSound = audio != nullptr && audio->Read(sound.get());
  while ((hasPicture || hasSound) && gate.Proceed()) {
    const bool pictureFirst =
        hasPicture && (!hasSound || av_compare_ts(picture->dts, video[part]->TimeBase(), sound->dts, audio->TimeBase()) <= 0);
    if (pictureFirst) {
      picture->stream_index = videoStream;
      output.WritePacket(picture.get(), video[part]->TimeBase());
      hasPicture = nextPicture();
    } else {
      sound->stream_index = audioStream;
      output.WritePacket(sound.get(), audio->TimeBase());
      hasSound = audio->Read(sound.get());
    }
  }
}
