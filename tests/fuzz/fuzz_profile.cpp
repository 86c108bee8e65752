// The profile reader on any file an operator might hand to apply or verify.
#include "Check.h"
#include "link/Catalogue.h"
#include "service/Profile.h"
#include "service/UsageError.h"

#include <QRegularExpression>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    static const QRegularExpression where(QStringLiteral("^fuzz:[1-9][0-9]*: \\S"));
    Profile profile;
    try {
        profile = Profile::read(text, QStringLiteral("fuzz"));
    } catch (const UsageError& e) {
        check(where.match(e.text()).hasMatch(), "a refusal starts with FILE:LINE and says why");
        // Whatever the file holds, the refusal is printable ASCII (and the mark of a cut).
        static const QRegularExpression unsafe(QStringLiteral("[^\\x20-\\x7e…]"));
        check(!unsafe.match(e.text()).hasMatch(), "a refusal holds nothing a terminal acts on");
        return 0;
    }
    bool anyWritable = false;
    for (qsizetype i = 0; i < profile.items.size(); ++i) {
        const Profile::Item& item = profile.items[i];
        check(Catalogue::unsendable(item.value).isEmpty(), "every value can be sent");
        check(item.value.size() <= Catalogue::MaxValueLength &&
                  Catalogue::valueProblem(item.name, item.value).isEmpty(),
              "every value is one its item can take, and short");
        anyWritable = anyWritable || Catalogue::writable(item.name);
        const Catalogue::Listed* listed = Catalogue::listed(item.name);
        check(Catalogue::writable(item.name) || (listed && listed->readOnly),
              "every name is known");
        check(!Catalogue::group(item.name) || Catalogue::writer(item.name, item.value),
              "a group holds one of its choices");
        for (qsizetype j = 0; j < i; ++j)
            check(profile.items[j].name != item.name, "no name twice");
    }
    check(anyWritable, "something to write");
    const Profile again = Profile::read(profile.text({}), QStringLiteral("fuzz"));
    check(again.items.size() == profile.items.size(), "written and read again, the same items");
    for (qsizetype i = 0; i < again.items.size(); ++i)
        check(again.items[i].name == profile.items[i].name &&
                  again.items[i].value == profile.items[i].value,
              "written and read again, the same values");
    return 0;
}
