#pragma once

#include <QDialog>

class QLineEdit;

// Asks which machine or unit a configuration report is for.
class ReportReference : public QDialog {
    Q_OBJECT
public:
    // reference: the one typed for the run's previous report, offered again.
    ReportReference(const QString& caption, const QString& reference, QWidget* parent = nullptr);

    QString reference() const;

private:
    QLineEdit* m_text;
};
