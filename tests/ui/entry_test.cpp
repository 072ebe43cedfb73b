// Entering, editing and looking at graphs as people expect to: what the
// Properties dialog offers and marks, editing from the list, the mouse
// buttons and the wheel in every mode, the modes shown, new graphs brought
// into view, the help window and web addresses.
#include <QTextBrowser>

#include "scene/camera.h"
#include "scene/view_fit.h"
#include "ui/graph_dialog.h"
#include "ui/help_window.h"
#include "ui/window_texts.h"
#include "window_test_support.h"

namespace quillon::testing {
namespace {

using EntryWindow = WindowTest;

// The world point (x, y) under a pixel of a drawing area of this size.
QPointF WorldAt(const Camera& view, QPointF pixel, QSizeF area) {
  return {view.RefPos().x + (pixel.x() / area.width() - 0.5) * view.VolWidth(),
          view.RefPos().y + (0.5 - pixel.y() / area.height()) * view.VolHeight()};
}

// Where the view is and how large.
struct Position {
  double x, y, width, height;
};

void Wheel(QWidget* area, QPointF at, int eighthsOfDegree, Qt::KeyboardModifiers modifiers) {
  QWheelEvent event(at, area->mapToGlobal(at), QPoint(), QPoint(0, eighthsOfDegree), Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(area, &event);
}

std::string DomainTexts(QDialog& dialog) {
  return Texts(dialog, "fromEdit toEdit stepsEdit");
}

// A new graph's boxes start from the fixed defaults of its parameter, then
// from the last graph made; its colour is the first of the palette that no
// shown graph uses; the cursor starts in the function box.
TEST_F(EntryWindow, NewGraphDialogOffersTheLastDomainAndAFreeColour) {
  Start("");
  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, "firstFunctionEdit"));
    EXPECT_EQ(DomainTexts(dialog), "-10|10|100");
    EXPECT_EQ(Find<ColorBox>(dialog, "colorBox")->Color(), GraphDialog::kPalette[0]);
    ChooseComboItem(Find<QComboBox>(dialog, "coordinateCombo"), 1);
    EXPECT_EQ(DomainTexts(dialog), "0|6.2832|100");
    ChooseComboItem(Find<QComboBox>(dialog, "coordinateCombo"), 0);
    EXPECT_EQ(DomainTexts(dialog), "-10|10|100");
    SetText(dialog, "firstFunctionEdit", "x/2");
    SetText(dialog, "fromEdit", "-3");
    SetText(dialog, "stepsEdit", "50");
    // Typed boxes stay as typed when the form changes.
    ChooseComboItem(Find<QComboBox>(dialog, "formCombo"), 1);
    ChooseComboItem(Find<QComboBox>(dialog, "formCombo"), 0);
    EXPECT_EQ(DomainTexts(dialog), "-3|10|50");
    ClickButton(dialog, "okButton");
  });
  Trigger("drawCartesianAction");
  ASSERT_EQ(List().count(), 1);

  // The next Cartesian graph starts from the last one, the polar angle from
  // its own defaults; both take the second colour.
  for (const auto& [action, domain] :
       {std::pair{"drawCartesianAction", "-3|10|50"}, {"drawPolarAction", "0|6.2832|100"}}) {
    SCOPED_TRACE(action);
    dialogs.scripts.push_back([domain = domain](QDialog& dialog) {
      EXPECT_EQ(DomainTexts(dialog), domain);
      EXPECT_EQ(Find<ColorBox>(dialog, "colorBox")->Color(), GraphDialog::kPalette[1]);
    });
    Trigger(action);
  }
  // A hidden graph's colour is free again.
  ClickCheckBox(0);
  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(Find<ColorBox>(dialog, "colorBox")->Color(), GraphDialog::kPalette[0]);
  });
  Trigger("drawCartesianAction");
}

