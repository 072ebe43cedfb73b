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

#include "graph/graph_record.h"
#include "io/io_error.h"
#include "io/picture_file.h"
#include "ui/about_dialog.h"
#include "ui/axis_dialog.h"
#include "ui/draw_area.h"
#include "ui/icon_svg.h"
#include "ui/properties_dialog.h"
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

frmF1::frmF1(WindowDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), document_(*this) {
  setObjectName(QStringLiteral("frmF1"));
  setWindowTitle(QStringLiteral("Quillon"));
  setWindowIcon(QuillonIcon());
  createActions();
  createMenus();
  createToolBar();
  createControls();
  resize(kInitialWidth, kInitialHeight);
}

frmF1::~frmF1() = default;

// --- construction ---

QAction* frmF1::makeAction(const QString& name, const QString& text, void (frmF1::*slot)()) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, slot);
  actions_[name] = action;
  return action;
}

QAction* frmF1::Action(const QString& name) const {
  const auto found = actions_.find(name);
  return found != actions_.end() ? found->second : nullptr;
}

void frmF1::createActions() {
  // Main menu
  makeAction(QStringLiteral("mnuFileNew2D"), QStringLiteral("New"), &frmF1::newDocument);
  makeAction(QStringLiteral("mnuFileOpen"), QStringLiteral("Open..."), &frmF1::openFile)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  makeAction(QStringLiteral("mnuFileSave"), QStringLiteral("Save"), &frmF1::saveFile)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  makeAction(QStringLiteral("mnuFileSaveAs"), QStringLiteral("SaveAs..."), &frmF1::saveFileAs);
  makeAction(QStringLiteral("mnuFilePrint"), QStringLiteral("Print..."), &frmF1::printView)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
  makeAction(QStringLiteral("mnuFileExit"), QStringLiteral("Exit"), &frmF1::exitProgram)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));

  makeAction(QStringLiteral("mnuEditCut"), QStringLiteral("Cut"), &frmF1::cutGraph);
  makeAction(QStringLiteral("mnuEditCopy"), QStringLiteral("Copy"), &frmF1::copyGraph)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  makeAction(QStringLiteral("mnuEditCopyAs"), QStringLiteral("Copy As BMP"), &frmF1::copyAsBitmap);
  makeAction(QStringLiteral("mnuEditPaste"), QStringLiteral("Paste"), &frmF1::pasteGraphs);
  makeAction(QStringLiteral("mnuEditDelete"), QStringLiteral("Delete"),
             &frmF1::deleteSelectedGraph);
  makeAction(QStringLiteral("mnuEditDelAll"), QStringLiteral("Delete All"),
             &frmF1::DeleteAllGraphs);

  makeAction(QStringLiteral("mnuViewMove"), QStringLiteral("Move"), &frmF1::enterMoveMode)
      ->setShortcut(QKeySequence(Qt::Key_F7));
  makeAction(QStringLiteral("mnuViewZoom"), QStringLiteral("Zoom"), &frmF1::enterZoomMode)
      ->setShortcut(QKeySequence(Qt::Key_F8));
  makeAction(QStringLiteral("mnuViewFit"), QStringLiteral("Zoom to Fit"), &frmF1::zoomToFit);
  makeAction(QStringLiteral("mnuViewSet"), QStringLiteral("Settings..."), &frmF1::showViewSettings);

  makeAction(QStringLiteral("mnuDraw2DCart"), QStringLiteral("Cartesian"), &frmF1::drawCartesian);
  makeAction(QStringLiteral("mnuDraw2DPolar"), QStringLiteral("Polar"), &frmF1::drawPolar);
  makeAction(QStringLiteral("mnuDrawAxis"), QStringLiteral("Axis..."), &frmF1::showAxisProperties);

  makeAction(QStringLiteral("mnuHelpCon"), QStringLiteral("Content..."), &frmF1::showHelp);
  makeAction(QStringLiteral("mnuHelpHome"), QStringLiteral("Homepage"), &frmF1::showHomepage);
  makeAction(QStringLiteral("mnuHelpAbout"), QStringLiteral("About..."), &frmF1::showAbout);

  // Pop-up menu of the graph list
  makeAction(QStringLiteral("mnuFunEdit"), QStringLiteral("Edit..."), &frmF1::editGraph);
  makeAction(QStringLiteral("mnuFunCut"), QStringLiteral("Cut"), &frmF1::cutGraph);
  makeAction(QStringLiteral("mnuFunCopy"), QStringLiteral("Copy"), &frmF1::copyGraph);
  makeAction(QStringLiteral("mnuFunDelete"), QStringLiteral("Delete"), &frmF1::deleteSelectedGraph);

  // Pop-up menu of the drawing area
  makeAction(QStringLiteral("mnuGraphPaste"), QStringLiteral("Paste"), &frmF1::pasteGraphs);
  makeAction(QStringLiteral("mnuGraphCutAll"), QStringLiteral("Cut All"), &frmF1::cutAllGraphs);
  makeAction(QStringLiteral("mnuGraphCopyAll"), QStringLiteral("Copy All"), &frmF1::copyAllGraphs);
  makeAction(QStringLiteral("mnuGraphCopyAs"), QStringLiteral("Copy As BMP"), &frmF1::copyAsBitmap);
  makeAction(QStringLiteral("mnuGraphDelAll"), QStringLiteral("Delete All"),
             &frmF1::DeleteAllGraphs);
  makeAction(QStringLiteral("mnuGraphAxis"), QStringLiteral("Axis..."), &frmF1::showAxisProperties);
}

