// The answers a test gives in place of a person, and a shown main window
// worked as a user does, with what its drawing area shows.
#pragma once

#include <gtest/gtest.h>

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "ui/color_box.h"
#include "ui/draw_area.h"
#include "ui/main_window.h"
#include "ui/window_dialogs.h"

namespace quillon::testing {

using Lines = std::vector<std::string>;

inline constexpr std::int32_t kRed = 0x0000FF;
inline constexpr std::int32_t kGreen = 0x00FF00;
inline const QColor kRedPixel(255, 0, 0);

// The front of an answer queue; a failure and none when it is empty.
template <typename T>
T Next(std::deque<T>& queue, const std::string& what, T none) {
  if (queue.empty()) {
    ADD_FAILURE() << "unexpected " << what;
    return none;
  }
  T next = std::move(queue.front());
  queue.pop_front();
  return next;
}

inline std::string Told(const std::string& title, const std::string& text, MessageIcon icon) {
  const char* const marks[] = {"(x) ", "(!) ", "(i) ", "(?) "};
  return marks[static_cast<int>(icon)] + title + ": " + text;
}

// Messages and questions are recorded as "(icon) Title: text" (questions
// with their buttons); answers, file names, colours, dialog scripts and
// printer choices (a PDF file or cancel) come from queues. A dialog its
// script leaves open is rejected. Long work runs as in the program, unless
// longWork takes it.
class ScriptedDialogs : public WindowDialogs {
 public:
  Lines reports, questions;
  std::vector<QUrl> openedUrls;
  bool urlsOpen = true;
  std::deque<Answer> answers;
  std::deque<std::optional<FileChoice>> fileChoices;
  std::deque<std::optional<std::int32_t>> colors;
  std::deque<std::function<void(QDialog&)>> scripts;
  std::deque<std::optional<std::string>> printFiles;
  std::function<bool(const std::string& label, const std::function<void()>& work)> longWork;

  void Report(const std::string& title, const std::string& text, MessageIcon icon) override {
    reports.push_back(Told(title, text, icon));
  }
  Answer Ask(const std::string& title, const std::string& text, MessageIcon icon,
             QuestionButtons buttons) override {
    const bool withCancel = buttons == QuestionButtons::YesNoCancel;
    questions.push_back(Told(title, text, icon) + (withCancel ? " [Yes No Cancel]" : " [Yes No]"));
    return Next(answers, "question " + text, withCancel ? Answer::Cancel : Answer::No);
  }
  std::optional<FileChoice> AskFileName(FileDialogMode, const std::string& title,
                                        const std::string&) override {
    return Next(fileChoices, "file dialog " + title, std::optional<FileChoice>());
  }
  std::optional<std::int32_t> ChooseColor(std::int32_t, QWidget*) override {
    return Next(colors, "colour dialog", std::optional<std::int32_t>());
  }
  int ShowModal(QDialog& dialog) override {
    if (const auto script = Next(scripts, "dialog " + dialog.objectName().toStdString(), {})) {
      dialog.show();
      QCoreApplication::processEvents();
      script(dialog);
    }
    if (dialog.isVisible()) {
      dialog.reject();
    }
    return dialog.result();
  }
  // Addresses are taken unless urlsOpen is false.
  bool OpenUrl(const QUrl& url) override {
    openedUrls.push_back(url);
    return urlsOpen;
  }
  bool RunLongWork(const std::string& label, const std::function<void()>& work) override {
    return longWork ? longWork(label, work) : WindowDialogs::RunLongWork(label, work);
  }
  bool AskPrinter(QPrinter& printer) override {
    const auto file = Next(printFiles, "print dialog", std::optional<std::string>());
    if (file) {  // what "Print to File (PDF)" sets
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(*file));
    }
    return file.has_value();
  }
};

