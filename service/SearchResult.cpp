#include "service/SearchResult.h"

#include "service/VisibleText.h"

namespace {

// A reply is shown in one line of a table or a terminal: its start tells enough.
constexpr qsizetype ShownReply = 40;

QString tried(int tries) {
    return tries == 1 ? QStringLiteral("1 setting tried")
                      : QStringLiteral("%1 settings tried").arg(tries);
}

} // namespace

QString SearchResult::text(bool withSettings) const {
    const QString at = withSettings ? QStringLiteral(" at ") + settings : QString();
    switch (kind) {
    case Kind::Found:
        return QStringLiteral("found%1, position %2 (%3)").arg(at, position, tried(tries));
    case Kind::Refuses:
        return QStringLiteral("answers%1, but refuses POS: %2%3")
            .arg(at, VisibleText::of(reply.left(ShownReply)),
                 reply.size() > ShownReply ? QStringLiteral("...") : QString());
    case Kind::NoAnswer:
        return QStringLiteral("no answer (%1)").arg(tried(tries));
    case Kind::CannotOpen:
        return QStringLiteral("cannot open: ") + failure;
    case Kind::Failed:
        return QStringLiteral("failed after %1: %2").arg(tried(tries), failure);
    case Kind::Stopped:
        return QStringLiteral("stopped (%1)").arg(tried(tries));
    }
    return {};
}

QString SearchResult::kindName() const {
    static const char* const names[] = {"found",       "refuses", "no answer",
                                        "cannot open", "failed",  "stopped"};
    return QString::fromLatin1(names[int(kind)]);
}
