// galewarden-builtin-pictures OUTPUT: draws the six built-in signal pictures and writes them
// as a C++ source defining builtinPicturePng, so that no process pays for drawing them.
#include <cstdio>
#include <fstream>
#include <string>

#include "core/alerts/pictures/BuiltinPictureArt.h"

namespace {

void writeBytes(std::ofstream& out, const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out << (i % 20 == 0 ? "\n    " : " ")
            << static_cast<unsigned>(static_cast<unsigned char>(bytes[i])) << ',';
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: galewarden-builtin-pictures OUTPUT\n", stderr);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// Written by galewarden-builtin-pictures; the pictures are drawn in "
           "BuiltinPictureArt.cpp.\n"
           "#include \"core/alerts/pictures/BuiltinPictures.h\"\n\n"
           "namespace galewarden {\nnamespace {\n";
    for (int number = 0; number < galewarden::kBuiltinPictureCount; ++number) {
        const std::string png = galewarden::drawBuiltinPicture(number);
        if (png.empty()) {
            std::fprintf(stderr, "galewarden-builtin-pictures: picture %d not drawn\n", number);
            return 1;
        }
        out << "\nconstexpr unsigned char kPicture" << number << "[] = {";
        writeBytes(out, png);
        out << "\n};\n";
    }
    out << "\n}  // namespace\n\nstd::string_view builtinPicturePng(int colourNumber) {\n"
           "    switch (colourNumber) {\n";
    for (int number = 1; number < galewarden::kBuiltinPictureCount; ++number) {
        out << "        case " << number
            << ":\n            return {reinterpret_cast<const char*>(kPicture" << number
            << "), sizeof kPicture" << number << "};\n";
    }
    out << "        default:\n            return {reinterpret_cast<const char*>(kPicture0), "
           "sizeof kPicture0};\n    }\n}\n\n}  // namespace galewarden\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "galewarden-builtin-pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
