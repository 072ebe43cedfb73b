#include "ui/main_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QUndoStack>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <vector>

#include "graph/graph.h"
#include "graph/graph_collection.h"
#include "graph/points_of_interest.h"
#include "io/atomic_file.h"
#include "io/io_error.h"
#include "io/picture_file.h"
#include "io/vector_picture.h"
#include "scene/picture_capture.h"
#include "scene/view_fit.h"
#include "ui/about_dialog.h"
#include "ui/axis_dialog.h"
#include "ui/draw_area.h"
#include "ui/graph_dialog.h"
#include "ui/help_window.h"
#include "ui/icon_svg.h"
#include "ui/points_of_interest_dialog.h"
#include "ui/splitter_bar.h"
#include "ui/toolbar_icons.h"
#include "ui/view_picture.h"
#include "ui/view_settings_dialog.h"
#include "ui/window_dialogs.h"
#include "ui/window_texts.h"

namespace quillon {

namespace {

constexpr int kInitialWidth = 900;
constexpr int kInitialHeight = 640;

// The user's settings, kept apart from any document (on Linux in
// ~/.config/quillon/quillon.conf).
QSettings UserSettings() {
  return QSettings(QSettings::UserScope, QStringLiteral("quillon"), QStringLiteral("quillon"));
}
constexpr char kExactCurvesKey[] = "view/exactCurves";

// The desktop's keys for a standard command, and `alsoThis` where the
// desktop gives it none or another ("" for nothing more).
QList<QKeySequence> Keys(QKeySequence::StandardKey command, const char* alsoThis = "") {
  QList<QKeySequence> keys = QKeySequence::keyBindings(command);
  const QKeySequence also(QString::fromLatin1(alsoThis));
  if (!also.isEmpty() && !keys.contains(also)) {
    keys.append(also);
  }
  return keys;
}

QList<QKeySequence> Key(const char* key) {
  return {QKeySequence(QString::fromLatin1(key))};
}

// A graph list item's graph name, shown beside its entry.
constexpr int kGraphNameRole = Qt::UserRole;

// Shows each entry of the graph list with its graph's name; the item's text
// stays the entry, which the clipboard and the commands work with.
class GraphListDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = QString::fromStdString(texts::ListEntryText(
        option->text.toStdString(), index.data(kGraphNameRole).toString().toStdString()));
  }
};

}  // namespace

MainWindow::MainWindow(WindowDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), document_(*this) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowIcon(QuillonIcon());
  createActions();
  createMenus();
  createToolBars();
  createControls();
  resize(kInitialWidth, kInitialHeight);
  showDocumentState();
}

MainWindow::~MainWindow() = default;

// --- construction ---

