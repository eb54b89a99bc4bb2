// A file opened in the C runtime's text mode.
//
// Reading: a line ends at LF, a CR directly before an LF is dropped, and a byte 0x1A (Ctrl-Z) ends
// the file. Writing: every LF is written as CR LF. Paths may be Windows paths (see winpath.h).
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class CTextFile {
public:
    enum class Mode { Read, Write };

    CTextFile() = default;
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    bool Open(std::string_view path, Mode mode);
    bool IsOpen() const { return m_file != nullptr; }

    // Reads the next line, whole, without its line end. False at the end of the file, or on a read
    // error (HadReadError tells which); a last line without a line end is still returned.
    bool ReadLine(std::string& line);
    bool HadReadError() const { return m_readError; }

    // Writes the text, LF as CR LF. False when the write failed.
    bool Write(std::string_view text);

    // Flushes and closes; false when a write failed at any point.
    bool Close();

private:
    bool Fill();

    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::string m_buffer;
    size_t m_position = 0;
    bool m_endOfFile = false;
    bool m_readError = false;
    bool m_writeError = false;
};
