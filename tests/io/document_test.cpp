// The document: opening, saving and the list operations, through dialogs
// that answer from queues.
#include "io/document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "graph/graph_record.h"
#include "io/graph_file.h"
#include "io/record_writer.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::AddCurve;
using test::FakeDialogs;
using test::GraphFileOf;
using test::MakeCurve;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) {
    result += text;
  }
  return result;
}

// Everything a file operation could change, as one text.
std::string Snapshot(Document& document) {
  std::ostringstream out;
  const DocumentValues& values = document.Values();
  out << "kind " << values.DocType << " last " << document.LastGraphID() << " frames "
      << values.AnimFrames << " " << values.AnimExtra << " saved " << document.Saved()
      << " rotation " << document.ShowScene().RotRoll() << " " << document.ShowScene().RotPitch()
      << " " << document.ShowScene().RotYaw() << "\n";
  for (const GraphListEntry& entry : document.Entries()) {
    out << "entry " << entry.text << " " << entry.checked << "\n";
  }
  for (const auto& [key, graph] : document.ListScene().Graphs()) {
    out << "list " << key << " " << graph.get() << " " << Save(*graph) << "\n";
  }
  for (const auto& [key, graph] : document.ShowScene().Graphs()) {
    out << "show " << key << " " << graph.get() << "\n";
  }
  Cls3 axis = document.MainAxis();
  out << "axis " << axis.Show() << " ";
  axis.Show(true);
  out << Save(axis) << " " << axis.AxisStyle() << "\n";
  return out.str();
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
    document.MainAxis().AxisWidth(3);
    document.MainAxis().TitleX("time");
    document.Values().AnimFrames = 12;
  }

  std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = folder.File(name);
    WriteBytes(path, bytes);
    return path;
  }

  TempFolder folder;
  FakeDialogs dialogs;
  Document document{dialogs};
};

TEST_F(DocumentTest, StartsAsTheWindowLoadsIt) {
  EXPECT_TRUE(document.MainAxis().Show());
  EXPECT_EQ(document.Values().DocType, 1);
  EXPECT_EQ(document.Values().ViewMinX, -50);
  EXPECT_EQ(document.Values().ViewMaxY, 50);
  EXPECT_EQ(document.LastGraphID(), 0);
  EXPECT_FALSE(document.Saved());
  EXPECT_EQ(document.Values().reporter, &dialogs);
}

TEST_F(DocumentTest, DialogGraphsGetEntriesAndUniqueIDs) {
  Populate();
  ASSERT_EQ(document.Entries().size(), 3u);
  EXPECT_EQ(document.Entries()[0].text, "2D Curve  y=x^2");
  EXPECT_EQ(document.Entries()[1].text, "2D Curve  x=cos(u), y=sin(u)");
  EXPECT_EQ(document.Entries()[2].text, "2D Curve  r=a/2");
  EXPECT_EQ(document.ListScene().Graphs().Item(3)->ID(), 3);
  EXPECT_EQ(document.ShowScene().Graphs().Count(), 2);
  // An ID some graph already holds is skipped.
  document.LastGraphID(1);
  AddCurve(document, MakeCurve(document, "line", "x"));
  EXPECT_EQ(document.ListScene().Graphs().Item(4)->ID(), 4);
  EXPECT_EQ(document.LastGraphID(), 4);
}

TEST_F(DocumentTest, DialogGraphThatDoesNotCompileLeavesBothScenes) {
  const std::shared_ptr<Cls9> graph = MakeCurve(document, "broken", "sin(");
  EXPECT_FALSE(document.AddDialogGraph(graph));
  EXPECT_TRUE(document.ListScene().Graphs().Empty());
  EXPECT_TRUE(document.ShowScene().Graphs().Empty());
  EXPECT_FALSE(document.AppendNewGraphEntry(0));
  ASSERT_FALSE(dialogs.told.empty());
  EXPECT_EQ(dialogs.told[0].title, "Syntax Error");
}

