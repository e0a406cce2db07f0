// The program's side of the conversion core: its boxes, the log window and bitmaps.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "app/AppHost.h"
#include "app/Log.h"
#include "gdi/Gdi.h"
#include "user/MessageBox.h"
#include "user/ModalResponder.h"
#include "user/User.h"
#include "vcl/Graphics.h"

namespace {

class AppHostTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    CreateMainForm();
    Application()->CreateForm(log);
    forms.push_back(log);
  }
  TFormLog* log = nullptr;
};

TEST_F(AppHostTest, BoxesAreTheApplicationsOwn) {
  TAppHost host(log);
  std::vector<ModalRequest> asked;
  SetModalResponder([&](const ModalRequest& request) {
    asked.push_back(request);
    return IDOK;
  });
  EXPECT_EQ(host.ShowMessageBox("Disk full", "Error", TBoxKind::Error), IDOK);
  EXPECT_EQ(host.ShowMessageBox("Done", "Information", TBoxKind::Information), IDOK);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].kind, "MessageBox");
  EXPECT_EQ(asked[0].caption, "Error");
  EXPECT_EQ(asked[0].text, "Disk full");
  EXPECT_EQ(asked[0].flags & MB_ICONMASK, MB_ICONERROR);
  EXPECT_EQ(asked[1].flags & MB_ICONMASK, MB_ICONINFORMATION);
}

TEST_F(AppHostTest, TheLogWindowShowsTheLinesModally) {
  TAppHost host(log);
  TStringList lines;
  lines.Add("first line");
  lines.Add("second line");
  log->HandleNeeded();
  PostMessage(log->GetHandle(), WM_CLOSE, 0, 0);  // the user closes it once it shows
  host.ShowLog(&lines);
  EXPECT_FALSE(log->GetVisible());
  EXPECT_EQ(log->GetLogLines()->GetText(), lines.GetText());
}

TEST_F(AppHostTest, ABitmapTakesThePicture) {
  TAppHost host(log);
  TBitmap bitmap;
  HBITMAP section = CreateBitmap(4, 3, 1, 32, nullptr);
  host.SetBitmapImage(&bitmap, section);
  EXPECT_EQ(bitmap.GetWidth(), 4);
  EXPECT_EQ(bitmap.GetHeight(), 3);
  TStringList notABitmap;
  host.SetBitmapImage(&notABitmap, CreateBitmap(2, 2, 1, 32, nullptr));  // freed, not kept
}

}  // namespace
