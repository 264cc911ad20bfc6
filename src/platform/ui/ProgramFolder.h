#pragma once
#include <QString>

// The folder of the program file, without a trailing separator. Tests point it at a
// temporary folder holding their own data/Ksmdata.db.
class ProgramFolder
{
public:
    static QString path();
    static QString file(const QString &relative); // path() + "/" + relative, one "/" at the root
    static void setForTests(const QString &folder);
};
