// quorvandel: the desktop program.
#include "bidi/system_bidi.h"
#include "mainwindow/program_entry.h"

int main(int argc, char** argv) {
  quorvandel::Set_bidi_algorithm(quorvandel::System_bidi_algorithm());
  return quorvandel::Run_program(argc, argv);
}
