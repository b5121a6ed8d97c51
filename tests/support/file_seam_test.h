#ifndef TIVOK_TESTS_SUPPORT_FILE_SEAM_TEST_H_
#define TIVOK_TESTS_SUPPORT_FILE_SEAM_TEST_H_

#include <gtest/gtest.h>

#include "rom/file_faults.h"

namespace tivok::testing {

// A test that stages failures or actions in the file layer (file_faults.h).
// It starts with nothing armed, and whatever it leaves armed, after a failed
// assertion too, is disarmed when it ends, so that no other test of the
// program meets it, in whatever order they run.
class FileSeamTest : public ::testing::Test {
 protected:
  void SetUp() override { DisarmFileFaults(); }
  void TearDown() override { DisarmFileFaults(); }
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_SUPPORT_FILE_SEAM_TEST_H_
