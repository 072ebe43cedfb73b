// The document: opening, saving, the list operations and their history,
// through dialogs that answer from queues.
#include "io/document.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QUndoStack>
#include <functional>
#include <random>
#include <sstream>
#include <tuple>

#include "graph/graph.h"
#include "io/clipboard.h"
#include "io/graph_file.h"
#include "io/record_writer.h"
#include "io/token_cursor.h"
#include "support/codes.h"
#include "support/field_seeds.h"
#include "test_support.h"

namespace quillon {
namespace {

using namespace test;

// Everything a command could change, as one text.
std::string Snapshot(Document& document) {
  std::ostringstream out;
  const DocumentValues& values = document.Values();
  out << testing::Code(values.documentKind) << " " << document.LastGraphID() << " "
      << values.AnimFrames << " " << document.ShowScene().RotPitch() << " " << values.ViewMaxY
      << " " << document.FilePath() << " " << Lists(document) << Save(document.ListScene());
  Axis axis = document.MainAxis();
  out << axis.shown;
  axis.shown = true;
  return out.str() + Save(axis);
}

// The permission bits of a file.
mode_t Mode(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

// Written files get the permissions of the file they replace, else those the
// umask 022 allows.
class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() : umask_(::umask(022)) {}
  ~DocumentTest() override { ::umask(umask_); }
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    return WriteBytes(folder.File(name), bytes);
  }

  const std::string populated =
      "+2D Curve  y=x^2; -2D Curve  x=cos(u), y=sin(u); +2D Curve  r=a/2; ";
  TempFolder folder;
  TestDocument document;
  FakeDialogs& dialogs = document.dialogs;

 private:
  mode_t umask_;
};

TEST_F(DocumentTest, DialogGraphsGetEntriesAndUniqueIDsAndDeleteTakesThem) {
  document.Populate();
  document.LastGraphID(0);  // IDs some graph already holds are skipped
  AddCurve(document, "line", "x");
  EXPECT_FALSE(document.AddDialogGraph(MakeCurve(document, "broken", "sin(")));
  EXPECT_EQ(Lists(document), "1 2 3 4 | 1 3 4 | " + populated + "+2D Curve  y=x; ");
  EXPECT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told.at(0).rfind("Syntax Error: ", 0), 0u);
  EXPECT_FALSE(document.DeleteGraph(0) || document.DeleteGraph(5));
  EXPECT_TRUE(document.DeleteGraph(4) && document.DeleteGraph(3) && document.DeleteGraph(2));
  EXPECT_EQ(Lists(document), "1 | 1 | +2D Curve  y=x^2; ");
  document.DeleteAllGraphs();
  EXPECT_EQ(Lists(document), "| | ");
}

// Hidden graphs are saved too, and checking never moves a graph: the file
// and the drawing keep the list order, and the points stay.
TEST_F(DocumentTest, CheckingKeepsTheListOrderAndEveryGraphIsSaved) {
  document.Populate();
  const std::string file = document.BuildGraphFile().bytes;
  const GridPoint* point = document.GraphAt(2).Points().Find(0, 4);
  EXPECT_FALSE(document.SetChecked(1, false));  // already unchecked: nothing changes
  EXPECT_FALSE(document.SetChecked(7, true));
  for (const std::size_t index : {0u, 1u, 0u}) {
    EXPECT_TRUE(document.SetChecked(index, !document.Entries()[index].checked));
  }
  EXPECT_EQ(Lists(document).substr(0, 16), "1 2 3 | 1 2 3 | ");
  EXPECT_EQ(document.GraphAt(2).Points().Find(0, 4), point);
  EXPECT_EQ(document.BuildGraphFile().bytes, file);
  TestDocument opened;
  ASSERT_EQ(opened.OpenGraphFile(WriteFile("all.pgp", file)), OpenResult::Opened);
  EXPECT_EQ(Lists(opened).substr(0, 16), "1 2 3 | 1 2 3 | ");
}

