#pragma once
// One stretch of preview playback: from a start on the source time line to an end (or the end
// of the file). Three engine threads: the decoder reads ahead into bounded frame queues, the
// display thread shows each picture when the clock reaches it, and the sound thread feeds the
// audio device and keeps the clock on the sound. A seek replaces the whole session.

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/AvHandles.h"
#include "engine/DecodeStage.h"
#include "engine/PlaybackClock.h"
#include "engine/StageGate.h"

class AudioDevice;
class MediaSource;
class PreviewPicture;

// The effects the user changes while the preview plays; read by the engine threads.
struct TPlayerEffects {
  std::atomic<Integer> Volume{100};  // per cent
  std::atomic<Integer> Brightness{0};
  std::atomic<Integer> Contrast{0};
  std::atomic<unsigned> PictureVersion{0};  // counts brightness and contrast changes
};

class PlaybackSession {
 public:
  // `end` <= `start`: to the end of the file. `device` is null when there is no sound output.
  // Starts paused when asked (the first picture is shown all the same). Raises EEngineError
  // erDecoderFailed when a decoder cannot be opened.
  PlaybackSession(MediaSource& source, Int64 start, Int64 end, bool paused, PreviewPicture& picture,
                  AudioDevice* device, TPlayerEffects& effects);
  ~PlaybackSession();  // stops the threads and waits for them
  PlaybackSession(const PlaybackSession&) = delete;
  PlaybackSession& operator=(const PlaybackSession&) = delete;

  void Pause();
  void Continue();
  // 100 ns on the source time line; holds at the end once everything has been played.
  Int64 Position() const;
  bool Ended() const { return FEnded; }

 private:
  void Rewind();
  void ShowPictures();
  void PlaySound();
  void FeedDevice(const AVFrame* frame);
  void PaceSound(Int64 time);
  bool Stopping() const { return FStopping; }
  // Waits for the clock to reach `time`; refreshes the picture shown when the effects change.
  // False when the session is stopping.
  bool WaitForClock(Int64 time, const AVFrame* shown, unsigned& pictureVersion);
  bool WaitForClock(Int64 time);
  void ShowFrame(const AVFrame* frame, unsigned& pictureVersion);
  void StartSound();
  void StreamEnded(Int64 end);

  MediaSource& FSource;
  const Int64 FStart;
  const Int64 FEnd;  // 0: the end of the file
  PreviewPicture& FPicture;
  AudioDevice* FDevice;
  TPlayerEffects& FEffects;
  PlaybackClock FClock;
  FrameQueue FVideoFrames;
  FrameQueue FSoundFrames;
  std::unique_ptr<DecodeStage> FDecode;
  Int64 FFrameTime;  // how long one picture stays, 100 ns
  Int64 FQueuedEnd = 0;  // the source time where the sound handed to the device ends
  StageGate FGate;
  std::atomic<bool> FStopping{false};
  std::atomic<bool> FEnded{false};

  std::mutex FLock;  // the device's pause state and the end bookkeeping
  bool FSoundStarted = false;
  int FPlayingStreams = 0;
  Int64 FStreamsEnd = 0;

  // The sound thread's resampler into the device format.
  SwrContextPtr FResampler;
  AVChannelLayout FResamplerInput{};
  int FResamplerRate = 0;
  int FResamplerFormat = -1;
  std::vector<int16_t> FSamples;

  std::thread FDecodeThread;
  std::thread FPictureThread;
  std::thread FSoundThread;
};
