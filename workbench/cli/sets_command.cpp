#include "workbench/cli/sets_command.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "workbench/cli/json_writer.h"

namespace workbench::cli {

namespace {

inline constexpr std::int32_t kPreviewCheckBox = 35;

struct RowLabel {
  std::optional<int> type;
  std::string_view english;
  std::string_view japanese;
};

// The names the panel gives each command code, and the basic seam margin's.
constexpr RowLabel kRowLabels[] = {
    {std::nullopt, "Basic seam-margin", "\u57FA\u672C\u7E2B\u4EE3"},
    {0, "Rev. forward", "\u53CD\u8EE2\u9806"},
    {1, "Rev. backward", "\u53CD\u8EE2\u9006"},
    {2, "90. forward", "90\u00B0\u9806"},
    {3, "90. backward", "90\u00B0\u9006"},
    {4, "45. backward", "45\u00B0\u9006"},
    {5, "Extended crossing", "\u5EF6\u9577\u4EA4\u53C9"},
    {6, "Extended one-side", "\u7247\u5074\u5EF6\u9577"},
    {7, "Lapel", "\u6298\u308A\u8FD4\u3057"},
    {8, "Cut off", "\u5207\u308A\u843D\u3057"},
    {9, "Opening", "\u30AB\u30F3\u30B3"},
    {10, "45. forward", "45\u00B0\u9806"},
};

// The panel pads its columns with blanks and ideographic spaces.
std::string_view SkipBlanks(std::string_view text) {
  static constexpr std::string_view kIdeographicSpace = "\u3000";
  while (!text.empty()) {
    if (text.front() == ' ') {
      text.remove_prefix(1);
    } else if (text.substr(0, kIdeographicSpace.size()) == kIdeographicSpace) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  return text;
}

std::optional<double> WholeNumber(std::string_view text) {
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

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

namespace {

// One row as fields; a row that cannot be taken apart keeps only its text.
void WriteRow(JsonWriter& w, const std::string& row, const std::string& unit) {
  const std::optional<RowFields> fields = ParseRow(row);
  w.BeginObject();
  if (fields) {
    w.Key("number");
    w.Int(fields->number);
    w.Key("type");
    w.NumberOrNull(fields->type);
    w.Key("typeName");
    w.String(fields->typeName);
    w.Key("points");
    w.BeginArray();
    for (const std::string& point : fields->points) w.String(point);
    w.EndArray();
    w.Key("width");
    w.NumberOrNull(fields->width);
    w.Key("unit");
    w.String(unit);
  }
  w.Key("text");
  w.String(row);
  w.EndObject();
}

}  // namespace

std::optional<RowFields> ParseRow(std::string_view row) {
  RowFields fields;
  const auto [afterNumber, ec] = std::from_chars(row.data(), row.data() + row.size(), fields.number);
  if (ec != std::errc()) return std::nullopt;
  std::string_view rest = SkipBlanks(row.substr(static_cast<std::size_t>(afterNumber - row.data())));
  const RowLabel* label = nullptr;
  std::size_t length = 0;
  for (const RowLabel& candidate : kRowLabels) {
    for (std::string_view name : {candidate.english, candidate.japanese}) {
      if (name.size() > length && rest.substr(0, name.size()) == name) {
        label = &candidate;
        length = name.size();
      }
    }
  }
  if (label == nullptr) return std::nullopt;
  fields.type = label->type;
  fields.typeName = label->english;
  // What follows the name: the points (none, one, or two joined by a comma)
  // and the width, which always has a decimal point.
  std::vector<std::string_view> words;
  for (rest = SkipBlanks(rest.substr(length)); !rest.empty(); rest = SkipBlanks(rest)) {
    const std::size_t end = std::min(rest.find(' '), rest.size());
    words.push_back(rest.substr(0, end));
    rest.remove_prefix(end);
  }
  if (!words.empty() && words.back().find('.') != std::string_view::npos) {
    fields.width = WholeNumber(words.back());
    if (!fields.width) return std::nullopt;
    words.pop_back();
  }
  if (words.size() > 1) return std::nullopt;
  for (std::size_t start = 0; !words.empty();) {
    const std::size_t comma = words[0].find(',', start);
    fields.points.emplace_back(words[0].substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

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
  const std::string unit = session->UnitName();
  if (json) {
    JsonWriter w;
    w.BeginObject();
    w.Key("unit");
    w.String(unit);
    w.Key("sets");
    w.BeginArray();
    for (const ListedSet& set : *sets) {
      w.BeginObject();
      w.Key("name");
      w.String(set.name);
      w.Key("rows");
      w.BeginArray();
      for (const std::string& row : set.rows) WriteRow(w, row, unit);
      w.EndArray();
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    out << w.Text() << "\n";
    return 0;
  }
  out << "widths in " << unit << ", the unit of the settings\n";
  for (const ListedSet& set : *sets) {
    out << set.name << "\n";
    for (const std::string& row : set.rows) out << "  " << row << "\n";
  }
  return 0;
}

}  // namespace workbench::cli
