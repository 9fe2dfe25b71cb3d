#pragma once

// Builds the application's objects, runs the balloon's load step and then the main loop.
int applicationMain(int argc, char** argv);
