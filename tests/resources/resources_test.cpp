// Lists the resources compiled from resources/zerade95.rc and checks every name, type,
// picture size, recording format, the menu, the dialog templates and the size budget.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "picture_headers.h"
#include "res_file.h"
#include "resource.h"

namespace {

constexpr uint16_t kIcon = 3, kMenu = 4, kDialog = 5, kGroupIcon = 14, kVersion = 16,
                   kManifest = 24;

const std::vector<ResEntry>& Resources() {
  static const std::vector<ResEntry> all = [] {
    auto bytes = ReadWholeFile(ZD_RES_FILE);
    if (!bytes) return std::vector<ResEntry>{};
    return ParseResFile(*bytes).value_or(std::vector<ResEntry>{});
  }();
  return all;
}

// Every recording by name, with its sample rate.
const std::map<std::string, uint32_t>& Recordings() {
  static const std::map<std::string, uint32_t> rates = [] {
    std::map<std::string, uint32_t> r;
    for (int i = 0; i < 20; ++i) r["n" + std::to_string(i)] = 11025;
    for (int t = 2; t <= 9; ++t) r["n" + std::to_string(t * 10)] = 11025;
    for (const char* n : {"n100", "n1000", "million", "HOURS_WAV", "MINUTES_WAV", "SECONDS_WAV",
                          "bonus_wav", "bonus2_wav", "yourscorewas_wav", "explosions_wav",
                          "new_rec_wav", "recordmoves_wav", "goodbye"})
      r[n] = 11025;
    for (const char* n : {"tick_wav", "explode", "soundon", "soundoff", RES_NUCLEAR_EXPLOSION,
                          RES_GOSH_EXPLOSION, RES_SHUCKS_EXPLOSION})
      r[n] = 22050;
    r["deepexpl"] = 8000;
    return r;
  }();
  return rates;
}

bool IsRecordingName(const ResId& id) {
  for (const auto& [name, rate] : Recordings())
    if (IdIsText(id, name)) return true;
  return false;
}

std::string Describe(const ResId& id) {
  return id.isNumber ? "#" + std::to_string(id.number) : id.text;
}

TEST(ResourceFile, HoldsExactlyTheNamedResources) {
  const auto& all = Resources();
  ASSERT_FALSE(all.empty()) << "cannot read " << ZD_RES_FILE;

  for (const char* dialog : {RES_MENU_DIALOG, RES_HIGH_SCORE_DIALOG, RES_NEW_RECORD_DIALOG,
                             RES_BACKGROUND_DIALOG, RES_INSTRUCTIONS_DIALOG})
    EXPECT_NE(FindResource(all, kDialog, dialog), nullptr) << dialog;
  EXPECT_NE(FindResource(all, kMenu, RES_MENU), nullptr);
  EXPECT_NE(FindResource(all, kGroupIcon, RES_GAME_ICON), nullptr);
  EXPECT_NE(FindResource(all, kVersion, uint16_t(1)), nullptr);
  EXPECT_NE(FindResource(all, kManifest, uint16_t(1)), nullptr);
  for (const auto& [name, rate] : Recordings())
    EXPECT_NE(FindResource(all, RES_TYPE_WAVE, name), nullptr) << name;
  for (const char* picture : {RES_CLOCK_PICTURE, RES_TITLE_PICTURE, RES_INSTRUCTIONS_PICTURE})
    EXPECT_NE(FindResource(all, RES_TYPE_PICTURE, picture), nullptr) << picture;

  // Nothing else, and no name twice.
  size_t icons = 0;
  std::set<std::string> seen;
  for (const ResEntry& e : all) {
    std::string key = Describe(e.type) + "/" + Describe(e.name);
    std::transform(key.begin(), key.end(), key.begin(), ::toupper);
    EXPECT_TRUE(seen.insert(key).second) << "twice: " << key;
    if (IdIsNumber(e.type, kIcon)) {
      ++icons;
      continue;
    }
    bool known = IdIsNumber(e.type, kDialog) || IdIsNumber(e.type, kMenu) ||
                 IdIsNumber(e.type, kGroupIcon) || IdIsNumber(e.type, kVersion) ||
                 IdIsNumber(e.type, kManifest) || IdIsText(e.type, RES_TYPE_PICTURE) ||
                 (IdIsText(e.type, RES_TYPE_WAVE) && IsRecordingName(e.name));
    EXPECT_TRUE(known) << "unexpected resource " << key;
  }
  EXPECT_EQ(icons, 3u);
  EXPECT_EQ(all.size(), 5 + 1 + 1 + 3 + 1 + 1 + Recordings().size() + 3);
}

TEST(ResourceFile, StaysWithinTheSizeBudget) {
  size_t total = 0;
  for (const ResEntry& e : Resources()) total += e.data.size();
  EXPECT_GT(total, 0u);
  EXPECT_LT(total, 4u * 1024 * 1024);
}

// --- the menu ------------------------------------------------------------------------

struct Expected {
  int id;  // -1 pop-up, 0 separator
  const char* caption;
  int depth;
};

// VodMenu top to bottom, as the game shows it.
const Expected kMenuItems[] = {
    {-1, "&Play Game", 0},
    {6100, "Start &New Game (Current Layout, Level)", 1},
    {0, "", 1},
    {6001, "Start New &Tiny 16x12 Game", 1},
    {6002, "Start New &Medium 20x16 Game", 1},
    {0, "", 1},
    {6000, "Start New &Miniature 12x8 Game", 1},
    {6003, "Start New &Big 30x24 Game", 1},
    {6004, "Start New &Large 40x30 Game", 1},
    {6005, "Start New &Gigantic 50x40 Game", 1},
    {0, "", 1},
    {-1, "&Choose Explosion Sound Effect", 1},
    {8200, "&Normal Explosion!", 2},
    {8201, "&Nuclear Explosion!", 2},
    {8202, "&Gosh Darn It!", 2},
    {8203, "&Awe Schucks!", 2},
    {212, "&Sound Toggle", 1},
    {121, "&Show Clock Toggle", 1},
    {-1, "Screen &Mode", 1},
    {2101, "&Full Screen Mode", 2},
    {2100, "&Normal Window", 2},
    {2102, "&Reduce Game to Icon", 2},
    {0, "", 1},
    {120, "&Capture Game Screen", 1},
    {209, "Save &Options", 1},
    {108, "E&xit Dazivivo (X)", 1},
    {-1, "Set &Difficulty", 0},
    {0, "", 1},
    {6108, "Medium (1 Bomb per 8 Squares)", 1},
    {6106, "Advanced (1 Bomb per 5 Squares)", 1},
    {0, "", 1},
    {6110, "Easy (1 Bomb per 10 Squares)", 1},
    {6104, "Expert (1 Bomb per 4 Squares)", 1},
    {6103, "Impossible (1 Bomb per 3 Squares)", 1},
    {-1, "Choose Piece &Images", 0},
    {8103, "Rosewood and Flower from Vavazezod", 1},
    {8110, "Hot Electrons", 1},
    {0, "", 1},
    {8100, "Ray-Traced Hot Metal", 1},
    {8101, "3-D Abstract Stone", 1},
    {8102, "Dark Circles From Vavazezod", 1},
    {8104, "Radioactive Glow", 1},
    {8105, "Soft Tubes and Flowers", 1},
    {8106, "Aluminum Shielding", 1},
    {8107, "Mutant Irradiated Faces", 1},
    {8108, "Swirling Vod Meters", 1},
    {8109, "Exploding Arrows", 1},
    {8111, "Exciting Sampler", 1},
    {-1, "&Background", 0},
    {115, "&Open Background Image", 1},
    {0, "", 1},
    {117, "Generate Landscape (Takes a While)", 1},
    {116, "Generate Multi-color Landscape", 1},
    {118, "Generate Banded 3D Fractal", 1},
    {0, "", 1},
    {7020, "", 1},
    {7021, "", 1},
    {7022, "", 1},
    {7023, "", 1},
    {7024, "", 1},
    {7025, "", 1},
    {7026, "", 1},
    {7027, "", 1},
    {7028, "", 1},
    {7029, "", 1},
    {0, "", 1},
    {119, "&Save Current Background Image", 1},
    {-1, "&Help", 0},
    {500, "&How to Play (F1)", 1},
    {505, "&Time Bonuses", 1},
    {506, "&I'm Confused", 1},
    {502, "&About Dazivivo", 1},
};

void Flatten(const std::vector<MenuItem>& items, int depth,
             std::vector<std::pair<const MenuItem*, int>>& out) {
  for (const MenuItem& item : items) {
    out.push_back({&item, depth});
    if (item.isPopup) Flatten(item.items, depth + 1, out);
  }
}

TEST(Menu, HasEveryItemInOrderWithItsIdAndCaption) {
  const ResEntry* menu = FindResource(Resources(), kMenu, RES_MENU);
  ASSERT_NE(menu, nullptr);
  auto items = ParseMenu(menu->data);
  ASSERT_TRUE(items.has_value());
  std::vector<std::pair<const MenuItem*, int>> flat;
  Flatten(*items, 0, flat);
  ASSERT_EQ(flat.size(), std::size(kMenuItems));
  for (size_t i = 0; i < flat.size(); ++i) {
    const MenuItem& got = *flat[i].first;
    const Expected& want = kMenuItems[i];
    SCOPED_TRACE("item " + std::to_string(i) + " \"" + want.caption + "\"");
    EXPECT_EQ(flat[i].second, want.depth);
    EXPECT_EQ(got.isPopup, want.id == -1);
    EXPECT_EQ(got.isSeparator, want.id == 0);
    if (want.id > 0) {
      EXPECT_EQ(got.id, want.id);
    }
    if (want.id != 0) {
      EXPECT_EQ(got.caption, want.caption);
    }
    // No item is checked, greyed or disabled in the resource; the game sets its marks.
    EXPECT_EQ(got.flags & 0x0B, 0);
  }
  // The help pop-up is the last one.
  EXPECT_EQ(items->back().caption, "&Help");
}

TEST(Menu, IdsMatchTheSharedHeader) {
  // The command ranges the dispatcher relies on.
  EXPECT_EQ(CMD_LEVEL_EASY - 6100, 10);
  EXPECT_EQ(CMD_LEVEL_MEDIUM - 6100, 8);
  EXPECT_EQ(CMD_LEVEL_ADVANCED - 6100, 6);
  EXPECT_EQ(CMD_LEVEL_EXPERT - 6100, 4);
  EXPECT_EQ(CMD_LEVEL_IMPOSSIBLE - 6100, 3);
  EXPECT_EQ(CMD_RECENT_BACKGROUND_9 - CMD_RECENT_BACKGROUND_0, 9);
  EXPECT_EQ(CMD_TILESET_LAST - CMD_TILESET_FIRST + 1, 12);
  const char* files[] = TILESET_FILES;
  EXPECT_STREQ(files[CMD_TILESET_ROSEWOOD - CMD_TILESET_FIRST], "rosewood.vod");
  EXPECT_STREQ(files[CMD_TILESET_ELECTRONS - CMD_TILESET_FIRST], "electron.vod");
}

// --- dialog templates ----------------------------------------------------------------

constexpr uint32_t kWsPopup = 0x80000000, kWsVisible = 0x10000000, kWsCaption = 0x00C00000,
                   kWsSysMenu = 0x00080000;
constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82;

DialogTemplate LoadDialog(const char* name) {
  const ResEntry* e = FindResource(Resources(), kDialog, name);
  if (!e) return {};
  return ParseDialog(e->data).value_or(DialogTemplate{});
}

const DialogControl* Control(const DialogTemplate& d, uint16_t id, uint16_t atom) {
  for (const DialogControl& c : d.controls)
    if (c.id == id && c.classAtom == atom) return &c;
  return nullptr;
}
const DialogControl* StaticText(const DialogTemplate& d, const std::string& text) {
  for (const DialogControl& c : d.controls)
    if (c.classAtom == kStatic && c.text == text) return &c;
  return nullptr;
}
bool Inside(const DialogTemplate& d, const DialogControl& c) {
  return c.x >= 0 && c.y >= 0 && c.x + c.cx <= d.cx && c.y + c.cy <= d.cy;
}

TEST(Dialogs, MenuDialogIsABareCaptionlessStrip) {
  DialogTemplate d = LoadDialog(RES_MENU_DIALOG);
  EXPECT_EQ(d.style & (kWsPopup | kWsVisible), kWsPopup | kWsVisible);
  EXPECT_EQ(d.style & kWsCaption, 0u);
  EXPECT_EQ(d.x, 0);
  EXPECT_EQ(d.y, 0);
  EXPECT_EQ(d.cx, 650);
  EXPECT_EQ(d.cy, 0);
  EXPECT_TRUE(d.caption.empty());
  EXPECT_TRUE(d.controls.empty());
}

TEST(Dialogs, HighScoreDialogs) {
  DialogTemplate hs = LoadDialog(RES_HIGH_SCORE_DIALOG);
  EXPECT_EQ(hs.cx, 200);
  EXPECT_EQ(hs.cy, 125);
  EXPECT_NE(hs.style & kWsCaption, 0u);
  DialogTemplate set = LoadDialog(RES_NEW_RECORD_DIALOG);
  EXPECT_EQ(set.cx, 200);
  EXPECT_EQ(set.cy, 118);
  EXPECT_EQ(set.caption, "Enter Your Name:");

  for (const DialogTemplate* d : {&hs, &set}) {
    // Only "Done" ends these dialogs: no close box offers another way out.
    EXPECT_EQ(d->style & kWsSysMenu, 0u);
    const DialogControl* done = Control(*d, 1, kButton);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(done->text, "&Done");
    EXPECT_EQ(done->style & 0xF, 1u);  // BS_DEFPUSHBUTTON
    for (const DialogControl& c : d->controls) EXPECT_TRUE(Inside(*d, c)) << c.id << " " << c.text;
  }

  struct Label {
    const DialogTemplate* d;
    uint16_t id;
    const char* text;
  };
  for (const Label& l :
       {Label{&hs, IDC_LABEL_FIRST, "Best Score: "}, Label{&hs, IDC_LABEL_SECOND, "Your Score: "},
        Label{&set, IDC_LABEL_FIRST, "Old Best Score: "},
        Label{&set, IDC_LABEL_SECOND, "New Best Score: "}}) {
    const DialogControl* c = Control(*l.d, l.id, kStatic);
    ASSERT_NE(c, nullptr) << l.text;
    EXPECT_EQ(c->text, l.text);
    // The longest label the game puts there must fit: "Old Best Perfect Game Score:".
    EXPECT_GE(c->cx, 100) << l.text;
  }
  for (uint16_t id : {IDC_VALUE_FIRST, IDC_VALUE_SECOND, IDC_VALUE_THIRD})
    EXPECT_NE(Control(hs, id, kStatic), nullptr) << id;
  EXPECT_NE(StaticText(hs, "Best Score Holder: "), nullptr);
  EXPECT_NE(StaticText(hs, "Note: Perfect games are scored by time."), nullptr);

  EXPECT_NE(Control(set, IDC_VALUE_FIRST, kStatic), nullptr);
  EXPECT_NE(Control(set, IDC_VALUE_SECOND, kStatic), nullptr);
  const DialogControl* name = Control(set, IDC_NAME_EDIT, kEdit);
  ASSERT_NE(name, nullptr);
  EXPECT_GE(name->cx, 60);  // room for 13 characters
  EXPECT_NE(StaticText(set, "Your Name: "), nullptr);
  EXPECT_NE(StaticText(set,
                       "Special Effect: After clicking 'Done', move the mouse around with the left "
                       "button both pressed and unpressed."),
            nullptr);
}

TEST(Dialogs, BackgroundAndInstructionsDialogs) {
  DialogTemplate bkg = LoadDialog(RES_BACKGROUND_DIALOG);
  EXPECT_EQ(bkg.caption, "Click on a Background:");
  ASSERT_EQ(bkg.controls.size(), 1u);
  EXPECT_EQ(bkg.controls[0].id, IDC_LOAD_BACKGROUND);
  EXPECT_EQ(bkg.controls[0].id, 3002);
  EXPECT_EQ(bkg.controls[0].text, "&Load Background File");
  EXPECT_EQ(bkg.controls[0].style & 0xF, 1u);

  DialogTemplate inst = LoadDialog(RES_INSTRUCTIONS_DIALOG);
  EXPECT_EQ(inst.caption, "Dazivivo Detectors:");
  EXPECT_NE(inst.style & kWsCaption, 0u);
  ASSERT_EQ(inst.controls.size(), 2u);
  const DialogControl* done = Control(inst, 1, kButton);
  const DialogControl* more = Control(inst, 3000, kButton);
  ASSERT_NE(done, nullptr);
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(done->text, "&Done");
  EXPECT_EQ(more->text, "&More Help");
}

// --- icon, version, manifest ---------------------------------------------------------

TEST(ProgramIdentity, IconHas16And32And48PixelImages) {
  const ResEntry* group = FindResource(Resources(), kGroupIcon, RES_GAME_ICON);
  ASSERT_NE(group, nullptr);
  const auto& g = group->data;
  ASSERT_GE(g.size(), 6u);
  uint16_t count = uint16_t(g[4] | g[5] << 8);
  ASSERT_EQ(g.size(), 6u + 14u * count);
  std::set<int> sizes;
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* e = &g[6 + 14 * i];
    int width = e[0] ? e[0] : 256, height = e[1] ? e[1] : 256;
    EXPECT_EQ(width, height);
    sizes.insert(width);
    uint16_t id = uint16_t(e[12] | e[13] << 8);
    const ResEntry* image = FindResource(Resources(), kIcon, id);
    ASSERT_NE(image, nullptr) << "icon image " << id;
    uint32_t bytes = uint32_t(e[8] | e[9] << 8 | e[10] << 16 | uint32_t(e[11]) << 24);
    EXPECT_EQ(image->data.size(), bytes);
    // Each image is a device-independent bitmap of twice its height (colour and mask).
    ASSERT_GE(image->data.size(), 40u);
    const uint8_t* h = image->data.data();
    EXPECT_EQ(h[0] | h[1] << 8, 40);
    EXPECT_EQ(int(h[4] | h[5] << 8), width);
    EXPECT_EQ(int(h[8] | h[9] << 8), 2 * height);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

std::string Utf16Search(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}
bool Contains(const std::vector<uint8_t>& data, const std::string& needle) {
  return std::search(data.begin(), data.end(), needle.begin(), needle.end(),
                     [](uint8_t a, char b) { return a == uint8_t(b); }) != data.end();
}

TEST(ProgramIdentity, VersionAndManifest) {
  const ResEntry* version = FindResource(Resources(), kVersion, uint16_t(1));
  ASSERT_NE(version, nullptr);
  EXPECT_TRUE(Contains(version->data, std::string("\xBD\x04\xEF\xFE", 4)));  // VS_FIXEDFILEINFO
  EXPECT_TRUE(Contains(version->data, Utf16Search("ZERADE95.exe")));
  EXPECT_TRUE(Contains(version->data, Utf16Search("Revaza's Dazivivo")));

  const ResEntry* manifest = FindResource(Resources(), kManifest, uint16_t(1));
  ASSERT_NE(manifest, nullptr);
  std::string text(manifest->data.begin(), manifest->data.end());
  EXPECT_NE(text.find(".Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(text.find("<dpiAware"), std::string::npos);
  EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(text.find("processorArchitecture=\"x86\""), std::string::npos);
}

// --- recordings ----------------------------------------------------------------------

// Milliseconds of near-silence (within 3 steps of the 8-bit midpoint) at each end.
std::pair<double, double> QuietEnds(const std::vector<uint8_t>& wav, const WaveInfo& info) {
  const uint8_t* s = wav.data() + info.dataOffset;
  size_t n = info.dataBytes;
  auto loud = [&](size_t i) { return std::abs(int(s[i]) - 128) > 3; };
  size_t first = 0;
  while (first < n && !loud(first)) ++first;
  size_t last = n;
  while (last > first && !loud(last - 1)) --last;
  return {1000.0 * first / info.sampleRate, 1000.0 * (n - last) / info.sampleRate};
}

TEST(Recordings, AreEightBitMonoPcmAtTheirRates) {
  for (const auto& [name, rate] : Recordings()) {
    SCOPED_TRACE(name);
    const ResEntry* e = FindResource(Resources(), RES_TYPE_WAVE, name);
    ASSERT_NE(e, nullptr);
    auto info = ReadWaveInfo(e->data);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->format, 1);  // PCM
    EXPECT_EQ(info->channels, 1);
    EXPECT_EQ(info->bitsPerSample, 8);
    EXPECT_EQ(info->blockAlign, 1);
    EXPECT_EQ(info->sampleRate, rate);
    EXPECT_EQ(info->byteRate, rate);
    double seconds = double(info->dataBytes) / rate;
    EXPECT_GT(seconds, 0.02);
    EXPECT_LT(seconds, 4.0);
    // Not silent: the recording reaches well beyond the quantisation noise.
    const uint8_t* s = e->data.data() + info->dataOffset;
    int peak = 0;
    for (uint32_t i = 0; i < info->dataBytes; ++i) peak = std::max(peak, std::abs(int(s[i]) - 128));
    EXPECT_GT(peak, 64);
  }
}

TEST(Recordings, TickIsShortAndWordsAreTrimmed) {
  const ResEntry* tick = FindResource(Resources(), RES_TYPE_WAVE, "tick_wav");
  ASSERT_NE(tick, nullptr);
  auto info = ReadWaveInfo(tick->data);
  ASSERT_TRUE(info.has_value());
  EXPECT_LT(1000.0 * info->dataBytes / info->sampleRate, 60.0);

  // Spoken words start and end on the voice, so that numbers run together.
  std::vector<std::string> words;
  for (const auto& [name, rate] : Recordings())
    if ((name[0] == 'n' && std::isdigit(uint8_t(name[1]))) || name == "million" ||
        name.find("_WAV") != std::string::npos || name == "explosions_wav" ||
        name == "yourscorewas_wav" || name == "recordmoves_wav" || name == "new_rec_wav")
      words.push_back(name);
  EXPECT_EQ(words.size(),
            20u + 8u + 3u + 3u + 4u);  // units, tens, 100/1000/million, time words, phrases
  for (const std::string& name : words) {
    SCOPED_TRACE(name);
    const ResEntry* e = FindResource(Resources(), RES_TYPE_WAVE, name);
    ASSERT_NE(e, nullptr);
    auto w = ReadWaveInfo(e->data);
    ASSERT_TRUE(w.has_value());
    auto [lead, tail] = QuietEnds(e->data, *w);
    EXPECT_LT(lead, 50.0);
    EXPECT_LT(tail, 120.0);
    EXPECT_LT(double(w->dataBytes) / w->sampleRate, 1.2);
  }
}

// --- pictures ------------------------------------------------------------------------

TEST(Pictures, ClockFaceIsA96PixelRgbTiffWithBlackSurround) {
  const ResEntry* e = FindResource(Resources(), RES_TYPE_PICTURE, RES_CLOCK_PICTURE);
  ASSERT_NE(e, nullptr);
  auto info = ReadTiffInfo(e->data);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->width, 96u);
  EXPECT_EQ(info->height, 96u);
  EXPECT_EQ(info->samplesPerPixel, 3u);
  EXPECT_EQ(info->bitsPerSample, 8u);
  EXPECT_EQ(info->photometric, 2u);  // RGB
  auto rgb = ReadTiffRgb(e->data);
  ASSERT_TRUE(rgb.has_value());
  auto black = [&](int x, int y) {
    const uint8_t* p = &(*rgb)[(size_t(y) * 96 + x) * 3];
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
  };
  // Corners are transparent; nothing on the dial is, or the background would show
  // through holes in the face.
  for (auto [x, y] : {std::pair{0, 0}, {95, 0}, {0, 95}, {95, 95}, {4, 4}, {91, 91}})
    EXPECT_TRUE(black(x, y));
  int holes = 0;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) {
      double dx = x + 0.5 - 48, dy = y + 0.5 - 48;
      if (dx * dx + dy * dy < 44.0 * 44.0 && black(x, y)) ++holes;
    }
  EXPECT_EQ(holes, 0);
}

TEST(Pictures, TitleAndInstructionsHaveTheirSizes) {
  struct Want {
    const char* name;
    uint32_t w, h;
  };
  for (const Want& want :
       {Want{RES_TITLE_PICTURE, 340, 320}, Want{RES_INSTRUCTIONS_PICTURE, 360, 320}}) {
    const ResEntry* e = FindResource(Resources(), RES_TYPE_PICTURE, want.name);
    ASSERT_NE(e, nullptr) << want.name;
    auto png = ReadPngInfo(e->data);
    ASSERT_TRUE(png.has_value()) << want.name;
    EXPECT_EQ(png->width, want.w) << want.name;
    EXPECT_EQ(png->height, want.h) << want.name;
    EXPECT_EQ(png->bitDepth, 8) << want.name;
    EXPECT_EQ(png->colourType, 2) << want.name;  // RGB without alpha
  }
}

}  // namespace
