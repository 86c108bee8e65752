#include "panel/FileWriter.h"

#include "platform/MessageBox.h"
#include "service/SafeFile.h"

#include <QDir>

namespace FileWriter {

bool write(QWidget* parent, const QString& file, const QByteArray& bytes) {
    const QString why = SafeFile::write(file, bytes);
    if (why.isEmpty())
        return true;
    MessageBox::show(
        parent, QMessageBox::Warning,
        QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(file), why));
    return false;
}

} // namespace FileWriter
