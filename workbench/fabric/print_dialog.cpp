#include "workbench/fabric/print_dialog.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include "workbench/fabric/fabric_pieces.h"
#include "workbench/fabric/tiled_pdf.h"

namespace workbench::fabric {

namespace fs = std::filesystem;

void PrintToPdfDialog(QWidget* parent, const document::Document& doc, const fs::path& documentFile) {
  const QString title = QObject::tr("Print to PDF");
  auto conventions = ReadLineConventions(DefaultPrintSettingsFile());
  if (!conventions) {
    QMessageBox::warning(parent, title, QString::fromStdString(conventions.error().ToString()));
    return;
  }
  const FabricLayout layout = CollectPieces(doc, conventions.value());
  if (layout.pieces.empty()) {
    QMessageBox::information(parent, title, QObject::tr("The document has no closed path to print."));
    return;
  }
  fs::path suggested = documentFile.empty() ? fs::path("Untitled.pdf") : documentFile;
  suggested.replace_extension(".pdf");
  const QString file = QFileDialog::getSaveFileName(parent, title, QString::fromStdString(suggested.string()),
                                                    QObject::tr("PDF files (*.pdf)"));
  if (file.isEmpty()) return;
  const QStringList papers = {QStringLiteral("a4"), QStringLiteral("letter"), QStringLiteral("a3"),
                              QStringLiteral("tabloid"), QStringLiteral("a0")};
  bool chosen = false;
  const QString paper = QInputDialog::getItem(parent, title, QObject::tr("Paper:"), papers, 0, false, &chosen);
  if (!chosen) return;
  PrintOptions options;
  options.paper = *ParsePaper(paper.toStdString());
  options.title = documentFile.empty() ? "Untitled" : documentFile.filename().string();
  auto printed = PrintTiledPdf(layout, conventions.value(), options, file.toStdString());
  if (!printed) {
    QMessageBox::warning(parent, title, QString::fromStdString(printed.error().ToString()));
    return;
  }
  QString summary = QObject::tr("%1 page(s) at full size: %2 row(s) of %3.")
                        .arg(printed.value().rows * printed.value().columns)
                        .arg(printed.value().rows)
                        .arg(printed.value().columns);
  for (const std::string& report : layout.reports) summary += "\n" + QString::fromStdString(report);
  QMessageBox::information(parent, title, summary);
}

}  // namespace workbench::fabric
