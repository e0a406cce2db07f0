#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <thread>

#include "MediaFixture.h"
#include "engine/MediaConv.h"

namespace {

using namespace std::chrono_literals;

// Ten seconds scaled up to 640x480: long enough to be caught running.
TJobSpec LongJob(const String& output) {
  TJobSpec job;
  job.Input = Media().Long;
  job.Output = output;
  job.VideoCodec = 19;
  job.Width = 640;
  job.Height = 480;
  return job;
}

String ReadFile(const String& path) {
  std::ifstream in(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(in), {});
}

TEST(JobControl, PauseHoldsTheJobAndContinueFinishesIt) {
  const String folder = NewOutputFolder("pause");
  const TJobSpec job = LongJob(folder + "/out.wmv");
  ASSERT_EQ(StartJob(job), erSuccess);
  Int64 before = 0, after = -1;
  Byte finished = 0, result = 0;
  // Pause once the first pictures are through, so that there is a snapshot.
  while (before == 0 && !finished) {
    std::this_thread::sleep_for(1ms);
    MediaConv_GetCurrentPosition(&before);
    MediaConv_WaitFor(&finished, &result);
  }
  ASSERT_EQ(MediaConv_Pause(), erSuccess);
  std::this_thread::sleep_for(200ms);  // the stages finish the frame they hold
  MediaConv_GetCurrentPosition(&before);
  std::this_thread::sleep_for(300ms);
  MediaConv_GetCurrentPosition(&after);
  MediaConv_WaitFor(&finished, &result);
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(before, after);
  EXPECT_LT(after, 10 * kSecond);

  // The picture being converted, in the library's buffer.
  Byte* pixels = nullptr;
  Integer size = 0, width = 0, height = 0;
  ASSERT_EQ(MediaConv_GetSnap(&pixels, &size, &width, &height), erSuccess);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  ASSERT_EQ(size, 640 * 480 * 4);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels[3], 255);

  ASSERT_EQ(MediaConv_Continue(), erSuccess);
  EXPECT_EQ(WaitForJob(), erSuccess);
  MediaConv_GetCurrentPosition(&after);
  EXPECT_NEAR(double(after) / kSecond, 10.0, 0.1);
  EXPECT_EQ(FolderEntries(folder), std::vector<String>{"out.wmv"});
}

TEST(JobControl, CancelLeavesNothingUnderTheOutputName) {
  const String folder = NewOutputFolder("cancel");
  struct TCase {
    const char* Name;
    bool Existing;  // a file of the user's stands under the output name
    bool Paused;    // the job is cancelled while paused
  };
  const TCase cases[] = {{"new name", false, false}, {"existing file", true, false}, {"paused job", false, true}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const String output = folder + "/out.wmv";
    if (c.Existing) std::ofstream(output) << "the user's old file";
    ASSERT_EQ(StartJob(LongJob(output)), erSuccess);
    std::this_thread::sleep_for(50ms);
    if (c.Paused) {
      ASSERT_EQ(MediaConv_Pause(), erSuccess);
    }
    ASSERT_EQ(MediaConv_Cancel(), erSuccess);
    Byte finished = 0, result = 9;
    MediaConv_WaitFor(&finished, &result);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(result, 0);
    if (c.Existing) {
      EXPECT_EQ(ReadFile(output), "the user's old file");
      EXPECT_EQ(FolderEntries(folder), std::vector<String>{"out.wmv"});
      unlink(output.c_str());
    } else {
      EXPECT_TRUE(FolderEntries(folder).empty());
    }
  }
}

TEST(JobControl, FullDiskFailsTheJobAndRemovesTheFile) {
  const String folder = NewOutputFolder("full");
  EXPECT_EQ(ConvertOnAFullDisk(LongJob(folder + "/out.wmv")), erCannotCreateOutput);
  EXPECT_TRUE(FolderEntries(folder).empty());
}

struct TSetupCase {
  const char* Name;
  std::function<void(TJobSpec&)> Set;
  TEngineResult Code;
};

TEST(JobControl, SetupFailuresAnswerTheirCodeAndWaitForReportsIt) {
  const String folder = NewOutputFolder("setup");
  const TSetupCase cases[] = {
      {"unknown picture codec", [](TJobSpec& j) { j.VideoCodec = 20; }, erEncoderFailed},
      {"unknown sound codec", [](TJobSpec& j) { j.AudioCodec = 2; }, erEncoderFailed},
      {"unknown container", [](TJobSpec& j) { j.Format = "avi"; }, erUnsupportedFormat},
      {"missing output folder", [&](TJobSpec& j) { j.Output = folder + "/no/out.wmv"; }, erCannotCreateOutput},
      {"output is a folder", [&](TJobSpec& j) { j.Output = folder; }, erCannotCreateOutput},
      {"odd picture size", [](TJobSpec& j) { j.Width = 321; j.Height = 240; }, erOutputParameters},
      {"six channels", [](TJobSpec& j) { j.Channels = 6; }, erOutputParameters},
      {"MP3 file with WMA sound", [](TJobSpec& j) { j.Format = "mp3"; j.VideoCodec = 0; }, erOutputParameters},
      {"MP3 writer at 96 kHz", [](TJobSpec& j) { j.Format = "mp3"; j.VideoCodec = 0; j.AudioCodec = 86017; j.SampleRate = 96000; },
       erOutputParameters},
      {"sound-only source into an MP3 without sound",
       [](TJobSpec& j) { j.Input = Media().Wav; j.Format = "mp3"; j.VideoCodec = 0; j.AudioCodec = 0; },
       erOutputParameters},
  };
  for (const TSetupCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJobSpec job;
    job.Input = Media().Mp4;
    job.Output = folder + "/out.wmv";
    job.VideoCodec = 19;
    c.Set(job);
    EXPECT_EQ(StartJob(job), c.Code);
    Byte finished = 0, result = 0;
    MediaConv_WaitFor(&finished, &result);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(result, c.Code);
    EXPECT_TRUE(FolderEntries(folder).empty());
  }
}

TEST(JobControl, RunNeedsANewDescriptionAndDvdIsRefused) {
  const String folder = NewOutputFolder("again");
  TJobSpec job;
  job.Input = Media().Wav;
  job.Output = folder + "/out.mp3";
  job.Format = "mp3";
  job.AudioCodec = 86017;
  ASSERT_EQ(Convert(job), erSuccess);
  // The description went with the job: a second Run has no input.
  EXPECT_EQ(MediaConv_Run(), erInputNotFound);
  EXPECT_EQ(MediaConv_AddInputDVD("/dev/dvd", 0, 0, -1), erUnsupportedFormat);
  Byte finished = 0, result = 0;
  MediaConv_WaitFor(&finished, &result);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(result, erUnsupportedFormat);
}

TEST(JobControl, SoundOnlyJobHasNoSnapshot) {
  const String folder = NewOutputFolder("nosnap");
  TJobSpec job;
  job.Input = Media().Mp4;
  job.Output = folder + "/out.mp3";
  job.Format = "mp3";
  job.AudioCodec = 86017;
  ASSERT_EQ(Convert(job), erSuccess);
  Byte* pixels = reinterpret_cast<Byte*>(&job);
  Integer size = 5, width = 5, height = 5;
  EXPECT_EQ(MediaConv_GetSnap(&pixels, &size, &width, &height), erSuccess);
  EXPECT_EQ(pixels, nullptr);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
}

}  // namespace
