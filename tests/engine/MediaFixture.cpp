#include "MediaFixture.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "engine/MediaConv.h"

namespace {

TMediaFiles gMedia;

const char* kTone = "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=2 ";

}  // namespace

void MediaEnvironment::SetUp() {
  const char* temp = getenv("TMPDIR");
  String pattern = String(temp && *temp ? temp : "/tmp") + "/engine-tests-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) abort();
  gMedia.Folder = name.data();
  const String& f = gMedia.Folder;
  gMedia.Mp4 = f + "/clip.mp4";
  Make(gMedia.Mp4, "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 " + String(kTone) +
                       "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2");
  gMedia.Avi = f + "/clip.avi";
  Make(gMedia.Avi, "-f lavfi -i testsrc2=size=320x240:rate=30000/1001:duration=2 "
                   "-f lavfi -i sine=frequency=440:sample_rate=48000:duration=2 -c:v mpeg4 -q:v 5 "
                   "-c:a libmp3lame -ac 2");
  gMedia.Wav = f + "/tone.wav";
  Make(gMedia.Wav, "-f lavfi -i sine=frequency=440:sample_rate=48000:duration=2 -c:a pcm_s16le");
  gMedia.Mp3 = f + "/tone.mp3";
  Make(gMedia.Mp3, String(kTone) + "-c:a libmp3lame -b:a 64k");
  gMedia.Halves = f + "/halves.mp4";
  Make(gMedia.Halves, "-f lavfi -i color=c=white:size=320x240:rate=25:duration=2 " + String(kTone) +
                          "-vf drawbox=x=160:y=0:w=160:h=240:color=black:t=fill "
                          "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2");
  gMedia.Long = f + "/long.mp4";
  Make(gMedia.Long, "-f lavfi -i testsrc2=size=320x240:rate=25:duration=10 "
                    "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=10 "
                    "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2");
}

void MediaEnvironment::TearDown() {
  MediaConv_Cancel();
  if (!gMedia.Folder.empty()) RunCommand("rm -rf " + Quote(gMedia.Folder));
}

const TMediaFiles& Media() { return gMedia; }

void Make(const String& path, const String& arguments) {
  int status = 0;
  RunCommand("ffmpeg -v error -nostdin -y " + arguments + " " + Quote(path) + " 2>&1", &status);
  if (status != 0) {
    fprintf(stderr, "cannot make %s\n", path.c_str());
    abort();
  }
}

String NewOutputFolder(const String& name) {
  String folder = gMedia.Folder + "/" + name;
  RunCommand("rm -rf " + Quote(folder) + " && mkdir -p " + Quote(folder));
  return folder;
}

std::vector<String> FolderEntries(const String& folder) {
  std::vector<String> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (dirent* entry = readdir(dir)) {
    String name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return names;
}

String Quote(const String& text) {
  String quoted = "'";
  for (char c : text) quoted += c == '\'' ? String("'\\''") : String(1, c);
  return quoted + "'";
}

String RunCommand(const String& command, int* status) {
  String output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    if (status) *status = -1;
    return output;
  }
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  int result = pclose(pipe);
  if (status) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  return output;
}

const std::map<String, String>* TProbe::StreamOf(const String& type) const {
  for (const auto& stream : Streams)
    if (stream.count("codec_type") && stream.at("codec_type") == type) return &stream;
  return nullptr;
}

TProbe FFprobe(const String& path) {
  TProbe probe;
  String text = RunCommand("ffprobe -v error -count_frames -show_entries "
                           "stream=codec_type,codec_name,width,height,r_frame_rate,channels,sample_rate,"
                           "nb_read_frames:format=format_name,duration -of compact " + Quote(path));
  std::istringstream lines(text);
  String line;
  while (std::getline(lines, line)) {
    std::map<String, String> fields;
    std::istringstream parts(line);
    String part, kind;
    std::getline(parts, kind, '|');
    while (std::getline(parts, part, '|')) {
      size_t equals = part.find('=');
      if (equals != String::npos) fields[part.substr(0, equals)] = part.substr(equals + 1);
    }
    if (kind == "format") probe.Format = fields;
    else if (kind == "stream") probe.Streams.push_back(fields);
  }
  return probe;
}

