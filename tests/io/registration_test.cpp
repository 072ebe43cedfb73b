// The .pgp file type registration: where it goes, the texts it writes, when
// it runs the update tools, silence on failure, and the refresh after a save.
#include "io/registration.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
#include <tuple>

#include "test_support.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using namespace test;

constexpr const char* kIcon = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n";

// A word single-quoted for the shell.
std::string Quoted(const std::string& word) {
  std::string text = "'";
  for (const char c : word) {
    text += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return text + "'";
}

// Records what would be started. It runs the installed tool and waits for it
// when `run` is set; otherwise it leaves a fresh cache behind, as the tools do.
class TestStarter : public ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back(program);
    std::string line = program;
    for (const std::string& argument : arguments) {
      line += " " + Quoted(argument);
    }
    if (run) {
      return std::system((line + " >/dev/null 2>&1").c_str()) == 0;
    }
    const std::string cache = program == "update-mime-database" ? "mime.cache" : "mimeinfo.cache";
    WriteBytes((fs::path(arguments.back()) / cache).string(), "cache");
    return true;
  }
  bool run = false;
  Names started;
};

// An environment variable for one scope (unset when value is nothing).
struct ScopedVariable {
  ScopedVariable(const char* variable, const std::optional<std::string>& value) : name(variable) {
    if (const char* now = std::getenv(name)) {
      old = now;
    }
    Set(value);
  }
  ~ScopedVariable() { Set(old); }
  void Set(const std::optional<std::string>& value) const {
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  const char* name;
  std::optional<std::string> old;
};

TEST(Registration, UserDataHome) {
  // XDG_DATA_HOME, HOME, the folder.
  using Variable = std::optional<std::string>;
  const std::tuple<Variable, Variable, std::string> cases[] = {
      {"/data/share", "/home/ann", "/data/share"},
      {"relative/share", "/home/ann", "/home/ann/.local/share"},
      {"", "/home/ann", "/home/ann/.local/share"},
      {std::nullopt, "/home/bo b", "/home/bo b/.local/share"},
  };
  for (const auto& [dataHome, home, expected] : cases) {
    ScopedVariable dataHomeVariable("XDG_DATA_HOME", dataHome);
    ScopedVariable homeVariable("HOME", home);
    EXPECT_EQ(UserDataHome(), expected);
  }
}

TEST(Registration, DesktopEntryRunsTheProgramWithTheFile) {
  const std::pair<std::string, std::string> cases[] = {
      {"/opt/quillon/bin", "Exec=/opt/quillon/bin/quillon %f"},
      {"/home/ann/my apps", "Exec=\"/home/ann/my apps/quillon\" %f"},
      {"/srv/100%", "Exec=/srv/100%%/quillon %f"},
      {"/tmp/$HOME", "Exec=\"/tmp/\\\\$HOME/quillon\" %f"},
      {"/tmp/say \"hi\"", "Exec=\"/tmp/say \\\\\"hi\\\\\"/quillon\" %f"},
      {"/tmp/back\\slash", "Exec=\"/tmp/back\\\\\\\\slash/quillon\" %f"},
      {"/tmp/tab\there", "Exec=\"/tmp/tab\\there/quillon\" %f"},
  };
  for (const auto& [folder, exec] : cases) {
    const std::string entry = DesktopEntryText(folder);
    EXPECT_NE(entry.find("\n" + exec + "\n"), std::string::npos) << entry;
  }
  const std::string entry = "\n" + DesktopEntryText("/opt/q");
  EXPECT_EQ(entry.find("\n[Desktop Entry]\n"), 0u);
  for (const char* line : {"\nType=Application\n", "\nName=Quillon\n", "\nIcon=quillon\n",
                           "\nTryExec=/opt/q/quillon\n"}) {
    EXPECT_NE(entry.find(line), std::string::npos) << line;
  }
  EXPECT_NE(MimePackageText().find("<comment>Quillon</comment>"), std::string::npos);
}

class RegistrationFiles : public ::testing::Test {
 protected:
  FileTypeSetup Layout() const { return {folder.Path(), "/opt/quillon/bin", kIcon}; }
  std::string Entry() const { return folder.File("applications/quillon.desktop"); }

