// View Setting and Axis Properties on their own: what they show when they
// open and what OK and Cancel leave behind.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <array>

#include "graph/document_values.h"
#include "scene/axis.h"
#include "scene/view.h"
#include "scripted_dialogs.h"
#include "ui/axis_dialog.h"
#include "ui/color_box.h"
#include "ui/view_settings_dialog.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

void Click(QDialog& dialog, const char* name) {
  QTest::mouseClick(Find<QPushButton>(dialog, name), Qt::LeftButton);
}

std::array<float, 6> Bounds(const DocumentValues& v) {
  return {v.ViewMinX, v.ViewMaxX, v.ViewMinY, v.ViewMaxY, v.ViewMinZ, v.ViewMaxZ};
}

class ViewSetting : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  Cls4 view;
  DocumentValues values;
};

TEST_F(ViewSetting, OpensWithTheBoundsAndTheProjection) {
  values.ViewMinX = -2.5f;
  values.ViewMaxZ = 1e20f;
  struct Case {
    std::int32_t projectType;
    bool ortho, perspective;
  };
  const Case cases[] = {{1, true, false}, {2, false, true}, {7, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.projectType);
    view.ProjectType(c.projectType);
    frmF14 dialog(view, values, dialogs);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "View Setting");
    EXPECT_EQ(Find<QGroupBox>(dialog, "Frame1")->title().toStdString(), "Projection Type");
    EXPECT_EQ(Find<QGroupBox>(dialog, "Frame2")->title().toStdString(), "View Intervals");
    EXPECT_EQ(Find<QRadioButton>(dialog, "Option1")->text().toStdString(), "Ortho");
    EXPECT_EQ(Find<QRadioButton>(dialog, "Option2")->text().toStdString(), "Perspective");
    EXPECT_EQ(Find<QRadioButton>(dialog, "Option1")->isChecked(), c.ortho);
    EXPECT_EQ(Find<QRadioButton>(dialog, "Option2")->isChecked(), c.perspective);
    const std::array<std::pair<const char*, const char*>, 6> labels = {{{"Min x", "-2.5"},
                                                                        {"Max x", "50"},
                                                                        {"Min y", "-50"},
                                                                        {"Max y", "50"},
                                                                        {"Min z", "-50"},
                                                                        {"Max z", "1E20"}}};
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const std::string number = std::to_string(i + 1);
      EXPECT_EQ(Find<QLabel>(dialog, ("Label" + number).c_str())->text().toStdString(),
                labels[i].first);
      EXPECT_EQ(Find<QLineEdit>(dialog, ("Text" + number).c_str())->text().toStdString(),
                labels[i].second);
    }
    EXPECT_EQ(Find<QPushButton>(dialog, "Command1")->text().toStdString(), "OK");
    EXPECT_EQ(Find<QPushButton>(dialog, "Command2")->text().toStdString(), "Cancel");
  }
  frmF14 dialog(view, values, dialogs);
  SavePicture(dialog, "view-setting");
}

TEST_F(ViewSetting, OkStoresTheCleanedBounds) {
  struct Case {
    const char* typed;  // into every box
    bool accepted;
    float value;
    const char* shown;  // what the box holds afterwards
  };
  const Case cases[] = {
      {"1,5", true, 1.5f, "1.5"},  {"1 0", true, 10, "10"}, {"", true, 0, "0"},
      {"-3e1", true, -30, "-3e1"}, {"7x", false, -1, "7x"}, {"+2", false, -1, "+2"},
      {"1E39", false, -1, "1E39"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    values = DocumentValues();
    values.ViewMinX = values.ViewMaxX = values.ViewMinY = values.ViewMaxY = values.ViewMinZ =
        values.ViewMaxZ = -1;
    dialogs.reports.clear();
    frmF14 dialog(view, values, dialogs);
    dialog.show();
    for (int i = 1; i <= 6; ++i) {
      Find<QLineEdit>(dialog, ("Text" + std::to_string(i)).c_str())
          ->setText(QString::fromLatin1(c.typed));
    }
    Click(dialog, "Command1");
    EXPECT_EQ(dialog.isVisible(), !c.accepted);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
    const std::array<float, 6> expected = {c.value, c.value, c.value, c.value, c.value, c.value};
    EXPECT_EQ(Bounds(values), expected);
    EXPECT_EQ(Find<QLineEdit>(dialog, "Text1")->text().toStdString(), c.shown);
    if (c.accepted) {
      EXPECT_TRUE(dialogs.reports.empty());
    } else {
      ASSERT_EQ(dialogs.reports.size(), 1u);
      EXPECT_EQ(dialogs.reports[0].icon, MessageIcon::Exclamation);
    }
  }
}

TEST_F(ViewSetting, RefusedBoundNamesTheIllegalData) {
  frmF14 dialog(view, values, dialogs);
  dialog.show();
  Find<QLineEdit>(dialog, "Text2")->setText(QStringLiteral("5"));
  Find<QLineEdit>(dialog, "Text3")->setText(QStringLiteral("abc"));
  QTest::mouseClick(Find<QRadioButton>(dialog, "Option2"), Qt::LeftButton);
  Click(dialog, "Command1");
  ASSERT_EQ(dialogs.reports.size(), 1u);
  EXPECT_EQ(dialogs.reports[0].title, "Error");
  EXPECT_EQ(dialogs.reports[0].text, "Illegal data exist.");
  // The projection changes first; no bound changes, not even the good one.
  EXPECT_EQ(view.ProjectType(), Cls4::kPerspective);
  EXPECT_FLOAT_EQ(values.ViewMaxX, 50);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ViewSetting, CancelChangesNothing) {
  frmF14 dialog(view, values, dialogs);
  dialog.show();
  Find<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("-7"));
  QTest::mouseClick(Find<QRadioButton>(dialog, "Option2"), Qt::LeftButton);
  Click(dialog, "Command2");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FLOAT_EQ(values.ViewMinX, -50);
  EXPECT_EQ(view.ProjectType(), Cls4::kOrthographic);
}

