#include "ProgramEnd.h"
#include <cstdlib>

namespace {

int &endStatus()
{
    static int status = 0;
    return status;
}

EndProgramHook &endHook()
{
    static EndProgramHook hook;
    return hook;
}

} // namespace

EndProgramHook setEndProgramHook(EndProgramHook hook)
{
    EndProgramHook previous = std::move(endHook());
    endHook() = std::move(hook);
    return previous;
}

void endProgram(int status)
{
    endStatus() = status;
    if (endHook()) {
        endHook()();
        return;
    }
    std::exit(status);
}

int lastEndStatus()
{
    return endStatus();
}
