#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <utility>
#include <vector>

#include "MediaFixture.h"
#include "PreviewTestSupport.h"
#include "engine/AudioDevice.h"
#include "engine/MediaInfo.h"
#include "engine/MediaPlayer.h"
#include "user/User.h"

namespace {

Int64 Position() {
  Int64 position = -1;
  EXPECT_EQ(MediaPlayer_GetCurrentPosition(&position), erSuccess);
  return position;
}

bool WaitForPosition(Int64 atLeast, double seconds = 20) {
  return PumpUntil([&] { return Position() >= atLeast; }, seconds);
}

struct TSnap {
  std::vector<Byte> Pixels;
  Integer Width = 0;
  Integer Height = 0;
  // The B, G, R bytes of a pixel.
  const Byte* At(int x, int y) const { return Pixels.data() + (size_t(y) * size_t(Width) + size_t(x)) * 4; }
};

TSnap Snapshot() {
  TSnap snap;
  Integer size = 0;
  EXPECT_EQ(MediaPlayer_GetSnap(nullptr, &size, &snap.Width, &snap.Height), erSuccess);
  snap.Pixels.resize(size_t(size));
  EXPECT_EQ(MediaPlayer_GetSnap(snap.Pixels.data(), &size, &snap.Width, &snap.Height), erSuccess);
  snap.Pixels.resize(size_t(size));  // a newer picture of another size cannot come from a paused player
  return snap;
}

int SnapFrame() {
  TSnap snap = Snapshot();
  return snap.Pixels.empty() ? -1 : RampFrame(snap.At(snap.Width / 2, snap.Height / 2)[0]);
}

// Remembers, for the one window under test, the ramp frame each present shows.
class PresentRecorder : public NullDisplayBackend {
 public:
  HWND Window = nullptr;
  std::vector<int> Frames;
  void Present(HWND window, const PixelSurface& surface, const RECT&) override {
    if (window != Window) return;
    const int frame = RampFrame(surface.Row(surface.height / 2)[surface.width / 2 * 4]);
    if (Frames.empty() || Frames.back() != frame) Frames.push_back(frame);
  }
};

}  // namespace

// Sound goes to SDL's file output, paced in real time as a sound card is, so that the tests can
// hear what the preview played.
class Player : public testing::Test {
 public:
  static void SetUpTestSuite() {
    SoundFile() = Media().Folder + "/preview-sound.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", SoundFile().c_str(), 1);
    AudioDeviceEnd();
  }
  static void TearDownTestSuite() {
    MediaPlayer_Stop();
    AudioDeviceEnd();
  }
  void TearDown() override {
    EXPECT_EQ(MediaPlayer_Stop(), erSuccess);
    MediaPlayer_SetVolume(100);
    MediaPlayer_SetBrightness(0);
    MediaPlayer_SetContrast(0);
  }
  static String& SoundFile() {
    static String path;
    return path;
  }
};

TEST_F(Player, ShowsEveryPictureInOrderAndHoldsAtTheEnd) {
  PresentRecorder recorder;
  SetDisplayBackend(&recorder);
  HWND window = MakeTestWindow(0, 0, 64, 48);
  recorder.Window = window;
  Int64 duration = 0;
  ASSERT_EQ(MediaInfo_OpenFile(RampClip().c_str()), erSuccess);
  ASSERT_EQ(MediaInfo_GetDur(&duration), erSuccess);
  ASSERT_EQ(MediaPlayer_Play(RampClip().c_str(), window), erSuccess);
  // The main window stops the preview once the position reaches the file's length.
  EXPECT_TRUE(WaitForPosition(duration));
  EXPECT_TRUE(PumpUntil([&] { return !recorder.Frames.empty() && recorder.Frames.back() == 49; }, 5));
  SetDisplayBackend(nullptr);
  DestroyWindow(window);

  EXPECT_TRUE(std::is_sorted(recorder.Frames.begin(), recorder.Frames.end()));
  // A busy machine may skip late pictures, never more than four in a row.
  EXPECT_GE(recorder.Frames.size(), 10u);
  // The sound may run a few milliseconds past the length the file gives; then the position holds.
  Int64 held = Position();
  EXPECT_TRUE(PumpUntil([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return std::exchange(held, Position()) == held;
  }, 5));
  EXPECT_GE(held, duration);
  EXPECT_LT(held, duration + kSecond / 10);
}

