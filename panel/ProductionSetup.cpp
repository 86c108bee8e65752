#include "panel/ProductionSetup.h"

#include "panel/FileChooser.h"
#include "platform/SettingsStore.h"
#include "service/Programmer.h"
#include "service/StoreError.h"
#include "service/UsageError.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Section = QStringLiteral("production");

QString remembered(const QString& key) {
    return SettingsStore::GetSetting(SettingsStore::Application, Section, key, {});
}

QLineEdit* field(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(200);
    return edit;
}

} // namespace

ProductionSetup::ProductionSetup(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProductionSetup"));
    setWindowTitle(QStringLiteral("Production run"));
    TxtProfile = field(this, "TxtProfile", remembered("profile"));
    TxtStation = field(this, "TxtStation", remembered("station"));
    TxtOperator = field(this, "TxtOperator", remembered("operator"));
    TxtRecords = field(this, "TxtRecords", remembered("records"));
    TxtRecords->setMaxLength(1000);
    TxtRecords->setPlaceholderText(StoreAddress::defaultFile());
    TxtRecords->setToolTip(QStringLiteral("A SQLite file, or postgresql://user@host:port/dbname"
                                          "; empty: the file shown"));
    TxtRecords->setMinimumWidth(420);
    auto* browse = new QPushButton(QStringLiteral("Browse…"), this);
    browse->setObjectName(QStringLiteral("CmdBrowseProfile"));
    LblProfileCheck = new QLabel(this);
    LblProfileCheck->setObjectName(QStringLiteral("LblProfileCheck"));
    LblProfileCheck->setWordWrap(true);
    LblProblem = new QLabel(this);
    LblProblem->setObjectName(QStringLiteral("LblProblem"));
    LblProblem->setWordWrap(true);
    LblProblem->setStyleSheet(QStringLiteral("color: #b00000"));

    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(TxtProfile, 1);
    profileRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Approved profile:"), profileRow);
    form->addRow(QString(), LblProfileCheck);
    form->addRow(QStringLiteral("Station:"), TxtStation);
    form->addRow(QStringLiteral("Operator:"), TxtOperator);
    form->addRow(QStringLiteral("Records store:"), TxtRecords);
    auto* buttons = new QDialogButtonBox(this);
    CmdStartRun = buttons->addButton(QStringLiteral("Start"), QDialogButtonBox::AcceptRole);
    CmdStartRun->setObjectName(QStringLiteral("CmdStartRun"));
    buttons->addButton(QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(LblProblem);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &ProductionSetup::browse);
    connect(TxtProfile, &QLineEdit::editingFinished, this, &ProductionSetup::checkProfile);
    connect(CmdStartRun, &QPushButton::clicked, this, &ProductionSetup::start);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    checkProfile();
}

void ProductionSetup::browse() {
    const QString file = FileChooser::open(this, QStringLiteral("Approved profile"),
                                           QStringLiteral("Profiles (*.profile);;All files (*)"));
    if (file.isEmpty())
        return;
    TxtProfile->setText(file);
    checkProfile();
}

void ProductionSetup::checkProfile() {
    if (TxtProfile->text().isEmpty())
        return LblProfileCheck->setText(QStringLiteral("Choose the approved profile."));
    try {
        QStringList items;
        for (const Profile::Item& item : Programmer::writable(Profile::load(TxtProfile->text())))
            items << item.name + u'=' + item.value;
        LblProfileCheck->setStyleSheet(QStringLiteral("color: #006000"));
        LblProfileCheck->setText(QStringLiteral("Writes %1").arg(items.join(QStringLiteral(", "))));
    } catch (const UsageError& e) {
        LblProfileCheck->setStyleSheet(QStringLiteral("color: #b00000"));
        LblProfileCheck->setText(e.text());
    }
}

void ProductionSetup::start() {
    const QString station = TxtStation->text().trimmed();
    const QString operatorName = TxtOperator->text().trimmed();
    if (station.isEmpty() || operatorName.isEmpty())
        return LblProblem->setText(QStringLiteral("Name the station and the operator."));
    try {
        m_recorder = std::make_unique<RunRecorder>(RunRecorder::Setup{
            TxtProfile->text(), station, operatorName, TxtRecords->text().trimmed(), {}});
    } catch (const UsageError& e) {
        return LblProblem->setText(e.text());
    } catch (const StoreError& e) {
        return LblProblem->setText(e.text());
    }
    SettingsStore::SaveSetting(SettingsStore::Application, Section, "profile", TxtProfile->text());
    SettingsStore::SaveSetting(SettingsStore::Application, Section, "station", station);
    SettingsStore::SaveSetting(SettingsStore::Application, Section, "operator", operatorName);
    SettingsStore::SaveSetting(SettingsStore::Application, Section, "records",
                               TxtRecords->text().trimmed());
    accept();
}
