#pragma once

#include <string>
#include <vector>

#include "Console.h"

// The whole tool: the arguments after the program's name in, the exit status out.
int RunViv(const std::vector<std::string>& arguments, Console& console);
