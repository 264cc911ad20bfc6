#pragma once
#include <QWidget>

class QLabel;

// The sales summary page, as far as the frame needs it; the full page replaces it.
class Form4 : public QWidget
{
    Q_OBJECT
public:
    Form4(); // loads

    void Form_Load();
    void Form_Resize();

    QLabel *Label1 = nullptr;
};
