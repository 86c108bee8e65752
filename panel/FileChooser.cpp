#include "panel/FileChooser.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace FileChooser {

namespace {

const QString Section = QStringLiteral("files");
const QString FolderKey = QStringLiteral("LastFolder");

QString lastFolder() {
    const QString folder =
        SettingsStore::GetSetting(SettingsStore::Application, Section, FolderKey, QDir::homePath());
    return QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

QString ask(QWidget* parent, const QString& caption, const QString& filter,
            QFileDialog::AcceptMode mode, const QString& suggested) {
    // Qt's own dialog, so that it looks and is driven the same on every desktop.
    QFileDialog dialog(parent, caption, lastFolder(), filter);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!suggested.isEmpty()) {
        dialog.selectFile(suggested);
        dialog.setDefaultSuffix(QFileInfo(suggested).suffix()); // "unit7" saves as unit7.pdf
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    SettingsStore::SaveSetting(SettingsStore::Application, Section, FolderKey,
                               QFileInfo(chosen).absolutePath());
    return chosen;
}

} // namespace

QString open(QWidget* parent, const QString& caption, const QString& filter) {
    return ask(parent, caption, filter, QFileDialog::AcceptOpen, {});
}

QString save(QWidget* parent, const QString& caption, const QString& suggested,
             const QString& filter) {
    return ask(parent, caption, filter, QFileDialog::AcceptSave, suggested);
}

} // namespace FileChooser
