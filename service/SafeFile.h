#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file written whole or not at all. The bytes go to a new file beside the old one, which
// takes its place only once every write, the last flush and the sync to the disk have
// succeeded; until then, and after any failure, the old file keeps its bytes and the new one
// is removed. A device, a pipe or a socket (/dev/stdout, a FIFO) has no bytes to keep: it is
// written straight, every write checked.
class SafeFile {
public:
    explicit SafeFile(QString file);
    ~SafeFile(); // a file never committed leaves nothing behind
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Makes the new file; false when it cannot be made there.
    bool open();
    // Writes the bytes and puts the file in the old one's place; false when a step failed.
    bool commit(const QByteArray& bytes);
    // Why open() or commit() failed, in the operator's words: "No space left on device".
    const QString& errorString() const { return m_error; }
    const QString& fileName() const { return m_name; }

    // Both steps at once: nothing when written, otherwise why not.
    static QString write(const QString& file, const QByteArray& bytes);

private:
    bool fail(const QString& why);
    QString reason() const;

    QString m_name;   // as the operator gave it
    QString m_target; // the file that is replaced: a link's target rather than the link
    QFile m_file;     // the new file, or the device itself
    bool m_direct = false;
    bool m_pending = false; // a new file exists that is not yet in place
    QString m_error;
};