// An edit makes a new record with the dialog's settings and the old record's
// others; the old record stays as it was, for undo and when the new one
// cannot be sampled.
TEST_F(DocumentTest, EditMakesANewRecordAndKeepsTheOldOne) {
  document.Populate();
  const std::shared_ptr<Graph> old = document.ListScene().Graphs().Item(3);
  testing::SeedGraphFields(*old, 100);
  old->scatterSize = 9;
  old->TableCell(2, 3)->z = 7;
  const std::string oldRecord = Save(*old);
  const std::shared_ptr<Graph> edited = MakeCurve(document, "line", "2*x");
  ASSERT_TRUE(document.EditDialogGraph(3, *edited));
  const std::shared_ptr<Graph> now = document.ListScene().Graphs().Item(3);
  EXPECT_EQ(Save(*old), oldRecord);
  EXPECT_EQ(document.ShowScene().Graphs().Item(2), now);
  EXPECT_EQ(now->Points().Find(0, 8)->y, 4.0f);
  EXPECT_EQ(document.Entries()[2].text, "2D Curve  y=2*x");
  EXPECT_EQ(testing::DifferingGraphFields(*now, *edited),
            (Names{"ID", "MinT", "MaxT", "LenFrom", "LenTo"}));
  for (const std::string& name : testing::DifferingGraphFields(*now, *old)) {
    EXPECT_TRUE(name != "ID" && name != "MinT" && name != "LenTo") << name;
  }
  EXPECT_EQ(now->scatterSize, 9);
  EXPECT_EQ(now->TableCell(2, 3)->z, 7.0f);
  EXPECT_FALSE(document.EditDialogGraph(3, *MakeCurve(document, "broken", "2*")));
  EXPECT_EQ(document.ListScene().Graphs().Item(3), now);
  EXPECT_FALSE(document.EditDialogGraph(4, *edited));
}

// The text is made before the file dialog: a record that cannot be written
// ends Save without asking for a name. A file that cannot be written is told.
// Save replaces the whole file a link names (no tail of the longer old file
// is left, its permissions stay); once the document has its file, Save
// writes there without asking.
TEST_F(DocumentTest, SaveWritesEveryGraphAtomicallyThroughALinkOrTellsWhyNot) {
  document.Save();
  EXPECT_TRUE(document.Saved());  // nothing to save
  document.Populate();
  document.GraphAt(1).curvaturePositions.count = 51;
  dialogs.ChooseFile(folder.File("never.pgp"));
  document.Save();
  EXPECT_TRUE(!document.Saved() && dialogs.fileDialogs.empty() && folder.Sorted().empty());
  EXPECT_EQ(dialogs.told.at(0).rfind("Error: ", 0), 0u);
  document.GraphAt(1).curvaturePositions.count = 0;
  dialogs.fileChoices.clear();
  document.Save();  // the file dialog is cancelled
  EXPECT_FALSE(document.Saved());
  const std::string blocker = WriteFile("plain", "not a folder");
  const std::string pipe = folder.File("pipe.pgp");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string subfolder = folder.File("folder.pgp");
  ASSERT_EQ(::mkdir(subfolder.c_str(), 0700), 0);
  for (const std::string& path : {blocker + "/x.pgp", subfolder, pipe}) {
    SCOPED_TRACE(path);
    dialogs.told.clear();
    dialogs.ChooseFile(path);
    document.Save();
    EXPECT_FALSE(document.Saved());
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(dialogs.told[0].rfind("Error: ", 0), 0u);
    EXPECT_NE(dialogs.told[0].find(path), std::string::npos);
  }
  EXPECT_TRUE(dialogs.written.empty() && document.FilePath().empty());
  EXPECT_EQ(ReadBytes(blocker), "not a folder");

  const std::string target = WriteFile("old.pgp", std::string(100000, 'x'));
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const std::string link = folder.File("link.pgp");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  dialogs.told.clear();
  dialogs.ChooseFile(link);
  document.Save();
  EXPECT_TRUE(document.Saved() && dialogs.told.empty());
  EXPECT_EQ(document.FilePath(), link);
  EXPECT_EQ(ReadBytes(target), document.BuildGraphFile().bytes);
  EXPECT_EQ(DecodeGraphFile(ReadBytes(target)).text.substr(0, 6), "S51 3 ");
  document.DeleteGraph(1);
  document.Save();
  EXPECT_EQ(DecodeGraphFile(ReadBytes(target)).text.substr(0, 6), "S51 2 ");
  EXPECT_EQ(Mode(target), 0640u);
  EXPECT_EQ(dialogs.fileDialogs, Names(5, "Save [(*.pgp)|*.pgp] save"));
  EXPECT_EQ(dialogs.written, Names(2, link));
  EXPECT_EQ(folder.Sorted(), (Names{"folder.pgp", "link.pgp", "old.pgp", "pipe.pgp", "plain"}));
}

