#include "platform/services/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/platform/services/temp_folder.h"

using platform::MapPath;
using platform::ProgramFolder;

TEST(ProgramFolder, DefaultsToTheExecutablesFolderAndCanBeReplaced) {
    platform::SetProgramFolder("");
    EXPECT_TRUE(std::filesystem::exists(ProgramFolder() + "/test_platform")) << ProgramFolder();
    const std::string executableFolder = ProgramFolder();

    platform::SetProgramFolder("/opt/ozr/");
    EXPECT_EQ(ProgramFolder(), "/opt/ozr");
    platform::SetProgramFolder("");
    EXPECT_EQ(ProgramFolder(), executableFolder);
}

TEST(MapPath, ClockPathsAreRelativeToTheProgramFolderWhateverTheirForm) {
    TempProgramFolder folder;
    const std::string root = folder.Path();
    struct Case {
        std::string clockPath;
        std::string real;
    } cases[] = {
        {"\\Settings.ozrini", root + "/Settings.ozrini"},
        {"Settings.ozrini", root + "/Settings.ozrini"},
        {"\\Alarms\\Sounds\\Ring.wav", root + "/Alarms/Sounds/Ring.wav"},
        {root + "\\!debug.dump", root + "/!debug.dump"},
        {root + "/System\\Lang\\000English.ozrini", root + "/System/Lang/000English.ozrini"},
        {"\\.\\Chest\\\\Hall Of Fame.richtext", root + "/Chest/Hall Of Fame.richtext"},
        {"\\Alarms\\Sounds\\", root + "/Alarms/Sounds/"},
        {"", root},
    };
    for (const Case& c : cases) EXPECT_EQ(MapPath(c.clockPath), c.real) << c.clockPath;
}

TEST(MapPath, NamesThatDoNotExistAsWrittenAreFoundWithoutRegardToCase) {
    TempProgramFolder folder;
    folder.Write("alarms/SOUNDS/ring.WAV", "x");
    folder.Write("System/Lang/000English.ozrini", "x");
    folder.Write("System/lang/other.ozrini", "x");
    const std::string root = folder.Path();

    EXPECT_EQ(MapPath("\\Alarms\\Sounds\\Ring.wav"), root + "/alarms/SOUNDS/ring.WAV");
    // An exact match wins over a folder that differs only in case.
    EXPECT_EQ(MapPath("\\System\\Lang\\000English.ozrini"), root + "/System/Lang/000English.ozrini");
    EXPECT_EQ(MapPath("\\system\\lang\\other.ozrini"), root + "/System/lang/other.ozrini");
    // A missing name keeps its case, and so does everything after it.
    EXPECT_EQ(MapPath("\\ALARMS\\Icons\\Bell.ICO"), root + "/alarms/Icons/Bell.ICO");
    EXPECT_EQ(MapPath("\\Alarms\\MyAlarms.ozrini"), root + "/alarms/MyAlarms.ozrini");
}

TEST(MapPath, AmongSeveralCaseVariantsTheFirstInByteOrderIsTaken) {
    TempProgramFolder folder;
    folder.Write("readme.txt", "a");
    folder.Write("README.txt", "b");
    EXPECT_EQ(MapPath("\\ReadMe.txt"), folder.Path() + "/README.txt");
}
