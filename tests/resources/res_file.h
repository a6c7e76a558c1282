// Reading a compiled resource file (.res, as windres -O res writes it) and the
// resource formats inside it that the game relies on: menus and dialog templates.
// Every reader checks its bounds and reports a damaged input as failure.
#ifndef ZD_TESTS_RES_FILE_H
#define ZD_TESTS_RES_FILE_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A resource type or name: a number, or a text (kept as written, compared without
// regard to case as the resource loader does).
struct ResId {
  bool isNumber = false;
  uint16_t number = 0;
  std::string text;
};

struct ResEntry {
  ResId type;
  ResId name;
  uint16_t language = 0;
  std::vector<uint8_t> data;
};

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);
std::optional<std::vector<ResEntry>> ParseResFile(const std::vector<uint8_t>& bytes);

bool SameText(const std::string& a, const std::string& b);  // ASCII, any case
bool IdIsText(const ResId& id, const std::string& text);
bool IdIsNumber(const ResId& id, uint16_t number);
const ResEntry* FindResource(const std::vector<ResEntry>& all, uint16_t type,
                             const std::string& name);
const ResEntry* FindResource(const std::vector<ResEntry>& all, const std::string& type,
                             const std::string& name);
const ResEntry* FindResource(const std::vector<ResEntry>& all, uint16_t type, uint16_t name);

// A menu as a tree: pop-ups hold their items; separators have isSeparator set.
struct MenuItem {
  bool isPopup = false;
  bool isSeparator = false;
  uint16_t id = 0;
  uint16_t flags = 0;
  std::string caption;
  std::vector<MenuItem> items;
};
std::optional<std::vector<MenuItem>> ParseMenu(const std::vector<uint8_t>& data);

struct DialogControl {
  uint32_t style = 0;
  int16_t x = 0, y = 0, cx = 0, cy = 0;
  uint16_t id = 0;
  uint16_t classAtom = 0;  // 0x80 button, 0x81 edit, 0x82 static; 0 when named
  std::string className;
  std::string text;
};
struct DialogTemplate {
  uint32_t style = 0;
  int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  std::string fontName;
  uint16_t fontSize = 0;
  std::vector<DialogControl> controls;
};
std::optional<DialogTemplate> ParseDialog(const std::vector<uint8_t>& data);

#endif
