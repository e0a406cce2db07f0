#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "MediaFixture.h"

namespace {

// One conversion and what ffprobe must find in its output; an empty codec means no such stream.
struct TProfileCase {
  const char* Name;
  TJobSpec Job;
  const char* FormatName;
  const char* VideoCodec;
  Integer Width, Height;
  const char* FrameRate;  // as ffprobe writes it
  const char* AudioCodec;
  Integer Channels, SampleRate;
  double VideoSeconds;  // the source picture stream's length
};

// Every source's sound lasts 2 s; the AVI's pictures 2.035 s (61 frame times, ffprobe agrees).
constexpr double kSoundSeconds = 2.0;
constexpr double kAviSeconds = 61 * 1001.0 / 30000.0;

double Rate(const String& fraction) {
  size_t slash = fraction.find('/');
  double den = slash == String::npos ? 1.0 : atof(fraction.c_str() + slash + 1);
  return den > 0 ? atof(fraction.c_str()) / den : 0.0;
}

TJobSpec Job(const String& input, const char* output, const char* format, Integer videoCodec, Integer width,
             Integer height, Int64 frameDuration, Integer audioCodec, Integer channels, Integer sampleRate,
             Integer audioBitRate) {
  TJobSpec job;
  job.Input = input;
  job.Output = output;
  job.Format = format;
  job.VideoCodec = videoCodec;
  job.Width = width;
  job.Height = height;
  job.FrameDuration = frameDuration;
  job.AudioCodec = audioCodec;
  job.Channels = channels;
  job.SampleRate = sampleRate;
  job.AudioBitRate = audioBitRate;
  return job;
}

TEST(ConvertProfiles, EachProfileWritesWhatItPromises) {
  const TMediaFiles& m = Media();
  // The catalogue's kept profiles with their defaults first, then other choices of their lists.
  const TProfileCase cases[] = {
      {"WMV default", Job(m.Mp4, "wmv.wmv", "asf", 74, 0, 0, 417083, 1, 2, 44100, 128000),
       "asf", "wmv2", 320, 240, "24000/1001", "wmav2", 2, 44100, 2.0},
      {"Zune default", Job(m.Mp4, "zune.wmv", "asf", 74, 320, 240, 417083, 1, 2, 44100, 96000),
       "asf", "wmv2", 320, 240, "24000/1001", "wmav2", 2, 44100, 2.0},
      {"MP3 default", Job(m.Mp4, "mp3.mp3", "mp3", 0, 0, 0, 0, 86017, 2, 44100, 96000),
       "mp3", "", 0, 0, "", "mp3", 2, 44100, 2.0},
      {"WMA default", Job(m.Mp4, "wma.mp3", "wma", 0, 0, 0, 0, 86017, 2, 44100, 128000),
       "mp3", "", 0, 0, "", "mp3", 2, 44100, 2.0},
      {"WMV 7, 176x144, 29.97, mono 22050", Job(m.Avi, "wmv7.wmv", "asf", 18, 176, 144, 333666, 1, 1, 22050, 48000),
       "asf", "wmv1", 176, 144, "30000/1001", "wmav2", 1, 22050, kAviSeconds},
      {"WMV 8, 640x480, 25, lowest bit rate", Job(m.Avi, "wmv8.wmv", "asf", 19, 640, 480, 400000, 1, 2, 48000, 16000),
       "asf", "wmv2", 640, 480, "25/1", "wmav2", 2, 48000, kAviSeconds},
      {"WMV keeping the source rate", Job(m.Avi, "source-rate.wmv", "asf", 19, 0, 0, 0, 1, 2, 44100, 64000),
       "asf", "wmv2", 320, 240, "30000/1001", "wmav2", 2, 44100, kAviSeconds},
      {"MP3 mono 11025 from a video", Job(m.Avi, "mono.mp3", "mp3", 0, 0, 0, 0, 86017, 1, 11025, 32000),
       "mp3", "", 0, 0, "", "mp3", 1, 11025, 2.0},
      {"WMV from sound only", Job(m.Wav, "sound.wmv", "asf", 74, 320, 240, 417083, 1, 2, 44100, 128000),
       "asf", "", 0, 0, "", "wmav2", 2, 44100, 2.0},
      {"WMA from an MP3", Job(m.Mp3, "tone.mp3", "wma", 0, 0, 0, 0, 86017, 2, 22050, 64000),
       "mp3", "", 0, 0, "", "mp3", 2, 22050, 2.0},
  };
  const String folder = NewOutputFolder("profiles");
  for (TProfileCase c : cases) {
    SCOPED_TRACE(c.Name);
    c.Job.Output = folder + "/" + c.Job.Output;
    ASSERT_EQ(Convert(c.Job), erSuccess);
    const TProbe probe = FFprobe(c.Job.Output);
    EXPECT_EQ(probe.Format.at("format_name"), c.FormatName);

    const auto* video = probe.StreamOf("video");
    if (*c.VideoCodec == '\0') {
      EXPECT_EQ(video, nullptr);
    } else if (video == nullptr) {
      ADD_FAILURE() << "no picture stream";
    } else {
      EXPECT_EQ(video->at("codec_name"), c.VideoCodec);
      EXPECT_EQ(atoi(video->at("width").c_str()), c.Width);
      EXPECT_EQ(atoi(video->at("height").c_str()), c.Height);
      const double rate = Rate(c.FrameRate);
      EXPECT_NEAR(Rate(video->at("r_frame_rate")), rate, 0.01);
      // Duration within one frame.
      EXPECT_NEAR(atof(video->at("nb_read_frames").c_str()), c.VideoSeconds * rate, 1.0);
    }

    const auto* audio = probe.StreamOf("audio");
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(audio->at("codec_name"), c.AudioCodec);
    EXPECT_EQ(atoi(audio->at("channels").c_str()), c.Channels);
    EXPECT_EQ(atoi(audio->at("sample_rate").c_str()), c.SampleRate);
    // Within one encoder frame (WMA frames hold 2048 samples, the longest here).
    EXPECT_NEAR(SoundSeconds(c.Job.Output), kSoundSeconds, 2048.0 / c.SampleRate);
  }
  // Only finished files are left: no temporary names.
  for (const String& name : FolderEntries(folder)) EXPECT_NE(name[0], '.') << name;
}

}  // namespace
