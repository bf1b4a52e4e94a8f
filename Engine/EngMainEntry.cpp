// The executable's entry point; everything it does lives in the engine, where tests reach it.
#include "Engine/EngMain.h"

int main(int argc, char **argv) { return EngMainRun(argc, argv); }
