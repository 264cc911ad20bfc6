#pragma once
#include "TempProgramFolder.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"
#include <QDateTime>
#include <gtest/gtest.h>

// Thrown by the fixture's end-of-program hook, so the code that ended the program stops there.
struct ProgramEnded
{
};

// A program start for window tests: a fresh program folder and database opened through
// ShopDatabase::open, scripted message boxes, dialogs and file dialogs, a fixed clock, the shared
// state at its start values, and an end hook that counts and throws ProgramEnded.
class ShellFixture : public ::testing::Test
{
protected:
    static QDateTime fixedNow(); // 2024-05-15 10:30:00

    void SetUp() override;
    void TearDown() override;
    // The shop's database through a connection of its own, for checking what was stored.
    Connection &db() { return folder.db(); }

    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    ScriptedDialogs dialogs;
    ScriptedFileDialogs files;
    int programEnds = 0;
};
