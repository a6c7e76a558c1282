#include "res_file.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

// A bounds-checked little-endian reader over a byte range.
struct Reader {
  const std::vector<uint8_t>& bytes;
  size_t pos;
  size_t end;
  bool ok = true;

  bool Has(size_t n) const { return ok && pos <= end && end - pos >= n; }
  uint16_t U16() {
    if (!Has(2)) {
      ok = false;
      return 0;
    }
    uint16_t v = uint16_t(bytes[pos] | bytes[pos + 1] << 8);
    pos += 2;
    return v;
  }
  uint32_t U32() {
    uint32_t lo = U16();
    uint32_t hi = U16();
    return lo | hi << 16;
  }
  void AlignTo4(size_t base) {
    size_t rel = pos - base;
    pos = base + ((rel + 3) & ~size_t(3));
    if (pos > end) ok = false;
  }
  // A NUL-terminated UTF-16 text; characters above 0x7F become '?'.
  std::string Text() {
    std::string out;
    for (;;) {
      uint16_t c = U16();
      if (!ok || c == 0) return out;
      out.push_back(c < 0x80 ? char(c) : '?');
    }
  }
  // A number (0xFFFF then the number) or a text.
  ResId NumberOrText() {
    ResId id;
    if (!Has(2)) {
      ok = false;
      return id;
    }
    uint16_t first = uint16_t(bytes[pos] | bytes[pos + 1] << 8);
    if (first == 0xFFFF) {
      pos += 2;
      id.isNumber = true;
      id.number = U16();
    } else {
      id.text = Text();
    }
    return id;
  }
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::vector<ResEntry>> ParseResFile(const std::vector<uint8_t>& bytes) {
  std::vector<ResEntry> out;
  size_t pos = 0;
  bool first = true;
  while (pos < bytes.size()) {
    Reader r{bytes, pos, bytes.size()};
    uint32_t dataSize = r.U32();
    uint32_t headerSize = r.U32();
    if (!r.ok || headerSize < 16 || headerSize > bytes.size() - pos) return std::nullopt;
    Reader h{bytes, pos + 8, pos + headerSize};
    ResEntry e;
    e.type = h.NumberOrText();
    e.name = h.NumberOrText();
    h.AlignTo4(pos);
    h.U32();  // data version
    h.U16();  // memory flags
    e.language = h.U16();
    h.U32();  // version
    h.U32();  // characteristics
    if (!h.ok) return std::nullopt;
    size_t dataStart = pos + headerSize;
    if (dataSize > bytes.size() - dataStart) return std::nullopt;
    e.data.assign(bytes.begin() + long(dataStart), bytes.begin() + long(dataStart + dataSize));
    // The file opens with an empty entry of type 0 that marks it as 32-bit.
    bool marker = first && dataSize == 0 && e.type.isNumber && e.type.number == 0;
    if (!marker) out.push_back(std::move(e));
    first = false;
    pos = dataStart + dataSize;
    pos = (pos + 3) & ~size_t(3);
  }
  return out;
}

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(uint8_t(a[i])) != std::toupper(uint8_t(b[i]))) return false;
  return true;
}

bool IdIsText(const ResId& id, const std::string& text) {
  return !id.isNumber && SameText(id.text, text);
}
bool IdIsNumber(const ResId& id, uint16_t number) { return id.isNumber && id.number == number; }

const ResEntry* FindResource(const std::vector<ResEntry>& all, uint16_t type,
                             const std::string& name) {
  for (const ResEntry& e : all)
    if (IdIsNumber(e.type, type) && IdIsText(e.name, name)) return &e;
  return nullptr;
}
const ResEntry* FindResource(const std::vector<ResEntry>& all, const std::string& type,
                             const std::string& name) {
  for (const ResEntry& e : all)
    if (IdIsText(e.type, type) && IdIsText(e.name, name)) return &e;
  return nullptr;
}
const ResEntry* FindResource(const std::vector<ResEntry>& all, uint16_t type, uint16_t name) {
  for (const ResEntry& e : all)
    if (IdIsNumber(e.type, type) && IdIsNumber(e.name, name)) return &e;
  return nullptr;
}

namespace {

constexpr uint16_t kMenuPopup = 0x10;
constexpr uint16_t kMenuEnd = 0x80;
constexpr uint16_t kMenuSeparator = 0x800;

bool ParseMenuItems(Reader& r, std::vector<MenuItem>& items, int depth) {
  if (depth > 8) return false;
  for (;;) {
    MenuItem item;
    item.flags = r.U16();
    item.isPopup = (item.flags & kMenuPopup) != 0;
    if (!item.isPopup) item.id = r.U16();
    item.caption = r.Text();
    if (!r.ok) return false;
    item.isSeparator = !item.isPopup && ((item.flags & kMenuSeparator) != 0 ||
                                         (item.id == 0 && item.caption.empty()));
    if (item.isPopup && !ParseMenuItems(r, item.items, depth + 1)) return false;
    bool last = (item.flags & kMenuEnd) != 0;
    items.push_back(std::move(item));
    if (last) return true;
  }
}

}  // namespace

std::optional<std::vector<MenuItem>> ParseMenu(const std::vector<uint8_t>& data) {
  Reader r{data, 0, data.size()};
  uint16_t version = r.U16();
  uint16_t headerSize = r.U16();
  if (!r.ok || version != 0) return std::nullopt;
  r.pos += headerSize;
  std::vector<MenuItem> items;
  if (!ParseMenuItems(r, items, 0)) return std::nullopt;
  return items;
}

std::optional<DialogTemplate> ParseDialog(const std::vector<uint8_t>& data) {
  constexpr uint32_t kSetFont = 0x40;
  Reader r{data, 0, data.size()};
  DialogTemplate d;
  d.style = r.U32();
  r.U32();  // extended style
  uint16_t count = r.U16();
  d.x = int16_t(r.U16());
  d.y = int16_t(r.U16());
  d.cx = int16_t(r.U16());
  d.cy = int16_t(r.U16());
  if (!r.ok || (d.style >> 16) == 0xFFFF) return std::nullopt;  // the extended form is not used
  r.NumberOrText();                                             // menu
  r.NumberOrText();                                             // window class
  d.caption = r.Text();
  if (d.style & kSetFont) {
    d.fontSize = r.U16();
    d.fontName = r.Text();
  }
  for (uint16_t i = 0; i < count && r.ok; ++i) {
    r.AlignTo4(0);
    DialogControl c;
    c.style = r.U32();
    r.U32();
    c.x = int16_t(r.U16());
    c.y = int16_t(r.U16());
    c.cx = int16_t(r.U16());
    c.cy = int16_t(r.U16());
    c.id = r.U16();
    ResId cls = r.NumberOrText();
    c.classAtom = cls.isNumber ? cls.number : 0;
    c.className = cls.text;
    ResId text = r.NumberOrText();
    c.text = text.text;
    uint16_t extra = r.U16();
    r.pos += extra;
    if (r.pos > r.end) r.ok = false;
    d.controls.push_back(c);
  }
  if (!r.ok) return std::nullopt;
  return d;
}
