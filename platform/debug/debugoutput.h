// The debug output channel: where the platform's debugger output goes.
//
// Diagnostic lines of the system go here and nowhere else. With no sink installed they are dropped,
// as on a machine without a debugger attached; the host program installs a sink for --debug and
// tests capture the lines with CDebugCapture.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/win/windef.h"

void OutputDebugStringA(LPCSTR text);

// Formats like printf and sends the result to the debug output.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

using DebugSink = std::function<void(std::string_view)>;

// Installs the sink that receives every debug text; returns the one it replaces.
DebugSink SetDebugSink(DebugSink sink);

// Collects the debug output for as long as it lives, then restores the previous sink.
class CDebugCapture {
public:
    CDebugCapture();
    ~CDebugCapture();
    CDebugCapture(const CDebugCapture&) = delete;
    CDebugCapture& operator=(const CDebugCapture&) = delete;

    const std::string& Text() const { return m_text; }
    void Clear() { m_text.clear(); }

private:
    std::string m_text;
    DebugSink m_previous;
};
