#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "graph/graph_record.h"
#include "ui/draw_area.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

using MainWindow = WindowTest;

const QColor kRedPixel(255, 0, 0);
const QColor kGreenPixel(0, 255, 0);

FunctionInput RedParabola() {
  FunctionInput input;
  input.first = QStringLiteral("x^2 / 4 - 5");
  input.color = kRed;
  return input;
}

TEST_F(MainWindow, DrawCartesianAddsACheckedEntryAndDrawsTheCurve) {
  Start("");
  EXPECT_EQ(CountNear(Frame(), kRedPixel), 0);
  AddFunction(RedParabola());

  ASSERT_EQ(List().count(), 1);
  EXPECT_EQ(List().item(0)->text().toStdString(), "2D Curve  y=x^2/4-5");
  EXPECT_EQ(List().item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(Window().Document().ShowScene().Graphs().Count(), 1);
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
  EXPECT_TRUE(dialogs.reports.empty());
  EXPECT_EQ(dialogs.shownDialogs, std::vector<std::string>{"frmF5"});
  SaveScreenshot("parabola");
}

TEST_F(MainWindow, UncheckHidesTheCurveAndCheckShowsItAgain) {
  Start("");
  AddFunction(RedParabola());
  FunctionInput green;
  green.first = QStringLiteral("sin(x)*3");
  green.color = kGreen;
  AddFunction(green);
  const std::int32_t redID = Window().Document().ListScene().Graphs().Item(1)->ID();
  ASSERT_GT(CountNear(Frame(), kRedPixel), 200);

  ClickCheckBox(0);
  EXPECT_EQ(List().item(0)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(Window().IsShown(redID));
  const QImage hidden = Frame();
  EXPECT_EQ(CountNear(hidden, kRedPixel), 0);
  EXPECT_GT(CountNear(hidden, kGreenPixel), 100);
  SaveScreenshot("one-graph-hidden");

  ClickCheckBox(0);
  EXPECT_EQ(List().item(0)->checkState(), Qt::Checked);
  EXPECT_TRUE(Window().IsShown(redID));
  EXPECT_GT(CountNear(Frame(), kRedPixel), 200);
}

}  // namespace
}  // namespace quillon::testing
