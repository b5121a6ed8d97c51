#ifndef TIVOK_LAYOUT_CSV_H_
#define TIVOK_LAYOUT_CSV_H_

#include <string>
#include <string_view>
#include <vector>

namespace tivok {

// CSV as RFC 4180 has it: fields separated by commas, a field in double
// quotes where it holds a comma, a quote or a line end, and a quote inside
// such a field doubled. Spaces and tabs around a quoted field are read as
// no part of it, as spreadsheets and people write "a, \"b\"".

// `text` as one field, quoted only where it needs to be.
std::string CsvField(std::string_view text);

// One record, with the number of the line it starts on (counted from 1).
struct CsvRecord {
  int line = 0;
  std::vector<std::string> fields;
};

// The records of `text`, or the first thing that keeps it from being CSV.
struct CsvRecords {
  std::vector<CsvRecord> records;
  int error_line = 0;  // 0 when the whole text was read
  std::string error;
};

// Reads `text`: lines may end in CR LF, LF or CR, the last one may lack an
// end, a UTF-8 byte order mark at the start is skipped, and empty lines are
// left out.
CsvRecords ParseCsv(std::string_view text);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_CSV_H_
