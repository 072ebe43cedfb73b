// The status bar's read-out of the drawing area: the world point under the
// mouse with the digits a pixel needs, and Trace on an explicit curve.
#include <QClipboard>
#include <QGuiApplication>
#include <QTableWidget>
#include <cmath>
#include <limits>
#include <regex>

#include "ui/coordinate_text.h"
#include "ui/draw_area.h"
#include "ui/points_of_interest_dialog.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

TEST(CoordinateDigits, TellNeighbouringPixelsApartAndNoMore) {
  const double none = std::numeric_limits<double>::quiet_NaN();
  const std::int32_t most = kMostDecimals;
  const struct {
    double pixelSize;
    std::int32_t decimals;
  } table[] = {
      {0.05, 2}, {0.1, 1}, {0.01, 2}, {0.03, 2}, {0.2, 1},   {0.001, 3},   {0.00099, 4},
      {1, 0},    {2.5, 0}, {1000, 0}, {0, most}, {-1, most}, {none, most},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.pixelSize);
    EXPECT_EQ(DecimalsForPixel(row.pixelSize), row.decimals);
  }
}

TEST(CoordinateDigits, WriteFixedDecimalsWithoutNegativeZero) {
  const struct {
    double value;
    std::int32_t decimals;
    const char* text;
  } table[] = {
      {3.14159, 3, "3.142"}, {-1.26, 1, "-1.3"}, {12.7, 0, "13"},
      {-0.004, 2, "0.00"},   {-0.4, 0, "0"},     {2, 2, "2.00"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(CoordinateText(row.value, row.decimals), row.text);
  }
}

// The numbers after "x = " and "y = " in the status bar, and its text.
struct Readout {
  std::string text;
  double x = std::nan(""), y = std::nan("");
  int xDecimals = -1, yDecimals = -1;
};

class StatusReadout : public WindowTest {
 protected:
  Readout Read() {
    Readout readout;
    readout.text = Find<QLabel>(Window(), "readoutLabel")->text().toStdString();
    const std::regex number(R"(x = (-?\d+)(\.(\d+))?\s+y = (-?\d+)(\.(\d+))?)");
    std::smatch match;
    if (std::regex_search(readout.text, match, number)) {
      readout.x = std::stod(match[1].str() + match[2].str());
      readout.y = std::stod(match[4].str() + match[5].str());
      readout.xDecimals = static_cast<int>(match[3].length());
      readout.yDecimals = static_cast<int>(match[6].length());
    }
    return readout;
  }
  Readout MouseAt(QPoint pixel) {
    // Sent straight to the area: a pointer moved through the display server
    // may arrive after the text is read.
    Send(&Drawing(), QEvent::MouseMove, QPointF(pixel), Qt::NoButton, Qt::NoButton);
    return Read();
  }
  // The world point at the centre of the pixel, from the view's region.
  std::pair<double, double> WorldAt(QPoint pixel) {
    const Camera& view = Window().MainView();
    const double pixelWidth = double{view.VolWidth()} / view.ScreenWidth();
    const double pixelHeight = double{view.VolHeight()} / view.ScreenHeight();
    return {view.RefPos().x - view.VolWidth() / 2.0 + (pixel.x() + 0.5) * pixelWidth,
            view.RefPos().y + view.VolHeight() / 2.0 - (pixel.y() + 0.5) * pixelHeight};
  }
  // Decimals enough to tell neighbouring pixels apart, and one fewer not.
  static void ExpectDigitsOfPixel(int decimals, double pixelSize) {
    EXPECT_LE(std::pow(10.0, -decimals), pixelSize * (1 + 1e-9)) << decimals;
    EXPECT_GT(std::pow(10.0, 1 - decimals), pixelSize) << decimals;
  }
};

// The world point under the mouse, cleared when the mouse leaves; then, in
// Trace, y = x*x/3 read at the mouse's x, one pixel on with Right, and sqrt
// where it is undefined.
TEST_F(StatusReadout, NamesThePointUnderTheMouseOrTheTracedCurvesPoint) {
  StartWith({{0, 0, "x*x/3", "", "-10", "10", "100", kRed, "bowl"}});
  const Camera& view = Window().MainView();
  const QSize size = Drawing().size();
  for (const QPoint pixel : {QPoint(3, 4), QPoint(size.width() / 2, size.height() / 2),
                             QPoint(size.width() - 5, size.height() - 2)}) {
    SCOPED_TRACE(pixel.x());
    const Readout readout = MouseAt(pixel);
    ASSERT_GE(readout.xDecimals, 0) << readout.text;
    const auto [x, y] = WorldAt(pixel);
    EXPECT_NEAR(readout.x, x, 0.5 * std::pow(10.0, -readout.xDecimals) + 1e-9);
    EXPECT_NEAR(readout.y, y, 0.5 * std::pow(10.0, -readout.yDecimals) + 1e-9);
    ExpectDigitsOfPixel(readout.xDecimals, double{view.VolWidth()} / view.ScreenWidth());
    ExpectDigitsOfPixel(readout.yDecimals, double{view.VolHeight()} / view.ScreenHeight());
  }
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&Drawing(), &leave);
  EXPECT_EQ(Read().text, "");

  Trigger("viewTraceAction", 0);
  const double pixelWidth =
      double{Window().MainView().VolWidth()} / Window().MainView().ScreenWidth();
  const QPoint pixel(Drawing().width() / 2 + 37, Drawing().height() / 3);
  Readout readout = MouseAt(pixel);
  ASSERT_EQ(readout.text.rfind("bowl:", 0), 0u) << readout.text;
  const double shownX = 0.5 * std::pow(10.0, -readout.xDecimals);
  const double shownY = 0.5 * std::pow(10.0, -readout.yDecimals);
  EXPECT_NEAR(readout.x, WorldAt(pixel).first, shownX + 1e-9);
  const auto f = [](double x) { return x * x / 3; };
  // The shown x is rounded: f moves by up to |f'| times that.
  EXPECT_NEAR(readout.y, f(readout.x), shownY + std::abs(2 * readout.x / 3) * shownX + 1e-9);

  // Keys reach the window's shortcuts only while it is active.
  Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  QTest::keyClick(&Window(), Qt::Key_Right);
  const Readout stepped = Read();
  EXPECT_NEAR(stepped.x, readout.x + pixelWidth, 2 * shownX + 1e-9) << stepped.text;

  AddFunction({0, 0, "sqrt(x)", "", "-10", "10", "100", kRed, "root"});
  List().setCurrentRow(1);
  const Readout left = MouseAt(QPoint(Drawing().width() / 4, Drawing().height() / 2));
  EXPECT_LT(WorldAt(QPoint(Drawing().width() / 4, 0)).first, 0);
  EXPECT_NE(left.text.find("root:"), std::string::npos) << left.text;
  EXPECT_NE(left.text.find("undefined"), std::string::npos) << left.text;
}

