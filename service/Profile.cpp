#include "service/Profile.h"

#include "link/Catalogue.h"
#include "link/ListingParser.h"
#include "service/UsageError.h"
#include "service/VisibleText.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

// A real profile is under a kilobyte; this bounds what a wrong file can make us read.
constexpr qint64 MaxBytes = 1 << 20;

const QString UnknownMark = QStringLiteral("# reported, unknown to zintor-cli, never written: ");

bool known(const QString& name) {
    const Catalogue::Listed* entry = Catalogue::listed(name);
    return Catalogue::writable(name) || (entry && entry->readOnly);
}

QString writableNames() {
    QStringList names;
    for (const Catalogue::Group& g : Catalogue::Groups)
        names << QString::fromLatin1(g.name);
    for (const Catalogue::Command& c : Catalogue::Commands)
        if (c.value != Catalogue::Value::None)
            names << QString::fromLatin1(c.word);
    return names.join(QStringLiteral(", "));
}

QString choices(const Catalogue::Group& g) {
    return QStringLiteral("%1, %2 or %3")
        .arg(QString::fromLatin1(g.choices[0]), QString::fromLatin1(g.choices[1]),
             QString::fromLatin1(g.choices[2]));
}

} // namespace

Profile Profile::read(const QString& text, const QString& file) {
    Profile profile;
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    const auto refuse = [&file](int line, const QString& why) {
        // One arg() for all three, so a "%2" in the file name stays as it is.
        return UsageError(
            QStringLiteral("%1:%2: %3").arg(VisibleText::of(file), QString::number(line), why));
    };
    bool anyWritable = false;
    for (int at = 0; at < lines.size(); ++at) {
        const QString& line = lines[at];
        const int number = at + 1;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            throw refuse(number,
                         QStringLiteral("%1 is not NAME=VALUE").arg(VisibleText::quoted(line)));
        const QString name = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (!known(name))
            throw refuse(number, QStringLiteral("unknown name %1; the writable names are %2")
                                     .arg(VisibleText::quoted(name), writableNames()));
        if (const QString why = Catalogue::unsendable(value); !why.isEmpty())
            throw refuse(
                number,
                QStringLiteral("the value of %1 holds %2, which cannot be sent").arg(name, why));
        for (const Item& earlier : std::as_const(profile.items))
            if (earlier.name == name)
                throw refuse(number, QStringLiteral("%1 is given again (first on line %2)")
                                         .arg(name)
                                         .arg(earlier.line));
        const Catalogue::Group* group = Catalogue::group(name);
        if (group && !Catalogue::writer(name, value))
            throw refuse(number, QStringLiteral("%1 must be %2, not %3")
                                     .arg(name, choices(*group), VisibleText::quoted(value)));
        if (const QString why = Catalogue::valueProblem(name, value); !why.isEmpty())
            throw refuse(number,
                         VisibleText::brief(name + u'=' + value) + QStringLiteral(": ") + why);
        anyWritable = anyWritable || Catalogue::writable(name);
        profile.items << Item{name, value, number};
    }
    if (!anyWritable)
        throw refuse(
            int(qMax<qsizetype>(lines.size(), 1)),
            QStringLiteral("no writable item; the writable names are %1").arg(writableNames()));
    return profile;
}

Profile Profile::load(const QString& file, QByteArray* read) {
    const QString shown = VisibleText::of(file);
    const auto tooLarge = [&shown](qint64 size) {
        return UsageError(
            QStringLiteral("%1: %2 is too large for a profile (at most 1 MiB)")
                .arg(shown, QLocale::c().formattedDataSize(size, 1, QLocale::DataSizeSIFormat)));
    };
    // Refused before it is opened: a FIFO would wait for a writer, a device never ends.
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        throw UsageError(QStringLiteral("%1: not a regular file").arg(shown));
    if (info.size() > MaxBytes)
        throw tooLarge(info.size());
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw UsageError(QStringLiteral("%1: cannot be read: %2").arg(shown, in.errorString()));
    // It may have grown since it was looked at.
    const QByteArray bytes = in.read(MaxBytes + 1);
    if (bytes.size() > MaxBytes)
        throw tooLarge(in.size());
    if (read)
        *read = bytes;
    return Profile::read(QString::fromLatin1(bytes), file);
}

Profile Profile::fromListing(const QString& listing) {
    Profile profile;
    ListingParser::parse(listing, [&profile](const QString& name, const QString& value) {
        (known(name) ? profile.items : profile.unknown) << Item{name, value, 0};
    });
    return profile;
}

QString Profile::text(const QStringList& header) const {
    QString out;
    for (const QString& line : header)
        out += QStringLiteral("# ") + line + u'\n';
    for (const Item& item : items)
        out += item.name + u'=' + item.value + u'\n';
    for (const Item& item : unknown)
        out += UnknownMark + item.name + u'=' + item.value + u'\n';
    return out;
}
