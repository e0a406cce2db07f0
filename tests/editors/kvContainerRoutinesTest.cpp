#include <memory>

#include "EditorsTestSupport.h"
#include "vcl/Graphics.h"
#include "vcl/StdCtrls.h"

namespace {

using ContainerRoutines = EditorsTest;

constexpr TColor kMarker = static_cast<TColor>(0x123456);

TEST_F(ContainerRoutines, BorderWidthsFollowTheBorderStyle) {
  const Integer kWidths[] = {0, 1, 2, 2, 2, 1, 1};
  for (Integer style = cbsNone; style <= cbsOffice11; ++style) {
    SCOPED_TRACE(style);
    EXPECT_EQ(BorderWidthOf(static_cast<TkvContainerBorderStyle>(style)), kWidths[style]);
  }
}

TEST_F(ContainerRoutines, FillRectOutsidePaintsOnlyTheRingAroundInner) {
  struct Case {
    const char* name;
    TRect inner;
    TPoint probe;
    bool painted;
  };
  const Case kCases[] = {
      {"equal inner paints nothing", TRect(0, 0, 10, 10), TPoint(0, 0), false},
      {"empty inner fills all", TRect(), TPoint(5, 5), true},
      {"ring: left band", TRect(3, 3, 7, 7), TPoint(1, 5), true},
      {"ring: top band", TRect(3, 3, 7, 7), TPoint(5, 1), true},
      {"ring: bottom band", TRect(3, 3, 7, 7), TPoint(5, 8), true},
      {"ring leaves inner", TRect(3, 3, 7, 7), TPoint(5, 5), false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(10, 10);
    bitmap->GetCanvas()->GetBrush()->SetColor(clWhite);
    bitmap->GetCanvas()->FillRect(TRect(0, 0, 10, 10));
    TkvCanvas canvas(bitmap->GetCanvas());
    FillRectOutside(&canvas, TRect(0, 0, 10, 10), c.inner, kMarker);
    EXPECT_EQ(bitmap->GetCanvas()->GetPixel(c.probe.X, c.probe.Y) == kMarker, c.painted);
  }
}

TEST_F(ContainerRoutines, DrainMessagesRemovesTheRangeAndPutsWmQuitBack) {
  form->HandleNeeded();
  HWND window = form->GetHandle();
  PostMessage(window, WM_USER + 1, 0, 0);
  PostMessage(window, WM_USER + 1, 0, 0);
  EXPECT_TRUE(DrainMessages(window, WM_USER + 1, WM_USER + 1, false));
  MSG msg;
  EXPECT_TRUE(PeekMessage(&msg, window, WM_USER + 1, WM_USER + 1, PM_NOREMOVE));
  EXPECT_TRUE(DrainMessages(window, WM_USER + 1, WM_USER + 1, true));
  EXPECT_FALSE(PeekMessage(&msg, window, WM_USER + 1, WM_USER + 1, PM_NOREMOVE));

  // A WM_QUIT met while draining ends it and stays for the loop that is to see it.
  PostMessage(window, WM_USER + 2, 0, 0);
  PostQuitMessage(7);
  DrainMessages(nullptr, 0, 0, true);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  Pump();
}

// A native list box that names the container it serves.
class TInnerList : public TListBox, public IkvContainerInnerControl {
 public:
  using TListBox::TListBox;
  TkvContainer* host = nullptr;
  TWinControl* InnerControl() override { return this; }
  TkvContainer* HostContainer() override { return host; }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
};

TEST_F(ContainerRoutines, ContainerOfControlKnowsContainersAndTheirInnerControls) {
  auto* container = new TTestContainer(form);
  auto* inner = new TInnerList(form);
  inner->host = container;
  auto* plain = new TListBox(form);
  EXPECT_EQ(ContainerOfControl(container), container);
  EXPECT_EQ(ContainerOfControl(inner), container);
  EXPECT_EQ(ContainerOfControl(plain), nullptr);
  EXPECT_EQ(ContainerOfControl(nullptr), nullptr);
}

}  // namespace
