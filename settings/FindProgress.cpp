#include "settings/FindProgress.h"

#include "service/EncoderSearch.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString portsDone(int done, int total) {
    return QStringLiteral("%1 of %2 ports done").arg(done).arg(total);
}

} // namespace

FindProgress::FindProgress(EncoderSearch& search, int ports, QWidget* parent)
    : QDialog(parent), m_search(search), m_ports(new QLabel(portsDone(0, ports), this)),
      m_trying(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("FindProgress"));
    setWindowTitle(QStringLiteral("Find encoder"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* what = new QLabel(QStringLiteral("Looking for an encoder on every port, at every line "
                                           "setting.\nOnly the position is asked for (POS); "
                                           "nothing is changed."),
                            this);
    for (QLabel* label : {what, m_ports, m_trying})
        layout->addWidget(label);
    m_bar->setRange(0, ports);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    m_cancel->setObjectName(QStringLiteral("CmdCancelFind"));
    m_trying->setMinimumWidth(m_trying->fontMetrics().horizontalAdvance(
        QStringLiteral("Trying COM255 at 115200,O,7,1 ...")));
    connect(m_cancel, &QPushButton::clicked, this, &FindProgress::reject);
    connect(&search, &EncoderSearch::trying, this, &FindProgress::trying);
    connect(&search, &EncoderSearch::portFinished, this,
            [this](const SearchResult&, int done, int total) { portDone(done, total); });
}

void FindProgress::reject() {
    m_search.stop();
    m_cancel->setEnabled(false);
    m_trying->setText(QStringLiteral("Stopping: the tries under way finish first ..."));
}

void FindProgress::trying(const QString& port, const QString& settings) {
    if (!m_search.stopping())
        m_trying->setText(QStringLiteral("Trying %1 at %2").arg(port, settings));
}

void FindProgress::portDone(int done, int total) {
    m_ports->setText(portsDone(done, total));
    m_bar->setValue(done);
}
