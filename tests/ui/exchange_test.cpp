// Graphs and pictures leaving the window: the clipboard commands on the real
// clipboard, Copy As BMP, printing to a PDF file, and the file-type
// registration at start and after saves.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "graph/graph_record.h"
#include "io/record_writer.h"
#include "ui/view_picture.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

using WindowExchange = WindowTest;

const QColor kRedPixel(255, 0, 0);

FunctionInput RedLine() {
  FunctionInput input;
  input.first = QStringLiteral("x");
  input.color = kRed;
  return input;
}

QClipboard& Clipboard() {
  return *QGuiApplication::clipboard();
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pages of a PDF file: its page objects.
qsizetype PageCount(const QByteArray& pdf) {
  const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b"));
  return QString::fromLatin1(pdf).count(page);
}

// Sets an environment variable for one scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const QByteArray& value)
      : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    qputenv(name_, value);
  }
  ~ScopedVariable() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

TEST_F(WindowExchange, GraphsRoundTripThroughTheClipboard) {
  Start("");
  AddFunction(RedLine());
  Cls9& first = *Window().Document().ListScene().Graphs().Item(1);
  const std::string record = Save(first);

  // Each step: an item with the current list row, then the list and the clipboard.
  struct Step {
    const char* action;
    int row;
    int entries;
    std::string clipboard;
  };
  const std::vector<Step> steps = {
      {"mnuEditCopy", 0, 1, "1 " + record},
      {"mnuEditPaste", 0, 2, "1 " + record},
      {"barPaste", 1, 3, "1 " + record},
      {"mnuGraphPaste", -1, 4, "1 " + record},
      {"mnuFunCut", 3, 3, "1 " + record.substr(0, 2) + "4" + record.substr(3)},
      {"barCut", 2, 2, "1 " + record.substr(0, 2) + "3" + record.substr(3)},
      {"mnuFunCopy", 1, 2, "1 " + record.substr(0, 2) + "2" + record.substr(3)},
      {"barCopy", 0, 2, "1 " + record},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action);
    List().setCurrentRow(step.row);
    Trigger(step.action);
    EXPECT_EQ(List().count(), step.entries);
    EXPECT_EQ(Clipboard().text().toStdString(), step.clipboard);
  }
  for (int row = 0; row < List().count(); ++row) {
    EXPECT_EQ(List().item(row)->text().toStdString(), "2D Curve  y=x");
    EXPECT_EQ(List().item(row)->checkState(), Qt::Checked);
  }
  EXPECT_EQ(Window().Clipboard().ClipGraphCount(), 1);
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST_F(WindowExchange, CutAllAndPasteBringTheGraphsBack) {
  Start("");
  AddFunction(RedLine());
  FunctionInput parabola = RedLine();
  parabola.first = QStringLiteral("x^2/10");
  AddFunction(parabola);
  // The pasted graphs take the check state of the current entry.
  ClickCheckBox(1);
  Trigger("mnuGraphCopyAll");
  const QString text = Clipboard().text();
  EXPECT_TRUE(text.endsWith(QLatin1Char(' ')));
  EXPECT_EQ(Window().Clipboard().ClipGraphCount(), 2);

  Trigger("mnuGraphCutAll");
  EXPECT_EQ(List().count(), 0);
  EXPECT_EQ(CountNear(Frame(), kRedPixel), 0);
  Trigger("mnuGraphPaste");
  ASSERT_EQ(List().count(), 2);
  EXPECT_EQ(List().item(1)->text().toStdString(), "2D Curve  y=x^2/10");
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);

  List().setCurrentRow(1);
  ClickCheckBox(1);
  ASSERT_EQ(List().item(1)->checkState(), Qt::Unchecked);
  Trigger("mnuEditPaste");
  ASSERT_EQ(List().count(), 4);
  EXPECT_EQ(List().item(2)->checkState(), Qt::Unchecked);
  EXPECT_EQ(Window().Document().ShowScene().Graphs().Count(), 1);

  // Another program's text: nothing is pasted, nothing is said.
  Clipboard().setText(QStringLiteral("a shopping list"));
  Trigger("mnuEditPaste");
  EXPECT_EQ(List().count(), 4);
  Trigger("mnuGraphDelAll");
  EXPECT_EQ(List().count(), 0);
  EXPECT_TRUE(dialogs.reports.empty());
}

TEST_F(WindowExchange, CopyAsBitmapPutsTheDrawingAreaOnTheClipboard) {
  Start("");
  AddFunction(RedLine());
  const QSize pixels = Drawing().size() * Drawing().devicePixelRatio();
  for (const char* action : {"mnuEditCopyAs", "mnuGraphCopyAs", "barCopyAs"}) {
    SCOPED_TRACE(action);
    Clipboard().setText(QStringLiteral("marker"));
    Trigger(action);
    const QImage picture = Clipboard().image();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), pixels);
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
  AddFunction(RedLine());
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
  for (const QString& file : {lines, empty}) {
    SCOPED_TRACE(file.toStdString());
    const QByteArray pdf = ReadAll(file);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(PageCount(pdf), 1);
    // The page holds the captured picture, pixel for pixel.
    EXPECT_TRUE(pdf.contains("/Width " + QByteArray::number(pixels.width())));
    EXPECT_TRUE(pdf.contains("/Height " + QByteArray::number(pixels.height())));
  }

  // A PDF file that cannot be written is told.
  dialogs.printFiles.push_back(folder.filePath(QStringLiteral("no/such/folder.pdf")).toStdString());
  Trigger("mnuFilePrint");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].title, "Error");
  EXPECT_NE(dialogs.reports[0].text.find("folder.pdf"), std::string::npos);
}

