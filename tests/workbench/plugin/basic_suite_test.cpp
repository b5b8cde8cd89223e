#include <gtest/gtest.h>

#include <cstring>

#include "sdk/errors.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {
namespace {

TEST(BasicSuite, AcquireAndReleaseCountPerSuiteAndAnUnknownNameOrVersionIsNotFound) {
  Host host;
  const QvBasicSuite* basic = host.BasicSuite();
  const void* first = nullptr;
  const void* second = nullptr;
  ASSERT_EQ(basic->AcquireSuite(kQvArtSuite, kQvArtSuiteVersion, &first), kQvNoErr);
  ASSERT_EQ(basic->AcquireSuite(kQvArtSuite, kQvArtSuiteVersion, &second), kQvNoErr);
  EXPECT_EQ(first, &ArtSuiteImpl());
  EXPECT_EQ(first, second);
  EXPECT_EQ(host.Suites().AcquireCount(kQvArtSuite, kQvArtSuiteVersion), 2);

  EXPECT_EQ(basic->ReleaseSuite(kQvArtSuite, kQvArtSuiteVersion), kQvNoErr);
  EXPECT_EQ(host.Suites().AcquireCount(kQvArtSuite, kQvArtSuiteVersion), 1);
  EXPECT_EQ(basic->ReleaseSuite(kQvArtSuite, kQvArtSuiteVersion), kQvNoErr);
  EXPECT_EQ(basic->ReleaseSuite(kQvArtSuite, kQvArtSuiteVersion), kQvErrSuiteNotFound)
      << "released more often than acquired";

  const void* suite = &host;
  EXPECT_EQ(basic->AcquireSuite("QV Teleport Suite", 1, &suite), kQvErrSuiteNotFound);
  EXPECT_EQ(suite, nullptr);
  suite = &host;
  EXPECT_EQ(basic->AcquireSuite(kQvPathSuite, kQvPathSuiteVersion + 1, &suite), kQvErrSuiteNotFound);
  EXPECT_EQ(suite, nullptr);
  EXPECT_EQ(host.Suites().TotalAcquired(), 0);
}

// (Names compared by IsEqual route every message of the loader tests' module.)
TEST(BasicSuite, BlocksAreZeroedTrackedAndFreedOnce) {
  Host host;
  const QvBasicSuite* basic = host.BasicSuite();
  void* block = nullptr;
  ASSERT_EQ(basic->AllocateBlock(16, &block), kQvNoErr);
  EXPECT_EQ(std::memcmp(block, "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16), 0);
  std::memcpy(block, "seam", 4);
  void* bigger = nullptr;
  ASSERT_EQ(basic->ReallocateBlock(block, 64, &bigger), kQvNoErr);
  EXPECT_EQ(std::memcmp(bigger, "seam", 4), 0);
  EXPECT_EQ(host.Blocks().OutstandingBlocks(), 1u);
  EXPECT_EQ(basic->FreeBlock(bigger), kQvNoErr);
  EXPECT_EQ(basic->FreeBlock(bigger), kQvErrBadBlock);
  int notOurs = 0;
  EXPECT_EQ(basic->FreeBlock(&notOurs), kQvErrBadBlock);
  EXPECT_EQ(basic->AllocateBlock(-1, &block), kQvErrBadParameter);
}

}  // namespace
}  // namespace workbench::plugin
