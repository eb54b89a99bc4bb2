// The frames of a page through IOleContainer, and Detach ending the cycles through them.
#include <vector>

#include <gtest/gtest.h>

#include "platform/dom/com/oleidl.h"
#include "platform/dom/com/tests/domcomtest.h"

namespace {

// The objects the container enumerates from where the enumerator stands.
std::vector<IUnknown*> Remaining(IEnumUnknown* pEnum) {
    std::vector<IUnknown*> vecObjects;
    CComPtr<IUnknown> pObject;
    while (pEnum->Next(1, &pObject, nullptr) == S_OK) {
        vecObjects.push_back(pObject.p);
    }
    return vecObjects;
}

CComPtr<IEnumUnknown> Embeddings(IHTMLDocument2* pDocument, DWORD grfFlags) {
    CComQIPtr<IOleContainer> pContainer(pDocument);
    CComPtr<IEnumUnknown> pEnum;
    EXPECT_EQ(S_OK, pContainer->EnumObjects(grfFlags, &pEnum));
    return pEnum;
}

TEST(FramesTest, NoEmbeddingsSet) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(u"<p>x");
    CComPtr<IEnumUnknown> pEnum = Embeddings(pDocument, OLECONTF_EMBEDDINGS);
    IUnknown* pObject = nullptr;
    ULONG nFetched = 7;
    EXPECT_EQ(S_FALSE, pEnum->Next(1, &pObject, &nFetched));
    EXPECT_EQ(0u, nFetched);
    EXPECT_EQ(nullptr, pObject);
}

TEST(FramesTest, EmbeddingsInOrder) {
    CComPtr<IHTMLDocument2> pPage = LoadPage(u"<frameset><frame><frame></frameset>");
    CComPtr<IHTMLDocument2> pFirst = LoadPage(u"<p>1");
    CComPtr<IHTMLDocument2> pSecond = LoadPage(u"<p>2");
    CComQIPtr<IUnknown> pFirstUnknown(pFirst.p);
    CComQIPtr<IUnknown> pSecondUnknown(pSecond.p);
    GetHTMLDocumentObject(pPage)->SetEmbeddings({pFirstUnknown, pSecondUnknown});

    CComPtr<IEnumUnknown> pEnum = Embeddings(pPage, OLECONTF_EMBEDDINGS);
    EXPECT_EQ((std::vector<IUnknown*>{pFirstUnknown, pSecondUnknown}), Remaining(pEnum));
    EXPECT_EQ(S_OK, pEnum->Reset());
    EXPECT_EQ(S_OK, pEnum->Skip(1));
    CComPtr<IEnumUnknown> pClone;
    ASSERT_EQ(S_OK, pEnum->Clone(&pClone));
    EXPECT_EQ(std::vector<IUnknown*>{pSecondUnknown}, Remaining(pEnum));
    EXPECT_EQ(std::vector<IUnknown*>{pSecondUnknown}, Remaining(pClone));

    EXPECT_TRUE(Remaining(Embeddings(pPage, OLECONTF_LINKS | OLECONTF_OTHERS)).empty());
}

// The page holds its frames and its handler until its owner detaches it.
TEST(FramesTest, DetachReleasesEmbeddingsAndHandler) {
    bool bFrameDestroyed = false;
    bool bHandlerDestroyed = false;
    {
        CComPtr<IHTMLDocument2> pPage = LoadPage(u"<p>x");
        CComPtr<IDispatch> pFrame = CTestHandler::Create([](VARIANT*) {}, &bFrameDestroyed);
        GetHTMLDocumentObject(pPage)->SetEmbeddings({CComQIPtr<IUnknown>(pFrame.p)});
        CComQIPtr<IHTMLDocument3> pPage3(pPage.p);
        CComVariant handler(CTestHandler::Create([](VARIANT*) {}, &bHandlerDestroyed).p);
        ASSERT_EQ(S_OK, pPage3->put_oncontextmenu(handler));
        handler.Clear();
        pFrame.Release();
        EXPECT_FALSE(bFrameDestroyed);
        EXPECT_FALSE(bHandlerDestroyed);

        GetHTMLDocumentObject(pPage)->Detach();
        EXPECT_TRUE(bFrameDestroyed);
        EXPECT_TRUE(bHandlerDestroyed);
        EXPECT_TRUE(Remaining(Embeddings(pPage, OLECONTF_EMBEDDINGS)).empty());
    }
}

}  // namespace
