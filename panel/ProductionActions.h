#pragma once

#include "panel/ProductionRun.h"

#include <QObject>
#include <QPointer>

// File > Production run… and File > Records…: the setup, then the run window on the
// panel's port; the records window on the store the last run used.
class ProductionActions : public QObject {
    Q_OBJECT
public:
    ProductionActions(QWidget& window, const ProductionRun::Panel& panel);
    // The run window goes first: it ends its run on the panel it locked.
    ~ProductionActions() override;

    void openRun();
    void openRecords();
    ProductionRun* running() const { return m_run; }

private:
    QWidget& m_window;
    ProductionRun::Panel m_panel;
    QPointer<ProductionRun> m_run;
};
