// "Exact curves" of the View Setting dialog: on unless the user turned it
// off, kept in the user's settings (not the document), and what the
// drawing area, and so Copy As BMP and Print, draw.
#include <QCheckBox>
#include <QSettings>
#include <QTemporaryDir>

#include "window_test_support.h"

namespace quillon::testing {
namespace {

class ExactCurvesSetting : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settingsFolder_.isValid());
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
      QSettings::setPath(format, QSettings::UserScope, settingsFolder_.path());
    }
  }
  static bool Stored() {
    return QSettings(QSettings::UserScope, QStringLiteral("quillon"), QStringLiteral("quillon"))
        .value("view/exactCurves", true)
        .toBool();
  }
  // Sets the check box in the View Setting dialog and presses OK.
  void Choose(bool exact, const char* shown) {
    dialogs.scripts.push_back([exact, shown](QDialog& dialog) {
      EXPECT_EQ(Texts(dialog, "exactCurvesBox"), shown);
      Find<QCheckBox>(dialog, "exactCurvesBox")->setChecked(exact);
      ClickButton(dialog, "okButton");
    });
    Trigger("viewSettingsAction");
  }

 private:
  QTemporaryDir settingsFolder_;
};

// int(x) in 10 steps: a staircase exactly, diagonals from its stored points
// otherwise. The choice outlives the window.
TEST_F(ExactCurvesSetting, IsOnUntilTheUserTurnsItOff) {
  Start("");
  AddFunction({0, 0, "int(x)", "", "-5", "5", "10", kRed});
  const QImage exact = Frame();
  Choose(false, "Exact curves[x]");
  EXPECT_FALSE(Stored());
  const QImage plain = Frame();
  EXPECT_NE(plain, exact);

  Start("");
  AddFunction({0, 0, "int(x)", "", "-5", "5", "10", kRed});
  EXPECT_EQ(Frame(), plain);
  Choose(true, "Exact curves[ ]");
  EXPECT_TRUE(Stored());
  EXPECT_EQ(Frame(), exact);
}

}  // namespace
}  // namespace quillon::testing
