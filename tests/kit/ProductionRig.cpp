#include "ProductionRig.h"

#include "panel/Form1.h"
#include "panel/ProductionRun.h"
#include "panel/ProductionSetup.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace ProductionRig {

ProductionRun* start(Form1& form, const QString& profile, const QString& store,
                     const std::function<void(ProductionSetup*)>& before) {
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* setup = qobject_cast<ProductionSetup*>(w);
            if (!setup || !setup->isVisible())
                continue;
            setup->TxtProfile->setText(profile);
            emit setup->TxtProfile->editingFinished();
            setup->TxtStation->setText(QStringLiteral("Bench 1"));
            setup->TxtOperator->setText(QStringLiteral("Ann"));
            setup->TxtRecords->setText(store);
            if (before)
                before(setup);
            setup->CmdStartRun->click();
        }
    });
    form.findChild<QAction*>(QStringLiteral("ActProductionRun"))->trigger();
    return form.production().running();
}

void scan(ProductionRun* run, const QString& serial) {
    QTest::keyClicks(run->SerialEntry, serial);
    QTest::keyClick(run->SerialEntry, Qt::Key_Return);
}

} // namespace ProductionRig
