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

using test::AddCurve;
using test::FakeDialogs;
using test::GraphFileOf;
using test::Lists;
using test::MakeCurve;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

using Names = std::vector<std::string>;

// Everything a command could change, as one text.
std::string Snapshot(Document& document) {
  std::ostringstream out;
  const DocumentValues& values = document.Values();
  out << testing::Code(values.documentKind) << " " << document.LastGraphID() << " "
      << values.AnimFrames << " " << document.ShowScene().RotPitch() << " " << values.ViewMaxY
      << " " << document.FilePath() << " " << Lists(document) << Save(document.ListScene());
  for (const GraphListEntry& entry : document.Entries()) {
    out << entry.text << " " << entry.checked << "\n";
  }
  Axis axis = document.MainAxis();
  out << axis.shown;
  axis.shown = true;
  return out.str() + Save(axis);
}

class DocumentTest : public ::testing::Test {
 protected:
  // A document with three graphs, the second unchecked, and settings away
  // from their defaults.
  void Populate() {
    AddCurve(document, MakeCurve(document, "parabola", "x^2"));
    AddCurve(document, MakeCurve(document, "circle", "sin(u)", 3));
    AddCurve(document, MakeCurve(document, "spiral", "a/2", 2, 2));
    document.SetChecked(1, false);
    document.MainAxis().width = 3;
    document.Values().AnimFrames = 12;
  }
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    WriteBytes(folder.File(name), bytes);
    return folder.File(name);
  }
  Graph& GraphAt(std::int32_t position) { return *document.ListScene().Graphs().Item(position); }
  std::string Entry(std::size_t index) const { return document.Entries().at(index).text; }

  // The entries of Populate.
  const std::string populated =
      "+2D Curve  y=x^2; -2D Curve  x=cos(u), y=sin(u); +2D Curve  r=a/2; ";
  TempFolder folder;
  FakeDialogs dialogs;
  Document document{dialogs};
};

TEST_F(DocumentTest, DialogGraphsGetEntriesAndUniqueIDs) {
  Populate();
  EXPECT_EQ(Lists(document), "1 2 3 | 1 3 | " + populated);
  // IDs some graph already holds are skipped.
  document.LastGraphID(0);
  AddCurve(document, MakeCurve(document, "line", "x"));
  EXPECT_EQ(document.LastGraphID(), 4);
  // A graph that does not compile is not added.
  EXPECT_FALSE(document.AddDialogGraph(MakeCurve(document, "broken", "sin(")));
  EXPECT_EQ(Lists(document), "1 2 3 4 | 1 3 4 | " + populated + "+2D Curve  y=x; ");
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told[0].title, "Syntax Error");
}

// Hidden graphs are saved too, and checking never moves a graph: the file
// and the drawing keep the list order, and the points stay.
TEST_F(DocumentTest, CheckingKeepsTheListOrderAndEveryGraphIsSaved) {
  Populate();
  const std::string file = document.BuildGraphFile().bytes;
  const GridPoint* point = GraphAt(2).Points().Find(0, 4);
  EXPECT_FALSE(document.SetChecked(1, false));  // already unchecked: nothing changes
  EXPECT_FALSE(document.SetChecked(7, true));
  for (const std::size_t index : {0u, 1u, 0u}) {
    EXPECT_TRUE(document.SetChecked(index, !document.Entries()[index].checked));
  }
  EXPECT_EQ(Lists(document).substr(0, 16), "1 2 3 | 1 2 3 | ");
  EXPECT_EQ(GraphAt(2).Points().Find(0, 4), point);
  EXPECT_EQ(document.BuildGraphFile().bytes, file);
  // The file has no place for the check: what was hidden opens shown.
  FakeDialogs told;
  Document opened(told);
  ASSERT_EQ(opened.OpenGraphFile(WriteFile("all.pgp", file)), OpenResult::Opened);
  EXPECT_EQ(Lists(opened).substr(0, 16), "1 2 3 | 1 2 3 | ");
}

