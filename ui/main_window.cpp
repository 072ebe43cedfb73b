#include "ui/main_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <vector>

#include "graph/graph.h"
#include "io/io_error.h"
#include "io/picture_file.h"
#include "ui/about_dialog.h"
#include "ui/axis_dialog.h"
#include "ui/draw_area.h"
#include "ui/graph_dialog.h"
#include "ui/icon_svg.h"
#include "ui/splitter_bar.h"
#include "ui/toolbar_icons.h"
#include "ui/view_picture.h"
#include "ui/view_settings_dialog.h"
#include "ui/window_dialogs.h"

namespace quillon {

namespace {

constexpr int kInitialWidth = 900;
constexpr int kInitialHeight = 640;

}  // namespace

MainWindow::MainWindow(WindowDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), document_(*this) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Quillon"));
  setWindowIcon(QuillonIcon());
  createActions();
  createMenus();
  createToolBar();
  createControls();
  resize(kInitialWidth, kInitialHeight);
}

MainWindow::~MainWindow() = default;

// --- construction ---

QAction* MainWindow::makeAction(const QString& name, const QString& text,
                                void (MainWindow::*slot)()) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, slot);
  actions_[name] = action;
  return action;
}

QAction* MainWindow::Action(const QString& name) const {
  const auto found = actions_.find(name);
  return found != actions_.end() ? found->second : nullptr;
}

void MainWindow::createActions() {
  // Main menu
  makeAction(QStringLiteral("mnuFileNew2D"), QStringLiteral("New"), &MainWindow::newDocument);
  makeAction(QStringLiteral("mnuFileOpen"), QStringLiteral("Open..."), &MainWindow::openFile)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  makeAction(QStringLiteral("mnuFileSave"), QStringLiteral("Save"), &MainWindow::saveFile)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  makeAction(QStringLiteral("mnuFileSaveAs"), QStringLiteral("SaveAs..."), &MainWindow::saveFileAs);
  makeAction(QStringLiteral("mnuFilePrint"), QStringLiteral("Print..."), &MainWindow::printView)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
  makeAction(QStringLiteral("mnuFileExit"), QStringLiteral("Exit"), &MainWindow::exitProgram)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));

  makeAction(QStringLiteral("mnuEditCut"), QStringLiteral("Cut"), &MainWindow::cutGraph);
  makeAction(QStringLiteral("mnuEditCopy"), QStringLiteral("Copy"), &MainWindow::copyGraph)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  makeAction(QStringLiteral("mnuEditCopyAs"), QStringLiteral("Copy As BMP"),
             &MainWindow::copyAsBitmap);
  makeAction(QStringLiteral("mnuEditPaste"), QStringLiteral("Paste"), &MainWindow::pasteGraphs);
  makeAction(QStringLiteral("mnuEditDelete"), QStringLiteral("Delete"),
             &MainWindow::deleteSelectedGraph);
  makeAction(QStringLiteral("mnuEditDelAll"), QStringLiteral("Delete All"),
             &MainWindow::DeleteAllGraphs);

  makeAction(QStringLiteral("mnuViewMove"), QStringLiteral("Move"), &MainWindow::enterMoveMode)
      ->setShortcut(QKeySequence(Qt::Key_F7));
  makeAction(QStringLiteral("mnuViewZoom"), QStringLiteral("Zoom"), &MainWindow::enterZoomMode)
      ->setShortcut(QKeySequence(Qt::Key_F8));
  makeAction(QStringLiteral("mnuViewFit"), QStringLiteral("Zoom to Fit"), &MainWindow::zoomToFit);
  makeAction(QStringLiteral("mnuViewSet"), QStringLiteral("Settings..."),
             &MainWindow::showViewSettings);

  makeAction(QStringLiteral("mnuDraw2DCart"), QStringLiteral("Cartesian"),
             &MainWindow::drawCartesian);
  makeAction(QStringLiteral("mnuDraw2DPolar"), QStringLiteral("Polar"), &MainWindow::drawPolar);
  makeAction(QStringLiteral("mnuDrawAxis"), QStringLiteral("Axis..."),
             &MainWindow::showAxisProperties);

  makeAction(QStringLiteral("mnuHelpCon"), QStringLiteral("Content..."), &MainWindow::showHelp);
  makeAction(QStringLiteral("mnuHelpHome"), QStringLiteral("Homepage"), &MainWindow::showHomepage);
  makeAction(QStringLiteral("mnuHelpAbout"), QStringLiteral("About..."), &MainWindow::showAbout);

  // Pop-up menu of the graph list
  makeAction(QStringLiteral("mnuFunEdit"), QStringLiteral("Edit..."), &MainWindow::editGraph);
  makeAction(QStringLiteral("mnuFunCut"), QStringLiteral("Cut"), &MainWindow::cutGraph);
  makeAction(QStringLiteral("mnuFunCopy"), QStringLiteral("Copy"), &MainWindow::copyGraph);
  makeAction(QStringLiteral("mnuFunDelete"), QStringLiteral("Delete"),
             &MainWindow::deleteSelectedGraph);

  // Pop-up menu of the drawing area
  makeAction(QStringLiteral("mnuGraphPaste"), QStringLiteral("Paste"), &MainWindow::pasteGraphs);
  makeAction(QStringLiteral("mnuGraphCutAll"), QStringLiteral("Cut All"),
             &MainWindow::cutAllGraphs);
  makeAction(QStringLiteral("mnuGraphCopyAll"), QStringLiteral("Copy All"),
             &MainWindow::copyAllGraphs);
  makeAction(QStringLiteral("mnuGraphCopyAs"), QStringLiteral("Copy As BMP"),
             &MainWindow::copyAsBitmap);
  makeAction(QStringLiteral("mnuGraphDelAll"), QStringLiteral("Delete All"),
             &MainWindow::DeleteAllGraphs);
  makeAction(QStringLiteral("mnuGraphAxis"), QStringLiteral("Axis..."),
             &MainWindow::showAxisProperties);
}

