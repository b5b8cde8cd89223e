// The desktop app's resident size after many previews: the real window
// (offscreen), the real module with its panel docked, a piece's finish line
// selected, the module's tool chosen from the palette and a saved set picked
// in the panel's list; then the panel's Preview box is clicked on and off,
// each "on" a preview played as one undoable step. It reports the resident
// size before the first preview and after the last, the peak, and what the
// bounded histories hold (undo steps, logged plays).
//
//   app_preview_memory [FILE.svg] [--previews N] [--set NAME] [--json FILE]
//
// Without FILE the sample bodice; the set comes from the sample list file of
// every command kind ("Basic 10 mm" unless --set says otherwise).
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "sdk/messages.h"
#include "workbench/app/app_session.h"
#include "workbench/app/main_window.h"
#include "workbench/cli/module_session.h"
#include "workbench/cli/pieces.h"
#include "workbench/ui/qt_toolkit.h"

namespace fs = std::filesystem;

namespace {

// The module's panel controls this program clicks, by their control ids.
constexpr std::int32_t kSetListControl = 1;
constexpr std::int32_t kPreviewControl = 35;

struct Options {
  fs::path file = fs::path(QUORVANE_SOURCE_DIR) / "data" / "samples" / "front-bodice.svg";
  int previews = 200;
  std::string set = "Basic 10 mm";
  std::optional<fs::path> json;
};

std::optional<Options> Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--previews" && hasValue) {
      o.previews = std::atoi(argv[++i]);
    } else if (a == "--set" && hasValue) {
      o.set = argv[++i];
    } else if (a == "--json" && hasValue) {
      o.json = argv[++i];
    } else if (!a.empty() && a[0] != '-') {
      o.file = a;
    } else {
      return std::nullopt;
    }
  }
  return o.previews > 0 ? std::optional<Options>(o) : std::nullopt;
}

// A line of /proc/self/status ("VmRSS", "VmHWM") in kilobytes.
long StatusKb(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
  }
  return 0;
}

// The largest closed path of the document, by area: the finish line.
workbench::document::ArtId LargestPiece(const workbench::document::Document& doc) {
  workbench::document::ArtId best;
  double bestArea = 0.0;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    for (workbench::document::ArtId art : doc.AllArtOfLayer(doc.LayerAt(i))) {
      const double area = std::abs(doc.SignedArea(art).value_or(0.0));
      if (doc.IsClosed(art).value_or(false) && area > bestArea) {
        best = art;
        bestArea = area;
      }
    }
  }
  return best;
}

int Fail(const std::string& why) {
  std::cerr << "app_preview_memory: " << why << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) {
    std::cerr << "usage: app_preview_memory [FILE.svg] [--previews N] [--set NAME] [--json FILE]\n";
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quorvane-app-preview-memory"));
  QApplication::setStyle(QStringLiteral("Fusion"));

  const fs::path prefs = fs::temp_directory_path() / ("quorvane-app-preview-memory-" + std::to_string(getpid()));
  fs::create_directories(prefs);
  fs::copy_file(fs::path(QUORVANE_SOURCE_DIR) / "data" / "samples" / "every-kind-list.txt", prefs / "Trevask-list.txt",
                fs::copy_options::overwrite_existing);
  const int status = [&]() -> int {
    workbench::app::AppSession session(prefs);
    auto toolkit = std::make_unique<workbench::ui::QtToolkit>();
    workbench::ui::QtToolkit* widgets = toolkit.get();
    session.SetToolkit(std::move(toolkit));
    std::string error;
    if (!session.LoadModule(workbench::cli::DefaultModulePath(), &error)) return Fail(error);
    workbench::app::MainWindow window(session, widgets);
    // Nobody answers the module's messages here: they are printed.
    session.Host().Prompts().SetDisplay([](workbench::plugin::PromptKind, const std::string& text) {
      std::cerr << "module: " << text << "\n";
      return std::optional<bool>(false);
    });
    if (!window.OpenFile(QString::fromStdString(options->file.string()))) return Fail("cannot open " + options->file.string());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return Fail("the window is not shown");

    const workbench::document::ArtId piece = LargestPiece(session.Doc());
    if (!piece) return Fail(options->file.string() + " has no closed path");
    session.Doc().SetSelected(piece, true);
    session.Doc().CommitStep();
    session.Host().Notify(kQvArtSelectionChangedNotifier);
    QAction* tool = window.findChild<QAction*>(QStringLiteral("tool:Quorvane"));
    if (tool == nullptr) return Fail("the module's tool is not in the palette");
    tool->trigger();
    if (widgets->Panels().empty()) return Fail("the module made no panel");
    const QvWindowHandle panel = widgets->Panels().front().window;
    auto* sets = qobject_cast<QListWidget*>(widgets->ControlWidget(panel, kSetListControl));
    auto* preview = qobject_cast<QAbstractButton*>(widgets->ControlWidget(panel, kPreviewControl));
    if (sets == nullptr || preview == nullptr) return Fail("the panel has no set list or Preview box");
    const QList<QListWidgetItem*> rows = sets->findItems(QString::fromStdString(options->set), Qt::MatchExactly);
    if (rows.isEmpty()) return Fail("no set \"" + options->set + "\" in the panel's list");
    QTest::mouseClick(sets->viewport(), Qt::LeftButton, Qt::NoModifier, sets->visualItemRect(rows.front()).center());

    const long beforeKb = StatusKb("VmRSS");
    int made = 0;
    for (int i = 0; i < options->previews; ++i) {
      QTest::mouseClick(preview, Qt::LeftButton);  // on: a preview
      made += !workbench::cli::ClosedPathsOnLayer(session.Doc(), workbench::cli::kWorkLayerTitles[1]).empty();
      QTest::mouseClick(preview, Qt::LeftButton);  // off
    }
    QApplication::processEvents();
    const long afterKb = StatusKb("VmRSS");
    const long peakKb = StatusKb("VmHWM");
    const std::size_t undoSteps = session.Doc().UndoSteps();
    const std::size_t logged = session.Host().Actions().PlayLog().size();
    const std::size_t plays = session.Host().Actions().PlayCount();
    std::printf("%s, set \"%s\": %d previews, %d made a seam allowance\n", options->file.filename().c_str(),
                options->set.c_str(), options->previews, made);
    std::printf("resident size before the previews %.1f MB, after %.1f MB, peak %.1f MB\n", beforeKb / 1024.0,
                afterKb / 1024.0, peakKb / 1024.0);
    std::printf("undo steps kept %zu (limit %zu), plays logged %zu of %zu\n", undoSteps, session.HistoryLimit(), logged,
                plays);
    if (options->json) {
      std::ofstream out(*options->json);
      out << "{\"file\": \"" << options->file.filename().string() << "\", \"previews\": " << options->previews
          << ", \"previews_made\": " << made << ", \"rss_before_mb\": " << beforeKb / 1024.0
          << ", \"rss_after_mb\": " << afterKb / 1024.0 << ", \"peak_rss_mb\": " << peakKb / 1024.0
          << ", \"undo_steps\": " << undoSteps << ", \"plays_logged\": " << logged << "}\n";
    }
    session.UnloadModule();
    return made == options->previews ? 0 : 1;
  }();
  std::error_code ec;
  fs::remove_all(prefs, ec);
  return status;
}
