// The reply path: end mark, trim for each handshaking mode, classification and hex dump.
#include "Check.h"
#include "link/Reply.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

void checkStatus(const QString& kept) {
    const Reply::Status status = Reply::classify(kept);
    if (kept.endsWith(QStringLiteral("!?")))
        check(status.shown == QStringLiteral("!?") && status.colour == Reply::BadValue,
              "\"!?\" wins");
    else if (kept.endsWith(u'?'))
        check(status.shown == QStringLiteral("?") && status.colour == Reply::Unknown,
              "\"?\" before \">\"");
    else if (kept.endsWith(u'>'))
        check(status.shown == QStringLiteral(">") && status.colour == Reply::Acknowledged,
              "\">\" acknowledges");
    else
        check(status.shown == kept, "any other text is shown as it is");
    check(status.acknowledged == (status.colour == Reply::Acknowledged), "only \">\" acknowledges");
    check(status.shown.isEmpty() == (status.colour == Reply::Nothing), "nothing means empty");
}

void checkHexDump(const QString& reply) {
    const QStringList tokens = Reply::hexDump(reply).split(u' ', Qt::SkipEmptyParts);
    check(tokens.size() == reply.size(), "one hex token per character");
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        bool ok = false;
        check(tokens[i].toUInt(&ok, 16) == reply[i].unicode() && ok, "token is the code");
        check(tokens[i] == tokens[i].toUpper(), "upper-case hex");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString reply = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool closed = !reply.isEmpty() && reply.back() == Reply::DC1;
    const bool prompt = !reply.isEmpty() && reply.back() == u'>';
    for (int handshaking = 0; handshaking <= 3; ++handshaking) {
        check(Reply::endMarkReached(reply, handshaking) == (closed || (prompt && handshaking == 1)),
              "DC1 ends a reply, \">\" only with XON/XOFF");
        const QString kept = Reply::trimmed(reply, handshaking);
        check(reply.startsWith(kept), "trimmed is a prefix");
        check(handshaking == 0 ? kept.size() == qMax<qsizetype>(reply.size() - 1, 0)
                               : kept == reply,
              "only handshaking 0 drops the last character");
        checkStatus(kept);
    }
    checkHexDump(reply);
    return 0;
}