// An edit makes a new record with the dialog's settings and the old record's
// others; the old record stays as it was, for undo and when the new one
// cannot be sampled.
TEST_F(DocumentTest, EditMakesANewRecordAndKeepsTheOldOne) {
  Populate();
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
  EXPECT_EQ(Entry(2), "2D Curve  y=2*x");
  // What an edit does not change comes from the old record.
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

TEST_F(DocumentTest, DeleteGraphRemovesItFromBothScenesAndTheList) {
  Populate();
  EXPECT_FALSE(document.DeleteGraph(0));
  EXPECT_FALSE(document.DeleteGraph(4));
  EXPECT_TRUE(document.DeleteGraph(3));
  EXPECT_TRUE(document.DeleteGraph(2));  // an unchecked graph is only in ListScene
  EXPECT_EQ(Lists(document), "1 | 1 | +2D Curve  y=x^2; ");
  document.DeleteAllGraphs();
  EXPECT_EQ(Lists(document), "| | ");
}

// Save replaces the file a link names, and the whole of it: no tail of the
// longer old file is left. Once the document has its file, Save writes there
// without asking.
TEST_F(DocumentTest, SaveWritesEveryGraphAtomicallyThroughALink) {
  document.Save();
  EXPECT_TRUE(document.Saved());  // nothing to save
  Populate();
  document.Save();  // the file dialog is cancelled
  EXPECT_FALSE(document.Saved());
  const std::string target = WriteFile("old.pgp", std::string(100000, 'x'));
  const std::string link = folder.File("link.pgp");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  dialogs.ChooseFile(link);
  document.Save();
  EXPECT_TRUE(document.Saved());
  EXPECT_EQ(document.FilePath(), link);
  EXPECT_TRUE(dialogs.told.empty());
  const std::string bytes = ReadBytes(target);
  EXPECT_EQ(bytes, document.BuildGraphFile().bytes);
  EXPECT_EQ(DecodeGraphFile(bytes).text.substr(0, 6), "S51 3 ");
  document.DeleteGraph(1);
  document.Save();
  EXPECT_EQ(DecodeGraphFile(ReadBytes(target)).text.substr(0, 6), "S51 2 ");
  EXPECT_EQ(dialogs.fileDialogs, Names(2, "Save [(*.pgp)|*.pgp] save"));
  EXPECT_EQ(dialogs.written, Names(2, link));
  EXPECT_EQ(folder.Names(), (Names{"link.pgp", "old.pgp"}));
}

// The text is made before the file dialog: a record that cannot be written
// ends Save without asking for a name.
TEST_F(DocumentTest, UnwritableRecordEndsSaveBeforeTheDialog) {
  Populate();
  GraphAt(1).curvaturePositions.count = 51;
  dialogs.ChooseFile(folder.File("never.pgp"));
  document.Save();
  EXPECT_FALSE(document.Saved());
  EXPECT_TRUE(dialogs.fileDialogs.empty());
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told[0].title, "Error");
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(DocumentTest, FailedSaveIsToldAndKeepsTheOldFile) {
  Populate();
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
    EXPECT_EQ(dialogs.told[0].title, "Error");
    EXPECT_NE(dialogs.told[0].text.find(path), std::string::npos);
  }
  EXPECT_TRUE(dialogs.written.empty());
  EXPECT_TRUE(document.FilePath().empty());
  EXPECT_EQ(ReadBytes(blocker), "not a folder");
  EXPECT_EQ(folder.Names(), (Names{"folder.pgp", "pipe.pgp", "plain"}));
}

