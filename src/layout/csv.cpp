#include "layout/csv.h"

namespace tivok {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// The first position from `i` on that is not a space or a tab.
std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    return std::string(text);
  }
  std::string field = "\"";
  for (char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + "\"";
}

CsvRecords ParseCsv(std::string_view text) {
  CsvRecords csv;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(3);
  int line = 1;
  std::size_t i = 0;
  // Steps over the line end at i, counting it; CR LF is one.
  auto end_line = [&] {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    ++i;
    ++line;
  };
  auto fail = [&](int at, std::string reason) {
    csv.records.clear();
    csv.error_line = at;
    csv.error = std::move(reason);
    return csv;
  };
  while (i < text.size()) {
    CsvRecord record{line, {}};
    bool record_ended = false;
    while (!record_ended) {
      std::string field;
      // Blanks around a quoted field are no part of it.
      if (const std::size_t quote = SkipBlanks(text, i);
          quote < text.size() && text[quote] == '"') {
        const int opened_on = line;
        i = quote + 1;
        for (;;) {
          if (i >= text.size()) {
            return fail(opened_on, "a quoted field is never closed");
          }
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              field += '"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (IsLineEnd(text[i])) {
            // A line end inside quotes belongs to the field, as it is.
            const std::size_t from = i;
            end_line();
            field.append(text.substr(from, i - from));
            continue;
          }
          field += text[i++];
        }
        i = SkipBlanks(text, i);
        if (i < text.size() && text[i] != ',' && !IsLineEnd(text[i])) {
          return fail(line,
                      "a closing double quote is followed by more text; "
                      "a quote inside a quoted field is written twice (\"\")");
        }
      } else {
        while (i < text.size() && text[i] != ',' && !IsLineEnd(text[i])) {
          if (text[i] == '"') {
            return fail(line,
                        "a double quote inside an unquoted field; quote "
                        "the whole field and write the quote twice (\"\")");
          }
          field += text[i++];
        }
      }
      record.fields.push_back(std::move(field));
      if (i < text.size() && text[i] == ',') {
        ++i;
      } else {
        if (i < text.size()) end_line();
        record_ended = true;
      }
    }
    const bool empty_line =
        record.fields.size() == 1 && record.fields[0].empty();
    if (!empty_line) csv.records.push_back(std::move(record));
  }
  return csv;
}

}  // namespace tivok
