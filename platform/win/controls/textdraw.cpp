// Text output and text metrics. No glyphs are drawn: an opaque background fills the box the text
// occupies, and every output is recorded in the text draw log.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/controls/textdrawlog.h"
#include "platform/win/controls/textmetrics.h"
#include "platform/win/controls/wingdi.h"

namespace {

CGdiObjectTable& Table() {
    return CGdiObjectTable::Get();
}

std::string TextOf(LPCSTR text, int count) {
    if (text == nullptr) {
        return {};
    }
    return count < 0 ? std::string(text) : std::string(text, static_cast<size_t>(count));
}

// Greedy word wrapping at the width; a word wider than the width stays whole on its own line.
void WrapLine(const std::string& line, int width, std::vector<std::string>& lines) {
    std::string current;
    size_t position = 0;
    while (position <= line.size()) {
        size_t end = line.find(' ', position);
        if (end == std::string::npos) {
            end = line.size();
        }
        std::string word = line.substr(position, end - position);
        std::string joined = current.empty() ? word : current + " " + word;
        if (!current.empty() && CTextMetrics::Width(joined) > width) {
            lines.push_back(current);
            current = word;
        } else {
            current = joined;
        }
        position = end + 1;
    }
    lines.push_back(current);
}

std::vector<std::string> LayoutLines(const std::string& shown, UINT format, int width) {
    std::vector<std::string> lines;
    if ((format & DT_SINGLELINE) != 0) {
        lines.push_back(shown);
        return lines;
    }
    size_t position = 0;
    while (true) {
        size_t end = shown.find('\n', position);
        std::string line = shown.substr(position, end == std::string::npos ? end : end - position);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if ((format & DT_WORDBREAK) != 0) {
            WrapLine(line, width, lines);
        } else {
            lines.push_back(line);
        }
        if (end == std::string::npos) {
            break;
        }
        position = end + 1;
    }
    return lines;
}

STextDrawRecord MakeRecord(STextDrawRecord::EKind kind, HDC hdc, const CDeviceContext& context,
                           std::string text, const RECT& rect, const RECT& textRect, UINT format) {
    STextDrawRecord record;
    record.kind = kind;
    record.hdc = hdc;
    record.hwnd = context.IsMemory() ? nullptr : context.GetWindow();
    record.bitmap = context.IsMemory() ? context.GetBitmap() : nullptr;
    record.text = std::move(text);
    record.rect = rect;
    record.textRect = textRect;
    record.textColour = context.m_clrText;
    record.bkColour = context.m_clrBack;
    record.bkMode = context.m_nBkMode;
    record.format = format;
    return record;
}

// Fills the part of the box inside the limit (when there is one) with the background colour.
void FillTextBackground(const SDrawingArea& area, const CDeviceContext& context, RECT box,
                        const RECT* limit) {
    if (context.m_nBkMode != OPAQUE) {
        return;
    }
    if (limit != nullptr && !IntersectRect(&box, &box, limit)) {
        return;
    }
    area.Fill(box, context.m_clrBack);
}

BOOL OutputText(STextDrawRecord::EKind kind, HDC hdc, int x, int y, UINT options, const RECT* rect,
                LPCSTR text, int count) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr || (text == nullptr && count > 0)) {
        return FALSE;
    }
    std::string content = TextOf(text, count);
    const RECT box{x, y, x + CTextMetrics::Width(content), y + CTextMetrics::kLineHeight};
    const SDrawingArea area = context->GetDrawingArea(table);
    if ((options & ETO_OPAQUE) != 0 && rect != nullptr) {
        area.Fill(*rect, context->m_clrBack);
    }
    if (!content.empty()) {
        FillTextBackground(area, *context, box, (options & ETO_CLIPPED) != 0 ? rect : nullptr);
    }
    CTextDrawLog::Get().Add(MakeRecord(kind, hdc, *context, std::move(content),
                                       rect != nullptr ? *rect : box, box, options));
    return TRUE;
}

}  // namespace

CTextDrawLog& CTextDrawLog::Get() {
    thread_local CTextDrawLog log;
    return log;
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    if (table.FindContext(hdc) == nullptr || metrics == nullptr) {
        return FALSE;
    }
    *metrics = TEXTMETRICA{};
    metrics->tmHeight = CTextMetrics::kLineHeight;
    metrics->tmAscent = CTextMetrics::kAscent;
    metrics->tmDescent = CTextMetrics::kLineHeight - CTextMetrics::kAscent;
    metrics->tmAveCharWidth = CTextMetrics::kCharWidth;
    metrics->tmMaxCharWidth = CTextMetrics::kCharWidth;
    metrics->tmWeight = FW_NORMAL;
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFF;
    metrics->tmDefaultChar = '?';
    metrics->tmBreakChar = ' ';
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    if (table.FindContext(hdc) == nullptr || size == nullptr || count < 0 ||
        (text == nullptr && count > 0)) {
        return FALSE;
    }
    *size = SIZE{count * CTextMetrics::kCharWidth, CTextMetrics::kLineHeight};
    return TRUE;
}

int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr || text == nullptr || rect == nullptr) {
        return 0;
    }
    std::string content = TextOf(text, count);
    const std::string shown =
        (format & DT_NOPREFIX) != 0 ? content : CTextMetrics::RemovePrefixes(content);
    const std::vector<std::string> lines = LayoutLines(shown, format, rect->right - rect->left);
    const int height = static_cast<int>(lines.size()) * CTextMetrics::kLineHeight;
    int width = 0;
    for (const std::string& line : lines) {
        width = std::max(width, CTextMetrics::Width(line));
    }
    if ((format & DT_CALCRECT) != 0) {
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        return height;
    }
    int top = rect->top;
    if ((format & DT_SINGLELINE) != 0 && (format & DT_VCENTER) != 0) {
        top = rect->top + (rect->bottom - rect->top - CTextMetrics::kLineHeight) / 2;
    } else if ((format & DT_SINGLELINE) != 0 && (format & DT_BOTTOM) != 0) {
        top = rect->bottom - CTextMetrics::kLineHeight;
    }
    const SDrawingArea area = context->GetDrawingArea(table);
    const RECT* limit = (format & DT_NOCLIP) != 0 ? nullptr : rect;
    RECT textRect{};
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineWidth = CTextMetrics::Width(lines[i]);
        int left = rect->left;
        if ((format & DT_CENTER) != 0) {
            left = rect->left + (rect->right - rect->left - lineWidth) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            left = rect->right - lineWidth;
        }
        const int lineTop = top + static_cast<int>(i) * CTextMetrics::kLineHeight;
        const RECT box{left, lineTop, left + lineWidth, lineTop + CTextMetrics::kLineHeight};
        FillTextBackground(area, *context, box, limit);
        textRect = i == 0 ? box
                          : RECT{std::min(textRect.left, box.left), textRect.top,
                                 std::max(textRect.right, box.right), box.bottom};
    }
    CTextDrawLog::Get().Add(MakeRecord(STextDrawRecord::EKind::DrawText, hdc, *context,
                                       std::move(content), *rect, textRect, format));
    return height;
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT*) {
    return OutputText(STextDrawRecord::EKind::ExtTextOut, hdc, x, y, options, rect, text,
                      static_cast<int>(count));
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
    if (count < 0) {
        return FALSE;
    }
    return OutputText(STextDrawRecord::EKind::TextOut, hdc, x, y, 0, nullptr, text, count);
}
