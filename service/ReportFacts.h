#pragma once

#include "service/PortRef.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <optional>

// Everything a configuration report shows, as the front-end that makes it gathered it.
// Tables are rows of cells, in the order they are shown.
struct ReportFacts {
    QDateTime made;
    QString version;   // "V3.0"
    QString reference; // the machine or unit, as the operator typed it
    PortRef port;
    QString device;
    QString lineSettings;       // "9600,n,8,1"
    QString flow;               // "Xon/Xoff"
    QList<QStringList> listing; // name, value
    QString position;           // empty when the encoder did not give it
    QString ns;
    QString nr;
    QList<QStringList> zones; // the calculator's caption and figure, six of them

    // The latest configuration applied or compared in the run.
    struct Configuration {
        QString file;
        bool applied = false;
        QString headline;
        QList<QStringList> rows; // item, wanted, found, result
    };
    std::optional<Configuration> configuration;
};
