// Identifiers shared by the resource script zerade95.rc and the game's code: the menu
// command ids of VodMenu, the control ids of the dialog templates, and (for C++ only)
// the names under which the program's resources and data files are found.
#ifndef ZD_RESOURCE_H
#define ZD_RESOURCE_H

// Play Game
#define CMD_START_NEW_GAME 6100
#define CMD_LAYOUT_12X8 6000
#define CMD_LAYOUT_16X12 6001
#define CMD_LAYOUT_20X16 6002
#define CMD_LAYOUT_30X24 6003
#define CMD_LAYOUT_40X30 6004
#define CMD_LAYOUT_50X40 6005
#define CMD_EXPLOSION_NORMAL 8200
#define CMD_EXPLOSION_NUCLEAR 8201
#define CMD_EXPLOSION_GOSH 8202
#define CMD_EXPLOSION_SHUCKS 8203
#define CMD_SOUND_TOGGLE 212
#define CMD_CLOCK_TOGGLE 121
#define CMD_NORMAL_WINDOW 2100
#define CMD_FULL_SCREEN 2101
#define CMD_REDUCE_TO_ICON 2102
#define CMD_CAPTURE_SCREEN 120
#define CMD_SAVE_OPTIONS 209
#define CMD_EXIT 108

// Set Difficulty: id - 6100 = squares per bomb
#define CMD_LEVEL_IMPOSSIBLE 6103
#define CMD_LEVEL_EXPERT 6104
#define CMD_LEVEL_ADVANCED 6106
#define CMD_LEVEL_MEDIUM 6108
#define CMD_LEVEL_EASY 6110

// Choose Piece Images
#define CMD_TILESET_METAL 8100
#define CMD_TILESET_STONE 8101
#define CMD_TILESET_CIRCLES 8102
#define CMD_TILESET_ROSEWOOD 8103
#define CMD_TILESET_GLOW 8104
#define CMD_TILESET_TUBES 8105
#define CMD_TILESET_ALUMINUM 8106
#define CMD_TILESET_FACES 8107
#define CMD_TILESET_METERS 8108
#define CMD_TILESET_ARROWS 8109
#define CMD_TILESET_ELECTRONS 8110
#define CMD_TILESET_SAMPLER 8111
#define CMD_TILESET_FIRST 8100
#define CMD_TILESET_LAST 8111

// Background
#define CMD_OPEN_BACKGROUND 115
#define CMD_GENERATE_MULTICOLOR 116
#define CMD_GENERATE_LANDSCAPE 117
#define CMD_GENERATE_BANDED 118
#define CMD_SAVE_BACKGROUND 119
#define CMD_RECENT_FIRST 7000         // list k entry i is 7000 + 20 * k + i
#define CMD_RECENT_BACKGROUND_0 7020  // the ten entries are 7020..7029
#define CMD_RECENT_BACKGROUND_9 7029

// Help
#define CMD_HOW_TO_PLAY 500
#define CMD_ABOUT 502
#define CMD_TIME_BONUSES 505
#define CMD_CONFUSED 506

// Controls. The high-score dialogs label their rows 3100 and 3101 and show the values
// in 3000.. ; the new-record dialog's name box, the background dialog's load button and
// the instructions dialog's "More Help" button reuse the low ids.
#define IDC_VALUE_FIRST 3000
#define IDC_VALUE_SECOND 3001
#define IDC_VALUE_THIRD 3002
#define IDC_LABEL_FIRST 3100
#define IDC_LABEL_SECOND 3101
#define IDC_NAME_EDIT 3002
#define IDC_LOAD_BACKGROUND 3002
#define IDC_MORE_HELP 3000

#ifndef RC_INVOKED
// Resource names; the resource loader compares them without regard to case.
#define RES_MENU "VodMenu"
#define RES_MENU_DIALOG "MenuDialog"
#define RES_HIGH_SCORE_DIALOG "VodHSDialog"
#define RES_NEW_RECORD_DIALOG "VodSetHSDialog"
#define RES_BACKGROUND_DIALOG "ChooseBkgDialog"
#define RES_INSTRUCTIONS_DIALOG "BombInstDialog"
#define RES_GAME_ICON "gmicon"
#define RES_TYPE_WAVE "WAVE"
#define RES_TYPE_PICTURE "TEXT"
#define RES_CLOCK_PICTURE "clock"
#define RES_TITLE_PICTURE "egg2"
#define RES_INSTRUCTIONS_PICTURE "BombInst"
// Recordings of the three further explosion sounds (commands 8201..8203).
#define RES_NUCLEAR_EXPLOSION "nuclear_wav"
#define RES_GOSH_EXPLOSION "goshdarn_wav"
#define RES_SHUCKS_EXPLOSION "aweshucks_wav"

// Piece image set files, in command order 8100..8111, found in the data folder.
#define TILESET_FILES                                                                             \
  {                                                                                               \
    "metal.vod", "stone.vod", "circles.vod", "rosewood.vod", "glow.vod", "tubes.vod", "alum.vod", \
        "faces.vod", "meters.vod", "arrows.vod", "electron.vod", "sampler.vod"                    \
  }
#define DEFAULT_TILESET_FILE "rosewood.vod"
#define DEFAULT_BACKGROUND_FILE "PLANET_R.BKG"
#endif

#endif
