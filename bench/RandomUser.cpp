#include "RandomUser.h"

#include "ScratchAnswers.h"
#include "panel/Form1.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <array>

namespace {

bool clickable(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractItemView*>(w);
}

bool inMenuBar(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (qobject_cast<const QMenuBar*>(w))
            return true;
    return false;
}

// The controls of the window a user can click: visible, enabled, of that window itself.
QList<QWidget*> controls(QWidget* window) {
    QList<QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->isVisible() && w->isEnabled() && w->window() == window && clickable(w) &&
            !inMenuBar(w))
            found << w;
    return found;
}

// A real press and release; the press may run a wait in which the control goes away.
void pressAndRelease(QWidget* control, QPoint at) {
    QPointer<QWidget> alive(control);
    QTest::mousePress(control, Qt::LeftButton, {}, at);
    if (alive)
        QTest::mouseRelease(alive, Qt::LeftButton, {}, at);
}

void keyClick(QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QPointer<QWidget> alive(to);
    QTest::keyPress(to, key, modifiers);
    if (alive)
        QTest::keyRelease(alive, key, modifiers);
}

void typeChar(QWidget* to, char c) {
    QPointer<QWidget> alive(to);
    QTest::keyPress(to, c);
    if (alive)
        QTest::keyRelease(alive, c);
}

constexpr std::array Specials{Qt::Key_Return, Qt::Key_Enter,   Qt::Key_Escape,
                              Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Backspace,
                              Qt::Key_Space,  Qt::Key_Up,      Qt::Key_Down};
constexpr char Typed[] = "0123456789012345678901234567890123456789abcdefghijklmnopqrstuvwxyzPOS";

} // namespace

RandomUser::RandomUser(quint64 seed, Form1& form) : m_random(seed), m_form(form) {}

void RandomUser::start() {
    m_running = true;
    next();
}

// Bursts of a few inputs within 0.3 s, pauses of a fraction of a second, now and then a
// longer one in which a started piece of work can end.
void RandomUser::next() {
    int delay = 0;
    if (m_burst > 0) {
        --m_burst;
        delay = 15 + pick(45);
    } else if (pick(100) < 30) {
        m_burst = 1 + pick(4);
        delay = 15 + pick(45);
    } else {
        delay = pick(10) == 0 ? 2000 + pick(4000) : 150 + pick(1200);
    }
    QTimer::singleShot(delay, this, &RandomUser::act);
}

void RandomUser::act() {
    if (!m_running)
        return;
    next(); // first: the input may run a wait of its own, inside which the next one comes
    QWidget* window = target();
    if (!window) {
        ++m_given[QStringLiteral("none (only the tool's answers were up)")];
        return;
    }
    const int roll = pick(100);
    if (roll < 45)
        click(window);
    else if (roll < 75)
        key(window);
    else if (roll < 82)
        shortcut();
    else if (roll < 92)
        menu();
    else if (roll < 97)
        doubleClick(window);
    else
        close(window);
}

// The modal window on top; without one, any visible window, as a user may click any.
QWidget* RandomUser::target() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return ScratchAnswers::answers(modal) ? nullptr : modal;
    QList<QWidget*> windows;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowType() != Qt::Popup &&
            top->windowType() != Qt::ToolTip && !ScratchAnswers::answers(top))
            windows << top;
    if (windows.isEmpty())
        return nullptr;
    QWidget* window = windows.at(pick(int(windows.size())));
    window->activateWindow(); // as the click that reaches it does
    return window;
}

void RandomUser::click(QWidget* window) {
    const QList<QWidget*> found = controls(window);
    if (found.isEmpty()) {
        ++m_given[QStringLiteral("click (nothing to click)")];
        return;
    }
    QWidget* control = found.at(pick(int(found.size())));
    ++m_given[QStringLiteral("click")];
    if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
        QWidget* area = view->viewport();
        return pressAndRelease(
            area, QPoint(pick(std::max(area->width(), 1)), pick(std::max(area->height(), 1))));
    }
    pressAndRelease(control, control->rect().center());
}

// On the panel's text boxes: a double click on the sent text sends it again.
void RandomUser::doubleClick(QWidget* window) {
    if (window != &m_form)
        return click(window);
    QList<QLineEdit*> boxes;
    for (QWidget* w : controls(window))
        if (auto* box = qobject_cast<QLineEdit*>(w))
            boxes << box;
    if (boxes.isEmpty())
        return click(window);
    ++m_given[QStringLiteral("double click")];
    QLineEdit* box = boxes.at(pick(int(boxes.size())));
    pressAndRelease(box, box->rect().center());
    QTest::mouseDClick(box, Qt::LeftButton); // the second press, as a double click
    QTest::mouseRelease(box, Qt::LeftButton);
}

void RandomUser::key(QWidget* window) {
    QWidget* to = window->focusWidget() ? window->focusWidget() : window;
    if (pick(100) < 35) {
        ++m_given[QStringLiteral("key")];
        return keyClick(to, Specials.at(std::size_t(pick(int(Specials.size())))));
    }
    // A few characters at once, as typed; the field may go away in between.
    QPointer<QWidget> alive(to);
    const int count = 1 + pick(5);
    for (int i = 0; i < count && alive; ++i) {
        ++m_given[QStringLiteral("key")];
        typeChar(alive, Typed[pick(int(sizeof Typed) - 1)]);
    }
}

// The menu's shortcuts reach the panel when it is the active window; Quit's never.
void RandomUser::shortcut() {
    if (QApplication::activeModalWidget())
        return; // the panel does not take keys under a modal window
    const Form1Menu& m = m_form.menu();
    const std::array actions{m.ActSaveConfiguration, m.ActApplyConfiguration, m.ActPrintReport,
                             m.ActHelp};
    const QKeySequence keys = actions.at(std::size_t(pick(int(actions.size()))))->shortcut();
    m_form.activateWindow();
    QWidget* to = m_form.focusWidget() ? m_form.focusWidget() : &m_form;
    ++m_given[QStringLiteral("shortcut")];
    keyClick(to, keys[0].key(), keys[0].keyboardModifiers());
}

// A menu entry clicked: only without a modal window, only an enabled one does anything.
void RandomUser::menu() {
    if (QApplication::activeModalWidget())
        return;
    QList<QAction*> entries;
    for (QAction* action : m_form.menu().bar->findChildren<QAction*>())
        if (action->objectName().startsWith(u"Act") && action != m_form.menu().ActQuit)
            entries << action;
    QAction* entry = entries.at(pick(int(entries.size())));
    if (!entry->isEnabled()) {
        ++m_given[QStringLiteral("menu (a disabled entry)")];
        return;
    }
    ++m_given[QStringLiteral("menu")];
    m_form.activateWindow();
    entry->trigger();
}

// A window's close box; the panel's would end the program, so it gets Escape instead.
void RandomUser::close(QWidget* window) {
    if (window == &m_form)
        return key(window);
    ++m_given[QStringLiteral("close box")];
    window->close();
}
