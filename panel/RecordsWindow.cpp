#include "panel/RecordsWindow.h"

#include "panel/FileChooser.h"
#include "panel/FileWriter.h"
#include "platform/MessageBox.h"
#include "service/RecordCsv.h"
#include "service/StoreError.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The earliest day a filter offers; at it, the date edit reads "any".
const QDate Open(2000, 1, 1);

QDateEdit* dayEdit(QWidget* parent, const char* name) {
    auto* edit = new QDateEdit(Open, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumDate(Open);
    edit->setSpecialValueText(QStringLiteral("any day"));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return edit;
}

QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(0, int(headers.size()), parent);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(headers);
    t->horizontalHeader()->setStretchLastSection(true);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

void fillRow(QTableWidget* t, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c)
        t->setItem(row, c, new QTableWidgetItem(cells[c]));
}

} // namespace

RecordsWindow::RecordsWindow(const StoreAddress& address, QWidget* parent)
    : QDialog(parent), m_store(address) {
    setObjectName(QStringLiteral("RecordsWindow"));
    setWindowTitle(QStringLiteral("Records: ") + address.text());
    FilterSerial = new QLineEdit(this);
    FilterSerial->setObjectName(QStringLiteral("FilterSerial"));
    FilterSerial->setPlaceholderText(QStringLiteral("any serial"));
    FilterSerial->setMaxLength(64);
    FilterSince = dayEdit(this, "FilterSince");
    FilterUntil = dayEdit(this, "FilterUntil");
    FilterOutcome = new QComboBox(this);
    FilterOutcome->setObjectName(QStringLiteral("FilterOutcome"));
    FilterOutcome->addItems({"Any outcome", "Passed", "Failed"});
    ActExportRecords = new QAction(QStringLiteral("Export CSV…"), this);
    ActExportRecords->setObjectName(QStringLiteral("ActExportRecords"));
    auto* exportButton = new QToolButton(this);
    exportButton->setObjectName(QStringLiteral("CmdExportRecords"));
    exportButton->setDefaultAction(ActExportRecords);
    LblCount = new QLabel(this);
    LblCount->setObjectName(QStringLiteral("LblCount"));
    RecordsTable = table(
        this, "RecordsTable",
        {"Started", "Serial", "Outcome", "Port", "Station", "Operator", "Profile", "Headline"});
    RecordsTable->setColumnWidth(0, 150); // a whole date and time
    RecordItems = table(this, "RecordItems", {"Item", "Wanted", "Found", "Result"});

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Serial:"), this));
    filters->addWidget(FilterSerial);
    filters->addWidget(new QLabel(QStringLiteral("From:"), this));
    filters->addWidget(FilterSince);
    filters->addWidget(new QLabel(QStringLiteral("To:"), this));
    filters->addWidget(FilterUntil);
    filters->addWidget(FilterOutcome);
    filters->addStretch();
    filters->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(LblCount);
    layout->addWidget(RecordsTable, 3);
    layout->addWidget(RecordItems, 1);
    resize(980, 620);

    connect(FilterSerial, &QLineEdit::textChanged, this, &RecordsWindow::refresh);
    connect(FilterSince, &QDateEdit::dateChanged, this, &RecordsWindow::refresh);
    connect(FilterUntil, &QDateEdit::dateChanged, this, &RecordsWindow::refresh);
    connect(FilterOutcome, &QComboBox::currentIndexChanged, this, &RecordsWindow::refresh);
    connect(RecordsTable, &QTableWidget::itemSelectionChanged, this, &RecordsWindow::showItems);
    connect(ActExportRecords, &QAction::triggered, this, &RecordsWindow::exportCsv);
    refresh();
}

RecordsWindow::~RecordsWindow() = default;

RecordFilter RecordsWindow::filter() const {
    RecordFilter filter;
    filter.serial = FilterSerial->text().trimmed();
    if (FilterSince->date() != Open)
        filter.since = FilterSince->date();
    if (FilterUntil->date() != Open)
        filter.until = FilterUntil->date();
    filter.outcome = RecordFilter::Outcome(FilterOutcome->currentIndex());
    filter.newestFirst = true;
    return filter;
}

void RecordsWindow::refresh() {
    RecordFilter shown = filter();
    shown.limit = Shown;
    try {
        m_units = m_store.units(shown);
        const qsizetype all = m_store.count(shown);
        LblCount->setText(all > m_units.size()
                              ? QStringLiteral("The newest %1 of %2 units; narrow the filter "
                                               "to see others")
                                    .arg(m_units.size())
                                    .arg(all)
                              : QStringLiteral("%1 units").arg(all));
    } catch (const StoreError& e) {
        m_units.clear();
        LblCount->setText(e.text());
    }
    RecordsTable->setUpdatesEnabled(false);
    RecordsTable->clearContents();
    RecordsTable->setRowCount(int(m_units.size()));
    for (int row = 0; row < m_units.size(); ++row) {
        const Records::Unit& u = m_units[row];
        fillRow(RecordsTable, row,
                {u.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), u.serial,
                 Records::outcomeName(u.outcome), u.port, u.station, u.operatorName, u.profileFile,
                 u.headline});
    }
    RecordsTable->setUpdatesEnabled(true);
    RecordItems->setRowCount(0);
}

void RecordsWindow::showItems() {
    const int row = RecordsTable->currentRow();
    RecordItems->setRowCount(0);
    if (row < 0 || row >= m_units.size())
        return;
    try {
        const QList<Records::Item> items = m_store.items(m_units[row].id);
        RecordItems->setRowCount(int(items.size()));
        for (int i = 0; i < items.size(); ++i)
            fillRow(RecordItems, i,
                    {items[i].item, items[i].wanted, items[i].found, items[i].result});
    } catch (const StoreError& e) {
        LblCount->setText(e.text());
    }
}

void RecordsWindow::exportCsv() {
    const QString file = FileChooser::save(
        this, QStringLiteral("Export records"),
        QStringLiteral("records-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate)),
        QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (file.isEmpty())
        return;
    QList<Records::Unit> units;
    try {
        units = m_store.units(filter());
        for (Records::Unit& unit : units)
            unit.items = m_store.items(unit.id);
    } catch (const StoreError& e) {
        return MessageBox::show(this, QMessageBox::Warning,
                                QStringLiteral("Nothing was exported.\n") + e.text());
    }
    QString text = RecordCsv::header();
    for (const Records::Unit& unit : units)
        text += RecordCsv::rows(unit);
    FileWriter::write(this, file, text.toUtf8());
}
