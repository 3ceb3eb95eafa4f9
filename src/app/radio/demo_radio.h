#pragma once

#include "channels/channel_table.h"
#include "radio/pty_radio_server.h"

#include <QList>
#include <QString>

namespace vrx {

// A simulated radio on a pseudo-terminal, preloaded with a small sample plan, so the
// program can be tried without a radio: `vrx5800 --demo` maps COM1 to it for the run.
class DemoRadio {
public:
    DemoRadio();

    // The sample channels (1, 2, ...) the radio holds, in the built-in Chinese words.
    static QList<ChannelRow> sampleChannels();

    // Opens the pseudo-terminal. With wire time the radio answers at 9600-baud speed, so
    // the transfer dialog's gauge moves as it does with a real radio.
    bool start(bool wireTime, QString *error = nullptr);
    QString devicePath() const { return server_.devicePath(); }
    SimulatedRadio &radio() { return server_.radio(); }

private:
    PtyRadioServer server_;
};

} // namespace vrx
