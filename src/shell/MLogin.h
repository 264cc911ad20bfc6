#pragma once
#include <QString>
#include <QtGlobal>

// Who is signed in and what the user may open; set once per run by the sign-in (or, with
// sign-in off, the main frame's load) and read by the frame and the pages.
namespace MLogin {
inline quint8 LoginOn = 0; // row 4 of tblNumber as read at start; only 1 means on
inline int LoginPK = 0;
inline QString LoginUID;
inline QString LoginPass; // lower case
inline bool LoginLv1 = false; // UserRight::Selling
inline bool LoginLv2 = false; // UserRight::Stock
inline bool LoginLv3 = false; // UserRight::Summary
inline bool LoginLv4 = false; // UserRight::Settings
inline bool LoginLv5 = false; // UserRight::History
inline QString LoginTumnang;

// Back to the start values (tests run several "program starts" in one process).
void reset();
} // namespace MLogin
