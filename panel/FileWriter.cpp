#include "panel/FileWriter.h"

#include "platform/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace FileWriter {

namespace {

// Why a file cannot be made there, in the operator's words rather than the temporary
// file's; empty when nothing in the way is known.
QString obstacle(const QString& file) {
    const QFileInfo info(file);
    if (info.isDir())
        return QStringLiteral("it is a folder");
    QFileInfo folder(info.absolutePath());
    while (!folder.exists()) // the root always exists
        folder = QFileInfo(folder.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(folder.absoluteFilePath());
    if (folder.absoluteFilePath() != info.absolutePath())
        return QStringLiteral("the folder %1 does not exist").arg(info.absolutePath());
    return {};
}

} // namespace

bool write(QWidget* parent, const QString& file, const std::function<bool(QIODevice&)>& fill) {
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && fill(out) && out.commit())
        return true;
    const QString known = obstacle(file);
    MessageBox::show(
        parent, QMessageBox::Warning,
        QStringLiteral("%1 cannot be written: %2")
            .arg(QDir::toNativeSeparators(file), known.isEmpty() ? out.errorString() : known));
    return false;
}

} // namespace FileWriter