TEST_F(DocumentTest, CheckingKeepsShowSceneInStep) {
  Populate();
  const auto circle = document.ListScene().Graphs().Item(2);
  EXPECT_FALSE(document.IsShown(circle->ID()));
  EXPECT_FALSE(document.SetChecked(1, false));  // already unchecked: nothing changes
  // Checking again adds the graph at the end of ShowScene and samples it anew.
  circle->ExpressZ("3");
  EXPECT_TRUE(document.SetChecked(1, true));
  EXPECT_TRUE(document.IsShown(circle->ID()));
  EXPECT_EQ(document.ShowScene().Graphs().Item(3), circle);
  EXPECT_EQ(circle->Vert3D(0, 4)->Y(), 3.0f);
  EXPECT_TRUE(document.SetChecked(0, false));
  EXPECT_EQ(document.ShowScene().Graphs().Count(), 2);
  EXPECT_EQ(document.ListScene().Graphs().Count(), 3);
  EXPECT_FALSE(document.SetChecked(7, true));
}

TEST_F(DocumentTest, EditedGraphChangesInBothScenesOrStaysOnFailure) {
  Populate();
  const std::shared_ptr<Cls9> spiral = document.ListScene().Graphs().Item(3);
  EXPECT_TRUE(document.EditDialogGraph(3, *MakeCurve(document, "line", "2*x")));
  EXPECT_EQ(document.ShowScene().Graphs().Find(std::to_string(spiral->ID())), spiral);
  EXPECT_EQ(spiral->ExpressZ(), "2*x");
  EXPECT_EQ(spiral->Vert3D(0, 8)->Y(), 4.0f);
  EXPECT_EQ(document.Entries()[2].text, "2D Curve  y=2*x");
  EXPECT_FALSE(document.EditDialogGraph(3, *MakeCurve(document, "broken", "2*")));
  EXPECT_EQ(spiral->NameS(), "line");
  EXPECT_EQ(spiral->Vert3D(0, 8)->Y(), 4.0f);
  EXPECT_EQ(document.Entries()[2].text, "2D Curve  y=2*x");
  EXPECT_FALSE(document.EditDialogGraph(4, *spiral));
}

TEST_F(DocumentTest, DeleteGraphRemovesItFromBothScenesAndTheList) {
  Populate();
  EXPECT_FALSE(document.DeleteGraph(0));
  EXPECT_FALSE(document.DeleteGraph(4));
  EXPECT_TRUE(document.DeleteGraph(3));
  EXPECT_EQ(document.ListScene().Graphs().Count(), 2);
  EXPECT_EQ(document.ShowScene().Graphs().Count(), 1);
  ASSERT_EQ(document.Entries().size(), 2u);
  EXPECT_EQ(document.Entries()[1].text, "2D Curve  x=cos(u), y=sin(u)");
  EXPECT_TRUE(document.DeleteGraph(2));  // an unchecked graph is only in ListScene
  EXPECT_EQ(document.ShowScene().Graphs().Count(), 1);
  document.DeleteAllGraphs();
  EXPECT_TRUE(document.ListScene().Graphs().Empty());
  EXPECT_TRUE(document.Entries().empty());
}

TEST_F(DocumentTest, SaveWritesTheShownGraphsAtomically) {
  Populate();
  const std::string path = WriteFile("old.pgp", std::string(100000, 'x'));
  dialogs.ChooseFile(path);
  document.Save();
  EXPECT_TRUE(document.Saved());
  EXPECT_EQ(dialogs.fileDialogs, std::vector<std::string>{"Save [(*.pgp)|*.pgp] save"});
  EXPECT_EQ(dialogs.written, std::vector<std::string>{path});
  EXPECT_TRUE(dialogs.told.empty());
  // The whole file is the new one: no tail of the longer old file is left.
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes, document.BuildGraphFile().bytes);
  EXPECT_EQ(DecodeGraphFile(bytes).substr(0, 6), "S51 2 ");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.pgp"});
}

TEST_F(DocumentTest, SaveWithoutGraphsAsksNothing) {
  document.Save();
  EXPECT_TRUE(document.Saved());
  EXPECT_TRUE(dialogs.fileDialogs.empty());
}

TEST_F(DocumentTest, CancelledSaveLowersTheFlagSilently) {
  Populate();
  document.Saved(true);
  document.Save();
  EXPECT_FALSE(document.Saved());
  EXPECT_TRUE(dialogs.told.empty());
  EXPECT_TRUE(folder.Names().empty());
}

