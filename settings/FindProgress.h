#pragma once

#include <QDialog>

class EncoderSearch;
class QLabel;
class QProgressBar;
class QPushButton;

// The progress of the search for an encoder: ports done of all, the port being tried with
// its settings, and Cancel, which stops the search once the tries under way are over.
// Modal for the whole application while it is up, so nothing else reaches the port.
class FindProgress : public QDialog {
    Q_OBJECT
public:
    FindProgress(EncoderSearch& search, int ports, QWidget* parent);

    void reject() override; // Cancel, Escape and the close box stop the search

private:
    void trying(const QString& port, const QString& settings);
    void portDone(int done, int total);

    EncoderSearch& m_search;
    QLabel* m_ports;
    QLabel* m_trying;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};
