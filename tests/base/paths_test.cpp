#include <gtest/gtest.h>

#include <cstdlib>

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "support/temp_folder.h"

using testing_support::TempFolder;

TEST(PathResolver, MatchesEachComponentIgnoringCase) {
    TempFolder t;
    t.write("DOCUM/FRMK/A.FRM", "x");
    t.write("SIM.DBF", "");
    EXPECT_EQ(base::resolvePath(t.path() + "docum\\frmk\\a.frm"), t.path() + "DOCUM/FRMK/A.FRM");
    EXPECT_EQ(base::resolvePath(t.path() + "sim.dbf"), t.path() + "SIM.DBF");
    // A file yet to be created keeps its name; the folders before it still match.
    EXPECT_EQ(base::resolvePath(t.path() + "Docum\\Frmk\\new.frm"), t.path() + "DOCUM/FRMK/new.frm");
}

TEST(PathResolver, CyrillicNamesAreNativeUtf8) {
    TempFolder t;
    t.write("Приказы/Отчет.txt", "x");
    EXPECT_EQ(base::resolvePath(t.path() + "ПРИКАЗЫ\\ОТЧЕТ.TXT"_cp), t.path() + "Приказы/Отчет.txt");
    EXPECT_TRUE(base::fileExists(t.path() + "приказы/отчет.txt"_cp));
}

TEST(PathResolver, ProgramDriveIsTheHomeFolder) {
    TempFolder t;
    t.write("KADRY/DAT/x", "");
    const std::string saved = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", t.path().c_str(), 1);
    EXPECT_EQ(base::resolvePath("C:\\kadry\\dat\\"), t.path() + "KADRY/DAT/");
    ::setenv("HOME", saved.c_str(), 1);
}

TEST(FileOps, CopyRenameRemoveList) {
    TempFolder t;
    t.write("A.DBF", "abc");
    t.write("b.dbf", "d");
    t.write("C.TXT", "e");
    ASSERT_TRUE(base::copyFile(t.path() + "a.dbf", t.path() + "D.DBF").isOk());
    EXPECT_EQ(t.read("D.DBF"), "abc");
    ASSERT_TRUE(base::renameFile(t.path() + "d.dbf", t.path() + "E.DBF").isOk());
    EXPECT_FALSE(base::fileExists(t.path() + "D.DBF"));
    EXPECT_EQ(base::listFiles(t.path(), "*.DBF"), (std::vector<std::string>{"A.DBF", "E.DBF", "b.dbf"}));
    EXPECT_EQ(base::listFiles(t.path(), "?.txt"), (std::vector<std::string>{"C.TXT"}));
    EXPECT_TRUE(base::removeFile(t.path() + "e.dbf").isOk());
    EXPECT_TRUE(base::removeFile(t.path() + "missing.dbf").isOk());
    EXPECT_EQ(base::copyFile(t.path() + "missing", t.path() + "x").code(), base::Status::Code::NotFound);
}

TEST(FileOps, MaskMatching) {
    EXPECT_TRUE(base::matchesMask("T122026.DBF", "T??????.DBF"));
    EXPECT_TRUE(base::matchesMask("pri_12.dbf", "PRI_*.DBF"));
    EXPECT_FALSE(base::matchesMask("PRI_12.DBT", "PRI_*.DBF"));
    EXPECT_TRUE(base::matchesMask("anything", "*"));
}

TEST(FileOps, AtomicWriteReplacesWhole) {
    TempFolder t;
    t.write("setup.sdc", "old");
    ASSERT_TRUE(base::writeFileAtomic(t.path() + "SETUP.SDC", "new content").isOk());
    EXPECT_EQ(t.read("setup.sdc"), "new content");
    EXPECT_EQ(*base::readFile(t.path() + "setup.sdc"), "new content");
}
