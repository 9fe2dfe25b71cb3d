#include <gtest/gtest.h>
#include <sys/stat.h>

#include "notifier/view_controller.h"
#include "tests/unit/test_support.h"

namespace {

const std::string kFolder = "(folder)", kFifo = "(fifo)", kEmpty = "(empty file)";

// Puts nothing, a folder, a FIFO, an empty file or the property list with this body at the path.
void place(const std::string& path, const std::string& content, Encoding encoding) {
  if (content == kFolder) mkdir(path.c_str(), 0700);
  if (content == kFifo) mkfifo(path.c_str(), 0600);
  if (content == kEmpty) writeFile(path, "");
  if (content.starts_with("<")) writeFile(path, plistIn(encoding, content));
}

std::string entry(const std::string& key, const std::string& value) {
  return "<key>" + key + "</key>" + value;
}
std::string dict(const std::string& entries) {
  return "<dict>" + entries + "</dict>";
}
std::string switchSet(const std::string& value) {
  return dict(entry("Other", "<real>&#49;</real>") + entry("ApplicationRunningPrompt", value));
}
std::string parentStored(const std::string& value, const std::string& name = "Firefox") {
  return dict(entry("Other", "<true/>") + entry("Brisvane", dict(entry(name, value))));
}
std::string rebrand(const std::string& flag, const std::string& name = "<string>Acme</string>") {
  return dict(entry("IS_REBRANDED", "<string>" + flag + "</string>") + entry("PRODUCT_NAME", name));
}
std::string message(const std::string& value) {
  return dict(entry("successNotificationMessage", value));
}

// A toolkit that records each operation made on it, one line each; the close timer runs at once.
struct Recorder {
  std::string calls, text;
};
void note(TalvenorBalloon* balloon, const char* call, const char* argument = "") {
  reinterpret_cast<Recorder*>(balloon)->calls += std::string(call) + argument + "\n";
}
TalvenorToolkitTable recordingTable() {
  TalvenorToolkitTable t{};
  t.close = [](TalvenorBalloon*) {};
  t.setAccessoryPolicy = [](TalvenorBalloon* b) { note(b, "accessory"); };
  t.setApplicationIconImage = [](TalvenorBalloon* b, const char* p) { note(b, "appIcon ", p); };
  t.scheduleOnce = [](TalvenorBalloon* b, unsigned ms, TalvenorAction action, void* context) {
    note(b, "after ", std::to_string(ms).c_str());
    action(context);
  };
  t.terminate = [](TalvenorBalloon* b) { note(b, "terminate"); };
  t.setBalloonIconImage = [](TalvenorBalloon* b, const char* path) { note(b, "icon ", path); };
  t.setBalloonText = [](TalvenorBalloon* b, const char* text) {
    note(b, "text ", reinterpret_cast<Recorder*>(b)->text.assign(text).c_str());
  };
  t.balloonText = [](TalvenorBalloon* b) { return reinterpret_cast<Recorder*>(b)->text.c_str(); };
  t.setEffectActive = [](TalvenorBalloon* b) { note(b, "active"); };
  t.playSound = [](TalvenorBalloon* b, const char* name) { note(b, "sound ", name); };
  t.setTextDirectionFrom = [](TalvenorBalloon* b, const char* s) { note(b, "dir ", s); };
  t.setBalloonIconName = [](TalvenorBalloon* b, const char* name) { note(b, "name ", name); };
  return t;
}

const std::string kOpen =
    "Log Open:Talvenor\nGiven App Name Optional(\"Firefox\")\n"
    "Inside checkIfApplicationRunningPromptEnabled\n";
const std::string kSentence = "has been successfully updated. You can now use the application.",
                  kLogo = "@/images/rebranded-agent-logo.png",
                  kLogoCalls = "icon " + kLogo + "\nappIcon " + kLogo + "\n",
                  kRebranded = "Using Rebranded AppIcon " + kLogo + "\n";
const std::string kAsked = kOpen +
                           "checkIfApplicationRunningPromptEnabled : Showing Talvenor\n"
                           "child process ID 42 : parent process id ";
std::string shown(const std::string& stored = "4711", const std::string& parentText = "4711") {
  return kAsked + parentText + "\ncurrent and previousParentPid are same -> true :" + stored + "\n";
}
std::string atSwitch(const std::string& line) {
  return kOpen + "checkIfApplicationRunningPromptEnabled " + line + "\nNot showing Talvenor\n";
}
std::string atPrompt(const std::string& line) {
  return kAsked + "4711\n" + line +
         "\nTalvenor: The Application is not running while patching, hence brisvane not shown\n";
}
const std::string kDefaults =
    "_systemDataPath refers to data folder\nRebrand Changes not available\n";
const std::string kMissing = ": Cannot Get ApplicationRunningPrompt value",
                  kNil = "previousParentPid is nil for Firefox -> false",
                  kRebrandFile = "the file \"@/SystemData/rebrand.plist\"",
                  kMessageFile = "the file \"@/data/ApplicationRunningPromptCustomization.plist\"",
                  kPromptFile = "@/data/ApplicationRunningPromptData.plist";
std::string customized(const std::string& described) {
  return kDefaults +
         "Printing customizationData ApplicationRunningPromptCustomization("
         "successNotificationMessage: " +
         described + ")\n";
}
std::string recordErrors(const std::string& rebrandError, const std::string& messageError) {
  return "rebrandData error " + rebrandError +
         "\nRebrand Changes not available\n"
         "DevarozAdododazUpdatePromptCustomization error " +
         messageError + "\n";
}

}  // namespace

