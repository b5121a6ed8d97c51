#ifndef TIVOK_TESTS_CLI_EXPECTED_LISTINGS_H_
#define TIVOK_TESTS_CLI_EXPECTED_LISTINGS_H_

namespace tivok::cli::testing {

// What `list` prints for the sample image in each format (the CSV with LF
// line ends).
extern const char kSampleTable[];
extern const char kSampleCsv[];
extern const char kSampleJson[];

}  // namespace tivok::cli::testing

#endif  // TIVOK_TESTS_CLI_EXPECTED_LISTINGS_H_
