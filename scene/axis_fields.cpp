#include "scene/axis_fields.h"

namespace quillon {

const std::vector<AxisField>& AxisRecordFields() {
  static const std::vector<AxisField> fields = {
      {"Show", FieldForm::Flag, &Axis::shown},
      {"ShowXYPanel", FieldForm::Flag, &Axis::showXYPanel},
      {"ShowXZPanel", FieldForm::Flag, &Axis::showXZPanel},
      {"ShowYZPanel", FieldForm::Flag, &Axis::showYZPanel},
      {"ShowXYXGrid", FieldForm::Flag, &Axis::showXYXGrid},
      {"ShowXYYGrid", FieldForm::Flag, &Axis::showXYYGrid},
      {"ShowXZXGrid", FieldForm::Flag, &Axis::showXZXGrid},
      {"ShowXZZGrid", FieldForm::Flag, &Axis::showXZZGrid},
      {"ShowYZYGrid", FieldForm::Flag, &Axis::showYZYGrid},
      {"ShowYZZGrid", FieldForm::Flag, &Axis::showYZZGrid},
      {"LabelNumX", FieldForm::Integer, &Axis::labelStepsX},
      {"LabelNumY", FieldForm::Integer, &Axis::labelStepsY},
      {"LabelNumZ", FieldForm::Integer, &Axis::labelStepsZ},
      {"TitleX", FieldForm::Text, &Axis::titleX},
      {"TitleY", FieldForm::Text, &Axis::titleY},
      {"TitleZ", FieldForm::Text, &Axis::titleZ},
      {"XYPanelColor", FieldForm::Integer, &Axis::xyPanelColor},
      {"XZPanelColor", FieldForm::Integer, &Axis::xzPanelColor},
      {"YZPanelColor", FieldForm::Integer, &Axis::yzPanelColor},
      {"XYGridColor", FieldForm::Integer, &Axis::xyGridColor},
      {"XZGridColor", FieldForm::Integer, &Axis::xzGridColor},
      {"YZGridColor", FieldForm::Integer, &Axis::yzGridColor},
      {"XYPanelMaterial", FieldForm::Integer, &Axis::xyPanelMaterial},
      {"XZPanelMaterial", FieldForm::Integer, &Axis::xzPanelMaterial},
      {"YZPanelMaterial", FieldForm::Integer, &Axis::yzPanelMaterial},
      {"AxisColor", FieldForm::Integer, &Axis::color},
      {"AxisWidth", FieldForm::Integer, &Axis::width},
      {"BetterFonts", FieldForm::Flag, &Axis::betterFonts},
  };
  return fields;
}

}  // namespace quillon
