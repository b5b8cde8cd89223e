#include "fuzz_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "quorvane/commands/list_file.h"
#include "quorvane/commands/set_tags.h"
#include "quorvane/generation/run_state.h"
#include "quorvane/settings/settings_text.h"
#include "quorvane/text/cp932.h"
#include "support/bound_host.h"
#include "support/module_run_check.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::fuzz {
namespace {

using commands::CCommandSet;
using commands::CCommandSetList;
using commands::Command;
using commands::CommandType;
using commands::Diagnostic;

int SavableCount(const CCommandSetList& list) {
  int count = 0;
  for (const CCommandSet& set : list.Sets()) count += set.IsArtHeld() ? 0 : 1;
  return count;
}

// A text cut after a lead byte (at the field limit or the end of the file)
// takes the next byte written after it as its trail byte when read again.
bool EndsInLeadByte(const std::string& text) {
  const std::optional<std::string> bytes = quorvane::text::Utf8ToCp932(text);
  if (!bytes) return false;
  std::size_t at = 0;
  while (at < bytes->size()) {
    const bool lead = commands::IsCp932LeadByte(static_cast<unsigned char>((*bytes)[at]));
    if (lead && at + 1 == bytes->size()) return true;
    at += lead ? 2 : 1;
  }
  return false;
}

bool HasCutText(const CCommandSetList& list) {
  for (const CCommandSet& set : list.Sets()) {
    if (EndsInLeadByte(set.GetName())) return true;
    for (const Command& c : set.GetCommands()) {
      if (EndsInLeadByte(c.point[0]) || EndsInLeadByte(c.point[1])) return true;
    }
  }
  return false;
}

bool NumsInRange(const CCommandSet& set) {
  return std::all_of(set.GetCommands().begin(), set.GetCommands().end(),
                     [](const Command& c) { return c.num >= 0 && c.num <= 2; });
}

// Saving writes control characters in names as '?', unless it writes the
// element's start tag as the file spelled it (then the name reads back as
// it was).
bool SameName(const std::string& before, const std::string& after) {
  if (after == before) return true;
  std::string written = before;
  for (char& c : written) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') c = '?';
  }
  return after == written;
}

bool Near(double a, double b) { return std::abs(a - b) <= 1e-6 * (1.0 + std::abs(a) + std::abs(b)); }

bool SamePoints(const workbench::geometry::PathSegment& s, const workbench::geometry::PathSegment& t) {
  for (const auto& [p, q] : {std::pair{s.anchor, t.anchor}, std::pair{s.in, t.in}, std::pair{s.out, t.out}}) {
    if (!Near(p.x, q.x) || !Near(p.y, q.y)) return false;
  }
  return true;
}

// The differences a save and a reading back made; empty when none.
std::string Compare(const workbench::document::Document& a, const workbench::document::Document& b) {
  if (a.LayerCount() != b.LayerCount()) {
    return "layers " + std::to_string(a.LayerCount()) + " became " + std::to_string(b.LayerCount());
  }
  for (std::size_t i = 0; i < a.LayerCount(); ++i) {
    const auto la = a.LayerAt(i), lb = b.LayerAt(i);
    if (!SameName(a.FindLayer(la)->title, b.FindLayer(lb)->title)) return "layer " + std::to_string(i) + "'s title";
    const auto artA = a.AllArtOfLayer(la), artB = b.AllArtOfLayer(lb);
    if (artA.size() != artB.size()) return "the art count of layer " + std::to_string(i);
    for (std::size_t k = 0; k < artA.size(); ++k) {
      const auto& x = *a.FindArt(artA[k]);
      const auto& y = *b.FindArt(artB[k]);
      const bool samePath = x.closed == y.closed && x.segments.size() == y.segments.size() &&
                            std::equal(x.segments.begin(), x.segments.end(), y.segments.begin(), SamePoints);
      if (x.type != y.type || x.tags != y.tags || !SameName(x.name, y.name) || !samePath) {
        return "art " + std::to_string(k) + " of layer " + std::to_string(i) + ": its type, tags, name or path";
      }
    }
  }
  return {};
}

// Bytes read one at a time, zero once they run out.
class ByteSource {
 public:
  explicit ByteSource(std::string_view bytes) : bytes_(bytes) {}
  unsigned Next() { return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_++]) : 0u; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// A width as a user would type one (`offset` + b % `range` millimetres), or
