#include "panel/HelpWindow.h"

#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString Manual = QStringLiteral(":/docs/manual.md");

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_text(new QTextBrowser) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Zintor Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    m_text->setObjectName(QStringLiteral("HelpText"));
    m_text->setOpenExternalLinks(true);
    m_text->document()->setDocumentMargin(12);
    m_text->setSearchPaths({QStringLiteral(":/docs")}); // the manual's pictures
    QFile file(Manual);
    m_text->setMarkdown(file.open(QIODevice::ReadOnly)
                            ? QString::fromUtf8(file.readAll())
                            : QStringLiteral("The manual is missing from this build."));
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(780, 640);
}

HelpWindow* HelpWindow::open(QWidget* parent) {
    auto* window = parent->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new HelpWindow(parent);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
