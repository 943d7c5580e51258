// Reading a text report into RTF cell records, and fitting column unit and
// font size to the page; see rtf_table_form.h. The fitting needs every row,
// so the whole report is held as records before anything is written (a
// report is at most some thousands of rows), in one array reused from one
// conversion to the next.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "reports/report_services.h"
#include "reports/rtf_table_form.h"

namespace kt {
namespace {

// Widths in hundredths of a centimetre of a 72-point character, in Verdana's
// proportions, indexed by the code page 1252 byte.
std::array<std::int16_t, 256> make_width_table() {
  std::array<std::int16_t, 256> w{};
  w.fill(160);
  auto set = [&](const char* chars, int width) {
    for (const char* c = chars; *c; ++c) w[static_cast<unsigned char>(*c)] = static_cast<std::int16_t>(width);
  };
  w[' '] = 85;
  set("0123456789", 160);
  const int upper[26] = {175, 174, 178, 193, 160, 146, 196, 190, 107, 115, 168, 142, 215,
                         190, 200, 154, 200, 176, 173, 156, 185, 172, 255, 170, 157, 166};
  const int lower[26] = {155, 158, 132, 158, 155, 89, 158, 161, 70, 87, 150, 70, 245,
                         161, 155, 158, 158, 108, 131, 100, 161, 150, 208, 150, 150, 133};
  for (int i = 0; i < 26; ++i) {
    w['A' + i] = static_cast<std::int16_t>(upper[i]);
    w['a' + i] = static_cast<std::int16_t>(lower[i]);
  }
  set("!", 100);
  set("\"", 117);
  set("'`", 68);
  set("#+<=>^~", 213);
  set("$*_{}", 162);
  set("%", 274);
  set("&", 179);
  set("()/:;[\\]|", 115);
  set(",.", 92);
  set("-", 110);
  set("?", 138);
  set("@", 254);
  for (int b = 0xC0; b <= 0xDE; ++b) w[b] = 180;  // accented capitals
  for (int b = 0xDF; b <= 0xFF; ++b) w[b] = 155;  // accented small letters
  for (int b : {0xCC, 0xCD, 0xCE, 0xCF}) w[b] = 107;
  for (int b : {0xEC, 0xED, 0xEE, 0xEF}) w[b] = 70;
  return w;
}

const std::array<std::int16_t, 256> kWidths = make_width_table();

constexpr const char* kSource = "OR_form";
constexpr std::size_t kGrowth = 1000;  // records added at a time
constexpr std::size_t kSpare = 250;    // fewer free records than this: grow

bool is_rule_start(char c) { return c == '-' || c == '=' || c == '.'; }
bool is_separator(char c) { return c == '|' || c == '#'; }

class CellReader {
 public:
  explicit CellReader(RtfRecordArray& out) : out_(out) {}

  void line(std::string text) {
    if (text.empty()) return;
    bool blank = true;
    for (char c : text) blank = blank && static_cast<unsigned char>(c) <= 32;
    if (blank) {
      top_ = 1;
      event(is_rule_start(previous_first_) ? 4 : 3);
      previous_first_ = text[0];
      return;
    }
    char first = text[0];
    if (first == '\f') {
      // A page break separates tables; what follows it on the line is a line
      // of its own.
      event(4);
      line(text.substr(1));
      return;
    }
    if (first == '!' || first == '*' || first == '@' || first == '^') {
      std::size_t sep = text.find_first_of("|#");
      if (sep == std::string::npos) sep = text.size();
      if (sep >= 2) {
        text.erase(0, 2);
        text.insert(sep - 2, "  ");
      } else {
        for (std::size_t i = 0; i < sep; ++i) text[i] = ' ';
      }
      split(text);
    } else if (is_separator(first)) {
      text[0] = ' ';
      split(text);
    } else if (first == '-' || first == '=') {
      if (is_rule_start(previous_first_)) {
        event(4);
        top_ = 1;
      } else {
        top_ = first == '-' ? 1 : 3;
      }
    } else if (first == '.') {
      if (is_rule_start(previous_first_)) {
        event(4);
        top_ = 1;
      } else {
        top_ = 0;
      }
    } else {
      split(text);
    }
    previous_first_ = text[0];
  }

