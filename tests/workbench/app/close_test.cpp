// Closing the desktop app's window: with unsaved changes it asks, and the
// answer clicked in the question decides whether the window closes and
// what becomes of the document and its file.
#include <QMessageBox>

#include "desktop_fixture.h"

namespace workbench::app::testing {
namespace {

class ClosingApp : public DesktopApp {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DesktopApp::SetUp());
    // A copy of the bodice, so that saving never touches the sample.
    file_ = dir_.Path() / "bodice.svg";
    std::filesystem::copy_file(SampleBodice(), file_);
    original_ = Slurp(file_);
    ASSERT_TRUE(window_->OpenFile(QString::fromStdString(file_.string())));
    layer_ = Doc().FindLayerByTitle("Front bodice");
    ASSERT_TRUE(layer_);
  }

  // Closes the window, clicking `answer` in the question if one shows.
  // Returns the question's text, empty when none showed.
  QString CloseAnswering(QMessageBox::StandardButton answer) {
    QString asked;
    bool missed = false;
    WhenModal(
        [&](QWidget* dialog) {
          auto* box = qobject_cast<QMessageBox*>(dialog);
          asked = box != nullptr ? box->text() : QStringLiteral("(not a message box)");
          QAbstractButton* button = box != nullptr ? box->button(answer) : nullptr;
          if (button != nullptr) {
            QTest::mouseClick(button, Qt::LeftButton);
          } else {
            QTest::keyClick(dialog, Qt::Key_Escape);
          }
        },
        &missed, 20);
    window_->close();
    // The question comes, if at all, while close() runs; otherwise wait
    // for the poll to give up, since it writes to this frame.
    if (asked.isEmpty()) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return missed; }, 2000));
    }
    return asked;
  }

  TempDir dir_;
  std::filesystem::path file_;
  std::string original_;
  document::LayerId layer_;
};

TEST_F(ClosingApp, CancelKeepsTheWindowAndTheChangeAndDiscardCloses) {
  // With every change undone there is nothing to ask; redone, there is.
  ASSERT_TRUE(session_.SetLayerVisible(layer_, false));
  window_->UndoAction().trigger();
  EXPECT_FALSE(session_.IsModified());
  window_->RedoAction().trigger();
  ASSERT_TRUE(window_->isWindowModified());

  EXPECT_FALSE(CloseAnswering(QMessageBox::Cancel).isEmpty()) << "closing did not ask";
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(session_.IsModified());
  EXPECT_FALSE(Doc().FindLayer(layer_)->visible);
  EXPECT_EQ(Slurp(file_), original_);

  EXPECT_FALSE(CloseAnswering(QMessageBox::Discard).isEmpty());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(Slurp(file_), original_);
}

TEST_F(ClosingApp, SaveWritesTheChangeBeforeClosing) {
  ASSERT_TRUE(session_.SetLayerVisible(layer_, false));
  EXPECT_FALSE(CloseAnswering(QMessageBox::Save).isEmpty());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_FALSE(session_.IsModified());
  const document::Document saved = cli::testing::Read(file_);
  const document::LayerId layer = saved.FindLayerByTitle("Front bodice");
  ASSERT_TRUE(layer);
  EXPECT_FALSE(saved.FindLayer(layer)->visible);
}

}  // namespace
}  // namespace workbench::app::testing
