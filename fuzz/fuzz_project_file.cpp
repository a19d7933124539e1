// A project file with arbitrary content (project::ReadProjectFile): what a
// case window finds on disk when it opens an existing project.
//
// Contract: eight finite values, or CalcError PastEndOfFile, TypeMismatch or
// Overflow naming the file (it exists and is readable). A first line of
// eight comma-separated numbers is read as those numbers. Values read are
// written back (WriteProjectFile) as one line of eight numbers in the shown
// grammar ending in CR LF, which reads back to the same values.
#include "fuzzcheck.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/projectfile.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

std::string& Project() {
    static std::string project;
    return project;
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
        if ((comma == text.npos && values.size() < 7) ||
            text.substr(0, comma).find('\0') != text.npos)
            return {};
        try {
            values.push_back(hydraulics::ParseSingle(text.substr(0, comma), "field"));
        } catch (const hydraulics::CalcError&) {
            return {};
        }
        text.remove_prefix(comma == text.npos ? text.size() : comma + 1);
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string folder =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir) + "/ambrelo-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr)
        fuzzcheck::Fail("cannot create a temporary folder", folder);
    Project() = folder + "/p";
    std::atexit(
        [] { std::filesystem::remove_all(std::filesystem::path(Project()).parent_path()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace hydraulics;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string fileName = project::ProjectFileName(Project());
    std::ofstream(fileName, std::ios::binary | std::ios::trunc) << bytes;

    project::ProjectValues values{};
    try {
        fuzzcheck::CpuBudget budget("reading a project file", 200);
        values = project::ReadProjectFile(Project());
    } catch (const CalcError& e) {
        using enum ErrorKind;
        fuzzcheck::Require(e.kind() == PastEndOfFile || e.kind() == TypeMismatch ||
                               e.kind() == Overflow,
                           "unexpected error kind", e.message());
        fuzzcheck::Require(e.subject() == fileName &&
                               e.message().find(fileName) != std::string::npos,
                           "error does not name the file", e.message());
        fuzzcheck::Require(PlainRecord(bytes).empty(), "a plain record refused", e.message());
        return 0;
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
    const std::vector<float> plain = PlainRecord(bytes);
    for (std::size_t k = 0; k < values.size(); ++k)
        fuzzcheck::Require(std::isfinite(values[k]) && (plain.empty() || plain[k] == values[k]),
                           "value not finite or plain record read differently",
                           FormatSingleExact(values[k]));
    try {
        project::WriteProjectFile(Project(), values);
    } catch (const CalcError& e) {
        fuzzcheck::Fail("values read could not be written back", e.message());
    }
    std::ifstream in(fileName, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    fuzzcheck::Require(written.ends_with("\r\n"), "written line does not end in CR LF", written);
    const std::size_t end = written.size() - 2;
    std::size_t fields = 0;
    for (std::size_t at = 0, stop = 0; stop < end; at = stop + 1, ++fields) {
        stop = std::min(written.find(',', at), end);
        fuzzcheck::Require(fuzzcheck::IsShownNumber(written.substr(at, stop - at)),
                           "written number outside the grammar", written);
    }
    fuzzcheck::Require(fields == 8, "written line not eight numbers", written);
    fuzzcheck::Require(project::ReadProjectFile(Project()) == values,
                       "written file reads back differently", written);
    return 0;
}