// Save As names the file by the filter chosen: a name without an extension
// gets the filter's, and a file so named is replaced only when the user says
// so. With no graph at all it still writes a file with graph count 0.
TEST_F(DocumentTest, SaveAsAddsTheExtensionAndAsksBeforeReplacing) {
  ASSERT_EQ(::chmod(WriteFile("taken.pgp", "old").c_str(), 0604), 0);
  WriteFile("taken.bmp", "old");
  // Typed, the filter, the answer to the replace question (when asked), the
  // outcome, the path it names ("" when nothing is to be written) and the
  // picture's format.
  using Picture = SaveAsResult::Picture;
  const std::tuple<std::string, std::int32_t, std::optional<Answer>, SaveAsResult::Kind,
                   std::string, Picture>
      cases[] = {
          {"graphs", 1, std::nullopt, SaveAsResult::WroteGraphFile, "graphs.pgp", Picture::Bmp},
          {"my.graphs", 1, std::nullopt, SaveAsResult::WroteGraphFile, "my.graphs", Picture::Bmp},
          {"taken", 1, Answer::No, SaveAsResult::Cancelled, "", Picture::Bmp},
          {"taken", 1, Answer::Yes, SaveAsResult::WroteGraphFile, "taken.pgp", Picture::Bmp},
          {"taken.pgp", 1, std::nullopt, SaveAsResult::WroteGraphFile, "taken.pgp", Picture::Bmp},
          {"view", 2, std::nullopt, SaveAsResult::PictureChosen, "view.bmp", Picture::Bmp},
          {"view", 3, std::nullopt, SaveAsResult::PictureChosen, "view.svg", Picture::Svg},
          {"view", 4, std::nullopt, SaveAsResult::PictureChosen, "view.pdf", Picture::Pdf},
          {"chart.PDF", 2, std::nullopt, SaveAsResult::PictureChosen, "chart.PDF", Picture::Pdf},
          {"taken", 2, Answer::No, SaveAsResult::Cancelled, "", Picture::Bmp},
          {"none/x", 1, std::nullopt, SaveAsResult::Failed, "none/x.pgp", Picture::Bmp}};
  for (const auto& [typed, filter, replace, kind, path, picture] : cases) {
    SCOPED_TRACE(typed + " " + std::to_string(filter));
    TestDocument doc;
    doc.dialogs.ChooseFile(folder.File(typed), filter);
    if (replace) {
      doc.dialogs.answers = {*replace};
    }
    const SaveAsResult result = doc.SaveAs();
    EXPECT_EQ(result.kind, kind);
    EXPECT_EQ(result.path, path.empty() ? "" : folder.File(path));
    EXPECT_EQ(doc.dialogs.questions.size(), replace ? 1u : 0u);
    EXPECT_EQ(result.picture, picture);
    EXPECT_EQ(doc.dialogs.fileDialogs,
              Names{"Save As [*.pgp|*.pgp|*.bmp|*.bmp|*.svg|*.svg|*.pdf|*.pdf] save"});
    const bool wrote = kind == SaveAsResult::WroteGraphFile;
    EXPECT_EQ(doc.FilePath(), wrote ? result.path : "");
    EXPECT_EQ(doc.dialogs.written, wrote ? Names{result.path} : Names{});
    if (wrote) {
      EXPECT_EQ(DecodeGraphFile(ReadBytes(result.path)).text, "S51 0 " + Save(doc.MainAxis()));
      EXPECT_EQ(Mode(result.path), path == "taken.pgp" ? 0604u : 0644u);
    }
  }
  EXPECT_EQ(ReadBytes(folder.File("taken.bmp")), "old");
}

