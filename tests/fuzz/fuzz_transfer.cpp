// A whole read and a whole write against the simulated radio, with the replies that
// reach the tool disturbed as a noisy line or an odd radio would: bytes before a reply,
// a lost last byte, bytes after it, a cut, garbage, silence, a pulled cable. Disturbances
// inside the data (which no check of the protocol can see) are left out.
//
// Properties: a read that succeeds holds exactly the radio's channels and settings; a
// failed read holds the radio's channels before the failing one, leaves the later ones
// and the settings as they were, and the failing one as it was or empty. A write
// succeeds only when every channel block it sent was acknowledged.

#include "fuzz_check.h"

#include "radio/simulated_link.h"
#include "radio/transfer.h"
#include "test_texts.h"

#include <QStringList>

namespace vrx {
namespace {

// What the radio's replies go through on their way to the tool.
class DisturbedLink : public SerialLink {
public:
    DisturbedLink(SimulatedLink &line, const uint8_t *script, size_t size)
        : line_(line), script_(script), size_(size) {}

    bool open() override { return line_.open(); }
    void close() override { line_.close(); }
    bool isOpen() const override { return line_.isOpen(); }
    void send(const QByteArray &bytes) override {
        lastCommand_ = bytes;
        line_.send(bytes);
    }
    QByteArray waitForBytes(int count, int timeoutMs) override {
        QByteArray reply = line_.waitForBytes(count, timeoutMs);
        if (failed_)
            return {};
        if (pos_ < size_)
            reply = disturb(reply);
        if (failed_)
            return {};
        const bool isRead = lastCommand_.size() == 4 && lastCommand_.at(0) == 0x52;
        if (isRead && !readSeen_) {
            readSeen_ = true;
            // The radio echoes; a first reply that does not makes the tool take it for
            // one that does not, and a transfer with a radio like that has no header
            // check to rely on.
            uncheckedTransfer_ = reply.size() == 12 && reply.mid(1, 3) != lastCommand_.mid(1);
        }
        const int address = lastCommand_.size() >= 3
                                ? (quint8(lastCommand_.at(1)) << 8) | quint8(lastCommand_.at(2))
                                : 0;
        const bool isChannelWrite =
            lastCommand_.size() == 12 && lastCommand_.at(0) == 0x57 && address < 0x0C80;
        if (isChannelWrite && reply.startsWith(char(0x06)))
            acknowledgedChannelBlocks_ << lastCommand_.left(3).toHex();
        return reply;
    }
    void pause(int ms) override { line_.pause(ms); }
    int discardInput() override {
        const int dropped = line_.discardInput() + lateBytes_;
        lateBytes_ = 0;
        return dropped;
    }
    void discardOutput() override { line_.discardOutput(); }
    bool failed() const override { return failed_ || line_.failed(); }
    QString errorString() const override { return QStringLiteral("unplugged"); }

    // Channel blocks (57 hi lo) whose reply started with 06.
    QStringList acknowledgedChannelBlocks_;
    bool uncheckedTransfer_ = false;

private:
    QByteArray disturb(QByteArray reply) {
        const uint8_t op = next();
        const char noise = char(next());
        switch (op % 12) {
        case 0:
            reply.prepend(noise);
            break;
        case 1:
            reply.chop(1);
            break;
        case 2:
            reply = noise + reply.left(reply.size() - 1);
            break;
        case 3:
            reply.append(noise);
            break;
        case 4:
            reply = reply.left(noise & 0x0F);
            break;
        case 5:
            reply = QByteArray(1 + (noise & 0x0F), noise);
            break;
        case 6:
            reply.clear();
            break;
        case 7:
            // A byte that arrives after the tool took the reply.
            lateBytes_ += 1;
            break;
        case 8:
            if (noise == 0x7F)
                failed_ = true;
            break;
        default:
            break;
        }
        return reply;
    }

    uint8_t next() { return pos_ < size_ ? script_[pos_++] : 0; }

