#pragma once

// Runs the GoogleTest tests of a display test program inside the program's own application
// object on Qt's xcb platform, against the X server that DISPLAY names. Listing the tests needs
// no display.
int RunDisplayTests(int argc, char** argv);
