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

TEST(CommandLine, ParsesExportsAndRefusesMistakes) {
  struct Case {
    std::vector<std::string> arguments;
    CommandLine::Kind kind;
    std::string file;
    std::string exportPath;
    std::int32_t width, height;
    bool fit;
  };
  const Case cases[] = {
      {{}, CommandLine::Window, "", "", 800, 600, false},
      {{"my", "graphs.pgp"}, CommandLine::Window, "my graphs.pgp", "", 800, 600, false},
      {{"a.pgp", "--export-filename=b.png"},
       CommandLine::Export,
       "a.pgp",
       "b.png",
       800,
       600,
       false},
      {{"--export-filename", "b.CSV", "a.pgp"},
       CommandLine::Export,
       "a.pgp",
       "b.CSV",
       800,
       600,
       false},
      {{"a.pgp", "--export-filename=b.bmp", "--export-width=1024", "--export-height", "768",
        "--export-fit"},
       CommandLine::Export,
       "a.pgp",
       "b.bmp",
       1024,
       768,
       true},
      {{"--", "--odd name.pgp", "--export-filename=x.pgp"},
       CommandLine::Window,
       "--odd name.pgp --export-filename=x.pgp",
       "",
       800,
       600,
       false},
      {{"--export-filename=x.pgp", "--", "-a.pgp"},
       CommandLine::Export,
       "-a.pgp",
       "x.pgp",
       800,
       600,
       false},
      {{"a.pgp", "--help", "--export-filename=b.png"}, CommandLine::Help, "", "", 800, 600, false},
      {{"--version"}, CommandLine::Version, "", "", 800, 600, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " -> " + c.exportPath);
    const CommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.kind, c.kind) << line.error;
    EXPECT_EQ(line.file, c.file);
    EXPECT_EQ(line.exportPath, c.exportPath);
    EXPECT_EQ(line.width, c.width);
    EXPECT_EQ(line.height, c.height);
    EXPECT_EQ(line.fit, c.fit);
  }
  const std::vector<std::vector<std::string>> mistakes = {
      {"a.pgp", "--export-filename=b.txt"},
      {"a.pgp", "--export-filename=b"},
      {"a.pgp", "--export-filename=dir.png/b"},
      {"--export-filename=b.png"},
      {"a.pgp", "--export-width=640"},
      {"a.pgp", "--export-fit"},
      {"a.pgp", "--export-filename="},
      {"a.pgp", "--export-filename"},
      {"a.pgp", "--export-filename=b.png", "--export-width=0"},
      {"a.pgp", "--export-filename=b.png", "--export-height=-5"},
      {"a.pgp", "--export-filename=b.png", "--export-width=12px"},
      {"a.pgp", "--export-filename=b.png", "--export-width=100000"},
      {"a.pgp", "--export-filename=b.png", "--verbose"},
      {"-x"},
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
  auto graph = document.MakeGraph();
  graph->GraphType(20);
  graph->CoordType(1);
  graph->FunForm(2);
  graph->ExpressX("0");
  graph->ExpressY("0");
  graph->ExpressZ("x");
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

// The picture shows the drawing area: a white background and the curves in
// their colours.
TEST(Batch, PictureShowsTheCurves) {
  TempFolder folder;
  for (const char* name : {"view.png", "view.bmp"}) {
    SCOPED_TRACE(name);
    const std::string out = folder.File(name);
    const BatchRun run = RunWith({DataFile("curves_g5.pgp"), "--export-filename=" + out,
                                  "--export-width=320", "--export-height=200", "--export-fit"});
    ASSERT_EQ(run.status, 0) << run.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(out)));
    EXPECT_EQ(image.width(), 320);
    EXPECT_EQ(image.height(), 200);
    EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu);
    int reddish = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        reddish += (qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90) ? 1 : 0;
      }
    }
    EXPECT_GT(reddish, 50);  // the parabola, LineColor 255, two pixels wide
  }
}

// World units stay square whatever the picture's shape, as in the window: a
// polar circle is as wide as it is high.
TEST(Batch, PictureKeepsUnitsSquare) {
  FakeDialogs dialogs;
  Document document(dialogs);
  auto circle = test::MakeCurve(document, "circle", "5", 2, 2);
  circle->MinV(0);
  circle->MaxV(6.3f);
  circle->StepV(400);
  circle->LineWidth(1);
  test::AddCurve(document, circle);
  document.MainAxis().Show(false);
  TempFolder folder;
  const std::string file = folder.File("circle.pgp");
  test::WriteBytes(
      file, EncodeGraphFile(BuildDocumentText(1, document.ShowScene(), document.MainAxis())).bytes);
  for (const auto& [width, height] : {std::pair{400, 200}, std::pair{200, 400}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    const std::string out = folder.File("circle.png");
    const BatchRun run =
        RunWith({file, "--export-filename=" + out, "--export-width=" + std::to_string(width),
                 "--export-height=" + std::to_string(height)});
    ASSERT_EQ(run.status, 0) << run.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(out)));
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (qGray(image.pixel(x, y)) < 200) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
    }
    ASSERT_GE(right, left);
    EXPECT_NEAR(right - left, bottom - top, 2);
  }
}

