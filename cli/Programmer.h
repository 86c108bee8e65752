#pragma once

#include "cli/Profile.h"

#include <QHash>
#include <atomic>
#include <optional>

class Session;
struct Exchanged;

// Reads, writes and checks a profile on one encoder through its session.
class Programmer {
public:
    Programmer(Session& session, const std::atomic_bool& stop);

    // The listing and the position, as a profile with a header naming date, port and version.
    void read();
    // Each writable item in button order up to the first answer that is not an
    // acknowledgement, then the listing read back and compared.
    void apply(const Profile& profile);
    // The listing compared with the profile; nothing is written.
    void verify(const Profile& profile);

    // How a reply that is no acknowledgement reads in a report: "refused (!?)".
    static QString refusal(const Exchanged& reply);

private:
    // STP, then POS as the panel follows it; nothing when the port failed or STP was refused.
    std::optional<Profile> readBack();
    // Items refused (by name, with how) or not written are reported as such.
    void compare(const Profile& wanted, const Profile& found, bool wrote,
                 const QHash<QString, QString>& refused);
    static QList<Profile::Item> inButtonOrder(const QList<Profile::Item>& items);

    Session& m_session;
    const std::atomic_bool& m_stop;
};
