#include "KeyFilters.h"
#include "Messages.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/MessageBox.h"
#include <QComboBox>

namespace {

int refuse(int &key, const QString &text)
{
    MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle);
    key = 0;
    return 0;
}

} // namespace

int KeyFilters::digitsOnly(int &key)
{
    if ((key >= '0' && key <= '9') || key == 8 || key == 13)
        return key;
    return refuse(key, Msg::NumberOnly);
}

int KeyFilters::decimalOnly(int &key)
{
    if ((key >= '0' && key <= '9') || key == '.' || key == 8 || key == 13)
        return key;
    return refuse(key, Msg::DecimalOnly);
}

int KeyFilters::codeCharactersOnly(int &key)
{
    const int k = key;
    if ((k >= 'A' && k <= 'Z') || (k >= '0' && k <= '9') || k == '_' || k == '-' || k == '/')
        return k;
    if (k >= 'a' && k <= 'z')
        return k - 32;
    if (k == 8 || k == 13)
        return k;
    return refuse(key, Msg::CodeCharOnly);
}

void KeyFilters::acceptDigits(QWidget *box)
{
    CharacterFilter::install(box, [](int &key) { digitsOnly(key); });
}

void KeyFilters::acceptDecimal(QWidget *box)
{
    CharacterFilter::install(box, [](int &key) { decimalOnly(key); });
}

void KeyFilters::acceptCodeCharacters(QWidget *box)
{
    CharacterFilter::install(box, [](int &key) { key = codeCharactersOnly(key); });
}

void KeyFilters::limitListLength(QComboBox *list, int limit, int &key)
{
    if (list->currentText().size() >= limit && key != 8)
        key = 0;
}
