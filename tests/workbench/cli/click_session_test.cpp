// A user's whole session with the real module, clicked through its panel
// and its tool in the headless toolkit, against `quorvane apply` run with
// the set that session saved: both must draw the same seam allowance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli_test_support.h"
#include "quorvane/panel/panel_controls.h"
#include "sdk/errors.h"
#include "sdk/messages.h"
#include "workbench/cli/module_session.h"
#include "workbench/cli/pieces.h"
#include "workbench/geometry/bezier.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"
#include "workbench/svg/svg_io.h"
#include "workbench/ui/dialog_script.h"
#include "workbench/ui/headless_toolkit.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;
using document::ArtId;
using document::Document;
using geometry::PathSegment;
using geometry::Point;

// The panel's controls as the user meets them.
using namespace quorvane::panel;
// Command-type buttons: 15 + the type's code.
constexpr std::int32_t kRevForwardButton = kFirstTypeButton + 0;
constexpr std::int32_t kRightAngleBackwardButton = kFirstTypeButton + 3;
constexpr std::int32_t kCutOffButton = kFirstTypeButton + 8;
constexpr std::int32_t kOpeningButton = kFirstTypeButton + 9;

constexpr const char* kSetName = "Clicked front";
constexpr double kBasicWidthMm = 10.0;
constexpr double kCutOffWidthMm = 5.0;
constexpr double kOpeningWidthMm = 15.0;
// The sample bodice runs clockwise from the foot of its V neck: anchor 4 is
// the shoulder tip; its last segment is the straight front edge, from the
// foot of the front edge (the last anchor) up to anchor 1; the curved hem
// ends there and starts at the foot of the side seam, two anchors earlier.
// Commands are placed by these roles, counted from either end of the path.
// The opening runs from the middle of the front edge around the corner at
// anchor 1 to anchor 2, so that its two ends lie on different edges of the
// seam margin.
constexpr std::size_t kRightAngleAnchor = 4;
constexpr std::size_t kOpeningEndAnchor = 2;
// A parameter the list file's six decimals keep exactly.
constexpr double kOpeningParameter = 0.5;

constexpr double kSameGeometry = 1e-6;  // points
constexpr double kWidthTolerance = 0.05;  // points, on straight edges
// Each command's generator fits curves through the reshaped margin within
// one point, so along curves the margin may come that much nearer.
constexpr double kCurveFitTolerance = 1.0;  // points

// A row of the panel's command list: number, label, points, width.
std::string Row(int number, const char* label, const std::string& points, const std::string& width) {
  char row[96];
  std::snprintf(row, sizeof row, "%-3d%-19s%-7s%s", number, label, points.c_str(), width.c_str());
  return row;
}

// The only art on the layer titled `title` when that is a closed path;
// otherwise none, and the test fails.
ArtId OnlyResult(const Document& doc, const std::string& title) {
  const std::vector<ArtId> art = ArtOnLayer(doc, title);
  const std::vector<ArtId> closed = ClosedPathsOnLayer(doc, title);
  EXPECT_EQ(art.size(), 1u) << "art on " << title;
  EXPECT_EQ(closed.size(), art.size()) << "closed paths on " << title;
  return art.size() == 1 && closed.size() == 1 ? closed[0] : ArtId{};
}