    SimulatedLink &line_;
    const uint8_t *script_;
    size_t size_;
    size_t pos_ = 0;
    int lateBytes_ = 0;
    bool failed_ = false;
    bool readSeen_ = false;
    QByteArray lastCommand_;
};

const UiTexts &texts() {
    static const UiTexts english = test::englishTexts();
    return english;
}

// A plan with something in every field, in a radio image made by a clean write.
struct Fixture {
    ChannelTable plan;
    ChannelTable before;
    SimulatedRadio radio;
    OptionIndexes radioOptions;
    Fixture() {
        for (int n = 1; n <= kChannelCount; n += 3)
            plan.setRow(n, {QStringLiteral("43%1.%2").arg(n % 10).arg(n * 125, 5, 10, QChar(u'0')),
                            n % 2 ? QStringLiteral("67.0") : QStringLiteral("D023N"),
                            QStringLiteral("438.50000"), texts().offText, texts().highText,
                            texts().wideText, texts().onText, texts().offText});
        for (int n = 1; n <= kChannelCount; ++n)
            before.setRow(n, {QStringLiteral("446.00625"), texts().offText,
                              QStringLiteral("446.00625"), texts().offText, texts().lowText,
                              texts().narrowText, texts().offText, texts().onText});
        RadioSettings settings;
        settings.setIndex(Option::Squelch, 7);
        radioOptions = settings.indexes();
        SimulatedLink link(radio);
        link.open();
        const BandPlan bands;
        FUZZ_CHECK(writeRadio(link, plan, settings, bands, texts()).ok());
        radio.resetSession();
    }
};

void checkRead(const Fixture &fixture, const uint8_t *data, size_t size) {
    SimulatedRadio radio = fixture.radio;
    SimulatedLink line(radio);
    DisturbedLink link(line, data, size);
    link.open();
    ChannelTable table;
    for (int n = 1; n <= kChannelCount; ++n)
        table.setRow(n, fixture.before.row(n));
    RadioSettings settings;
    const OptionIndexes optionsBefore = settings.indexes();

    const TransferResult result = readRadio(link, table, settings, texts());
    if (link.uncheckedTransfer_)
        return;
    if (result.ok()) {
        for (int n = 1; n <= kChannelCount; ++n)
            FUZZ_CHECK(table.row(n) == fixture.plan.row(n));
        const bool settingsSkipped = !result.skipped.filter(QStringLiteral("settings")).isEmpty();
        FUZZ_CHECK(settings.indexes() == (settingsSkipped ? optionsBefore : fixture.radioOptions));
        return;
    }
    FUZZ_CHECK(settings.indexes() == optionsBefore);
    const int failed = result.channel;
    if (failed == 0) {
        bool allRead = true, noneRead = true;
        for (int n = 1; n <= kChannelCount; ++n) {
            allRead = allRead && table.row(n) == fixture.plan.row(n);
            noneRead = noneRead && table.row(n) == fixture.before.row(n);
        }
        FUZZ_CHECK(allRead || noneRead);
        return;
    }
    for (int n = 1; n < failed; ++n)
        FUZZ_CHECK(table.row(n) == fixture.plan.row(n));
    FUZZ_CHECK(table.row(failed) == ChannelRow{} ||
               table.row(failed) == fixture.before.row(failed));
    for (int n = failed + 1; n <= kChannelCount; ++n)
        FUZZ_CHECK(table.row(n) == fixture.before.row(n));
}

void checkWrite(const Fixture &fixture, const uint8_t *data, size_t size) {
    SimulatedRadio radio;
    SimulatedLink line(radio);
    DisturbedLink link(line, data, size);
    link.open();
    RadioSettings settings;
    const BandPlan bands;
    const TransferResult result = writeRadio(link, fixture.plan, settings, bands, texts());
    if (!result.ok())
        return;
    // Every channel block (two per channel) was answered with an acknowledgement, and
    // the radio holds the plan.
    FUZZ_CHECK(link.acknowledgedChannelBlocks_.size() == 2 * kChannelCount);
    FUZZ_CHECK(radio.memory().mid(0x10, 16 * kChannelCount) ==
               fixture.radio.memory().mid(0x10, 16 * kChannelCount));
}

} // namespace
} // namespace vrx

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const vrx::Fixture fixture;
    if (size == 0)
        return 0;
    // The first byte chooses the direction; the rest is the script of disturbances.
    if (data[0] & 1)
        vrx::checkWrite(fixture, data + 1, size - 1);
    else
        vrx::checkRead(fixture, data + 1, size - 1);
    return 0;
}
