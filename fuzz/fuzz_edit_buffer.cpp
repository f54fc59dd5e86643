// libFuzzer target: edit sequences on EditBuffer checked against a std::string model and its own invariants.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/EditBuffer.h"
#include "document/SjisChar.h"

namespace {

using corvella::EditBuffer;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "edit buffer mismatch: %s\n", what);
    std::abort();
  }
}
#define CHECK(cond) Check((cond), #cond)

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : p_(data), n_(size) {}
  bool Done() const { return n_ == 0; }
  std::uint8_t Byte() {
    if (n_ == 0) return 0;
    --n_;
    return *p_++;
  }
  std::size_t Pos(std::size_t length) {
    const std::size_t raw = Byte() | static_cast<std::size_t>(Byte()) << 8;
    return raw % (length + 3);  // a little past the end too
  }
  // Mostly the bytes that matter: line-end bytes, lead and trail bytes, NUL.
  std::string Text(std::size_t max) {
    static const char kBytes[] = {'a', '\\', '\r', '\n', '\0', '\x40', '\x5C', '\x81', '\x95', '\x9F', '\xE0', '\xFC', '\xB1'};
    std::string text(Byte() % (max + 1), '\0');
    for (char& c : text) {
      const std::uint8_t b = Byte();
      c = b < 0x80 ? kBytes[b % sizeof kBytes] : static_cast<char>(b);
    }
    return text;
  }

 private:
  const std::uint8_t* p_;
  std::size_t n_;
};

// Character boundaries and line starts by a scan from the start of the text.
struct Model {
  std::string text;
  EditBuffer::Selection sel;
  bool readOnly = false;
  std::size_t limit = EditBuffer::kDefaultTextLimit;
  std::vector<bool> boundary;
  std::vector<std::size_t> starts;

  void Scan() {
    boundary.assign(text.size() + 1, false);
    starts.assign(1, 0);
    for (std::size_t i = 0; i < text.size();) {
      boundary[i] = true;
      const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
      i = crlf ? i + 2 : corvella::SjisCharEnd(text, i);
      if (crlf) starts.push_back(i);
    }
    boundary[text.size()] = true;
  }
  std::size_t CharStart(std::size_t pos) const {
    pos = std::min(pos, text.size());
    while (!boundary[pos]) --pos;
    return pos;
  }
};

void CheckAt(const EditBuffer& buf, const Model& m, std::size_t pos) {
  const std::size_t at = std::min(pos, m.text.size());
  std::size_t line = 0;
  while (line + 1 < m.starts.size() && m.starts[line + 1] <= at) ++line;
  CHECK(buf.LineFromChar(pos) == line);
  CHECK(buf.CharStart(pos) == m.CharStart(pos));
  std::size_t next = at + 1;
  while (next < m.text.size() && !m.boundary[next]) ++next;
  CHECK(buf.NextCharPos(pos) == std::min(next, m.text.size()));
  CHECK(buf.PrevCharPos(pos) == (at ? m.CharStart(at - 1) : 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  static const std::size_t kCapacities[] = {4, 5, 8, 16, 4096};
  EditBuffer buf(kCapacities[in.Byte() % 5]);
  Model m;
  m.Scan();
  while (!in.Done()) {
    switch (in.Byte() % 10) {
      case 0:
        m.text = in.Text(in.Byte() % 2 ? 8 : 200);
        buf.SetText(m.text);
        m.sel = {};
        break;
      case 1: {
        const std::size_t a = in.Pos(m.text.size()), c = in.Pos(m.text.size());
        buf.SetSel(a, c);
        m.sel = {std::min(a, m.text.size()), std::min(c, m.text.size())};
        break;
      }
      case 2: {
        const std::size_t a = in.Pos(m.text.size()), c = in.Pos(m.text.size());
        buf.SetCharSel(a, c);
        m.sel = {m.CharStart(a), m.CharStart(c)};
        break;
      }
      case 3:
        m.readOnly = !m.readOnly;
        buf.SetReadOnly(m.readOnly);
        break;
      case 4: {
        const std::size_t limit = in.Byte();
        buf.SetLimitText(limit);
        m.limit = limit ? limit : EditBuffer::kMaxTextLimit;
        break;
      }
      case 5:
        CheckAt(buf, m, in.Pos(m.text.size()));
        break;
      default: {
        const std::string text = in.Text(in.Byte() % 4 ? 4 : 64);
        const std::size_t start = m.sel.Start(), removed = m.sel.End() - start;
        const bool allowed =
            !m.readOnly && (text.size() <= removed || m.text.size() - removed + text.size() <= m.limit);
        CHECK(buf.ReplaceSel(text) == allowed);
        if (allowed) {
          m.text.replace(start, removed, text);
          m.sel = {start + text.size(), start + text.size()};
        }
      }
    }
    m.Scan();
    CHECK(buf.CheckConsistency().empty());
    CHECK(buf.GetText() == m.text);
    CHECK(buf.GetSel() == m.sel);
    CHECK(buf.GetLineCount() == m.starts.size());
    for (std::size_t line = 0; line < m.starts.size(); ++line) CHECK(buf.LineIndex(line) == m.starts[line]);
    CHECK(buf.LineIndex(m.starts.size()) == EditBuffer::npos);
  }
  return 0;
}