  TempFolder folder;
  TestStarter starter;
};

TEST_F(RegistrationFiles, WritesOnlyWhatChanged) {
  RegistrationOutcome outcome = RegisterFileType(Layout(), starter);
  EXPECT_TRUE(outcome.complete);
  EXPECT_EQ(outcome.written.size(), 3u);
  EXPECT_EQ(ReadBytes(folder.File("mime/packages/quillon.xml")), MimePackageText());
  EXPECT_EQ(ReadBytes(Entry()), DesktopEntryText("/opt/quillon/bin"));
  EXPECT_EQ(ReadBytes(folder.File("icons/hicolor/scalable/apps/quillon.svg")), kIcon);
  EXPECT_EQ(starter.started, (Names{"update-mime-database", "update-desktop-database"}));

  // Unchanged files with fresh caches: nothing to do.
  starter.started.clear();
  outcome = RegisterFileType(Layout(), starter);
  EXPECT_TRUE(outcome.complete);
  EXPECT_TRUE(outcome.written.empty());
  EXPECT_TRUE(starter.started.empty());

  // Another program's command in our entry, and the program moved.
  WriteBytes(Entry(), "[Desktop Entry]\nExec=other %f\n");
  FileTypeSetup moved = Layout();
  moved.programFolder = "/usr/local/bin";
  outcome = RegisterFileType(moved, starter);
  EXPECT_EQ(outcome.written, Names{Entry()});
  EXPECT_EQ(ReadBytes(Entry()), DesktopEntryText("/usr/local/bin"));
  EXPECT_EQ(starter.started, Names{"update-desktop-database"});

  // A MIME cache that is missing is made again.
  starter.started.clear();
  fs::remove(folder.File("mime/mime.cache"));
  RegisterFileType(Layout(), starter);
  EXPECT_EQ(starter.started.front(), "update-mime-database");
}

// A program installed for everyone leaves the user's folder alone: its
// installation registered the file type. One installed into the user's own
// data folder, or run from its build folder, registers as ever.
TEST_F(RegistrationFiles, AnInstallationForEveryoneRegistersItself) {
  for (const char* share : {"usr/share", "home/.local/share"}) {
    fs::create_directories(folder.File(share) + "/mime/packages");
    WriteBytes(folder.File(share) + "/mime/packages/quillon.xml", MimePackageText());
  }
  // Data home, program folder, and whether the user's folder is written.
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"home/.local/share", "usr/bin", false},
      {"home/.local/share", "home/.local/bin", true},
      {"home/.local/share", "build/app", true},
  };
  for (const auto& [dataHome, program, registered] : cases) {
    SCOPED_TRACE(program);
    const FileTypeSetup setup{folder.File(dataHome), folder.File(program), kIcon};
    fs::remove(folder.File(dataHome + "/applications/quillon.desktop"));
    EXPECT_EQ(InstalledForEveryone(setup), !registered);
    const RegistrationOutcome outcome = RegisterFileType(setup, starter);
    EXPECT_TRUE(outcome.complete);
    EXPECT_EQ(fs::exists(folder.File(dataHome + "/applications/quillon.desktop")), registered);
  }
}

TEST_F(RegistrationFiles, FailsSilently) {
  WriteBytes(folder.File("plain"), "not a folder");
  const FileTypeSetup cases[] = {
      {folder.File("plain"), "/opt/q", kIcon},  // the data home is a file
      {"", "/opt/q", kIcon},
      {folder.Path(), "", kIcon},
  };
  for (const FileTypeSetup& setup : cases) {
    SCOPED_TRACE(setup.dataHome + " " + setup.programFolder);
    RegistrationOutcome outcome;
    EXPECT_NO_THROW(outcome = RegisterFileType(setup, starter));
    EXPECT_FALSE(outcome.complete);
    EXPECT_TRUE(outcome.written.empty());
    EXPECT_TRUE(starter.started.empty());
  }
  // A read-only folder of desktop entries keeps the MIME type registered.
  if (::geteuid() != 0) {
    fs::create_directories(folder.File("home/applications"));
    fs::permissions(folder.File("home/applications"),
                    fs::perms::owner_read | fs::perms::owner_exec);
    const RegistrationOutcome outcome =
        RegisterFileType({folder.File("home"), "/opt/q", ""}, starter);
    EXPECT_FALSE(outcome.complete);
    EXPECT_EQ(outcome.written, Names{folder.File("home/mime/packages/quillon.xml")});
    EXPECT_EQ(starter.started, Names{"update-mime-database"});
    fs::permissions(folder.File("home/applications"), fs::perms::owner_all);
  }
}

// The installed tools accept the files, and a graph file is then known by
// its first bytes, as OpenPGP types claim *.pgp too.
TEST_F(RegistrationFiles, TheDesktopToolsReadTheFiles) {
  if (std::system("command -v update-mime-database update-desktop-database >/dev/null") != 0) {
    GTEST_SKIP() << "the freedesktop update tools are not installed";
  }
  starter.run = true;
  ASSERT_EQ(RegisterFileType(Layout(), starter).started.size(), 2u);
  EXPECT_NE(ReadBytes(folder.File("mime/globs2")).find("application/x-quillon-graph:*.pgp"),
            std::string::npos);
  EXPECT_NE(ReadBytes(folder.File("applications/mimeinfo.cache"))
                .find("application/x-quillon-graph=quillon.desktop;"),
            std::string::npos);
  if (std::system("command -v gio >/dev/null") != 0) {
    return;
  }
  ScopedVariable dataHome("XDG_DATA_HOME", folder.Path());
  // Without the extension only the first bytes tell a graph file.
  const std::tuple<const char*, std::string, bool> cases[] = {
      {"graph", GraphFileOf("S51 0 0"), true},
      {"old", GraphFileOf("S31 0 0"), true},
      {"next", GraphFileOf("S41 0 0"), true},
      {"other", GraphFileOf("S61 0 0"), false},
      {"message.pgp", "-----BEGIN PGP MESSAGE-----\n\nhQEMA\n", false}};
  const std::string output = folder.File("gio.txt");
  for (const auto& [name, bytes, ours] : cases) {
    SCOPED_TRACE(name);
    const std::string command = "gio info -a standard::content-type " +
                                Quoted(WriteBytes(folder.File(name), bytes)) + " >" +
                                Quoted(output);
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(output).find("application/x-quillon-graph") != std::string::npos, ours);
  }
}

TEST(Registration, DetachedStarterRunsInstalledProgramsOnly) {
  DetachedProgramStarter starter;
  EXPECT_FALSE(starter.Start("quillon-no-such-program", {}));
  TempFolder folder;
  const std::string mark = folder.File("started");
  ASSERT_TRUE(starter.Start("touch", {mark}));
  // The program runs on its own; wait for its mark.
  for (int i = 0; i < 300 && !fs::exists(mark); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(fs::exists(mark));
}

}  // namespace
}  // namespace quillon
