#include "ModalAnswers.h"

#include "PrintToFile.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>

ModalAnswers::ModalAnswers() {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswers::look);
    m_timer.start(5);
}

void ModalAnswers::look() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            messages << box->text();
            const bool apply = box->objectName() == u"ConfirmApply";
            if (apply && confirm && onConfirmed)
                onConfirmed();
            // Other questions are the file dialog's "replace it?", answered yes; clicked, as
            // its asker reads the button.
            if (!box->standardButtons().testFlag(QMessageBox::Yes))
                box->done(QMessageBox::Ok);
            else
                box->button(apply && !confirm ? QMessageBox::No : QMessageBox::Yes)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
            if (files.isEmpty()) {
                dialog->reject();
                continue;
            }
            if (dialog->property("answered").isValid())
                continue;
            dialog->setProperty("answered", true);
            dialog->selectFile(files.takeFirst());
            // Later, so that the question whether to replace the file is answered too.
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto* printing = qobject_cast<QPrintDialog*>(w)) {
            answerPrint(printing);
        } else if (w->objectName() == u"ReportReference") {
            answerReference(w);
        } else if (auto* progress = qobject_cast<QProgressDialog*>(w)) {
            if (progress->property("counted").isNull()) {
                progress->setProperty("counted", true);
                ++progressShown;
            }
            const QString text = progress->labelText();
            if (!cancelAt.isEmpty() &&
                text.startsWith(QStringLiteral("Writing ") + cancelAt + u':'))
                progress->findChild<QPushButton*>()->click();
        } else if (w->objectName() == u"ConfigurationResult") {
            headline = w->findChild<QLabel*>(QStringLiteral("Headline"))->text();
            table.clear();
            auto* rows = w->findChild<QTableWidget*>(QStringLiteral("ResultTable"));
            for (int r = 0; r < rows->rowCount(); ++r) {
                QStringList row;
                for (int c = 0; c < rows->columnCount(); ++c)
                    row << rows->item(r, c)->text();
                table << row;
            }
            if (onResult)
                onResult(w);
            static_cast<QDialog*>(w)->accept();
        }
    }
}

void ModalAnswers::answerReference(QWidget* window) {
    auto* text = window->findChild<QLineEdit*>(QStringLiteral("TxtReference"));
    offered << text->text();
    if (!references.isEmpty())
        text->setText(references.takeFirst());
    window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void ModalAnswers::answerPrint(QPrintDialog* dialog) {
    printDialogs << dialog->objectName();
    if (!printTo.isEmpty())
        printToFile(dialog, printTo);
    if (print)
        dialog->accept();
    else
        dialog->reject();
}