// Whatever is wrong with a file, and whatever long work (sampling, reading,
// writing) is cancelled, the open document stays exactly as it was; neither
// a pipe nor an endless device keeps the reader waiting.
TEST_F(DocumentTest, RefusedFilesAndCancelledWorkLeaveTheDocumentUntouched) {
  document.Populate();
  GraphClipboard clipboard(document);
  const std::string copied = clipboard.CopyAll().value();
  const std::string file = folder.File("other.pgp");
  ASSERT_TRUE(document.WriteGraphFile(file));
  const std::string before = Snapshot(document);
  const std::string graph = Save(*MakeCurve(document, "g", "x"));
  const std::string pipe = folder.File("pipe.pgp");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string cases[] = {
      WriteFile("textless.pgp", std::string("\x08\x00\x40\x00", 4)),
      WriteFile("tag.pgp", GraphFileOf("S61 1 " + graph + " 0")),
      WriteFile("axis.pgp", GraphFileOf("S52 1 " + graph + " 1 1 1 1 1 1 1 1 1 1 99999999999")),
      folder.File("missing.pgp"),
      folder.Path(),
      pipe,
      "/dev/zero",
  };
  for (const std::string& path : cases) {
    SCOPED_TRACE(path);
    dialogs.told.clear();
    EXPECT_EQ(document.OpenGraphFile(path), OpenResult::Refused);
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(dialogs.told[0].rfind("Error: The file \"" + path + "\" cannot be opened. ", 0), 0u)
        << dialogs.told[0];
    EXPECT_EQ(Snapshot(document), before);
  }
  // An empty text or no name changes nothing and tells nothing.
  dialogs.told.clear();
  EXPECT_EQ(document.OpenGraphFile(WriteFile("empty.pgp", std::string("\x08\x00\x00\x00", 4))),
            OpenResult::Unchanged);
  EXPECT_EQ(document.OpenGraphFile(""), OpenResult::Unchanged);
  EXPECT_TRUE(dialogs.told.empty());
  EXPECT_EQ(Snapshot(document), before);

  dialogs.cancelLongWork = true;
  dialogs.longWork.clear();
  const std::function<bool()> commands[] = {
      [&] { return document.AddDialogGraph(MakeCurve(document, "new", "x")); },
      [&] { return document.EditDialogGraph(1, *MakeCurve(document, "edited", "x")); },
      [&] { return clipboard.Paste(copied, std::nullopt).pasted > 0; },
      [&] { return document.OpenGraphFile(file) == OpenResult::Opened; },
      [&] {
        dialogs.ChooseFile(folder.File("saved.pgp"));
        document.Save();
        return document.Saved();
      },
  };
  for (std::size_t i = 0; i < std::size(commands); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(commands[i]());
    EXPECT_EQ(Snapshot(document), before);
  }
  EXPECT_EQ(dialogs.longWork.size(), std::size(commands));
  EXPECT_TRUE(dialogs.told.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.File("saved.pgp")));
}

// A damaged file opens with what could be read, told as a warning, and counts
// as modified: what the file lacked is lost unless it is saved again. Only
// the text its header announces is read: a 1.5 GB tail (sparse, so it takes
// no disk) stays out of memory.
TEST_F(DocumentTest, DamagedFilesOpenWhatCanBeReadAndTailsAreNotRead) {
  document.Populate();
  document.DeleteGraph(2);
  const std::string text = document.BuildGraphFile().bytes.substr(4);
  Names tokens = SplitTokens(text);
  tokens.resize(2 + 125 + 10);  // the tag, the count, the first graph, 10 fields of the next
  const std::string cut = WriteFile("cut.pgp", GraphFileOf(text).substr(0, 4) + Join(tokens));
  TestDocument opened;
  ASSERT_EQ(opened.OpenGraphFile(cut), OpenResult::Opened);
  EXPECT_EQ(opened.dialogs.told,
            Names{"Warning: The file \"" + cut + "\" is damaged: it holds " +
                  std::to_string(Join(tokens).size()) + " of the " + std::to_string(text.size()) +
                  " characters its header announces; it ends inside graph 2 of 2; "
                  "graph 1 was read whole, graph 2 only in part."});
  EXPECT_EQ(Lists(opened), "1 2 | 1 2 | +2D Curve  y=x^2; +Graph kind 0: spiral; ");
  EXPECT_EQ(opened.MainAxis().width, TestDocument().MainAxis().width);
  EXPECT_EQ(opened.FilePath(), cut);
  EXPECT_TRUE(opened.IsModified());

  const std::string tail = folder.File("tail.pgp");
  ASSERT_TRUE(document.WriteGraphFile(tail));
  ASSERT_EQ(::truncate(tail.c_str(), off_t{1536} << 20), 0);
  const auto peakKib = [] {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
  };
  const long before = peakKib();
  opened.dialogs.told.clear();
  ASSERT_EQ(opened.OpenGraphFile(tail), OpenResult::Opened);
  EXPECT_TRUE(opened.dialogs.told.empty());
  EXPECT_EQ(Lists(opened).substr(0, 10), "3 4 | 3 4 ");  // IDs continue from the last file's
  EXPECT_LT(peakKib() - before, 100 * 1024);
}

