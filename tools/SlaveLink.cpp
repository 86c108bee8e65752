#include "SlaveLink.h"

#include "Errno.h"

#include <sys/stat.h>
#include <unistd.h>
#include <utility>

SlaveLink::SlaveLink(std::string path, const std::string& target) : m_path(std::move(path)) {
    if (m_path.empty())
        return;
    struct stat st {};
    if (lstat(m_path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        unlink(m_path.c_str());
    if (symlink(target.c_str(), m_path.c_str()) != 0)
        throwErrno("symlink " + m_path);
}

SlaveLink::~SlaveLink() {
    if (!m_path.empty())
        unlink(m_path.c_str());
}