// A written file keeps the permissions of the one it replaces; a new one
// gets those the umask allows.
TEST_F(DocumentTest, WrittenFilesKeepOrGetOrdinaryPermissions) {
  const mode_t mask = ::umask(022);
  // File name, the mode of the file it replaces (0: none), the mode written.
  const std::tuple<const char*, mode_t, mode_t> cases[] = {
      {"shared.pgp", 0640, 0640}, {"odd.pgp", 0604, 0604}, {"new.pgp", 0, 0644}};
  for (const auto& [name, before, after] : cases) {
    SCOPED_TRACE(name);
    if (before != 0) {
      EXPECT_EQ(::chmod(WriteFile(name, "old").c_str(), before), 0);
    }
    EXPECT_TRUE(document.WriteGraphFile(folder.File(name)));
    struct stat info {};
    EXPECT_EQ(::stat(folder.File(name).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, after);
  }
  ::umask(mask);
}

// Save As names the file by the filter chosen: a name without an extension
// gets the filter's, and a file so named is replaced only when the user says
// so. With no graph at all it still writes a file with graph count 0.
TEST_F(DocumentTest, SaveAsAddsTheExtensionAndAsksBeforeReplacing) {
  WriteFile("taken.pgp", "old");
  WriteFile("taken.bmp", "old");
  struct Case {
    std::string typed;
    std::int32_t filter;
    std::optional<Answer> replace;  // the answer to the question, when one is asked
    SaveAsResult::Kind kind;
    std::string path;  // "" when nothing is to be written
  };
  const Case cases[] = {
      {"graphs", 1, std::nullopt, SaveAsResult::WroteGraphFile, "graphs.pgp"},
      {"my.graphs", 1, std::nullopt, SaveAsResult::WroteGraphFile, "my.graphs"},
      {"taken", 1, Answer::No, SaveAsResult::Cancelled, ""},
      {"taken", 1, Answer::Yes, SaveAsResult::WroteGraphFile, "taken.pgp"},
      {"taken.pgp", 1, std::nullopt, SaveAsResult::WroteGraphFile, "taken.pgp"},
      {"view", 2, std::nullopt, SaveAsResult::PictureChosen, "view.bmp"},
      {"taken", 2, Answer::No, SaveAsResult::Cancelled, ""},
      {"none/x", 1, std::nullopt, SaveAsResult::Failed, "none/x.pgp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed + " " + std::to_string(c.filter));
    FakeDialogs caseDialogs;
    Document doc(caseDialogs);
    caseDialogs.ChooseFile(folder.File(c.typed), c.filter);
    if (c.replace) {
      caseDialogs.answers = {*c.replace};
    }
    const SaveAsResult result = doc.SaveAs();
    EXPECT_EQ(result.kind, c.kind);
    EXPECT_EQ(result.path, c.path.empty() ? "" : folder.File(c.path));
    EXPECT_EQ(caseDialogs.questions.size(), c.replace ? 1u : 0u);
    EXPECT_EQ(caseDialogs.fileDialogs, Names{"Save As [*.pgp|*.pgp|*.bmp|*.bmp] save"});
    const bool wrote = c.kind == SaveAsResult::WroteGraphFile;
    EXPECT_EQ(doc.FilePath(), wrote ? result.path : "");
    EXPECT_EQ(caseDialogs.written, wrote ? Names{result.path} : Names{});
    if (wrote) {
      EXPECT_EQ(DecodeGraphFile(ReadBytes(result.path)).text, "S51 0 " + Save(doc.MainAxis()));
    }
  }
  EXPECT_EQ(ReadBytes(folder.File("taken.bmp")), "old");
  // Save gives a new document's name the extension as well.
  Populate();
  dialogs.ChooseFile(folder.File("first"));
  document.Save();
  EXPECT_EQ(document.FilePath(), folder.File("first.pgp"));
}

// Whatever is wrong with a file, the open document stays exactly as it was.
TEST_F(DocumentTest, RefusedFilesLeaveTheDocumentUntouched) {
  Populate();
  const std::string before = Snapshot(document);
  const std::string graph = Save(*MakeCurve(document, "g", "x"));
  const std::string pipe = folder.File("pipe.pgp");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string cases[] = {
      WriteFile("short.pgp", std::string("\x08\x00", 2)),
      WriteFile("textless.pgp", std::string("\x08\x00\x40\x00", 4)),
      WriteFile("tag.pgp", GraphFileOf("S61 1 " + graph + " 0")),
      WriteFile("axis.pgp", GraphFileOf("S52 1 " + graph + " 1 1 1 1 1 1 1 1 1 1 99999999999")),
      // Neither a pipe nor an endless device keeps the reader waiting.
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
    EXPECT_EQ(dialogs.told[0].title, "Error");
    EXPECT_EQ(dialogs.told[0].text.rfind("The file \"" + path + "\" cannot be opened. ", 0), 0u)
        << dialogs.told[0].text;
    EXPECT_EQ(Snapshot(document), before);
  }
  // An empty text or no name changes nothing and tells nothing.
  dialogs.told.clear();
  EXPECT_EQ(document.OpenGraphFile(WriteFile("empty.pgp", std::string("\x08\x00\x00\x00", 4))),
            OpenResult::Unchanged);
  EXPECT_EQ(document.OpenGraphFile(""), OpenResult::Unchanged);
  EXPECT_TRUE(dialogs.told.empty());
  EXPECT_EQ(Snapshot(document), before);
}

// A damaged file opens with what could be read, told first as a warning:
// a header that announces more than the file holds, a file cut inside its
// second graph, a header that announces less than its text (the axis
// record is cut and not taken).
TEST_F(DocumentTest, DamagedFilesOpenWhatCanBeReadAndSaySo) {
  Populate();
  document.DeleteGraph(2);
  const std::string whole = folder.File("whole.pgp");
  ASSERT_TRUE(document.WriteGraphFile(whole));
  const std::string text = ReadBytes(whole).substr(4);
  const std::size_t length = text.size();
  const auto header = [](std::size_t announced) {
    return std::string("\x08\x00", 2) + static_cast<char>(announced & 0xFF) +
           static_cast<char>(announced >> 8);
  };
  std::vector<std::string> tokens = SplitTokens(text);
  tokens.resize(2 + 125 + 10);  // the tag, the count, the first graph, 10 fields of the next
  const std::string cut = test::Join(tokens);
  struct Case {
    std::string name;
    std::string bytes;
    std::string damage;
    std::string opened;  // Lists of the opened document
    std::int32_t axisWidth;
  };
  const std::string both = "1 2 | 1 2 | +2D Curve  y=x^2; +2D Curve  r=a/2; ";
  const std::int32_t untouched = Document(dialogs).MainAxis().width;
  const Case cases[] = {
      {"long.pgp", header(length + 10) + text,
       "it holds " + std::to_string(length) + " of the " + std::to_string(length + 10) +
           " characters its header announces",
       both, 3},
      {"cut.pgp", header(length) + cut,
       "it holds " + std::to_string(cut.size()) + " of the " + std::to_string(length) +
           " characters its header announces; it ends inside graph 2 of 2; graph 1 was read "
           "whole, graph 2 only in part",
       "1 2 | 1 2 | +2D Curve  y=x^2; +Graph kind 0: spiral; ", untouched},
      {"lying.pgp", header(length - 20) + text,
       "it ends inside its axis settings, which were left as they were", both, untouched},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = WriteFile(c.name, c.bytes);
    FakeDialogs told;
    Document opened(told);
    ASSERT_EQ(opened.OpenGraphFile(path), OpenResult::Opened);
    ASSERT_EQ(told.told.size(), 1u);
    EXPECT_EQ(told.told[0].title, "Warning");
    EXPECT_EQ(told.told[0].text, "The file \"" + path + "\" is damaged: " + c.damage + ".");
    EXPECT_EQ(Lists(opened), c.opened);
    EXPECT_EQ(opened.MainAxis().width, c.axisWidth);
    // What the file lacked is lost unless the document is saved again.
    EXPECT_EQ(opened.FilePath(), path);
    EXPECT_TRUE(opened.IsModified());
  }
}

// Only the text the header announces is read: a file with 1.5 GB after its
// text (sparse, so it takes no disk) opens with nothing told and without
// that tail in memory.
TEST_F(DocumentTest, ReadsNoFurtherThanTheTextItsHeaderAnnounces) {
  Populate();
  document.DeleteGraph(2);
  const std::string path = folder.File("tail.pgp");
  ASSERT_TRUE(document.WriteGraphFile(path));
  ASSERT_EQ(::truncate(path.c_str(), off_t{1536} << 20), 0);
  const auto peakKib = [] {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
  };
  const long before = peakKib();
  FakeDialogs told;
  Document opened(told);
  ASSERT_EQ(opened.OpenGraphFile(path), OpenResult::Opened);
  EXPECT_TRUE(told.told.empty());
  EXPECT_EQ(opened.ListScene().Graphs().Count(), 2);
  EXPECT_LT(peakKib() - before, 100 * 1024);
}

// Open offers to save first and stops unless the save it was asked for
// happened; the file's graphs get IDs from 1, checked entries and points.
TEST_F(DocumentTest, OpenCommand) {
  Populate();
  dialogs.answers = {Answer::Cancel};
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);
  EXPECT_TRUE(dialogs.fileDialogs.empty());
  dialogs.answers = {Answer::Yes};  // and the save dialog is cancelled
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);
  EXPECT_EQ(dialogs.fileDialogs, Names{"Save [(*.pgp)|*.pgp] save"});
  dialogs.answers = {Answer::No};  // and the file dialog is cancelled
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);
  EXPECT_EQ(document.ListScene().Graphs().Count(), 3);
  EXPECT_EQ(document.LastGraphID(), 3);  // IDs restart only when a file is read
  EXPECT_EQ(dialogs.questions, Names(3, "Note: Do you want to save the graphs?"));
  EXPECT_EQ(dialogs.fileDialogs.back(), "Open File [(*.pgp)|*.pgp] open");

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
  EXPECT_EQ(GraphAt(1).Points().Find(0, 1)->y, 1.0f);  // sampled: y = x^2 at x = -2 + 1
  EXPECT_FALSE(document.MainAxis().shown);
  EXPECT_EQ(document.MainAxis().width, 3);  // a hidden axis changes only Show
  EXPECT_EQ(document.Values().AnimFrames, 12);
  EXPECT_EQ(document.FilePath(), folder.File("two.pgp"));
  EXPECT_FALSE(document.IsModified());
  // Nothing changed since: nothing to ask.
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);
  EXPECT_EQ(dialogs.questions.size(), 4u);
}

