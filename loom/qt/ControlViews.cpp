// One widget per control, kept in step with the control's properties; what the
// user changes is written back to the control.
#include "Guard.h"
#include "Views.h"

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

QString qtext(const Value& v) { return QString::fromUtf8(v.text().data(), static_cast<int>(v.text().size())); }
std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

// Holds the control for the length of a call into program code, which may free its window.
template <typename F> void callControl(ControlObject* c, F&& f) {
    RuntimeLockObject(c);
    guarded(f);
    RuntimeUnlockObject(c);
    scheduleIdleCheck();
}

class ButtonView : public QPushButton {
public:
    ButtonView(QWidget* parent, BevelButtonObject* button) : QPushButton(parent), m_button(button) {
        setFocusPolicy(Qt::TabFocus);
        connect(this, &QPushButton::clicked, [this] {
            if (BevelButtonObject* b = m_button) callControl(b, [b] { pressButton(b); });
        });
    }
    BevelButtonObject* m_button;
};

class LabelView : public QWidget {
public:
    LabelView(QWidget* parent, LabelObject* label) : QWidget(parent), m_label(label) {}
    LabelObject* m_label;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_label) return;
        const Value& text = loom::property(m_label, LabelProp::Text);
        if (text.text().empty()) return;  // a hot spot: the backdrop shows through
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, qtext(text));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || !m_label) return;
        LabelObject* l = m_label;
        const QPoint at = event->position().toPoint();
        callControl(l, [l, at] { clickLabel(l, at.x(), at.y()); });
    }
};

class CheckView : public QCheckBox {
public:
    CheckView(QWidget* parent, CheckBoxObject* box) : QCheckBox(parent), m_box(box) {
        connect(this, &QCheckBox::clicked, [this] {
            if (!m_box) return;
            CheckBoxObject* b = m_box;
            const bool checked = isChecked();
            guarded([b, checked] {
                loom::setProperty(b, CheckBoxProp::State, Value::integer(checked ? 1 : 0, PropType::Enumeration));
                loom::setProperty(b, CheckBoxProp::Value, Value::boolean(checked));
            });
        });
    }
    CheckBoxObject* m_box;
};

class FieldView : public QLineEdit {
public:
    FieldView(QWidget* parent, TextFieldObject* field) : QLineEdit(parent), m_field(field) {
        connect(this, &QLineEdit::textEdited, [this](const QString& text) {
            if (TextFieldObject* f = m_field)
                guarded([f, t = utf8(text)] { loom::setProperty(f, TextFieldProp::Text, Value::string(t)); });
        });
    }
    TextFieldObject* m_field;
};

class ComboView : public QComboBox {
public:
    ComboView(QWidget* parent, ComboBoxObject* combo) : QComboBox(parent), m_combo(combo) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        connect(this, &QComboBox::activated, [this](int index) {
            if (ComboBoxObject* c = m_combo)
                guarded([c, index, t = utf8(currentText())] {
                    loom::setProperty(c, PopupMenuProp::ListIndex, Value::integer(index));
                    loom::setProperty(c, ComboBoxProp::Text, Value::string(t));
                });
        });
        connect(lineEdit(), &QLineEdit::textEdited, [this](const QString& text) {
            if (ComboBoxObject* c = m_combo)
                guarded([c, t = utf8(text)] { loom::setProperty(c, ComboBoxProp::Text, Value::string(t)); });
        });
    }
    ComboBoxObject* m_combo;
};

// Items of a list given as one string, each ended by a carriage return.
QStringList items(const Value& v) {
    QStringList list;
    std::string_view s = v.text();
    while (!s.empty()) {
        const size_t end = s.find('\r');
        const std::string_view item = s.substr(0, end);
        list << QString::fromUtf8(item.data(), static_cast<int>(item.size()));
        if (end == std::string_view::npos) break;
        s.remove_prefix(end + 1);
    }
    return list;
}

void applyRect(ControlObject* c, QWidget* w, int slot) {
    switch (slot) {
    case RectControlProp::Left:
    case RectControlProp::Top:
    case RectControlProp::Width:
    case RectControlProp::Height:
        w->setGeometry(loom::property(c, RectControlProp::Left).asInteger(), loom::property(c, RectControlProp::Top).asInteger(),
                       loom::property(c, RectControlProp::Width).asInteger(), loom::property(c, RectControlProp::Height).asInteger());
        break;
    case RectControlProp::Visible: w->setVisible(loom::property(c, slot).asBoolean()); break;
    case RectControlProp::Enabled: w->setEnabled(loom::property(c, slot).asBoolean()); break;
    default: break;
    }
}

}  // namespace

