#pragma once
#include "EditHistory.h"
#include "EditorMenus.h"
#include "EditorToolBar.h"
#include "EffectSettings.h"
#include "PlatformServices.h"
#include "SaveExport.h"
#include "TBitmap.h"
#include "TDrawSteps.h"

#include <QMainWindow>

#include <memory>

class QProgressBar;
class QScrollArea;
class QSlider;

namespace zorvic {

class IEditorHost;
class TPicMouse;
class TPanelPreview;
class TPicStatusBar;
class TPictureView;
class TToolsPanel;

// The editor window "图像编辑". Created once at start-up and hidden until a capture arrives;
// closing only hides it, and the next capture reuses everything it holds.
class TSaveForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kToolsPanelWidth = 129;
    static constexpr int kMinimumShownWidth = 746, kMinimumShownHeight = 536;

    // The clipboard and the wallpaper are the desktop's in `platform`.
    explicit TSaveForm(PlatformServices platform, QWidget* parent = nullptr);
    ~TSaveForm() override;

    // The main window that supplies the save options and takes the window back on close.
    void SetHost(IEditorHost* host) { host_ = host; }

    // Entry points of the capture code: each replaces the picture and sizes the window; the
    // caller shows the window afterwards.
    void LoadFullScreen(const TBitmap& screenCapture);
    void LoadSelection(const TBitmap& frozenScreen, TPoint selStart, TPoint selEnd);
    void LoadPicture(const TBitmap& picture);
    // Shows the window and returns when it is closed, other windows blocked meanwhile.
    void ShowModal();

    const TBitmap& Picture() const;
    void CenterImage();
    void PushUndoStep();

    // Components.
    TEditorToolBar ToolBar;
    TEditorMenus Menus;
    TToolsPanel* ToolsPanel = nullptr;
    QScrollArea* sScrollBox = nullptr;
    TPictureView* Pic = nullptr;
    TPanelPreview* PanelPreview = nullptr;
    TPicStatusBar* PicStatusBar = nullptr;
    QProgressBar* ProgressBar = nullptr;

    TSaveAs SaveAs;
    TEditHistory History;
    TDrawSteps DrawSteps;
    TBitmap ActivationSnapshot;
    // The picture's mouse handlers and the drawing tools they drive.
    std::unique_ptr<TPicMouse> PicMouse;

    // Window events.
    void FormShow();
    void FormActivate();
    void FormClose();

    // File and export.
    void SaveToolButtonClick();
    void SaveASToolButtonClick();
    void CopyToClipMenuClick();
    void SetWallPaperMenuClick();
    void CancelToolButtonClick();
    void OpenMenuClick();
    // History.
    void UnDoMenuClick();
    void ReDoMenuClick();
    void ReplayShapes();
    // View.
    void EnlargeToolButtonClick();
    void NarrowToolButtonClick();
    void ActualSizeToolButtonClick();
    void ToolBarBtnMenuClick();
    void ToolBarTextMenuClick();
    void ToolsStatusMenuClick();
    void StatusMenuClick();
    // Help.
    void AboutMenuClick();
    void MailUSMenuClick();
    void HomePageMenuClick();
    // Geometric transforms.
    void Degrees90ToolButtonClick();
    void Degrees180MenuClick();
    void Degrees270MenuClick();
    void ArbitraryDegreesMenuClick();
    void ArbitraryDegreesBtnClick();
    void LevelFilpToolButtonClick();
    void VerticalFilpToolButtonClick();
    void LevelMirrorMenuClick();
    void VerticalMirrorMenuClick();
    void SymmetricalMirrorMenuClick();
    void TranslationOKBtnClick();
    // One-shot effects.
    void AntiColorMenuClick();
    void TwoColorMenuClick();
    void GrayMenuClick();
    void ExposureMenuClick(int tag);
    void DistortionMenuClick();
    void WaveMenuClick();
    void LongViewMenuClick();
    // Drawing tools that act at once.
    void FuzzyBtnClick();
    // Effects adjusted on the preview panel before they are applied.
    void ContrastMenuClick();
    void SaturationMenuClick();
    void BrightnessMenuClick();
    void RGBMenuClick();
    void SharpeningMenuClick();
    void BlackAndWhiteNoiseMenuClick();
    void ColorNoiseMenuClick();
    void SplashMenuClick();
    void MosaicMenuClick();
    void NeonMenuClick();
    void OpenEffectPreview(QWidget* page, const QString& name, int position, QSlider* trackBar);
    void ParametersOKBtnClick();
    void ParametersCancelBtnClick();

signals:
    void Closed();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ConnectCommands();
    // The scroll box's content grows to hold the image control wherever it is placed.
    void FitScrollContent();
    void ScrollOneLine(int wheelDelta);
    int ClientHeight() const;
    // Stretches the image control by a factor; gives the new width.
    int ZoomControl(int numerator, int denominator);
    // Replaces the picture by a transformed copy and records the step.
    void RecordedTransform(void (*transform)(TBitmap&));
    // Installs a picture and places the image control so it is centred on the window.
    void InstallCentredOnWindow(const TBitmap& picture);
    // Installs a captured picture, scrolled back to its top-left corner.
    void InstallLoadedPicture(const TBitmap& picture);
    // Opens the panel on an effect with its bars at their opening positions.
    void OpenAdjustableEffect(TAdjustableEffect effect);

    PlatformServices platform_;
    IEditorHost* host_ = nullptr;
    QWidget* scrollContent_ = nullptr;
};

// The program's one editor.
extern TSaveForm* SaveForm;

} // namespace zorvic
