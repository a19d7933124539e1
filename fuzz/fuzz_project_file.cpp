// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a project file (project::ReadProjectFile). Contract: eight
// finite values, or a past-end, type-mismatch or overflow error naming the
// file; values read are written back as eight shown numbers and CR LF, and
// read back.
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

namespace {

std::string& Project() {
    static std::string project;
    return project;
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
        return 0;
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
    for (const float v : values)
        fuzzcheck::Require(std::isfinite(v), "value not finite", FormatSingleExact(v));
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
