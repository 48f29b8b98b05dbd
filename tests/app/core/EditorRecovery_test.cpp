// Recovery of unsaved work in the editor: when copies are written, what comes
// back after an editor died, and when a copy goes.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/EditorTexts.h"
#include "support/EditorFixture.h"

namespace pixkura {
namespace {

using namespace std::chrono_literals;
using testing::TEditorFixture;
using TTime = TRecoverySchedule::TTime;

TEST(RecoveryScheduleTest, AnIntervalAfterTheLastChangeAndAtLeastEveryCeilingButNeverInAStroke) {
  TRecoverySchedule s;
  const TTime t0{};
  EXPECT_FALSE(s.Due(1, false, t0));
  EXPECT_FALSE(s.Due(1, false, t0 + 4999ms));
  EXPECT_TRUE(s.Due(1, false, t0 + 5s));
  s.Taken();
  EXPECT_FALSE(s.Due(1, false, t0 + 60s));  // nothing new
  // Changes every second: the ceiling writes after 30 s, not a stroke's moment.
  const TTime t1 = t0 + 100s;
  for (int i = 0; i < 30; ++i) EXPECT_FALSE(s.Due(2 + i, false, t1 + i * 1s)) << i;
  EXPECT_TRUE(s.Due(40, false, t1 + 30s));
  s.Taken();
  EXPECT_FALSE(s.Due(41, true, t1 + 31s));
  EXPECT_FALSE(s.Due(42, true, t1 + 80s));  // a stroke, however long
  EXPECT_TRUE(s.Due(42, false, t1 + 80s));
  // A failed write is tried again one interval later.
  s.Failed(t1 + 90s);
  EXPECT_FALSE(s.Due(42, false, t1 + 94s));
  EXPECT_TRUE(s.Due(42, false, t1 + 95s));
  // The interval's bounds.
  for (auto [set, kept] : {std::pair{0s, 1s}, {1s, 1s}, {600s, 600s}, {601s, 600s}}) {
    s.SetInterval(set);
    EXPECT_EQ(s.Interval(), kept);
  }
}

TEST(RecoveryIntervalSetting, StoredSecondsOutside1To600KeepTheDefault) {
  for (auto [stored, used] : {std::pair{0, 5}, {1, 1}, {600, 600}, {601, 5}}) {
    TEditorFixture f;
    TEditorSettings s;
    s.Recovery = stored;
    TEditor& e = f.Start(s);
    EXPECT_EQ(e.Recovery.Schedule.Interval().count(), used) << stored;
    EXPECT_EQ(e.CurrentSettings().Recovery, used);
  }
}

class EditorRecoveryTest : public ::testing::Test {
 protected:
  std::string Root() const { return f.Folder.File("recovery"); }
  // An editor that keeps copies under Root() and has drawn value at (3, 4).
  TEditor& Drawn(TEditorFixture& fixture, int32_t value) {
    TEditor& e = fixture.Start();
    e.StartRecovery(Root());
    e.TakeSnapshot();
    e.Doc.AllDib->SetPixels(3, 4, value);
    return e;
  }
  // Ticks until a copy is written, waits for it.
  void Written(TEditor& e) {
    e.RecoveryTimerTick(TTime{});
    e.RecoveryTimerTick(TTime{} + 5s);
    e.Recovery.Wait();
  }
  size_t Offered() { return FindRecoveryCopies(Root()).size(); }

  TEditorFixture f;
};

TEST_F(EditorRecoveryTest, ADeadEditorsWorkComesBackWithItsUndoSteps) {
  TEditorFixture dead;
  TEditor& d = Drawn(dead, 7);
  d.TakeSnapshot();
  d.Doc.AllDib->SetPixels(3, 4, 9);
  d.SelectZoom(4);
  Written(d);
  dead.Editor.reset();  // killed: no close

  TEditor& e = f.Start();
  e.StartRecovery(Root());
  f.Host.Answers = {TModalResult::mrYes};
  e.OfferRecovery();
  ASSERT_EQ(f.Host.Buttons, std::vector{TMsgDlgButtons::mbRecoverDiscardLater});
  std::string list;
  ASSERT_TRUE(MatchTemplate(kAskRecover, f.Host.Messages[0], &list));
  EXPECT_EQ(list.rfind(std::string(kUntitled) + "、", 0), 0u);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(3, 4), 9);
  EXPECT_TRUE(e.Doc.Modified());
  EXPECT_EQ(e.View.Bairitu, 4);
  e.btUndo.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(3, 4), 7);
  // The work is in this editor's copy now; the dead one's is gone.
  EXPECT_EQ(Offered(), 0u);
  f.Editor.reset();
  EXPECT_EQ(Offered(), 1u);
}

TEST_F(EditorRecoveryTest, LaterKeepsTheCopyDiscardMovesItAway) {
  TEditorFixture dead;
  Written(Drawn(dead, 7));
  dead.Editor.reset();
  TEditor& e = f.Start();
  e.StartRecovery(Root());
  f.Host.Answers = {TModalResult::mrCancel, TModalResult::mrNo};
  e.OfferRecovery();
  EXPECT_FALSE(e.Doc.Modified());
  e.OfferRecovery();
  EXPECT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(Offered(), 0u);
  EXPECT_FALSE(std::filesystem::is_empty(Root() + "/discarded"));
  e.OfferRecovery();
  EXPECT_EQ(f.Host.Messages.size(), 2u);
}

TEST_F(EditorRecoveryTest, ACompletedSaveOrNoOnCloseRemovesTheCopy) {
  for (const bool save : {true, false}) {
    TEditorFixture live;
    TEditor& e = Drawn(live, 7);
    Written(e);
    if (save) {
      e.Doc.FileName = f.Folder.File("sheet.bmp");
      e.mSave2Click(&e.mSave2);
      e.RecoveryTimerTick(TTime{} + 6s);
      e.Recovery.Wait();
    } else {
      live.Host.Answers = {TModalResult::mrNo};
      bool canClose = false;
      e.FormCloseQuery(&e.MainForm, canClose);
      ASSERT_TRUE(canClose);
      e.FormClose(&e.MainForm);
    }
    live.Editor.reset();
    EXPECT_EQ(Offered(), 0u) << save;
  }
}

TEST_F(EditorRecoveryTest, AFailedWriteIsReportedOnceInTheStatusBarAndTriedAgain) {
  TEditor& e = Drawn(f, 7);
  std::filesystem::remove_all(e.Recovery.Folder());
  Written(e);
  e.RecoveryTimerTick(TTime{} + 6s);
  EXPECT_EQ(e.SBar.Panels[4].Text, kRecoveryWriteFailed);
  e.SBar.SetText(4, "");
  e.RecoveryTimerTick(TTime{} + 11s);
  e.Recovery.Wait();
  e.RecoveryTimerTick(TTime{} + 12s);
  EXPECT_EQ(e.SBar.Panels[4].Text, "");  // not again
  std::filesystem::create_directory(e.Recovery.Folder());
  e.RecoveryTimerTick(TTime{} + 17s);
  e.Recovery.Wait();
  EXPECT_TRUE(ReadRecoveryCopy(e.Recovery.Folder()));
}

}  // namespace
}  // namespace pixkura