// The text is made before the file dialog: a record that cannot be written
// ends Save without asking for a name.
TEST_F(DocumentTest, UnwritableRecordEndsSaveBeforeTheDialog) {
  Populate();
  document.ListScene().Graphs().Item(1)->CurvNum(51);
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
  const std::string old = WriteFile("keep.pgp", "old contents");
  const std::string pipe = folder.File("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path :
       {blocker + "/x.pgp", folder.Path(), folder.File("no/x.pgp"), pipe}) {
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
  EXPECT_EQ(ReadBytes(old), "old contents");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"keep.pgp", "pipe", "plain"}));
}

TEST_F(DocumentTest, SaveFollowsALinkToItsFile) {
  Populate();
  const std::string target = WriteFile("target.pgp", "old");
  const std::string link = folder.File("link.pgp");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  dialogs.ChooseFile(link);
  document.Save();
  EXPECT_TRUE(document.Saved());
  EXPECT_EQ(ReadBytes(target), document.BuildGraphFile().bytes);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.pgp", "target.pgp"}));
}

TEST_F(DocumentTest, SaveAsWritesGraphFilesOrHandsBackPictureNames) {
  // With no graph at all Save As still writes a file with graph count 0.
  const std::string path = folder.File("empty.pgp");
  dialogs.ChooseFile(path, 1);
  SaveAsResult result = document.SaveAs();
  EXPECT_EQ(result.kind, SaveAsResult::WroteGraphFile);
  EXPECT_EQ(DecodeGraphFile(ReadBytes(path)), "S51 0 " + Save(document.MainAxis()));
  EXPECT_FALSE(document.Saved());
  EXPECT_EQ(dialogs.fileDialogs[0], "Save As [*.pgp|*.pgp|*.bmp|*.bmp] save");
  EXPECT_EQ(dialogs.written, std::vector<std::string>{path});

  dialogs.ChooseFile(folder.File("view.bmp"), 2);
  result = document.SaveAs();
  EXPECT_EQ(result.kind, SaveAsResult::PictureChosen);
  EXPECT_EQ(result.path, folder.File("view.bmp"));

  result = document.SaveAs();
  EXPECT_EQ(result.kind, SaveAsResult::Cancelled);

  dialogs.ChooseFile(folder.File("none/x.pgp"), 1);
  result = document.SaveAs();
  EXPECT_EQ(result.kind, SaveAsResult::Failed);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"empty.pgp"});
}

TEST_F(DocumentTest, OpenGivesFreshIDsEntriesAndChecks) {
  const std::string text =
      "S31 2 0 7 first 1 0 0 x^2 1 4 0 1 -2 2 4 16711680 16711680 255 2 4 2 2 255 1 0 0 2 0 0 "
      "0 0 0 12 second 2 0 0 a 1 4 0 1 0 6 4 0 0 0 1 4 2 2 255 1 0 0 2 0 0 0 0 0";
  const std::string path = WriteFile("two.pgp", GraphFileOf(text));
  Populate();
  dialogs.answers.push_back(Answer::No);
  dialogs.ChooseFile(path);
  EXPECT_EQ(document.Open(), OpenResult::Opened);
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{"Note: Do you want to save the graphs?"});
  EXPECT_EQ(dialogs.fileDialogs, std::vector<std::string>{"Open File [(*.pgp)|*.pgp] open"});
  ASSERT_EQ(document.ListScene().Graphs().Count(), 2);
  EXPECT_EQ(document.ShowScene().Graphs().Count(), 2);
  const auto& graphs = document.ListScene().Graphs();
  EXPECT_EQ(graphs.Item(1)->ID(), 1);
  EXPECT_EQ(graphs.Item(2)->ID(), 2);
  EXPECT_TRUE(graphs.Contains("1"));
  EXPECT_TRUE(document.ShowScene().Graphs().Contains("2"));
  EXPECT_EQ(document.LastGraphID(), 2);
  ASSERT_EQ(document.Entries().size(), 2u);
  EXPECT_EQ(document.Entries()[0].text, "2D Curve  y=x^2");
  EXPECT_EQ(document.Entries()[1].text, "2D Curve  r=a");
  EXPECT_TRUE(document.Entries()[0].checked && document.Entries()[1].checked);
  // Sampled: y = x^2 at x = -2 + 1.
  EXPECT_EQ(graphs.Item(1)->Vert3D(0, 1)->Y(), 1.0f);
  EXPECT_FALSE(document.MainAxis().Show());
  EXPECT_EQ(document.MainAxis().AxisWidth(), 3);  // a hidden axis changes only Show
  EXPECT_EQ(document.Values().AnimFrames, 12);
}