void MainWindow::createMenus() {
  const auto addItems = [this](QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (name == nullptr) {
        menu->addSeparator();
      } else {
        menu->addAction(Action(QString::fromLatin1(name)));
      }
    }
  };
  const auto addMenu = [this](const char* name, const char* title) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(title));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  addItems(addMenu("mnuFile", "File"),
           {"mnuFileNew2D", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", nullptr, "mnuFilePrint",
            nullptr, "mnuFileExit"});
  addItems(addMenu("mnuEdit", "Edit"), {"mnuEditCut", "mnuEditCopy", "mnuEditCopyAs",
                                        "mnuEditPaste", nullptr, "mnuEditDelete", "mnuEditDelAll"});
  addItems(addMenu("mnuView", "View"),
           {"mnuViewMove", "mnuViewZoom", "mnuViewFit", nullptr, "mnuViewSet"});
  addItems(addMenu("mnuDraw", "Draw"), {"mnuDraw2DCart", "mnuDraw2DPolar", nullptr, "mnuDrawAxis"});
  addItems(addMenu("mnuHelp", "Help"), {"mnuHelpCon", "mnuHelpHome", "mnuHelpAbout"});

  // The two pop-up menus are not on the menu bar.
  funEditMenu_ = new QMenu(QStringLiteral("FunEdit"), this);
  funEditMenu_->setObjectName(QStringLiteral("FunEdit"));
  addItems(funEditMenu_, {"mnuFunEdit", "mnuFunCut", "mnuFunCopy", "mnuFunDelete"});
  graphEditMenu_ = new QMenu(QStringLiteral("GraphEdit"), this);
  graphEditMenu_->setObjectName(QStringLiteral("GraphEdit"));
  addItems(graphEditMenu_, {"mnuGraphPaste", "mnuGraphCutAll", "mnuGraphCopyAll", "mnuGraphCopyAs",
                            "mnuGraphDelAll", nullptr, "mnuGraphAxis"});
}

