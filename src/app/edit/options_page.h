#pragma once

#include "settings/radio_settings.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;

namespace vrx {

// The function options page: a caption and a drop-down list per radio-wide option,
// in two framed boxes. The lists are views of RadioSettings in both directions.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit OptionsPage(RadioSettings *settings, QWidget *parent = nullptr);

    // Every option has a list; Ring and BroadBand's are hidden, as is BroadBand's caption.
    QComboBox *combo(Option option) const { return combos_[indexOf(option)]; }
    // nullptr for Ring, which has no caption.
    QLabel *label(Option option) const { return labels_[indexOf(option)]; }
    QGroupBox *leftBox() const { return left_; }
    QGroupBox *rightBox() const { return right_; }

private:
    void fill(Option option);

    RadioSettings *settings_;
    std::array<QComboBox *, kOptionCount> combos_{};
    std::array<QLabel *, kOptionCount> labels_{};
    QGroupBox *left_ = nullptr;
    QGroupBox *right_ = nullptr;
};

} // namespace vrx
