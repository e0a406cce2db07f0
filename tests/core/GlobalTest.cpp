#include <gtest/gtest.h>

#include <fstream>

#include "FakeEngine.h"
#include "FakeHost.h"
#include "core/Convert.h"
#include "core/Exception.h"
#include "core/Formats.h"
#include "core/Global.h"
#include "core/GlobalFun.h"
#include "core/VideoList.h"
#include "rtl/FileUtils.h"
#include "tests/rtl/ScopedEnv.h"
#include "tests/rtl/ScratchDir.h"

namespace {

// A start-up with the fake engine, the settings file and the log in a scratch folder.
class InitGlobalTest : public testing::Test {
 protected:
  void SetUp() override { FormatList = "Zune,WMV,WMA,MP3"; }
  void TearDown() override { FormatList.clear(); }
  std::string Config() const { return Dir.File("configure.ini"); }

  ScratchDir Dir;
  TFakeEngineScope Fake;
  TFakeHost Host;

 private:
  ScopedEnv FTmp{"TMPDIR", Dir.Folder()};
};

}  // namespace

TEST_F(InitGlobalTest, StartsTheLogAndCodecsThenTheServices) {
  {
    TInitGlobal init(Config());
    const String log = init.GetLogPath();
    EXPECT_EQ(ExtractFilePath(log), Dir.Folder());
    EXPECT_TRUE(FileExists(log));
    EXPECT_EQ(Fake->Calls, (std::vector<std::string>{"LogSetFileByName(" + log + ")", "LogSetLevel(2)",
                                                      "CodecMgrInit(" + ExecutableFolder() + "Codec)"}));
    ASSERT_NE(GlobalFormats, nullptr);
    ASSERT_NE(GlobalVideoList, nullptr);
    ASSERT_NE(GlobalMediaInfo, nullptr);
    ASSERT_NE(GlobalMediaPlayer, nullptr);
    ASSERT_NE(GlobalMediaConverter, nullptr);
    EXPECT_EQ(GlobalFormats->GetCount(), 4);
    Fake->Calls.clear();
    Fake->Codes["MediaPlayer_Stop"] = 4;  // one service failing at the end keeps no other alive
  }
  EXPECT_EQ(Fake->Calls, (std::vector<std::string>{"MediaInfo_Close()", "MediaPlayer_Stop()",
                                                    "LogWrite(Stopping the preview failed: Playback occured "
                                                    "exception\r\nCannot find/open decoder)",
                                                    "MediaConv_Cancel()"}));
  EXPECT_EQ(GlobalFormats, nullptr);
  EXPECT_EQ(GlobalMediaConverter, nullptr);
  EXPECT_TRUE(FileExists(Config()));  // the catalogue and the task list wrote their state
}

TEST_F(InitGlobalTest, AFailingLogOrCodecStartEndsTheStart) {
  for (const char* name : {"LogSetFileByName", "CodecMgrInit"}) {
    SCOPED_TRACE(name);
    Fake->Actions.clear();
    Fake->Actions[name] = [] { throw std::runtime_error("no library"); };
    try {
      TInitGlobal init(Config());
      FAIL() << "no exception";
    } catch (const FinalException& e) {
      EXPECT_EQ(e.Message(), "Failed to initialize convert library!");
    }
    EXPECT_EQ(GlobalFormats, nullptr);
  }
}

TEST_F(InitGlobalTest, ACodecManagerFailureIsLogged) {
  Fake->Codes["CodecMgrInit"] = 5;
  TInitGlobal init(Config());
  EXPECT_EQ(Fake->CallsOf("LogWrite"),
            (std::vector<std::string>{"LogWrite(The codec manager did not start: Cannot find/open encoder)"}));
}

TEST_F(InitGlobalTest, AFailingCatalogueEndsTheStartWithItsOwnError) {
  FormatList = "nothing of ours";
  EXPECT_THROW(TInitGlobal init(Config()), FinalException);
  EXPECT_EQ(GlobalFormats, nullptr);
  EXPECT_EQ(GlobalVideoList, nullptr);
}

TEST_F(InitGlobalTest, HandlerShowsTheErrorAndTheLogThenReopensIt) {
  TInitGlobal init(Config());
  const String log = init.GetLogPath();
  std::ofstream(log) << "line one\nline two\n";
  const struct {
    const char* name;
    std::unique_ptr<Exception> error;
    const char* message;
  } cases[] = {{"plain", std::make_unique<EConvertError>("bad number"), "bad number"},
               {"empty message", std::make_unique<Exception>(""), ""},
               {"external", std::make_unique<EExternalException>("access violation"), "Unknown external exception!"},
               {"none", nullptr, "Unknow exception"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Host.Boxes.clear();
    Host.Logs.clear();
    Fake->Calls.clear();
    init.HandleException(nullptr, c.error.get());
    EXPECT_EQ(Host.Boxes, (std::vector<std::string>{std::string("Error!: ") + c.message}));
    EXPECT_EQ(Host.Logs, (std::vector<std::string>{"line one\r\nline two\r\n"}));
    EXPECT_EQ(Fake->Calls, (std::vector<std::string>{"LogClose()", "LogSetFileByName(" + log + ")"}));
  }
}

TEST_F(InitGlobalTest, HandlerReopensTheLogWhenItCannotBeRead) {
  TInitGlobal init(Config());
  const String log = init.GetLogPath();
  DeleteFile(log);
  Fake->Calls.clear();
  Exception error("lost");
  init.HandleException(nullptr, &error);
  EXPECT_EQ(Host.Logs, (std::vector<std::string>{""}));
  EXPECT_EQ(Fake->Calls.back(), "LogSetFileByName(" + log + ")");

  // The log window itself failing still ends with the log open, and the failure in it.
  Host.DuringLog = [] { throw EOutOfResources("no window"); };
  Fake->Calls.clear();
  init.HandleException(nullptr, &error);
  EXPECT_EQ(Fake->Calls, (std::vector<std::string>{"LogClose()", "LogSetFileByName(" + log + ")",
                                                    "LogWrite(Showing an exception failed: no window)"}));
}

TEST_F(InitGlobalTest, ExceptionsWhileTheHandlerShowsAreOnlyLogged) {
  TInitGlobal init(Config());
  Exception inner("timer fired");
  Host.DuringBox = [&] { init.HandleException(nullptr, &inner); };
  Host.DuringLog = [&] { init.HandleException(nullptr, &inner); };
  Fake->Calls.clear();
  Exception outer("first");
  init.HandleException(nullptr, &outer);
  EXPECT_EQ(Host.Boxes, (std::vector<std::string>{"Error!: first"}));
  EXPECT_EQ(Host.Logs.size(), 1u);
  EXPECT_EQ(Fake->Calls, (std::vector<std::string>{
                             "LogClose()", "LogSetFileByName(" + init.GetLogPath() + ")",
                             "LogWrite(Exception while another was shown: timer fired)",
                             "LogWrite(Exception while another was shown: timer fired)"}));
  // Once it is done, the next exception is handled in full again.
  Host.DuringBox = nullptr;
  Host.DuringLog = nullptr;
  init.HandleException(nullptr, &inner);
  EXPECT_EQ(Host.Boxes.size(), 2u);
}