// Open and Close offer to save first and stop unless the save asked for
// happened; the opened file's graphs get IDs from 1, checked entries and
// points.
TEST_F(DocumentTest, OpenAndCloseAskToSaveFirst) {
  document.Populate();
  dialogs.answers = {Answer::Cancel, Answer::Yes, Answer::No};  // Yes: the save is cancelled
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(document.Open(), OpenResult::Unchanged);
  }
  EXPECT_EQ(dialogs.fileDialogs,
            (Names{"Save [(*.pgp)|*.pgp] save", "Open File [(*.pgp)|*.pgp] open"}));
  EXPECT_EQ(document.LastGraphID(), 3);  // IDs restart only when a file is read
  dialogs.answers = {Answer::No, Answer::Yes, Answer::Cancel};  // Yes: the save is cancelled
  for (const bool close : {true, false, false}) {
    EXPECT_EQ(document.ConfirmClose(), close);
  }

  const std::string text =
      "S31 2 0 7 first 1 0 0 x^2 1 4 0 1 -2 2 4 16711680 16711680 255 2 4 2 2 255 1 0 0 2 0 0 "
      "0 0 0 12 second 2 0 0 a 1 4 0 1 0 6 4 0 0 0 1 4 2 2 255 1 0 0 2 0 0 0 0 0";
  const std::string saved = folder.File("saved.pgp");
  dialogs.answers = {Answer::Yes};
  dialogs.ChooseFile(saved);
  dialogs.ChooseFile(WriteFile("two.pgp", GraphFileOf(text)));
  EXPECT_EQ(document.Open(), OpenResult::Opened);
  EXPECT_EQ(DecodeGraphFile(ReadBytes(saved)).text.substr(0, 6), "S51 3 ");
  ASSERT_EQ(Lists(document), "1 2 | 1 2 | +2D Curve  y=x^2; +2D Curve  r=a; ");
  EXPECT_EQ(document.GraphAt(1).Points().Find(0, 1)->y, 1.0f);  // sampled: y = x^2 at x = -2 + 1
  EXPECT_FALSE(document.MainAxis().shown);
  EXPECT_EQ(document.MainAxis().width, 3);  // a hidden axis changes only Show
  EXPECT_EQ(document.Values().AnimFrames, 12);
  EXPECT_EQ(document.FilePath(), folder.File("two.pgp"));
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);  // nothing changed: nothing to ask
  ASSERT_TRUE(document.Record("Hide", [this] { document.SetChecked(0, false); }));
  dialogs.answers = {Answer::Yes};
  dialogs.ChooseFile(folder.File("exit.pgp"));
  EXPECT_TRUE(document.ConfirmClose());
  EXPECT_TRUE(document.ConfirmClose());  // saved: closing asks nothing more
  EXPECT_EQ(dialogs.questions, Names(8, "Note: Do you want to save the graphs?"));
}

TEST_F(DocumentTest, NewAsksToSaveFirstAndResetsTheDocument) {
  // The answer, whether the save dialog gets a name, and after New: the graph
  // count, document kind, yaw, BetterFonts and Saved.
  const std::tuple<Answer, bool, const char*> cases[] = {
      {Answer::Yes, true, "0 1 0 1 0"},
      {Answer::Yes, false, "1 3 45 0 0"},  // save cancelled: nothing changes
      {Answer::No, false, "0 1 0 1 0"},
      {Answer::Cancel, false, "1 3 45 0 0"},
  };
  for (const auto& [answer, chooseFile, after] : cases) {
    TestDocument doc;
    AddCurve(doc, "a", "x");
    doc.Values().documentKind = DocumentKind::Space;
    doc.ShowScene().RotYaw(45);
    doc.MainAxis().betterFonts = false;
    doc.dialogs.answers = {answer};
    if (chooseFile) {
      doc.dialogs.ChooseFile(folder.File("new.pgp"));
    }
    EXPECT_EQ(doc.New(), after[0] == '0');
    EXPECT_EQ(doc.dialogs.questions, Names{"Note: Save changes to file?"});
    std::ostringstream state;
    state << doc.ListScene().Graphs().Count() << " " << testing::Code(doc.Values().documentKind)
          << " " << doc.ShowScene().RotYaw() << " " << doc.MainAxis().betterFonts << " "
          << doc.Saved();
    EXPECT_EQ(state.str(), after);
  }
  // An empty document is reset, or closed, without a question.
  document.Values().documentKind = DocumentKind::Ribbon;
  EXPECT_TRUE(document.New() && document.ConfirmClose() && dialogs.questions.empty());
  EXPECT_EQ(document.Values().documentKind, DocumentKind::Plane);
}

