#pragma once
#include "EditorControls.h"
#include "button/KasmoButton.h"
#include "platform/ui/WindowPlacement.h"
#include "stock/ProductEditor.h"
#include "support/RecordingLayout.h"
#include "support/ShellFixture.h"
#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <functional>

using namespace EditorControls;

// The product editor over a small shop, run through the scripted dialog runner.
//   lookups: units 1 "ชิ้น", 2 "แพ็ค", 3 "Box"; groups 1 "เครื่องดื่ม", 2 "เครื่องเขียน",
//            3 "ขนม"; places 1 "ชั้น A"
//   1 "AB1"          typed code, 120 (110, 100), cost 80, wholesale from 3 at 90, stock 50,
//                    limit 5, group 1, place 1, unit 1, picture "Pic1.JPG" on disk as pic1.jpg
//   2 "PD-670000005" automatic code, 12.5, cost 1234.5, specials 0, no wholesale (quantity
//                    empty), a stored special price of 123456.75, no picture, unit 2
//   3 "CD3"          15, picture "gone.jpg" not on disk
// Counter row 3 stands at 4, so the next automatic code "PD-670000005" is taken already.
class EditorFixture : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Connection &d = db();
        d.execute("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น'), (2, 'แพ็ค'), (3, 'Box')");
        d.execute("INSERT INTO tblGroup (gPK, gName) VALUES (1, 'เครื่องดื่ม'), (2, 'เครื่องเขียน'), "
                  "(3, 'ขนม')");
        d.execute("INSERT INTO tblGeb (gePK, geName) VALUES (1, 'ชั้น A')");
        d.execute(
            "INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, PDerror, PDsell, "
            "Praka1, Praka2, PDraka, PSong, PNumSong, PRakaSong, PAuto, PDpic, NubFK, "
            "GroupFK, GebFK) VALUES "
            "(1, 'AB1', 'สบู่เหลว', 'กลิ่นมะลิ', 50, 5, 120, 110, 100, 80, 1, 3, 90, 0, "
            "'Pic1.JPG', 1, 1, 1), "
            "(2, 'PD-670000005', 'ปากกา', '', 9, 0, 12.5, 0, 123456.75, 1234.5, 0, NULL, 0, 1, "
            "'', 2, 0, 0), "
            "(3, 'CD3', 'เทียน', 'ไข', 4, 2, 15, 15, 15, 9, 0, 5, 15, 0, 'gone.jpg', 1, 3, 0)");
        d.execute("UPDATE tblNumber SET numA = 4 WHERE nPK = 3");
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        red.save(folder.path() + "/data/pic/pic1.jpg", "JPG");
    }

    using Script = std::function<void(ProductEditor *)>;
    // Opens the editor for a new product and runs the script in it; true when it saved.
    bool runNew(const Script &s)
    {
        dialogs.then([s](QDialog *d) { s(qobject_cast<ProductEditor *>(d)); });
        return ProductEditor::openNew();
    }
    bool runEdit(int pk, const Script &s)
    {
        dialogs.then([s](QDialog *d) { s(qobject_cast<ProductEditor *>(d)); });
        return ProductEditor::openEdit(pk);
    }

    // Types text into the widget key by key; Thai characters arrive as the keyboard sends them.
    static void keys(QWidget *w, const QString &text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(w, char(ch.unicode()));
            } else {
                QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
                QTest::sendKeyEvent(
                    QTest::Release, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            }
        }
    }
    static void type(QWidget *box, const QString &text)
    {
        box->setFocus();
        keys(box, text);
    }
    // Replaces a box's text as a cashier would: select all, then type.
    static void retype(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            keys(box, text);
    }
    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    static QColor base(QWidget *w) { return w->palette().color(QPalette::Base); }
    static double leftTwips(QWidget *w) { return Twips::fromPixelsX(w->x()); }

    // What the picture box shows, against a file read the way the box reads it.
    static QImage shown(ProductEditor *f)
    {
        return pictureBox(f)->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage fileAsShown(ProductEditor *f, const QString &relative)
    {
        QImageReader r(folder.path() + "/" + relative);
        r.setDecideFormatFromContent(true);
        r.setScaledSize(pictureBox(f)->size());
        return r.read().convertToFormat(QImage::Format_RGB32);
    }

    qint64 count(const char *sql) { return db().scalar(QString::fromUtf8(sql)).toLongLong(); }
    QVariant value(const QString &sql, const QVariantList &p = {}) { return db().scalar(sql, p); }
    // Every row of the tables a product save touches, to compare before and after.
    QStringList dump()
    {
        QStringList out;
        for (const char *sql :
            { "SELECT * FROM tblNumber ORDER BY nPK", "SELECT * FROM tblProduct ORDER BY PK",
                "SELECT * FROM tblNub ORDER BY nPK", "SELECT * FROM tblGroup ORDER BY gPK",
                "SELECT * FROM tblGeb ORDER BY gePK", "SELECT * FROM tblLog2 ORDER BY PK" }) {
            for (Recordset rs = db().query(QString::fromLatin1(sql)); !rs.eof(); rs.moveNext()) {
                QStringList row;
                for (int i = 0; i < rs.fieldCount(); ++i)
                    row << rs.text(i);
                out << row.join(QLatin1Char('|'));
            }
        }
        return out;
    }

    // The typed minimum of a new product.
    static void fillNew(
        ProductEditor *f, const QString &code, const QString &name, const QString &price)
    {
        type(codeBox(f), code);
        type(nameBox(f), name);
        type(priceBox(f), price);
    }

    RecordingLayout keyboard;
};
