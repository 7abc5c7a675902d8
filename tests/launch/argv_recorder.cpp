// A tiny program for the launching tests: it writes every argument it was given, each followed
// by a NUL byte, into the file named by ZORVANE_ARGV_FILE (first under a temporary name, then
// renamed, so that a reader never sees a half-written file).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const char* target = std::getenv("ZORVANE_ARGV_FILE");
    if (target == nullptr || *target == '\0')
        return 2;
    const std::string partial = std::string(target) + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (out == nullptr)
        return 3;
    for (int i = 1; i < argc; ++i)
        std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out);
    if (std::fclose(out) != 0)
        return 4;
    return std::rename(partial.c_str(), target) == 0 ? 0 : 5;
}
