#pragma once

#include "link/Tipo.h"

#include <QString>
#include <QStringView>
#include <array>

// The encoder's command set as the protocol knows it: every command word, the value it
// takes, how its reply is read, the setting group it chooses in, and the names a
// parameter listing reports. It knows nothing of widgets; the panel and the companion
// both build on it.
namespace Catalogue {

// Which text is sent with the command word, after "=".
enum class Value : quint8 { None, DEV, PRST1, PRST2, OFST, NS, NR };

// The whole numbers a value takes, in plain decimal digits with an optional "-". NS and NR
// count pulses and revolutions, so from 1, and NR zones within the 4096 revolutions the
// zone figures divide; DEV (and ADDR) name a device, from 0; the presets and the offset are
// positions, either side of 0. All fit 32 bits, as the encoder's counts do.
struct Range {
    Value value;
    qint64 least;
    qint64 most;
};

constexpr qint64 Int32Least = -2147483648LL;
constexpr qint64 Int32Most = 2147483647LL;

constexpr std::array<Range, 6> Ranges{{
    {Value::DEV, 0, Int32Most},
    {Value::PRST1, Int32Least, Int32Most},
    {Value::PRST2, Int32Least, Int32Most},
    {Value::OFST, Int32Least, Int32Most},
    {Value::NS, 1, Int32Most},
    {Value::NR, 1, 4096},
}};

// No value of any item is longer ("-2147483648"), nor any command with its value
// ("PRST1=-2147483648"); so none takes much over a second to send.
constexpr qsizetype MaxValueLength = 11;
constexpr qsizetype MaxCommandLength = 17;

// What a command does around its exchange.
enum class Treatment : quint8 { Value, Address, Position, Listing, Group, Reset, Plain };

struct Command {
    const char* word;
    Treatment treatment;
    Value value;       // None for a bare command word
    Tipo tipo;         // how its reply is read
    const char* group; // the setting it chooses in, or nullptr
    bool resetClears;  // a reset of the panel clears its mark
};

// In button order: a panel shows them in this order, indexed from 0.
constexpr std::array<Command, 20> Commands{{
    {"DEV", Treatment::Address, Value::DEV, Tipo::Plain, nullptr, false},
    {"ADDR", Treatment::Address, Value::DEV, Tipo::Plain, nullptr, false},
    {"RST", Treatment::Reset, Value::None, Tipo::Plain, nullptr, false},
    {"GRAY", Treatment::Group, Value::None, Tipo::Plain, "CODE", true},
    {"BIN", Treatment::Group, Value::None, Tipo::Plain, "CODE", true},
    {"BCD", Treatment::Group, Value::None, Tipo::Plain, "CODE", true},
    {"CLW", Treatment::Group, Value::None, Tipo::Plain, "CNT", true},
    {"CCLW", Treatment::Group, Value::None, Tipo::Plain, "CNT", true},
    {"EXTD", Treatment::Group, Value::None, Tipo::Plain, "CNT", true},
    {"ODD", Treatment::Group, Value::None, Tipo::Plain, "PAR", true},
    {"EVEN", Treatment::Group, Value::None, Tipo::Plain, "PAR", true},
    {"POFF", Treatment::Group, Value::None, Tipo::Plain, "PAR", true},
    {"PRST1", Treatment::Value, Value::PRST1, Tipo::Plain, nullptr, true},
    {"PRST2", Treatment::Value, Value::PRST2, Tipo::Plain, nullptr, true},
    {"OFST", Treatment::Value, Value::OFST, Tipo::Plain, nullptr, true},
    {"NS", Treatment::Value, Value::NS, Tipo::Plain, nullptr, true},
    {"ZERO", Treatment::Plain, Value::None, Tipo::Plain, nullptr, true},
    {"NR", Treatment::Value, Value::NR, Tipo::Plain, nullptr, true},
    {"POS", Treatment::Position, Value::None, Tipo::Position, nullptr, true},
    {"STP", Treatment::Listing, Value::None, Tipo::Listing, nullptr, false},
}};

// The words a press is compared with, in this order; the first match decides. A word
// that matches none (ZERO) is sent plain.
constexpr std::array<const char*, 19> DispatchOrder{
    "OFST", "PRST1", "PRST2", "NS",   "NR",   "ADDR", "DEV",  "POS",  "STP", "GRAY",
    "BIN",  "BCD",   "CLW",   "CCLW", "EXTD", "ODD",  "EVEN", "POFF", "RST"};

// A setting with three choices; the listing reports it under its name.
struct Group {
    const char* name;
    std::array<const char*, 3> choices;
};

constexpr std::array<Group, 3> Groups{{
    {"CODE", {"GRAY", "BIN", "BCD"}},
    {"CNT", {"CLW", "CCLW", "EXTD"}},
    {"PAR", {"ODD", "EVEN", "POFF"}},
}};

// The names a parameter listing reports, in its order. ZPV can be read, never written.
struct Listed {
    const char* name;
    bool readOnly;
};

constexpr std::array<Listed, 7> ListingNames{{
    {"CODE", false},
    {"CNT", false},
    {"PAR", false},
    {"ZPV", true},
    {"OFST", false},
    {"NS", false},
    {"NR", false},
}};

// Index of a command word in button order, or -1.
int indexOf(QStringView word);

// The command a pressed word is treated as, in dispatch order; nullptr for plain.
const Command* match(QStringView word);

// The group a listing name stands for, or nullptr.
const Group* group(QStringView name);

// The text an exchange sends for a command, the value appended after "=" when it takes one.
QString commandText(const Command& command, const QString& value);

// What keeps a text from going out as a command: a line break would end it early, "|"
// start another, DC1/DC3 stop or release the line, and the port sends one byte per
// character. The character's name ("CR", "\"|\"", "the non-ASCII character 0xe9"), or empty.
QString unsendable(QStringView text);

// Why the item of this name cannot take the value: "not a number", "out of range: NS takes
// 1 to 2147483647", "too long: at most 11 characters"; empty when it can. Every value is
// bounded in length; the value settings take their Range; a group's choices are checked
// by writer().
QString valueProblem(QStringView name, QStringView value);

// The same for a command text as sent ("NS=8192", "POS"): bounded in length, and a value
// setting's value checked; a word the catalogue does not know is left to the encoder.
QString commandProblem(QStringView command);

// Whether a setting of this name can be written: a group, or a command that takes a value.
bool writable(QStringView name);

// The command that writes a setting to a value: the chosen word for a group (nullptr when
// the value is none of its choices), the command of that name for a value setting.
const Command* writer(QStringView name, QStringView value);

// The entry under which a listing reports this name, or nullptr: a setting the listing
// never reports (PRST1, PRST2, DEV, ADDR) can be written but not read back.
const Listed* listed(QStringView name);

} // namespace Catalogue
