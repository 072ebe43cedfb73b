// MainWindow, the program's main window: it owns the document and the view, light
// and scene box it is drawn with, carries the menus, the toolbar, the graph
// check-list, the splitter and the drawing area, and runs every command.
// The substance of the file commands is the document's; the window asks,
// dispatches, records each change of the document as one step of its history
// (undo and redo) and redraws. Everything the user is asked goes through the
// WindowDialogs given at construction.
#pragma once

#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "graph/box.h"
#include "io/clipboard.h"
#include "io/document.h"
#include "io/registration.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "scene/picture.h"
#include "ui/graph_dialog.h"
#include "ui/mouse_navigation.h"
#include "ui/trace_readout.h"

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QToolBar;

namespace quillon {

class DrawArea;
class HelpWindow;
class PointsOfInterestDialog;
class SplitterBar;
class WindowDialogs;
enum class ToolbarPicture;
namespace texts {
struct CommandTexts;
}  // namespace texts

class MainWindow : public QMainWindow, public DocumentDialogs {
  Q_OBJECT

 public:
  // Width of the graph list when the window opens, in pixels.
  static constexpr int kInitialListWidth = 220;

  // Window initialisation: the scenes, the view and the light exist, the
  // controls are built and laid out. Nothing is drawn before Load.
  explicit MainWindow(WindowDialogs& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Window load, after the window is shown: the rendering context, the axis,
  // the view interval, the modes, the file-type registration, and then the
  // command-line file (the arguments joined by single blanks) or New.
  void Load(const std::string& commandLine);

  // --- the drawing ---

  // True when the drawing area has its OpenGL context. Without one the
  // user is told once and the window works without drawing.
  bool Initialize();
  // True when frames are drawn: the drawing area has its context.
  bool HasDrawing() const;
  // Recompiles the shown scene; every change of the scene, the axis or the
  // rotation is followed by RebuildLists and Display.
  void RebuildLists();
  // Draws a frame of step AnimStep.
  void Display();

  // --- the graph list ---

  // Deletes the graph at a 1-based list position from both scenes and the
  // list, as a step that Undo takes back, and redraws. Nothing happens for an
  // empty document.
  void DeleteGraph(std::int32_t position);
  void DeleteAllGraphs();

  // --- what the window keeps ---

  quillon::Document& Document() { return document_; }
  Camera& MainView() { return mainView_; }
  const MouseNavigation& Navigation() const { return navigation_; }
  // The help window, once Help, Content has opened it; null before.
  HelpWindow* Help() const { return helpWindow_; }
  // The Points of Interest window, once opened; null before.
  PointsOfInterestDialog* PointsOfInterest() const { return pointsDialog_; }

  // --- DocumentDialogs: passed on to the WindowDialogs ---

  void Report(const std::string& title, const std::string& text, MessageIcon icon) override;
  std::optional<FileChoice> AskFileName(FileDialogMode mode, const std::string& title,
                                        const std::string& filter) override;
  Answer Ask(const std::string& title, const std::string& text, MessageIcon icon,
             QuestionButtons buttons) override;
  void GraphFileWritten(const std::string& path) override;
  bool RunLongWork(const std::string& label, const std::function<void()>& work) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  // File
  void newDocument();
  void openFile();
  void saveFile();
  void saveFileAs();
  void printView();
  void exitProgram();
  // Edit and the pop-up menus
  void undoStep();
  void redoStep();
  void cutGraph();
  void copyGraph();
  void copyAsBitmap();
  void pasteGraphs();
  void cutAllGraphs();
  void copyAllGraphs();
  void deleteSelectedGraph();
  void editGraph();
  // View
  void enterMoveMode();
  void enterZoomMode();
  void zoomToFit();
  void zoomIn();
  void zoomOut();
  void showViewSettings();
  void toggleTrace();
  // Left and Right while tracing: the traced point one step along the curve.
  void traceBack();
  void traceOn();
  // Shift+Left and Shift+Right: to the previous or next point of interest.
  void traceBackToPoint();
  void traceOnToPoint();
  // Draw
  void drawCartesian();
  void drawPolar();
  void showAxisProperties();
  // Analysis
  void showPointsOfInterest();
  // Help
  void showHelp();
  void showHomepage();
  void showAbout();

  void graphCheckChanged(QListWidgetItem* item);
  // The title: the file's name and whether the document is modified.
  void showDocumentState();
  void splitterMoved();
  void drawAreaButtonDown(QPointF position);
  void drawAreaMoved(QPointF position);
  void drawAreaRightButton(QPoint globalPosition);
  void drawAreaMiddleButtonDown(QPointF position);
  void drawAreaMiddleMoved(QPointF position);
  void drawAreaWheel(QPointF position, float notches, bool fine);
  // The mouse over the drawing area, and leaving it: the status bar's point.
  void pointerMoved(QPointF position);
  void pointerLeft();
  // Another list entry became current: Trace follows its graph.
  void currentGraphChanged();
  // A double click on a list entry: Edit on that entry.
  void graphDoubleClicked(QListWidgetItem* item);

 private:
  // The commands, each one action that the menus and the pop-up menus share
  // and the toolbar's buttons run.
  void createActions();
  void createMenus();
  void createToolBars();
  void createControls();
  // An action of the window named name, with the command's item text and
  // keys, that runs slot.
  QAction* makeAction(const char* name, const texts::CommandTexts& command,
                      void (MainWindow::*slot)(), const QList<QKeySequence>& keys = {});
  // Undo or Redo with the name of the step it runs ("Undo Delete").
  static void nameStep(QAction* action, const texts::CommandTexts& command, const QString& step);
  // A toolbar button with this picture and the command's tool tip that runs
  // the command.
  void addToolButton(QAction* command, ToolbarPicture picture);

  // Lays out the list, the splitter and the drawing area in the central area.
  void layoutControls();
  // Rebuilds the graph list from the document's entries, keeping the current row
  // when it still exists (row -1: no current entry).
  void syncGraphList(int currentRow);
  // After the graphs changed: the list (keeping currentRow as above), the
  // display lists and a frame.
  void graphsChanged(int currentRow);
  // Draw Cartesian (0) or Polar (1): the Properties dialog for a new graph.
  void drawNewGraph(int coordinateIndex);
  // The mouse on a drawing area without OpenGL.
  void blankAreaMouse(QEvent* event);
  // The navigation mode shown as the checked Move or Zoom item and button,
  // and as the drawing area's cursor.
  void showNavigationMode();
  // After a graph was added: a graph with no point in the view brings the
  // view to all shown graphs, as Zoom to Fit does.
  void bringIntoView(const Graph& added);
  // Writes the .pgp association for this program into the user's data
  // folder; called at load and after each graph file is written. Silent.
  void registerFileType();
  // The 0-based index of the current graph-list entry, if there is one.
  std::optional<std::size_t> selectedEntry() const;
  // The graph of the current list entry, if there is one.
  const Graph* selectedGraph() const;
  // The shown graphs that have points of interest, for intersections.
  std::vector<const Graph*> analysedGraphs() const;
  // Shows text in the status bar and the traced point on the drawing area.
  void showReadout(const std::string& text);
  // Puts a text of the graph clipboard on the system clipboard.
  static void putOnClipboard(const std::string& text);
  // The picture of the drawing area, its size in pixels, drawn afresh; null
  // when the area has no OpenGL context.
  QImage captureDrawing();
  // The view as lines and polygons (DrawArea::CaptureVectorPicture); throws
  // PictureError with the reason when there is none.
  Picture captureVectorDrawing();

  WindowDialogs& dialogs_;
  quillon::Document document_;
  GraphClipboard clipboard_{document_};
  DetachedProgramStarter updateTools_;
  Camera mainView_;
  Light mainLight_;
  Box sceneBox_;
  std::int32_t animStep_ = 0;
  bool contextReported_ = false;
  // "Exact curves" of the View Setting dialog: a setting of the user, kept
  // with QSettings, not of the document.
  bool exactCurves_ = true;
  // Set while a command waits for long work (RunLongWork).
  bool longWorkRunning_ = false;
  MouseNavigation navigation_;
  TraceReadout readout_;
  // The interval and steps of the last graph made, offered to the next.
  DomainDefaults domainDefaults_;
  QString helpFilePath_;
  // Made when help is first asked for; a child window of this one.
  HelpWindow* helpWindow_ = nullptr;
  // Made when first asked for; a child window that lists anew whenever the
  // document changes while it is open.
  PointsOfInterestDialog* pointsDialog_ = nullptr;

  QAction* fileNewAction_ = nullptr;
  QAction* fileOpenAction_ = nullptr;
  QAction* fileSaveAction_ = nullptr;
  QAction* fileSaveAsAction_ = nullptr;
  QAction* filePrintAction_ = nullptr;
  QAction* fileExitAction_ = nullptr;
  QAction* editUndoAction_ = nullptr;
  QAction* editRedoAction_ = nullptr;
  QAction* editCutAction_ = nullptr;
  QAction* editCopyAction_ = nullptr;
  QAction* editCopyAsBitmapAction_ = nullptr;
  QAction* editPasteAction_ = nullptr;
  QAction* editDeleteAction_ = nullptr;
  QAction* editDeleteAllAction_ = nullptr;
  QAction* editCutAllAction_ = nullptr;
  QAction* editCopyAllAction_ = nullptr;
  QAction* editGraphAction_ = nullptr;
  QAction* viewMoveAction_ = nullptr;
  QAction* viewZoomAction_ = nullptr;
  QAction* viewZoomToFitAction_ = nullptr;
  QAction* viewZoomInAction_ = nullptr;
  QAction* viewZoomOutAction_ = nullptr;
  QAction* viewSettingsAction_ = nullptr;
  QAction* viewTraceAction_ = nullptr;
  // Left and Right, enabled only while tracing; in no menu.
  QAction* traceBackAction_ = nullptr;
  QAction* traceOnAction_ = nullptr;
  QAction* drawCartesianAction_ = nullptr;
  QAction* drawPolarAction_ = nullptr;
  QAction* drawAxisAction_ = nullptr;
  QAction* analysisPointsAction_ = nullptr;
  QAction* traceBackToPointAction_ = nullptr;
  QAction* traceOnToPointAction_ = nullptr;
  QAction* helpContentsAction_ = nullptr;
  QAction* helpHomepageAction_ = nullptr;
  QAction* helpAboutAction_ = nullptr;

  // The pop-up menus of the graph list and of the drawing area.
  QMenu* graphListMenu_ = nullptr;
  QMenu* drawAreaMenu_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  // The status bar's read-out of the drawing area.
  QLabel* readoutLabel_ = nullptr;
  QWidget* central_ = nullptr;
  QListWidget* graphList_ = nullptr;
  SplitterBar* splitter_ = nullptr;
  // The drawing area; openGLArea_ is the same widget when OpenGL is there,
  // null when the area is blank.
  QWidget* drawArea_ = nullptr;
  DrawArea* openGLArea_ = nullptr;
};

}  // namespace quillon
