#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A file system of its own (a tmpfs, 64 KiB unless told), to hold the files a test makes
// before it is filled up; afterwards every write there fails with "No space left on device". Only
// the test's own thread and the programs it starts see it. Mounting takes root's rights: without
// them, mounted() is false and why() says what stopped it.
class FullDisk {
public:
    explicit FullDisk(const QByteArray& size = "64k");
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return m_mounted; }
    const QString& why() const { return m_why; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Writes the file there, while there is room; returns its path.
    QString write(const QString& name, const QByteArray& bytes) const;
    // Takes every free block.
    void fill() const;
    // The names in its folder, the filler's aside.
    QStringList names() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why;
};
