#include "ui/points_of_interest_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <charconv>
#include <map>
#include <string>

#include "graph/graph.h"
#include "io/document.h"
#include "io/shown_points.h"
#include "ui/window_texts.h"

namespace quillon {

namespace {

QString NumberText(double value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return QString::fromLatin1(buffer, static_cast<int>(written.ptr - buffer));
}

// How the table names a graph: its name, or its function when it has none.
QString GraphLabel(const Graph& graph) {
  if (!graph.name.empty() && graph.name != texts::kUntitled) {
    return QString::fromStdString(graph.name);
  }
  return QString::fromStdString("y=" + graph.expressionZ);
}

}  // namespace

PointsOfInterestDialog::PointsOfInterestDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PointsOfInterestDialog"));
  setWindowTitle(texts::kPointsOfInterestTitle);
  table_ = new QTableWidget(0, 4, this);
  table_->setObjectName(QStringLiteral("pointsTable"));
  table_->setHorizontalHeaderLabels(
      {texts::kGraphColumn, texts::kKindColumn, QStringLiteral("x"), QStringLiteral("y")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (row >= 0 && static_cast<std::size_t>(row) < points_.size()) {
      emit pointChosen(points_[static_cast<std::size_t>(row)].x,
                       points_[static_cast<std::size_t>(row)].y);
    }
  });
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("pointsNote"));
  note_->setWordWrap(true);
  auto* copy = new QPushButton(texts::kCopyTable, this);
  copy->setObjectName(QStringLiteral("copyButton"));
  connect(copy, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(TableText()); });
  auto* close = new QPushButton(texts::kClose, this);
  close->setObjectName(QStringLiteral("closeButton"));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(copy);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(note_);
  layout->addLayout(buttons);
  resize(520, 360);
}

void PointsOfInterestDialog::List(const Document& document) {
  const std::vector<GraphPointsOfInterest> listed = ShownPointsOfInterest(document);
  std::map<std::int32_t, QString> labels;
  for (const GraphPointsOfInterest& graph : listed) {
    labels[graph.graph->id] = GraphLabel(*graph.graph);
  }
  points_.clear();
  table_->setRowCount(0);
  QStringList undecided;
  for (const GraphPointsOfInterest& graph : listed) {
    for (const PointOfInterest& point : graph.found.points) {
      QString kind = QString::fromLatin1(PointOfInterestKindName(point.kind));
      if (point.kind == PointOfInterestKind::Intersection) {
        kind += QStringLiteral(" ") + texts::kIntersectionWith + labels[point.otherGraphId];
      }
      const int row = table_->rowCount();
      table_->insertRow(row);
      const QString cells[] = {labels[graph.graph->id], kind, NumberText(point.x),
                               NumberText(point.y)};
      for (int column = 0; column < 4; ++column) {
        table_->setItem(row, column, new QTableWidgetItem(cells[column]));
      }
      points_.push_back({point.x, point.y});
    }
    if (!graph.found.undecided.empty()) {
      undecided.append(labels[graph.graph->id]);
    }
  }
  note_->setText(undecided.isEmpty()
                     ? QString()
                     : texts::kUndecidedPieces + undecided.join(QStringLiteral(", ")));
  note_->setVisible(!undecided.isEmpty());
  table_->resizeColumnsToContents();
}

QString PointsOfInterestDialog::TableText() const {
  QString text;
  for (int row = -1; row < table_->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < table_->columnCount(); ++column) {
      cells.append(row < 0 ? table_->horizontalHeaderItem(column)->text()
                           : table_->item(row, column)->text());
    }
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return text;
}

}  // namespace quillon
