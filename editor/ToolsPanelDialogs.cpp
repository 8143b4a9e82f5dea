// The colour and font dialogs behind the palette's swatches and "文字属性".
#include "ColorSwatch.h"
#include "ToolsPanel.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace zorvic {

namespace {

// Font heights are pixels at 96 dots per inch, as the canvas takes them; the dialog shows points.
constexpr double kPointsPerPixel = 72.0 / 96.0;

QFont ToQFont(const TFont& font) {
    QFont qfont(QString::fromStdString(font.Name));
    qfont.setPointSizeF(std::abs(font.Height) * kPointsPerPixel);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    qfont.setStrikeOut(font.StrikeOut);
    return qfont;
}

TFont FromQFont(const QFont& qfont, TColor color) {
    TFont font;
    font.Name = qfont.family().toStdString();
    font.Height = -static_cast<int>(std::lround(qfont.pointSizeF() / kPointsPerPixel));
    font.Bold = qfont.bold();
    font.Italic = qfont.italic();
    font.Underline = qfont.underline();
    font.StrikeOut = qfont.strikeOut();
    font.Color = color;
    return font;
}

// Qt's font dialog as a part of ours. It would take Enter and Escape for itself and close alone,
// leaving an empty frame; they go on to the dialog around it instead.
class TEmbeddedFontDialog : public QFontDialog {
public:
    using QFontDialog::QFontDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
};

void ShowColorOn(QPushButton* button, TColor color) {
    // The caption in black or white, whichever stands out from the colour.
    const int luma = (299 * RedOf(color) + 587 * GreenOf(color) + 114 * BlueOf(color)) / 1000;
    button->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                              .arg(ToQColor(color).name(),
                                   luma < 128 ? QStringLiteral("white") : QStringLiteral("black")));
}

} // namespace

std::optional<TColor> RunColorDialog(QWidget* parent, TColor preset) {
    const QColor chosen = QColorDialog::getColor(ToQColor(preset), parent);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

std::optional<TFont> RunFontDialog(QWidget* parent, const TFont& preset) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("文字属性"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* fonts = new TEmbeddedFontDialog(ToQFont(preset), &dialog);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);
    layout->addWidget(fonts);

    // Qt's font dialog has no colour of its own: a colour button beside it keeps face, style and
    // colour one choice that OK confirms and Cancel drops as a whole.
    TColor color = preset.Color;
    auto* colorButton = new QPushButton(QStringLiteral("颜色"), &dialog);
    ShowColorOn(colorButton, color);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        if (const std::optional<TColor> chosen = RunColorDialog(&dialog, color)) {
            color = *chosen;
            ShowColorOn(colorButton, color);
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->addButton(colorButton, QDialogButtonBox::ActionRole);
    // Enter anywhere confirms, not the colour button that was clicked last.
    colorButton->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    // Enter in the face and style lists closes the font dialog through its own filter: that
    // answers for the whole dialog too.
    QObject::connect(fonts, &QDialog::finished, &dialog, [&dialog](int result) {
        if (result == QDialog::Accepted)
            dialog.accept();
        else
            dialog.reject();
    });

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQFont(fonts->currentFont(), color);
}

} // namespace zorvic
