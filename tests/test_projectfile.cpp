// The project data file: exact bytes, round trips, names, hand-edited and
// damaged files, and refused writes that leave the old file whole. Faults
// of the file system itself (full, read-only, ...) are in test_save_faults.
#include "hydraulics/errors.h"
#include "project/projectfile.h"

#include <algorithm>
#include <cfloat>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using hydraulics::CalcError;
using hydraulics::ErrorKind;
using project::ProjectValues;

namespace {

std::string Slurp(const fs::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

void Spill(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// `body` throws a CalcError of `kind` naming `subject`, `detail` in its detail.
template <class Body>
void ExpectError(Body&& body, ErrorKind kind, const std::string& subject,
                 const std::string& detail) {
    try {
        body();
        ADD_FAILURE() << "no error; expected " << detail;
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), kind) << e.message();
        EXPECT_EQ(e.subject(), subject);
        EXPECT_NE(e.detail().find(detail), std::string::npos) << e.message();
    }
}

const ProjectValues kTyped{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f};
const std::string kTypedLine = "4,100,1.5,1000,1,0.014,0.25,0.4\r\n";

// Each test runs in a fresh, empty current directory.
class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override {
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
    const fs::path home_ = fs::current_path();
    const fs::path dir_ =
        fs::temp_directory_path() / ("ambrelo-pf-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
};

// The exact record under names taken as typed (a leading blank, a folder
// part, none at all), and awkward values that must read back to the bit.
TEST_F(ProjectFile, ExactBytesNamesAndRoundTrips) {
    fs::create_directory("sub");
    for (const std::string name : {" 渡槽", "", "sub/a", "./sub/../b"}) {
        project::WriteProjectFile(name, kTyped);
        EXPECT_EQ(Slurp(fs::u8path(name + "us.dat")), kTypedLine) << "'" << name << "'";
        EXPECT_EQ(project::ReadProjectFile(name), kTyped);
    }
    EXPECT_EQ(Listing(), (std::vector<std::string>{" 渡槽us.dat", "bus.dat", "sub", "us.dat"}));

    const float tiny = std::numeric_limits<float>::denorm_min();
    for (const ProjectValues& values :
         {ProjectValues{3.4e38f, -3.4e38f, tiny, -tiny, FLT_MIN, 1.0f / 3, 16777216.0f, 123456.7f},
          ProjectValues{1e7f, 9999999.0f, 1e-4f, 9.9999e-5f, 2.5e-40f, 0.1f, -1.0f, 7e22f},
          ProjectValues{1.912109375f, 999.9999f, 1e-5f, -0.0123f, 3.402823e38f, FLT_MAX, 0,
                        -0.0f}}) {
        project::WriteProjectFile("p", values);
        EXPECT_EQ(project::ReadProjectFile("p"), values) << Slurp("pus.dat");
    }
    EXPECT_EQ(Slurp("pus.dat"),
              "1.9121094,999.9999,1E-05,-0.0123,3.402823E+38,3.4028235E+38,0,0\r\n");
}

// Hand-edited layouts read as {1, 2, 3.5, -4, 5e-6, 6, 7, 8} (no error);
// short and damaged files name the file and what is wrong where.
TEST_F(ProjectFile, HandEditedShortAndDamagedFiles) {
    const struct {
        std::string content;
        ErrorKind kind;
        const char* error; // nullptr: read without error
    } cases[] = {
        {"1,2,3.5,-4,5e-6,6,7,8", {}, nullptr},                      // no line end
        {"1,2,3.5,-4,5E-06,6,7,8\n", {}, nullptr},                   // LF only
        {" 1 ,\t2, 3.50 ,-4 , 5E-06,6,7,8  \n", {}, nullptr},        // blanks around numbers
        {"\r\n1,2,3.5,-4\r\n\r\n5E-06,6,7,8\r", {}, nullptr},        // blank lines, lone CR
        {"\xEF\xBB\xBF+1,2.,3.5,-4,.000005,6,7,8\r\n", {}, nullptr}, // byte-order mark
        {"1,2,3.5,-4,5E-06,6,7,8,9,junk\r\nmore", {}, nullptr},      // anything after eight
        {"1,2,3,4,5,6,7\r\n", ErrorKind::PastEndOfFile, "只有 7 个数"},
        {"", ErrorKind::PastEndOfFile, "只有 0 个数"},
        {"1,2,abc,4,5,6,7,8\r\n", ErrorKind::TypeMismatch, "第 3 个数"},
        {"1,\r\n2,3,4,5,6,7,8\r\n", ErrorKind::TypeMismatch, "第 2 个数"},
        {"1,2,3,4,5,6,7 8,9\r\n", ErrorKind::TypeMismatch, "第 7 个数"},
        {"1,2,3,4,5,6,7,inf\r\n", ErrorKind::TypeMismatch, "第 8 个数"},
        {"1,2,3,4,5,6,7,1E39\r\n", ErrorKind::Overflow, "第 8 个数"},
        {"1,2,3" + std::string(8 << 20, ' ') + ",4,5,6,7,8", ErrorKind::TypeMismatch, "第 3 个数"},
    };
    for (const auto& c : cases) {
        Spill("dus.dat", c.content);
        const std::string shown = ::testing::PrintToString(c.content.substr(0, 40));
        if (c.error == nullptr) {
            EXPECT_EQ(project::ReadProjectFile("d"),
                      (ProjectValues{1, 2, 3.5f, -4, 5e-6f, 6, 7, 8}))
                << shown;
            continue;
        }
        SCOPED_TRACE(shown);
        ExpectError([] { project::ReadProjectFile("d"); }, c.kind, "dus.dat", c.error);
    }
    // The message says where the file was looked for.
    ExpectError([] { project::ReadProjectFile("无此项目"); }, ErrorKind::FileNotFound,
                "无此项目us.dat", (dir_ / "无此项目us.dat").string());
}

// Refused before anything is replaced: the old file stays whole.
TEST_F(ProjectFile, RefusedWritesNameTheFileAndLeaveTheOldOneWhole) {
    fs::create_directory("folderus.dat");
    Spill("pus.dat", "9,8,7,6,5,4,3,2\r\n");
    ProjectValues infinite = kTyped;
    infinite[4] = std::numeric_limits<float>::infinity();
    for (const auto& [project, values, what] :
         {std::tuple("no-such-folder/p", kTyped, "无法创建"),
          std::tuple("folder", kTyped, "无法创建"), std::tuple("p", infinite, "第 5 个数")}) {
        ExpectError([&] { project::WriteProjectFile(project, values); }, ErrorKind::FileAccess,
                    std::string(project) + "us.dat", what);
    }
    EXPECT_EQ(Slurp("pus.dat"), "9,8,7,6,5,4,3,2\r\n");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"folderus.dat", "pus.dat"}));
}

// The desktop program takes the C library's numeric locale from the system
// (QCoreApplication calls setlocale); the file keeps the period all the same.
TEST_F(ProjectFile, PeriodDecimalUnderACommaNumericLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_NO_THROW(project::WriteProjectFile("p", kTyped));
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(Slurp("pus.dat"), kTypedLine);
}

} // namespace
