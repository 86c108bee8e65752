#include "panel/ProductionActions.h"

#include "panel/ActionLock.h"
#include "panel/Form1Menu.h"
#include "panel/GatedWork.h"
#include "panel/ProductionRun.h"
#include "panel/ProductionSetup.h"
#include "panel/RecordsWindow.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "service/StoreError.h"
#include "service/UsageError.h"

#include <QAction>
#include <QMenu>

namespace {

QAction* entry(QMenu* file, QAction* before, const char* name, const QString& text) {
    auto* action = new QAction(text, file);
    action->setObjectName(QLatin1String(name));
    file->insertAction(before, action);
    return action;
}

} // namespace

ProductionActions::ProductionActions(QWidget& window, Form1Menu& menu, const ProductionPanel& panel)
    : m_window(window), m_panel(panel) {
    // Many units, one approved configuration: after the configurations, before the report.
    QMenu* file = menu.MenuFile;
    QAction* before = file->insertSeparator(menu.ActSaveReportPdf);
    QAction* run = entry(file, before, "ActProductionRun", QStringLiteral("Production &run…"));
    QAction* records = entry(file, before, "ActRecords", QStringLiteral("Rec&ords…"));
    // The run works on the encoder; the records only open a window of their own.
    m_panel.lock.add({run}, {records});
    connect(run, &QAction::triggered, this,
            [this] { m_panel.work.request([this] { openRun(); }); });
    connect(records, &QAction::triggered, this, &ProductionActions::openRecords);
}

ProductionActions::~ProductionActions() {
    delete m_run.data();
}

ProductionRun* ProductionActions::running() const {
    return m_run;
}

void ProductionActions::openRun() {
    ProductionSetup setup(&m_window);
    if (setup.exec() != QDialog::Accepted)
        return;
    if (m_run) // the last run's window, ended
        m_run->close();
    m_run = new ProductionRun(m_panel, setup.takeRecorder(), &m_window);
    m_run->show();
    m_run->activateWindow(); // the scanner types into it at once
}

void ProductionActions::openRecords() {
    if (m_records) {
        m_records->raise();
        return m_records->activateWindow();
    }
    const QString records = SettingsStore::GetSetting(
        SettingsStore::Application, QStringLiteral("production"), QStringLiteral("records"), {});
    try {
        m_records = new RecordsWindow(StoreAddress::parse(records), &m_window);
    } catch (const UsageError& e) {
        return MessageBox::show(&m_window, QMessageBox::Warning, e.text());
    } catch (const StoreError& e) {
        return MessageBox::show(&m_window, QMessageBox::Warning, e.text());
    }
    m_records->setAttribute(Qt::WA_DeleteOnClose);
    // Its file dialog never opens beside the work's windows.
    m_panel.lock.add({}, {m_records->ActExportRecords});
    m_records->show();
}
