// One service of a class's service menu.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class CContextMenuItem {
public:
    CContextMenuItem() = default;
    CContextMenuItem(std::string_view label, std::string_view service, int index);
    virtual ~CContextMenuItem() = default;

    // The popup text, or "no name" for an item that was never set.
    const std::string& GetLabel() const;
    const std::optional<std::string>& GetService() const { return m_strService; }

    // The service address becomes prefix + "service=" + service, joined with nothing added; an
    // item without a service has no address.
    void SetServiceURL(std::string_view prefix);
    const std::optional<std::string>& GetServiceURL() const { return m_strServiceURL; }

    int GetIndex() const { return m_nIndex; }

private:
    std::optional<std::string> m_strLabel;
    std::optional<std::string> m_strService;
    std::optional<std::string> m_strServiceURL;
    int m_nIndex = 0;
};
