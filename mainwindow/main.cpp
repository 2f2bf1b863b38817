// quorvandel: the desktop program.
#include "bidi/fribidi_algorithm.h"
#include "mainwindow/program_entry.h"

int main(int argc, char** argv) {
  quorvandel::Set_bidi_algorithm(&quorvandel::Fribidi());
  return quorvandel::Run_program(argc, argv);
}
