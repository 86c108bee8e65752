#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace MessageBox {

// A modal message with one OK button and the application's title as caption.
void show(QWidget* parent, QMessageBox::Icon icon, const QString& text);

} // namespace MessageBox
