#include "platform/fs/textfile.h"

#include <filesystem>
#include <system_error>

#include "platform/fs/winpath.h"

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

}  // namespace

bool CTextFile::Open(std::string_view path, Mode mode) {
    std::string mapped = MapWindowsPath(path);
    // fopen opens a folder for reading here, and every read of it then fails; refuse it up front
    // so that a folder is not taken for an empty file.
    std::error_code error;
    if (std::filesystem::is_directory(mapped, error)) {
        m_file.reset();
    } else {
        m_file.reset(std::fopen(mapped.c_str(), mode == Mode::Read ? "rb" : "wb"));
    }
    m_buffer.clear();
    m_position = 0;
    m_endOfFile = false;
    m_readError = false;
    m_writeError = false;
    return m_file != nullptr;
}

bool CTextFile::Fill() {
    if (m_endOfFile || !m_file) {
        return false;
    }
    m_buffer.resize(kChunk);
    size_t got = std::fread(m_buffer.data(), 1, kChunk, m_file.get());
    m_buffer.resize(got);
    m_position = 0;
    if (got < kChunk) {
        m_readError = std::ferror(m_file.get()) != 0;
        m_endOfFile = true;
    }
    if (size_t z = m_buffer.find(kCtrlZ); z != std::string::npos) {
        m_buffer.resize(z);
        m_endOfFile = true;
    }
    return !m_buffer.empty();
}

bool CTextFile::ReadLine(std::string& line) {
    line.clear();
    bool readAny = false;
    for (;;) {
        if (m_position >= m_buffer.size() && !Fill()) {
            return readAny && !m_readError;
        }
        readAny = true;
        size_t lf = m_buffer.find('\n', m_position);
        if (lf == std::string::npos) {
            line.append(m_buffer, m_position, std::string::npos);
            m_position = m_buffer.size();
            continue;
        }
        line.append(m_buffer, m_position, lf - m_position);
        m_position = lf + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return true;
    }
}

bool CTextFile::Write(std::string_view text) {
    if (!m_file) {
        return false;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        if (end > start &&
            std::fwrite(text.data() + start, 1, end - start, m_file.get()) != end - start) {
            m_writeError = true;
        }
        if (lf != std::string_view::npos && std::fwrite("\r\n", 1, 2, m_file.get()) != 2) {
            m_writeError = true;
        }
        start = end + 1;
    }
    return !m_writeError;
}

bool CTextFile::Close() {
    if (!m_file) {
        return false;
    }
    bool ok = !m_writeError && std::fflush(m_file.get()) == 0;
    ok = std::fclose(m_file.release()) == 0 && ok;
    return ok;
}
