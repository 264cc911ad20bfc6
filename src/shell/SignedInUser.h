#pragma once
#include <QString>
#include <QtGlobal>

// Who is signed in and what the user may open; set once per run by the sign-in (or, with
// sign-in off, the main frame's load) and read by the frame and the pages.
namespace SignedInUser {
inline quint8 signInOn = 0; // row 4 of tblNumber as read at start; only 1 means on
inline int key = 0;
inline QString name;
inline QString password; // lower case
inline bool maySell = false; // UserRight::Selling
inline bool mayManageStock = false; // UserRight::Stock
inline bool mayViewSummary = false; // UserRight::Summary
inline bool mayChangeSettings = false; // UserRight::Settings
inline bool mayViewHistory = false; // UserRight::History
inline QString position;

// Back to the start values (tests run several "program starts" in one process).
void reset();
} // namespace SignedInUser
