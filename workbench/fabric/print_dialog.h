// File > Print to PDF in the desktop app: asks for the file and the paper,
// prints the document's pieces at 1:1 with the workbench's print settings
// and says how it went.
#pragma once

#include <filesystem>

#include "workbench/document/document.h"

class QWidget;

namespace workbench::fabric {

/// Runs the dialogs and the print; `documentFile` suggests the PDF's name
/// (empty for an untitled document).
void PrintToPdfDialog(QWidget* parent, const document::Document& doc, const std::filesystem::path& documentFile);

}  // namespace workbench::fabric
