#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The menu bar above the panel's designed area: configurations, records, the serial line,
// help.
// Each action carries its name as objectName.
struct Form1Menu {
    explicit Form1Menu(QWidget* window);

    QMenuBar* bar;
    QMenu* MenuFile;
    QAction* ActSaveConfiguration;
    QAction* ActApplyConfiguration;
    QAction* ActCompareConfiguration;
    QAction* ActSaveLog;
    QAction* ActSaveReportPdf;
    QAction* ActPrintReport;
    QAction* ActQuit;
    QAction* ActSerialLine;
    QAction* ActFindEncoder;
    QAction* ActHelp;
    QAction* ActAbout;
    QAction* ActAboutQt;
};