// The set's block of the list file as text: from "#NAME" to the next set.
std::string SetBlock(const std::string& listFile, const std::string& name) {
  std::string text;
  for (char c : listFile) {
    if (c != '\r') text += c;
  }
  const std::size_t start = text.find("#" + name + "\n");
  if (start == std::string::npos) return {};
  const std::size_t end = text.find("\n#", start + 1);
  return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

// One host with the real module, a fresh preferences folder and the bodice,
// driven only as the user drives it. Every prompt nobody scripted and every
// refused or failed user action fails the test with its text.
class ClickedSession {
 public:
  ClickedSession(const fs::path& prefs, Document doc) : doc_(std::move(doc)), host_(plugin::HostOptions{prefs}) {
    host_.SetDocument(&doc_);
  }
  ~ClickedSession() { Close(); }

  void Start() {
    std::string error;
    module_ = plugin::PluginModule::Load(host_, QUORVANE_BUILD_DIR "/plugins/quorvane.so", &error);
    ASSERT_NE(module_, nullptr) << error;
    ASSERT_EQ(module_->Startup(), kQvNoErr) << host_.Prompts().LastFailure();
    started_ = true;
  }
  // Shutdown writes the settings, then the module is unloaded.
  void Close() {
    if (module_ && started_) {
      EXPECT_EQ(module_->Shutdown(), kQvNoErr);
    }
    started_ = false;
    module_.reset();
  }

  Document& Doc() { return doc_; }
  plugin::Host& Host() { return host_; }
  ui::HeadlessToolkit& Ui() { return *host_.HeadlessUi(); }
  QvWindowHandle Window() {
    const std::optional<ui::PanelInfo> panel = Ui().FindPanel(kPanelId);
    return panel ? panel->window : nullptr;
  }

  void Click(std::int32_t control) { Check(Ui().Click(Window(), control), "click", control); }
  void Type(std::int32_t control, const std::string& text) {
    Check(Ui().TypeText(Window(), control, text), "typing into", control);
  }
  void MouseDown(Point at) {
    EXPECT_EQ(host_.SendToolEvent(kQvSelectorMouseDown, QvRealPoint{at.x, at.y}), kQvNoErr)
        << "mouse down at " << at.x << "," << at.y;
    Settle("mouse down");
  }
  // What the host reported since the last look: unanswered prompts,
  // dialogs that failed, toolkit errors.
  void Settle(const std::string& what) {
    const auto& prompts = host_.Prompts().Shown();
    for (; prompts_ < prompts.size(); ++prompts_) {
      EXPECT_TRUE(prompts[prompts_].answered) << what << ": unscripted " << plugin::PromptKindName(prompts[prompts_].kind)
                                              << " \"" << prompts[prompts_].text << "\"";
    }
    const auto& dialogs = Ui().ShownDialogs();
    for (; dialogs_ < dialogs.size(); ++dialogs_) {
      EXPECT_EQ(dialogs[dialogs_].failure, "") << what << ": dialog " << dialogs[dialogs_].resourceId;
    }
    const auto& errors = Ui().ReportedErrors();
    for (; errors_ < errors.size(); ++errors_) ADD_FAILURE() << what << ": toolkit error " << errors[errors_];
  }
  std::size_t PromptsShown() { return host_.Prompts().Shown().size(); }

 private:
  void Check(const ui::ActionOutcome& outcome, const char* action, std::int32_t control) {
    const std::string what = std::string(action) + " control " + std::to_string(control);
    EXPECT_TRUE(outcome.delivered) << what << " refused: " << outcome.refusal;
    EXPECT_EQ(outcome.result, kQvNoErr) << what;
    Settle(what);
  }

  Document doc_;
  plugin::Host host_;
  std::unique_ptr<plugin::PluginModule> module_;
  bool started_ = false;
  std::size_t prompts_ = 0, dialogs_ = 0, errors_ = 0;
};

void ExpectSameSegments(const std::vector<PathSegment>& clicked, const std::vector<PathSegment>& program) {
  ASSERT_EQ(clicked.size(), program.size()) << "segment count";
  for (std::size_t i = 0; i < clicked.size(); ++i) {
    EXPECT_LE(geometry::Distance(clicked[i].anchor, program[i].anchor), kSameGeometry) << "anchor " << i;
    EXPECT_LE(geometry::Distance(clicked[i].in, program[i].in), kSameGeometry) << "in-handle " << i;
    EXPECT_LE(geometry::Distance(clicked[i].out, program[i].out), kSameGeometry) << "out-handle " << i;
  }
}

TEST(ClickSession, SetBuiltByClicksAppliesAsTheProgramAppliesItsSavedCopy) {
  TempDir dir;
  const fs::path prefs = dir / "prefs";
  const fs::path input = Samples() / "front-bodice.svg";
  auto read = svg::ReadSvgFile(input);
  ASSERT_TRUE(read) << read.error().ToString();
  ClickedSession session(prefs, std::move(read.value()));
  Document& doc = session.Doc();
  const ArtId piece = FindById(doc, "front-seam");
  ASSERT_TRUE(piece);
  const std::string layer = LayerTitleOf(doc, piece);
  const std::string resultLayer = layer + std::string(kSeamLayerSuffix);

  // The piece selected, the application started, the module's tool taken.
  ASSERT_TRUE(doc.SetSelected(piece, true));
  ASSERT_NO_FATAL_FAILURE(session.Start());
  ASSERT_EQ(session.Host().Notify(kQvApplicationStartedNotifier), kQvNoErr);
  ASSERT_NE(session.Window(), nullptr) << "no panel " << kPanelId;
  const QvToolHandle tool = session.Host().Tools().FindNamed(kToolName);
  ASSERT_NE(tool, nullptr);
  ASSERT_EQ(session.Host().SelectTool(tool), kQvNoErr);
  session.Settle("selecting the tool");
  ASSERT_TRUE(doc.FindLayerByTitle(kWorkLayerTitles[0]));

  // The source path runs clockwise (the panel turns it so when it does
  // not); anchor numbers count that way.
  const std::vector<PathSegment> finish = *doc.Segments(piece);
  const std::size_t n = finish.size();
  ASSERT_GE(n, 8u);
  const std::size_t revAnchor = n - 2, cutOffAnchor = n, openingSegment = n;
  ASSERT_EQ(finish[n - 1].out, finish[n - 1].anchor) << "the front edge is straight";
  ASSERT_EQ(finish[0].in, finish[0].anchor) << "the front edge is straight";
  ASSERT_GT(doc.SignedArea(piece).value_or(0.0), 0.0);
  auto anchor = [&](std::size_t number) { return finish.at((number - 1) % finish.size()).anchor; };

  // A new set, named in the dialog.
  session.Ui().AddDialogAnswer(*ui::ParseDialogAnswer(std::string("16258:text 5=") + kSetName + ";ok"));
  session.Click(kNewSetButton);
  EXPECT_EQ(session.Ui().PendingDialogAnswers(), 0u);
  ASSERT_EQ(session.Ui().FindControl(session.Window(), kSetListControl)->items, std::vector<std::string>{kSetName});

  session.Type(kBasicWidthField, "10");
  session.Click(kCreateButton);

  // Rev. forward at the foot of the side seam, 90. backward at the shoulder
  // tip.
  session.Click(kRevForwardButton);
  session.Click(kAddButton);
  session.MouseDown(anchor(revAnchor));
  session.Click(kRightAngleBackwardButton);
  session.Click(kAddButton);
  session.MouseDown(anchor(kRightAngleAnchor));
  // Cut off at the foot of the front edge, then its width.
  session.Click(kCutOffButton);
  session.Click(kAddButton);
  session.MouseDown(anchor(cutOffAnchor));
  session.Type(kCommandWidthField, "5");
  session.Click(kUpdateWidthButton);
  // Opening from the middle of the front edge up into the neckline.
  const geometry::CubicBezier frontEdge = geometry::CurveAt(finish, openingSegment - 1);
  session.Click(kOpeningButton);
  session.Click(kAddButton);
  session.MouseDown(frontEdge.At(kOpeningParameter));
  session.MouseDown(anchor(kOpeningEndAnchor));
  session.Type(kCommandWidthField, "15");
  session.Click(kUpdateWidthButton);

  const std::string rev = std::to_string(revAnchor), cut = std::to_string(cutOffAnchor);
  const std::string right = std::to_string(kRightAngleAnchor), end = std::to_string(kOpeningEndAnchor);
  EXPECT_EQ(session.Ui().FindControl(session.Window(), kCommandListControl)->items,
            (std::vector<std::string>{Row(1, "Basic seam-margin", "", "10.0"), Row(2, "Rev. forward", rev, ""),
                                      Row(3, "90. backward", right, ""), Row(4, "Cut off", cut, "5.0"),
                                      Row(5, "Opening", "a," + end, "15.0")}));

  // The preview on the second work layer.
  session.Click(kPreviewCheckBox);
  EXPECT_EQ(ClosedPathsOnLayer(doc, kWorkLayerTitles[1]).size(), 1u) << "preview";

  // Saved: the list file holds the set as it was clicked.
  session.Click(kSaveButton);
  EXPECT_EQ(SetBlock(Slurp(prefs / "Trevask-list.txt"), kSetName),
            std::string("#") + kSetName + "\n10.000000\n%LinePoint-Num,t,index\n" + std::to_string(openingSegment) +
                ",0.500000,0\n*Commands-type,point,haba,num\n0," + rev + ",,0.000000,1\n3," + right +
                ",,0.000000,1\n8," + cut + ",,5.000000,1\n9,a," + end + ",15.000000,2\n");

  // Applied: the result on its own layer and the work layers gone.
  const std::size_t promptsBeforeApply = session.PromptsShown();
  session.Click(kApplyButton);
  EXPECT_EQ(session.PromptsShown(), promptsBeforeApply) << "the saved set needs no saving on Apply";
  for (std::string_view work : kWorkLayerTitles) EXPECT_FALSE(doc.FindLayerByTitle(work)) << work;
  const ArtId clicked = OnlyResult(doc, resultLayer);
  ASSERT_TRUE(clicked);
  session.Close();
  session.Settle("shutdown");
  EXPECT_EQ(session.Host().Prompts().RemainingScript(), 0u);

  // The program applies the saved set to the same file.
  const fs::path output = dir / "program.svg";
  const Ran ran = RunQuorvane({"apply", input.string(), "--set", kSetName, "--prefs", prefs.string(), "-o",
                               output.string()});
  ASSERT_EQ(ran.status, 0) << ran.out << ran.err;
  auto written = svg::ReadSvgFile(output);
  ASSERT_TRUE(written) << written.error().ToString();
  const ArtId program = OnlyResult(written.value(), resultLayer);
  ASSERT_TRUE(program);
  ExpectSameSegments(*doc.Segments(clicked), *written.value().Segments(program));

  // The allowance itself: around every anchor, at least the basic width
  // from the finish line, except near the cut-off corner where it keeps the
  // cut-off width.
  const std::vector<Point> around = Flat(doc, clicked);
  for (const PathSegment& s : finish) EXPECT_TRUE(Inside(around, s.anchor)) << s.anchor.x << "," << s.anchor.y;
  const double basic = kBasicWidthMm * kPointsPerMm;
  const double cutOff = kCutOffWidthMm * kPointsPerMm;
  double nearestAtCutOff = INFINITY;
  for (Point p : Flat(doc, piece)) {
    const double distance = DistanceTo(around, p);
    if (geometry::Distance(p, anchor(cutOffAnchor)) < 2.0 * basic) {
      nearestAtCutOff = std::min(nearestAtCutOff, distance);
    } else {
      EXPECT_GE(distance, basic - kCurveFitTolerance) << p.x << "," << p.y;
    }
  }
  EXPECT_GE(nearestAtCutOff, cutOff - kCurveFitTolerance);
  EXPECT_LT(nearestAtCutOff, basic - 1.0) << "the cut-off notch narrows the allowance";
  // The notch's inner corner: where both edges at the corner, offset
  // outward by the cut-off width, meet. The generator takes the edges'
  // directions from the flattened curve, hence the fit's tolerance.
  const PathSegment& corner = finish.at(cutOffAnchor - 1);
  const Point before = corner.anchor - (corner.in != corner.anchor ? corner.in : anchor(cutOffAnchor - 1));
  const Point after = (corner.out != corner.anchor ? corner.out : anchor(cutOffAnchor + 1)) - corner.anchor;
  auto outward = [](Point d) { return Point{-d.y, d.x} * (1.0 / std::hypot(d.x, d.y)); };
  const Point shift = (outward(after) - outward(before)) * cutOff;
  const Point notch = corner.anchor + outward(before) * cutOff + before * (geometry::Cross(shift, after) /
                                                                    geometry::Cross(before, after));
  EXPECT_LT(DistanceTo(around, notch), kCurveFitTolerance) << notch.x << "," << notch.y;
  // The opening: the upper front edge keeps the wider allowance exactly,
  // the neckline within the fit.
  const double opening = kOpeningWidthMm * kPointsPerMm;
  EXPECT_NEAR(DistanceTo(around, frontEdge.At(0.8)), opening, kWidthTolerance);
  EXPECT_NEAR(DistanceTo(around, geometry::CurveAt(finish, 0).At(0.5)), opening, kCurveFitTolerance);
}

}  // namespace
}  // namespace workbench::cli::testing
