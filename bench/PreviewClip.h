#pragma once
// Shared by the preview benchmarks (player, app): the test clip they play and the process's
// CPU time they measure it by.

#include <sys/resource.h>

#include <cstdlib>
#include <string>

// User and system CPU time of the whole process so far, in seconds.
inline double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Writes a 640 x 480, 30 frames per second H.264 clip with an AAC tone through the ffmpeg program.
inline bool MakeClip(const std::string& path, int seconds) {
  const std::string command =
      "ffmpeg -v error -nostdin -y -f lavfi -i testsrc2=size=640x480:rate=30:duration=" + std::to_string(seconds) +
      " -f lavfi -i sine=frequency=440:sample_rate=44100:duration=" + std::to_string(seconds) +
      " -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -ac 2 '" + path + "'";
  return system(command.c_str()) == 0;
}
