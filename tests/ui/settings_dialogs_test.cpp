// View Setting and Axis Properties on their own: what they show when they
// open and what OK and Cancel leave behind.

#include <array>
#include <cmath>

#include "graph/document_values.h"
#include "scene/axis.h"
#include "scene/view.h"
#include "ui/axis_dialog.h"
#include "ui/view_settings_dialog.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

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
  for (const std::int32_t projectType : {2, 7, 1}) {
    view.ProjectType(projectType);
    frmF14 dialog(view, values, dialogs);
    EXPECT_EQ(Texts(dialog, "Option1 Option2"),
              projectType == 2 ? "Ortho[ ]|Perspective[x]" : "Ortho[x]|Perspective[ ]");
  }
  frmF14 dialog(view, values, dialogs);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "View Setting");
  EXPECT_EQ(Texts(dialog,
                  "Frame1 Frame2 Label1 Text1 Label2 Text2 Label3 Text3 Label4 Text4 Label5 Text5 "
                  "Label6 Text6 Command1 Command2"),
            "Projection Type|View Intervals|Min x|-2.5|Max x|50|Min y|-50|Max y|50|Min z|-50|Max "
            "z|1E20|OK|Cancel");
  SavePicture(dialog, "view-setting");
}

// A bound typed into Max y beside a good one in Min x: OK stores the
// cleaned bounds and the projection, or nothing but the projection when a
// bound is refused; Cancel keeps everything.
TEST_F(ViewSetting, OkStoresTheCleanedBoundsOrNone) {
  // Typed, the button, Max y stored (NaN: nothing stored), what the box then holds, the message.
  const float none = std::nanf("");
  const std::tuple<const char*, const char*, float, const char*, const char*> cases[] = {
      {"1,5", "Command1", 1.5f, "1.5", nullptr},
      {"", "Command1", 0, "0", nullptr},
      {"-60", "Command1", -60, "-60", nullptr},  // below its minimum: stored as typed
      {"abc", "Command1", none, "abc", "(!) Error: Illegal data exist."},
      {"1E39", "Command1", none, "1E39", "(!) Note: A number is too large."},
      {"-7", "Command2", none, "-7", nullptr},
  };
  const std::array<float, 6> unchanged = Bounds(DocumentValues());
  for (const auto& [typed, button, maxY, shown, told] : cases) {
    SCOPED_TRACE(typed);
    values = DocumentValues();
    view.ProjectType(Cls4::kOrthographic);
    dialogs.reports.clear();
    frmF14 dialog(view, values, dialogs);
    dialog.show();
    SetText(dialog, "Text1", "7");
    SetText(dialog, "Text4", typed);
    QTest::mouseClick(Find<QRadioButton>(dialog, "Option2"), Qt::LeftButton);
    ClickButton(dialog, button);
    const bool accepted = !std::isnan(maxY);
    EXPECT_EQ(dialog.isVisible(), told != nullptr);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, accepted);
    const std::array<float, 6> stored = {7, 50, -50, maxY, -50, 50};
    EXPECT_EQ(Bounds(values), accepted ? stored : unchanged);
    EXPECT_EQ(Texts(dialog, "Text4"), shown);
    EXPECT_EQ(dialogs.reports, told != nullptr ? Lines{told} : Lines());
    EXPECT_EQ(view.ProjectType(),
              button == std::string("Command2") ? Cls4::kOrthographic : Cls4::kPerspective);
  }
}

class AxisProperties : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  Cls3 axis;
};

TEST_F(AxisProperties, OpensWithTheAxisSettings) {
  axis.AxisColor(0x336699);
  // Widths outside 1..5 show the nearest valid one.
  const std::tuple<bool, std::int32_t, const char*> cases[] = {
      {true, 9, "Show Axis[x]|Better Fonts[ ]|5"}, {false, 0, "Show Axis[ ]|Better Fonts[x]|1"}};
  for (const auto& [show, width, shown] : cases) {
    axis.Show(show);
    axis.BetterFonts(!show);
    axis.AxisWidth(width);
    frmF20 dialog(axis, dialogs);
    EXPECT_EQ(Texts(dialog, "Check1 Check2 Combo1"), shown);
    EXPECT_EQ(Find<ColorBox>(dialog, "Picture1")->Color(), 0x336699);
  }
  frmF20 dialog(axis, dialogs);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Axis Properties");
  EXPECT_EQ(Texts(dialog, "SSTab1 Label1 Label2"), "General/Line/Fonts|Color|Width");
  EXPECT_EQ(Find<QComboBox>(dialog, "Combo1")->count(), 5);
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
  ClickButton(dialog, "Command1");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(axis.Show());
  EXPECT_FALSE(axis.BetterFonts());
  EXPECT_EQ(axis.AxisColor(), 0x0000FF);
  EXPECT_EQ(axis.AxisWidth(), 4);
}

}  // namespace
}  // namespace quillon::testing
