// A user's session in the desktop app, driven only by widget events: the
// piece selected by a canvas click, the module's tool taken from the
// palette, a set of three commands built in the docked panel with the set's
// name typed into the Qt dialog and each command's anchor clicked on the
// canvas, previewed, saved, applied and undone. The applied seam allowance
// must be what `quorvane apply` draws with the saved set (whose widths the
// command-line tests measure). Then the flyout
// menu's batch command answered in its dialog by a key and a click.
#include <algorithm>

#include "desktop_fixture.h"
#include "quorvane/panel/panel_controls.h"
#include "workbench/cli/pieces.h"

namespace workbench::app::testing {
namespace {

namespace fs = std::filesystem;
using cli::testing::Field;
using cli::testing::Flat;
using document::ArtId;
using geometry::Distance;
using geometry::PathSegment;

// The panel's controls as the user meets them.
using namespace quorvane::panel;
// Command-type buttons: 15 + the type's code.
constexpr std::int32_t kRevForwardButton = kFirstTypeButton + 0;
constexpr std::int32_t kRightAngleBackwardButton = kFirstTypeButton + 3;
constexpr std::int32_t kCutOffButton = kFirstTypeButton + 8;
constexpr const char* kSetName = "Desk front";
// The bodice runs clockwise from the foot of its V neck: anchor 4 is the
// shoulder tip, the last anchor the foot of the straight front edge, and
// the side seam's foot two anchors before it.
constexpr std::size_t kRightAngleAnchor = 4;

constexpr double kSameGeometry = 1e-6;      // points
constexpr double kWidthTolerance = 0.05;    // points, on straight edges

std::string Row(int number, const char* label, const std::string& points, const std::string& width) {
  char row[96];
  std::snprintf(row, sizeof row, "%-3d%-19s%-7s%s", number, label, points.c_str(), width.c_str());
  return row;
}

// The only art on a layer, when it is a closed path; otherwise none.
ArtId OnlyClosedPath(const document::Document& doc, std::string_view title) {
  const std::vector<ArtId> art = cli::ArtOnLayer(doc, title);
  const std::vector<ArtId> closed = cli::ClosedPathsOnLayer(doc, title);
  EXPECT_EQ(art.size(), 1u) << "art on " << title;
  return art.size() == 1 && closed.size() == 1 ? closed[0] : ArtId{};
}

bool LayersListShows(LayersPanel& layers, std::string_view title) {
  return !layers.findItems(QString::fromUtf8(title.data(), static_cast<int>(title.size())), Qt::MatchExactly,
                           LayersPanel::kTitleColumn)
              .isEmpty();
}

using DesktopSession = DesktopApp;

TEST_F(DesktopSession, SetBuiltByClicksAppliesAsTheProgramDoesAndUndoes) {
  document::Document& doc = Doc();
  const ArtId piece = cli::FindById(doc, "front-seam");
  ASSERT_TRUE(piece);
  const std::string resultLayer = cli::LayerTitleOf(doc, piece) + std::string(cli::kSeamLayerSuffix);
  const std::vector<PathSegment> finish = *doc.Segments(piece);
  const std::size_t n = finish.size();
  ASSERT_GE(n, 8u);
  ASSERT_GT(doc.SignedArea(piece).value_or(0.0), 0.0) << "anchor numbers count clockwise";
  auto anchor = [&](std::size_t number) { return finish.at((number - 1) % n).anchor; };
  const std::size_t revAnchor = n - 2, cutOffAnchor = n;

  // The piece selected by a click on its straight front edge, the module's
  // tool from the palette: its panel shows in the dock, enabled.
  ClickCanvas((anchor(n) + anchor(1)) * 0.5);
  ASSERT_EQ(doc.SelectedPaths(), std::vector<ArtId>{piece});
  ChooseTool(QStringLiteral("tool:Quorvane"));
  ASSERT_NE(window_->PanelDock(panel_), nullptr);
  EXPECT_TRUE(window_->PanelDock(panel_)->isVisible());
  ASSERT_TRUE(doc.FindLayerByTitle(cli::kWorkLayerTitles[0]));

  // "New" asks for the set's name: typed into the Qt dialog, then OK.
  bool missed = false;
  std::string failure;
  WhenModal([&](QWidget* dialog) { TypeAndConfirm(dialog, kSetName, &failure); }, &missed);
  Press(kNewSetButton);
  ASSERT_FALSE(missed) << "no name dialog";
  ASSERT_EQ(failure, "");
  ASSERT_EQ(Rows(kSetList), std::vector<std::string>{kSetName});

  Type(kBasicWidthField, QStringLiteral("10"));
  Press(kCreateButton);
  // Each command: its type, Add, its anchor clicked on the canvas.
  Press(kRevForwardButton);
  Press(kAddButton);
  ClickCanvas(anchor(revAnchor));
  Press(kRightAngleBackwardButton);
  Press(kAddButton);
  ClickCanvas(anchor(kRightAngleAnchor));
  Press(kCutOffButton);
  Press(kAddButton);
  ClickCanvas(anchor(cutOffAnchor));
  Type(kCommandWidthField, QStringLiteral("5"));
  Press(kUpdateWidthButton);
  const std::string rev = std::to_string(revAnchor), cut = std::to_string(cutOffAnchor);
  const std::string right = std::to_string(kRightAngleAnchor);
  EXPECT_EQ(Rows(kCommandList),
            (std::vector<std::string>{Row(1, "Basic seam-margin", "", "10.0"), Row(2, "Rev. forward", rev, ""),
                                      Row(3, "90. backward", right, ""), Row(4, "Cut off", cut, "5.0")}));

  // The preview: one closed path on the second work layer, listed.
  Press(kPreviewCheckBox);
  EXPECT_EQ(cli::ClosedPathsOnLayer(doc, cli::kWorkLayerTitles[1]).size(), 1u) << "preview";
  EXPECT_TRUE(QTest::qWaitFor([&] { return LayersListShows(window_->Layers(), cli::kWorkLayerTitles[1]); }, 2000));

  // Saved into the list file of the preferences folder (what the program
  // applies below).
  Press(kSaveButton);

  // Applied: the result alone on its layer, the work layers gone, one step
  // for the Edit menu.
  Press(kApplyButton);
  EXPECT_EQ(prompts_, std::vector<std::string>{}) << "a saved set applies without a word";
  for (std::string_view work : cli::kWorkLayerTitles) EXPECT_FALSE(doc.FindLayerByTitle(work)) << work;
  const ArtId result = OnlyClosedPath(doc, resultLayer);
  ASSERT_TRUE(result);
  const std::vector<PathSegment> applied = *doc.Segments(result);
  EXPECT_TRUE(QTest::qWaitFor([&] { return LayersListShows(window_->Layers(), resultLayer); }, 2000));

  // The program draws the same allowance with the saved set.
  cli::testing::TempDir out;
  const fs::path output = out / "program.svg";
  const cli::testing::Ran ran = cli::testing::RunQuorvane(
      {"apply", SampleBodice().string(), "--set", kSetName, "--prefs", prefs_.Path().string(), "-o", output.string()});
  ASSERT_EQ(ran.status, 0) << ran.out << ran.err;
  const document::Document written = cli::testing::Read(output);
  const ArtId program = OnlyClosedPath(written, resultLayer);
  ASSERT_TRUE(program);
  const std::vector<PathSegment>& programmed = *written.Segments(program);
  ASSERT_EQ(applied.size(), programmed.size());
  for (std::size_t i = 0; i < applied.size(); ++i) {
    const PathSegment &a = applied[i], &p = programmed[i];
    EXPECT_LE(std::max({Distance(a.anchor, p.anchor), Distance(a.in, p.in), Distance(a.out, p.out)}), kSameGeometry)
        << "segment " << i;
  }

  // Edit > Undo takes the result away and leaves the piece as it was;
  // Redo brings the same result back.
  QAction& undo = window_->UndoAction();
  ASSERT_TRUE(QTest::qWaitFor([&] { return undo.isEnabled(); }, 2000));
  undo.trigger();
  EXPECT_TRUE(cli::ArtOnLayer(doc, resultLayer).empty());
  ASSERT_NE(doc.Segments(piece), nullptr);
  EXPECT_EQ(doc.Segments(piece)->size(), n);
  window_->RedoAction().trigger();
  const ArtId redone = OnlyClosedPath(doc, resultLayer);
  ASSERT_TRUE(redone);
  EXPECT_EQ(doc.Segments(redone)->size(), applied.size());
}

// Two sets in the list file: the batch dialog offers both, and the one
// chosen there is applied while the panel keeps its own.
class DesktopBatch : public DesktopApp {
 protected:
  void PreparePreferences() override {
    cli::testing::Spill(prefs_.Path() / "Trevask-list.txt",
                        "#Plain\r\n10.000000\r\n%LinePoint-Num,t,index\r\n*Commands-type,point,haba,num\r\n"
                        "#Wide\r\n15.000000\r\n%LinePoint-Num,t,index\r\n*Commands-type,point,haba,num\r\n");
  }
};

TEST_F(DesktopBatch, TheSetChosenInTheBatchDialogIsApplied) {
  document::Document& doc = Doc();
  const ArtId piece = cli::FindById(doc, "front-seam");
  ASSERT_TRUE(piece);
  const std::string resultLayer = cli::LayerTitleOf(doc, piece) + std::string(cli::kSeamLayerSuffix);
  ClickCanvas(kFrontEdgeMiddle);
  ASSERT_EQ(doc.SelectedPaths(), std::vector<ArtId>{piece});
  ChooseTool(QStringLiteral("tool:Quorvane"));
  ASSERT_EQ(Rows(kSetList), (std::vector<std::string>{"Plain", "Wide"}));

  // "Wide" chosen in the drop-down with the Down key, then OK.
  bool missed = false;
  std::vector<QString> offered;
  std::string failure;
  WhenModal(
      [&](QWidget* dialog) {
        auto* sets = qobject_cast<QComboBox*>(DialogControl(dialog, kDialogField));
        if (sets == nullptr) {
          failure = "the dialog has no drop-down list";
          QTest::keyClick(dialog, Qt::Key_Escape);
          return;
        }
        for (int i = 0; i < sets->count(); ++i) offered.push_back(sets->itemText(i));
        QTest::keyClick(sets, Qt::Key_Down);
        ClickDialogButton(dialog, kDialogOk);
      },
      &missed);
  ChooseFlyoutItem(QStringLiteral("Batch Application..."));
  ASSERT_FALSE(missed) << "no batch dialog";
  EXPECT_EQ(failure, "");
  EXPECT_EQ(offered, (std::vector<QString>{QStringLiteral("Plain"), QStringLiteral("Wide")}));
  EXPECT_EQ(prompts_, std::vector<std::string>{});

  // The wide set's margin around the piece; the panel still on "Plain".
  const ArtId result = OnlyClosedPath(doc, resultLayer);
  ASSERT_TRUE(result);
  EXPECT_NEAR(Field(Flat(doc, result))(kFrontEdgeMiddle), 15.0 * kPointsPerMm, kWidthTolerance);
  std::int32_t panelSet = -1;
  ASSERT_EQ(widgets_->Selection(panelWindow_, kSetList, &panelSet), kQvNoErr);
  EXPECT_EQ(panelSet, 0);
}

}  // namespace
}  // namespace workbench::app::testing