// Each row: the agent's files, then the log and the calls on the toolkit. A row that shows the
// balloon has the same ending of both, around its icon and its text. "@" stands for the agent's
// and the icon's folder.
TEST(LoadStep, DecidesAndFillsFromTheAgentsFiles) {
  const struct {
    std::string switchFile = switchSet("<true/>"), prompt = parentStored("<string>4711</string>");
    std::string rebrand = "", customization = "";  // none when empty
    bool logo = true, icon = true;
    std::string parentText = "4711", name = "Firefox";
    // The log up to the icon, all of a refusal's; the log of the filling after the icon.
    std::string log = shown(), fill = kDefaults;
    std::string calls = "", sentence = kSentence;  // the calls between the icon and the text
  } rows[] = {
      {},
      {.rebrand = rebrand("TRUE"), .fill = kRebranded, .calls = kLogoCalls + "name Acme\n"},
      {.rebrand = rebrand("TRUE", "<string/>"), .fill = kRebranded, .calls = kLogoCalls},
      {.rebrand = rebrand("TRUE"), .logo = false, .fill = ""},
      {.rebrand = rebrand("true"), .fill = "Not Rebranded\n"},
      {.customization = message("<string>is at 100%d, &quot;patched&quot;.</string>"),
       .fill = customized(R"(Optional("is at 100%d, \"patched\"."))"),
       .sentence = "is at 100%d, \"patched\"."},
      {.customization = message("<string/>"), .fill = customized("Optional(\"\")"), .sentence = ""},
      {.customization = dict(entry("SuccessNotificationMessage", "<string>x</string>")),
       .fill = customized("nil")},
      // Keys are decoded in order, whatever their order in the file; the first error ends it.
      {.rebrand = dict(entry("PRODUCT_NAME", "<real>1</real>") + entry("IS_REBRANDED", "<dict/>")),
       .customization = message("<integer>1</integer>"),
       .fill =
           recordErrors("key \"IS_REBRANDED\" holds a dictionary, expected a string",
                        "key \"successNotificationMessage\" holds an integer, expected a string")},
      {.rebrand = rebrand("TRUE", "<integer>3</integer>"),
       .customization = message("<false/>"),
       .fill =
           recordErrors("key \"PRODUCT_NAME\" holds an integer, expected a string",
                        "key \"successNotificationMessage\" holds a boolean, expected a string")},
      // A FIFO is opened without waiting for a writer.
      {.rebrand = kFolder,
       .customization = kFifo,
       .fill = recordErrors("cannot read " + kRebrandFile + ": Is a directory",
                            "cannot read " + kMessageFile + ": not a regular file")},
      {.rebrand = kEmpty,
       .customization = "<array/>",
       .fill = recordErrors(
           kRebrandFile + " is not a property list in XML or binary encoding",
           "the top level of " + kMessageFile + " is an array, expected a dictionary")},
      {.icon = false},
      {.name = "", .log = "Log Open:Talvenor\nArguments are low, No App name is given\n"},
      // The switch: exactly 1 or 0, as a boolean, an integer or a real.
      {.switchFile = "", .log = atSwitch("@/data/zelpatch_data.plist file not available")},
      {.switchFile = switchSet("<false/>"), .log = atSwitch(": Talvenor disabled")},
      {.switchFile = switchSet("<integer>0</integer>"), .log = atSwitch(": Talvenor disabled")},
      {.switchFile = switchSet("<integer><![CDATA[1]]></integer>")},
      {.switchFile = switchSet("<real>1.0</real>")},
      {.switchFile = switchSet("<real>0.5</real>"), .log = atSwitch(kMissing)},
      {.switchFile = switchSet("<integer>2</integer>"), .log = atSwitch(kMissing)},
      {.switchFile = switchSet("<string>1</string>"), .log = atSwitch(kMissing)},
      {.switchFile = "<array><true/></array>", .log = atSwitch(": Cannot Convert plist to Dict")},
      // The prompt gate: the parent's ID the agent stored for this application, as ps prints it.
      {.prompt = "", .log = atPrompt(kPromptFile + " file not available")},
      {.prompt = "<array/>", .log = atPrompt(kPromptFile + " : Cannot Convert plist to Dict")},
      {.prompt = dict(entry("Brisvane", "<string>4711</string>")),
       .log = atPrompt(kPromptFile + " : Cannot Get Brisvane data value")},
      {.prompt = parentStored("<string>4711</string>", "firefox"), .log = atPrompt(kNil)},
      {.prompt = parentStored("<integer>4711</integer>"), .log = atPrompt(kNil)},
      {.prompt = parentStored("<string>  4711</string>"),
       .log = atPrompt("current and previousParentPid are different -> false :  4711")},
      {.prompt = parentStored("<string>%s Ä1</string>"),
       .parentText = "%S ä1",
       .log = shown("%s Ä1", "%S ä1")},
      {.prompt = parentStored("<string/>"), .parentText = "", .log = shown("", "")},
  };
  for (const Encoding encoding : {Encoding::xml, Encoding::binary}) {
    for (const auto& row : rows) {
      TempDir dir;
      mkdir((dir / "data").c_str(), 0700);
      place(dir / "data/zelpatch_data.plist", row.switchFile, encoding);
      place(dir / "data/ApplicationRunningPromptData.plist", row.prompt, encoding);
      if (!row.rebrand.empty()) mkdir((dir / "SystemData").c_str(), 0700);
      place(dir / "SystemData/rebrand.plist", row.rebrand, encoding);
      place(dir / "data/ApplicationRunningPromptCustomization.plist", row.customization, encoding);
      // The icon and the logo as links, dangling for a missing one.
      writeFile(dir / "file", "");
      mkdir((dir / "images").c_str(), 0700);
      std::filesystem::create_symlink(row.logo ? "../file" : "none",
                                      dir / "images/rebranded-agent-logo.png");
      std::filesystem::create_symlink(row.icon ? "file" : "none", dir / "AppIcon.icns");

      Recorder recorder;
      platform::Toolkit toolkit(recordingTable(), reinterpret_cast<TalvenorBalloon*>(&recorder));
      std::vector<std::string> arguments = {"talvenor"};
      if (!row.name.empty()) arguments.push_back(row.name);
      ViewController controller(
          arguments, {dir.path(), [&] { return dir.path(); }, 42, [&] { return row.parentText; }},
          [&] { return &toolkit; });
      // The refusals' last lines, each with its status.
      const std::optional<int> status =
          row.log.ends_with("given\n")                                            ? std::optional(1)
          : row.log.ends_with(" Talvenor\n") || row.log.ends_with(" not shown\n") ? std::optional(0)
                                                                                  : std::nullopt;
      testing::internal::CaptureStderr();
      EXPECT_EQ(controller.viewDidLoad(), status) << row.log;
      std::string log = capturedMessages(), calls = recorder.calls;
      for (std::string* text : {&log, &calls})
        for (auto at = text->find(dir.path()); at != std::string::npos; at = text->find(dir.path()))
          text->replace(at, dir.path().size(), "@");
      if (status) {
        EXPECT_EQ(log + calls, row.log);  // no call on the toolkit
        continue;
      }
      EXPECT_EQ(log, row.log +
                         (row.icon ? "Initially setting default image for appIcon :@/AppIcon.icns\n"
                                   : "Default AppIcon not available Path not available\n") +
                         row.fill + "Printing the ballon text Firefox " + row.sentence +
                         "\nShowing Notification and Playing Sound\nLog close:Talvenor\n");
      EXPECT_EQ(calls, "accessory\n" + std::string(row.icon ? "icon @/AppIcon.icns\n" : "") +
                           row.calls + "text Firefox " + row.sentence + "\ndir " + row.sentence +
                           "\nactive\nsound Purr\nafter 15000\nterminate\n");
    }
  }
}
