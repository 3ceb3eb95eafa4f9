#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"

#include <QList>
#include <QString>

#include <variant>

namespace vrx {

// The most clipboard text a paste takes: 199 channels are a few kilobytes, and reading far
// more would only freeze the window.
inline constexpr qsizetype kMaxPasteChars = 1 << 20;

// Channels as clipboard text: one line per channel, the eight fields separated by tabs,
// each line ending in a line feed, so that it pastes into a spreadsheet and back.
QString formatChannelRows(const QList<ChannelRow> &rows);

// Why a pasted text cannot be taken: the 1-based line, the field's column (1..8; 9 for a
// line with more than eight fields) and the field's text.
struct PasteRefusal {
    int line = 0;
    int col = 0;
    QString text;
    bool operator==(const PasteRefusal &) const = default;
};

// Reads clipboard text as channels, in the language of `texts`. Lines may end in LF or
// CR LF; a final line break adds no channel; an empty line is an empty channel. Fields
// are trimmed. A line with fewer than eight fields gets the defaults of a new channel for
// the rest (TxFreq := RxFreq). Frequencies are normalised as typed ones are; tones must be
// what the picker offers: the off word (either language), a CTCSS tone of the list
// ("67.0", also "67" as spreadsheets show it) or a DCS code of the list ("D023N",
// "d023i"); the value words may come in either language. Blank
// fields after the eighth are ignored. The first line that cannot be taken refuses all.
std::variant<QList<ChannelRow>, PasteRefusal> parseChannelRows(const QString &text,
                                                               const UiTexts &texts);

} // namespace vrx
