#include "panel/ReportAction.h"

#include "link/SerialPort.h"
#include "panel/ConfigurationResult.h"
#include "panel/Configurations.h"
#include "panel/FileChooser.h"
#include "panel/FileWriter.h"
#include "panel/Form1Controls.h"
#include "panel/ReportReference.h"
#include "platform/MessageBox.h"
#include "platform/PortMap.h"
#include "service/ReportDocument.h"
#include "service/ReportFacts.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <array>

namespace {

// The settings dialog's captions of the flow-control codes.
constexpr std::array FlowNames{"None", "Xon/Xoff", "RTS", "Xon/RTS"};

const QString PdfCaption = QStringLiteral("Save report as PDF");
const QString PrintCaption = QStringLiteral("Print report");

void notPrinted(QWidget* window, const QString& where) {
    MessageBox::show(window, QMessageBox::Warning,
                     QStringLiteral("The report could not be printed on %1.").arg(where));
}

} // namespace

ReportAction::ReportAction(QWidget& window, const Form1Controls& controls, const SerialPort& port,
                           Configurations& configurations)
    : m_window(window), m_c(controls), m_port(port), m_configurations(configurations) {}

bool ReportAction::askReference(const QString& caption) {
    ReportReference dialog(caption, m_reference, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_reference = dialog.reference();
    return true;
}

void ReportAction::savePdf() {
    if (!askReference(PdfCaption))
        return;
    m_configurations.read(QStringLiteral("No report was made"), [this](const PortOutcome& read) {
        const ReportFacts found = facts(read);
        const QString suggested =
            QStringLiteral("report-%1-%2.pdf")
                .arg(found.port.label, found.made.toString(QStringLiteral("yyyyMMdd-HHmm")));
        const QString file = FileChooser::save(&m_window, PdfCaption, suggested,
                                               QStringLiteral("PDF documents (*.pdf)"));
        if (file.isEmpty())
            return;
        FileWriter::write(&m_window, file, ReportDocument(found).pdf(QLocale()));
    });
}

void ReportAction::print() {
    if (!askReference(PrintCaption))
        return;
    m_configurations.read(QStringLiteral("Nothing was printed"), [this](const PortOutcome& read) {
        ReportDocument document(facts(read));
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(ReportDocument::pageLayout(QLocale()));
        printer.setDocName(QStringLiteral("Zintor configuration report"));
        QPrintDialog dialog(&printer, &m_window);
        dialog.setObjectName(QStringLiteral("PrintReport"));
        dialog.setWindowTitle(PrintCaption);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const QString file = printer.outputFileName();
        if (file.isEmpty()) {
            document.print(&printer);
            if (printer.printerState() == QPrinter::Error)
                notPrinted(&m_window, printer.printerName());
            return;
        }
        // Straight into the chosen file, a disk that fills up would leave the old one cut
        // short: the printer writes a draft, which replaces the file only once whole.
        QTemporaryFile draft(QDir::temp().filePath(QStringLiteral("zintor-report-XXXXXX.pdf")));
        if (!draft.open())
            return notPrinted(&m_window, QDir::toNativeSeparators(file));
        printer.setOutputFileName(draft.fileName());
        document.print(&printer);
        if (printer.printerState() == QPrinter::Error)
            return notPrinted(&m_window, QDir::toNativeSeparators(file));
        FileWriter::write(&m_window, file, draft.readAll());
    });
}

ReportFacts ReportAction::facts(const PortOutcome& outcome) const {
    ReportFacts facts;
    facts.made = QDateTime::currentDateTime();
    facts.version = QStringLiteral(ZINTOR_RELEASE);
    facts.reference = m_reference;
    facts.port = outcome.port;
    facts.device = PortMap::devicePath(outcome.port.number);
    facts.lineSettings = m_port.settings();
    const int flow = m_port.handshaking();
    facts.flow = flow >= 0 && flow < int(FlowNames.size())
                     ? QString::fromLatin1(FlowNames[std::size_t(flow)])
                     : QString::number(flow);
    for (const ItemRow& row : outcome.rows)
        facts.listing << QStringList{row.item, row.found};
    facts.position = outcome.position;
    // The figures as the panel shows them: the read has just filled NS and NR.
    facts.ns = m_c.TxtNS->text();
    facts.nr = m_c.TxtNR->text();
    for (std::size_t i = 0; i < m_c.TxtResult.size(); ++i)
        facts.zones << QStringList{m_c.LblRes[i]->text(), m_c.TxtResult[i]->text()};
    if (const auto& last = m_configurations.last()) {
        ReportFacts::Configuration configuration{
            last->file,
            last->applied,
            ConfigurationResult::headline(last->outcome, last->applied, last->planned),
            {}};
        for (const ItemRow& row : last->outcome.rows)
            configuration.rows << ConfigurationResult::cells(row);
        facts.configuration = configuration;
    }
    return facts;
}
