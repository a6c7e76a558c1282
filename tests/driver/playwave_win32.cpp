// playwave.exe FILE.wav...: plays each RIFF/WAVE file from memory with sndPlaySoundA to its
// end, one after the other, as the game plays its recordings. Prints, per file, whether it
// played and how long the call took. Exit code 0 when all played, 1 when one did not.

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <vector>

static std::vector<char> ReadWhole(const char* path) {
  std::vector<char> data;
  FILE* in = fopen(path, "rb");
  if (!in) return data;
  char chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, in)) > 0) data.insert(data.end(), chunk, chunk + n);
  fclose(in);
  return data;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  // Read everything first, so the calls follow one another as closely as the game's.
  std::vector<std::vector<char>> files;
  for (int i = 1; i < argc; ++i) files.push_back(ReadWhole(argv[i]));
  int result = 0;
  for (const std::vector<char>& data : files) {
    DWORD start = GetTickCount();
    BOOL played =
        !data.empty() && sndPlaySoundA(data.data(), SND_MEMORY | SND_SYNC | SND_NODEFAULT);
    printf("%d\t%lu\n", played ? 1 : 0, static_cast<unsigned long>(GetTickCount() - start));
    if (!played) result = 1;
  }
  return result;
}
