#include "platform/registry/registrytransaction.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/fs/winpath.h"

namespace {

std::mutex& WriterMutex() {
    static std::mutex s_mutex;
    return s_mutex;
}

// Opens and locks the lock file, creating the platform root when it does not exist yet; -1 when
// that fails.
int LockRegistryFile() {
    std::error_code error;
    std::filesystem::create_directories(GetPlatformRoot(), error);
    std::string path = CRegistryFile::DefaultPath() + ".lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return -1;
    }
    int result;
    do {
        result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

CRegistryTransaction::CRegistryTransaction() : m_lock(WriterMutex()) {
    m_fdLock = LockRegistryFile();
    if (m_fdLock < 0) {
        m_lStatus = ERROR_REGISTRY_IO_FAILED;
    } else if (!m_file.Load(CRegistryFile::DefaultPath())) {
        m_lStatus = ERROR_BADDB;
    }
}

CRegistryTransaction::~CRegistryTransaction() {
    if (m_fdLock >= 0) {
        ::close(m_fdLock);
    }
}

LONG CRegistryTransaction::Commit() {
    if (m_lStatus != ERROR_SUCCESS) {
        return m_lStatus;
    }
    return m_file.Save(CRegistryFile::DefaultPath()) ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}
