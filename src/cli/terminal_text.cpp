#include "terminal_text.h"

namespace vrx {

bool isTerminalControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

QString escapeControls(const QString &text, bool keepLineBreaks) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!isTerminalControl(u) || u == u'\t' || (keepLineBreaks && u == u'\n'))
            out += c;
        else if (u < 0x100)
            out += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
    }
    return out;
}

} // namespace vrx
