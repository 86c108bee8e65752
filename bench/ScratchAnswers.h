#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <random>

class QFileDialog;
class QMessageBox;
class QPrintDialog;
class QWidget;

// Answers every file dialog and print dialog as it comes up, never with random typing: a
// file in the scratch folder (one there before the run, or a new one), one on the full disk
// that was there before it filled up, or Cancel. Their questions whether to replace a file
// get yes or no. Counts its answers.
class ScratchAnswers : public QObject {
public:
    struct Places {
        QString saves;      // a folder with a kept.<suffix> of every kind saved
        QString full;       // the same on the full disk; empty when none could be mounted
        QStringList opened; // files an open dialog may pick
    };
    ScratchAnswers(quint64 seed, Places places);

    const QMap<QString, int>& given() const { return m_given; }
    // Whether the tool answers this window, or a question it asks: no random input for it.
    static bool answers(const QWidget* window);

private:
    void look();
    void answerFile(QFileDialog* dialog);
    void answerPrint(QPrintDialog* dialog);
    void answerQuestion(QMessageBox* box);
    // A file to save to with this suffix, or empty for Cancel; counted by where.
    QString saveTarget(const QString& suffix, int cancelPercent);
    bool first(QWidget* window); // the first look at it; later looks may end a stuck one
    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_random)); }

    Places m_places;
    std::mt19937_64 m_random;
    QMap<QString, int> m_given;
    int m_new = 0;
    QTimer m_timer;
};
