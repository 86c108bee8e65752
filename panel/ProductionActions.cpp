#include "panel/ProductionActions.h"

#include "panel/ProductionSetup.h"
#include "panel/RecordsWindow.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "service/StoreError.h"
#include "service/UsageError.h"

ProductionActions::ProductionActions(QWidget& window, const ProductionRun::Panel& panel)
    : m_window(window), m_panel(panel) {}

ProductionActions::~ProductionActions() {
    delete m_run.data();
}

void ProductionActions::openRun() {
    if (m_run && !m_run->ended()) { // one run at a time on the one port
        m_run->raise();
        return m_run->activateWindow();
    }
    ProductionSetup setup(&m_window);
    if (setup.exec() != QDialog::Accepted)
        return;
    m_run = new ProductionRun(m_panel, setup.takeRecorder(), &m_window);
    m_run->show();
    m_run->activateWindow(); // the scanner types into it at once
}

void ProductionActions::openRecords() {
    const QString records = SettingsStore::GetSetting(
        SettingsStore::Application, QStringLiteral("production"), QStringLiteral("records"), {});
    try {
        auto* window = new RecordsWindow(StoreAddress::parse(records), &m_window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    } catch (const UsageError& e) {
        MessageBox::show(&m_window, QMessageBox::Warning, e.text());
    } catch (const StoreError& e) {
        MessageBox::show(&m_window, QMessageBox::Warning, e.text());
    }
}
