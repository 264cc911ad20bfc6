#pragma once

// The look every window of the program shares, set once after the application object exists:
// the Fusion style, the Thai fonts standing in for Tahoma and Browallia New, Qt's own dialog
// texts in Thai, and the windows' base font (Tahoma 8.25 pt). The tests use it too, so what
// they measure and picture is what the program shows.
void applyProgramLook();
