// Runs a program with given standard input and collects what it writes.
#pragma once

#include <string>
#include <vector>

namespace quorvandel::testing {

struct Process_result {
  int exit_status = -1;
  std::string out;
  std::string err;
};

Process_result Run_process(const std::vector<std::string>& arguments, const std::string& input = {});

}  // namespace quorvandel::testing
