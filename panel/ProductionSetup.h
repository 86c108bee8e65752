#pragma once

#include "service/RunRecorder.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

// File > Production run…: the approved profile (checked as soon as it is chosen), station
// and operator (remembered), the records store. Start opens the store and records the run;
// what goes wrong is said in the dialog, and nothing is sent.
class ProductionSetup : public QDialog {
    Q_OBJECT
public:
    explicit ProductionSetup(QWidget* parent = nullptr);

    // After Start: the run, recorded and ready.
    std::unique_ptr<RunRecorder> takeRecorder() { return std::move(m_recorder); }

    QLineEdit* TxtProfile;
    QLineEdit* TxtStation;
    QLineEdit* TxtOperator;
    QLineEdit* TxtRecords;
    QLabel* LblProfileCheck;
    QLabel* LblProblem;
    QPushButton* CmdStartRun;

private:
    void browse();
    void checkProfile();
    void start();

    std::unique_ptr<RunRecorder> m_recorder;
};