 private:
  void event(std::uint8_t type) { out_.append().type = type; }

  void split(const std::string& text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!is_separator(text[i])) continue;
      if (i > start) {
        std::size_t length = i - start;
        if (length > kRtfCellText) report_critical_error("maxlen testo", static_cast<int>(length), kSource, 1120);
        while (length > 0 && text[start + length - 1] == ' ') --length;
        RtfCellRecord& r = out_.append();
        r.type = start == 0 ? 1 : 2;
        r.length = static_cast<int>(i - start);
        std::memcpy(r.text, text.data() + start, length);
        r.text[length] = '\0';
        r.right_border = text[i] == '#' ? 3 : 1;
        r.top_border = top_;
      }
      start = i + 1;
    }
    top_ = 1;
  }

  RtfRecordArray& out_;
  std::uint8_t top_ = 1;
  char previous_first_ = 0;
};

}  // namespace

RtfRealloc g_rtf_realloc = std::realloc;

RtfRecordArray::~RtfRecordArray() { std::free(data_); }

RtfCellRecord& RtfRecordArray::append() {
  if (capacity_ - count_ < kSpare) {
    std::size_t grown = capacity_ + kGrowth;
    void* block = g_rtf_realloc(data_, grown * sizeof(RtfCellRecord));
    if (block == nullptr) report_critical_error("realloc", static_cast<int>(grown), kSource, 1160);
    data_ = static_cast<RtfCellRecord*>(block);
    capacity_ = grown;
  }
  if (count_ >= capacity_) report_critical_error("glox value", static_cast<int>(count_), kSource, 1164);
  RtfCellRecord& r = data_[count_++];
  r = RtfCellRecord();
  return r;
}

RtfRecordArray& rtf_read_cells(const std::vector<std::string>& lines) {
  static RtfRecordArray records;
  records.clear();
  CellReader reader(records);
  for (const std::string& l : lines) reader.line(l);
  return records;
}

int rtf_text_width(std::string_view text) {
  long long sum = 0;
  for (char c : text) sum += kWidths[static_cast<unsigned char>(c)];
  return static_cast<int>(sum * 567 / 100);
}

RtfFit or_rtf_fit_columns(RtfRecordArray& records, int table_width, int points) {
  // The unit: the largest whole number of twips per character (1 to 100000)
  // that keeps every row strictly inside the table width.
  long long widest = 0, row = 0;
  for (const RtfCellRecord& r : records) {
    if (r.type == 1) row = 0;
    if (r.type == 1 || r.type == 2) {
      row += r.length + 1;
      if (row > widest) widest = row;
    }
  }
  RtfFit fit;
  long long unit = widest > 0 ? (table_width - 1) / widest : 100000;
  fit.unit = static_cast<int>(unit < 1 ? 1 : unit > 100000 ? 100000 : unit);

  for (RtfCellRecord& r : records) r.text_width = rtf_text_width(r.text);
  // The font size: the first size, going down from the requested one, at
  // which every text fits its cell; 7 half-points at the least.
  int size = 2 * points;
  while (size >= 8) {
    bool fits = true;
    for (const RtfCellRecord& r : records) {
      if (r.type != 1 && r.type != 2) continue;
      long long inner = static_cast<long long>(r.length + 1) * fit.unit - (r.right_border + 6) * 10;
      if (static_cast<long long>(r.text_width) * size / 144 > inner) {
        fits = false;
        break;
      }
    }
    if (fits) break;
    --size;
  }
  fit.half_points = size;
  return fit;
}

bool or_rtf_same_row_layout(const RtfRecordArray& records, std::size_t a, std::size_t b) {
  std::size_t i = a, j = b;
  for (;;) {
    bool in_a = i < records.size() && (i == a || records[i].type == 2);
    bool in_b = j < records.size() && (j == b || records[j].type == 2);
    if (in_a != in_b) return false;
    if (!in_a) return true;
    if (records[i].length != records[j].length) return false;
    ++i;
    ++j;
  }
}

}  // namespace kt
