#pragma once

#include <QString>

class QFileDevice;

// What replacing a file safely needs from the system, each answering with the reason it
// failed ("No space left on device") or nothing.
namespace FileSync {

// The open file's bytes on the disk itself, not only in the system's cache.
QString toDisk(QFileDevice& file);
// from takes to's place in one step, an existing to replaced; at no moment is to missing.
QString replace(const QString& from, const QString& to);

} // namespace FileSync