TEST_F(DocumentTest, NewAndCloseAskToSaveFirst) {
  // The answer, whether the save dialog gets a name, and after New: the graph
  // count, document kind, yaw and BetterFonts.
  const std::tuple<Answer, bool, const char*> cases[] = {
      {Answer::Yes, true, "0 1 0 1"},
      {Answer::Yes, false, "1 3 45 0"},  // save cancelled: nothing changes
      {Answer::No, false, "0 1 0 1"},
      {Answer::Cancel, false, "1 3 45 0"},
  };
  for (const auto& [answer, chooseFile, after] : cases) {
    FakeDialogs caseDialogs;
    Document doc(caseDialogs);
    AddCurve(doc, MakeCurve(doc, "a", "x"));
    doc.Values().documentKind = DocumentKind::Space;
    doc.ShowScene().RotYaw(45);
    doc.MainAxis().betterFonts = false;
    caseDialogs.answers = {answer};
    if (chooseFile) {
      caseDialogs.ChooseFile(folder.File("new.pgp"));
    }
    EXPECT_EQ(doc.New(), after[0] == '0');
    EXPECT_EQ(caseDialogs.questions, Names{"Note: Save changes to file?"});
    std::ostringstream state;
    state << doc.ListScene().Graphs().Count() << " " << testing::Code(doc.Values().documentKind)
          << " " << doc.ShowScene().RotYaw() << " " << doc.MainAxis().betterFonts;
    EXPECT_EQ(state.str(), after);
    EXPECT_FALSE(doc.Saved());
  }
  // An empty document is reset, or closed, without a question.
  document.Values().documentKind = DocumentKind::Ribbon;
  EXPECT_TRUE(document.New());
  EXPECT_TRUE(document.ConfirmClose());
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(document.Values().documentKind, DocumentKind::Plane);
  Populate();
  dialogs.answers = {Answer::No};
  EXPECT_TRUE(document.ConfirmClose());
  dialogs.answers = {Answer::Yes};
  EXPECT_FALSE(document.ConfirmClose());  // the save dialog was cancelled
  dialogs.answers = {Answer::Cancel};
  EXPECT_FALSE(document.ConfirmClose());
  dialogs.answers = {Answer::Yes};
  dialogs.ChooseFile(folder.File("exit.pgp"));
  EXPECT_TRUE(document.ConfirmClose());
  // Saved: closing asks nothing more.
  EXPECT_TRUE(document.ConfirmClose());
  EXPECT_EQ(dialogs.questions.size(), 4u);
}

