#pragma once

#include <QtGlobal>

// What an exchange does with its reply beyond showing it.
enum class Tipo : quint8 {
    Plain = 0,    // shown only
    Position = 1, // the position is taken out of the reply
    Listing = 2,  // the reply is a parameter listing for the panel
};
