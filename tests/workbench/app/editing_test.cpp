// Editing in the window, by real key and pointer events: Delete and
// Backspace remove the selection, the arrows nudge it by 1 mm (Shift:
// 10 mm), a drag from selected art moves it, Ctrl+A selects the current
// layer's art and Escape drops the selection; locked art and art of locked
// layers stays as it was. A second module, the loader tests' own, is loaded
// beside the real one and shows an alert for each notification it hears,
// so the tests see what the host sends after each edit, undo and redo.
// Then the preference that bounds the undo history and the action log.
#include <QSettings>
#include <QSpinBox>

#include "desktop_fixture.h"
#include "sdk/action_manager_suite.h"
#include "workbench/app/art_picking.h"
#include "workbench/cli/pieces.h"
#include "workbench/plugin/plugin_module.h"

namespace workbench::app::testing {
namespace {

using document::ArtId;
using geometry::PathSegment;
using geometry::Point;

constexpr double kSame = 1e-9;  // points
const std::string kDocumentNotice = std::string(kQvCallerNotifier) + "/" + kQvDocumentChangedNotifier;
const std::string kSelectionNotice = std::string(kQvCallerNotifier) + "/" + kQvArtSelectionChangedNotifier;
const std::vector<std::string> kEditNotices = {kDocumentNotice, kSelectionNotice};

class AppEditing : public DesktopApp {
 protected:
  void SetUp() override {
    DesktopApp::SetUp();
    if (HasFatalFailure()) return;
    std::string error;
    listener_ = plugin::PluginModule::Load(session_.Host(), QUORVANE_TEST_MODULE, &error);
    ASSERT_NE(listener_, nullptr) << error;
    ASSERT_EQ(listener_->Startup(), kQvNoErr);
    seam_ = cli::FindById(Doc(), "front-seam");
    ASSERT_TRUE(seam_);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Canvas().setFocus();
  }
  void TearDown() override {
    if (listener_) listener_->Shutdown();
    listener_.reset();
    DesktopApp::TearDown();
  }

  /// The notifications heard since the last call.
  std::vector<std::string> Heard() {
    std::vector<std::string> heard;
    for (const std::string& text : prompts_) {
      if (text.rfind(kQvCallerNotifier, 0) == 0) heard.push_back(text);
    }
    prompts_.clear();
    return heard;
  }
  std::vector<Point> Anchors(ArtId path) {
    std::vector<Point> anchors;
    if (const std::vector<PathSegment>* segments = Doc().Segments(path)) {
      for (const PathSegment& s : *segments) anchors.push_back(s.anchor);
    }
    return anchors;
  }
  /// Every anchor of `now` is the one of `before` moved by `by`.
  static void ExpectMoved(const std::vector<Point>& before, const std::vector<Point>& now, Point by,
                          double tolerance = kSame) {
    ASSERT_EQ(before.size(), now.size());
    for (std::size_t i = 0; i < now.size(); ++i) {
      EXPECT_NEAR(now[i].x, before[i].x + by.x, tolerance) << "anchor " << i;
      EXPECT_NEAR(now[i].y, before[i].y + by.y, tolerance) << "anchor " << i;
    }
  }
  /// A square of 100 points on a new, locked layer, selected the way a
  /// module may select it (the selection tool never would).
  ArtId SelectedSquareOnLockedLayer() {
    const document::LayerId layer = Doc().InsertLayer("Locked");
    const ArtId art = Square(20, 20, 100, layer);
    Doc().SetLayerEditable(layer, false);
    Doc().SetSelected(art, true);
    Doc().CommitStep();
    return art;
  }

