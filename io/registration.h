// The .pgp file type registered for this program the freedesktop way, in the
// user's data folder: a shared-mime-info package that names *.pgp files
// application/x-quillon-graph, a desktop entry that opens them with the
// program, and the program's icon. The window registers at every start and
// after every save of a graph file; a failure is silent, since the program
// works the same without the association.
#pragma once

#include <string>
#include <vector>

namespace quillon {

inline constexpr const char* kGraphMimeType = "application/x-quillon-graph";

struct FileTypeSetup {
  std::string dataHome;       // the user's data folder (UserDataHome)
  std::string programFolder;  // the running program's folder, without a trailing separator
  std::string iconSvg;        // the program's icon; none is installed when empty
};

// $XDG_DATA_HOME when it is set to an absolute path, otherwise
// ~/.local/share; "" when no home folder is known.
std::string UserDataHome();

// The files' texts. The MIME package (io/resources/quillon.xml, which an
// installation puts in place too) maps *.pgp to the graph type (comment
// "Quillon") and recognises graph files by their first bytes as well, since
// *.pgp is also claimed by OpenPGP types. The desktop entry runs
// programFolder/quillon with the file (%f), quoted as desktop entries
// require when the path holds blanks or other special characters.
std::string MimePackageText();
std::string DesktopEntryText(const std::string& programFolder);

// Starts the desktop's update tools.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // False when the program is not installed or does not start.
  virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// Starts a program found on the PATH in the background, its input and output
// on /dev/null, and never waits for it.
class DetachedProgramStarter : public ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

struct RegistrationOutcome {
  bool complete = false;             // every file holds its text
  std::vector<std::string> written;  // the files that were (re)written
  std::vector<std::string> started;  // the update tools started, with their folder
};

// Whether the program runs from an installation for every user: its
// folder's ../share holds the MIME package, and that share folder is not the
// user's data folder. Such an installation registers the file type itself.
bool InstalledForEveryone(const FileTypeSetup& setup);

// Writes dataHome/mime/packages/quillon.xml, dataHome/applications/
// quillon.desktop and dataHome/icons/hicolor/scalable/apps/quillon.svg (the
// desktop entry and the MIME type name the icon "quillon"), each only when
// its text differs, and starts update-mime-database and
// update-desktop-database for a folder whose cache is missing or older than
// the file. A program installed for everyone writes nothing (complete).
// Never throws and tells nobody.
RegistrationOutcome RegisterFileType(const FileTypeSetup& setup, ProgramStarter& starter);

}  // namespace quillon