TEST_F(Player, SeekPlaysTheRangeAndHoldsAtItsEnd) {
  ASSERT_EQ(MediaPlayer_Play(RampClip().c_str(), nullptr), erSuccess);
  ASSERT_EQ(MediaPlayer_Seek(kSecond, 4 * kSecond / 10), erSuccess);
  const Int64 first = Position();
  EXPECT_GE(first, kSecond);
  EXPECT_LT(first, 14 * kSecond / 10);
  ASSERT_TRUE(WaitForPosition(14 * kSecond / 10));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Position(), 14 * kSecond / 10);
  EXPECT_EQ(SnapFrame(), 34);  // the last picture that starts before 1.4 s

  // Length 0 plays on to the end of the file.
  ASSERT_EQ(MediaPlayer_Seek(18 * kSecond / 10, 0), erSuccess);
  ASSERT_TRUE(WaitForPosition(2 * kSecond));
  EXPECT_TRUE(PumpUntil([] { return SnapFrame() == 49; }, 5));

  // After the end, back to the start: the clip editor loops its range this way.
  ASSERT_EQ(MediaPlayer_Seek(0, 4 * kSecond / 10), erSuccess);
  ASSERT_TRUE(WaitForPosition(4 * kSecond / 10));
  EXPECT_EQ(SnapFrame(), 9);
}

TEST_F(Player, PauseHoldsThePositionAndASeekWhilePausedShowsTheNewPicture) {
  ASSERT_EQ(MediaPlayer_Play(RampClip().c_str(), nullptr), erSuccess);
  ASSERT_TRUE(WaitForPosition(3 * kSecond / 10));
  ASSERT_EQ(MediaPlayer_Pause(), erSuccess);
  const Int64 paused = Position();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Position(), paused);

  ASSERT_EQ(MediaPlayer_Seek(6 * kSecond / 10, 0), erSuccess);
  EXPECT_TRUE(PumpUntil([] { return SnapFrame() == 15; }, 10));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Position(), 6 * kSecond / 10);
  EXPECT_EQ(SnapFrame(), 15);

  ASSERT_EQ(MediaPlayer_Continue(), erSuccess);
  EXPECT_TRUE(WaitForPosition(8 * kSecond / 10));
}

TEST_F(Player, SnapshotTellsTheSizeFirstAndCopiesOnlyWhatFits) {
  Integer size = 99, width = 99, height = 99;
  EXPECT_EQ(MediaPlayer_GetSnap(nullptr, &size, &width, &height), erSuccess);
  EXPECT_EQ(size, 0);  // nothing has been shown
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);

  ASSERT_EQ(MediaPlayer_Play(RampClip().c_str(), nullptr), erSuccess);
  ASSERT_TRUE(PumpUntil([] { return SnapFrame() >= 0; }, 10));
  ASSERT_EQ(MediaPlayer_Pause(), erSuccess);

  std::vector<Byte> small(100, 0xAB);
  size = Integer(small.size());
  EXPECT_EQ(MediaPlayer_GetSnap(small.data(), &size, &width, &height), erSuccess);
  EXPECT_EQ(size, 64 * 48 * 4);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 48);
  EXPECT_EQ(std::count(small.begin(), small.end(), 0xAB), 100);  // left alone

  std::vector<Byte> fits(size_t(size), 0xAB);
  EXPECT_EQ(MediaPlayer_GetSnap(fits.data(), &size, &width, &height), erSuccess);
  EXPECT_EQ(size, 64 * 48 * 4);
  EXPECT_EQ(fits[3], 255);  // opaque
  EXPECT_EQ(fits[0], fits[1]);  // grey
  EXPECT_EQ(MediaPlayer_GetSnap(fits.data(), nullptr, nullptr, nullptr), erSuccess);
}

TEST_F(Player, BrightnessAndContrastShowAtOnceWhilePaused) {
  // The left half of the clip is white, the right half black.
  ASSERT_EQ(MediaPlayer_Play(Media().Halves.c_str(), nullptr), erSuccess);
  ASSERT_TRUE(PumpUntil([] { return !Snapshot().Pixels.empty(); }, 10));
  ASSERT_EQ(MediaPlayer_Pause(), erSuccess);
  auto halves = [](int& white, int& black) {
    TSnap snap = Snapshot();
    white = snap.At(snap.Width / 4, snap.Height / 2)[1];
    black = snap.At(snap.Width * 3 / 4, snap.Height / 2)[1];
  };
  int white = 0, black = 0;
  halves(white, black);
  EXPECT_GT(white, 240);
  EXPECT_LT(black, 15);

  ASSERT_EQ(MediaPlayer_SetBrightness(100), erSuccess);
  EXPECT_TRUE(PumpUntil([&] { halves(white, black); return black > 80; }, 5)) << black;
  ASSERT_EQ(MediaPlayer_SetBrightness(0), erSuccess);
  ASSERT_EQ(MediaPlayer_SetContrast(-100), erSuccess);
  EXPECT_TRUE(PumpUntil([&] { halves(white, black); return white < 200 && black > 60; }, 5)) << white << " " << black;
}

