#include "io/document.h"

#include <cctype>
#include <exception>
#include <new>
#include <utility>

#include "expr/reporter.h"
#include "graph/graph.h"
#include "io/atomic_file.h"
#include "io/graph_file.h"
#include "io/graph_list_text.h"
#include "io/io_error.h"

namespace quillon {
namespace {

constexpr const char* kGraphFileFilter = "(*.pgp)|*.pgp";
constexpr const char* kSaveAsFilter = "*.pgp|*.pgp|*.bmp|*.bmp";

// The scenes keep every graph under the text of its ID.
std::string Key(std::int32_t ID) {
  return std::to_string(ID);
}

// A clause as a sentence of its own, followed by a blank; "" stays "".
std::string Sentence(std::string clause) {
  if (clause.empty()) {
    return clause;
  }
  clause[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(clause[0])));
  return clause + ". ";
}

}  // namespace

Document::Document(DocumentDialogs& dialogs) : dialogs_(&dialogs) {
  values_.reporter = &dialogs;
  mainAxis_.shown = true;
}

std::shared_ptr<Graph> Document::MakeGraph() {
  return std::make_shared<Graph>(values_);
}

void Document::Tell(const std::string& title, const std::string& text, MessageIcon icon) {
  dialogs_->Report(title, text, icon);
}

bool Document::Sample(Graph& graph) {
  try {
    return graph.GetPoints();
  } catch (const std::bad_alloc&) {
    Tell("Error",
         "There is not enough memory to compute the graph \"" + MessageQuote(graph.name) + "\".",
         MessageIcon::Critical);
  } catch (const std::exception& error) {
    Tell("Error",
         "The graph \"" + MessageQuote(graph.name) + "\" cannot be computed: " + error.what(),
         MessageIcon::Critical);
  }
  return false;
}

// --- list and scenes ---

bool Document::DeleteGraph(std::int32_t position) {
  if (position < 1 || position > listScene_.Graphs().Count()) {
    return false;
  }
  const std::int32_t ID = listScene_.Graphs().Item(position)->id;
  if (IsShown(ID)) {
    showScene_.Graphs().Remove(Key(ID));
  }
  listScene_.Graphs().RemoveAt(position);
  const auto index = static_cast<std::size_t>(position - 1);
  if (index < entries_.size()) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  return true;
}

void Document::DeleteAllGraphs() {
  showScene_.Graphs().Clear();
  listScene_.Graphs().Clear();
  entries_.clear();
}

bool Document::IsShown(std::int32_t ID) const {
  return showScene_.Graphs().Contains(Key(ID));
}

bool Document::SetChecked(std::size_t index, bool checked) {
  if (index >= entries_.size()) {
    return false;
  }
  entries_[index].checked = checked;
  return ApplyCheckStates();
}

bool Document::ApplyCheckStates() {
  bool changed = false;
  const std::int32_t count = listScene_.Graphs().Count();
  for (std::int32_t position = 1; position <= count; ++position) {
    const std::shared_ptr<Graph> graph = listScene_.Graphs().Item(position);
    const auto index = static_cast<std::size_t>(position - 1);
    const bool checked = index < entries_.size() && entries_[index].checked;
    const bool shown = IsShown(graph->id);
    if (!checked && shown) {
      showScene_.Graphs().Remove(Key(graph->id));
      changed = true;
    } else if (checked && !shown) {
      showScene_.Graphs().Add(graph, Key(graph->id));
      Sample(*graph);
      changed = true;
    }
  }
  return changed;
}

std::int32_t Document::TakeFreeID() {
  // IDs are the scenes' keys: never hand out one that is taken.
  std::int32_t ID = lastGraphID_ + 1;
  while (listScene_.Graphs().Contains(Key(ID)) || showScene_.Graphs().Contains(Key(ID))) {
    ++ID;
  }
  lastGraphID_ = ID;
  return ID;
}

bool Document::AddDialogGraph(const std::shared_ptr<Graph>& graph) {
  const std::int32_t ID = TakeFreeID();
  graph->id = ID;
  listScene_.Graphs().Add(graph, Key(ID));
  showScene_.Graphs().Add(graph, Key(ID));
  if (!Sample(*graph)) {
    listScene_.Graphs().Remove(Key(ID));
    showScene_.Graphs().Remove(Key(ID));
    return false;
  }
  return true;
}

