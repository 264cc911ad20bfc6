// Qt's own dialogs and menus that the program shows speak Thai, as the program's own windows do.
#include "platform/ui/QtTexts.h"
#include "platform/ui/ColorDialogs.h"
#include "platform/ui/FileDialogs.h"
#include "support/Screenshots.h"
#include "support/WhenShown.h"
#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The texts a person reads on a dialog's own parts (not the file names and paths it lists, nor
// the title, which the program gives).
QStringList englishTexts(QWidget *dialog)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    QStringList found;
    const auto note = [&](const QString &where, const QString &text) {
        if (text.contains(latin))
            found.append(where + QStringLiteral(": ") + text);
    };
    for (QLabel *l : dialog->findChildren<QLabel *>())
        if (l->isVisible())
            note(QStringLiteral("label"), l->text());
    for (QPushButton *b : dialog->findChildren<QPushButton *>())
        if (b->isVisible())
            note(QStringLiteral("button"), b->text());
    for (QToolButton *b : dialog->findChildren<QToolButton *>())
        if (b->isVisible())
            note(QStringLiteral("tool tip"), b->toolTip());
    for (QTreeView *v : dialog->findChildren<QTreeView *>()) {
        if (!v->isVisible() || !v->model())
            continue;
        for (int c = 0; c < v->model()->columnCount(); ++c)
            if (!v->header()->isSectionHidden(c))
                note(
                    QStringLiteral("column"), v->model()->headerData(c, Qt::Horizontal).toString());
    }
    return found;
}

class QtTextsTest : public ::testing::Test
{
protected:
    void SetUp() override { installQtTexts(); }
};

} // namespace

// The save dialog behind every export and the backup: labels, buttons, tool tips, the file
// list's columns and the side bar's computer entry.
TEST_F(QtTextsTest, TheFileDialogSpeaksThai)
{
    QTemporaryDir dir;
    QStringList english;
    QStringList sideBar;
    whenShown([&](QWidget *w) {
        english = englishTexts(w);
        if (auto *side = w->findChild<QListView *>(QStringLiteral("sidebar"));
            side && side->model())
            for (int r = 0; r < side->model()->rowCount(); ++r)
                sideBar.append(side->model()->index(r, 0).data().toString());
        saveScreenshot(w->grab(), QStringLiteral("file-dialog-thai.png"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    const QString chosen
        = FileDialogService::getSaveFileName(nullptr, QStringLiteral("เลือกตำแหน่งบันทึก PDF"),
            dir.filePath(QStringLiteral("10-12-26-16-50-55")), QStringLiteral("PDF (*.pdf)"));
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(sideBar.contains(QStringLiteral("คอมพิวเตอร์")))
        << sideBar.join(QLatin1Char('\n')).toStdString();
}

// The label window's colour button opens Qt's colour dialog.
TEST_F(QtTextsTest, TheColourDialogSpeaksThai)
{
    QStringList english;
    QString title;
    whenShown([&](QWidget *w) {
        english = englishTexts(w);
        title = w->windowTitle();
        saveScreenshot(w->grab(), QStringLiteral("colour-dialog-thai.png"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_FALSE(ColorDialogService::getColor(nullptr, Qt::black).isValid());
    EXPECT_EQ(title, QStringLiteral("เลือกสี"));
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char('\n')).toStdString();
}

// The right-button menu of a text box (the boxes that do not refuse the right button).
TEST_F(QtTextsTest, ATextBoxMenuSpeaksThai)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    QLineEdit box;
    box.setText(QStringLiteral("ร้านค้าตัวอย่าง"));
    box.selectAll();
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    int entries = 0;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        ++entries;
        const QString caption = a->text().section(QLatin1Char('\t'), 0, 0); // without the keys
        EXPECT_FALSE(caption.contains(latin)) << caption.toStdString();
    }
    EXPECT_GE(entries, 6);
}
