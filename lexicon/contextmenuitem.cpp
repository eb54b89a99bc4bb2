#include "lexicon/contextmenuitem.h"

CContextMenuItem::CContextMenuItem(std::string_view label, std::string_view service, int index)
    : m_strLabel(label), m_strService(service), m_nIndex(index) {}

const std::string& CContextMenuItem::GetLabel() const {
    static const std::string kDefault = "no name";
    return m_strLabel ? *m_strLabel : kDefault;
}

void CContextMenuItem::SetServiceURL(std::string_view prefix) {
    m_strServiceURL.reset();
    if (m_strService) {
        m_strServiceURL = std::string(prefix) + "service=" + *m_strService;
    }
}