// The message is the compiler's; the box of the faulty text gets the focus
// with the character (or name) selected, and the dialog stays open.
TEST_F(EntryWindow, SyntaxFaultIsSelectedInItsBox) {
  struct Case {
    int form;
    const char *first, *second, *box, *selected;
    int cursor;
    const char* message;
  };
  const Case cases[] = {
      {0, "x+sqrtt(x)", "", "firstFunctionEdit", "sqrtt", 7,
       "Character 2:  Undefined symbol : 'sqrtt'"},
      // Blanks go before compiling: "2 pi" is "2pi".
      {0, "2 pi", "", "firstFunctionEdit", "pi", 3, "Character 1:  Operator expected"},
      {0, "x)", "", "firstFunctionEdit", ")", 2,
       "Character 0:  Closing parenthesis without matching open parenthesis"},
      {1, "cos(u)", "sin(u", "secondFunctionEdit", "", 5,
       "Character 5:  Closing parenthesis expected"},
  };
  Start("");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first + std::string(" ") + c.second);
    dialogs.reports.clear();
    dialogs.scripts.push_back([&c](QDialog& dialog) {
      ChooseComboItem(Find<QComboBox>(dialog, "formCombo"), c.form);
      SetText(dialog, "firstFunctionEdit", c.first);
      SetText(dialog, "secondFunctionEdit", c.second);
      Find<QTabWidget>(dialog, "tabs")->setCurrentIndex(1);
      ClickButton(dialog, "okButton");
      EXPECT_TRUE(dialog.isVisible());
      auto* box = Find<QLineEdit>(dialog, c.box);
      EXPECT_EQ(Find<QTabWidget>(dialog, "tabs")->currentIndex(), 0);
      EXPECT_EQ(dialog.focusWidget(), box);
      EXPECT_EQ(box->selectedText().toStdString(), c.selected);
      EXPECT_EQ(box->cursorPosition(), c.cursor);
    });
    Trigger("drawCartesianAction");
    EXPECT_EQ(dialogs.reports, Lines{"(x) Syntax Error: " + std::string(c.message)});
    EXPECT_EQ(List().count(), 0);
  }
}

// Double-click edits the entry under the pointer; the list shows the name
// beside the entry and the whole of it as a tool tip.
TEST_F(EntryWindow, DoubleClickEditsAndTheListShowsNames) {
  Start("");
  AddFunction({0, 0, "x", "", "-1", "1", "10", std::nullopt, "line"});
  AddFunction({0, 0, "x", "", "-1", "1", "10", std::nullopt, "a much longer name"});
  AddFunction({0, 0, "x^2", "", "-1", "1", "10"});
  EXPECT_EQ(List().item(0)->toolTip().toStdString(), "2D Curve  y=x   \xE2\x80\x94 line");
  EXPECT_EQ(List().item(2)->toolTip().toStdString(), "2D Curve  y=x^2");
  QStyleOptionViewItem option;
  option.initFrom(&List());
  const auto width = [&](int row) {
    return List().itemDelegate()->sizeHint(option, List().model()->index(row, 0)).width();
  };
  EXPECT_GT(width(1), width(0));

  ClickCheckBox(2);
  dialogs.scripts.push_back([](QDialog& dialog) {
    EXPECT_EQ(Texts(dialog, "nameEdit firstFunctionEdit"), "Untitled|x^2");
    SetText(dialog, "firstFunctionEdit", "x^3");
    ClickButton(dialog, "okButton");
  });
  QTest::mouseDClick(List().viewport(), Qt::LeftButton, Qt::NoModifier,
                     List().visualItemRect(List().item(2)).center());
  EXPECT_EQ(Entries().back(), "[ ] 2D Curve  y=x^3");
  EXPECT_TRUE(dialogs.reports.empty());
}

