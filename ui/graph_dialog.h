// GraphDialog, the Properties dialog: name, coordinate system, form, function
// texts, parameter interval and steps, line colour and width of a plane
// function. OK checks what was typed, builds the graph and samples it; the
// dialog closes only when sampling succeeded. A new graph joins both scenes
// of the document; an edited graph takes the new settings in place.
#pragma once

#include <QDialog>
#include <cstdint>

#include "graph/graph_kinds.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace quillon {

class Graph;
class ColorBox;
class Document;
class WindowDialogs;

class GraphDialog : public QDialog {
  Q_OBJECT

 public:
  // Number of line widths offered, "1" to "8".
  static constexpr int kLineWidths = 8;

  // The dialog as Form_Load leaves it: "Untitled", Cartesian y=f(x), blue,
  // width 1, the graph shown. Messages go through dialogs.
  GraphDialog(quillon::Document& document, WindowDialogs& dialogs, QWidget* parent = nullptr);

  // Whether the dialog can show this graph for editing: a plane function
  // of kind 0 in Cartesian or polar coordinates, explicit or parametric.
  static bool CanEdit(const Graph& graph, DocumentKind documentKind);

  // Draw Cartesian (0) or Draw Polar (1): a new graph in the explicit form.
  void PresetNew(int coordinateIndex);
  // Edit: the dialog shows the graph, and OK changes the graph at this
  // 1-based list position. A line width outside 1..8 shows the nearest one.
  void PresetEdit(const Graph& graph, std::int32_t listPosition);

 private slots:
  // Coordinate system chosen (also run when a preset sets it): refills the
  // form list for that system, keeping the chosen form.
  void Combo1_Click();
  // Form chosen: the labels and which boxes are shown.
  void Combo3_Click();
  void Picture1_Click();
  void Command1_Click();
  void Command2_Click();

 private:
  QWidget* buildEquationTab();
  QWidget* buildPropertiesTab();
  // Tells a message of the dialog: exclamation icon, OK button.
  void Tell(const char* title, const char* text);

  quillon::Document& document_;
  WindowDialogs& dialogs_;
  bool editMode_ = false;
  std::int32_t editPosition_ = 0;

  QTabWidget* SSTab1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* Combo1 = nullptr;
  QLabel* Label13 = nullptr;
  QComboBox* Combo3 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Text3 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* Text4 = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* Text5 = nullptr;
  QLabel* Label7 = nullptr;
  QLineEdit* Text6 = nullptr;
  QLabel* Label8 = nullptr;
  ColorBox* Picture1 = nullptr;
  QLabel* Label9 = nullptr;
  QComboBox* Combo2 = nullptr;
  QCheckBox* Check3 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace quillon
