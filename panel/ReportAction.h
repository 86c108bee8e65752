#pragma once

#include <QObject>
#include <QString>

class Configurations;
class QWidget;
class SerialPort;
struct Form1Controls;
struct PortOutcome;
struct ReportFacts;

// The configuration report of the File menu, saved as PDF or printed. It reads the listing
// and the position first, so that it shows what the encoder holds now.
class ReportAction : public QObject {
    Q_OBJECT
public:
    ReportAction(QWidget& window, const Form1Controls& controls, const SerialPort& port,
                 Configurations& configurations);

    void savePdf();
    void print();

private:
    // The operator's reference, asked in the report's dialog; false when cancelled.
    bool askReference(const QString& caption);
    // What the read found, with the panel's figures and the run's latest configuration.
    ReportFacts facts(const PortOutcome& outcome) const;

    QWidget& m_window;
    const Form1Controls& m_c;
    const SerialPort& m_port;
    Configurations& m_configurations;
    QString m_reference; // kept for the next report of the run
};