void MainWindow::createToolBar() {
  Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setMovable(false);
  Toolbar1->setIconSize(QSize(24, 24));

  struct Button {
    const char* key;      // a separator when tooltip is null
    const char* tooltip;  // also the action's text
    void (MainWindow::*slot)();
  };
  const std::vector<Button> buttons = {
      {"barSep0", nullptr, nullptr},
      {"barNew2D", "New 2D Graphs", &MainWindow::newDocument},
      {"barSep1", nullptr, nullptr},
      {"barOpen", "Open File", &MainWindow::openFile},
      {"barSave", "Save File", &MainWindow::saveFile},
      {"barSaveAs", "Save File As", &MainWindow::saveFileAs},
      {"barSep2", nullptr, nullptr},
      {"barPrint", "Print", &MainWindow::printView},
      {"barSep3", nullptr, nullptr},
      {"barCut", "Cut Selected Graph", &MainWindow::cutGraph},
      {"barCopy", "Copy Graph", &MainWindow::copyGraph},
      {"barCopyAs", "Copy Graph As BMP", &MainWindow::copyAsBitmap},
      {"barPaste", "Paste Graph", &MainWindow::pasteGraphs},
      {"varDel", "Delete Selected Graph", &MainWindow::deleteSelectedGraph},
      {"barSep4", nullptr, nullptr},
      {"barHelp", "Help", &MainWindow::showHelp},
      {"barSep6", nullptr, nullptr},
      {"barFun2DCart", "Add A 2D Cartesian Function Graph", &MainWindow::drawCartesian},
      {"barFun2DPolar", "Add A 2D Polar Function Graph", &MainWindow::drawPolar},
      {"barSep8", nullptr, nullptr},
      {"barCoord", "Modify Coordinate System", &MainWindow::showAxisProperties},
      {"barSep9", nullptr, nullptr},
      {"barMove", "Move The Scene", &MainWindow::enterMoveMode},
      {"barZoom", "Zoom In Or Zoom Out", &MainWindow::enterZoomMode},
      {"barZoomAll", "Zoom To Fit", &MainWindow::zoomToFit},
  };
  for (const Button& button : buttons) {
    const QString key = QString::fromLatin1(button.key);
    if (button.tooltip == nullptr) {
      Toolbar1->addSeparator()->setObjectName(key);
      continue;
    }
    QAction* action = makeAction(key, QString::fromLatin1(button.tooltip), button.slot);
    action->setToolTip(QString::fromLatin1(button.tooltip));
    action->setIcon(ToolbarIcon(key));
    Toolbar1->addAction(action);
  }
}

void MainWindow::createControls() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(StatusBar1);

  central_ = new QWidget(this);
  central_->setObjectName(QStringLiteral("central"));
  setCentralWidget(central_);
  central_->installEventFilter(this);

  List1 = new QListWidget(central_);
  List1->setObjectName(QStringLiteral("List1"));
  // The pop-up menus open when the right button goes down, not through the
  // platform's context-menu event.
  List1->setContextMenuPolicy(Qt::PreventContextMenu);
  List1->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
  List1->viewport()->installEventFilter(this);
  connect(List1, &QListWidget::itemChanged, this, &MainWindow::graphCheckChanged);

  if (DrawArea::OpenGLAvailable()) {
    const FrameSource source{document_, mainView_, mainLight_, sceneBox_, animStep_};
    drawing_ = new DrawArea(source, *this, central_);
    connect(drawing_, &DrawArea::leftButtonDown, this, &MainWindow::drawAreaButtonDown);
    connect(drawing_, &DrawArea::leftButtonMoved, this, &MainWindow::drawAreaMoved);
    connect(drawing_, &DrawArea::rightButtonDown, this, &MainWindow::drawAreaRightButton);
    picDraw = drawing_;
  } else {
    // A window holding an OpenGL widget cannot even be shown where Qt has no
    // OpenGL, so the area is a blank widget; it still takes the mouse.
    picDraw = new QWidget(central_);
    picDraw->setObjectName(QStringLiteral("picDraw"));
    picDraw->setAutoFillBackground(true);
    QPalette white = picDraw->palette();
    white.setColor(QPalette::Window, Qt::white);
    picDraw->setPalette(white);
    picDraw->installEventFilter(this);
  }
  picDraw->setContextMenuPolicy(Qt::PreventContextMenu);

  Splitter = new SplitterBar(central_);
  Splitter->setObjectName(QStringLiteral("Splitter"));
  Splitter->move(kInitialListWidth, 0);
  connect(Splitter, &SplitterBar::dragFinished, this, &MainWindow::splitterMoved);
}

