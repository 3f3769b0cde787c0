// Settings files with many labels, or very big ones, for the desktop tests and the benchmarks.
#pragma once

#include <string>

namespace desktop {

// A later run's settings whose label list holds count labels of the given size, each on a row of
// its own (rowStep twips apart), each showing the time to the second.
inline std::string SettingsWithLabels(int count, int size, int rowStep) {
    std::string text = "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n[Labels]\n";
    for (int i = 0; i < count; ++i) text += "K" + std::to_string(i) + "=Label " + std::to_string(i) + "\n";
    for (int i = 0; i < count; ++i) {
        text += "[ZTVLBL: Label " + std::to_string(i) + "]\n";
        text += "X=0\nY=" + std::to_string(i * rowStep) + "\nFace=Arial\nSize=" + std::to_string(size) +
                "\nBold=400\nItalic=0\nUnderline=0\nStrikeOut=0\nBack=16777215\nFore=0\nSpawnString=achh:mm:ss\nVisible=1\n";
    }
    return text;
}

}  // namespace desktop
