#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "backend/HeadlessBackend.h"
#include "toolkit/bars/qzBar.h"

namespace {

TEST(BarLists, ObjectListKeepsEachObjectOnce) {
  TObject a, b;
  TqzObjectList list;
  EXPECT_EQ(list.AddUnique(&a), 0);
  EXPECT_EQ(list.AddUnique(&b), 1);
  EXPECT_EQ(list.AddUnique(&a), 0);
  EXPECT_EQ(list.AddUnique(nullptr), -1);
  EXPECT_EQ(list.GetObject(2), nullptr);
  EXPECT_EQ(list.GetObject(-1), nullptr);
  EXPECT_EQ(list.GetLastObject(), &b);
  TList source;
  source.Add(&b);
  source.Add(&b);
  source.Add(&a);
  list.Assign(&source);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetObject(0), &b);
}

TEST(BarLists, ComponentListTellsItsChangesAndForgetsFreedComponents) {
  TChangeLog log;
  TqzComponentList first, second;
  first.SetOnComponentListChanged(MakeEvent<&TChangeLog::Changed>(&log));
  auto* owner = new TComponent(nullptr);
  auto* a = new TComponent(owner);
  auto* b = new TComponent(owner);
  first.Add(a);
  first.Add(b);
  second.Add(a);
  first.Extract(b);
  first.BeginUpdate();
  first.Add(b);
  first.EndUpdate(true);
  // A component freed while in two lists leaves both.
  delete a;
  EXPECT_EQ(first.GetCount(), 1);
  EXPECT_EQ(second.GetCount(), 0);
  using Change = std::pair<TComponent*, Integer>;
  EXPECT_EQ(log.changes, (std::vector<Change>{{a, qzclaAdded},
                                              {b, qzclaAdded},
                                              {b, qzclaExtracted},
                                              {nullptr, qzclaChanged},
                                              {a, qzclaExtracted}}));
  // Objects of other classes are refused without a word.
  log.changes.clear();
  TObject plain;
  first.TObjectList::Add(&plain);
  EXPECT_EQ(first.GetCount(), 1);
  EXPECT_TRUE(log.changes.empty());
  first.Remove(b);
  EXPECT_EQ(log.changes, (std::vector<Change>{{b, qzclaDeleted}}));
  delete owner;
}

TEST(BarCanvas, PaintStatesNestAndUnwind) {
  HeadlessBackend screen;
  SetDisplayBackend(&screen);
  TqzBarCanvas* canvas = BarCanvasInstance();
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(BarCanvasInstance(), canvas);
  TBitmap one, two;
  one.SetSize(8, 8);
  two.SetSize(8, 8);
  HDC before = canvas->GetCanvas()->HandleAllocated() ? canvas->GetCanvas()->GetHandle() : nullptr;
  canvas->PushPaintDC(one.GetCanvas()->GetHandle());
  canvas->CurrentFont()->SetSize(20);
  canvas->PushPaintDC(two.GetCanvas()->GetHandle());
  EXPECT_EQ(canvas->DCHandle(), two.GetCanvas()->GetHandle());
  canvas->PopPaintState();
  EXPECT_EQ(canvas->DCHandle(), one.GetCanvas()->GetHandle());
  canvas->PopPaintState();
  EXPECT_EQ(canvas->GetCanvas()->HandleAllocated() ? canvas->GetCanvas()->GetHandle() : nullptr, before);
  canvas->PopPaintState();  // nothing left: nothing happens
  EXPECT_EQ(canvas->PaintStateCount(), 0);

  TCanvas* own = canvas->GetCanvas();
  canvas->PushPaintCanvas(two.GetCanvas());
  EXPECT_EQ(canvas->GetCanvas(), two.GetCanvas());
  canvas->CurrentBrush()->SetColor(clRed);
  canvas->PopPaintState();
  EXPECT_EQ(canvas->GetCanvas(), own);
  EXPECT_NE(two.GetCanvas()->GetBrush()->GetColor(), clRed);
  SetDisplayBackend(nullptr);
}

}  // namespace
