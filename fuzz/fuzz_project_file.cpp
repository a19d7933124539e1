// A project file with arbitrary content (project::ReadProjectFile): what a
// case window finds on disk when it opens an existing project.
//
// The bytes are written to "<temp folder>/pus.dat" and read as project "p".
//
// Contract: eight finite values, or CalcError PastEndOfFile, TypeMismatch or
// Overflow naming the file (it exists and is readable, so neither
// FileNotFound nor FileAccess). Beyond that:
//  - a first line of eight comma-separated numbers is read as those numbers;
//  - values read are written back (WriteProjectFile) as one line of eight
//    numbers in the shown grammar ending in CR LF, which reads back to the
//    same values.
#include "fuzzcheck.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/projectfile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path& Folder() {
    static fs::path folder;
    return folder;
}

void RemoveFolder() {
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
}

void WriteBytes(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out)
        fuzzcheck::Fail("cannot write the test file", name);
}

std::string ReadBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first line's first eight fields when each is a number within single
// range; empty otherwise.
std::vector<float> PlainRecord(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    text = text.substr(0, text.find_first_of("\r\n"));
    std::vector<float> values;
    while (values.size() < 8) {
        const std::size_t comma = text.find(',');
        if (comma == std::string_view::npos && values.size() < 7)
            return {};
        const std::string_view field = text.substr(0, comma);
        if (!hydraulics::IsDecimalNumber(field) || field.find('\0') != std::string_view::npos)
            return {};
        try {
            values.push_back(hydraulics::ParseSingle(field, "field"));
        } catch (const hydraulics::CalcError&) {
            return {};
        }
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir;
    std::string pattern = std::string(base) + "/ambrelo-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        fuzzcheck::Fail("cannot create a temporary folder", pattern);
    Folder() = pattern;
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace hydraulics;
    const std::string project = (Folder() / "p").string();
    const std::string fileName = project::ProjectFileName(project);
    WriteBytes(fileName, data, size);

    project::ProjectValues values{};
    try {
        fuzzcheck::CpuBudget budget("reading a project file", 200);
        values = project::ReadProjectFile(project);
    } catch (const CalcError& e) {
        fuzzcheck::Require(e.kind() == ErrorKind::PastEndOfFile ||
                               e.kind() == ErrorKind::TypeMismatch ||
                               e.kind() == ErrorKind::Overflow,
                           "unexpected error kind", e.message());
        fuzzcheck::Require(e.subject() == fileName &&
                               e.message().find(fileName) != std::string::npos,
                           "error does not name the file", e.message());
        fuzzcheck::Require(PlainRecord({reinterpret_cast<const char*>(data), size}).empty(),
                           "a plain record of eight numbers refused", e.message());
        return 0;
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
    for (const float v : values)
        fuzzcheck::Require(std::isfinite(v), "value not finite", FormatSingleExact(v));
    const std::vector<float> plain = PlainRecord({reinterpret_cast<const char*>(data), size});
    for (std::size_t k = 0; k < plain.size(); ++k)
        fuzzcheck::Require(plain[k] == values[k], "plain record read differently",
                           std::to_string(k + 1));

    try {
        project::WriteProjectFile(project, values);
    } catch (const CalcError& e) {
        fuzzcheck::Fail("values read could not be written back", e.message());
    }
    const std::string written = ReadBytes(fileName);
    fuzzcheck::Require(written.ends_with("\r\n"), "written line does not end in CR LF", written);
    std::string_view rest(written.data(), written.size() - 2);
    for (int k = 0; k < 8; ++k) {
        const std::size_t comma = rest.find(',');
        fuzzcheck::Require((comma == std::string_view::npos) == (k == 7),
                           "written line is not eight comma-separated numbers", written);
        const std::string number(rest.substr(0, comma));
        fuzzcheck::Require(fuzzcheck::IsShownNumber(number), "written number outside the grammar",
                           written);
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
    }
    const project::ProjectValues back = project::ReadProjectFile(project);
    for (std::size_t k = 0; k < back.size(); ++k)
        fuzzcheck::Require(back[k] == values[k], "written file reads back differently", written);
    return 0;
}
