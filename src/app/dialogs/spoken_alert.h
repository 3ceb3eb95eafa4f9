#pragma once

class QString;
class QWidget;

namespace vrx {

// Tells assistive technology that `window` has come up with `message` (a failure, a
// question, the notes of a transfer): the message becomes the window's description, read
// with its title, and an alert is raised for a screen reader to speak it at once.
void raiseSpokenAlert(QWidget *window, const QString &message);

// Gives `widget` a new description and says so, for a screen reader to read the change
// (the phase and outcome of a transfer on its gauge).
void describeForScreenReader(QWidget *widget, const QString &text);

} // namespace vrx
