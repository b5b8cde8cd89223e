// The module's pictures as the host finds them: the real module's table of
// PNG icons and cursors, refusals of what it does not carry, and modules
// without the resource export or no longer loaded.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sdk/errors.h"
#include "sdk/plugin_main.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"

namespace workbench::plugin {
namespace {

constexpr const char* kQuorvaneModule = QUORVANE_BUILD_DIR "/plugins/quorvane.so";

struct PngSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

// The size a PNG's header chunk gives; none for bytes that are not a PNG.
std::optional<PngSize> PngHeaderSize(const std::vector<std::uint8_t>& bytes) {
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (bytes.size() < 33 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) {
    return std::nullopt;
  }
  if (std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR") return std::nullopt;
  return PngSize{BigEndian32(bytes, 16), BigEndian32(bytes, 20)};
}

struct Expected {
  const char* type;
  std::int32_t id;
  std::uint32_t pixels;
};

// Everything the module carries: the command-type button pictures for the
// dark (16161 + code) and light (16261 + code) interface, the tool's icons
// and the point-picking cursors.
std::vector<Expected> ModuleTable() {
  std::vector<Expected> table;
  for (std::int32_t code = 0; code < 11; ++code) {
    table.push_back({kQvPngResource, 16161 + code, 52});
    table.push_back({kQvPngResource, 16261 + code, 52});
  }
  table.push_back({kQvPngResource, 16054, 32});
  table.push_back({kQvPngResource, 16055, 32});
  for (std::int32_t id = 17000; id <= 17005; ++id) table.push_back({kQvCursorResource, id, 32});
  return table;
}

TEST(ModuleResources, EveryPictureOfTheRealModuleIsADistinctPngOfItsSize) {
  Host host;
  std::string error;
  auto module = PluginModule::Load(host, kQuorvaneModule, &error);
  ASSERT_NE(module, nullptr) << error;
  ASSERT_TRUE(module->HasResources());

  std::set<std::vector<std::uint8_t>> distinct;
  for (const Expected& e : ModuleTable()) {
    SCOPED_TRACE(std::string(e.type) + " " + std::to_string(e.id));
    const std::optional<ModuleResource> found = module->FindResource(e.type, e.id);
    ASSERT_TRUE(found);
    const std::optional<PngSize> size = PngHeaderSize(found->bytes);
    ASSERT_TRUE(size) << "not a PNG";
    EXPECT_EQ(size->width, e.pixels);
    EXPECT_EQ(size->height, e.pixels);
    if (std::string(e.type) == kQvCursorResource) {
      // The pointer acts at a pixel of the picture, away from its border.
      EXPECT_GT(found->hotSpotX, 0);
      EXPECT_GT(found->hotSpotY, 0);
      EXPECT_LT(found->hotSpotX, static_cast<std::int32_t>(e.pixels) - 1);
      EXPECT_LT(found->hotSpotY, static_cast<std::int32_t>(e.pixels) - 1);
    } else {
      EXPECT_EQ(found->hotSpotX, 0);
      EXPECT_EQ(found->hotSpotY, 0);
    }
    distinct.insert(found->bytes);
    // The host reaches the same picture through the module's reference.
    const std::optional<ModuleResource> viaHost = host.FindModuleResource(module->Self(), e.type, e.id);
    ASSERT_TRUE(viaHost);
    EXPECT_EQ(viaHost->bytes, found->bytes);
  }
  EXPECT_EQ(distinct.size(), ModuleTable().size()) << "two resource numbers share one picture";
}

TEST(ModuleResources, UnknownNumbersTypesAndNullArgumentsAreRefused) {
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
}

TEST(ModuleResources, ModulesWithoutTheExportOrUnloadedHaveNone) {
  Host host;
  std::string error;
  auto plain = PluginModule::Load(host, QUORVANE_TEST_MODULE, &error);
  ASSERT_NE(plain, nullptr) << error;
  EXPECT_FALSE(plain->HasResources());
  EXPECT_FALSE(plain->FindResource(kQvPngResource, 16054));
  EXPECT_FALSE(host.FindModuleResource(plain->Self(), kQvPngResource, 16054));

  auto module = PluginModule::Load(host, kQuorvaneModule, &error);
  ASSERT_NE(module, nullptr) << error;
  ASSERT_EQ(module->Startup(), kQvNoErr);
  const std::optional<ModuleResource> before = module->FindResource(kQvCursorResource, 17002);
  ASSERT_TRUE(before);
  ASSERT_EQ(module->Unload(&error), kQvNoErr) << error;
  EXPECT_FALSE(module->FindResource(kQvCursorResource, 17002));
  // The copy taken before stays readable after the module's image is gone.
  EXPECT_TRUE(PngHeaderSize(before->bytes));
  ASSERT_EQ(module->Reload(&error), kQvNoErr) << error;
  const std::optional<ModuleResource> after = module->FindResource(kQvCursorResource, 17002);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->bytes, before->bytes);
  EXPECT_EQ(module->Shutdown(), kQvNoErr);
}

}  // namespace
}  // namespace workbench::plugin
