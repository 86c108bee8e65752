#pragma once

#include "service/PortOutcome.h"
#include "service/Profile.h"

// How an item's result reads in the result table and in the records: "ok", "differs",
// "refused (!?)", "not written".
namespace ItemWords {

QString of(const ItemRow& row);

// An apply cut short before its read-back (stopped, or the port failed) has no rows yet:
// one per writable item then, written or not, so the record says what the encoder holds.
void cutShort(PortOutcome& outcome, const Profile& profile);

} // namespace ItemWords
