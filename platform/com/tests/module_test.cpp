#include "platform/com/module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/com/cominit.h"
#include "platform/com/commodule.h"
#include "platform/com/comptr.h"
#include "platform/com/tests/testinterfaces.h"
#include "platform/com/tests/testobjects.h"
#include "platform/debug/debugoutput.h"
#include "platform/registry/registryfile.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kModulePath = LIRSET_TEST_MODULE;
constexpr const char* kBrowser = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

std::string ModuleFileName(HMODULE hModule) {
    char buffer[1024];
    DWORD length = GetModuleFileNameA(hModule, buffer, sizeof(buffer));
    return std::string(buffer, length);
}

// The test module runs inside a process that plays the browser, with a fresh registry.
class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProcessImageName(kBrowser);
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    }
    void TearDown() override {
        CoUninitialize();
        SetProcessImageName(nullptr);
    }

    // Registers the module's classes as the module itself would, under the given path.
    void RegisterModule(const std::string& path) {
        CRegistryFile registry;
        for (const CLSID& clsid : {CLSID_TestCounter, CLSID_TestSolitary, CLSID_TestUnserved}) {
            std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(clsid);
            ASSERT_TRUE(
                registry.SetValue(key + "\\InprocServer32", CRegistryValue::String("", path)));
            ASSERT_TRUE(registry.SetValue(key + "\\InprocServer32",
                                          CRegistryValue::String("ThreadingModel", "Apartment")));
        }
        ASSERT_TRUE(registry.Save(CRegistryFile::DefaultPath()));
    }

    HRESULT CreateCounter(REFCLSID clsid, CComPtr<ITestCounter>& pCounter) {
        return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITestCounter,
                                reinterpret_cast<void**>(&pCounter));
    }

    CTempRoot m_root;
    CDebugCapture m_debug;
};

TEST_F(ModuleTest, LoadsOnceAndDetachesAtTheLastFree) {
    HMODULE hFirst = LoadLibraryA(kModulePath);
    ASSERT_NE(hFirst, nullptr);
    HMODULE hSecond = LoadLibraryA(kModulePath);
    EXPECT_EQ(hSecond, hFirst);
    EXPECT_EQ(m_debug.Text(), "testmodule: attached\n");
    EXPECT_EQ(ModuleFileName(hFirst), fs::absolute(kModulePath).lexically_normal().string());
    for (const char* name : {"DllMain", "DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer",
                             "DllUnregisterServer"}) {
        EXPECT_NE(GetProcAddress(hFirst, name), nullptr) << name;
    }
    EXPECT_EQ(GetProcAddress(hFirst, "DllInstall"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    // Nothing but the entry points leaves the module.
    EXPECT_EQ(GetProcAddress(hFirst, "_Z12GetComModulev"), nullptr);

    EXPECT_TRUE(FreeLibrary(hFirst));
    EXPECT_EQ(m_debug.Text(), "testmodule: attached\n");
    EXPECT_TRUE(FreeLibrary(hSecond));
    EXPECT_EQ(m_debug.Text(), "testmodule: attached\ntestmodule: detached\n");
    EXPECT_FALSE(FreeLibrary(hFirst));
    EXPECT_EQ(ModuleFileName(hFirst), "");
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST_F(ModuleTest, DllMainDecidesByTheHostIdentity) {
    struct {
        const char* image;
        bool accepted;
    } cases[] = {
        {"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE", true},
        {"C:\\WINDOWS\\system32\\regsvr32.exe", true},
        {"C:\\WINDOWS\\System32\\RegSvr32.Exe", true},
        {"C:\\WINDOWS\\explorer.exe", false},
        {"C:\\iexplore.exe.old", false},
        {nullptr, false},
    };
    for (const auto& c : cases) {
        SetProcessImageName(c.image);
        m_debug.Clear();
        HMODULE hModule = LoadLibraryA(kModulePath);
        if (c.accepted) {
            ASSERT_NE(hModule, nullptr) << c.image;
            EXPECT_TRUE(FreeLibrary(hModule));
        } else {
            EXPECT_EQ(hModule, nullptr) << (c.image ? c.image : "this program");
            EXPECT_EQ(GetLastError(), ERROR_DLL_INIT_FAILED);
            // A refusal is followed by the detach call, as on the platform.
            EXPECT_EQ(m_debug.Text(), "testmodule: refused\ntestmodule: detached\n");
        }
    }
}

TEST_F(ModuleTest, ProcessNameIsTheDeclaredHostOrThisProgram) {
    const std::string kRegistrar = "C:\\WINDOWS\\system32\\regsvr32.exe";
    SetProcessImageName(kRegistrar.c_str());
    EXPECT_EQ(ModuleFileName(nullptr), kRegistrar);

    char exact[34];
    EXPECT_EQ(GetModuleFileNameA(nullptr, exact, sizeof(exact)), kRegistrar.size());
    EXPECT_EQ(std::string(exact), kRegistrar);

    char small[8];
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), sizeof(small));
    EXPECT_EQ(std::string(small), "C:\\WIND");
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, 0), 0u);

    SetProcessImageName(nullptr);
    EXPECT_EQ(ModuleFileName(nullptr), fs::read_symlink("/proc/self/exe").string());
}

