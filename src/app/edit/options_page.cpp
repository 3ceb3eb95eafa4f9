#include "edit/options_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace vrx {

namespace {

const Option kLeftOptions[] = {
    Option::APO,   Option::BEEP,      Option::BatSave, Option::ScanKind,   Option::Scramble,
    Option::VfoMr, Option::MrDisplay, Option::Squelch, Option::VoxControl, Option::TxTimeout};
const Option kRightOptions[] = {Option::KeySwitch,  Option::SwitchUp, Option::DownFreq,
                                Option::SpreadFreq, Option::Band,     Option::FreqStep,
                                Option::TxLight,    Option::RxLight};

} // namespace

OptionsPage::OptionsPage(RadioSettings *settings, QWidget *parent)
    : QWidget(parent), settings_(settings) {
    for (int i = 0; i < kOptionCount; ++i) {
        const Option option = optionAt(i);
        auto *list = new QComboBox(this);
        list->setObjectName(optionKey(option));
        list->setMinimumWidth(96);
        list->setMaxVisibleItems(10);
        combos_[i] = list;
        const QString caption = optionCaption(option);
        if (!caption.isEmpty()) {
            auto *label = new QLabel(caption, this);
            label->setTextFormat(Qt::PlainText);
            // A screen reader names the list after its label.
            label->setBuddy(list);
            labels_[i] = label;
        }
        fill(option);
        connect(list, &QComboBox::currentIndexChanged, this, [this, option](int index) {
            if (index >= 0 && !settings_->setIndex(option, index))
                combo(option)->setCurrentIndex(settings_->index(option));
        });
    }

    auto makeBox = [this](const auto &options) {
        auto *box = new QGroupBox(this);
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(12, 16, 12, 12);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(9);
        int row = 0;
        for (Option option : options) {
            grid->addWidget(label(option), row, 0);
            grid->addWidget(combo(option), row, 1);
            ++row;
        }
        grid->setRowStretch(row, 1);
        grid->setColumnStretch(0, 1);
        return box;
    };
    left_ = makeBox(kLeftOptions);
    left_->setObjectName(QStringLiteral("leftOptions"));
    right_ = makeBox(kRightOptions);
    right_->setObjectName(QStringLiteral("rightOptions"));

    // Ring and BroadBand are reset, saved and transferred like the others, but never shown.
    for (Option hidden : {Option::Ring, Option::BroadBand}) {
        combo(hidden)->hide();
        if (label(hidden))
            label(hidden)->hide();
    }

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 10, 8, 10);
    layout->setSpacing(10);
    layout->addWidget(left_, 1);
    layout->addWidget(right_, 1);

    combo(Option::Band)->setEnabled(settings_->bandEditable());
    connect(settings_, &RadioSettings::optionChanged, this, [this](Option option, int index) {
        const QSignalBlocker block(combo(option));
        combo(option)->setCurrentIndex(index);
    });
    connect(settings_, &RadioSettings::entriesChanged, this, &OptionsPage::fill);
    connect(settings_, &RadioSettings::bandEditableChanged, this,
            [this](bool editable) { combo(Option::Band)->setEnabled(editable); });
}

void OptionsPage::fill(Option option) {
    QComboBox *list = combo(option);
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(settings_->entries(option));
    list->setCurrentIndex(settings_->index(option));
}

} // namespace vrx
