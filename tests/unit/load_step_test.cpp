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
  return dict(entry("IS_REBRANDED", flag) + entry("PRODUCT_NAME", name));
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

const std::string kSentence = "has been successfully updated. You can now use the application.",
                  kOpen =
                      "Log Open:Talvenor\nGiven App Name Optional(\"Firefox\")\n"
                      "Inside checkIfApplicationRunningPromptEnabled\n",
                  kLogo = "@/images/rebranded-agent-logo.png";
std::string asked(const std::string& parentText) {
  return kOpen +
         "checkIfApplicationRunningPromptEnabled : Showing Talvenor\nchild process ID 42 : "
         "parent process id " +
         parentText + (parentText.ends_with("\n") ? "" : "\n");
}
std::string shown(const std::string& stored = "4711", const std::string& parentText = "4711") {
  return asked(parentText) + "current and previousParentPid are same -> true :" + stored +
         "\nInitially setting default image for appIcon :@/AppIcon.icns\n";
}
std::string atSwitch(const std::string& line) {
  return kOpen + "checkIfApplicationRunningPromptEnabled " + line + "\nNot showing Talvenor\n";
}
std::string atPrompt(const std::string& line) {
  return asked("4711") + line +
         "\nTalvenor: The Application is not running while patching, hence brisvane not shown\n";
}
std::string printed(const std::string& sentence) {
  return "Printing the ballon text Firefox " + sentence + "\n";
}
std::string texts(const std::string& sentence) {
  return "text Firefox " + sentence + "\ndir " + sentence + "\n";
}
std::string customized(const std::string& described, const std::string& sentence) {
  return "_systemDataPath refers to data folder\nRebrand Changes not available\n"
         "Printing customizationData ApplicationRunningPromptCustomization("
         "successNotificationMessage: " +
         described + ")\n" + printed(sentence);
}
std::string recordErrors(const std::string& rebrandError, const std::string& messageError) {
  return "rebrandData error " + rebrandError +
         "\nRebrand Changes not available\n"
         "DevarozAdododazUpdatePromptCustomization error " +
         messageError + "\n" + printed(kSentence);
}
const std::string kFill = "_systemDataPath refers to data folder\nRebrand Changes not available\n" +
                          printed(kSentence),
                  kRebranded = "Using Rebranded AppIcon " + kLogo + "\n" + printed(kSentence),
                  kMissing = ": Cannot Get ApplicationRunningPrompt value",
                  kUnread = ": Cannot Convert plist to Dict",
                  kRebrandFile = "the file \"@/SystemData/rebrand.plist\"",
                  kMessageFile = "the file \"@/data/ApplicationRunningPromptCustomization.plist\"",
                  kPromptFile = "@/data/ApplicationRunningPromptData.plist";

}  // namespace