TEST_F(DocumentTest, OpenGraphFileContinuesTheIDs) {
  const std::string path =
      WriteFile("one.pgp", GraphFileOf("S31 1 0 7 g 1 0 0 x 1 4 0 1 -2 2 4 0 0 0 1 4 2 2 255 "
                                       "1 0 0 2 0 0 0 0 0"));
  document.LastGraphID(5);
  EXPECT_EQ(document.OpenGraphFile(path), OpenResult::Opened);
  EXPECT_EQ(document.ListScene().Graphs().Item(1)->ID(), 6);
  EXPECT_EQ(document.OpenGraphFile(""), OpenResult::Unchanged);
}

// Whatever is wrong with a file, the open document stays exactly as it was.
TEST_F(DocumentTest, RefusedFilesLeaveTheDocumentUntouched) {
  Populate();
  const std::string before = Snapshot(document);
  const std::string graph5 = Save(*MakeCurve(document, "g", "x"));
  const std::string table = "4 1 t 255 1 0 0 0 0 3 3 0 0 1 2 3 1 1 1 2 0 65280 1 1";
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"short", std::string("\x08\x00", 2)},
      {"other value type", std::string("\x02\x00\x05\x00S51 0", 9)},
      {"tag", GraphFileOf("S61 1 " + graph5 + " 0")},
      {"old tag", GraphFileOf("S21 0 0")},
      {"graph count", GraphFileOf("S51 4294967296 0")},
      {"integer field", GraphFileOf("S51 2 " + graph5 + " 0 1 x 3000000000")},
      {"number field", GraphFileOf("S31 1 0 1 x 1 0 0 x 1 4 1E40")},
      // 26 core fields, 33 analysis fields, then CurvNum
      {"count", GraphFileOf("S41 1 0 1 x 1 0 0 x 1 4 0 1 -2 2 4 0 0 0 1 4 2 2 255 1 0 0 2 " +
                            Repeat("0 ", 33) + "51")},
      {"table steps", GraphFileOf("S51 1 4 1 t 255 1 0 0 0 0 3 3 0 201")},
      {"table colour", GraphFileOf("S51 2 " + table + " 4 2 t blue 1 0 0 0 0 3 3 0 0")},
      {"axis", GraphFileOf("S51 0 1 1 1 1 1 1 1 1 1 1 99999999999")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.told.clear();
    const std::string path = WriteFile("bad.pgp", c.bytes);
    EXPECT_EQ(document.OpenGraphFile(path), OpenResult::Refused);
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(dialogs.told[0].title, "Error");
    EXPECT_EQ(dialogs.told[0].text.rfind("The file \"" + path + "\" cannot be opened. ", 0), 0u)
        << dialogs.told[0].text;
    EXPECT_EQ(Snapshot(document), before);
  }
  // Neither a pipe nor an endless device keeps the reader waiting.
  const std::string pipe = folder.File("pipe.pgp");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path :
       {folder.File("missing.pgp"), folder.Path(), pipe, std::string("/dev/zero")}) {
    SCOPED_TRACE(path);
    dialogs.told.clear();
    EXPECT_EQ(document.OpenGraphFile(path), OpenResult::Refused);
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(Snapshot(document), before);
  }
}

TEST_F(DocumentTest, EmptyTextChangesNothing) {
  Populate();
  const std::string before = Snapshot(document);
  const std::string path = WriteFile("empty.pgp", std::string("\x08\x00\x00\x00", 4));
  EXPECT_EQ(document.OpenGraphFile(path), OpenResult::Unchanged);
  EXPECT_TRUE(dialogs.told.empty());
  EXPECT_EQ(Snapshot(document), before);
}

TEST_F(DocumentTest, OpenCommandKeepsIDsUniqueWhenCancelled) {
  Populate();
  dialogs.answers.push_back(Answer::No);
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);  // the file dialog is cancelled
  EXPECT_EQ(document.LastGraphID(), 3);
  AddCurve(document, MakeCurve(document, "more", "x"));
  EXPECT_EQ(document.ListScene().Graphs().Item(4)->ID(), 4);
}

