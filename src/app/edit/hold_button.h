#pragma once

#include <QPushButton>

namespace vrx {

// A button that is held rather than clicked: held() when any mouse button goes down on
// it, letGo() when the last one comes up again, wherever the pointer is by then. Sliding
// off and back on neither lets go nor starts again, as a plain button's pressed() and
// released() would.
class HoldButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    bool isHeld() const { return held_; }

signals:
    void held();
    void letGo();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // A hidden or disabled button gets no release any more; it lets go at once.
    void stop();

    bool held_ = false;
};

} // namespace vrx