// In every mode the wheel zooms about the pointer (Ctrl: finer) and the
// middle button pans; the left button pans in Move mode and zooms in Zoom
// mode. The mode is shown by the checked item and button and by the cursor.
// The right button opens the pop-up menus.
TEST_F(EntryWindow, MouseButtonsAndWheelWorkByTheModeWhichIsShown) {
  StartWith({kRedLine});
  QWidget* area = &Drawing();
  const QSizeF size = area->size();
  const QPointF pointer(size.width() * 0.8, size.height() * 0.3);
  QAction* moveButton = nullptr;
  for (QAction* button : Find<QToolBar>(Window(), "toolBar")->actions()) {
    if (button->toolTip() == texts::kMove.toolTip) {
      moveButton = button;
    }
  }
  ASSERT_NE(moveButton, nullptr);
  const std::tuple<const char*, bool, bool, Qt::CursorShape> modes[] = {
      {"", false, false, Qt::ArrowCursor},
      {"viewMoveAction", true, false, Qt::OpenHandCursor},
      {"viewZoomAction", false, true, Qt::SizeVerCursor}};
  for (const auto& [action, move, zoom, cursor] : modes) {
    SCOPED_TRACE(action);
    if (*action != '\0') {
      Trigger(action);
    }
    EXPECT_EQ(Find<QAction>(Window(), "viewMoveAction")->isChecked(), move);
    EXPECT_EQ(Find<QAction>(Window(), "viewZoomAction")->isChecked(), zoom);
    EXPECT_EQ(moveButton->isChecked(), move);
    EXPECT_EQ(area->cursor().shape(), cursor);

    const Camera& view = Window().MainView();
    for (const auto& [eighths, modifiers, factor] :
         {std::tuple{120, Qt::KeyboardModifiers(), 1 / 1.25},
          {-240, Qt::NoModifier, 1.25 * 1.25},
          {120, Qt::ControlModifier, 1 / 1.05}}) {
      const QPointF world = WorldAt(view, pointer, size);
      const double height = view.VolHeight();
      Wheel(area, pointer, eighths, modifiers);
      EXPECT_NEAR(view.VolHeight(), height * factor, 1e-3);
      const QPointF after = WorldAt(view, pointer, size);
      EXPECT_NEAR(after.x(), world.x(), 1e-3);
      EXPECT_NEAR(after.y(), world.y(), 1e-3);
    }

    // Dragged by half the width to the left and a tenth of the height up,
    // the graphs follow the pointer.
    const double x = view.RefPos().x;
    const double y = view.RefPos().y;
    const QPointF from(size.width() * 0.75, size.height() / 2);
    const QPointF to(size.width() * 0.25, size.height() * 0.4);
    Send(area, QEvent::MouseButtonPress, from, Qt::MiddleButton, Qt::MiddleButton);
    EXPECT_EQ(area->cursor().shape(), Qt::ClosedHandCursor);
    Send(area, QEvent::MouseMove, to, Qt::NoButton, Qt::MiddleButton);
    Send(area, QEvent::MouseButtonRelease, to, Qt::MiddleButton, Qt::NoButton);
    EXPECT_NEAR(view.RefPos().x, x + 0.5 * view.VolWidth(), 1e-3);
    EXPECT_NEAR(view.RefPos().y, y - 0.1 * view.VolHeight(), 1e-3);
    EXPECT_EQ(area->cursor().shape(), cursor);

    // The same drag with the left button, in two steps: up by a twentieth
    // of the height twice zooms 5 % each time. With the right button it
    // opens the drawing area's menu and moves nothing.
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
      const bool left = button == Qt::LeftButton;
      const Position start{view.RefPos().x, view.RefPos().y, view.VolWidth(), view.VolHeight()};
      Drag(area, from, to, button);
      EXPECT_NEAR(view.RefPos().x, start.x + (left && move ? 0.5 * start.width : 0), 1e-3);
      EXPECT_NEAR(view.RefPos().y, start.y - (left && move ? 0.1 * start.height : 0), 1e-3);
      EXPECT_NEAR(view.VolHeight(), left && zoom ? 0.95 * 0.95 * start.height : start.height, 1e-3);
      auto* menu = Find<QMenu>(Window(), "drawAreaMenu");
      EXPECT_EQ(menu->isVisible(), !left);
      menu->close();
    }
    if (zoom) {
      EXPECT_NEAR(Window().Navigation().ZoomFactor(), 0.95, 1e-5);
    }
  }
  QTest::mouseClick(List().viewport(), Qt::RightButton, Qt::NoModifier,
                    List().visualItemRect(List().item(0)).center());
  auto* menu = Find<QMenu>(Window(), "graphListMenu");
  EXPECT_TRUE(menu->isVisible());
  menu->close();
  // Zoom In and Zoom Out scale about the centre.
  const float height = Window().MainView().VolHeight();
  Trigger("viewZoomInAction");
  EXPECT_NEAR(Window().MainView().VolHeight(), height / 1.25f, 1e-3);
  Trigger("viewZoomOutAction");
  EXPECT_NEAR(Window().MainView().VolHeight(), height, 1e-3);
}