// from a byte of 250 up one far beyond what any document can hold.
float Width(unsigned b, unsigned range, unsigned offset) {
  constexpr float kBeyond[] = {1e30f, 1e7f, 16344.0f, 3.4e38f, 1e5f, 6000.0f};
  if (b >= 250) return kBeyond[b - 250];
  return static_cast<float>(offset + b % range);
}

host::PathSegment Corner(double x, double y) {
  host::PathSegment s{};
  s.p = s.in = s.out = QvRealPoint{x, y};
  s.corner = 1;
  return s;
}

}  // namespace

std::string CheckListFile(std::string_view bytes) {
  const commands::CRecordset records = commands::CReadCSV::Read(bytes);
  for (int r = 0; r < records.GetRecordCount(); ++r) {
    const commands::CRecord& record = records.GetRecord(r);
    if (record.GetFieldCount() < 1) return "a record without fields";
    for (int f = 0; f < record.GetFieldCount(); ++f) {
      if (record.GetField(f).size() > commands::CReadCSV::kMaxFieldBytes) return "a field beyond the limit";
    }
  }
  CCommandSetList list;
  std::vector<Diagnostic> problems;
  LoadListRecords(records, "fuzz", list, problems);
  for (const CCommandSet& set : list.Sets()) {
    if (!NumsInRange(set)) return "a command's point count outside 0..2";
  }
  std::string text;
  if (ListFileText(list, text)) return {};  // refused: a name with a line break
  if (HasCutText(list)) return {};
  CCommandSetList again;
  LoadListRecords(commands::CReadCSV::Read(text), "fuzz", again, problems);
  if (again.GetSetCount() != SavableCount(list)) return "the saved list reads back with another set count";
  std::string textAgain;
  if (ListFileText(again, textAgain) || textAgain != text) {
    return "the saved list saves again differently:\n" + text + "\n--- then ---\n" + textAgain;
  }
  return {};
}

std::string CheckTagText(std::string_view text) {
  std::map<std::string, std::string> tags;
  int n = 0;
  for (std::string& piece : commands::SplitSetTagText(text)) tags[commands::SetTagName(++n)] = std::move(piece);
  const std::optional<std::string> joined = commands::JoinSetTagText([&](const std::string& name) {
    const auto it = tags.find(name);
    return it == tags.end() ? std::nullopt : std::optional<std::string>(it->second);
  });
  const std::size_t readable = std::min(text.size(), commands::kMaxSetTags * commands::kTagPieceBytes);
  if (readable == 0 ? joined.has_value() : joined != text.substr(0, readable)) return "the tags join differently";

  CCommandSetList list;
  list.AddSet("kept");
  std::vector<Diagnostic> problems;
  const std::optional<int> index = commands::RefreshArtHeldSet(list, std::string(text), problems);
  if (index && (*index != 1 || !list.GetSet(1)->IsArtHeld())) return "the art-held set is not second";
  if (list.GetSetCount() != (index ? 2 : 1)) return "the list has another set count";
  if (!NumsInRange(*list.GetSet(list.GetSetCount() - 1))) return "a command's point count outside 0..2";
  return {};
}

std::string CheckSettings(std::string_view bytes) {
  using namespace settings;
  Settings s;
  ReadSettingsText(bytes, "fuzz", s);
  if (s.plateColorCount < 1 || s.plateColorCount > static_cast<std::int32_t>(kPlateColorSlots)) {
    return "the plate colour count outside its range";
  }
  if (s.seamAllowanceLineColor < 0 || s.seamAllowanceLineColor >= s.plateColorCount ||
      s.finishLineColor < 0 || s.finishLineColor >= s.plateColorCount) {
    return "a line colour outside the plate colours";
  }
  for (const PlateColor& color : s.plateColors) {
    // Every name keeps its terminator and is one the file can carry.
    if (std::memchr(color.name, '\0', sizeof color.name) == nullptr) return "a colour name without terminator";
    if (CheckPlateColorName(PlateColorName(color))) return "a colour name the file cannot carry";
  }
  // What loaded saves, and the saved file reads back and saves again to the
  // same bytes. (One round may still drop a trailing slot that has neither a
  // name nor a colour kind the file can write; the second round is stable.)
  std::string saved;
  if (SettingsText(s, saved)) return "the settings do not save";
  Settings again;
  ReadSettingsText(saved, "fuzz-saved", again);
  std::string savedAgain;
  if (SettingsText(again, savedAgain)) return "the saved settings do not save again";
  Settings third;
  const auto problems = ReadSettingsText(savedAgain, "fuzz-saved-again", third);
  if (!problems.empty()) return "the saved settings read with problems: " + problems.front().ToString() + "\n" + savedAgain;
  std::string savedThird;
  if (SettingsText(third, savedThird) || savedThird != savedAgain) return "the saved settings are not stable";
  return {};
}