QAction* MainWindow::makeAction(const char* name, const texts::CommandTexts& command,
                                void (MainWindow::*slot)(), const QList<QKeySequence>& keys) {
  auto* action = new QAction(command.item, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(keys);
  // Menus show no tool tips; a toolbar button shows its command's.
  if (*command.toolTip != '\0') {
    action->setToolTip(command.toolTip);
  }
  // The pop-up menus show their items without shortcuts; the main menu
  // shows them.
  action->setShortcutVisibleInContextMenu(false);
  connect(action, &QAction::triggered, this, slot);
  return action;
}

void MainWindow::createActions() {
  using Standard = QKeySequence::StandardKey;
  fileNewAction_ = makeAction("fileNewAction", texts::kNew, &MainWindow::newDocument,
                              Keys(Standard::New, "Ctrl+N"));
  fileOpenAction_ = makeAction("fileOpenAction", texts::kOpen, &MainWindow::openFile,
                               Keys(Standard::Open, "Ctrl+O"));
  fileSaveAction_ = makeAction("fileSaveAction", texts::kSave, &MainWindow::saveFile,
                               Keys(Standard::Save, "Ctrl+S"));
  fileSaveAsAction_ = makeAction("fileSaveAsAction", texts::kSaveAs, &MainWindow::saveFileAs,
                                 Keys(Standard::SaveAs, "Ctrl+Shift+S"));
  filePrintAction_ = makeAction("filePrintAction", texts::kPrint, &MainWindow::printView,
                                Keys(Standard::Print, "Ctrl+P"));
  // Not Ctrl+X, which is Cut everywhere else on the desktop.
  fileExitAction_ = makeAction("fileExitAction", texts::kExit, &MainWindow::exitProgram,
                               Keys(Standard::Quit, "Ctrl+Q"));

  editUndoAction_ = makeAction("editUndoAction", texts::kUndo, &MainWindow::undoStep,
                               Keys(Standard::Undo, "Ctrl+Z"));
  QList<QKeySequence> redoKeys = Keys(Standard::Redo, "Ctrl+Shift+Z");
  if (!redoKeys.contains(QKeySequence(QStringLiteral("Ctrl+Y")))) {
    redoKeys.append(QKeySequence(QStringLiteral("Ctrl+Y")));
  }
  editRedoAction_ = makeAction("editRedoAction", texts::kRedo, &MainWindow::redoStep, redoKeys);
  editCutAction_ = makeAction("editCutAction", texts::kCut, &MainWindow::cutGraph,
                              Keys(Standard::Cut, "Ctrl+X"));
  editCopyAction_ = makeAction("editCopyAction", texts::kCopy, &MainWindow::copyGraph,
                               Keys(Standard::Copy, "Ctrl+C"));
  editCopyAsBitmapAction_ =
      makeAction("editCopyAsBitmapAction", texts::kCopyAsBitmap, &MainWindow::copyAsBitmap);
  editPasteAction_ = makeAction("editPasteAction", texts::kPaste, &MainWindow::pasteGraphs,
                                Keys(Standard::Paste, "Ctrl+V"));
  editDeleteAction_ = makeAction("editDeleteAction", texts::kDelete,
                                 &MainWindow::deleteSelectedGraph, Keys(Standard::Delete, "Del"));
  editDeleteAllAction_ =
      makeAction("editDeleteAllAction", texts::kDeleteAll, &MainWindow::DeleteAllGraphs);
  editCutAllAction_ = makeAction("editCutAllAction", texts::kCutAll, &MainWindow::cutAllGraphs);
  editCopyAllAction_ = makeAction("editCopyAllAction", texts::kCopyAll, &MainWindow::copyAllGraphs);
  editGraphAction_ = makeAction("editGraphAction", texts::kEditGraph, &MainWindow::editGraph);

  viewMoveAction_ =
      makeAction("viewMoveAction", texts::kMove, &MainWindow::enterMoveMode, Key("F7"));
  viewZoomAction_ =
      makeAction("viewZoomAction", texts::kZoom, &MainWindow::enterZoomMode, Key("F8"));
  viewTraceAction_ = makeAction("viewTraceAction", texts::kTrace, &MainWindow::toggleTrace);
  viewTraceAction_->setCheckable(true);
  traceBackAction_ = makeAction("traceBackAction", {"", ""}, &MainWindow::traceBack, Key("Left"));
  traceOnAction_ = makeAction("traceOnAction", {"", ""}, &MainWindow::traceOn, Key("Right"));
  traceBackToPointAction_ = makeAction("traceBackToPointAction", {"", ""},
                                       &MainWindow::traceBackToPoint, Key("Shift+Left"));
  traceOnToPointAction_ =
      makeAction("traceOnToPointAction", {"", ""}, &MainWindow::traceOnToPoint, Key("Shift+Right"));
  for (QAction* step :
       {traceBackAction_, traceOnAction_, traceBackToPointAction_, traceOnToPointAction_}) {
    step->setEnabled(false);
    addAction(step);
  }
  viewMoveAction_->setCheckable(true);
  viewZoomAction_->setCheckable(true);
  viewZoomToFitAction_ =
      makeAction("viewZoomToFitAction", texts::kZoomToFit, &MainWindow::zoomToFit, Key("Ctrl+0"));
  // Ctrl+= too: the same key as Ctrl++ on keyboards where + needs Shift.
  viewZoomInAction_ = makeAction("viewZoomInAction", texts::kZoomIn, &MainWindow::zoomIn,
                                 Keys(Standard::ZoomIn, "Ctrl++") + Key("Ctrl+="));
  viewZoomOutAction_ = makeAction("viewZoomOutAction", texts::kZoomOut, &MainWindow::zoomOut,
                                  Keys(Standard::ZoomOut, "Ctrl+-"));
  viewSettingsAction_ =
      makeAction("viewSettingsAction", texts::kViewSettings, &MainWindow::showViewSettings);

  drawCartesianAction_ =
      makeAction("drawCartesianAction", texts::kDrawCartesian, &MainWindow::drawCartesian);
  drawPolarAction_ = makeAction("drawPolarAction", texts::kDrawPolar, &MainWindow::drawPolar);
  drawAxisAction_ = makeAction("drawAxisAction", texts::kAxis, &MainWindow::showAxisProperties);
  analysisPointsAction_ = makeAction("analysisPointsAction", texts::kPointsOfInterest,
                                     &MainWindow::showPointsOfInterest);

  helpContentsAction_ = makeAction("helpContentsAction", texts::kHelpContents,
                                   &MainWindow::showHelp, Keys(Standard::HelpContents, "F1"));
  helpHomepageAction_ =
      makeAction("helpHomepageAction", texts::kHomepage, &MainWindow::showHomepage);
  helpAboutAction_ = makeAction("helpAboutAction", texts::kAbout, &MainWindow::showAbout);

  // Undo and Redo name the step they take back or do again.
  const QUndoStack& history = document_.History();
  connect(&history, &QUndoStack::canUndoChanged, editUndoAction_, &QAction::setEnabled);
  connect(&history, &QUndoStack::canRedoChanged, editRedoAction_, &QAction::setEnabled);
  connect(&history, &QUndoStack::undoTextChanged, this,
          [this](const QString& step) { nameStep(editUndoAction_, texts::kUndo, step); });
  connect(&history, &QUndoStack::redoTextChanged, this,
          [this](const QString& step) { nameStep(editRedoAction_, texts::kRedo, step); });
  connect(&history, &QUndoStack::cleanChanged, this, &MainWindow::showDocumentState);
  connect(&history, &QUndoStack::indexChanged, this, &MainWindow::showDocumentState);
  editUndoAction_->setEnabled(false);
  editRedoAction_->setEnabled(false);
}

void MainWindow::nameStep(QAction* action, const texts::CommandTexts& command,
                          const QString& step) {
  const QString item = QString::fromLatin1(command.item);
  action->setText(step.isEmpty() ? item : item + QLatin1Char(' ') + step);
}

void MainWindow::createMenus() {
  QMenu* fileMenu = menuBar()->addMenu(texts::kFileMenu);
  fileMenu->addAction(fileNewAction_);
  fileMenu->addAction(fileOpenAction_);
  fileMenu->addAction(fileSaveAction_);
  fileMenu->addAction(fileSaveAsAction_);
  fileMenu->addSeparator();
  fileMenu->addAction(filePrintAction_);
  fileMenu->addSeparator();
  fileMenu->addAction(fileExitAction_);

  QMenu* editMenu = menuBar()->addMenu(texts::kEditMenu);
  editMenu->addAction(editUndoAction_);
  editMenu->addAction(editRedoAction_);
  editMenu->addSeparator();
  editMenu->addAction(editCutAction_);
  editMenu->addAction(editCopyAction_);
  editMenu->addAction(editCopyAsBitmapAction_);
  editMenu->addAction(editPasteAction_);
  editMenu->addSeparator();
  editMenu->addAction(editDeleteAction_);
  editMenu->addAction(editDeleteAllAction_);

  QMenu* viewMenu = menuBar()->addMenu(texts::kViewMenu);
  viewMenu->addAction(viewMoveAction_);
  viewMenu->addAction(viewZoomAction_);
  viewMenu->addAction(viewZoomToFitAction_);
  viewMenu->addAction(viewZoomInAction_);
  viewMenu->addAction(viewZoomOutAction_);
  viewMenu->addSeparator();
  viewMenu->addAction(viewTraceAction_);
  viewMenu->addSeparator();
  viewMenu->addAction(viewSettingsAction_);

  QMenu* drawMenu = menuBar()->addMenu(texts::kDrawMenu);
  drawMenu->addAction(drawCartesianAction_);
  drawMenu->addAction(drawPolarAction_);
  drawMenu->addSeparator();
  drawMenu->addAction(drawAxisAction_);

  QMenu* analysisMenu = menuBar()->addMenu(texts::kAnalysisMenu);
  analysisMenu->addAction(analysisPointsAction_);

  QMenu* helpMenu = menuBar()->addMenu(texts::kHelpMenu);
  helpMenu->addAction(helpContentsAction_);
  helpMenu->addAction(helpHomepageAction_);
  helpMenu->addAction(helpAboutAction_);

  // The pop-up menus are not on the menu bar.
  graphListMenu_ = new QMenu(texts::kGraphListMenu, this);
  graphListMenu_->setObjectName(QStringLiteral("graphListMenu"));
  graphListMenu_->addAction(editGraphAction_);
  graphListMenu_->addAction(editCutAction_);
  graphListMenu_->addAction(editCopyAction_);
  graphListMenu_->addAction(editDeleteAction_);

  drawAreaMenu_ = new QMenu(texts::kDrawAreaMenu, this);
  drawAreaMenu_->setObjectName(QStringLiteral("drawAreaMenu"));
  drawAreaMenu_->addAction(editPasteAction_);
  drawAreaMenu_->addAction(editCutAllAction_);
  drawAreaMenu_->addAction(editCopyAllAction_);
  drawAreaMenu_->addAction(editCopyAsBitmapAction_);
  drawAreaMenu_->addAction(editDeleteAllAction_);
  drawAreaMenu_->addSeparator();
  drawAreaMenu_->addAction(drawAxisAction_);
}

void MainWindow::addToolButton(QAction* command, ToolbarPicture picture) {
  // The button is an action of its own that runs the command's: a picture on
  // the command's action would widen the menus that show it.
  QAction* button = toolBar_->addAction(ToolbarIcon(picture), command->toolTip());
  button->setToolTip(command->toolTip());
  // A mode's button shows whether the mode is on, as its menu item does.
  button->setCheckable(command->isCheckable());
  connect(command, &QAction::toggled, button, &QAction::setChecked);
  connect(button, &QAction::triggered, command, &QAction::trigger);
}

void MainWindow::createToolBars() {
  toolBar_ = addToolBar(texts::kToolBar);
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setMovable(false);
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->addSeparator();
  addToolButton(fileNewAction_, ToolbarPicture::NewDocument);
  toolBar_->addSeparator();
  addToolButton(fileOpenAction_, ToolbarPicture::Open);
  addToolButton(fileSaveAction_, ToolbarPicture::Save);
  addToolButton(fileSaveAsAction_, ToolbarPicture::SaveAs);
  toolBar_->addSeparator();
  addToolButton(filePrintAction_, ToolbarPicture::Print);
  toolBar_->addSeparator();
  addToolButton(editCutAction_, ToolbarPicture::Cut);
  addToolButton(editCopyAction_, ToolbarPicture::Copy);
  addToolButton(editCopyAsBitmapAction_, ToolbarPicture::CopyAsBitmap);
  addToolButton(editPasteAction_, ToolbarPicture::Paste);
  addToolButton(editDeleteAction_, ToolbarPicture::Delete);
  toolBar_->addSeparator();
  addToolButton(helpContentsAction_, ToolbarPicture::Help);
  toolBar_->addSeparator();
  addToolButton(drawCartesianAction_, ToolbarPicture::DrawCartesian);
  addToolButton(drawPolarAction_, ToolbarPicture::DrawPolar);
  toolBar_->addSeparator();
  addToolButton(drawAxisAction_, ToolbarPicture::Axis);
  toolBar_->addSeparator();
  addToolButton(viewMoveAction_, ToolbarPicture::Move);
  addToolButton(viewZoomAction_, ToolbarPicture::Zoom);
  addToolButton(viewZoomToFitAction_, ToolbarPicture::ZoomToFit);
}

void MainWindow::createControls() {
  setStatusBar(new QStatusBar(this));
  readoutLabel_ = new QLabel(statusBar());
  readoutLabel_->setObjectName(QStringLiteral("readoutLabel"));
  statusBar()->addWidget(readoutLabel_, 1);

  central_ = new QWidget(this);
  central_->setObjectName(QStringLiteral("central"));
  setCentralWidget(central_);
  central_->installEventFilter(this);

  graphList_ = new QListWidget(central_);
  graphList_->setObjectName(QStringLiteral("graphList"));
  // The pop-up menus open when the right button goes down, not through the
  // platform's context-menu event.
  graphList_->setContextMenuPolicy(Qt::PreventContextMenu);
  graphList_->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
  graphList_->viewport()->installEventFilter(this);
  connect(graphList_, &QListWidget::itemChanged, this, &MainWindow::graphCheckChanged);
  connect(graphList_, &QListWidget::itemDoubleClicked, this, &MainWindow::graphDoubleClicked);
  connect(graphList_, &QListWidget::currentRowChanged, this, &MainWindow::currentGraphChanged);
  graphList_->setItemDelegate(new GraphListDelegate(graphList_));

  exactCurves_ = UserSettings().value(kExactCurvesKey, true).toBool();
  if (DrawArea::OpenGLAvailable()) {
    const FrameSource source{document_, mainView_, mainLight_, sceneBox_, animStep_};
    openGLArea_ = new DrawArea(source, *this, central_);
    openGLArea_->ExactCurves(exactCurves_);
    connect(openGLArea_, &DrawArea::leftButtonDown, this, &MainWindow::drawAreaButtonDown);
    connect(openGLArea_, &DrawArea::leftButtonMoved, this, &MainWindow::drawAreaMoved);
    connect(openGLArea_, &DrawArea::rightButtonDown, this, &MainWindow::drawAreaRightButton);
    connect(openGLArea_, &DrawArea::middleButtonDown, this, &MainWindow::drawAreaMiddleButtonDown);
    connect(openGLArea_, &DrawArea::middleButtonMoved, this, &MainWindow::drawAreaMiddleMoved);
    connect(openGLArea_, &DrawArea::buttonReleased, this, &MainWindow::showNavigationMode);
    connect(openGLArea_, &DrawArea::wheelTurned, this, &MainWindow::drawAreaWheel);
    connect(openGLArea_, &DrawArea::pointerMoved, this, &MainWindow::pointerMoved);
    connect(openGLArea_, &DrawArea::pointerLeft, this, &MainWindow::pointerLeft);
    drawArea_ = openGLArea_;
  } else {
    // A window holding an OpenGL widget cannot even be shown where Qt has no
    // OpenGL, so the area is a blank widget; it still takes the mouse.
    drawArea_ = new QWidget(central_);
    drawArea_->setObjectName(QStringLiteral("drawArea"));
    drawArea_->setAutoFillBackground(true);
    QPalette white = drawArea_->palette();
    white.setColor(QPalette::Window, Qt::white);
    drawArea_->setPalette(white);
    drawArea_->installEventFilter(this);
  }
  drawArea_->setContextMenuPolicy(Qt::PreventContextMenu);

  splitter_ = new SplitterBar(central_);
  splitter_->setObjectName(QStringLiteral("splitter"));
  splitter_->move(kInitialListWidth, 0);
  connect(splitter_, &SplitterBar::dragFinished, this, &MainWindow::splitterMoved);
}

// --- load ---

void MainWindow::Load(const std::string& commandLine) {
  Initialize();
  document_.MainAxis().shown = true;
  DocumentValues& values = document_.Values();
  values.ViewMinX = values.ViewMinY = values.ViewMinZ = -50;
  values.ViewMaxX = values.ViewMaxY = values.ViewMaxZ = 50;
  document_.Saved(false);
  clipboard_.ClipGraphCount(0);
  // An installation keeps the page in its share folder; the build tree
  // beside the program.
  const QDir programFolder(QCoreApplication::applicationDirPath());
  const QString installed = programFolder.filePath(QStringLiteral("../share/quillon/help.html"));
  helpFilePath_ = QFileInfo::exists(installed)
                      ? QDir::cleanPath(installed)
                      : programFolder.filePath(QStringLiteral("help.html"));
  splitter_->raise();
  navigation_ = MouseNavigation();
  showNavigationMode();
  registerFileType();
  if (commandLine.empty()) {
    newDocument();
    return;
  }
  if (document_.OpenGraphFile(commandLine) == OpenResult::Opened) {
    graphsChanged(-1);
  }
  showDocumentState();
}

void MainWindow::registerFileType() {
  RegisterFileType(
      {UserDataHome(), QCoreApplication::applicationDirPath().toStdString(), QuillonIconSvg()},
      updateTools_);
}

// --- drawing ---

bool MainWindow::Initialize() {
  if (openGLArea_ != nullptr && openGLArea_->isValid()) {
    // A context whose setup failed has been reported by the renderer.
    return openGLArea_->Ready();
  }
  // No context at all: the same message as a context the renderer cannot
  // use, told once; the window goes on without drawing.
  if (!contextReported_) {
    contextReported_ = true;
    Report(texts::kErrorTitle, texts::kNoOpenGL, MessageIcon::Critical);
  }
  return false;
}

bool MainWindow::HasDrawing() const {
  return openGLArea_ != nullptr && openGLArea_->Ready();
}

void MainWindow::RebuildLists() {
  if (openGLArea_ != nullptr) {
    openGLArea_->RebuildLists();
  }
}

void MainWindow::Display() {
  if (openGLArea_ != nullptr) {
    openGLArea_->Display();
  }
}

// --- DocumentDialogs ---

void MainWindow::Report(const std::string& title, const std::string& text, MessageIcon icon) {
  dialogs_.Report(title, text, icon);
}

std::optional<FileChoice> MainWindow::AskFileName(FileDialogMode mode, const std::string& title,
                                                  const std::string& filter) {
  return dialogs_.AskFileName(mode, title, filter);
}

Answer MainWindow::Ask(const std::string& title, const std::string& text, MessageIcon icon,
                       QuestionButtons buttons) {
  return dialogs_.Ask(title, text, icon, buttons);
}

void MainWindow::GraphFileWritten(const std::string& /*path*/) {
  registerFileType();
}

bool MainWindow::RunLongWork(const std::string& label, const std::function<void()>& work) {
  const QScopedValueRollback<bool> busy(longWorkRunning_, true);
  return dialogs_.RunLongWork(label, work);
}

// --- layout ---

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) {
    layoutControls();
  } else if (openGLArea_ == nullptr && drawArea_ != nullptr && watched == drawArea_) {
    blankAreaMouse(event);
  } else if (graphList_ != nullptr && watched == graphList_->viewport() &&
             event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::RightButton) {
      // The list still sees the press and makes the entry under the
      // pointer current before an item of the menu runs.
      graphListMenu_->popup(press->globalPosition().toPoint());
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::layoutControls() {
  const int height = central_->height();
  int left = splitter_->x();
  // A window made narrower than the list pulls the bar in, so that the bar
  // and the drawing area stay within reach.
  if (isVisible() && left > width() - kSplitterEdgeMargin) {
    left = std::max(0, width() - kSplitterEdgeMargin);
  }
  splitter_->setGeometry(left, 0, kSplitterWidth, height);
  const int drawLeft = left + kSplitterWidth;
  drawArea_->setGeometry(drawLeft, 0, std::max(0, central_->width() - drawLeft), height);
  graphList_->setGeometry(0, 0, std::max(0, left), height);
  Display();
}

void MainWindow::splitterMoved() {
  splitter_->move(ClampSplitterLeft(splitter_->x(), width()), splitter_->y());
  layoutControls();
}

// --- graph list ---

void MainWindow::syncGraphList(int currentRow) {
  const QSignalBlocker blocker(graphList_);
  graphList_->clear();
  const std::vector<GraphListEntry>& entries = document_.Entries();
  const GraphCollection& graphs = document_.ListScene().Graphs();
  for (std::size_t index = 0; index < entries.size(); ++index) {
    const GraphListEntry& entry = entries[index];
    const auto position = static_cast<std::int32_t>(index + 1);
    const std::string name = position <= graphs.Count() ? graphs.Item(position)->name : "";
    auto* item = new QListWidgetItem(QString::fromStdString(entry.text), graphList_);
    item->setData(kGraphNameRole, QString::fromStdString(name));
    item->setToolTip(QString::fromStdString(texts::ListEntryText(entry.text, name)));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
  }
  if (currentRow >= 0 && currentRow < graphList_->count()) {
    graphList_->setCurrentRow(currentRow);
  } else {
    graphList_->setCurrentRow(-1);
    graphList_->clearSelection();
  }
}

void MainWindow::graphsChanged(int currentRow) {
  syncGraphList(currentRow);
  currentGraphChanged();
  RebuildLists();
  Display();
}

void MainWindow::graphCheckChanged(QListWidgetItem* item) {
  const int row = graphList_->row(item);
  if (row < 0) {
    return;
  }
  const bool checked = item->checkState() == Qt::Checked;
  document_.Record(checked ? texts::kShowStep : texts::kHideStep,
                   [&] { document_.SetChecked(static_cast<std::size_t>(row), checked); });
  RebuildLists();
  Display();
}

void MainWindow::DeleteGraph(std::int32_t position) {
  if (document_.ListScene().Graphs().Empty() ||
      !document_.Record(texts::kDeleteStep, [&] { document_.DeleteGraph(position); })) {
    return;
  }
  graphsChanged(-1);
}

void MainWindow::DeleteAllGraphs() {
  document_.Record(texts::kDeleteAllStep, [this] { document_.DeleteAllGraphs(); });
  graphsChanged(-1);
}

void MainWindow::undoStep() {
  document_.History().undo();
  graphsChanged(graphList_->currentRow());
}

void MainWindow::redoStep() {
  document_.History().redo();
  graphsChanged(graphList_->currentRow());
}

void MainWindow::showDocumentState() {
  // The file's name and the modified mark, Qt's way; the program's name
  // alone, without a mark, for a document without a file.
  const std::string& path = document_.FilePath();
  if (path.empty()) {
    setWindowModified(false);
    setWindowFilePath(QString());
    setWindowTitle(texts::kProgramName);
  } else {
    setWindowTitle(QString());
    setWindowFilePath(QString::fromStdString(path));
    setWindowModified(document_.IsModified());
  }
}

void MainWindow::deleteSelectedGraph() {
  const int row = graphList_->currentRow();
  if (row < 0) {
    return;
  }
  DeleteGraph(row + 1);
}

// --- file commands ---

void MainWindow::newDocument() {
  if (!document_.New()) {
    return;
  }
  navigation_.ClearModes();
  showNavigationMode();
  graphsChanged(-1);
  showDocumentState();
}

void MainWindow::openFile() {
  navigation_.ClearModes();
  showNavigationMode();
  if (document_.Open() == OpenResult::Opened) {
    graphsChanged(-1);
  }
  showDocumentState();
}

void MainWindow::saveFile() {
  document_.Save();
  showDocumentState();
}

void MainWindow::saveFileAs() {
  // The picture is taken before the dialog covers the drawing; a vector
  // picture is drawn from the lists, which the dialog does not touch.
  const QImage picture = captureDrawing();
  const SaveAsResult result = document_.SaveAs();
  showDocumentState();
  if (result.kind != SaveAsResult::PictureChosen) {
    return;
  }
  try {
    if (result.picture != SaveAsResult::Bmp) {
      const Picture vector = captureVectorDrawing();
      WriteFileAtomically(result.path, result.picture == SaveAsResult::Svg
                                           ? SvgPictureText(vector)
                                           : PdfPictureBytes(vector));
      return;
    }
    if (picture.isNull()) {
      throw PictureError(texts::kNoPictureShown);
    }
    WritePictureFile(result.path, PictureFormat::Bmp, picture.width(), picture.height(),
                     RgbaBytes(picture));
  } catch (const PictureError& error) {
    Report(texts::kErrorTitle, texts::PictureFileNotWritten(result.path, error.what()),
           MessageIcon::Critical);
  } catch (const IoError& error) {
    Report(texts::kErrorTitle, texts::PictureFileNotWritten(result.path, error.what()),
           MessageIcon::Critical);
  }
}

void MainWindow::printView() {
  // An empty view prints too. A view that has no lines and polygons to
  // print (a space document) prints its picture.
  std::optional<Picture> vector;
  QImage picture;
  try {
    vector = captureVectorDrawing();
  } catch (const PictureError&) {
    picture = captureDrawing();
    if (picture.isNull()) {
      Report(texts::kErrorTitle, texts::kNoPictureToPrint, MessageIcon::Critical);
      return;
    }
  }
  QPrinter printer;
  if (!dialogs_.AskPrinter(printer)) {
    return;
  }
  const QSizeF screenDotsPerInch(drawArea_->logicalDpiX(), drawArea_->logicalDpiY());
  const bool printed = vector ? PrintVectorPicture(printer, *vector)
                              : PrintPicture(printer, picture, screenDotsPerInch);
  if (!printed) {
    const std::string file = printer.outputFileName().toStdString();
    Report(texts::kErrorTitle,
           file.empty() ? texts::kPrinterNotOpened : texts::PrintFileNotWritten(file),
           MessageIcon::Critical);
  }
}

Picture MainWindow::captureVectorDrawing() {
  if (openGLArea_ == nullptr) {
    throw PictureError(texts::kNoPictureShown);
  }
  return openGLArea_->CaptureVectorPicture();
}

QImage MainWindow::captureDrawing() {
  if (!HasDrawing()) {
    return QImage();
  }
  // The frame is drawn again into the picture, so windows over the drawing
  // area do not matter; the area takes the focus as the commands' target.
  drawArea_->setFocus();
  return OpaquePicture(openGLArea_->FinalFrame());
}

void MainWindow::exitProgram() {
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A command waiting for its long work still needs the document; its
  // progress dialog offers Cancel. A save the user asked for that did not
  // happen keeps the window open, so that no graph is lost to a cancelled
  // dialog or a failed write.
  if (longWorkRunning_ || !document_.ConfirmClose()) {
    event->ignore();
    return;
  }
  event->accept();
}

// --- clipboard ---

std::optional<std::size_t> MainWindow::selectedEntry() const {
  const int row = graphList_->currentRow();
  if (row < 0) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(row);
}

void MainWindow::putOnClipboard(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void MainWindow::cutGraph() {
  std::optional<std::string> text;
  document_.Record(texts::kCutStep, [&] { text = clipboard_.Cut(selectedEntry()); });
  if (text) {
    putOnClipboard(*text);
    graphsChanged(-1);
  }
}

void MainWindow::copyGraph() {
  if (const std::optional<std::string> text = clipboard_.Copy(selectedEntry())) {
    putOnClipboard(*text);
  }
}

void MainWindow::copyAsBitmap() {
  if (document_.ShowScene().Graphs().Empty()) {
    return;
  }
  const QImage picture = captureDrawing();
  if (picture.isNull()) {
    Report(texts::kErrorTitle, texts::kNoPictureToCopy, MessageIcon::Critical);
    return;
  }
  auto* pictures = new QMimeData;
  pictures->setImageData(picture);
  // Programs that take vector pictures get the lines and polygons too; a
  // view without them (a space document) goes as the bitmap alone.
  try {
    pictures->setData(QStringLiteral("image/svg+xml"),
                      QByteArray::fromStdString(SvgPictureText(captureVectorDrawing())));
  } catch (const PictureError&) {
    // The bitmap alone goes.
  } catch (const IoError&) {
    // The bitmap alone goes.
  }
  // The clipboard owns the data.
  QGuiApplication::clipboard()->setMimeData(pictures);
}

void MainWindow::pasteGraphs() {
  if (clipboard_.ClipGraphCount() <= 0) {
    return;
  }
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  PasteResult result;
  document_.Record(texts::kPasteStep, [&] { result = clipboard_.Paste(text, selectedEntry()); });
  if (result.pasted > 0) {
    graphsChanged(graphList_->currentRow());
  }
}

void MainWindow::cutAllGraphs() {
  std::optional<std::string> text;
  document_.Record(texts::kCutAllStep, [&] { text = clipboard_.CutAll(); });
  if (text) {
    putOnClipboard(*text);
    graphsChanged(-1);
  }
}

void MainWindow::copyAllGraphs() {
  if (const std::optional<std::string> text = clipboard_.CopyAll()) {
    putOnClipboard(*text);
  }
}

// --- the Properties dialog ---

void MainWindow::drawCartesian() {
  drawNewGraph(0);
}

void MainWindow::drawPolar() {
  drawNewGraph(1);
}

void MainWindow::drawNewGraph(int coordinateIndex) {
  const DocumentState before = document_.State();
  const std::int32_t count = document_.ListScene().Graphs().Count();
  GraphDialog dialog(document_, dialogs_, this);
  dialog.PresetNew(coordinateIndex, &domainDefaults_);
  dialogs_.ShowModal(dialog);
  activateWindow();
  // The dialog's OK added the graph; a cancelled dialog may still have made
  // the document a plane one.
  if (document_.RecordStep(texts::kAddStep, before)) {
    graphsChanged(graphList_->currentRow());
  }
  const GraphCollection& graphs = document_.ListScene().Graphs();
  if (graphs.Count() > count) {
    bringIntoView(*graphs.Item(graphs.Count()));
  }
}

void MainWindow::bringIntoView(const Graph& added) {
  if (!document_.IsShown(added.id) || CurveMeetsRegion(added, VisibleRegion(mainView_))) {
    return;
  }
  zoomToFit();
}

void MainWindow::editGraph() {
  const int row = graphList_->currentRow();
  if (row < 0) {
    return;
  }
  // Hidden graphs are edited too: the list holds every graph.
  const std::int32_t position = row + 1;
  if (position > document_.ListScene().Graphs().Count()) {
    return;
  }
  const std::shared_ptr<Graph> graph = document_.ListScene().Graphs().Item(position);
  if (!GraphDialog::CanEdit(*graph, document_.Values().documentKind)) {
    Report(texts::kNoteTitle, texts::kCannotEditGraph, MessageIcon::Exclamation);
    return;
  }
  const DocumentState before = document_.State();
  GraphDialog dialog(document_, dialogs_, this);
  dialog.PresetEdit(*graph, position);
  dialogs_.ShowModal(dialog);
  activateWindow();
  if (document_.RecordStep(texts::kEditStep, before)) {
    graphsChanged(row);
  }
}

// --- view ---

void MainWindow::enterMoveMode() {
  navigation_.EnterMoveMode();
  showNavigationMode();
}

void MainWindow::enterZoomMode() {
  navigation_.EnterZoomMode();
  showNavigationMode();
}

void MainWindow::zoomToFit() {
  Scene& scene = document_.ShowScene();
  if (scene.Graphs().Empty()) {
    return;
  }
  // The graphs fill nine tenths of the area, a margin around them.
  constexpr float kFitShare = 0.9f;
  FitView(mainView_, scene.GetBox(0), kFitShare);
  Display();
}

void MainWindow::zoomIn() {
  mainView_.Zoom(1 / MouseNavigation::kWheelStep);
  Display();
}

void MainWindow::zoomOut() {
  mainView_.Zoom(MouseNavigation::kWheelStep);
  Display();
}

void MainWindow::showNavigationMode() {
  viewMoveAction_->setChecked(navigation_.MoveMode());
  viewZoomAction_->setChecked(navigation_.ZoomMode());
  // An open hand to drag the view, up and down arrows to zoom it.
  const Qt::CursorShape shape = navigation_.MoveMode()   ? Qt::OpenHandCursor
                                : navigation_.ZoomMode() ? Qt::SizeVerCursor
                                                         : Qt::ArrowCursor;
  drawArea_->setCursor(shape);
}

void MainWindow::showViewSettings() {
  const DocumentState before = document_.State();
  ViewSettingsDialog dialog(mainView_, document_.Values(), dialogs_, this);
  dialog.ExactCurves(exactCurves_);
  if (dialogs_.ShowModal(dialog) == QDialog::Accepted && dialog.ExactCurves() != exactCurves_) {
    exactCurves_ = dialog.ExactCurves();
    UserSettings().setValue(kExactCurvesKey, exactCurves_);
    if (openGLArea_ != nullptr) {
      openGLArea_->ExactCurves(exactCurves_);
    }
  }
  document_.RecordStep(texts::kViewSettingStep, before);
  // The projection may have changed.
  Display();
}

void MainWindow::showPointsOfInterest() {
  if (pointsDialog_ == nullptr) {
    pointsDialog_ = new PointsOfInterestDialog(this);
    connect(pointsDialog_, &PointsOfInterestDialog::pointChosen, this, [this](double x, double y) {
      if (openGLArea_ != nullptr) {
        openGLArea_->TraceMarker(PlanePoint{x, y});
      }
    });
    // Closed: the view marks what Trace marks again.
    connect(pointsDialog_, &QDialog::finished, this, [this] {
      if (openGLArea_ != nullptr) {
        openGLArea_->TraceMarker(readout_.Marker());
      }
    });
    connect(&document_.History(), &QUndoStack::indexChanged, pointsDialog_, [this] {
      if (pointsDialog_->isVisible()) {
        pointsDialog_->List(document_);
      }
    });
  }
  pointsDialog_->List(document_);
  pointsDialog_->show();
  pointsDialog_->raise();
  pointsDialog_->activateWindow();
}

void MainWindow::showAxisProperties() {
  const DocumentState before = document_.State();
  AxisDialog dialog(document_.MainAxis(), dialogs_, this);
  if (dialogs_.ShowModal(dialog) == QDialog::Accepted &&
      document_.RecordStep(texts::kAxisStep, before)) {
    RebuildLists();
    Display();
  }
}

void MainWindow::drawAreaButtonDown(QPointF position) {
  navigation_.LeftButtonDown(static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void MainWindow::drawAreaMoved(QPointF position) {
  if (navigation_.LeftButtonMove(static_cast<float>(position.x()), static_cast<float>(position.y()),
                                 drawArea_->width(), drawArea_->height(), mainView_)) {
    Display();
  }
}

void MainWindow::drawAreaMiddleButtonDown(QPointF position) {
  navigation_.MiddleButtonDown(static_cast<float>(position.x()), static_cast<float>(position.y()));
  drawArea_->setCursor(Qt::ClosedHandCursor);
}

void MainWindow::drawAreaMiddleMoved(QPointF position) {
  if (navigation_.MiddleButtonMove(static_cast<float>(position.x()),
                                   static_cast<float>(position.y()), drawArea_->width(),
                                   drawArea_->height(), mainView_)) {
    Display();
  }
}

void MainWindow::drawAreaWheel(QPointF position, float notches, bool fine) {
  if (MouseNavigation::WheelTurned(static_cast<float>(position.x()),
                                   static_cast<float>(position.y()), drawArea_->width(),
                                   drawArea_->height(), notches, fine, mainView_)) {
    Display();
    pointerMoved(position);
  }
}

// --- the status bar's read-out and Trace ---

const Graph* MainWindow::selectedGraph() const {
  const std::optional<std::size_t> entry = selectedEntry();
  const GraphCollection& graphs = document_.ListScene().Graphs();
  if (!entry || *entry >= static_cast<std::size_t>(graphs.Count())) {
    return nullptr;
  }
  return graphs.Item(static_cast<std::int32_t>(*entry) + 1).get();
}

void MainWindow::showReadout(const std::string& text) {
  readoutLabel_->setText(QString::fromStdString(text));
  if (openGLArea_ != nullptr) {
    openGLArea_->TraceMarker(readout_.Marker());
  }
}

void MainWindow::pointerMoved(QPointF position) {
  // The mouse names a world point only in the plane view: orthographic and
  // not rotated. Elsewhere it reads nothing rather than a wrong point.
  const Scene& shown = document_.ShowScene();
  const bool planeView = mainView_.ProjectType() == Camera::kOrthographic && shown.RotYaw() == 0 &&
                         shown.RotPitch() == 0 && shown.RotRoll() == 0;
  if (openGLArea_ == nullptr) {
    return;
  }
  if (!planeView) {
    showReadout(readout_.PointerLeft());
    return;
  }
  const QPointF pixel = openGLArea_->DevicePixel(position);
  showReadout(readout_.PointerAt(pixel.x(), pixel.y(), mainView_, selectedGraph()));
}

void MainWindow::pointerLeft() {
  showReadout(readout_.PointerLeft());
}

void MainWindow::currentGraphChanged() {
  if (readout_.Tracing()) {
    showReadout(readout_.Retrace(mainView_, selectedGraph()));
  }
}

void MainWindow::toggleTrace() {
  const bool on = viewTraceAction_->isChecked();
  readout_.Tracing(on);
  for (QAction* step :
       {traceBackAction_, traceOnAction_, traceBackToPointAction_, traceOnToPointAction_}) {
    step->setEnabled(on);
  }
  showReadout(on ? readout_.Retrace(mainView_, selectedGraph()) : std::string());
}

void MainWindow::traceBack() {
  showReadout(readout_.Step(-1, mainView_, selectedGraph()));
}

void MainWindow::traceOn() {
  showReadout(readout_.Step(1, mainView_, selectedGraph()));
}

std::vector<const Graph*> MainWindow::analysedGraphs() const {
  std::vector<const Graph*> graphs;
  for (const GraphCollection::Entry& entry : document_.ShowScene().Graphs()) {
    if (HasPointsOfInterest(*entry.second)) {
      graphs.push_back(entry.second.get());
    }
  }
  return graphs;
}

void MainWindow::traceBackToPoint() {
  showReadout(readout_.StepToPointOfInterest(-1, mainView_, selectedGraph(), analysedGraphs()));
}

void MainWindow::traceOnToPoint() {
  showReadout(readout_.StepToPointOfInterest(1, mainView_, selectedGraph(), analysedGraphs()));
}

void MainWindow::blankAreaMouse(QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    constexpr float kEighthsPerNotch = 120;
    drawAreaWheel(wheel->position(), static_cast<float>(wheel->angleDelta().y()) / kEighthsPerNotch,
                  (wheel->modifiers() & Qt::ControlModifier) != 0);
    return;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    showNavigationMode();
    return;
  }
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove) {
    return;
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (event->type() == QEvent::MouseMove) {
    if (mouse->buttons() == Qt::LeftButton) {
      drawAreaMoved(mouse->position());
    } else if ((mouse->buttons() & Qt::MiddleButton) != 0) {
      drawAreaMiddleMoved(mouse->position());
    }
  } else if (mouse->button() == Qt::LeftButton) {
    drawAreaButtonDown(mouse->position());
  } else if (mouse->button() == Qt::RightButton) {
    drawAreaRightButton(mouse->globalPosition().toPoint());
  } else if (mouse->button() == Qt::MiddleButton) {
    drawAreaMiddleButtonDown(mouse->position());
  }
}

void MainWindow::graphDoubleClicked(QListWidgetItem* item) {
  const int row = graphList_->row(item);
  if (row < 0) {
    return;
  }
  graphList_->setCurrentRow(row);
  editGraph();
}

void MainWindow::drawAreaRightButton(QPoint globalPosition) {
  drawAreaMenu_->popup(globalPosition);
}

// --- help ---

void MainWindow::showHelp() {
  if (helpWindow_ == nullptr) {
    helpWindow_ = new HelpWindow(dialogs_, this);
  }
  if (!helpWindow_->Open(helpFilePath_)) {
    Report(texts::kErrorTitle, texts::HelpPageMissing(helpFilePath_.toStdString()),
           MessageIcon::Critical);
    return;
  }
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

void MainWindow::showHomepage() {
  if (!dialogs_.OpenUrl(QUrl(QString::fromLatin1(texts::kHomePage)))) {
    Report(texts::kErrorTitle, texts::AddressNotOpened(texts::kHomePage), MessageIcon::Exclamation);
  }
}

void MainWindow::showAbout() {
  AboutDialog dialog(dialogs_, this);
  dialogs_.ShowModal(dialog);
}

}  // namespace quillon
