#pragma once
#include <QColor>
#include <QList>
#include <QQueue>

class QWidget;

// The colour dialog. The answer is the chosen colour, or an invalid colour when the user
// cancelled; `initial` is the colour the dialog opens with.
class ColorDialogService
{
public:
    virtual ~ColorDialogService() = default;
    virtual QColor ask(QWidget *parent, const QColor &initial) = 0;
    static ColorDialogService &instance();
    static void install(ColorDialogService *service); // nullptr: the Qt dialog

    static QColor getColor(QWidget *parent, const QColor &initial)
    {
        return instance().ask(parent, initial);
    }
};

class QtColorDialogService : public ColorDialogService
{
public:
    QColor ask(QWidget *parent, const QColor &initial) override;
};

// Records the colour each dialog opened with and answers from a queue; with the queue empty
// it cancels. Installs itself while it lives.
class ScriptedColorDialogs : public ColorDialogService
{
public:
    ScriptedColorDialogs();
    ~ScriptedColorDialogs() override;
    QColor ask(QWidget *parent, const QColor &initial) override;
    void answer(const QColor &colour) { answers.enqueue(colour); }
    void cancel() { answers.enqueue(QColor()); }

    QList<QColor> opened; // the initial colour of every dialog shown, in order
    QQueue<QColor> answers;

private:
    ColorDialogService *m_previous;
};