// --- load ---

void MainWindow::Load(const std::string& commandLine) {
  Initialize();
  document_.MainAxis().shown = true;
  DocumentValues& values = document_.Values();
  values.ViewMinX = values.ViewMinY = values.ViewMinZ = -50;
  values.ViewMaxX = values.ViewMaxY = values.ViewMaxZ = 50;
  axisDialogOK_ = false;
  editMode_ = false;
  document_.Saved(false);
  clipboard_.ClipGraphCount(0);
  helpFilePath_ = QCoreApplication::applicationDirPath() + QStringLiteral("/help.html");
  Splitter->raise();
  navigation_ = MouseNavigation();
  registerFileType();
  if (commandLine.empty()) {
    newDocument();
    return;
  }
  if (document_.OpenGraphFile(commandLine) == OpenResult::Opened) {
    graphsChanged(-1);
  }
}

void MainWindow::registerFileType() {
  RegisterFileType(
      {UserDataHome(), QCoreApplication::applicationDirPath().toStdString(), QuillonIconSvg()},
      updateTools_);
}

// --- drawing ---

bool MainWindow::Initialize() {
  if (drawing_ != nullptr && drawing_->isValid()) {
    // A context whose setup failed has been reported by the renderer.
    return drawing_->Ready();
  }
  // No context at all: the same message as a context the renderer cannot
  // use, told once; the window goes on without drawing.
  if (!contextReported_) {
    contextReported_ = true;
    Report("Error", "ChoosePixelFormat failed", MessageIcon::Critical);
  }
  return false;
}

bool MainWindow::HasDrawing() const {
  return drawing_ != nullptr && drawing_->Ready();
}

void MainWindow::RebuildLists() {
  if (drawing_ != nullptr) {
    drawing_->RebuildLists();
  }
}

void MainWindow::Display() {
  if (drawing_ != nullptr) {
    drawing_->Display();
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

// --- layout ---

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) {
    layoutControls();
  } else if (drawing_ == nullptr && picDraw != nullptr && watched == picDraw) {
    blankAreaMouse(event);
  } else if (List1 != nullptr && watched == List1->viewport() &&
             event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::RightButton) {
      // The list still sees the press and makes the entry under the
      // pointer current before an item of the menu runs.
      funEditMenu_->popup(press->globalPosition().toPoint());
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::layoutControls() {
  const int height = central_->height();
  int left = Splitter->x();
  // A window made narrower than the list pulls the bar in, so that the bar
  // and the drawing area stay within reach.
  if (isVisible() && left > width() - kSplitterEdgeMargin) {
    left = std::max(0, width() - kSplitterEdgeMargin);
  }
  Splitter->setGeometry(left, 0, kSplitterWidth, height);
  const int drawLeft = left + kSplitterWidth;
  picDraw->setGeometry(drawLeft, 0, std::max(0, central_->width() - drawLeft), height);
  List1->setGeometry(0, 0, std::max(0, left), height);
  Display();
}

void MainWindow::splitterMoved() {
  Splitter->move(ClampSplitterLeft(Splitter->x(), width()), Splitter->y());
  layoutControls();
}

// --- graph list ---

void MainWindow::syncGraphList(int currentRow) {
  const QSignalBlocker blocker(List1);
  List1->clear();
  for (const GraphListEntry& entry : document_.Entries()) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.text), List1);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
  }
  if (currentRow >= 0 && currentRow < List1->count()) {
    List1->setCurrentRow(currentRow);
  } else {
    List1->setCurrentRow(-1);
    List1->clearSelection();
  }
}

void MainWindow::graphsChanged(int currentRow) {
  syncGraphList(currentRow);
  RebuildLists();
  Display();
}

void MainWindow::graphCheckChanged(QListWidgetItem* item) {
  const int row = List1->row(item);
  if (row < 0) {
    return;
  }
  document_.SetChecked(static_cast<std::size_t>(row), item->checkState() == Qt::Checked);
  RebuildLists();
  Display();
}