// What a user types into the Properties dialog; the width is always 3. A
// second text given to an explicit form stays in its hidden box.
struct FunctionInput {
  int coordinate = 0, form = 0;  // 0: Cartesian, explicit; 1: polar, parametric
  std::string first = "", second = "", min = "-10", max = "10", steps = "100";
  std::optional<std::int32_t> color = std::nullopt;  // chosen through the colour box
  std::string name = "Untitled";
  bool showCurve = true;  // the show-graph check
};

inline const FunctionInput kRedLine{0, 0, "x", "", "-10", "10", "100", kRed};

// The control of this object name and type; a failure when missing.
template <typename Widget>
Widget* Find(QWidget& parent, const char* name) {
  auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// The texts the controls named (blank-separated) show, joined by "|": a
// box's or label's text, a list's current item; "[x]" or "[ ]" after a
// check box; "~" for a hidden control.
inline std::string Texts(QWidget& parent, const std::string& names) {
  std::istringstream list(names);
  std::string result;
  for (std::string name; list >> name;) {
    QWidget* widget = Find<QWidget>(parent, name.c_str());
    if (widget == nullptr || widget->isHidden()) {
      result += widget == nullptr ? "?|" : "~|";
      continue;
    }
    const bool combo = qobject_cast<QComboBox*>(widget) != nullptr;
    result += widget->property(combo ? "currentText" : "text").toString().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable()) {
      result += button->isChecked() ? "[x]" : "[ ]";
    }
    result += "|";
  }
  return result.substr(0, result.size() - 1);
}

// Chooses a list item as the keyboard does, so the dialog's handler runs.
inline void ChooseComboItem(QComboBox* combo, int index) {
  QTest::keyClick(combo, Qt::Key_Home);
  for (int i = 0; i < index; ++i) {
    QTest::keyClick(combo, Qt::Key_Down);
  }
  ASSERT_EQ(combo->currentIndex(), index);
}

inline void ClickButton(QWidget& parent, const char* name) {
  QTest::mouseClick(Find<QAbstractButton>(parent, name), Qt::LeftButton);
}

inline void SetText(QWidget& parent, const char* name, const std::string& text) {
  Find<QLineEdit>(parent, name)->setText(QString::fromStdString(text));
}

// Fills in a dialog's box and presses OK.
inline std::function<void(QDialog&)> TypeAndConfirm(const char* box, const std::string& text) {
  return [box, text](QDialog& dialog) {
    SetText(dialog, box, text);
    ClickButton(dialog, "okButton");
  };
}

// Fills a shown Properties dialog with the input and presses OK.
inline void FillAndConfirm(QDialog& dialog, const FunctionInput& input) {
  ChooseComboItem(Find<QComboBox>(dialog, "coordinateCombo"), input.coordinate);
  ChooseComboItem(Find<QComboBox>(dialog, "formCombo"), input.form);
  for (const auto& [name, text] : {std::pair{"nameEdit", input.name},
                                   {"firstFunctionEdit", input.first},
                                   {"secondFunctionEdit", input.second},
                                   {"fromEdit", input.min},
                                   {"toEdit", input.max},
                                   {"stepsEdit", input.steps}}) {
    SetText(dialog, name, text);
  }
  // The boxes are checked whichever tab is in front.
  Find<QTabWidget>(dialog, "tabs")->setCurrentIndex(1);
  ChooseComboItem(Find<QComboBox>(dialog, "widthCombo"), 2);
  Find<QCheckBox>(dialog, "showGraphCheck")->setChecked(input.showCurve);
  if (input.color) {
    QTest::mouseClick(Find<ColorBox>(dialog, "colorBox"), Qt::LeftButton);
  }
  ClickButton(dialog, "okButton");
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Pixels within tolerance of the colour in each channel.
inline std::int64_t CountNear(const QImage& image, const QColor& color, int tolerance = 60) {
  std::int64_t count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      count += std::abs(pixel.red() - color.red()) <= tolerance &&
               std::abs(pixel.green() - color.green()) <= tolerance &&
               std::abs(pixel.blue() - color.blue()) <= tolerance;
    }
  }
  return count;
}

