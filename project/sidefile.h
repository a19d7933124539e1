// SPDX-License-Identifier: GPL-3.0-or-later
// What a project keeps beyond its eight inputs: the report's identity
// fields, the canal data of the water-surface connection, and whatever a
// later version adds. The one-line project file never changes; all of this
// goes into one JSON file beside it, "<name>us.json":
//
//   {"version": 1, "report": {…}, "connection": {…}}
//
// Each part of the program owns one section (a top-level key) and reads or
// replaces only that; keys and sections it does not know are kept as they
// are. The file is replaced atomically. A missing file is an empty one; a
// damaged one gives a message naming the file and empty sections, and is
// kept beside as "<file>.damaged" before it is first replaced, so nothing
// typed earlier is lost.
#pragma once

#include <QJsonObject>
#include <QString>
#include <string>

namespace project {

// The version this program writes; a file of a higher version is read all
// the same (its known sections) and its other keys are kept.
inline constexpr int kSideFileVersion = 1;

// `projectName` (UTF-8, as it stands) followed by "us.json".
std::string SideFileName(const std::string& projectName);

struct SideSection {
    QJsonObject values;   // the section, empty when missing or unreadable
    QString problem;      // a whole sentence naming the file, or empty
    bool damaged = false; // the file exists but could not be read as ours
    // What `problem` says is wrong, without what follows from it for the
    // windows: "项目附加资料文件 p1us.json 中的“report”一节已损坏".
    QString fault;
};

// The whole side file, read once: its root object (empty when the file is
// missing or damaged) and, for a damaged file, what is wrong with it.
struct SideFile {
    std::string fileName; // "<name>us.json"
    QJsonObject root;
    QString fault; // "项目附加资料文件 p1us.json 已损坏（不是有效的 JSON 对象）"
    bool damaged = false;
};

// Reads the project's side file; only reads. Never throws.
SideFile ReadSideFile(const std::string& projectName);

// Section `key` of a file read: its values, or the fault of the file, or
// the fault of the section when the key holds anything but an object (the
// other sections are read all the same).
SideSection SectionOf(const SideFile& file, const QString& key);

// The section `key` of the project's side file. Never throws.
SideSection ReadSideSection(const std::string& projectName, const QString& key);

// Replaces section `key` with `values`, keeping every other key of the
// file as it is now on disk (read again just before writing, so two windows
// saving different sections do not undo each other). Throws
// hydraulics::CalcError(FileAccess) naming the file when it cannot be
// written; the old file is then unchanged.
void WriteSideSection(const std::string& projectName, const QString& key,
                      const QJsonObject& values);

} // namespace project
