#pragma once
#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

namespace zorvic {

// A captioned group of radio buttons laid out in columns, addressed by item index.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns,
                QWidget* parent = nullptr);

    // -1 while no item is selected.
    int ItemIndex() const;
    // Out-of-range indices are clamped to -1 .. last item; -1 clears the selection.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const { return items_.at(index); }

private:
    QButtonGroup* group_;
    QList<QRadioButton*> items_;
};

} // namespace zorvic
