#include "io/document.h"

#include <QUndoStack>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <new>
#include <utility>
#include <variant>

#include "expr/reporter.h"
#include "graph/graph.h"
#include "io/atomic_file.h"
#include "io/graph_file.h"
#include "io/graph_list_text.h"
#include "io/io_error.h"
#include "io/sampling_run.h"
#include "scene/axis_fields.h"

namespace quillon {
namespace {

constexpr const char* kGraphFileFilter = "(*.pgp)|*.pgp";
constexpr const char* kSaveAsFilter = "*.pgp|*.pgp|*.bmp|*.bmp|*.svg|*.svg|*.pdf|*.pdf";
constexpr const char* kGraphFileExtension = ".pgp";
// The picture filters of Save As in their order (filter 2, 3, 4).
constexpr std::array<std::pair<const char*, SaveAsResult::Picture>, 3> kPictureFilters{{
    {".bmp", SaveAsResult::Bmp},
    {".svg", SaveAsResult::Svg},
    {".pdf", SaveAsResult::Pdf},
}};

bool EndsWithCaseless(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         std::equal(ending.begin(), ending.end(),
                    text.end() - static_cast<std::ptrdiff_t>(ending.size()), [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

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

// Whether the last part of a path has an extension: a dot after its first
// character ("graphs.pgp", "my.doc"; not "graphs" or ".hidden").
bool HasExtension(const std::string& path) {
  const std::size_t name = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  const std::size_t first = name == std::string::npos ? 0 : name + 1;
  return dot != std::string::npos && dot > first;
}

// Whether two axes have the same settings, every field of the record.
bool SameAxis(const Axis& a, const Axis& b) {
  bool same = true;
  for (const AxisField& field : AxisRecordFields()) {
    std::visit([&](auto member) { same = same && a.*member == b.*member; }, field.member);
  }
  return same;
}

// Whether two states are alike in everything the user sees or saves (the
// next free ID does not count).
bool SameState(const DocumentState& a, const DocumentState& b) {
  return a.graphs == b.graphs && a.entries == b.entries && SameAxis(a.axis, b.axis) &&
         a.documentKind == b.documentKind && a.viewBounds == b.viewBounds &&
         a.animFrames == b.animFrames && a.animExtra == b.animExtra && a.rotation == b.rotation;
}

// The label of the work of sampling these graphs.
std::string SamplingLabel(const std::vector<std::shared_ptr<Graph>>& graphs) {
  if (graphs.size() == 1) {
    return "Computing the graph \"" + MessageQuote(graphs[0]->name) + "\"...";
  }
  return "Computing " + std::to_string(graphs.size()) + " graphs...";
}

}  // namespace

// A step of the history: the states before and after it.
class Document::Step : public QUndoCommand {
 public:
  Step(Document& document, const std::string& text, DocumentState before, DocumentState after)
      : QUndoCommand(QString::fromStdString(text)),
        document_(document),
        before_(std::move(before)),
        after_(std::move(after)) {}
  void undo() override { document_.Restore(before_); }
  void redo() override { document_.Restore(after_); }

 private:
  Document& document_;
  DocumentState before_;
  DocumentState after_;
};

Document::Document(DocumentDialogs& dialogs)
    : dialogs_(&dialogs), history_(std::make_unique<QUndoStack>()) {
  values_.reporter = &dialogs;
  mainAxis_.shown = true;
}

Document::~Document() {
  // The steps restore into this document: they go first, telling nobody (a
  // window that listens is going too).
  history_->blockSignals(true);
  history_.reset();
}

std::shared_ptr<Graph> Document::MakeGraph() {
  return std::make_shared<Graph>(values_);
}

void Document::Tell(const std::string& title, const std::string& text, MessageIcon icon) {
  dialogs_->Report(title, text, icon);
}

// --- the history ---

bool Document::IsModified() const {
  if (filePath_.empty()) {
    return !listScene_.Graphs().Empty();
  }
  return !history_->isClean();
}

DocumentState Document::State() const {
  DocumentState state;
  for (const GraphCollection::Entry& entry : listScene_.Graphs()) {
    state.graphs.push_back(entry.second);
  }
  state.entries = entries_;
  state.axis = mainAxis_;
  state.documentKind = values_.documentKind;
  state.viewBounds = {values_.ViewMinX, values_.ViewMaxX, values_.ViewMinY,
                      values_.ViewMaxY, values_.ViewMinZ, values_.ViewMaxZ};
  state.animFrames = values_.AnimFrames;
  state.animExtra = values_.AnimExtra;
  state.rotation = {showScene_.RotRoll(), showScene_.RotPitch(), showScene_.RotYaw()};
  state.lastGraphID = lastGraphID_;
  return state;
}

void Document::Restore(const DocumentState& state) {
  SetGraphs(state.graphs, state.entries);
  mainAxis_ = state.axis;
  values_.documentKind = state.documentKind;
  values_.ViewMinX = state.viewBounds[0];
  values_.ViewMaxX = state.viewBounds[1];
  values_.ViewMinY = state.viewBounds[2];
  values_.ViewMaxY = state.viewBounds[3];
  values_.ViewMinZ = state.viewBounds[4];
  values_.ViewMaxZ = state.viewBounds[5];
  values_.AnimFrames = state.animFrames;
  values_.AnimExtra = state.animExtra;
  showScene_.RotRoll(state.rotation[0]);
  showScene_.RotPitch(state.rotation[1]);
  showScene_.RotYaw(state.rotation[2]);
  lastGraphID_ = state.lastGraphID;
}

bool Document::RecordStep(const std::string& text, const DocumentState& before) {
  DocumentState after = State();
  if (SameState(before, after)) {
    return false;
  }
  history_->push(new Step(*this, text, before, std::move(after)));
  return true;
}

// --- list and scenes ---

void Document::SetGraphs(const std::vector<std::shared_ptr<Graph>>& graphs,
                         std::vector<GraphListEntry> entries) {
  listScene_.Graphs().Clear();
  for (const std::shared_ptr<Graph>& graph : graphs) {
    listScene_.Graphs().Add(graph, Key(graph->id));
  }
  entries_ = std::move(entries);
  RebuildShowScene();
}

void Document::RebuildShowScene() {
  showScene_.Graphs().Clear();
  std::size_t index = 0;
  for (const GraphCollection::Entry& entry : listScene_.Graphs()) {
    if (index < entries_.size() && entries_[index].checked) {
      showScene_.Graphs().Add(entry.second, entry.first);
    }
    ++index;
  }
}

bool Document::DeleteGraph(std::int32_t position) {
  if (position < 1 || position > listScene_.Graphs().Count()) {
    return false;
  }
  listScene_.Graphs().RemoveAt(position);
  const auto index = static_cast<std::size_t>(position - 1);
  if (index < entries_.size()) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  RebuildShowScene();
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
  if (index >= entries_.size() || entries_[index].checked == checked) {
    return false;
  }
  entries_[index].checked = checked;
  RebuildShowScene();
  return true;
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

bool Document::SampleApart(const std::vector<std::shared_ptr<Graph>>& graphs,
                           std::vector<bool>& sampled) {
  const auto run = std::make_shared<SamplingRun>(values_);
  for (const std::shared_ptr<Graph>& graph : graphs) {
    // The records given are not yet sampled, so copying them is cheap.
    SamplingRun::Item item;
    item.graph = std::make_shared<Graph>(Graph(*graph), run->values);
    run->items.push_back(std::move(item));
  }
  if (!dialogs_->RunLongWork(SamplingLabel(graphs), [run] { run->Run(); })) {
    return false;
  }
  values_.random = run->values.random;
  values_.AnimFrames = run->values.AnimFrames;
  for (const HeldMessages::Message& message : run->messages.messages) {
    Tell(message.title, message.text, message.icon);
  }
  sampled.clear();
  for (std::size_t i = 0; i < graphs.size(); ++i) {
    *graphs[i] = Graph(std::move(*run->items[i].graph), values_);
    sampled.push_back(run->items[i].sampled);
  }
  return true;
}

bool Document::AddDialogGraph(const std::shared_ptr<Graph>& graph) {
  const std::int32_t lastID = lastGraphID_;
  graph->id = TakeFreeID();
  std::vector<bool> sampled;
  if (!SampleApart({graph}, sampled)) {
    lastGraphID_ = lastID;
    return false;
  }
  if (!sampled[0]) {
    return false;
  }
  listScene_.Graphs().Add(graph, Key(graph->id));
  entries_.push_back({NewGraphEntryText(*graph).value_or(FallbackEntryText(*graph)), true});
  RebuildShowScene();
  showScene_.RotRoll(0);
  showScene_.RotPitch(0);
  showScene_.RotYaw(0);
  return true;
}

bool Document::AppendPastedGraphs(std::vector<PastedGraph> graphs) {
  std::vector<std::shared_ptr<Graph>> toSample;
  for (PastedGraph& pasted : graphs) {
    if (pasted.sample) {
      toSample.push_back(pasted.graph);
    }
  }
  std::vector<bool> sampled;
  if (!toSample.empty() && !SampleApart(toSample, sampled)) {
    return false;
  }
  for (PastedGraph& pasted : graphs) {
    pasted.graph->id = TakeFreeID();
    listScene_.Graphs().Add(pasted.graph, Key(pasted.graph->id));
    entries_.push_back({std::move(pasted.entryText), pasted.checked});
  }
  RebuildShowScene();
  return true;
}

bool Document::EditDialogGraph(std::int32_t position, const Graph& edited) {
  if (position < 1 || position > listScene_.Graphs().Count()) {
    return false;
  }
  const std::shared_ptr<Graph>& old = listScene_.Graphs().Item(position);
  // A new record: the old one stays as it is for undo, and for a failure.
  const std::shared_ptr<Graph> graph = MakeGraph();
  CopyGraphSettings(*old, *graph);
  graph->TakeSettings(edited);
  std::vector<bool> sampled;
  if (!SampleApart({graph}, sampled) || !sampled[0]) {
    return false;
  }
  std::vector<std::shared_ptr<Graph>> graphs = State().graphs;
  const auto index = static_cast<std::size_t>(position - 1);
  graphs[index] = graph;
  std::vector<GraphListEntry> entries = entries_;
  if (index < entries.size()) {
    entries[index].text = NewGraphEntryText(*graph).value_or(FallbackEntryText(*graph));
  }
  SetGraphs(graphs, std::move(entries));
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
  if (IsModified()) {
    switch (dialogs_->Ask("Note", "Save changes to file?", MessageIcon::Exclamation,
                          QuestionButtons::YesNoCancel)) {
      case Answer::Yes:
        Save();
        if (!saved_) {
          return false;
        }
        saved_ = false;
        break;
      case Answer::No:
        break;
      case Answer::Cancel:
        return false;
    }
  }
  DeleteAllGraphs();
  ResetForNew();
  filePath_.clear();
  history_->clear();
  return true;
}

GraphFileBytes Document::BuildGraphFile() {
  return EncodeGraphFile(BuildDocumentText(values_.documentKind, listScene_, mainAxis_));
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
  // The work owns what it writes; a failure comes back as its message.
  struct Writing {
    std::string path;
    std::string bytes;
    std::optional<std::string> failure;
  };
  const auto writing = std::make_shared<Writing>(Writing{path, file.bytes, std::nullopt});
  const bool finished = dialogs_->RunLongWork("Saving \"" + path + "\"...", [writing] {
    try {
      WriteFileAtomically(writing->path, writing->bytes);
    } catch (const IoError& error) {
      writing->failure = error.what();
    }
  });
  if (!finished) {
    return false;
  }
  if (writing->failure) {
    Tell("Error", "Cannot write the file \"" + path + "\": " + *writing->failure,
         MessageIcon::Critical);
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

void Document::FileWritten(const std::string& path) {
  filePath_ = path;
  history_->setClean();
  dialogs_->GraphFileWritten(path);
}

std::optional<std::string> Document::NameToWrite(const std::string& chosen,
                                                 const std::string& extension) {
  if (HasExtension(chosen)) {
    // The file dialog has asked about replacing the file it names.
    return chosen;
  }
  const std::string path = chosen + extension;
  std::error_code ignored;
  if (std::filesystem::exists(path, ignored) &&
      dialogs_->Ask("Note", "The file \"" + path + "\" already exists. Do you want to replace it?",
                    MessageIcon::Exclamation, QuestionButtons::YesNo) != Answer::Yes) {
    return std::nullopt;
  }
  return path;
}

void Document::Save() {
  saved_ = true;
  if (filePath_.empty() && listScene_.Graphs().Empty()) {
    return;
  }
  // The whole text is made before the dialog: a graph that cannot be written
  // ends the command without asking for a name.
  const std::optional<GraphFileBytes> file = BuildToldGraphFile();
  if (!file) {
    saved_ = false;
    return;
  }
  std::optional<std::string> path;
  if (!filePath_.empty()) {
    path = filePath_;
  } else if (const std::optional<FileChoice> choice =
                 dialogs_->AskFileName(FileDialogMode::Save, "Save", kGraphFileFilter);
             choice && !choice->path.empty()) {
    path = NameToWrite(choice->path, kGraphFileExtension);
  }
  if (!path || !WriteBuiltGraphFile(*path, *file)) {
    saved_ = false;
    return;
  }
  FileWritten(*path);
}

SaveAsResult Document::SaveAs() {
  SaveAsResult result;
  const std::optional<FileChoice> choice =
      dialogs_->AskFileName(FileDialogMode::Save, "Save As", kSaveAsFilter);
  if (!choice || choice->path.empty()) {
    return result;
  }
  const bool picture = choice->filterIndex != 1;
  // Filters past the last picture filter (none today) count as the last.
  const std::size_t filterPicture = std::min<std::size_t>(
      static_cast<std::size_t>(std::max(choice->filterIndex, 2) - 2), kPictureFilters.size() - 1);
  const std::optional<std::string> path = NameToWrite(
      choice->path, picture ? kPictureFilters[filterPicture].first : kGraphFileExtension);
  if (!path) {
    return result;
  }
  result.path = *path;
  if (picture) {
    result.kind = SaveAsResult::PictureChosen;
    result.picture = kPictureFilters[filterPicture].second;
    for (const auto& [extension, format] : kPictureFilters) {
      if (EndsWithCaseless(*path, extension)) {
        result.picture = format;
      }
    }
    return result;
  }
  if (!WriteGraphFile(*path)) {
    result.kind = SaveAsResult::Failed;
    return result;
  }
  FileWritten(*path);
  result.kind = SaveAsResult::WroteGraphFile;
  return result;
}

OpenResult Document::Open() {
  if (IsModified()) {
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
  // Reading, parsing and sampling are done apart from the document, which
  // changes only once everything is there.
  struct Reading {
    Reading(const DocumentValues& values, const Axis& axis, std::string file)
        : run(values), currentAxis(axis), path(std::move(file)) {}
    SamplingRun run;
    Axis currentAxis;
    std::string path;
    StagedDocument staged;
    std::string cut;      // how much of its text a file cut short holds
    std::string failure;  // why the file is refused; "" when it is not
    bool empty = false;   // a whole file without text: nothing to open
  };
  const auto reading = std::make_shared<Reading>(values_, mainAxis_, path);
  const bool finished = dialogs_->RunLongWork("Opening \"" + path + "\"...", [reading] {
    try {
      const GraphFileText file = ReadGraphFileText(reading->path);
      if (file.held < file.announced) {
        reading->cut = "it holds " + std::to_string(file.held) + " of the " +
                       std::to_string(file.announced) + " characters its header announces";
      }
      if (file.text.empty()) {
        if (reading->cut.empty()) {
          reading->empty = true;
          return;
        }
        throw IoError("Its text is missing.");
      }
      reading->staged = ParseDocumentText(file.text, reading->run.values, reading->currentAxis,
                                          !reading->cut.empty());
    } catch (const IoError& error) {
      reading->failure = Sentence(reading->cut) + error.what();
      return;
    } catch (const std::bad_alloc&) {
      reading->failure = "It is too large for the memory available.";
      return;
    }
    // The graphs are sampled in the document they will belong to.
    reading->run.values.documentKind = reading->staged.documentKind;
    for (StagedGraph& staging : reading->staged.graphs) {
      SamplingRun::Item item;
      item.graph = staging.graph;
      item.sample = staging.sample;
      item.animFrames = staging.animFrames;
      item.animExtra = staging.animExtra;
      reading->run.items.push_back(std::move(item));
    }
    reading->run.Run();
  });
  if (!finished || reading->empty) {
    return OpenResult::Unchanged;
  }
  if (!reading->failure.empty()) {
    Tell("Error", "The file \"" + path + "\" cannot be opened. " + reading->failure,
         MessageIcon::Critical);
    return OpenResult::Refused;
  }
  const StagedDocument& staged = reading->staged;
  const std::string& cut = reading->cut;
  const bool damaged = !cut.empty() || !staged.damage.empty();
  if (damaged) {
    const std::string separator = !cut.empty() && !staged.damage.empty() ? "; " : "";
    Tell("Warning",
         "The file \"" + path + "\" is damaged: " + cut + separator + staged.damage + ".",
         MessageIcon::Exclamation);
  }
  for (const HeldMessages::Message& message : reading->run.messages.messages) {
    Tell(message.title, message.text, message.icon);
  }

  // Everything that could be read was read: now replace the document.
  if (restartIDs) {
    lastGraphID_ = 0;
  }
  values_.random = reading->run.values.random;
  values_.AnimFrames = reading->run.values.AnimFrames;
  values_.AnimExtra = reading->run.values.AnimExtra;
  values_.documentKind = staged.documentKind;
  showScene_.RotRoll(staged.RotRoll);
  showScene_.RotPitch(staged.RotPitch);
  showScene_.RotYaw(staged.RotYaw);
  std::vector<std::shared_ptr<Graph>> graphs;
  std::vector<GraphListEntry> entries;
  for (std::size_t i = 0; i < staged.graphs.size(); ++i) {
    const std::shared_ptr<Graph> graph =
        std::make_shared<Graph>(std::move(*reading->run.items[i].graph), values_);
    graph->id = ++lastGraphID_;
    graphs.push_back(graph);
    entries.push_back({staged.graphs[i].entryText, true});
  }
  SetGraphs(graphs, std::move(entries));
  mainAxis_ = staged.axis;
  filePath_ = path;
  history_->clear();
  if (damaged) {
    // What the file lacked is not in it: the document differs from its file.
    history_->resetClean();
  }
  return OpenResult::Opened;
}

bool Document::ConfirmClose() {
  if (!IsModified()) {
    return true;
  }
  switch (dialogs_->Ask("Note", "Do you want to save the graphs?", MessageIcon::Exclamation,
                        QuestionButtons::YesNoCancel)) {
    case Answer::Yes:
      Save();
      return saved_;
    case Answer::No:
      return true;
    case Answer::Cancel:
      break;
  }
  return false;
}

}  // namespace quillon
