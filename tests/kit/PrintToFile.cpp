#include "PrintToFile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

void printToFile(QPrintDialog* dialog, const QString& file) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    printers->setCurrentIndex(printers->count() - 1);
    dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
    dialog->printer()->setOutputFileName(file);
}