TEST_F(WindowExchange, RegistersTheFileTypeAtStartAndAfterEverySave) {
  const QTemporaryDir dataHome;
  const ScopedVariable variable("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
  const QString entry = dataHome.filePath(QStringLiteral("applications/quillon.desktop"));
  const QString package = dataHome.filePath(QStringLiteral("mime/packages/quillon.xml"));
  const QString icon = dataHome.filePath(QStringLiteral("icons/hicolor/scalable/apps/quillon.svg"));
  Start("");
  const QByteArray exec =
      "\nExec=" + QCoreApplication::applicationDirPath().toLocal8Bit() + "/quillon %f\n";
  EXPECT_TRUE(ReadAll(entry).contains(exec)) << ReadAll(entry).toStdString();
  EXPECT_TRUE(ReadAll(package).contains("<glob pattern=\"*.pgp\"/>"));
  EXPECT_TRUE(ReadAll(icon).contains("<svg"));

  AddFunction(RedLine());
  ASSERT_TRUE(QFile::remove(entry));
  ASSERT_TRUE(QFile::remove(icon));
  const QTemporaryDir files;
  dialogs.fileChoices.push_back(
      FileChoice{files.filePath(QStringLiteral("line.pgp")).toStdString(), 1});
  Trigger("mnuFileSave");
  EXPECT_TRUE(ReadAll(entry).contains(exec));
  EXPECT_TRUE(QFile::exists(icon));
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
    const char* name;
    QSizeF picture, screenDpi, printerDpi, printable, expected;
  };
  const Case cases[] = {
      {"same dots", {640, 480}, {96, 96}, {96, 96}, {700, 1000}, {640, 480}},
      {"finer printer", {640, 480}, {96, 96}, {1200, 1200}, {9000, 13000}, {8000, 6000}},
      {"finer screen", {960, 480}, {192, 192}, {600, 600}, {4800, 6600}, {3000, 1500}},
      {"uneven dots", {100, 100}, {100, 50}, {300, 300}, {5000, 5000}, {300, 600}},
      {"too wide", {1920, 480}, {96, 96}, {96, 96}, {720, 1000}, {720, 180}},
      {"too tall", {400, 2000}, {96, 96}, {192, 192}, {1500, 2000}, {400, 2000}},
      {"fills the page", {700, 1000}, {96, 96}, {96, 96}, {700, 1000}, {700, 1000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QSizeF size = PrintedPictureSize(c.picture, c.screenDpi, c.printerDpi, c.printable);
    EXPECT_NEAR(size.width(), c.expected.width(), 1e-9);
    EXPECT_NEAR(size.height(), c.expected.height(), 1e-9);
  }
}

// Run by the ctest entry of the window without OpenGL; skipped otherwise.
using WindowWithoutOpenGL = WindowTest;

TEST_F(WindowWithoutOpenGL, PicturesAreRefusedWithAMessage) {
  if (qEnvironmentVariableIsEmpty("QUILLON_UI_TEST_NO_GL")) {
    GTEST_SKIP() << "needs a display without OpenGL";
  }
  Start("", true);
  ASSERT_EQ(dialogs.reports.size(), 1u);  // no OpenGL context
  AddFunction(RedLine());
  Clipboard().setText(QStringLiteral("marker"));
  Trigger("mnuEditCopyAs");
  ASSERT_EQ(dialogs.reports.size(), 2u);
  EXPECT_EQ(dialogs.reports[1].title, "Error");
  EXPECT_NE(dialogs.reports[1].text.find("copied as a picture"), std::string::npos);
  EXPECT_EQ(Clipboard().text(), QStringLiteral("marker"));
  Trigger("mnuFilePrint");
  ASSERT_EQ(dialogs.reports.size(), 3u);
  EXPECT_NE(dialogs.reports[2].text.find("cannot be printed"), std::string::npos);
  EXPECT_EQ(dialogs.printDialogs, 0);
  EXPECT_EQ(List().count(), 1);
  // Save As of a picture writes no file.
  const QTemporaryDir folder;
  const QString picture = folder.filePath(QStringLiteral("view.bmp"));
  dialogs.fileChoices.push_back(FileChoice{picture.toStdString(), 2});
  Trigger("mnuFileSaveAs");
  ASSERT_EQ(dialogs.reports.size(), 4u);
  EXPECT_EQ(dialogs.reports[3].title, "Error");
  EXPECT_FALSE(QFile::exists(picture));

  // Graphs still travel as text.
  List().setCurrentRow(0);
  Trigger("mnuEditCopy");
  Trigger("mnuEditPaste");
  EXPECT_EQ(List().count(), 2);
}

}  // namespace
}  // namespace quillon::testing
