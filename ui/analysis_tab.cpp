#include "ui/analysis_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <cmath>
#include <string>

#include "graph/graph.h"
#include "ui/color_box.h"
#include "ui/dialog_text.h"
#include "ui/window_dialogs.h"
#include "ui/window_texts.h"

namespace quillon {

namespace {

// What a mark or line turned on gets where the graph holds no size or
// width yet: pixels.
constexpr std::int32_t kMarkSize = 6;
constexpr std::int32_t kLineWidth = 1;

// The default colours (red in bits 0..7): far from each other and from
// the palette's first colours that curves take.
constexpr std::int32_t kRootColor = 0x0000DC;
constexpr std::int32_t kMaximumColor = 0x009600;
constexpr std::int32_t kMinimumColor = 0xC800C8;
constexpr std::int32_t kInflectionColor = 0x008CFF;
constexpr std::int32_t kIntersectionColor = 0x14468C;
constexpr std::int32_t kDerivativeColor = 0xA09600;
constexpr std::int32_t kIntegralColor = 0xB4286E;
constexpr std::int32_t kTangentColor = 0x009600;
constexpr std::int32_t kNormalColor = 0xC800C8;

QLineEdit* NamedBox(const char* name) {
  auto* box = new QLineEdit;
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QString PositionsText(const PositionList& positions) {
  QStringList numbers;
  for (std::int32_t i = 1; i <= positions.count && i <= PositionList::kUpper; ++i) {
    numbers.append(
        QString::fromStdString(DialogNumberText(positions.at[static_cast<std::size_t>(i)])));
  }
  return numbers.join(QStringLiteral(", "));
}

}  // namespace

AnalysisTab::AnalysisTab(WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("analysisTab"));
  grid_ = new QGridLayout(this);
  AddRow(0, "roots", texts::kRootsCheck,
         {nullptr, nullptr, &Graph::showRoots, &Graph::rootColor, kRootColor, &Graph::rootSize,
          &Graph::rootSymbol});
  AddRow(1, "maxima", texts::kMaximaCheck,
         {nullptr, nullptr, &Graph::showMaxima, &Graph::maximumColor, kMaximumColor,
          &Graph::maximumSize, &Graph::maximumSymbol});
  AddRow(2, "minima", texts::kMinimaCheck,
         {nullptr, nullptr, &Graph::showMinima, &Graph::minimumColor, kMinimumColor,
          &Graph::minimumSize, &Graph::minimumSymbol});
  AddRow(3, "inflections", texts::kInflectionsCheck,
         {nullptr, nullptr, &Graph::showInflections, &Graph::inflectionColor, kInflectionColor,
          &Graph::inflectionSize, &Graph::inflectionSymbol});
  AddRow(4, "intersections", texts::kIntersectionsCheck,
         {nullptr, nullptr, &Graph::showIntersections, &Graph::intersectionColor,
          kIntersectionColor, &Graph::intersectionSize, &Graph::intersectionSymbol});
  AddRow(5, "derivative", texts::kDerivativeCheck,
         {nullptr, nullptr, &Graph::showDerivative, &Graph::derivativeColor, kDerivativeColor,
          &Graph::derivativeWidth, nullptr});
  AddRow(6, "integral", texts::kIntegralCheck,
         {nullptr, nullptr, &Graph::showIntegral, &Graph::integralColor, kIntegralColor, nullptr,
          nullptr});
  AddRow(7, "tangentLines", texts::kTangentLinesCheck,
         {nullptr, nullptr, &Graph::showTangentLines, &Graph::tangentLineColor, kTangentColor,
          &Graph::tangentLineWidth, nullptr});
  AddRow(8, "normalLines", texts::kNormalLinesCheck,
         {nullptr, nullptr, &Graph::showNormalLines, &Graph::normalLineColor, kNormalColor,
          &Graph::normalLineWidth, nullptr});

