#include "ScriptedPanel.h"

#include "settings/SetSeriale.h"

#include <QTimer>

void ScriptedPanel::acknowledged(bool ok) {
    const QString reply = port.script.reply;
    const QString wire = port.wire;
    port.script.reply = QString(ok ? u'>' : u'?') + QChar(17);
    send(QStringLiteral("ZERO"));
    port.script.reply = reply;
    port.wire = wire;
}

void ScriptedPanel::serialLineClosedWith(Flow flow) {
    port.setHandshaking(int(flow));
    QTimer::singleShot(0, &form, [this] { form.dialog().hide(); });
    form.Command1_Click();
}
