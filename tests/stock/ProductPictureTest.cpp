#include "EditorFixture.h"
#include "platform/ui/Clock.h"
#include "support/Screenshots.h"
#include "support/UnwritableFolder.h"
#include <QDir>
#include <QFile>

class ProductPicture : public EditorFixture
{
protected:
    QString pic(const QString &name) const { return folder.path() + "/data/pic/" + name; }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A picture file of one colour outside the program folder, in the given format.
    QString source(const QString &name, const char *format, QColor colour)
    {
        QImage img(60, 40, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = srcDir.path() + "/" + name;
        img.save(path, format);
        return path;
    }
    QStringList picFiles() const
    {
        QStringList l = QDir(folder.path() + "/data/pic").entryList(QDir::Files);
        l.sort();
        return l;
    }

    QTemporaryDir srcDir;
};

TEST_F(ProductPicture, NameIsTheTimeAsANumberPlusADraw)
{
    const QDateTime t(QDate(2020, 5, 1), QTime(14, 30, 15));
    EXPECT_EQ(ProductEditor::pictureName(t, 1), "i10520143016.jpg"); // the leading zero is lost
    EXPECT_EQ(ProductEditor::pictureName(t, 99), "i10520143114.jpg");
    EXPECT_EQ(ProductEditor::pictureName(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)), 5),
        "i311224235964.jpg");
}

TEST_F(ProductPicture, AddCopiesUnderAFreeNameAndNeverOverwrites)
{
    Clock::setFixed(QDateTime(QDate(2020, 5, 1), QTime(14, 30, 15)));
    // Every name this second can draw is taken but one.
    const qint64 t = 10520143015;
    for (int r = 1; r <= 99; ++r) {
        if (r == 57)
            continue;
        QFile f(pic(QStringLiteral("i%1.jpg").arg(t + r)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("taken");
    }
    const QString bmp = source("shelf photo.bmp", "BMP", Qt::blue);
    files.answer(bmp);
    runNew([&](ProductEditor *f) {
        click(addPictureButton(f));
        ASSERT_EQ(files.requests.size(), 1);
        EXPECT_FALSE(files.requests[0].save);
        EXPECT_EQ(files.requests[0].title, " เลือกไฟล์ภาพ - Graphics File Format ");
        EXPECT_EQ(files.requests[0].proposed, "");
        EXPECT_TRUE(files.requests[0].filter.startsWith("ไฟล์ภาพ ("));
        EXPECT_TRUE(files.requests[0].filter.contains("*.jpg"));
        EXPECT_TRUE(files.requests[0].filter.contains("*.bmp"));
        EXPECT_EQ(f->pictureFile(), "i10520143072.jpg");
        EXPECT_TRUE(removePictureButton(f)->Enabled());
        // The BMP content under the .jpg name shows, stretched over the box.
        const QImage img = shown(f);
        EXPECT_EQ(img.size(), pictureBox(f)->size());
        EXPECT_EQ(QColor(img.pixel(img.width() / 2, img.height() / 2)), QColor(Qt::blue));
        saveScreenshot(f->grab(), "ProductEditor-picture.png");
        fillNew(f, "PIC1", "รูป", "10");
        click(saveButton(f));
    });
    EXPECT_EQ(bytes(pic("i10520143072.jpg")), bytes(bmp)); // byte for byte
    EXPECT_EQ(bytes(pic("i10520143016.jpg")), QByteArray("taken"));
    for (const QString &name : picFiles()) {
        if (name != "i10520143072.jpg" && name != "pic1.jpg") {
            EXPECT_EQ(bytes(pic(name)), QByteArray("taken")) << name.toStdString();
        }
    }
    EXPECT_EQ(
        value("SELECT PDpic FROM tblProduct WHERE PDsn = 'PIC1'").toString(), "i10520143072.jpg");
}

// A pictures folder the program cannot write into: the reason in Thai, no file left in it, the
// picture as it was. Root writes where permissions allow nothing: the folder is immutable for
// root ("Operation not permitted"), without the write permission for anyone else.
TEST_F(ProductPicture, UnwritablePicturesFolderIsToldInThai)
{
    const QString jpg = source("new.jpg", "JPG", Qt::green);
    const QStringList before = picFiles();
    const UnwritableFolder locked(folder.path() + "/data/pic");
    if (locked.error() != EPERM && locked.error() != EACCES)
        GTEST_SKIP() << "no folder here refuses a new file";
    runEdit(1, [&](ProductEditor *f) {
        const QImage picture = shown(f);
        files.answer(jpg);
        click(addPictureButton(f));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "คัดลอกไฟล์ภาพไม่ได้ : ไม่มีสิทธิ์เข้าถึงไฟล์หรือโฟลเดอร์นี้");
        EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
        EXPECT_EQ(f->pictureFile(), "Pic1.JPG");
        EXPECT_EQ(shown(f), picture);
        f->reject();
    });
    EXPECT_EQ(picFiles(), before);
}

TEST_F(ProductPicture, CancelRemoveAndFailuresKeepWhatWasShown)
{
    runEdit(1, [&](ProductEditor *f) {
        // A name in other letter case is found; the product's picture shows.
        EXPECT_EQ(f->pictureFile(), "Pic1.JPG");
        const QColor red(shown(f).pixel(5, 5));
        EXPECT_GT(red.red(), 230);
        EXPECT_LT(red.green(), 30);
        EXPECT_TRUE(removePictureButton(f)->Enabled());
        // Cancelling the dialog changes nothing.
        const QImage before = shown(f);
        click(addPictureButton(f));
        EXPECT_EQ(files.requests.size(), 1);
        EXPECT_EQ(f->pictureFile(), "Pic1.JPG");
        EXPECT_EQ(shown(f), before);
        // A copy that fails says so, and why, and leaves the picture as it was.
        files.answer(folder.path() + "/no such file.jpg");
        click(addPictureButton(f));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "คัดลอกไฟล์ภาพไม่ได้ : ไม่พบไฟล์หรือโฟลเดอร์นี้");
        EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
        EXPECT_EQ(f->pictureFile(), "Pic1.JPG");
        EXPECT_EQ(shown(f), before);
        // Removing asks nothing, shows NoPicture3 and disables the button.
        click(removePictureButton(f));
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_EQ(f->pictureFile(), "");
        EXPECT_FALSE(removePictureButton(f)->Enabled());
        EXPECT_EQ(shown(f), fileAsShown(f, "data/NoPicture3.jpg"));
        f->reject(); // closing without a save keeps PDpic
    });
    EXPECT_EQ(value("SELECT PDpic FROM tblProduct WHERE PK = 1").toString(), "Pic1.JPG");

    runEdit(1, [&](ProductEditor *f) {
        click(removePictureButton(f));
        click(saveButton(f));
    });
    EXPECT_EQ(value("SELECT PDpic FROM tblProduct WHERE PK = 1").toString(), "");
    EXPECT_TRUE(QFile::exists(pic("pic1.jpg"))); // the file stays

    // Without a picture: NoPicture3 and the button off; a missing file: PicError2, button on.
    runEdit(1, [&](ProductEditor *f) {
        EXPECT_FALSE(removePictureButton(f)->Enabled());
        EXPECT_EQ(shown(f), fileAsShown(f, "data/NoPicture3.jpg"));
    });
    runEdit(3, [&](ProductEditor *f) {
        EXPECT_EQ(f->pictureFile(), "gone.jpg");
        EXPECT_TRUE(removePictureButton(f)->Enabled());
        EXPECT_EQ(shown(f), fileAsShown(f, "data/PicError2.jpg"));
        click(removePictureButton(f));
        EXPECT_EQ(f->pictureFile(), "");
    });

    // New mode: the remove button replaces the box's own placeholder by NoPicture3.
    runNew([&](ProductEditor *f) {
        EXPECT_NE(shown(f), fileAsShown(f, "data/NoPicture3.jpg"));
        click(removePictureButton(f));
        EXPECT_EQ(shown(f), fileAsShown(f, "data/NoPicture3.jpg"));
        EXPECT_FALSE(removePictureButton(f)->Enabled());
    });
}

