#include "DriverDialogs.h"

#include "Errors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zorvic {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString SizeText(TFrameSize size) {
    return QStringLiteral("%1x%2").arg(size.Width).arg(size.Height);
}

// A form in the dialog's layout, with its buttons below.
QFormLayout* FormIn(QDialog* dialog, QDialogButtonBox::StandardButtons buttons) {
    auto* column = new QVBoxLayout(dialog);
    auto* form = new QFormLayout;
    column->addLayout(form);
    auto* box = new QDialogButtonBox(buttons, dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    column->addWidget(box);
    return form;
}

} // namespace

TSourceDialog::TSourceDialog(QWidget* parent, const std::string& driver,
                             std::vector<TDeviceControl> controls, TSetControl set)
    : QDialog(parent), set_(std::move(set)) {
    setWindowTitle(QStringLiteral("视频资源 - ") + Text(driver));
    QFormLayout* form = FormIn(this, QDialogButtonBox::Close | QDialogButtonBox::RestoreDefaults);
    for (const TDeviceControl& control : controls) {
        QWidget* editor = ControlEditor(control);
        form->addRow(Text(control.Name), editor);
        editors_.emplace_back(control, editor);
    }
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    form->addRow(problem_);
    QPushButton* defaults =
        findChild<QDialogButtonBox*>()->button(QDialogButtonBox::RestoreDefaults);
    defaults->setText(QStringLiteral("默认值"));
    connect(defaults, &QPushButton::clicked, this, &TSourceDialog::SetDefaults);
}

void TSourceDialog::SetDefaults() {
    for (auto& [control, editor] : editors_) {
        const QSignalBlocker quiet(editor);
        if (auto* spin = qobject_cast<QSpinBox*>(editor))
            spin->setValue(control.Default);
        else if (auto* box = qobject_cast<QCheckBox*>(editor))
            box->setChecked(control.Default != 0);
        else if (auto* menu = qobject_cast<QComboBox*>(editor))
            menu->setCurrentIndex(menu->findData(control.Default));
        else
            continue; // a button has no value
        Set(control.Id, control.Default);
    }
}

QWidget* TSourceDialog::ControlEditor(const TDeviceControl& control) {
    const unsigned id = control.Id;
    switch (control.Kind) {
    case TDeviceControl::TKind::Boolean: {
        auto* box = new QCheckBox(this);
        box->setChecked(control.Value != 0);
        connect(box, &QCheckBox::toggled, this, [this, id](bool on) { Set(id, on ? 1 : 0); });
        return box;
    }
    case TDeviceControl::TKind::Menu: {
        auto* box = new QComboBox(this);
        for (const auto& [value, name] : control.MenuItems) {
            box->addItem(Text(name), value);
            if (value == control.Value) box->setCurrentIndex(box->count() - 1);
        }
        connect(box, &QComboBox::activated, this,
                [this, id, box](int index) { Set(id, box->itemData(index).toInt()); });
        return box;
    }
    case TDeviceControl::TKind::Button: {
        auto* button = new QPushButton(QStringLiteral("执行"), this);
        connect(button, &QPushButton::clicked, this, [this, id] { Set(id, 1); });
        return button;
    }
    case TDeviceControl::TKind::Integer:
        break;
    }
    auto* spin = new QSpinBox(this);
    spin->setRange(control.Minimum, control.Maximum);
    spin->setSingleStep(control.Step);
    spin->setValue(control.Value);
    spin->setKeyboardTracking(false);
    connect(spin, &QSpinBox::valueChanged, this, [this, id](int value) { Set(id, value); });
    return spin;
}

void TSourceDialog::Set(unsigned id, int value) {
    try {
        set_(id, value);
        problem_->clear();
    } catch (const EZorvicError& error) {
        problem_->setText(QString::fromUtf8(error.what()));
    }
}

TFormatDialog::TFormatDialog(QWidget* parent, std::vector<TDeviceFormat> formats,
                             const TFormatChoice& current)
    : QDialog(parent), formats_(std::move(formats)) {
    setWindowTitle(QStringLiteral("视频格式"));
    QFormLayout* form = FormIn(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    formatBox_ = new QComboBox(this);
    sizeBox_ = new QComboBox(this);
    int chosen = 0;
    for (std::size_t i = 0; i < formats_.size(); ++i) {
        formatBox_->addItem(Text(formats_[i].Description + " (" + formats_[i].FfmpegName + ")"));
        if (formats_[i].FfmpegName == current.FfmpegName) chosen = static_cast<int>(i);
    }
    formatBox_->setCurrentIndex(chosen);
    ListSizes(chosen, current.Size);
    connect(formatBox_, &QComboBox::activated, this,
            [this](int index) { ListSizes(index, TFrameSize{}); });
    form->addRow(QStringLiteral("像素格式"), formatBox_);
    form->addRow(QStringLiteral("图像大小"), sizeBox_);
}

void TFormatDialog::ListSizes(int format, TFrameSize preferred) {
    sizeBox_->clear();
    if (format < 0 || format >= static_cast<int>(formats_.size())) return;
    for (const TFrameSize& size : formats_[format].Sizes) {
        sizeBox_->addItem(SizeText(size));
        if (size == preferred) sizeBox_->setCurrentIndex(sizeBox_->count() - 1);
    }
}

TFormatChoice TFormatDialog::Choice() const {
    const int format = formatBox_->currentIndex();
    const int size = sizeBox_->currentIndex();
    if (format < 0 || size < 0) return {};
    return {formats_[format].FfmpegName, formats_[format].Sizes[size]};
}

TDisplayDialog::TDisplayDialog(QWidget* parent, const TDisplayFacts& facts) : QDialog(parent) {
    setWindowTitle(QStringLiteral("视频显示器"));
    QFormLayout* form = FormIn(this, QDialogButtonBox::Close);
    auto row = [&](const QString& name, const QString& value) {
        form->addRow(name, new QLabel(value, this));
    };
    row(QStringLiteral("驱动程序"), Text(facts.Driver));
    row(QStringLiteral("设备"), Text(facts.Input));
    row(QStringLiteral("状态"), facts.Lost ? QStringLiteral("已断开") : QStringLiteral("正常"));
    row(QStringLiteral("像素格式"), Text(facts.Device.PixelFormat));
    row(QStringLiteral("图像大小"), SizeText(facts.Device.Size));
    row(QStringLiteral("帧率"), facts.Device.FramesPerSecond > 0
                                    ? QStringLiteral("%1 帧/秒").arg(facts.Device.FramesPerSecond)
                                    : QStringLiteral("未知"));
    row(QStringLiteral("预览"),
        facts.PreviewMilliseconds > 0
            ? QStringLiteral("每 %1 毫秒一帧").arg(facts.PreviewMilliseconds)
            : QStringLiteral("已停止"));
    row(QStringLiteral("显示"),
        facts.Scaled ? QStringLiteral("缩放到窗口 %1").arg(SizeText(facts.Window))
                     : QStringLiteral("原始大小，窗口 %1").arg(SizeText(facts.Window)));
}

} // namespace zorvic
