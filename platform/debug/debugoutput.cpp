#include "platform/debug/debugoutput.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {

DebugSink& Sink() {
    static DebugSink sink;
    return sink;
}

}  // namespace

void OutputDebugStringA(LPCSTR text) {
    if (text != nullptr && Sink()) {
        Sink()(text);
    }
}

void DebugPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length >= 0) {
        std::string text(static_cast<size_t>(length), '\0');
        std::vsnprintf(text.data(), text.size() + 1, format, args);
        OutputDebugStringA(text.c_str());
    }
    va_end(args);
}

DebugSink SetDebugSink(DebugSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

CDebugCapture::CDebugCapture()
    : m_previous(SetDebugSink([this](std::string_view text) { m_text += text; })) {}

CDebugCapture::~CDebugCapture() {
    SetDebugSink(std::move(m_previous));
}
