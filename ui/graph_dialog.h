// GraphDialog, the Properties dialog: name, coordinate system, form, function
// texts, parameter interval and steps, line colour and width of a plane
// function. OK checks what was typed, builds the graph and samples it; the
// dialog closes only when sampling succeeded. A new graph joins both scenes
// of the document; an edited graph takes the new settings in place.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "graph/graph_kinds.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace quillon {

class AnalysisTab;

// The interval and steps a new graph's boxes start with: the fixed defaults
// until a graph is made, then those of the last graph made. The window keeps
// one for as long as the program runs. World units, or radians for the
// polar angle.
struct DomainDefaults {
  struct Domain {
    float from = 0;
    float to = 0;
    std::int32_t steps = 0;
  };
  // The polar angle a of r=f(a).
  Domain angle{0.0f, 6.2832f, 100};
  // The other parameters: x of y=f(x), u of the parametric forms.
  Domain other{-10.0f, 10.0f, 100};
};

class Graph;
class ColorBox;
class Document;
class WindowDialogs;

class GraphDialog : public QDialog {
  Q_OBJECT

 public:
  // Number of line widths offered, "1" to "8".
  static constexpr int kLineWidths = 8;
  // The colours new graphs get, in this order (the first that no shown
  // graph uses): far apart in hue and lightness, none close to the white
  // background or the black axis. Blue first.
  static constexpr std::array<std::int32_t, 8> kPalette = {
      0xFF0000,  // blue
      0x0000DC,  // red
      0x009600,  // green
      0xC800C8,  // magenta
      0x008CFF,  // orange
      0xA09600,  // teal
      0x14468C,  // brown
      0xB4286E,  // purple
  };

  // A new dialog shows "Untitled", Cartesian y=f(x), blue, width 1, the
  // graph shown, empty interval boxes. Messages go through dialogs.
  GraphDialog(quillon::Document& document, WindowDialogs& dialogs, QWidget* parent = nullptr);

  // Whether the dialog can show this graph for editing: a plane
  // curve in Cartesian or polar coordinates, explicit, parametric,
  // implicit or an inequation.
  static bool CanEdit(const Graph& graph, DocumentKind documentKind);

  // Draw Cartesian (0) or Draw Polar (1): a new graph in the explicit form,
  // the cursor in the function box, the interval and steps from defaults
  // (which OK then updates; the fixed defaults when there are none), the
  // first colour of the palette that no shown graph uses.
  void PresetNew(int coordinateIndex, DomainDefaults* defaults = nullptr);
  // Edit: the dialog shows the graph, and OK changes the graph at this
  // 1-based list position. A line width outside 1..8 shows the nearest one.
  void PresetEdit(const Graph& graph, std::int32_t listPosition);

 public slots:
  // OK: checks the boxes, builds the graph and samples it; the dialog closes
  // only when sampling succeeded, and a refused input is told.
  void accept() override;

 private slots:
  // Coordinate system chosen (also run when a preset sets it): refills the
  // form list for that system, keeping the chosen form.
  void onCoordinateChosen();
  // Form chosen: the labels and which boxes are shown.
  void onFormChosen();
  void onColorClicked();
  // A new graph's interval boxes that still show the defaults of one
  // parameter take those of the parameter now chosen.
  void offerDomain();

 private:
  QWidget* buildEquationTab();
  QWidget* buildPropertiesTab();
  // The record OK fills: a new one, or for Edit a copy of the graph's
  // settings.
  std::shared_ptr<Graph> dialogGraph();
  // Tells a message of the dialog: exclamation icon, OK button.
  void Tell(const char* title, const char* text);
  // The defaults of the parameter the dialog shows now; null for a form
  // without them.
  DomainDefaults::Domain* chosenDomain();
  // Compiles each shown function box as sampling will; the first that fails
  // has been told (the compiler's message) and gets the focus with its fault
  // selected. False then.
  bool functionsCompile();
  // OK for the implicit forms: the text and the region of both variables.
  void acceptRegion();
  // The look every form shares, then the graph into the document (sampled)
  // and the dialog closed; a graph that cannot be sampled keeps it open. A
  // new graph's range (and steps, where the form has them) becomes the
  // form's default.
  void commitGraph(const std::shared_ptr<Graph>& graph, float from, float to,
                   std::optional<std::int32_t> steps);

  quillon::Document& document_;
  WindowDialogs& dialogs_;
  bool editMode_ = false;
  // The window's defaults, or the dialog's own fixed ones.
  DomainDefaults ownDefaults_;
  DomainDefaults* defaults_ = &ownDefaults_;
  // The texts offerDomain last put in the interval boxes.
  QString offeredFrom_, offeredTo_, offeredSteps_;
  std::int32_t editPosition_ = 0;

  QTabWidget* tabs_ = nullptr;
  QLabel* nameLabel_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QLabel* coordinateLabel_ = nullptr;
  QComboBox* coordinateCombo_ = nullptr;
  QLabel* formLabel_ = nullptr;
  QComboBox* formCombo_ = nullptr;
  // The function: the first box holds f (explicit) or f1, the second f2.
  QGroupBox* functionGroup_ = nullptr;
  QLabel* firstFunctionLabel_ = nullptr;
  QLineEdit* firstFunctionEdit_ = nullptr;
  QLabel* secondFunctionLabel_ = nullptr;
  QLineEdit* secondFunctionEdit_ = nullptr;
  // The parameter's interval and its number of steps.
  QGroupBox* domainGroup_ = nullptr;
  QLabel* fromLabel_ = nullptr;
  QLineEdit* fromEdit_ = nullptr;
  QLabel* toLabel_ = nullptr;
  QLineEdit* toEdit_ = nullptr;
  QLabel* stepsLabel_ = nullptr;
  QLineEdit* stepsEdit_ = nullptr;
  // The implicit forms' second variable (y or r): its interval, shown in
  // place of the steps.
  QLabel* secondFromLabel_ = nullptr;
  QLineEdit* secondFromEdit_ = nullptr;
  QLabel* secondToLabel_ = nullptr;
  QLineEdit* secondToEdit_ = nullptr;
  QLabel* colorLabel_ = nullptr;
  ColorBox* colorBox_ = nullptr;
  QLabel* widthLabel_ = nullptr;
  QComboBox* widthCombo_ = nullptr;
  QCheckBox* showGraphCheck_ = nullptr;
  AnalysisTab* analysisTab_ = nullptr;
  // Edit: the settings of the graph shown, which a new record starts from
  // so that what the dialog does not show is kept.
  std::shared_ptr<Graph> editedGraph_;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace quillon
