#include "radio/simulated_radio.h"

#include "radio/protocol_constants.h"
#include "radio/radio_image.h"

#include <algorithm>

namespace vrx {

namespace {

using namespace ProtocolBytes;

constexpr int kReadFrameLength = kBlockHeaderLength;
constexpr int kWriteFrameLength = kBlockHeaderLength + RadioImage::kBlockSize;
constexpr int kHandshakeFrameLength = 7; // 02 and the 6-byte ident word

// 10 bits a byte at 9600 baud.
constexpr qint64 kByteUs = 1040;

void put(QByteArray &memory, int address, const QByteArray &bytes) {
    memory.replace(address, bytes.size(), bytes);
}

qint64 usToDueMs(qint64 us) {
    return (us + 999) / 1000;
}

} // namespace

QByteArray SimulatedRadio::garbageReply() {
    return QByteArrayLiteral("\x15\xA5\x5A");
}

SimulatedRadio::SimulatedRadio() : memory_(kMemorySize, char(0xFF)) {
    put(memory_, RadioImage::kSettingsAddress, QByteArray::fromHex("FF020004CF060204"));
    put(memory_, RadioImage::kPowerDriveAddress, QByteArray::fromHex("4F2D2DFFFFFFFFFF"));
    put(memory_, RadioImage::kIdentAddress, QByteArray::fromHex("0000F33832363350"));
    put(memory_, RadioImage::kBand1Address, QByteArray::fromHex("0040004700400047"));
    put(memory_, RadioImage::kBand2Address, QByteArray::fromHex("0040004700400047"));
}

bool SimulatedRadio::inCloneMode() const {
    return state_ != Idle;
}

void SimulatedRadio::resetSession() {
    received_.clear();
    pending_.clear();
    fault_ = Fault{};
    steps_ = 0;
    state_ = Idle;
    aging_ = false;
    ended_ = false;
    silent_ = false;
    corrupted_ = false;
    handshakes_ = 0;
    lineFreeInUs_ = 0;
    lineFreeOutUs_ = 0;
}

QList<SimulatedRadio::Chunk> SimulatedRadio::receive(const QByteArray &bytes, qint64 nowMs) {
    received_.append(bytes);
    QList<Chunk> replies;

    nowMs_ = nowMs;
    inputStartUs_ = std::max(nowMs * 1000, wireTime_ ? lineFreeInUs_ : 0);
    if (wireTime_)
        lineFreeInUs_ = inputStartUs_ + bytes.size() * kByteUs;
    leftover_ = int(pending_.size());
    consumed_ = 0;
    const qint64 echoedUs = wireTime_ ? lineFreeInUs_ + bytes.size() * kByteUs : nowMs * 1000;
    if (fault_.kind == FaultKind::Echo || fault_.kind == FaultKind::CableOnly)
        replies.append(Chunk{usToDueMs(echoedUs), bytes});
    if (fault_.kind == FaultKind::CableOnly)
        return replies;
    if (fault_.kind == FaultKind::Noise) {
        QByteArray noise;
        for (int i = 0; i < kNoiseBytes; ++i) {
            // xorshift: the same noise on every run; never the acknowledge byte.
            noiseState_ ^= noiseState_ << 13;
            noiseState_ ^= noiseState_ >> 17;
            noiseState_ ^= noiseState_ << 5;
            const char byte = char(noiseState_ & 0xFF);
            noise.append(byte == kAck ? char(0xF9) : byte);
        }
        replies.append(Chunk{usToDueMs(echoedUs), noise});
        return replies;
    }
    pending_.append(bytes);
    process(replies);
    return replies;
}

qint64 SimulatedRadio::arrivalUs(int position) const {
    if (!wireTime_)
        return nowMs_ * 1000;
    const int indexInInput = consumed_ + position - leftover_;
    return inputStartUs_ + std::max(0, indexInInput + 1) * kByteUs;
}

void SimulatedRadio::dropPending(int count) {
    count = std::min<int>(count, int(pending_.size()));
    pending_.remove(0, count);
    consumed_ += count;
}

bool SimulatedRadio::validBlockHeader(const QByteArray &frame) const {
    if (frame.at(3) != kBlockLength)
        return false;
    const int address = (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
    return address % RadioImage::kBlockSize == 0 && address + RadioImage::kBlockSize <= kMemorySize;
}

bool SimulatedRadio::faultHitsStep(FaultKind kind) const {
    return fault_.kind == kind && steps_ >= fault_.step &&
           steps_ < fault_.step + std::max(1, fault_.count);
}

bool SimulatedRadio::answer(const QByteArray &reply, int frameLength, QList<Chunk> &replies) {
    ++steps_;
    if (fault_.kind == FaultKind::SilentFrom && steps_ >= fault_.step)
        silent_ = true;
    if (silent_)
        return false;

    QByteArray bytes = reply;
    if (faultHitsStep(FaultKind::Garbage))
        bytes = garbageReply();
    if (faultHitsStep(FaultKind::StrayAndLost))
        bytes = QByteArray(1, fault_.byte) + bytes.left(bytes.size() - 1);
    if (faultHitsStep(FaultKind::TrailingByte))
        bytes.append(fault_.byte);
    if (fault_.kind == FaultKind::Flood && steps_ >= fault_.step)
        bytes.append(QByteArray(kFloodBytes, fault_.byte));

    const qint64 startUs =
        wireTime_ ? std::max(arrivalUs(frameLength - 1), lineFreeOutUs_) : nowMs_ * 1000;
    auto schedule = [&](const QByteArray &part, qint64 fromUs) {
        const qint64 endUs = fromUs + (wireTime_ ? part.size() * kByteUs : 0);
        replies.append(Chunk{usToDueMs(endUs), part});
        return endUs;
    };

    if (faultHitsStep(FaultKind::SplitReply) && bytes.size() > 1) {
        const qsizetype half = bytes.size() / 2;
        const qint64 firstEnd = schedule(bytes.left(half), startUs);
        lineFreeOutUs_ = schedule(bytes.mid(half), firstEnd + kSplitGapMs * 1000);
    } else if (faultHitsStep(FaultKind::SplitReply)) {
        // A single byte cannot be split: its only burst comes with the gap.
        lineFreeOutUs_ = schedule(bytes, startUs + kSplitGapMs * 1000);
    } else if (faultHitsStep(FaultKind::LateReply)) {
        const int lateMs = fault_.delayMs > 0 ? fault_.delayMs : kLateByMs;
        lineFreeOutUs_ = schedule(bytes, startUs + lateMs * 1000);
    } else {
        lineFreeOutUs_ = schedule(bytes, startUs);
    }
    return true;
}

void SimulatedRadio::process(QList<Chunk> &replies) {
    while (!pending_.isEmpty()) {
        const char first = pending_.at(0);

        // A handshake is accepted in any state: a tool that missed the ident reply
        // starts over, and the radio must let it.
        if (first == kStart) {
            if (pending_.size() < kHandshakeFrameLength) {
                if (!identWord().startsWith(pending_.mid(1)))
                    dropPending(1);
                else
                    return;
                continue;
            }
            if (pending_.mid(1, identWord().size()) != identWord()) {
                dropPending(1);
                continue;
            }
            QByteArray reply = identReply();
            if (fault_.kind == FaultKind::WrongIdent)
                reply = QByteArrayLiteral("\x06 korvaX");
            else if (fault_.kind == FaultKind::ExtraIdentByte)
                reply.append(kAck);
            if (answer(reply, kHandshakeFrameLength, replies)) {
                ++handshakes_;
                // A radio of another model answers with its own word and stays apart.
                state_ = fault_.kind == FaultKind::WrongIdent ? Idle : Clone;
            }
            dropPending(kHandshakeFrameLength);
            continue;
        }

        if (state_ == Idle) {
            // Nothing but a handshake opens the radio.
            dropPending(1);
            continue;
        }

        if (first == kAck) {
            if (answer(QByteArray(1, kAck), 1, replies))
                state_ = Clone;
            dropPending(1);
            continue;
        }

        if (state_ == AwaitAck) {
            // A read must be acknowledged before anything else is taken.
            pending_.clear();
            return;
        }

        if (first == kReadOpcode) {
            if (pending_.size() < kReadFrameLength)
                return;
            const QByteArray frame = pending_.left(kReadFrameLength);
            if (!validBlockHeader(frame)) {
                pending_.clear();
                return;
            }
            const int address = (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
            QByteArray reply = frame;
            reply[0] = kWriteOpcode;
            if (fault_.kind == FaultKind::NoEcho)
                reply = QByteArray::fromHex("57000000");
            reply.append(memory_.mid(address, RadioImage::kBlockSize));
            if (answer(reply, kReadFrameLength, replies))
                state_ = AwaitAck;
            dropPending(kReadFrameLength);
            continue;
        }

        if (first == kWriteOpcode) {
            if (pending_.size() >= kReadFrameLength &&
                !validBlockHeader(pending_.left(kBlockHeaderLength))) {
                pending_.clear();
                return;
            }
            if (pending_.size() < kWriteFrameLength)
                return;
            const QByteArray frame = pending_.left(kWriteFrameLength);
            const int address = (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
            if (answer(QByteArray(1, kAck), kWriteFrameLength, replies)) {
                QByteArray data = frame.mid(kBlockHeaderLength);
                if (fault_.kind == FaultKind::CorruptStore && !corrupted_ &&
                    steps_ >= fault_.step) {
                    data[0] = char(data.at(0) ^ 0x10);
                    corrupted_ = true;
                }
                put(memory_, address, data);
            }
            dropPending(kWriteFrameLength);
            continue;
        }

        if (first == endCommand().at(0) || first == agingCommand().at(0)) {
            if (pending_.size() < 2)
                return;
            const QByteArray frame = pending_.left(2);
            if (silent_ && (frame == endCommand() || frame == agingCommand())) {
                // A radio that fell silent hears nothing more.
            } else if (frame == endCommand()) {
                ended_ = true;
                state_ = Idle;
            } else if (frame == agingCommand()) {
                aging_ = true;
                state_ = Idle;
            } else {
                pending_.clear();
                return;
            }
            dropPending(2);
            continue;
        }

        pending_.clear();
    }
}

} // namespace vrx
