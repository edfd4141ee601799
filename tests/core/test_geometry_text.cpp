#include <gtest/gtest.h>

#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/core/StringTable.h"
#include "res/resource.h"

TEST(PtInRect, LeftAndTopEdgesAreInsideRightAndBottomOutside)
{
    const CRect rc(10, 20, 30, 40);
    EXPECT_TRUE(PtInRect(&rc, CPoint(10, 20)));
    EXPECT_TRUE(PtInRect(&rc, CPoint(29, 39)));
    EXPECT_FALSE(PtInRect(&rc, CPoint(30, 39)));
    EXPECT_FALSE(PtInRect(&rc, CPoint(29, 40)));
    EXPECT_FALSE(PtInRect(&rc, CPoint(9, 25)));
    EXPECT_FALSE(PtInRect(&rc, CPoint(15, 19)));
}

TEST(PtInRect, EmptyAndInvertedRectanglesContainNothing)
{
    CRect rc(5, 5, 5, 50);
    EXPECT_FALSE(rc.PtInRect(CPoint(5, 10)));
    rc.SetRect(50, 50, 10, 10); // kept as given, not normalised
    EXPECT_EQ(rc.left, 50);
    EXPECT_EQ(rc.right, 10);
    EXPECT_FALSE(rc.PtInRect(CPoint(20, 20)));
    rc.SetRectEmpty();
    EXPECT_EQ(rc, CRect(0, 0, 0, 0));
    EXPECT_FALSE(rc.PtInRect(CPoint(0, 0)));
}

TEST(CString, ComparesConcatenatesAndConvertsToCharPointer)
{
    CString s("Go");
    s += "!!";
    EXPECT_EQ(s, "Go!!");
    EXPECT_STREQ(static_cast<const char*>(s), "Go!!");
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_TRUE(CString().IsEmpty());
}

TEST(StringTable, LoadsTheAboutItemText)
{
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_ABOUTBOX));
    EXPECT_EQ(s, "Quindle のﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

TEST(StringTable, MissingStringGivesEmptyTextAndReplacedTableIsUsed)
{
    CString s("old");
    EXPECT_FALSE(s.LoadString(4242));
    EXPECT_TRUE(s.IsEmpty());

    const AFX_STRING_ENTRY table[] = {{IDS_ABOUTBOX, ""}, {7, "seven"}};
    AfxSetStringTable(table, 2);
    EXPECT_TRUE(s.LoadString(7));
    EXPECT_EQ(s, "seven");
    EXPECT_TRUE(s.LoadString(IDS_ABOUTBOX));
    EXPECT_TRUE(s.IsEmpty());
    AfxSetStringTable(nullptr, 0);
    s.LoadString(IDS_ABOUTBOX);
    EXPECT_FALSE(s.IsEmpty());
}
