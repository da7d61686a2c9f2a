#pragma once

#include <QString>

#include <optional>

// The terminal of the command-line mode: standard output, standard error and
// standard input, spoken in UTF-8. Writes go straight to the file descriptor
// (nothing is buffered, so nothing is lost when the process ends and the two
// streams keep the order in which they were written) and are serialised by one
// lock, so a text written from any thread is never split by another.
namespace Console {

// Writes the text to standard output as it is (no line end added).
void out(const QString& text);
// Writes the text to standard error as it is.
void err(const QString& text);

// Reads one line from standard input, without its line end. Bytes are read
// one at a time, so nothing after the line is taken away from the child
// processes that share standard input. Nothing at end of input with no byte
// read; a last line without a line end is answered as it is.
std::optional<QString> readLine();

} // namespace Console