void MainWindow::DeleteGraph(std::int32_t position) {
  if (document_.ListScene().Graphs().Empty() || !document_.DeleteGraph(position)) {
    return;
  }
  graphsChanged(-1);
}

void MainWindow::DeleteAllGraphs() {
  document_.DeleteAllGraphs();
  graphsChanged(-1);
}

void MainWindow::deleteSelectedGraph() {
  const int row = List1->currentRow();
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
  graphsChanged(-1);
}

void MainWindow::openFile() {
  navigation_.ClearModes();
  if (document_.Open() == OpenResult::Opened) {
    graphsChanged(-1);
  }
}

void MainWindow::saveFile() {
  document_.Save();
}

void MainWindow::saveFileAs() {
  // The picture is taken before the dialog covers the drawing.
  const QImage picture = captureDrawing();
  const SaveAsResult result = document_.SaveAs();
  if (result.kind != SaveAsResult::PictureChosen) {
    return;
  }
  if (picture.isNull()) {
    Report("Error",
           "Cannot write the file \"" + result.path + "\": the drawing area shows no picture.",
           MessageIcon::Critical);
    return;
  }
  try {
    WritePictureFile(result.path, PictureFormat::Bmp, picture.width(), picture.height(),
                     RgbaBytes(picture));
  } catch (const IoError& error) {
    Report("Error", "Cannot write the file \"" + result.path + "\": " + error.what(),
           MessageIcon::Critical);
  }
}

void MainWindow::printView() {
  // An empty view prints too.
  const QImage picture = captureDrawing();
  if (picture.isNull()) {
    Report("Error",
           "The view cannot be printed: the drawing area has no OpenGL context, so there is no "
           "picture of it.",
           MessageIcon::Critical);
    return;
  }
  QPrinter printer;
  if (!dialogs_.AskPrinter(printer)) {
    return;
  }
  const QSizeF screenDotsPerInch(picDraw->logicalDpiX(), picDraw->logicalDpiY());
  if (!PrintPicture(printer, picture, screenDotsPerInch)) {
    const std::string file = printer.outputFileName().toStdString();
    Report("Error",
           file.empty()
               ? "The view cannot be printed: the printer cannot be opened."
               : "The view cannot be printed: the file \"" + file + "\" cannot be written.",
           MessageIcon::Critical);
  }
}

QImage MainWindow::captureDrawing() {
  if (!HasDrawing()) {
    return QImage();
  }
  // The frame is drawn again into the picture, so windows over the drawing
  // area do not matter; the area takes the focus as the commands' target.
  picDraw->setFocus();
  return OpaquePicture(drawing_->grabFramebuffer());
}

void MainWindow::exitProgram() {
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A save the user asked for that did not happen keeps the window open, so
  // that no graph is lost to a cancelled dialog or a failed write.
  if (!document_.ConfirmClose()) {
    event->ignore();
    return;
  }
  event->accept();
}

// --- clipboard ---

std::optional<std::size_t> MainWindow::selectedEntry() const {
  const int row = List1->currentRow();
  if (row < 0) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(row);
}

