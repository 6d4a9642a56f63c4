#include "Characters.h"

std::size_t CharacterLength(std::string_view, std::size_t)
{
    return 1;
}
