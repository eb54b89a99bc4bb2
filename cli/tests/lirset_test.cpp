// The lirset program run as a user runs it: its JSON shapes, its texts and its exit statuses.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

struct SRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class LirsetProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/lirset-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    SRun Run(const std::vector<std::string>& args) {
        std::string command = LIRSET_BINARY;
        for (const auto& arg : args) {
            command += " " + Quote(arg);
        }
        command += " 2>" + Quote(Path("stderr.txt"));
        SRun run;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            run.out.append(buffer, got);
        }
        int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = ReadFile(Path("stderr.txt"));
        return run;
    }

    // A lexicon of two classes: Technology placed first, Place second; Misc has no menu block.
    void WriteNewsLexicon() {
        Write("news.onto",
              "Technology\tMethod\ttech\tt1\tNeural Network\n"
              "Technology\tMethod\ttech\tt2\tNeural\n"
              "Place\tPark\tgeo\tp12\tGrand Canyon\n"
              "Misc\tx\ty\tz\tCaf\xE9\n");
        Write("news.menu",
              "2\n"
              "Technology\n"
              "1\n"
              "Explain\tdefine\thttp://127.0.0.1:8080/g?\n"
              "Place\n"
              "0\n");
    }

    fs::path m_dir;
};

TEST_F(LirsetProgram, LexiconJsonHasTheDocumentedShape) {
    WriteNewsLexicon();
    SRun run = Run({"lexicon", Path("news.onto"), "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    Json json = Json::parse(run.out);

    std::vector<std::string> keys;
    for (auto& [key, value] : json.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"path", "loaded", "classCount", "classNames", "classes"}));
    EXPECT_EQ(json["path"], Path("news.onto"));
    EXPECT_EQ(json["loaded"], true);
    EXPECT_EQ(json["classCount"], 2);
    EXPECT_EQ(json["classNames"], Json::parse(R"(["Technology", "Place"])"));

    // lexTree order is byte order of the class names.
    ASSERT_EQ(json["classes"].size(), 3u);
    EXPECT_EQ(json["classes"][0]["name"], "Misc");
    EXPECT_EQ(json["classes"][0]["colour"], "no colour");
    EXPECT_EQ(json["classes"][0]["entries"][0]["name"], "CAF\xC3\x89");  // upper-cased, as UTF-8
    EXPECT_EQ(json["classes"][1]["name"], "Place");
    EXPECT_EQ(json["classes"][1]["colour"], "chocolate");

    const Json& technology = json["classes"][2];
    EXPECT_EQ(technology.dump(), Json::parse(R"({
        "name": "Technology", "label": "Technology", "colour": "palegreen",
        "entries": [
            {"firstWord": "NEURAL", "name": "NEURAL NETWORK", "spanId": "t1", "subClass": "Method",
             "ontologyName": "tech", "url": "no URL"},
            {"firstWord": "NEURAL", "name": "NEURAL", "spanId": "t2", "subClass": "Method",
             "ontologyName": "tech", "url": "no URL"}],
        "menu": [{"index": 0, "label": "Explain", "service": "define",
                  "serviceURL": "http://127.0.0.1:8080/g?service=define"}]
    })")
                                     .dump());
}

