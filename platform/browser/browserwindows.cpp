#include "platform/browser/browserwindows.h"

#include <algorithm>

CBrowserWindows& CBrowserWindows::Get() {
    static CBrowserWindows s_windows;
    return s_windows;
}

int CBrowserWindows::Add(HWND hwnd, LONG width, LONG height) {
    std::lock_guard lock(m_mutex);
    SBrowserWindowRecord record;
    record.id = ++m_nLastId;
    record.hwnd = hwnd;
    record.width = width;
    record.height = height;
    m_vecRecords.push_back(std::move(record));
    return m_nLastId;
}

void CBrowserWindows::Update(int id, const std::function<void(SBrowserWindowRecord&)>& change) {
    std::lock_guard lock(m_mutex);
    auto found = std::find_if(m_vecRecords.begin(), m_vecRecords.end(),
                              [id](const SBrowserWindowRecord& record) { return record.id == id; });
    if (found != m_vecRecords.end()) {
        change(*found);
    }
}

std::vector<SBrowserWindowRecord> CBrowserWindows::List() const {
    std::lock_guard lock(m_mutex);
    return m_vecRecords;
}

SBrowserWindowRecord CBrowserWindows::Find(int id) const {
    std::lock_guard lock(m_mutex);
    auto found = std::find_if(m_vecRecords.begin(), m_vecRecords.end(),
                              [id](const SBrowserWindowRecord& record) { return record.id == id; });
    return found != m_vecRecords.end() ? *found : SBrowserWindowRecord{};
}

void CBrowserWindows::Clear() {
    std::lock_guard lock(m_mutex);
    m_vecRecords.clear();
}
