// The position extraction on any reply.
#include "Check.h"
#include "link/Reply.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString reply = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString position = Reply::position(reply);
    const qsizetype cr = reply.indexOf(u'\r');
    check(cr >= 0 || position.isEmpty(), "no CR, no position");
    if (cr >= 0)
        check(reply.indexOf(position, cr + 1) == cr + 1, "the position starts after the CR");
    check(!position.contains(u'\n'), "the position stops at the LF");
    return 0;
}