TEST_F(LirsetProgram, LexiconExitStatusTellsLoadedPartlyAndUnreadable) {
    WriteNewsLexicon();
    fs::remove(m_dir / "news.menu");
    SRun partly = Run({"lexicon", Path("news.onto"), "--json"});
    EXPECT_EQ(partly.status, 1);
    Json json = Json::parse(partly.out);
    EXPECT_EQ(json["loaded"], false);
    EXPECT_EQ(json["classes"].size(), 3u);  // the term file was read

    SRun missing = Run({"lexicon", Path("absent.onto"), "--json"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;

    EXPECT_EQ(Run({"lexicon"}).status, 2);
    EXPECT_EQ(Run({"lexicon", Path("news.onto"), "--bogus"}).status, 2);
    EXPECT_EQ(Run({"frobnicate"}).status, 2);
}

TEST_F(LirsetProgram, CheckReportsProblemsWithLineNumbers) {
    WriteNewsLexicon();
    Write("bad.onto", std::string(ReadFile(m_dir / "news.onto")) + "Place\tonly two\tfields\n");
    Write("bad.menu", ReadFile(m_dir / "news.menu") + "Nowhere\n");
    SRun run = Run({"lexicon", Path("bad.onto"), "--check"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(Path("bad.onto") + ":5: fewer than four TABs; line skipped"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("class 'Misc' has no menu block"), std::string::npos) << run.out;
    EXPECT_NE(
        run.out.find(Path("bad.menu") + ":7: line 'Nowhere' after the class blocks is discarded"),
        std::string::npos)
        << run.out;
}

TEST_F(LirsetProgram, MatchListsEachClassWithNullWhereNothingWasFound) {
    WriteNewsLexicon();
    SRun run = Run(
        {"match", Path("news.onto"), "--text", "A neural network:\r\nthe Grand Canyon.", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Json::parse(run.out).dump(), Json::parse(R"({
        "words": ["A", "neural", "network", "the", "Grand", "Canyon."],
        "classes": [
            {"name": "Misc", "matches": null},
            {"name": "Place", "matches": [{"name": "Grand Canyon.", "spanId": "p12",
                                           "subClass": "Park", "ontologyName": "geo"}]},
            {"name": "Technology", "matches": [{"name": "neural network", "spanId": "t1",
                                                "subClass": "Method", "ontologyName": "tech"}]}]
    })")
                                               .dump());

    SRun one =
        Run({"match", Path("news.onto"), "--class", "Misc", "--text", "un caf\xC3\xA9", "--json"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(
        Json::parse(one.out)["classes"].dump(),
        R"([{"name":"Misc","matches":[{"name":"café","spanId":"z","subClass":"x","ontologyName":"y"}]}])");
}

TEST_F(LirsetProgram, MatchRefusesBadUsage) {
    WriteNewsLexicon();
    EXPECT_EQ(Run({"match", Path("news.onto"), "--json"}).status, 2);
    EXPECT_EQ(Run({"match", Path("news.onto"), "--text", "a", "--file", Path("x")}).status, 2);
    EXPECT_EQ(Run({"match", Path("news.onto"), "--file", Path("absent.txt")}).status, 2);
    SRun unknown = Run({"match", Path("news.onto"), "--class", "Nope", "--text", "a"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "lirset: match: the lexicon has no class Nope\n");
}

TEST_F(LirsetProgram, FindGivesResultCaptionAndMessage) {
    WriteNewsLexicon();
    SRun found = Run({"find", Path("news.onto"), "Neural Network", "--json"});
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(Json::parse(found.out).dump(), Json::parse(R"({
        "result": "found%Neural Network%Technology",
        "caption": "Concept found",
        "message": "Concept 'Neural Network' can be highlighted by clicking on button labelled 'Technology' in Lirset toolbar."
    })")
                                                 .dump());

    SRun similar = Run({"find", Path("news.onto"), "neural networks", "--json"});
    EXPECT_EQ(Json::parse(similar.out)["result"], "similar%neural%Technology");

    // The menu file is missing: the search runs on what the term file gave.
    fs::remove(m_dir / "news.menu");
    SRun partly = Run({"find", Path("news.onto"), "grand canyon"});
    EXPECT_EQ(partly.status, 0);
    EXPECT_EQ(
        partly.out,
        "Concept found\nConcept 'grand canyon' can be highlighted by clicking on button labelled "
        "'Place' in Lirset toolbar.\n");
    EXPECT_EQ(Run({"find", Path("news.onto"), ""}).status, 2);
}

TEST_F(LirsetProgram, DebugPrintsTheDiagnosticLinesOnlyWhenAsked) {
    WriteNewsLexicon();
    EXPECT_EQ(Run({"lexicon", Path("news.onto")}).err, "");
    EXPECT_EQ(Run({"--debug", "lexicon", Path("news.onto")}).err,
              "Calling destructor in Ontology class\nDestructor in Ontology class finished\n");
}

}  // namespace
