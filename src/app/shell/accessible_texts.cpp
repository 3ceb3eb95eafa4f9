#include "shell/accessible_texts.h"

#include "dialogs/link_label.h"
#include "edit/channel_grid.h"
#include "radio/transfer_dialog.h"
#include "shell/main_window.h"
#include "shell/window_texts.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace vrx {

void applyAccessibleTexts(MainWindow &w) {
    const AccessTexts &texts = w.accessTexts();
    const std::pair<MainAction, PackId> side[] = {
        {MainAction::Read, PackId::AccReadDescription},
        {MainAction::Write, PackId::AccWriteDescription},
        {MainAction::Exit, PackId::AccExitDescription},
    };
    for (const auto &[id, description] : side) {
        QToolButton *button = w.sideButton(id);
        button->setAccessibleName(withoutAccessKey(w.sideLink(id)->text()));
        button->setAccessibleDescription(texts.text(description));
    }
    for (int i = 0; i < kChannelButtonCount; ++i)
        w.channelButton(ChannelButton(i))
            ->setAccessibleDescription(texts.text(PackId::AccChannelButtonsDescription));
    w.skinAction(kSystemSkin)->setText(texts.text(PackId::MenuSkinSystem));
    w.grid()->retranslateAccessible();
    if (TransferDialog *transfer = w.transferDialog())
        transfer->gauge()->setAccessibleName(texts.text(PackId::AccGaugeName));
}

} // namespace vrx
