#pragma once

#include "service/Profile.h"

#include <QHash>
#include <atomic>
#include <functional>
#include <optional>

class Exchanger;
struct Exchanged;
struct ItemRow;
struct PortOutcome;

// Reads, writes and checks a profile on one encoder through its exchanger; everything it
// finds out goes into the port's outcome.
class Programmer {
public:
    // Told before each item is written: item n (from 1) of m, and its name.
    using Progress = std::function<void(int n, int m, const QString& item)>;

    Programmer(Exchanger& exchanger, PortOutcome& outcome, const std::atomic_bool& stop,
               Progress progress = nullptr);

    // The listing and the position, as a profile with a header naming date, port, device
    // and version.
    void read(const QString& device);
    // Each writable item in button order up to the first answer that is not an
    // acknowledgement, then the listing read back and compared.
    void apply(const Profile& profile);
    // The listing compared with the profile; nothing is written.
    void verify(const Profile& profile);

    // The items apply would write, in the order it writes them.
    static QList<Profile::Item> writable(const Profile& profile);

    // How a reply that is no acknowledgement reads in a report: "refused (!?)".
    static QString refusal(const Exchanged& reply);

private:
    // STP, then POS as the panel follows it; nothing when the port failed or STP was refused.
    std::optional<Profile> readBack();
    // Items refused (by name, with how) or not written are reported as such.
    void compare(const Profile& wanted, const Profile& found, bool wrote,
                 const QHash<QString, QString>& refused);
    ItemRow judge(const Profile::Item& item, const QHash<QString, QString>& reported, bool wrote,
                  const QHash<QString, QString>& refused);
    static QList<Profile::Item> inButtonOrder(const QList<Profile::Item>& items);

    Exchanger& m_exchanger;
    PortOutcome& m_outcome;
    const std::atomic_bool& m_stop;
    Progress m_progress;
};
