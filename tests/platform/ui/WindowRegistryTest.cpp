#include "platform/ui/WindowRegistry.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class WinA : public QWidget
{
public:
    void closeEvent(QCloseEvent *e) override
    {
        ++closes;
        e->setAccepted(!refuse);
    }
    int closes = 0;
    bool refuse = false;
};
class WinB : public WinA
{
};
class WinC : public WinA
{
};

class RegistryTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (QWidget *w : WindowRegistry::loaded())
            delete w;
    }
};

} // namespace

TEST_F(RegistryTest, OneInstancePerClassUntilItCloses)
{
    WinA *a = WindowRegistry::instance<WinA>();
    EXPECT_EQ(WindowRegistry::instance<WinA>(), a);
    EXPECT_EQ(WindowRegistry::find<WinB>(), nullptr); // a subclass is another window
    WinB *b = WindowRegistry::instance<WinB>();
    EXPECT_NE(static_cast<WinA *>(b), a);

    QPointer<WinA> closed(a);
    a->close();
    EXPECT_EQ(WindowRegistry::find<WinA>(), nullptr);
    WinA *again = WindowRegistry::instance<WinA>();
    EXPECT_NE(again, closed.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}

TEST_F(RegistryTest, UnloadAllClosesEachWindowOnce)
{
    auto *a = new WinA;
    auto *c = new WinC;
    auto *b = new WinB;
    for (QWidget *w : QList<QWidget *> { a, b, c })
        WindowRegistry::add(w);
    WindowRegistry::add(a); // again: still one entry
    a->show();
    c->show();
    QPointer<WinA> pa(a), pb(b), pc(c);

    WindowRegistry::unloadAll();
    EXPECT_TRUE(WindowRegistry::loaded().isEmpty());
    ASSERT_TRUE(pa && pb && pc); // deleted later, by the event loop
    EXPECT_EQ(pa->closes, 1);
    EXPECT_EQ(pb->closes, 1);
    EXPECT_EQ(pc->closes, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(pa.isNull() && pb.isNull() && pc.isNull());
}

TEST_F(RegistryTest, AWindowThatRefusesStaysLoaded)
{
    auto *a = WindowRegistry::instance<WinA>();
    a->refuse = true;
    EXPECT_FALSE(WindowRegistry::unload(a));
    EXPECT_TRUE(WindowRegistry::isLoaded(a));
    a->refuse = false;
    EXPECT_TRUE(WindowRegistry::unload(a));
    EXPECT_FALSE(WindowRegistry::isLoaded(a));
}

TEST_F(RegistryTest, AWindowClosingAnotherInItsCloseHandling)
{
    class Frame : public QWidget
    {
    public:
        void closeEvent(QCloseEvent *) override { WindowRegistry::unload(page); }
        QWidget *page = nullptr;
    };
    auto *frame = new Frame;
    WindowRegistry::add(frame);
    auto *page = WindowRegistry::instance<WinB>();
    frame->page = page;
    WindowRegistry::unloadAll();
    EXPECT_EQ(page->closes, 1);
    EXPECT_TRUE(WindowRegistry::loaded().isEmpty());
}

TEST_F(RegistryTest, ADialogEndedByAcceptIsUnloaded)
{
    class Dlg : public QDialog
    {
    };
    auto *first = WindowRegistry::instance<Dlg>();
    QPointer<QDialog> gone(first);
    first->open();
    first->accept();
    EXPECT_FALSE(WindowRegistry::isLoaded(first));
    EXPECT_NE(WindowRegistry::instance<Dlg>(), first); // a fresh window, not the dying one
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
}
