#include "platform/registry/registrar.h"

#include <string>

#include "platform/tests/registryfixture.h"

namespace {

constexpr const char* kClassKey =
    "HKEY_CLASSES_ROOT\\CLSID\\{9ABAA010-079F-4638-8EE4-35F24BEFA110}";
constexpr const char* kOtherClassKey =
    "HKEY_CLASSES_ROOT\\CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32";
constexpr const char* kExtensionsKey =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Extensions";
constexpr const char* kExtensionKey =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
    "{A26ABCF0-1C8F-46e7-A67C-0489DC21B9CC}";
constexpr const char* kModule = "C:\\Program Files\\Lirset\\Lirset.DLL";

constexpr const char* kScript = R"(HKCR
{
    Lirset.LirsetToolband.1 = s 'Lirset'
    {
        CLSID = s '{9ABAA010-079F-4638-8EE4-35F24BEFA110}'
    }
    Lirset.LirsetToolband = s 'Lirset'
    {
        CLSID = s '{9ABAA010-079F-4638-8EE4-35F24BEFA110}'
        CurVer = s 'Lirset.LirsetToolband.1'
    }
    NoRemove CLSID
    {
        ForceRemove {9ABAA010-079F-4638-8EE4-35F24BEFA110} = s 'Lirset'
        {
            ProgID = s 'Lirset.LirsetToolband.1'
            VersionIndependentProgID = s 'Lirset.LirsetToolband'
            ForceRemove 'Programmable'
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
            'TypeLib' = s '{EB7B73DC-36B6-4708-82E9-73E63700F2A8}'
        }
    }
}
HKLM
{
    NoRemove Software
    {
        NoRemove Microsoft
        {
            NoRemove 'Internet Explorer'
            {
                NoRemove Extensions
                {
                    ForceRemove {A26ABCF0-1C8F-46e7-A67C-0489DC21B9CC} = s 'Lirset'
                    {
                        val ButtonText = s 'Lirset: Semantic Web Viewing'
                        val 'Default Visible' = s 'Yes'
                        val HotIcon = s '%MODULE%,206'
                    }
                }
            }
        }
    }
}
)";

class RegistrarTest : public RegistryFixture {
protected:
    void SetUp() override {
        RegistryFixture::SetUp();
        ASSERT_EQ(m_registrar.AddReplacement("MODULE", kModule), S_OK);
    }

    // The text of a REG_SZ value, or "<missing>".
    static std::string Text(const std::string& key, const std::string& name) {
        CRegistryFile file = LoadRegistry();
        const CRegistryValue* value = file.GetValue(key, name);
        return value == nullptr ? "<missing>" : value->Text();
    }
    static bool Exists(const std::string& key) { return LoadRegistry().FindKey(key) != nullptr; }
    static void Seed(const std::string& key, const std::string& name, const std::string& text) {
        CRegistryFile file = LoadRegistry();
        ASSERT_TRUE(file.SetValue(key, CRegistryValue::String(name, text)));
        ASSERT_TRUE(file.Save(CRegistryFile::DefaultPath()));
    }

    CRegistrar m_registrar;
};

