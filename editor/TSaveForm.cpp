#include "TSaveForm.h"

#include "EditorHost.h"
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "PanelPreview.h"
#include "PicMouse.h"
#include "ToolsPanel.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace zorvic {

TSaveForm* SaveForm = nullptr;

namespace {

// Design size of the client area and the window's place.
constexpr int kDesignClientWidth = 738, kDesignClientHeight = 482;
constexpr int kDesignLeft = 376, kDesignTop = 151;
// What the load operations add around the picture for the frame, menu and margins.
constexpr int kPictureMarginWidth = 55, kPictureMarginHeight = 75;

} // namespace

TSaveForm::TSaveForm(PlatformServices platform, QWidget* parent)
    : QMainWindow(parent), platform_(std::move(platform)) {
    setObjectName(QStringLiteral("SaveForm"));
    setWindowTitle(QStringLiteral("图像编辑"));
    // Closing hides the window for the next capture; it must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    BuildLayout();
    ConnectCommands();
    move(kDesignLeft, kDesignTop);
    resize(kDesignClientWidth, kDesignClientHeight + menuBar()->sizeHint().height());
}

TSaveForm::~TSaveForm() = default;

void TSaveForm::BuildLayout() {
    Menus = BuildEditorMenus(*menuBar());
    ToolBar = BuildEditorToolBar(*this);
    PicStatusBar = new TPicStatusBar(this);
    setStatusBar(PicStatusBar);
    ProgressBar = PicStatusBar->ProgressBar;

    auto* client = new QWidget(this);
    auto* row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    ToolsPanel = new TToolsPanel(client);
    ToolsPanel->setFixedWidth(kToolsPanelWidth);
    row->addWidget(ToolsPanel);

    sScrollBox = new QScrollArea(client);
    sScrollBox->setObjectName(QStringLiteral("sScrollBox"));
    sScrollBox->setWidgetResizable(false);
    scrollContent_ = new QWidget;
    Pic = new TPictureView(scrollContent_);
    Pic->move(188, 37);
    PanelPreview = new TPanelPreview(scrollContent_);
    PanelPreview->hide();
    sScrollBox->setWidget(scrollContent_);
    row->addWidget(sScrollBox, 1);
    setCentralWidget(client);

    ToolsPanel->SetCanvasProvider([this]() -> TCanvas& { return Pic->Picture().Canvas(); });

    Pic->installEventFilter(this);
    sScrollBox->viewport()->installEventFilter(this);
    PicMouse = std::make_unique<TPicMouse>(*this);
}

const TBitmap& TSaveForm::Picture() const {
    return Pic->Picture();
}

void TSaveForm::PushUndoStep() {
    History.PushUndoStep(Pic->Picture());
}

void TSaveForm::LoadFullScreen(const TBitmap& screenCapture) {
    resize(screenCapture.Width(), screenCapture.Height());
    InstallLoadedPicture(screenCapture);
}

void TSaveForm::LoadSelection(const TBitmap& frozenScreen, TPoint selStart, TPoint selEnd) {
    const int left = std::min(selStart.x, selEnd.x), right = std::max(selStart.x, selEnd.x);
    const int top = std::min(selStart.y, selEnd.y), bottom = std::max(selStart.y, selEnd.y);
    const int w = right - left, h = bottom - top;
    resize(w + kPictureMarginWidth + kToolsPanelWidth,
           h + TEditorToolBar::kHeight + 3 * TPicStatusBar::kHeight + kPictureMarginHeight);
    // The screen's own pixels, one for one: the frozen screen comes without the rubber band, so
    // nothing needs leaving out (and stretching an inside would double a row and a column).
    TBitmap selection(w, h);
    selection.Canvas().CopyRect(TRect{0, 0, w, h}, frozenScreen, TRect{left, top, right, bottom});
    InstallLoadedPicture(selection);
}

void TSaveForm::LoadPicture(const TBitmap& picture) {
    resize(picture.Width() + kPictureMarginWidth + kToolsPanelWidth,
           picture.Height() + TEditorToolBar::kHeight + 2 * TPicStatusBar::kHeight +
               kPictureMarginHeight);
    InstallLoadedPicture(picture);
}

void TSaveForm::InstallLoadedPicture(const TBitmap& picture) {
    Pic->SetPicture(picture);
    // A new capture is seen from its top-left corner, not where the last one was scrolled to.
    sScrollBox->horizontalScrollBar()->setValue(0);
    sScrollBox->verticalScrollBar()->setValue(0);
}

