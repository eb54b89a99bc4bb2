#include "prefs/preferencestore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/debug/debugoutput.h"
#include "prefs/tests/temporaryroot.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolder = "C:\\Lirset\\";

class PreferenceStoreTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(Folder()); }

    fs::path Folder() const { return fs::path(m_root.Path()) / "drive_c" / "Lirset"; }
    fs::path File() const { return Folder() / "preferences.xml"; }

    // A preferences file with the given parameter elements, as CR LF text.
    void WriteParameters(const std::string& parameters) {
        WriteBytes(File(), "<?xml version=\"1.0\"?>\r\n<preferences>\r\n" + parameters +
                               "</preferences>\r\n");
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    CTemporaryRoot m_root;
};

TEST_F(PreferenceStoreTest, MissingFileGivesAnEmptyStoreAndWritesNothing) {
    CPreferenceStore store(kFolder);
    for (const char* key : {"autoLoadLastOnto", "uriBaseProxy", "lastOntology", "_new_"}) {
        EXPECT_EQ(store.GetParameter(key), "") << key;
    }
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(PreferenceStoreTest, WriteProducesSortedEscapedCrLfFile) {
    CPreferenceStore store(kFolder);
    store.SetParameter("uriBaseProxy", "http://h/?a=1&b=<2> \"q\"", false);
    store.SetParameter("a&<key>\"", "x", false);
    EXPECT_FALSE(fs::exists(File()));
    store.SetParameter("enableSnapshots", "true", true);
    EXPECT_EQ(ReadBytes(File()),
              "<?xml version=\"1.0\"?>\r\n<preferences>\r\n"
              "  <parameter ID=\"a&amp;&lt;key&gt;&quot;\">\r\n"
              "    <content dt=\"string\">x</content>\r\n"
              "  </parameter>\r\n"
              "  <parameter ID=\"enableSnapshots\">\r\n"
              "    <content dt=\"string\">true</content>\r\n"
              "  </parameter>\r\n"
              "  <parameter ID=\"uriBaseProxy\">\r\n"
              "    <content dt=\"string\">http://h/?a=1&amp;b=&lt;2&gt; &quot;q&quot;</content>\r\n"
              "  </parameter>\r\n"
              "</preferences>\r\n");
}

TEST_F(PreferenceStoreTest, RoundTripKeepsEveryValueAndUnknownKeys) {
    const std::map<std::string, std::string> pairs = {
        {"oidUserName", "ren\xE9"},  // "é" in Windows-1252
        {"someoneElsesKey", "kept"},
        {"uriLexiconFTP", "ftp://x/?a&b<c>\"d\"]]>"},
        {"multiLine", "one\r\ntwo\tthree\n"},
        {"long", std::string(3000, 'v')},
        {"weird\tkey\n", "v"},
    };
    {
        CPreferenceStore store(kFolder);
        for (const auto& [key, value] : pairs) {
            store.SetParameter(key, value, true);
        }
    }
    EXPECT_NE(ReadBytes(File()).find("ren\xC3\xA9"), std::string::npos) << "written as UTF-8";
    CDebugCapture debug;
    CPreferenceStore reread(kFolder);
    for (const auto& [key, value] : pairs) {
        EXPECT_EQ(reread.GetParameter(key), value) << key;
    }
    EXPECT_EQ(reread.GetParameter("_new_"), "");
    EXPECT_EQ(debug.Text(), "");
}

TEST_F(PreferenceStoreTest, ControlCharactersXmlCannotHoldAreLeftOut) {
    CPreferenceStore store(kFolder);
    store.SetParameter("k",
                       std::string("a\x01"
                                   "b\x1F"
                                   "c"),
                       true);
    store.SetParameter("next", "still readable", true);
    CPreferenceStore reread(kFolder);
    EXPECT_EQ(reread.GetParameter("k"), "abc");
    EXPECT_EQ(reread.GetParameter("next"), "still readable");
}

struct ReadCase {
    const char* name;
    std::string parameters;
    std::map<std::string, std::string> expected;  // "" as value: the key is absent
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class PreferenceReadTest : public PreferenceStoreTest,
                           public ::testing::WithParamInterface<ReadCase> {};

TEST_P(PreferenceReadTest, ReadsPairs) {
    WriteParameters(GetParam().parameters);
    CDebugCapture debug;
    CPreferenceStore store(kFolder);
    for (const auto& [key, value] : GetParam().expected) {
        EXPECT_EQ(store.GetParameter(key), value) << "key " << key;
    }
    EXPECT_EQ(debug.Text(), "");
}

std::string Parameter(const std::string& id, const std::string& content) {
    return "  <parameter ID=\"" + id + "\">\r\n    " + content + "\r\n  </parameter>\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreferenceReadTest,
    ::testing::Values(
        ReadCase{
            "WholeTextAroundEntities",
            Parameter("k",
                      "<content dt=\"string\">a &amp; b &lt;c&gt; &#233;<![CDATA[<x>]]></content>"),
            {{"k", "a & b <c> \xE9<x>"}}},
        ReadCase{
            "EmptyContentKeepsNextKeys",
            Parameter("empty", "<content dt=\"string\"></content>") +
                Parameter("selfClosed", "<content dt=\"string\"/>") +
                Parameter("after", "<content dt=\"string\">1</content>") +
                Parameter("later", "<content dt=\"string\">2</content>"),
            {{"empty", ""}, {"selfClosed", ""}, {"after", "1"}, {"later", "2"}, {"_new_", ""}}},
        ReadCase{"ContentWithoutDtStoresNothing",
                 Parameter("plain", "<content>lost</content>") +
                     Parameter("last", "<content>also lost</content>"),
                 {{"plain", ""}, {"last", ""}, {"_new_", "last"}}},
        ReadCase{"TwoDtAttributesStoreNothing",
                 "<parameter ID=\"k\"><content xmlns:a=\"urn:a\" a:dt=\"s\" dt=\"s\">v</content>"
                 "</parameter>" +
                     Parameter("next", "<content dt=\"string\">n</content>"),
                 {{"k", ""}, {"next", "n"}}},
        ReadCase{"ParameterWithoutIdUsesEmptyKey",
                 "  <parameter>\r\n    <content dt=\"string\">anonymous</content>\r\n"
                 "  </parameter>\r\n",
                 {{"", "anonymous"}, {"_new_", ""}}},
        ReadCase{"LastIdCountsAndNamesMatchByPrefix",
                 "<parameterX xmlns:n=\"urn:n\" IDa=\"first\" n:ID=\"second\">"
                 "<n:contents dtype=\"s\">v</n:contents></parameterX>",
                 {{"first", ""}, {"second", "v"}}},
        ReadCase{"UnknownElementsKeepReadingInStep",
                 "<note>hi</note>" +
                     Parameter("k", "<content dt=\"string\">a<b>b</b>c</content><extra/>") +
                     Parameter("next", "<content dt=\"string\">n</content>"),
                 {{"k", "abc"}, {"next", "n"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreferenceStoreTest, MalformedFileKeepsPairsReadBeforeTheError) {
    WriteParameters(Parameter("first", "<content dt=\"string\">1</content>") +
                    Parameter("second", "<content dt=\"string\">a < b</content>") +
                    Parameter("third", "<content dt=\"string\">3</content>"));
    CDebugCapture debug;
    CPreferenceStore store(kFolder);
    EXPECT_EQ(store.GetParameter("first"), "1");
    EXPECT_EQ(store.GetParameter("third"), "");
    EXPECT_EQ(debug.Text(), "\nError 80004005\n\n");
}

TEST_F(PreferenceStoreTest, EmptyValueRemovesTheKeyFromTheFile) {
    CPreferenceStore store(kFolder);
    store.SetParameter("lastOntology", "C:\\onto\\x.lex", true);
    EXPECT_NE(ReadBytes(File()).find("lastOntology"), std::string::npos);
    store.SetParameter("lastOntology", "", true);
    EXPECT_EQ(store.GetParameter("lastOntology"), "");
    EXPECT_EQ(ReadBytes(File()).find("lastOntology"), std::string::npos);
}

TEST_F(PreferenceStoreTest, SavingLeavesNoTemporaryFiles) {
    CPreferenceStore store(kFolder);
    for (int i = 0; i < 5; ++i) {
        store.SetParameter("n", std::to_string(i), true);
    }
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"preferences.xml"});
}

TEST_F(PreferenceStoreTest, FailedSaveKeepsThePreviousFileAndLeavesNothingBehind) {
    CPreferenceStore store(kFolder);
    store.SetParameter("k", "old", true);
    const std::string before = ReadBytes(File());
    store.SetParameter("k", "new", false);
    // A folder where the file should be: the final rename fails after the data was written.
    fs::path blocked = Folder() / "blocked.xml";
    fs::create_directory(blocked);
    EXPECT_EQ(store.SavePreferences(blocked.string()), E_FAIL);
    EXPECT_EQ(ReadBytes(File()), before);
    std::vector<std::string> entries = FolderEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"blocked.xml", "preferences.xml"}));

    EXPECT_EQ(store.SavePreferences("C:\\Missing\\preferences.xml"), E_FAIL);
    EXPECT_FALSE(fs::exists(fs::path(m_root.Path()) / "drive_c" / "Missing"));
}

TEST_F(PreferenceStoreTest, FolderOfThisMachineUsesSlash) {
    std::string folder = m_root.Path() + "/local";
    fs::create_directories(folder);
    CPreferenceStore store(folder);
    store.SetParameter("k", "v", true);
    EXPECT_TRUE(fs::exists(folder + "/preferences.xml"));
    EXPECT_EQ(CPreferenceStore(folder).GetParameter("k"), "v");
}

}  // namespace
