// A real workbench host over a fresh document and preferences folder, with
// the module's HostDocument bound to it through suites acquired by name,
// as the module acquires them. Tests of the module's document work use it
// instead of fakes.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quorvane/facade/host_document.h"
#include "quorvane/facade/host_suites.h"
#include "workbench/document/document.h"
#include "workbench/geometry/path_data.h"
#include "workbench/plugin/host.h"
#include "workbench/ui/headless_toolkit.h"

namespace quorvane::testing {

/// Every document suite of the host, acquired through `basic`; none when
/// the host lacks one, whose name then goes to `missing`. Tests and
/// benchmarks bind HostDocument to a workbench host with it.
std::optional<host::HostSuites> AcquireDocumentSuites(const QvBasicSuite* basic, std::string* missing = nullptr);

/// A closed rectangle's corners, clockwise with y up (positive area), from
/// its lower left corner (x, y).
std::vector<host::PathSegment> Rectangle(double x, double y, double w, double h);

/// The closed path through `segments`, as the workbench's geometry reads it.
workbench::geometry::PathData ToPathData(const std::vector<host::PathSegment>& segments);

class BoundHost {
 public:
  BoundHost();
  ~BoundHost();
  BoundHost(const BoundHost&) = delete;
  BoundHost& operator=(const BoundHost&) = delete;

  host::HostDocument& Doc() { return *hostDocument_; }
  workbench::plugin::Host& Host() { return host_; }
  workbench::document::Document& Document() { return *document_; }
  /// The document suites and the UI suite.
  const host::HostSuites& Suites() const { return suites_; }
  /// The host's toolkit, for scripting dialogs and simulating the user.
  workbench::ui::HeadlessToolkit& Ui() { return *host_.HeadlessUi(); }
  /// The host's preferences folder, removed with the host.
  const std::filesystem::path& Prefs() const { return prefs_; }

 private:
  std::filesystem::path prefs_;
  std::unique_ptr<workbench::document::Document> document_;
  workbench::plugin::Host host_;
  host::HostSuites suites_;
  std::unique_ptr<host::HostDocument> hostDocument_;
};

}  // namespace quorvane::testing
