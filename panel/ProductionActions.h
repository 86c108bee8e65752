#pragma once

#include "panel/ProductionPanel.h"

#include <QObject>
#include <QPointer>

class ProductionRun;
class QAction;
class QWidget;
class RecordsWindow;
struct Form1Menu;

// File > Production run… and File > Records…: the setup, then the run window on the
// panel's port; the records window on the store the last run used. Both follow the menu's
// lock, one window of each at most. The Windows build's Qt has no SQL module: there the
// menu has neither entry (ProductionActionsWindows.cpp).
class ProductionActions : public QObject {
    Q_OBJECT
public:
    ProductionActions(QWidget& window, Form1Menu& menu, const ProductionPanel& panel);
    // The run window goes first: it ends its run on the panel it locked.
    ~ProductionActions() override;

    // The open run window, if any.
    ProductionRun* running() const;

private:
    void openRun();
    void openRecords();

    QWidget& m_window;
    ProductionPanel m_panel;
    QPointer<ProductionRun> m_run;
    QPointer<RecordsWindow> m_records;
};