QWidget* createControlView(WindowView* parent, ControlObject* control) {
    QWidget* w = nullptr;
    if (auto* b = dynamic_cast<BevelButtonObject*>(control)) w = new ButtonView(parent, b);
    else if (auto* l = dynamic_cast<LabelObject*>(control)) w = new LabelView(parent, l);
    else if (auto* cb = dynamic_cast<CheckBoxObject*>(control)) w = new CheckView(parent, cb);
    else if (auto* f = dynamic_cast<TextFieldObject*>(control)) w = new FieldView(parent, f);
    else if (auto* co = dynamic_cast<ComboBoxObject*>(control)) w = new ComboView(parent, co);
    if (!w) return nullptr;
    // Tab order follows creation order.
    QWidget* previous = nullptr;
    for (const NamedControl& n : parent->window()->controls)
        if (n.control != control && n.control->view) previous = static_cast<QWidget*>(n.control->view);
    control->view = w;
    for (int slot = 0; slot < static_cast<int>(control->props.size()); ++slot) applyControlProperty(control, slot);
    if (previous) QWidget::setTabOrder(previous, w);
    return w;
}

void applyControlProperty(ControlObject* control, int slot) {
    auto* w = static_cast<QWidget*>(control->view);
    if (!w) return;
    if (slot < RectControlProp::Count) {
        applyRect(control, w, slot);
        return;
    }
    if (auto* b = dynamic_cast<ButtonView*>(w)) {
        if (slot == BevelButtonProp::Caption) b->setText(qtext(loom::property(control, slot)));
    } else if (auto* l = dynamic_cast<LabelView*>(w)) {
        if (slot == LabelProp::Text) l->update();
    } else if (auto* cb = dynamic_cast<CheckView*>(w)) {
        const QSignalBlocker block(cb);
        if (slot == CheckBoxProp::Caption) cb->setText(qtext(loom::property(control, slot)));
        if (slot == CheckBoxProp::State) {
            const int state = loom::property(control, slot).asInteger();
            cb->setTristate(state == 2);
            cb->setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        }
        if (slot == CheckBoxProp::Value) cb->setChecked(loom::property(control, slot).asBoolean());
    } else if (auto* f = dynamic_cast<FieldView*>(w)) {
        const QSignalBlocker block(f);
        switch (slot) {
        case TextFieldProp::Text:
            if (f->text() != qtext(loom::property(control, slot))) f->setText(qtext(loom::property(control, slot)));
            break;
        case TextFieldProp::Password:
            f->setEchoMode(loom::property(control, slot).asBoolean() ? QLineEdit::Password : QLineEdit::Normal);
            break;
        case TextFieldProp::ReadOnly: f->setReadOnly(loom::property(control, slot).asBoolean()); break;
        case TextFieldProp::Border: f->setFrame(loom::property(control, slot).asBoolean()); break;
        case TextFieldProp::LimitText: {
            const int limit = loom::property(control, slot).asInteger();
            f->setMaxLength(limit > 0 ? limit : 32767);
            break;
        }
        default: break;
        }
    } else if (auto* co = dynamic_cast<ComboView*>(w)) {
        const QSignalBlocker block(co);
        if (slot == PopupMenuProp::InitialValue) {
            co->clear();
            co->addItems(items(loom::property(control, slot)));
            co->setCurrentIndex(loom::property(control, PopupMenuProp::ListIndex).asInteger());
        } else if (slot == PopupMenuProp::ListIndex) {
            co->setCurrentIndex(loom::property(control, slot).asInteger());
        } else if (slot == ComboBoxProp::Text) {
            const QString text = qtext(loom::property(control, slot));
            if (co->currentText() != text) co->setEditText(text);
        }
    }
}

void detachControlView(ControlObject* control) {
    auto* w = static_cast<QWidget*>(control->view);
    control->view = nullptr;
    if (!w) return;
    if (auto* b = dynamic_cast<ButtonView*>(w)) b->m_button = nullptr;
    else if (auto* l = dynamic_cast<LabelView*>(w)) l->m_label = nullptr;
    else if (auto* cb = dynamic_cast<CheckView*>(w)) cb->m_box = nullptr;
    else if (auto* f = dynamic_cast<FieldView*>(w)) f->m_field = nullptr;
    else if (auto* co = dynamic_cast<ComboView*>(w)) co->m_combo = nullptr;
}

}  // namespace loom::qt
