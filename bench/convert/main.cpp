// Converts the same source through our engine and through the ffmpeg program, in turn, each in
// its own process, and prints the time and peak memory ratios.
//
//   bench_convert [rounds]          runs the comparison (5 rounds by default; medians shown)
//   bench_convert --job KIND IN OUT converts one file with the engine (the child process)

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

#include "engine/EngineUnits.h"
#include "engine/MediaConv.h"
#include "rtl/RtlUnits.h"

namespace {

struct TJobKind {
  const char* Name;
  const char* Extension;
  std::vector<std::string> FFmpegArguments;  // between the input and the output
};

const TJobKind kJobs[] = {
    {"wmv", "wmv", {"-c:v", "wmv2", "-b:v", "800k", "-c:a", "wmav2", "-b:a", "128k", "-ac", "2", "-ar", "44100"}},
    {"mp3", "mp3", {"-vn", "-c:a", "libmp3lame", "-b:a", "128k", "-ac", "2", "-ar", "44100"}},
};

// The engine's side of one job, described as the progress window describes it.
int RunEngineJob(const std::string& kind, const char* input, const char* output) {
  RtlStart();
  EngineStart();
  TEngineResult code = MediaConv_AddInputFile(input);
  if (kind == "wmv") {
    if (code == 0) code = MediaConv_CreateOutput(output, "asf");
    if (code == 0) code = MediaConv_SetAspect(0, 0);
    if (code == 0) code = MediaConv_SetVideo(19, 0, 0, 0, 800000);
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

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && strcmp(argv[1], "--job") == 0) return RunEngineJob(argv[2], argv[3], argv[4]);
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

  const std::string self = SelfPath();
  const std::string folder = FolderOf(self) + "/bench-media";
  const std::string source = folder + "/source-640x480-60s.mp4";
  if (access(source.c_str(), R_OK) != 0) {
    printf("making the source (60 s of 640x480 H.264 + AAC) once...\n");
    fflush(stdout);
    std::string make = "mkdir -p '" + folder + "' && ffmpeg -v error -nostdin -y "
                       "-f lavfi -i testsrc2=size=640x480:rate=30:duration=60 "
                       "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=60 "
                       "-c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -b:a 128k -ac 2 '" + source + "'";
    if (system(make.c_str()) != 0) {
      fprintf(stderr, "cannot make the source with ffmpeg\n");
      return 1;
    }
  }

  printf("%-4s %10s %10s %7s %12s %12s %7s\n", "job", "ours s", "ffmpeg s", "time", "ours KiB", "ffmpeg KiB", "memory");
  bool allOk = true;
  for (const TJobKind& job : kJobs) {
    std::vector<double> ourTimes, theirTimes, ourPeaks, theirPeaks;
    for (int round = 0; round < rounds; ++round) {
      const std::string ours = folder + "/ours." + job.Extension;
      const std::string theirs = folder + "/ffmpeg." + job.Extension;
      std::vector<std::string> ffmpeg = {"ffmpeg", "-v", "error", "-nostdin", "-y", "-i", source};
      ffmpeg.insert(ffmpeg.end(), job.FFmpegArguments.begin(), job.FFmpegArguments.end());
      ffmpeg.push_back(theirs);
      // Alternate who goes first, so that neither always finds a warm cache.
      TMeasure a, b;
      if (round % 2 == 0) {
        a = RunChild({self, "--job", job.Name, source, ours});
        b = RunChild(ffmpeg);
      } else {
        b = RunChild(ffmpeg);
        a = RunChild({self, "--job", job.Name, source, ours});
      }
      allOk = allOk && a.Ok && b.Ok;
      ourTimes.push_back(a.Seconds);
      theirTimes.push_back(b.Seconds);
      ourPeaks.push_back(double(a.PeakKiB));
      theirPeaks.push_back(double(b.PeakKiB));
    }
    const double ot = Median(ourTimes), tt = Median(theirTimes);
    const double op = Median(ourPeaks), tp = Median(theirPeaks);
    printf("%-4s %10.2f %10.2f %6.2fx %12.0f %12.0f %6.2fx\n", job.Name, ot, tt, ot / tt, op, tp, op / tp);
  }
  printf("goals: time at most 0.90x, peak memory at most 1.20x of the ffmpeg program\n");
  if (!allOk) fprintf(stderr, "a conversion failed\n");
  return allOk ? 0 : 1;
}
