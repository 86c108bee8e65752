#pragma once

#include <QString>
#include <QStringList>

// The line settings the search tries on a port, in order: the settings the port holds now,
// then 9600,N,8,1, then the rest of what the settings dialog offers, the most common first.
// Stop bits stay 1: a receiver set to one stop bit reads a sender that uses two. Flow
// control is not part of a try; it stays as the port holds it.
namespace SearchOrder {

QStringList settings(const QString& current);

} // namespace SearchOrder
