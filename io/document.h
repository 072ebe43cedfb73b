// The open document: the two scenes, the axis, the document values and the
// graph list entries, with the file commands and the list operations that the
// window runs. Dialogs and message boxes are reached through DocumentDialogs,
// which the window implements with Qt and the batch mode and tests without.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "expr/reporter.h"
#include "graph/document_values.h"
#include "io/graph_file.h"
#include "scene/axis.h"
#include "scene/scene.h"

namespace quillon {

class Graph;

enum class FileDialogMode { Open, Save };
enum class QuestionButtons { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

struct FileChoice {
  std::string path;
  std::int32_t filterIndex = 1;  // 1-based position of the chosen filter
};

// What the document asks of the user. Report (from Reporter) tells a message.
class DocumentDialogs : public Reporter {
 public:
  // A file dialog with this title and filter, the initial file name empty.
  // The filter alternates labels and patterns: "*.pgp|*.pgp|*.bmp|*.bmp".
  // Nothing when the user cancels.
  virtual std::optional<FileChoice> AskFileName(FileDialogMode mode, const std::string& title,
                                                const std::string& filter) = 0;
  virtual Answer Ask(const std::string& title, const std::string& text, MessageIcon icon,
                     QuestionButtons buttons) = 0;
  // Called after a graph file was written (the file-type association is
  // refreshed here).
  virtual void GraphFileWritten(const std::string& path) { (void)path; }
};

// One entry of the graph list, at the position of its graph in ListScene.
struct GraphListEntry {
  std::string text;
  bool checked = true;
};

enum class OpenResult {
  Opened,     // the file's document replaced the open one
  Unchanged,  // nothing to open: no name, a cancelled dialog or question, an empty text
  Refused,    // the file could not be read; the user was told, nothing changed
};

struct SaveAsResult {
  enum Kind {
    Cancelled,       // no name chosen
    WroteGraphFile,  // the .pgp filter was chosen and the file written
    Failed,          // the .pgp filter was chosen and writing failed (the user was told)
    PictureChosen,   // the picture filter was chosen: the caller saves its capture at path
  };
  Kind kind = Cancelled;
  std::string path;
};

class Document {
 public:
  // A document as the window has it after loading: no graph, the axis shown,
  // the view interval -50..50, plane document kind, the saved flag down.
  explicit Document(DocumentDialogs& dialogs);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  DocumentDialogs& Dialogs() { return *dialogs_; }
  DocumentValues& Values() { return values_; }
  const DocumentValues& Values() const { return values_; }
  Scene& ListScene() { return listScene_; }
  const Scene& ListScene() const { return listScene_; }
  Scene& ShowScene() { return showScene_; }
  const Scene& ShowScene() const { return showScene_; }
  Axis& MainAxis() { return mainAxis_; }
  const Axis& MainAxis() const { return mainAxis_; }
  std::int32_t LastGraphID() const { return lastGraphID_; }
  void LastGraphID(std::int32_t value) { lastGraphID_ = value; }
  bool Saved() const { return saved_; }
  void Saved(bool value) { saved_ = value; }
  const std::vector<GraphListEntry>& Entries() const { return entries_; }

  // A fresh graph record belonging to this document.
  std::shared_ptr<Graph> MakeGraph();

  // --- list and scenes ---

  // Removes the graph at a 1-based ListScene position from both scenes and
  // the list. False (nothing changes) for a position outside the list.
  bool DeleteGraph(std::int32_t position);
  // Removes every graph from both scenes and the list.
  void DeleteAllGraphs();
  // Whether a graph of ShowScene has this ID.
  bool IsShown(std::int32_t ID) const;
  // Sets the check state of a 0-based list entry and brings ShowScene in step
  // (ApplyCheckStates). False for an index outside the list.
  bool SetChecked(std::size_t index, bool checked);
  // The check handler: an unchecked graph that is shown leaves ShowScene, a
  // checked graph that is not shown joins it at its end and is sampled.
  // True when ShowScene changed.
  bool ApplyCheckStates();