  integralFromEdit_ = NamedBox("integralFromEdit");
  integralToEdit_ = NamedBox("integralToEdit");
  auto* range = new QHBoxLayout;
  range->addWidget(integralFromEdit_);
  range->addWidget(new QLabel(texts::kIntegralToCaption));
  range->addWidget(integralToEdit_);
  grid_->addLayout(range, 6, 2);
  tangentPositionsEdit_ = NamedBox("tangentPositionsEdit");
  normalPositionsEdit_ = NamedBox("normalPositionsEdit");
  tangentPositionsEdit_->setToolTip(texts::kPositionsToolTip);
  normalPositionsEdit_->setToolTip(texts::kPositionsToolTip);
  grid_->addWidget(tangentPositionsEdit_, 7, 2);
  grid_->addWidget(normalPositionsEdit_, 8, 2);
  grid_->setColumnStretch(2, 1);
  grid_->setRowStretch(9, 1);
}

void AnalysisTab::AddRow(int line, const char* name, const char* caption, Row row) {
  const std::string base(name);
  row.check = new QCheckBox(caption);
  row.check->setObjectName(QString::fromStdString(base + "Check"));
  row.color = new ColorBox;
  row.color->setObjectName(QString::fromStdString(base + "Color"));
  connect(row.color, &ColorBox::clicked, this, [this, box = row.color] { box->Choose(dialogs_); });
  grid_->addWidget(row.check, line, 0);
  grid_->addWidget(row.color, line, 1, Qt::AlignLeft);
  rows_.push_back(row);
}

void AnalysisTab::Show(const Graph& graph) {
  for (Row& row : rows_) {
    row.check->setChecked(graph.*row.shown);
    row.shownColor = graph.*row.colorField;
    row.color->Color(row.shownColor != 0 ? row.shownColor : row.defaultColor);
  }
  integralFromEdit_->setText(QString::fromStdString(DialogNumberText(graph.integralFrom)));
  integralToEdit_->setText(QString::fromStdString(DialogNumberText(graph.integralTo)));
  tangentPositionsEdit_->setText(PositionsText(graph.tangentLinePositions));
  normalPositionsEdit_->setText(PositionsText(graph.normalLinePositions));
}

void AnalysisTab::Refuse(QLineEdit* box, const char* title, const char* text) {
  // The tab comes to the front first, so the message speaks of what is seen.
  for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
      tabs->setCurrentWidget(this);
      break;
    }
  }
  dialogs_.Report(title, text, MessageIcon::Exclamation);
  box->setFocus();
  box->selectAll();
}

bool AnalysisTab::ReadPositions(QLineEdit* box, PositionList& positions) {
  static const QRegularExpression kSeparators(QStringLiteral("[,;\\s]+"));
  const QStringList numbers = box->text().split(kSeparators, Qt::SkipEmptyParts);
  if (numbers.size() > PositionList::kUpper) {
    Refuse(box, texts::kNoteTitle, texts::kTooManyPositions);
    return false;
  }
  PositionList read;
  for (const QString& number : numbers) {
    const TextCheck check = CheckNumberText(number.toStdString());
    const float value = static_cast<float>(TextValue(number));
    if (!check.ok || check.cleaned != number.toStdString() || !std::isfinite(value)) {
      Refuse(box, texts::kErrorTitle, texts::kIllegalData);
      return false;
    }
    read.at[static_cast<std::size_t>(++read.count)] = value;
  }
  positions = read;
  return true;
}

bool AnalysisTab::Read(Graph& graph) {
  float range[2] = {0, 0};
  QLineEdit* const ends[2] = {integralFromEdit_, integralToEdit_};
  for (int end = 0; end < 2; ++end) {
    const std::string text = ends[end]->text().trimmed().toStdString();
    const TextCheck check = CheckNumberText(text);
    range[end] = static_cast<float>(TextValue(QString::fromStdString(check.cleaned)));
    if (!check.ok || !std::isfinite(range[end])) {
      Refuse(ends[end], texts::kErrorTitle, texts::kIllegalData);
      return false;
    }
  }
  PositionList tangents;
  PositionList normals;
  if (!ReadPositions(tangentPositionsEdit_, tangents) ||
      !ReadPositions(normalPositionsEdit_, normals)) {
    return false;
  }
  for (const Row& row : rows_) {
    const bool on = row.check->isChecked();
    graph.*row.shown = on;
    const std::int32_t offered = row.shownColor != 0 ? row.shownColor : row.defaultColor;
    if (on || row.color->Color() != offered) {
      graph.*row.colorField = row.color->Color();
    }
    if (on && row.size != nullptr && graph.*row.size <= 0) {
      graph.*row.size = row.symbol != nullptr ? kMarkSize : kLineWidth;
    }
    if (on && row.symbol != nullptr && graph.*row.symbol == PointSymbol::None) {
      graph.*row.symbol = PointSymbol::Disc;
    }
  }
  graph.integralFrom = range[0];
  graph.integralTo = range[1];
  graph.tangentLinePositions = tangents;
  graph.normalLinePositions = normals;
  return true;
}

}  // namespace quillon
