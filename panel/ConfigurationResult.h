#pragma once

#include <QDialog>

struct ItemRow;
struct PortOutcome;

// How an apply or a compare ended: a headline, then a table of item, wanted, found and
// result, the rows that need the operator's attention marked by an icon and a colour.
class ConfigurationResult : public QDialog {
    Q_OBJECT
public:
    // planned: the items the apply meant to write (0 for a compare).
    ConfigurationResult(const PortOutcome& outcome, bool applied, int planned,
                        QWidget* parent = nullptr);

    // "All 6 items written and read back equal", "2 items differ",
    // "Refused at NR (!?): 3 written, 3 not written", "Port failure: …"
    static QString headline(const PortOutcome& outcome, bool applied, int planned);
    // A row of the table: item, wanted, found and the result in words.
    static QStringList cells(const ItemRow& row);
};
