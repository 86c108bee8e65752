#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Standard input, line by line, as the event loop sees it arrive: a scanner typing into a
// terminal, a pipe, a file. A line longer than the bound is refused whole, not cut.
class InputLines : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype MaxLine = 1024;

    // line: its number from 1, its text without the line end; tooLong: the text is empty.
    using Line = std::function<void(int number, const QString& text, bool tooLong)>;
    InputLines(Line line, std::function<void()> ended, QObject* parent = nullptr);

    // No more lines are read or told.
    void stop();

private:
    void readable();
    void take(const QByteArray& line);

    QSocketNotifier* m_notifier;
    Line m_line;
    std::function<void()> m_ended;
    QByteArray m_pending;
    bool m_skipping = false; // the rest of a line too long
    int m_number = 0;
};
