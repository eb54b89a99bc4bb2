// What an element's name means to rendering, text and serialisation.
#pragma once

#include <cstdint>
#include <string_view>

enum class ENamespace : uint8_t { Html, Svg, MathMl };

namespace elementtraits_detail {
constexpr uint8_t kBlock = 1;
constexpr uint8_t kLineBreak = 2;
constexpr uint8_t kHidesContent = 4;
constexpr uint8_t kPreformatted = 8;
constexpr uint8_t kVoid = 16;
constexpr uint8_t kRawText = 32;
constexpr uint8_t kDropsLeadingNewline = 64;
}  // namespace elementtraits_detail

class CElementTraits {
public:
    static CElementTraits For(ENamespace eNamespace, std::u16string_view localName);

    // Its start and end break the rendered text into lines (P, DIV, LI, TD, ...).
    bool IsBlock() const { return Has(elementtraits_detail::kBlock); }
    // BR.
    bool IsLineBreak() const { return Has(elementtraits_detail::kLineBreak); }
    // Its content is not rendered text (SCRIPT, STYLE, HEAD, TEMPLATE, ...).
    bool HidesContent() const { return Has(elementtraits_detail::kHidesContent); }
    // White space inside it is kept as written (PRE, TEXTAREA, LISTING, PLAINTEXT, XMP).
    bool IsPreformatted() const { return Has(elementtraits_detail::kPreformatted); }
    // No content and no end tag (BR, IMG, INPUT, ...).
    bool IsVoid() const { return Has(elementtraits_detail::kVoid); }
    // Its text is serialised without escaping (SCRIPT, STYLE, XMP, IFRAME, ...).
    bool HasRawText() const { return Has(elementtraits_detail::kRawText); }
    // A leading line feed of its content is doubled when serialised, because the parser drops the
    // first one (PRE, TEXTAREA, LISTING).
    bool DropsLeadingNewline() const { return Has(elementtraits_detail::kDropsLeadingNewline); }

private:
    explicit CElementTraits(uint8_t nFlags) : m_nFlags(nFlags) {}
    bool Has(uint8_t nFlag) const { return (m_nFlags & nFlag) != 0; }

    uint8_t m_nFlags;
};
