// What a screen reader reads of the report windows' titles and figures: a label reads its
// text, with its caption as description; a read-only line reads its text as value beside its
// caption.
#include "SalesData.h"
#include "button/KasmoButton.h"
#include "history/HistoryWindow.h"
#include "labels/LabelWindow.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/RankingWindow.h"
#include "reports/SummaryPage.h"
#include "reports/UserSalesWindow.h"
#include "stock/GoodsReceivedWindow.h"
#include "support/FindControl.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// A title or figure a window shows, and the caption it stands under.
struct Shown
{
    QWidget *widget;
    QString caption;
};

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
}

// The page number in a report viewer's toolbar.
QLabel *pageNumber(ReportViewer *viewer)
{
    for (QLabel *l : viewer->findChildren<QLabel *>())
        if (!l->text().trimmed().isEmpty())
            return l;
    return nullptr;
}

class ReadAloud : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Connection &d = db();
        d.execute(QStringLiteral("INSERT INTO tblUser (PK, UID, UPASS, UTumnang) "
                                 "VALUES (2, 'somchai', 'x', 'หัวหน้า')"));
        d.execute(QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น')"));
        d.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, "
                                 "PDraka, PDsell, NubFK) VALUES (1, 'B200', 'สบู่เหลว', '', 5, "
                                 "80, 95, 1)"));
        addSaleLine(d, QStringLiteral("2024-05-14 09:00:00"), QStringLiteral("INV-670500001"),
            QStringLiteral("B200"), 1250, 2, QStringLiteral("somchai"));
        addDiscount(d, QStringLiteral("2024-05-14 09:00:00"), QStringLiteral("INV-670500001"), 20,
            QStringLiteral("somchai"));
    }
    void TearDown() override
    {
        owned.clear();
        deleteLoadedWindows();
        ShellFixture::TearDown();
    }
    template <class W> W *keep(W *w)
    {
        owned.emplace_back(w);
        return w;
    }
    std::vector<std::unique_ptr<QWidget>> owned;
};

} // namespace

TEST_F(ReadAloud, TitlesAndFiguresReadTheirTextWithTheirCaptionDescribed)
{
    const struct
    {
        const char *window;
        std::function<QList<Shown>()> show;
    } cases[] = {
        { "summary page",
            [&]() -> QList<Shown> {
                SummaryPage *p = WindowRegistry::instance<SummaryPage>();
                p->resize(1200, 700);
                p->show();
                chooseWithArrows(control<QComboBox>(p, "monthList"), 4);
                click(control<KasmoButton>(p, "detailedButton"));
                return { { control<QLabel>(p, "titleLabel"), QStringLiteral("หัวข้อรายงาน") },
                    { control<QLabel>(p, "salesFigure"),
                        QStringLiteral("รวมยอดขาย (ไม่หักต้นทุน หักส่วนลด)") } };
            } },
        { "history",
            [&]() -> QList<Shown> {
                auto *w = keep(new HistoryWindow);
                w->show();
                chooseWithArrows(control<QComboBox>(w, "monthList"), 4);
                click(control<QPushButton>(w, "searchButton"));
                return { { control<QLabel>(w, "descriptionLabel"),
                    QStringLiteral("รายละเอียดข้อมูล") } };
            } },
        { "user sales",
            [&]() -> QList<Shown> {
                auto *w = keep(new UserSalesWindow);
                w->show();
                chooseWithArrows(control<QComboBox>(w, "userList"), 1);
                chooseWithArrows(control<QComboBox>(w, "monthList"), 4);
                click(control<KasmoButton>(w, "showSalesButton"));
                return { { control<QLineEdit>(w, "netTotal"),
                             QStringLiteral("ยอดขายรวม (หักส่วนลด)") },
                    { control<QLineEdit>(w, "discountTotal"), QStringLiteral("ยอดส่วนลด") } };
            } },
        { "user ranking",
            [&]() -> QList<Shown> {
                auto *w
                    = keep(new RankingWindow({ RankingRequest::Kind::Year, 1, QString(), "2024" }));
                w->loadRanking();
                w->show();
                return { { pageNumber(control<ReportViewer>(w, "rankingViewer")), QString() } };
            } },
        { "goods received",
            [&]() -> QList<Shown> {
                GoodsReceivedWindow *w = WindowRegistry::instance<GoodsReceivedWindow>();
                w->show();
                auto *codeBox = control<QLineEdit>(w, "codeBox");
                codeBox->setFocus();
                typeText(codeBox, QStringLiteral("B200"));
                QTest::keyClick(codeBox, Qt::Key_Return);
                return { { control<QLabel>(w, "totalLabel"), QStringLiteral("รวมราคาต้นทุน (บาท)") },
                    { control<QLabel>(w, "dateLabel"), QStringLiteral("วันเวลาที่ทำรายการ") } };
            } },
        { "label window",
            [&]() -> QList<Shown> {
                auto *w = keep(new LabelWindow);
                w->load();
                w->show();
                control<QLineEdit>(w, "barcodeBox")->setFocus();
                typeText(control<QLineEdit>(w, "barcodeBox"), QStringLiteral("B200"));
                QTest::keyClick(control<QLineEdit>(w, "barcodeBox"), Qt::Key_Return);
                click(control<KasmoButton>(w, "previewButton")); // the preview
                return { { control<QLineEdit>(w, "line1Box"), QStringLiteral("ข้อความที่ 1") },
                    { pageNumber(control<ReportViewer>(w, "sheetViewer")), QString() } };
            } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.window);
        for (const Shown &s : c.show()) {
            ASSERT_NE(s.widget, nullptr);
            SCOPED_TRACE(s.widget->objectName().toStdString());
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(s.widget);
            ASSERT_NE(a, nullptr);
            if (auto *label = qobject_cast<QLabel *>(s.widget)) {
                EXPECT_FALSE(label->text().trimmed().isEmpty());
                EXPECT_EQ(a->text(QAccessible::Name).toStdString(), label->text().toStdString());
                EXPECT_EQ(a->text(QAccessible::Description).toStdString(), s.caption.toStdString());
            } else if (auto *line = qobject_cast<QLineEdit *>(s.widget)) {
                EXPECT_FALSE(line->text().trimmed().isEmpty());
                EXPECT_EQ(a->text(QAccessible::Value).toStdString(), line->text().toStdString());
                EXPECT_EQ(a->text(QAccessible::Name).toStdString(), s.caption.toStdString());
            } else {
                ADD_FAILURE() << "neither a label nor a line";
            }
        }
    }
    EXPECT_EQ(boxes.count(), 0) << (boxes.count() ? boxes.last().text.toStdString() : "");
}
