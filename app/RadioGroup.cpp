#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

namespace zorvic {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], this);
        group_->addButton(item, i);
        layout->addWidget(item, i / columns, i % columns);
        items_.append(item);
    }
}

int TRadioGroup::ItemIndex() const {
    return group_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    index = std::clamp(index, -1, static_cast<int>(items_.size()) - 1);
    if (index >= 0) {
        items_[index]->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    group_->setExclusive(false);
    for (QRadioButton* item : items_)
        item->setChecked(false);
    group_->setExclusive(true);
}

} // namespace zorvic
