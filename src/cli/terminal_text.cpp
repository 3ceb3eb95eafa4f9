#include "terminal_text.h"

#include "i18n/visible_text.h"

namespace vrx {

QString escapeControls(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControlCharacter(c.unicode()))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace vrx
