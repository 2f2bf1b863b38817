// quorvandel: the desktop program.
#include <optional>

#include "bidi/system_bidi.h"
#include "mainwindow/program_entry.h"
#include "spelling/system_dictionary.h"

int main(int argc, char** argv) {
  // A hotkey's command only hands the press over: it reads no dictionary.
  if (const std::optional<int> status = quorvandel::Run_hotkey_command(argc, argv)) return *status;
  quorvandel::Set_bidi_algorithm(quorvandel::System_bidi_algorithm());
  // Read in the background from now on, so that the first hotkey does not wait.
  quorvandel::Set_dictionary(quorvandel::System_dictionary());
  quorvandel::Start_loading_dictionaries();
  return quorvandel::Run_program(argc, argv);
}
