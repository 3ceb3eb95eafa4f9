#include "channels/tone_list.h"

namespace vrx {

const QStringList &ctcssTones() {
    static const QStringList tones = {
        QStringLiteral("67.0"),  QStringLiteral("69.3"),  QStringLiteral("71.9"),
        QStringLiteral("74.4"),  QStringLiteral("77.0"),  QStringLiteral("79.7"),
        QStringLiteral("82.5"),  QStringLiteral("85.4"),  QStringLiteral("88.5"),
        QStringLiteral("91.5"),  QStringLiteral("94.8"),  QStringLiteral("97.4"),
        QStringLiteral("100.0"), QStringLiteral("103.5"), QStringLiteral("107.2"),
        QStringLiteral("110.9"), QStringLiteral("114.8"), QStringLiteral("118.8"),
        QStringLiteral("123.0"), QStringLiteral("127.3"), QStringLiteral("131.8"),
        QStringLiteral("136.5"), QStringLiteral("141.3"), QStringLiteral("146.2"),
        QStringLiteral("151.4"), QStringLiteral("156.7"), QStringLiteral("159.8"),
        QStringLiteral("162.2"), QStringLiteral("165.5"), QStringLiteral("167.9"),
        QStringLiteral("171.3"), QStringLiteral("173.8"), QStringLiteral("177.3"),
        QStringLiteral("179.9"), QStringLiteral("183.5"), QStringLiteral("186.2"),
        QStringLiteral("189.9"), QStringLiteral("192.8"), QStringLiteral("196.6"),
        QStringLiteral("199.5"), QStringLiteral("203.5"), QStringLiteral("206.5"),
        QStringLiteral("210.7"), QStringLiteral("218.1"), QStringLiteral("225.7"),
        QStringLiteral("229.1"), QStringLiteral("233.6"), QStringLiteral("241.8"),
        QStringLiteral("250.3"), QStringLiteral("254.1"),
    };
    return tones;
}

const QStringList &dcsCodes() {
    static const QStringList codes =
        QStringLiteral("017 023 025 026 031 032 036 043 047 050 051 053 054 065 "
                       "071 072 073 074 114 115 116 122 125 131 132 134 143 145 "
                       "152 155 156 162 165 172 174 205 212 223 225 226 243 244 "
                       "245 246 251 252 255 261 263 265 266 271 274 306 311 315 "
                       "325 331 332 343 346 351 356 364 365 371 411 412 413 423 "
                       "431 432 445 446 452 454 455 462 464 465 466 503 506 516 "
                       "523 526 532 546 565 606 612 624 627 631 632 645 654 662 "
                       "664 703 712 723 731 732 734 743 754")
            .split(QLatin1Char(' '));
    return codes;
}

QStringList toneList(const QString &offText) {
    QStringList items;
    items.reserve(kToneListSize);
    items.append(offText);
    items.append(ctcssTones());
    for (const QString &code : dcsCodes())
        items.append(QLatin1Char('D') + code + QLatin1Char('N'));
    for (const QString &code : dcsCodes())
        items.append(QLatin1Char('D') + code + QLatin1Char('I'));
    return items;
}

bool isListedTone(const QString &text) {
    if (text.size() == 5 && text.front() == QLatin1Char('D') &&
        (text.back() == QLatin1Char('N') || text.back() == QLatin1Char('I')))
        return dcsCodes().contains(text.mid(1, 3));
    return ctcssTones().contains(text);
}

int toneIndex(const QString &text, const QString &offText) {
    return int(toneList(offText).indexOf(text));
}

} // namespace vrx
