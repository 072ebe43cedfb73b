// The open document: the two scenes, the axis, the document values and the
// graph list entries, with the file commands and the list operations that the
// window runs, the file the document belongs to, and the history of its steps
// for undo and redo. Dialogs and message boxes are reached through
// DocumentDialogs, which the window implements with Qt and the batch mode and
// tests without.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "expr/reporter.h"
#include "graph/document_values.h"
#include "io/graph_file.h"
#include "scene/axis.h"
#include "scene/scene.h"

class QUndoStack;

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
  // Runs work that may take long (sampling, reading, writing), described to
  // the user by `label`, so that the user can wait for it or cancel it. The
  // window runs it on another thread with a progress dialog; work must
  // therefore touch only what it owns, and it may go on after a cancel with
  // its results unused. True when the work ran to its end, false when the
  // user cancelled. Here it simply runs.
  virtual bool RunLongWork(const std::string& label, const std::function<void()>& work) {
    (void)label;
    work();
    return true;
  }
};

// One entry of the graph list, at the position of its graph in ListScene.
struct GraphListEntry {
  std::string text;
  bool checked = true;

  bool operator==(const GraphListEntry& other) const {
    return text == other.text && checked == other.checked;
  }
};

// Everything that makes up a document, as a step of its history keeps it.
// A graph record in a state keeps its settings and points (an edit makes a new
// record), so states share their records and going back to one is exact.
struct DocumentState {
  std::vector<std::shared_ptr<Graph>> graphs;  // in list order
  std::vector<GraphListEntry> entries;         // one per graph
  Axis axis;
  DocumentKind documentKind = DocumentKind::Plane;
  // ViewMinX, ViewMaxX, ViewMinY, ViewMaxY, ViewMinZ, ViewMaxZ (world units).
  std::array<float, 6> viewBounds{};
  std::int32_t animFrames = 0;
  std::int32_t animExtra = 0;
  // Roll, pitch and yaw of ShowScene, in degrees.
  std::array<float, 3> rotation{};
  std::int32_t lastGraphID = 0;
};

// A graph read from the clipboard, for AppendPastedGraphs.
struct PastedGraph {
  std::shared_ptr<Graph> graph;
  std::string entryText;
  bool checked = true;
  bool sample = true;
};

enum class OpenResult {
  Opened,     // the file's document replaced the open one
  Unchanged,  // nothing to open: no name, a cancelled dialog, question or reading, an empty text
  Refused,    // the file could not be read; the user was told, nothing changed
};

struct SaveAsResult {
  enum Kind {
    Cancelled,       // no name chosen, or replacing a file refused
    WroteGraphFile,  // the .pgp filter was chosen and the file written
    Failed,          // the .pgp filter was chosen and writing failed (the user was told)
    PictureChosen,   // a picture filter was chosen: the caller saves its capture at path
  };
  // The picture's format: that of the name's extension when it is .bmp,
  // .svg or .pdf, else that of the filter chosen.
  enum Picture { Bmp, Svg, Pdf };
  Kind kind = Cancelled;
  Picture picture = Bmp;
  std::string path;
};

class Document {
 public:
  // A document as the window has it after loading: no graph, the axis shown,
  // the view interval -50..50, plane document kind, the saved flag down, no
  // file and an empty history.
  explicit Document(DocumentDialogs& dialogs);
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  DocumentDialogs& Dialogs() { return *dialogs_; }
  DocumentValues& Values() { return values_; }
  const DocumentValues& Values() const { return values_; }
  Scene& ListScene() { return listScene_; }
  const Scene& ListScene() const { return listScene_; }
  // The checked graphs, in list order: the graphs drawn.
  Scene& ShowScene() { return showScene_; }
  const Scene& ShowScene() const { return showScene_; }
  Axis& MainAxis() { return mainAxis_; }
  const Axis& MainAxis() const { return mainAxis_; }
  std::int32_t LastGraphID() const { return lastGraphID_; }
  void LastGraphID(std::int32_t value) { lastGraphID_ = value; }
  // Whether the last Save wrote the file (or had nothing to write).
  bool Saved() const { return saved_; }
  void Saved(bool value) { saved_ = value; }
  const std::vector<GraphListEntry>& Entries() const { return entries_; }

  // A fresh graph record belonging to this document.
  std::shared_ptr<Graph> MakeGraph();

  // --- the file and the history ---

  // The graph file the document was opened from or last saved to; "" for
  // none.
  const std::string& FilePath() const { return filePath_; }
  // Whether closing would lose something: the document differs from its
  // file, or it has graphs and no file.
  bool IsModified() const;
  // The steps of the document, for undo and redo. Its clean state is the
  // state of the document's file; New and Open clear it.
  QUndoStack& History() { return *history_; }
  DocumentState State() const;
  // Records the change from `before` to the present state as one step of the
  // history, named `text` ("Delete"), which undo takes back. Nothing is
  // recorded when nothing changed; true when a step was recorded.
  bool RecordStep(const std::string& text, const DocumentState& before);
  // Runs change and records what it changed as one step named text.
  template <typename Change>
  bool Record(const std::string& text, Change&& change) {
    const DocumentState before = State();
    change();
    return RecordStep(text, before);
  }

  // --- list and scenes ---

  // Removes the graph at a 1-based ListScene position from both scenes and
  // the list. False (nothing changes) for a position outside the list.
  bool DeleteGraph(std::int32_t position);
  // Removes every graph from both scenes and the list.
  void DeleteAllGraphs();
  // Whether a graph of ShowScene has this ID.
  bool IsShown(std::int32_t ID) const;
  // Sets the check state of a 0-based list entry: a checked graph is shown
  // with the points it has, in its list place. True when ShowScene changed;
  // false for an index outside the list.
  bool SetChecked(std::size_t index, bool checked);

