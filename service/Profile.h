#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What an encoder holds, or should hold, as NAME=VALUE lines with "#" comments.
class Profile {
public:
    struct Item {
        QString name;
        QString value;
        int line = 0; // where the file gave it; 0 when it came from a listing
    };

    // Reads a profile that apply or verify will use. Throws UsageError "FILE:LINE: why"
    // for anything that must not reach the wire; see the checks in Profile.cpp.
    static Profile read(const QString& text, const QString& file);
    // The file read as one byte per character, so nothing outside ASCII slips through.
    // bytes, if given, receives the file as read: a run records exactly what it applied.
    static Profile load(const QString& file, QByteArray* bytes = nullptr);

    // A listing's entries in its order. Names the tool does not know are kept aside.
    static Profile fromListing(const QString& listing);

    // The header as "#" lines, then one line per item, then the kept unknown names as
    // comments, so that reading the text back gives the same items.
    QString text(const QStringList& header) const;

    QList<Item> items;   // known names, writable or read-only
    QList<Item> unknown; // reported by a listing, not known here: recorded, never written
};
