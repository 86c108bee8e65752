#pragma once

#include "service/SearchResult.h"

#include <QDialog>
#include <QList>
#include <optional>

class QPushButton;
class QTableWidget;

// What the search for an encoder found: one row per port with its device, its result and
// the settings it answered at. Use takes the chosen row that found an encoder; nothing is
// chosen for the operator, also when nothing was found.
class FindEncoder : public QDialog {
    Q_OBJECT
public:
    FindEncoder(const QList<SearchResult>& results, QWidget* parent);

    // The row Use took, once the dialog has been accepted.
    std::optional<SearchResult> chosen() const;

    // One sentence on the whole search.
    static QString summary(const QList<SearchResult>& results);

    QTableWidget* FindTable;
    QPushButton* CmdUse;

private:
    const SearchResult* selected() const;

    QList<SearchResult> m_results;
};