  std::unique_ptr<plugin::PluginModule> listener_;
  ArtId seam_;
};

TEST_F(AppEditing, DeleteAndBackspaceRemoveTheSelectionAsOneNamedStepThatUndoesAndRedoes) {
  ClickCanvas(kFrontEdgeMiddle);
  ASSERT_EQ(Doc().SelectedArt(), std::vector<ArtId>{seam_});
  EXPECT_EQ(Heard(), std::vector<std::string>{kSelectionNotice}) << "a click";

  QTest::keyClick(&Canvas(), Qt::Key_Delete);
  EXPECT_FALSE(Doc().IsValid(seam_));
  EXPECT_EQ(window_->UndoAction().text().toStdString(), kDeleteUndoText);
  EXPECT_EQ(Heard(), kEditNotices) << "Delete";

  window_->UndoAction().trigger();
  EXPECT_TRUE(Doc().IsValid(seam_));
  EXPECT_EQ(Doc().SelectedArt(), std::vector<ArtId>{seam_});
  EXPECT_EQ(window_->RedoAction().text().toStdString(), kDeleteRedoText);
  EXPECT_EQ(Heard(), kEditNotices) << "Undo";
  window_->RedoAction().trigger();
  EXPECT_FALSE(Doc().IsValid(seam_));
  EXPECT_EQ(Heard(), kEditNotices) << "Redo";
  window_->UndoAction().trigger();
  Heard();

  // A text field of the window keeps its editing keys: Backspace and
  // Ctrl+A there change the text, not the art or the selection.
  auto* field = new QLineEdit(window_.get());
  field->setText(QStringLiteral("12"));
  field->show();
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(field->text(), QStringLiteral("1"));
  EXPECT_EQ(field->selectedText(), QStringLiteral("1"));
  EXPECT_TRUE(Doc().IsValid(seam_));
  EXPECT_EQ(Doc().SelectedArt(), std::vector<ArtId>{seam_});
  delete field;
  Canvas().setFocus();

  // Backspace does the same; with nothing selected it does nothing.
  QTest::keyClick(&Canvas(), Qt::Key_Backspace);
  EXPECT_FALSE(Doc().IsValid(seam_));
  EXPECT_EQ(Doc().UndoText(), kDeleteUndoText);
  EXPECT_EQ(Heard(), kEditNotices) << "Backspace";
  const std::size_t steps = Doc().UndoSteps();
  QTest::keyClick(&Canvas(), Qt::Key_Backspace);
  EXPECT_EQ(Doc().UndoSteps(), steps);
  EXPECT_EQ(Heard(), std::vector<std::string>{}) << "nothing changed";
}

TEST_F(AppEditing, ArrowsNudgeByOneAndTenMillimetresAndADragMovesTheSelection) {
  ClickCanvas(kFrontEdgeMiddle);
  ASSERT_EQ(Doc().SelectedArt(), std::vector<ArtId>{seam_});
  const ArtId notch = cli::FindById(Doc(), "notch-side");
  const std::vector<Point> start = Anchors(seam_);
  const std::vector<Point> notchStart = Anchors(notch);
  Heard();

  QTest::keyClick(&Canvas(), Qt::Key_Right);
  ExpectMoved(start, Anchors(seam_), {kPointsPerMm, 0.0});
  EXPECT_EQ(Doc().UndoText(), kMoveUndoText);
  EXPECT_EQ(Heard(), kEditNotices) << "Right";
  QTest::keyClick(&Canvas(), Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(&Canvas(), Qt::Key_Left);
  ExpectMoved(start, Anchors(seam_), {0.0, 10.0 * kPointsPerMm});  // up is up the page
  QTest::keyClick(&Canvas(), Qt::Key_Down, Qt::ShiftModifier);
  ExpectMoved(start, Anchors(seam_), {0.0, 0.0});
  EXPECT_EQ(Anchors(notch), notchStart) << "unselected art stays";
  Heard();

  // A drag from the selected seam's line: the seam follows the pointer
  // while it moves, and the whole drag is one step.
  const std::size_t steps = Doc().UndoSteps();
  const QPoint from = PixelOf(Canvas(), kFrontEdgeMiddle);
  const QPoint to = from + QPoint(60, -30);
  const Point by = Canvas().View().ToDocument({double(to.x()), double(to.y())}) -
                   Canvas().View().ToDocument({double(from.x()), double(from.y())});
  QTest::mousePress(&Canvas(), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&Canvas(), from + QPoint(30, -15));
  ExpectMoved(start, Anchors(seam_), by * 0.5, 1e-6);
  // Released further on than the pointer last moved: the seam lands there.
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, Qt::NoModifier, to);
  ExpectMoved(start, Anchors(seam_), by, 1e-6);
  EXPECT_EQ(Doc().SelectedArt(), std::vector<ArtId>{seam_}) << "the drag is no rubber band";
  EXPECT_EQ(Doc().UndoSteps(), steps + 1);
  EXPECT_EQ(Doc().UndoText(), kMoveUndoText);
  EXPECT_EQ(Heard(), kEditNotices) << "one drag, heard once at its end";
  window_->UndoAction().trigger();
  ExpectMoved(start, Anchors(seam_), {0.0, 0.0});
  EXPECT_EQ(Heard(), kEditNotices) << "Undo";
}

TEST_F(AppEditing, CtrlATakesTheCurrentLayersUnlockedArtAndEscapeDropsTheSelection) {
  const ArtId notch = cli::FindById(Doc(), "notch-side");
  ASSERT_TRUE(Doc().SetLocked(notch, true));
  // Art of another layer is not the current layer's.
  const ArtId elsewhere = Square(0, 0, 50, Doc().InsertLayer("Other"));
  Doc().SetSelected(elsewhere, true);
  Doc().CommitStep();
  ASSERT_EQ(Doc().LayerOfArt(seam_), Doc().CurrentLayer());
  Heard();

  QTest::keyClick(&Canvas(), Qt::Key_A, Qt::ControlModifier);
  std::vector<ArtId> expected;
  for (ArtId art : Doc().AllArtOfLayer(Doc().CurrentLayer())) {
    if (art != notch) expected.push_back(art);
  }
  ASSERT_EQ(expected.size(), 3u);
  EXPECT_EQ(Doc().SelectedArt(), expected);
  EXPECT_EQ(Doc().UndoText(), kSelectionUndoText);
  EXPECT_EQ(Heard(), std::vector<std::string>{kSelectionNotice});
  const std::size_t steps = Doc().UndoSteps();
  QTest::keyClick(&Canvas(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Doc().UndoSteps(), steps) << "selecting what is selected is no step";

  QTest::keyClick(&Canvas(), Qt::Key_Escape);
  EXPECT_TRUE(Doc().SelectedArt().empty());
  EXPECT_EQ(Heard(), std::vector<std::string>{kSelectionNotice});
  window_->UndoAction().trigger();
  EXPECT_EQ(Doc().SelectedArt(), expected);
}

TEST_F(AppEditing, LockedArtAndArtOfLockedLayersStayWhereTheyAre) {
  const ArtId square = SelectedSquareOnLockedLayer();
  const ArtId notch = cli::FindById(Doc(), "notch-side");
  ASSERT_TRUE(Doc().SetSelected(seam_, true));
  ASSERT_TRUE(Doc().SetSelected(notch, true));
  ASSERT_TRUE(Doc().SetLocked(notch, true));
  Doc().CommitStep();
  const std::vector<Point> squareAt = Anchors(square);
  const std::vector<Point> notchAt = Anchors(notch);
  const std::vector<Point> seamAt = Anchors(seam_);

  QTest::keyClick(&Canvas(), Qt::Key_Left, Qt::ShiftModifier);
  ExpectMoved(seamAt, Anchors(seam_), {-10.0 * kPointsPerMm, 0.0});
  EXPECT_EQ(Anchors(square), squareAt);
  EXPECT_EQ(Anchors(notch), notchAt);
  // A drag from the locked square moves nothing.
  const QPoint from = PixelOf(Canvas(), {20, 70});
  QTest::mousePress(&Canvas(), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&Canvas(), from + QPoint(40, 0));
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, Qt::NoModifier, from + QPoint(40, 0));
  EXPECT_EQ(Anchors(square), squareAt);

  Doc().SetSelected(seam_, true);
  Doc().SetSelected(square, true);
  Doc().CommitStep();
  QTest::keyClick(&Canvas(), Qt::Key_Delete);
  EXPECT_FALSE(Doc().IsValid(seam_));
  EXPECT_TRUE(Doc().IsValid(square));
  EXPECT_TRUE(Doc().IsValid(notch));
  // Escape leaves the locked layer's selection as it is.
  QTest::keyClick(&Canvas(), Qt::Key_Escape);
  EXPECT_EQ(Doc().SelectedArt(), std::vector<ArtId>{square});
}

TEST_F(AppEditing, ThePreferenceBoundsTheUndoHistoryAndTheActionLog) {
  EXPECT_EQ(session_.HistoryLimit(), document::Document::kDefaultUndoLimit);
  EXPECT_EQ(session_.Host().Actions().LogLimit(), document::Document::kDefaultUndoLimit);
  // Edit > Preferences, the number typed into its dialog.
  bool missed = false;
  WhenModal(
      [](QWidget* dialog) {
        if (auto* spin = dialog->findChild<QSpinBox*>()) {
          spin->selectAll();
          QTest::keyClicks(spin, QStringLiteral("5"));
        }
        QTest::keyClick(dialog, Qt::Key_Return);
      },
      &missed);
  QAction* preferences = window_->findChild<QAction*>(QStringLiteral("preferences"));
  ASSERT_NE(preferences, nullptr);
  preferences->trigger();
  ASSERT_FALSE(missed);
  EXPECT_EQ(QSettings().value(QStringLiteral("undoLimit")).toInt(), 5);
  EXPECT_EQ(session_.HistoryLimit(), 5u);

  // The open document keeps as many steps (how it drops the oldest is the
  // document's tests').
  EXPECT_EQ(Doc().UndoLimit(), 5u);

  // The log of played actions keeps as many.
  plugin::ActionRegistry& actions = session_.Host().Actions();
  ASSERT_TRUE(actions.Register("test_count", "Count", [](const plugin::ActionPlay&) { return kQvNoErr; }));
  const std::size_t plays = actions.PlayCount();
  for (int i = 0; i < 8; ++i) ASSERT_EQ(session_.Host().PlayAction("test_count", kQvDialogOff, nullptr), kQvNoErr);
  EXPECT_EQ(actions.PlayCount(), plays + 8);
  EXPECT_EQ(actions.PlayLog(), std::deque<std::string>(5, "test_count"));

  // A document opened later keeps the limit, and a new window reads it.
  ASSERT_TRUE(window_->OpenFile(QString::fromStdString(SampleBodice().string())));
  EXPECT_EQ(Doc().UndoLimit(), 5u);
  QSettings().setValue(QStringLiteral("undoLimit"), 7);
  window_.reset();
  window_ = std::make_unique<MainWindow>(session_, widgets_);
  NotePrompts();
  QSettings().remove(QStringLiteral("undoLimit"));
  EXPECT_EQ(session_.HistoryLimit(), 7u);
  EXPECT_EQ(Doc().UndoLimit(), 7u);
}

}  // namespace
}  // namespace workbench::app::testing
