#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// Files the panel's menus write, each whole or not at all (the old file keeps its bytes).
namespace FileWriter {

// False, after a message naming the file and why, when the file could not be written.
bool write(QWidget* parent, const QString& file, const QByteArray& bytes);

} // namespace FileWriter
