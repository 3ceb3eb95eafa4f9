#pragma once

#include "dialogs/blocking_dialog.h"

#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;

namespace vrx {

// What OK does in the warning dialog.
enum class DialogMode : int {
    Notice = 1,        // OK only closes
    NewPlan = 2,       // OK clears the channels and resets the options
    ClearChannels = 3, // OK clears the channels
};

// The program's one message box and yes/no question: modeless, on top of everything,
// with the main window disabled while it is up.
class WarningDialog : public BlockingDialog {
    Q_OBJECT
public:
    explicit WarningDialog(QWidget *parent = nullptr);

    // Disables the main window, then shows `message` under `title`. OK will act by `mode`.
    // `details` (why and what helps) go below the message, a line each; the dialog grows
    // to hold them.
    void showMessage(const QString &title, const QString &message, DialogMode mode,
                     const QStringList &details = {});

    // A further button beside OK and Cancel for the message now shown (showMessage
    // takes it away again): it closes the dialog, then runs `action`.
    void offer(const QString &text, std::function<void()> action);

    DialogMode mode() const { return mode_; }
    QString message() const;
    QStringList details() const;

    QLabel *messageLabel() const { return message_; }
    QLabel *detailsLabel() const { return details_; }
    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }
    QPushButton *offerButton() const { return offer_; }

signals:
    // The dialog came up; the transfer dialog stops staying on top so this one shows.
    void aboutToShow();
    // OK closed the dialog in NewPlan or ClearChannels mode. Emitted after the dialog
    // has closed (finished() has run); the mode is back to Notice by then.
    void confirmed(vrx::DialogMode mode);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void okClicked();

    QLabel *message_ = nullptr;
    QLabel *details_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
    QPushButton *offer_ = nullptr;
    std::function<void()> offered_;
    DialogMode mode_ = DialogMode::Notice;
};

} // namespace vrx