// Write, read, write again: the same bytes, in a file long enough for the
// long length. Characters without a code are written as "?" with a warning.
TEST_F(DocumentTest, RoundTripKeepsEveryByte) {
  AddCurve(document, MakeCurve(document, "\xCE\xB1 curve", "x^2"));
  auto table = document.MakeGraph();
  table->kind = GraphKind::Table3D;
  table->stepsU = 200;
  table->stepsV = 200;
  for (std::int32_t i = 0; i <= 200; ++i) {
    table->TableCell(i, i)->z = static_cast<float>(i) / 3.0f;
  }
  AddCurve(document, table);
  const std::string first = folder.File("first.pgp");
  ASSERT_TRUE(document.WriteGraphFile(first));
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told[0].title, "Warning");
  EXPECT_NE(dialogs.told[0].text.find("\"\xCE\xB1 curve\""), std::string::npos);
  const std::string bytes = ReadBytes(first);
  ASSERT_GT(bytes.size(), 65535u + 8u);

  FakeDialogs otherDialogs;
  Document copy(otherDialogs);
  ASSERT_EQ(copy.OpenGraphFile(first), OpenResult::Opened);
  const std::string second = folder.File("second.pgp");
  ASSERT_TRUE(copy.WriteGraphFile(second));
  EXPECT_EQ(ReadBytes(second), bytes);
  EXPECT_EQ(copy.ListScene().Graphs().Item(1)->name, "? curve");
}

