#include "settings/FindEncoder.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

using Kind = SearchResult::Kind;

int count(const QList<SearchResult>& results, Kind kind) {
    return int(std::count_if(results.begin(), results.end(),
                             [kind](const SearchResult& r) { return r.kind == kind; }));
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

FindEncoder::FindEncoder(const QList<SearchResult>& results, QWidget* parent)
    : QDialog(parent), FindTable(new QTableWidget(int(results.size()), 4, this)),
      CmdUse(new QPushButton(QStringLiteral("&Use"), this)), m_results(results) {
    setObjectName(QStringLiteral("FindEncoder"));
    setWindowTitle(QStringLiteral("Find encoder"));
    FindTable->setObjectName(QStringLiteral("FindTable"));
    CmdUse->setObjectName(QStringLiteral("CmdUse"));

    FindTable->setHorizontalHeaderLabels({"Port", "Device", "Result", "Settings"});
    FindTable->verticalHeader()->hide();
    FindTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FindTable->setSelectionMode(QAbstractItemView::SingleSelection);
    FindTable->setWordWrap(true);
    for (int row = 0; row < int(results.size()); ++row) {
        const SearchResult& r = results[row];
        FindTable->setItem(row, 0, cell(r.port.label));
        FindTable->setItem(row, 1, cell(r.device));
        FindTable->setItem(row, 2, cell(r.text(false)));
        FindTable->setItem(row, 3, cell(r.settings));
    }
    QHeaderView* header = FindTable->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    // Rows follow their wrapped texts once the columns have their widths.
    connect(header, &QHeaderView::sectionResized, FindTable, &QTableView::resizeRowsToContents);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CmdUse, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close)->setObjectName(QStringLiteral("CmdClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Only a row that found an encoder can be used.
    connect(FindTable, &QTableWidget::itemSelectionChanged, this,
            [this] { CmdUse->setEnabled(selected() != nullptr); });
    connect(FindTable, &QTableWidget::cellDoubleClicked, this, [this] {
        if (selected())
            accept();
    });

    auto* layout = new QVBoxLayout(this);
    auto* summaryLabel = new QLabel(summary(results), this);
    summaryLabel->setObjectName(QStringLiteral("LblFindSummary"));
    layout->addWidget(summaryLabel);
    layout->addWidget(FindTable);
    layout->addWidget(buttons);
    resize(760, 320);

    CmdUse->setEnabled(false);
    // One encoder found: its row is chosen, still to be confirmed with Use.
    if (count(results, Kind::Found) == 1)
        for (int row = 0; row < int(results.size()); ++row)
            if (results[row].kind == Kind::Found)
                FindTable->selectRow(row);
}

const SearchResult* FindEncoder::selected() const {
    const QList<QTableWidgetSelectionRange> ranges = FindTable->selectedRanges();
    if (ranges.isEmpty())
        return nullptr;
    const SearchResult& r = m_results[ranges.first().topRow()];
    return r.kind == Kind::Found ? &r : nullptr;
}

std::optional<SearchResult> FindEncoder::chosen() const {
    const SearchResult* r = result() == Accepted ? selected() : nullptr;
    return r ? std::optional<SearchResult>(*r) : std::nullopt;
}

QString FindEncoder::summary(const QList<SearchResult>& results) {
    const int found = count(results, Kind::Found);
    if (results.isEmpty())
        return QStringLiteral("No port to search: COM1 to COM16 lead to no device.");
    QString text;
    if (found == 1)
        text = QStringLiteral("An encoder was found. Choose it and press Use, then OK.");
    else if (found > 1)
        text =
            QStringLiteral("%1 encoders were found. Choose one and press Use, then OK.").arg(found);
    else if (count(results, Kind::CannotOpen) == int(results.size()))
        text = QStringLiteral("No encoder found: no port could be opened.");
    else
        text = results.size() == 1
                   ? QStringLiteral("No encoder found on the port.")
                   : QStringLiteral("No encoder found on %1 ports.").arg(results.size());
    if (count(results, Kind::Stopped) > 0)
        text = QStringLiteral("Stopped. ") + text;
    return text;
}
