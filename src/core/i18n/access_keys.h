#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vrx {

// One item of a menu: its caption as a pack or the program gives it, and letters to try
// first when it needs a new access key (a caption in Chinese has none of its own).
struct MenuCaption {
    QString text;
    QString hint;
};

// The captions of one menu, in order, each with an access key that no other item of the
// menu shares. A key the caption marks is kept while it is free. Otherwise the first free
// letter or digit that starts a word is marked, then any free one of the caption; a
// caption without a free one gets "(&X)" (before a closing "..." or "…"), X from the hint
// and then the alphabet. "&&" stays a plain ampersand.
QStringList withAccessKeys(const QList<MenuCaption> &items);

// The key a caption marks, upper case; a null QChar when it marks none.
QChar accessKeyOf(const QString &caption);

} // namespace vrx
