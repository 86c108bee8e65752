#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers every message box that comes up with OK and remembers what it said.
class MessageCatcher : public QObject {
    Q_OBJECT
public:
    MessageCatcher();

    QStringList texts;
    QList<QMessageBox::Icon> icons;
    QStringList titles;

private:
    void look();
    QTimer m_timer;
};
