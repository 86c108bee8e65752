#include "panel/LogFile.h"

#include "panel/FileChooser.h"
#include "panel/FileWriter.h"
#include "service/ExchangeLog.h"

#include <QDateTime>

namespace LogFile {

void save(QWidget& window, const ExchangeLog& log) {
    const QString suggested =
        QStringLiteral("zintor-log-%1.tsv")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
    const QString file = FileChooser::save(&window, QStringLiteral("Save exchange log"), suggested,
                                           QStringLiteral("Exchange logs (*.tsv);;All files (*)"));
    if (file.isEmpty())
        return;
    FileWriter::write(&window, file, log.text().toUtf8());
}

} // namespace LogFile
