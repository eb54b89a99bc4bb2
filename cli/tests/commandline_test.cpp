#include "cli/commandline.h"

#include <gtest/gtest.h>

TEST(CommandLine, TakesFlagsOptionsAndArgumentsWhereverTheyStand) {
    CCommandLine line(
        {"--class", "Person", "lex.onto", "--json", "--class", "Place", "--text", "a b"},
        {"--class", "--text", "--file"});
    EXPECT_TRUE(line.HasFlag("--json"));
    EXPECT_EQ(line.TakeValues("--class"), (std::vector<std::string>{"Person", "Place"}));
    EXPECT_EQ(line.TakeValue("--text"), "a b");
    EXPECT_FALSE(line.TakeValue("--file").has_value());
    EXPECT_EQ(line.TakeArgument(), "lex.onto");
    EXPECT_FALSE(line.TakeArgument().has_value());
    EXPECT_FALSE(line.CheckNothingLeft().has_value());
}

TEST(CommandLine, AnOptionValueIsNeverTakenAsAnArgument) {
    CCommandLine line({"--text", "lex.onto", "other.onto"}, {"--text"});
    EXPECT_EQ(line.TakeArgument(), "other.onto");
    EXPECT_EQ(line.TakeValue("--text"), "lex.onto");
}

TEST(CommandLine, ReportsWhatIsLeftOrMissing) {
    struct SCase {
        std::vector<std::string> words;
        std::string error;
    };
    const SCase cases[] = {
        {{"lex.onto", "--jsn"}, "unknown option --jsn"},
        {{"lex.onto", "extra"}, "unexpected argument extra"},
        {{"lex.onto", "--text"}, "--text needs a value"},
        {{"lex.onto", "--text", "a", "--text", "b"}, "--text is given more than once"},
    };
    for (const SCase& c : cases) {
        CCommandLine line(c.words, {"--text"});
        line.TakeValue("--text");
        line.TakeArgument();
        auto error = line.CheckNothingLeft();
        ASSERT_TRUE(error.has_value()) << c.error;
        EXPECT_EQ(error->message, c.error);
    }
}
