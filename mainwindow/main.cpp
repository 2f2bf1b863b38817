// quorvandel: the desktop program.
#include "mainwindow/program_entry.h"

int main(int argc, char** argv) { return quorvandel::Run_program(argc, argv); }
