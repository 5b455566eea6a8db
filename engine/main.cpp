#include "vardel2d.h"

int main(int argc, char** argv)
{
    funcionInicio(argc, argv);
    return 0;
}
