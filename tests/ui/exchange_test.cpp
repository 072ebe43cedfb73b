// Graphs and pictures leaving the window: the clipboard commands on the real
// clipboard, Copy As BMP, printing to a PDF file, and the file-type
// registration at start and after saves.

#include "io/record_writer.h"
#include "ui/view_picture.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

using WindowExchange = WindowTest;

const FunctionInput kRedLine{0, 0, "x", "", "-10", "10", "100", kRed};

QClipboard& Clipboard() {
  return *QGuiApplication::clipboard();
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(WindowExchange, GraphsRoundTripThroughTheClipboard) {
  Start("");
  AddFunction(kRedLine);
  const std::string record = Save(ListedGraph(1));
  // The clipboard's text holding the graph under another ID.
  const auto clip = [&record](char ID) {
    return "1 " + (ID == '1' ? record : record.substr(0, 2) + ID + record.substr(3));
  };
  // Each step: the current list row and an item, then the list and the clipboard.
  struct Step {
    int row;
    const char* action;
    int entries;
    char clipboardID;
  };
  const Step steps[] = {{0, "mnuEditCopy", 1, '1'}, {0, "mnuEditPaste", 2, '1'},
                        {1, "barPaste", 3, '1'},    {-1, "mnuGraphPaste", 4, '1'},
                        {3, "mnuFunCut", 3, '4'},   {2, "barCut", 2, '3'},
                        {1, "mnuFunCopy", 2, '2'},  {0, "barCopy", 2, '1'}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action);
    List().setCurrentRow(step.row);
    Trigger(step.action);
    EXPECT_EQ(List().count(), step.entries);
    EXPECT_EQ(Clipboard().text().toStdString(), clip(step.clipboardID));
  }
  EXPECT_EQ(Entries(), Lines(2, "[x] 2D Curve  y=x"));
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST_F(WindowExchange, CutAllAndPasteBringTheGraphsBack) {
  Start("");
  AddFunction(kRedLine);
  AddFunction({0, 0, "x^2/10", "", "-10", "10", "100", kRed});
  ClickCheckBox(1);
  Trigger("mnuGraphCopyAll");

  Trigger("mnuGraphCutAll");
  EXPECT_EQ(List().count(), 0);
  EXPECT_EQ(CountNear(Frame(), kRedPixel), 0);
  Trigger("mnuGraphPaste");
  EXPECT_EQ(Entries(), (Lines{"[x] 2D Curve  y=x", "[x] 2D Curve  y=x^2/10"}));
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);

  // The pasted graphs take the check state of the current entry.
  List().setCurrentRow(1);
  ClickCheckBox(1);
  Trigger("mnuEditPaste");
  EXPECT_EQ(Entries(), (Lines{"[x] 2D Curve  y=x", "[ ] 2D Curve  y=x^2/10", "[ ] 2D Curve  y=x",
                              "[ ] 2D Curve  y=x^2/10"}));
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST_F(WindowExchange, CopyAsBitmapPutsTheDrawingAreaOnTheClipboard) {
  Start("");
  AddFunction(kRedLine);
  for (const char* action : {"mnuEditCopyAs", "mnuGraphCopyAs", "barCopyAs"}) {
    SCOPED_TRACE(action);
    Clipboard().setText(QStringLiteral("marker"));
    Trigger(action);
    const QImage picture = Clipboard().image();
    EXPECT_EQ(picture.size(), Drawing().size() * Drawing().devicePixelRatio());
    EXPECT_FALSE(picture.hasAlphaChannel());
    EXPECT_GT(CountNear(picture, kRedPixel), 200);
  }
  // With every entry unchecked nothing is copied.
  ClickCheckBox(0);
  Clipboard().setText(QStringLiteral("marker"));
  Trigger("mnuEditCopyAs");
  EXPECT_EQ(Clipboard().text(), QStringLiteral("marker"));
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST_F(WindowExchange, PrintingToAPdfFileMakesAPage) {
  const QTemporaryDir folder;
  Start("");
  AddFunction(kRedLine);
  const QString lines = folder.filePath(QStringLiteral("lines.pdf"));
  const QString empty = folder.filePath(QStringLiteral("empty.pdf"));
  dialogs.printFiles.push_back(lines.toStdString());
  Trigger("mnuFilePrint");
  // Cancelled: nothing is printed or said.
  dialogs.printFiles.push_back(std::nullopt);
  Trigger("barPrint");
  // An empty view prints too.
  ClickCheckBox(0);
  dialogs.printFiles.push_back(empty.toStdString());
  Trigger("barPrint");
  EXPECT_EQ(dialogs.printDialogs, 3);
  EXPECT_TRUE(dialogs.reports.empty());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);

  const QSize pixels = Drawing().size() * Drawing().devicePixelRatio();
  const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b"));
  for (const QString& file : {lines, empty}) {
    SCOPED_TRACE(file.toStdString());
    const QByteArray pdf = ReadAll(file);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(page), 1);
    // The page holds the captured picture, pixel for pixel.
    EXPECT_TRUE(pdf.contains("/Width " + QByteArray::number(pixels.width())));
    EXPECT_TRUE(pdf.contains("/Height " + QByteArray::number(pixels.height())));
  }

  // A PDF file that cannot be written is told.
  dialogs.printFiles.push_back(folder.filePath(QStringLiteral("no/such/folder.pdf")).toStdString());
  Trigger("mnuFilePrint");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].rfind("(x) Error: ", 0), 0u);
  EXPECT_NE(dialogs.reports[0].find("folder.pdf"), std::string::npos);
}

