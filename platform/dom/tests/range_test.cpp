#include "platform/dom/range.h"

#include <gtest/gtest.h>

#include "domtesthelpers.h"

using namespace domtest;

namespace {

// A document with a range set by DOM offsets along child paths from the body, e.g. {0, 1} is the
// second child of the body's first child.
class RangeTest : public ::testing::Test {
protected:
    void Load(std::string_view body) {
        m_pDocument = Parse("<body>" + std::string(body));
        m_pRange = std::make_unique<CRange>(*m_pDocument);
    }
    CNode& NodeAt(std::initializer_list<size_t> path) {
        CNode* pNode = m_pDocument->GetBody();
        for (size_t nIndex : path) {
            pNode = pNode->GetFirstChild();
            for (size_t i = 0; i < nIndex; ++i) {
                pNode = pNode->GetNextSibling();
            }
        }
        return *pNode;
    }
    CBoundaryPoint Point(std::initializer_list<size_t> path, size_t nOffset) {
        return *CBoundaryPoint::At(NodeAt(path), nOffset);
    }
    void Set(CBoundaryPoint start, CBoundaryPoint end) {
        ASSERT_TRUE(m_pRange->SetStart(start));
        ASSERT_TRUE(m_pRange->SetEnd(end));
    }
    std::string MarkedBody() { return Marked(*m_pRange, *m_pDocument->GetBody()); }

    CNodeRef<CDocument> m_pDocument;
    std::unique_ptr<CRange> m_pRange;
};

}  // namespace

TEST_F(RangeTest, ClonesAndDeletesContents) {
    const char* body = "<p>ab<b>cd<i>ef</i></b>gh</p><p>ij<u>kl</u></p>";
    struct {
        std::initializer_list<size_t> startPath;
        size_t nStart;
        std::initializer_list<size_t> endPath;
        size_t nEnd;
        const char* pszClone;
        const char* pszAfterDelete;
    } const cases[] = {
        {{0, 0}, 1, {0, 0}, 2, "b", "<p>a[]<b>cd<i>ef</i></b>gh</p><p>ij<u>kl</u></p>"},
        {{0, 1, 0}, 1, {0, 2}, 1, "<b>d<i>ef</i></b>g", "<p>ab<b>c</b>[]h</p><p>ij<u>kl</u></p>"},
        {{0, 0},
         1,
         {1, 1, 0},
         1,
         "<p>b<b>cd<i>ef</i></b>gh</p><p>ij<u>k</u></p>",
         "<p>a</p>[]<p><u>l</u></p>"},
        {{0}, 1, {0}, 2, "<b>cd<i>ef</i></b>", "<p>ab[]gh</p><p>ij<u>kl</u></p>"},
        {{}, 0, {}, 2, "<p>ab<b>cd<i>ef</i></b>gh</p><p>ij<u>kl</u></p>", "[]"},
        {{0, 1, 1, 0}, 0, {0, 1, 1, 0}, 2, "ef", "<p>ab<b>cd<i>[]</i></b>gh</p><p>ij<u>kl</u></p>"},
        {{0},
         0,
         {0, 1, 1, 0},
         1,
         "ab<b>cd<i>e</i></b>",
         "<p>[]<b><i>f</i></b>gh</p><p>ij<u>kl</u></p>"},
    };
    for (const auto& c : cases) {
        Load(body);
        Set(Point(c.startPath, c.nStart), Point(c.endPath, c.nEnd));
        EXPECT_EQ(U(CHtmlSerializer::SerializeChildren(*m_pRange->CloneContents())), c.pszClone);
        m_pRange->DeleteContents();
        EXPECT_EQ(MarkedBody(), c.pszAfterDelete) << c.pszClone;
    }
}

