#include "panel/Configurations.h"

#include "link/SerialPort.h"
#include "panel/ConfigurationResult.h"
#include "panel/FileChooser.h"
#include "panel/FileWriter.h"
#include "panel/GatedWork.h"
#include "panel/PanelExchanger.h"
#include "platform/MessageBox.h"
#include "platform/PortMap.h"
#include "service/ItemWords.h"
#include "service/Programmer.h"
#include "service/UsageError.h"
#include "service/VisibleText.h"

#include <QDateTime>
#include <QPointer>
#include <QProgressDialog>
#include <memory>

namespace {

const QString Filter = QStringLiteral("Profiles (*.profile);;All files (*)");

QString comLabel(int number) {
    return QStringLiteral("COM") + QString::number(number);
}

// What the apply's progress says: the item being written, or the read-back.
QString progressText(int n, int m, const QString& item) {
    return item.isEmpty() ? QStringLiteral("Reading the listing back")
                          : QStringLiteral("Writing %1: item %2 of %3").arg(item).arg(n).arg(m);
}

} // namespace

Configurations::Configurations(QWidget& window, SerialPort& port, PortGate& gate,
                               RecordingView& view, PanelState& state, GatedWork& work)
    : m_window(window), m_port(port), m_gate(gate), m_view(view), m_state(state), m_work(work) {}

PortOutcome Configurations::freshOutcome() const {
    PortOutcome outcome;
    outcome.port = PortRef{m_port.commPort(), comLabel(m_port.commPort())};
    return outcome;
}

void Configurations::save() {
    read(QStringLiteral("Nothing was saved"),
         [this](const PortOutcome& outcome) { saveRead(outcome); });
}

void Configurations::read(const QString& nothing, std::function<void(const PortOutcome&)> use) {
    auto outcome = std::make_shared<PortOutcome>(freshOutcome());
    const auto step = [outcome](Programmer& programmer) {
        programmer.read(PortMap::devicePath(outcome->port.number));
    };
    program(outcome, step, [this, nothing, outcome, use = std::move(use)] {
        if (!outcome->profile.isEmpty())
            return use(*outcome);
        const QString why = outcome->failure.isEmpty()
                                ? outcome->problems.join(QStringLiteral("; "))
                                : outcome->failure;
        MessageBox::show(&m_window, QMessageBox::Warning,
                         QStringLiteral("%1: the configuration of the encoder on %2 could not "
                                        "be read.\n%3")
                             .arg(nothing, comLabel(outcome->port.number), why));
    });
}

void Configurations::program(const std::shared_ptr<PortOutcome>& outcome,
                             const std::function<void(Programmer&)>& step,
                             std::function<void()> then, Programmer::Progress progress) {
    m_stop = false;
    const auto work = [this, outcome, step, progress = std::move(progress)] {
        PanelExchanger exchanger(m_gate, m_view, *outcome, m_state);
        Programmer programmer(exchanger, *outcome, m_stop, progress);
        step(programmer);
    };
    m_work.run(work, std::move(then));
}

void Configurations::apply() {
    QString file;
    const std::optional<Profile> profile =
        chooseProfile(QStringLiteral("Apply configuration"), file);
    if (profile && confirmed(*profile))
        run(Operation::Apply, *profile, file);
}

void Configurations::compare() {
    QString file;
    if (const std::optional<Profile> profile =
            chooseProfile(QStringLiteral("Compare with configuration"), file))
        run(Operation::Compare, *profile, file);
}

std::optional<Profile> Configurations::chooseProfile(const QString& caption, QString& file) {
    file = FileChooser::open(&m_window, caption, Filter);
    if (file.isEmpty())
        return std::nullopt;
    try {
        return Profile::load(file); // nothing reaches the wire from a refused profile
    } catch (const UsageError& e) {
        MessageBox::show(&m_window, QMessageBox::Warning, e.text());
        return std::nullopt;
    }
}

bool Configurations::confirmed(const Profile& profile) {
    QStringList items;
    for (const Profile::Item& item : Programmer::writable(profile))
        items << item.name + u'=' + VisibleText::brief(item.value); // a long value is cut
    QMessageBox box(QMessageBox::Question, QStringLiteral("Zintor"),
                    QStringLiteral("Write %1 to the encoder on %2?")
                        .arg(items.join(QStringLiteral(", ")), comLabel(m_port.commPort())),
                    QMessageBox::Yes | QMessageBox::No, &m_window);
    box.setObjectName(QStringLiteral("ConfirmApply"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Configurations::run(Operation operation, const Profile& profile, const QString& file) {
    auto outcome = std::make_shared<PortOutcome>(freshOutcome());
    const int planned = int(Programmer::writable(profile).size());
    QPointer<QProgressDialog> progress;
    if (operation == Operation::Apply) {
        progress = new QProgressDialog(progressText(0, planned, {}), QStringLiteral("Cancel"), 0,
                                       planned, &m_window);
        progress->setObjectName(QStringLiteral("ConfigurationProgress"));
        progress->setWindowTitle(QStringLiteral("Apply configuration"));
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setMinimumDuration(0);
        connect(progress, &QProgressDialog::canceled, this, [this, progress] {
            m_stop = true;
            progress->setLabelText(QStringLiteral("Stopping once the running exchange ends"));
        });
        progress->show();
    }
    const auto step = [operation, profile](Programmer& programmer) {
        if (operation == Operation::Apply)
            programmer.apply(profile);
        else
            programmer.verify(profile);
    };
    const auto then = [this, operation, profile, file, outcome, progress, planned] {
        if (progress) {
            // Hidden rather than closed: closing a progress dialog cancels it, and there is
            // nothing left to stop.
            progress->hide();
            progress->deleteLater();
        }
        // An apply that ended before its read-back says what the encoder holds of it now.
        if (operation == Operation::Apply)
            ItemWords::cutShort(*outcome, profile);
        showResult({file, operation == Operation::Apply, planned, *outcome});
    };
    program(outcome, step, then, [progress](int n, int m, const QString& item) {
        if (!progress || progress->wasCanceled())
            return;
        progress->setValue(item.isEmpty() ? m : n - 1);
        progress->setLabelText(progressText(n, m, item));
    });
}

void Configurations::saveRead(const PortOutcome& outcome) {
    const QString port = comLabel(outcome.port.number);
    const QString suggested =
        QStringLiteral("encoder-%1-%2.profile")
            .arg(port, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
    const QString file =
        FileChooser::save(&m_window, QStringLiteral("Save configuration"), suggested, Filter);
    if (file.isEmpty())
        return;
    FileWriter::write(&m_window, file, outcome.profile.toLatin1());
}

void Configurations::showResult(Result result) {
    ConfigurationResult dialog(result.outcome, result.applied, result.planned, &m_window);
    m_last = std::move(result);
    dialog.exec();
}
