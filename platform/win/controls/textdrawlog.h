// CTextDrawLog: every text output of the calling thread (DrawTextA, ExtTextOutA, TextOutA), in the
// order made, with what a test needs to check it: the text as passed, the rectangle given (for
// TextOutA the box of the text), the box the text occupies, the colours and mode in force and the
// format or option flags. Coordinates are logical ones of the context drawn on (a window's client
// coordinates for its context).
#pragma once

#include <string>
#include <vector>

#include "platform/win/controls/wingdi.h"

struct STextDrawRecord {
    enum class EKind { DrawText, ExtTextOut, TextOut };

    EKind kind = EKind::DrawText;
    HDC hdc = nullptr;
    HWND hwnd = nullptr;       // the window of a window's context
    HBITMAP bitmap = nullptr;  // the bitmap of a memory context
    std::string text;
    RECT rect{};
    RECT textRect{};
    COLORREF textColour = 0;
    COLORREF bkColour = 0;
    int bkMode = OPAQUE;
    UINT format = 0;  // DT_ flags, or ETO_ options
};

class CTextDrawLog {
public:
    static CTextDrawLog& Get();

    void Add(STextDrawRecord record) { m_records.push_back(std::move(record)); }
    const std::vector<STextDrawRecord>& GetRecords() const { return m_records; }
    void Clear() { m_records.clear(); }

private:
    std::vector<STextDrawRecord> m_records;
};
