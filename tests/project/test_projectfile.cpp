// SPDX-License-Identifier: GPL-3.0-or-later
// The project data file: exact bytes, names, hand-edited layouts, and one
// table of faults: damaged files, things that are not a file, refused names
// and values, and real file systems that refuse a save (small tmpfs mounts
// in a private mount namespace, skipped where mounting is not allowed).
#include "hydraulics/errors.h"
#include "project/nearname.h"
#include "project/projectfile.h"

#include <clocale>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using hydraulics::ErrorKind;
using project::ProjectValues;

namespace {

const ProjectValues kOld{9, 8, 7, 6, 5, 4, 3, 2};
const ProjectValues kNew{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Spill(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every entry of the current folder with the bytes of each regular file.
std::map<std::string, std::string> Folder() {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator("."))
        entries[entry.path().filename().string()] =
            fs::is_regular_file(fs::status(entry.path())) ? Slurp(entry.path()) : "(not a file)";
    return entries;
}

// A private copy of the mount table, so that test mounts are seen by nobody
// else and vanish with the process.
bool PrivateMounts() {
    static const bool entered = ::unshare(CLONE_NEWNS) == 0 &&
                                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return entered;
}

// Each test runs in a fresh, empty current folder.
class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(home_);
        while (mounts_ > 0 && ::umount2(dir_.c_str(), MNT_DETACH) == 0)
            --mounts_;
        fs::remove_all(dir_);
    }
    // A fresh tmpfs over the test folder, entered.
    bool MountTmpfs(const char* options) {
        if (!PrivateMounts() || ::mount("ambrelo-test", dir_.c_str(), "tmpfs", 0, options) != 0)
            return false;
        ++mounts_;
        fs::current_path(dir_);
        return true;
    }
    const fs::path home_ = fs::current_path();
    const fs::path dir_ =
        fs::temp_directory_path() / ("ambrelo-pf-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    int mounts_ = 0;
};

// The exact record under names taken as typed (a leading blank, none at all,
// folder parts, 255 bytes with "us.dat" although a temporary file beside it
// needs more), and awkward values that read back to the bit; with a period
// also where the C library's numeric locale (which the desktop program takes
// from the system) has a decimal comma.
TEST_F(ProjectFile, ExactBytesNamesAndRoundTrips) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // where installed
    fs::create_directory("sub");
    for (const std::string& name : {std::string(" 渡槽"), std::string(), std::string("sub/a"),
                                    std::string("./sub/../b"), std::string(249, 'n')}) {
        project::WriteProjectFile(name, kNew);
        EXPECT_EQ(Slurp(name + "us.dat"), "4,100,1.5,1000,1,0.014,0.25,0.4\r\n") << name;
        EXPECT_EQ(project::ReadProjectFile(name), kNew);
    }
    EXPECT_EQ(Folder().size(), 5u); // no temporary file left
    // Each number in the shortest form that reads back to the same single.
    const ProjectValues awkward{1.912109375f, 999.9999f, 1e-5f, -0.0123f,
                                3.402823e38f, FLT_MAX,   0,     -0.0f};
    project::WriteProjectFile("p", awkward);
    EXPECT_EQ(project::ReadProjectFile("p"), awkward);
    EXPECT_EQ(Slurp("pus.dat"),
              "1.9121094,999.9999,1E-05,-0.0123,3.402823E+38,3.4028235E+38,0,0\r\n");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST_F(ProjectFile, FaultsNameTheFileAndLeaveTheFolderAsItWas) {
    ProjectValues infinite = kNew;
    infinite[4] = std::numeric_limits<float>::infinity();
    const auto content = [](std::string bytes) { return [=] { Spill("dus.dat", bytes); }; };
    const std::function<void()> none, unfill = [] { fs::remove("filler"); },
                                      pipe = [] { ASSERT_EQ(::mkfifo("qus.dat", 0600), 0); };
    const auto folder = [] { fs::create_directory("fus.dat"); };
    const auto fill = [] {
        std::ofstream filler("filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()))
            filler.flush();
    };
    const auto readOnly = [this] {
        ASSERT_EQ(::mount(0, dir_.c_str(), 0, MS_REMOUNT | MS_RDONLY, 0), 0);
    };
    const auto bindFull = [] { ASSERT_EQ(::mount("/dev/full", "pus.dat", 0, MS_BIND, 0), 0); };
    const auto unbind = [] { ASSERT_EQ(::umount2("pus.dat", 0), 0); };
    const bool R = false, W = true;
    const ProjectValues hand{1, 2, 3.5f, -4, 5e-6f, 6, 7, 8};
    using enum ErrorKind;
    const std::string nul("pus.dat\0x", 9); // up to the NUL, the saved project's file
    // clang-format off
    struct Fault {
        const char* tmpfs; // mount options; nullptr: no file-system fault
        std::string project;
        bool write;
        std::optional<ErrorKind> kind; // nullopt: succeeds
        std::string detail;
        std::function<void()> arrange, clear = {};
        ProjectValues values = kNew;
    } const faults[] = {
        // Hand-edited layouts that read: no line end, blanks, blank lines, lone CR, a byte-order
        // mark, anything after the eighth number.
        {0, "d", R, std::nullopt, "", content("1,2,3.5,-4,5e-6,6,7,8"), none, hand},
        {0, "d", R, std::nullopt, "", content(" 1 ,\t2, 3.50 ,-4 , 5E-06,6,7,8  \n"), none, hand},
        {0, "d", R, std::nullopt, "", content("\r\n1,2,3.5,-4\r\n\r\n5E-06,6,7,8\r"), none, hand},
        {0, "d", R, std::nullopt, "", content("\xEF\xBB\xBF+1,2.,3.5,-4,.000005,6,7,8\r\n"), none, hand},
        {0, "d", R, std::nullopt, "", content("1,2,3.5,-4,5E-06,6,7,8,9,junk\r\nmore"), none, hand},
        {0, "无", R, FileNotFound, (dir_ / "无us.dat").string(), none}, // where it was looked for
        {0, "d", R, PastEndOfFile, "只有 7 个数", content("1,2,3,4,5,6,7\r\n")},
        {0, "d", R, PastEndOfFile, "只有 0 个数", content("")},
        {0, "d", R, TypeMismatch, "第 3 个数", content("1,2,abc,4,5,6,7,8")},
        {0, "d", R, TypeMismatch, "第 2 个数", content("1,\r\n2,3,4,5,6,7,8")},
        {0, "d", R, TypeMismatch, "第 8 个数", content("1,2,3,4,5,6,7,inf")},
        {0, "d", R, Overflow, "第 8 个数", content("1,2,3,4,5,6,7,1E39")},
        {0, "d", R, TypeMismatch, "第 3 个数", content("1,2,3" + std::string(8 << 20, ' ') + ",4,5,6,7,8")},
        // Not a file: opening would wait for ever, never end, or fail late.
        {0, "q", R, FileAccess, "不是普通文件", pipe},
        {0, "z", R, FileAccess, "不是普通文件", [] { fs::create_symlink("/dev/zero", "zus.dat"); }},
        {0, "f", R, FileAccess, "", folder},
        {0, nul, R, FileAccess, "", none},
        {0, "f", W, FileAccess, "无法创建", folder},
        {0, "q", W, std::nullopt, "", pipe}, // a named pipe is replaced, never opened
        {0, "no-such-folder/p", W, FileAccess, "无法创建", none},
        {0, "p", W, FileAccess, "第 5 个数", none, none, infinite},
        {0, std::string(250, 'n'), W, FileAccess, "", none}, // a 256-byte file name
        {0, nul, W, FileAccess, "", none},
        {"size=16k", "p", W, FileAccess, "", fill, unfill}, // a full device
        {"size=16k", "新项目", W, FileAccess, "", fill, unfill},
        {"nr_inodes=2", "p", W, FileAccess, "", none},
        {"size=64k", "p", W, FileAccess, "", readOnly},
        // Written in full to the temporary file, which cannot replace a mount point.
        {"size=64k", "p", W, FileAccess, "", bindFull, unbind}};
    // clang-format on
    for (const Fault& f : faults) {
        SCOPED_TRACE("row " + std::to_string(&f - faults) + ", " + f.project.substr(0, 20));
        TearDown();
        SetUp();
        if (f.tmpfs && !MountTmpfs(f.tmpfs)) {
            std::cout << "[ SKIPPED  ] " << f.tmpfs << ": cannot mount file systems here\n";
            continue;
        }
        project::WriteProjectFile("p", kOld);
        if (f.arrange)
            f.arrange();
        const auto before = Folder();
        const std::string fileName = project::ProjectFileName(f.project);
        try {
            if (f.write)
                project::WriteProjectFile(f.project, f.values);
            EXPECT_EQ(project::ReadProjectFile(f.project), f.values);
            EXPECT_FALSE(f.kind) << "no failure";
            continue;
        } catch (const hydraulics::CalcError& e) {
            EXPECT_EQ(e.kind(), f.kind) << e.message();
            EXPECT_EQ(e.subject(), fileName);
            EXPECT_NE(e.message().find(f.detail), std::string::npos) << e.message();
        }
        EXPECT_EQ(Folder(), before);
        if (f.clear) {
            f.clear();
            EXPECT_EQ(project::ReadProjectFile("p"), kOld);
            project::WriteProjectFile(f.project, kNew);
            EXPECT_EQ(project::ReadProjectFile(f.project), kNew);
        }
    }
}

// A name differing only by blanks before or after it is found again; the
// name's own file, when there, wins, and a folder typed before it stays.
TEST_F(ProjectFile, NearNamesDifferOnlyByBlanksAroundTheName) {
    for (const char* saved : {" p1", "p1\t", "\u3000p1", "p12", "sub/ q"}) {
        fs::create_directories("sub");
        project::WriteProjectFile(saved, kOld);
    }
    using Near = std::pair<const char*, std::optional<std::string>>;
    for (const auto& [typed, near] :
         {Near{"p1", " p1"}, Near{" p1 ", " p1"}, Near{" p1", std::nullopt},
          Near{"p12", std::nullopt}, Near{"p2", std::nullopt}, Near{"sub/q", "sub/ q"},
          Near{"q", std::nullopt}})
        EXPECT_EQ(project::NearProjectName(typed), near) << "'" << typed << "'";
}

} // namespace
