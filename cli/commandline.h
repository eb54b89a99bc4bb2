// The command line of the lirset program: the words after the subcommand, with flags and options
// taken out wherever they stand.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A failure of the command line or of its input: one line on standard error, exit status 2.
struct SUsageError {
    std::string message;
};

class CCommandLine {
public:
    // valueOptions are the options that take a value ("--class"); every other word that starts
    // with "--" is a flag.
    CCommandLine(std::vector<std::string> words, std::vector<std::string_view> valueOptions);

    bool HasFlag(std::string_view flag);
    // Every value given to the option, in order.
    std::vector<std::string> TakeValues(std::string_view option);
    std::optional<std::string> TakeValue(std::string_view option);
    // The next word that is no option.
    std::optional<std::string> TakeArgument();
    // Fails with a usage error when anything is left that no call took.
    std::optional<SUsageError> CheckNothingLeft() const;
    // A missing value of an option, or a repeated single-valued option, seen so far.
    const std::optional<SUsageError>& Error() const { return m_error; }

private:
    struct SWord {
        std::string text;
        bool taken = false;
    };
    std::vector<SWord> m_words;
    std::vector<std::string_view> m_valueOptions;
    std::optional<SUsageError> m_error;
};
