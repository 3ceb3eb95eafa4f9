#include "console.h"

#include "terminal_text.h"

#include <QList>

#include <algorithm>

#include <cstdio>

#include <unistd.h>

namespace vrx {

namespace {

void write(FILE *stream, const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

bool isWide(uint c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace

void printOut(const QString &text) {
    write(stdout, escapeControls(text, true));
}
void printErr(const QString &text) {
    write(stderr, escapeControls(text, true));
}
void printErrOverLine(const QString &text) {
    write(stderr, u'\r' + escapeControls(text));
}
void printErrOverLines(int linesUp, const QStringList &lines) {
    QString text;
    if (linesUp > 0)
        text += QStringLiteral("\x1b[%1A").arg(linesUp);
    for (const QString &line : lines)
        text += QStringLiteral("\r\x1b[K") + escapeControls(line) + u'\n';
    write(stderr, text);
}
void printError(const QString &message) {
    // A message quotes file names, file contents, pack texts and port errors.
    printErr(QStringLiteral("vrxctl: ") + escapeControls(message) + u'\n');
}

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

int displayWidth(const QString &text) {
    int width = 0;
    for (const uint c : text.toUcs4())
        width += isWide(c) ? 2 : 1;
    return width;
}

QString padded(const QString &text, int width) {
    const int fill = width - displayWidth(text);
    return fill > 0 ? text + QString(fill, u' ') : text;
}

QString alignedTable(const QList<QStringList> &rows) {
    QList<int> widths;
    for (const QStringList &row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            if (c >= widths.size())
                widths.append(0);
            widths[c] = std::max(widths[c], displayWidth(row[c]));
        }
    }
    QString out;
    for (const QStringList &row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? padded(row[c], widths[c] + 2) : row[c];
        out += line + u'\n';
    }
    return out;
}

} // namespace vrx
