// The file-open dialog.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win/commdlg.h"
#include "platform/win/uidriver.h"

namespace {

thread_local DWORD t_dwLastError = 0;

std::vector<SFileFilterRecord> ParseFilter(LPCSTR filter) {
    std::vector<SFileFilterRecord> filters;
    if (filter == nullptr) {
        return filters;
    }
    const char* p = filter;
    while (*p != '\0') {
        SFileFilterRecord entry;
        entry.description = p;
        p += entry.description.size() + 1;
        if (*p == '\0') {
            filters.push_back(std::move(entry));
            break;
        }
        entry.pattern = p;
        p += entry.pattern.size() + 1;
        filters.push_back(std::move(entry));
    }
    return filters;
}

size_t FileNameOffset(const std::string& path) {
    size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

BOOL Fail(DWORD error) {
    t_dwLastError = error;
    return FALSE;
}

}  // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
    if (ofn == nullptr || (ofn->lStructSize != sizeof(OPENFILENAMEA) &&
                           ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A)) {
        return Fail(CDERR_STRUCTSIZE);
    }
    if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
        return Fail(CDERR_INITIALIZATION);
    }
    SFileDialogRecord record;
    record.owner = ofn->hwndOwner;
    record.filters = ParseFilter(ofn->lpstrFilter);
    record.filterIndex = ofn->nFilterIndex;
    record.initialFile.assign(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
    record.initialDir = ofn->lpstrInitialDir != nullptr ? ofn->lpstrInitialDir : "";
    record.title = ofn->lpstrTitle != nullptr ? ofn->lpstrTitle : "";
    record.defaultExtension = ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "";
    record.flags = ofn->Flags;
    record.maxFile = ofn->nMaxFile;

    CUIDriver& driver = CUIDriver::Get();
    std::optional<std::string> answer = driver.TakeFileAnswer(&record.answered);
    if (!answer || answer->empty()) {
        t_dwLastError = 0;
        driver.RecordFileDialog(std::move(record));
        return FALSE;
    }
    std::string path = *answer;
    size_t nameOffset = FileNameOffset(path);
    size_t dot = path.find_last_of('.');
    bool hasExtension = dot != std::string::npos && dot >= nameOffset;
    if (!hasExtension && ofn->lpstrDefExt != nullptr && *ofn->lpstrDefExt != '\0') {
        path += '.';
        path += ofn->lpstrDefExt;
        dot = path.size() - std::strlen(ofn->lpstrDefExt) - 1;
        hasExtension = true;
    }
    record.chosenPath = path;
    if (path.size() + 1 > ofn->nMaxFile) {
        // The first two bytes tell the caller how many characters the path needs.
        if (ofn->nMaxFile >= 2) {
            auto needed = static_cast<WORD>(std::min<size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn->lpstrFile, &needed, sizeof(needed));
        }
        record.error = FNERR_BUFFERTOOSMALL;
        driver.RecordFileDialog(std::move(record));
        return Fail(FNERR_BUFFERTOOSMALL);
    }
    std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    ofn->nFileOffset = static_cast<WORD>(nameOffset);
    ofn->nFileExtension = static_cast<WORD>(hasExtension ? dot + 1 : path.size());
    if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > 0) {
        std::string name = path.substr(nameOffset);
        size_t count = std::min<size_t>(name.size(), ofn->nMaxFileTitle - 1);
        std::memcpy(ofn->lpstrFileTitle, name.data(), count);
        ofn->lpstrFileTitle[count] = '\0';
    }
    t_dwLastError = 0;
    driver.RecordFileDialog(std::move(record));
    return TRUE;
}

DWORD CommDlgExtendedError() {
    return t_dwLastError;
}
