#include "i18n/access_keys.h"

#include <QSet>

namespace vrx {

namespace {

bool isKeyChar(QChar c) {
    return c.unicode() < 128 && c.isLetterOrNumber();
}

// Position of the marking '&' (not one of "&&"); -1 when there is none.
qsizetype markPosition(const QString &caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}

// Where "(&X)" goes: before a closing ellipsis.
qsizetype suffixPosition(const QString &caption) {
    qsizetype end = caption.size();
    while (end > 0 && (caption[end - 1] == QLatin1Char('.') || caption[end - 1] == QChar(0x2026)))
        --end;
    return end;
}

QChar firstFree(const QString &letters, const QSet<QChar> &used) {
    for (QChar c : letters) {
        if (isKeyChar(c) && !used.contains(c.toUpper()))
            return c.toUpper();
    }
    return {};
}

QString marked(const QString &caption, QSet<QChar> &used, const QString &hint) {
    // Called for captions whose own key is missing or taken.
    const qsizetype mark = markPosition(caption);
    QString text = caption;
    // A taken "(&X)" is given a free letter in the same place.
    const bool bracketed = mark > 0 && text[mark - 1] == QLatin1Char('(') &&
                           mark + 2 < text.size() && text[mark + 2] == QLatin1Char(')');
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    if (bracketed) {
        const QChar key = firstFree(hint + alphabet, used);
        if (key.isNull())
            return caption;
        used.insert(key);
        text[mark + 1] = key;
        return text;
    }
    if (mark >= 0)
        text.remove(mark, 1);
    // Word starts first, then any letter of the caption.
    for (bool wordStartsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == QLatin1Char('&')) {
                ++i; // "&&"
                continue;
            }
            const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
            if (!isKeyChar(c) || used.contains(c.toUpper()) || (wordStartsOnly && !wordStart))
                continue;
            used.insert(c.toUpper());
            text.insert(i, QLatin1Char('&'));
            return text;
        }
    }
    const QChar key = firstFree(hint + alphabet, used);
    if (key.isNull())
        return text;
    used.insert(key);
    text.insert(suffixPosition(text), QStringLiteral("(&%1)").arg(key));
    return text;
}

} // namespace

QChar accessKeyOf(const QString &caption) {
    const qsizetype mark = markPosition(caption);
    return mark < 0 ? QChar() : caption[mark + 1].toUpper();
}

QStringList withAccessKeys(const QList<MenuCaption> &items) {
    // Keys the captions mark and may keep come first, so that a later item's own key is not
    // taken by an earlier item that had none.
    QSet<QChar> used;
    QList<bool> keeps;
    for (const MenuCaption &item : items) {
        const QChar key = accessKeyOf(item.text);
        const bool keep = isKeyChar(key) && !used.contains(key);
        if (keep)
            used.insert(key);
        keeps.append(keep);
    }
    QStringList result;
    for (qsizetype i = 0; i < items.size(); ++i)
        result.append(keeps[i] ? items[i].text : marked(items[i].text, used, items[i].hint));
    return result;
}

} // namespace vrx
