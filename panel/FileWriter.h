#pragma once

#include <QString>
#include <functional>

class QIODevice;
class QWidget;

// Files the panel's menus write. A file is written whole or not at all: fill writes into a
// new file beside it, which takes its place once complete.
namespace FileWriter {

// False, after a message naming the file and why, when the file could not be written.
bool write(QWidget* parent, const QString& file, const std::function<bool(QIODevice&)>& fill);

} // namespace FileWriter
