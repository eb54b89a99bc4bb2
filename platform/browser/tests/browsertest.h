// Helpers of the browser tests: a thread in COM with a folder of pages, a sink that records the
// browser's events in a readable form, and the walk from a browser to its documents and frames
// that the system makes.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/browser/exdisp.h"
#include "platform/browser/fileurl.h"
#include "platform/browser/webbrowser.h"
#include "platform/com/bstr.h"
#include "platform/com/cominit.h"
#include "platform/com/comptr.h"
#include "platform/com/dispeventimpl.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/oleidl.h"
#include "platform/text/codepage.h"

// An event as the sink saw it. For BeforeNavigate2 the optional arguments are kept too.
struct SRecordedEvent {
    DISPID dispid = 0;
    CComPtr<IDispatch> pDisp;
    std::string url;
    CComVariant flags;
    CComVariant targetFrameName;
    CComVariant postData;
    CComVariant headers;
};

class CRecordingSink : public IDispEventImpl<0, CRecordingSink, &DIID_DWebBrowserEvents2> {
public:
    BEGIN_SINK_MAP(CRecordingSink)
    SINK_ENTRY_EX(0, DIID_DWebBrowserEvents2, DISPID_BEFORENAVIGATE2, OnBeforeNavigate2)
    SINK_ENTRY_EX(0, DIID_DWebBrowserEvents2, DISPID_NAVIGATECOMPLETE2, OnNavigateComplete2)
    SINK_ENTRY_EX(0, DIID_DWebBrowserEvents2, DISPID_DOCUMENTCOMPLETE, OnDocumentComplete)
    SINK_ENTRY_EX(0, DIID_DWebBrowserEvents2, DISPID_DOWNLOADBEGIN, OnDownloadBegin)
    SINK_ENTRY_EX(0, DIID_DWebBrowserEvents2, DISPID_DOWNLOADCOMPLETE, OnDownloadComplete)
    SINK_ENTRY_EX(0, DIID_DWebBrowserEvents2, DISPID_ONQUIT, OnQuit)
    END_SINK_MAP()

    void STDMETHODCALLTYPE OnBeforeNavigate2(IDispatch* pDisp, VARIANT* pUrl, VARIANT* pFlags,
                                             VARIANT* pTarget, VARIANT* pPostData,
                                             VARIANT* pHeaders, VARIANT_BOOL* pbCancel) {
        SRecordedEvent event = Event(DISPID_BEFORENAVIGATE2, pDisp, pUrl);
        event.flags = *pFlags;
        event.targetFrameName = *pTarget;
        event.postData = *pPostData;
        event.headers = *pHeaders;
        Record(std::move(event), pbCancel);
    }
    void STDMETHODCALLTYPE OnNavigateComplete2(IDispatch* pDisp, VARIANT* pUrl) {
        Record(Event(DISPID_NAVIGATECOMPLETE2, pDisp, pUrl), nullptr);
    }
    void STDMETHODCALLTYPE OnDocumentComplete(IDispatch* pDisp, VARIANT* pUrl) {
        Record(Event(DISPID_DOCUMENTCOMPLETE, pDisp, pUrl), nullptr);
    }
    void STDMETHODCALLTYPE OnDownloadBegin() { Record(Event(DISPID_DOWNLOADBEGIN), nullptr); }
    void STDMETHODCALLTYPE OnDownloadComplete() { Record(Event(DISPID_DOWNLOADCOMPLETE), nullptr); }
    void STDMETHODCALLTYPE OnQuit() { Record(Event(DISPID_ONQUIT), nullptr); }

    // Called with every event as it arrives; pbCancel is BeforeNavigate2's flag, else null.
    std::function<void(const SRecordedEvent&, VARIANT_BOOL* pbCancel)> m_fnReact;
    std::vector<SRecordedEvent> m_vecEvents;

    // The events as "BeforeNavigate2 top page.html": the browser by its label (see Labels), the
    // address without the prefix.
    std::vector<std::string> Describe(const std::map<IDispatch*, std::string>& labels,
                                      const std::string& prefix) const {
        std::vector<std::string> lines;
        for (const SRecordedEvent& event : m_vecEvents) {
            std::string line = Name(event.dispid);
            if (event.pDisp) {
                auto found = labels.find(event.pDisp.p);
                line += " " + (found != labels.end() ? found->second : std::string("?"));
                line += " " + (event.url.rfind(prefix, 0) == 0 ? event.url.substr(prefix.size())
                                                               : event.url);
            }
            lines.push_back(line);
        }
        return lines;
    }

private:
    static SRecordedEvent Event(DISPID dispid, IDispatch* pDisp = nullptr,
                                const VARIANT* pUrl = nullptr) {
        SRecordedEvent event;
        event.dispid = dispid;
        event.pDisp = pDisp;
        if (pUrl != nullptr) {
            event.url = pUrl->vt == VT_BSTR
                            ? WideToUtf8({pUrl->bstrVal, SysStringLen(pUrl->bstrVal)})
                            : std::string("<not a string>");
        }
        return event;
    }
    static std::string Name(DISPID dispid) {
        switch (dispid) {
            case DISPID_BEFORENAVIGATE2:
                return "BeforeNavigate2";
            case DISPID_NAVIGATECOMPLETE2:
                return "NavigateComplete2";
            case DISPID_DOCUMENTCOMPLETE:
                return "DocumentComplete";
            case DISPID_DOWNLOADBEGIN:
                return "DownloadBegin";
            case DISPID_DOWNLOADCOMPLETE:
                return "DownloadComplete";
            case DISPID_ONQUIT:
                return "OnQuit";
            default:
                return std::to_string(dispid);
        }
    }
    void Record(SRecordedEvent event, VARIANT_BOOL* pbCancel) {
        m_vecEvents.push_back(std::move(event));
        if (m_fnReact) {
            // A copy: the reaction may navigate, which records further events.
            SRecordedEvent copy = m_vecEvents.back();
            m_fnReact(copy, pbCancel);
        }
    }
};

