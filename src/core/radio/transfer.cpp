#include "radio/transfer.h"

#include "radio/channel_codec.h"
#include "radio/clone_protocol.h"
#include "radio/radio_image.h"
#include "radio/settings_codec.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace vrx {

namespace {

QString channelLabel(int channel) {
    return QStringLiteral("channel %1").arg(channel, 3, 10, QLatin1Char('0'));
}

QString addressText(quint16 address) {
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

// One run of a read or a write: the protocol, the gauge and the outcome.
class Run {
public:
    Run(SerialLink &link, int maximum, const TransferProgress &progress, const StopRequest &stop)
        : protocol(link), link_(link), maximum_(maximum), progress_(progress), stop_(stop) {}

    CloneProtocol protocol;
    TransferResult result;

    void count() { setProgress(result.progress + 1); }
    void setProgress(int value) {
        result.progress = value;
        if (progress_)
            progress_(value, maximum_);
    }

    // Ends the run: NoResponse, or LinkFailed with the port's own text when the link is
    // what failed.
    TransferResult fail(int channel, const QString &detail) {
        result.channel = channel;
        result.detail = detail;
        result.status = TransferStatus::NoResponse;
        if (link_.failed()) {
            result.status = TransferStatus::LinkFailed;
            result.detail += QStringLiteral(": ") + link_.errorString();
        }
        // A port error (the cable pulled, the device gone) is its own message.
        if (shook_ && result.status == TransferStatus::NoResponse)
            result.line = observeStop(channel, result.completedChannels);
        return result;
    }

    bool linkLost() const { return link_.failed(); }

    void skip(SkippedStep step, const QString &what) {
        result.skippedSteps << step;
        result.skipped << what;
    }

    // At a step boundary, with the radio in clone mode: true (and the end command sent)
    // when the caller asked to stop. `settle` runs after the end command, before the
    // result says how far the run got.
    bool stopHere(const std::function<void()> &settle = {}) {
        if (!stop_ || !stop_())
            return false;
        protocol.endExchange();
        if (settle)
            settle();
        result.status = TransferStatus::Interrupted;
        result.detail = QStringLiteral("interrupted after %1 of %2 channels")
                            .arg(result.completedChannels)
                            .arg(kChannelCount);
        return true;
    }

    // Handshake, then the acknowledgement and the identification read that open every
    // transfer, then the acknowledgement that the first block follows. Returns false
    // (with the result set) when the run cannot go on; `ack` is the outcome of that last
    // acknowledgement, the check before the first channel.
    bool start(CloneProtocol::Ack &ack) {
        if (!link_.isOpen()) {
            result.status = TransferStatus::PortNotOpen;
            result.detail = QStringLiteral("the port is not open");
            return false;
        }
        const bool shook = protocol.handshake();
        result.handshakeAttempts = protocol.handshakeAttempts();
        if (!shook) {
            fail(0, QStringLiteral("no ident reply after %1 handshake attempts")
                        .arg(result.handshakeAttempts));
            // A port that failed while shaking hands says nothing about the radio.
            if (!linkLost())
                result.line = observeHandshake(protocol.handshakeReplies());
            return false;
        }
        shook_ = true;
        if (protocol.acknowledge()) {
            // The block is read only to follow the radio's expected order (and to learn
            // whether the radio echoes read headers); its content is not used.
            if (!protocol.readBlock(RadioImage::kIdentAddress)) {
                fail(0, noValidReply(RadioImage::kIdentAddress));
                return false;
            }
        } else if (linkLost()) {
            fail(0, QStringLiteral("acknowledgement after the handshake"));
            return false;
        } else {
            skip(SkippedStep::IdentRead,
                 QStringLiteral("identification block read (no acknowledgement after the "
                                "handshake)"));
        }
        ack = protocol.acknowledgeReply();
        if (ack == CloneProtocol::Ack::Suspect) {
            fail(0, suspectReply(RadioImage::kIdentAddress));
            return false;
        }
        return true;
    }

    static QString noValidReply(quint16 address) {
        return QStringLiteral("no valid reply to the read of ") + addressText(address);
    }
    static QString suspectReply(quint16 address) {
        return QStringLiteral("the reply to the read of ") + addressText(address) +
               QStringLiteral(" was followed by stray input or a garbled acknowledgement");
    }

private:
    SerialLink &link_;
    bool shook_ = false;
    int maximum_;
    const TransferProgress &progress_;
    const StopRequest &stop_;
};

// Where a read puts what it takes: a failure within channel n's blocks loses that
// channel; a whole record and the settings block are handed over as read.
struct ReadSink {
    std::function<void(int channel)> channelLost;
    std::function<void(int channel, const QByteArray &record)> channelRead;
    std::function<void(const QByteArray &block)> settingsRead;
};

QString notAcknowledgedBefore(int channel) {
    return QStringLiteral("no acknowledgement before ") + channelLabel(channel);
}

} // namespace

QString TransferResult::notice(const UiTexts &texts) const {
    QStringList lines;
    if (skippedSteps.contains(SkippedStep::SettingsRead))
        lines << texts.msgSettingsNotRead;
    if (skippedSteps.contains(SkippedStep::Band1Limits) ||
        skippedSteps.contains(SkippedStep::Band2Limits) ||
        skippedSteps.contains(SkippedStep::IdentWrite))
        lines << texts.msgTailNotWritten;
    return lines.join(u'\n');
}

QString TransferResult::message(const UiTexts &texts) const {
    switch (status) {
    case TransferStatus::Ok:
        return {};
    case TransferStatus::PortNotOpen:
        return texts.msgPortOpenFailed;
    case TransferStatus::InvalidChannel:
        // One pass over the pattern, so a "%1" in the cell's text is shown as it stands.
        return texts.msgCannotWriteCell.arg(
            QStringLiteral("%1").arg(channel, 3, 10, QLatin1Char('0')), fieldName, cellText);
    case TransferStatus::NoResponse:
    case TransferStatus::LinkFailed:
        return withLineObservation(texts.msgNoResponse, line, texts.line);
    case TransferStatus::Interrupted:
        return detail;
    }
    return {};
}

namespace {

TransferResult readSequence(SerialLink &link, const ReadSink &sink,
                            const TransferProgress &progress, const StopRequest &stop) {
    using Ack = CloneProtocol::Ack;
    Run run(link, kReadProgressMax, progress, stop);
    CloneProtocol &protocol = run.protocol;
    Ack ack = Ack::Missing;
    if (!run.start(ack))
        return run.result;

    // A channel whose blocks passed their checks waits here until the next command
    // finds the line quiet: stray bytes after its acknowledgement would mean that the
    // acknowledgement, and so the data before it, may not be what the radio sent.
    struct Unconfirmed {
        int channel;
        QByteArray record;
    };
    std::optional<Unconfirmed> unconfirmed;
    const auto take = [&](int channel, const QByteArray &record) {
        sink.channelRead(channel, record);
        run.result.completedChannels = channel;
    };
    // After the next command went out: the waiting channel is taken, or lost when input
    // was waiting before that command.
    const auto confirmed = [&]() {
        if (!unconfirmed)
            return true;
        const Unconfirmed waiting = *unconfirmed;
        unconfirmed.reset();
        if (protocol.inputBeforeLastCommand()) {
            sink.channelLost(waiting.channel);
            return false;
        }
        take(waiting.channel, waiting.record);
        return true;
    };
    const auto refuted = [&](int channel) {
        return run.fail(channel,
                        channelLabel(channel) + QStringLiteral(": ") +
                            Run::suspectReply(RadioImage::channelSecondHalfAddress(channel)));
    };
    const auto lost = [&](int channel, const QString &what) {
        sink.channelLost(channel);
        return run.fail(channel, channelLabel(channel) + QStringLiteral(": ") + what);
    };

    for (int n = 1; n <= kChannelCount; ++n) {
        if (ack == Ack::Missing)
            return run.fail(n, notAcknowledgedBefore(n));
        // The end command settles the channel still waiting.
        if (run.stopHere([&] { confirmed(); }))
            return run.result;
        // From here on a failure empties the row: it was being replaced.
        const quint16 firstAddress = RadioImage::channelAddress(n);
        const quint16 secondAddress = RadioImage::channelSecondHalfAddress(n);
        const auto first = protocol.readBlock(firstAddress);
        if (!confirmed())
            return refuted(n - 1);
        if (!first)
            return lost(n, Run::noValidReply(firstAddress));
        const Ack firstAck = protocol.acknowledgeReply();
        if (firstAck != Ack::Clean)
            return lost(n, firstAck == Ack::Suspect ? Run::suspectReply(firstAddress)
                                                    : QStringLiteral("no acknowledgement after ") +
                                                          addressText(firstAddress));
        const auto second = protocol.readBlock(secondAddress);
        if (!second || protocol.inputBeforeLastCommand())
            return lost(n, second ? Run::suspectReply(firstAddress)
                                  : Run::noValidReply(secondAddress));
        const QByteArray record = *first + *second;
        ack = protocol.acknowledgeReply();
        if (ack == Ack::Suspect)
            return lost(n, Run::suspectReply(secondAddress));
        if (ack == Ack::Clean)
            unconfirmed = Unconfirmed{n, record};
        else
            take(n, record);
        run.count();
    }

    if (ack == Ack::Clean) {
        const auto block = protocol.readBlock(RadioImage::kSettingsAddress);
        if (!confirmed())
            return refuted(kChannelCount);
        if (!block)
            return run.fail(0, QStringLiteral("no valid reply to the read of the settings block ") +
                                   addressText(RadioImage::kSettingsAddress));
        run.count();
        const Ack endAck = protocol.acknowledgeReply();
        if (endAck == Ack::Suspect)
            return run.fail(0, Run::suspectReply(RadioImage::kSettingsAddress));
        if (endAck == Ack::Clean) {
            run.setProgress(kReadProgressEnd);
            protocol.endExchange();
            if (protocol.inputBeforeLastCommand())
                return run.fail(0, Run::suspectReply(RadioImage::kSettingsAddress));
        } else if (run.linkLost()) {
            return run.fail(0, QStringLiteral("acknowledgement before the end command"));
        } else {
            run.skip(SkippedStep::EndCommand, QStringLiteral("end command (no acknowledgement)"));
        }
        sink.settingsRead(*block);
        return run.result;
    }

    if (run.linkLost())
        return run.fail(0, notAcknowledgedBefore(kChannelCount));
    run.skip(SkippedStep::SettingsRead,
             QStringLiteral("settings block read (no acknowledgement of ") +
                 channelLabel(kChannelCount) + QLatin1Char(')'));
    if (protocol.acknowledge()) {
        run.setProgress(kReadProgressEnd);
        protocol.endExchange();
    } else if (run.linkLost()) {
        return run.fail(0, QStringLiteral("acknowledgement before the end command"));
    } else {
        run.skip(SkippedStep::EndCommand, QStringLiteral("end command (no acknowledgement)"));
    }
    return run.result;
}

} // namespace

TransferResult readRadio(SerialLink &link, ChannelTable &table, RadioSettings &settings,
                         const UiTexts &texts, const TransferProgress &progress,
                         const StopRequest &stop) {
    ReadSink sink;
    sink.channelLost = [&](int n) { table.clearRow(n); };
    sink.channelRead = [&](int n, const QByteArray &record) {
        table.setRow(n, decodeChannel(record, texts));
    };
    sink.settingsRead = [&](const QByteArray &block) {
        settings.setIndexes(decodeSettingsBlock(block, settings.indexes()));
    };
    return readSequence(link, sink, progress, stop);
}

TransferResult readRadioBlocks(SerialLink &link, RadioReadBack &blocks,
                               const TransferProgress &progress, const StopRequest &stop) {
    blocks = RadioReadBack{};
    ReadSink sink;
    sink.channelLost = [&](int n) { blocks.records[n - 1].clear(); };
    sink.channelRead = [&](int n, const QByteArray &record) { blocks.records[n - 1] = record; };
    sink.settingsRead = [&](const QByteArray &block) { blocks.settingsBlock = block; };
    return readSequence(link, sink, progress, stop);
}

TransferResult validateForWrite(const ChannelTable &table, const UiTexts &texts) {
    TransferResult result;
    for (int n = 1; n <= kChannelCount; ++n) {
        const ChannelRow row = table.row(n);
        const int column = findUnencodableColumn(row, texts);
        if (column == 0)
            continue;
        result.status = TransferStatus::InvalidChannel;
        result.channel = n;
        result.column = column;
        result.fieldName = table.header(column);
        result.cellText = row[column - 1];
        result.detail = QStringLiteral("%1, %2: \"%3\" cannot be written to the radio")
                            .arg(channelLabel(n), fieldName(column), row[column - 1]);
        return result;
    }
    return result;
}

TransferResult writeRadio(SerialLink &link, const ChannelTable &table,
                          const RadioSettings &settings, const BandPlan &bands,
                          const UiTexts &texts, const TransferProgress &progress,
                          const StopRequest &stop) {
    // Everything is encoded before the first byte goes out, so a bad cell can never
    // leave the radio half written.
    TransferResult invalid = validateForWrite(table, texts);
    if (!invalid.ok())
        return invalid;
    std::vector<QByteArray> records(kChannelCount + 1);
    for (int n = 1; n <= kChannelCount; ++n)
        records[n] = *encodeChannel(table.row(n), texts);

    Run run(link, kWriteProgressMax, progress, stop);
    CloneProtocol &protocol = run.protocol;
    CloneProtocol::Ack startAck = CloneProtocol::Ack::Missing;
    if (!run.start(startAck))
        return run.result;
    bool ack = startAck == CloneProtocol::Ack::Clean;

    for (int n = 1; n <= kChannelCount; ++n) {
        if (!ack)
            return run.fail(n, notAcknowledgedBefore(n));
        if (run.stopHere())
            return run.result;
        const quint16 firstAddress = RadioImage::channelAddress(n);
        const quint16 secondAddress = RadioImage::channelSecondHalfAddress(n);
        if (!protocol.writeBlock(firstAddress, records[n].left(RadioImage::kBlockSize)))
            return run.fail(n, channelLabel(n) + QStringLiteral(": the write of ") +
                                   addressText(firstAddress) +
                                   QStringLiteral(" was not acknowledged"));
        ack = protocol.writeBlock(secondAddress, records[n].mid(RadioImage::kBlockSize));
        run.count();
        if (!ack)
            return run.fail(n, channelLabel(n) + QStringLiteral(": the write of ") +
                                   addressText(secondAddress) +
                                   QStringLiteral(" was not acknowledged"));
        run.result.completedChannels = n;
    }

    if (run.stopHere())
        return run.result;
    // From the settings block on, a block the radio does not acknowledge only skips the
    // blocks after it.
    ack =
        protocol.writeBlock(RadioImage::kSettingsAddress, encodeSettingsBlock(settings.indexes()));
    run.count();

    struct Tail {
        SkippedStep step;
        QString name;
        quint16 address;
        std::optional<QByteArray> block;
        bool discardOutput;
    };
    const std::array<Tail, 3> tails = {{
        {SkippedStep::Band1Limits, QStringLiteral("band 1 limits"), RadioImage::kBand1Address,
         encodeBandLimits(bands.displayedText(BandList::Band1Rx),
                          bands.displayedText(BandList::Band1Tx)),
         true},
        {SkippedStep::Band2Limits, QStringLiteral("band 2 limits"), RadioImage::kBand2Address,
         encodeBandLimits(bands.displayedText(BandList::Band2Rx),
                          bands.displayedText(BandList::Band2Tx)),
         false},
        {SkippedStep::IdentWrite, QStringLiteral("identification block"), RadioImage::kIdentAddress,
         identBlock(), false},
    }};
    QString lastWritten = QStringLiteral("settings block");
    for (const Tail &tail : tails) {
        if (run.linkLost())
            return run.fail(0, QStringLiteral("the write of ") + lastWritten);
        if (!ack) {
            run.skip(tail.step, tail.name + QStringLiteral(" (no acknowledgement of the ") +
                                    lastWritten + QLatin1Char(')'));
        } else if (!tail.block) {
            run.skip(SkippedStep::BandWithoutSelection,
                     tail.name + QStringLiteral(" (no usable band selection)"));
        } else {
            if (run.stopHere())
                return run.result;
            if (tail.discardOutput)
                link.discardOutput();
            ack = protocol.writeBlock(tail.address, *tail.block);
            lastWritten = tail.name;
        }
        run.count();
    }
    if (run.linkLost())
        return run.fail(0, QStringLiteral("the write of ") + lastWritten);

    if (ack) {
        run.setProgress(kWriteProgressEnd);
        protocol.endExchange();
    } else {
        run.skip(SkippedStep::EndCommand,
                 QStringLiteral("end command (no acknowledgement of the ") + lastWritten +
                     QLatin1Char(')'));
    }
    return run.result;
}

} // namespace vrx
