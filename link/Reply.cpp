#include "link/Reply.h"

namespace Reply {

bool endMarkReached(const QString& reply, int handshaking) {
    if (reply.isEmpty())
        return false;
    const QChar last = reply.back();
    return last == DC1 || (last == u'>' && handshaking == 1);
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

QString trimmed(const QString& reply, int handshaking) {
    const qsizetype keep = reply.size() - 1 + handshaking;
    return keep >= reply.size() ? reply : reply.left(qMax<qsizetype>(keep, 0));
}

Status classify(const QString& trimmedReply) {
    if (trimmedReply.endsWith(QStringLiteral("!?")))
        return {QStringLiteral("!?"), BadValue, false};
    if (trimmedReply.endsWith(u'?'))
        return {QStringLiteral("?"), Unknown, false};
    if (trimmedReply.endsWith(u'>'))
        return {QStringLiteral(">"), Acknowledged, true};
    if (!trimmedReply.isEmpty())
        return {trimmedReply, Other, false};
    return {QString(), Nothing, false};
}

} // namespace Reply
