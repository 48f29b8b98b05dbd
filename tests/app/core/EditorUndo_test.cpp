// Undo and redo over whole-sheet snapshots.
#include <gtest/gtest.h>

#include "support/EditorFixture.h"

namespace pixkura {
namespace {

using testing::TEditorFixture;

class UndoTest : public ::testing::Test {
 protected:
  // A change to state `n`: snapshot, then pixel (0, 0) := n.
  void Change(TEditor& e, int32_t n) {
    e.TakeSnapshot();
    e.Doc.AllDib->SetPixels(0, 0, n);
  }
  static int32_t Shown(TEditor& e) { return e.Doc.AllDib->GetPixels(0, 0); }
  static int32_t Slot(TEditor& e, size_t i) { return e.Doc.History.UndoDibs[i]->GetPixels(0, 0); }
  TEditorFixture f;
};

TEST_F(UndoTest, SlotsFollowTheDocumentedSequence) {
  TEditor& e = f.Start();
  Change(e, 1);
  EXPECT_EQ(e.Doc.History.UndoNum, 1);
  EXPECT_EQ(Slot(e, 1), 0);
  Change(e, 2);
  EXPECT_EQ(e.Doc.History.UndoNum, 2);
  EXPECT_EQ(Slot(e, 1), 1);
  EXPECT_EQ(Slot(e, 2), 0);
  e.btUndo.Click();
  EXPECT_EQ(e.Doc.History.UndoPos, 1);
  EXPECT_EQ(Shown(e), 1);
  EXPECT_EQ(Slot(e, 0), 2);
  e.btUndo.Click();
  EXPECT_EQ(e.Doc.History.UndoPos, 2);
  EXPECT_EQ(Shown(e), 0);
  e.btUndo.Click();  // nothing further back
  EXPECT_EQ(e.Doc.History.UndoPos, 2);
  e.btRedo.Click();
  EXPECT_EQ(e.Doc.History.UndoPos, 1);
  EXPECT_EQ(Shown(e), 1);
  Change(e, 3);
  EXPECT_EQ(e.Doc.History.UndoNum, 2);
  EXPECT_EQ(e.Doc.History.UndoPos, 0);
  EXPECT_EQ(Slot(e, 0), 2);
  EXPECT_EQ(Slot(e, 1), 1);
  EXPECT_EQ(Slot(e, 2), 0);
  // The next two undos go to the state the change started from, then the one before.
  e.btUndo.Click();
  EXPECT_EQ(Shown(e), 1);
  e.btUndo.Click();
  EXPECT_EQ(Shown(e), 0);
  e.btRedo.Click();
  e.btRedo.Click();
  EXPECT_EQ(Shown(e), 3);
  e.btRedo.Click();  // nothing further forward
  EXPECT_EQ(Shown(e), 3);
}

TEST_F(UndoTest, FifteenSlotsHoldFourteenSteps) {
  TEditor& e = f.Start();
  for (int32_t n = 1; n <= 20; ++n) Change(e, n);
  EXPECT_EQ(e.Doc.History.UndoNum, 14);
  for (int i = 0; i < 20; ++i) e.btUndo.Click();
  EXPECT_EQ(Shown(e), 6);  // 20 - 14: older states fell off
}

TEST_F(UndoTest, NothingRecordedMeansNothingToDo) {
  TEditor& e = f.Start();
  e.Doc.AllDib->SetPixels(0, 0, 9);
  e.btUndo.Click();
  e.btRedo.Click();
  EXPECT_EQ(Shown(e), 9);
  EXPECT_FALSE(e.Doc.Modified());  // neither undo nor redo marks the sheet
}

TEST_F(UndoTest, SnapshotsShareStorageAndUndoRefillsTheCurrentCell) {
  TEditor& e = f.Start();
  e.TakeSnapshot();
  EXPECT_EQ(&e.Doc.History.UndoDibs[1]->InternalDIB(), &e.Doc.AllDib->InternalDIB());
  e.Doc.AllDib->SetPixels(40, 40, 7);  // first write after the snapshot copies the sheet once
  EXPECT_NE(&e.Doc.History.UndoDibs[1]->InternalDIB(), &e.Doc.AllDib->InternalDIB());
  e.View.CellX = 32;
  e.View.CellY = 32;
  e.btUndo.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(40, 40), 0);
  e.btRedo.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(40, 40), 7);
  EXPECT_EQ(e.Tools.Cell.ChrDib.GetPixels(8, 8), 7);  // refilled from the selected cell
  EXPECT_EQ(e.View.CellX, 32);
}

