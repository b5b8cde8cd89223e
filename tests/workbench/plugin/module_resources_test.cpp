// The module's pictures as the host finds them: refusals of what it does
// not carry, and modules without the resource export or no longer loaded.
// (The pictures themselves are compared pixel for pixel by the app's module
// pictures test and the panel screenshots.)
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <optional>
#include <string>

#include "sdk/errors.h"
#include "sdk/plugin_main.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"

namespace workbench::plugin {
namespace {

constexpr const char* kQuorvaneModule = QUORVANE_BUILD_DIR "/plugins/quorvane.so";

TEST(ModuleResources, UnknownNumbersTypesNullArgumentsModulesWithoutTheExportAndUnloadedOnesHaveNone) {
  Host host;
  std::string error;
  auto module = PluginModule::Load(host, kQuorvaneModule, &error);
  ASSERT_NE(module, nullptr) << error;
  for (std::int32_t id : {0, 16053, 16056, 16160, 16172, 16260, 16272, 17006}) {
    EXPECT_FALSE(module->FindResource(kQvPngResource, id)) << id;
    EXPECT_FALSE(module->FindResource(kQvCursorResource, id)) << id;
  }
  // Each number belongs to its type only.
  EXPECT_FALSE(module->FindResource(kQvCursorResource, 16054));
  EXPECT_FALSE(module->FindResource(kQvPngResource, 17002));
  EXPECT_FALSE(module->FindResource("pngi", 16054));
  EXPECT_FALSE(module->FindResource("", 16054));
  EXPECT_FALSE(host.FindModuleResource(nullptr, kQvPngResource, 16054));

  // The export itself, as any host calls it.
  void* handle = dlopen(kQuorvaneModule, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto find = reinterpret_cast<QvFindResourceProc>(dlsym(handle, QV_FIND_RESOURCE_SYMBOL));
  ASSERT_NE(find, nullptr);
  QvResource resource{};
  EXPECT_EQ(find(nullptr, 16054, &resource), kQvErrBadParameter);
  EXPECT_EQ(find(kQvPngResource, 16054, nullptr), kQvErrBadParameter);
  EXPECT_EQ(find(kQvCursorResource, 16054, &resource), kQvErrNotAvailable);
  ASSERT_EQ(find(kQvCursorResource, 17003, &resource), kQvNoErr);
  EXPECT_NE(resource.data, nullptr);
  EXPECT_GT(resource.size, 0);
  dlclose(handle);

  auto plain = PluginModule::Load(host, QUORVANE_TEST_MODULE, &error);
  ASSERT_NE(plain, nullptr) << error;
  EXPECT_FALSE(plain->HasResources());
  EXPECT_FALSE(plain->FindResource(kQvPngResource, 16054));
  EXPECT_FALSE(host.FindModuleResource(plain->Self(), kQvPngResource, 16054));

  ASSERT_EQ(module->Startup(), kQvNoErr);
  const std::optional<ModuleResource> before = module->FindResource(kQvCursorResource, 17002);
  ASSERT_TRUE(before);
  ASSERT_EQ(module->Unload(&error), kQvNoErr) << error;
  EXPECT_FALSE(module->FindResource(kQvCursorResource, 17002));
  // The copy taken before stays readable after the module's image is gone.
  ASSERT_GT(before->bytes.size(), 8u);
  EXPECT_EQ(std::string(before->bytes.begin() + 1, before->bytes.begin() + 4), "PNG");
  ASSERT_EQ(module->Reload(&error), kQvNoErr) << error;
  const std::optional<ModuleResource> after = module->FindResource(kQvCursorResource, 17002);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->bytes, before->bytes);
  EXPECT_EQ(module->Shutdown(), kQvNoErr);
}

}  // namespace
}  // namespace workbench::plugin
