#include "EditorFixture.h"

#include <QApplication>

namespace zorvic::testing {

TBitmap Pattern(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, MakeColor(x * 7 + y, y * 13 + x * 3, x * y + 11));
    return picture;
}

::testing::AssertionResult SamePicture(const TBitmap& actual, const TBitmap& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure()
               << "size " << actual.Width() << "x" << actual.Height() << ", expected "
               << expected.Width() << "x" << expected.Height();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.GetPixel(x, y) != expected.GetPixel(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex
                       << actual.GetPixel(x, y) << ", expected " << expected.GetPixel(x, y);
    return ::testing::AssertionSuccess();
}

TBitmap Turned(TBitmap picture, void (*transform)(TBitmap&)) {
    transform(picture);
    return picture;
}

void EditorTest::SetUp() {
    form = std::make_unique<TSaveForm>(desktop->Services());
    form->SetHost(&host);
}

void EditorTest::TearDown() {
    form.reset();
}

void EditorTest::Open(const TBitmap& picture) {
    form->LoadPicture(picture);
    form->show();
    QApplication::processEvents();
}

} // namespace zorvic::testing
