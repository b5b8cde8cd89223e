#include "workbench/cli/sets_command.h"

#include <ostream>

#include "workbench/cli/json_writer.h"

namespace workbench::cli {

namespace {

inline constexpr std::int32_t kPreviewCheckBox = 35;

// A document with one closed square, for the panel to take as its source.
document::Document ScratchDocument(document::ArtId* square) {
  document::Document doc;
  using geometry::PathSegment;
  *square = doc.NewPath(doc.LayerGroup(doc.CurrentLayer()),
                        {PathSegment::Corner({100, 100}), PathSegment::Corner({100, 300}),
                         PathSegment::Corner({300, 300}), PathSegment::Corner({300, 100})},
                        true);
  return doc;
}

bool Report(const CommandRun& run, const std::string& what, std::ostream& err) {
  if (run.played) return true;
  err << "quorvane sets: " << what << ": " << run.failure << "\n";
  return false;
}

}  // namespace

std::optional<std::vector<ListedSet>> ReadSetsThroughPanel(ModuleSession& session, std::ostream& err) {
  const std::vector<std::string> names = session.PanelListItems(kSetListControl);
  std::vector<ListedSet> sets;
  if (names.empty()) return sets;
  document::ArtId scratch;
  for (document::ArtId path : session.Doc().SelectedPaths()) {
    if (session.Doc().IsClosed(path).value_or(false)) scratch = path;
  }
  if (!scratch) {
    err << "quorvane sets: no closed path for the panel to work on\n";
    return std::nullopt;
  }
  if (!Report(session.SelectOnly(scratch), "selecting the scratch path", err)) return std::nullopt;
  if (!Report(session.UseModuleTool(true), "selecting the module's tool", err)) return std::nullopt;
  // Each set chosen runs a preview on the scratch path; without the preview
  // the rows are the same and no command complains about a square.
  const std::optional<ui::PanelInfo> panel = session.Ui().FindPanel(kPanelId);
  if (panel) {
    const std::optional<ui::ControlState> preview = session.Ui().FindControl(panel->window, kPreviewCheckBox);
    if (preview && preview->checked && preview->enabled) session.Ui().Click(panel->window, kPreviewCheckBox);
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!Report(session.SelectPanelRow(kSetListControl, static_cast<std::int32_t>(i)), "choosing \"" + names[i] + "\"",
                err)) {
      return std::nullopt;
    }
    sets.push_back({names[i], session.PanelListItems(kCommandListControl)});
  }
  return sets;
}

int RunSets(const SessionOptions& options, bool json, std::ostream& out, std::ostream& err) {
  document::ArtId square;
  document::Document doc = ScratchDocument(&square);
  doc.SetSelected(square, true);
  std::string error;
  auto session = ModuleSession::Open(options, std::move(doc), err, &error);
  if (!session) {
    err << "quorvane sets: " << error << "\n";
    return 2;
  }
  std::optional<std::vector<ListedSet>> sets = ReadSetsThroughPanel(*session, err);
  if (!sets) return 2;
  if (json) {
    JsonWriter w;
    w.BeginObject();
    w.Key("sets");
    w.BeginArray();
    for (const ListedSet& set : *sets) {
      w.BeginObject();
      w.Key("name");
      w.String(set.name);
      w.Key("rows");
      w.BeginArray();
      for (const std::string& row : set.rows) w.String(row);
      w.EndArray();
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    out << w.Text() << "\n";
    return 0;
  }
  for (const ListedSet& set : *sets) {
    out << set.name << "\n";
    for (const std::string& row : set.rows) out << "  " << row << "\n";
  }
  return 0;
}

}  // namespace workbench::cli