void MainWindow::putOnClipboard(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void MainWindow::cutGraph() {
  if (const std::optional<std::string> text = clipboard_.Cut(selectedEntry())) {
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
    Report("Error",
           "The view cannot be copied as a picture: the drawing area has no OpenGL context, so "
           "there is no picture of it.",
           MessageIcon::Critical);
    return;
  }
  QGuiApplication::clipboard()->setImage(picture);
}

void MainWindow::pasteGraphs() {
  if (clipboard_.ClipGraphCount() <= 0) {
    return;
  }
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  if (clipboard_.Paste(text, selectedEntry()).pasted > 0) {
    graphsChanged(List1->currentRow());
  }
}

void MainWindow::cutAllGraphs() {
  if (const std::optional<std::string> text = clipboard_.CutAll()) {
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
  editMode_ = false;
  const std::int32_t countBefore = document_.ListScene().Graphs().Count();
  GraphDialog dialog(document_, dialogs_, this);
  dialog.PresetNew(coordinateIndex);
  dialogs_.ShowModal(dialog);
  activateWindow();
  if (document_.AppendNewGraphEntry(countBefore)) {
    graphsChanged(List1->currentRow());
  }
}

void MainWindow::editGraph() {
  const int row = List1->currentRow();
  if (row < 0) {
    return;
  }
  const std::vector<GraphListEntry>& entries = document_.Entries();
  if (static_cast<std::size_t>(row) >= entries.size() ||
      !entries[static_cast<std::size_t>(row)].checked) {
    Report("Warning", "Select a function first.", MessageIcon::Exclamation);
    return;
  }
  const std::int32_t position = row + 1;
  const std::int32_t ID = document_.ListScene().Graphs().Item(position)->id;
  std::shared_ptr<Graph> graph;
  for (const GraphCollection::Entry& entry : document_.ShowScene().Graphs()) {
    if (entry.second->id == ID) {
      graph = entry.second;
      break;
    }
  }
  if (graph == nullptr) {
    return;
  }
  if (!GraphDialog::CanEdit(*graph, document_.Values().documentKind)) {
    Report("Note",
           "The Properties dialog edits only the functions y=f(x), x=f1(u),y=f2(u), r=f(a) "
           "and a=f1(u),r=f2(u).",
           MessageIcon::Exclamation);
    return;
  }
  editMode_ = true;
  GraphDialog dialog(document_, dialogs_, this);
  dialog.PresetEdit(*graph, position);
  const bool accepted = dialogs_.ShowModal(dialog) == QDialog::Accepted;
  activateWindow();
  if (accepted) {
    editMode_ = false;
    graphsChanged(row);
  }
}

// --- view ---

void MainWindow::enterMoveMode() {
  navigation_.EnterMoveMode();
}

void MainWindow::enterZoomMode() {
  navigation_.EnterZoomMode();
}

void MainWindow::zoomToFit() {
  Scene& scene = document_.ShowScene();
  if (scene.Graphs().Empty()) {
    return;
  }
  const Box box = scene.GetBox(0);
  mainView_.ZoomAll(box.MinX(), box.MinY(), box.MinZ(), box.MaxX(), box.MaxY(), box.MaxZ());
  mainView_.Zoom(2.0f);
  Display();
}

void MainWindow::showViewSettings() {
  ViewSettingsDialog dialog(mainView_, document_.Values(), dialogs_, this);
  dialogs_.ShowModal(dialog);
}

void MainWindow::showAxisProperties() {
  AxisDialog dialog(document_.MainAxis(), dialogs_, this);
  axisDialogOK_ = dialogs_.ShowModal(dialog) == QDialog::Accepted;
  if (axisDialogOK_) {
    RebuildLists();
    Display();
    axisDialogOK_ = false;
  }
}

void MainWindow::drawAreaButtonDown(QPointF position) {
  navigation_.LeftButtonDown(static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void MainWindow::drawAreaMoved(QPointF position) {
  if (navigation_.LeftButtonMove(static_cast<float>(position.x()), static_cast<float>(position.y()),
                                 picDraw->width(), picDraw->height(), mainView_)) {
    Display();
  }
}

void MainWindow::blankAreaMouse(QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove) {
    return;
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (event->type() == QEvent::MouseMove) {
    if (mouse->buttons() == Qt::LeftButton) {
      drawAreaMoved(mouse->position());
    }
  } else if (mouse->button() == Qt::LeftButton) {
    drawAreaButtonDown(mouse->position());
  } else if (mouse->button() == Qt::RightButton) {
    drawAreaRightButton(mouse->globalPosition().toPoint());
  }
}

void MainWindow::drawAreaRightButton(QPoint globalPosition) {
  graphEditMenu_->popup(globalPosition);
}

// --- help ---

void MainWindow::showHelp() {
  dialogs_.OpenUrl(QUrl::fromLocalFile(helpFilePath_));
}

void MainWindow::showHomepage() {
  dialogs_.OpenUrl(QUrl(QString::fromLatin1(kHomePage)));
}

void MainWindow::showAbout() {
  AboutDialog dialog(dialogs_, this);
  dialogs_.ShowModal(dialog);
}

}  // namespace quillon