TEST_F(DocumentTest, OpenCommandStopsWhenTheAskedForSaveDidNotHappen) {
  Populate();
  dialogs.answers = {Answer::Cancel};
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);
  EXPECT_TRUE(dialogs.fileDialogs.empty());
  dialogs.answers = {Answer::Yes};  // and the save dialog is cancelled
  EXPECT_EQ(document.Open(), OpenResult::Unchanged);
  EXPECT_EQ(dialogs.fileDialogs, std::vector<std::string>{"Save [(*.pgp)|*.pgp] save"});
  EXPECT_EQ(document.ListScene().Graphs().Count(), 3);
}

TEST_F(DocumentTest, OpenCommandSavesFirstOnYes) {
  Populate();
  const std::string saved = folder.File("saved.pgp");
  const std::string other = WriteFile("other.pgp", GraphFileOf("S51 0 0"));
  dialogs.answers = {Answer::Yes};
  dialogs.ChooseFile(saved);
  dialogs.ChooseFile(other);
  EXPECT_EQ(document.Open(), OpenResult::Opened);
  EXPECT_TRUE(document.ListScene().Graphs().Empty());
  EXPECT_EQ(DecodeGraphFile(ReadBytes(saved)).substr(0, 6), "S51 2 ");
}

TEST_F(DocumentTest, NewAsksAndClears) {
  struct Case {
    std::vector<Answer> answers;
    bool chooseFile;
    bool reset;
    std::int32_t graphsLeft;
  };
  const Case cases[] = {
      {{Answer::Yes}, true, true, 0},
      {{Answer::Yes}, false, false, 3},  // save cancelled: nothing changes
      {{Answer::No}, false, true, 0},
      {{Answer::Cancel}, false, false, 3},
  };
  for (const Case& c : cases) {
    FakeDialogs caseDialogs;
    Document doc(caseDialogs);
    AddCurve(doc, MakeCurve(doc, "a", "x"));
    AddCurve(doc, MakeCurve(doc, "b", "x+1"));
    AddCurve(doc, MakeCurve(doc, "c", "x+2"));
    doc.Values().DocType = 3;
    doc.ShowScene().RotYaw(45);
    doc.MainAxis().BetterFonts(false);
    caseDialogs.answers.assign(c.answers.begin(), c.answers.end());
    if (c.chooseFile) {
      caseDialogs.ChooseFile(folder.File("new.pgp"));
    }
    EXPECT_EQ(doc.New(), c.reset);
    EXPECT_EQ(caseDialogs.questions, std::vector<std::string>{"Note: Save changes to file?"});
    EXPECT_EQ(doc.ListScene().Graphs().Count(), c.graphsLeft);
    EXPECT_EQ(doc.Values().DocType, c.reset ? 1 : 3);
    EXPECT_EQ(doc.ShowScene().RotYaw(), c.reset ? 0 : 45);
    EXPECT_EQ(doc.MainAxis().BetterFonts(), c.reset);
    EXPECT_FALSE(doc.Saved());
  }
  // An empty document is reset without a question.
  document.Values().DocType = 2;
  EXPECT_TRUE(document.New());
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(document.Values().DocType, 1);
}

TEST_F(DocumentTest, ConfirmCloseSavesOnYes) {
  EXPECT_TRUE(document.ConfirmClose());
  EXPECT_TRUE(dialogs.questions.empty());
  Populate();
  dialogs.answers = {Answer::No};
  EXPECT_TRUE(document.ConfirmClose());
  dialogs.answers = {Answer::Yes};
  EXPECT_FALSE(document.ConfirmClose());  // the save dialog was cancelled
  dialogs.answers = {Answer::Yes};
  dialogs.ChooseFile(folder.File("exit.pgp"));
  EXPECT_TRUE(document.ConfirmClose());
}

