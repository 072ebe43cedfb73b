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
#include <cmath>
#include <optional>
#include <string>

#include "expr/number_text.h"
#include "graph/graph.h"
#include "io/document.h"
#include "ui/color_box.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_text.h"
#include "ui/window_dialogs.h"

namespace quillon {

namespace {

const QStringList kCartesianForms = {QStringLiteral("y=f(x)"), QStringLiteral("x=f1(u),y=f2(u)")};
const QStringList kPolarForms = {QStringLiteral("r=f(a)"), QStringLiteral("a=f1(u),r=f2(u)")};

// What a new graph gets whatever the dialog says.
constexpr std::int32_t kSurfaceColor = 0xFF0000;
constexpr std::int32_t kDisplayMode = 2;
constexpr std::int32_t kSmoothness = 2;
constexpr std::int32_t kBlue = 0xFF0000;  // blue in bits 16..23

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

GraphDialog::GraphDialog(quillon::Document& document, WindowDialogs& dialogs, QWidget* parent)
    : QDialog(parent), document_(document), dialogs_(dialogs) {
  setObjectName(QStringLiteral("GraphDialog"));
  setWindowTitle(QStringLiteral("Properties"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  SSTab1 = Named(new QTabWidget(this), "SSTab1");
  SSTab1->addTab(buildEquationTab(), QStringLiteral("Equation"));
  SSTab1->addTab(buildPropertiesTab(), QStringLiteral("Properties"));

  QHBoxLayout* buttons = OkCancelRow(this, Command1, Command2);
  connect(Command1, &QPushButton::clicked, this, &GraphDialog::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &GraphDialog::Command2_Click);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SSTab1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* GraphDialog::buildEquationTab() {
  auto* page = new QWidget;
  Label1 = Named(new QLabel(QStringLiteral("Name")), "Label1");
  Text1 = Named(new QLineEdit(QStringLiteral("Untitled")), "Text1");
  Label2 = Named(new QLabel(QStringLiteral("Coordinate")), "Label2");
  Combo1 = Named(new QComboBox, "Combo1");
  Combo1->addItems({QStringLiteral("Cartesian"), QStringLiteral("Polar")});
  Combo1->setCurrentIndex(0);
  Label13 = Named(new QLabel(QStringLiteral("Form")), "Label13");
  Combo3 = Named(new QComboBox, "Combo3");
  Combo3->addItems(kCartesianForms);
  Combo3->setCurrentIndex(0);
  connect(Combo1, &QComboBox::activated, this, &GraphDialog::Combo1_Click);
  connect(Combo3, &QComboBox::activated, this, &GraphDialog::Combo3_Click);

  Frame1 = Named(new QGroupBox(QStringLiteral("Function")), "Frame1");
  Label3 = Named(new QLabel(QStringLiteral("x(u)")), "Label3");
  Text2 = Named(new QLineEdit, "Text2");
  Label4 = Named(new QLabel(QStringLiteral("y(u)")), "Label4");
  Text3 = Named(new QLineEdit, "Text3");
  auto* function = new QGridLayout(Frame1);
  function->addWidget(Label3, 0, 0);
  function->addWidget(Text2, 0, 1);
  function->addWidget(Label4, 1, 0);
  function->addWidget(Text3, 1, 1);
  function->setColumnMinimumWidth(1, 260);

  Frame2 = Named(new QGroupBox(QStringLiteral("Domain Of Variables")), "Frame2");
  Label5 = Named(new QLabel(QStringLiteral("Min u")), "Label5");
  Text4 = Named(new QLineEdit, "Text4");
  Label6 = Named(new QLabel(QStringLiteral("Max u")), "Label6");
  Text5 = Named(new QLineEdit, "Text5");
  Label7 = Named(new QLabel(QStringLiteral("Steps u")), "Label7");
  Text6 = Named(new QLineEdit, "Text6");
  const QString recommended = QStringLiteral("Recommended Value: 30 - 100");
  Label7->setToolTip(recommended);
  Text6->setToolTip(recommended);
  auto* domain = new QGridLayout(Frame2);
  domain->addWidget(Label5, 0, 0);
  domain->addWidget(Text4, 0, 1);
  domain->addWidget(Label6, 1, 0);
  domain->addWidget(Text5, 1, 1);
  domain->addWidget(Label7, 2, 0);
  domain->addWidget(Text6, 2, 1);

  auto* grid = new QGridLayout(page);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Text1, 0, 1);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(Combo1, 1, 1);
  grid->addWidget(Label13, 2, 0);
  grid->addWidget(Combo3, 2, 1);
  grid->addWidget(Frame1, 3, 0, 1, 2);
  grid->addWidget(Frame2, 4, 0, 1, 2);
  return page;
}

QWidget* GraphDialog::buildPropertiesTab() {
  auto* page = new QWidget;
  Label8 = Named(new QLabel(QStringLiteral("Color")), "Label8");
  Picture1 = Named(new ColorBox, "Picture1");
  Picture1->Color(kBlue);
  connect(Picture1, &ColorBox::clicked, this, &GraphDialog::Picture1_Click);
  Label9 = Named(new QLabel(QStringLiteral("Width")), "Label9");
  Combo2 = Named(new QComboBox, "Combo2");
  for (int width = 1; width <= kLineWidths; ++width) {
    Combo2->addItem(QString::number(width));
  }
  Combo2->setCurrentIndex(0);
  Check3 = Named(new QCheckBox(QStringLiteral("Show Function Graph")), "Check3");
  Check3->setChecked(true);

  auto* grid = new QGridLayout(page);
  grid->addWidget(Label8, 0, 0);
  grid->addWidget(Picture1, 0, 1, Qt::AlignLeft);
  grid->addWidget(Label9, 1, 0);
  grid->addWidget(Combo2, 1, 1, Qt::AlignLeft);
  grid->addWidget(Check3, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(1, 1);
  return page;
}

bool GraphDialog::CanEdit(const Graph& graph, DocumentKind documentKind) {
  return documentKind == DocumentKind::Plane && graph.kind == GraphKind::PlaneCurve &&
         IsPlaneSystem(graph.coordinates) &&
         (graph.form == FunctionForm::Explicit || graph.form == FunctionForm::Parametric);
}

void GraphDialog::PresetNew(int coordinateIndex) {
  editMode_ = false;
  setWindowTitle(QStringLiteral("Properties"));
  // The explicit form of the system: its labels, the second box hidden.
  Combo3->setCurrentIndex(0);
  Combo1->setCurrentIndex(coordinateIndex);
  Combo1_Click();
}

void GraphDialog::PresetEdit(const Graph& graph, std::int32_t listPosition) {
  editMode_ = true;
  editPosition_ = listPosition;
  setWindowTitle(QStringLiteral("Properties"));
  Combo3->setCurrentIndex(graph.form == FunctionForm::Parametric ? 1 : 0);
  Combo1->setCurrentIndex(graph.coordinates == CoordinateSystem::Polar ? 1 : 0);
  Combo1_Click();
  Text1->setText(QString::fromStdString(graph.name));
  if (graph.form == FunctionForm::Explicit) {
    Text2->setText(QString::fromStdString(graph.expressionZ));
  } else {
    Text2->setText(QString::fromStdString(graph.expressionY));
    Text3->setText(QString::fromStdString(graph.expressionZ));
  }
  Text4->setText(QString::fromStdString(DialogNumberText(graph.minV)));
  Text5->setText(QString::fromStdString(DialogNumberText(graph.maxV)));
  Text6->setText(QString::number(graph.stepsV));
  Picture1->Color(graph.lineColor);
  Combo2->setCurrentIndex(std::clamp(graph.lineWidth, 1, kLineWidths) - 1);
}

void GraphDialog::Combo1_Click() {
  const int form = std::max(Combo3->currentIndex(), 0);
  Combo3->clear();
  Combo3->addItems(Combo1->currentIndex() == 1 ? kPolarForms : kCartesianForms);
  Combo3->setCurrentIndex(form);
  Combo3_Click();
}

void GraphDialog::Combo3_Click() {
  const bool polar = Combo1->currentIndex() == 1;
  const bool parametric = Combo3->currentIndex() == 1;
  if (parametric) {
    Label3->setText(polar ? QStringLiteral("a(u)") : QStringLiteral("x(u)"));
    Label4->setText(polar ? QStringLiteral("r(u)") : QStringLiteral("y(u)"));
    Label5->setText(QStringLiteral("Min u"));
    Label6->setText(QStringLiteral("Max u"));
    Label7->setText(QStringLiteral("Steps u"));
  } else {
    Label3->setText(polar ? QStringLiteral("r(a)") : QStringLiteral("y(x)"));
    const QString variable = polar ? QStringLiteral("a") : QStringLiteral("x");
    Label5->setText(QStringLiteral("Min ") + variable);
    Label6->setText(QStringLiteral("Max ") + variable);
    Label7->setText(QStringLiteral("Steps ") + variable);
  }
  Label4->setVisible(parametric);
  Text3->setVisible(parametric);
  Label7->setVisible(true);
  Text6->setVisible(true);
}

void GraphDialog::Picture1_Click() {
  Picture1->Choose(dialogs_);
}

void GraphDialog::Tell(const char* title, const char* text) {
  dialogs_.Report(title, text, MessageIcon::Exclamation);
}

void GraphDialog::Command1_Click() {
  // Clean the shown boxes; "shown" is what the dialog shows or hides,
  // whichever tab is in front.
  if (!CleanShownBoxes({{Text2, CheckExpressionText},
                        {Text3, CheckExpressionText},
                        {Text4, CheckNumberText},
                        {Text5, CheckNumberText}},
                       dialogs_)) {
    return;
  }

  // A plane document from here on, even when a check below refuses the input.
  document_.Values().documentKind = DocumentKind::Plane;
  const bool polar = Combo1->currentIndex() == 1;
  if (Combo3->currentIndex() < 0) {
    Combo3->setCurrentIndex(0);
  }
  const bool parametric = Combo3->currentIndex() == 1;

  // Every needed box filled, the interval the right way round, at least one step.
  const bool missing = Text2->text().isEmpty() || (parametric && Text3->text().isEmpty()) ||
                       Text5->text().isEmpty() || Text6->text().isEmpty() ||
                       Text4->text().isEmpty();
  if (missing) {
    Tell("Note", "Input all parameters please.");
    return;
  }
  const double lower = TextValue(Text4->text());
  const double upper = TextValue(Text5->text());
  const double steps = TextValue(Text6->text());
  if (upper < lower) {
    Tell("Note", parametric ? "Min u must less than Max u." : "Min x must less than Max x.");
    return;
  }
  if (steps < 1) {
    Tell("Note", parametric ? "Steps u must larger than 1." : "Steps x must larger than 1.");
    return;
  }

  // Numbers beyond what the graph can hold are refused rather than stored as
  // infinities or wrapped step counts.
  const std::optional<std::int32_t> stepCount = RoundHalfEven(steps);
  const float minV = static_cast<float>(lower);
  const float maxV = static_cast<float>(upper);
  if (!stepCount || !std::isfinite(minV) || !std::isfinite(maxV)) {
    Tell("Note", "A number is too large.");
    return;
  }
  const std::int32_t lineWidth = RoundHalfEven(TextValue(Combo2->currentText())).value_or(1);

  const std::string first = Text2->text().toStdString();
  std::shared_ptr<Graph> graph = document_.MakeGraph();
  graph->id = document_.LastGraphID();
  graph->name = Text1->text().toStdString();
  graph->kind = GraphKind::PlaneCurve;
  graph->coordinates = polar ? CoordinateSystem::Polar : CoordinateSystem::Cartesian;
  graph->form = parametric ? FunctionForm::Parametric : FunctionForm::Explicit;
  // An explicit graph keeps its variable's name where a parametric one keeps f1.
  graph->expressionX = "0";
  graph->expressionY = parametric ? first : std::string(polar ? "a" : "x");
  graph->expressionZ = parametric ? Text3->text().toStdString() : first;
  graph->stepsU = 1;
  graph->stepsV = *stepCount;
  graph->minU = 0;
  graph->maxU = 1.0f;
  graph->minV = minV;
  graph->maxV = maxV;
  graph->lineColor = Picture1->Color();
  graph->lineWidth = lineWidth;
  graph->fillStyle = FillStyle::Standard;
  graph->firstColor = kSurfaceColor;
  graph->secondColor = kSurfaceColor;
  graph->material = MaterialPreset::Gold;
  graph->displayMode = kDisplayMode;
  graph->smoothness = kSmoothness;
  graph->showFunctionGraph = Check3->isChecked();

  // Into the document and sampled; a graph that cannot be sampled (the
  // compiler has told why) keeps the dialog open.
  const bool sampled = editMode_ ? document_.EditDialogGraph(editPosition_, *graph)
                                 : document_.AddDialogGraph(graph);
  if (!sampled) {
    return;
  }
  editMode_ = false;
  accept();
}

void GraphDialog::Command2_Click() {
  reject();
}

}  // namespace quillon
