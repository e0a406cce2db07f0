// Converts the same sources through our engine, in parts and as one stream, and through the
// ffmpeg program, each in its own process, in turn; prints the median times and peak memory and
// checks the quality of the WMV written in parts against the one written as one stream. Run it
// under `taskset -c 0,1` for the figures on two cores.
//
//   bench_convert [rounds]                 runs the comparison (5 rounds by default; 3 for the
//                                          10-minute job; medians shown)
//   bench_convert --job KIND IN OUT PARTS  converts one file with the engine (the child process)

#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "QualityCheck.h"
#include "engine/EngineUnits.h"
#include "engine/MediaConv.h"
#include "rtl/RtlUnits.h"

namespace {

struct TSource {
  const char* Name;
  const char* Size;
  int Seconds;
};

const TSource kSources[] = {
    {"source-640x480-60s.mp4", "640x480", 60},
    {"source-1280x720-60s.mp4", "1280x720", 60},
    {"source-640x480-600s.mp4", "640x480", 600},
};
constexpr double kFrameRate = 30;
constexpr double kVideoBitRate = 800000;

struct TJobKind {
  const char* Name;
  const char* Kind;  // what the engine's side writes: "wmv" or "mp3"
  const TSource* Source;
  const char* Extension;
  std::vector<std::string> FFmpegArguments;  // between the input and the output
};

const std::vector<std::string> kWmvArguments = {"-c:v", "wmv2", "-b:v", "800k", "-c:a", "wmav2", "-b:a", "128k",
                                                "-ac", "2", "-ar", "44100"};
const TJobKind kJobs[] = {
    {"wmv", "wmv", &kSources[0], "wmv", kWmvArguments},
    {"mp3", "mp3", &kSources[0], "mp3", {"-vn", "-c:a", "libmp3lame", "-b:a", "128k", "-ac", "2", "-ar", "44100"}},
    {"wmv 720p", "wmv", &kSources[1], "wmv", kWmvArguments},
    {"wmv 10 min", "wmv", &kSources[2], "wmv", kWmvArguments},
};

// The engine's side of one job, described as the progress window describes it.
int RunEngineJob(const std::string& kind, const char* input, const char* output, int parts) {
  RtlStart();
  EngineStart();
  MediaConvSetParts(parts);
  TEngineResult code = MediaConv_AddInputFile(input);
  if (kind == "wmv") {
    if (code == 0) code = MediaConv_CreateOutput(output, "asf");
    if (code == 0) code = MediaConv_SetAspect(0, 0);
    if (code == 0) code = MediaConv_SetVideo(19, 0, 0, 0, Integer(kVideoBitRate));
    if (code == 0) code = MediaConv_SetAudio(1, 2, 44100, 128000);
  } else {
    if (code == 0) code = MediaConv_CreateOutput(output, "mp3");
    if (code == 0) code = MediaConv_SetAudio(86017, 2, 44100, 128000);
  }
  if (code == 0) code = MediaConv_SetRange(0, 0);
  if (code == 0) code = MediaConv_Run();
  Byte finished = 0, result = 0;
  while (code == 0) {
    MediaConv_WaitFor(&finished, &result);
    if (finished) {
      code = result;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EngineEnd();
  RtlEnd();
  return code;
}

struct TMeasure {
  double Seconds = 0;
  long PeakKiB = 0;
  bool Ok = false;
};

TMeasure RunChild(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  TMeasure measure;
  const auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    execvp(argv[0], argv.data());
    _exit(127);
  }
  if (child < 0) return measure;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return measure;
  measure.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  measure.PeakKiB = usage.ru_maxrss;
  measure.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return measure;
}

std::string SelfPath() {
  char path[4096] = {};
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, size_t(n)) : std::string("bench_convert");
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool MakeSource(const std::string& folder, const TSource& source) {
  const std::string path = folder + "/" + source.Name;
  if (access(path.c_str(), R_OK) == 0) return true;
  printf("making %s (H.264 + AAC) once...\n", source.Name);
  fflush(stdout);
  const std::string seconds = std::to_string(source.Seconds);
  const std::string make = "mkdir -p '" + folder + "' && ffmpeg -v error -nostdin -y "
                           "-f lavfi -i testsrc2=size=" + std::string(source.Size) + ":rate=30:duration=" + seconds +
                           " -f lavfi -i sine=frequency=440:sample_rate=44100:duration=" + seconds +
                           " -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -b:a 128k -ac 2 '" + path + "'";
  return system(make.c_str()) == 0;
}

// Load average over the last minute, to say how busy the machine was.
double LoadAverage() {
  double load[1] = {0};
  return getloadavg(load, 1) == 1 ? load[0] : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && strcmp(argv[1], "--job") == 0) return RunEngineJob(argv[2], argv[3], argv[4], atoi(argv[5]));
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

  const std::string self = SelfPath();
  const std::string folder = FolderOf(self) + "/bench-media";
  for (const TSource& source : kSources)
    if (!MakeSource(folder, source)) {
      fprintf(stderr, "cannot make the sources with ffmpeg\n");
      return 1;
    }

  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  const int cores = sched_getaffinity(0, sizeof allowed, &allowed) == 0 ? CPU_COUNT(&allowed) : 0;
  printf("%d cores allowed of %u, load average %.1f at the start\n", cores, std::thread::hardware_concurrency(),
         LoadAverage());
  printf("%-10s %8s %8s %8s %7s %7s %9s %9s %9s %7s %7s\n", "job", "parts s", "single s", "ffmpeg s", "parts",
         "single", "parts KiB", "singl KiB", "ffmpg KiB", "parts", "single");
  bool allOk = true;
  for (const TJobKind& job : kJobs) {
    const std::string source = folder + "/" + job.Source->Name;
    const int jobRounds = job.Source->Seconds > 60 ? std::min(rounds, 3) : rounds;
    std::vector<double> times[3], peaks[3];  // parts, single, ffmpeg
    const std::string outputs[3] = {folder + "/parts." + job.Extension, folder + "/single." + job.Extension,
                                    folder + "/ffmpeg." + job.Extension};
    for (int round = 0; round < jobRounds; ++round) {
      std::vector<std::string> ffmpeg = {"ffmpeg", "-v", "error", "-nostdin", "-y", "-i", source};
      ffmpeg.insert(ffmpeg.end(), job.FFmpegArguments.begin(), job.FFmpegArguments.end());
      ffmpeg.push_back(outputs[2]);
      const std::vector<std::string> commands[3] = {
          {self, "--job", job.Kind, source, outputs[0], "0"}, {self, "--job", job.Kind, source, outputs[1], "1"}, ffmpeg};
      // A different one goes first each round, so that none always finds a warm cache.
      for (int i = 0; i < 3; ++i) {
        const int which = (round + i) % 3;
        const TMeasure m = RunChild(commands[which]);
        allOk = allOk && m.Ok;
        times[which].push_back(m.Seconds);
        peaks[which].push_back(double(m.PeakKiB));
      }
    }
    const double t[3] = {Median(times[0]), Median(times[1]), Median(times[2])};
    const double p[3] = {Median(peaks[0]), Median(peaks[1]), Median(peaks[2])};
    printf("%-10s %8.2f %8.2f %8.2f %6.2fx %6.2fx %9.0f %9.0f %9.0f %6.2fx %6.2fx\n", job.Name, t[0], t[1], t[2],
           t[0] / t[2], t[1] / t[2], p[0], p[1], p[2], p[0] / p[2], p[1] / p[2]);
    fflush(stdout);
    if (std::string(job.Kind) == "wmv") {
      double singlePsnr = 0;
      const TQuality quality = CheckParts(outputs[0], outputs[1], source, singlePsnr);
      allOk = ReportQuality(job.Name, quality, singlePsnr, int(job.Source->Seconds * kFrameRate), kFrameRate,
                            kVideoBitRate) && allOk;
    }
  }
  printf("load average %.1f at the end\n", LoadAverage());
  printf("goals: WMV in parts at most 0.40x the ffmpeg program's time on 8 cores, peak memory at most 1.50x;\n"
         "       MP3 at most 0.90x and 1.20x\n");
  if (!allOk) fprintf(stderr, "a conversion or a quality check failed\n");
  return allOk ? 0 : 1;
}
