#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vrx {

// vrxctl's output: UTF-8 text, flushed at once so that a caller reading a pipe (the
// simulator's device path, a test) sees each line as soon as it is written. Whatever the
// text quotes, its control characters come out escaped (line feeds and tabs stay).
void printOut(const QString &text);
void printErr(const QString &text);
// `text` over the terminal line the cursor is on (a carriage return first): the progress
// bar's redraw, the one control character vrxctl sends on purpose.
void printErrOverLine(const QString &text);
// Draws `lines` over the `linesUp` lines above the cursor (0: where it is), each cleared
// first: the fleet's lines of progress, redrawn in place.
void printErrOverLines(int linesUp, const QStringList &lines);
// "vrxctl: <message>" on stderr, the message's control characters escaped.
void printError(const QString &message);

bool stderrIsTerminal();

// Columns a text takes in a terminal: East Asian wide characters take two.
int displayWidth(const QString &text);
// `text` followed by blanks up to `width` display columns.
QString padded(const QString &text, int width);
// Rows of cells, each column as wide as its widest cell, two blanks between columns.
QString alignedTable(const QList<QStringList> &rows);

} // namespace vrx
