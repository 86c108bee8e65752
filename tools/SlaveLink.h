#pragma once

#include <string>

// A symlink to the pseudo-terminal under a stable name, removed again on destruction.
class SlaveLink {
public:
    // Replaces an existing symlink at `path`, but never a real file. Throws
    // std::system_error. An empty path makes no link.
    SlaveLink(std::string path, const std::string& target);
    ~SlaveLink();
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

private:
    std::string m_path;
};
