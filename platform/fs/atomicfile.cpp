#include "platform/fs/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/fs/winpath.h"

namespace {

// Owns a file descriptor.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd = -1) : m_fd(fd) {}
    ~CFileDescriptor() { Close(); }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }

    bool Close() {
        if (m_fd < 0) {
            return true;
        }
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Creates a new file next to the target. The name is unique within the process by the counter and
// across processes by the process id; O_EXCL settles any remaining clash.
CFileDescriptor CreateTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> s_nCounter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(s_nCounter++);
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return CFileDescriptor(fd);
        }
    }
    return CFileDescriptor();
}

// Makes the rename itself durable; a failure here does not undo the replacement, so it is ignored.
void SyncFolder(const std::string& folder) {
    CFileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen()) {
        ::fsync(dir.Get());
    }
}

}  // namespace

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
    std::string target = MapWindowsPath(path);
    std::string temporary;
    CFileDescriptor file = CreateTemporary(target, temporary);
    if (!file.IsOpen()) {
        return false;
    }
    // The replacement keeps the permissions of the file it replaces.
    struct stat existing;
    bool ok = ::stat(target.c_str(), &existing) != 0 ||
              ::fchmod(file.Get(), existing.st_mode & 07777) == 0;
    ok = ok && WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
    ok = file.Close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

bool WriteTextFileAtomically(std::string_view path, std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    return WriteFileAtomically(path, bytes);
}
