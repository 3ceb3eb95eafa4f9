#include "terminal_text.h"

namespace vrx {

namespace {

bool isControl(char16_t c) {
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

} // namespace

QString escapeControls(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace vrx