bool Document::AppendNewGraphEntry(std::int32_t graphCountBefore) {
  if (listScene_.Graphs().Count() <= graphCountBefore || showScene_.Graphs().Empty()) {
    return false;
  }
  showScene_.RotRoll(0);
  showScene_.RotPitch(0);
  showScene_.RotYaw(0);
  const Graph& graph = *showScene_.Graphs().Item(showScene_.Graphs().Count());
  entries_.push_back({NewGraphEntryText(graph).value_or(FallbackEntryText(graph)), true});
  ApplyCheckStates();
  return true;
}

void Document::AppendPastedGraph(const std::shared_ptr<Graph>& graph, std::string entryText,
                                 bool checked, bool sample) {
  const std::int32_t ID = TakeFreeID();
  graph->id = ID;
  listScene_.Graphs().Add(graph, Key(ID));
  if (checked) {
    showScene_.Graphs().Add(graph, Key(ID));
  }
  if (sample) {
    Sample(*graph);
  }
  entries_.push_back({std::move(entryText), checked});
}

bool Document::EditDialogGraph(std::int32_t position, const Graph& edited) {
  if (position < 1 || position > listScene_.Graphs().Count()) {
    return false;
  }
  const std::shared_ptr<Graph> graph = listScene_.Graphs().Item(position);
  Graph previous(values_);
  previous.TakeSettings(*graph);
  // ShowScene holds this very record, so it changes there too.
  graph->TakeSettings(edited);
  if (!Sample(*graph)) {
    graph->TakeSettings(previous);
    Sample(*graph);
    return false;
  }
  const auto index = static_cast<std::size_t>(position - 1);
  if (index < entries_.size()) {
    entries_[index].text = NewGraphEntryText(*graph).value_or(FallbackEntryText(*graph));
  }
  return true;
}

// --- commands ---

void Document::ResetForNew() {
  showScene_.RotRoll(0);
  showScene_.RotPitch(0);
  showScene_.RotYaw(0);
  values_.documentKind = DocumentKind::Plane;
  mainAxis_.betterFonts = true;
}

bool Document::New() {
  if (listScene_.Graphs().Empty()) {
    ResetForNew();
    return true;
  }
  switch (dialogs_->Ask("Note", "Save changes to file?", MessageIcon::Exclamation,
                        QuestionButtons::YesNoCancel)) {
    case Answer::Yes:
      Save();
      if (!saved_) {
        return false;
      }
      DeleteAllGraphs();
      ResetForNew();
      saved_ = false;
      return true;
    case Answer::No:
      ResetForNew();
      DeleteAllGraphs();
      return true;
    case Answer::Cancel:
      break;
  }
  return false;
}

GraphFileBytes Document::BuildGraphFile() {
  return EncodeGraphFile(BuildDocumentText(values_.documentKind, showScene_, mainAxis_));
}

std::optional<GraphFileBytes> Document::BuildToldGraphFile() {
  try {
    return BuildGraphFile();
  } catch (const IoError& error) {
    Tell("Error", std::string("The graphs cannot be saved. ") + error.what(),
         MessageIcon::Critical);
    return std::nullopt;
  }
}

bool Document::WriteBuiltGraphFile(const std::string& path, const GraphFileBytes& file) {
  try {
    WriteFileAtomically(path, file.bytes);
  } catch (const IoError& error) {
    Tell("Error", "Cannot write the file \"" + path + "\": " + error.what(), MessageIcon::Critical);
    return false;
  }
  if (!file.lossyTexts.empty()) {
    std::string list;
    for (const std::string& text : file.lossyTexts) {
      list += (list.empty() ? "\"" : ", \"") + MessageQuote(text) + "\"";
    }
    Tell("Warning",
         "Graph files cannot store some characters of these texts; they were saved with \"?\" "
         "in their place: " +
             list + ".",
         MessageIcon::Exclamation);
  }
  return true;
}

bool Document::WriteGraphFile(const std::string& path) {
  const std::optional<GraphFileBytes> file = BuildToldGraphFile();
  return file && WriteBuiltGraphFile(path, *file);
}

void Document::Save() {
  saved_ = true;
  if (listScene_.Graphs().Empty()) {
    return;
  }
  // The whole text is made before the dialog: a graph that cannot be written
  // ends the command without asking for a name.
  const std::optional<GraphFileBytes> file = BuildToldGraphFile();
  if (!file) {
    saved_ = false;
    return;
  }
  const std::optional<FileChoice> choice =
      dialogs_->AskFileName(FileDialogMode::Save, "Save", kGraphFileFilter);
  if (!choice || choice->path.empty() || !WriteBuiltGraphFile(choice->path, *file)) {
    saved_ = false;
    return;
  }
  dialogs_->GraphFileWritten(choice->path);
}

