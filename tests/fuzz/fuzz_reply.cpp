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
        check(status.shown == QStringLiteral("!?") && status.kind == Reply::Kind::BadValue,
              "\"!?\" wins");
    else if (kept.endsWith(u'?'))
        check(status.shown == QStringLiteral("?") && status.kind == Reply::Kind::Unknown,
              "\"?\" before \">\"");
    else if (kept.endsWith(u'>'))
        check(status.shown == QStringLiteral(">") && status.kind == Reply::Kind::Acknowledged,
              "\">\" acknowledges");
    else
        check(status.shown == kept, "any other text is shown as it is");
    check(status.shown.isEmpty() == (status.kind == Reply::Kind::Nothing), "nothing means empty");
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
    for (const Flow flow : {Flow::None, Flow::XonXoff, Flow::RtsCts, Flow::Both}) {
        check(Reply::endMarkReached(reply, flow) == (closed || (prompt && flow == Flow::XonXoff)),
              "DC1 ends a reply, \">\" only with XON/XOFF");
        const QString kept = Reply::trimmed(reply, flow);
        check(reply.startsWith(kept), "trimmed is a prefix");
        check(flow == Flow::None ? kept.size() == qMax<qsizetype>(reply.size() - 1, 0)
                                 : kept == reply,
              "only handshaking 0 drops the last character");
        checkStatus(kept);
    }
    checkHexDump(reply);
    return 0;
}
