#include "ControlViews.h"

#include "Guard.h"
#include "QtPresenter.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

namespace loom::qt {

namespace {

QString qstring(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string_view textOf(const ControlObject* c, int slot) { return loom::property(c, slot).text(); }
int integer(const ControlObject* c, int slot) { return loom::property(c, slot).asInteger(); }

// Writes a user change back to the control; the view then shows the same value,
// so nothing echoes.
void writeBack(ControlObject* c, int slot, Value v) {
    if (!c) return;
    guarded([&] { loom::setProperty(c, slot, std::move(v)); });
}
void writeBack(ControlObject* c, int slot, const QString& s) {
    const QByteArray bytes = s.toUtf8();
    writeBack(c, slot, Value::string(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}

// Raises an event into program code with the control held: the handler may
// close its window and so release the control.
template <typename T, typename F>
void raiseEvent(ControlObject* c, F&& call) {
    if (!c) return;
    auto* control = static_cast<T*>(c);
    guarded([&] {
        const Ref<T> held = retain(control);
        call(control);
    });
}

template <typename W>
class View : public W, public ControlView {
public:
    explicit View(ControlObject* c, QWidget* parent) : W(parent) { control = c; }
    QWidget* widget() override { return this; }
};

// A bevel button is the style's own push button: its bevel drawn over the
// backdrop, the caption centred, hover, pressed and disabled as the style shows them.
class ButtonView final : public View<QPushButton> {
public:
    ButtonView(ControlObject* c, QWidget* parent) : View(c, parent) {
        QObject::connect(this, &QPushButton::clicked, [this] {
            raiseEvent<BevelButtonObject>(control, [](BevelButtonObject* b) { pressButton(b); });
        });
    }
    void applyOwn(int slot) override {
        switch (slot) {
        case BevelButtonProp::Caption: setText(qstring(textOf(control, slot))); break;
        case BevelButtonProp::AcceptFocus:
            setFocusPolicy(loom::property(control, slot).asBoolean() ? Qt::StrongFocus : Qt::NoFocus);
            break;
        default: break;
        }
    }
};

class LabelView final : public View<QWidget> {
public:
    LabelView(ControlObject* c, QWidget* parent) : View(c, parent) {}
    void applyOwn(int slot) override {
        if (slot == LabelProp::Text || slot == LabelProp::TextColor || slot == LabelProp::MultiLine) update();
    }

protected:
    // Transparent: only the text is painted, nothing at all when it is empty.
    void paintEvent(QPaintEvent*) override {
        if (!control) return;
        const std::string_view t = textOf(control, LabelProp::Text);
        if (t.empty()) return;
        const Color color = loom::property(control, LabelProp::TextColor).asColor();
        QPainter painter(this);
        painter.setPen(QColor(color.red, color.green, color.blue));
        int flags = Qt::AlignLeft | Qt::AlignTop;
        if (loom::property(control, LabelProp::MultiLine).asBoolean()) flags |= Qt::TextWordWrap;
        painter.drawText(rect(), flags, qstring(t));
    }
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        const QPoint at = event->position().toPoint();
        raiseEvent<LabelObject>(control, [at](LabelObject* l) { clickLabel(l, at.x(), at.y()); });
    }
};

class CheckBoxView final : public View<QCheckBox> {
public:
    CheckBoxView(ControlObject* c, QWidget* parent) : View(c, parent) {
        QObject::connect(this, &QCheckBox::clicked, [this] {
            const Qt::CheckState s = checkState();
            {
                const QSignalBlocker quiet(this);
                setTristate(false);  // the user toggles between on and off only
            }
            const int state = s == Qt::Checked ? 1 : s == Qt::PartiallyChecked ? 2 : 0;
            writeBack(control, CheckBoxProp::State, Value::integer(state, PropType::Enumeration));
            writeBack(control, CheckBoxProp::Value, Value::boolean(s == Qt::Checked));
        });
    }
    void applyOwn(int slot) override {
        const QSignalBlocker quiet(this);
        switch (slot) {
        case CheckBoxProp::Caption: setText(qstring(textOf(control, slot))); break;
        case CheckBoxProp::State: {
            const int state = integer(control, slot);
            setTristate(state == 2);  // mixed only as the program shows it
            setCheckState(state == 2 ? Qt::PartiallyChecked : state == 1 ? Qt::Checked : Qt::Unchecked);
            break;
        }
        case CheckBoxProp::Value:
            setTristate(false);
            setChecked(loom::property(control, slot).asBoolean());
            break;
        default: break;
        }
    }
};

class TextFieldView final : public View<QLineEdit> {
public:
    TextFieldView(ControlObject* c, QWidget* parent) : View(c, parent) {
        // textEdited comes from the user only, never from setText.
        QObject::connect(this, &QLineEdit::textEdited,
                         [this](const QString& s) { writeBack(control, TextFieldProp::Text, s); });
    }
    void applyOwn(int slot) override {
        if (slot != TextFieldProp::Text) return;
        const QString t = qstring(textOf(control, slot));
        if (t != QLineEdit::text()) setText(t);
    }
};

class ComboBoxView final : public View<QComboBox> {
public:
    ComboBoxView(ControlObject* c, QWidget* parent) : View(c, parent) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);  // the list is the program's
        QObject::connect(this, &QComboBox::activated, [this](int index) {
            writeBack(control, PopupMenuProp::ListIndex, Value::integer(index));
            writeBack(control, ComboBoxProp::Text, itemText(index));
        });
        QObject::connect(lineEdit(), &QLineEdit::textEdited,
                         [this](const QString& s) { writeBack(control, ComboBoxProp::Text, s); });
    }
    void applyOwn(int slot) override {
        const QSignalBlocker quiet(this);
        switch (slot) {
        case PopupMenuProp::InitialValue:
            clear();
            addItems(items(textOf(control, slot)));
            setCurrentIndex(integer(control, PopupMenuProp::ListIndex));
            if (currentIndex() < 0) setEditText(qstring(textOf(control, ComboBoxProp::Text)));
            break;
        case PopupMenuProp::ListIndex: setCurrentIndex(integer(control, slot)); break;
        case ComboBoxProp::Text: {
            const QString t = qstring(textOf(control, slot));
            if (t != currentText()) setEditText(t);
            break;
        }
        default: break;
        }
    }

private:
    // Each item ends with a carriage return; the last one may lack it.
    static QStringList items(std::string_view all) {
        QStringList list;
        size_t at = 0;
        while (at < all.size()) {
            size_t end = all.find('\r', at);
            if (end == std::string_view::npos) end = all.size();
            list.push_back(qstring(all.substr(at, end - at)));
            at = end + 1;
        }
        return list;
    }
};

// A widget that holds its window's keyboard focus gives it up before the
// program hides it. Hidden with the focus, Qt would pass the focus on as Tab
// does, and a text field reached that way selects all its text. The window
// keeps the keyboard; Tab from there starts at its first control.
void dropFocus(QWidget* w) {
    QWidget* focus = w->window()->focusWidget();
    if (focus && (focus == w || w->isAncestorOf(focus))) focus->clearFocus();
}

}  // namespace

void ControlView::apply(int slot) {
    if (!control) return;
    QWidget* w = widget();
    switch (slot) {
    case RectControlProp::Left:
    case RectControlProp::Top:
    case RectControlProp::Width:
    case RectControlProp::Height:
        w->setGeometry(integer(control, RectControlProp::Left), integer(control, RectControlProp::Top),
                       integer(control, RectControlProp::Width), integer(control, RectControlProp::Height));
        break;
    case RectControlProp::Visible: {
        const bool visible = loom::property(control, slot).asBoolean();
        if (!visible) dropFocus(w);
        w->setVisible(visible);
        break;
    }
    case RectControlProp::Enabled: w->setEnabled(loom::property(control, slot).asBoolean()); break;
    default: applyOwn(slot); break;
    }
}

void ControlView::applyAll() {
    if (!control) return;
    for (int slot = RectControlProp::Left; slot < static_cast<int>(control->props.size()); ++slot) apply(slot);
}

ControlView* makeControlView(ControlObject* control, QWidget* parent) {
    if (dynamic_cast<BevelButtonObject*>(control)) return new ButtonView(control, parent);
    if (dynamic_cast<LabelObject*>(control)) return new LabelView(control, parent);
    if (dynamic_cast<CheckBoxObject*>(control)) return new CheckBoxView(control, parent);
    if (dynamic_cast<TextFieldObject*>(control)) return new TextFieldView(control, parent);
    if (dynamic_cast<ComboBoxObject*>(control)) return new ComboBoxView(control, parent);
    return nullptr;  // a timer has no widget
}

}  // namespace loom::qt