// An animated record sets the frame count before its graph is sampled
// (sampling turns 0 into 1); IDs of an opened file continue.
TEST_F(DocumentTest, AnimatedGraphsAreSampledWithTheirFrameCount) {
  const auto moving = MakeCurve(document, "m", "x+t", 2);
  moving->kind = GraphKind::AnimatedCurve;
  moving->animated = true;
  moving->maxT = 1;
  const std::string path = WriteFile("anim.pgp", GraphFileOf("S51 1 " + Save(*moving) + " 0"));
  document.Values().AnimFrames = 17;
  document.LastGraphID(5);
  ASSERT_EQ(document.OpenGraphFile(path), OpenResult::Opened);
  EXPECT_EQ(document.Values().AnimFrames, 1);
  EXPECT_EQ(GraphAt(1).id, 6);
}

// The history's clean state is the file's: undoing back to the last save
// makes the document unmodified, and New forgets the file and the history.
TEST_F(DocumentTest, TheCleanStateIsTheSavedState) {
  const auto history = [this] {
    return std::to_string(document.IsModified()) + std::to_string(document.History().count());
  };
  EXPECT_EQ(history(), "00");
  document.Record("Add", [this] { AddCurve(document, MakeCurve(document, "a", "x")); });
  EXPECT_EQ(history(), "11");  // graphs without a file
  dialogs.ChooseFile(folder.File("saved.pgp"));
  document.Save();
  EXPECT_EQ(history(), "01");
  // A step that changes nothing is no step.
  EXPECT_FALSE(document.Record("Nothing", [this] { document.SetChecked(0, true); }));
  EXPECT_TRUE(document.Record("Hide", [this] { document.SetChecked(0, false); }));
  EXPECT_EQ(history(), "12");
  EXPECT_EQ(document.History().undoText().toStdString(), "Hide");
  document.History().undo();
  EXPECT_EQ(history(), "02");
  document.History().undo();
  EXPECT_EQ(history(), "12");  // the empty document differs from the file
  EXPECT_TRUE(document.New() == false && dialogs.questions.size() == 1u);  // cancelled
  dialogs.answers = {Answer::No};
  EXPECT_TRUE(document.New());
  EXPECT_EQ(history(), "00");
  EXPECT_EQ(document.FilePath(), "");
}

// A cancelled sampling, reading or writing leaves the document as it was.
TEST_F(DocumentTest, CancelledLongWorkChangesNothing) {
  Populate();
  GraphClipboard clipboard(document);
  const std::string copied = clipboard.CopyAll().value();
  const std::string file = folder.File("other.pgp");
  ASSERT_TRUE(document.WriteGraphFile(file));
  dialogs.cancelLongWork = true;
  dialogs.longWork.clear();
  const std::string before = Snapshot(document);
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
  EXPECT_EQ(folder.Names(), Names{"other.pgp"});
}

// Random runs of steps through every command that changes a document, each
// recorded as one step: undoing them one by one passes through every state
// again, back to the bytes that Save wrote right after opening; redoing
// them all comes back to the last state.
TEST_F(DocumentTest, UndoAndRedoRestoreEveryStateExactly) {
  Populate();
  document.MainAxis().titleX = "across";
  const std::string path = folder.File("start.pgp");
  ASSERT_TRUE(document.WriteGraphFile(path));
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    const auto pick = [&random](int count) {
      return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    FakeDialogs told;
    Document doc(told);
    ASSERT_EQ(doc.OpenGraphFile(path), OpenResult::Opened);
    GraphClipboard clipboard(doc);
    std::string clip = clipboard.CopyAll().value();
    const std::string opened = doc.BuildGraphFile().bytes;
    const auto count = [&doc] { return doc.ListScene().Graphs().Count(); };
    const auto anyIndex = [&] { return static_cast<std::size_t>(pick(std::max(1, count()))); };
    const std::function<void()> steps[] = {
        [&] { doc.AddDialogGraph(MakeCurve(doc, "added", "x/" + std::to_string(pick(9) + 1))); },
        [&] {
          doc.EditDialogGraph(static_cast<std::int32_t>(anyIndex()) + 1,
                              *MakeCurve(doc, "edited", std::to_string(pick(9)) + "*x"));
        },
        [&] { doc.DeleteGraph(static_cast<std::int32_t>(anyIndex()) + 1); },
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
    std::vector<std::string> states{Snapshot(doc)};
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
    EXPECT_TRUE(told.told.empty());
  }
}

}  // namespace
}  // namespace quillon