TEST_F(WindowExchange, RegistersTheFileTypeAtStartAndAfterEverySave) {
  // The tests' own data folder (see ui_test_main.cpp).
  const QDir dataHome(qEnvironmentVariable("XDG_DATA_HOME"));
  ASSERT_FALSE(dataHome.path().isEmpty());
  const QString entry = dataHome.filePath(QStringLiteral("applications/quillon.desktop"));
  const QString icon = dataHome.filePath(QStringLiteral("icons/hicolor/scalable/apps/quillon.svg"));
  QFile::remove(entry);
  QFile::remove(icon);
  Start("");
  const QByteArray exec =
      "\nExec=" + QCoreApplication::applicationDirPath().toLocal8Bit() + "/quillon %f\n";
  EXPECT_TRUE(ReadAll(entry).contains(exec)) << ReadAll(entry).toStdString();
  EXPECT_TRUE(ReadAll(icon).contains("<svg"));

  AddFunction(kRedLine);
  ASSERT_TRUE(QFile::remove(entry));
  const QTemporaryDir files;
  dialogs.fileChoices.push_back(
      FileChoice{files.filePath(QStringLiteral("line.pgp")).toStdString(), 1});
  Trigger("mnuFileSave");
  EXPECT_TRUE(ReadAll(entry).contains(exec));
  // Save As of a picture writes no graph file and refreshes nothing.
  ASSERT_TRUE(QFile::remove(entry));
  dialogs.fileChoices.push_back(
      FileChoice{files.filePath(QStringLiteral("view.bmp")).toStdString(), 2});
  Trigger("mnuFileSaveAs");
  EXPECT_FALSE(QFile::exists(entry));
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST(PrintedPictureSize, AsOnTheScreenAndNeverBeyondThePage) {
  struct Case {
    QSizeF picture, screenDpi, printerDpi, printable, expected;
  };
  const Case cases[] = {
      {{640, 480}, {96, 96}, {1200, 1200}, {9000, 13000}, {8000, 6000}},  // finer printer
      {{100, 100}, {100, 50}, {300, 300}, {5000, 5000}, {300, 600}},      // uneven dots
      {{1920, 480}, {96, 96}, {96, 96}, {720, 1000}, {720, 180}},         // too wide
      {{400, 2000}, {96, 96}, {192, 192}, {1500, 2000}, {400, 2000}},     // too tall
  };
  for (const Case& c : cases) {
    const QSizeF size = PrintedPictureSize(c.picture, c.screenDpi, c.printerDpi, c.printable);
    EXPECT_NEAR(size.width(), c.expected.width(), 1e-9) << c.picture.width();
    EXPECT_NEAR(size.height(), c.expected.height(), 1e-9) << c.picture.width();
  }
}

}  // namespace
}  // namespace quillon::testing
