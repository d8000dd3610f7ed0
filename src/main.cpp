#include "app/almarinapp.h"

int main(int argc, char** argv)
{
    return RunAlmarin(argc, argv);
}
