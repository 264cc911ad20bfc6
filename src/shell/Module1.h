#pragma once
#include "platform/db/Connection.h"
#include "records/Codes.h"
#include <QString>
#include <functional>

class QComboBox;
class QTimer;
class QWidget;

// The program-wide state and the small procedures every window uses.
namespace Module1 {

// The one connection to data/Ksmdata.db, shared by every window: always the same object,
// open from OpenDatabase to CloseDatabase. Each procedure runs its own local Recordset on it.
Connection &Conn();

// Hand-over values: the opener sets one right before it shows the window that reads it.
inline bool NewItemMode = false; // the product editor opens empty for a new product
inline bool DataChanged = false; // a dialog of the stock page saved something
inline quint8 PrintSource = 0; // codes in ::PrintSource (records/Codes.h)
inline ::SummaryMode SummaryMode = ::SummaryMode::Detailed;
inline QString ReturnBillNo; // receipt number of the bill loaded for return
inline bool ReturnMode = false; // the sale page is in return mode
inline int SelectedProductPK = 0; // the product the product editor shows
inline int EditQty = 0; // quantity handed to the quantity and return dialogs
inline int EditRow = 0; // grid row handed to them

// Back to the start values (tests run several "program starts" in one process).
void resetState();

// Opens program folder + data/Ksmdata.db. On failure shows "เชื่อมต่อฐานข้อมูลไม่ได้ : " and
// the engine's text (no title of its own, no icon) and ends the program. Returns false only
// when a test's end hook came back instead of ending.
bool OpenDatabase();
// Closes the connection when it is open (folding the write-ahead log into the file first);
// otherwise does nothing.
void CloseDatabase();
// The database's own housekeeping, kept off the sale's path: every commit restarts this
// single-shot timer, and when the program has sat idle that long a passive checkpoint folds
// the write-ahead log into the file.
QTimer *CheckpointTimer();
inline constexpr int IdleCheckpointMs = 3000;

// The program ends here, at once, with its exit status: 0 after an asked-for shut-down,
// EndRefused when it could not start or the sign-in was given up. Tests replace the hook to
// see the end (and usually throw to stop the caller); an empty hook restores the default,
// std::exit(status). Returns the previous.
constexpr int EndRefused = 1;
using EndProgramHook = std::function<void()>;
EndProgramHook setEndProgramHook(EndProgramHook hook);
void EndProgram(int status = 0);
int lastEndStatus(); // the status of the latest EndProgram

// Key filters for KeyPress handlers: the caller assigns the result back, 0 drops the key.
// A refused key shows one message (title "รายงานความผิดพลาด", warning icon) and sets
// KeyAscii to 0. Enter (13) and Backspace (8) always pass.
int NumberOnly(int &KeyAscii); // digits
int DecimalOnly(int &KeyAscii); // digits and "."
int CodeCharOnly(int &KeyAscii); // A-Z, digits, "_", "-", "/"; a-z come back upper case

// Selects the whole text of a line edit, an editable combo box or a spin box; any other
// widget is left alone.
void SelectAllText(QWidget *box);

// Lists textColumn of every row of table ordered by orderColumn (NULL lists as ""). Table and
// column names are the code's own identifiers. A failing query throws DbError and leaves the
// list as it was.
void FillCombo(
    QComboBox *list, const QString &table, const QString &orderColumn, const QString &textColumn);
// As FillCombo, rows with keyColumn > 0 ordered by keyColumn.
void FillComboPositive(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &textColumn);

// Finds or makes a lookup entry (tblNub, tblGroup, tblGeb) by the list's text: "" and "-"
// give 0 without touching the database; otherwise the entry whose name, without outer
// blanks, equals the text without outer blanks in any letter case; else a new row keyed the
// largest key plus 1 and named exactly as typed. Throws DbError.
int GetLookupPK(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &nameColumn);
int GetLookupPK(
    const QString &text, const QString &table, const QString &keyColumn, const QString &nameColumn);
// The same on a given connection, so a save can make its entries inside its own transaction.
int GetLookupPK(Connection &conn, const QString &text, const QString &table,
    const QString &keyColumn, const QString &nameColumn);

// Drops every key but Backspace once the list's text is limit characters long. No message.
void LimitComboLength(QComboBox *list, int limit, int &KeyAscii);

// Closes every loaded window (WindowRegistry), in load order, each with its own close handling.
void UnloadAllForms();

// Makes the keyboard layout of that eight-digit name ("00000409" US English) the active one;
// true when it is active afterwards. Never reports a failure.
bool SetKeyboardLayout(const QString &layoutName);
void SetEnglishKeyboard();

// A right press in the box shows "ห้ามคลิกขวาในช่องนี้ !!" (title "รายงานความผิดพลาด",
// warning icon); the box opens no context menu.
void RefuseRightClick(QWidget *box);

} // namespace Module1
