// Keyboard focus across page changes: a page change hides the field that holds
// the focus, and no text ends up selected that the user did not select; the
// Tab key still moves the focus as Qt does.
#include "ProgramQtFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <optional>
#include <string>
#include <vector>

namespace pqt {
namespace {

using namespace loom;

// The main window on the page reached by the "OK" buttons, active, as the user sees it.
WindowObject* mainWindowOnPage(int page) {
    loom::testing::advanceClock(3700);
    WindowObject* main = registered("Window2.Window2");
    EXPECT_NE(main, nullptr);
    if (!main) return nullptr;
    loom::testing::answerOpenFileDialog(std::nullopt);
    const char* const oks[] = {"BevelButton1", "BevelButton3", "BevelButton4"};
    for (int i = 0; i + 1 < page; ++i) click(widgetNamed(main, oks[i]));
    QWidget* view = widgetOf(main);
    view->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(view));
    return main;
}

// Every text the window's visible fields show selected, as "name: text".
std::vector<std::string> selections(WindowObject* main) {
    std::vector<std::string> out;
    for (const NamedControl& c : main->controls) {
        QLineEdit* edit = widgetOf<QLineEdit>(c.control.get());
        if (auto* combo = widgetOf<QComboBox>(c.control.get())) edit = combo->lineEdit();
        if (edit && edit->isVisible() && edit->hasSelectedText())
            out.push_back(std::string(view(c.name)) + ": " + edit->selectedText().toStdString());
    }
    return out;
}

QLineEdit* editOf(WindowObject* main, const char* name) {
    if (auto* combo = widgetNamed<QComboBox>(main, name)) return combo->lineEdit();
    return widgetNamed<QLineEdit>(main, name);
}

struct FocusCase {
    const char* name;
    int page;                // where the user types
    const char* field;       // what the user types into
    const char* text;        // what is typed
    const char* go[3];       // the buttons then pressed, in order
    const char* shownAgain;  // a field with text on the page reached, if any
};
void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.name; }

class PageChangeFocus : public ProgramQt, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(PageChangeFocus, SelectsNoTextAndLeavesTheFocusWithTheWindow) {
    const FocusCase& c = GetParam();
    runProgram([&] {
        WindowObject* main = mainWindowOnPage(c.page);
        ASSERT_NE(main, nullptr);
        QWidget* mainView = widgetOf(main);
        QLineEdit* typed = editOf(main, c.field);
        ASSERT_NE(typed, nullptr);
        typeInto(typed, c.text);
        ASSERT_TRUE(typed->hasFocus());
        ASSERT_EQ(selections(main), std::vector<std::string>{});
        const QString typedText = typed->text();

        for (const char* button : c.go) {
            if (!button) break;
            SCOPED_TRACE(button);
            click(widgetNamed(main, button));
            EXPECT_EQ(selections(main), std::vector<std::string>{});
            EXPECT_EQ(QApplication::activeWindow(), mainView);
            EXPECT_EQ(QApplication::focusWidget(), nullptr);
        }
        if (c.shownAgain) {
            QLineEdit* again = editOf(main, c.shownAgain);
            ASSERT_NE(again, nullptr);
            ASSERT_TRUE(again->isVisible());
            EXPECT_FALSE(again->text().isEmpty());
            EXPECT_FALSE(again->hasSelectedText());
        }

        // The next key goes to no field until the user picks one: nothing is replaced unseen.
        QTest::keyClick(mainView->windowHandle(), '9');
        loom::testing::processEvents();
        EXPECT_EQ(typed->text(), typedText);
        EXPECT_EQ(selections(main), std::vector<std::string>{});
    });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageChangeFocus,
    ::testing::Values(
        FocusCase{"FirstFieldBackAndOk", 3, "TextField1", "4711", {"BevelButton13", "BevelButton3"}, "TextField1"},
        FocusCase{"LastFieldBackAndOk", 3, "TextField6", "12", {"BevelButton13", "BevelButton3"}, "TextField6"},
        FocusCase{"FieldOnToTheLastPage", 3, "TextField3", "8", {"BevelButton4"}, nullptr},
        FocusCase{"ComboOkAndBack", 2, "ComboBox1", " 2", {"BevelButton3", "BevelButton13"}, "ComboBox1"},
        FocusCase{"ComboBackAndOk", 2, "ComboBox1", "x", {"BevelButton12", "BevelButton1"}, "ComboBox1"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(ProgramQt, TabStillMovesTheFocusAsQtDoes) {
    runProgram([&] {
        WindowObject* main = mainWindowOnPage(3);
        ASSERT_NE(main, nullptr);
        QWidget* mainView = widgetOf(main);
        auto* first = widgetNamed<QLineEdit>(main, "TextField1");
        auto* second = widgetNamed<QLineEdit>(main, "TextField2");
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        typeInto(second, "55");
        typeInto(first, "4711");
        click(widgetNamed(main, "BevelButton13"));  // BACK
        click(widgetNamed(main, "BevelButton3"));   // OK
        ASSERT_EQ(QApplication::focusWidget(), nullptr);

        // From the window, Tab goes to the first field of the page; Tab into a
        // field selects its text, the user's own choice of field.
        QTest::keyClick(mainView->windowHandle(), Qt::Key_Tab);
        EXPECT_TRUE(first->hasFocus());
        EXPECT_EQ(first->selectedText(), "4711");
        QTest::keyClick(mainView->windowHandle(), Qt::Key_Tab);
        EXPECT_TRUE(second->hasFocus());
        EXPECT_EQ(second->selectedText(), "55");
        EXPECT_FALSE(first->hasSelectedText());
    });
}

}  // namespace
}  // namespace pqt
