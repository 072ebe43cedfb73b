// The command line, the batch exports run in-process, and the hand-made
// documents of data/ read through the document.
#include "io/batch.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <sstream>

#include "graph/graph_record.h"
#include "io/document.h"
#include "io/graph_file.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::DataFile;
using test::FakeDialogs;
using test::TempFolder;

// A parsed command line as one text: kind, file, export path, size, fit.
std::string Parsed(const std::vector<std::string>& arguments) {
  const char* const kinds[] = {"Window", "Export", "Help", "Version", "UsageError"};
  const CommandLine line = ParseCommandLine(arguments);
  return kinds[line.kind] + std::string(" [") + line.file + "] [" + line.exportPath + "] " +
         std::to_string(line.width) + "x" + std::to_string(line.height) + (line.fit ? " fit" : "");
}

TEST(CommandLine, ParsesExportsAndRefusesMistakes) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"my", "graphs.pgp"}, "Window [my graphs.pgp] [] 800x600"},
      {{"a.pgp", "--export-filename=b.png"}, "Export [a.pgp] [b.png] 800x600"},
      {{"--export-filename", "b.CSV", "a.pgp"}, "Export [a.pgp] [b.CSV] 800x600"},
      {{"a.pgp", "--export-filename=b.bmp", "--export-width=1024", "--export-height", "768",
        "--export-fit"},
       "Export [a.pgp] [b.bmp] 1024x768 fit"},
      {{"--export-filename=x.pgp", "--", "--odd", "-a.pgp"},
       "Export [--odd -a.pgp] [x.pgp] 800x600"},
      {{"a.pgp", "--help", "--export-filename=b.png"}, "Help [] [] 800x600"},
  };
  for (const auto& [arguments, parsed] : cases) {
    EXPECT_EQ(Parsed(arguments), parsed);
  }
  const std::vector<std::vector<std::string>> mistakes = {
      {"a.pgp", "--export-filename=b"},
      {"a.pgp", "--export-filename=dir.png/b"},
      {"--export-filename=b.png"},
      {"a.pgp", "--export-width=640"},
      {"a.pgp", "--export-fit"},
      {"a.pgp", "--export-filename="},
      {"a.pgp", "--export-filename"},
      {"a.pgp", "--export-filename=b.png", "--export-width=12px"},
      {"a.pgp", "--export-filename=b.png", "--export-height=100000"},
      {"a.pgp", "--export-filename=b.png", "--verbose"},
  };
  for (const auto& arguments : mistakes) {
    SCOPED_TRACE(arguments.back());
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_EQ(line.kind, CommandLine::UsageError);
    EXPECT_FALSE(line.error.empty());
  }
}

struct BatchRun {
  int status;
  std::string out;
  std::string err;
};

BatchRun RunWith(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommandLine(ParseCommandLine(arguments), out, err);
  return {status, out.str(), err.str()};
}

TEST(Batch, IntersectionsExportTheirSecondCurve) {
  FakeDialogs dialogs;
  Document document(dialogs);
  auto graph = test::MakeCurve(document, "", "x");
  graph->GraphType(20);
  graph->Exp2("1-x");
  graph->StepV(2);
  graph->MinV(0);
  graph->MaxV(1);
  ASSERT_TRUE(document.AddDialogGraph(graph));
  EXPECT_EQ(CurvePointsCsv(document),
            "graph,curve,i,x,y,z\n"
            "1,1,0,0,0,0\n1,1,1,0.5,0.5,0\n1,1,2,1,1,0\n"
            "1,2,0,0,1,0\n1,2,1,0.5,0.5,0\n1,2,2,1,0,0\n");
}

// The picture shows the drawing area as the window does: a white background,
// the curve in its colour, world units square whatever the picture's shape;
// --export-fit zooms to the shown graphs.
TEST(Batch, PictureShowsTheCurvesWithSquareUnits) {
  FakeDialogs dialogs;
  Document document(dialogs);
  auto circle = test::MakeCurve(document, "circle", "5", 2, 2);  // red, two pixels wide
  circle->MinV(0);
  circle->MaxV(6.3f);
  circle->StepV(400);
  test::AddCurve(document, circle);
  document.MainAxis().Show(false);
  TempFolder folder;
  const std::string file = folder.File("circle.pgp");
  ASSERT_TRUE(document.WriteGraphFile(file));
  for (const auto& [name, width, height] :
       {std::tuple{"wide.png", 400, 200}, std::tuple{"tall.bmp", 200, 400}}) {
    SCOPED_TRACE(name);
    const std::string out = folder.File(name);
    const bool fit = width > height;
    const BatchRun run =
        RunWith({file, "--export-filename=" + out, "--export-width=" + std::to_string(width),
                 "--export-height=" + std::to_string(height), fit ? "--export-fit" : "--"});
    ASSERT_EQ(run.status, 0) << run.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(out)));
    ASSERT_EQ(image.size(), QSize(width, height));
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const QRgb pixel = image.pixel(x, y);
        if (qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
    }
    ASSERT_GE(right, left);
    EXPECT_NEAR(right - left, bottom - top, 2);
    EXPECT_EQ(bottom - top > height / 3, fit) << bottom - top;  // fit: about half the height
  }
}

