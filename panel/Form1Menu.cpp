#include "panel/Form1Menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* action(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {}) {
    QAction* act = menu->addAction(text);
    act->setObjectName(QString::fromLatin1(name));
    act->setShortcut(keys);
    return act;
}

} // namespace

Form1Menu::Form1Menu(QWidget* window) : bar(new QMenuBar(window)) {
    bar->setObjectName(QStringLiteral("MenuBar"));
    QMenu* file = MenuFile = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    ActSaveConfiguration = action(file, "ActSaveConfiguration",
                                  QStringLiteral("&Save configuration…"), QKeySequence::Save);
    ActApplyConfiguration = action(file, "ActApplyConfiguration",
                                   QStringLiteral("&Apply configuration…"), QKeySequence::Open);
    ActCompareConfiguration =
        action(file, "ActCompareConfiguration", QStringLiteral("&Compare with configuration…"));
    file->addSeparator(); // the records a technician hands over
    ActSaveReportPdf = action(file, "ActSaveReportPdf", QStringLiteral("Save &report as PDF…"));
    ActPrintReport =
        action(file, "ActPrintReport", QStringLiteral("&Print report…"), QKeySequence::Print);
    ActSaveLog = action(file, "ActSaveLog", QStringLiteral("Save exchange &log…"));
    file->addSeparator();
    ActQuit = action(file, "ActQuit", QStringLiteral("&Quit"), QKeySequence::Quit);

    QMenu* line = bar->addMenu(QStringLiteral("&Line"));
    line->setObjectName(QStringLiteral("MenuLine"));
    ActSerialLine = action(line, "ActSerialLine", QStringLiteral("&Serial line…"));
    ActFindEncoder = action(line, "ActFindEncoder", QStringLiteral("&Find encoder…"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    ActHelp = action(help, "ActHelp", QStringLiteral("Zintor &Help"), QKeySequence::HelpContents);
    help->addSeparator();
    ActAbout = action(help, "ActAbout", QStringLiteral("&About Zintor"));
    ActAboutQt = action(help, "ActAboutQt", QStringLiteral("About &Qt"));
}
