#include "SignedInUser.h"

void SignedInUser::reset()
{
    signInOn = 0;
    key = 0;
    name.clear();
    password.clear();
    maySell = mayManageStock = mayViewSummary = mayChangeSettings = mayViewHistory = false;
    position.clear();
}
