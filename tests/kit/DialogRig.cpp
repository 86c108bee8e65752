#include "DialogRig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

DialogRig::DialogRig(const QList<int>& present) {
    port.present = QSet<int>(present.begin(), present.end());
    dialog.Default(port, 9600, 0);
    port.log.clear();
}

QRadioButton* DialogRig::option(const QString& name) const {
    auto* found = dialog.findChild<QRadioButton*>(name);
    if (!found)
        qFatal("no option %s", qPrintable(name));
    return found;
}

QStringList DialogRig::selectedOptions() const {
    QStringList names;
    for (QRadioButton* option : std::as_const(c.lineOptions))
        if (option->isChecked())
            names.append(option->objectName());
    names.sort();
    return names;
}

void DialogRig::type(const QString& text) {
    c.Combo1->lineEdit()->selectAll();
    QTest::keyClick(c.Combo1->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(c.Combo1->lineEdit(), text);
}

void DialogRig::doubleClick(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mouseDClick(widget, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton);
}
