#include "service/SearchResult.h"

#include "service/VisibleText.h"

namespace {

QString tried(int tries) {
    return tries == 1 ? QStringLiteral("1 setting tried")
                      : QStringLiteral("%1 settings tried").arg(tries);
}

} // namespace

QString SearchResult::text(bool withSettings) const {
    const QString at = withSettings ? QStringLiteral(" at ") + settings : QString();
    switch (kind) {
    case Kind::Found:
        return QStringLiteral("found%1, position %2 (%3)")
            .arg(at, VisibleText::of(position), tried(tries));
    case Kind::Refuses:
        return QStringLiteral("answers%1, but refuses POS: %2").arg(at, VisibleText::quoted(reply));
    case Kind::Silent:
        return withSettings ? QStringLiteral("echoes at %1 but does not answer POS").arg(settings)
                            : QStringLiteral("echoes but does not answer POS");
    case Kind::NoAnswer:
        return QStringLiteral("no answer (%1)").arg(tried(tries));
    case Kind::CannotOpen:
        return QStringLiteral("cannot open: ") + VisibleText::of(failure);
    case Kind::Failed:
        return QStringLiteral("failed after %1: %2").arg(tried(tries), VisibleText::of(failure));
    case Kind::Stopped:
        // Ended at once by a second stop: the failure says what the device may hold.
        return QStringLiteral("stopped (%1)").arg(tried(tries)) +
               (failure.isEmpty() ? QString() : QStringLiteral(": ") + VisibleText::of(failure));
    }
    return {};
}

QString SearchResult::kindName() const {
    static const char* const names[] = {"found",       "refuses", "silent", "no answer",
                                        "cannot open", "failed",  "stopped"};
    return QString::fromLatin1(names[int(kind)]);
}