void frmF1::createMenus() {
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

void frmF1::createToolBar() {
  Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setMovable(false);
  Toolbar1->setIconSize(QSize(24, 24));

  struct Button {
    const char* key;      // a separator when tooltip is null
    const char* tooltip;  // also the action's text
    void (frmF1::*slot)();
  };
  const std::vector<Button> buttons = {
      {"barSep0", nullptr, nullptr},
      {"barNew2D", "New 2D Graphs", &frmF1::newDocument},
      {"barSep1", nullptr, nullptr},
      {"barOpen", "Open File", &frmF1::openFile},
      {"barSave", "Save File", &frmF1::saveFile},
      {"barSaveAs", "Save File As", &frmF1::saveFileAs},
      {"barSep2", nullptr, nullptr},
      {"barPrint", "Print", &frmF1::printView},
      {"barSep3", nullptr, nullptr},
      {"barCut", "Cut Selected Graph", &frmF1::cutGraph},
      {"barCopy", "Copy Graph", &frmF1::copyGraph},
      {"barCopyAs", "Copy Graph As BMP", &frmF1::copyAsBitmap},
      {"barPaste", "Paste Graph", &frmF1::pasteGraphs},
      {"varDel", "Delete Selected Graph", &frmF1::deleteSelectedGraph},
      {"barSep4", nullptr, nullptr},
      {"barHelp", "Help", &frmF1::showHelp},
      {"barSep6", nullptr, nullptr},
      {"barFun2DCart", "Add A 2D Cartesian Function Graph", &frmF1::drawCartesian},
      {"barFun2DPolar", "Add A 2D Polar Function Graph", &frmF1::drawPolar},
      {"barSep8", nullptr, nullptr},
      {"barCoord", "Modify Coordinate System", &frmF1::showAxisProperties},
      {"barSep9", nullptr, nullptr},
      {"barMove", "Move The Scene", &frmF1::enterMoveMode},
      {"barZoom", "Zoom In Or Zoom Out", &frmF1::enterZoomMode},
      {"barZoomAll", "Zoom To Fit", &frmF1::zoomToFit},
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

void frmF1::createControls() {
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
  connect(List1, &QListWidget::itemChanged, this, &frmF1::graphCheckChanged);

  if (DrawArea::OpenGLAvailable()) {
    const FrameSource source{document_, mainView_, mainLight_, sceneBox_, animStep_};
    drawing_ = new DrawArea(source, *this, central_);
    connect(drawing_, &DrawArea::leftButtonDown, this, &frmF1::drawAreaButtonDown);
    connect(drawing_, &DrawArea::leftButtonMoved, this, &frmF1::drawAreaMoved);
    connect(drawing_, &DrawArea::rightButtonDown, this, &frmF1::drawAreaRightButton);
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
  connect(Splitter, &SplitterBar::dragFinished, this, &frmF1::splitterMoved);
}

// --- load ---

void frmF1::Load(const std::string& commandLine) {
  Initialize();
  document_.MainAxis().Show(true);
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

void frmF1::registerFileType() {
  RegisterFileType(
      {UserDataHome(), QCoreApplication::applicationDirPath().toStdString(), QuillonIconSvg()},
      updateTools_);
}

// --- drawing ---

bool frmF1::Initialize() {
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

bool frmF1::HasDrawing() const {
  return drawing_ != nullptr && drawing_->Ready();
}

void frmF1::RebuildLists() {
  if (drawing_ != nullptr) {
    drawing_->RebuildLists();
  }
}

void frmF1::Display() {
  if (drawing_ != nullptr) {
    drawing_->Display();
  }
}

// --- DocumentDialogs ---

void frmF1::Report(const std::string& title, const std::string& text, MessageIcon icon) {
  dialogs_.Report(title, text, icon);
}

std::optional<FileChoice> frmF1::AskFileName(FileDialogMode mode, const std::string& title,
                                             const std::string& filter) {
  return dialogs_.AskFileName(mode, title, filter);
}

Answer frmF1::Ask(const std::string& title, const std::string& text, MessageIcon icon,
                  QuestionButtons buttons) {
  return dialogs_.Ask(title, text, icon, buttons);
}

void frmF1::GraphFileWritten(const std::string& /*path*/) {
  registerFileType();
}

// --- layout ---

bool frmF1::eventFilter(QObject* watched, QEvent* event) {
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

void frmF1::layoutControls() {
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

void frmF1::splitterMoved() {
  Splitter->move(ClampSplitterLeft(Splitter->x(), width()), Splitter->y());
  layoutControls();
}

// --- graph list ---

void frmF1::syncGraphList(int currentRow) {
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

void frmF1::graphsChanged(int currentRow) {
  syncGraphList(currentRow);
  RebuildLists();
  Display();
}

void frmF1::graphCheckChanged(QListWidgetItem* item) {
  const int row = List1->row(item);
  if (row < 0) {
    return;
  }
  document_.SetChecked(static_cast<std::size_t>(row), item->checkState() == Qt::Checked);
  RebuildLists();
  Display();
}

void frmF1::DeleteGraph(std::int32_t position) {
  if (document_.ListScene().Graphs().Empty() || !document_.DeleteGraph(position)) {
    return;
  }
  graphsChanged(-1);
}

void frmF1::DeleteAllGraphs() {
  document_.DeleteAllGraphs();
  graphsChanged(-1);
}

void frmF1::deleteSelectedGraph() {
  const int row = List1->currentRow();
  if (row < 0) {
    return;
  }
  DeleteGraph(row + 1);
}

// --- file commands ---

void frmF1::newDocument() {
  if (!document_.New()) {
    return;
  }
  navigation_.ClearModes();
  graphsChanged(-1);
}

void frmF1::openFile() {
  navigation_.ClearModes();
  if (document_.Open() == OpenResult::Opened) {
    graphsChanged(-1);
  }
}

void frmF1::saveFile() {
  document_.Save();
}

void frmF1::saveFileAs() {
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

void frmF1::printView() {
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

QImage frmF1::captureDrawing() {
  if (!HasDrawing()) {
    return QImage();
  }
  // The frame is drawn again into the picture, so windows over the drawing
  // area do not matter; the area takes the focus as the commands' target.
  picDraw->setFocus();
  return OpaquePicture(drawing_->grabFramebuffer());
}

void frmF1::exitProgram() {
  close();
}

void frmF1::closeEvent(QCloseEvent* event) {
  // A save the user asked for that did not happen keeps the window open, so
  // that no graph is lost to a cancelled dialog or a failed write.
  if (!document_.ConfirmClose()) {
    event->ignore();
    return;
  }
  event->accept();
}

// --- clipboard ---

std::optional<std::size_t> frmF1::selectedEntry() const {
  const int row = List1->currentRow();
  if (row < 0) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(row);
}

void frmF1::putOnClipboard(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void frmF1::cutGraph() {
  if (const std::optional<std::string> text = clipboard_.Cut(selectedEntry())) {
    putOnClipboard(*text);
    graphsChanged(-1);
  }
}

void frmF1::copyGraph() {
  if (const std::optional<std::string> text = clipboard_.Copy(selectedEntry())) {
    putOnClipboard(*text);
  }
}

void frmF1::copyAsBitmap() {
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

void frmF1::pasteGraphs() {
  if (clipboard_.ClipGraphCount() <= 0) {
    return;
  }
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  if (clipboard_.Paste(text, selectedEntry()).pasted > 0) {
    graphsChanged(List1->currentRow());
  }
}

void frmF1::cutAllGraphs() {
  if (const std::optional<std::string> text = clipboard_.CutAll()) {
    putOnClipboard(*text);
    graphsChanged(-1);
  }
}

void frmF1::copyAllGraphs() {
  if (const std::optional<std::string> text = clipboard_.CopyAll()) {
    putOnClipboard(*text);
  }
}

// --- the Properties dialog ---

void frmF1::drawCartesian() {
  drawNewGraph(0);
}

void frmF1::drawPolar() {
  drawNewGraph(1);
}

void frmF1::drawNewGraph(int coordinateIndex) {
  editMode_ = false;
  const std::int32_t countBefore = document_.ListScene().Graphs().Count();
  frmF5 dialog(document_, dialogs_, this);
  dialog.PresetNew(coordinateIndex);
  dialogs_.ShowModal(dialog);
  activateWindow();
  if (document_.AppendNewGraphEntry(countBefore)) {
    graphsChanged(List1->currentRow());
  }
}

void frmF1::editGraph() {
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
  const std::int32_t ID = document_.ListScene().Graphs().Item(position)->ID();
  std::shared_ptr<Cls9> graph;
  for (const GraphCollection::Entry& entry : document_.ShowScene().Graphs()) {
    if (entry.second->ID() == ID) {
      graph = entry.second;
      break;
    }
  }
  if (graph == nullptr) {
    return;
  }
  if (!frmF5::CanEdit(*graph, document_.Values().DocType)) {
    Report("Note",
           "The Properties dialog edits only the functions y=f(x), x=f1(u),y=f2(u), r=f(a) "
           "and a=f1(u),r=f2(u).",
           MessageIcon::Exclamation);
    return;
  }
  editMode_ = true;
  frmF5 dialog(document_, dialogs_, this);
  dialog.PresetEdit(*graph, position);
  const bool accepted = dialogs_.ShowModal(dialog) == QDialog::Accepted;
  activateWindow();
  if (accepted) {
    editMode_ = false;
    graphsChanged(row);
  }
}

// --- view ---

void frmF1::enterMoveMode() {
  navigation_.EnterMoveMode();
}

void frmF1::enterZoomMode() {
  navigation_.EnterZoomMode();
}

void frmF1::zoomToFit() {
  Cls8& scene = document_.ShowScene();
  if (scene.Graphs().Empty()) {
    return;
  }
  const Cls1 box = scene.GetBox(0);
  mainView_.ZoomAll(box.MinX(), box.MinY(), box.MinZ(), box.MaxX(), box.MaxY(), box.MaxZ());
  mainView_.Zoom(2.0f);
  Display();
}

void frmF1::showViewSettings() {
  frmF14 dialog(mainView_, document_.Values(), dialogs_, this);
  dialogs_.ShowModal(dialog);
}

void frmF1::showAxisProperties() {
  frmF20 dialog(document_.MainAxis(), dialogs_, this);
  axisDialogOK_ = dialogs_.ShowModal(dialog) == QDialog::Accepted;
  if (axisDialogOK_) {
    RebuildLists();
    Display();
    axisDialogOK_ = false;
  }
}

void frmF1::drawAreaButtonDown(QPointF position) {
  navigation_.LeftButtonDown(static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void frmF1::drawAreaMoved(QPointF position) {
  if (navigation_.LeftButtonMove(static_cast<float>(position.x()), static_cast<float>(position.y()),
                                 picDraw->width(), picDraw->height(), mainView_)) {
    Display();
  }
}

void frmF1::blankAreaMouse(QEvent* event) {
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

void frmF1::drawAreaRightButton(QPoint globalPosition) {
  graphEditMenu_->popup(globalPosition);
}

// --- help ---

void frmF1::showHelp() {
  dialogs_.OpenUrl(QUrl::fromLocalFile(helpFilePath_));
}

void frmF1::showHomepage() {
  dialogs_.OpenUrl(QUrl(QString::fromLatin1(kHomePage)));
}

void frmF1::showAbout() {
  frmF2 dialog(dialogs_, this);
  dialogs_.ShowModal(dialog);
}

}  // namespace quillon
