#pragma once

#include "service/SearchResult.h"
#include "settings/PortChoice.h"
#include "settings/PortProbe.h"
#include "settings/SetSerialeControls.h"

#include <QDialog>
#include <QList>
#include <functional>

class EncoderSearch;
class ExchangeLog;
class PendingError;
class PortGate;
class SerialPort;

// The serial settings dialog: probes the COM ports, edits the line settings of the
// panel's port and applies them. Created once, only ever hidden; every showing and every
// return to it starts in the compact layout with a fresh probe.
class SetSeriale : public QDialog {
    Q_OBJECT
public:
    // The gate holds back the panel's use of the port while the probe runs, and the
    // dialog's own input with it.
    explicit SetSeriale(PortGate& gate, QWidget* parent = nullptr);

    // Binds the port and marks its present settings as the defaults; the first call also
    // runs the load step.
    void Default(SerialPort& Porta, qint32 Baud1, qint32 Baud2);
    // A colour as decimal text (see Colors); a text that is not a number throws
    // std::invalid_argument, one beyond 32 bits OverflowError.
    void Sfondi(const QString& ColoreSfondo);
    void BaudColor(qint32 Color);
    // Binds the port, loads the choices from it and shows the dialog without waiting; a
    // dialog already open comes to the front and is activated afresh.
    void Setta(SerialPort& Porta);

    // True while the probe has the port set to other numbers: nothing may act on the port
    // until it is false again.
    bool loadRunning() const;
    // The number of the port the operator has in use: during the probe the number found
    // on entry, otherwise the port's own; 0 before a port is bound.
    int portInUse() const;

    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload();
    void OKButton_Click();
    void CancelButton_Click();
    void AdvButton_Click();
    void ComPort_Click(int Index);
    void ComPort_DblClick(int Index);
    void Combo1_Click();
    void CmdFind_Click();

    // What pressing Find does: once nothing else uses the port, searches every port for an
    // encoder with progress, then offers what it found; Use selects it in the dialog. One
    // search at a time: Find is disabled from the request until its result window closes.
    void startFind();
    // How the port is freed for a search: by default once the gate is idle; the panel stops
    // its polling first. free runs the search when the port is free, or drops it.
    void freePortWith(std::function<void(std::function<void()> search)> free);
    // Whether other work lets a search start now; Find shows it.
    void allowFind(bool allowed);
    // The search's tries go into this log as well.
    void logSearchesTo(ExchangeLog& log) { m_log = &log; }
    // Selects the port and line settings of a found encoder as the operator's clicks do.
    void useFound(const SearchResult& found);
    bool findRunning() const { return m_search != nullptr; }
    // Ends a search under way and returns once every port it opened is closed again.
    void stopFind();

    void setVisible(bool visible) override;
    void reject() override;

    SetSerialeControls controls;

    qint16 NumPorta = 0;
    QString Velocita;
    QString Parita;
    QString BitDati;
    QString BitStop;
    qint16 Flusso = 0;
    quint8 VistaAvanzata = 0;

signals:
    // The load step has put the port back and run the input it held back.
    void loadFinished();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Choices = QList<SetSerialeControls::Choice>;

    void storeOnSelection(const Choices& choices, std::function<void(const QString&)> store);
    QList<QRadioButton*> matchingOptions(const SerialPort& port, bool withBaud) const;
    void showCompact();
    void setOuterHeight(int twips);
    void placeFind(bool full);
    void readNumPorta();
    void choosePort(PendingError& error);
    void report(const PendingError& error);
    bool heldBack(std::function<void()> action);
    void find();
    QList<SearchResult> search();
    void showFind();

    PortGate& m_gate;
    PortChoice m_ports;
    SerialPort* Seriale = nullptr;
    PortProbe* m_probe = nullptr;
    EncoderSearch* m_search = nullptr;
    ExchangeLog* m_log = nullptr;
    std::function<void(std::function<void()>)> m_freePort;
    bool m_findAsked = false;  // from Find to the result window's closing
    bool m_findAllowed = true; // by the work of others
    bool m_loaded = false;
    bool m_activated = false;
    // A window of the dialog's own is up (its message, the search's progress or result):
    // going there is no leaving the dialog.
    bool m_ownWindow = false;
};
