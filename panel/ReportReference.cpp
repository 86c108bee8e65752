#include "panel/ReportReference.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Room for a machine's name, its unit and an axis; a report's line holds no essay.
constexpr int LongestReference = 120;

} // namespace

ReportReference::ReportReference(const QString& caption, const QString& reference, QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(reference, this)) {
    setObjectName(QStringLiteral("ReportReference"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Machine or unit the report is for:"), this);
    label->setObjectName(QStringLiteral("LblReference"));
    label->setBuddy(m_text);
    layout->addWidget(label);
    m_text->setObjectName(QStringLiteral("TxtReference"));
    m_text->setMaxLength(LongestReference);
    m_text->setPlaceholderText(QStringLiteral("e.g. Press 4, axis X"));
    m_text->setMinimumWidth(320);
    m_text->selectAll();
    layout->addWidget(m_text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ReferenceButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString ReportReference::reference() const {
    return m_text->text().trimmed();
}
