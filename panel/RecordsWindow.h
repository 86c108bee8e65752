#pragma once

#include "service/RecordStore.h"

#include <QDialog>
#include <memory>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

// File > Records…: the recorded units, newest first, filtered by serial, days and outcome;
// a unit's items on selection; Export CSV… writes every unit the filter finds.
class RecordsWindow : public QDialog {
    Q_OBJECT
public:
    // Shown at most: a filter narrows a long history down.
    static constexpr int Shown = 1000;

    // Throws StoreError when the store cannot be opened.
    explicit RecordsWindow(const StoreAddress& address, QWidget* parent = nullptr);
    ~RecordsWindow() override;

    // Fills the table from the filter; the time it took, for the bench.
    void refresh();
    RecordFilter filter() const;

    QLineEdit* FilterSerial;
    QDateEdit* FilterSince;
    QDateEdit* FilterUntil;
    QComboBox* FilterOutcome;
    QLabel* LblCount;
    QTableWidget* RecordsTable;
    QTableWidget* RecordItems;
    QAction* ActExportRecords;

private:
    void showItems();
    void exportCsv();

    RecordStore m_store;
    QList<Records::Unit> m_units;
};
