// File > Print to PDF: the file and paper asked for in the app's dialogs,
// the pieces of the open document printed at full size.
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "desktop_fixture.h"

namespace workbench::app::testing {
namespace {

using PrintToPdf = DesktopApp;

TEST_F(PrintToPdf, AsksForTheFileAndPaperAndPrintsTheSeamAllowanceAtFullSize) {
  TempDir dir;
  const cli::testing::Ran demo = cli::testing::RunQuorvane({"demo", "-o", dir.Path().string()});
  ASSERT_EQ(demo.status, 0) << demo.err;
  ASSERT_TRUE(window_->OpenFile(QString::fromStdString((dir.Path() / "front-bodice-seam.svg").string())));
  QAction* print = ActionNamed(MenuNamed(*window_, QStringLiteral("File")), QStringLiteral("Print to PDF..."));
  ASSERT_NE(print, nullptr);

  const std::filesystem::path pdf = dir.Path() / "bodice.pdf";
  QString paperAsked, told;
  bool missed = false;
  WhenModal(
      [&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (files == nullptr) {
          dialog->close();
          return;
        }
        files->selectFile(QString::fromStdString(pdf.string()));
        WhenModal(
            [&](QWidget* second) {
              auto* paper = qobject_cast<QInputDialog*>(second);
              if (paper == nullptr) {
                second->close();
                return;
              }
              paperAsked = paper->textValue();
              paper->setTextValue(QStringLiteral("letter"));
              WhenModal(
                  [&](QWidget* third) {
                    auto* box = qobject_cast<QMessageBox*>(third);
                    told = box != nullptr ? box->text() : QString();
                    third->close();
                  },
                  &missed);
              paper->accept();
            },
            &missed);
        static_cast<QDialog*>(files)->accept();  // as the Save button does
      },
      &missed);
  print->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty() || missed; }, 5000));
  EXPECT_FALSE(missed);
  EXPECT_EQ(paperAsked, QStringLiteral("a4")) << "A4 is offered first";
  EXPECT_TRUE(told.contains(QStringLiteral("page(s) at full size"))) << told.toStdString();
  const std::string info = Output("pdfinfo " + pdf.string() + " 2>&1");
  EXPECT_NE(info.find("612 x 792 pts (letter)"), std::string::npos) << info;
  EXPECT_EQ(info.find("Pages:           1\n"), std::string::npos) << "the bodice needs more than a sheet";
}

}  // namespace
}  // namespace workbench::app::testing
