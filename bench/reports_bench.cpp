// The yearly chart and the user ranking on the generated shop, as a person waits for them:
// the window computed, laid out and painted once.
#include "ShopGenerator.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/ProgramFolder.h"
#include "reports/Chart.h"
#include "reports/Fprint3.h"
#include "reports/SUser.h"
#include "shell/Module1.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
template <class F> std::vector<double> times(int runs, F f)
{
    std::vector<double> out;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        out.push_back(t.nsecsElapsed() / 1e9);
    }
    std::sort(out.begin(), out.end());
    return out;
}
} // namespace

int main(int argc, char **argv)
{
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    const QString shop = sharedShopDatabase();
    // The program opens data/Ksmdata.db under its folder: point it at the generated shop.
    QFileInfo info(shop);
    QDir().mkpath(info.absolutePath() + QStringLiteral("/bench-folder/data"));
    const QString link = info.absolutePath() + QStringLiteral("/bench-folder/data/Ksmdata.db");
    QFile::remove(link);
    QFile::link(shop, link);
    ProgramFolder::setForTests(info.absolutePath() + QStringLiteral("/bench-folder"));
    if (!Module1::OpenDatabase())
        return 1;
    const QString year = QString::number(ShopSize().lastDay.year());

    const auto chart = times(5, [&] {
        Chart w(year);
        w.show();
        w.grab();
    });
    std::printf("yearly chart %s: median %.3f s (5 runs)\n", qPrintable(year), chart[2]);
    std::printf("RESULT chart_s kind=year total=%.3f\n", chart[2]);

    const auto user = times(5, [&] {
        SUser w;
        w.show();
        w.Combo2->setCurrentIndex(w.Combo2->findText(QStringLiteral("somchai")));
        w.Combo1->setCurrentIndex(12); // the whole year
        w.Text1->setText(year);
        w.cmdSearch_Click();
        w.grab();
    });
    std::printf("one seller's year %s: median %.3f s (5 runs)\n", qPrintable(year), user[2]);
    std::printf("RESULT chart_s kind=user total=%.3f\n", user[2]);

    int pages = 0;
    const auto ranking = times(5, [&] {
        Fprint3 w({ RankingRequest::Year, 1, QString(), year });
        w.Form_Load();
        w.show();
        w.grab();
        pages = w.ARViewer21->document().pageCount();
    });
    std::printf("user ranking %s: median %.3f s (5 runs), %d page(s)\n", qPrintable(year),
        ranking[2], pages);
    std::printf("RESULT ranking_s total=%.3f\n", ranking[2]);
    Module1::CloseDatabase();
    return 0;
}
