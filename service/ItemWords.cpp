#include "service/ItemWords.h"

#include "service/Programmer.h"

namespace ItemWords {

QString of(const ItemRow& row) {
    using Result = ItemRow::Result;
    switch (row.result) {
    case Result::Ok:
        return QStringLiteral("ok");
    case Result::Differs:
        return QStringLiteral("differs");
    case Result::NotReported:
        return QStringLiteral("not reported");
    case Result::Refused:
        return row.verdict; // "refused (!?)", "not answered"
    case Result::NotWritten:
        return QStringLiteral("not written");
    case Result::NotVerifiable:
        return QStringLiteral("not verifiable");
    case Result::ReadOnly:
        return QStringLiteral("read-only");
    case Result::Written:
        return QStringLiteral("written, not read back");
    case Result::Listed:
    case Result::Kept:
        break;
    }
    return row.verdict;
}

void cutShort(PortOutcome& outcome, const Profile& profile) {
    const bool cut = outcome.status == ExitStatus::Stopped || !outcome.failure.isEmpty();
    if (!cut || !outcome.rows.isEmpty())
        return;
    for (const Profile::Item& item : Programmer::writable(profile)) {
        const bool written = outcome.written.contains(item.name);
        outcome.rows << ItemRow{item.name,
                                item.value,
                                {},
                                {},
                                written ? ItemRow::Result::Written : ItemRow::Result::NotWritten};
    }
}

} // namespace ItemWords
