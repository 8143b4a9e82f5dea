#pragma once
#include "TCanvas.h"

#include <QSpinBox>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace zorvic {

class TColorSwatch;

// The tool that is down in the palette; None when the down button was clicked again.
enum class TTool {
    None,
    Line,
    Rectangle,
    RoundedRectangle,
    Oval,
    MagnifyingGlass,
    ImageScaling,
    FreeTransform,
    Straw,
    SprayGun,
    Translation,
    TextTool,
    Handle
};

// Ask the user for a colour or a font, starting from `preset`; nothing when cancelled.
// Replaceable so tests need no modal dialog.
using TColorChooser = std::function<std::optional<TColor>(QWidget* parent, TColor preset)>;
using TFontChooser = std::function<std::optional<TFont>(QWidget* parent, const TFont& preset)>;
std::optional<TColor> RunColorDialog(QWidget* parent, TColor preset);
// The font dialog with a colour button beside it, since Qt's font dialog has no colour.
std::optional<TFont> RunFontDialog(QWidget* parent, const TFont& preset);

// A number box whose typed text can be read as it stands, before the box tidies it.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, int value, QWidget* parent);
    using QAbstractSpinBox::lineEdit;
};

// The editor's drawing palette: colour swatches, the tool buttons and the option page of the
// chosen tool. Its drawing attributes go straight to the canvas of the picture the editor holds.
class TToolsPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 129;

    explicit TToolsPanel(QWidget* parent = nullptr);

    // The canvas of the editor's current picture, asked afresh at every change.
    void SetCanvasProvider(std::function<TCanvas&()> provider) { canvas_ = std::move(provider); }
    void SetColorChooser(TColorChooser chooser) { chooseColor_ = std::move(chooser); }
    void SetFontChooser(TFontChooser chooser) { chooseFont_ = std::move(chooser); }

    TTool CurrentTool() const;
    // 0 line, 1 rectangle, 2 ellipse, 3 rounded rectangle; the shape list's replay sets it too.
    std::uint8_t ShapeKind = 0;

    // Colours.
    QWidget* ColorPanel = nullptr;
    TColorSwatch* ForeGroundColor = nullptr;
    TColorSwatch* BackGroundColor = nullptr;
    QToolButton* ExchangeColorBtn = nullptr;

    // Tools.
    QWidget* sPanelTools = nullptr;
    QToolButton* LineBtn = nullptr;
    QToolButton* RectangularBtn = nullptr;
    QToolButton* RoundedRectangularBtn = nullptr;
    QToolButton* OvalBtn = nullptr;
    QToolButton* MagnifyingGlassBtn = nullptr;
    QToolButton* ImageScalingBtn = nullptr;
    QToolButton* FreeTransformBtn = nullptr;
    QToolButton* StrawBtn = nullptr;
    QToolButton* SprayGunBtn = nullptr;
    QToolButton* FuzzyBtn = nullptr;
    QToolButton* TranslationBtn = nullptr;
    QToolButton* TextToolBtn = nullptr;
    QToolButton* HandleBtn = nullptr;

    // Option pages.
    QStackedWidget* AttributeToolbox = nullptr;
    QWidget* sTabSprayGun = nullptr;
    QSpinBox* Radius = nullptr;
    QWidget* sTabImageScaling = nullptr;
    QPushButton* EnlargeBtn = nullptr;
    QPushButton* NarrowBtn = nullptr;
    QPushButton* ActualSizeBtn = nullptr;
    QWidget* sTabMagnifyingGlass = nullptr;
    QSpinBox* MagnificationEdit = nullptr;
    QSpinBox* RadiusEdit = nullptr;
    QGroupBox* ShapeGroup = nullptr;
    QRadioButton* SquareShape = nullptr; // "方形", index 0
    QRadioButton* RoundShape = nullptr;  // "圆形", index 1
    QCheckBox* UseBorder = nullptr;
    QCheckBox* UseCursor = nullptr;
    QWidget* sTabLineAndSoOn = nullptr;
    std::array<QToolButton*, 6> PenButtons{};   // by pen style code
    std::array<QToolButton*, 8> BrushButtons{}; // by brush style code
    QSpinBox* PenSize = nullptr;
    QWidget* sTabArbitraryDegrees = nullptr;
    TSpinEdit* ArbitraryDegreesText = nullptr;
    QPushButton* ArbitraryDegreesBtn = nullptr;
    QWidget* sTabTranslation = nullptr;
    TSpinEdit* TransverseEdit = nullptr;
    TSpinEdit* LongitudinalAxisEdit = nullptr;
    QPushButton* TranslationOKBtn = nullptr;
    QWidget* sTabTextTool = nullptr;
    QLineEdit* TextEdit = nullptr;
    QPushButton* TextPropertiesBtn = nullptr;
    QLabel* TextLabel = nullptr;

    // The magnifier's shape: 0 square, 1 round.
    int MagnifierShape() const;

    // Handlers.
    void LineBtnClick();
    void RectangularBtnClick();
    void RoundedRectangularBtnClick();
    void OvalBtnClick();
    void MagnifyingGlassBtnClick();
    void ImageScalingBtnClick();
    void FreeTransformBtnClick();
    void SprayGunBtnClick();
    void TranslationBtnClick();
    void TextToolBtnClick();
    void ForeGroundColorMouseDown();
    void BackGroundColorMouseDown();
    void ExchangeColorBtnClick();
    void SolidPenClick(int penStyleCode);
    void SolidBrushClick(int brushStyleCode);
    void TextPropertiesBtnClick();
    void TextEditEnter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildColors();
    void BuildTools();
    QToolButton* AddTool(const char* hint, int column, int row, TTool tool);
    void BuildPages();
    void BuildSprayGunPage();
    void BuildImageScalingPage();
    void BuildMagnifyingGlassPage();
    void BuildLineAndSoOnPage();
    void BuildArbitraryDegreesPage();
    void BuildTranslationPage();
    void BuildTextToolPage();
    QWidget* AddPage(const char* caption);
    // Keeps at most one tool down, and lets the down tool be raised by clicking it.
    void ToolClicked(QAbstractButton* button, bool nowDown);
    void SetShapeKind(std::uint8_t kind);
    void ShowPage(QWidget* page);
    // A colour from the shared dialog, remembered as its preset for next time.
    std::optional<TColor> ChooseColor();
    void ApplyToCanvas(const std::function<void(TCanvas&)>& change);

    QButtonGroup* toolGroup_ = nullptr;
    std::function<TCanvas&()> canvas_;
    TColorChooser chooseColor_ = RunColorDialog;
    TFontChooser chooseFont_ = RunFontDialog;
    TColor lastDialogColor_ = clBlack;
    TFont lastDialogFont_;
    // The text box still shows its prompt, which the first visit clears.
    bool textPromptShown_ = true;
};

} // namespace zorvic
