#pragma once
// What the bench checks of a WMV written in parts against the same job written as one stream,
// with the ffmpeg program's tools: the same frames at the same times, sound in step, the bit
// rate asked for, and the same picture quality.

#include <string>

struct TQuality {
  int Frames = 0;
  double VideoBitRate = 0;  // bit/s of the picture packets
  double SingleBitRate = 0;
  double Psnr = 0;          // dB against the source, all frames
  bool SameVideoTimes = false;
  bool SameAudio = false;   // sound packets at the same times with the same sizes
  double SyncShift = 0;     // seconds the sound moved against the pictures, from one stream
};

// Measures `parts` (and PSNR of both) against `single`, the same job as one stream.
TQuality CheckParts(const std::string& parts, const std::string& single, const std::string& source,
                    double& singlePsnr);

// Prints the figures; true when they are within the goals for `frames` frames at `bitRate`.
bool ReportQuality(const char* job, const TQuality& q, double singlePsnr, int frames, double frameRate,
                   double bitRate);