void TSaveForm::ShowModal() {
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &TSaveForm::Closed, &loop, &QEventLoop::quit);
    show();
    loop.exec();
    setWindowModality(Qt::NonModal);
}

int TSaveForm::ClientHeight() const {
    const QMenuBar* bar = menuBar();
    return height() - (bar->isVisible() ? bar->height() : bar->sizeHint().height());
}

void TSaveForm::CenterImage() {
    // The scroll box's size comes from the layout, which a hidden window has not run yet.
    if (layout()) layout()->activate();
    if (Pic->height() < sScrollBox->height() && Pic->width() < sScrollBox->width()) {
        // Centred on the whole client width, tool panel included, and on the height between
        // the tool bar and the status bar less 20.
        const int left = width() / 2 - Pic->width() / 2;
        const int top =
            (ClientHeight() - TPicStatusBar::kHeight - TEditorToolBar::kHeight - 20) / 2 -
            Pic->height() / 2;
        Pic->move(left, top);
    } else {
        Pic->move(0, 0);
    }
    FitScrollContent();
}

void TSaveForm::FitScrollContent() {
    const QSize view = sScrollBox->viewport()->size();
    const QRect placed = Pic->geometry();
    scrollContent_->resize(std::max(view.width(), placed.right() + 1),
                           std::max(view.height(), placed.bottom() + 1));
}

void TSaveForm::InstallCentredOnWindow(const TBitmap& picture) {
    Pic->SetPicture(picture);
    // A picture larger than the window would start left of or above the scroll range, where
    // no scrolling could reach it.
    Pic->move(std::max(0, width() / 2 - picture.Width() / 2),
              std::max(0, height() / 2 - picture.Height() / 2));
    FitScrollContent();
}

void TSaveForm::FormShow() {
    raise();
    activateWindow();
    // Four recorded quarter turns: the picture is unchanged but 24-bit, centred, and the
    // history holds it, with its counter-clockwise turn as the undo copy. Computed directly,
    // as the turns themselves would cost every capture four whole-picture rotations.
    Pic->Picture().SetPixelFormat(TPixelFormat::pf24bit);
    Pic->PictureChanged();
    CenterImage();
    History.SeedWithFourQuarterTurns(Pic->Picture());
    if (width() < kMinimumShownWidth || height() < kMinimumShownHeight)
        resize(kMinimumShownWidth, kMinimumShownHeight);
    if (host_ && host_->CaptureSoundWanted()) host_->PlayCaptureSound();
}

void TSaveForm::FormActivate() {
    PicStatusBar->SetPanelText(0, QStringLiteral("%1*%2").arg(Pic->width()).arg(Pic->height()));
    ActivationSnapshot = Pic->Picture();
    Pic->SetPicture(ActivationSnapshot);
}

void TSaveForm::FormClose() {
    // The snapshot goes even when the main window fails at its part, which is told.
    const auto release = qScopeGuard([this] { ActivationSnapshot = TBitmap(); });
    if (host_) host_->EditorClosed();
}

bool TSaveForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QMainWindow::event(event);
}

void TSaveForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring from the task bar is no new showing.
    if (!event->spontaneous()) FormShow();
}

void TSaveForm::closeEvent(QCloseEvent* event) {
    // Closing cannot fail: a modal showing waits for Closed.
    event->accept();
    const auto closed = qScopeGuard([this] { emit Closed(); });
    FormClose();
}

void TSaveForm::ScrollOneLine(int wheelDelta) {
    sScrollBox->verticalScrollBar()->triggerAction(wheelDelta < 0
                                                       ? QAbstractSlider::SliderSingleStepAdd
                                                       : QAbstractSlider::SliderSingleStepSub);
}

void TSaveForm::wheelEvent(QWheelEvent* event) {
    ScrollOneLine(event->angleDelta().y());
    event->ignore();
}

bool TSaveForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Pic && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        FitScrollContent();
    if (watched == sScrollBox->viewport()) {
        if (event->type() == QEvent::Resize) FitScrollContent();
        // One line per wheel event, wherever the pointer is, not the scroll area's own step.
        if (event->type() == QEvent::Wheel) {
            ScrollOneLine(static_cast<QWheelEvent*>(event)->angleDelta().y());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace zorvic
