#pragma once

#include "storage/channel_plan.h"
#include "storage/file_status.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vrx {

// The channel file (.vrx): 228 lines of GBK text ending in CR LF. Everything is found by
// line number and character column, not by keyword.
inline constexpr int kChannelFileLineCount = 228;
inline constexpr int kFirstChannelLine = 30; // line 29 + n holds channel n
// Lines that carry values before the channels: the title, the band and the settings.
inline constexpr int kLastSettingsLine = 27;

inline const QString kChannelFileTitle = QStringLiteral("KR-428 MEMORY CHANNEL");
inline const QString kChannelFileSuffix = QStringLiteral("vrx");

// Where and why a channel file could not be read. Lines are numbered from 1.
struct ChannelFileError {
    int line = 0;
    QString reason;
};

// Either a whole plan or the first error; never a part of a plan.
struct ChannelFileParse {
    std::optional<ChannelPlan> plan;
    ChannelFileError error;

    bool ok() const { return plan.has_value(); }
};

// The file's bytes for `plan`. Texts GBK cannot hold come out as "?"; saveChannelFile
// refuses such a plan instead.
QByteArray writeChannelFile(const ChannelPlan &plan);

// The file's bytes for `plan` in `bytes`, or a failure naming `path` and the line when a
// text does not fit GBK.
FileStatus encodeChannelFile(const QString &path, const ChannelPlan &plan, QByteArray *bytes);

// Reads a whole file's bytes. Lines may end in CR LF or LF; lines after 228 are ignored.
// A file with fewer than 228 lines, a non-digit or out-of-range option index, a drive
// value whose first three characters are no whole number 0..255, a channel line that
// readChannelLine refuses, or characters that are read (band text, index digits, drive
// values, channel lines) that are not GBK gives an error naming the line and no plan.
// Bytes the reader never uses may be anything.
ChannelFileParse parseChannelFile(const QByteArray &bytes);

// Reads and parses the file at `path`; the error message names the file (and the line).
struct ChannelFileLoad {
    std::optional<ChannelPlan> plan;
    QString error;

    bool ok() const { return plan.has_value(); }
};
ChannelFileLoad loadChannelFile(const QString &path);

// Opens a channel file: parses all of it first and applies it only when it parsed whole,
// so a bad file changes nothing.
FileStatus openChannelFile(const QString &path, ChannelTable &table, RadioSettings &settings,
                           BandPlan &bands);

// Writes the plan through a temporary file that replaces `path` only once it is complete,
// so a failed save leaves any old file as it was.
FileStatus saveChannelFile(const QString &path, const ChannelPlan &plan);

// A name chosen in the save dialog: ".vrx" is added when the file name has no extension;
// a name with any extension is used unchanged.
QString withChannelFileSuffix(const QString &chosenPath);

// Main window caption after a file has been opened: "VRX-428    [" + band text + "]".
QString openedFileCaption(const QString &bandText);

} // namespace vrx