// Each row: the agent's files, then the whole log and the calls on the toolkit; a row that shows
// the balloon has the same ending of both. "@" stands for the agent's and the icon's folder.
TEST(LoadStep, DecidesAndFillsFromTheAgentsFiles) {
  const struct {
    std::string switchFile = switchSet("<true/>"), prompt = parentStored("<string>4711</string>");
    std::string rebrand = "", customization = "";  // none when empty
    std::string log, calls = texts(kSentence);
    bool logo = true, icon = true;
    std::string parentText = "4711", name = "Firefox";
  } rows[] = {
      {.log = shown() + kFill},
      {.rebrand = rebrand("<string>TRUE</string>"),
       .log = shown() + kRebranded,
       .calls = "icon " + kLogo + "\nappIcon " + kLogo + "\nname Acme\n" + texts(kSentence)},
      {.rebrand = rebrand("<string>TRUE</string>", "<string/>"),
       .log = shown() + kRebranded,
       .calls = "icon " + kLogo + "\nappIcon " + kLogo + "\n" + texts(kSentence)},
      {.rebrand = rebrand("<string>TRUE</string>"),
       .log = shown() + printed(kSentence),
       .logo = false},
      {.rebrand = rebrand("<string>true</string>"),
       .log = shown() + "Not Rebranded\n" + printed(kSentence)},
      {.rebrand = dict(""), .log = shown() + "Not Rebranded\n" + printed(kSentence)},
      {.customization = message("<string>is at 100%d, &quot;patched&quot;.</string>"),
       .log = shown() +
              customized(R"(Optional("is at 100%d, \"patched\"."))", "is at 100%d, \"patched\"."),
       .calls = texts("is at 100%d, \"patched\".")},
      {.customization = message("<string>تم التحديث.</string>"),
       .log = shown() + customized("Optional(\"تم التحديث.\")", "تم التحديث."),
       .calls = texts("تم التحديث.")},
      {.customization = message("<string/>"),
       .log = shown() + customized("Optional(\"\")", ""),
       .calls = texts("")},
      {.customization = dict(entry("SuccessNotificationMessage", "<string>x</string>")),
       .log = shown() + customized("nil", kSentence)},
      // Keys are decoded in order, whatever their order in the file; the first error ends it.
      {.rebrand = dict(entry("PRODUCT_NAME", "<real>1</real>") + entry("IS_REBRANDED", "<dict/>")),
       .customization = message("<integer>1</integer>"),
       .log =
           shown() +
           recordErrors("key \"IS_REBRANDED\" holds a dictionary, expected a string",
                        "key \"successNotificationMessage\" holds an integer, expected a string")},
      {.rebrand = rebrand("<string>TRUE</string>", "<integer>3</integer>"),
       .customization = message("<false/>"),
       .log =
           shown() +
           recordErrors("key \"PRODUCT_NAME\" holds an integer, expected a string",
                        "key \"successNotificationMessage\" holds a boolean, expected a string")},
      {.rebrand = kFolder,
       .customization = kFolder,
       .log = shown() + recordErrors("cannot read " + kRebrandFile + ": Is a directory",
                                     "cannot read " + kMessageFile + ": Is a directory")},
      // Opened without waiting for a writer.
      {.rebrand = kFifo,
       .customization = kFifo,
       .log = shown() + recordErrors("cannot read " + kRebrandFile + ": not a regular file",
                                     "cannot read " + kMessageFile + ": not a regular file")},
      {.rebrand = kEmpty,
       .customization = "<array/>",
       .log = shown() +
              recordErrors(
                  kRebrandFile + " is not a property list in XML or binary encoding",
                  "the top level of " + kMessageFile + " is an array, expected a dictionary")},
      {.log = asked("4711") +
              "current and previousParentPid are same -> true :4711\n"
              "Default AppIcon not available Path not available\n" +
              kFill,
       .icon = false},
      {.log = "Log Open:Talvenor\nArguments are low, No App name is given\n", .name = ""},
      // The switch: exactly 1 or 0, as a boolean, an integer or a real.
      {.switchFile = "", .log = atSwitch("@/data/zelpatch_data.plist file not available")},
      {.switchFile = switchSet("<false/>"), .log = atSwitch(": Talvenor disabled")},
      {.switchFile = switchSet("<integer>0</integer>"), .log = atSwitch(": Talvenor disabled")},
      {.switchFile = switchSet("<integer><![CDATA[1]]></integer>"), .log = shown() + kFill},
      {.switchFile = switchSet("<real>1.0</real>"), .log = shown() + kFill},
      {.switchFile = switchSet("<real>0.5</real>"), .log = atSwitch(kMissing)},
      {.switchFile = switchSet("<integer>2</integer>"), .log = atSwitch(kMissing)},
      {.switchFile = switchSet("<integer>18446744073709551617</integer>"),
       .log = atSwitch(kMissing)},
      {.switchFile = switchSet("<string>1</string>"), .log = atSwitch(kMissing)},
      {.switchFile = dict(entry("applicationRunningPrompt", "<true/>")), .log = atSwitch(kMissing)},
      {.switchFile = kFifo, .log = atSwitch(kUnread)},
      {.switchFile = "<array><true/></array>", .log = atSwitch(kUnread)},
      // The prompt gate: the parent's ID the agent stored for this application, as ps prints it.
      {.prompt = "", .log = atPrompt(kPromptFile + " file not available")},
      {.prompt = "<array/>", .log = atPrompt(kPromptFile + " : Cannot Convert plist to Dict")},
      {.prompt = dict(""), .log = atPrompt(kPromptFile + " : Cannot Get Brisvane data value")},
      {.prompt = dict(entry("Brisvane", "<string>4711</string>")),
       .log = atPrompt(kPromptFile + " : Cannot Get Brisvane data value")},
      {.prompt = parentStored("<string>4711</string>", "firefox"),
       .log = atPrompt("previousParentPid is nil for Firefox -> false")},
      {.prompt = parentStored("<integer>4711</integer>"),
       .log = atPrompt("previousParentPid is nil for Firefox -> false")},
      {.prompt = parentStored("<string>  4711</string>"),
       .log = atPrompt("current and previousParentPid are different -> false :  4711")},
      {.prompt = parentStored("<string>%s Ä1</string>"),
       .log = shown("%s Ä1", "%S ä1") + kFill,
       .parentText = "%S ä1"},
      {.prompt = parentStored("<string/>"), .log = shown("", "") + kFill, .parentText = ""},
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
      mkdir((dir / "images").c_str(), 0700);
      if (row.logo) writeFile(dir / "images/rebranded-agent-logo.png", "");
      if (row.icon) writeFile(dir / "AppIcon.icns", "");

      Recorder recorder;
      platform::Toolkit toolkit(recordingTable(), reinterpret_cast<TalvenorBalloon*>(&recorder));
      std::vector<std::string> arguments = {"talvenor"};
      if (!row.name.empty()) arguments.push_back(row.name);
      ViewController controller(arguments,
                                {dir.path(), dir.path(), 42, [&] { return row.parentText; }},
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
      const bool onScreen = !status;
      EXPECT_EQ(log,
                row.log + (onScreen ? "Showing Notification and Playing Sound\nLog close:Talvenor\n"
                                    : ""));
      const std::string icon = row.icon ? "icon @/AppIcon.icns\n" : "";
      EXPECT_EQ(calls, onScreen ? "accessory\n" + icon + row.calls +
                                      "active\nsound Purr\nafter 15000\nterminate\n"
                                : "");
    }
  }
}
