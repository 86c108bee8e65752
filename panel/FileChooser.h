#pragma once

#include <QString>

class QWidget;

// The file dialogs of the panel's menus. Each starts in the folder last used, which the
// settings store keeps in a group of its own.
namespace FileChooser {

// An existing file to read; empty when the operator cancels.
QString open(QWidget* parent, const QString& caption, const QString& filter);
// Where to write, starting with the suggested name; empty when the operator cancels.
QString save(QWidget* parent, const QString& caption, const QString& suggested,
             const QString& filter);

} // namespace FileChooser
