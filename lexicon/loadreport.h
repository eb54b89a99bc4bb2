// What a lexicon author should know about a load: every line the loader skipped or would read in
// a way the author probably did not mean, as data. The loader itself never prints.
#pragma once

#include <string>
#include <vector>

struct SLoadProblem {
    enum class EFile { Terms, Menus };
    EFile file;
    int line;  // 1-based; 0 when the problem concerns no single line
    std::string message;
};

class CLoadReport {
public:
    void Add(SLoadProblem::EFile file, int line, std::string message) {
        m_problems.push_back({file, line, std::move(message)});
    }
    const std::vector<SLoadProblem>& Problems() const { return m_problems; }
    bool Empty() const { return m_problems.empty(); }

private:
    std::vector<SLoadProblem> m_problems;
};
