#include <gtest/gtest.h>

#include "sdk/errors.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {
namespace {

constexpr QvActionKey kSize = QV_FOURCC('s', 'i', 'z', 'e');

// (Values set and read back are the module's offset and pathfinder runs.)
TEST(ActionManager, AValueOfAnotherKindOrADeletedBlockIsRefused) {
  Host host;
  const QvActionManagerSuite& am = ActionManagerSuiteImpl();
  QvActionParamValueRef params = nullptr;
  ASSERT_EQ(am.NewActionParamValue(&params), kQvNoErr);
  ASSERT_EQ(am.SetReal(params, kQvMiterLimitKey, 4.0), kQvNoErr);
  QvActionKey unit = 0;
  double value = 0.0;
  EXPECT_EQ(am.GetUnitReal(params, kQvMiterLimitKey, &unit, &value), kQvErrNoSuchKey);
  EXPECT_EQ(am.GetReal(params, kQvJoinTypeKey, &value), kQvErrNoSuchKey);
  EXPECT_EQ(am.DeleteActionParamValue(params), kQvNoErr);
  EXPECT_EQ(am.SetReal(params, kQvMiterLimitKey, 1.0), kQvErrBadParameter) << "block used after delete";
}

class ModuleAction : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.SetDocument(&doc_);
    std::string error;
    module_ = PluginModule::Load(host_, QUORVANE_TEST_MODULE, &error);
    ASSERT_NE(module_, nullptr) << error;
    ASSERT_EQ(module_->Startup(), kQvNoErr);
  }
  void TearDown() override {
    if (module_) {
      EXPECT_EQ(module_->Shutdown(), kQvNoErr);
    }
  }

  document::Document doc_;
  Host host_;
  std::unique_ptr<PluginModule> module_;
};

TEST_F(ModuleAction, PlayingAModuleEventRunsItAsOneUndoableStep) {
  const QvActionManagerSuite& am = ActionManagerSuiteImpl();
  QvActionParamValueRef params = nullptr;
  ASSERT_EQ(am.NewActionParamValue(&params), kQvNoErr);
  ASSERT_EQ(am.SetReal(params, kSize, 50.0), kQvNoErr);
  ASSERT_EQ(am.PlayActionEvent("QvTest_DRAW", kQvDialogOff, params), kQvNoErr);
  am.DeleteActionParamValue(params);

  auto art = doc_.AllArtOfLayer(doc_.CurrentLayer());
  ASSERT_EQ(art.size(), 1u);
  ASSERT_NE(doc_.Segments(art[0]), nullptr);
  EXPECT_EQ(doc_.Segments(art[0])->size(), 3u);
  EXPECT_EQ(doc_.IsClosed(art[0]), true);
  EXPECT_DOUBLE_EQ(doc_.Segments(art[0])->at(1).anchor.x, 50.0);
  EXPECT_FALSE(doc_.HasPendingChanges());
  EXPECT_EQ(doc_.UndoText(), "Undo Draw");
  EXPECT_EQ(host_.Suites().TotalAcquired(), 0);

  ASSERT_TRUE(doc_.Undo());
  EXPECT_TRUE(doc_.AllArtOfLayer(doc_.CurrentLayer()).empty());
  EXPECT_FALSE(doc_.CanUndo());
  EXPECT_EQ(doc_.RedoText(), "Redo Draw");
}

TEST_F(ModuleAction, ModuleErrorReachesThePlayer) {
  // Without its 'size' parameter the module reports the missing key.
  EXPECT_EQ(host_.PlayAction("QvTest_DRAW", kQvDialogOff, nullptr), kQvErrBadParameter);
  ParamBlock* block = host_.Actions().NewBlock();
  EXPECT_EQ(host_.PlayAction("QvTest_DRAW", kQvDialogOff, block), kQvErrNoSuchKey);
  host_.Actions().DeleteBlock(block);
  EXPECT_TRUE(doc_.AllArtOfLayer(doc_.CurrentLayer()).empty());
}

TEST_F(ModuleAction, EventOfAnUnloadedModuleIsNotPlayed) {
  std::string error;
  ASSERT_EQ(module_->Unload(&error), kQvNoErr) << error;
  EXPECT_EQ(host_.PlayAction("QvTest_DRAW", kQvDialogOff, nullptr), kQvErrNoSuchAction);
  ASSERT_EQ(module_->Reload(&error), kQvNoErr) << error;
}

}  // namespace
}  // namespace workbench::plugin
