// Finds the installed font file that best stands for a requested face, weight and slant
// (through fontconfig, so "Arial" resolves to its metric twin Liberation Sans and an unknown
// face to the system's default sans face).
#pragma once

#include <string>

namespace platform::draw {

struct FontMatch {
    std::string file;
    int index = 0;        // face index inside the file
    std::string family;   // the family that was found
    bool embolden = false;  // the file is lighter than asked: draw it bolder
    bool oblique = false;   // the file is upright but italic was asked: slant it
    bool found() const { return !file.empty(); }
};

// weight as in CreateFont (0 counts as 400). Results are cached.
FontMatch MatchFontFace(const std::string& face, int weight, bool italic);

}  // namespace platform::draw