// A hand-made document of data/ opened as the window opens it.
struct DataDocument {
  explicit DataDocument(const std::string& name) {
    EXPECT_EQ(document.OpenGraphFile(DataFile(name)), OpenResult::Opened);
    EXPECT_TRUE(dialogs.told.empty());
  }
  Cls9& Graph(std::int32_t position) { return *document.ListScene().Graphs().Item(position); }
  std::string Entry(std::size_t index) const { return document.Entries().at(index).text; }
  FakeDialogs dialogs;
  Document document{dialogs};
};

// The hand-made documents of every generation read as their fields say.
TEST(DataFiles, GenerationFiveCurves) {
  DataDocument data("curves_g5.pgp");
  const std::vector<std::string> entries = {"2D Curve  y=x^2/4", "2D Curve  x=3*cos(u),y=3*sin(u)",
                                            "2D Curve  r=4*sin(2*a)", "2D Curve  a=u,r=u/3",
                                            "Step & Stem  y=int(x)"};
  ASSERT_EQ(data.document.Entries().size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(data.Entry(i), entries[i]);
  }
  EXPECT_EQ(data.Graph(1).NameS(), "my parabola");
  EXPECT_EQ(data.Graph(1).CurvX(2), 2.25f);
  EXPECT_EQ(data.Graph(1).TangentY(1), -0.5f);
  EXPECT_EQ(data.Graph(2).QieX(1), 1.5e-7f);
  EXPECT_EQ(data.Graph(2).NormalY(2), 4.0f);
  EXPECT_EQ(data.Graph(5).StemHeadSize(), 3);
  EXPECT_EQ(data.document.MainAxis().TitleX(), "time");
  EXPECT_EQ(data.document.MainAxis().AxisColor(), 128);
}

TEST(DataFiles, GenerationFourAnimationAndTable) {
  DataDocument data("animated_g4.pgp");
  ASSERT_EQ(data.document.ListScene().Graphs().Count(), 2);
  EXPECT_TRUE(data.Graph(1).Animation());
  EXPECT_EQ(data.Graph(1).MaxT(), 6.28f);
  EXPECT_TRUE(data.Graph(1).Show2DCurve());   // "True"
  EXPECT_FALSE(data.Graph(1).ShowInverse());  // "-1"
  EXPECT_EQ(data.Graph(1).Exp2(), "x");
  EXPECT_EQ(data.document.Values().AnimFrames, 24);
  EXPECT_EQ(data.document.Values().AnimExtra, 3);
  EXPECT_EQ(data.Graph(2).VertTab3D(1, 2)->Y(), 1.75f);
  EXPECT_FALSE(data.Graph(2).Show2DScatter());
  EXPECT_EQ(data.Graph(2).Symbol(), 4);
  EXPECT_EQ(data.Entry(0), "2D Curve Animation  y=sin(x+t)");
  EXPECT_EQ(data.Entry(1), "2.5D Table Graph: measured values");
}

TEST(DataFiles, GenerationThreeEmptyTokensAndHiddenAxis) {
  DataDocument data("tables_g3.pgp");
  ASSERT_EQ(data.document.ListScene().Graphs().Count(), 2);
  EXPECT_EQ(data.Graph(1).NameS(), "");
  EXPECT_EQ(data.Graph(1).LineColor(), 0);  // an empty token
  EXPECT_EQ(data.Graph(1).MinT(), -1.0f);
  EXPECT_EQ(data.Graph(2).VertTab3D(2, 0)->Y(), 4.0f);
  EXPECT_EQ(data.Graph(2).Symbol(), 1);  // generation 3 has no table tail
  EXPECT_FALSE(data.document.MainAxis().Show());
  EXPECT_EQ(data.document.Values().AnimFrames, 4);
}

// The kind and rotation of the tag reach the document; the unknown kind ends
// the records and the axis is read from its token.
TEST(DataFiles, UnknownKindKeepsItsPlaceInNothing) {
  DataDocument data("unknown_kind.pgp");
  EXPECT_EQ(data.document.Values().DocType, 2);
  EXPECT_EQ(data.document.ShowScene().RotPitch(), -15.0f);
  EXPECT_EQ(data.document.ShowScene().RotYaw(), 45.0f);
  ASSERT_EQ(data.document.Entries().size(), 1u);
  EXPECT_EQ(data.Entry(0), "Graph kind 3: ribbon");
  EXPECT_FALSE(data.document.MainAxis().Show());  // read from the token "99"
}

}  // namespace
}  // namespace quillon