// The document a browser shows, as IDispatch; null when it has none.
inline CComPtr<IDispatch> DocumentOf(IWebBrowser2* pBrowser) {
    CComPtr<IDispatch> pDocument;
    if (FAILED(pBrowser->get_Document(&pDocument))) {
        return nullptr;
    }
    return pDocument;
}

// The frame browsers of a document, through IOleContainer as the system walks them.
inline std::vector<CComPtr<IWebBrowser2>> FramesOf(IDispatch* pDocument) {
    std::vector<CComPtr<IWebBrowser2>> vecFrames;
    CComQIPtr<IOleContainer> pContainer(pDocument);
    CComPtr<IEnumUnknown> pEnum;
    if (!pContainer || FAILED(pContainer->EnumObjects(OLECONTF_EMBEDDINGS, &pEnum))) {
        return vecFrames;
    }
    CComPtr<IUnknown> pObject;
    while (pEnum->Next(1, &pObject, nullptr) == S_OK) {
        CComQIPtr<IWebBrowser2> pFrame(pObject.p);
        if (pFrame) {
            vecFrames.push_back(pFrame);
        }
        pObject.Release();
    }
    return vecFrames;
}

// The text of a content document's body through its text range; "<no body element>" for a
// frameset page or a document without a body.
inline std::string BodyText(IDispatch* pDocument) {
    CComQIPtr<IHTMLDocument2> pHtml(pDocument);
    CComPtr<IHTMLElement> pBody;
    if (!pHtml || FAILED(pHtml->get_body(&pBody)) || !pBody) {
        return "<no body element>";
    }
    CComQIPtr<IHTMLBodyElement> pBodyElement(pBody.p);
    CComPtr<IHTMLTxtRange> pRange;
    if (!pBodyElement || FAILED(pBodyElement->createTextRange(&pRange))) {
        return "<no body element>";
    }
    CComBSTR text;
    pRange->get_text(&text);
    return WideToUtf8(text.View());
}

inline std::string DocumentUrl(IDispatch* pDocument) {
    CComQIPtr<IHTMLDocument2> pHtml(pDocument);
    CComBSTR url;
    if (!pHtml || FAILED(pHtml->get_URL(&url))) {
        return "<no document>";
    }
    return WideToUtf8(url.View());
}

inline std::string LocationOf(IWebBrowser2* pBrowser) {
    CComBSTR url;
    pBrowser->get_LocationURL(&url);
    return WideToUtf8(url.View());
}

inline bool IsBusy(IWebBrowser2* pBrowser) {
    VARIANT_BOOL bBusy = VARIANT_FALSE;
    EXPECT_EQ(pBrowser->get_Busy(&bBusy), S_OK);
    return bBusy != VARIANT_FALSE;
}

inline HRESULT NavigateTo(IWebBrowser2* pBrowser, const std::string& address) {
    return pBrowser->Navigate(CComBSTR(Utf8ToWide(address).c_str()), nullptr, nullptr, nullptr,
                              nullptr);
}

// Labels for the browsers of a page: "top", and "top/0", "top/0/1", ... for its frames by their
// position in each document's embeddings.
inline void AddLabels(IWebBrowser2* pBrowser, const std::string& label,
                      std::map<IDispatch*, std::string>& labels) {
    CComQIPtr<IDispatch> pDisp(pBrowser);
    labels[pDisp.p] = label;
    CComPtr<IDispatch> pDocument = DocumentOf(pBrowser);
    if (!pDocument) {
        return;
    }
    std::vector<CComPtr<IWebBrowser2>> vecFrames = FramesOf(pDocument);
    for (size_t i = 0; i < vecFrames.size(); ++i) {
        AddLabels(vecFrames[i], label + "/" + std::to_string(i), labels);
    }
}

inline std::map<IDispatch*, std::string> Labels(IWebBrowser2* pTop) {
    std::map<IDispatch*, std::string> labels;
    AddLabels(pTop, "top", labels);
    return labels;
}

// A test on a thread in COM with a fresh folder of pages (also the platform root).
class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lirset-browser-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strFolder = pattern;
        setenv("LIRSET_ROOT", m_strFolder.c_str(), 1);
        m_strPrefix = PathToFileUrl(m_strFolder) + "/";
    }
    void TearDown() override {
        CoUninitialize();
        unsetenv("LIRSET_ROOT");
        std::filesystem::remove_all(m_strFolder);
    }

    // Writes a file under the folder and gives its file: URL.
    std::string Write(const std::string& name, const std::string& content) {
        std::filesystem::path path = std::filesystem::path(m_strFolder) / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return Url(name);
    }
    std::string Url(const std::string& name) const { return m_strPrefix + name; }

    CComPtr<IWebBrowser2> NewBrowser() {
        CComPtr<IWebBrowser2> pBrowser;
        EXPECT_EQ(CreateWebBrowser(&pBrowser), S_OK);
        return pBrowser;
    }

    std::string m_strFolder;
    std::string m_strPrefix;  // the file: URL of the folder, with a final "/"
};
