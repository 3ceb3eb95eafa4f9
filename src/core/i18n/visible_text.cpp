#include "i18n/visible_text.h"

namespace vrx {

bool isControlCharacter(char16_t c) {
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

QString withVisibleControls(const QString &text, bool keepLineBreaks) {
    QString out = text;
    for (QChar &c : out) {
        if (isControlCharacter(c.unicode()) && !(keepLineBreaks && c == u'\n'))
            c = QChar::ReplacementCharacter;
    }
    return out;
}

} // namespace vrx
