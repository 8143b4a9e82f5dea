#include "SyntheticScreenshot.h"

#include "Sequence.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

#include <cstdint>
#include <cstring>

namespace zorvic::bench {

namespace {

const QStringList kWords = {
    "screenshot",  "window",  "capture", "editor", "format", "picture", "save",   "folder",
    "options",     "quality", "pixel",   "colour", "return", "const",   "void",   "int",
    "std::string", "if",      "for",     "while",  "截图",   "保存",    "图像",   "格式",
    "目录",        "设置",    "窗口",    "文件",   "编辑",   "完成",    "压缩比", "确定"};

QString Sentence(TSequence& sequence, int words) {
    QStringList chosen;
    for (int i = 0; i < words; ++i)
        chosen << kWords[sequence.Below(static_cast<int>(kWords.size()))];
    return chosen.join(u' ');
}

void DrawWindow(QPainter& painter, const QRect& frame, const QString& title) {
    painter.fillRect(frame.adjusted(4, 4, 4, 4), QColor(0, 0, 0, 60)); // shadow
    painter.fillRect(frame, QColor(246, 246, 246));
    QLinearGradient bar(frame.topLeft(), frame.topLeft() + QPoint(0, 28));
    bar.setColorAt(0, QColor(70, 110, 170));
    bar.setColorAt(1, QColor(40, 80, 140));
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 28), bar);
    painter.setPen(Qt::white);
    painter.drawText(QRect(frame.left() + 10, frame.top(), frame.width() - 100, 28),
                     Qt::AlignVCenter, title);
    for (int i = 0; i < 3; ++i)
        painter.fillRect(QRect(frame.right() - 26 - 26 * i, frame.top() + 6, 18, 16),
                         QColor(220, 220, 220));
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(frame);
}

void DrawCodeWindow(QPainter& painter, TSequence& sequence, const QRect& frame) {
    DrawWindow(painter, frame, "PngWriter.cpp - editor");
    painter.fillRect(frame.adjusted(1, 29, -1, -1), Qt::white);
    painter.setFont(QFont("DejaVu Sans Mono", 10));
    const QColor colours[] = {QColor(30, 30, 30), QColor(0, 0, 160), QColor(160, 30, 30),
                              QColor(0, 120, 0)};
    for (int line = 0, y = frame.top() + 46; y < frame.bottom() - 8; ++line, y += 17) {
        painter.setPen(QColor(150, 150, 150));
        painter.drawText(frame.left() + 8, y, QString::number(line + 1));
        painter.setPen(colours[sequence.Below(4)]);
        const int indent = 4 * sequence.Below(4);
        painter.drawText(frame.left() + 50 + 8 * indent, y,
                         Sentence(sequence, 2 + sequence.Below(8)));
    }
}

void DrawDocumentWindow(QPainter& painter, TSequence& sequence, const QRect& frame) {
    DrawWindow(painter, frame, "文档 - 图像保存设置");
    painter.setFont(QFont("WenQuanYi Micro Hei", 11));
    QRect text = frame.adjusted(24, 48, -24, -24);
    // A small picture with a gradient and noise, as a web page or document would show one.
    QImage picture(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int noise = sequence.Below(24) - 12;
            picture.setPixel(x, y,
                             qRgb(qBound(0, x * 255 / 320 + noise, 255),
                                  qBound(0, 120 + noise, 255),
                                  qBound(0, y * 255 / 200 + noise, 255)));
        }
    painter.drawImage(text.right() - picture.width(), text.top(), picture);
    // Paragraphs down to the row of buttons.
    for (int y = text.top() + 16; y < text.bottom() - 40; y += 24) {
        painter.setPen(QColor(20, 20, 20));
        const int right = y < text.top() + picture.height() + 10 ? picture.width() + 20 : 0;
        painter.drawText(QRect(text.left(), y - 16, text.width() - right, 22), Qt::AlignLeft,
                         Sentence(sequence, 6 + sequence.Below(10)));
    }
    for (int i = 0; i < 3; ++i) {
        const QRect button(text.left() + 110 * i, frame.bottom() - 44, 96, 28);
        painter.fillRect(button, QColor(225, 225, 225));
        painter.setPen(QColor(120, 120, 120));
        painter.drawRect(button);
        painter.drawText(button, Qt::AlignCenter, kWords[24 + i]);
    }
}

void DrawTaskBar(QPainter& painter, int width, int height) {
    const QRect bar(0, height - 40, width, 40);
    painter.fillRect(bar, QColor(32, 36, 44));
    for (int i = 0; i < 8; ++i)
        painter.fillRect(QRect(8 + 48 * i, height - 34, 32, 28), QColor::fromHsv(i * 45, 160, 220));
    painter.setPen(Qt::white);
    painter.setFont(QFont("DejaVu Sans", 10));
    painter.drawText(QRect(width - 170, height - 40, 160, 40), Qt::AlignCenter, "2026-12-10 16:20");
}

} // namespace

TBitmap MakeSyntheticScreenshot(int width, int height) {
    QImage screen(width, height, QImage::Format_RGB888);
    TSequence sequence;
    {
        QPainter painter(&screen);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QLinearGradient wallpaper(0, 0, width, height);
        wallpaper.setColorAt(0, QColor(18, 60, 110));
        wallpaper.setColorAt(1, QColor(20, 140, 150));
        painter.fillRect(screen.rect(), wallpaper);
        DrawDocumentWindow(painter, sequence, QRect(width / 2 - 80, 90, width / 2, height - 260));
        DrawCodeWindow(painter, sequence, QRect(60, 40, width * 5 / 8, height * 2 / 3));
        DrawTaskBar(painter, width, height);
    }
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = screen.constScanLine(y);
        std::uint8_t* to = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    return bitmap;
}

} // namespace zorvic::bench
