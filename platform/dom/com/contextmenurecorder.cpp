#include "platform/dom/com/contextmenurecorder.h"

#include <utility>

CContextMenuRecorder& CContextMenuRecorder::Get() {
    static CContextMenuRecorder s_recorder;
    return s_recorder;
}

void CContextMenuRecorder::Record(CContextMenuRecord record) {
    m_vecRecords.push_back(std::move(record));
}
