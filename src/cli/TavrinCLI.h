#pragma once

#include "model/AppItem.h"
#include "model/SystemCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The headless command-line mode: a system check that prints the checks and
// writes the text report, or the installation of a preset after showing the
// plan and asking for confirmation. It builds its own engine, whose log lines
// are printed to standard output as they happen; it never builds a cloud
// client and never reads the interface language.
//
// Exit statuses: 0 success, 1 failure (report not written, install blocker,
// an entry failed), 2 usage error, 130 declined at the confirmation prompt.
namespace TavrinCLI {

// The options of one run. Flags only ever turn on; a later preset replaces an
// earlier one. noGUI only selects the headless mode; the run never reads it.
struct Options {
    bool check = false;          // --check
    bool noGUI = false;          // --no-gui
    bool yes = false;            // --yes, -y
    bool noShortcuts = false;    // --no-shortcuts
    bool noMimeDefaults = false; // --no-mime-defaults
    bool help = false;           // --help, -h
    // --preset VALUE (VALUE taken whatever it looks like), or --preset=VALUE.
    std::optional<QString> preset;

    bool operator==(const Options&) const = default;
};

size_t qHash(const Options& options, size_t hashSeed = 0);

// The valid preset names, in this order: minimal, standard, full.
const QStringList& presetNames();

// Whether the arguments (program path first, never interpreted) ask for the
// headless mode: an argument exactly "--no-gui", "--check", "--preset",
// "--help" or "-h", or one beginning with "--preset=". Case-sensitive.
bool shouldRun(const QStringList& arguments);

// Runs the command-line mode with the arguments (program path first) and
// answers the exit status. Blocks until the job is done; reads standard input
// for the confirmation.
int run(const QStringList& arguments);

// The options of the arguments without the program path; unknown arguments
// are ignored.
Options parse(const QStringList& arguments);

// The catalog entries of a (lower-case) preset, in catalog order: those in the
// group "devivu" (minimal), those with a group of the standard preset
// (standard), all (full); none for any other name.
QList<AppItem> items(const QString& preset);

// What a preset run installs, in order: the preset's entries without blocked
// ones, without repeated install targets, and without shortcuts or default-
// application entries when the options say so.
QList<AppItem> plan(const QString& preset, const Options& options);

// The check table printChecks writes: an empty line, the heading, one row per
// check (level label padded to 5, the name padded or cut to 28 UTF-16 units,
// the detail), an empty line.
QString checkTable(const QList<SystemCheck>& checks);
void printChecks(const QList<SystemCheck>& checks);

// The usage text, without a line end after its last line.
QString usageText();

} // namespace TavrinCLI
