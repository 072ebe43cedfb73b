// The Points of Interest window: the points of interest of the shown
// explicit Cartesian graphs in a table of graph, kind, x and y, which Copy
// puts on the clipboard as tab-separated text; choosing a row marks the
// point in the view. A note under the table tells where the search could
// not decide, so that nothing missing passes for certain.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QTableWidget;

namespace quillon {

class Document;

class PointsOfInterestDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PointsOfInterestDialog(QWidget* parent = nullptr);

  // Lists the points of interest of document's shown graphs, anew.
  void List(const Document& document);
  // A header line, then one line per point, the cells separated by tabs;
  // numbers as the shortest text that reads back as the same double.
  QString TableText() const;

 signals:
  // The row of this world point was chosen.
  void pointChosen(double x, double y);

 private:
  struct Listed {
    double x = 0;
    double y = 0;
  };

  QTableWidget* table_ = nullptr;
  QLabel* note_ = nullptr;
  std::vector<Listed> points_;
};

}  // namespace quillon
