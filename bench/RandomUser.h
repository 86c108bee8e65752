#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <random>

class Form1;
class QWidget;

// A user at random, from a seeded generator: clicks on the enabled controls of a window
// that takes input, keys (Enter, Escape, Tab, digits, letters, the menu's shortcuts) and
// menu entries, in bursts and with pauses. Each input comes from a timer, so it arrives
// inside whatever wait the window is in, as a user's does. Never the panel's Quit.
class RandomUser : public QObject {
public:
    RandomUser(quint64 seed, Form1& form);

    void start();
    void stop() { m_running = false; }
    const QMap<QString, int>& given() const { return m_given; }

private:
    void next();
    void act();
    QWidget* target();
    void click(QWidget* window);
    void doubleClick(QWidget* window);
    void key(QWidget* window);
    void shortcut();
    void menu();
    void close(QWidget* window);

    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_random)); }

    std::mt19937_64 m_random;
    Form1& m_form;
    QMap<QString, int> m_given;
    int m_burst = 0;
    bool m_running = false;
};
