// The main function of the display test programs.
#include "display_start.h"

int main(int argc, char** argv) {
    return RunDisplayTests(argc, argv);
}
