#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "agent/install_locations.h"
#include "agent/kelm_agent.h"
#include "platform/files.h"
#include "tests/unit/capture_stderr.h"
#include "tests/unit/temp_dir.h"

namespace {

const std::string kHalvorn = "/Library/Halvorn/Vantrel_Agent";
const std::string kBrightmoor = "/Library/Brightmoor_Agent";
const std::string kFerrowind = "/Library/Ferrowind_Agent";

agent::ExistenceTest present(std::set<std::string> paths,
                             std::vector<std::string>* asked = nullptr) {
  return [paths, asked](const std::string& path) {
    if (asked) asked->push_back(path);
    return paths.count(path) > 0;
  };
}

TEST(InstallFolderProbe, FirstInstalledVariantWinsInFixedOrder) {
  const std::string service = "/bin/zelagentservice";
  EXPECT_EQ(agent::probeBasePath(present({kHalvorn + service, kFerrowind + service})), kHalvorn);
  EXPECT_EQ(agent::probeBasePath(present({kBrightmoor + service, kFerrowind + service})),
            kBrightmoor);
  // A folder of variant 2 without its service file is not an installation.
  EXPECT_EQ(
      agent::probeBasePath(present({kBrightmoor, kBrightmoor + "/bin", kFerrowind + service})),
      kFerrowind);

  std::vector<std::string> asked;
  EXPECT_EQ(agent::probeBasePath(present({}, &asked)), "/Library/Vantrel_Agent");
  EXPECT_EQ(asked, (std::vector<std::string>{kHalvorn + service, kBrightmoor + service,
                                             kFerrowind + service}));
}

TEST(InstallFolderProbe, ServiceEntryCountsWhenFolderOrLinkToFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  writeFile(dir / "target", "");
  std::filesystem::create_symlink(dir / "target", dir / "link");
  std::filesystem::create_symlink(dir / "missing", dir / "dangling");
  EXPECT_TRUE(platform::fileExists(dir / "folder"));
  EXPECT_TRUE(platform::fileExists(dir / "link"));
  EXPECT_FALSE(platform::fileExists(dir / "dangling"));
}

TEST(SystemDataChoice, SystemDataWinsEvenAsPlainFileOtherwiseDataWithOneLine) {
  CaptureStderr log;
  EXPECT_EQ(agent::chooseSystemDataPath("/B", present({"/B/SystemData"})), "/B/SystemData");
  EXPECT_EQ(log.messages(), "");
  EXPECT_EQ(agent::chooseSystemDataPath("/B", present({})), "/B/data");
  EXPECT_EQ(log.messages(), "_systemDataPath refers to data folder\n");
}

TEST(KelmAgentFolders, ComputedOnceAndDerivedByConcatenation) {
  CaptureStderr log;
  const std::string& base = KelmAgent::basePath();
  EXPECT_EQ(KelmAgent::agentPath(), base + "/bin");
  EXPECT_EQ(KelmAgent::logsPath(), base + "/logs");
  EXPECT_EQ(KelmAgent::userLogsPath(), base + "/logs/UserLogs");
  EXPECT_EQ(KelmAgent::dataPath(), base + "/data");
  const std::string first = KelmAgent::systemDataPath();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(&KelmAgent::systemDataPath(), &KelmAgent::systemDataPath());
  EXPECT_EQ(KelmAgent::systemDataPath(), first);
  // However often it is read, the fallback is logged at most once.
  const std::string messages = log.messages();
  EXPECT_EQ(messages.find("_systemDataPath"), messages.rfind("_systemDataPath"));
}

}  // namespace