inline std::int64_t CountNonWhite(const QImage& image) {
  return image.width() * image.height() - CountNear(image, Qt::white, 0);
}

inline void Send(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
                 Qt::MouseButtons buttons) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// A drag in two equal steps.
inline void Drag(QWidget* widget, QPointF from, QPointF to,
                 Qt::MouseButton button = Qt::LeftButton) {
  Send(widget, QEvent::MouseButtonPress, from, button, button);
  Send(widget, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
  Send(widget, QEvent::MouseMove, to, Qt::NoButton, button);
  Send(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

class WindowTest : public ::testing::Test {
 protected:
  // Destroyed without closing: the close question belongs to its own tests.
  void TearDown() override {
    window_.reset();
    EXPECT_TRUE(dialogs.answers.empty() && dialogs.scripts.empty() && dialogs.fileChoices.empty() &&
                dialogs.colors.empty() && dialogs.printFiles.empty())
        << "scripted answers left unused";
  }

  // Builds, shows and loads the window with this command line; the drawing
  // area must have its OpenGL context unless withoutDrawing.
  void Start(const std::string& commandLine, bool withoutDrawing = false) {
    window_ = std::make_unique<MainWindow>(dialogs);
    window_->resize(900, 640);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->Load(commandLine);
    ASSERT_TRUE(withoutDrawing || window_->HasDrawing()) << "the drawing area has no OpenGL";
  }

  // An empty window with these graphs drawn through the dialog.
  void StartWith(std::initializer_list<FunctionInput> graphs) {
    Start("");
    for (const FunctionInput& graph : graphs) {
      AddFunction(graph);
    }
  }

  MainWindow& Window() { return *window_; }
  QListWidget& List() { return *Find<QListWidget>(*window_, "graphList"); }
  // The entries as "[x] text" (checked) or "[ ] text".
  Lines Entries() {
    Lines entries;
    for (int row = 0; row < List().count(); ++row) {
      const QListWidgetItem* item = List().item(row);
      entries.push_back((item->checkState() == Qt::Checked ? "[x] " : "[ ] ") +
                        item->text().toStdString());
    }
    return entries;
  }
  // The drawing area, with or without OpenGL.
  QWidget& Drawing() { return *Find<QWidget>(*window_, "drawArea"); }
  QSize DrawingPixels() { return Drawing().size() * Drawing().devicePixelRatio(); }
  const Graph& ListedGraph(std::int32_t position) {
    return *window_->Document().ListScene().Graphs().Item(position);
  }
  // Runs the window's command of this action name, with this list row current.
  void Trigger(const char* name, std::optional<int> row = std::nullopt) {
    if (row) {
      List().setCurrentRow(*row);
    }
    auto* action = window_->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  // A command run with its dialog worked by the script.
  void TriggerDialog(const char* name, std::function<void(QDialog&)> script) {
    dialogs.scripts.push_back(std::move(script));
    Trigger(name);
  }
  std::string Title() {
    return Window().windowTitle().toStdString() + (Window().isWindowModified() ? " *" : "");
  }
  // A fresh frame of the drawing area.
  QImage Frame() { return qobject_cast<DrawArea*>(&Drawing())->FinalFrame(); }
  // Draw Cartesian or Polar, the dialog filled in and confirmed.
  void AddFunction(const FunctionInput& input) {
    dialogs.scripts.push_back([input](QDialog& dialog) { FillAndConfirm(dialog, input); });
    if (input.color) {
      dialogs.colors.push_back(*input.color);
    }
    Trigger(input.coordinate == 1 ? "drawPolarAction" : "drawCartesianAction");
  }
  // Clicks an entry's check box as the user does.
  void ClickCheckBox(int row) {
    QListWidget& list = List();
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.rect = list.visualItemRect(list.item(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect box =
        list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
  }

  ScriptedDialogs dialogs;

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace quillon::testing
