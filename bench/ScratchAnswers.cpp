#include "ScratchAnswers.h"

#include "PrintToFile.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace {

// An answered dialog still up after this long was turned down (a replace question answered
// no, a file it refused): it is cancelled, as a user gives up.
constexpr qint64 GiveUpMs = 3000;

} // namespace

ScratchAnswers::ScratchAnswers(quint64 seed, Places places)
    : m_places(std::move(places)), m_random(seed) {
    connect(&m_timer, &QTimer::timeout, this, &ScratchAnswers::look);
    m_timer.start(20);
}

bool ScratchAnswers::answers(const QWidget* window) {
    for (const QWidget* w = window; w; w = w->parentWidget())
        if (qobject_cast<const QFileDialog*>(w) || qobject_cast<const QPrintDialog*>(w))
            return true;
    return false;
}

void ScratchAnswers::look() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (auto* box = qobject_cast<QMessageBox*>(window); box && answers(box))
            answerQuestion(box);
        else if (auto* files = qobject_cast<QFileDialog*>(window))
            answerFile(files);
        else if (auto* printing = qobject_cast<QPrintDialog*>(window))
            answerPrint(printing);
    }
}

bool ScratchAnswers::first(QWidget* window) {
    const QVariant at = window->property("answeredAt");
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!at.isValid()) {
        window->setProperty("answeredAt", now);
        return true;
    }
    // Its question is up: the answer to that decides.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->parentWidget() == window)
            return false;
    if (now - at.toLongLong() > GiveUpMs) {
        ++m_given[QStringLiteral("gave up on a dialog still up")];
        static_cast<QDialog*>(window)->reject();
    }
    return false;
}

QString ScratchAnswers::saveTarget(const QString& suffix, int cancelPercent) {
    const int roll = pick(100);
    if (roll < cancelPercent) {
        ++m_given[QStringLiteral("cancelled")];
        return {};
    }
    const QString kept = QStringLiteral("/kept.") + suffix;
    if (roll < 55 && !m_places.full.isEmpty()) {
        ++m_given[QStringLiteral("full disk, over a kept file")];
        return m_places.full + kept;
    }
    if (roll < 80) {
        ++m_given[QStringLiteral("scratch, over a kept file")];
        return m_places.saves + kept;
    }
    ++m_given[QStringLiteral("scratch, new file")];
    return m_places.saves + QStringLiteral("/new-%1.").arg(++m_new) + suffix;
}

void ScratchAnswers::answerFile(QFileDialog* dialog) {
    if (!first(dialog))
        return;
    QString file;
    if (dialog->acceptMode() == QFileDialog::AcceptSave) {
        const QString suffix = dialog->defaultSuffix();
        file = saveTarget(suffix.isEmpty() ? QStringLiteral("txt") : suffix, 15);
    } else if (pick(100) < 15 || m_places.opened.isEmpty()) {
        ++m_given[QStringLiteral("cancelled")];
    } else {
        ++m_given[QStringLiteral("opened a prepared file")];
        file = m_places.opened.at(pick(int(m_places.opened.size())));
    }
    if (file.isEmpty())
        return dialog->reject();
    dialog->selectFile(file);
    // Later, so that its question whether to replace the file is answered here too.
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
}

void ScratchAnswers::answerPrint(QPrintDialog* dialog) {
    if (!first(dialog))
        return;
    const QString file = saveTarget(QStringLiteral("pdf"), 25);
    if (file.isEmpty())
        return dialog->reject();
    printToFile(dialog, file);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
}

void ScratchAnswers::answerQuestion(QMessageBox* box) {
    if (box->property("answered").isValid())
        return;
    box->setProperty("answered", true);
    const bool yes = pick(100) < 80;
    ++m_given[yes ? QStringLiteral("replace: yes") : QStringLiteral("replace: no")];
    if (QAbstractButton* button = box->button(yes ? QMessageBox::Yes : QMessageBox::No))
        button->click();
    else
        box->reject();
}