  // A graph made by the Properties dialog: it takes the next free ID and is
  // sampled; then it joins both scenes with its checked entry in the Draw
  // wording, and the scene rotation is reset. False when sampling failed
  // (the user has been told) or was cancelled: nothing was added.
  bool AddDialogGraph(const std::shared_ptr<Graph>& graph);
  // A graph changed by the Properties dialog: a new record with the settings
  // of the graph at the 1-based ListScene position, the edited ones copied
  // from `edited` (TakeSettings), is sampled and takes the old record's place
  // in both scenes, and its list entry takes the Draw wording. False when
  // sampling failed (the user has been told) or was cancelled, or for a
  // position outside the list: the old record stays as it was.
  bool EditDialogGraph(std::int32_t position, const Graph& edited);
  // Graphs read from the clipboard: each takes the next free ID and joins
  // ListScene, and ShowScene too when checked; those with `sample` set are
  // sampled, whatever their check state (a failure has been told; the graph
  // stays, as in an opened file). False, and nothing is added, when the
  // sampling was cancelled.
  bool AppendPastedGraphs(std::vector<PastedGraph> graphs);

  // --- commands ---

  // New: asks "Save changes to file?" when the document is modified; Yes
  // saves and clears only when the save happened, No clears, Cancel keeps
  // everything. Then resets the rotation, the document kind and BetterFonts,
  // forgets the file and the history. True when the document was reset.
  bool New();
  // The reset part of New alone.
  void ResetForNew();
  // Save: writes every graph of the list and the axis to the document's
  // file; a document without one asks for a .pgp name first (Save As's
  // naming rules). The saved flag says afterwards whether it was written (or
  // there was nothing to save: no file and no graph). A failure is told with
  // the title "Error".
  void Save();
  // Save As: asks for a name with the .pgp, .bmp, .svg and .pdf filters and
  // writes the graph file for the first, which becomes the document's file;
  // for the others it returns the name and the picture's format so that the
  // caller saves its picture there. A name without an extension gets the
  // filter's (".pgp", ".bmp", ".svg", ".pdf"); when the
  // file so named exists the user is asked before it is replaced.
  SaveAsResult SaveAs();
  // Open: offers to save a modified document (Yes, No, Cancel; a Yes whose
  // save did not happen stops the command), asks for a file and opens it
  // with IDs counted from 1.
  OpenResult Open();
  // Opens a graph file: its text is read, checked and its graphs sampled
  // before anything changes; a file that cannot be read is told with the
  // title "Error" and leaves the document as it was, as does a cancel. A
  // damaged file (its text cut short, or fewer graphs than its count) opens
  // with what could be read, told first with the title "Warning" and what
  // was missing, and counts as modified. IDs continue from LastGraphID. An
  // empty path or an empty document text changes nothing. The opened file
  // becomes the document's file and the history starts afresh.
  OpenResult OpenGraphFile(const std::string& path);
  // Before the window closes: asks "Do you want to save the graphs?" (Yes,
  // No, Cancel) when the document is modified, and saves on Yes. False when
  // the user cancelled, or the save was asked for and did not happen.
  bool ConfirmClose();

  // The bytes Save writes: the graph file of every graph of ListScene, in
  // list order, and MainAxis. The texts Windows-1252 cannot store are listed
  // in lossyTexts. Throws IoError.
  GraphFileBytes BuildGraphFile();
  // Writes the graph file to path (atomically). Tells a failure ("Error") or
  // texts written with "?" ("Warning"); false when nothing was written. The
  // document's file and history stay as they are.
  bool WriteGraphFile(const std::string& path);

 private:
  class Step;

  OpenResult ReadGraphFile(const std::string& path, bool restartIDs);
  // BuildGraphFile, with a failure told ("Error"); nothing then.
  std::optional<GraphFileBytes> BuildToldGraphFile();
  // The writing half of WriteGraphFile, as long work.
  bool WriteBuiltGraphFile(const std::string& path, const GraphFileBytes& file);
  // After the graph file at path was written: it is the document's file and
  // the present state is its state.
  void FileWritten(const std::string& path);
  // A chosen name with the filter's extension added when it has none; for a
  // name so made whose file exists, the user is asked before it is replaced.
  // Nothing when the user refuses.
  std::optional<std::string> NameToWrite(const std::string& chosen, const std::string& extension);
  // Samples the graphs apart from the document, as long work. Each record
  // given is replaced by its sampled self; false, and the records stay as
  // they were, when the user cancelled. sampled[i] tells whether graphs[i]
  // was sampled without failure.
  bool SampleApart(const std::vector<std::shared_ptr<Graph>>& graphs, std::vector<bool>& sampled);
  // Puts the graphs and their entries in ListScene and the list, and the
  // checked ones in ShowScene.
  void SetGraphs(const std::vector<std::shared_ptr<Graph>>& graphs,
                 std::vector<GraphListEntry> entries);
  // The checked graphs of ListScene, in list order, into ShowScene.
  void RebuildShowScene();
  void Restore(const DocumentState& state);
  // LastGraphID + 1, or the first ID after it that no graph holds (IDs are
  // the scenes' keys); LastGraphID becomes that ID.
  std::int32_t TakeFreeID();
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
  std::string filePath_;
  std::unique_ptr<QUndoStack> history_;
};

}  // namespace quillon
