#pragma once

#include <cerrno>
#include <string>
#include <system_error>

// Turns the failed system call just made into an exception naming what was attempted.
[[noreturn]] inline void throwErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}
