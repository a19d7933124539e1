// The project data file: exact bytes, round trips, names, hand-edited and
// damaged files, and failed writes that must leave the old file whole.
#include "errors.h"
#include "projectfile.h"

#include <algorithm>
#include <cfloat>
#include <clocale>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;
using hydraulics::CalcError;
using hydraulics::ErrorKind;
using shell::ProjectValues;

namespace {

std::string Slurp(const fs::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

void Spill(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The error `body` throws; kind TypeMismatch with subject "none" if none.
template <class Body> CalcError Failure(Body&& body) {
    try {
        body();
    } catch (const CalcError& e) {
        return e;
    }
    return CalcError(ErrorKind::TypeMismatch, "none");
}

const ProjectValues kTyped{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f};
const std::string kTypedLine = "4,100,1.5,1000,1,0.014,0.25,0.4\r\n";
const std::string kOld = "9,8,7,6,5,4,3,2\r\n";

// Each test runs in a fresh, empty current directory.
class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("ambrelo-pf-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(home_);
        fs::remove_all(dir_);
    }
    static std::vector<std::string> Listing() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator("."))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path home_ = fs::current_path(), dir_;
};

TEST_F(ProjectFile, ExactBytesAndRoundTrips) {
    const float tiny = std::numeric_limits<float>::denorm_min();
    const struct {
        ProjectValues values;
        std::string line; // empty: only the round trip is checked
    } cases[] = {
        {kTyped, kTypedLine},
        {{1.912109375f, 999.9999f, 1e-5f, -0.0123f, 3.402823e38f, FLT_MAX, 0.0f, -0.0f},
         "1.9121094,999.9999,1E-05,-0.0123,3.402823E+38,3.4028235E+38,0,0\r\n"},
        {{3.4e38f, -3.4e38f, tiny, -tiny, FLT_MIN, 1.0f / 3, 16777216.0f, 123456.7f}, ""},
        {{1e7f, 9999999.0f, 1e-4f, 9.9999e-5f, 2.5e-40f, 0.1f, -1.0f, 7e22f}, ""},
    };
    for (const auto& c : cases) {
        shell::WriteProjectFile("渠首", c.values);
        const std::string line = Slurp(fs::u8path("渠首us.dat"));
        if (!c.line.empty()) {
            EXPECT_EQ(line, c.line);
        }
        EXPECT_EQ(line.find_first_not_of("0123456789.,-+E"), line.size() - 2) << line;
        EXPECT_EQ(shell::ReadProjectFile("渠首"), c.values) << line;
    }
    EXPECT_EQ(Listing().size(), 1u); // no temporary file left behind
}

TEST_F(ProjectFile, NameIsTakenAsTyped) {
    fs::create_directory("sub");
    for (const std::string name : {" ", " 渡槽", "", "sub/a", "./sub/../b", "sub/"}) {
        EXPECT_EQ(shell::ProjectFileName(name), name + "us.dat");
        shell::WriteProjectFile(name, kTyped);
        EXPECT_EQ(Slurp(fs::u8path(name + "us.dat")), kTypedLine) << "'" << name << "'";
        EXPECT_EQ(shell::ReadProjectFile(name), kTyped);
    }
    EXPECT_EQ(Listing(),
              (std::vector<std::string>{" us.dat", " 渡槽us.dat", "bus.dat", "sub", "us.dat"}));
}

TEST_F(ProjectFile, ReaderToleratesHandEditedLayouts) {
    const ProjectValues expected{1, 2, 3.5f, -4, 5e-6f, 6, 7, 8};
    for (const std::string& layout : std::vector<std::string>{
             "1,2,3.5,-4,5e-6,6,7,8",                      // no line end
             "1,2,3.5,-4,5E-06,6,7,8\n",                   // LF only
             " 1 ,\t2, 3.50 ,-4 , 5E-06,6,7,8  \n",        // blanks around numbers
             "1\n2\n3.5\n-4\n5E-06\n6\n7\n8\n",            // one number a line
             "\r\n1,2,3.5,-4\r\n\r\n5E-06,6,7,8\r",        // blank lines, lone CR
             "\xEF\xBB\xBF+1,2.,3.5,-4,.000005,6,7,8\r\n", // byte-order mark
             "1,2,3.5,-4,5E-06,6,7,8,9,junk\r\nmore" + std::string(1 << 20, 'x'),
         }) {
        Spill("hus.dat", layout);
        EXPECT_EQ(shell::ReadProjectFile("h"), expected) << layout.substr(0, 40);
    }
}

TEST_F(ProjectFile, ShortDamagedAndMissingFilesNameTheFileAndPosition) {
    const struct {
        std::string content;
        ErrorKind kind;
        std::string detail;
    } cases[] = {
        {"1,2,3,4,5,6,7\r\n", ErrorKind::PastEndOfFile, "只有 7 个数"},
        {"1,2,3,4,5,6,7,", ErrorKind::PastEndOfFile, "只有 7 个数"},
        {"", ErrorKind::PastEndOfFile, "只有 0 个数"},
        {"1,2,abc,4,5,6,7,8\r\n", ErrorKind::TypeMismatch, "第 3 个数"},
        {"1,2,,4,5,6,7,8\r\n", ErrorKind::TypeMismatch, "第 3 个数"},
        {"1,\r\n2,3,4,5,6,7,8\r\n", ErrorKind::TypeMismatch, "第 2 个数"},
        {"1;2;3;4;5;6;7;8\r\n", ErrorKind::TypeMismatch, "第 1 个数"},
        {"1,2,3,4,5,6,7 8,9\r\n", ErrorKind::TypeMismatch, "第 7 个数"},
        {"1,2,3,4,5,6,7,inf\r\n", ErrorKind::TypeMismatch, "第 8 个数"},
        {"1,2,3,4,5,6,7,1E39\r\n", ErrorKind::Overflow, "第 8 个数"},
        {std::string(8 << 20, '7'), ErrorKind::TypeMismatch, "第 1 个数"},
        {"1,2,3" + std::string(8 << 20, ' ') + ",4,5,6,7,8", ErrorKind::TypeMismatch, "第 3 个数"},
    };
    for (const auto& c : cases) {
        Spill("dus.dat", c.content);
        const CalcError e = Failure([] { shell::ReadProjectFile("d"); });
        EXPECT_EQ(e.kind(), c.kind) << e.message();
        EXPECT_EQ(e.subject(), "dus.dat");
        EXPECT_NE(e.detail().find(c.detail), std::string::npos) << e.message();
    }
    CalcError e = Failure([] { shell::ReadProjectFile("无此项目"); });
    EXPECT_EQ(e.kind(), ErrorKind::FileNotFound);
    EXPECT_NE(e.message().find((dir_ / "无此项目us.dat").string()), std::string::npos);
    fs::create_directory("folderus.dat");
    e = Failure([] { shell::ReadProjectFile("folder"); });
    EXPECT_EQ(e.kind(), ErrorKind::FileAccess);
    EXPECT_EQ(e.subject(), "folderus.dat");
}

// Tests run as root, so a read-only folder or file stops nothing; these
// failures do.
TEST_F(ProjectFile, FailedWritesNameTheFileAndLeaveTheOldOneWhole) {
    Spill("plain.txt", "not a folder");
    fs::create_directory("folderus.dat");
    Spill("pus.dat", kOld);
    ProjectValues infinite = kTyped, notANumber = kTyped;
    infinite[4] = std::numeric_limits<float>::infinity();
    notANumber[4] = std::numeric_limits<float>::quiet_NaN();
    const struct {
        std::string project;
        ProjectValues values;
        std::string what;
    } cases[] = {
        {"no-such-folder/p", kTyped, "无法创建"},
        {"plain.txt/p", kTyped, "无法创建"},         // a directory part that is a file
        {std::string(300, 'n'), kTyped, "无法创建"}, // longer than NAME_MAX
        {"folder", kTyped, "无法创建"},
        {"p", infinite, "第 5 个数"},
        {"p", notANumber, "第 5 个数"},
    };
    for (const auto& c : cases) {
        const CalcError e = Failure([&] { shell::WriteProjectFile(c.project, c.values); });
        EXPECT_EQ(e.kind(), ErrorKind::FileAccess) << e.message();
        EXPECT_EQ(e.subject(), c.project + "us.dat");
        EXPECT_NE(e.detail().find(c.what), std::string::npos) << e.message();
    }
    EXPECT_EQ(Slurp("pus.dat"), kOld);
    EXPECT_EQ(Slurp("plain.txt"), "not a folder");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"folderus.dat", "plain.txt", "pus.dat"}));
}

// A full device, by a file-size limit of 8 bytes: the record cannot be
// written whole, and the old file must not be replaced by a cut-off one.
TEST_F(ProjectFile, FullDeviceLeavesTheOldFileWhole) {
    Spill("pus.dat", kOld);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 8;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    const CalcError e = Failure([] { shell::WriteProjectFile("p", kTyped); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(e.kind(), ErrorKind::FileAccess);
    EXPECT_NE(e.detail().find("无法写入"), std::string::npos) << e.message();
    EXPECT_EQ(Slurp("pus.dat"), kOld);
    EXPECT_EQ(Listing(), std::vector<std::string>{"pus.dat"});
}

// The desktop program takes the C library's numeric locale from the system
// (QCoreApplication calls setlocale); the file keeps the period all the same.
TEST_F(ProjectFile, PeriodDecimalUnderACommaNumericLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    const CalcError e = Failure([] { shell::WriteProjectFile("p", kTyped); });
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(e.subject(), "none") << e.message();
    EXPECT_EQ(Slurp("pus.dat"), kTypedLine);
}

} // namespace
