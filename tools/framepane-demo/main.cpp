// Calls the video playback library the way an outside program does: loads it
// at run time, fills the capture format and the compression settings and
// hands them to Display as 28 words.

#include "framepane/DisplayWords.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using DisplayFunction = void (*)(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                 uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                 uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                 uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);

const char* const kUsage =
    "usage: framepane-demo [--camera[=N]] [--handler FOURCC] [--quality 0..10000] [--raw]\n"
    "                      [--size WxH] [--bits 16|24|32] [--library PATH]\n"
    "Shows the test picture (or camera N, 0 the default) after a round trip through the codec\n"
    "FOURCC (MJPG unless told); --raw passes no codec handle, so nothing is compressed.\n";

// The library beside the program in a build (bin/ and lib/), else wherever the loader finds it.
std::string defaultLibrary()
{
    const std::filesystem::path beside =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "lib" /
        "libframepane.so";
    return std::filesystem::exists(beside) ? beside.string() : "libframepane.so";
}

} // namespace

int main(int argc, char** argv)
{
    DisplayWords display =
        codecDisplayWords(kTestPictureSource, 640, 480, makeFourcc('M', 'J', 'P', 'G'), 7500);
    display.compression.lKey = 15;
    std::string library = defaultLibrary();

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--camera" || option.starts_with("--camera=")) {
            display.source = option == "--camera" ? 0 : uint32_t(std::atoi(option.c_str() + 9));
        } else if (option == "--handler" && hasValue && std::string(argv[i + 1]).size() == 4) {
            const std::string fourcc = argv[++i];
            display.compression.fccHandler = makeFourcc(fourcc[0], fourcc[1], fourcc[2], fourcc[3]);
        } else if (option == "--quality" && hasValue) {
            display.compression.lQ = std::atoi(argv[++i]);
        } else if (option == "--raw") {
            display.compression.hic = 0;
        } else if (option == "--size" && hasValue &&
                   std::sscanf(argv[i + 1], "%dx%d", &display.format.width, &display.format.height) == 2) {
            ++i;
        } else if (option == "--bits" && hasValue) {
            display.format.bitCount = uint16_t(std::atoi(argv[++i]));
        } else if (option == "--library" && hasValue) {
            library = argv[++i];
        } else {
            std::fputs(kUsage, option == "--help" ? stdout : stderr);
            return option == "--help" ? 0 : 2;
        }
    }
    display.format.sizeImage =
        uint32_t(display.format.width * display.format.height * display.format.bitCount / 8);

    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "framepane-demo: %s\n", dlerror());
        return 1;
    }
    auto show = reinterpret_cast<DisplayFunction>(dlsym(handle, "Display"));
    if (!show) {
        std::fprintf(stderr, "framepane-demo: %s\n", dlerror());
        return 1;
    }
    const DisplayWordArray w = packDisplayWords(display);
    show(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11], w[12], w[13], w[14], w[15],
         w[16], w[17], w[18], w[19], w[20], w[21], w[22], w[23], w[24], w[25], w[26], w[27]);
    // Not unloaded: Qt, loaded with the library, tidies up at exit.
    return 0;
}