// Write, read, write again: the same bytes, in a file long enough for the
// long length, with every field, entry and point as written (pi, e, sqrt and
// ln; implicit forms in both systems; axis fields away from their defaults). Characters without a
// code are written as "?" with a warning.
TEST_F(DocumentTest, RoundTripKeepsEveryByte) {
  AddCurve(document, "\xCE\xB1 curve", "x^2");
  for (const char* z : {"Sqrt(x+2)*PI", "ln(e*x^2+1)", "e^-x"}) {
    AddCurve(document, z, z);
  }
  for (const auto& [z, form, coordinates] :
       {std::tuple{"x^2+y^2-25", 1, 1}, {"y-3*sin(x)", 4, 1}, {"r-2", 1, 2}, {"r-a", 4, 2}}) {
    const std::shared_ptr<Graph> implicit = MakeCurve(document, z, z, form, coordinates);
    implicit->minU = -4;
    implicit->maxU = 6.2832f;
    implicit->minV = -3;
    implicit->maxV = 5;
    ASSERT_TRUE(document.AddDialogGraph(implicit));
  }
  auto table = document.MakeGraph();
  table->kind = GraphKind::Table3D;
  table->stepsU = table->stepsV = 200;
  for (std::int32_t i = 0; i <= 200; ++i) {
    table->TableCell(i, i)->z = static_cast<float>(i) / 3.0f;
  }
  ASSERT_TRUE(document.AddDialogGraph(table));
  Axis& axis = document.MainAxis();
  axis.showXZPanel = true;
  axis.showYZZGrid = axis.betterFonts = false;
  axis.labelStepsY = 7;
  axis.titleZ = "height (m)";
  axis.yzGridColor = -1;
  axis.xzPanelMaterial = static_cast<MaterialPreset>(9);
  axis.color = 65535;
  const std::string first = folder.File("first.pgp");
  ASSERT_TRUE(document.WriteGraphFile(first));
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told[0].rfind("Warning: ", 0), 0u);
  EXPECT_NE(dialogs.told[0].find("\"\xCE\xB1 curve\""), std::string::npos);
  ASSERT_GT(ReadBytes(first).size(), 65535u + 8u);
  TestDocument copy;
  ASSERT_EQ(copy.OpenGraphFile(first), OpenResult::Opened);
  EXPECT_TRUE(copy.dialogs.told.empty());
  ASSERT_TRUE(copy.WriteGraphFile(folder.File("second.pgp")));
  EXPECT_EQ(ReadBytes(folder.File("second.pgp")), ReadBytes(first));
  EXPECT_EQ(copy.ListScene().Graphs().Item(1)->name, "? curve");
  EXPECT_EQ(copy.MainAxis().titleZ, "height (m)");
  ASSERT_EQ(copy.Entries().size(), 9u);
  for (std::int32_t position = 2; position <= 8; ++position) {
    const Graph& before = document.GraphAt(position);
    const Graph& after = *copy.ListScene().Graphs().Item(position);
    SCOPED_TRACE(before.name);
    EXPECT_EQ(testing::DifferingGraphFields(before, after), Names{});
    EXPECT_EQ(copy.Entries()[static_cast<std::size_t>(position - 1)].text,
              document.Entries()[static_cast<std::size_t>(position - 1)].text);
    const auto points = [](const Graph& graph) {
      const PointGrid& grid = graph.Points();
      return std::vector<GridPoint>(grid.Data(), grid.Data() + grid.StoredSize());
    };
    EXPECT_EQ(points(after), points(before));
  }
}

