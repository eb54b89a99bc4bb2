#include "cli/commandline.h"

#include <algorithm>

CCommandLine::CCommandLine(std::vector<std::string> words,
                           std::vector<std::string_view> valueOptions)
    : m_valueOptions(std::move(valueOptions)) {
    for (auto& word : words) {
        m_words.push_back({std::move(word)});
    }
}

bool CCommandLine::HasFlag(std::string_view flag) {
    bool found = false;
    for (auto& word : m_words) {
        if (!word.taken && word.text == flag) {
            word.taken = true;
            found = true;
        }
    }
    return found;
}

std::vector<std::string> CCommandLine::TakeValues(std::string_view option) {
    std::vector<std::string> values;
    for (size_t i = 0; i < m_words.size(); ++i) {
        if (m_words[i].taken || m_words[i].text != option) {
            continue;
        }
        m_words[i].taken = true;
        if (i + 1 == m_words.size()) {
            m_error = SUsageError{std::string(option) + " needs a value"};
            break;
        }
        m_words[i + 1].taken = true;
        values.push_back(m_words[i + 1].text);
        ++i;
    }
    return values;
}

std::optional<std::string> CCommandLine::TakeValue(std::string_view option) {
    std::vector<std::string> values = TakeValues(option);
    if (values.size() > 1) {
        m_error = SUsageError{std::string(option) + " is given more than once"};
    }
    if (values.empty()) {
        return std::nullopt;
    }
    return values.front();
}

std::optional<std::string> CCommandLine::TakeArgument() {
    for (size_t i = 0; i < m_words.size(); ++i) {
        SWord& word = m_words[i];
        if (word.taken) {
            continue;
        }
        bool isValueOption = std::find(m_valueOptions.begin(), m_valueOptions.end(), word.text) !=
                             m_valueOptions.end();
        if (isValueOption) {
            ++i;  // its value is no argument either
            continue;
        }
        if (word.text.size() > 2 && word.text.starts_with("--")) {
            continue;
        }
        word.taken = true;
        return word.text;
    }
    return std::nullopt;
}

std::optional<SUsageError> CCommandLine::CheckNothingLeft() const {
    if (m_error) {
        return m_error;
    }
    for (const auto& word : m_words) {
        if (!word.taken) {
            return SUsageError{
                (word.text.starts_with("--") ? "unknown option " : "unexpected argument ") +
                word.text};
        }
    }
    return std::nullopt;
}
