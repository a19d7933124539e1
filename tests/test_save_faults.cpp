// Saving a project when the file system refuses: a full device, no inode
// left, a read-only file system, a project file that cannot be replaced, a
// name at the file system's length limit. Each failed save must name the
// file as a FileAccess error and leave the folder exactly as it was: the
// project file saved before byte for byte, no temporary file left behind.
// After the fault clears, the next save works.
//
// The faults are real file systems: each test enters a private mount
// namespace (unshare) and mounts small tmpfs instances there, so nothing
// is visible outside the test process and everything goes with it. Tests
// run as root, for whom permission bits stop nothing; where mounting is not
// allowed (an unprivileged container) the tests are skipped with the
// reason.
#include "hydraulics/errors.h"
#include "project/projectfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using hydraulics::CalcError;
using hydraulics::ErrorKind;
using project::ProjectValues;

namespace {

const ProjectValues kOldValues{9, 8, 7, 6, 5, 4, 3, 2};
const ProjectValues kNewValues{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f};

std::string Slurp(const fs::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

// Every entry of a folder with the bytes of each regular file.
using Snapshot = std::map<std::string, std::string>;
Snapshot Take(const fs::path& folder) {
    Snapshot snapshot;
    for (const auto& entry : fs::directory_iterator(folder))
        snapshot[entry.path().filename().string()] =
            entry.is_regular_file() ? Slurp(entry.path()) : "(not a regular file)";
    return snapshot;
}

std::string Errno(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// A private copy of the mount table for this process, so that the mounts
// below are seen by nobody else and vanish when the process ends.
bool EnterPrivateMounts(std::string& why) {
    static bool entered = false;
    if (entered)
        return true;
    if (::unshare(CLONE_NEWNS) != 0) {
        why = Errno("unshare(CLONE_NEWNS)");
        return false;
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        why = Errno("making / private");
        return false;
    }
    entered = true;
    return true;
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        if (!EnterPrivateMounts(why))
            GTEST_SKIP() << "cannot mount file systems here (" << why << ")";
        dir_ = fs::temp_directory_path() /
               ("ambrelo-sf-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        while (mounts_ > 0 && ::umount2(dir_.c_str(), MNT_DETACH) == 0)
            --mounts_;
        if (!dir_.empty())
            fs::remove_all(dir_);
    }

    // A fresh tmpfs on the test folder, e.g. "size=8k" or "nr_inodes=2".
    void MountTmpfs(const std::string& options) {
        ASSERT_EQ(::mount("ambrelo-test", dir_.c_str(), "tmpfs", 0, options.c_str()), 0)
            << Errno("mount tmpfs");
        ++mounts_;
    }
    void RemountReadOnly() {
        ASSERT_EQ(::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
            << Errno("remount read-only");
    }
    // Takes the free space of the test folder's file system.
    void FillDevice() {
        std::ofstream filler(dir_ / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()))
            filler.flush();
    }

    std::string Project(const std::string& name = "p") const { return (dir_ / name).string(); }

    // Saves kNewValues and expects the failure to name the file and leave
    // the folder as it was.
    void ExpectRefusedSave(const std::string& project) {
        const Snapshot before = Take(dir_);
        const std::string fileName = project::ProjectFileName(project);
        try {
            project::WriteProjectFile(project, kNewValues);
            ADD_FAILURE() << "the save succeeded";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::FileAccess) << e.message();
            EXPECT_EQ(e.subject(), fileName);
            EXPECT_NE(e.message().find(fileName), std::string::npos) << e.message();
        }
        EXPECT_EQ(Take(dir_), before) << "the folder changed";
    }

    fs::path dir_;
    int mounts_ = 0;
};

TEST_F(SaveFaults, FullDeviceKeepsTheSavedProjectAndCreatesNothingNew) {
    MountTmpfs("size=16k");
    project::WriteProjectFile(Project(), kOldValues);
    const std::string saved = Slurp(project::ProjectFileName(Project()));
    FillDevice();
    ExpectRefusedSave(Project());         // an existing project
    ExpectRefusedSave(Project("新项目")); // a new one: no empty file left
    EXPECT_EQ(Slurp(project::ProjectFileName(Project())), saved);
    EXPECT_EQ(project::ReadProjectFile(Project()), kOldValues);

    fs::remove(dir_ / "filler");
    project::WriteProjectFile(Project(), kNewValues);
    EXPECT_EQ(project::ReadProjectFile(Project()), kNewValues);
}

TEST_F(SaveFaults, NoInodeLeftForTheNewFile) {
    // The root folder and the project file take both inodes.
    MountTmpfs("nr_inodes=2");
    project::WriteProjectFile(Project(), kOldValues);
    ExpectRefusedSave(Project());
    EXPECT_EQ(project::ReadProjectFile(Project()), kOldValues);
}

TEST_F(SaveFaults, ReadOnlyFileSystem) {
    MountTmpfs("size=64k");
    project::WriteProjectFile(Project(), kOldValues);
    RemountReadOnly();
    ExpectRefusedSave(Project());
    ExpectRefusedSave(Project("新项目"));
    EXPECT_EQ(project::ReadProjectFile(Project()), kOldValues); // still readable
}

// /dev/full bound over the project file: the new record is written to the
// temporary file in full, but it cannot take the place of a mount point
// (EBUSY). The file underneath is untouched, the temporary file removed.
TEST_F(SaveFaults, ProjectFileThatCannotBeReplaced) {
    MountTmpfs("size=64k");
    project::WriteProjectFile(Project(), kOldValues);
    const std::string fileName = project::ProjectFileName(Project());
    const std::string saved = Slurp(fileName);
    ASSERT_EQ(::mount("/dev/full", fileName.c_str(), nullptr, MS_BIND, nullptr), 0)
        << Errno("bind /dev/full");
    try {
        project::WriteProjectFile(Project(), kNewValues);
        ADD_FAILURE() << "the save succeeded";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::FileAccess) << e.message();
        EXPECT_EQ(e.subject(), fileName);
    }
    ASSERT_EQ(::umount2(fileName.c_str(), 0), 0) << Errno("unbind");
    EXPECT_EQ(Slurp(fileName), saved);
    EXPECT_EQ(Take(dir_), (Snapshot{{"pus.dat", saved}}));
}

// File names are limited to 255 bytes. A project name that makes a longer
// file name is refused cleanly; one whose file name fits the limit exactly
// is saved, although the temporary file beside it needs a longer name.
TEST_F(SaveFaults, NamesAtTheFileSystemLimit) {
    MountTmpfs("size=64k");
    const std::string fits(255 - 6, 'n'); // + "us.dat" = 255 bytes
    std::string chinese;
    for (int i = 0; i < 83; ++i)
        chinese += "渠"; // 3 bytes each: 249 bytes
    for (const std::string& name : {fits, chinese}) {
        SCOPED_TRACE(name.size());
        project::WriteProjectFile(Project(name), kOldValues);
        EXPECT_EQ(project::ReadProjectFile(Project(name)), kOldValues);
        ExpectRefusedSave(Project(name + "n")); // 256 bytes
    }
}

// A NUL in a project name (pasted into the name box) would end the name
// for the system: the save must not go to the file named by the part
// before it.
TEST(SaveNames, NulInTheNameIsRefusedAndReplacesNothing) {
    const fs::path dir = fs::temp_directory_path() / ("ambrelo-nul-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "notes.txt") << "keep";
    const std::string project = (dir / "notes.txt").string() + std::string(1, '\0') + "x";
    for (const bool writing : {true, false}) {
        try {
            if (writing)
                project::WriteProjectFile(project, kNewValues);
            else
                project::ReadProjectFile(project);
            ADD_FAILURE() << (writing ? "written" : "read");
        } catch (const CalcError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::FileAccess) << e.message();
        }
    }
    EXPECT_EQ(Take(dir), (Snapshot{{"notes.txt", "keep"}}));
    fs::remove_all(dir);
}

// What may stand under the project's file name besides a file. A save
// must end either way: a named pipe is replaced, never opened (that would
// wait for a reader for ever).
TEST_F(SaveFaults, SaveOverANamedPipe) {
    const std::string fileName = project::ProjectFileName(Project());
    ASSERT_EQ(::mkfifo(fileName.c_str(), 0600), 0) << Errno("mkfifo");
    try {
        project::WriteProjectFile(Project(), kNewValues);
        EXPECT_EQ(project::ReadProjectFile(Project()), kNewValues);
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::FileAccess) << e.message();
        EXPECT_EQ(e.subject(), fileName);
    }
    EXPECT_EQ(Take(dir_).size(), 1u) << "a temporary file was left behind";
}

} // namespace
