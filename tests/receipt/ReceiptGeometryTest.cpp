#include "receipt/ReceiptGeometry.h"
#include <gtest/gtest.h>

using namespace ReceiptGeometry;

namespace {

struct PageCase
{
    const char *name;
    PageTexts texts;
    float paperWidth, paperHeight, left, right, top, bottom, gutter, printable;
};

class PageGeometry : public ::testing::TestWithParam<PageCase>
{
};

TEST_P(PageGeometry, FromBoxes)
{
    const PageCase &c = GetParam();
    const Page p = pageFromBoxes(c.texts);
    constexpr float tol = 0.001f;
    EXPECT_NEAR(p.paperWidth, c.paperWidth, tol);
    EXPECT_NEAR(p.paperHeight, c.paperHeight, tol);
    EXPECT_NEAR(p.leftMargin, c.left, tol);
    EXPECT_NEAR(p.rightMargin, c.right, tol);
    EXPECT_NEAR(p.topMargin, c.top, tol);
    EXPECT_NEAR(p.bottomMargin, c.bottom, tol);
    EXPECT_NEAR(p.gutter, c.gutter, tol);
    EXPECT_NEAR(p.printableWidth(), c.printable, tol);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Receipt, PageGeometry, ::testing::Values(
    // 80 mm roll as delivered.
    PageCase{"roll80", {"7.0", "20.0", "0.3", "0.1", "0.3", "0.3"},
             3968.504f, 11338.583f, 170.079f, 170.079f, 170.079f, 56.693f, 0.0f, 3628.346f},
    // 4 cm and more on the left also takes a gutter of cm x 1440 / 7.
    PageCase{"gutter", {"7.0", "20.0", "0.3", "0.1", "4.0", "0.3"},
             3968.504f, 11338.583f, 2267.717f, 170.079f, 170.079f, 56.693f, 822.857f,
             3968.504f - 2267.717f - 170.079f - 822.857f},
    PageCase{"justNoGutter", {"7.0", "20.0", "0.3", "0.1", "3.9", "0.3"},
             3968.504f, 11338.583f, 2211.024f, 170.079f, 170.079f, 56.693f, 0.0f,
             3968.504f - 2211.024f - 170.079f},
    // A box that is no number keeps the designed setting of its own step only.
    PageCase{"notANumber", {"7.0", "abc", "0.3", "", "0.3x", "0.3"},
             3968.504f, 15840.0f, 1440.0f, 170.079f, 170.079f, 1440.0f, 0.0f,
             3968.504f - 1440.0f - 170.079f},
    // Val() reads 4 from "4x", but the gutter needs the whole text as a number.
    PageCase{"gutterStepFails", {"21.0", "29.7", "0.3", "0.1", "4x", "0.3"},
             11905.512f, 16837.795f, 1440.0f, 170.079f, 170.079f, 56.693f, 0.0f,
             11905.512f - 1440.0f - 170.079f},
    PageCase{"blanksAround", {" 5.0 ", "20.0", "0.3", "0.1", " 4.0", "0.3"},
             2834.646f, 11338.583f, 2267.717f, 170.079f, 170.079f, 56.693f, 822.857f,
             2834.646f - 2267.717f - 170.079f - 822.857f}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

struct ColumnCase
{
    const char *name;
    float printable, quantityWidth;
    float amountLeft, nameLeft, nameWidth;
};

class ItemColumnGeometry : public ::testing::TestWithParam<ColumnCase>
{
};

TEST_P(ItemColumnGeometry, Columns)
{
    const ColumnCase &c = GetParam();
    const ItemColumns cols = itemColumns(c.printable, c.quantityWidth);
    constexpr float tol = 0.001f;
    EXPECT_NEAR(cols.quantityLeft, 0.0f, tol);
    EXPECT_NEAR(cols.quantityWidth, c.quantityWidth, tol);
    EXPECT_NEAR(cols.amountLeft, c.amountLeft, tol);
    EXPECT_NEAR(cols.amountWidth, 992.0f, tol);
    EXPECT_NEAR(cols.nameLeft, c.nameLeft, tol);
    EXPECT_NEAR(cols.nameWidth, c.nameWidth, tol);
    // The amount column runs 12 twips past W; the name column stops 12 short of it.
    EXPECT_NEAR(cols.amountLeft + cols.amountWidth - c.printable, 12.0f, tol);
    EXPECT_NEAR(cols.amountLeft - (cols.nameLeft + cols.nameWidth), 12.0f, tol);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Receipt, ItemColumnGeometry, ::testing::Values(
    ColumnCase{"quantityOnly", 3628.346f, 425.0f, 2648.346f, 425.0f, 2211.346f},
    ColumnCase{"withUnitPrice", 3628.346f, 850.0f, 2648.346f, 850.0f, 1786.346f},
    ColumnCase{"designedPage", 9360.0f, 425.0f, 8380.0f, 425.0f, 7943.0f}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(ReceiptGeometry, FontSizeFromBoxText)
{
    EXPECT_EQ(fontSize(QStringLiteral("13")), 13.0f);
    EXPECT_EQ(fontSize(QStringLiteral(" 9 ")), 9.0f);
    EXPECT_EQ(fontSize(QStringLiteral("12.5")), 12.5f);
    EXPECT_FALSE(fontSize(QString()));
    EXPECT_FALSE(fontSize(QStringLiteral("0")));
    EXPECT_FALSE(fontSize(QStringLiteral("1a")));
}

} // namespace