// Write, read, write again: the same bytes.
TEST_F(DocumentTest, RoundTripKeepsEveryByte) {
  AddCurve(document, MakeCurve(document, "parabola", "x^2"));
  AddCurve(document, MakeCurve(document, "spiral", "a/2", 2, 2));
  document.Values().AnimFrames = 12;
  const auto named = MakeCurve(document, "two  blanks  here ", "x");
  AddCurve(document, named);
  const auto moving = MakeCurve(document, "moving", "x");
  moving->GraphType(9);
  moving->Animation(true);
  moving->MinT(-1);
  moving->MaxT(1);
  AddCurve(document, moving);
  auto table = document.MakeGraph();
  table->GraphType(6);
  table->NameS("grid data");
  table->StepU(3);
  table->StepV(2);
  table->VertTab3D(3, 2)->z(1.25f);
  document.AddDialogGraph(table);
  document.AppendNewGraphEntry(document.ListScene().Graphs().Count() - 1);
  document.MainAxis().TitleY("speed in m/s");
  document.Values().AnimExtra = 9;
  const std::string first = folder.File("first.pgp");
  ASSERT_TRUE(document.WriteGraphFile(first));

  FakeDialogs otherDialogs;
  Document copy(otherDialogs);
  ASSERT_EQ(copy.OpenGraphFile(first), OpenResult::Opened);
  const std::string second = folder.File("second.pgp");
  ASSERT_TRUE(copy.WriteGraphFile(second));
  EXPECT_EQ(ReadBytes(second), ReadBytes(first));
  EXPECT_EQ(copy.ListScene().Graphs().Count(), 5);
  EXPECT_EQ(copy.ListScene().Graphs().Item(3)->NameS(), "two  blanks  here ");
  EXPECT_EQ(copy.Entries()[4].text, "3D Table Graph: grid data");
  EXPECT_EQ(copy.MainAxis().TitleY(), "speed in m/s");
  EXPECT_EQ(copy.Values().AnimExtra, 9);
  EXPECT_EQ(copy.ListScene().Graphs().Item(5)->VertTab3D(3, 2)->z(), 1.25f);
}

TEST_F(DocumentTest, LongDocumentsUseTheLongLength) {
  auto table = document.MakeGraph();
  table->GraphType(4);
  table->StepU(200);
  table->StepV(200);
  for (std::int32_t i = 0; i <= 200; ++i) {
    table->VertTab3D(i, i)->X(static_cast<float>(i) / 3.0f);
  }
  document.AddDialogGraph(table);
  document.AppendNewGraphEntry(0);
  const std::string first = folder.File("long.pgp");
  ASSERT_TRUE(document.WriteGraphFile(first));
  const std::string bytes = ReadBytes(first);
  ASSERT_GT(bytes.size(), 65535u + 8u);
  EXPECT_EQ(bytes.substr(2, 2), "\xFF\xFF");

  FakeDialogs otherDialogs;
  Document copy(otherDialogs);
  ASSERT_EQ(copy.OpenGraphFile(first), OpenResult::Opened);
  EXPECT_EQ(copy.ListScene().Graphs().Item(1)->VertTab3D(150, 150)->X(), 50.0f);
  const std::string second = folder.File("long2.pgp");
  ASSERT_TRUE(copy.WriteGraphFile(second));
  EXPECT_EQ(ReadBytes(second), bytes);
}

TEST_F(DocumentTest, CharactersWithoutACodeAreWrittenAsQuestionMarksWithAWarning) {
  AddCurve(document, MakeCurve(document, "\xCE\xB1 curve", "x"));
  const std::string path = folder.File("greek.pgp");
  ASSERT_TRUE(document.WriteGraphFile(path));
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_EQ(dialogs.told[0].title, "Warning");
  EXPECT_NE(dialogs.told[0].text.find("\"\xCE\xB1 curve\""), std::string::npos);
  FakeDialogs otherDialogs;
  Document copy(otherDialogs);
  ASSERT_EQ(copy.OpenGraphFile(path), OpenResult::Opened);
  EXPECT_EQ(copy.ListScene().Graphs().Item(1)->NameS(), "? curve");
}

TEST_F(DocumentTest, AnimatedGraphsAreSampledWithTheirFrameCount) {
  // The frame count of the last animated record stays; sampling turns 0 into 1.
  const auto moving = MakeCurve(document, "m", "x+t", 2);
  moving->GraphType(9);
  moving->Animation(true);
  moving->MaxT(1);
  document.Values().AnimFrames = 0;
  const std::string text = "S51 1 " + Save(*moving) + " 0";
  const std::string path = WriteFile("anim.pgp", GraphFileOf(text));
  document.Values().AnimFrames = 17;
  ASSERT_EQ(document.OpenGraphFile(path), OpenResult::Opened);
  EXPECT_EQ(document.Values().AnimFrames, 1);
  EXPECT_EQ(document.Entries()[0].text, "2D Curve Animation  y=x+t");
}

}  // namespace
}  // namespace quillon
