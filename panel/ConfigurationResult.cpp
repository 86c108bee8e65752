#include "panel/ConfigurationResult.h"

#include "service/ItemWords.h"
#include "service/PortOutcome.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString items(qsizetype n) {
    return n == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(n);
}

qsizetype count(const PortOutcome& outcome, std::initializer_list<ItemRow::Result> results) {
    return std::count_if(outcome.rows.begin(), outcome.rows.end(), [&](const ItemRow& row) {
        return std::find(results.begin(), results.end(), row.result) != results.end();
    });
}

QString writtenOf(const PortOutcome& outcome, int planned) {
    const qsizetype written = outcome.written.size();
    return QStringLiteral("%1 written, %2 not written").arg(written).arg(planned - written);
}

} // namespace

QStringList ConfigurationResult::cells(const ItemRow& row) {
    return {row.item, row.wanted, row.found, ItemWords::of(row)};
}

QString ConfigurationResult::headline(const PortOutcome& outcome, bool applied, int planned) {
    using Result = ItemRow::Result;
    if (!outcome.failure.isEmpty())
        return QStringLiteral("Port failure: ") + outcome.failure +
               (applied ? QStringLiteral("; ") + writtenOf(outcome, planned) : QString());
    if (outcome.status == ExitStatus::Stopped)
        return QStringLiteral("Stopped: ") + writtenOf(outcome, planned);
    for (const ItemRow& row : outcome.rows)
        if (row.result == Result::Refused) {
            const QString how = row.verdict.startsWith(u"refused ") ? row.verdict.mid(8)
                                                                    : u'(' + row.verdict + u')';
            return QStringLiteral("Refused at %1 %2: %3")
                .arg(row.item, how, writtenOf(outcome, planned));
        }
    if (outcome.rows.isEmpty() && !outcome.problems.isEmpty())
        return QStringLiteral("Not read back: ") + outcome.problems.join(QStringLiteral("; "));
    if (const qsizetype differ = count(outcome, {Result::Differs, Result::NotReported}))
        return differ == 1 ? QStringLiteral("1 item differs")
                           : QStringLiteral("%1 items differ").arg(differ);
    const qsizetype equal = count(outcome, {Result::Ok});
    QString text = applied ? QStringLiteral("All %1 written and read back equal").arg(items(equal))
                           : QStringLiteral("All %1 read back equal").arg(items(equal));
    if (const qsizetype unverifiable = count(outcome, {Result::NotVerifiable}))
        text += QStringLiteral("; %1 cannot be read back").arg(unverifiable);
    return text;
}

ConfigurationResult::ConfigurationResult(const PortOutcome& outcome, bool applied, int planned,
                                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ConfigurationResult"));
    setWindowTitle(applied ? QStringLiteral("Apply configuration")
                           : QStringLiteral("Compare with configuration"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(headline(outcome, applied, planned), this);
    title->setObjectName(QStringLiteral("Headline"));
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    auto* table = new QTableWidget(int(outcome.rows.size()), 4, this);
    table->setObjectName(QStringLiteral("ResultTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Wanted"),
                                      QStringLiteral("Found"), QStringLiteral("Result")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QColor attention(255, 214, 204);
    for (int r = 0; r < int(outcome.rows.size()); ++r) {
        const ItemRow& row = outcome.rows[r];
        const QStringList texts = cells(row);
        for (int c = 0; c < int(texts.size()); ++c) {
            auto* cell = new QTableWidgetItem(texts[c]);
            if (row.needsAttention())
                cell->setBackground(attention);
            table->setItem(r, c, cell);
        }
        if (row.needsAttention())
            table->item(r, 3)->setIcon(warning);
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(440, 120 + 30 * int(outcome.rows.size()));
}