// The hand-made documents of every generation read as their fields say.
TEST(DataFiles, GenerationFiveCurves) {
  FakeDialogs dialogs;
  Document document(dialogs);
  ASSERT_EQ(document.OpenGraphFile(DataFile("curves_g5.pgp")), OpenResult::Opened);
  EXPECT_TRUE(dialogs.told.empty());
  const std::vector<std::string> entries = {"2D Curve  y=x^2/4", "2D Curve  x=3*cos(u),y=3*sin(u)",
                                            "2D Curve  r=4*sin(2*a)", "2D Curve  a=u,r=u/3",
                                            "Step & Stem  y=int(x)"};
  ASSERT_EQ(document.Entries().size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(document.Entries()[i].text, entries[i]);
    EXPECT_TRUE(document.Entries()[i].checked);
  }
  const auto& graphs = document.ListScene().Graphs();
  const Cls9& parabola = *graphs.Item(1);
  EXPECT_EQ(parabola.ID(), 1);
  EXPECT_EQ(parabola.NameS(), "my parabola");
  EXPECT_EQ(parabola.CurvNum(), 2);
  EXPECT_EQ(parabola.CurvX(2), 2.25f);
  EXPECT_EQ(parabola.TangentY(1), -0.5f);
  EXPECT_EQ(parabola.LineWidth(), 2);
  EXPECT_EQ(graphs.Item(2)->QieX(1), 1.5e-7f);
  EXPECT_EQ(graphs.Item(2)->NormalY(2), 4.0f);
  EXPECT_EQ(graphs.Item(5)->StemHeadSize(), 3);
  EXPECT_EQ(document.MainAxis().TitleX(), "time");
  EXPECT_EQ(document.MainAxis().AxisWidth(), 2);
  EXPECT_EQ(document.MainAxis().AxisColor(), 128);
  EXPECT_EQ(document.Values().DocType, 1);
}

TEST(DataFiles, GenerationFourAnimationAndTable) {
  FakeDialogs dialogs;
  Document document(dialogs);
  ASSERT_EQ(document.OpenGraphFile(DataFile("animated_g4.pgp")), OpenResult::Opened);
  const auto& graphs = document.ListScene().Graphs();
  ASSERT_EQ(graphs.Count(), 2);
  const Cls9& wave = *graphs.Item(1);
  EXPECT_TRUE(wave.Animation());
  EXPECT_EQ(wave.MaxT(), 6.28f);
  EXPECT_TRUE(wave.Show2DCurve());   // "True"
  EXPECT_FALSE(wave.ShowInverse());  // "-1"
  EXPECT_EQ(wave.Exp2(), "x");
  EXPECT_EQ(document.Values().AnimFrames, 24);
  EXPECT_EQ(document.Values().AnimExtra, 3);
  Cls9& table = *graphs.Item(2);
  EXPECT_EQ(table.VertTab3D(1, 2)->X(), 2.0f);
  EXPECT_EQ(table.VertTab3D(1, 2)->Y(), 1.75f);
  EXPECT_FALSE(table.Show2DScatter());
  EXPECT_EQ(table.Symbol(), 4);
  EXPECT_EQ(document.Entries()[0].text, "2D Curve Animation  y=sin(x+t)");
  EXPECT_EQ(document.Entries()[1].text, "2.5D Table Graph: measured values");
}

TEST(DataFiles, GenerationThreeEmptyTokensAndHiddenAxis) {
  FakeDialogs dialogs;
  Document document(dialogs);
  document.MainAxis().AxisWidth(5);
  ASSERT_EQ(document.OpenGraphFile(DataFile("tables_g3.pgp")), OpenResult::Opened);
  const auto& graphs = document.ListScene().Graphs();
  ASSERT_EQ(graphs.Count(), 2);
  EXPECT_EQ(graphs.Item(1)->NameS(), "");
  EXPECT_EQ(graphs.Item(1)->LineColor(), 0);  // an empty token
  EXPECT_EQ(graphs.Item(1)->MinT(), -1.0f);
  EXPECT_EQ(graphs.Item(2)->VertTab3D(2, 0)->Y(), 4.0f);
  EXPECT_EQ(graphs.Item(2)->Symbol(), 1);  // generation 3 has no table tail
  EXPECT_FALSE(document.MainAxis().Show());
  EXPECT_EQ(document.MainAxis().AxisWidth(), 5);
  EXPECT_EQ(document.Values().AnimFrames, 4);
}

TEST(DataFiles, UnknownKindKeepsItsPlaceInNothing) {
  FakeDialogs dialogs;
  Document document(dialogs);
  ASSERT_EQ(document.OpenGraphFile(DataFile("unknown_kind.pgp")), OpenResult::Opened);
  ASSERT_EQ(document.ListScene().Graphs().Count(), 1);
  EXPECT_EQ(document.Values().DocType, 2);
  EXPECT_EQ(document.ShowScene().RotPitch(), -15.0f);
  EXPECT_EQ(document.ShowScene().RotYaw(), 45.0f);
  ASSERT_EQ(document.Entries().size(), 1u);
  EXPECT_EQ(document.Entries()[0].text, "Graph kind 3: ribbon");
  EXPECT_FALSE(document.MainAxis().Show());  // read from the token "99"
}

}  // namespace
}  // namespace quillon