TEST_F(Player, VolumeScalesTheSoundPlayed) {
  auto peakAt = [](Integer volume) {
    MediaPlayer_SetVolume(volume);
    EXPECT_EQ(MediaPlayer_Play(Media().Wav.c_str(), nullptr), erSuccess);
    EXPECT_TRUE(WaitForPosition(5 * kSecond / 10));
    MediaPlayer_Stop();  // closes the device and with it the sound file
    std::ifstream file(SoundFile(), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    int peak = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const int16_t sample = int16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
      peak = std::max(peak, std::abs(int(sample)));
    }
    return peak;
  };
  const int half = peakAt(50);
  const int twice = peakAt(200);
  ASSERT_GT(half, 500);
  EXPECT_NEAR(double(twice) / half, 4.0, 0.2);
}

TEST_F(Player, WithoutASoundDeviceTheClockRunsOnItsOwn) {
  MediaPlayer_Stop();
  AudioDeviceEnd();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ASSERT_EQ(MediaPlayer_Play(Media().Wav.c_str(), nullptr), erSuccess);
  EXPECT_TRUE(WaitForPosition(2 * kSecond));
  MediaPlayer_Stop();
  AudioDeviceEnd();
  setenv("SDL_AUDIODRIVER", "disk", 1);
}

TEST_F(Player, BrokenInputsGiveTheirCodesAndLeaveNothingPlaying) {
  const String folder = NewOutputFolder("broken-preview");
  const String empty = folder + "/empty.mp4";
  const String noise = folder + "/noise.avi";
  std::ofstream(empty).close();
  {
    std::ofstream out(noise, std::ios::binary);
    for (int i = 0; i < 50000; ++i) out.put(char((i * 7919) ^ (i >> 3)));
  }
  struct Case { const char* name; const char* path; TEngineResult code; };
  const Case cases[] = {
      {"missing", "/nonexistent/clip.mp4", erInputNotFound},
      {"folder", folder.c_str(), erInputNotFound},
      {"null", nullptr, erInputNotFound},
      {"empty", empty.c_str(), erUnsupportedFormat},
      {"noise", noise.c_str(), erUnsupportedFormat},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(MediaPlayer_Play(RampClip().c_str(), nullptr), erSuccess);
    EXPECT_EQ(MediaPlayer_Play(c.path, nullptr), c.code);
    EXPECT_EQ(Position(), 0);  // what played before has stopped
    Integer size = 1, width = 1, height = 1;
    EXPECT_EQ(MediaPlayer_GetSnap(nullptr, &size, &width, &height), erSuccess);
    EXPECT_EQ(size, 0);
    // Nothing playing: the other calls have nothing to do.
    EXPECT_EQ(MediaPlayer_Seek(kSecond, 0), erSuccess);
    EXPECT_EQ(MediaPlayer_Pause(), erSuccess);
    EXPECT_EQ(MediaPlayer_Continue(), erSuccess);
    EXPECT_EQ(Position(), 0);
  }
  EXPECT_EQ(MediaPlayer_PlayDVD("/dev/dvd", nullptr, 1, 2, 3), erUnsupportedFormat);
}

TEST_F(Player, QuickSeeksAndReplaysEndInAPlayingPreview) {
  // The knob dropped again and again, pause in between, the file played anew: every session
  // must end cleanly and the last one play on.
  ASSERT_EQ(MediaPlayer_Play(RampClip().c_str(), nullptr), erSuccess);
  for (int i = 0; i < 12; ++i) {
    ASSERT_EQ(MediaPlayer_Seek(Int64(i % 5) * 4 * kSecond / 10, i % 3 == 0 ? 0 : kSecond / 10), erSuccess);
    if (i % 4 == 1) {
      ASSERT_EQ(MediaPlayer_Pause(), erSuccess);
    } else if (i % 4 == 3) {
      ASSERT_EQ(MediaPlayer_Continue(), erSuccess);
    }
    if (i == 6) {
      ASSERT_EQ(MediaPlayer_Play(Media().Avi.c_str(), nullptr), erSuccess);
    }
  }
  ASSERT_EQ(MediaPlayer_Continue(), erSuccess);
  ASSERT_EQ(MediaPlayer_Seek(kSecond, 0), erSuccess);
  EXPECT_TRUE(WaitForPosition(13 * kSecond / 10));
  EXPECT_FALSE(Snapshot().Pixels.empty());
}
