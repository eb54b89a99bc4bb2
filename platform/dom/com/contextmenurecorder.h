// The record of right-clicks: for each context-menu event raised, where it happened and whether
// the browser showed its own menu. The host prints it; tests read it.
#pragma once

#include <string>
#include <vector>

struct CContextMenuRecord {
    std::u16string strUrl;      // of the element's document
    std::u16string strTagName;  // of the element, upper case
    std::u16string strId;       // of the element, empty when it has none
    bool bBrowserMenuShown = false;
};

class CContextMenuRecorder {
public:
    // The one recorder of the process.
    static CContextMenuRecorder& Get();

    void Record(CContextMenuRecord record);
    const std::vector<CContextMenuRecord>& GetRecords() const { return m_vecRecords; }
    void Clear() { m_vecRecords.clear(); }

private:
    CContextMenuRecorder() = default;

    std::vector<CContextMenuRecord> m_vecRecords;
};