// A new graph with no point in the view brings the view to the graphs; one
// partly in view leaves the view alone.
TEST_F(EntryWindow, NewGraphOutsideTheViewIsBroughtIntoView) {
  const std::tuple<FunctionInput, bool> cases[] = {
      {{0, 0, "x", "", "10", "200", "20"}, false},
      {{1, 0, "2", "", "0", "6.2832", "20"}, false},
      // Within the view interval (-50..50), where the points have values.
      {{0, 0, "x+40", "", "-5", "5", "20"}, true}};
  Start("");
  std::int32_t added = 0;
  for (const auto& [input, moves] : cases) {
    SCOPED_TRACE(input.first);
    const float height = Window().MainView().VolHeight();
    AddFunction(input);
    ASSERT_EQ(List().count(), ++added);
    EXPECT_EQ(Window().MainView().VolHeight() != height, moves);
    EXPECT_TRUE(CurveMeetsRegion(ListedGraph(added), VisibleRegion(Window().MainView())));
  }
}

// Help, Content shows the page in a window of Quillon's; links within it are
// followed there. Web addresses, of the page, Homepage and the About box, go
// to the desktop, which may fail: then the user is told.
TEST_F(EntryWindow, HelpOpensInItsOwnWindowAndAddressesOnTheDesktop) {
  Start("");
  Trigger("helpContentsAction");
  ASSERT_NE(Window().Help(), nullptr);
  EXPECT_TRUE(Window().Help()->isVisible());
  auto* browser = Find<QTextBrowser>(*Window().Help(), "helpBrowser");
  EXPECT_EQ(browser->documentTitle(), texts::kHelpTitle);
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("2^3^2")));
  emit browser->anchorClicked(QUrl(QStringLiteral("#language")));
  EXPECT_EQ(browser->source().fileName(), QStringLiteral("help.html"));
  EXPECT_EQ(browser->source().fragment(), QStringLiteral("language"));
  EXPECT_TRUE(dialogs.openedUrls.empty());
  EXPECT_FALSE(Window().Help()->Open(QStringLiteral("/no/such/help.html")));

  const QUrl home(texts::kHomePage);
  for (const bool opens : {true, false}) {
    SCOPED_TRACE(opens);
    dialogs.urlsOpen = opens;
    dialogs.openedUrls.clear();
    emit browser->anchorClicked(home);
    Trigger("helpHomepageAction");
    TriggerDialog("helpAboutAction", [](QDialog& dialog) {
      QTest::mouseClick(Find<QLabel>(dialog, "homePageLabel"), Qt::LeftButton);
      ClickButton(dialog, "okButton");
      EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(dialogs.openedUrls, std::vector<QUrl>(3, home));
  }
  EXPECT_EQ(dialogs.reports, Lines(3, "(!) Error: " + texts::AddressNotOpened(texts::kHomePage)));
}

}  // namespace
}  // namespace quillon::testing
