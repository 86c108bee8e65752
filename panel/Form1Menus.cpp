#include "panel/Form1.h"

#include "panel/HelpWindow.h"
#include "panel/LogFile.h"
#include "settings/SetSeriale.h"

#include <QAction>
#include <QMessageBox>

// The menu bar's actions: what each starts in the panel.

void Form1::connectMenu() {
    const Form1Menu& m = m_menu;
    // Work on the encoder runs as a press does, from the request to its last window.
    const auto work = [this](QAction* action, std::function<void()> body) {
        connect(action, &QAction::triggered, this, [this, body] { m_work.request(body); });
    };
    work(m.ActSaveConfiguration, [this] { m_configurations.save(); });
    work(m.ActApplyConfiguration, [this] { m_configurations.apply(); });
    work(m.ActCompareConfiguration, [this] { m_configurations.compare(); });
    work(m.ActSaveReportPdf, [this] { m_report.savePdf(); });
    work(m.ActPrintReport, [this] { m_report.print(); });
    connect(m.ActSaveLog, &QAction::triggered, this, [this] { LogFile::save(*this, m_log); });
    connect(m.ActQuit, &QAction::triggered, this, &QWidget::close);
    connect(m.ActSerialLine, &QAction::triggered, this, &Form1::Command1_Click);
    connect(m.ActFindEncoder, &QAction::triggered, this, &Form1::findEncoder);
    connect(m.ActHelp, &QAction::triggered, this, [this] { HelpWindow::open(this); });
    connect(m.ActAbout, &QAction::triggered, this, &Form1::about);
    connect(m.ActAboutQt, &QAction::triggered, this, [this] { QMessageBox::aboutQt(this); });
}

// The dialog opens as its button opens it; Find starts once its port probe is over. The
// menu stays locked meanwhile, so a second request finds the action disabled.
void Form1::findEncoder() {
    if (dialog().isVisible())
        return dialog().startFind();
    m_lock.begin();
    connect(
        &dialog(), &SetSeriale::loadFinished, this,
        [this] {
            dialog().startFind();
            m_lock.end();
        },
        Qt::SingleShotConnection);
    Command1_Click();
}

void Form1::about() {
    QMessageBox::about(this, QStringLiteral("About Zintor"),
                       QStringLiteral("Zintor %1\n\nConfigures a programmable rotary encoder "
                                      "over an RS232 serial line.\n\nMIT licence: free to use, "
                                      "copy, change and pass on, with no warranty.")
                           .arg(QStringLiteral(ZINTOR_RELEASE)));
}
