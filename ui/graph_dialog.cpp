#include "ui/graph_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "expr/expression_compiler.h"
#include "expr/number_text.h"
#include "graph/graph.h"
#include "io/document.h"
#include "io/sampling_run.h"
#include "scene/scene.h"
#include "ui/analysis_tab.h"
#include "ui/color_box.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_text.h"
#include "ui/window_dialogs.h"
#include "ui/window_texts.h"

namespace quillon {

namespace {

// The rows of the form list, the same in both coordinate systems.
constexpr FunctionForm kFormRows[] = {FunctionForm::Explicit, FunctionForm::Parametric,
                                      FunctionForm::Equation, FunctionForm::Inequation};
constexpr int kParametricRow = 1;

// The implicit forms: a text of two variables over a region of both.
bool IsRegionRow(int row) {
  return row == 2 || row == 3;
}

int FormRow(FunctionForm form) {
  const auto* row = std::find(std::begin(kFormRows), std::end(kFormRows), form);
  return row == std::end(kFormRows) ? 0 : static_cast<int>(row - std::begin(kFormRows));
}

// The texts of a form row in Cartesian or polar coordinates.
const texts::FormTexts& Form(bool polar, int row) {
  static const texts::FormTexts* const kCartesianForms[] = {
      &texts::kCartesianExplicit, &texts::kCartesianParametric, &texts::kCartesianEquation,
      &texts::kCartesianInequation};
  static const texts::FormTexts* const kPolarForms[] = {
      &texts::kPolarExplicit, &texts::kPolarParametric, &texts::kPolarEquation,
      &texts::kPolarInequation};
  const std::size_t at = static_cast<std::size_t>(std::clamp(row, 0, 3));
  return polar ? *kPolarForms[at] : *kCartesianForms[at];
}

// The form list of a coordinate system.
QStringList FormNames(bool polar) {
  QStringList names;
  for (int row = 0; row < static_cast<int>(std::size(kFormRows)); ++row) {
    names.append(Form(polar, row).name);
  }
  return names;
}

// What a new graph gets whatever the dialog says.
constexpr std::int32_t kSurfaceColor = 0xFF0000;
constexpr std::int32_t kDisplayMode = 2;
constexpr std::int32_t kSmoothness = 2;
constexpr std::int32_t kBlue = 0xFF0000;  // blue in bits 16..23

// The first colour of the palette that no graph of the scene draws its line with;
// when every one is taken, the palette starts over.
std::int32_t FirstFreeColor(const Scene& shown) {
  for (const std::int32_t color : GraphDialog::kPalette) {
    const bool used =
        std::any_of(shown.Graphs().begin(), shown.Graphs().end(),
                    [color](const auto& entry) { return entry.second->lineColor == color; });
    if (!used) {
      return color;
    }
  }
  const auto count = static_cast<std::size_t>(shown.Graphs().Count());
  return GraphDialog::kPalette[count % GraphDialog::kPalette.size()];
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

GraphDialog::GraphDialog(quillon::Document& document, WindowDialogs& dialogs, QWidget* parent)
    : QDialog(parent), document_(document), dialogs_(dialogs) {
  setObjectName(QStringLiteral("GraphDialog"));
  setWindowTitle(texts::kPropertiesTitle);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  tabs_ = Named(new QTabWidget(this), "tabs");
  tabs_->addTab(buildEquationTab(), texts::kEquationTab);
  tabs_->addTab(buildPropertiesTab(), texts::kPropertiesTab);
  analysisTab_ = new AnalysisTab(dialogs_);
  tabs_->addTab(analysisTab_, texts::kAnalysisTab);

  QHBoxLayout* buttons = OkCancelRow(this, okButton_, cancelButton_);
  connect(okButton_, &QPushButton::clicked, this, &GraphDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &GraphDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* GraphDialog::buildEquationTab() {
  auto* page = new QWidget;
  nameLabel_ = Named(new QLabel(texts::kNameCaption), "nameLabel");
  nameEdit_ = Named(new QLineEdit(texts::kUntitled), "nameEdit");
  coordinateLabel_ = Named(new QLabel(texts::kCoordinateCaption), "coordinateLabel");
  coordinateCombo_ = Named(new QComboBox, "coordinateCombo");
  coordinateCombo_->addItems({texts::kCartesian, texts::kPolar});
  coordinateCombo_->setCurrentIndex(0);
  formLabel_ = Named(new QLabel(texts::kFormCaption), "formLabel");
  formCombo_ = Named(new QComboBox, "formCombo");
  formCombo_->addItems(FormNames(false));
  formCombo_->setCurrentIndex(0);
  connect(coordinateCombo_, &QComboBox::activated, this, &GraphDialog::onCoordinateChosen);
  connect(formCombo_, &QComboBox::activated, this, &GraphDialog::onFormChosen);
  connect(coordinateCombo_, &QComboBox::activated, this, &GraphDialog::offerDomain);
  connect(formCombo_, &QComboBox::activated, this, &GraphDialog::offerDomain);

  functionGroup_ = Named(new QGroupBox(texts::kFunctionGroup), "functionGroup");
  firstFunctionLabel_ = Named(new QLabel, "firstFunctionLabel");
  firstFunctionEdit_ = Named(new QLineEdit, "firstFunctionEdit");
  secondFunctionLabel_ = Named(new QLabel, "secondFunctionLabel");
  secondFunctionEdit_ = Named(new QLineEdit, "secondFunctionEdit");
  auto* function = new QGridLayout(functionGroup_);
  function->addWidget(firstFunctionLabel_, 0, 0);
  function->addWidget(firstFunctionEdit_, 0, 1);
  function->addWidget(secondFunctionLabel_, 1, 0);
  function->addWidget(secondFunctionEdit_, 1, 1);
  function->setColumnMinimumWidth(1, 260);

  domainGroup_ = Named(new QGroupBox(texts::kDomainGroup), "domainGroup");
  fromLabel_ = Named(new QLabel, "fromLabel");
  fromEdit_ = Named(new QLineEdit, "fromEdit");
  toLabel_ = Named(new QLabel, "toLabel");
  toEdit_ = Named(new QLineEdit, "toEdit");
  stepsLabel_ = Named(new QLabel, "stepsLabel");
  stepsEdit_ = Named(new QLineEdit, "stepsEdit");
  stepsLabel_->setToolTip(texts::kStepsToolTip);
  stepsEdit_->setToolTip(texts::kStepsToolTip);
  auto* domain = new QGridLayout(domainGroup_);
  domain->addWidget(fromLabel_, 0, 0);
  domain->addWidget(fromEdit_, 0, 1);
  domain->addWidget(toLabel_, 1, 0);
  domain->addWidget(toEdit_, 1, 1);
  domain->addWidget(stepsLabel_, 2, 0);
  domain->addWidget(stepsEdit_, 2, 1);
  secondFromLabel_ = Named(new QLabel, "secondFromLabel");
  secondFromEdit_ = Named(new QLineEdit, "secondFromEdit");
  secondToLabel_ = Named(new QLabel, "secondToLabel");
  secondToEdit_ = Named(new QLineEdit, "secondToEdit");
  domain->addWidget(secondFromLabel_, 3, 0);
  domain->addWidget(secondFromEdit_, 3, 1);
  domain->addWidget(secondToLabel_, 4, 0);
  domain->addWidget(secondToEdit_, 4, 1);

  auto* grid = new QGridLayout(page);
  grid->addWidget(nameLabel_, 0, 0);
  grid->addWidget(nameEdit_, 0, 1);
  grid->addWidget(coordinateLabel_, 1, 0);
  grid->addWidget(coordinateCombo_, 1, 1);
  grid->addWidget(formLabel_, 2, 0);
  grid->addWidget(formCombo_, 2, 1);
  grid->addWidget(functionGroup_, 3, 0, 1, 2);
  grid->addWidget(domainGroup_, 4, 0, 1, 2);
  onFormChosen();
  return page;
}

QWidget* GraphDialog::buildPropertiesTab() {
  auto* page = new QWidget;
  colorLabel_ = Named(new QLabel(texts::kColorCaption), "colorLabel");
  colorBox_ = Named(new ColorBox, "colorBox");
  colorBox_->Color(kBlue);
  connect(colorBox_, &ColorBox::clicked, this, &GraphDialog::onColorClicked);
  widthLabel_ = Named(new QLabel(texts::kWidthCaption), "widthLabel");
  widthCombo_ = Named(new QComboBox, "widthCombo");
  for (int width = 1; width <= kLineWidths; ++width) {
    widthCombo_->addItem(QString::number(width));
  }
  widthCombo_->setCurrentIndex(0);
  showGraphCheck_ = Named(new QCheckBox(texts::kShowFunctionGraph), "showGraphCheck");
  showGraphCheck_->setChecked(true);

  auto* grid = new QGridLayout(page);
  grid->addWidget(colorLabel_, 0, 0);
  grid->addWidget(colorBox_, 0, 1, Qt::AlignLeft);
  grid->addWidget(widthLabel_, 1, 0);
  grid->addWidget(widthCombo_, 1, 1, Qt::AlignLeft);
  grid->addWidget(showGraphCheck_, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(1, 1);
  return page;
}

bool GraphDialog::CanEdit(const Graph& graph, DocumentKind documentKind) {
  return documentKind == DocumentKind::Plane && graph.kind == GraphKind::PlaneCurve &&
         IsPlaneSystem(graph.coordinates) &&
         std::find(std::begin(kFormRows), std::end(kFormRows), graph.form) != std::end(kFormRows);
}

void GraphDialog::PresetNew(int coordinateIndex, DomainDefaults* defaults) {
  editMode_ = false;
  defaults_ = defaults != nullptr ? defaults : &ownDefaults_;
  setWindowTitle(texts::kPropertiesTitle);
  // The explicit form of the system: its labels, the second box hidden.
  formCombo_->setCurrentIndex(0);
  coordinateCombo_->setCurrentIndex(coordinateIndex);
  onCoordinateChosen();
  offeredFrom_ = fromEdit_->text();
  offeredTo_ = toEdit_->text();
  offeredSteps_ = stepsEdit_->text();
  offerDomain();
  colorBox_->Color(FirstFreeColor(document_.ShowScene()));
  editedGraph_.reset();
  analysisTab_->Show(Graph(document_.Values()));
  tabs_->setCurrentIndex(0);
  firstFunctionEdit_->setFocus();
}

void GraphDialog::PresetEdit(const Graph& graph, std::int32_t listPosition) {
  editMode_ = true;
  editPosition_ = listPosition;
  setWindowTitle(texts::kPropertiesTitle);
  formCombo_->setCurrentIndex(FormRow(graph.form));
  coordinateCombo_->setCurrentIndex(graph.coordinates == CoordinateSystem::Polar ? 1 : 0);
  onCoordinateChosen();
  nameEdit_->setText(QString::fromStdString(graph.name));
  editedGraph_ = document_.MakeGraph();
  CopyGraphSettings(graph, *editedGraph_);
  analysisTab_->Show(graph);
  if (IsRegionRow(formCombo_->currentIndex())) {
    firstFunctionEdit_->setText(QString::fromStdString(graph.expressionZ));
    fromEdit_->setText(QString::fromStdString(DialogNumberText(graph.minU)));
    toEdit_->setText(QString::fromStdString(DialogNumberText(graph.maxU)));
    secondFromEdit_->setText(QString::fromStdString(DialogNumberText(graph.minV)));
    secondToEdit_->setText(QString::fromStdString(DialogNumberText(graph.maxV)));
    colorBox_->Color(graph.lineColor);
    widthCombo_->setCurrentIndex(std::clamp(graph.lineWidth, 1, kLineWidths) - 1);
    return;
  }
  if (graph.form == FunctionForm::Explicit) {
    firstFunctionEdit_->setText(QString::fromStdString(graph.expressionZ));
  } else {
    firstFunctionEdit_->setText(QString::fromStdString(graph.expressionY));
    secondFunctionEdit_->setText(QString::fromStdString(graph.expressionZ));
  }
  fromEdit_->setText(QString::fromStdString(DialogNumberText(graph.minV)));
  toEdit_->setText(QString::fromStdString(DialogNumberText(graph.maxV)));
  stepsEdit_->setText(QString::number(graph.stepsV));
  colorBox_->Color(graph.lineColor);
  widthCombo_->setCurrentIndex(std::clamp(graph.lineWidth, 1, kLineWidths) - 1);
  tabs_->setCurrentIndex(0);
  firstFunctionEdit_->setFocus();
}

DomainDefaults::Domain* GraphDialog::chosenDomain() {
  DomainDefaults& defaults = *defaults_;
  const bool polar = coordinateCombo_->currentIndex() == 1;
  switch (formCombo_->currentIndex()) {
    case 0:
      return polar ? &defaults.angle : &defaults.other;
    case 1:
      return &defaults.other;
    default:
      // The region forms: the first variable's range (x, or the angle a).
      return IsRegionRow(formCombo_->currentIndex()) ? (polar ? &defaults.angle : &defaults.other)
                                                     : nullptr;
  }
}

void GraphDialog::offerDomain() {
  const DomainDefaults::Domain* domain = chosenDomain();
  // Boxes the user has typed in keep what was typed.
  const bool untouched = fromEdit_->text() == offeredFrom_ && toEdit_->text() == offeredTo_ &&
                         stepsEdit_->text() == offeredSteps_;
  if (editMode_ || domain == nullptr || !untouched) {
    return;
  }
  offeredFrom_ = QString::fromStdString(DialogNumberText(domain->from));
  offeredTo_ = QString::fromStdString(DialogNumberText(domain->to));
  offeredSteps_ = QString::number(domain->steps);
  fromEdit_->setText(offeredFrom_);
  toEdit_->setText(offeredTo_);
  stepsEdit_->setText(offeredSteps_);
  // The second variable of a region (y, or the radius r) starts empty on a
  // new dialog; offer a range that shows the usual curves.
  if (IsRegionRow(formCombo_->currentIndex()) && secondFromEdit_->text().isEmpty() &&
      secondToEdit_->text().isEmpty()) {
    const bool polar = coordinateCombo_->currentIndex() == 1;
    secondFromEdit_->setText(QString::fromStdString(DialogNumberText(polar ? 0.0f : -10.0f)));
    secondToEdit_->setText(QString::fromStdString(DialogNumberText(10.0f)));
  }
}

bool GraphDialog::functionsCompile() {
  for (QLineEdit* box : {firstFunctionEdit_, secondFunctionEdit_}) {
    if (box->isHidden()) {
      continue;
    }
    ExpressionCompiler compiler(&dialogs_);
    std::string postfix;
    if (compiler.InfixToPostfix(box->text().toStdString(), postfix) == 0) {
      continue;
    }
    // The box holds only the characters the expression check keeps (ASCII),
    // so the compiler's byte positions are the box's character positions.
    const SyntaxFault fault = compiler.LastFault().value_or(SyntaxFault{});
    tabs_->setCurrentIndex(0);
    box->setFocus();
    const auto length = static_cast<std::size_t>(box->text().size());
    const auto first = static_cast<int>(std::min(fault.first, length));
    if (fault.length == 0) {
      box->setCursorPosition(first);
    } else {
      box->setSelection(first, static_cast<int>(fault.length));
    }
    return false;
  }
  return true;
}

void GraphDialog::onCoordinateChosen() {
  const int form = std::max(formCombo_->currentIndex(), 0);
  formCombo_->clear();
  formCombo_->addItems(FormNames(coordinateCombo_->currentIndex() == 1));
  formCombo_->setCurrentIndex(form);
  onFormChosen();
}

void GraphDialog::onFormChosen() {
  const int row = formCombo_->currentIndex();
  const bool parametric = row == kParametricRow;
  const bool region = IsRegionRow(row);
  const texts::FormTexts& form = Form(coordinateCombo_->currentIndex() == 1, row);
  firstFunctionLabel_->setText(form.firstFunction);
  secondFunctionLabel_->setText(form.secondFunction);
  const QString parameter = QString::fromLatin1(form.parameter);
  const QString second = QString::fromLatin1(form.secondParameter);
  fromLabel_->setText(texts::kMinCaption + parameter);
  toLabel_->setText(texts::kMaxCaption + parameter);
  stepsLabel_->setText(texts::kStepsCaption + parameter);
  secondFromLabel_->setText(texts::kMinCaption + second);
  secondToLabel_->setText(texts::kMaxCaption + second);
  secondFunctionLabel_->setVisible(parametric);
  secondFunctionEdit_->setVisible(parametric);
  stepsLabel_->setVisible(!region);
  stepsEdit_->setVisible(!region);
  for (QWidget* box :
       {static_cast<QWidget*>(secondFromLabel_), static_cast<QWidget*>(secondFromEdit_),
        static_cast<QWidget*>(secondToLabel_), static_cast<QWidget*>(secondToEdit_)}) {
    box->setVisible(region);
  }
  // Points of interest, derivative and integral are those of y = f(x).
  if (analysisTab_ != nullptr) {
    const bool explicitCartesian = row == 0 && coordinateCombo_->currentIndex() == 0;
    tabs_->setTabEnabled(tabs_->indexOf(analysisTab_), explicitCartesian);
  }
}

void GraphDialog::onColorClicked() {
  colorBox_->Choose(dialogs_);
}

void GraphDialog::Tell(const char* title, const char* text) {
  dialogs_.Report(title, text, MessageIcon::Exclamation);
}

void GraphDialog::accept() {
  // Clean the shown boxes; "shown" is what the dialog shows or hides,
  // whichever tab is in front.
  if (!CleanShownBoxes({{firstFunctionEdit_, CheckExpressionText},
                        {secondFunctionEdit_, CheckExpressionText},
                        {fromEdit_, CheckNumberText},
                        {toEdit_, CheckNumberText},
                        {secondFromEdit_, CheckNumberText},
                        {secondToEdit_, CheckNumberText}},
                       dialogs_)) {
    return;
  }

  // A plane document from here on, even when a check below refuses the input.
  document_.Values().documentKind = DocumentKind::Plane;
  const bool polar = coordinateCombo_->currentIndex() == 1;
  if (formCombo_->currentIndex() < 0) {
    formCombo_->setCurrentIndex(0);
  }
  if (IsRegionRow(formCombo_->currentIndex())) {
    acceptRegion();
    return;
  }
  const bool parametric = formCombo_->currentIndex() == 1;

  // Every needed box filled, the interval the right way round, at least one step.
  const bool missing = firstFunctionEdit_->text().isEmpty() ||
                       (parametric && secondFunctionEdit_->text().isEmpty()) ||
                       toEdit_->text().isEmpty() || stepsEdit_->text().isEmpty() ||
                       fromEdit_->text().isEmpty();
  if (missing) {
    Tell(texts::kNoteTitle, texts::kInputAllParameters);
    return;
  }
  const double lower = TextValue(fromEdit_->text());
  const double upper = TextValue(toEdit_->text());
  const double steps = TextValue(stepsEdit_->text());
  if (upper < lower) {
    Tell(texts::kNoteTitle, parametric ? texts::kMinAboveMaxU : texts::kMinAboveMaxX);
    return;
  }
  if (steps < 1) {
    Tell(texts::kNoteTitle, parametric ? texts::kTooFewStepsU : texts::kTooFewStepsX);
    return;
  }

  // Numbers beyond what the graph can hold are refused rather than stored as
  // infinities or wrapped step counts.
  const std::optional<std::int32_t> stepCount = RoundHalfEven(steps);
  const float minV = static_cast<float>(lower);
  const float maxV = static_cast<float>(upper);
  if (!stepCount || !std::isfinite(minV) || !std::isfinite(maxV)) {
    Tell(texts::kNoteTitle, texts::kNumberTooLarge);
    return;
  }
  const std::int32_t lineWidth = RoundHalfEven(TextValue(widthCombo_->currentText())).value_or(1);
  if (!functionsCompile()) {
    return;
  }

  const std::string first = firstFunctionEdit_->text().toStdString();
  std::shared_ptr<Graph> graph = dialogGraph();
  graph->id = document_.LastGraphID();
  graph->name = nameEdit_->text().toStdString();
  graph->kind = GraphKind::PlaneCurve;
  graph->coordinates = polar ? CoordinateSystem::Polar : CoordinateSystem::Cartesian;
  graph->form = parametric ? FunctionForm::Parametric : FunctionForm::Explicit;
  // An explicit graph keeps its variable's name where a parametric one keeps f1.
  graph->expressionX = "0";
  graph->expressionY = parametric ? first : std::string(polar ? "a" : "x");
  graph->expressionZ = parametric ? secondFunctionEdit_->text().toStdString() : first;
  graph->stepsU = 1;
  graph->stepsV = *stepCount;
  graph->minU = 0;
  graph->maxU = 1.0f;
  graph->minV = minV;
  graph->maxV = maxV;
  graph->lineWidth = lineWidth;
  commitGraph(graph, minV, maxV, *stepCount);
}

std::shared_ptr<Graph> GraphDialog::dialogGraph() {
  std::shared_ptr<Graph> graph = document_.MakeGraph();
  if (editMode_ && editedGraph_ != nullptr) {
    CopyGraphSettings(*editedGraph_, *graph);
  }
  return graph;
}

void GraphDialog::commitGraph(const std::shared_ptr<Graph>& graph, float from, float to,
                              std::optional<std::int32_t> steps) {
  if (!analysisTab_->Read(*graph)) {
    return;
  }
  graph->lineColor = colorBox_->Color();
  graph->fillStyle = FillStyle::Standard;
  graph->firstColor = kSurfaceColor;
  graph->secondColor = kSurfaceColor;
  graph->material = MaterialPreset::Gold;
  graph->displayMode = kDisplayMode;
  graph->smoothness = kSmoothness;
  graph->showFunctionGraph = showGraphCheck_->isChecked();

  // Into the document and sampled; a graph that cannot be sampled (the
  // compiler has told why) keeps the dialog open.
  const bool sampled = editMode_ ? document_.EditDialogGraph(editPosition_, *graph)
                                 : document_.AddDialogGraph(graph);
  if (!sampled) {
    return;
  }
  if (!editMode_) {
    if (DomainDefaults::Domain* domain = chosenDomain()) {
      domain->from = from;
      domain->to = to;
      domain->steps = steps.value_or(domain->steps);
    }
  }
  editMode_ = false;
  QDialog::accept();
}

void GraphDialog::acceptRegion() {
  const bool polar = coordinateCombo_->currentIndex() == 1;
  const FunctionForm form = kFormRows[formCombo_->currentIndex()];
  QLineEdit* const boxes[] = {firstFunctionEdit_, fromEdit_, toEdit_, secondFromEdit_,
                              secondToEdit_};
  if (std::any_of(std::begin(boxes), std::end(boxes),
                  [](const QLineEdit* box) { return box->text().isEmpty(); })) {
    Tell(texts::kNoteTitle, texts::kInputAllParameters);
    return;
  }
  const float minU = static_cast<float>(TextValue(fromEdit_->text()));
  const float maxU = static_cast<float>(TextValue(toEdit_->text()));
  const float minV = static_cast<float>(TextValue(secondFromEdit_->text()));
  const float maxV = static_cast<float>(TextValue(secondToEdit_->text()));
  if (maxU < minU || maxV < minV) {
    const bool first = maxU < minU;
    Tell(texts::kNoteTitle, polar ? (first ? texts::kMinAboveMaxA : texts::kMinAboveMaxR)
                                  : (first ? texts::kMinAboveMaxX : texts::kMinAboveMaxY));
    return;
  }
  if (!std::isfinite(minU) || !std::isfinite(maxU) || !std::isfinite(minV) ||
      !std::isfinite(maxV)) {
    Tell(texts::kNoteTitle, texts::kNumberTooLarge);
    return;
  }

  if (!functionsCompile()) {
    return;
  }

  std::shared_ptr<Graph> graph = dialogGraph();
  graph->id = document_.LastGraphID();
  graph->name = nameEdit_->text().toStdString();
  graph->kind = GraphKind::PlaneCurve;
  graph->coordinates = polar ? CoordinateSystem::Polar : CoordinateSystem::Cartesian;
  graph->form = form;
  graph->expressionX = "0";
  graph->expressionY = "0";
  graph->expressionZ = firstFunctionEdit_->text().toStdString();
  graph->stepsU = 1;
  graph->stepsV = 1;
  graph->minU = minU;
  graph->maxU = maxU;
  graph->minV = minV;
  graph->maxV = maxV;
  graph->lineWidth = RoundHalfEven(TextValue(widthCombo_->currentText())).value_or(1);
  commitGraph(graph, minU, maxU, std::nullopt);
}

}  // namespace quillon
