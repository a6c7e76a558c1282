// playwave.exe FILE.wav: plays a RIFF/WAVE file from memory with sndPlaySoundA to its
// end, as the game plays its recordings. Exit code 0 when it played, 1 when it did not.

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    FILE* in = fopen(argv[1], "rb");
    if (!in)
        return 1;
    std::vector<char> data;
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, in)) > 0)
        data.insert(data.end(), chunk, chunk + n);
    fclose(in);
    DWORD start = GetTickCount();
    BOOL played = sndPlaySoundA(data.data(), SND_MEMORY | SND_SYNC | SND_NODEFAULT);
    printf("%d\t%lu\n", played ? 1 : 0, static_cast<unsigned long>(GetTickCount() - start));
    return played ? 0 : 1;
}
