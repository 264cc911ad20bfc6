// Draws a grouped grid with Thai text and joined cells into a picture for a person to look at:
// KASMO_SCREENSHOTS=/tmp/shots grid_tests --gtest_filter=GridPicture.*
#include "platform/grid/DataGrid.h"
#include "support/Screenshots.h"
#include <QTest>
#include <gtest/gtest.h>

TEST(GridPicture, GroupedRowsWithThaiText)
{
    DataGrid grid;
    grid.setFont(QFont(QStringLiteral("Loma"), 10));
    grid.resize(820, 260);
    grid.setMaxCols(7);
    grid.setColWidth(0, 0);
    const double widths[] = { 0, 14, 30, 18, 10, 10, 8, 14 };
    for (int c = 1; c <= 7; ++c)
        grid.setColWidth(c, widths[c]);
    const QStringList heads = { "", QStringLiteral("รหัสสินค้า"), QStringLiteral(" ชื่อสินค้า"),
        QStringLiteral("รายละเอียด"), QStringLiteral("ราคาทุน"), QStringLiteral("ราคาขาย"),
        QStringLiteral("ขายได้"), QStringLiteral("รวมเป็นเงิน") };
    for (int c = 1; c <= 7; ++c)
        grid.setText(c, 0, heads[c]);
    grid.setHAlign(2, 0, Qt::AlignLeft);
    grid.addSpan(4, 0, 4, 1); // the brief view's joined header
    grid.setForeColor(-1, -1, QColor(26, 26, 26));
    grid.setVAlign(-1, -1, Qt::AlignVCenter);
    grid.setHAlign(1, -1, Qt::AlignHCenter);
    grid.setCellKind(4, -1, CellKind::Money);
    grid.setCellKind(5, -1, CellKind::Money);
    grid.setCellKind(6, -1, CellKind::Number);
    grid.setHAlign(7, -1, Qt::AlignRight);
    grid.setRowHeight(-1, 18);
    grid.setOddEvenRowColors(QColor(159, 185, 199), QColor(), QColor(240, 240, 240), QColor());
    grid.setRows({
        { "7", "INV-691200001", QStringLiteral(" [ ส่วนลด 10.00 บาท ]"),
            QStringLiteral(" ยอดรวม 1,390.00 บาท"), QStringLiteral(" สุทธิ 1,380.00 บาท") },
        { "1", "8850001", QStringLiteral(" น้ำดื่มตราช้าง 600 มล."), QStringLiteral("ขวด"), "5", "7",
            "2", "14.00" },
        { "2", "8850002", QStringLiteral(" กาแฟเย็น ใหญ่ พิเศษ"), QStringLiteral("แก้ว"), "25", "45",
            "1", "45.00" },
        { "3", "8850003", QStringLiteral(" ข้าวหอมมะลิ ๑๐๐% ถุง ๕ กิโลกรัม"), QStringLiteral("ถุง"),
            "1000", "1331", "1", "1,331.00" },
    });
    grid.setBackColor(-1, 1, QColor(219, 226, 224));
    grid.setForeColor(-1, 1, QColor(21, 66, 139));
    grid.setCellKind(4, 1, CellKind::Text);
    grid.setHAlign(3, 1, Qt::AlignLeft);
    grid.addSpan(4, 1, 4, 1);
    grid.setBackColor(5, 3, QColor(215, 159, 158));
    grid.setActiveCell(2, 3);
    grid.setRowSelect(true);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    const QImage shot = grid.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    saveScreenshot(shot, QStringLiteral("grid.png"));
}
