#pragma once

#include <QWidget>

class QTextBrowser;

// The operator's manual in a window of its own beside the panel. Its text is the
// manual's markdown, compiled into the program.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the one help window of parent, made at its first use, in front.
    static HelpWindow* open(QWidget* parent);

private:
    QTextBrowser* m_text;
};