std::vector<TPacket> Packets(const String& path, const char* kind) {
  std::istringstream lines(RunCommand(String("ffprobe -v error -select_streams ") + kind + ":0" +
                                      " -show_entries packet=pts_time,size,flags -of csv=p=0 " + Quote(path)));
  std::vector<TPacket> packets;
  String line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    String time, size, flags;
    if (std::getline(fields, time, ',') && std::getline(fields, size, ',') && std::getline(fields, flags, ','))
      packets.push_back(TPacket{atof(time.c_str()), atol(size.c_str()), !flags.empty() && flags[0] == 'K'});
  }
  return packets;
}

double PsnrAgainst(const String& path, const String& reference) {
  String text = RunCommand("ffmpeg -nostdin -i " + Quote(path) + " -i " + Quote(reference) +
                           " -lavfi '[0:v][1:v]psnr' -f null - 2>&1");
  size_t at = text.find("average:");
  return at == String::npos ? 0.0 : atof(text.c_str() + at + 8);
}

double SoundSeconds(const String& path) {
  String samples = RunCommand("ffmpeg -v error -nostdin -i " + Quote(path) + " -map 0:a:0 -ac 1 -ar 8000 -f s16le - | wc -c");
  return atof(samples.c_str()) / 2.0 / 8000.0;
}

double MeanVolumeDb(const String& path) {
  String text = RunCommand("ffmpeg -nostdin -i " + Quote(path) + " -map 0:a:0 -af volumedetect -f null - 2>&1");
  size_t at = text.find("mean_volume:");
  return at == String::npos ? -1000.0 : atof(text.c_str() + at + 12);
}

std::vector<uint8_t> GrayFrame(const String& path, int index, int& width, int& height) {
  TProbe probe = FFprobe(path);
  const auto* video = probe.StreamOf("video");
  width = video ? atoi(video->at("width").c_str()) : 0;
  height = video ? atoi(video->at("height").c_str()) : 0;
  String raw = RunCommand("ffmpeg -v error -nostdin -i " + Quote(path) + " -map 0:v:0 -vf " +
                          Quote("select=eq(n\\," + std::to_string(index) + ")") + " -frames:v 1 -f rawvideo -pix_fmt gray -");
  return std::vector<uint8_t>(raw.begin(), raw.end());
}

double MeanOf(const std::vector<uint8_t>& gray, int width, int left, int top, int right, int bottom) {
  double sum = 0;
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      size_t at = size_t(y) * size_t(width) + size_t(x);
      if (at < gray.size()) {
        sum += gray[at];
        ++count;
      }
    }
  return count ? sum / count : -1.0;
}

TEngineResult StartJob(const TJobSpec& spec) {
  TEngineResult code = MediaConv_AddInputFile(spec.Input.c_str());
  if (code == erSuccess) code = MediaConv_CreateOutput(spec.Output.c_str(), spec.Format.c_str());
  if (code == erSuccess && spec.VideoCodec > 0) {
    code = MediaConv_SetAspect(spec.Aspect.cx, spec.Aspect.cy);
    if (code == erSuccess) code = MediaConv_SetVolume(spec.Volume);
    if (code == erSuccess) code = MediaConv_SetBrightness(spec.Brightness);
    if (code == erSuccess) code = MediaConv_SetContrast(spec.Contrast);
    if (code == erSuccess) code = MediaConv_SetCrop(spec.Crop.Left, spec.Crop.Top, spec.Crop.Right, spec.Crop.Bottom);
    if (code == erSuccess)
      code = MediaConv_SetVideo(spec.VideoCodec, spec.Width, spec.Height, spec.FrameDuration, spec.VideoBitRate);
  } else if (code == erSuccess) {
    code = MediaConv_SetVolume(spec.Volume);
  }
  if (code == erSuccess && spec.AudioCodec != 0)
    code = MediaConv_SetAudio(spec.AudioCodec, spec.Channels, spec.SampleRate, spec.AudioBitRate);
  if (code == erSuccess) code = MediaConv_SetRange(spec.Start, spec.Length);
  if (code == erSuccess) code = MediaConv_Run();
  return code;
}

TEngineResult WaitForJob() {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  Byte finished = 0, result = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    MediaConv_WaitFor(&finished, &result);
    if (finished) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ADD_FAILURE() << "the job did not finish within a minute";
  MediaConv_Cancel();
  return 255;
}

TEngineResult Convert(const TJobSpec& spec) {
  TEngineResult code = StartJob(spec);
  return code != erSuccess ? code : WaitForJob();
}

TEngineResult ConvertOnAFullDisk(const TJobSpec& spec) {
  pid_t child = fork();
  if (child < 0) return 255;
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{64 * 1024, 64 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(Convert(spec));
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 255;
  return TEngineResult(WEXITSTATUS(status));
}
