#include "io/registration.h"

#include <pwd.h>
#include <unistd.h>

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "io/atomic_file.h"
#include "io/io_error.h"
#include "io/mime_package.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

constexpr const char* kIconName = "quillon";

// One argument of a desktop entry's Exec line: quoted when it holds a
// character the Exec syntax reserves, with ", `, $ and \ escaped inside the
// quotes; a literal % is written %%.
std::string ExecArgument(const std::string& argument) {
  static const std::string kReserved = " \t\n\"'\\><~|&;$*?#()`";
  const bool quoted = argument.empty() || argument.find_first_of(kReserved) != std::string::npos;
  std::string text = quoted ? "\"" : "";
  for (const char c : argument) {
    if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) {
      text += '\\';
    }
    text += c == '%' ? std::string("%%") : std::string(1, c);
  }
  return quoted ? text + "\"" : text;
}

// A value of a desktop entry's key file, whose own escapes come on top of the
// Exec quoting: \\ for a backslash, \n, \t, \r, and \s for a leading blank.
std::string KeyFileValue(const std::string& value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    switch (value[i]) {
      case '\\':
        text += "\\\\";
        break;
      case '\n':
        text += "\\n";
        break;
      case '\t':
        text += "\\t";
        break;
      case '\r':
        text += "\\r";
        break;
      case ' ':
        text += i == 0 ? "\\s" : " ";
        break;
      default:
        text += value[i];
        break;
    }
  }
  return text;
}

enum class FileState { Unchanged, Written, Failed };

FileState WriteIfChanged(const fs::path& path, const std::string& text) {
  try {
    if (ReadWholeFile(path.string()) == text) {
      return FileState::Unchanged;
    }
  } catch (const IoError&) {
    // Missing or unreadable: write it.
  }
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (error) {
    return FileState::Failed;
  }
  try {
    WriteFileAtomically(path.string(), text);
  } catch (const IoError&) {
    return FileState::Failed;
  }
  return FileState::Written;
}

// Whether a tool's cache is missing or older than the file it is made from.
bool CacheIsStale(const fs::path& source, const fs::path& cache) {
  std::error_code error;
  const fs::file_time_type cacheTime = fs::last_write_time(cache, error);
  if (error) {
    return true;
  }
  const fs::file_time_type sourceTime = fs::last_write_time(source, error);
  return error || cacheTime < sourceTime;
}

}  // namespace

std::string UserDataHome() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  // Relative paths are invalid there and are ignored.
  if (dataHome != nullptr && dataHome[0] == '/') {
    return dataHome;
  }
  std::string home;
  if (const char* variable = std::getenv("HOME"); variable != nullptr && variable[0] != '\0') {
    home = variable;
  } else if (const passwd* user = ::getpwuid(::getuid());
             user != nullptr && user->pw_dir != nullptr) {
    home = user->pw_dir;
  }
  if (home.empty()) {
    return "";
  }
  return home + "/.local/share";
}

std::string MimePackageText() {
  return MimePackageXml();
}

std::string DesktopEntryText(const std::string& programFolder) {
  const std::string program = programFolder + "/quillon";
  return std::string(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=Quillon\n"
             "GenericName=Function Plotter\n"
             "Comment=Plot functions in the plane and save them as .pgp graph files\n"
             "TryExec=") +
         KeyFileValue(program) + "\nExec=" + KeyFileValue(ExecArgument(program) + " %f") +
         "\nIcon=" + kIconName +
         "\n"
         "Terminal=false\n"
         "Categories=Education;Math;\n"
         "MimeType=" +
         kGraphMimeType +
         ";\n"
         "Keywords=plot;graph;function;math;\n";
}

bool DetachedProgramStarter::Start(const std::string& program,
                                   const std::vector<std::string>& arguments) {
  const QString path = QStandardPaths::findExecutable(QString::fromStdString(program));
  if (path.isEmpty()) {
    return false;
  }
  QStringList list;
  for (const std::string& argument : arguments) {
    list << QString::fromStdString(argument);
  }
  QProcess process;
  process.setProgram(path);
  process.setArguments(list);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  return process.startDetached();
}

bool InstalledForEveryone(const FileTypeSetup& setup) {
  // programFolder/../share, where an installation puts the MIME package.
  const fs::path share = fs::path(setup.programFolder).parent_path() / "share";
  std::error_code error;
  if (!fs::is_regular_file(share / "mime" / "packages" / "quillon.xml", error)) {
    return false;
  }
  // An installation into the user's own data folder is the user's.
  return !fs::equivalent(share, fs::path(setup.dataHome), error);
}

RegistrationOutcome RegisterFileType(const FileTypeSetup& setup, ProgramStarter& starter) {
  RegistrationOutcome outcome;
  if (setup.dataHome.empty() || setup.programFolder.empty()) {
    return outcome;
  }
  if (InstalledForEveryone(setup)) {
    outcome.complete = true;
    return outcome;
  }
  const fs::path home(setup.dataHome);
  const fs::path mimeFolder = home / "mime";
  const fs::path package = mimeFolder / "packages" / "quillon.xml";
  const fs::path applications = home / "applications";
  const fs::path entry = applications / "quillon.desktop";
  const fs::path icon = home / "icons" / "hicolor" / "scalable" / "apps" / "quillon.svg";

  outcome.complete = true;
  const auto write = [&outcome](const fs::path& path, const std::string& text) {
    const FileState state = WriteIfChanged(path, text);
    if (state == FileState::Written) {
      outcome.written.push_back(path.string());
    }
    outcome.complete = outcome.complete && state != FileState::Failed;
    return state != FileState::Failed;
  };
  const auto update = [&outcome, &starter](const std::string& tool,
                                           const std::vector<std::string>& arguments) {
    if (starter.Start(tool, arguments)) {
      outcome.started.push_back(tool + " " + arguments.back());
    }
  };

  if (!setup.iconSvg.empty()) {
    write(icon, setup.iconSvg);
  }
  if (write(package, MimePackageText()) && CacheIsStale(package, mimeFolder / "mime.cache")) {
    update("update-mime-database", {mimeFolder.string()});
  }
  if (write(entry, DesktopEntryText(setup.programFolder)) &&
      CacheIsStale(entry, applications / "mimeinfo.cache")) {
    update("update-desktop-database", {"-q", applications.string()});
  }
  return outcome;
}

}  // namespace quillon
