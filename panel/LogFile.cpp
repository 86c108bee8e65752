#include "panel/LogFile.h"

#include "panel/FileChooser.h"
#include "platform/MessageBox.h"
#include "service/ExchangeLog.h"

#include <QDateTime>
#include <QSaveFile>

namespace LogFile {

void save(QWidget& window, const ExchangeLog& log) {
    const QString suggested =
        QStringLiteral("zintor-log-%1.tsv")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
    const QString file = FileChooser::save(&window, QStringLiteral("Save exchange log"), suggested,
                                           QStringLiteral("Exchange logs (*.tsv);;All files (*)"));
    if (file.isEmpty())
        return;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(log.text().toUtf8()) < 0 || !out.commit())
        MessageBox::show(&window, QMessageBox::Warning,
                         QStringLiteral("The exchange log was not saved: %1 cannot be written: "
                                        "%2.\nThe log is kept; save it elsewhere.")
                             .arg(file, out.errorString()));
}

} // namespace LogFile
