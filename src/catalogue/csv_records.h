// Splits CSV text (RFC 4180) into records: comma-separated fields, a field holding a comma, a
// double quote or a line break enclosed in double quotes with its quotes doubled, lines ending in
// LF or CR LF. Fields are handed over as they stand in the text, without recoding.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rxf {

struct CsvField {
  std::string_view Text;  // unquoted; valid until the next record is read
  int Line;               // line of the text where the field starts, from 1
};

class CsvRecords {
 public:
  explicit CsvRecords(std::string_view text) : text_(text) {}

  // Reads the next record into fields; false at the end of the text. A line without any
  // character is no record. Raises Error "Строка %d: ..." for a quoted field that is not
  // closed or is followed by anything but a comma or the line end.
  bool Next(std::vector<CsvField>& fields);

 private:
  void ReadQuoted();
  void ReadPlain();
  bool AtLineEnd() const;
  void SkipLineEnd();

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::string buffer_;             // the record's fields, unquoted, one after another
  std::vector<std::size_t> ends_;  // end of each field in buffer_
  std::vector<int> lines_;         // line of each field
};

}  // namespace rxf
