// Every engine and window test runs with the system's dictionaries
// installed, as the programs install them at start; a test that judges
// without them sets none and puts them back. Linked into those two
// programs only: the others know no dictionary.
#include <gtest/gtest.h>

#include "engine/dictionary.h"
#include "spelling/system_dictionary.h"

namespace quorvandel {
namespace {

class Dictionary_environment : public ::testing::Environment {
 public:
  void SetUp() override { Set_dictionary(System_dictionary()); }
};

[[maybe_unused]] ::testing::Environment* const dictionary_environment =
    ::testing::AddGlobalTestEnvironment(new Dictionary_environment);

}  // namespace
}  // namespace quorvandel
