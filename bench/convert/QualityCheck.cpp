#include "QualityCheck.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

std::string Run(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  pclose(pipe);
  return output;
}

// "pts_time,size" of each packet of the stream kind ("v" or "a").
std::vector<std::pair<double, long>> Packets(const std::string& file, const char* kind) {
  std::istringstream lines(Run(std::string("ffprobe -v error -select_streams ") + kind +
                               " -show_entries packet=pts_time,size -of csv=p=0 '" + file + "'"));
  std::vector<std::pair<double, long>> packets;
  std::string line;
  while (std::getline(lines, line)) {
    const size_t comma = line.find(',');
    if (comma != std::string::npos) packets.emplace_back(atof(line.c_str()), atol(line.c_str() + comma + 1));
  }
  return packets;
}

double BitRate(const std::vector<std::pair<double, long>>& packets) {
  if (packets.size() < 2) return 0;
  double bytes = 0;
  for (const auto& packet : packets) bytes += double(packet.second);
  const double seconds =
      (packets.back().first - packets.front().first) * double(packets.size()) / double(packets.size() - 1);
  return bytes * 8 / seconds;
}

double Psnr(const std::string& file, const std::string& source) {
  const std::string text = Run("ffmpeg -nostdin -i '" + file + "' -i '" + source +
                               "' -lavfi '[0:v][1:v]psnr' -f null - 2>&1");
  const size_t at = text.find("average:");
  return at == std::string::npos ? 0.0 : atof(text.c_str() + at + 8);
}

}  // namespace

TQuality CheckParts(const std::string& parts, const std::string& single, const std::string& source,
                    double& singlePsnr) {
  TQuality q;
  const auto video = Packets(parts, "v"), singleVideo = Packets(single, "v");
  const auto audio = Packets(parts, "a"), singleAudio = Packets(single, "a");
  q.Frames = int(video.size());
  q.SameVideoTimes = video.size() == singleVideo.size();
  for (size_t i = 0; q.SameVideoTimes && i < video.size(); ++i)
    q.SameVideoTimes = video[i].first == singleVideo[i].first;
  q.SameAudio = audio == singleAudio;
  q.VideoBitRate = BitRate(video);
  q.SingleBitRate = BitRate(singleVideo);
  // Sound and pictures start apart by the sound encoder's delay, in one stream too.
  if (!video.empty() && !audio.empty() && !singleVideo.empty() && !singleAudio.empty())
    q.SyncShift = std::fabs((video.front().first - audio.front().first) -
                            (singleVideo.front().first - singleAudio.front().first));
  q.Psnr = Psnr(parts, source);
  singlePsnr = Psnr(single, source);
  return q;
}

bool ReportQuality(const char* job, const TQuality& q, double singlePsnr, int frames, double frameRate,
                   double bitRate) {
  const bool framesOk = q.Frames == frames && q.SameVideoTimes;
  const bool syncOk = q.SameAudio && q.SyncShift <= 1.0 / frameRate;
  // Where the encoder cannot come down to the rate asked (its coarsest quantiser), one stream
  // misses it too: the parts are then measured against the one stream.
  const double target = std::fabs(q.SingleBitRate / bitRate - 1.0) <= 0.05 ? bitRate : q.SingleBitRate;
  const bool rateOk = std::fabs(q.VideoBitRate / target - 1.0) <= 0.05;
  const bool psnrOk = q.Psnr >= singlePsnr - 0.3;
  printf("  %s in parts: %d frames (%d expected), times %s; sound %s, in step within %.3f s; "
         "%.0f bit/s (%+.1f %% of the asked, one stream %+.1f %%); PSNR %.2f dB (one stream %.2f dB): %s\n",
         job, q.Frames, frames, q.SameVideoTimes ? "as one stream" : "DIFFER", q.SameAudio ? "as one stream" : "DIFFERS",
         q.SyncShift, q.VideoBitRate, (q.VideoBitRate / bitRate - 1.0) * 100, (q.SingleBitRate / bitRate - 1.0) * 100,
         q.Psnr, singlePsnr,
         framesOk && syncOk && rateOk && psnrOk ? "ok" : "FAILED");
  return framesOk && syncOk && rateOk && psnrOk;
}
