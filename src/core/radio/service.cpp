#include "radio/service.h"

#include "radio/clone_protocol.h"
#include "radio/radio_image.h"
#include "radio/settings_codec.h"

#include <functional>

namespace vrx {

namespace {

// Open, handshake, the operation's own steps, close: the frame every service
// exchange shares. The link is closed on every path.
ServiceResult runExchange(SerialLink &link,
                          const std::function<ServiceResult(CloneProtocol &)> &steps) {
    ServiceResult result;
    // An open link belongs to another exchange (a transfer dialog holds the port): this
    // one must not run over it, nor close it.
    if (link.isOpen()) {
        result.status = ServiceStatus::PortOpenFailed;
        result.detail = QStringLiteral("the port is in use");
        return result;
    }
    if (!link.open()) {
        result.status = ServiceStatus::PortOpenFailed;
        result.detail = link.errorString();
        return result;
    }
    CloneProtocol protocol(link);
    if (protocol.handshake()) {
        result = steps(protocol);
    } else {
        result.status = ServiceStatus::NoResponse;
        result.detail = QStringLiteral("no ident reply after %1 handshake attempts")
                            .arg(protocol.handshakeAttempts());
        if (!link.failed())
            result.line = observeHandshake(protocol.handshakeReplies());
    }
    if (link.failed()) {
        result.status = ServiceStatus::LinkFailed;
        result.detail = link.errorString();
    }
    link.close();
    return result;
}

ServiceResult notAcknowledged(const QString &what) {
    return {ServiceStatus::NotAcknowledged, QStringLiteral("no acknowledgement ") + what, {}};
}

} // namespace

QString ServiceResult::message(const UiTexts &texts) const {
    switch (status) {
    case ServiceStatus::PortOpenFailed:
        return texts.msgPortOpenFailed;
    case ServiceStatus::NoResponse:
    case ServiceStatus::LinkFailed:
        return withLineObservation(texts.msgNoResponse, line, texts.line);
    case ServiceStatus::Done:
    case ServiceStatus::NotAcknowledged:
        break;
    }
    return {};
}

ServiceResult readPowerDrive(SerialLink &link, RadioSettings &settings) {
    return runExchange(link, [&](CloneProtocol &protocol) {
        ServiceResult result;
        if (!protocol.acknowledge()) {
            result = notAcknowledged(QStringLiteral("after the handshake"));
        } else {
            const auto block = protocol.readBlock(RadioImage::kPowerDriveAddress);
            const auto drives = block ? decodePowerDrive(*block) : std::nullopt;
            if (drives)
                settings.setDrives(*drives);
            else
                result = {ServiceStatus::NoResponse,
                          QStringLiteral("no reply to the read of the power drive block"),
                          {}};
        }
        // Acknowledged or not, the radio is offered the end of the exchange.
        if (protocol.acknowledge())
            protocol.endExchange();
        return result;
    });
}

ServiceResult writePowerDrive(SerialLink &link, const RadioSettings &settings) {
    return runExchange(link, [&](CloneProtocol &protocol) {
        if (!protocol.acknowledge())
            return notAcknowledged(QStringLiteral("after the handshake"));
        if (!protocol.writeBlock(RadioImage::kPowerDriveAddress,
                                 encodePowerDrive(settings.drives())))
            return notAcknowledged(QStringLiteral("of the power drive block"));
        protocol.endExchange();
        return ServiceResult{};
    });
}

ServiceResult startAging(SerialLink &link) {
    return runExchange(link, [&](CloneProtocol &protocol) {
        if (!protocol.acknowledge())
            return notAcknowledged(QStringLiteral("after the handshake"));
        protocol.startAging();
        return ServiceResult{};
    });
}

void defaultPowerDrive(RadioSettings &settings) {
    settings.resetDrives();
}

} // namespace vrx