  // A graph made by the Properties dialog: it takes the next free ID, joins
  // both scenes and is sampled. When sampling fails (the user has been told)
  // it leaves both scenes again and the result is false.
  bool AddDialogGraph(const std::shared_ptr<Graph>& graph);
  // After the Properties dialog closed: when ListScene grew beyond
  // graphCountBefore, the scene rotation is reset and the last graph of
  // ShowScene gets its checked list entry. True when an entry was added.
  bool AppendNewGraphEntry(std::int32_t graphCountBefore);
  // A graph changed by the Properties dialog: the settings of edited are
  // copied (EqualTo) into the graph at the 1-based ListScene position, which
  // keeps its ID and its place in ShowScene, the graph is sampled again and
  // its list entry takes the Draw wording. When sampling fails (the user has
  // been told) the graph gets its previous settings and points back and the
  // result is false; so is a position outside the list.
  bool EditDialogGraph(std::int32_t position, const Graph& edited);
  // A graph read from the clipboard: it takes the next free ID and joins
  // ListScene, and ShowScene too when checked; it is sampled if `sample` is
  // set, whatever its check state (a failure has been told; the graph stays,
  // as in an opened file). Its list entry gets entryText and the check state.
  void AppendPastedGraph(const std::shared_ptr<Graph>& graph, std::string entryText, bool checked,
                         bool sample);

  // --- commands ---

  // New: asks "Save changes to file?" when there are graphs; Yes saves and
  // clears only when the save happened, No clears, Cancel keeps everything.
  // Then resets the rotation, the document kind and BetterFonts. True when
  // the document was reset.
  bool New();
  // The reset part of New alone.
  void ResetForNew();
  // Save: makes the text of the checked graphs and the axis, then asks for a
  // .pgp name and writes it. The saved flag says afterwards whether it was written (or there was
  // nothing to save). A failure is told with the title "Error".
  void Save();
  // Save As: asks for a name with the .pgp and .bmp filters and writes the
  // graph file for the first; for the second it returns the name so that the
  // caller saves its picture there.
  SaveAsResult SaveAs();
  // Open: offers to save shown graphs (Yes, No, Cancel; a Yes whose save did
  // not happen stops the command), asks for a file and opens it with IDs
  // counted from 1.
  OpenResult Open();
  // Opens a graph file: its text is read and checked before anything
  // changes; a file that cannot be read is told with the title "Error" and
  // leaves the document as it was. A damaged file (its text cut short, or
  // fewer graphs than its count) opens with what could be read, told first
  // with the title "Warning" and what was missing. IDs continue from
  // LastGraphID. An empty path or an empty document text changes nothing.
  OpenResult OpenGraphFile(const std::string& path);
  // Before the window closes: asks "Do you want to save the graphs?" (Yes,
  // No) when there are graphs, and saves on Yes. False when the save was
  // asked for and did not happen.
  bool ConfirmClose();

  // The bytes Save writes: the graph file of ShowScene and MainAxis. The
  // texts Windows-1252 cannot store are listed in lossyTexts. Throws IoError.
  GraphFileBytes BuildGraphFile();
  // Writes the graph file to path (atomically). Tells a failure ("Error") or
  // texts written with "?" ("Warning"); false when nothing was written.
  bool WriteGraphFile(const std::string& path);

 private:
  OpenResult ReadGraphFile(const std::string& path, bool restartIDs);
  // BuildGraphFile, with a failure told ("Error"); nothing then.
  std::optional<GraphFileBytes> BuildToldGraphFile();
  // The writing half of WriteGraphFile.
  bool WriteBuiltGraphFile(const std::string& path, const GraphFileBytes& file);
  // LastGraphID + 1, or the first ID after it that no graph holds (IDs are
  // the scenes' keys); LastGraphID becomes that ID.
  std::int32_t TakeFreeID();
  // GetPoints, with any fault it throws told to the user; false when sampling failed.
  bool Sample(Graph& graph);
  void Tell(const std::string& title, const std::string& text, MessageIcon icon);

  // The values come first: every graph points at them.
  DocumentValues values_;
  DocumentDialogs* dialogs_;
  Scene listScene_;
  Scene showScene_;
  Axis mainAxis_;
  std::int32_t lastGraphID_ = 0;
  bool saved_ = false;
  std::vector<GraphListEntry> entries_;
};

}  // namespace quillon
