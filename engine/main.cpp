#include "funcionPlot.h"
#include "vardel2d.h"

int main(int argc, char** argv)
{
    funcionInicio(argc, argv);
    funcionPlot(argc, argv);
    return 0;
}