TEST_F(RangeTest, InsertsNodesAtTheStart) {
    Load("<p>abcd</p>");
    Set(Point({0, 0}, 2), Point({0, 0}, 2));
    CNodeRef<CElement> pBold = CElement::Create(u"b");
    pBold->AppendChild(CText::Create(u"X"));
    ASSERT_TRUE(m_pRange->InsertNode(pBold));
    EXPECT_EQ(MarkedBody(), "<p>ab[<b>X</b>]cd</p>");

    Set(Point({0}, 1), Point({0, 2}, 1));
    ASSERT_TRUE(m_pRange->InsertNode(CText::Create(u"Y")));
    EXPECT_EQ(MarkedBody(), "<p>ab[Y<b>X</b>c]d</p>");

    CNodeRef<CDocumentFragment> pFragment = CDocumentFragment::Create();
    pFragment->AppendChild(CText::Create(u"1"));
    pFragment->AppendChild(CText::Create(u"2"));
    m_pRange->Collapse(false);
    ASSERT_TRUE(m_pRange->InsertNode(pFragment));
    EXPECT_EQ(MarkedBody(), "<p>abY<b>X</b>c[12]d</p>");

    m_pRange->SetStart(*CBoundaryPoint::At(*m_pDocument->GetBody(), 0));
    EXPECT_FALSE(m_pRange->InsertNode(CNodeRef<CNode>(m_pDocument->GetBody())));
}

TEST_F(RangeTest, BoundaryPointsFollowChangesOfTheTree) {
    Load("<p>abcdef</p><p>x</p>");
    CText& text = static_cast<CText&>(NodeAt({0, 0}));
    Set(Point({0, 0}, 2), Point({0, 0}, 4));
    text.InsertBefore(CText::Create(u"never"), nullptr);
    text.ReplaceData(0, 1, u"AA");
    EXPECT_EQ(MarkedBody(), "<p>AAb[cd]ef</p><p>x</p>");
    text.ReplaceData(2, 3, u"");
    EXPECT_EQ(MarkedBody(), "<p>AA[]ef</p><p>x</p>");

    Set(Point({0, 0}, 1), Point({0, 0}, 3));
    CNodeRef<CText> pTail = text.SplitText(2);
    EXPECT_EQ(MarkedBody(), "<p>A[Ae]f</p><p>x</p>");
    EXPECT_EQ(m_pRange->GetEnd().GetContainer(), pTail.Get());

    NodeAt({0}).InsertBefore(CElement::Create(u"br"), &text);
    EXPECT_EQ(MarkedBody(), "<p><br>A[Ae]f</p><p>x</p>");
    NodeAt({0}).Remove();
    EXPECT_EQ(MarkedBody(), "[]<p>x</p>");

    Set(Point({}, 1), Point({}, 1));
    m_pDocument->GetBody()->AppendChild(CElement::Create(u"hr"));
    EXPECT_EQ(MarkedBody(), "<p>x</p>[]<hr>");
}

TEST_F(RangeTest, KeepsItsEndsInOrderAndInTheDocument) {
    Load("<p>abc</p><p>def</p>");
    Set(Point({1, 0}, 1), Point({1, 0}, 2));
    ASSERT_TRUE(m_pRange->SetStart(Point({1, 0}, 3)));
    EXPECT_EQ(MarkedBody(), "<p>abc</p><p>def[]</p>");
    ASSERT_TRUE(m_pRange->SetEnd(Point({0, 0}, 1)));
    EXPECT_EQ(MarkedBody(), "<p>a[]bc</p><p>def</p>");
    CNodeRef<CText> pLoose = CText::Create(u"loose");
    EXPECT_FALSE(m_pRange->SetStart(CBoundaryPoint::InCharacterData(*pLoose, 0)));
    EXPECT_FALSE(
        m_pRange->SetEnd(CBoundaryPoint::InCharacterData(static_cast<CText&>(NodeAt({0, 0})), 9)));
    EXPECT_EQ(&m_pRange->GetCommonAncestor(), &NodeAt({0, 0}));
    EXPECT_FALSE(CBoundaryPoint::At(NodeAt({0}), 2).has_value());
}
