#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com/dispatch.h"
#include "platform/com/tests/testobjects.h"

namespace {

TEST(VariantTest, CopyDuplicatesStringsAndCountsReferences) {
    CRecordingDispatch object;
    struct {
        const char* name;
        CComVariant source;
    } cases[] = {
        {"bstr", CComVariant(u"page")},
        {"dispatch", CComVariant(static_cast<IDispatch*>(&object))},
        {"unknown", CComVariant(static_cast<IUnknown*>(&object))},
        {"bool", CComVariant(true)},
        {"i4", CComVariant(LONG{42})},
    };
    EXPECT_EQ(object.m_nRefs, 2);
    for (auto& c : cases) {
        VARIANT copy;
        VariantInit(&copy);
        ASSERT_EQ(VariantCopy(&copy, &c.source), S_OK) << c.name;
        EXPECT_EQ(copy.vt, c.source.vt) << c.name;
        if (copy.vt == VT_BSTR) {
            EXPECT_NE(copy.bstrVal, c.source.bstrVal);
            EXPECT_EQ(std::u16string(copy.bstrVal), u"page");
        } else if (copy.vt == VT_DISPATCH || copy.vt == VT_UNKNOWN) {
            EXPECT_EQ(object.m_nRefs, 3) << c.name;
        } else {
            EXPECT_EQ(copy.lVal & 0xFFFF, c.source.lVal & 0xFFFF) << c.name;
        }
        EXPECT_EQ(VariantClear(&copy), S_OK);
        EXPECT_EQ(copy.vt, VT_EMPTY);
        EXPECT_EQ(object.m_nRefs, 2) << c.name;
    }
}

TEST(VariantTest, CopyKeepsEmbeddedZerosAndFreesTheOldValue) {
    const OLECHAR withZero[] = {u'x', u'\0', u'y'};
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringLen(withZero, 3);

    CComVariant destination(u"replaced");
    ASSERT_EQ(destination.Copy(&source), S_OK);
    EXPECT_EQ(SysStringLen(destination.bstrVal), 3u);
    EXPECT_EQ(destination.bstrVal[2], u'y');
    VariantClear(&source);
}

TEST(VariantTest, ByReferenceValuesShareTheirTarget) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BYREF | VT_BOOL;
    source.pboolVal = &cancel;
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    *copy.pboolVal = VARIANT_TRUE;
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(VariantClear(&copy), S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST(VariantTest, UnknownTypesAreRefusedAndLeftAlone) {
    VARIANT bad;
    VariantInit(&bad);
    bad.vt = 0x2011;
    EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(bad.vt, 0x2011);

    CComVariant destination(u"kept");
    EXPECT_EQ(VariantCopy(&destination, &bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(std::u16string(destination.bstrVal), u"kept");
    EXPECT_EQ(VariantCopy(nullptr, &bad), E_INVALIDARG);
    EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

TEST(VariantTest, CopyOntoItselfChangesNothing) {
    CComVariant text(u"same");
    BSTR held = text.bstrVal;
    EXPECT_EQ(VariantCopy(&text, &text), S_OK);
    EXPECT_EQ(text.bstrVal, held);
    text = text;
    EXPECT_EQ(text.bstrVal, held);
}

TEST(CComVariantTest, AnsiTextBecomesAString) {
    CComVariant ansi("na\xefve");
    EXPECT_EQ(ansi.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(ansi.bstrVal), u"na\u00efve");
    CComVariant yes(true);
    EXPECT_EQ(yes.boolVal, VARIANT_TRUE);
}

TEST(CComVariantTest, AttachDetachAndMoveTransferOwnership) {
    CRecordingDispatch object;
    {
        CComVariant held(static_cast<IDispatch*>(&object));
        EXPECT_EQ(object.m_nRefs, 1);
        CComVariant moved(std::move(held));
        EXPECT_EQ(held.vt, VT_EMPTY);
        EXPECT_EQ(object.m_nRefs, 1);

        VARIANT out;
        VariantInit(&out);
        ASSERT_EQ(moved.Detach(&out), S_OK);
        EXPECT_EQ(moved.vt, VT_EMPTY);
        EXPECT_EQ(out.pdispVal, &object);

        CComVariant attached;
        ASSERT_EQ(attached.Attach(&out), S_OK);
        EXPECT_EQ(out.vt, VT_EMPTY);
        EXPECT_EQ(object.m_nRefs, 1);

        attached = CComVariant(u"other");
        EXPECT_EQ(object.m_nRefs, 0);
    }
    EXPECT_EQ(object.m_nRefs, 0);
}

}  // namespace
