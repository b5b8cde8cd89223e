// The loader tests' own module started in a host over a document: the
// action event it registers played as one undoable step, and its menus,
// tool and notifiers under their suites' registration rules, each message
// reaching it (it shows "<caller>/<selector>" as an alert for each).
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

class TestModule : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.SetDocument(&doc_);
    std::string error;
    module_ = PluginModule::Load(host_, QUORVANE_TEST_MODULE, &error);
    ASSERT_NE(module_, nullptr) << error;
    ASSERT_EQ(module_->Startup(), kQvNoErr);
    host_.Prompts().SetDisplay([this](PromptKind, const std::string& text) -> std::optional<bool> {
      events_.push_back(text);
      return true;
    });
  }
  void TearDown() override {
    if (module_ && module_->IsLoaded()) {
      EXPECT_EQ(module_->Shutdown(), kQvNoErr);
    }
  }

  document::Document doc_;
  Host host_;
  std::unique_ptr<PluginModule> module_;
  std::vector<std::string> events_;
};

TEST_F(TestModule, PlayingAModuleEventRunsItAsOneUndoableStep) {
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

TEST_F(TestModule, ModuleErrorReachesThePlayerAndAnUnloadedModulesEventIsNotPlayed) {
  // Without its 'size' parameter the module reports the missing key.
  EXPECT_EQ(host_.PlayAction("QvTest_DRAW", kQvDialogOff, nullptr), kQvErrBadParameter);
  ParamBlock* block = host_.Actions().NewBlock();
  EXPECT_EQ(host_.PlayAction("QvTest_DRAW", kQvDialogOff, block), kQvErrNoSuchKey);
  host_.Actions().DeleteBlock(block);
  EXPECT_TRUE(doc_.AllArtOfLayer(doc_.CurrentLayer()).empty());

  std::string error;
  ASSERT_EQ(module_->Unload(&error), kQvNoErr) << error;
  EXPECT_EQ(host_.PlayAction("QvTest_DRAW", kQvDialogOff, nullptr), kQvErrNoSuchAction);
  EXPECT_EQ(host_.ChooseMenuItem(host_.Menus().FindItem("QvTest Item")), kQvErrBadParameter)
      << "the item's module is gone";
  ASSERT_EQ(module_->Reload(&error), kQvNoErr) << error;
}

TEST_F(TestModule, MessagesGoToTheModuleThatRegistered) {
  QvMenuItemHandle item = host_.Menus().FindItem("QvTest Item");
  QvToolHandle tool = host_.Tools().FindNamed("QvTest Tool");
  ASSERT_NE(item, nullptr);
  ASSERT_NE(tool, nullptr);

  EXPECT_EQ(host_.UpdateMenus(), kQvNoErr);
  EXPECT_EQ(host_.ChooseMenuItem(item), kQvNoErr);
  // A host tool in use gets no module message.
  EXPECT_EQ(host_.SendToolEvent(kQvSelectorMouseDown, QvRealPoint{1.0, 2.0}), kQvNoErr);
  EXPECT_EQ(host_.SelectTool(tool), kQvNoErr);
  EXPECT_EQ(host_.SelectTool(tool), kQvNoErr) << "selecting the tool in use again sends nothing";
  EXPECT_EQ(host_.SendToolEvent(kQvSelectorMouseDown, QvRealPoint{1.0, 2.0}), kQvNoErr);
  EXPECT_EQ(host_.SelectTool(nullptr), kQvNoErr);
  // Only notifiers of the type hear of it; the module answers with its count.
  EXPECT_EQ(host_.Notify(kQvLayerDeletionNotifier), kQvNoErr);
  EXPECT_EQ(host_.Notify(kQvBrightnessChangedNotifier), 101);
  EXPECT_EQ(events_, (std::vector<std::string>{"AI Menu/AI Update", "AI Menu/AI Go", "AI Tool/AI Select",
                                                "AI Tool/AI Mouse Down", "AI Tool/AI Deselect",
                                                "AI Notifier/AI UI Brightness Changed Notifier"}));
  EXPECT_EQ(host_.ChooseMenuItem(reinterpret_cast<QvMenuItemHandle>(99)), kQvErrBadParameter);
}

TEST_F(TestModule, SuitesRefuseTakenNamesUnknownGroupsAndStrangers) {
  const QvMenuSuite& menu = MenuSuiteImpl();
  const QvPluginRef self = module_->Self();
  QvMenuItemHandle item = nullptr;
  EXPECT_EQ(menu.AddMenuItem(self, "QvTest Item", kQvWindowMenuGroup, "Again", 0, &item), kQvErrBadParameter);
  EXPECT_EQ(menu.AddMenuItem(self, "Elsewhere", "No Such Group", "x", 0, &item), kQvErrBadParameter);
  EXPECT_EQ(menu.AddMenuItem(reinterpret_cast<QvPluginRef>(&host_), "Stranger", kQvAboutMenuGroup, "x", 0, &item),
            kQvErrBadParameter);

  ASSERT_EQ(menu.AddMenuItem(self, "Maker", kQvAboutMenuGroup, "Maker", 0, &item), kQvNoErr);
  QvMenuGroupHandle group = nullptr;
  ASSERT_EQ(menu.AddMenuGroupAsSubMenu("Maker Group", 1, item, &group), kQvNoErr);
  EXPECT_EQ(menu.AddMenuGroupAsSubMenu("Other Group", 1, item, &group), kQvErrBadParameter) << "already a submenu";
  std::int32_t count = 0;
  ASSERT_EQ(menu.CountMenuGroups(&count), kQvNoErr);
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < count; ++i) {
    QvMenuGroupHandle nth = nullptr;
    ASSERT_EQ(menu.GetNthMenuGroup(i, &nth), kQvNoErr);
    char name[64];
    ASSERT_EQ(menu.GetMenuGroupName(nth, name, sizeof name, nullptr), kQvNoErr);
    names.emplace_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{kQvWindowMenuGroup, kQvAboutMenuGroup, "Maker Group"}));
  EXPECT_EQ(menu.GetNthMenuGroup(count, &group), kQvErrBadParameter);

  QvBool checked = 1;
  ASSERT_EQ(menu.IsItemChecked(item, &checked), kQvNoErr);
  EXPECT_EQ(checked, 0);
  ASSERT_EQ(menu.CheckItem(item, 1), kQvNoErr);
  ASSERT_EQ(menu.IsItemChecked(item, &checked), kQvNoErr);
  EXPECT_EQ(checked, 1);

  QvToolHandle tool = nullptr;
  const QvToolData data = {"t", "t", 0, 0, nullptr, nullptr};
  EXPECT_EQ(ToolSuiteImpl().AddTool(self, "QvTest Tool", &data, 0, &tool), kQvErrBadParameter);
  QvNotifierHandle notifier = nullptr;
  EXPECT_EQ(NotifierSuiteImpl().AddNotifier(self, "QvTest Notifier", kQvDocumentChangedNotifier, &notifier),
            kQvErrBadParameter);
}

}  // namespace
}  // namespace workbench::plugin
