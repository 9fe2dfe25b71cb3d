#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "agent/install_locations.h"
#include "platform/files.h"
#include "tests/unit/test_support.h"

namespace {

agent::ExistenceTest present(std::set<std::string> paths, std::vector<std::string>* asked = {}) {
  return [paths, asked](const std::string& path) {
    if (asked) asked->push_back(path);
    return paths.count(path) > 0;
  };
}

TEST(InstallFolderProbe, FirstInstalledVariantWinsElseTheUncheckedDefault) {
  const std::string halvorn = "/Library/Halvorn/Vantrel_Agent",
                    brightmoor = "/Library/Brightmoor_Agent",
                    ferrowind = "/Library/Ferrowind_Agent", service = "/bin/zelagentservice";
  EXPECT_EQ(agent::probeBasePath(present({halvorn + service, ferrowind + service})), halvorn);
  EXPECT_EQ(agent::probeBasePath(present({brightmoor + service, ferrowind + service})), brightmoor);
  // A variant's folder without its service file is not an installation.
  EXPECT_EQ(agent::probeBasePath(present({brightmoor, brightmoor + "/bin", ferrowind + service})),
            ferrowind);
  std::vector<std::string> asked;
  EXPECT_EQ(agent::probeBasePath(present({}, &asked)), "/Library/Vantrel_Agent");
  EXPECT_EQ(asked, (std::vector<std::string>{halvorn + service, brightmoor + service,
                                             ferrowind + service}));
}

TEST(InstallFolderProbe, AFolderOrALinkToAFileCountsAsPresent) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  writeFile(dir / "target", "");
  std::filesystem::create_symlink(dir / "target", dir / "link");
  std::filesystem::create_symlink(dir / "missing", dir / "dangling");
  EXPECT_TRUE(platform::fileExists(dir / "folder"));
  EXPECT_TRUE(platform::fileExists(dir / "link"));
  EXPECT_FALSE(platform::fileExists(dir / "dangling"));
}

TEST(SystemDataChoice, SystemDataWinsEvenAsAFileElseDataWithOneLine) {
  CaptureStderr log;
  EXPECT_EQ(agent::chooseSystemDataPath("/B", present({"/B/SystemData"})), "/B/SystemData");
  EXPECT_EQ(log.messages(), "");
  EXPECT_EQ(agent::chooseSystemDataPath("/B", present({})), "/B/data");
  EXPECT_EQ(log.messages(), "_systemDataPath refers to data folder\n");
}

}  // namespace