// A minimum above its maximum is stored as typed.
TEST_F(ViewSetting, BoundsAreNotCompared) {
  frmF14 dialog(view, values, dialogs);
  dialog.show();
  Find<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("9"));
  Find<QLineEdit>(dialog, "Text2")->setText(QStringLiteral("-9"));
  QTest::mouseClick(Find<QRadioButton>(dialog, "Option2"), Qt::LeftButton);
  Click(dialog, "Command1");
  EXPECT_FLOAT_EQ(values.ViewMinX, 9);
  EXPECT_FLOAT_EQ(values.ViewMaxX, -9);
  EXPECT_EQ(view.ProjectType(), Cls4::kPerspective);
}

class AxisProperties : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  Cls3 axis;
};

TEST_F(AxisProperties, OpensWithTheAxisSettings) {
  struct Case {
    bool show, betterFonts;
    std::int32_t width;
    const char* shown;
  };
  // Widths outside 1..5 show the nearest valid one.
  const Case cases[] = {{true, false, 3, "3"}, {false, true, 1, "1"}, {true, true, 5, "5"},
                        {true, true, 9, "5"},  {true, true, 0, "1"},  {true, true, -2, "1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    axis.Show(c.show);
    axis.BetterFonts(c.betterFonts);
    axis.AxisWidth(c.width);
    axis.AxisColor(0x336699);
    frmF20 dialog(axis, dialogs);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Axis Properties");
    auto* tabs = Find<QTabWidget>(dialog, "SSTab1");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0).toStdString(), "General");
    EXPECT_EQ(tabs->tabText(1).toStdString(), "Line");
    EXPECT_EQ(tabs->tabText(2).toStdString(), "Fonts");
    EXPECT_EQ(Find<QCheckBox>(dialog, "Check1")->text().toStdString(), "Show Axis");
    EXPECT_EQ(Find<QCheckBox>(dialog, "Check2")->text().toStdString(), "Better Fonts");
    EXPECT_EQ(Find<QLabel>(dialog, "Label1")->text().toStdString(), "Color");
    EXPECT_EQ(Find<QLabel>(dialog, "Label2")->text().toStdString(), "Width");
    EXPECT_EQ(Find<QCheckBox>(dialog, "Check1")->isChecked(), c.show);
    EXPECT_EQ(Find<QCheckBox>(dialog, "Check2")->isChecked(), c.betterFonts);
    EXPECT_EQ(Find<QComboBox>(dialog, "Combo1")->count(), 5);
    EXPECT_EQ(Find<QComboBox>(dialog, "Combo1")->currentText().toStdString(), c.shown);
    EXPECT_EQ(Find<ColorBox>(dialog, "Picture1")->Color(), 0x336699);
  }
  frmF20 dialog(axis, dialogs);
  SavePicture(dialog, "axis-properties");
}

TEST_F(AxisProperties, OkWritesEverySetting) {
  axis.Show(true);
  axis.AxisWidth(1);
  frmF20 dialog(axis, dialogs);
  dialog.show();
  dialogs.colors.push_back(0x0000FF);
  QTest::mouseClick(Find<ColorBox>(dialog, "Picture1"), Qt::LeftButton);
  Find<QCheckBox>(dialog, "Check1")->setChecked(false);
  Find<QCheckBox>(dialog, "Check2")->setChecked(false);
  Find<QComboBox>(dialog, "Combo1")->setCurrentIndex(3);
  Click(dialog, "Command1");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(axis.Show());
  EXPECT_FALSE(axis.BetterFonts());
  EXPECT_EQ(axis.AxisColor(), 0x0000FF);
  EXPECT_EQ(axis.AxisWidth(), 4);
}

TEST_F(AxisProperties, CancelKeepsTheAxis) {
  axis.Show(true);
  axis.AxisColor(0x123456);
  axis.AxisWidth(2);
  frmF20 dialog(axis, dialogs);
  dialog.show();
  dialogs.colors.push_back(0x0000FF);
  QTest::mouseClick(Find<ColorBox>(dialog, "Picture1"), Qt::LeftButton);
  EXPECT_EQ(Find<ColorBox>(dialog, "Picture1")->Color(), 0x0000FF);
  Find<QCheckBox>(dialog, "Check1")->setChecked(false);
  Find<QComboBox>(dialog, "Combo1")->setCurrentIndex(4);
  Click(dialog, "Command2");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_TRUE(axis.Show());
  EXPECT_EQ(axis.AxisColor(), 0x123456);
  EXPECT_EQ(axis.AxisWidth(), 2);
}

}  // namespace
}  // namespace quillon::testing
