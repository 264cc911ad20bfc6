#include "MLogin.h"

void MLogin::reset()
{
    LoginOn = 0;
    LoginPK = 0;
    LoginUID.clear();
    LoginPass.clear();
    LoginLv1 = LoginLv2 = LoginLv3 = LoginLv4 = LoginLv5 = false;
    LoginTumnang.clear();
}
