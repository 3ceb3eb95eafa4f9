#include "edit/channel_buttons.h"

#include <QPushButton>
#include <QShortcut>

namespace vrx {

QKeySequence channelButtonKey(ChannelButton button) {
    switch (button) {
    case ChannelButton::MoveUp:
        return QKeySequence(Qt::ALT | Qt::Key_Up);
    case ChannelButton::MoveDown:
        return QKeySequence(Qt::ALT | Qt::Key_Down);
    case ChannelButton::Delete:
        return QKeySequence(Qt::Key_Delete);
    case ChannelButton::AutoFill:
    case ChannelButton::Clear:
        break;
    }
    return {};
}

QString channelButtonToolTip(ChannelButton button, const QString &caption) {
    const QKeySequence key = channelButtonKey(button);
    if (key.isEmpty())
        return caption;
    return QStringLiteral("%1 (%2)").arg(caption, key.toString(QKeySequence::NativeText));
}

void addChannelButtonShortcuts(MainWindow &window) {
    for (ChannelButton id : {ChannelButton::MoveUp, ChannelButton::MoveDown}) {
        QPushButton *button = window.channelButton(id);
        // A shortcut of the button itself would be replaced by the access key of every
        // caption a language pack sets.
        // Held down, the key repeats and moves the channel on step by step.
        auto *shortcut = new QShortcut(channelButtonKey(id), &window);
        shortcut->setAutoRepeat(true);
        QObject::connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible())
                button->click();
        });
    }
}

} // namespace vrx
