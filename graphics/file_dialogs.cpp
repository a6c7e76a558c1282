// file_dialogs.cpp - the filter texts as the common dialogs read them.
#include "file_dialogs.h"

std::string DialogFilterText(const char* text) {
  std::string filter = text;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  return filter;
}