std::string CheckSvg(std::string_view text) {
  auto read = workbench::svg::ReadSvgString(text, "fuzz.svg");
  if (!read) {
    if (read.error().line < 0 || read.error().message.empty()) return "an error without a line or a message";
    return {};
  }
  const std::string saved = workbench::svg::WriteSvgString(read.value());
  auto again = workbench::svg::ReadSvgString(saved, "saved.svg");
  if (!again) return "the saved document does not read back: " + again.error().ToString() + "\n" + saved;
  const std::string difference = Compare(read.value(), again.value());
  if (!difference.empty()) return "the saved document reads back different: " + difference + "\n" + saved;
  return {};
}

std::string CheckModuleRun(std::string_view bytes) {
  // The path: 3 to 10 corners around a centre, each at its own angle and
  // radius; clockwise with y up. A step of more than half a turn between
  // two corners can make it cross itself.
  ByteSource in(bytes);
  const int anchors = 3 + static_cast<int>(in.Next() % 8);
  std::vector<host::PathSegment> segments;
  std::vector<double> steps;
  double total = 0.0;
  for (int i = 0; i < anchors; ++i) total += steps.emplace_back(1.0 + in.Next());
  double angle = 0.0;
  for (int i = 0; i < anchors; ++i) {
    const double radius = 10.0 + 2.0 * in.Next();  // points
    segments.push_back(Corner(300.0 + radius * std::cos(angle), 300.0 - radius * std::sin(angle)));
    angle += 2.0 * 3.14159265358979323846 * steps[static_cast<std::size_t>(i)] / total;
  }

  // The set: a basic width and up to five commands of any kind, their
  // points anchors or line points, their widths when they carry one (now
  // and then a huge one, which must fail fast as its command).
  CCommandSet set("fuzz");
  set.SetBasicWidth(Width(in.Next(), 40, 0));
  const int commandCount = static_cast<int>(in.Next() % 6);
  for (int c = 0; c < commandCount; ++c) {
    const auto type = static_cast<CommandType>(in.Next() % commands::kCommandTypeCount);
    const int i = set.AddCommand(type) - 1;
    for (int slot = 0; slot < commands::CommandTypePointCount(type); ++slot) {
      const unsigned b = in.Next();
      if (b & 0x80) {
        const char label = set.AddLinePoint(1 + static_cast<int>(b % static_cast<unsigned>(anchors)),
                                            static_cast<float>(in.Next() % 101) / 100.0f);
        if (label != 0) set.SetCommandPoint(i, slot, std::string(1, label));
      } else {
        set.SetCommandPoint(i, slot, std::to_string(1 + static_cast<int>(b % static_cast<unsigned>(anchors))));
      }
    }
    if (commands::CommandTypeHasWidth(type)) set.SetCommandWidth(i, Width(in.Next(), 60, 1));
  }

  testing::BoundHost bound;
  generation::RunState state;
  state.pointsPerUnit = generation::kPointsPerMillimetre;
  auto path = bound.Doc().NewPath(host::PaintOrder::kAbove, {});
  if (!path || bound.Doc().SetSegments(*path, segments) != kQvNoErr || bound.Doc().SetClosed(*path, true) != kQvNoErr) {
    return "the host did not make the source path";
  }
  if (*bound.Doc().SignedArea(*path) < 0) bound.Doc().Reverse(*path);
  // The pieces here are slivers and spikes, on which a command's
  // construction, and the clean-up that keeps the piece of most segments
  // when the margin falls apart, can leave a result holding little of the
  // finish line, as built. The sweep asks real pieces to be held; here a
  // run must finish with one closed outline or fail with its message.
  const testing::RunOutcome outcome =
      testing::RunAndCheck(bound.Doc(), bound.Host(), state, *path, set, testing::Holding::kMeasuredOnly);
  return outcome.problem;
}

Check CheckByName(std::string_view target) {
  if (target == "list_file_reader") return CheckListFile;
  if (target == "tag_text") return CheckTagText;
  if (target == "settings_reader") return CheckSettings;
  if (target == "svg_reader") return CheckSvg;
  if (target == "module_run") return CheckModuleRun;
  return nullptr;
}

}  // namespace quorvane::fuzz
