// The splash hand-over, the main window's widgets, and the wizard walked with
// real clicks and typing, as Qt shows them.
#include "ProgramQtFixture.h"

#include "loom/Testing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pqt {
namespace {

using namespace loom;
using Names = std::vector<std::string>;

// ---- Splash -------------------------------------------------------------------------------

TEST_F(ProgramQt, SplashShowsItsPictureThenHandsOverToTheFirstPage) {
    const int status = runProgram([&] {
        WindowObject* splash = registered("Window1.Window1");
        ASSERT_NE(splash, nullptr);
        QWidget* splashView = widgetOf(splash);
        ASSERT_NE(splashView, nullptr);
        EXPECT_EQ(visibleWindows(), Names{});  // built hidden; Open has armed the timers

        loom::testing::advanceClock(1);
        EXPECT_EQ(visibleWindows(), Names{"Window1.Window1"});
        EXPECT_EQ(splashView->size(), QSize(440, 147));
        EXPECT_EQ(pixelsDifferingFrom(splashView, bundlePicture("li.jpg"), {}), 0);

        loom::testing::advanceClock(3698);  // 1 ms before the hand-over
        EXPECT_EQ(visibleWindows(), Names{"Window1.Window1"});
        EXPECT_EQ(registered("Window2.Window2"), nullptr);

        loom::testing::advanceClock(1);
        EXPECT_EQ(visibleWindows(), Names{"Window2.Window2"});
        EXPECT_TRUE(splashView->isHidden());
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        QWidget* mainView = widgetOf(main);
        EXPECT_EQ(mainView->size(), QSize(619, 461));
        // Page1: of the buttons, boxes and fields only "OK"; the hot spots are transparent.
        EXPECT_EQ(visibleControls(main), (Names{"BevelButton1", "Label1", "Label2", "Label3", "Label4"}));
        auto* ok = widgetNamed<QPushButton>(main, "BevelButton1");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_EQ(opaqueControlRects(main), std::vector<QRect>{QRect(531, 420, 69, 21)});
        EXPECT_EQ(pixelsDifferingFrom(mainView, bundlePicture("p.jpg"), opaqueControlRects(main)), 0);

        loom::testing::advanceClock(60000);  // both timers fired once: the splash stays away
        EXPECT_EQ(visibleWindows(), Names{"Window2.Window2"});
        EXPECT_EQ(mostWindowsVisibleAtOnce(), 1);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(mostWindowsVisibleAtOnce(), 1);
}

// Without "li.jpg" the splash is shown all the same, 440 x 147 and empty, and
// hands over on time.
TEST_F(ProgramQt, SplashWithoutItsPictureIsShownEmptyAndHandsOverOnTime) {
    // The built bundle's pictures but "li.jpg", beside an executable of its own.
    std::string root = (std::filesystem::temp_directory_path() / "pw-no-splash-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    const std::filesystem::path resources = std::filesystem::path(root) / "Resources";
    std::filesystem::create_directories(std::filesystem::path(root) / "bin");
    std::filesystem::copy(PW_BUNDLE_DIR "/Resources", resources);
    ASSERT_TRUE(std::filesystem::remove(resources / "li.jpg"));
    loom::testing::setExecutablePath(root + "/bin/picture-wizard");

    const int status = runProgram([&] {
        WindowObject* splash = registered("Window1.Window1");
        ASSERT_NE(splash, nullptr);
        QWidget* splashView = widgetOf(splash);
        ASSERT_NE(splashView, nullptr);
        EXPECT_EQ(visibleWindows(), Names{});

        loom::testing::advanceClock(1);
        EXPECT_EQ(visibleWindows(), Names{"Window1.Window1"});
        EXPECT_EQ(splashView->size(), QSize(440, 147));
        const QImage shown = splashView->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), QSize(440, 147));
        EXPECT_GT(pixelsDifferingFrom(splashView, bundlePicture("li.jpg"), {}), 0);
        int unlike = 0;  // no picture: every pixel is the window's plain background
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) unlike += shown.pixel(x, y) != shown.pixel(0, 0) ? 1 : 0;
        EXPECT_EQ(unlike, 0);

        loom::testing::advanceClock(3698);  // 1 ms before the hand-over
        EXPECT_EQ(visibleWindows(), Names{"Window1.Window1"});
        EXPECT_EQ(registered("Window2.Window2"), nullptr);
        loom::testing::advanceClock(1);
        EXPECT_EQ(visibleWindows(), Names{"Window2.Window2"});
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(pixelsDifferingFrom(widgetOf(main), bundlePicture("p.jpg"), opaqueControlRects(main)), 0);

        // After the run the catalogue is filled from the whole bundle.
        loom::testing::setExecutablePath(PW_BUNDLE_DIR "/bin/picture-wizard");
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(mostWindowsVisibleAtOnce(), 1);
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

// ---- The main window's widgets ---------------------------------------------------------------

enum class Kind { Button, ComboBox, CheckBox, TextField, Label };

struct ControlRow {
    const char* name;
    Kind kind;
    QRect rect;
    bool visible;
    bool enabled;
    const char* caption;  // buttons only
};

const ControlRow kMainControls[] = {
    {"BevelButton1", Kind::Button, {531, 420, 69, 21}, true, true, "OK"},
    {"ComboBox1", Kind::ComboBox, {163, 168, 118, 22}, false, true, nullptr},
    {"CheckBox1", Kind::CheckBox, {67, 220, 69, 20}, false, true, nullptr},
    {"CheckBox2", Kind::CheckBox, {67, 196, 69, 20}, false, false, nullptr},
    {"CheckBox3", Kind::CheckBox, {293, 300, 69, 20}, false, true, nullptr},
    {"BevelButton3", Kind::Button, {531, 420, 69, 21}, false, true, "OK"},
    {"BevelButton4", Kind::Button, {531, 420, 69, 21}, false, true, "OK"},
    {"BevelButton5", Kind::Button, {232, 188, 71, 20}, false, true, "MAX"},
    {"BevelButton6", Kind::Button, {232, 220, 71, 20}, false, true, "MAX"},
    {"BevelButton7", Kind::Button, {232, 276, 71, 20}, false, true, "MAX"},
    {"BevelButton8", Kind::Button, {232, 308, 71, 20}, false, true, "MAX"},
    {"BevelButton9", Kind::Button, {523, 187, 77, 20}, false, true, "MAX"},
    {"BevelButton10", Kind::Button, {523, 276, 77, 20}, false, true, "MAX"},
    {"TextField1", Kind::TextField, {163, 188, 63, 20}, false, true, nullptr},
    {"TextField2", Kind::TextField, {163, 219, 63, 20}, false, true, nullptr},
    {"TextField3", Kind::TextField, {163, 276, 63, 20}, false, true, nullptr},
    {"TextField4", Kind::TextField, {163, 308, 63, 20}, false, true, nullptr},
    {"TextField5", Kind::TextField, {456, 188, 63, 20}, false, true, nullptr},
    {"TextField6", Kind::TextField, {456, 276, 63, 20}, false, true, nullptr},
    {"Label1", Kind::Label, {260, 0, 43, 21}, true, true, nullptr},
    {"Label2", Kind::Label, {364, 0, 80, 21}, true, true, nullptr},
    {"Label3", Kind::Label, {447, 0, 36, 21}, true, true, nullptr},
    {"BevelButton12", Kind::Button, {450, 420, 69, 21}, false, true, "BACK"},
    {"BevelButton13", Kind::Button, {450, 420, 69, 21}, false, true, "BACK"},
    {"BevelButton14", Kind::Button, {531, 420, 69, 21}, false, true, "OK"},
    {"Label4", Kind::Label, {293, 300, 20, 20}, true, true, nullptr},
};

bool hasKind(QWidget* w, Kind kind) {
    const bool button = qobject_cast<QPushButton*>(w), combo = qobject_cast<QComboBox*>(w),
               box = qobject_cast<QCheckBox*>(w), field = qobject_cast<QLineEdit*>(w);
    switch (kind) {
    case Kind::Button: return button;
    case Kind::ComboBox: return combo;
    case Kind::CheckBox: return box;
    case Kind::TextField: return field;
    case Kind::Label: return !button && !combo && !box && !field;  // a plain, transparent widget
    }
    return false;
}

// Turns to the n-th page with real clicks on the visible "OK" (the dialog cancelled).
void goToPage(WindowObject* main, int page) {
    const char* const oks[] = {"BevelButton1", "BevelButton3", "BevelButton4"};
    loom::testing::answerOpenFileDialog(std::nullopt);
    for (int i = 0; i + 1 < page; ++i) click(widgetNamed(main, oks[i]));
}

TEST_F(ProgramQt, MainWindowWidgetsFollowTheirControls) {
    runProgram([&] {
        loom::testing::advanceClock(3700);
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        QWidget* mainView = widgetOf(main);
        ASSERT_EQ(main->controls.size(), std::size(kMainControls));
        for (size_t i = 0; i < std::size(kMainControls); ++i) {
            const ControlRow& row = kMainControls[i];
            SCOPED_TRACE(row.name);
            ControlObject* control = main->controls[i].control.get();
            ASSERT_EQ(view(main->controls[i].name), row.name);  // creation order
            QWidget* w = widgetOf(control);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->parentWidget(), mainView);
            EXPECT_TRUE(hasKind(w, row.kind));
            const QRect fromObject(property(control, RectControlProp::Left).asInteger(),
                                   property(control, RectControlProp::Top).asInteger(),
                                   property(control, RectControlProp::Width).asInteger(),
                                   property(control, RectControlProp::Height).asInteger());
            EXPECT_EQ(fromObject, row.rect);
            EXPECT_EQ(w->geometry(), fromObject);
            EXPECT_EQ(w->isVisible(), property(control, RectControlProp::Visible).asBoolean());
            EXPECT_EQ(w->isVisible(), row.visible);
            EXPECT_EQ(w->isEnabled(), row.enabled);
            if (row.caption) {
                EXPECT_EQ(static_cast<QPushButton*>(w)->text(), row.caption);
            }
        }
        auto* combo = widgetNamed<QComboBox>(main, "ComboBox1");
        ASSERT_NE(combo, nullptr);
        EXPECT_TRUE(combo->isEditable());
        ASSERT_EQ(combo->count(), 4);
        const char* const items[] = {"Noble 6", "Spartan MP", "Jorge", "Kat"};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(combo->itemText(i), items[i]);
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(combo->currentText(), "Noble 6");

        // On Page2, shown: CheckBox2 stays disabled, and a click on it changes nothing.
        goToPage(main, 2);
        auto* disabled = widgetNamed<QCheckBox>(main, "CheckBox2");
        ASSERT_NE(disabled, nullptr);
        ASSERT_TRUE(disabled->isVisible());
        EXPECT_FALSE(disabled->isEnabled());
        click(disabled);
        EXPECT_FALSE(disabled->isChecked());
        EXPECT_FALSE(property(controlOf(main, "CheckBox2"), CheckBoxProp::Value).asBoolean());
    });
}

// ---- The wizard --------------------------------------------------------------------------------

const Names kPage1{"BevelButton1", "Label1", "Label2", "Label3", "Label4"};
const Names kPage2{"ComboBox1", "CheckBox1", "CheckBox2", "CheckBox3",     "BevelButton3",
                   "Label1",    "Label2",    "Label3",    "BevelButton12", "Label4"};
const Names kPage3{"BevelButton4",  "BevelButton5", "BevelButton6", "BevelButton7", "BevelButton8",  "BevelButton9",
                   "BevelButton10", "TextField1",   "TextField2",   "TextField3",   "TextField4",    "TextField5",
                   "TextField6",    "Label1",       "Label2",       "Label3",       "BevelButton13", "Label4"};
const Names kPage4{"Label1", "Label2", "Label3", "BevelButton14", "Label4"};

// The "OK" widgets visible on screen.
Names visibleOks(WindowObject* main) {
    Names out;
    for (const NamedControl& c : main->controls)
        if (auto* b = widgetOf<QPushButton>(c.control.get()); b && b->isVisible() && b->text() == "OK")
            out.emplace_back(view(c.name));
    return out;
}

TEST_F(ProgramQt, WizardWalkedWithRealClicks) {
    struct Step {
        const char* button;
        std::optional<std::string> dialogAnswer;  // for Page1's "OK"
        const Names* visible;
        const char* ok;       // the one "OK" on screen after the step
        const char* picture;  // the backdrop after the step
        const char* before;   // the backdrop before it
    };
    const std::string chosen = PW_BUNDLE_DIR "/Resources/cd.jpg";
    const Step steps[] = {
        {"BevelButton1", std::nullopt, &kPage2, "BevelButton3", "cd.jpg", "p.jpg"},   // dialog cancelled
        {"BevelButton12", std::nullopt, &kPage1, "BevelButton1", "p.jpg", "cd.jpg"},  // BACK
        {"BevelButton1", chosen, &kPage2, "BevelButton3", "cd.jpg", "p.jpg"},         // a file chosen
        {"BevelButton3", std::nullopt, &kPage3, "BevelButton4", "wd.jpg", "cd.jpg"},
        {"BevelButton13", std::nullopt, &kPage2, "BevelButton3", "cd.jpg", "wd.jpg"},  // BACK
        {"BevelButton3", std::nullopt, &kPage3, "BevelButton4", "wd.jpg", "cd.jpg"},
        {"BevelButton4", std::nullopt, &kPage4, "BevelButton14", "ad.jpg", "wd.jpg"},
    };
    const int status = runProgram([&] {
        loom::testing::advanceClock(3700);
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        QWidget* mainView = widgetOf(main);
        EXPECT_EQ(visibleOks(main), Names{"BevelButton1"});
        int dialogs = 0;
        for (const Step& s : steps) {
            SCOPED_TRACE(s.button);
            const bool firstOk = std::string_view(s.button) == "BevelButton1";
            if (firstOk) loom::testing::answerOpenFileDialog(s.dialogAnswer);
            click(widgetNamed(main, s.button));
            dialogs += firstOk ? 1 : 0;
            EXPECT_EQ(loom::testing::openFileDialogCount(), dialogs);
            EXPECT_EQ(visibleControls(main), *s.visible);
            EXPECT_EQ(visibleOks(main), Names{s.ok});
            const std::vector<QRect> controls = opaqueControlRects(main);
            EXPECT_EQ(pixelsDifferingFrom(mainView, bundlePicture(s.picture), controls), 0);
            EXPECT_GT(pixelsDifferingFrom(mainView, bundlePicture(s.before), controls), 0);
            EXPECT_EQ(visibleWindows(), Names{"Window2.Window2"});
        }
        click(widgetNamed(main, "BevelButton14"));  // Page4's "OK": the end
        EXPECT_EQ(visibleWindows(), Names{});
        EXPECT_TRUE(mainView->isHidden());
        QWidget* lastOk = widgetNamed(main, "BevelButton14");
        ASSERT_NE(lastOk, nullptr);
        EXPECT_TRUE(lastOk->isVisibleTo(mainView));  // left on Page4
    });
    EXPECT_EQ(status, 0);
}

TEST_F(ProgramQt, TypedTextSurvivesPagesAndMaxReplacesIt) {
    struct MaxRow {
        const char* button;
        const char* field;
        const char* literal;
    };
    const MaxRow rows[] = {
        {"BevelButton5", "TextField1", "32767"}, {"BevelButton6", "TextField2", "32767"},
        {"BevelButton7", "TextField3", "32767"}, {"BevelButton8", "TextField4", "32767"},
        {"BevelButton9", "TextField5", "127"},   {"BevelButton10", "TextField6", "127"},
    };
    runProgram([&] {
        loom::testing::advanceClock(3700);
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        goToPage(main, 3);
        auto* field3 = widgetNamed<QLineEdit>(main, "TextField3");
        ASSERT_NE(field3, nullptr);
        typeInto(field3, "4711");
        EXPECT_EQ(field3->text(), "4711");
        EXPECT_EQ(property(controlOf(main, "TextField3"), TextFieldProp::Text).text(), "4711");

        click(widgetNamed(main, "BevelButton13"));  // BACK to Page2
        EXPECT_FALSE(field3->isVisible());
        click(widgetNamed(main, "BevelButton3"));  // OK to Page3
        ASSERT_TRUE(field3->isVisible());
        EXPECT_EQ(field3->text(), "4711");

        for (const MaxRow& r : rows) {
            SCOPED_TRACE(r.button);
            auto* field = widgetNamed<QLineEdit>(main, r.field);
            ASSERT_NE(field, nullptr);
            typeInto(field, "98");
            click(widgetNamed(main, r.button));
            EXPECT_EQ(field->text(), r.literal);
            EXPECT_EQ(property(controlOf(main, r.field), TextFieldProp::Text).text(), r.literal);
            EXPECT_EQ(visibleControls(main), kPage3);
        }
        for (const MaxRow& r : rows) {  // each wrote only its own field
            auto* field = widgetNamed<QLineEdit>(main, r.field);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->text(), r.literal) << r.field;
        }
    });
}

}  // namespace
}  // namespace pqt
