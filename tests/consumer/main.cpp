#include "engine/numbers.h"

int main()
{
    return vorlen::numberText(std::int64_t{42}) == "42" ? 0 : 1;
}
