#include "settings/SetSeriale.h"

#include "link/Numbers.h"
#include "link/PortGate.h"
#include "link/SerialPort.h"
#include "service/EncoderSearch.h"
#include "settings/FindEncoder.h"
#include "settings/FindProgress.h"
#include "settings/LineReading.h"
#include "settings/PendingError.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

// Finding the encoder: which port, which line settings.

void SetSeriale::CmdFind_Click() {
    startFind();
}

void SetSeriale::startFind() {
    if (!Seriale || m_findAsked)
        return;
    m_findAsked = true;
    showFind();
    m_freePort([this] { find(); });
}

void SetSeriale::freePortWith(std::function<void(std::function<void()>)> free) {
    m_freePort = std::move(free);
}

void SetSeriale::allowFind(bool allowed) {
    m_findAllowed = allowed;
    showFind();
}

void SetSeriale::showFind() {
    controls.CmdFind->setEnabled(m_findAllowed && !m_findAsked);
}

void SetSeriale::find() {
    const auto done = qScopeGuard([this] {
        m_findAsked = false;
        showFind();
    });
    // Closed while the port was being freed: the search was for a dialog no longer open.
    if (!isVisible())
        return;
    m_ownWindow = true;
    const auto own = qScopeGuard([this] { m_ownWindow = false; });
    const QList<SearchResult> results = search();
    FindEncoder chooser(results, this);
    chooser.exec();
    if (const std::optional<SearchResult> found = chooser.chosen())
        useFound(*found);
}

// The panel's port is closed meanwhile, as the probe closes it, and opened again after.
QList<SearchResult> SetSeriale::search() {
    m_gate.beginSearch();
    PendingError error;
    const bool wasOpen = Seriale->portOpen();
    if (wasOpen)
        error.attempt([this] { Seriale->setPortOpen(false); });
    const QList<PortRef> ports = EncoderSearch::defaultPorts();
    EncoderSearch search(ports, Seriale->settings(), Seriale->handshaking(), m_log);
    m_search = &search;
    QList<SearchResult> results;
    {
        FindProgress progress(search, int(ports.size()), this);
        progress.show();
        results = search.run();
    }
    m_search = nullptr;
    // A failure to open again is told by the next exchange, which opens it on demand.
    if (wasOpen)
        error.attempt([this] { Seriale->setPortOpen(true); });
    m_gate.endSearch();
    return results;
}

void SetSeriale::stopFind() {
    if (m_search)
        m_search->finish();
}

void SetSeriale::useFound(const SearchResult& found) {
    const QString number = QString::number(found.port.number);
    const auto button =
        std::find_if(controls.ComPort.begin(), controls.ComPort.end(),
                     [&number](QRadioButton* b) { return !b->isHidden() && b->text() == number; });
    if (button != controls.ComPort.end()) {
        (*button)->click();
    } else {
        controls.Combo1->setEditText(number); // as typed into the list's text
        Combo1_Click();
    }
    const LineReading line = LineReading::read(found.settings);
    const QList<std::pair<const Choices*, QString>> picks{
        {&controls.bauds, Numbers::text(line.baud)},
        {&controls.parities, line.parity},
        {&controls.dataBits, QString::number(line.dataBits)},
        {&controls.stopBits, QString::number(line.stopBits)},
    };
    for (const auto& [choices, value] : picks)
        if (QRadioButton* option = SetSerialeControls::matching(*choices, value))
            option->click();
}
