#include "link/Reply.h"

namespace Reply {

bool endMarkReached(const QString& reply, Flow flow) {
    if (reply.isEmpty())
        return false;
    const QChar last = reply.back();
    return last == DC1 || (last == u'>' && flow == Flow::XonXoff);
}

QString position(const QString& reply) {
    const qsizetype cr = reply.indexOf(u'\r');
    if (cr < 0)
        return {};
    const qsizetype lf = reply.indexOf(u'\n', cr + 1);
    return lf < 0 ? reply.mid(cr + 1) : reply.mid(cr + 1, lf - cr - 1);
}

QString hexDump(const QString& reply) {
    QString dump;
    dump.reserve(reply.size() * 3);
    for (const QChar c : reply) {
        dump += QString::number(c.unicode(), 16).toUpper();
        dump += u' ';
    }
    return dump;
}

QString trimmed(const QString& reply, Flow flow) {
    return flow == Flow::None ? reply.left(qMax<qsizetype>(reply.size() - 1, 0)) : reply;
}

Status classify(const QString& trimmedReply) {
    if (trimmedReply.endsWith(QStringLiteral("!?")))
        return {QStringLiteral("!?"), Kind::BadValue};
    if (trimmedReply.endsWith(u'?'))
        return {QStringLiteral("?"), Kind::Unknown};
    if (trimmedReply.endsWith(u'>'))
        return {QStringLiteral(">"), Kind::Acknowledged};
    if (!trimmedReply.isEmpty())
        return {trimmedReply, Kind::Other};
    return {QString(), Kind::Nothing};
}

} // namespace Reply
