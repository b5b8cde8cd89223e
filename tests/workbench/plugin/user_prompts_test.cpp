#include "workbench/plugin/user_prompts.h"

#include <gtest/gtest.h>

#include "sdk/errors.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {
namespace {

// (Scripted answers taken in order are the module tests' daily bread.)
TEST(UserPrompts, UnscriptedOrUnexpectedPromptFailsWithItsText) {
  Host host;
  const QvUserSuite& user = UserSuiteImpl();
  EXPECT_EQ(user.ErrorAlert("Error=50415241, ARAP"), kQvErrNoAnswer);
  EXPECT_NE(host.Prompts().LastFailure().find("Error=50415241, ARAP"), std::string::npos);
  ASSERT_EQ(host.Prompts().Shown().size(), 1u);
  EXPECT_FALSE(host.Prompts().Shown()[0].answered);

  host.Prompts().Script({PromptKind::kAlert, "Another text"});
  EXPECT_EQ(user.MessageAlert("Could not generate basic seam-margin."), kQvErrNoAnswer);
  EXPECT_NE(host.Prompts().LastFailure().find("Could not generate basic seam-margin."), std::string::npos);
  // A question is never answered by an alert's "ok".
  QvBool yes = 0;
  EXPECT_EQ(user.YesNoAlert("Another text", &yes), kQvErrNoAnswer);
  EXPECT_EQ(host.Prompts().RemainingScript(), 1u);
}

}  // namespace
}  // namespace workbench::plugin