TEST_F(ProductPicture, MissingPictureFolderFailsTheCopyWithAMessage)
{
    QDir(folder.path() + "/data/pic").removeRecursively();
    files.answer(source("a.jpg", "JPG", Qt::green));
    runNew([&](ProductEditor *f) {
        const QImage before = shown(f);
        click(addPictureButton(f));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "คัดลอกไฟล์ภาพไม่ได้ : ไม่พบไฟล์หรือโฟลเดอร์นี้");
        EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
        EXPECT_EQ(f->pictureFile(), "");
        EXPECT_EQ(shown(f), before);
    });
}

TEST_F(ProductPicture, AProductWithoutPictureShowsAMarkedPlaceholder)
{
    // The placeholder must read as "no picture" (marks on a light ground), not as a blank
    // square that looks like a picture still loading.
    runEdit(1, [&](ProductEditor *f) {
        click(removePictureButton(f));
        click(saveButton(f));
    });
    runEdit(1, [&](ProductEditor *f) {
        const QImage img = shown(f);
        ASSERT_FALSE(img.isNull());
        int lightest = 0, darkest = 255;
        // The middle of the box, where a blank square shows one flat colour.
        for (int y = img.height() * 7 / 20; y < img.height() * 13 / 20; ++y) {
            for (int x = img.width() * 7 / 20; x < img.width() * 13 / 20; ++x) {
                const int g = qGray(img.pixel(x, y));
                lightest = qMax(lightest, g);
                darkest = qMin(darkest, g);
            }
        }
        EXPECT_GT(lightest, 220); // a light ground
        EXPECT_LT(darkest, 190); // with marks on it
        saveScreenshot(f->grab(), "ProductEditor-no-picture.png");
    });
}
