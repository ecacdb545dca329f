#include "catalogue/csv_records.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

bool CsvRecords::Next(std::vector<CsvField>& fields) {
  while (pos_ < text_.size() && AtLineEnd())
    SkipLineEnd();
  if (pos_ >= text_.size())
    return false;
  buffer_.clear();
  ends_.clear();
  lines_.clear();
  for (;;) {
    lines_.push_back(line_);
    if (text_[pos_] == '"')
      ReadQuoted();
    else
      ReadPlain();
    ends_.push_back(buffer_.size());
    if (pos_ >= text_.size())
      break;
    if (text_[pos_] != ',') {
      SkipLineEnd();
      break;
    }
    ++pos_;
    if (pos_ >= text_.size()) {  // a closing comma: one more, empty field
      lines_.push_back(line_);
      ends_.push_back(buffer_.size());
      break;
    }
  }
  fields.clear();
  std::size_t begin = 0;
  for (std::size_t i = 0; i < ends_.size(); ++i) {
    fields.push_back({std::string_view(buffer_).substr(begin, ends_[i] - begin), lines_[i]});
    begin = ends_[i];
  }
  return true;
}

void CsvRecords::ReadPlain() {
  while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
    buffer_ += text_[pos_++];
}

void CsvRecords::ReadQuoted() {
  const int startLine = line_;
  for (++pos_;; ++pos_) {
    if (pos_ >= text_.size())
      throw Error(Format(std::string("строка %d, столбец %d: не закрыта кавычка"_w), startLine,
                         lines_.size()));
    const char c = text_[pos_];
    if (c == '"') {
      if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
        buffer_ += '"';
        ++pos_;
        continue;
      }
      ++pos_;
      break;
    }
    if (c == '\n')
      ++line_;
    buffer_ += c;
  }
  if (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
    throw Error(
        Format(std::string("строка %d, столбец %d: после закрывающей кавычки ожидается запятая"_w),
               line_, lines_.size()));
}

// LF, CR LF, or a CR that ends the text.
bool CsvRecords::AtLineEnd() const {
  const char c = text_[pos_];
  return c == '\n' || (c == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] == '\n'));
}

void CsvRecords::SkipLineEnd() {
  if (text_[pos_] == '\r')
    ++pos_;
  if (pos_ < text_.size()) {
    ++pos_;
    ++line_;
  }
}

}  // namespace rxf