// y = x^2 - 1 over -2..2 and y = x + 1: Shift+Right and Shift+Left walk
// the trace through the points of interest of the selected curve (roots
// -1 and 1, minimum and y-intercept at 0, the intersections at -1 and 2),
// and the Points of Interest window lists them, copies them and marks the
// row chosen.
TEST_F(StatusReadout, PointsOfInterestAreWalkedListedAndMarked) {
  StartWith({{0, 0, "x^2-1", "", "-2", "2", "10", kRed, "bowl"},
             {0, 0, "x+1", "", "-3", "3", "10", kRed}});
  Trigger("viewTraceAction", 0);
  MouseAt(QPoint(1, Drawing().height() / 2));
  Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  // Right from the view's left edge, then it stays at the last point, 2.
  const std::pair<Qt::Key, double> steps[] = {{Qt::Key_Right, -1}, {Qt::Key_Right, 0},
                                              {Qt::Key_Right, 1},  {Qt::Key_Right, 2},
                                              {Qt::Key_Right, 2},  {Qt::Key_Left, 1}};
  for (std::size_t step = 0; step < std::size(steps); ++step) {
    QTest::keyClick(&Window(), steps[step].first, Qt::ShiftModifier);
    EXPECT_NEAR(Read().x, steps[step].second, 0.01) << step;
  }

  Trigger("analysisPointsAction");
  PointsOfInterestDialog* points = Window().PointsOfInterest();
  ASSERT_NE(points, nullptr);
  ClickButton(*points, "copyButton");
  const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 9) << QGuiApplication::clipboard()->text().toStdString();
  EXPECT_EQ(lines[0], QStringLiteral("Graph\tKind\tx\ty"));
  // Rows by graph, kind and x; each intersection under the first graph.
  const struct {
    const char *graph, *kind;
    double x, y;
  } rows[] = {{"bowl", "root", -1, 0},
              {"bowl", "root", 1, 0},
              {"bowl", "minimum", 0, -1},
              {"bowl", "intersection with y=x+1", -1, 0},
              {"bowl", "intersection with y=x+1", 2, 3},
              {"bowl", "y-intercept", 0, -1},
              {"y=x+1", "root", -1, 0},
              {"y=x+1", "y-intercept", 0, 1}};
  for (int row = 0; row < 8; ++row) {
    SCOPED_TRACE(row);
    const QStringList cells = lines[row + 1].split('\t');
    ASSERT_EQ(cells.size(), 4);
    EXPECT_EQ(cells[0].toStdString(), rows[row].graph);
    EXPECT_EQ(cells[1].toStdString(), rows[row].kind);
    EXPECT_NEAR(cells[2].toDouble(), rows[row].x, 1e-11);
    EXPECT_NEAR(cells[3].toDouble(), rows[row].y, 1e-11);
  }
  Find<QTableWidget>(*points, "pointsTable")->setCurrentCell(2, 0);
  const std::optional<PlanePoint> marked = qobject_cast<DrawArea*>(&Drawing())->TraceMarker();
  ASSERT_TRUE(marked.has_value());
  EXPECT_NEAR(marked->x, 0, 1e-12);
  EXPECT_NEAR(marked->y, -1, 1e-12);
}

}  // namespace
}  // namespace quillon::testing
