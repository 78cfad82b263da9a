#pragma once
// Tells the screen registry how to make each of the program's screens, so
// that screens can show one another by name.
void RegisterScreens();