TEST_F(UndoTest, AnUndoDuringAStrokeEndsTheStroke) {
  // An undo reached while the pen is held (from the keyboard): the moves
  // after it draw nothing, so undo and redo keep meaning what they showed.
  TEditor& e = f.Start();
  e.MainColor = 5;
  e.LupeViewMouseDown(&e.LupeView, TMouseButton::mbLeft, {}, 2 * 8, 2 * 8);
  e.LupeViewMouseMove(&e.LupeView, {}, 6 * 8, 2 * 8);
  e.btUndo.Click();
  EXPECT_FALSE(e.Tools.Pen.PenDown);
  e.LupeViewMouseMove(&e.LupeView, {}, 6 * 8, 9 * 8);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(6, 5), 0);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(4, 2), 0);
  e.btRedo.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(4, 2), 5);
  EXPECT_EQ(e.Doc.AllDib->GetPixels(6, 5), 0);
  e.btUndo.Click();
  e.btRedo.Click();
  EXPECT_EQ(e.Doc.AllDib->GetPixels(4, 2), 5);
}

TEST_F(UndoTest, TooFewSlotsAreRaisedToTwo) {
  TEditorSettings s;
  s.Undo = 0;
  TEditor& e = f.Start(s);
  ASSERT_GE(e.Doc.History.UndoDibs.size(), 2u);
  Change(e, 1);
  Change(e, 2);
  EXPECT_EQ(e.Doc.History.UndoNum, 1);
  e.btUndo.Click();
  EXPECT_EQ(Shown(e), 1);
}

// After a save, an undo changes the sheet the file no longer holds: closing
// must ask, or the state undone to (or the state left) is lost.
TEST_F(UndoTest, UndoAndRedoThatChangeTheSheetMarkItModified) {
  TEditor& e = f.Start();
  Change(e, 1);
  f.Host.DialogAnswer = f.Folder.File("sheet.bmp");
  e.mSave.Click();
  ASSERT_FALSE(e.Doc.Modified());
  e.btUndo.Click();
  EXPECT_TRUE(e.Doc.Modified());
  bool canClose = false;
  e.FormCloseQuery(&e.MainForm, canClose);
  ASSERT_EQ(f.Host.Messages.size(), 1u);  // the unsaved-changes question
  EXPECT_EQ(f.Host.Messages[0], "データが変更されています、上書き保存しますか？");

  e.Doc.Saved();  // as a save of the undone state leaves it
  e.btRedo.Click();
  EXPECT_TRUE(e.Doc.Modified());
  EXPECT_EQ(Shown(e), 1);
}

TEST_F(UndoTest, AStepThatShowsTheSameSheetIsNoChange) {
  TEditor& e = f.Start();
  e.TakeSnapshot();  // a change that drew nothing new (a dot in the colour already there)
  e.Doc.AllDib->SetPixels(0, 0, 0);
  e.Doc.Saved();
  e.btUndo.Click();
  EXPECT_EQ(e.Doc.History.UndoPos, 1);
  EXPECT_FALSE(e.Doc.Modified());
  e.btRedo.Click();
  EXPECT_FALSE(e.Doc.Modified());
}

// Each slot keeps the palette the sheet had when it was taken; the master
// palette, the tables built from it and every view follow the slot shown.
TEST_F(UndoTest, SlotsKeepTheirPaletteAndTheMasterFollowsTheSlotShown) {
  TEditor& e = f.Start();
  e.MainColor = 9;
  Change(e, 1);      // S1 in the grey ramp
  e.TakeSnapshot();  // a palette change: entry 9 red
  e.Doc.PalDib->SetColors(9, RGB(255, 0, 0));
  e.ApplyPaletteChange();
  Change(e, 2);  // S2 in red
  EXPECT_EQ(e.Doc.History.UndoNum, 3);
  EXPECT_EQ(e.Doc.History.UndoDibs[1]->GetColors(9), RGB(255, 0, 0));
  EXPECT_EQ(e.Doc.History.UndoDibs[2]->GetColors(9), RGB(9, 9, 9));
  EXPECT_EQ(e.Doc.History.UndoDibs[3]->GetColors(9), RGB(9, 9, 9));

  e.btUndo.Click();  // S1 in red
  EXPECT_EQ(Shown(e), 1);
  EXPECT_EQ(e.Doc.PalDib->GetColors(9), RGB(255, 0, 0));
  e.btUndo.Click();  // S1 in grey: the palette change undone alone
  EXPECT_EQ(Shown(e), 1);
  for (const TIxDIB* dib : {e.Doc.PalDib, e.Doc.AllDib, e.Views.LupeDib, &e.Tools.Cell.ChrDib, e.Views.MovDib})
    EXPECT_EQ(dib->GetColors(9), RGB(9, 9, 9));
  EXPECT_EQ(e.cMainBox.BrushColor(), RGB(9, 9, 9));
  EXPECT_EQ(e.Doc.History.UndoDibs[0]->GetColors(9), RGB(255, 0, 0));  // the newest state, for the redo
  e.btRedo.Click();
  e.btRedo.Click();
  EXPECT_EQ(Shown(e), 2);
  EXPECT_EQ(e.Doc.PalDib->GetColors(9), RGB(255, 0, 0));
  EXPECT_EQ(e.cMainBox.BrushColor(), RGB(255, 0, 0));
}

}  // namespace
}  // namespace pixkura
