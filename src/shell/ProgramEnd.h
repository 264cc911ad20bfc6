#pragma once
#include <functional>

// The program ends here, at once, with its exit status: 0 after an asked-for shut-down,
// EndRefused when it could not start or the sign-in was given up. Tests replace the hook to
// see the end (and usually throw to stop the caller); an empty hook restores the default,
// std::exit(status). setEndProgramHook returns the previous hook.
constexpr int EndRefused = 1;
using EndProgramHook = std::function<void()>;
EndProgramHook setEndProgramHook(EndProgramHook hook);
void endProgram(int status = 0);
int lastEndStatus(); // the status of the latest endProgram
