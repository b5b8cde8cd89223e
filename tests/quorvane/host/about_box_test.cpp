// The About box in the workbench host with its headless toolkit: the
// version line it shows and how it ends.
#include "quorvane/host/about_box.h"

#include <gtest/gtest.h>

#include "support/bound_host.h"
#include "workbench/ui/dialog_script.h"

namespace quorvane::host {
namespace {

using workbench::ui::DialogAnswer;
using workbench::ui::DialogStep;

TEST(AboutBox, ShowsProductAndVersionUntilClosed) {
  quorvane::testing::BoundHost bound;
  HostUi ui(bound.Suites().ui);
  PluginGlobals globals;
  bound.Ui().AddDialogAnswer(DialogAnswer{kAboutDialog, {DialogStep{DialogStep::Kind::kClick, kAboutOk, "", -1}}});
  ASSERT_EQ(ShowAboutBox(globals, ui), kQvNoErr);
  ASSERT_EQ(bound.Ui().ShownDialogs().size(), 1u);
  const workbench::ui::ShownDialog& shown = bound.Ui().ShownDialogs().back();
  EXPECT_EQ(shown.Text(kAboutVersionLine), "Quorvane Ver 5.2.6.0");
  EXPECT_EQ(shown.title, "About Quorvane");
  EXPECT_EQ(shown.result, kAboutOk);

  // Nobody to answer it: the host's error comes back, nothing is left queued.
  EXPECT_EQ(ShowAboutBox(globals, ui), kQvErrNoAnswer);
  EXPECT_EQ(bound.Ui().ShownDialogs().back().Text(kAboutVersionLine), "Quorvane Ver 5.2.6.0");
}

}  // namespace
}  // namespace quorvane::host
