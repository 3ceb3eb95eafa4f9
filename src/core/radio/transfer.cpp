#include "radio/transfer.h"

#include "radio/channel_codec.h"
#include "radio/clone_protocol.h"
#include "radio/radio_image.h"
#include "radio/settings_codec.h"

#include <array>
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
        return result;
    }

    bool linkLost() const { return link_.failed(); }

    // At a step boundary, with the radio in clone mode: true (and the end command sent)
    // when the caller asked to stop.
    bool stopHere() {
        if (!stop_ || !stop_())
            return false;
        protocol.endExchange();
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
    bool start(bool &ack) {
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
            return false;
        }
        if (protocol.acknowledge()) {
            // The block is read only to follow the radio's expected order; its content
            // is not used.
            if (!protocol.readBlock(RadioImage::kIdentAddress)) {
                fail(0, QStringLiteral("no valid reply to the read of %1")
                            .arg(addressText(RadioImage::kIdentAddress)));
                return false;
            }
        } else if (linkLost()) {
            fail(0, QStringLiteral("acknowledgement after the handshake"));
            return false;
        } else {
            result.skipped << QStringLiteral("identification block read (no acknowledgement "
                                             "after the handshake)");
        }
        ack = protocol.acknowledge();
        return true;
    }

private:
    SerialLink &link_;
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
        return texts.msgNoResponse;
    case TransferStatus::Interrupted:
        return detail;
    }
    return {};
}

namespace {

TransferResult readSequence(SerialLink &link, const ReadSink &sink,
                            const TransferProgress &progress, const StopRequest &stop) {
    Run run(link, kReadProgressMax, progress, stop);
    CloneProtocol &protocol = run.protocol;
    bool ack = false;
    if (!run.start(ack))
        return run.result;

    for (int n = 1; n <= kChannelCount; ++n) {
        if (!ack)
            return run.fail(n, notAcknowledgedBefore(n));
        if (run.stopHere())
            return run.result;
        // From here on a failure empties the row: it was being replaced.
        const quint16 firstAddress = RadioImage::channelAddress(n);
        const quint16 secondAddress = RadioImage::channelSecondHalfAddress(n);
        const auto first = protocol.readBlock(firstAddress);
        if (!first) {
            sink.channelLost(n);
            return run.fail(n, channelLabel(n) +
                                   QStringLiteral(": no valid reply to the read of ") +
                                   addressText(firstAddress));
        }
        if (!protocol.acknowledge()) {
            sink.channelLost(n);
            return run.fail(n, channelLabel(n) + QStringLiteral(": no acknowledgement after ") +
                                   addressText(firstAddress));
        }
        const auto second = protocol.readBlock(secondAddress);
        if (!second) {
            sink.channelLost(n);
            return run.fail(n, channelLabel(n) +
                                   QStringLiteral(": no valid reply to the read of ") +
                                   addressText(secondAddress));
        }
        sink.channelRead(n, *first + *second);
        ack = protocol.acknowledge();
        run.result.completedChannels = n;
        run.count();
    }

    if (ack) {
        const auto block = protocol.readBlock(RadioImage::kSettingsAddress);
        if (!block)
            return run.fail(0, QStringLiteral("no valid reply to the read of the settings block ") +
                                   addressText(RadioImage::kSettingsAddress));
        sink.settingsRead(*block);
        run.count();
    } else if (run.linkLost()) {
        return run.fail(0, notAcknowledgedBefore(kChannelCount));
    } else {
        run.result.skipped << QStringLiteral("settings block read (no acknowledgement of ") +
                                  channelLabel(kChannelCount) + QLatin1Char(')');
    }

    if (protocol.acknowledge()) {
        run.setProgress(kReadProgressEnd);
        protocol.endExchange();
    } else if (run.linkLost()) {
        return run.fail(0, QStringLiteral("acknowledgement before the end command"));
    } else {
        run.result.skipped << QStringLiteral("end command (no acknowledgement)");
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
    bool ack = false;
    if (!run.start(ack))
        return run.result;

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
        if (ack)
            run.result.completedChannels = n;
        if (!ack)
            return run.fail(n, channelLabel(n) + QStringLiteral(": the write of ") +
                                   addressText(secondAddress) +
                                   QStringLiteral(" was not acknowledged"));
    }

    if (run.stopHere())
        return run.result;
    // From the settings block on, a block the radio does not acknowledge only skips the
    // blocks after it.
    ack =
        protocol.writeBlock(RadioImage::kSettingsAddress, encodeSettingsBlock(settings.indexes()));
    run.count();

    struct Tail {
        QString name;
        quint16 address;
        std::optional<QByteArray> block;
        bool discardOutput;
    };
    const std::array<Tail, 3> tails = {{
        {QStringLiteral("band 1 limits"), RadioImage::kBand1Address,
         encodeBandLimits(bands.displayedText(BandList::Band1Rx),
                          bands.displayedText(BandList::Band1Tx)),
         true},
        {QStringLiteral("band 2 limits"), RadioImage::kBand2Address,
         encodeBandLimits(bands.displayedText(BandList::Band2Rx),
                          bands.displayedText(BandList::Band2Tx)),
         false},
        {QStringLiteral("identification block"), RadioImage::kIdentAddress, identBlock(), false},
    }};
    QString lastWritten = QStringLiteral("settings block");
    for (const Tail &tail : tails) {
        if (run.linkLost())
            return run.fail(0, QStringLiteral("the write of ") + lastWritten);
        if (!ack) {
            run.result.skipped << tail.name + QStringLiteral(" (no acknowledgement of the ") +
                                      lastWritten + QLatin1Char(')');
        } else if (!tail.block) {
            run.result.skipped << tail.name + QStringLiteral(" (no usable band selection)");
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
        run.result.skipped << QStringLiteral("end command (no acknowledgement of the ") +
                                  lastWritten + QLatin1Char(')');
    }
    return run.result;
}

} // namespace vrx
