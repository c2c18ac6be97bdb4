#include <cstdio>

#include "program/version.h"

int main()
{
    std::printf("NF-e console %s: the program's screens are not built yet.\n", kProgramVersion);
    return 0;
}