// The history's clean state is the file's: undoing back to the last save
// makes the document unmodified, and New forgets the file and the history.
TEST_F(DocumentTest, TheCleanStateIsTheSavedState) {
  const auto history = [this] {
    return std::to_string(document.IsModified()) + std::to_string(document.History().count());
  };
  EXPECT_EQ(history(), "00");
  document.Record("Add", [this] { AddCurve(document, "a", "x"); });
  EXPECT_EQ(history(), "11");  // graphs without a file
  dialogs.ChooseFile(folder.File("saved.pgp"));
  document.Save();
  EXPECT_EQ(history(), "01");
  EXPECT_FALSE(document.Record("Nothing", [this] { document.SetChecked(0, true); }));
  EXPECT_TRUE(document.Record("Hide", [this] { document.SetChecked(0, false); }));
  EXPECT_EQ(history(), "12");
  EXPECT_EQ(document.History().undoText().toStdString(), "Hide");
  document.History().undo();
  EXPECT_EQ(history(), "02");
  document.History().undo();
  EXPECT_EQ(history(), "12");    // the empty document differs from the file
  EXPECT_FALSE(document.New());  // the question is cancelled
  dialogs.answers = {Answer::No};
  EXPECT_TRUE(document.New());
  EXPECT_EQ(history(), "00");
  EXPECT_EQ(document.FilePath(), "");
}

// Random runs of steps through every command that changes a document, each
// recorded as one step: undoing them one by one passes through every state
// again, back to the bytes of the opened file; redoing them all comes back
// to the last state.
TEST_F(DocumentTest, UndoAndRedoRestoreEveryStateExactly) {
  document.Populate();
  document.MainAxis().titleX = "across";
  const std::string path = folder.File("start.pgp");
  ASSERT_TRUE(document.WriteGraphFile(path));
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    const auto pick = [&random](int count) {
      return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    TestDocument doc;
    ASSERT_EQ(doc.OpenGraphFile(path), OpenResult::Opened);
    GraphClipboard clipboard(doc);
    std::string clip = clipboard.CopyAll().value();
    const std::string opened = doc.BuildGraphFile().bytes;
    const auto count = [&doc] { return doc.ListScene().Graphs().Count(); };
    const auto anyIndex = [&] { return static_cast<std::size_t>(pick(std::max(1, count()))); };
    const auto anyPosition = [&] { return static_cast<std::int32_t>(anyIndex()) + 1; };
    const std::function<void()> steps[] = {
        [&] { doc.AddDialogGraph(MakeCurve(doc, "added", "x/" + std::to_string(pick(9) + 1))); },
        [&] { doc.EditDialogGraph(anyPosition(), *MakeCurve(doc, "e", std::to_string(pick(9)))); },
        [&] { doc.DeleteGraph(anyPosition()); },
        [&] { doc.DeleteAllGraphs(); },
        [&] { clip = clipboard.Cut(anyIndex()).value_or(clip); },
        [&] { clip = clipboard.CutAll().value_or(clip); },
        [&] { clipboard.Paste(clip, count() > 0 ? std::optional(anyIndex()) : std::nullopt); },
        [&] {
          const std::size_t index = anyIndex();
          doc.SetChecked(index, index < doc.Entries().size() && !doc.Entries()[index].checked);
        },
        [&] { doc.Values().ViewMaxY = static_cast<float>(pick(100)); },
        [&] { doc.MainAxis().width = pick(5); },
    };
    Names states{Snapshot(doc)};
    for (int i = 0; i < 30; ++i) {
      if (doc.Record("step", steps[pick(static_cast<int>(std::size(steps)))])) {
        states.push_back(Snapshot(doc));
      }
    }
    const std::string last = doc.BuildGraphFile().bytes;
    ASSERT_EQ(doc.History().count(), static_cast<int>(states.size()) - 1);
    while (doc.History().canUndo()) {
      states.pop_back();
      doc.History().undo();
      ASSERT_EQ(Snapshot(doc), states.back()) << doc.History().index();
    }
    EXPECT_EQ(doc.BuildGraphFile().bytes, opened);
    EXPECT_FALSE(doc.IsModified());
    while (doc.History().canRedo()) {
      doc.History().redo();
    }
    EXPECT_EQ(doc.BuildGraphFile().bytes, last);
    EXPECT_TRUE(doc.dialogs.told.empty());
  }
}

}  // namespace
}  // namespace quillon
