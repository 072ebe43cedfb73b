// Graphs and pictures leaving the window: the clipboard commands on the real
// clipboard, Copy As BMP and printing to a PDF file.

#include <QMimeData>
#include <QPdfDocument>
#include <algorithm>

#include "io/record_writer.h"
#include "ui/view_picture.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

using WindowExchange = WindowTest;

// The smallest rectangle around the red pixels of an image.
QRect RedBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.red() > 200 && pixel.green() < 120 && pixel.blue() < 120) {
        bounds |= QRect(x, y, 1, 1);
      }
    }
  }
  return bounds;
}

QClipboard& Clipboard() {
  return *QGuiApplication::clipboard();
}

// The clipboard commands on the real clipboard; what Paste makes of a text
// is the document's and checked there.
TEST_F(WindowExchange, GraphsRoundTripThroughTheClipboard) {
  StartWith({kRedLine});
  const std::string clip = "1 " + Save(ListedGraph(1));
  const std::string pasted = clip.substr(0, 4) + "2" + clip.substr(5) + " ";  // under ID 2
  // The current list row, the command, then the entries and the clipboard's text.
  const std::tuple<int, const char*, int, std::string> steps[] = {
      {0, "editCopyAction", 1, clip},
      {-1, "editPasteAction", 2, clip},
      {0, "editCutAction", 1, clip},
      {-1, "editCopyAllAction", 1, pasted},
      {-1, "editCutAllAction", 0, pasted}};
  for (const auto& [row, action, entries, text] : steps) {
    SCOPED_TRACE(action);
    Trigger(action, row);
    EXPECT_EQ(List().count(), entries);
    EXPECT_EQ(Clipboard().text().toStdString(), text);
  }
  EXPECT_EQ(CountNear(Frame(), kRedPixel), 0);
  Trigger("editPasteAction");
  EXPECT_EQ(Entries(), Lines{"[x] 2D Curve  y=x"});
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
  ClickCheckBox(0);
  Trigger("editPasteAction", 0);  // takes the check state of the current entry
  EXPECT_EQ(Entries(), Lines(2, "[ ] 2D Curve  y=x"));
  EXPECT_TRUE(dialogs.reports.empty());
}

// Copy As BMP and Print capture the drawing area; Copy As BMP of an empty
// view copies nothing, while an empty view prints.
TEST_F(WindowExchange, PicturesOfTheViewGoToTheClipboardAndToAPdfPage) {
  const QTemporaryDir folder;
  StartWith({kRedLine});
  Trigger("editCopyAsBitmapAction");
  const QImage picture = Clipboard().image();
  EXPECT_EQ(picture.size(), DrawingPixels());
  EXPECT_FALSE(picture.hasAlphaChannel());
  EXPECT_GT(CountNear(picture, kRedPixel), 200);
  // Beside the bitmap, the same view as an SVG picture of paths.
  const QByteArray svg = Clipboard().mimeData()->data(QStringLiteral("image/svg+xml"));
  EXPECT_TRUE(svg.contains("<polyline")) << svg.left(400).toStdString();
  EXPECT_FALSE(svg.contains("<image"));
  const QString lines = folder.filePath("lines.pdf"), empty = folder.filePath("empty.pdf");
  dialogs.printFiles = {lines.toStdString(), std::nullopt, empty.toStdString()};
  Trigger("filePrintAction");
  Trigger("filePrintAction");  // cancelled: nothing is printed or said
  ClickCheckBox(0);
  Clipboard().setText(QStringLiteral("marker"));
  Trigger("editCopyAsBitmapAction");
  EXPECT_EQ(Clipboard().text(), QStringLiteral("marker"));
  Trigger("filePrintAction");
  EXPECT_TRUE(dialogs.reports.empty());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);

  // The printed page holds the view's lines and polygons, no image, turned
  // to the view's shape, centred and scaled to fill the page inside its
  // margin: the red line lies where the screen shows it, scaled.
  const QRect screenLine = RedBounds(picture);
  const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b"));
  const QRegularExpression image(QStringLiteral("/Subtype\\s*/Image\\b"));
  for (const QString& file : {lines, empty}) {
    SCOPED_TRACE(file.toStdString());
    const QByteArray pdf = ReadAll(file);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(page), 1);
    EXPECT_EQ(QString::fromLatin1(pdf).count(image), 0);
  }
  QPdfDocument printed;
  ASSERT_EQ(printed.load(lines), QPdfDocument::Error::None);
  const QSizeF pagePoints = printed.pagePointSize(0);
  EXPECT_EQ(pagePoints.width() > pagePoints.height(), picture.width() > picture.height());
  const QImage pageImage = printed.render(0, pagePoints.toSize() * 2);
  const double margin = 2 * kPrintMarginMillimetres / 25.4 * 72;
  const QSizeF printable = QSizeF(pageImage.size()) - QSizeF(2 * margin, 2 * margin);
  const double scale =
      std::min(printable.width() / picture.width(), printable.height() / picture.height());
  const QPointF origin(margin + (printable.width() - picture.width() * scale) / 2,
                       margin + (printable.height() - picture.height() * scale) / 2);
  const QRect pageLine = RedBounds(pageImage);
  const double tolerance = 0.01 * pageImage.width();
  EXPECT_NEAR(pageLine.left(), origin.x() + screenLine.left() * scale, tolerance);
  EXPECT_NEAR(pageLine.right(), origin.x() + screenLine.right() * scale, tolerance);
  EXPECT_NEAR(pageLine.top(), origin.y() + screenLine.top() * scale, tolerance);
  EXPECT_NEAR(pageLine.bottom(), origin.y() + screenLine.bottom() * scale, tolerance);

  // A PDF file that cannot be written is told.
  const std::string bad = folder.filePath(QStringLiteral("no/such/folder.pdf")).toStdString();
  dialogs.printFiles.push_back(bad);
  Trigger("filePrintAction");
  EXPECT_EQ(dialogs.reports, Lines{"(x) Error: The view cannot be printed: the file \"" + bad +
                                   "\" cannot be written."});
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
    EXPECT_EQ(PrintedPictureSize(c.picture, c.screenDpi, c.printerDpi, c.printable), c.expected)
        << c.picture.width();
  }
}

}  // namespace
}  // namespace quillon::testing
