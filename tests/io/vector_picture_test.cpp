// Vector pictures of documents: SVG and PDF read back and drawn again must
// show what the PNG of the same size shows, hold only paths, and keep every
// coordinate inside the picture.

#include "io/vector_picture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <memory>
#include <string>
#include <tuple>

#include "graph/graph.h"
#include "io/batch.h"
#include "io/document.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::TempFolder;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// Whether a pixel holds ink: darker than the light tones antialiased edges
// fade into.
bool Ink(QRgb pixel) {
  return std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < 200;
}

// The share of a's ink pixels that lie within one pixel of ink in b.
double InkCovered(const QImage& a, const QImage& b) {
  std::int64_t ink = 0;
  std::int64_t covered = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (!Ink(a.pixel(x, y))) {
        continue;
      }
      ++ink;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy) {
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          near = b.valid(x + dx, y + dy) && Ink(b.pixel(x + dx, y + dy));
        }
      }
      covered += near ? 1 : 0;
    }
  }
  return ink == 0 ? 1.0 : static_cast<double>(covered) / static_cast<double>(ink);
}

void ExpectSameDrawing(const QImage& vector, const QImage& png) {
  EXPECT_GE(InkCovered(vector, png), 0.97);
  EXPECT_GE(InkCovered(png, vector), 0.97);
}

// Reads the SVG text: only the generator's frame and path-like elements, no
// transformation but the identity, and every coordinate in the picture.
void ExpectPathsInside(const std::string& svg) {
  const QSet<QString> allowed{"svg", "title", "desc", "defs", "g", "path", "polyline", "rect"};
  const QRegularExpression number(QStringLiteral("-?[0-9.]+(e-?[0-9]+)?"));
  QXmlStreamReader reader(QByteArray::fromStdString(svg));
  std::int64_t coordinates = 0;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) {
      continue;
    }
    const QString name = reader.name().toString();
    EXPECT_TRUE(allowed.contains(name)) << name.toStdString();
    const QXmlStreamAttributes attributes = reader.attributes();
    if (attributes.hasAttribute("transform")) {
      EXPECT_EQ(attributes.value("transform"), QStringLiteral("matrix(1,0,0,1,0,0)"));
    }
    const QString points =
        name == "path" ? attributes.value("d").toString() : attributes.value("points").toString();
    if (name == "path" || name == "polyline") {
      QRegularExpressionMatchIterator found = number.globalMatch(points);
      for (int k = 0; found.hasNext(); ++k, ++coordinates) {
        const double value = found.next().captured().toDouble();
        EXPECT_GE(value, 0) << name.toStdString();
        EXPECT_LE(value, k % 2 == 0 ? kWidth : kHeight) << name.toStdString();
      }
    }
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  EXPECT_GT(coordinates, 0);
}

QImage RenderSvg(const std::string& svg) {
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

QImage RenderPdf(const std::string& path) {
  QPdfDocument pdf;
  EXPECT_EQ(pdf.load(QString::fromStdString(path)), QPdfDocument::Error::None);
  return pdf.render(0, QSize(kWidth, kHeight)).convertToFormat(QImage::Format_RGB32);
}

TEST(VectorPicture, DrawsWhatThePngShowsWithPathsInsideThePicture) {
  // The curve over -6..6, its form and steps, and whether the axis and its
  // labels are drawn too.
  const std::tuple<const char*, FunctionForm, std::int32_t, bool> cases[] = {
      {"x", FunctionForm::Explicit, 8, false},
      {"4*sin(x)", FunctionForm::Explicit, 400, false},
      {"x^2+y^2-9", FunctionForm::Equation, 8, false},
      {"x/2", FunctionForm::Explicit, 8, true},
  };
  TempFolder folder;
  for (const auto& [z, form, steps, axisShown] : cases) {
    SCOPED_TRACE(z);
    test::TestDocument document;
    std::shared_ptr<Graph> graph = test::MakeCurve(document, z, z, static_cast<std::int32_t>(form));
    graph->stepsV = steps;
    graph->minU = graph->minV = -6;
    graph->maxU = graph->maxV = 6;
    ASSERT_TRUE(document.AddDialogGraph(graph));
    document.MainAxis().shown = axisShown;
    const std::optional<FrameImage> frame = DrawDocument(document, kWidth, kHeight, true);
    const std::optional<Picture> picture = CaptureDocument(document, kWidth, kHeight, true);
    ASSERT_TRUE(frame && picture);
    const QImage png = QImage(frame->Rgba.data(), kWidth, kHeight, QImage::Format_RGBA8888).copy();

    const std::string svg = SvgPictureText(*picture);
    ExpectPathsInside(svg);
    ExpectSameDrawing(RenderSvg(svg), png);

    const std::string pdf = PdfPictureBytes(*picture);
    EXPECT_FALSE(QRegularExpression(QStringLiteral("/Subtype\\s*/Image\\b"))
                     .match(QString::fromLatin1(pdf.data(), static_cast<int>(pdf.size())))
                     .hasMatch());
    const std::string path = test::WriteBytes(folder.File("picture.pdf"), pdf);
    ExpectSameDrawing(RenderPdf(path), png);
  }
}

}  // namespace
}  // namespace quillon