SaveAsResult Document::SaveAs() {
  SaveAsResult result;
  const std::optional<FileChoice> choice =
      dialogs_->AskFileName(FileDialogMode::Save, "Save As", kSaveAsFilter);
  if (!choice || choice->path.empty()) {
    saved_ = false;
    return result;
  }
  result.path = choice->path;
  if (choice->filterIndex != 1) {
    result.kind = SaveAsResult::PictureChosen;
    return result;
  }
  saved_ = true;
  if (!WriteGraphFile(choice->path)) {
    saved_ = false;
    result.kind = SaveAsResult::Failed;
    return result;
  }
  dialogs_->GraphFileWritten(choice->path);
  saved_ = false;
  result.kind = SaveAsResult::WroteGraphFile;
  return result;
}

OpenResult Document::Open() {
  if (!showScene_.Graphs().Empty()) {
    switch (dialogs_->Ask("Note", "Do you want to save the graphs?", MessageIcon::Exclamation,
                          QuestionButtons::YesNoCancel)) {
      case Answer::Yes:
        Save();
        if (!saved_) {
          return OpenResult::Unchanged;
        }
        break;
      case Answer::No:
        break;
      case Answer::Cancel:
        return OpenResult::Unchanged;
    }
  }
  const std::optional<FileChoice> choice =
      dialogs_->AskFileName(FileDialogMode::Open, "Open File", kGraphFileFilter);
  if (!choice || choice->path.empty()) {
    return OpenResult::Unchanged;
  }
  return ReadGraphFile(choice->path, true);
}

OpenResult Document::OpenGraphFile(const std::string& path) {
  return ReadGraphFile(path, false);
}

OpenResult Document::ReadGraphFile(const std::string& path, bool restartIDs) {
  if (path.empty()) {
    return OpenResult::Unchanged;
  }
  const std::string refusal = "The file \"" + path + "\" cannot be opened. ";
  StagedDocument staged;
  std::string cut;  // how much of its text a file cut short holds
  try {
    const GraphFileText file = ReadGraphFileText(path);
    if (file.held < file.announced) {
      cut = "it holds " + std::to_string(file.held) + " of the " + std::to_string(file.announced) +
            " characters its header announces";
    }
    if (file.text.empty()) {
      if (cut.empty()) {
        return OpenResult::Unchanged;
      }
      throw IoError("Its text is missing.");
    }
    staged = ParseDocumentText(file.text, values_, mainAxis_, !cut.empty());
  } catch (const IoError& error) {
    Tell("Error", refusal + Sentence(cut) + error.what(), MessageIcon::Critical);
    return OpenResult::Refused;
  } catch (const std::bad_alloc&) {
    Tell("Error", refusal + "It is too large for the memory available.", MessageIcon::Critical);
    return OpenResult::Refused;
  }
  if (!cut.empty() || !staged.damage.empty()) {
    const std::string separator = !cut.empty() && !staged.damage.empty() ? "; " : "";
    Tell("Warning",
         "The file \"" + path + "\" is damaged: " + cut + separator + staged.damage + ".",
         MessageIcon::Exclamation);
  }

  // Everything that could be read was read: now replace the document.
  DeleteAllGraphs();
  if (restartIDs) {
    lastGraphID_ = 0;
  }
  values_.documentKind = staged.documentKind;
  showScene_.RotRoll(staged.RotRoll);
  showScene_.RotPitch(staged.RotPitch);
  showScene_.RotYaw(staged.RotYaw);
  for (StagedGraph& staging : staged.graphs) {
    Graph& graph = *staging.graph;
    ++lastGraphID_;
    graph.id = lastGraphID_;
    listScene_.Graphs().Add(staging.graph, Key(lastGraphID_));
    showScene_.Graphs().Add(staging.graph, Key(lastGraphID_));
    // An animated record sets the frame count before its graph is sampled,
    // as if the file were read and sampled graph by graph.
    if (staging.animFrames) {
      values_.AnimFrames = *staging.animFrames;
      values_.AnimExtra = *staging.animExtra;
    }
    if (staging.sample) {
      Sample(graph);
    }
    entries_.push_back({std::move(staging.entryText), true});
  }
  mainAxis_ = staged.axis;
  return OpenResult::Opened;
}

bool Document::ConfirmClose() {
  if (listScene_.Graphs().Empty()) {
    return true;
  }
  if (dialogs_->Ask("Note", "Do you want to save the graphs?", MessageIcon::Exclamation,
                    QuestionButtons::YesNo) == Answer::Yes) {
    Save();
    return saved_;
  }
  return true;
}

}  // namespace quillon
