#pragma once
#include <QList>
#include <termios.h>

// Records the line settings the program gives a terminal device, so a test can see what a
// serial port was set to while it was open (the port puts its old settings back on closing).
namespace TermiosRecorder {
void start();
void stop();
const QList<termios> &recorded();
} // namespace TermiosRecorder
