// The Analysis tab of the Properties dialog: which points of interest of an
// explicit Cartesian graph are marked (roots, maxima, minima, inflection
// points, intersections with the other graphs), its derivative, the
// integral over a range and the tangent and normal lines at listed
// positions, each with its colour.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "graph/graph_kinds.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace quillon {

class ColorBox;
class Graph;
struct PositionList;
class WindowDialogs;

class AnalysisTab : public QWidget {
  Q_OBJECT

 public:
  explicit AnalysisTab(WindowDialogs& dialogs, QWidget* parent = nullptr);

  // Shows the analysis fields of graph (those of a new graph: nothing on,
  // the default colours where a colour is 0).
  void Show(const Graph& graph);
  // Writes what the tab shows into graph's analysis fields. A mark, curve
  // or line turned on whose size, symbol or width is still 0 gets a visible
  // one; the fields the tab does not show are left as they are. False, the
  // user told and the box focused, when a number box or a position list
  // holds something else than numbers, or more positions than a graph
  // keeps.
  bool Read(Graph& graph);

 private:
  // A check box and its colour, the graph's fields they show, and the
  // size of a mark or width of a line (null when none) and a mark's symbol
  // (null for curves and lines).
  struct Row {
    QCheckBox* check = nullptr;
    ColorBox* color = nullptr;
    bool Graph::*shown = nullptr;
    std::int32_t Graph::*colorField = nullptr;
    std::int32_t defaultColor = 0;
    std::int32_t Graph::*size = nullptr;
    PointSymbol Graph::*symbol = nullptr;
    // The graph's colour when shown: 0 (none yet) stays 0 unless the row
    // is turned on or another colour is chosen, so an edit that leaves the
    // tab alone leaves the record's bytes alone.
    std::int32_t shownColor = 0;
  };

  // Adds the row to the tab's grid at `line`.
  void AddRow(int line, const char* name, const char* caption, Row row);
  // Reads a list of numbers ("1, 2.5; -3") into positions.
  bool ReadPositions(QLineEdit* box, PositionList& positions);
  // Brings the tab to the front, tells the message and selects box's text.
  void Refuse(QLineEdit* box, const char* title, const char* text);

  WindowDialogs& dialogs_;
  QGridLayout* grid_ = nullptr;
  std::vector<Row> rows_;
  QLineEdit* integralFromEdit_ = nullptr;
  QLineEdit* integralToEdit_ = nullptr;
  QLineEdit* tangentPositionsEdit_ = nullptr;
  QLineEdit* normalPositionsEdit_ = nullptr;
};

}  // namespace quillon