TEST_F(ModuleTest, LoadFailuresAreReported) {
    EXPECT_EQ(LoadLibraryA((m_root.Path() + "/absent.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryA(""), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

    std::string text = m_root.Path() + "/notalibrary.dll";
    std::ofstream(text) << "text\n";
    EXPECT_EQ(LoadLibraryA(text.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);
    EXPECT_NE(m_debug.Text().find("notalibrary.dll"), std::string::npos);
}

TEST_F(ModuleTest, WindowsPathsAreMappedAndReportedAsGiven) {
    fs::create_directories(m_root.Path() + "/drive_c/Lirset");
    fs::copy_file(kModulePath, m_root.Path() + "/drive_c/Lirset/TestModule.dll");
    const std::string kWindowsPath = "C:\\Lirset\\TestModule.dll";
    HMODULE hModule = LoadLibraryA(kWindowsPath.c_str());
    ASSERT_NE(hModule, nullptr);
    EXPECT_EQ(ModuleFileName(hModule), kWindowsPath);
    EXPECT_TRUE(FreeLibrary(hModule));

    RegisterModule(kWindowsPath);
    CComPtr<ITestCounter> pCounter;
    EXPECT_EQ(CreateCounter(CLSID_TestCounter, pCounter), S_OK);
}

TEST_F(ModuleTest, CreatesRegisteredClassesAndKeepsTheModuleWhileUsed) {
    RegisterModule(kModulePath);
    {
        CComPtr<ITestCounter> pCounter;
        ASSERT_EQ(CreateCounter(CLSID_TestCounter, pCounter), S_OK);
        EXPECT_EQ(pCounter->Add(40), S_OK);
        EXPECT_EQ(pCounter->Add(2), S_OK);
        LONG total = 0;
        EXPECT_EQ(pCounter->GetTotal(&total), S_OK);
        EXPECT_EQ(total, 42);

        CComPtr<ITestCounter> pSecond;
        ASSERT_EQ(CreateCounter(CLSID_TestSolitary, pSecond), S_OK);
        EXPECT_EQ(m_debug.Text(), "testmodule: attached\n");

        // The module's objects lock the module, not this program.
        EXPECT_EQ(GetComModule().GetLockCount(), 0);
        CoFreeUnusedLibraries();
        EXPECT_EQ(m_debug.Text(), "testmodule: attached\n");
    }
    CoFreeUnusedLibraries();
    EXPECT_EQ(m_debug.Text(), "testmodule: attached\ntestmodule: detached\n");

    CComPtr<ITestCounter> pAgain;
    EXPECT_EQ(CreateCounter(CLSID_TestCounter, pAgain), S_OK);
}

TEST_F(ModuleTest, ModuleAnswersArePassedOn) {
    RegisterModule(kModulePath);
    CComPtr<ITestCounter> pCounter;
    EXPECT_EQ(CreateCounter(CLSID_TestUnserved, pCounter), CLASS_E_CLASSNOTAVAILABLE);

    void* pv = &pv;
    EXPECT_EQ(
        CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &pv),
        E_NOINTERFACE);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(
        CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_LOCAL_SERVER, IID_ITestCounter, &pv),
        REGDB_E_CLASSNOTREG);
}

TEST_F(ModuleTest, AggregationArgumentsReachTheModule) {
    RegisterModule(kModulePath);
    COuterObject outer;
    void* pv = &pv;
    EXPECT_EQ(CoCreateInstance(CLSID_TestSolitary, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &pv),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(
        CoCreateInstance(CLSID_TestCounter, &outer, CLSCTX_INPROC_SERVER, IID_ITestCounter, &pv),
        CLASS_E_NOAGGREGATION);

    ASSERT_EQ(CoCreateInstance(CLSID_TestCounter, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&outer.m_pInner)),
              S_OK);
    CComPtr<ITestCounter> pCounter;
    ASSERT_EQ(outer.QueryInterface(IID_ITestCounter, reinterpret_cast<void**>(&pCounter)), S_OK);
    EXPECT_EQ(outer.m_nRefs, 1);
    EXPECT_EQ(pCounter->Add(1), S_OK);
    pCounter.Release();
    EXPECT_EQ(outer.m_nRefs, 0);
    outer.m_pInner.Release();
}

TEST_F(ModuleTest, RefusedModuleCreatesNothing) {
    RegisterModule(kModulePath);
    SetProcessImageName("C:\\WINDOWS\\explorer.exe");
    CComPtr<ITestCounter> pCounter;
    EXPECT_EQ(CreateCounter(CLSID_TestCounter, pCounter),
              HRESULT_FROM_WIN32(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(pCounter, nullptr);
}

TEST_F(ModuleTest, SelfRegistrationUsesTheModulePath) {
    SetProcessImageName("C:\\WINDOWS\\system32\\regsvr32.exe");
    HMODULE hModule = LoadLibraryA(kModulePath);
    ASSERT_NE(hModule, nullptr);
    auto pfnRegister =
        reinterpret_cast<LPFNREGISTERSERVER>(GetProcAddress(hModule, "DllRegisterServer"));
    auto pfnUnregister =
        reinterpret_cast<LPFNREGISTERSERVER>(GetProcAddress(hModule, "DllUnregisterServer"));
    ASSERT_EQ(pfnRegister(), S_OK);

    CRegistryFile registry;
    ASSERT_TRUE(registry.Load(CRegistryFile::DefaultPath()));
    const CRegistryValue* server = registry.GetValue(
        "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(CLSID_TestCounter) + "\\InprocServer32", "");
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->Text(), ModuleFileName(hModule));

    CComPtr<ITestCounter> pCounter;
    EXPECT_EQ(CreateCounter(CLSID_TestCounter, pCounter), S_OK);
    pCounter.Release();

    ASSERT_EQ(pfnUnregister(), S_OK);
    EXPECT_EQ(CreateCounter(CLSID_TestSolitary, pCounter), REGDB_E_CLASSNOTREG);
    EXPECT_TRUE(FreeLibrary(hModule));
}

TEST_F(ModuleTest, LastUninitializeFreesUnusedModules) {
    RegisterModule(kModulePath);
    CComPtr<ITestCounter> pCounter;
    ASSERT_EQ(CreateCounter(CLSID_TestCounter, pCounter), S_OK);
    pCounter.Release();
    CoUninitialize();
    EXPECT_EQ(m_debug.Text(), "testmodule: attached\ntestmodule: detached\n");
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
}

}  // namespace