TEST_F(RegistrarTest, RegistersTheClassAndTheExtension) {
    ASSERT_EQ(m_registrar.StringRegister(kScript), S_OK);
    const std::string classKey = kClassKey;
    EXPECT_EQ(Text(classKey, ""), "Lirset");
    EXPECT_EQ(Text(classKey + "\\InprocServer32", ""), kModule);
    EXPECT_EQ(Text(classKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(Text(classKey + "\\TypeLib", ""), "{EB7B73DC-36B6-4708-82E9-73E63700F2A8}");
    EXPECT_TRUE(Exists(classKey + "\\Programmable"));
    EXPECT_EQ(Text("HKEY_CLASSES_ROOT\\Lirset.LirsetToolband\\CurVer", ""),
              "Lirset.LirsetToolband.1");
    EXPECT_EQ(Text(kExtensionKey, "Default Visible"), "Yes");
    EXPECT_EQ(Text(kExtensionKey, "HotIcon"), std::string(kModule) + ",206");
}

TEST_F(RegistrarTest, RegisteringAgainRewritesForceRemoveKeys) {
    Seed(std::string(kClassKey) + "\\Stale", "Old", "x");
    Seed(kClassKey, "Leftover", "x");
    Seed(kExtensionKey, "Obsolete", "x");
    Seed(kOtherClassKey, "", "other.dll");
    ASSERT_EQ(m_registrar.StringRegister(kScript), S_OK);
    const std::string once = ReadRegistry();
    ASSERT_EQ(m_registrar.StringRegister(kScript), S_OK);
    EXPECT_EQ(ReadRegistry(), once);
    EXPECT_FALSE(Exists(std::string(kClassKey) + "\\Stale"));
    EXPECT_EQ(Text(kClassKey, "Leftover"), "<missing>");
    EXPECT_EQ(Text(kExtensionKey, "Obsolete"), "<missing>");
    EXPECT_EQ(Text(kOtherClassKey, ""), "other.dll");
}

TEST_F(RegistrarTest, UnregisteringRemovesWhatTheScriptAddedAndKeepsWhatOthersNeed) {
    Seed(kOtherClassKey, "", "other.dll");
    Seed("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Toolbar", "x", "");
    ASSERT_EQ(m_registrar.StringRegister(kScript), S_OK);
    Seed(std::string(kClassKey) + "\\Implemented Categories", "", "");
    Seed("HKEY_CLASSES_ROOT\\Lirset.LirsetToolband\\Foreign", "", "");

    ASSERT_EQ(m_registrar.StringUnregister(kScript), S_OK);
    EXPECT_FALSE(Exists(kClassKey)) << "ForceRemove: deleted with a subkey it did not write";
    EXPECT_FALSE(Exists(kExtensionKey));
    EXPECT_FALSE(Exists("HKEY_CLASSES_ROOT\\Lirset.LirsetToolband.1"));
    EXPECT_TRUE(Exists("HKEY_CLASSES_ROOT\\Lirset.LirsetToolband\\Foreign"))
        << "a plain key with a subkey of someone else's stays";
    EXPECT_FALSE(Exists("HKEY_CLASSES_ROOT\\Lirset.LirsetToolband\\CurVer"));
    EXPECT_EQ(Text(kOtherClassKey, ""), "other.dll");
    EXPECT_TRUE(Exists(kExtensionsKey)) << "NoRemove, though left empty";
    EXPECT_EQ(Text("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Toolbar", "x"), "");

    const std::string after = ReadRegistry();
    EXPECT_EQ(m_registrar.StringUnregister(kScript), S_OK) << "nothing left to remove";
    EXPECT_EQ(ReadRegistry(), after);
}

TEST_F(RegistrarTest, ValueTypesFlagsAndSharedKeys) {
    Seed("HKEY_LOCAL_MACHINE\\Software\\Test\\Old\\Deep", "v", "x");
    Seed(kOtherClassKey, "", "other.dll");
    const char* script = R"(
        hklm { NoRemove software { NoRemove Test {
            VAL Hex = D 0x1F
            val Dec = d '42'
            val Bin = b '00ff10'
            val Empty = b ''
            NoRemove val Keep = s 'k'
            Delete Old { Written = s 'no' }
        } } }
        HKEY_CLASSES_ROOT { ForceRemove CLSID { Mine = s 'm' } }
        HKCU { Settings { val 'Delete' = s 'a quoted keyword is a name' } })";
    ASSERT_EQ(m_registrar.StringRegister(script), S_OK);
    CRegistryFile file = LoadRegistry();
    const char* test = "HKEY_LOCAL_MACHINE\\Software\\Test";
    EXPECT_EQ(file.GetValue(test, "Hex")->Number(), 0x1Fu);
    EXPECT_EQ(file.GetValue(test, "Dec")->Number(), 42u);
    EXPECT_EQ(file.GetValue(test, "Bin")->Bytes(), std::string("\x00\xff\x10", 3));
    EXPECT_EQ(file.GetValue(test, "Empty")->Type(), REG_BINARY);
    EXPECT_EQ(file.FindKey("HKEY_LOCAL_MACHINE\\Software\\Test\\Old"), nullptr);
    EXPECT_NE(file.GetValue(kOtherClassKey, ""), nullptr) << "ForceRemove spares CLSID";
    EXPECT_EQ(file.GetValue("HKEY_CURRENT_USER\\Settings", "Delete")->Text(),
              "a quoted keyword is a name");

    ASSERT_EQ(m_registrar.StringUnregister(script), S_OK);
    file = LoadRegistry();
    EXPECT_EQ(file.GetValue(test, "Hex"), nullptr);
    ASSERT_NE(file.GetValue(test, "Keep"), nullptr);
    EXPECT_EQ(file.GetValue(test, "Keep")->Text(), "k");
    EXPECT_NE(file.GetValue(kOtherClassKey, ""), nullptr);
    EXPECT_EQ(file.FindKey("HKEY_CLASSES_ROOT\\CLSID\\Mine"), nullptr);
    EXPECT_EQ(file.FindKey("HKEY_CURRENT_USER\\Settings"), nullptr);
}

TEST_F(RegistrarTest, ReplacementsApplyWithinTokens) {
    EXPECT_EQ(m_registrar.AddReplacement("module", "C:\\Dan's Files\\x.dll"), S_OK)
        << "replaces the earlier one";
    EXPECT_EQ(m_registrar.AddReplacement("Key Name", "Some Key"), S_OK);
    EXPECT_EQ(m_registrar.AddReplacement("a%b", "x"), E_INVALIDARG);
    EXPECT_EQ(m_registrar.AddReplacement("", "x"), E_INVALIDARG);
    EXPECT_EQ(m_registrar.AddReplacement("x", nullptr), E_INVALIDARG);
    ASSERT_EQ(m_registrar.StringRegister(
                  "HKLM { '%KEY NAME%' = s '%Module%' { val Rate = s '100%% ''sure''' } }"),
              S_OK);
    EXPECT_EQ(Text("HKEY_LOCAL_MACHINE\\Some Key", ""), "C:\\Dan's Files\\x.dll");
    EXPECT_EQ(Text("HKEY_LOCAL_MACHINE\\Some Key", "Rate"), "100% 'sure'");

    ASSERT_EQ(m_registrar.ClearReplacements(), S_OK);
    CRegistryScriptError error;
    EXPECT_EQ(m_registrar.StringRegister("HKLM { K = s '%MODULE%' }", &error), DISP_E_EXCEPTION);
    EXPECT_EQ(error.m_strMessage, "no replacement is given for %MODULE%");
}

TEST_F(RegistrarTest, ScriptFaultsAreReportedWithTheirPositionAndWriteNothing) {
    std::string deep = "HKCR {";
    for (int i = 0; i < 600; ++i) {
        deep += " k {";
    }
    struct Case {
        std::string script;
        int line;
        int column;
        std::string message;
    };
    for (const Case& c : {
             Case{"HKCR\n{\n    Good = s 'x'\n}\nHKEY_USERS\n{\n}\n", 5, 1, "is not a root key"},
             Case{"}", 1, 1, "'}' is not a root key"},
             Case{"HKCR", 1, 5, "the script ends where '{' is expected"},
             Case{"HKCR {\n    Key = s 'unclosed\n}\n", 2, 13, "not closed"},
             Case{"HKCR {\n  A = s '%UNKNOWN%'\n}", 2, 9, "%UNKNOWN%"},
             Case{"HKCR { A = s 50% }", 1, 14, "closing '%'"},
             Case{"HKCR { A = x 'y' }", 1, 12, "'x' is not a value type"},
             Case{"HKCR { A = }", 1, 12, "'}' is not a value type"},
             Case{"HKCR { val N = d 12ab }", 1, 18, "'12ab' is not a DWORD"},
             Case{"HKCR { val N = d 4294967296 }", 1, 18, "is not a DWORD"},
             Case{"HKCR { val B = b '0F1' }", 1, 18, "hexadecimal"},
             Case{"HKCR { val B = b 'zz' }", 1, 18, "hexadecimal"},
             Case{"HKCR { Parent\\Child }", 1, 8, "backslash"},
             Case{"HKCR { ForceRemove val X = s 'y' }", 1, 8, "applies to keys"},
             Case{"HKCR { val X s 'y' }", 1, 14, "'=' is expected"},
             Case{"HKCR { A = s 'two\nlines' }", 1, 14, "line break"},
             Case{"HKCR { A {\n}", 2, 2, "'}' is missing"},
             Case{deep, 1, 6 + 4 * 512, "nest too deep"},
         }) {
        CRegistryScriptError error;
        EXPECT_EQ(m_registrar.StringRegister(c.script, &error), DISP_E_EXCEPTION) << c.script;
        EXPECT_EQ(error.m_nLine, c.line) << c.script;
        EXPECT_EQ(error.m_nColumn, c.column) << c.script;
        EXPECT_NE(error.m_strMessage.find(c.message), std::string::npos)
            << c.script << " -> " << error.m_strMessage;
        EXPECT_EQ(m_registrar.StringUnregister(c.script), DISP_E_EXCEPTION);
    }
    EXPECT_FALSE(std::filesystem::exists(CRegistryFile::DefaultPath()));
}

TEST_F(RegistrarTest, AnUnreadableRegistryIsLeftAlone) {
    const std::string damaged = "REGEDIT4\r\nnot a key\r\n";
    WriteRegistry(damaged);
    CRegistryScriptError error;
    EXPECT_EQ(m_registrar.StringRegister(kScript, &error), HRESULT_FROM_WIN32(ERROR_BADDB));
    EXPECT_FALSE(error.m_strMessage.empty());
    EXPECT_EQ(ReadRegistry(), damaged);
}

}  // namespace
