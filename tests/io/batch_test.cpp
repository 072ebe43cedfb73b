// The command line, the batch exports run in-process, and the hand-made
// documents of data/ read through the document.
#include "io/batch.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <sstream>
#include <tuple>

#include "graph/graph.h"
#include "io/document.h"
#include "io/graph_file.h"
#include "io/record_writer.h"
#include "support/codes.h"
#include "test_support.h"

namespace quillon {
namespace {

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
  test::TestDocument document;
  auto graph = test::MakeCurve(document, "", "x");
  graph->kind = GraphKind::CurveAndSecondCurve;
  graph->secondCurveExpression = "1-x";
  graph->stepsV = 2;
  graph->minV = 0;
  graph->maxV = 1;
  ASSERT_TRUE(document.AddDialogGraph(graph));
  EXPECT_EQ(CurvePointsCsv(document),
            "graph,curve,i,x,y,z\n"
            "1,1,0,0,0,0\n1,1,1,0.5,0.5,0\n1,1,2,1,1,0\n"
            "1,2,0,0,1,0\n1,2,1,0.5,0.5,0\n1,2,2,1,0,0\n");
}

// A file written by Quillon, analysed through the command line: each row
// against the analytic point (x^2 - 1 and x + 1 over -2..2 meet at -1 and at
// the end 2), a polar graph left out, an undecided corner told as a Note
// with exit status 0. Any output but .csv is refused (batch.points_of_interest_png).
TEST(Batch, PointsOfInterestExportEveryShownExplicitGraph) {
  TempFolder folder;
  const std::string input = folder.Path() + "/analysed.pgp";
  {
    test::TestDocument document;
    test::AddCurve(document, "", "x^2-1");
    test::AddCurve(document, "", "x+1");
    test::AddCurve(document, "", "1", 2, 2);
    test::AddCurve(document, "", "abs(x)+3");
    ASSERT_TRUE(document.WriteGraphFile(input));
  }
  const std::string output = folder.Path() + "/points.csv";
  const BatchRun run =
      RunWith({input, "--export-filename=" + output, "--export-points-of-interest"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.rfind("Note: graph 4: 2 pieces of the x range between ", 0), 0u);
  EXPECT_NE(run.err.find(" could not be decided; points of interest there are not listed\n"),
            std::string::npos);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  // graph,other,kind, then x and y.
  const std::tuple<std::string, double, double> expected[] = {
      {"1,,root", -1, 0},          {"1,,root", 1, 0},          {"1,,minimum", 0, -1},
      {"1,2,intersection", -1, 0}, {"1,2,intersection", 2, 3}, {"1,,y-intercept", 0, -1},
      {"2,,root", -1, 0},          {"2,,y-intercept", 0, 1},   {"4,,y-intercept", 0, 3},
  };
  std::istringstream csv(test::ReadBytes(output));
  std::string line;
  std::getline(csv, line);
  EXPECT_EQ(line, "graph,other,kind,x,y");
  for (const auto& [fields, x, y] : expected) {
    SCOPED_TRACE(fields);
    ASSERT_TRUE(std::getline(csv, line));
    const std::size_t xAt = line.find(',', line.find(',', line.find(',') + 1) + 1);
    const std::size_t yAt = line.find(',', xAt + 1);
    EXPECT_EQ(line.substr(0, xAt), fields);
    EXPECT_NEAR(std::stod(line.substr(xAt + 1, yAt - xAt - 1)), x, 1e-12 * 2);
    EXPECT_NEAR(std::stod(line.substr(yAt + 1)), y, 1e-11);
  }
  EXPECT_FALSE(std::getline(csv, line)) << line;
}

// The picture shows the drawing area as the window does: a white background,
// the curve in its colour, world units square whatever the picture's shape;
// --export-fit zooms to the shown graphs.
TEST(Batch, PictureShowsTheCurvesWithSquareUnits) {
  test::TestDocument document;
  auto circle = test::MakeCurve(document, "circle", "5", 2, 2);  // red, two pixels wide
  circle->minV = 0;
  circle->maxV = 6.3f;
  circle->stepsV = 400;
  ASSERT_TRUE(document.AddDialogGraph(circle));
  document.MainAxis().shown = false;
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

// A double zero leaves pixels of an implicit curve undecided: the export
// tells their count in a note, and only then, and the exit status stays 0.
TEST(Batch, ImplicitPicturesNoteUndecidedPixels) {
  TempFolder folder;
  for (const auto& [text, noted] : {std::pair{"(x-y-0.3)^2", true}, {"x^2+y^2-4", false}}) {
    SCOPED_TRACE(text);
    test::TestDocument document;
    test::AddCurve(document, text, text, static_cast<std::int32_t>(FunctionForm::Equation));
    const std::string file = folder.File("note.pgp");
    ASSERT_TRUE(document.WriteGraphFile(file));
    const BatchRun run = RunWith({file, "--export-filename=" + folder.File("note.png"),
                                  "--export-width=160", "--export-height=120"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.rfind("Note: ", 0) == 0, noted) << run.err;
    EXPECT_EQ(run.err.empty(), !noted);
  }
}

// The exit statuses of ordinary runs are checked on the built program (see
// CMakeLists.txt); here, a message quotes at most 60 characters of a user's
// text however long, and --help explains status 3.
TEST(Batch, MessagesQuoteLongTextsShort) {
  TempFolder folder;
  test::TestDocument document;
  const std::string huge(1 << 20, 'q');
  const auto documentOf = [&](const std::string& name, const std::string& expression,
                              std::int32_t steps) {
    auto graph = test::MakeCurve(document, name, expression);
    graph->stepsV = steps;
    return test::WriteBytes(folder.File(name.substr(0, 10) + ".pgp"),
                            EncodeGraphFile("S51 1 " + Save(*graph) + " 0").bytes);
  };
  const std::string out = "--export-filename=" + folder.File("out.csv");
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{documentOf("symbol", "2*" + huge, 8), out},
       3,
       "Syntax Error: Character 2:  Undefined symbol : 'qqq"},
      {{documentOf(huge, "x", 50'000'000), out}, 3, "Error: The graph \"qqq"},
      {{documentOf("line", "x", 8), out, "--export-width=" + huge},
       2,
       "quillon: option '--export-width' needs"}};
  for (const auto& [arguments, status, firstLine] : cases) {
    SCOPED_TRACE(firstLine);
    const BatchRun run = RunWith(arguments);
    EXPECT_EQ(run.status, status) << run.err.substr(0, 300);
    EXPECT_EQ(run.err.substr(0, firstLine.size()), firstLine);
    std::istringstream lines(run.err);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LT(line.size(), 300u) << line.substr(0, 300);
    }
  }
  EXPECT_NE(RunWith({"--help"}).out.find("3  OUT was written, but"), std::string::npos);
}

// The hand-made documents of data/, one of each generation and an unknown
// record kind, opened as the window opens them: kind and rotation of the tag,
// frames, axis, then each graph's name and entry (a no-break space in a name
// reads as a blank).
TEST(DataFiles, EveryGenerationReadsAsItsFieldsSay) {
  const std::pair<const char*, std::string> cases[] = {
      {"curves_g5.pgp",
       "1 0 0 | 1 0 | 1 time 128 | my parabola: 2D Curve  y=x^2/4; circle: 2D Curve  "
       "x=3*cos(u),y=3*sin(u); rose: 2D Curve  r=4*sin(2*a); spiral: 2D Curve  a=u,r=u/3; "
       "steps: Step & Stem  y=int(x); "},
      {"animated_g4.pgp",
       "1 0 0 | 24 3 | 1 X 0 | wave: 2D Curve Animation  y=sin(x+t); measured values: 2.5D "
       "Table Graph: measured values; "},
      {"tables_g3.pgp",
       "1 0 0 | 4 0 | 0 X 0 | : 2D Curve Animation  y=t*x; pairs: 2D Table Graph: pairs; "},
      // The unknown kind ends the records; the axis is read from its token.
      {"unknown_kind.pgp", "2 -15 45 | 1 0 | 0 X 0 | ribbon: Graph kind 3: ribbon; "},
  };
  for (const auto& [name, expected] : cases) {
    SCOPED_TRACE(name);
    test::TestDocument document;
    ASSERT_EQ(document.OpenGraphFile(test::DataFile(name)), OpenResult::Opened);
    EXPECT_TRUE(document.dialogs.told.empty());
    const Axis& axis = document.MainAxis();
    std::ostringstream text;
    text << testing::Code(document.Values().documentKind) << " " << document.ShowScene().RotPitch()
         << " " << document.ShowScene().RotYaw() << " | " << document.Values().AnimFrames << " "
         << document.Values().AnimExtra << " | " << axis.shown << " " << axis.titleX << " "
         << axis.color << " | ";
    for (std::size_t i = 0; i < document.Entries().size(); ++i) {
      text << document.ListScene().Graphs().Item(static_cast<std::int32_t>(i) + 1)->name << ": "
           << document.Entries()[i].text << "; ";
    }
    EXPECT_EQ(text.str(), expected);
  }
}

}  // namespace
}  // namespace quillon
